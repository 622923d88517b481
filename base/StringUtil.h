#pragma once
// Text helpers shared by every subsystem. All texts are byte strings in the ANSI code page.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The pieces between the delimiters, in order; the piece after the last delimiter is always
// included, so an empty text gives one empty piece.
std::vector<std::string> SplitString(const std::string& text, char delimiter);

// printf-style formatting into a new string of exactly the needed length.
std::string FormatString(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;

// A decimal number as the C run-time reads it: leading blanks skipped, an optional sign, then
// digits up to the first other character. Empty when there are no digits or the number leaves
// the signed 32-bit range.
std::optional<int32_t> ParseDecimal(const std::string& text);

// ParseDecimal, with 0 for text without a number.
int32_t DecimalOrZero(const std::string& text);

// Converts UTF-8 bytes to the ANSI code page of the system. Characters the code page lacks
// become the system's default character.
std::string Utf8ToAnsi(const std::string& utf8);

// Converts text in the given code page to UTF-8.
std::string CodePageToUtf8(const std::string& text, unsigned codePage);
