#pragma once
#include <cstdint>
#include <optional>

#include "analysis/edge_stats.h"
#include "trace/trace_point_array.h"

// Answers InterpolateAcross for many points against one reference trace. An accepted trace runs
// strictly one way along its edge (which way is read from the points, not assumed from the
// edge), so the first bracketing segment is found by binary search. A reference that does not
// run strictly one way is scanned segment by segment, with the same answers in quadratic time.
// The lookup refers to the reference, which must outlive it and stay unchanged.
class ReferenceTraceLookup {
  public:
    ReferenceTraceLookup(const TracePointArray& reference, Edge edge);
    std::optional<std::int32_t> across(BoardPoint p) const;

  private:
    enum class Travel { Increasing, Decreasing, Unordered };
    static Travel TravelOf(const TracePointArray& reference, Edge edge);

    const TracePointArray& reference_;
    Edge edge_;
    Travel travel_;
};
