#include "screenshot.h"

#include <windows.h>

#include "bmp_header.h"
#include "common/file_io.h"
#include "framework/win32/win32_handles.h"

namespace rtdriver {
namespace {

class ScreenDc {
  public:
    ScreenDc() : dc_(GetDC(nullptr)) {}
    ~ScreenDc() {
        if (dc_ != nullptr) {
            ReleaseDC(nullptr, dc_);
        }
    }
    ScreenDc(const ScreenDc&) = delete;
    ScreenDc& operator=(const ScreenDc&) = delete;
    HDC get() const { return dc_; }

  private:
    HDC dc_;
};

}  // namespace

std::optional<COLORREF> ScreenPixel(int x, int y) {
    const ScreenDc screen;
    const COLORREF colour = screen.get() != nullptr ? GetPixel(screen.get(), x, y) : CLR_INVALID;
    return colour != CLR_INVALID ? std::optional(colour) : std::nullopt;
}

std::optional<std::wstring> SaveScreenshot(const std::wstring& path, std::optional<RECT> area) {
    const int left = area ? area->left : GetSystemMetrics(SM_XVIRTUALSCREEN);
    const int top = area ? area->top : GetSystemMetrics(SM_YVIRTUALSCREEN);
    const int width = area ? area->right - area->left : GetSystemMetrics(SM_CXVIRTUALSCREEN);
    const int height = area ? area->bottom - area->top : GetSystemMetrics(SM_CYVIRTUALSCREEN);
    const ScreenDc screen;
    const win32::MemoryDc memory(CreateCompatibleDC(screen.get()));
    if (screen.get() == nullptr || !memory || width <= 0 || height <= 0) {
        return L"no screen to capture";
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;  // bottom-up, the row order of the file
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const win32::GdiObject<HBITMAP> bitmap(
        CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || bits == nullptr) {
        return L"cannot create a bitmap of the screen's size";
    }
    {
        const win32::Selection selected(memory.get(), bitmap.get());
        if (!BitBlt(memory.get(), 0, 0, width, height, screen.get(), left, top,
                    SRCCOPY | CAPTUREBLT)) {
            return L"cannot copy the screen";
        }
    }
    GdiFlush();
    const auto w = static_cast<std::uint32_t>(width);
    const auto h = static_cast<std::uint32_t>(height);
    std::string file = BmpHeader(w, h);
    file.append(static_cast<const char*>(bits), std::size_t{BmpRowStride(w)} * h);
    if (!sim::WriteWholeFile(path, file)) {
        return L"cannot write " + path;
    }
    return std::nullopt;
}

}  // namespace rtdriver
