#include "report_tool/site/site_manifest.h"

#include <array>
#include <charconv>

#include "report_tool/site/page_names.h"
#include "rimtrace_version.h"

namespace {

constexpr std::string_view kFormat = "rimtrace-report site";
constexpr std::string_view kGenerator = "generator rimtrace-report " RIMTRACE_VERSION_TEXT;
constexpr std::string_view kSerials = "serials ";
constexpr std::string_view kFile = "file ";
constexpr std::string_view kReport = "report ";
constexpr std::string_view kReportLine = "\nreport ";
constexpr std::string_view kNone = "-";

// Fields of a report line, written one after another.
class FieldWriter {
  public:
    explicit FieldWriter(std::string& out) : out_(out) {}

    // Printable ASCII as it is, any other byte (a blank, '%', a line end, UTF-8) as %XX; "-" for
    // nothing.
    void text(std::string_view bytes) {
        constexpr char kDigits[] = "0123456789ABCDEF";
        start();
        if (bytes.empty()) {
            out_ += kNone;
        }
        const bool none = bytes == kNone;  // the text "-", told from nothing
        std::size_t from = 0;
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            const auto b = static_cast<unsigned char>(bytes[i]);
            if (b > ' ' && b < 0x7F && b != '%' && !none) {
                continue;
            }
            out_.append(bytes.substr(from, i - from));
            out_ += '%';
            out_ += kDigits[b >> 4];
            out_ += kDigits[b & 0xF];
            from = i + 1;
        }
        out_.append(bytes.substr(from));
    }
    // A token of the program's own making, which holds no blank (a digest).
    void word(std::string_view token) {
        start();
        out_ += token.empty() ? kNone : token;
    }
    template <typename T>
    void number(T value) {
        start();
        std::array<char, 32> digits{};
        out_.append(digits.data(), std::to_chars(digits.data(), digits.data() + 32, value).ptr);
    }
    template <typename T>
    void optional(const std::optional<T>& value) {
        if (value) {
            number(*value);
        } else {
            start();
            out_ += kNone;
        }
    }

  private:
    void start() {
        if (!first_) {
            out_ += ' ';
        }
        first_ = false;
    }
    std::string& out_;
    bool first_ = true;
};

// The same fields read back; any that is not what was written makes the line unreadable.
class FieldReader {
  public:
    explicit FieldReader(std::string_view line) : rest_(line) {}

    bool ok() const { return ok_ && rest_.empty() && !past_; }
    bool more() const { return !rest_.empty(); }

    std::string text() {
        const std::string_view escaped = next();
        std::string bytes;
        if (escaped == kNone) {
            return bytes;
        }
        bytes.reserve(escaped.size());
        std::size_t from = 0;
        for (std::size_t at = escaped.find('%'); ok_ && at != std::string_view::npos;
             at = escaped.find('%', from)) {
            bytes.append(escaped.substr(from, at - from));
            const int high = at + 2 < escaped.size() ? Digit(escaped[at + 1]) : -1;
            const int low = high >= 0 ? Digit(escaped[at + 2]) : -1;
            ok_ = low >= 0;
            bytes += static_cast<char>(high * 16 + low);
            from = at + 3;
        }
        if (ok_) {
            bytes.append(escaped.substr(from));
        }
        return bytes;
    }
    std::string word() {
        const std::string_view token = next();
        return token == kNone ? std::string() : std::string(token);
    }
    template <typename T>
    T number() {
        const std::string_view digits = next();
        T value{};
        const auto [end, error] =
            std::from_chars(digits.data(), digits.data() + digits.size(), value);
        ok_ = ok_ && error == std::errc() && end == digits.data() + digits.size();
        return value;
    }
    template <typename T>
    std::optional<T> optional() {
        if (rest_.starts_with(kNone) && (rest_.size() == 1 || rest_[1] == ' ')) {
            next();
            return std::nullopt;
        }
        return number<T>();
    }

