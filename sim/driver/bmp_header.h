// The header of a 24-bit bottom-up BMP file.
#pragma once

#include <cstdint>
#include <string>

namespace rtdriver {

// Bytes per pixel row, padded to four.
std::uint32_t BmpRowStride(std::uint32_t width);
// File header and BITMAPINFOHEADER, 54 bytes; the rows follow, bottom row first.
std::string BmpHeader(std::uint32_t width, std::uint32_t height);

}  // namespace rtdriver
