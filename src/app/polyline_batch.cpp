#include "app/polyline_batch.h"

#include <limits>

void PolylineBatch::lineTo(fw::Point p) {
    if (!SegmentTouches(visible_, position_, p)) {
        open_ = false;
        position_ = p;
        return;
    }
    if (!open_ || counts_.back() == std::numeric_limits<std::uint32_t>::max()) {
        points_.push_back(position_);
        counts_.push_back(1);
    }
    points_.push_back(p);
    ++counts_.back();
    open_ = true;
    position_ = p;
}

void PolylineBatch::flush(fw::DC& dc) {
    if (counts_.size() == 1) {
        dc.polyline(points_);
    } else if (counts_.size() > 1) {
        dc.polyPolyline(points_, counts_);
    }
    points_.clear();
    counts_.clear();
    open_ = false;
}