  private:
    static int Digit(char c) {
        return c >= '0' && c <= '9' ? c - '0' : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
    }
    std::string_view next() {
        if (rest_.empty()) {
            past_ = true;
            return {};
        }
        const std::size_t blank = std::min(rest_.find(' '), rest_.size());
        const std::string_view field = rest_.substr(0, blank);
        rest_.remove_prefix(std::min(blank + 1, rest_.size()));
        ok_ = ok_ && !field.empty();
        return field;
    }
    std::string_view rest_;
    bool ok_ = true;
    bool past_ = false;
};

std::optional<std::int64_t> DateNumber(const std::optional<LocalDateTime>& t) {
    if (!t) {
        return std::nullopt;
    }
    return ((((std::int64_t{t->year} * 100 + t->month) * 100 + t->day) * 100 + t->hour) * 100 +
            t->minute) *
               100 +
           t->second;
}

std::optional<LocalDateTime> DateFrom(std::optional<std::int64_t> number) {
    if (!number) {
        return std::nullopt;
    }
    LocalDateTime t;
    std::uint16_t* parts[6] = {&t.second, &t.minute, &t.hour, &t.day, &t.month, &t.year};
    for (std::uint16_t* part : parts) {
        *part = static_cast<std::uint16_t>(*number % (part == &t.year ? 10000 : 100));
        *number /= part == &t.year ? 10000 : 100;
    }
    return t;
}

std::optional<int> VerdictNumber(const std::optional<EdgeVerdict>& verdict) {
    return verdict ? std::optional(static_cast<int>(*verdict)) : std::nullopt;
}

// A verdict read back; false when the number is none of them.
bool VerdictFrom(const std::optional<int>& number, std::optional<EdgeVerdict>& verdict) {
    const bool known =
        !number || (*number >= 0 && *number <= static_cast<int>(EdgeVerdict::NotCorrectable));
    verdict = known && number ? std::optional(static_cast<EdgeVerdict>(*number)) : std::nullopt;
    return known;
}

void WriteEntry(std::string& out, const SiteEntry& entry) {
    out += kReport;
    FieldWriter field(out);
    field.text(entry.source);
    field.number(entry.size);
    field.number(entry.modified);
    field.word(entry.digest);
    const SummaryRow& row = entry.row;
    field.text(row.serialBytes);
    field.text(row.serialNumber);
    field.text(row.encoding);
    field.optional(DateNumber(row.writtenAt));
    field.optional(VerdictNumber(row.verdict));
    for (const EdgeSummary& edge : row.edges) {
        field.number(edge.points);
        field.optional(edge.min);
        field.optional(edge.max);
        field.optional(edge.spread);
        field.optional(VerdictNumber(edge.verdict));
        field.optional(VerdictNumber(edge.claimedVerdict));
        field.number(edge.coveragePercent);
    }
    field.number(int{row.secondPass});
    field.number(int{row.internalTrace});
    field.number(row.extraStrokes);
    field.number(row.problems);
    field.text(row.firstProblem);
    field.number(row.warnings.size());
    for (const std::string& warning : row.warnings) {
        field.text(warning);
    }
    out += '\n';
}

