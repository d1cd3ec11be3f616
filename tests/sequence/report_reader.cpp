#include "report_reader.h"

#include <charconv>
#include <cstdlib>

namespace {

constexpr std::array<std::string_view, 4> kEdges = {"left", "bottom", "right", "top"};
constexpr std::array<std::string_view, 3> kPasses = {"", " 2", " extra"};

class LineReader {
  public:
    explicit LineReader(std::string_view bytes) : rest_(bytes) {}

    bool atEnd() const { return rest_.empty(); }
    // The next line without its CR LF; an error when the line has a bare CR or LF.
    std::optional<std::string_view> next(std::string& error) {
        const std::size_t end = rest_.find("\r\n");
        if (end == std::string_view::npos) {
            error = "the file does not end with CR LF";
            return std::nullopt;
        }
        const std::string_view line = rest_.substr(0, end);
        if (line.find_first_of("\r\n") != std::string_view::npos) {
            error = "a line holds a bare CR or LF";
            return std::nullopt;
        }
        rest_.remove_prefix(end + 2);
        ++number_;
        return line;
    }
    int number() const { return number_; }

  private:
    std::string_view rest_;
    int number_ = 0;
};

template <typename T>
bool ParseInteger(std::string_view text, T& value) {
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size() && !text.empty() &&
           text.front() != '+';
}

bool ParseReal(std::string_view text, double& value) {
    const std::string copy(text);
    char* end = nullptr;
    value = std::strtod(copy.c_str(), &end);
    return !copy.empty() && end == copy.c_str() + copy.size();
}

class Parser {
  public:
    explicit Parser(std::string_view bytes) : lines_(bytes) {}

    ReportReading read() {
        ReportFileContent c;
        if (expect("# v1") && expect("") && labelled("# serial number: ", c.serialNumber) &&
            expect("") && labelled("# date and time: ", c.dateAndTime) && expect("")) {
            for (std::size_t e = 0; e < kEdges.size() && ok(); ++e) {
                readStats(kEdges[e], c.stats[e]);
            }
            for (std::size_t i = 0; i < c.points.size() && ok(); ++i) {
                const std::string label =
                    "# " + std::string(kEdges[i % 4]) + std::string(kPasses[i / 4]);
                if (expect(label)) {
                    readPoints(c.points[i]);
                }
            }
            while (ok() && !lines_.atEnd()) {
                const std::string label = "# extra stroke " + std::to_string(c.extraStrokes.size());
                if (expect(label)) {
                    readPoints(c.extraStrokes.emplace_back());
                }
            }
        }
        if (!ok()) {
            return {std::nullopt, "line " + std::to_string(lines_.number()) + ": " + error_};
        }
        return {std::move(c), {}};
    }

  private:
    bool ok() const { return error_.empty(); }

    std::optional<std::string_view> line() {
        if (!ok()) {
            return std::nullopt;
        }
        return lines_.next(error_);
    }
    bool expect(std::string_view wanted) {
        const auto text = line();
        if (text && *text != wanted) {
            error_ =
                "expected \"" + std::string(wanted) + "\", found \"" + std::string(*text) + "\"";
        }
        return ok();
    }
    bool labelled(std::string_view label, std::string& value) {
        const auto text = line();
        if (text && text->substr(0, label.size()) != label) {
            error_ = "expected a line starting \"" + std::string(label) + "\"";
        } else if (text) {
            value = text->substr(label.size());
        }
        return ok();
    }
    template <typename T>
    void number(std::string_view label, T& value) {
        std::string text;
        if (labelled(label, text) && !ParseInteger(text, value)) {
            error_ = "not a number after \"" + std::string(label) + "\"";
        }
    }
    void real(std::string_view label, double& value) {
        std::string text;
        if (labelled(label, text) && !ParseReal(text, value)) {
            error_ = "not a number after \"" + std::string(label) + "\"";
        }
    }
    void readStats(std::string_view edge, ReportFileContent::Stats& s) {
        expect("# " + std::string(edge) + " stats");
        number("# min: ", s.min);
        number("# max: ", s.max);
        real("# avg: ", s.avg);
        number("# min gap: ", s.minGap);
        number("# max gap: ", s.maxGap);
        real("# avg gap: ", s.avgGap);
        if (const auto verdict = line()) {
            s.verdict = *verdict;
        }
        expect("");
    }
    void readPoints(std::vector<BoardPoint>& points) {
        const auto countLine = line();
        std::int32_t count = 0;
        if (countLine && (!ParseInteger(*countLine, count) || count < 0)) {
            error_ = "bad point count \"" + std::string(*countLine) + "\"";
        }
        for (std::int32_t i = 0; i < count && ok(); ++i) {
            const auto text = line();
            if (!text) {
                break;
            }
            const std::size_t comma = text->find(',');
            BoardPoint p{};
            if (comma == std::string_view::npos || !ParseInteger(text->substr(0, comma), p.x) ||
                !ParseInteger(text->substr(comma + 1), p.y)) {
                error_ = "bad point line \"" + std::string(*text) + "\"";
                break;
            }
            points.push_back(p);
        }
    }

    LineReader lines_;
    std::string error_;
};

}  // namespace

ReportReading ReadReport(std::string_view bytes) {
    return Parser(bytes).read();
}
