// The screen, or a part of it, as a 24-bit BMP file.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace rtdriver {

// The whole virtual screen, or only `area` of it (virtual-screen pixels, such as one monitor's
// rectangle). nullopt on success, else the reason.
std::optional<std::wstring> SaveScreenshot(const std::wstring& path, std::optional<RECT> area);

// The colour of one pixel of the screen (desktop pixels); nullopt when it cannot be read.
std::optional<COLORREF> ScreenPixel(int x, int y);

}  // namespace rtdriver
