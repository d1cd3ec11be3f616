#include "report_tool/reading/report_reader.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "report_tool/reading/line_reader.h"
#include "report_tool/reading/report_limits.h"
#include "report_tool/reading/value_text.h"

namespace {

constexpr std::array<std::string_view, 4> kEdgeNames = {"left", "bottom", "right", "top"};
constexpr std::array<std::string_view, 3> kPassSuffixes = {"", " 2", " extra"};
constexpr std::array<std::string_view, kStatLines - 2> kStatFieldLabels = {
    "# min: ", "# max: ", "# avg: ", "# min gap: ", "# max gap: ", "# avg gap: "};
constexpr std::string_view kVersion = "# v1";
constexpr std::string_view kSerialLabel = "# serial number: ";
constexpr std::string_view kDateLabel = "# date and time: ";
constexpr std::string_view kStrokeLabel = "# extra stroke ";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// Every line of a report that has a fixed place gets a position in file order; a line found
// before its place tells that the lines between are missing.
constexpr int kSerialPosition = 2;
constexpr int kDatePosition = 4;
constexpr int kStatsPosition = 6;
constexpr int kStatsSpan = static_cast<int>(kStatLines) + 1;  // the lines and a blank line
constexpr int kArraysPosition = kStatsPosition + 4 * kStatsSpan;
constexpr int kStrokesPosition = kArraysPosition + static_cast<int>(kPointArrayCount);

// Each section costs the reader this much on top of its points.
constexpr std::size_t kSectionCost = 16;

std::string Found(const Line* line) {
    if (line == nullptr) {
        return "the end of the file";
    }
    if (line->cut) {
        return "a line longer than " + std::to_string(report_limits::kMaxLineBytes) + " bytes";
    }
    return line->text.empty() ? "an empty line" : Quoted(line->text);
}

// What a line should have been, put into words only when it was not: text before, a line's text
// quoted, text after.
struct Expected {
    std::string_view before;
    std::string_view quoted = {};
    std::string_view after = {};

    std::string words() const {
        return std::string(before) + (quoted.empty() ? "" : Quoted(quoted)) + std::string(after);
    }
};

Expected Exactly(std::string_view line) {
    return {"", line, ""};
}

const std::array<std::string, kPointArrayCount>& ArrayLabels() {
    static const std::array<std::string, kPointArrayCount> labels = [] {
        std::array<std::string, kPointArrayCount> all;
        for (Pass pass : kPasses) {
            for (Edge edge : kEdges) {
                all[ArrayOf(pass, edge)] =
                    "# " + std::string(kEdgeNames[static_cast<std::size_t>(edge)]) +
                    std::string(kPassSuffixes[static_cast<std::size_t>(pass)]);
            }
        }
        return all;
    }();
    return labels;
}

const std::array<std::string, 4>& StatsHeadings() {
    static const std::array<std::string, 4> headings = [] {
        std::array<std::string, 4> all;
        for (std::size_t e = 0; e < all.size(); ++e) {
            all[e] = "# " + std::string(kEdgeNames[e]) + " stats";
        }
        return all;
    }();
    return headings;
}

// What the next line was measured against.
enum class Take { Good, Changed, Missing };

class ReportParser {
  public:
    ReportParser(ByteSource& source, ReadResult& out, const std::optional<CodePage>& serialCodePage)
        : lines_(source, report_limits::kMaxLineBytes),
          out_(out),
          serialCodePage_(serialCodePage) {}

    void run() {
        header();
        for (std::size_t edge = 0; edge < std::size(kEdges) && !stopped_; ++edge) {
            statsSection(edge);
        }
        for (std::size_t i = 0; i < kPointArrayCount && !stopped_; ++i) {
            arraySection(i);
        }
        extraStrokes();
        lineEnds();
    }

  private:
    Findings& findings() { return out_.findings; }
    ParsedReport& report() { return out_.report; }

