#pragma once
#include <array>
#include <string>

#include "analysis/edge_stats.h"
#include "framework/local_date_time.h"
#include "trace/point_arrays.h"

// Everything one report holds. The point arrays are borrowed from the test state, which outlives
// the formatting; the rest is copied.
struct ReportContent {
    std::string serialNumber;  // already in the ANSI code page, written byte for byte
    LocalDateTime writtenAt;
    std::array<EdgeStats, 4> edgeStats;  // first pass: left, bottom, right, top
    const PointArrays& tracePoints;
    const StrokeList& extraStrokes;
};

// The complete bytes of the report file. Every line ends with CR LF, the last one included; the
// file is meant to be written in binary mode so the line ends are not translated again.
std::string FormatReport(const ReportContent& content);
