#include "state_text.h"

#include <algorithm>
#include <utility>

#include "text_numbers.h"

namespace tavlo_sim {
namespace {

using Keys = std::map<std::string, std::string, std::less<>>;

constexpr std::array<std::pair<std::string_view, EdgePoints OrientPoints::*>, 4> kEdges = {{
    {"top", &OrientPoints::top},
    {"bottom", &OrientPoints::bottom},
    {"left", &OrientPoints::left},
    {"right", &OrientPoints::right},
}};

std::string_view Trim(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

Keys SplitKeys(std::string_view text) {
    Keys keys;
    while (!text.empty()) {
        const auto eol = text.find('\n');
        const std::string_view line = Trim(text.substr(0, eol));
        text = eol == std::string_view::npos ? std::string_view{} : text.substr(eol + 1);
        const auto equals = line.find('=');
        if (line.starts_with('#') || equals == std::string_view::npos) {
            continue;
        }
        keys[std::string(Trim(line.substr(0, equals)))] =
            std::string(Trim(line.substr(equals + 1)));
    }
    return keys;
}

template <typename T, typename Parse>
void Apply(const Keys& keys, const std::string& key, Parse parse, T& target) {
    const auto found = keys.find(key);
    if (found == keys.end()) {
        return;
    }
    if (auto value = parse(found->second)) {
        target = *value;
    }
}

std::optional<EdgePoints> ParsePoints(std::string_view text) {
    EdgePoints edge;
    while (!(text = Trim(text)).empty()) {
        const auto space = std::min(text.find(' '), text.size());
        const std::string_view point = text.substr(0, space);
        text = text.substr(space);
        const auto colon = point.find(':');
        if (colon == std::string_view::npos) {
            return std::nullopt;
        }
        auto x = ParseFloat(point.substr(0, colon));
        auto y = ParseFloat(point.substr(colon + 1));
        if (!x || !y) {
            return std::nullopt;
        }
        edge.x.push_back(*x);
        edge.y.push_back(*y);
    }
    return edge;
}

// "orient.<board>.<edge>=x:y x:y ..."
void ApplyOrientKey(std::string_view key, std::string_view value, BoardState& state) {
    key.remove_prefix(std::string_view("orient.").size());
    const auto dot = key.find('.');
    const auto board = ParseInt(key.substr(0, dot));
    if (!board || dot == std::string_view::npos) {
        return;
    }
    const auto edge = std::find_if(kEdges.begin(), kEdges.end(),
                                   [&](const auto& e) { return e.first == key.substr(dot + 1); });
    auto points = ParsePoints(value);
    if (edge == kEdges.end() || !points) {
        return;
    }
    state.orientPoints[*board].*(edge->second) = std::move(*points);
}

void ApplyBoardKeys(const Keys& keys, int number, BoardData& board) {
    const std::string prefix = "board." + std::to_string(number) + ".";
    Apply(keys, prefix + "left", ParseInt, board.display.left);
    Apply(keys, prefix + "top", ParseInt, board.display.top);
    Apply(keys, prefix + "right", ParseInt, board.display.right);
    Apply(keys, prefix + "bottom", ParseInt, board.display.bottom);
    for (std::size_t slot = 0; slot < kSettingIds.size(); ++slot) {
        Apply(keys, prefix + "setting" + std::to_string(kSettingIds[slot]), ParseU32,
              board.settings[slot]);
    }
}

std::optional<int> ParseBoardCount(std::string_view text) {
    auto count = ParseInt(text);
    if (!count || *count < 0 || *count > kMaxBoards) {
        return std::nullopt;
    }
    return count;
}

std::optional<bool> ParseFlag(std::string_view text) {
    if (text == "0" || text == "1") {
        return text == "1";
    }
    return std::nullopt;
}

std::optional<std::string> ParseText(std::string_view text) {
    return std::string(text);
}

void AppendLine(std::string& out, const std::string& key, const std::string& value) {
    out += key;
    out += '=';
    out += value;
    out += '\n';
}

std::string PointsText(const EdgePoints& edge) {
    std::string text;
    for (std::size_t j = 0; j < edge.x.size() && j < edge.y.size(); ++j) {
        if (j > 0) {
            text += ' ';
        }
        text += FloatText(edge.x[j]);
        text += ':';
        text += FloatText(edge.y[j]);
    }
    return text;
}

}  // namespace

std::string FormatStateText(const BoardState& state) {
    std::string out = "# TAVLO simulated board state\n";
    AppendLine(out, "boards", std::to_string(state.boards.size()));
    AppendLine(out, "current", std::to_string(state.currentBoard));
    // A line break would end the value early; the path ends there.
    AppendLine(out, "journal",
               state.journalPath.substr(0, state.journalPath.find_first_of("\r\n")));
    AppendLine(out, "mouse_pen", state.mousePen ? "1" : "0");
    for (std::size_t i = 0; i < state.boards.size(); ++i) {
        const BoardData& board = state.boards[i];
        const std::string prefix = "board." + std::to_string(i + 1) + ".";
        AppendLine(out, prefix + "left", std::to_string(board.display.left));
        AppendLine(out, prefix + "top", std::to_string(board.display.top));
        AppendLine(out, prefix + "right", std::to_string(board.display.right));
        AppendLine(out, prefix + "bottom", std::to_string(board.display.bottom));
        for (std::size_t slot = 0; slot < kSettingIds.size(); ++slot) {
            AppendLine(out, prefix + "setting" + std::to_string(kSettingIds[slot]),
                       HexText(board.settings[slot]));
        }
    }
    for (const auto& [number, points] : state.orientPoints) {
        for (const auto& [name, member] : kEdges) {
            AppendLine(out, "orient." + std::to_string(number) + "." + std::string(name),
                       PointsText(points.*member));
        }
    }
    return out;
}

BoardState ParseStateText(std::string_view text, const DisplayRect& defaultDisplay) {
    const Keys keys = SplitKeys(text);
    BoardState state;
    int count = 1;
    Apply(keys, "boards", ParseBoardCount, count);
    state.boards.assign(static_cast<std::size_t>(count), BoardData{defaultDisplay});
    for (int b = 1; b <= count; ++b) {
        ApplyBoardKeys(keys, b, state.boards[static_cast<std::size_t>(b - 1)]);
    }
    Apply(keys, "current", ParseInt, state.currentBoard);
    Apply(keys, "journal", ParseText, state.journalPath);
    Apply(keys, "mouse_pen", ParseFlag, state.mousePen);
    for (const auto& [key, value] : keys) {
        if (key.starts_with("orient.")) {
            ApplyOrientKey(key, value, state);
        }
    }
    return state;
}

}  // namespace tavlo_sim
