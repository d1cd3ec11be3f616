#pragma once
#include <optional>
#include <string_view>

#include "analysis/edge_stats.h"

// The colours of a report's picture and of its page, in one place so that both speak the same
// colour language: each verdict has its colour, and the trace's companions theirs.
namespace palette {

inline constexpr std::string_view kBackground = "#f3f4f6";
inline constexpr std::string_view kPaper = "#ffffff";  // panels, tables, text on a verdict chip
inline constexpr std::string_view kInk = "#1f2937";
inline constexpr std::string_view kMutedInk = "#6b7280";
inline constexpr std::string_view kRule = "#d1d5db";       // borders of panels and tables
inline constexpr std::string_view kGrid = "#e5e7eb";       // grid lines, table headings
inline constexpr std::string_view kFaintInk = "#9ca3af";   // a plot's frame, the pen's landing
inline constexpr std::string_view kBoardFace = "#f8fafc";  // the board in the overview
inline constexpr std::string_view kBoardOutline = "#94a3b8";
inline constexpr std::string_view kUntracedFill = "#d4d4d8";     // a stretch no point covers
inline constexpr std::string_view kUntracedOnBoard = "#71717a";  // the same on the overview
inline constexpr std::string_view kSecondPassStroke = "#1d4ed8";
inline constexpr std::string_view kInternalStroke = "#7c3aed";
inline constexpr std::string_view kExtraStroke = "#ea580c";
inline constexpr std::string_view kNotGraded = "#475569";  // an edge whose points are not all there

// A verdict's colour for lines and text, and the fills of the outer and inner bands drawn in it.
struct VerdictColours {
    std::string_view strong;
    std::string_view outerBand;
    std::string_view innerBand;
};

constexpr VerdictColours ColoursOf(EdgeVerdict verdict) {
    switch (verdict) {
        case EdgeVerdict::Passed:
            return {"#15803d", "#dcfce7", "#86efac"};
        case EdgeVerdict::Correctable:
            return {"#b45309", "#fef3c7", "#fcd34d"};
        case EdgeVerdict::NotCorrectable:
            break;
    }
    return {"#b91c1c", "#fee2e2", "#fca5a5"};
}

// A verdict's colour for lines and text, or that of an edge that could not be graded.
constexpr std::string_view StrongColourOf(std::optional<EdgeVerdict> verdict) {
    return verdict ? ColoursOf(*verdict).strong : kNotGraded;
}

}  // namespace palette
