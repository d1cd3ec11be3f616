#include "report_tool/site/site_build.h"

#include <algorithm>
#include <map>
#include <set>
#include <string_view>
#include <system_error>
#include <unordered_map>
#include <unordered_set>

#ifndef _WIN32
#include <sys/stat.h>
#endif

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

// Both from one look at the file where the system has one call for both, as the file of every
// report is looked at on every run.
Stamp StampOf(const fs::path& path) {
#ifdef _WIN32
    std::error_code sizeError;
    std::error_code timeError;
    const std::uintmax_t size = fs::file_size(path, sizeError);
    const fs::file_time_type time = fs::last_write_time(path, timeError);
    if (sizeError || timeError) {
        return {};
    }
    return {size, static_cast<std::int64_t>(time.time_since_epoch().count()), true};
#else
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) {
        return {};
    }
    constexpr std::int64_t kNanoseconds = 1'000'000'000;
    return {static_cast<std::uintmax_t>(status.st_size),
            std::int64_t{status.st_mtim.tv_sec} * kNanoseconds + status.st_mtim.tv_nsec, true};
#endif
}

// A report given to this run, and what the last run knew of it.
struct Source {
    const fs::path* path;
    std::string key;  // the absolute path, UTF-8
    Stamp stamp;
    SiteEntry* previous = nullptr;  // in the old manifest, whose entries the new one takes over
    std::string page;               // its page's name
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
        const fs::path name = it->path().filename();
        if (IsReplacementTemporary(name)) {
            leftovers.push_back(it->path());
        } else {
            names.insert(PathToUtf8(name));
        }
    }
    return names;
}

// Each report's identity: its absolute, normal path, UTF-8. Reports come folder by folder, so a
// folder's normal form is worked out once for all of its files.
class SourceKeys {
  public:
    SourceKeys() {
        std::error_code error;
        here_ = fs::current_path(error);
    }
    std::string of(const fs::path& path) {
        const fs::path name = path.filename();
        if (name.empty() || name == "." || name == "..") {
            return PathToUtf8((here_ / path).lexically_normal());
        }
        fs::path folder = path.parent_path();
        if (folder != lastFolder_) {
            normalFolder_ = (here_ / folder).lexically_normal();
            lastFolder_ = std::move(folder);
        }
        return PathToUtf8(normalFolder_ / name);
    }

  private:
    fs::path here_;
    std::optional<fs::path> lastFolder_;
    fs::path normalFolder_;
};

std::vector<Source> SourcesOf(const std::vector<fs::path>& reports, SiteManifest& old,
                              const fs::path& folder, std::vector<fs::path>& leftovers) {
    std::unordered_map<std::string_view, SiteEntry*> known;
    known.reserve(old.reports.size());
    for (SiteEntry& entry : old.reports) {
        known.emplace(entry.source, &entry);
    }
    SourceKeys keys;
    std::vector<Source> sources;
    sources.reserve(reports.size());  // never moved: `seen` looks at their keys
    std::unordered_set<std::string_view> seen;
    seen.reserve(reports.size());
    for (const fs::path& path : reports) {
        std::string key = keys.of(path);
        if (!seen.contains(key)) {
            const auto it = known.find(key);
            sources.push_back(
                {&path, std::move(key), {}, it == known.end() ? nullptr : it->second, {}, false});
            seen.insert(sources.back().key);
        }
    }
    const std::unordered_set<std::string> pages =
        FilesIn(InSite(folder, site_files::kReportFolder), leftovers);
    FilesIn(folder, leftovers);
    FilesIn(InSite(folder, site_files::kBoardFolder), leftovers);
    // A look at each; shared out, as there may be many thousands.
    ParallelMap<bool>(sources.size(), [&](std::size_t i) {
        Source& source = sources[i];
        source.stamp = StampOf(*source.path);
        source.page = ReportPageName(source.key);
        source.pageThere = source.previous &&
                           pages.contains(source.page.substr(site_files::kReportFolder.size() + 1));
        return true;
    });
    return sources;
}

enum class Fate { Touched, Added, ReadAgain };

struct Outcome {
    Fate fate = Fate::Touched;
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
    FileSource file(*source.path);
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
    const std::string& page = source.page;
    const std::string html =
        RenderReportHtml(source.key, checked, false, ReportLinks(outcome.entry->row));
    if (!WriteFileDurably(InSite(folder, page), html)) {
        outcome.failure = page + ": cannot be written";
    }
    return outcome;
}

