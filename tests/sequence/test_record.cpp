#include "test_record.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <type_traits>

namespace {

constexpr std::array<std::string_view, 4> kEdgeNames = {"left", "bottom", "right", "top"};

std::vector<BoardPoint> Points(const TracePointArray& a) {
    return {a.begin(), a.end()};
}

// A float written with six significant digits reads back within half a unit of the sixth.
bool SameAverage(std::optional<float> read, float held) {
    if (!read || std::isnan(held)) {
        return read && std::isnan(*read);
    }
    if (std::isinf(held)) {
        return *read == held;
    }
    const double h = held;
    return std::fabs(static_cast<double>(*read) - h) <= 5.000001e-6 * std::fabs(h);
}

// The verdict worked out here, not by the program's classifier.
EdgeVerdict Verdict(const EdgeStats& s) {
    const std::uint32_t spread = s.max - s.min;  // wraps for an edge without points
    if (spread <= 50) {
        return EdgeVerdict::Passed;
    }
    return spread <= 300 ? EdgeVerdict::Correctable : EdgeVerdict::NotCorrectable;
}

std::string CompareStats(std::string_view edge, const StoredStats& read, const EdgeStats& held) {
    const std::string where = "the " + std::string(edge) + " stats ";
    if (read.min != held.min || read.max != held.max || read.minGap != held.minGap ||
        read.maxGap != held.maxGap) {
        return where + "hold other whole numbers than the window";
    }
    if (!SameAverage(read.avg, held.avg) || !SameAverage(read.avgGap, held.avgGap)) {
        return where + "hold other averages than the window";
    }
    if (read.verdict != Verdict(held)) {
        return where + "end in another verdict than the window's";
    }
    return {};
}

bool SamePoints(const TracePointArray& read, const std::vector<BoardPoint>& held) {
    return std::equal(read.begin(), read.end(), held.begin(), held.end());
}

}  // namespace

TestRecord RecordOf(const CRimtraceDlg& dlg) {
    TestRecord record;
    for (std::size_t i = 0; i < record.points.size(); ++i) {
        record.points[i] = Points(dlg.m_tracePoints[i]);
    }
    for (const TracePointArray& stroke : dlg.m_extraStrokes) {
        record.strokes.push_back(Points(stroke));
    }
    record.stats = dlg.m_edgeStats;
    record.serialNumber = dlg.m_serialNumber;
    return record;
}

namespace {
template <typename Text>
Text Blanked(Text text) {
    for (auto& c : text) {
        const auto code = static_cast<std::uint32_t>(
            static_cast<std::make_unsigned_t<std::remove_reference_t<decltype(c)>>>(c));
        if (code < 0x20 || code == 0x7F) {
            c = ' ';
        }
    }
    return text;
}
}  // namespace

std::string WrittenSerial(const std::string& ansiSerial) {
    return Blanked(ansiSerial);
}

std::wstring BlankControls(const std::wstring& serial) {
    return Blanked(serial);
}

std::string CompareReport(const ParsedReport& file, const TestRecord& test,
                          const std::string& ansiSerial, const LocalDateTime& writtenAt) {
    if (file.serialNumber != WrittenSerial(ansiSerial)) {
        return "the serial number line is \"" + file.serialNumber + "\"";
    }
    const LocalDateTime& t = writtenAt;
    const LocalDateTime read = file.writtenAt.value_or(LocalDateTime{});
    if (!file.writtenAt || read.year != t.year || read.month != t.month || read.day != t.day ||
        read.hour != t.hour || read.minute != t.minute || read.second != t.second) {
        return "the date line is not the time of writing, " + std::to_string(t.day) + "/" +
               std::to_string(t.month) + "/" + std::to_string(t.year) + " " +
               std::to_string(t.hour) + ":" + std::to_string(t.minute) + ":" +
               std::to_string(t.second);
    }
    for (std::size_t e = 0; e < kEdgeNames.size(); ++e) {
        if (std::string error = CompareStats(kEdgeNames[e], file.stats[e], test.stats[e]);
            !error.empty()) {
            return error;
        }
    }
    for (std::size_t i = 0; i < file.arrays.size(); ++i) {
        if (!SamePoints(file.arrays[i].points, test.points[i])) {
            return "point section " + std::to_string(i) + " holds " +
                   std::to_string(file.arrays[i].points.size()) + " points, the window's array " +
                   std::to_string(test.points[i].size()) + " (or other points)";
        }
    }
    const bool sameStrokes =
        file.freeStrokes.size() == test.strokes.size() &&
        std::equal(file.freeStrokes.begin(), file.freeStrokes.end(), test.strokes.begin(),
                   [](const PointSection& read, const std::vector<BoardPoint>& held) {
                       return SamePoints(read.points, held);
                   });
    if (!sameStrokes) {
        return "the report's " + std::to_string(file.freeStrokes.size()) +
               " extra strokes differ from the window's " + std::to_string(test.strokes.size());
    }
    return {};
}
