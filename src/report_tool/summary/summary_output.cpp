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
    header += ",second pass,internal trace,free strokes,check,problems,first problem\r\n";
    out << header;
    for (const SummaryRow& row : rows) {
        std::string line = CsvField(row.file);
        const auto add = [&line](std::string_view field) {
            line += ',';
            line += field;
        };
        add(CsvField(row.serialNumber));
        add(row.writtenAt ? IsoDateTime(*row.writtenAt) : std::string());
        for (const EdgeSummary& edge : row.edges) {
            add(OptionalNumber(edge.min));
            add(OptionalNumber(edge.max));
            add(OptionalNumber(edge.spread));
            add(edge.verdict ? VerdictWord(*edge.verdict) : std::string());
            add(std::to_string(edge.points));
            add(OneDecimal(edge.coveragePercent));
        }
        add(YesNo(row.secondPass));
        add(YesNo(row.internalTrace));
        add(std::to_string(row.freeStrokes));
        add(CheckWord(row));
        add(std::to_string(row.problems));
        add(CsvField(row.firstProblem));
        out << line << "\r\n";
    }
}

namespace {

using Json = nlohmann::ordered_json;

template <typename T>
Json OptionalJson(const std::optional<T>& value) {
    return value ? Json(*value) : Json(nullptr);
}

Json EdgeJson(const EdgeSummary& edge) {
    Json json;
    json["min"] = OptionalJson(edge.min);
    json["max"] = OptionalJson(edge.max);
    json["spread"] = OptionalJson(edge.spread);
    json["verdict"] = edge.verdict ? Json(VerdictWord(*edge.verdict)) : Json(nullptr);
    json["points"] = edge.points;
    json["coverage_percent"] = std::round(edge.coveragePercent * 10.0) / 10.0;
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
        item["free_strokes"] = row.freeStrokes;
        item["check"] = CheckWord(row);
        item["problems"] = row.problems;
        item["first_problem"] = row.firstProblem.empty() ? Json(nullptr) : Json(row.firstProblem);
        all.push_back(std::move(item));
    }
    // File names need not be UTF-8 on every system; such bytes are replaced rather than thrown on.
    out << all.dump(2, ' ', false, Json::error_handler_t::replace) << "\n";
}
