// The users of the dialogs that run their own loops inside a step: the speed warning, the
// end-of-test dialog, the mail client's compose window and the message boxes. Each takes random
// steps of its own until it is closed, and the invariants are checked after each of them.
#include <utility>

#include "framework/constants.h"
#include "res/resource.h"
#include "sequence.h"

using headless::ModalSession;
namespace fs = std::filesystem;

std::string Sequence::useDialog(ModalSession& s, Place place, const std::function<void()>& step) {
    ModalSession* const outer = session_;
    const std::string outerAction = action_;
    session_ = &s;
    checkLive(place);
    while (!s.ended()) {
        step();
        checkLive(place);
    }
    const std::string closedBy = action_;
    session_ = outer;
    // What happens after the dialog returns belongs to the step that opened it.
    action_ = outerAction;
    return closedBy;
}

void Sequence::warningUser(ModalSession& s) {
    host_->onModal(IDD_ERROR, [this](ModalSession& next) { warningUser(next); });
    if (dying_) {
        return;
    }
    const std::uint64_t now = host_->clock.now();
    if (run_.lastWarningAt && now - *run_.lastWarningAt <= 1000) {
        fail("a second speed warning within a second of the last");
    }
    run_.lastWarningAt = now;
    run_.frozenStage = dlg_->m_stage;
    run_.frozenSizes = sizes();
    constexpr Place p = Place::Warning;
    const std::string closedBy = useDialog(s, p, [this, &s] {
        const unsigned w = windingDown_ ? 0 : 1;  // winding down, it answers OK
        act(p, {
                   {300 * w, "pen", [this] { pen(p); }},
                   {100 * w, "pen-down",
                    [this] {
                        PenEvent e = nextPen(true);
                        e.action = tavlo_sim::PenAction::Down;
                        queue(e);
                        deliver(p);
                    }},
                   {60 * w, "pen batch", [this] { penBatch(p); }},
                   {150 * w, "time", [this] { randomTime(p); }},
                   {80, "ok", [&s] { s.click(fw::kIdOk); }},
                   {40 * w, "escape", press(fw::kVkEscape)},
                   {40 * w, "enter", press(fw::kVkReturn)},
                   {30 * w, "key", [this] { otherKey(); }},
                   {10 * w, "close", [this] { host_->close(); }},
                   {10 * w, "boards", [this] { changeBoards(); }},
                   {10 * w, "driver", [this] { toggleDriver(); }},
                   {mayKill() ? 3u : 0u, "kill", [this] { kill(p); }},
                   {w, "end session", [this] { endSession(); }},
               });
    });
    if (closedBy.find("pen") != std::string::npos) {
        coverage_.count("warning closed by pen");
    } else if (closedBy.starts_with("warning: ")) {
        coverage_.count("warning closed by " + closedBy.substr(9));
    } else {
        fail("the speed warning closed by itself");
    }
}

void Sequence::saveUser(ModalSession& s) {
    host_->onModal(IDD_SAVE_DATA, [this](ModalSession& next) { saveUser(next); });
    if (dying_) {
        return;
    }
    if (!world_.diagnosticMode || ++run_.saveDialogs > 1 || dlg_->m_stage != stage::kFinished) {
        fail("the end-of-test dialog opened in stage " + std::to_string(dlg_->m_stage) +
             (world_.diagnosticMode ? "" : " of a service run") + ", " +
             std::to_string(run_.saveDialogs) + " times");
    }
    if (rng_.chance(400)) {
        // Documents already holds a report of the proposed name, or two: a fallback must not
        // replace them.
        const std::wstring proposed = s.text(IDC_FILE_NAME);
        placeInDocuments(proposed);
        if (rng_.chance(500) && proposed.ends_with(L".pts")) {
            placeInDocuments(proposed.substr(0, proposed.size() - 4) + L" (2).pts");
        }
    }
    run_.frozenSizes = sizes();
    bool secondPass = !windingDown_ && rng_.chance(350);
    const std::string answer = useDialog(s, Place::Save, [&] {
        if (std::exchange(secondPass, false)) {
            // A technician who wants the second pass: internal trace off, second trace on.
            act(Place::Save, {{1, "second pass", [&s] {
                                   s.toggle(IDC_INTERNAL_TRACE);
                                   s.toggle(IDC_SECOND_TRACE);
                               }}});
        } else {
            saveStep(s);
        }
    });
    if (!answer.starts_with("save: ")) {
        fail("the end-of-test dialog closed by itself");
    }
    coverage_.count("save " + answer.substr(6));
}

