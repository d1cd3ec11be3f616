#include "report_tool/summary/summary_output.h"

#include <array>
#include <cmath>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

#include "report_tool/reading/value_text.h"

namespace {

constexpr std::array<std::string_view, 4> kEdgeNames = {"left", "bottom", "right", "top"};

template <typename T>
std::string OptionalNumber(const std::optional<T>& value) {
    return value ? std::to_string(*value) : std::string();
}

std::string YesNo(bool value) {
    return value ? "yes" : "no";
}

std::string CheckWord(const SummaryRow& row) {
    return row.problems == 0 ? "ok" : "failed";
}

std::string OptionalVerdict(const std::optional<EdgeVerdict>& verdict) {
    return verdict ? VerdictWord(*verdict) : std::string();
}

std::string JoinedWarnings(const SummaryRow& row) {
    std::string joined;
    for (const std::string& warning : row.warnings) {
        joined += (joined.empty() ? "" : "; ") + warning;
    }
    return joined;
}

}  // namespace

std::string CsvField(std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
        return std::string(text);
    }
    std::string out = "\"";
    for (char c : text) {
        out += c;
        if (c == '"') {
            out += '"';
        }
    }
    out += '"';
    return out;
}

std::string CsvText(std::string_view text) {
    // What a spreadsheet program would take for the start of a formula.
    constexpr std::string_view kFormulaStarts = "=+-@\t\r";
    if (!text.empty() && kFormulaStarts.find(text.front()) != std::string_view::npos) {
        std::string guarded = "'";
        guarded += text;
        return CsvField(guarded);
    }
    return CsvField(text);
}

void WriteSummaryCsv(std::ostream& out, const std::vector<SummaryRow>& rows) {
    std::string header = "file,serial number,date";
    for (std::string_view edge : kEdgeNames) {
        for (std::string_view column :
             {" min", " max", " spread", " verdict", " points", " coverage %"}) {
            header += ",";
            header += edge;
            header += column;
        }
    }
    header += ",second pass,internal trace,free strokes,check,problems,first problem";
    // Columns added later go at the end, so that scripts reading the earlier ones keep working.
    header += ",overall verdict";
    for (std::string_view edge : kEdgeNames) {
        header += ",";
        header += edge;
        header += " claimed verdict";
    }
    header += ",warnings,encoding\r\n";
    out << header;
    for (const SummaryRow& row : rows) {
        std::string line = CsvText(row.file);
        // Numbers as they are; text guarded against being taken for a formula.
        const auto number = [&line](const std::string& field) {
            line += ',';
            line += field;
        };
        const auto text = [&line](std::string_view field) {
            line += ',';
            line += CsvText(field);
        };
        text(row.serialNumber);
        text(row.writtenAt ? IsoDateTime(*row.writtenAt) : std::string());
        for (const EdgeSummary& edge : row.edges) {
            number(OptionalNumber(edge.min));
            number(OptionalNumber(edge.max));
            number(OptionalNumber(edge.spread));
            text(OptionalVerdict(edge.verdict));
            number(std::to_string(edge.points));
            number(OneDecimal(edge.coveragePercent));
        }
        text(YesNo(row.secondPass));
        text(YesNo(row.internalTrace));
        number(std::to_string(row.extraStrokes));
        text(CheckWord(row));
        number(std::to_string(row.problems));
        text(row.firstProblem);
        text(OptionalVerdict(row.verdict));
        for (const EdgeSummary& edge : row.edges) {
            text(OptionalVerdict(edge.differingClaim()));
        }
        text(JoinedWarnings(row));
        text(row.encoding);
        out << line << "\r\n";
    }
}

namespace {

using Json = nlohmann::ordered_json;

template <typename T>
Json OptionalJson(const std::optional<T>& value) {
    return value ? Json(*value) : Json(nullptr);
}

Json VerdictJson(const std::optional<EdgeVerdict>& verdict) {
    return verdict ? Json(VerdictWord(*verdict)) : Json(nullptr);
}

Json EdgeJson(const EdgeSummary& edge) {
    Json json;
    json["min"] = OptionalJson(edge.min);
    json["max"] = OptionalJson(edge.max);
    json["spread"] = OptionalJson(edge.spread);
    json["verdict"] = VerdictJson(edge.verdict);
    json["points"] = edge.points;
    json["coverage_percent"] = std::round(edge.coveragePercent * 10.0) / 10.0;
    json["claimed_verdict"] = VerdictJson(edge.differingClaim());
    return json;
}

}  // namespace

void WriteSummaryJson(std::ostream& out, const std::vector<SummaryRow>& rows) {
    Json all = Json::array();
    for (const SummaryRow& row : rows) {
        Json item;
        item["file"] = row.file;
        item["serial_number"] = row.serialNumber;
        item["date"] = row.writtenAt ? Json(IsoDateTime(*row.writtenAt)) : Json(nullptr);
        for (std::size_t e = 0; e < kEdgeNames.size(); ++e) {
            item["edges"][std::string(kEdgeNames[e])] = EdgeJson(row.edges[e]);
        }
        item["second_pass"] = row.secondPass;
        item["internal_trace"] = row.internalTrace;
        item["free_strokes"] = row.extraStrokes;
        item["check"] = CheckWord(row);
        item["problems"] = row.problems;
        item["first_problem"] = row.firstProblem.empty() ? Json(nullptr) : Json(row.firstProblem);
        item["overall_verdict"] = VerdictJson(row.verdict);
        item["warnings"] = row.warnings;
        item["encoding"] = row.encoding;
        all.push_back(std::move(item));
    }
    // File names need not be UTF-8 on every system; such bytes are replaced rather than thrown on.
    out << all.dump(2, ' ', false, Json::error_handler_t::replace) << "\n";
}