    // The next line, read ahead by one; nullptr at the end of the file.
    const Line* peek() {
        if (!peeked_ && !stopped_) {
            current_ = lines_.next();
            peeked_ = true;
            if (current_ && current_->end == LineEnd::EndOfFile) {
                // The program ends every line: one without its end is where the file was cut
                // off, and its text may be part of a line only ("400,4" of "400,4072"), so it is
                // not read as anything.
                partial_ = current_->cut ? Found(&*current_) : Quoted(current_->text);
                partialLine_ = current_->number;
                current_.reset();
            }
            if (current_) {
                noteLine(*current_);
            }
        }
        return stopped_ || !current_ ? nullptr : &*current_;
    }
    // Takes the line peek() showed; it stays readable until the next peek().
    const Line& consume() {
        peeked_ = false;
        return *current_;
    }

    void noteLine(Line& line) {
        if (line.number == 1 && line.text.starts_with(kByteOrderMark)) {
            findings().problem(1, "expected '# v1' at the very start, found a byte-order mark");
            line.text.remove_prefix(kByteOrderMark.size());
        }
        if (line.cut) {
            return;  // reported where it is read; its line end was not looked at
        }
        if (!lineEnd_) {
            lineEnd_ = line.end;
        } else if (line.end != *lineEnd_) {
            otherEnds_ += 1;
            firstOtherEnd_ = firstOtherEnd_ == 0 ? line.number : firstOtherEnd_;
        }
    }

    void problem(const Line* line, const Expected& expected) {
        if (line == nullptr) {
            const bool empty = lastLine_ == 0 && partialLine_ == 0;
            ended(empty               ? 1
                  : partialLine_ != 0 ? partialLine_
                                      : lastLine_ + 1,
                  empty ? "expected " + expected.words() + ", found an empty file"
                        : "the file is cut off: expected " + expected.words() + ", found " +
                              theEnd());
            return;
        }
        findings().problem(line->number, "expected " + expected.words() + ", found " + Found(line));
    }

    // The file ended before the report did: said once, where it shows, as the one cause of what
    // is missing after it.
    void ended(std::int64_t line, std::string text) {
        if (!endReported_) {
            endReported_ = true;
            findings().problem(line, std::move(text));
        }
    }

    std::string theEnd() const {
        return partialLine_ != 0 ? partial_ + " and the end of the file without a line end"
                                 : "the end of the file";
    }

    // Where in the fixed order of lines this text belongs, if anywhere.
    std::optional<int> positionOf(std::string_view text) const {
        if (text == kVersion) {
            return 0;
        }
        if (text.starts_with(kSerialLabel)) {
            return kSerialPosition;
        }
        if (text.starts_with(kDateLabel)) {
            return kDatePosition;
        }
        const int statsHere = kStatsPosition + kStatsSpan * static_cast<int>(edge_);
        for (std::size_t e = 0; e < StatsHeadings().size(); ++e) {
            if (text == StatsHeadings()[e]) {
                return kStatsPosition + kStatsSpan * static_cast<int>(e);
            }
        }
        for (std::size_t f = 0; f < kStatFieldLabels.size(); ++f) {
            if (text.starts_with(kStatFieldLabels[f])) {
                return statsHere + 1 + static_cast<int>(f);
            }
        }
        if (ParseReportVerdict(text)) {
            return statsHere + static_cast<int>(StatLine::Verdict);
        }
        for (std::size_t i = 0; i < kPointArrayCount; ++i) {
            if (text == ArrayLabels()[i]) {
                return kArraysPosition + static_cast<int>(i);
            }
        }
        if (text.starts_with(kStrokeLabel)) {
            return kStrokesPosition;
        }
        return std::nullopt;
    }

