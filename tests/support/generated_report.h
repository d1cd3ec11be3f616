#pragma once
// Reports as the program writes them, made from traces that follow the program's own rules:
// the statistics come from its analysis and the bytes from its writer, so a generated report is
// one the program could have written.
#include <algorithm>
#include <array>
#include <cstdint>
#include <random>
#include <string>

#include "analysis/edge_geometry.h"
#include "analysis/edge_statistics.h"
#include "report/report_writer.h"
#include "rules/board_rules.h"
#include "trace/travel.h"

struct GeneratedTest {
    std::string serialNumber = "SN-1";
    LocalDateTime writtenAt{2026, 6, 12, 23, 16, 7};
    PointArrays tracePoints;
    StrokeList extraStrokes;

    // The first pass's statistics, as AnalyzeFirstPass finds them.
    std::array<EdgeStats, 4> edgeStats() const {
        std::array<EdgeStats, 4> stats;
        for (Edge edge : kEdges) {
            const auto e = static_cast<std::size_t>(edge);
            const EdgeGeometry g = GeometryOf(edge);
            stats[e] = ComputeEdgeStats(tracePoints[e],
                                        FindTraceStart(tracePoints[e], g.xLimit, g.yLimit), edge);
        }
        return stats;
    }

    std::string reportBytes() const {
        return FormatReport({serialNumber, writtenAt, edgeStats(), tracePoints, extraStrokes});
    }
};

// A trace along array i's edge from `from` to `to` (along the edge, in the direction of travel)
// at cross-edge position `across`, in steps of 1..maxStep with up to `jitter` units of wobble,
// and on the board, as a pen reports it.
inline TracePointArray GeneratedTrace(std::size_t array, std::int32_t from, std::int32_t to,
                                      std::int32_t across, std::int32_t maxStep,
                                      std::int32_t jitter, std::mt19937& random) {
    const Edge edge = EdgeOfArray(array);
    const bool alongY = GeometryOf(edge).alongIsY;
    const int direction = from <= to ? 1 : -1;
    std::uniform_int_distribution<std::int32_t> step(1, maxStep);
    std::uniform_int_distribution<std::int32_t> wobble(-jitter, jitter);
    TracePointArray trace;
    for (std::int32_t along = from; direction > 0 ? along <= to : along >= to;
         along += direction * step(random)) {
        const std::int32_t a = std::clamp(across + wobble(random), 0, rules::kBoardExtent - 1);
        trace.append(alongY ? BoardPoint{a, along} : BoardPoint{along, a});
    }
    return trace;
}

// A whole test of a board in good, worn or bad shape: four edges near the bezel (some ended early
// by the time-out), and now and then a second pass or internal lines, and extra strokes.
inline GeneratedTest GenerateTest(std::uint32_t seed) {
    std::mt19937 random(seed);
    GeneratedTest test;
    test.serialNumber = "SN-" + std::to_string(seed % 97);
    test.writtenAt = {
        static_cast<std::uint16_t>(2020 + seed % 7), static_cast<std::uint16_t>(1 + seed % 12),
        static_cast<std::uint16_t>(1 + seed % 28),   static_cast<std::uint16_t>(seed % 24),
        static_cast<std::uint16_t>(seed % 60),       static_cast<std::uint16_t>(seed / 7 % 60)};
    const std::int32_t near[4] = {20, 4076, 4076, 20};   // the bezel's position across each edge
    const std::int32_t inset[4] = {55, 4041, 4041, 55};  // the internal lines'
    std::uniform_int_distribution<std::int32_t> chance(0, 9);
    const std::int32_t wobbleOfShape[3] = {20, 150, 450};
    std::uniform_int_distribution<std::int32_t> jitter(0, wobbleOfShape[chance(random) % 3]);
    const bool second = chance(random) < 3;
    const bool internal = !second && chance(random) < 5;
    for (const Pass pass : kPasses) {
        if ((pass == Pass::Second && !second) || (pass == Pass::Internal && !internal)) {
            continue;
        }
        const bool line = pass == Pass::Internal;
        for (const Edge edge : kEdges) {
            const auto e = static_cast<std::size_t>(edge);
            const bool forward = edge == Edge::Left || edge == Edge::Bottom;  // towards 4096
            const std::int32_t end = chance(random) == 0 ? 2000 : (forward ? 4080 : 16);
            const std::size_t array = ArrayOf(pass, edge);
            test.tracePoints[array] =
                GeneratedTrace(array, forward ? 10 : 4086, end, line ? inset[e] : near[e],
                               line ? 300 : 60, jitter(random), random);
        }
    }
    for (int s = chance(random) < 7 ? 0 : chance(random) % 3 + 1; s > 0; --s) {
        test.extraStrokes.startStroke();
        for (int p = 0; p < 20; ++p) {
            test.extraStrokes.lastStroke().append({1000 + 37 * p, 1500 + 11 * p * s});
        }
    }
    return test;
}
