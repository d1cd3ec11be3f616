#pragma once
#include "app/board_box.h"
#include "framework/dc.h"

// Draws lines into a DC but leaves out every line that cannot paint inside `visible` (the clip
// box grown by the pen's reach). The pen position is kept even when lines are left out, so the
// next line that is drawn starts exactly where it would have: the picture inside the clip box is
// the same as with every line drawn.
class CulledLines {
  public:
    CulledLines(fw::DC& dc, const BoardBox& visible) : dc_(dc), visible_(visible) {}

    void moveTo(fw::Point p) {
        position_ = p;
        atPosition_ = false;
    }

    void lineTo(fw::Point p) {
        if (SegmentTouches(visible_, position_, p)) {
            if (!atPosition_) {
                dc_.moveTo(position_);
            }
            dc_.lineTo(p);
            atPosition_ = true;
        } else {
            atPosition_ = false;
        }
        position_ = p;
    }

  private:
    fw::DC& dc_;
    BoardBox visible_;
    fw::Point position_;
    bool atPosition_ = false;  // whether the DC's pen stands at position_
};
