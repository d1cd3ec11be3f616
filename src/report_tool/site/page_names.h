#pragma once
#include <array>
#include <string>
#include <string_view>

// The site's file names, made from text a report brings (its serial number) or from where it lies.
// Whatever the text, a name stays inside its folder and is valid on every file system: a readable
// part of at most 40 ASCII letters (lower case), digits, '-' and '_', then '-' and a hash of the
// exact bytes, then ".html". So no separator, dot, reserved device name (CON, NUL, COM1 ...),
// control character or trailing blank reaches the file system, and two texts that differ in any
// byte, letter case included, get different names on file systems that fold case as on those
// that do not.

// The files at the site's top: its index, style and script, and the manifest that tells which
// reports the pages were made from, with the journal of the pages a run is about to write.
namespace site_files {
inline constexpr std::string_view kIndex = "index.html";
inline constexpr std::string_view kStyle = "site.css";
inline constexpr std::string_view kScript = "site.js";
inline constexpr std::string_view kManifest = "rimtrace-site.manifest";
inline constexpr std::string_view kPending = "rimtrace-site.pending";
// The folders of the board pages and of the report pages.
inline constexpr std::string_view kBoardFolder = "boards";
inline constexpr std::string_view kReportFolder = "reports";
// The files of the top that a run rewrites and may remove; the manifest and journal are kept.
inline constexpr std::array<std::string_view, 3> kTopPages = {kIndex, kStyle, kScript};
}  // namespace site_files

// "boards/<name>.html", the page of the board with this serial number (bytes as written).
std::string BoardPageName(std::string_view serialBytes);
// "reports/<name>.html", the page of the report at this path (UTF-8, absolute).
std::string ReportPageName(std::string_view sourcePath);
// Whether `name` is one of the pages the site makes: a name above, or its index, style or script.
bool IsSiteFileName(std::string_view name);
