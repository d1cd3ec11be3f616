#include "board/restore_record.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

namespace {

constexpr std::string_view kHeader = "rimtrace restore record 1";
constexpr std::string_view kEnd = "end";

std::string Hex32(std::int32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X",
                  static_cast<unsigned>(static_cast<std::uint32_t>(value)));
    return text;
}

// The lines of the text; a final line end is optional, CR LF is taken as LF.
std::vector<std::string_view> Lines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        lines.push_back(line);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    }
    return lines;
}

std::vector<std::string_view> Words(std::string_view line) {
    std::vector<std::string_view> words;
    std::size_t at = 0;
    while (at < line.size()) {
        const std::size_t end = std::min(line.find(' ', at), line.size());
        if (end == at) {
            return {};  // two blanks in a row: not a line we wrote
        }
        words.push_back(line.substr(at, end - at));
        at = end + 1;
    }
    return words;
}

std::optional<std::uint32_t> ParseHex32(std::string_view text) {
    if (text.size() != 10 || text.substr(0, 2) != "0x") {
        return std::nullopt;
    }
    std::uint32_t value = 0;
    const char* first = text.data() + 2;
    const char* last = text.data() + text.size();
    const auto [end, error] = std::from_chars(first, last, value, 16);
    if (error != std::errc() || end != last) {
        return std::nullopt;
    }
    return value;
}

std::optional<std::int32_t> Setting(std::string_view word, std::string_view name) {
    if (word.size() <= name.size() || word.substr(0, name.size()) != name ||
        word[name.size()] != '=') {
        return std::nullopt;
    }
    const auto value = ParseHex32(word.substr(name.size() + 1));
    if (!value) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(*value);
}

std::optional<BoardToRestore> ParseBoardLine(std::string_view line) {
    const std::vector<std::string_view> words = Words(line);
    if (words.size() != 6 || words[0] != "board") {
        return std::nullopt;
    }
    BoardToRestore entry;
    const char* last = words[1].data() + words[1].size();
    const auto [end, error] = std::from_chars(words[1].data(), last, entry.board);
    if (error != std::errc() || end != last || words[1].front() == '0' || entry.board < 1 ||
        entry.board > kMaxRestoreBoard) {
        return std::nullopt;
    }
    const auto s0 = Setting(words[2], "setting0");
    const auto s1 = Setting(words[3], "setting1");
    const auto s4 = Setting(words[4], "setting4");
    if (!s0 || !s1 || !s4 || (words[5] != "driver=on" && words[5] != "driver=off")) {
        return std::nullopt;
    }
    entry.settings = {*s0, *s1, *s4, words[5] == "driver=on"};
    return entry;
}

}  // namespace

std::string FormatRestoreRecord(const RestoreRecord& record) {
    std::string text(kHeader);
    text += '\n';
    for (const BoardToRestore& entry : record) {
        text += "board " + std::to_string(entry.board);
        text += " setting0=" + Hex32(entry.settings.intSetting0);
        text += " setting1=" + Hex32(entry.settings.intSetting1);
        text += " setting4=" + Hex32(entry.settings.intSetting4);
        text += entry.settings.driverState ? " driver=on\n" : " driver=off\n";
    }
    text += kEnd;
    text += '\n';
    return text;
}

std::optional<RestoreRecord> ParseRestoreRecord(std::string_view text) {
    if (text.size() > kMaxRestoreRecordBytes) {
        return std::nullopt;
    }
    const std::vector<std::string_view> lines = Lines(text);
    if (lines.size() < 2 || lines.front() != kHeader || lines.back() != kEnd) {
        return std::nullopt;
    }
    RestoreRecord record;
    for (std::size_t i = 1; i + 1 < lines.size(); ++i) {
        const auto entry = ParseBoardLine(lines[i]);
        // Ascending and each board once: what this program writes, and the order it restores in.
        if (!entry || (!record.empty() && entry->board <= record.back().board)) {
            return std::nullopt;
        }
        record.push_back(*entry);
    }
    return record;
}

RestoreSplit SplitByAttached(const RestoreRecord& record, int attachedCount) {
    RestoreSplit split;
    for (const BoardToRestore& entry : record) {
        (entry.board <= attachedCount ? split.now : split.later).push_back(entry);
    }
    return split;
}
