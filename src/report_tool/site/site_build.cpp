#include "report_tool/site/site_build.h"

#include <algorithm>
#include <map>
#include <set>
#include <string_view>
#include <system_error>
#include <unordered_map>
#include <unordered_set>

#include "framework/file_replace.h"
#include "report_tool/grading/report_check.h"
#include "report_tool/parallel_map.h"
#include "report_tool/picture/report_page.h"
#include "report_tool/reading/text_encoding.h"
#include "report_tool/site/board_page.h"
#include "report_tool/site/content_hash.h"
#include "report_tool/site/index_page.h"
#include "report_tool/site/page_names.h"
#include "report_tool/site/site_manifest.h"
#include "report_tool/site/site_rows.h"
#include "report_tool/site/site_style.h"

namespace fs = std::filesystem;

namespace {

// A manifest of a million reports stays well below this.
constexpr std::size_t kManifestLimit = std::size_t{1} << 30;
// Each page is flushed to the disk before it replaces the old one, so a writer mostly waits: more
// writers than cores keep the cores busy.
constexpr unsigned kWritersPerCore = 4;

fs::path InSite(const fs::path& folder, std::string_view name) {
    return folder / PathFromUtf8(name);
}

bool Exists(const fs::path& path) {
    std::error_code error;
    return fs::exists(path, error);
}

std::optional<std::string> ReadIfThere(const fs::path& path) {
    return Exists(path) ? ReadSmallFile(path, kManifestLimit) : std::nullopt;
}

// A folder where an interrupted first run may have left only the temporary file of its manifest.
bool IsEmptyButForTemporaries(const fs::path& folder) {
    std::error_code error;
    for (auto it = fs::directory_iterator(folder, error); !error && it != fs::directory_iterator();
         it.increment(error)) {
        if (!IsReplacementTemporary(it->path())) {
            return false;
        }
    }
    return !error;
}

// The folder as a site: its manifest, with the files of an interrupted run's journal among those
// it wrote; a new site when the folder is empty or not there (its empty manifest written at once,
// so that the folder is known as a site even if this run is interrupted). None, and why, when the
// folder is neither.
std::optional<SiteManifest> OpenSite(const fs::path& folder, std::set<std::string>& journal,
                                     SiteOutcome& result) {
    std::string& refusal = result.refusal;
    std::error_code error;
    const fs::file_status status = fs::status(folder, error);
    if (status.type() != fs::file_type::not_found && !fs::is_directory(status)) {
        refusal = error ? error.message() : "it is not a folder";
        return std::nullopt;
    }
    const fs::path manifestPath = InSite(folder, site_files::kManifest);
    if (const auto text = ReadIfThere(manifestPath)) {
        auto manifest = ParseManifest(*text);
        if (!manifest) {
            refusal = "its " + std::string(site_files::kManifest) +
                      " is not the manifest of a site this program made";
            return std::nullopt;
        }
        if (const auto pending = ReadIfThere(InSite(folder, site_files::kPending))) {
            journal = ParsePending(*pending);
            manifest->files.insert(journal.begin(), journal.end());
        }
        return manifest;
    }
    if (Exists(manifestPath)) {
        refusal = "its " + std::string(site_files::kManifest) + " cannot be read";
        return std::nullopt;
    }
    if (Exists(folder) && !IsEmptyButForTemporaries(folder)) {
        refusal =
            "it is not empty and holds no site made by `rimtrace-report site`; give a new "
            "or empty folder";
        return std::nullopt;
    }
    fs::create_directories(folder, error);
    if (error || !WriteFileDurably(manifestPath, ManifestText({}))) {
        result.failures.push_back(PathToUtf8(manifestPath) + ": cannot be written");
        return std::nullopt;
    }
    return SiteManifest{};
}

struct Stamp {
    std::uintmax_t size = 0;
    std::int64_t modified = 0;
    bool known = false;
};

Stamp StampOf(const fs::path& path) {
    std::error_code sizeError;
    std::error_code timeError;
    const std::uintmax_t size = fs::file_size(path, sizeError);
    const fs::file_time_type time = fs::last_write_time(path, timeError);
    if (sizeError || timeError) {
        return {};
    }
    return {size, static_cast<std::int64_t>(time.time_since_epoch().count()), true};
}

// A report given to this run, and what the last run knew of it.
struct Source {
    fs::path path;
    std::string key;  // the absolute path, UTF-8
    Stamp stamp;
    SiteEntry* previous = nullptr;  // in the old manifest, whose entries the new one takes over
    bool pageThere = false;

