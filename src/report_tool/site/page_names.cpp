#include "report_tool/site/page_names.h"

#include <algorithm>

#include "report_tool/site/content_hash.h"

namespace {

constexpr std::size_t kReadableLength = 40;
constexpr std::size_t kHashLength = 16;
constexpr std::string_view kExtension = ".html";

bool IsSlugCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_';
}

// The readable part: ASCII letters in lower case and digits kept, every run of anything else one
// '-', none at either end.
std::string Readable(std::string_view text, std::string_view otherwise) {
    std::string slug;
    for (char c : text) {
        const char lower = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
        if (IsSlugCharacter(lower) && lower != '-') {
            slug += lower;
        } else if (!slug.empty() && slug.back() != '-') {
            slug += '-';
        }
        if (slug.size() == kReadableLength) {
            break;
        }
    }
    while (!slug.empty() && slug.back() == '-') {
        slug.pop_back();
    }
    return slug.empty() ? std::string(otherwise) : slug;
}

std::string_view LastComponent(std::string_view path) {
    const std::size_t slash = path.find_last_of("/\\");
    path = slash == std::string_view::npos ? path : path.substr(slash + 1);
    const std::size_t dot = path.rfind('.');
    return dot == std::string_view::npos || dot == 0 ? path : path.substr(0, dot);
}

bool IsPageFileName(std::string_view name) {
    if (!name.ends_with(kExtension)) {
        return false;
    }
    name.remove_suffix(kExtension.size());
    if (name.size() < kHashLength + 2 || name.size() > kReadableLength + 1 + kHashLength ||
        name[name.size() - kHashLength - 1] != '-') {
        return false;
    }
    const std::string_view hash = name.substr(name.size() - kHashLength);
    return std::all_of(name.begin(), name.end(), IsSlugCharacter) &&
           std::all_of(hash.begin(), hash.end(),
                       [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); });
}

// "folder/<readable>-<hash>.html", put together in one string.
std::string PageName(std::string_view folder, std::string_view readable, std::string_view hashed) {
    std::string name;
    name.reserve(folder.size() + kReadableLength + kHashLength + 8);
    name.append(folder).append("/").append(readable).append("-").append(NameHash(hashed));
    return name.append(kExtension);
}

}  // namespace

std::string BoardPageName(std::string_view serialBytes) {
    return PageName(site_files::kBoardFolder, Readable(serialBytes, "board"), serialBytes);
}

std::string ReportPageName(std::string_view sourcePath) {
    return PageName(site_files::kReportFolder, Readable(LastComponent(sourcePath), "report"),
                    sourcePath);
}

bool IsSiteFileName(std::string_view name) {
    if (std::find(site_files::kTopPages.begin(), site_files::kTopPages.end(), name) !=
        site_files::kTopPages.end()) {
        return true;
    }
    for (std::string_view folder : {site_files::kBoardFolder, site_files::kReportFolder}) {
        if (name.starts_with(folder) && name.substr(folder.size()).starts_with('/')) {
            return IsPageFileName(name.substr(folder.size() + 1));
        }
    }
    return false;
}
