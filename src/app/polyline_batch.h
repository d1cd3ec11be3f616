#pragma once
#include <cstdint>
#include <vector>

#include "app/board_box.h"
#include "framework/dc.h"

// Gathers lines for one pen into polylines and draws them with one call, leaving out every line
// that cannot paint inside `visible` (the clip box grown by the pen's reach). A line that starts
// where the gathered polyline ends continues it; after a left-out line, the next line drawn
// starts a new polyline exactly where it would have started. Inside the clip box the picture is
// the same as with every line drawn on its own.
class PolylineBatch {
  public:
    explicit PolylineBatch(const BoardBox& visible) : visible_(visible) {}

    void moveTo(fw::Point p) {
        open_ = open_ && p == position_;
        position_ = p;
    }
    void lineTo(fw::Point p);
    // Draws what was gathered, as one polyline or one poly-polyline, and starts afresh.
    void flush(fw::DC& dc);

  private:
    BoardBox visible_;
    fw::Point position_;
    std::vector<fw::Point> points_;
    std::vector<std::uint32_t> counts_;
    bool open_ = false;  // whether the last polyline ends at position_ and may go on
};
