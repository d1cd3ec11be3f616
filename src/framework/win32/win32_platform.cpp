#include "framework/win32/win32_platform.h"

#include <commctrl.h>
#include <commdlg.h>
#include <shlobj.h>

#include <algorithm>
#include <climits>

#include "framework/command_line.h"
#include "framework/win32/win32_bitmap.h"

namespace win32 {
namespace {

// Longer than any path Windows can hand out (32767 characters), so a buffer this size that is
// still full means something is wrong rather than that the path is long.
constexpr std::size_t kPathLimit = 65536;
// Room for the file dialog's answer: any path the system can produce.
constexpr std::size_t kFileDialogBuffer = 32768;

std::wstring Terminated(std::wstring_view text) {
    return std::wstring(text);
}

// A known folder of the current user; empty when the system has none for them.
std::wstring KnownFolder(REFKNOWNFOLDERID folder) {
    PWSTR raw = nullptr;
    const HRESULT result = SHGetKnownFolderPath(folder, 0, nullptr, &raw);
    const CoTaskMem<wchar_t> path(raw);  // freed on failure too
    if (FAILED(result) || !path) {
        return {};
    }
    return std::wstring(path.get());
}

class Win32Library : public fw::Library {
  public:
    explicit Win32Library(LoadedModule module) : module_(std::move(module)) {}
    void* symbol(const char* name) const override {
        return reinterpret_cast<void*>(GetProcAddress(module_.get(), name));
    }

  private:
    LoadedModule module_;
};

// One run at a time in the user's session (the Local namespace is the session's). Its owner is
// the thread that claimed it: the GUI thread, which also lets it go.
constexpr wchar_t kRunMutex[] = L"Local\\LUMORA.rimtrace.run";
// The property that marks the main window of the run holding the mutex, for a second start to
// find it.
constexpr wchar_t kMainWindowMark[] = L"LUMORA.rimtrace.main";

class MutexRunLock : public fw::RunLock {
  public:
    explicit MutexRunLock(UniqueHandle mutex) : mutex_(std::move(mutex)) {}
    ~MutexRunLock() override {
        if (mutex_) {
            ReleaseMutex(mutex_.get());
        }
    }
    MutexRunLock(const MutexRunLock&) = delete;
    MutexRunLock& operator=(const MutexRunLock&) = delete;

