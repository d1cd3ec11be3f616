#pragma once
#include <cstdint>

#include "app/rimtrace_dlg.h"
#include "random_source.h"
#include "tavlo_sim.h"
#include "trace/edge.h"

struct PenEvent {
    tavlo_sim::PenAction action;
    std::int32_t x;
    std::int32_t y;
    int pointerId;
};

// A technician's hand on the board: contacts that trace the current edge or line in the
// direction it asks for, mostly in steps the test takes, sometimes too fast, backwards, lifted
// early or thrown far off the board; after the test, free scribbles.
class PenHand {
  public:
    // The hand's next event with the pen `pointerId` (used when a new contact begins).
    PenEvent next(RandomSource& rng, const CRimtraceDlg& dlg, int pointerId);

  private:
    PenEvent event(tavlo_sim::PenAction action);

    bool down_ = false;
    int pointer_ = 0;
    std::int64_t x_ = 0;
    std::int64_t y_ = 0;
    TraceStage stage_ = 0;  // the stage the contact began in
    int scribbleLeft_ = 0;
    std::int64_t jitter_ = 20;  // how far this contact wanders across the edge
};

// Whether `edge` is traced along x, and +1 when its coordinate grows as it is traced, -1 when it
// shrinks.
bool AlongX(Edge edge);
std::int64_t Sign(Edge edge);

// A single event from any pointer: other boards' pens, second pens, pointers of no board, with
// coordinates anywhere in the 32-bit range.
PenEvent WildPenEvent(RandomSource& rng, int boardCount);
