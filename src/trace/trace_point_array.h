#pragma once
#include <cstddef>
#include <vector>

#include "trace/board_point.h"
#include "trace/run_boxes.h"

// The accepted points of one traced edge, or the raw points of one extra stroke. Points are only
// appended or cleared as a whole. Access outside 0 <= i < size throws std::invalid_argument,
// the container's defined failure for a bad index; nothing ever reads past the end.
// The array also keeps boxes around runs of its points, so that painting a small part of the
// window finds the points near it without walking the whole trace. The boxes catch up with the
// points when they are asked for: appending stays as cheap as a vector's, however the points
// came (one by one from the pen, or in runs from a report being read).
class TracePointArray {
  public:
    std::size_t size() const { return points_.size(); }
    bool empty() const { return points_.empty(); }
    std::size_t append(BoardPoint p);
    // Appends the points of [first, last) in order, as append() would one by one.
    void append(const BoardPoint* first, const BoardPoint* last) {
        points_.insert(points_.end(), first, last);
    }
    const BoardPoint& element(std::size_t i) const;
    const BoardPoint& last() const { return element(size() - 1); }
    void clear();

    const BoardPoint* begin() const { return points_.data(); }
    const BoardPoint* end() const { return points_.data() + points_.size(); }

    // Calls visit(first, last) for ascending, separate ranges of indices [first, last) that hold
    // every point i whose step from point i - 1 (point 0: the point alone) lies in a box that
    // near(box) accepts. `near` must accept every box around one it accepts, as a test of
    // overlap with some region does.
    template <class Near, class Visit>
    void forEachRunNear(Near&& near, Visit&& visit) const {
        boxNewPoints();
        runs_.forEachRun(points_.size(), near, visit);
    }

  private:
    // Adds the points appended since the boxes were last asked for.
    void boxNewPoints() const;

    std::vector<BoardPoint> points_;
    // Boxes for points [0, boxed_); kept up to date lazily by the const queries above.
    mutable RunBoxes runs_;
    mutable std::size_t boxed_ = 0;
};

// One TracePointArray per extra stroke, in the order the strokes were drawn.
class StrokeList {
  public:
    std::size_t size() const { return strokes_.size(); }
    bool empty() const { return strokes_.empty(); }
    void startStroke() { strokes_.emplace_back(); }
    TracePointArray& lastStroke();
    const TracePointArray& element(std::size_t i) const;
    void clear() { strokes_.clear(); }

    auto begin() const { return strokes_.begin(); }
    auto end() const { return strokes_.end(); }

  private:
    std::vector<TracePointArray> strokes_;
};