void Sequence::saveStep(ModalSession& s) {
    constexpr Place p = Place::Save;
    const unsigned w = windingDown_ ? 0 : 1;  // winding down, it answers OK or Cancel
    const auto click = [&s](int id) { return [&s, id] { s.click(id); }; };
    const auto toggle = [&s](int id) { return [&s, id] { s.toggle(id); }; };
    act(p, {
               {150 * w, "pen", [this] { pen(p); }},
               {30 * w, "wild pen", [this] { pen(p, true); }},
               {30 * w, "pen batch", [this] { penBatch(p); }},
               {60 * w, "time", [this] { randomTime(p); }},
               {120 * w, "file name", [this, &s] { s.type(IDC_FILE_NAME, randomReportName()); }},
               {60 * w, "serial number", [this, &s] { s.type(IDC_SERIAL_NUMBER, randomSerial()); }},
               {40 * w, "toggle send", toggle(IDC_SEND_REPORT)},
               {40 * w, "toggle internal trace", toggle(IDC_INTERNAL_TRACE)},
               {40 * w, "toggle second trace", toggle(IDC_SECOND_TRACE)},
               {30 * w, "browse", click(IDC_BROWSE)},
               {windingDown_ ? 700u : 100u, "ok", click(fw::kIdOk)},
               {windingDown_ ? 300u : 30u, "cancel", click(fw::kIdCancel)},
               {20 * w, "escape", press(fw::kVkEscape)},
               {20 * w, "enter", press(fw::kVkReturn)},
               {10 * w, "close box", click(fw::kIdCancel)},
               {10 * w, "key", [this] { otherKey(); }},
               {20 * w, "close", [this] { host_->close(); }},
               {5 * w, "boards", [this] { changeBoards(); }},
               {5 * w, "driver", [this] { toggleDriver(); }},
               {mayKill() ? 8u : 0u, "kill", [this] { kill(p); }},
               {3 * w, "end session", [this] { endSession(); }},
           });
}

std::wstring Sequence::randomReportName() {
    // Joined as text: the headless host's narrow file system cannot hold every wide name.
    const std::wstring root = folder_.root().wstring() + L"/";
    const std::wstring out = folder_.out().wstring() + L"/";
    std::wstring base;
    for (auto n = rng_.between(1, 12); n > 0; --n) {
        base.push_back(L"abcdefghijklmnopqrstuvwxyz0123456789-_"[rng_.below(38)]);
    }
    std::wstring deep = root + L"deep";  // longer than any path may be
    for (wchar_t c = L'a'; c < L'a' + 20; ++c) {
        deep += L"/" + std::wstring(250, c);
    }
    const std::wstring names[] = {
        // Places that take the file: in a folder, without extension, relative, replacing a file.
        out + base + L".pts", out + base, L"rel-" + base + L".pts",
        out + L"again-" + base + L".pts",
        // Cleared, often on purpose: the user wants no report.
        L"", L"",
        // No file can be made there: a missing folder, under a regular file, an existing folder,
        // no file name, too long.
        root + L"missing-" + base + L"/board.pts", folder_.blocker().wstring() + L"/board.pts",
        folder_.folderAsName().wstring(), out, deep + L"/board.pts",
        // Names the host cannot take, nor Documents: 300 characters, not ASCII.
        out + std::wstring(300, L'r') + L".pts", out + L"Bericht-\u00dcbersicht.pts",
        out + L"\u62a5\u544a.pts",
        // Names only some systems take: characters Windows refuses, a drive, a trailing dot.
        out + L"a<b>c|d?e*f\"g.pts", L"C:\\Reports\\" + base + L".pts", out + base + L".pts. "};
    const std::wstring& name = names[rng_.below(std::size(names))];
    if (name.starts_with(out + L"again-")) {
        folder_.placeOldFile(fs::path(name));
    }
    if (rng_.chance(100)) {
        placeInDocuments(name);
    }
    return name;
}