std::optional<SiteEntry> ReadEntry(std::string_view line) {
    FieldReader field(line);
    SiteEntry entry;
    entry.source = field.text();
    entry.size = field.number<std::uintmax_t>();
    entry.modified = field.number<std::int64_t>();
    entry.digest = field.word();
    SummaryRow& row = entry.row;
    row.file = entry.source;
    row.serialBytes = field.text();
    row.serialNumber = field.text();
    row.encoding = field.text();
    row.writtenAt = DateFrom(field.optional<std::int64_t>());
    bool known = VerdictFrom(field.optional<int>(), row.verdict);
    for (EdgeSummary& edge : row.edges) {
        edge.points = field.number<std::size_t>();
        edge.min = field.optional<std::uint32_t>();
        edge.max = field.optional<std::uint32_t>();
        edge.spread = field.optional<std::uint32_t>();
        known = VerdictFrom(field.optional<int>(), edge.verdict) && known;
        known = VerdictFrom(field.optional<int>(), edge.claimedVerdict) && known;
        edge.coveragePercent = field.number<double>();
    }
    row.secondPass = field.number<int>() != 0;
    row.internalTrace = field.number<int>() != 0;
    row.extraStrokes = field.number<std::size_t>();
    row.problems = field.number<std::size_t>();
    row.firstProblem = field.text();
    // Each warning is a field of its own: no more of them than the line has left.
    const auto warnings = field.number<std::size_t>();
    for (std::size_t i = 0; i < warnings && field.more(); ++i) {
        row.warnings.push_back(field.text());
    }
    return known && row.warnings.size() == warnings && field.ok() ? std::optional(std::move(entry))
                                                                  : std::nullopt;
}

// The text's lines, without their line ends.
template <typename Each>
void ForEachLine(std::string_view text, Each each) {
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        each(text.substr(0, end));
        text.remove_prefix(std::min(end + 1, text.size()));
    }
}

}  // namespace

std::string SerialReading(const std::optional<CodePage>& serialCodePage) {
    return serialCodePage ? serialCodePage->name() : "utf-8-else-cp1252";
}

std::string ManifestText(const std::vector<const SiteEntry*>& reports,
                         const std::set<std::string>& files, std::string_view serialReading) {
    constexpr std::size_t kFileLineBytes = 64;     // at most what a file's line takes
    constexpr std::size_t kReportLineBytes = 400;  // about what a report's line takes
    std::string text;
    text.reserve(files.size() * kFileLineBytes + reports.size() * kReportLineBytes);
    text.append(kFormat).append("\n").append(kGenerator).append("\n");
    text.append(kSerials).append(serialReading).append("\n");
    for (const std::string& file : files) {
        text.append(kFile).append(file).append("\n");
    }
    for (const SiteEntry* entry : reports) {
        WriteEntry(text, *entry);
    }
    return text;
}

std::string ManifestText(const SiteManifest& manifest) {
    std::vector<const SiteEntry*> reports;
    for (const SiteEntry& entry : manifest.reports) {
        reports.push_back(&entry);
    }
    return ManifestText(reports, manifest.files, manifest.serialReading);
}

std::optional<SiteManifest> ParseManifest(std::string_view text) {
    if (!text.starts_with(std::string(kFormat) + "\n")) {
        return std::nullopt;
    }
    SiteManifest manifest;
    std::size_t reports = 0;
    for (std::size_t at = text.find(kReportLine); at != std::string_view::npos;
         at = text.find(kReportLine, at + 1)) {
        ++reports;
    }
    manifest.reports.reserve(reports);
    bool sameVersion = false;
    bool readable = true;
    ForEachLine(text, [&](std::string_view line) {
        if (line == kGenerator) {
            sameVersion = true;
        } else if (line.starts_with(kSerials)) {
            manifest.serialReading = line.substr(kSerials.size());
        } else if (line.starts_with(kFile) && IsSiteFileName(line.substr(kFile.size()))) {
            manifest.files.emplace(line.substr(kFile.size()));
        } else if (line.starts_with(kReport) && readable) {
            auto entry = ReadEntry(line.substr(kReport.size()));
            readable = entry.has_value();
            if (entry) {
                manifest.reports.push_back(std::move(*entry));
            }
        }
    });
    if (!sameVersion || !readable) {
        manifest.reports.clear();
    }
    return manifest;
}

std::string PendingText(const std::set<std::string>& files) {
    std::string text;
    for (const std::string& file : files) {
        text += file + "\n";
    }
    return text;
}

std::set<std::string> ParsePending(std::string_view text) {
    std::set<std::string> files;
    ForEachLine(text, [&](std::string_view name) {
        if (IsSiteFileName(name)) {
            files.emplace(name);
        }
    });
    return files;
}
