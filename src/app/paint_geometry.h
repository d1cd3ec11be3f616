#pragma once
#include <cstdint>

#include "framework/geometry.h"
#include "rules/board_rules.h"

// Board space: the square of non-projected board units mapped onto the whole window.
using rules::kBoardExtent;

// Bar pen width in board units: 19 pixels across a window `windowWidth` (> 0) pixels wide.
std::int32_t BarPenWidth(std::int32_t windowWidth);
// Overlay pen width in board units: one pixel across a window `windowWidth` (> 0) pixels wide.
std::int32_t OverlayPenWidth(std::int32_t windowWidth);

// The 226 x 148 instruction picture centred in `r`; placed even when no picture is shown, so
// the prompt below it keeps its place.
fw::Rect PictureRect(const fw::Rect& r);
// The full-width band of the prompt line, 10 pixels below the picture and `textHeight` high.
fw::Rect PromptBand(const fw::Rect& r, const fw::Rect& picture, std::int32_t textHeight);
// The box the prompt text is drawn in: centred across `r` (a negative left edge when the text is
// wider than the window), on the band's top line.
fw::Rect PromptTextBox(const fw::Rect& r, const fw::Rect& picture, fw::Size text);

// Where a minimised window draws its icon: centred in the client area.
fw::Point IconPosition(const fw::Rect& client, fw::Size icon);
