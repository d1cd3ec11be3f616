// Runs a parsed scenario against the program, the driver window stand-in and the screen.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "child_process.h"
#include "scenario.h"
#include "tavlo_automation.h"
#include "user_input.h"

namespace rtdriver {

class Runner {
  public:
    // `folder`: where rimtrace.exe and board50_standin.exe are, with a trailing separator.
    explicit Runner(std::wstring folder);
    ~Runner();
    Runner(const Runner&) = delete;
    Runner& operator=(const Runner&) = delete;

    // 0 when every step passed and the program is no longer running; 1 at the first failure.
    int run(const std::vector<Step>& steps);

  private:
    using Words = std::vector<std::string>;
    // nullopt: the step passed; otherwise why it failed.
    using Outcome = std::optional<std::string>;
    using Handler = Outcome (Runner::*)(const Words& words, const std::string& rest);

    static Handler FindHandler(const std::string& command);
    Outcome carry(const Step& step);

    // Polls `done` until it holds or `milliseconds` have passed; fails early when the program
    // ends while `whileRunning` is set.
    Outcome waitFor(std::int64_t milliseconds, const std::function<bool()>& done,
                    const std::string& what, bool whileRunning);
    DWORD programId() const;
    Outcome needProgram() const;
    void endAll();

    // Files, environment and pacing (runner_files.cpp).
    Outcome setEnv(const Words& words, const std::string& rest);
    Outcome writeFile(const Words& words, const std::string& rest);
    Outcome deleteFile(const Words& words, const std::string& rest);
    Outcome makeDir(const Words& words, const std::string& rest);
    Outcome echo(const Words& words, const std::string& rest);
    Outcome sleep(const Words& words, const std::string& rest);
    Outcome expectFile(const Words& words, const std::string& rest);
    Outcome expectNoFile(const Words& words, const std::string& rest);
    Outcome expectFileContains(const Words& words, const std::string& rest);

    // Processes (runner_processes.cpp).
    Outcome startBoard50(const Words& words, const std::string& rest);
    Outcome stopBoard50(const Words& words, const std::string& rest);
    Outcome start(const Words& words, const std::string& rest);
    Outcome adopt(const Words& words, const std::string& rest);
    Outcome waitAttached(const Words& words, const std::string& rest);
    Outcome waitExit(const Words& words, const std::string& rest);
    Outcome kill(const Words& words, const std::string& rest);
    Outcome logOff(const Words& words, const std::string& rest);
    Outcome switchProgram(const Words& words, const std::string& rest);
    bool closeBoard50();

    // The board (runner_board.cpp).
    Outcome boardCount(const Words& words, const std::string& rest);
    Outcome faultNextPen(const Words& words, const std::string& rest);
    // Sends the program's board a request that answers 1 when taken.
    Outcome tellBoard(const TavloAutomationRequest& request, const std::string& what);
    Outcome penDown(const Words& words, const std::string& rest);
    Outcome penMove(const Words& words, const std::string& rest);
    Outcome penUp(const Words& words, const std::string& rest);
    Outcome stroke(const Words& words, const std::string& rest);
    Outcome pen(std::uint32_t command, const Words& words);
    Outcome sendPen(std::uint32_t command, std::int32_t board, std::int32_t x, std::int32_t y,
                    std::int32_t z);

    // Windows, keys and the mouse (runner_windows.cpp).
    Outcome key(const Words& words, const std::string& rest);
    Outcome mouseDown(const Words& words, const std::string& rest);
    Outcome mouseMove(const Words& words, const std::string& rest);
    Outcome mouseUp(const Words& words, const std::string& rest);
    Outcome mouseClick(const Words& words, const std::string& rest);
    Outcome mouseDrag(const Words& words, const std::string& rest);
    Outcome mouseClickControl(const Words& words, const std::string& rest);
    Outcome minimize(const Words& words, const std::string& rest);
    // Sends `actions` at the screen position in `words`, then waits for the program to take them.
    Outcome mouse(const Words& words, std::initializer_list<MouseAction> actions);
    Outcome settleMouse();
    Outcome waitDialog(const Words& words, const std::string& rest);
    Outcome waitNoDialog(const Words& words, const std::string& rest);
    // Waits for a window captioned words[0] to be shown (or to be gone), for words[1] seconds.
    Outcome waitShown(const Words& words, bool shown);
    Outcome expectNoWindow(const Words& words, const std::string& rest);
    Outcome expectCentred(const Words& words, const std::string& rest);
    Outcome waitPixel(const Words& words, const std::string& rest);
    Outcome screenshot(const Words& words, const std::string& rest);

    // Dialog controls (runner_controls.cpp).
    Outcome setText(const Words& words, const std::string& rest);
    Outcome click(const Words& words, const std::string& rest);
    Outcome dismiss(const Words& words, const std::string& rest);
    Outcome expectText(const Words& words, const std::string& rest);
    Outcome expectTextContains(const Words& words, const std::string& rest);
    Outcome expectChecked(const Words& words, const std::string& rest);
    Outcome expectVisible(const Words& words, const std::string& rest);
    Outcome expectTextsFit(const Words& words, const std::string& rest);
    Outcome findControl(const Words& words, HWND& control) const;
    Outcome compareText(const Words& words, bool whole);

    std::wstring folder_;
    ChildProcess program_;
    // The second program slot, which switch-program exchanges with the first.
    ChildProcess other_;
    ChildProcess board50_;
};

// Shared by the handler files.
namespace runner_detail {

void Say(const std::string& text);
std::optional<std::int64_t> Integer(const std::string& text, std::int64_t low, std::int64_t high);
std::string BadValue(const std::string& what, const std::string& text);
std::string Quoted(const std::wstring& text);
std::string Describe(HWND window);
// rimtrace.exe in the driver's folder, or what RTDRIVER_PROGRAM names.
std::wstring ProgramPath(const std::wstring& folder);

}  // namespace runner_detail

}  // namespace rtdriver