    // Measures the next line against the line of fixed place `position`, which `fits` recognises.
    // Good: the line is that line (consumed; its value is the caller's to read). Changed: some
    // other line stands in its place (consumed, reported). Missing: the next line belongs
    // further on, so this one is not there (reported, left for its own place).
    template <typename Fits>
    Take take(int position, const Expected& expected, Fits fits) {
        const Line* line = peek();
        if (line == nullptr) {
            problem(nullptr, expected);
            return Take::Missing;
        }
        if (!line->cut && fits(line->text)) {
            taken_ = &consume();
            lastLine_ = taken_->number;
            return Take::Good;
        }
        problem(line, expected);
        const auto found = line->cut ? std::nullopt : positionOf(line->text);
        if (found && *found > position) {
            return Take::Missing;
        }
        lastLine_ = consume().number;
        return Take::Changed;
    }

    Take takeExactly(int position, std::string_view text) {
        return take(position, Exactly(text), [text](std::string_view t) { return t == text; });
    }

    void blank(int position) {
        take(position, {"an empty line"}, [](std::string_view t) { return t.empty(); });
    }

    void header() {
        takeExactly(0, kVersion);
        blank(1);
        if (take(kSerialPosition, {"", kSerialLabel, " and the serial number"},
                 [](std::string_view t) { return t.starts_with(kSerialLabel); }) == Take::Good) {
            report().serialNumber = std::string(taken_->text.substr(kSerialLabel.size()));
            report().serialLine = taken_->number;
            // Other lines with a CR inside fail their own form; any bytes make a serial number.
            if (report().serialNumber.find('\r') != std::string::npos) {
                problem(taken_, {"a serial number without a CR, which only ends a line"});
            }
        }
        serial();
        blank(kSerialPosition + 1);
        constexpr Expected kDateForm{"", kDateLabel,
                                     " and a date and time as day/month/year hour:minute:second"};
        if (take(kDatePosition, kDateForm,
                 [](std::string_view t) { return t.starts_with(kDateLabel); }) == Take::Good) {
            report().writtenAt = ParseReportDate(taken_->text.substr(kDateLabel.size()));
            if (!report().writtenAt) {
                problem(taken_, kDateForm);
            }
        }
        blank(kDatePosition + 1);
    }

    void serial() {
        report().serial = ShowText(report().serialNumber, serialCodePage_);
        if (!report().serial.replaced) {
            return;
        }
        const std::string codePage = report().serial.codePage.name();
        findings().warning(
            report().serialLine,
            serialCodePage_
                ? "expected a serial number that is text in " + codePage +
                      ", found bytes that are not, shown as U+FFFD"
                : "expected a serial number that is text in UTF-8 or cp1252, found bytes that are "
                  "not, shown as U+FFFD (--encoding names the code page it was written in)");
    }

    void statsSection(std::size_t edge) {
        edge_ = edge;
        StoredStats& stats = report().stats[edge];
        const int base = kStatsPosition + kStatsSpan * static_cast<int>(edge);
        if (takeExactly(base, StatsHeadings()[edge]) == Take::Good) {
            stats.lines[0] = taken_->number;
        }
        std::optional<std::uint32_t>* whole[] = {&stats.min,    &stats.max,    nullptr,
                                                 &stats.minGap, &stats.maxGap, nullptr};
        std::optional<float>* averages[] = {nullptr, nullptr, &stats.avg,
                                            nullptr, nullptr, &stats.avgGap};
        for (std::size_t f = 0; f < kStatFieldLabels.size(); ++f) {
            const std::string_view label = kStatFieldLabels[f];
            const Expected expected{"", label,
                                    whole[f] ? " and a whole number from 0 to 4294967295"
                                             : " and an average as the program writes it"};
            if (take(base + 1 + static_cast<int>(f), expected,
                     [label](std::string_view t) { return t.starts_with(label); }) != Take::Good) {
                continue;
            }
            stats.lines[f + 1] = taken_->number;
            const std::string_view value = taken_->text.substr(label.size());
            if (whole[f]) {
                *whole[f] = ParseReportUnsigned(value);
            } else {
                *averages[f] = ParseReportFloat(value);
            }
            if (whole[f] ? !whole[f]->has_value() : !averages[f]->has_value()) {
                problem(taken_, expected);
            }
        }
        const int verdictAt = base + static_cast<int>(StatLine::Verdict);
        if (take(verdictAt, {"'# passed', '# correctable' or '# not correctable'"},
                 [](std::string_view t) { return ParseReportVerdict(t).has_value(); }) ==
            Take::Good) {
            stats.lines[static_cast<std::size_t>(StatLine::Verdict)] = taken_->number;
            stats.verdict = ParseReportVerdict(taken_->text);
        }
        blank(verdictAt + 1);
    }

