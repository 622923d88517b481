#pragma once
// The switches of an unattended run. The MSI and Burn spellings are the main ones; the common
// Inno Setup and NSIS spellings are aliases. Switches are case-insensitive. Without any switch
// the wizard runs as it always has.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "product/Catalogue.h"

// Passive: the progress page alone, without Cancel and without any question.
enum class UiLevel { Full, Quiet, Passive };
enum class RequestedAction { Install, Modify, Repair, Uninstall };

struct CCommandLine {
    UiLevel uiLevel = UiLevel::Full;
    bool uiLevelGiven = false;
    RequestedAction action = RequestedAction::Install;
    bool actionGiven = false;
    std::optional<std::string> installDir;
    // Feature keys as given; "ALL" stays as it is until resolved for the edition.
    std::optional<std::vector<std::string>> addLocal;
    std::vector<std::string> remove;
    bool removeData = false;
    std::optional<std::string> logPath;
    bool help = false;
    // Set when the line cannot be used: the run ends with 1639 and changes nothing.
    std::string error;
};

// The arguments after the program's own name, as the raw command line holds them.
CCommandLine ParseCommandLine(const std::string& arguments);
// The raw command line without the program's own name (quoted or not).
std::string ArgumentsOf(const std::string& commandLine);

// The features of the keys among those the edition's wizard offers, in the order given, with the
// basic feature always first; ALL takes every offered feature. An unknown or not offered key
// fills *error and gives nothing.
std::optional<std::vector<int32_t>> ResolveFeatureKeys(const std::vector<std::string>& keys,
                                                       const std::vector<int32_t>& offered,
                                                       std::string* error);

// The usage text, in English.
std::string UsageText();
