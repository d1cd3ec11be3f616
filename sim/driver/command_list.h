// Every command a scenario may use, in one list: its name, the fewest and the most words it takes
// (kAnyCount: no limit; kCommandLine: the rest of the line is a raw command line, not words) and
// the Runner member that carries it out. The parser reads the shapes, the runner the handlers.
#pragma once

#define RTDRIVER_COMMANDS(X)                            \
    X("setenv", 2, 2, setEnv)                           \
    X("write-file", 2, 2, writeFile)                    \
    X("delete-file", 1, 1, deleteFile)                  \
    X("make-dir", 1, 1, makeDir)                        \
    X("echo", 0, kCommandLine, echo)                    \
    X("sleep", 1, 1, sleep)                             \
    X("start-board50", 0, kCommandLine, startBoard50)   \
    X("stop-board50", 0, 0, stopBoard50)                \
    X("start", 0, kCommandLine, start)                  \
    X("adopt", 1, 2, adopt)                             \
    X("wait-attached", 0, 1, waitAttached)              \
    X("wait-exit", 0, 2, waitExit)                      \
    X("kill", 0, 0, kill)                               \
    X("log-off", 0, 0, logOff)                          \
    X("switch-program", 0, 0, switchProgram)            \
    X("board-count", 1, 1, boardCount)                  \
    X("fault-next-pen", 0, 0, faultNextPen)             \
    X("pen-down", 3, 4, penDown)                        \
    X("pen-move", 3, 4, penMove)                        \
    X("pen-up", 3, 4, penUp)                            \
    X("stroke", 6, kAnyCount, stroke)                   \
    X("key", 1, 2, key)                                 \
    X("mouse-down", 2, 2, mouseDown)                    \
    X("mouse-move", 2, 2, mouseMove)                    \
    X("mouse-up", 2, 2, mouseUp)                        \
    X("mouse-click", 2, 2, mouseClick)                  \
    X("mouse-drag", 5, kAnyCount, mouseDrag)            \
    X("mouse-click-control", 2, 2, mouseClickControl)   \
    X("minimize", 0, 0, minimize)                       \
    X("wait-dialog", 1, 2, waitDialog)                  \
    X("wait-no-dialog", 1, 2, waitNoDialog)             \
    X("expect-no-window", 2, 2, expectNoWindow)         \
    X("expect-centred", 5, 5, expectCentred)            \
    X("wait-pixel", 3, 4, waitPixel)                    \
    X("set-text", 3, 3, setText)                        \
    X("click", 2, 2, click)                             \
    X("dismiss", 1, 1, dismiss)                         \
    X("expect-text", 3, 3, expectText)                  \
    X("expect-text-contains", 3, 3, expectTextContains) \
    X("expect-checked", 3, 3, expectChecked)            \
    X("expect-visible", 3, 3, expectVisible)            \
    X("expect-texts-fit", 1, 1, expectTextsFit)         \
    X("screenshot", 1, 5, screenshot)                   \
    X("expect-file", 1, 2, expectFile)                  \
    X("expect-no-file", 1, 1, expectNoFile)             \
    X("expect-file-contains", 2, 2, expectFileContains)
