#pragma once
// One assertion for all seven fields of an EdgeStats record. A failure names every field that
// differs; means that are both NaN (an edge without points) count as equal.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "analysis/edge_stats.h"

inline ::testing::AssertionResult StatsEqual(const EdgeStats& actual, const EdgeStats& expected) {
    std::ostringstream differences;
    const auto whole = [&](const char* name, std::uint32_t a, std::uint32_t e) {
        if (a != e) {
            differences << " " << name << " is " << a << ", expected " << e << ";";
        }
    };
    const auto mean = [&](const char* name, float a, float e) {
        if (!(a == e || (std::isnan(a) && std::isnan(e)))) {
            differences << " " << name << " is " << a << ", expected " << e << ";";
        }
    };
    whole("count", actual.count, expected.count);
    whole("min", actual.min, expected.min);
    whole("max", actual.max, expected.max);
    mean("avg", actual.avg, expected.avg);
    whole("minGap", actual.minGap, expected.minGap);
    whole("maxGap", actual.maxGap, expected.maxGap);
    mean("avgGap", actual.avgGap, expected.avgGap);
    if (differences.str().empty()) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "statistics differ:" << differences.str();
}