  private:
    UniqueHandle mutex_;
};

BOOL CALLBACK FindMarkedWindow(HWND window, LPARAM found) {
    if (GetPropW(window, kMainWindowMark) == nullptr) {
        return TRUE;
    }
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

struct MonitorEnumeration {
    bool (*proc)(HMONITOR, void*);
    void* user;
};

BOOL CALLBACK EnumerateMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
    const auto* enumeration = reinterpret_cast<const MonitorEnumeration*>(data);
    return enumeration->proc(monitor, enumeration->user) ? TRUE : FALSE;
}

}  // namespace

Win32Platform::Win32Platform(HINSTANCE instance) : instance_(instance) {
    fw::SetCurrentPlatform(this);
}

Win32Platform::~Win32Platform() {
    // A modeless dialog still open gets its normal end while the platform can still serve it.
    for (const auto& binding : modeless_) {
        if (!binding->closed()) {
            DestroyWindow(binding->window());
        }
    }
    fw::SetCurrentPlatform(nullptr);
}

void Win32Platform::initCommonControls() {
    InitCommonControls();
}

void Win32Platform::enableControlContainer() {
    if (!ole_) {
        ole_.emplace();
    }
}

std::unique_ptr<fw::RunLock> Win32Platform::claimOnlyRun() {
    UniqueHandle mutex(CreateMutexW(nullptr, FALSE, kRunMutex));
    if (!mutex) {
        // Without the mutex the test runs unguarded, as it would have before there was one.
        return std::make_unique<MutexRunLock>(nullptr);
    }
    // WAIT_ABANDONED: the run that held it died; its restore record is this run's to give back.
    const DWORD wait = WaitForSingleObject(mutex.get(), 0);
    if (wait == WAIT_TIMEOUT) {
        return nullptr;
    }
    if (wait == WAIT_FAILED) {
        mutex.reset();  // not owned, so nothing to release
    }
    return std::make_unique<MutexRunLock>(std::move(mutex));
}

void Win32Platform::showRunningTest() {
    HWND main = nullptr;
    EnumWindows(&FindMarkedWindow, reinterpret_cast<LPARAM>(&main));
    if (main == nullptr) {
        return;  // not open yet, or already closing
    }
    // Asynchronously: a run that hangs must not hang this one too.
    if (IsIconic(main)) {
        ShowWindowAsync(main, SW_RESTORE);
    }
    // The dialog the test shows (the end-of-test dialog, a message) rather than the window it
    // disables.
    SetForegroundWindow(GetLastActivePopup(main));
}

std::wstring Win32Platform::commandLine() {
    return std::wstring(fw::ArgumentsAfterProgramName(GetCommandLineW()));
}

std::uint32_t Win32Platform::tickCount() {
    return GetTickCount();
}

LocalDateTime Win32Platform::localTime() {
    SYSTEMTIME t{};
    GetLocalTime(&t);
    return {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond};
}

void Win32Platform::messageBeep(unsigned type) {
    MessageBeep(type);
}

void Win32Platform::debugOutput(std::wstring_view text) {
    OutputDebugStringW(Terminated(text).c_str());
}

std::wstring Win32Platform::loadString(unsigned id) {
    // With a zero buffer size LoadString hands out the resource's own text and its length.
    const wchar_t* text = nullptr;
    const int length = LoadStringW(instance_, id, reinterpret_cast<LPWSTR>(&text), 0);
    if (length <= 0 || text == nullptr) {
        return {};
    }
    return std::wstring(text, static_cast<std::size_t>(length));
}

std::unique_ptr<fw::Bitmap> Win32Platform::loadBitmap(unsigned id) {
    GdiObject<HBITMAP> bitmap(static_cast<HBITMAP>(
        LoadImageW(instance_, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));
    if (!bitmap) {
        return nullptr;
    }
    BITMAP info{};
    if (GetObjectW(bitmap.get(), sizeof info, &info) == 0) {
        return nullptr;
    }
    return std::make_unique<Win32Bitmap>(id, std::move(bitmap),
                                         fw::Size{info.bmWidth, info.bmHeight});
}

HICON Win32Platform::loadIcon(unsigned id) {
    // A shared icon: the system keeps it for the life of the process.
    return LoadIconW(instance_, MAKEINTRESOURCEW(id));
}

HWND Win32Platform::defaultOwner() const {
    const HWND main = mainWindow_ != nullptr ? mainWindow_->GetSafeHwnd() : nullptr;
    if (main == nullptr || !IsWindow(main)) {
        return nullptr;
    }
    return GetLastActivePopup(main);
}

std::intptr_t Win32Platform::runModal(fw::CDialog& dialog) {
    DialogBinding binding(dialog, &dialog == mainWindow_ ? kMainWindowMark : nullptr);
    return DialogBoxParamW(instance_, MAKEINTRESOURCEW(dialog.templateId()), defaultOwner(),
                           &DialogBinding::Procedure, reinterpret_cast<LPARAM>(&binding));
}

bool Win32Platform::createModeless(fw::CDialog& dialog) {
    std::erase_if(modeless_, [](const auto& binding) { return binding->closed(); });
    modeless_.push_back(std::make_unique<DialogBinding>(dialog));
    const HWND window = CreateDialogParamW(instance_, MAKEINTRESOURCEW(dialog.templateId()),
                                           defaultOwner(), &DialogBinding::Procedure,
                                           reinterpret_cast<LPARAM>(modeless_.back().get()));
    if (window == nullptr) {
        modeless_.pop_back();
        return false;
    }
    return true;
}

int Win32Platform::messageBox(std::wstring_view text, std::wstring_view caption, unsigned style) {
    return MessageBoxW(defaultOwner(), Terminated(text).c_str(), Terminated(caption).c_str(),
                       style);
}

std::optional<std::wstring> Win32Platform::saveAsDialog(std::wstring_view initialName,
                                                        unsigned flags) {
    std::wstring buffer(std::max(kFileDialogBuffer, initialName.size() + 1), L'\0');
    std::copy(initialName.begin(), initialName.end(), buffer.begin());
    OPENFILENAMEW request{};
    request.lStructSize = sizeof request;
    request.hwndOwner = defaultOwner();
    request.lpstrFile = buffer.data();
    request.nMaxFile = static_cast<DWORD>(std::min<std::size_t>(buffer.size(), MAXDWORD));
    request.Flags = flags;
    if (!GetSaveFileNameW(&request)) {
        return std::nullopt;
    }
    buffer.resize(std::wcslen(buffer.c_str()));
    return buffer;
}

std::wstring Win32Platform::appName() {
    // The framework names the application after its executable, without folder and extension.
    std::wstring name = modulePath();
    name.erase(0, name.find_last_of(L"\\/") + 1);
    const std::size_t dot = name.find_last_of(L'.');
    if (dot != std::wstring::npos) {
        name.erase(dot);
    }
    return name;
}

HMONITOR Win32Platform::monitorFromRect(const fw::Rect& rect) {
    const RECT r{rect.left, rect.top, rect.right, rect.bottom};
    return MonitorFromRect(&r, MONITOR_DEFAULTTONEAREST);
}

std::optional<fw::Rect> Win32Platform::monitorRect(HMONITOR monitor) {
    MONITORINFOEXW info{};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoW(monitor, &info)) {
        return std::nullopt;
    }
    const RECT& r = info.rcMonitor;
    return fw::Rect{r.left, r.top, r.right, r.bottom};
}

void Win32Platform::enumDisplayMonitors(bool (*proc)(HMONITOR, void*), void* user) {
    MonitorEnumeration enumeration{proc, user};
    EnumDisplayMonitors(nullptr, nullptr, &EnumerateMonitor,
                        reinterpret_cast<LPARAM>(&enumeration));
}

fw::Size Win32Platform::primaryScreenSize() {
    return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

HWND Win32Platform::findWindowByClass(std::wstring_view className) {
    return FindWindowW(Terminated(className).c_str(), nullptr);
}

std::intptr_t Win32Platform::sendMessage(HWND window, unsigned message, std::uintptr_t wParam,
                                         std::intptr_t lParam) {
    return SendMessageW(window, message, wParam, lParam);
}

std::string Win32Platform::toAnsi(std::wstring_view text) {
    // GDI and the conversion count in int; a text beyond that converts to nothing.
    if (text.empty() || text.size() > static_cast<std::size_t>(INT_MAX)) {
        return {};
    }
    const int length = static_cast<int>(text.size());
    const int needed =
        WideCharToMultiByte(CP_ACP, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    if (needed <= 0) {
        return {};
    }
    std::string out(static_cast<std::size_t>(needed), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), length, out.data(), needed, nullptr, nullptr);
    return out;
}

std::string Win32Platform::toAnsiPath(std::wstring_view path) {
    if (path.empty() || path.size() > static_cast<std::size_t>(INT_MAX)) {
        return toAnsi(path);
    }
    BOOL lossy = FALSE;
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, path.data(), static_cast<int>(path.size()),
                        nullptr, 0, nullptr, &lossy);
    if (!lossy) {
        return toAnsi(path);
    }
    const std::wstring longPath(path);
    const DWORD needed = GetShortPathNameW(longPath.c_str(), nullptr, 0);
    if (needed == 0) {
        return toAnsi(path);
    }
    std::wstring shortPath(needed, L'\0');
    const DWORD written = GetShortPathNameW(longPath.c_str(), shortPath.data(), needed);
    if (written == 0 || written >= needed) {
        return toAnsi(path);
    }
    shortPath.resize(written);
    return toAnsi(shortPath);
}

std::wstring Win32Platform::modulePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) {
            return {};
        }
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        // The path filled the buffer, so it may have been cut: try again with more room.
        if (path.size() >= kPathLimit) {
            return {};
        }
        path.resize(path.size() * 2);
    }
}

