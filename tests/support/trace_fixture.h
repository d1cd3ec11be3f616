#pragma once
// A trace window on the headless host with a simulated board behind it, and the few verbs the
// tests speak: pen contacts on a board, time passing, keys.
#include <gtest/gtest.h>

#include <memory>

#include "app/rimtrace_dlg.h"
#include "framework/headless/headless_host.h"
#include "tavlo_sim.h"

class TraceTest : public ::testing::Test {
  protected:
    // The simulated board is reset before the host installs its hooks on it.
    struct FreshBoards {
        explicit FreshBoards(int count) { tavlo_sim::Reset(count); }
    };

    void Open(bool diagnosticMode = true) {
        dlg = std::make_unique<CRimtraceDlg>(diagnosticMode);
        host.open(*dlg);
    }

    void Pen(tavlo_sim::PenAction action, int x, int y, int board = 1) {
        tavlo_sim::QueueBoardPen(action, board, x, y);
        host.pump();
    }
    void Down(int x, int y, int board = 1) { Pen(tavlo_sim::PenAction::Down, x, y, board); }
    void Move(int x, int y, int board = 1) { Pen(tavlo_sim::PenAction::Move, x, y, board); }
    void Up(int x, int y, int board = 1) { Pen(tavlo_sim::PenAction::Up, x, y, board); }

    // A whole contact along a vertical or horizontal line, in steps small enough to be accepted.
    void StrokeY(int x, int fromY, int toY, int board = 1) {
        const int step = fromY < toY ? 100 : -100;
        Down(x, fromY, board);
        for (int y = fromY + step; step > 0 ? y < toY : y > toY; y += step) {
            Move(x, y, board);
        }
        Up(x, toY, board);
    }
    void StrokeX(int y, int fromX, int toX, int board = 1) {
        const int step = fromX < toX ? 100 : -100;
        Down(fromX, y, board);
        for (int x = fromX + step; step > 0 ? x < toX : x > toX; x += step) {
            Move(x, y, board);
        }
        Up(toX, y, board);
    }
    // The four bezel edges of a pass, each completed at its pen-up.
    void TraceFourEdges(int inset = 20) {
        StrokeY(inset, 10, 4080);
        StrokeX(4096 - inset, 10, 4080);
        StrokeY(4096 - inset, 4080, 10);
        StrokeX(inset, 4080, 10);
    }

    std::size_t Count(headless::LogEntry::Kind kind) const {
        std::size_t n = 0;
        for (const auto& e : host.log) {
            n += e.kind == kind ? 1 : 0;
        }
        return n;
    }

    FreshBoards fresh_{3};
    headless::HeadlessHost host;
    std::unique_ptr<CRimtraceDlg> dlg;
};
