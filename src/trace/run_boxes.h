#pragma once
#include <cstddef>
#include <cstdint>
#include <limits>
#include <vector>

#include "trace/board_point.h"

// An axis-aligned box of board points with inclusive bounds. The default box is empty: it holds
// no point and has left > right.
struct PointBox {
    std::int32_t left = std::numeric_limits<std::int32_t>::max();
    std::int32_t top = std::numeric_limits<std::int32_t>::max();
    std::int32_t right = std::numeric_limits<std::int32_t>::min();
    std::int32_t bottom = std::numeric_limits<std::int32_t>::min();

    bool empty() const { return left > right; }
    void include(BoardPoint p);
    void include(const PointBox& b);
    friend bool operator==(const PointBox&, const PointBox&) = default;
};

// Boxes around runs of consecutive points of a growing array, kept as the points are appended, so
// that a reader can find the few points near a place without walking all of them. A run of level
// 0 is kFanOut points; a run of level k + 1 is kFanOut runs of level k; the highest level has a
// single run, all points. Each box also holds the point just before its run, so every step from
// one point to the next lies wholly inside the box of the run the step ends in.
class RunBoxes {
  public:
    static constexpr std::size_t kFanOut = 32;

    // Takes point number `index` (the points before it: 0, 1, ...) into the boxes; `previous` is
    // point index - 1 and is ignored for point 0. Should growing a level fail, every box still
    // holds at least its points, so a search may visit more but never misses one.
    void add(std::size_t index, BoardPoint p, BoardPoint previous);
    void clear();

    // Calls visit(first, last) for ranges of point indices [first, last), ascending, apart and
    // below `count`, that together hold every point of the first `count` whose run's box
    // near(box) accepts.
    template <class Near, class Visit>
    void forEachRun(std::size_t count, Near&& near, Visit&& visit) const {
        Ranges<Visit> ranges{visit, count};
        if (!levels_.empty()) {
            descend(levels_.size() - 1, 0, levels_.back().size(), near, ranges);
        }
        ranges.flush();
    }

  private:
    // Joins adjacent ranges so that a caller sees one range where consecutive runs were found.
    template <class Visit>
    struct Ranges {
        Visit& visit;
        std::size_t count;
        std::size_t first = 0;
        std::size_t last = 0;

        void add(std::size_t from, std::size_t to) {
            to = to < count ? to : count;
            if (from >= to) {
                return;
            }
            if (from != last) {
                flush();
                first = from;
            }
            last = to;
        }
        void flush() {
            if (first < last) {
                visit(first, last);
            }
            first = last;
        }
    };

    template <class Near, class Range>
    void descend(std::size_t level, std::size_t from, std::size_t to, Near& near,
                 Range& ranges) const {
        const std::vector<PointBox>& boxes = levels_[level];
        to = to < boxes.size() ? to : boxes.size();
        for (std::size_t i = from; i < to; ++i) {
            if (!near(boxes[i])) {
                continue;
            }
            if (level == 0) {
                ranges.add(i * kFanOut, (i + 1) * kFanOut);
            } else {
                descend(level - 1, i * kFanOut, (i + 1) * kFanOut, near, ranges);
            }
        }
    }

    std::vector<std::vector<PointBox>> levels_;
};