    void arraySection(std::size_t i) {
        const std::string& label = ArrayLabels()[i];
        PointSection& section = report().arrays[i];
        const Take label_take = takeExactly(kArraysPosition + static_cast<int>(i), label);
        if (label_take == Take::Missing) {
            return;
        }
        section.labelLine = lastLine_;
        points(section, label);
    }

    void extraStrokes() {
        while (!stopped_) {
            const std::string label = ExtraStrokeLabel(report().extraStrokes.size());
            const Line* line = peek();
            if (line == nullptr) {
                if (partialLine_ != 0) {
                    problem(nullptr, {"", label, " or the end of the file"});
                }
                return;
            }
            if (line->cut || !line->text.starts_with(kStrokeLabel)) {
                problem(line, {"", label, " or the end of the file"});
                lastLine_ = consume().number;
                continue;
            }
            if (line->text != label) {
                problem(line, Exactly(label));
            }
            lastLine_ = consume().number;
            if (!spend(kSectionCost)) {
                return;
            }
            report().extraStrokes.emplace_back();
            report().extraStrokes.back().labelLine = lastLine_;
            points(report().extraStrokes.back(), label);
        }
    }

    // The count line and the point lines after a section's label.
    void points(PointSection& section, const std::string& label) {
        const Expected expectedCount{"the number of points after ", label,
                                     " (a whole number, 0 or more)"};
        const Line* line = peek();
        if (line == nullptr || line->cut || line->text.starts_with("#")) {
            problem(line, expectedCount);
        } else {
            const Line& count = consume();
            lastLine_ = section.countLine = count.number;
            section.statedCount = ParseReportSigned(count.text);
            if (!section.statedCount || *section.statedCount < 0) {
                section.statedCount.reset();
                problem(&count, expectedCount);
            }
        }
        for (;;) {
            if (!peeked_ && !stopped_ && lineEnd_ && takePointRun(section)) {
                continue;
            }
            line = peek();
            if (line == nullptr || (!line->cut && line->text.starts_with("#"))) {
                break;
            }
            const Line& pointLine = consume();
            const auto parsed = pointLine.cut ? std::nullopt : ParseReportPoint(pointLine.text);
            if (parsed) {
                addPoint(section, pointLine.number, *parsed);
                continue;
            }
            notePointLine(section, pointLine.number);
            problem(&pointLine, {"a point x,y (two whole numbers from -2147483648 to 2147483647)"});
        }
        if (stopped_) {
            return;
        }
        // Fewer point lines than counted, or an unreadable count, before the end of the file:
        // the rest of the section may have been cut off, so its points are not graded.
        const bool counted = section.statedCount && *section.statedCount <= section.pointLines;
        section.cutOff = peek() == nullptr && !counted;
        if (section.cutOff && section.statedCount) {
            ended(section.countLine, "the file is cut off: expected the " +
                                         std::to_string(*section.statedCount) +
                                         " point lines this line counts for " + Quoted(label) +
                                         ", found " + std::to_string(section.pointLines) +
                                         (partialLine_ != 0 ? ", then " : " and then ") + theEnd());
        } else if (section.statedCount && *section.statedCount != section.pointLines) {
            findings().problem(section.countLine,
                               "expected " + std::to_string(section.pointLines) +
                                   ", the number of point lines that follow, found " +
                                   std::to_string(*section.statedCount));
        }
    }

