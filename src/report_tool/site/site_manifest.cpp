#include "report_tool/site/site_manifest.h"

#include <nlohmann/json.hpp>

#include "report_tool/site/page_names.h"
#include "rimtrace_version.h"

namespace {

using Json = nlohmann::json;

constexpr std::string_view kFormat = "rimtrace-report site";
constexpr std::string_view kGenerator = "rimtrace-report " RIMTRACE_VERSION_TEXT;

// Bytes that need not be UTF-8 (a path on some systems, a serial number in any code page) travel
// as hexadecimal digits; JSON strings hold UTF-8 only.
std::string ToHex(std::string_view bytes) {
    constexpr char kDigits[] = "0123456789abcdef";
    std::string hex;
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        hex += kDigits[b >> 4];
        hex += kDigits[b & 0xF];
    }
    return hex;
}

int HexDigit(char c) {
    return c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

std::string FromHex(const std::string& hex) {
    if (hex.size() % 2 != 0) {
        throw std::invalid_argument("odd hexadecimal text");
    }
    std::string bytes;
    for (std::size_t i = 0; i < hex.size(); i += 2) {
        const int high = HexDigit(hex[i]);
        const int low = HexDigit(hex[i + 1]);
        if (high < 0 || low < 0) {
            throw std::invalid_argument("not a hexadecimal digit");
        }
        bytes += static_cast<char>(high * 16 + low);
    }
    return bytes;
}

template <typename T>
Json Optional(const std::optional<T>& value) {
    return value ? Json(*value) : Json(nullptr);
}

template <typename T>
std::optional<T> OptionalFrom(const Json& json) {
    return json.is_null() ? std::nullopt : std::optional<T>(json.get<T>());
}

Json EdgeJson(const EdgeSummary& edge) {
    return {{"points", edge.points},
            {"min", Optional(edge.min)},
            {"max", Optional(edge.max)},
            {"spread", Optional(edge.spread)},
            {"verdict", edge.verdict ? Json(static_cast<int>(*edge.verdict)) : Json(nullptr)},
            {"coverage", edge.coveragePercent}};
}

EdgeSummary EdgeFrom(const Json& json) {
    EdgeSummary edge;
    edge.points = json.at("points").get<std::size_t>();
    edge.min = OptionalFrom<std::uint32_t>(json.at("min"));
    edge.max = OptionalFrom<std::uint32_t>(json.at("max"));
    edge.spread = OptionalFrom<std::uint32_t>(json.at("spread"));
    if (const auto verdict = OptionalFrom<int>(json.at("verdict"))) {
        if (*verdict < 0 || *verdict > static_cast<int>(EdgeVerdict::NotCorrectable)) {
            throw std::invalid_argument("no such verdict");
        }
        edge.verdict = static_cast<EdgeVerdict>(*verdict);
    }
    edge.coveragePercent = json.at("coverage").get<double>();
    return edge;
}

Json DateJson(const std::optional<LocalDateTime>& t) {
    if (!t) {
        return nullptr;
    }
    return Json::array({t->year, t->month, t->day, t->hour, t->minute, t->second});
}

std::optional<LocalDateTime> DateFrom(const Json& json) {
    if (json.is_null()) {
        return std::nullopt;
    }
    const auto parts = json.get<std::vector<std::uint16_t>>();
    if (parts.size() != 6) {
        throw std::invalid_argument("a date has six parts");
    }
    return LocalDateTime{parts[0], parts[1], parts[2], parts[3], parts[4], parts[5]};
}

// The row without the file, which is the entry's source.
Json RowJson(const SummaryRow& row) {
    Json edges = Json::array();
    for (const EdgeSummary& edge : row.edges) {
        edges.push_back(EdgeJson(edge));
    }
    return {{"serial", ToHex(row.serialBytes)}, {"serial_text", row.serialNumber},
            {"date", DateJson(row.writtenAt)},  {"edges", edges},
            {"second_pass", row.secondPass},    {"internal_trace", row.internalTrace},
            {"free_strokes", row.freeStrokes},  {"problems", row.problems},
            {"first_problem", row.firstProblem}};
}

SummaryRow RowFrom(const Json& json, const std::string& file) {
    SummaryRow row;
    row.file = file;
    row.serialBytes = FromHex(json.at("serial").get<std::string>());
    row.serialNumber = json.at("serial_text").get<std::string>();
    row.writtenAt = DateFrom(json.at("date"));
    const Json& edges = json.at("edges");
    if (edges.size() != row.edges.size()) {
        throw std::invalid_argument("a row has four edges");
    }
    for (std::size_t e = 0; e < row.edges.size(); ++e) {
        row.edges[e] = EdgeFrom(edges.at(e));
    }
    row.secondPass = json.at("second_pass").get<bool>();
    row.internalTrace = json.at("internal_trace").get<bool>();
    row.freeStrokes = json.at("free_strokes").get<std::size_t>();
    row.problems = json.at("problems").get<std::size_t>();
    row.firstProblem = json.at("first_problem").get<std::string>();
    return row;
}

SiteEntry EntryFrom(const Json& json) {
    SiteEntry entry;
    entry.source = FromHex(json.at("source").get<std::string>());
    entry.size = json.at("size").get<std::uintmax_t>();
    entry.modified = json.at("modified").get<std::int64_t>();
    entry.digest = json.at("digest").get<std::string>();
    entry.row = RowFrom(json.at("row"), entry.source);
    return entry;
}

}  // namespace

std::string ManifestText(const SiteManifest& manifest) {
    Json reports = Json::array();
    for (const SiteEntry& entry : manifest.reports) {
        reports.push_back({{"source", ToHex(entry.source)},
                           {"size", entry.size},
                           {"modified", entry.modified},
                           {"digest", entry.digest},
                           {"row", RowJson(entry.row)}});
    }
    const Json json = {{"format", kFormat},
                       {"generator", kGenerator},
                       {"files", manifest.files},
                       {"reports", std::move(reports)}};
    return json.dump(-1, ' ', false, Json::error_handler_t::replace) + "\n";
}

std::optional<SiteManifest> ParseManifest(std::string_view text) {
    const Json json = Json::parse(text, nullptr, false);
    const auto textOf = [&json](const char* key) {
        const auto it = json.find(key);
        return it != json.end() && it->is_string() ? it->get<std::string>() : std::string();
    };
    if (!json.is_object() || textOf("format") != kFormat || !json.contains("files") ||
        !json["files"].is_array()) {
        return std::nullopt;
    }
    SiteManifest manifest;
    for (const Json& file : json["files"]) {
        if (file.is_string() && IsSiteFileName(file.get<std::string>())) {
            manifest.files.insert(file.get<std::string>());
        }
    }
    if (textOf("generator") != kGenerator || !json.contains("reports")) {
        return manifest;
    }
    try {
        for (const Json& entry : json["reports"]) {
            manifest.reports.push_back(EntryFrom(entry));
        }
    } catch (const std::exception&) {
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
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        const std::string name(text.substr(0, end));
        if (IsSiteFileName(name)) {
            files.insert(name);
        }
        text.remove_prefix(std::min(end + 1, text.size()));
    }
    return files;
}
