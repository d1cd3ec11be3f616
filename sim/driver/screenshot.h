// The whole screen as a 24-bit BMP file.
#pragma once

#include <optional>
#include <string>

namespace rtdriver {

// nullopt on success, else the reason.
std::optional<std::wstring> SaveScreenshot(const std::wstring& path);

}  // namespace rtdriver
