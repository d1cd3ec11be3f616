#pragma once
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "report_tool/reading/text_encoding.h"

// Makes the site of a set of reports in a folder, or brings a site made there before up to date:
// a report whose size and time are those it had is taken as it was; one whose size or time
// changed is hashed, and read again only when its bytes changed; the pages of reports no longer
// given are removed, and the board pages and the index are made again when any of their reports
// changed. Every report is read again when its serial number is to be read in another code page
// (`serialCodePage`, see ShowText) than before. Every file is replaced whole and durably, and the
// site's manifest names every file it wrote, so an interrupted run leaves a site the next run
// completes, and no run touches a file the site did not write. A folder that is neither empty nor
// a site is left alone.
struct SiteOutcome {
    // Why the folder was not used (it is not a site and not empty); empty when it was.
    std::string refusal;
    std::vector<std::string> failures;  // "NAME: cannot be written", for files not written
    std::size_t reports = 0;
    std::size_t boards = 0;
    std::size_t added = 0;    // read for the first time
    std::size_t changed = 0;  // read again, their bytes having changed
    std::size_t touched = 0;  // size or time changed, bytes the same: not read again
    std::size_t removed = 0;  // no longer given: their pages removed
    std::size_t boardPages = 0;
    bool indexWritten = false;
};

SiteOutcome BuildSite(const std::vector<std::filesystem::path>& reports,
                      const std::filesystem::path& folder,
                      const std::optional<CodePage>& serialCodePage = {});