// A report that cannot be taken as it was: read (again) and its page written, unless only its
// size or time changed. With `readAll` (the serial numbers are read in another code page than
// before) it is read whatever its bytes.
Outcome Bring(const Source& source, const fs::path& folder,
              const std::optional<CodePage>& serialCodePage, bool readAll) {
    // Touched but the same bytes (copied, restored from a backup): the page stands.
    if (!readAll && source.previous && source.pageThere && !source.previous->digest.empty() &&
        FileDigest(*source.path) == source.previous->digest) {
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

// In the manifest's order, which does not depend on the order the reports were given in.
std::vector<const SiteEntry*> BySource(std::vector<const SiteEntry*> entries) {
    std::sort(entries.begin(), entries.end(),
              [](const SiteEntry* a, const SiteEntry* b) { return a->source < b->source; });
    return entries;
}

struct Board {
    std::string page;
    std::vector<const SummaryRow*> oldestFirst;  // its visits
};
using Boards = std::map<std::string, Board>;  // by serial number bytes

Boards BoardsOf(const std::vector<const SiteEntry*>& entries) {
    Boards boards;
    for (const SiteEntry* entry : entries) {
        boards[entry->row.serialBytes].oldestFirst.push_back(&entry->row);
    }
    for (auto& [serial, board] : boards) {
        board.page = BoardPageName(serial);
        SortNewestFirst(board.oldestFirst);
        std::reverse(board.oldestFirst.begin(), board.oldestFirst.end());
    }
    return boards;
}

// The index's rows: entries[i] is the report of sources[i].
std::vector<IndexRow> IndexRows(const std::vector<const SiteEntry*>& entries,
                                const std::vector<Source>& sources, const Boards& boards) {
    std::vector<IndexRow> rows;
    rows.reserve(entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const SummaryRow& row = entries[i]->row;
        rows.push_back({&row, sources[i].page, boards.at(row.serialBytes).page});
    }
    std::sort(rows.begin(), rows.end(), [](const IndexRow& a, const IndexRow& b) {
        return NewerFirst(*a.report, *b.report);
    });
    return rows;
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

    std::vector<std::size_t> looked;  // the sources not taken as they were
    for (std::size_t i = 0; i < sources.size(); ++i) {
        if (readAll || !sources[i].unchanged()) {
            looked.push_back(i);
            journal.add(sources[i].page);
        }
    }
    if (!journal.write()) {
        fail(site_files::kPending);
        return result;
    }
    std::vector<Outcome> outcomes = ParallelMap<Outcome>(
        looked.size(),
        [&](std::size_t k) { return Bring(sources[looked[k]], folder, serialCodePage, readAll); },
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
    // The new manifest's entries: the old ones taken over where a report was not read again.
    std::vector<const SiteEntry*> entries;
    entries.reserve(sources.size());
    for (std::size_t i = 0, k = 0; i < sources.size(); ++i) {
        Source& source = sources[i];
        Outcome* outcome = k < looked.size() && looked[k] == i ? &outcomes[k++] : nullptr;
        if (outcome == nullptr || !outcome->entry) {
            entries.push_back(source.previous);
            source.previous->size = source.stamp.size;
            source.previous->modified = source.stamp.modified;
        }
        if (outcome == nullptr) {
            continue;
        }
        if (!outcome->failure.empty()) {
            result.failures.push_back(std::move(outcome->failure));
        }
        result.added += outcome->fate == Fate::Added ? 1 : 0;
        result.changed += outcome->fate == Fate::ReadAgain ? 1 : 0;
        result.touched += outcome->fate == Fate::Touched ? 1 : 0;
        if (outcome->entry) {
            dirtyBoards.insert(outcome->entry->row.serialBytes);
            if (source.previous) {
                dirtyBoards.insert(source.previous->row.serialBytes);
            }
            entries.push_back(&*outcome->entry);
        }
    }

    const Boards boards = BoardsOf(entries);
    std::set<std::string> owned(site_files::kTopPages.begin(), site_files::kTopPages.end());
    for (const Source& source : sources) {
        owned.insert(source.page);
    }
    std::vector<const Board*> boardsToWrite;
    for (const auto& [serial, board] : boards) {
        owned.insert(board.page);
        if (dirtyBoards.contains(serial) || !Exists(InSite(folder, board.page))) {
            boardsToWrite.push_back(&board);
            journal.add(board.page);
        }
    }
    if (!journal.write()) {
        fail(site_files::kPending);
        return result;
    }
    const bool anyRead = result.added + result.changed + result.removed > 0 || readAll;
    result.indexWritten = anyRead || !Exists(InSite(folder, site_files::kIndex));
    const bool manifestChanges = anyRead || result.touched > 0 || !boardsToWrite.empty() ||
                                 interrupted || old->files != owned;
    // The index, the board pages and the manifest's text are made side by side, the index (the
    // longest) first; the manifest is written only once every page is.
    std::string manifestText;
    const std::vector<bool> written = ParallelMap<bool>(
        boardsToWrite.size() + 2,
        [&](std::size_t i) {
            if (i == 0) {
                return !result.indexWritten ||
                       WriteFileDurably(
                           InSite(folder, site_files::kIndex),
                           RenderIndexPage(IndexRows(entries, sources, boards), serialCodePage));
            }
            if (i == 1) {
                if (manifestChanges) {
                    manifestText = ManifestText(BySource(entries), owned, serialReading);
                }
                return true;
            }
            const Board& board = *boardsToWrite[i - 2];
            return WriteFileDurably(InSite(folder, board.page), RenderBoardPage(board.oldestFirst));
        },
        kWritersPerCore);
    if (!written[0]) {
        fail(site_files::kIndex);
    }
    for (std::size_t i = 0; i < boardsToWrite.size(); ++i) {
        if (!written[i + 2]) {
            fail(boardsToWrite[i]->page);
        }
    }
    result.boardPages = boardsToWrite.size();
    if (!WriteUnlessSame(InSite(folder, site_files::kStyle), SiteStyle())) {
        fail(site_files::kStyle);
    }
    if (!WriteUnlessSame(InSite(folder, site_files::kScript), SiteScript())) {
        fail(site_files::kScript);
    }
    result.reports = entries.size();
    result.boards = boards.size();
    // After a failure the manifest stays as it was, so the next run does again what this one
    // could not finish; the journal keeps what it wrote.
    if (!result.failures.empty()) {
        return result;
    }
    if (manifestChanges && !WriteFileDurably(InSite(folder, site_files::kManifest), manifestText)) {
        fail(site_files::kManifest);
        return result;
    }
    const std::set<std::string>& oldFiles = old->files;
    for (const std::set<std::string>* written : {&oldFiles, &journal.names()}) {
        for (const std::string& name : *written) {
            if (!owned.contains(name)) {
                fs::remove(InSite(folder, name), error);
            }
        }
    }
    for (const fs::path& leftover : leftovers) {
        fs::remove(leftover, error);
    }
    journal.remove();
    return result;
}
