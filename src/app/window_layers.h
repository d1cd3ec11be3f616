#pragma once
#include <string>

#include "app/line_segment.h"
#include "framework/dc.h"
#include "framework/geometry.h"

// The layers drawn in client pixels, each into `dc` for the client rectangle `r` = (0, 0, W, H).
// Tiles and grid lines wholly outside the clip box are not issued.

// The background bitmap tiled from the top-left corner over the whole window.
void DrawBackgroundTiles(fw::DC& dc, const fw::Rect& r);
// Gray lines every 20 pixels: all vertical ones, then all horizontal ones.
void DrawGrid(fw::DC& dc, const fw::Rect& r);
// The black guide line of the internal trace.
void DrawTargetLine(fw::DC& dc, const LineSegment& line);

struct PromptPlacement {
    fw::Rect picture;
    fw::Rect band;
};
// The instruction picture (if any) centred in the window and the prompt line centred 10 pixels
// below it; returns where both went, which is where they must be invalidated when they change.
PromptPlacement DrawPictureAndPrompt(fw::DC& dc, const fw::Rect& r, const fw::Bitmap* picture,
                                     const std::wstring& prompt);
