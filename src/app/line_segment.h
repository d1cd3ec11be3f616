#pragma once
#include "framework/geometry.h"

// A line segment in client pixels of the trace window.
struct LineSegment {
    fw::Point start;
    fw::Point end;
    friend bool operator==(const LineSegment&, const LineSegment&) = default;
};
