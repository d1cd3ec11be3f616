#include "text_fit.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <optional>

#include "dialog_controls.h"

namespace rtdriver {
namespace {

struct DcReleaser {
    HWND window;
    void operator()(HDC dc) const { ReleaseDC(window, dc); }
};
using WindowDc = std::unique_ptr<std::remove_pointer_t<HDC>, DcReleaser>;

enum class Kind { Wrapping, SingleLine, CheckBox, PushButton };

std::optional<Kind> KindOf(HWND control) {
    wchar_t className[32] = L"";
    GetClassNameW(control, className, 32);
    const auto style = static_cast<DWORD>(GetWindowLongW(control, GWL_STYLE));
    if (_wcsicmp(className, L"Static") == 0) {
        switch (style & SS_TYPEMASK) {
            case SS_LEFT:
            case SS_CENTER:
            case SS_RIGHT:
                return Kind::Wrapping;
            case SS_LEFTNOWORDWRAP:
            case SS_SIMPLE:
                return Kind::SingleLine;
            default:
                return std::nullopt;  // pictures, frames
        }
    }
    if (_wcsicmp(className, L"Button") == 0) {
        switch (style & BS_TYPEMASK) {
            case BS_PUSHBUTTON:
            case BS_DEFPUSHBUTTON:
                return Kind::PushButton;
            case BS_CHECKBOX:
            case BS_AUTOCHECKBOX:
            case BS_RADIOBUTTON:
            case BS_3STATE:
            case BS_AUTO3STATE:
            case BS_AUTORADIOBUTTON:
                return Kind::CheckBox;
            default:
                return std::nullopt;  // group boxes, owner-drawn buttons
        }
    }
    return std::nullopt;
}

const wchar_t* KindName(Kind kind) {
    switch (kind) {
        case Kind::Wrapping:
        case Kind::SingleLine:
            return L"static";
        case Kind::CheckBox:
            return L"check box";
        case Kind::PushButton:
            return L"button";
    }
    return L"";
}

// The part of the client area the control draws its text in.
SIZE Room(Kind kind, HDC dc, SIZE client) {
    switch (kind) {
        case Kind::CheckBox: {
            // The box is 12 logical pixels and one more, then half a digit's width of gap.
            const int box = MulDiv(12, GetDeviceCaps(dc, LOGPIXELSX), 96) + 1;
            int digit = 0;
            GetCharWidth32W(dc, L'0', L'0', &digit);
            return {client.cx - box - digit / 2, client.cy};
        }
        case Kind::PushButton: {
            // The raised edge and, inside it, the focus frame.
            const int x = GetSystemMetrics(SM_CXEDGE) + 1;
            const int y = GetSystemMetrics(SM_CYEDGE) + 1;
            return {client.cx - 2 * x, client.cy - 2 * y};
        }
        default:
            return client;
    }
}

SIZE LineExtent(HDC dc, const std::wstring& text) {
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    size.cy = std::max<LONG>(size.cy, metrics.tmHeight);
    return size;
}

// Wrapped to `width` as a static text control wraps it, by the function the control draws with:
// where that keeps a word longer than the width whole, the result is wider than the width.
SIZE WrappedExtent(HDC dc, const std::wstring& text, int width, UINT flags) {
    RECT rect{0, 0, width, 0};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect,
              DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | flags);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

// The drawing flags a static text control adds for its style.
UINT StaticFlags(DWORD style) {
    UINT flags = 0;
    if ((style & SS_NOPREFIX) != 0) {
        flags |= DT_NOPREFIX;
    }
    if ((style & SS_EDITCONTROL) != 0) {
        flags |= DT_EDITCONTROL;
    }
    return flags;
}

TextFit Measure(HWND control, Kind kind, HFONT font) {
    TextFit fit;
    fit.id = GetDlgCtrlID(control);
    fit.kind = KindName(kind);
    fit.text = ControlText(control).value_or(L"");
    RECT client{};
    GetClientRect(control, &client);
    const WindowDc dc(GetDC(control), DcReleaser{control});
    const win32::Selection selected(dc.get(), font);
    fit.room = Room(kind, dc.get(), {client.right - client.left, client.bottom - client.top});
    const auto style = static_cast<DWORD>(GetWindowLongW(control, GWL_STYLE));
    fit.oneLine = LineExtent(dc.get(), fit.text).cx;
    if (kind == Kind::Wrapping) {
        fit.needed = WrappedExtent(dc.get(), fit.text, fit.room.cx, StaticFlags(style));
    } else if (kind == Kind::CheckBox && (style & BS_MULTILINE) != 0) {
        fit.needed = WrappedExtent(dc.get(), fit.text, fit.room.cx, 0);
    } else {
        fit.needed = LineExtent(dc.get(), fit.text);
    }
    fit.fits = fit.needed.cx <= fit.room.cx && fit.needed.cy <= fit.room.cy;
    return fit;
}

struct Collected {
    HWND dialog;
    HFONT font;
    std::vector<TextFit> fits;
};

BOOL CALLBACK CollectControl(HWND control, LPARAM data) {
    auto& collected = *reinterpret_cast<Collected*>(data);
    // Only the dialog's own controls (a message box has no deeper ones), and only those shown
    // with it.
    const auto style = static_cast<DWORD>(GetWindowLongW(control, GWL_STYLE));
    if (GetParent(control) != collected.dialog || (style & WS_VISIBLE) == 0) {
        return TRUE;
    }
    if (const auto kind = KindOf(control)) {
        collected.fits.push_back(Measure(control, *kind, collected.font));
    }
    return TRUE;
}

INT_PTR CALLBACK InertDialog(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}

// A copy of the template that does not show itself when made.
std::vector<unsigned char> HiddenTemplate(const void* data, DWORD size) {
    std::vector<unsigned char> bytes(static_cast<const unsigned char*>(data),
                                     static_cast<const unsigned char*>(data) + size);
    // DLGTEMPLATEEX starts with version 1 and 0xFFFF; its style is at byte 12. A DLGTEMPLATE
    // starts with its style.
    const bool extended =
        size >= 16 && bytes[0] == 1 && bytes[1] == 0 && bytes[2] == 0xFF && bytes[3] == 0xFF;
    const std::size_t at = extended ? 12 : 0;
    if (bytes.size() >= at + 4) {
        DWORD style = 0;
        std::memcpy(&style, &bytes[at], sizeof style);
        style &= ~static_cast<DWORD>(WS_VISIBLE);
        std::memcpy(&bytes[at], &style, sizeof style);
    }
    return bytes;
}

Font CopyOf(HFONT font) {
    LOGFONTW description{};
    if (font == nullptr || GetObjectW(font, sizeof description, &description) == 0) {
        return Font(static_cast<HFONT>(nullptr));
    }
    return Font(CreateFontIndirectW(&description));
}

struct TemplateSearch {
    std::wstring caption;
    Font font;
};

// The font of one template when its caption is the one searched for.
Font FontIfCaptioned(HMODULE module, LPCWSTR name, const std::wstring& caption) {
    const HRSRC resource = FindResourceW(module, name, MAKEINTRESOURCEW(5));  // RT_DIALOG
    const HGLOBAL loaded = resource != nullptr ? LoadResource(module, resource) : nullptr;
    const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (data == nullptr) {
        return Font(static_cast<HFONT>(nullptr));
    }
    const auto bytes = HiddenTemplate(data, SizeofResource(module, resource));
    const win32::UniqueWindow dialog(CreateDialogIndirectParamW(
        GetModuleHandleW(nullptr), reinterpret_cast<LPCDLGTEMPLATEW>(bytes.data()), nullptr,
        &InertDialog, 0));
    if (!dialog) {
        return Font(static_cast<HFONT>(nullptr));
    }
    wchar_t text[256] = L"";
    GetWindowTextW(dialog.get(), text, 256);
    if (caption != text) {
        return Font(static_cast<HFONT>(nullptr));
    }
    return CopyOf(reinterpret_cast<HFONT>(SendMessageW(dialog.get(), WM_GETFONT, 0, 0)));
}

BOOL CALLBACK SearchTemplate(HMODULE module, LPCWSTR, LPWSTR name, LONG_PTR data) {
    auto& search = *reinterpret_cast<TemplateSearch*>(data);
    search.font = FontIfCaptioned(module, name, search.caption);
    return search.font ? FALSE : TRUE;
}

}  // namespace

std::vector<TextFit> MeasureTexts(HWND dialog, HFONT font) {
    Collected collected{dialog, font, {}};
    EnumChildWindows(dialog, &CollectControl, reinterpret_cast<LPARAM>(&collected));
    return collected.fits;
}

Font TemplateFont(const std::wstring& module, const std::wstring& caption) {
    const win32::LoadedModule resources(LoadLibraryExW(
        module.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
    if (!resources) {
        return Font(static_cast<HFONT>(nullptr));
    }
    TemplateSearch search{caption, Font(static_cast<HFONT>(nullptr))};
    EnumResourceNamesW(resources.get(), MAKEINTRESOURCEW(5), &SearchTemplate,
                       reinterpret_cast<LONG_PTR>(&search));
    return std::move(search.font);
}

Font MessageBoxFont() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
        return Font(static_cast<HFONT>(nullptr));
    }
    return Font(CreateFontIndirectW(&metrics.lfMessageFont));
}

}  // namespace rtdriver
