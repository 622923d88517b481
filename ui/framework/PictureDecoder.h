#pragma once
// Compressed pictures (PNG) read through the Windows Imaging Component, which every supported
// Windows carries.
#include <cstddef>
#include <vector>

// A picture as a device-independent bitmap wants it: 24-bit BGR rows, top row first, each row
// padded to four bytes.
struct CPixels {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rows;

    size_t Stride() const { return (static_cast<size_t>(width) * 3 + 3) & ~static_cast<size_t>(3); }
};

// The pixels of the picture in bytes; false when it cannot be read. The skin's pictures are
// opaque: an alpha channel would be dropped.
bool DecodePicture(const void* bytes, size_t size, CPixels* pixels);
