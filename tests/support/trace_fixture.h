#pragma once
// A trace window on the headless host with a simulated board behind it, and the few verbs the
// tests speak: pen contacts on a board, time passing, keys.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

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
    void TraceFourEdges(int inset = 20, int board = 1) {
        StrokeY(inset, 10, 4080, board);
        StrokeX(4096 - inset, 10, 4080, board);
        StrokeY(4096 - inset, 4080, 10, board);
        StrokeX(inset, 4080, 10, board);
    }

    std::size_t Count(headless::LogEntry::Kind kind) const {
        std::size_t n = 0;
        for (const auto& e : host.log) {
            n += e.kind == kind ? 1 : 0;
        }
        return n;
    }
    // The texts of the message boxes shown so far.
    std::vector<std::wstring> Messages() const {
        std::vector<std::wstring> texts;
        for (const auto& e : host.log) {
            if (e.kind == headless::LogEntry::Kind::MessageBox) {
                texts.push_back(e.text);
            }
        }
        return texts;
    }

    FreshBoards fresh_{3};
    headless::HeadlessHost host;
    std::unique_ptr<CRimtraceDlg> dlg;
};

// Three boards with values of their own (board b: 10b, 10b + 1 and 10b + 4, board 2's setting 4
// with its top bit set), and a driver window with boards 1 and 3 on, board 2 off.
class BoardsTest : public TraceTest {
  protected:
    BoardsTest() {
        host.driver.present = true;
        host.driver.states = {{1, true}, {2, false}, {3, true}};
        for (int board = 1; board <= 3; ++board) {
            tavlo_sim::SetSetting(board, 0, 10u * board);
            tavlo_sim::SetSetting(board, 1, 10u * board + 1);
            tavlo_sim::SetSetting(board, 4, board == 2 ? 0x80000024u : 10u * board + 4);
        }
    }
    void ExpectOwnValues(int boards = 3) {
        for (int board = 1; board <= boards; ++board) {
            EXPECT_EQ(tavlo_sim::Setting(board, 0), 10u * board) << "board " << board;
            EXPECT_EQ(tavlo_sim::Setting(board, 1), 10u * board + 1) << "board " << board;
            EXPECT_EQ(tavlo_sim::Setting(board, 4), board == 2 ? 0x80000024u : 10u * board + 4);
        }
        EXPECT_TRUE(host.driver.states[1]);
        EXPECT_FALSE(host.driver.states[2]);
    }
    void ExpectSwitchedOff(int board) {
        for (int setting : {0, 1, 4}) {
            EXPECT_EQ(tavlo_sim::Setting(board, setting), 0u) << board << "/" << setting;
        }
    }
};
