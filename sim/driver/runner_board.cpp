// Pen events and the board count, through the simulated board's automation window.
#include <limits>

#include "board_channel.h"
#include "runner.h"
#include "stroke_path.h"
#include "values.h"

namespace rtdriver {
namespace {

constexpr std::int64_t kDeliveryMilliseconds = 10000;
constexpr std::int64_t kInt32Low = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t kInt32High = std::numeric_limits<std::int32_t>::max();

}  // namespace

using runner_detail::BadValue;
using runner_detail::Integer;

Runner::Outcome Runner::boardCount(const Words& words, const std::string&) {
    const auto count = Integer(words[0], 0, kTavloAutomationMaxBoard);
    if (!count) {
        return BadValue("board count", words[0]);
    }
    TavloAutomationRequest request{};
    request.command = TAVLO_AUTOMATION_SET_BOARD_COUNT;
    request.board = static_cast<std::int32_t>(*count);
    return tellBoard(request, "the new count");
}

Runner::Outcome Runner::faultNextPen(const Words&, const std::string&) {
    TavloAutomationRequest request{};
    request.command = TAVLO_AUTOMATION_FAULT_NEXT_PEN;
    return tellBoard(request, "the fault request");
}

Runner::Outcome Runner::tellBoard(const TavloAutomationRequest& request, const std::string& what) {
    if (auto missing = needProgram()) {
        return missing;
    }
    if (AskBoard(programId(), request).value_or(0) != 1) {
        return "the board did not take " + what + " (is the program running?)";
    }
    return std::nullopt;
}

Runner::Outcome Runner::penDown(const Words& words, const std::string&) {
    return pen(TAVLO_AUTOMATION_PEN_DOWN, words);
}

Runner::Outcome Runner::penMove(const Words& words, const std::string&) {
    return pen(TAVLO_AUTOMATION_PEN_MOVE, words);
}

Runner::Outcome Runner::penUp(const Words& words, const std::string&) {
    return pen(TAVLO_AUTOMATION_PEN_UP, words);
}

Runner::Outcome Runner::pen(std::uint32_t command, const Words& words) {
    const auto board = Integer(words[0], 0, kTavloAutomationMaxBoard);
    const auto x = Integer(words[1], kInt32Low, kInt32High);
    const auto y = Integer(words[2], kInt32Low, kInt32High);
    const auto z = words.size() > 3 ? Integer(words[3], kInt32Low, kInt32High) : std::int64_t{0};
    if (!board) {
        return BadValue("board", words[0]);
    }
    if (!x || !y || !z) {
        return std::string("bad coordinates");
    }
    return sendPen(command, static_cast<std::int32_t>(*board), static_cast<std::int32_t>(*x),
                   static_cast<std::int32_t>(*y), static_cast<std::int32_t>(*z));
}

Runner::Outcome Runner::stroke(const Words& words, const std::string&) {
    const auto board = Integer(words[0], 0, kTavloAutomationMaxBoard);
    const auto step = Integer(words[1], 1, kInt32High);
    if (!board) {
        return BadValue("board", words[0]);
    }
    if (!step) {
        return BadValue("step", words[1]);
    }
    if (words.size() % 2 != 0) {
        return std::string("stroke wants x y pairs after the board and the step");
    }
    std::vector<BoardPoint> waypoints;
    for (std::size_t i = 2; i < words.size(); i += 2) {
        const auto x = Integer(words[i], kInt32Low, kInt32High);
        const auto y = Integer(words[i + 1], kInt32Low, kInt32High);
        if (!x || !y) {
            return BadValue("point", words[i] + " " + words[i + 1]);
        }
        waypoints.push_back({static_cast<std::int32_t>(*x), static_cast<std::int32_t>(*y)});
    }
    const std::vector<BoardPoint> points = StrokePoints(waypoints, *step);
    const auto number = static_cast<std::int32_t>(*board);
    for (std::size_t i = 0; i < points.size(); ++i) {
        const std::uint32_t command =
            i == 0 ? TAVLO_AUTOMATION_PEN_DOWN : TAVLO_AUTOMATION_PEN_MOVE;
        if (auto failure = sendPen(command, number, points[i].x, points[i].y, 0)) {
            return failure;
        }
    }
    return sendPen(TAVLO_AUTOMATION_PEN_UP, number, points.back().x, points.back().y, 0);
}

Runner::Outcome Runner::sendPen(std::uint32_t command, std::int32_t board, std::int32_t x,
                                std::int32_t y, std::int32_t z) {
    if (auto missing = needProgram()) {
        return missing;
    }
    TavloAutomationRequest request{command, board, 0, x, y, z};
    const DWORD id = programId();
    const auto answer = AskBoard(id, request);
    if (!answer) {
        return std::string("no answer from the board (is the program running and attached?)");
    }
    if (*answer != 1) {
        return std::string("the board refused the pen event");
    }
    // Delivered when the program has taken every waiting event; the board's window goes with
    // the program's last connection, after which nothing more can be delivered.
    TavloAutomationRequest waiting{};
    waiting.command = TAVLO_AUTOMATION_QUERY_WAITING_EVENTS;
    return waitFor(
        kDeliveryMilliseconds, [id, &waiting] { return AskBoard(id, waiting).value_or(0) == 0; },
        "the program to take the pen event (is it attached?)", false);
}

}  // namespace rtdriver