std::wstring Sequence::randomSerial() {
    // As typed or pasted: empty, outside the code page, very long, a pasted block with control
    // characters that would forge a section of the report.
    const std::wstring serials[] = {L"", L"SN-" + std::to_wstring(rng_.below(1000000)), L"\u677f-1",
                                    std::wstring(rng_.below(500) + 100, L'7'),
                                    L"SN-1\r\n# left\r\n1\r\n5,5\t\x1b\x7f"};
    return serials[rng_.below(std::size(serials))];
}

void Sequence::placeInDocuments(const std::wstring& name) {
    const std::wstring fileName = name.substr(name.find_last_of(L"\\/:") + 1);
    if (world_.documents != DocumentsSetup::Writable || fileName.empty()) {
        return;
    }
    try {
        const fs::path path = folder_.documents() / fileName;
        if (!fs::exists(path)) {
            folder_.placeOldFile(path);
            run_.placedInDocuments.insert(path);
        }
    } catch (const std::exception&) {
        // A name the host's narrow file system cannot hold: no file has it.
    }
}

void Sequence::mailClientOpen() {
    if (dying_) {
        return;
    }
    run_.atMail = PointsOf(*dlg_);
    checkLive(Place::Mail);
    for (auto n = rng_.below(4); n > 0; --n) {
        outsideStep(Place::Mail);
        checkLive(Place::Mail);
    }
}

int Sequence::messageBoxOpen(std::wstring_view text) {
    if (dying_) {
        return fw::kIdOk;
    }
    (run_.starting ? run_.startMessages : run_.messages).emplace_back(text);
    checkMessageFits(text);
    // The message about an unreadable record comes once the window has taken the boards over
    // and is ready; the window is not disabled by it and goes on as it does while tracing.
    const Place live = run_.starting ? Place::Trace : Place::MessageBox;
    if (run_.starting) {
        if (!spoiled_) {
            fail("a message box at the start without an unreadable record");
        }
        checkSetAside(text);
        noteStart();
    }
    checkLive(live);
    for (auto n = rng_.below(3); n > 0; --n) {
        outsideStep(Place::MessageBox);
        checkLive(live);
    }
    return fw::kIdOk;
}

void Sequence::outsideStep(Place place) {
    const std::vector<std::size_t> before = sizes();
    const TraceStage stageBefore = dlg_->m_stage;
    bool pressed = false;
    // Keys can reach the trace window while the mail client has the thread; a message box
    // disables it.
    static constexpr unsigned kKeys[] = {fw::kVkSpace, fw::kVkNext,   fw::kVkDelete,
                                         fw::kVkD,     fw::kVkEscape, fw::kVkReturn};
    act(place, {
                   {3, "time", [this, place] { randomTime(place); }},
                   {3, "pen", [this, place] { pen(place); }},
                   {place == Place::Mail ? 2u : 0u, "key",
                    [this, &pressed] {
                        pressed = true;
                        host_->pressKey(kKeys[rng_.below(std::size(kKeys))]);
                    }},
                   {1, "boards", [this] { changeBoards(); }},
                   {1, "driver", [this] { toggleDriver(); }},
                   {mayKill() ? 1u : 0u, "kill", [this, place] { kill(place); }},
                   {1, "end session", [this] { endSession(); }},
               });
    // Under the message about an unreadable record the test goes on.
    if (!pressed && !run_.starting && (sizes() != before || dlg_->m_stage != stageBefore)) {
        fail("the test changed after its window was closed");
    }
}
