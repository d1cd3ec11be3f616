#include "trace/trace_point_array.h"

#include <stdexcept>

std::size_t TracePointArray::append(BoardPoint p) {
    const std::size_t index = points_.size();
    // The boxes first: should either step fail for want of memory, the boxes hold a point too
    // many, never one too few.
    runs_.add(index, p, index > 0 ? points_.back() : p);
    points_.push_back(p);
    return index;
}

const BoardPoint& TracePointArray::element(std::size_t i) const {
    if (i >= points_.size()) {
        throw std::invalid_argument("TracePointArray index out of range");
    }
    return points_[i];
}

void TracePointArray::clear() {
    // Releasing the storage, not just the size: a cleared edge gives its memory back.
    std::vector<BoardPoint>().swap(points_);
    runs_.clear();
}

TracePointArray& StrokeList::lastStroke() {
    if (strokes_.empty()) {
        throw std::invalid_argument("StrokeList has no stroke");
    }
    return strokes_.back();
}

const TracePointArray& StrokeList::element(std::size_t i) const {
    if (i >= strokes_.size()) {
        throw std::invalid_argument("StrokeList index out of range");
    }
    return strokes_[i];
}
