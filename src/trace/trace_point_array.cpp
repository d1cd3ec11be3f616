#include "trace/trace_point_array.h"

#include <stdexcept>

std::size_t TracePointArray::append(BoardPoint p) {
    points_.push_back(p);
    return points_.size() - 1;
}

void TracePointArray::boxNewPoints() const {
    for (; boxed_ < points_.size(); ++boxed_) {
        const BoardPoint& p = points_[boxed_];
        runs_.add(boxed_, p, boxed_ > 0 ? points_[boxed_ - 1] : p);
    }
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
    boxed_ = 0;
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