    bool unchanged() const {
        return previous && stamp.known && pageThere && stamp.size == previous->size &&
               stamp.modified == previous->modified;
    }
};

// The names of the files in one of the site's folders, read at once rather than one by one; the
// temporary files interrupted writes left there go to `leftovers`.
std::unordered_set<std::string> FilesIn(const fs::path& folder, std::vector<fs::path>& leftovers) {
    std::unordered_set<std::string> names;
    std::error_code error;
    for (auto it = fs::directory_iterator(folder, error); !error && it != fs::directory_iterator();
         it.increment(error)) {
        if (IsReplacementTemporary(it->path())) {
            leftovers.push_back(it->path());
        } else {
            names.insert(PathToUtf8(it->path().filename()));
        }
    }
    return names;
}

std::vector<Source> SourcesOf(const std::vector<fs::path>& reports, SiteManifest& old,
                              const fs::path& folder, std::vector<fs::path>& leftovers) {
    std::unordered_map<std::string_view, SiteEntry*> known;
    for (SiteEntry& entry : old.reports) {
        known.emplace(entry.source, &entry);
    }
    std::error_code error;
    const fs::path here = fs::current_path(error);
    std::vector<Source> sources;
    std::unordered_set<std::string> seen;
    for (const fs::path& path : reports) {
        std::string key = PathToUtf8((path.is_absolute() ? path : here / path).lexically_normal());
        if (seen.insert(key).second) {
            const auto it = known.find(key);
            sources.push_back({path, std::move(key), {}, it == known.end() ? nullptr : it->second});
        }
    }
    const std::unordered_set<std::string> pages =
        FilesIn(InSite(folder, site_files::kReportFolder), leftovers);
    FilesIn(folder, leftovers);
    FilesIn(InSite(folder, site_files::kBoardFolder), leftovers);
    // A stat or two for each; shared out, as there may be many thousands.
    ParallelMap<bool>(sources.size(), [&](std::size_t i) {
        Source& source = sources[i];
        source.stamp = StampOf(source.path);
        source.pageThere =
            source.previous &&
            pages.contains(ReportPageName(source.key).substr(site_files::kReportFolder.size() + 1));
        return true;
    });
    return sources;
}

enum class Fate { Kept, Touched, Added, ReadAgain };

struct Outcome {
    Fate fate = Fate::Kept;
    std::optional<SiteEntry> entry;  // of a report read; the old one stands for the others
    std::string failure;
};

std::vector<PageLink> ReportLinks(const SummaryRow& row) {
    return {{"All reports", "../" + std::string(site_files::kIndex)},
            {"Board " + SerialText(row), "../" + BoardPageName(row.serialBytes)}};
}

// Reads a report, writes its page, and returns what the manifest keeps of it.
Outcome ReadReport(const Source& source, const fs::path& folder,
                   const std::optional<CodePage>& serialCodePage) {
    Outcome outcome;
    outcome.fate = source.previous ? Fate::ReadAgain : Fate::Added;
    FileSource file(source.path);
    CheckedReport checked;
    std::string digest;
    if (file.isOpen()) {
        HashingSource hashing(file);
        checked = CheckReport(hashing, serialCodePage);
        digest = hashing.failed() ? std::string() : hashing.digest();
    } else {
        checked = UnopenedReport(file, serialCodePage);
    }
    outcome.entry = SiteEntry{source.key, source.stamp.size, source.stamp.modified,
                              std::move(digest), SummarizeReport(source.key, checked)};
    const std::string page = ReportPageName(source.key);
    const std::string html =
        RenderReportHtml(source.key, checked, false, ReportLinks(outcome.entry->row));
    if (!WriteFileDurably(InSite(folder, page), html)) {
        outcome.failure = page + ": cannot be written";
    }
    return outcome;
}

// A report as this run needs it: taken as it was, or read (again) and its page written. With
// `readAll` (the serial numbers are read in another code page than before) every report is read.
Outcome Bring(const Source& source, const fs::path& folder,
              const std::optional<CodePage>& serialCodePage, bool readAll) {
    if (!readAll && source.unchanged()) {
        return {Fate::Kept, std::nullopt, {}};
    }
    // Touched but the same bytes (copied, restored from a backup): the page stands.
    if (!readAll && source.previous && source.pageThere && !source.previous->digest.empty() &&
        FileDigest(source.path) == source.previous->digest) {
        return {Fate::Touched, std::nullopt, {}};
    }
    return ReadReport(source, folder, serialCodePage);
}

// The names of files this run may write that no finished run wrote, written down (and flushed to
// the disk) before the files are: an interrupted run's files are known to the next one.
class Journal {
  public:
    Journal(const fs::path& folder, std::set<std::string> names, const std::set<std::string>& owned)
        : path_(InSite(folder, site_files::kPending)), names_(std::move(names)), owned_(owned) {}