std::wstring Win32Platform::documentsFolder() {
    return KnownFolder(FOLDERID_Documents);
}

std::wstring Win32Platform::localAppDataFolder() {
    return KnownFolder(FOLDERID_LocalAppData);
}

std::optional<std::wstring> Win32Platform::environmentVariable(std::wstring_view name) {
    const std::wstring key(name);
    SetLastError(ERROR_SUCCESS);
    const DWORD needed = GetEnvironmentVariableW(key.c_str(), nullptr, 0);
    if (needed == 0) {
        // Zero is both "not set" and "set to nothing".
        if (GetLastError() == ERROR_ENVVAR_NOT_FOUND) {
            return std::nullopt;
        }
        return std::wstring();
    }
    std::wstring value(needed, L'\0');
    const DWORD length = GetEnvironmentVariableW(key.c_str(), value.data(), needed);
    if (length == 0 || length >= needed) {
        return std::nullopt;  // changed between the two calls; not worth a retry
    }
    value.resize(length);
    return value;
}

std::unique_ptr<fw::Library> Win32Platform::loadLibrary(std::wstring_view name) {
    LoadedModule module(LoadLibraryW(Terminated(name).c_str()));
    if (!module) {
        return nullptr;
    }
    return std::make_unique<Win32Library>(std::move(module));
}

}  // namespace win32
