#include "bmp_header.h"

namespace rtdriver {
namespace {

void PutLittleEndian(std::string& bytes, std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i) {
        bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
    }
}

}  // namespace

std::uint32_t BmpRowStride(std::uint32_t width) {
    return (width * 3 + 3) & ~std::uint32_t{3};
}

std::string BmpHeader(std::uint32_t width, std::uint32_t height) {
    constexpr std::uint32_t kHeaderSize = 14 + 40;
    const std::uint32_t imageSize = BmpRowStride(width) * height;
    std::string bytes = "BM";
    PutLittleEndian(bytes, kHeaderSize + imageSize, 4);
    PutLittleEndian(bytes, 0, 4);  // reserved
    PutLittleEndian(bytes, kHeaderSize, 4);
    PutLittleEndian(bytes, 40, 4);  // BITMAPINFOHEADER
    PutLittleEndian(bytes, width, 4);
    PutLittleEndian(bytes, height, 4);  // positive: bottom-up
    PutLittleEndian(bytes, 1, 2);       // planes
    PutLittleEndian(bytes, 24, 2);      // bits per pixel
    PutLittleEndian(bytes, 0, 4);       // BI_RGB
    PutLittleEndian(bytes, imageSize, 4);
    PutLittleEndian(bytes, 2835, 4);  // 72 dpi
    PutLittleEndian(bytes, 2835, 4);
    PutLittleEndian(bytes, 0, 4);  // colours used
    PutLittleEndian(bytes, 0, 4);  // important colours
    return bytes;
}

}  // namespace rtdriver