    void notePointLine(PointSection& section, std::int64_t number) {
        lastLine_ = number;
        section.firstPointLine = section.pointLines++ == 0 ? number : section.firstPointLine;
    }

    // Well-formed point lines straight from the line reader; false when the next line is not one.
    bool takePointRun(PointSection& section) {
        run_.clear();
        // A bounded run at a time, so a huge section is never held twice.
        constexpr std::size_t kRunLength = 4096;
        const std::size_t taken =
            lines_.nextPoints(*lineEnd_, std::min(budget_ + 1, kRunLength), run_);
        if (taken == 0) {
            return false;
        }
        const std::int64_t first = lines_.lineNumber() - static_cast<std::int64_t>(taken) + 1;
        section.firstPointLine = section.pointLines == 0 ? first : section.firstPointLine;
        section.pointLines += static_cast<std::int64_t>(taken);
        lastLine_ = lines_.lineNumber();
        const std::size_t kept = std::min(taken, budget_);
        section.points.append(run_.data(), run_.data() + kept);
        budget_ -= kept;
        if (kept < taken) {
            spend(1);  // over the budget: says so and stops
        }
        return true;
    }

    void addPoint(PointSection& section, std::int64_t number, BoardPoint point) {
        notePointLine(section, number);
        if (spend(1)) {
            section.points.append(point);
        }
    }

    // Takes `cost` from the reader's budget; false (and the reading stops) when it is spent.
    bool spend(std::size_t cost) {
        if (budget_ < cost) {
            findings().problem(lastLine_,
                               "expected at most " + std::to_string(report_limits::kMaxPoints) +
                                   " points in a report, found more; the rest is not read");
            stopped_ = true;
            return false;
        }
        budget_ -= cost;
        return true;
    }

    void lineEnds() {
        if (stopped_) {
            return;
        }
        if (lineEnd_ == LineEnd::Lf) {
            findings().warning(0,
                               "expected CR LF line ends, found LF only: the file was read as it "
                               "is (a mail gateway may have changed them)");
        }
        if (otherEnds_ > 0) {
            const char* wanted = lineEnd_ == LineEnd::CrLf ? "CR LF" : "LF";
            const char* other = lineEnd_ == LineEnd::CrLf ? "LF" : "CR LF";
            findings().problem(
                firstOtherEnd_,
                std::string("expected ") + wanted + " line ends as on line 1, found " + other +
                    (otherEnds_ > 1
                         ? " here and on " + std::to_string(otherEnds_ - 1) + " more lines"
                         : ""));
        }
    }

    LineReader lines_;
    ReadResult& out_;
    std::optional<CodePage> serialCodePage_;
    std::optional<Line> current_;
    bool peeked_ = false;
    const Line* taken_ = nullptr;
    std::int64_t lastLine_ = 0;
    std::size_t edge_ = 0;
    bool endReported_ = false;
    bool stopped_ = false;
    std::size_t budget_ = report_limits::kMaxPoints;
    std::vector<BoardPoint> run_;  // the points of one run of well-formed point lines
    std::optional<LineEnd> lineEnd_;
    std::int64_t otherEnds_ = 0;
    std::int64_t firstOtherEnd_ = 0;
    std::string partial_;  // the last line when it has no line end, quoted
    std::int64_t partialLine_ = 0;
};

}  // namespace

std::string PointArrayLabel(std::size_t i) {
    return ArrayLabels()[i];
}

std::string ExtraStrokeLabel(std::size_t i) {
    return std::string(kStrokeLabel) + std::to_string(i);
}

ReadResult ReadReport(ByteSource& source, const std::optional<CodePage>& serialCodePage) {
    ReadResult result;
    ReportParser(source, result, serialCodePage).run();
    return result;
}