    void add(const std::string& name) {
        if (!owned_.contains(name) && names_.insert(name).second) {
            unwritten_ = true;
        }
    }
    // Before the files named are written; false when the journal cannot be.
    bool write() {
        const bool ok = !unwritten_ || WriteFileDurably(path_, PendingText(names_));
        unwritten_ = false;
        return ok;
    }
    const std::set<std::string>& names() const { return names_; }
    void remove() {
        std::error_code error;
        fs::remove(path_, error);
    }

  private:
    fs::path path_;
    std::set<std::string> names_;
    const std::set<std::string>& owned_;
    bool unwritten_ = false;
};

// Writes a file whose bytes are the program's own (the style, the script) only when they differ.
bool WriteUnlessSame(const fs::path& path, std::string_view bytes) {
    const auto there = ReadSmallFile(path, bytes.size());
    return (there && *there == bytes) || WriteFileDurably(path, bytes);
}

using Boards = std::map<std::string, std::vector<const SummaryRow*>>;  // by serial number bytes

Boards BoardsOf(const std::vector<SiteEntry>& entries) {
    Boards boards;
    for (const SiteEntry& entry : entries) {
        boards[entry.row.serialBytes].push_back(&entry.row);
    }
    for (auto& [serial, rows] : boards) {
        SortNewestFirst(rows);
        std::reverse(rows.begin(), rows.end());
    }
    return boards;
}

}  // namespace

