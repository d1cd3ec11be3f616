#pragma once
#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "report_tool/reading/text_encoding.h"
#include "report_tool/summary/summary_row.h"

// What a site remembers between runs, in its folder: each report it was made from (where, its
// size, time and content hash when it was read) with the report's summary row, so that a run reads
// again only the reports that changed and still makes the index and board pages of all; and every
// file it wrote, so that it removes its own pages and nothing else.
struct SiteEntry {
    std::string source;  // the report's absolute path, UTF-8: its identity
    std::uintmax_t size = 0;
    std::int64_t modified = 0;  // the file system's time stamp, in its own ticks
    std::string digest;         // of the bytes read; empty when the file could not be read
    SummaryRow row;
};

struct SiteManifest {
    std::vector<SiteEntry> reports;
    std::set<std::string> files;  // relative to the site's folder, with '/'
    // How the rows' serial numbers were read: SerialReading of the run's --encoding. Rows read
    // otherwise are read again.
    std::string serialReading;
};

// "cp932" for a code page named; for none, a word of its own (UTF-8 where it is, else cp1252).
std::string SerialReading(const std::optional<CodePage>& serialCodePage);

// The manifest as text: a line naming the format, one naming this program's version, one how
// serial numbers were read, a line per file and one per report, its fields separated by blanks (in
// text, any byte but printable ASCII as %XX, so that nothing a report says can break a line). Lines
// of plain fields, as a site of many thousand reports reads and writes it on every run.
std::string ManifestText(const std::vector<const SiteEntry*>& reports,
                         const std::set<std::string>& files, std::string_view serialReading);
std::string ManifestText(const SiteManifest& manifest);

// A manifest read back. None when the text is not a site's manifest. Files that are not names the
// site makes are left out (a manifest edited by hand never makes the site remove another file);
// the reports are left out when another version wrote them, or any cannot be read, so that every
// page is made again by this version.
std::optional<SiteManifest> ParseManifest(std::string_view text);

// The journal of files a run is about to write: one name a line.
std::string PendingText(const std::set<std::string>& files);
std::set<std::string> ParsePending(std::string_view text);
