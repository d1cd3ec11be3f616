#include "trace/run_boxes.h"

#include <algorithm>

void PointBox::include(BoardPoint p) {
    left = std::min(left, p.x);
    top = std::min(top, p.y);
    right = std::max(right, p.x);
    bottom = std::max(bottom, p.y);
}

void PointBox::include(const PointBox& b) {
    left = std::min(left, b.left);
    top = std::min(top, b.top);
    right = std::max(right, b.right);
    bottom = std::max(bottom, b.bottom);
}

void RunBoxes::add(std::size_t index, BoardPoint p, BoardPoint previous) {
    PointBox started;  // a run that begins with this point: the point and the one before it
    started.include(p);
    if (index > 0) {
        started.include(previous);
    }
    if (levels_.empty()) {
        levels_.emplace_back();
    }
    std::size_t run = index;
    for (std::size_t level = 0; level < levels_.size(); ++level) {
        run /= kFanOut;
        std::vector<PointBox>& boxes = levels_[level];
        if (run < boxes.size()) {
            boxes[run].include(p);
        } else {
            boxes.push_back(started);
        }
        if (level + 1 == levels_.size() && boxes.size() > 1) {
            // The highest level has outgrown a single run: a new level above holds it all.
            PointBox all;
            for (const PointBox& b : boxes) {
                all.include(b);
            }
            levels_.push_back({all});
        }
    }
}

void RunBoxes::clear() {
    std::vector<std::vector<PointBox>>().swap(levels_);
}
