#pragma once
#include <cstddef>
#include <vector>

#include "trace/board_point.h"

// The accepted points of one traced edge, or the raw points of one free stroke. Points are only
// appended or cleared as a whole. Access outside 0 <= i < size throws std::invalid_argument,
// the container's defined failure for a bad index; nothing ever reads past the end.
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

  private:
    std::vector<BoardPoint> points_;
};

// One TracePointArray per free stroke, in the order the strokes were drawn.
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
