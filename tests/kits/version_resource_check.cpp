// Reads the version resource of each program named on the command line as Windows shows it in
// the file's properties (GetFileVersionInfo, the first translation the file lists) and compares
// it with the project's version this check was built with. One line per program, and one per
// wrong field; exit code 0 when every program is right, 1 when any is not, 2 for no arguments.
#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace {

const std::wstring kVersion = L"" RIMTRACE_EXPECTED_VERSION;
constexpr WORD kMajor = RIMTRACE_EXPECTED_MAJOR;
constexpr WORD kMinor = RIMTRACE_EXPECTED_MINOR;
constexpr WORD kPatch = RIMTRACE_EXPECTED_PATCH;

class VersionResource {
  public:
    explicit VersionResource(const std::wstring& path) {
        DWORD ignored = 0;
        const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
        if (size == 0) {
            return;
        }
        data_.resize(size);
        if (!GetFileVersionInfoW(path.c_str(), 0, size, data_.data())) {
            data_.clear();
        }
    }

    bool present() const { return !data_.empty(); }

    const VS_FIXEDFILEINFO* fixed() const {
        return static_cast<const VS_FIXEDFILEINFO*>(query(L"\\"));
    }

    // A text of the string table the file names first under \VarFileInfo\Translation.
    std::optional<std::wstring> text(const wchar_t* name) const {
        const auto* translation = static_cast<const WORD*>(query(L"\\VarFileInfo\\Translation"));
        if (translation == nullptr) {
            return std::nullopt;
        }
        wchar_t key[128];
        std::swprintf(key, 128, L"\\StringFileInfo\\%04x%04x\\%ls", translation[0], translation[1],
                      name);
        const auto* value = static_cast<const wchar_t*>(query(key));
        return value != nullptr ? std::optional(std::wstring(value)) : std::nullopt;
    }

  private:
    const void* query(const wchar_t* block) const {
        void* value = nullptr;
        UINT length = 0;
        auto* data = const_cast<unsigned char*>(data_.data());
        if (!VerQueryValueW(data, block, &value, &length) || length == 0) {
            return nullptr;
        }
        return value;
    }

    std::vector<unsigned char> data_;
};

std::wstring Dotted(DWORD high, DWORD low) {
    return std::to_wstring(HIWORD(high)) + L"." + std::to_wstring(LOWORD(high)) + L"." +
           std::to_wstring(HIWORD(low)) + L"." + std::to_wstring(LOWORD(low));
}

// Prints what is wrong with one field; returns whether it is right.
bool Expect(const std::wstring& file, const wchar_t* field,
            const std::optional<std::wstring>& found, const std::wstring& expected) {
    if (found == expected) {
        return true;
    }
    std::wprintf(L"%ls: %ls is %ls, expected \"%ls\"\n", file.c_str(), field,
                 found ? (L"\"" + *found + L"\"").c_str() : L"missing", expected.c_str());
    return false;
}

bool Check(const std::wstring& path) {
    const std::wstring file = std::filesystem::path(path).filename().wstring();
    const VersionResource resource(path);
    if (!resource.present()) {
        std::wprintf(L"%ls: no version resource (error %lu)\n", path.c_str(), GetLastError());
        return false;
    }
    const VS_FIXEDFILEINFO* fixed = resource.fixed();
    if (fixed == nullptr || fixed->dwSignature != VS_FFI_SIGNATURE) {
        std::wprintf(L"%ls: no fixed file information\n", file.c_str());
        return false;
    }
    const std::wstring numbers = std::to_wstring(kMajor) + L"." + std::to_wstring(kMinor) + L"." +
                                 std::to_wstring(kPatch) + L".0";
    bool right = Expect(file, L"the file version number",
                        Dotted(fixed->dwFileVersionMS, fixed->dwFileVersionLS), numbers);
    right &= Expect(file, L"the product version number",
                    Dotted(fixed->dwProductVersionMS, fixed->dwProductVersionLS), numbers);
    right &= Expect(file, L"FileVersion", resource.text(L"FileVersion"), kVersion);
    right &= Expect(file, L"ProductVersion", resource.text(L"ProductVersion"), kVersion);
    right &= Expect(file, L"ProductName", resource.text(L"ProductName"), L"rimtrace");
    right &=
        Expect(file, L"CompanyName", resource.text(L"CompanyName"), L"LUMORA Technologies Inc.");
    right &= Expect(file, L"OriginalFilename", resource.text(L"OriginalFilename"), file);
    const auto description = resource.text(L"FileDescription");
    if (!description || description->empty()) {
        std::wprintf(L"%ls: FileDescription is missing\n", file.c_str());
        right = false;
    }
    if (right) {
        std::wprintf(L"%ls: version %ls (%ls), \"%ls\"\n", file.c_str(), kVersion.c_str(),
                     numbers.c_str(), description->c_str());
    }
    return right;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        std::fputs("usage: version_resource_check PROGRAM.exe...\n", stderr);
        return 2;
    }
    bool right = true;
    for (int i = 1; i < argc; ++i) {
        right &= Check(argv[i]);
    }
    return right ? 0 : 1;
}