SiteOutcome BuildSite(const std::vector<fs::path>& reports, const fs::path& folder,
                      const std::optional<CodePage>& serialCodePage) {
    SiteOutcome result;
    std::set<std::string> pending;
    std::optional<SiteManifest> old = OpenSite(folder, pending, result);
    if (!old) {
        return result;
    }
    std::error_code error;
    for (std::string_view sub : {site_files::kReportFolder, site_files::kBoardFolder}) {
        fs::create_directories(InSite(folder, sub), error);
    }
    std::vector<fs::path> leftovers;  // of runs interrupted while writing a file
    std::vector<Source> sources = SourcesOf(reports, *old, folder, leftovers);
    const bool interrupted = !pending.empty();
    const std::string serialReading = SerialReading(serialCodePage);
    const bool readAll = old->serialReading != serialReading;
    Journal journal(folder, std::move(pending), old->files);
    const auto fail = [&](std::string_view name) {
        result.failures.push_back(std::string(name) + ": cannot be written");
    };

    for (const Source& source : sources) {
        if (readAll || !source.unchanged()) {
            journal.add(ReportPageName(source.key));
        }
    }
    if (!journal.write()) {
        fail(site_files::kPending);
        return result;
    }
    std::vector<Outcome> outcomes = ParallelMap<Outcome>(
        sources.size(),
        [&](std::size_t i) { return Bring(sources[i], folder, serialCodePage, readAll); },
        kWritersPerCore);

    // The boards whose pages change: of those gone, and of every report read, before and after.
    std::set<std::string> dirtyBoards;
    std::unordered_set<std::string_view> given;
    for (const Source& source : sources) {
        given.insert(source.key);
    }
    for (const SiteEntry& entry : old->reports) {
        if (!given.contains(entry.source)) {
            ++result.removed;
            dirtyBoards.insert(entry.row.serialBytes);
        }
    }
    std::vector<SiteEntry> entries;
    entries.reserve(outcomes.size());
    for (std::size_t i = 0; i < outcomes.size(); ++i) {
        Outcome& outcome = outcomes[i];
        Source& source = sources[i];
        if (!outcome.failure.empty()) {
            result.failures.push_back(std::move(outcome.failure));
        }
        result.added += outcome.fate == Fate::Added ? 1 : 0;
        result.changed += outcome.fate == Fate::ReadAgain ? 1 : 0;
        result.touched += outcome.fate == Fate::Touched ? 1 : 0;
        if (outcome.entry) {
            dirtyBoards.insert(outcome.entry->row.serialBytes);
            if (source.previous) {
                dirtyBoards.insert(source.previous->row.serialBytes);
            }
            entries.push_back(std::move(*outcome.entry));
        } else {
            entries.push_back(std::move(*source.previous));
            entries.back().size = source.stamp.size;
            entries.back().modified = source.stamp.modified;
        }
    }

    const Boards boards = BoardsOf(entries);
    std::set<std::string> owned(site_files::kTopPages.begin(), site_files::kTopPages.end());
    for (const SiteEntry& entry : entries) {
        owned.insert(ReportPageName(entry.source));
    }
    std::vector<const std::vector<const SummaryRow*>*> boardsToWrite;
    for (const auto& [serial, rows] : boards) {
        const std::string page = BoardPageName(serial);
        owned.insert(page);
        if (dirtyBoards.contains(serial) || !Exists(InSite(folder, page))) {
            boardsToWrite.push_back(&rows);
            journal.add(page);
        }
    }
    if (!journal.write()) {
        fail(site_files::kPending);
        return result;
    }
    const std::vector<bool> boardsWritten = ParallelMap<bool>(
        boardsToWrite.size(),
        [&](std::size_t i) {
            const std::vector<const SummaryRow*>& rows = *boardsToWrite[i];
            return WriteFileDurably(InSite(folder, BoardPageName(rows.front()->serialBytes)),
                                    RenderBoardPage(rows));
        },
        kWritersPerCore);
    for (std::size_t i = 0; i < boardsToWrite.size(); ++i) {
        if (!boardsWritten[i]) {
            fail(BoardPageName(boardsToWrite[i]->front()->serialBytes));
        }
    }
    result.boardPages = boardsToWrite.size();

    const bool anyRead = result.added + result.changed + result.removed > 0 || readAll;
    result.indexWritten = anyRead || !Exists(InSite(folder, site_files::kIndex));
    if (!WriteUnlessSame(InSite(folder, site_files::kStyle), SiteStyle())) {
        fail(site_files::kStyle);
    }
    if (!WriteUnlessSame(InSite(folder, site_files::kScript), SiteScript())) {
        fail(site_files::kScript);
    }
    if (result.indexWritten) {
        std::vector<const SummaryRow*> rows;
        for (const SiteEntry& entry : entries) {
            rows.push_back(&entry.row);
        }
        SortNewestFirst(rows);
        if (!WriteFileDurably(InSite(folder, site_files::kIndex),
                              RenderIndexPage(rows, serialCodePage))) {
            fail(site_files::kIndex);
        }
    }
    result.reports = entries.size();
    result.boards = boards.size();
    // After a failure the manifest stays as it was, so the next run does again what this one
    // could not finish; the journal keeps what it wrote.
    if (!result.failures.empty()) {
        return result;
    }
    if (anyRead || result.touched > 0 || result.boardPages > 0 || interrupted ||
        old->files != owned) {
        std::sort(entries.begin(), entries.end(),
                  [](const SiteEntry& a, const SiteEntry& b) { return a.source < b.source; });
        if (!WriteFileDurably(InSite(folder, site_files::kManifest),
                              ManifestText({std::move(entries), owned, serialReading}))) {
            fail(site_files::kManifest);
            return result;
        }
    }
    std::set<std::string> written = old->files;
    written.insert(journal.names().begin(), journal.names().end());
    for (const std::string& name : written) {
        if (!owned.contains(name)) {
            fs::remove(InSite(folder, name), error);
        }
    }
    for (const fs::path& leftover : leftovers) {
        fs::remove(leftover, error);
    }
    journal.remove();
    return result;
}
