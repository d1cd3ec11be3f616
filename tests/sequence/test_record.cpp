#include "test_record.h"

#include <cmath>
#include <type_traits>

namespace {

constexpr std::array<std::string_view, 4> kEdgeNames = {"left", "bottom", "right", "top"};

std::vector<BoardPoint> Points(const TracePointArray& a) {
    return {a.begin(), a.end()};
}

// A float written with six significant digits reads back within half a unit of the sixth.
bool SameAverage(double read, float held) {
    if (std::isnan(held)) {
        return std::isnan(read);
    }
    if (std::isinf(held)) {
        return read == static_cast<double>(held);
    }
    const double h = held;
    return std::fabs(read - h) <= 5.000001e-6 * std::fabs(h);
}

std::string_view Verdict(const EdgeStats& s) {
    const std::uint32_t spread = s.max - s.min;  // wraps for an edge without points
    if (spread <= 50) {
        return "# passed";
    }
    return spread <= 300 ? "# correctable" : "# not correctable";
}

std::string CompareStats(std::string_view edge, const ReportFileContent::Stats& read,
                         const EdgeStats& held) {
    const std::string where = "the " + std::string(edge) + " stats ";
    if (read.min != held.min || read.max != held.max || read.minGap != held.minGap ||
        read.maxGap != held.maxGap) {
        return where + "hold other whole numbers than the window";
    }
    if (!SameAverage(read.avg, held.avg) || !SameAverage(read.avgGap, held.avgGap)) {
        return where + "hold other averages than the window";
    }
    if (read.verdict != Verdict(held)) {
        return where + "end in \"" + read.verdict + "\"";
    }
    return {};
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

std::string CompareReport(const ReportFileContent& file, const TestRecord& test,
                          const std::string& ansiSerial, const LocalDateTime& writtenAt) {
    if (file.serialNumber != WrittenSerial(ansiSerial)) {
        return "the serial number line is \"" + file.serialNumber + "\"";
    }
    const std::string date =
        std::to_string(writtenAt.day) + "/" + std::to_string(writtenAt.month) + "/" +
        std::to_string(writtenAt.year) + " " + std::to_string(writtenAt.hour) + ":" +
        std::to_string(writtenAt.minute) + ":" + std::to_string(writtenAt.second);
    if (file.dateAndTime != date) {
        return "the date line is \"" + file.dateAndTime + "\", not \"" + date + "\"";
    }
    for (std::size_t e = 0; e < kEdgeNames.size(); ++e) {
        if (std::string error = CompareStats(kEdgeNames[e], file.stats[e], test.stats[e]);
            !error.empty()) {
            return error;
        }
    }
    for (std::size_t i = 0; i < file.points.size(); ++i) {
        if (file.points[i] != test.points[i]) {
            return "point section " + std::to_string(i) + " holds " +
                   std::to_string(file.points[i].size()) + " points, the window's array " +
                   std::to_string(test.points[i].size()) + " (or other points)";
        }
    }
    if (file.extraStrokes != test.strokes) {
        return "the report's " + std::to_string(file.extraStrokes.size()) +
               " extra strokes differ from the window's " + std::to_string(test.strokes.size());
    }
    return {};
}
