#include "report_names.h"

#include <array>

namespace fs = std::filesystem;

namespace {

std::wstring Letters(RandomSource& rng, std::size_t count) {
    constexpr std::wstring_view kAlphabet = L"abcdefghijklmnopqrstuvwxyz0123456789-_";
    std::wstring text;
    for (std::size_t i = 0; i < count; ++i) {
        text.push_back(kAlphabet[rng.below(kAlphabet.size())]);
    }
    return text;
}

// Joined as text: the headless host's narrow file system cannot hold every wide name.
std::wstring Under(const fs::path& folder, std::wstring_view name) {
    return folder.wstring() + L"/" + std::wstring(name);
}

}  // namespace

ReportName RandomReportName(RandomSource& rng, const RunFolder& folder) {
    const std::wstring base = Letters(rng, static_cast<std::size_t>(rng.between(1, 12)));
    switch (rng.below(16)) {
        case 0:
            return {Under(folder.out(), base + L".pts"), NameKind::Plain};
        case 1:
            return {Under(folder.out(), base), NameKind::Plain};  // no extension
        case 2:
            return {L"rel-" + base + L".pts", NameKind::Plain};  // relative to the working folder
        case 3: {
            const std::wstring name = Under(folder.out(), L"again-" + base + L".pts");
            folder.placeOldFile(name);
            return {name, NameKind::Plain};
        }
        case 4:
        case 15:
            // Cleared, often on purpose: the user wants no report.
            return {L"", NameKind::Empty};
        case 5:
            return {Under(folder.root() / ("missing-" + fs::path(base).string()), L"board.pts"),
                    NameKind::Unwritable};
        case 6:
            return {Under(folder.blocker(), L"board.pts"), NameKind::Unwritable};
        case 7:
            return {folder.folderAsName().wstring(), NameKind::Unwritable};
        case 8:
            return {folder.out().wstring() + L"/", NameKind::Unwritable};  // names no file
        case 9: {
            // Longer than any path may be, through folders that do not exist.
            fs::path deep = folder.root() / "deep";
            for (int i = 0; i < 20; ++i) {
                deep /= std::wstring(250, static_cast<wchar_t>(L'a' + i));
            }
            return {Under(deep, L"board.pts"), NameKind::Unwritable};
        }
        case 10:
            return {Under(folder.out(), std::wstring(300, L'r') + L".pts"),
                    NameKind::NeedsDefaultName};
        case 11: {
            constexpr std::array<std::wstring_view, 3> kNames = {
                L"Bericht-\u00dcbersicht.pts", L"\u62a5\u544a.pts", L"\u0442\u0435\u0441\u0442"};
            return {Under(folder.out(), kNames[rng.below(kNames.size())]),
                    NameKind::NeedsDefaultName};
        }
        case 12:
            return {Under(folder.out(), L"a<b>c|d?e*f\"g.pts"), NameKind::SystemDependent};
        case 13:
            return {L"C:\\Reports\\" + base + L".pts", NameKind::SystemDependent};
        default:
            return {Under(folder.out(), base + L".pts. "), NameKind::SystemDependent};
    }
}

std::wstring RandomSerial(RandomSource& rng) {
    switch (rng.below(8)) {
        case 0:
            return L"";
        case 1:
            return L"SN-" + std::to_wstring(rng.below(1000000));
        case 2:
            return L"\u00dcBERT-\u00df-\u00e9 " + std::to_wstring(rng.below(100));  // Latin-1
        case 3:
            return L"\u677f-" + std::to_wstring(rng.below(100));  // outside the code page
        case 4:
            return std::wstring(static_cast<std::size_t>(rng.between(100, 600)), L'7');
        case 5:
            return L"  # left  ";
        case 6:
            return L"SN-1\r\n# left\r\n1\r\n5,5";  // a pasted block that forges a section
        default: {
            constexpr std::array<wchar_t, 7> kControls = {L'\n',   L'\r',   L'\t',  L'\0',
                                                          L'\x7f', L'\x1b', L'\x0b'};
            std::wstring text = L"SN-";
            for (int i = 0; i < 4; ++i) {
                text.push_back(kControls[rng.below(kControls.size())]);
                text.push_back(static_cast<wchar_t>(L'0' + rng.below(10)));
            }
            return text;
        }
    }
}
