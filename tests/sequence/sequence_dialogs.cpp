// The users of the dialogs that run their own loops inside a step: the speed warning, the
// end-of-test dialog, the mail client's compose window and the message boxes. Each takes random
// steps of its own until it is closed, and the invariants are checked after each of them.
#include "framework/constants.h"
#include "message_text.h"
#include "res/resource.h"
#include "sequence.h"

using headless::ModalSession;
namespace fs = std::filesystem;

void Sequence::warningUser(ModalSession& s) {
    host_->onModal(IDD_ERROR, [this](ModalSession& next) { warningUser(next); });
    if (dying_) {
        return;
    }
    const std::uint64_t now = host_->clock.now();
    if (lastWarningAt_ && now - *lastWarningAt_ <= 1000) {
        fail("a second speed warning within a second of the last");
    }
    lastWarningAt_ = now;
    warningStage_ = dlg_->m_stage;
    warningSizes_ = sizes();
    ModalSession* const outer = session_;
    const std::string outerAction = action_;
    session_ = &s;
    checkLive(Place::Warning);
    std::string closedBy;
    while (!s.ended()) {
        if (windingDown_) {
            begin(Place::Warning, "ok");
            s.click(fw::kIdOk);
        } else {
            const unsigned dying = mayKill() ? 3 : 0;
            switch (rng_.weighted({300, 100, 60, 150, 80, 40, 40, 30, 10, 10, 10, dying, 1})) {
                case 0:
                    pen(Place::Warning);
                    break;
                case 1: {
                    begin(Place::Warning, "pen-down");
                    PenEvent e = WildPenEvent(rng_, boardsNow_);
                    e.action = tavlo_sim::PenAction::Down;
                    queue(e);
                    deliver(Place::Warning);
                    break;
                }
                case 2:
                    penBatch(Place::Warning);
                    break;
                case 3:
                    randomTime(Place::Warning);
                    break;
                case 4:
                    begin(Place::Warning, "ok");
                    s.click(fw::kIdOk);
                    break;
                case 5:
                    key(Place::Warning, fw::kVkEscape, "escape");
                    break;
                case 6:
                    key(Place::Warning, fw::kVkReturn, "enter");
                    break;
                case 7:
                    otherKey(Place::Warning);
                    break;
                case 8:
                    begin(Place::Warning, "close");
                    host_->close();
                    break;
                case 9:
                    changeBoards(Place::Warning);
                    break;
                case 10:
                    toggleDriver(Place::Warning);
                    break;
                case 11:
                    kill(Place::Warning);
                    break;
                default:
                    endSession(Place::Warning);
                    break;
            }
        }
        if (s.ended() && closedBy.empty()) {
            closedBy = action_;
        }
        checkLive(Place::Warning);
    }
    session_ = outer;
    // What happens after the dialog returns belongs to the step that opened it.
    action_ = outerAction;
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
    if (!world_.diagnosticMode) {
        fail("the end-of-test dialog opened in a service run");
    }
    if (++saveDialogs_ > 1) {
        fail("the end-of-test dialog opened a second time");
    }
    if (dlg_->m_stage != stage::kFinished) {
        fail("the end-of-test dialog opened in stage " + std::to_string(dlg_->m_stage));
    }
    const std::wstring proposed = s.text(IDC_FILE_NAME);
    names_[proposed] = NameKind::Plain;  // in the program's folder
    if (rng_.chance(400)) {
        // Documents already holds a report of that name, or two: a fallback must not replace them.
        placeInDocuments(FileNameOf(proposed));
        if (rng_.chance(500)) {
            placeInDocuments(fs::path(FileNameOf(proposed)).stem().wstring() + L" (2).pts");
        }
    }
    saveSizes_ = sizes();
    ModalSession* const outer = session_;
    const std::string outerAction = action_;
    session_ = &s;
    checkLive(Place::Save);
    if (rng_.chance(350) && !windingDown_) {
        // A technician who wants the second pass: internal trace off, second trace on.
        begin(Place::Save, "toggle internal trace");
        s.toggle(IDC_INTERNAL_TRACE);
        checkLive(Place::Save);
        begin(Place::Save, "toggle second trace");
        s.toggle(IDC_SECOND_TRACE);
        checkLive(Place::Save);
    }
    std::string answer;
    while (!s.ended()) {
        saveStep(s);
        if (s.ended() && answer.empty()) {
            answer = action_;
        }
        checkLive(Place::Save);
    }
    session_ = outer;
    // What happens after the dialog returns belongs to the step that opened it.
    action_ = outerAction;
    if (!answer.starts_with("save: ")) {
        fail("the end-of-test dialog closed by itself");
    }
    coverage_.count("save " + answer.substr(6));
    saveAccepted_ = answer == "save: ok" || answer == "save: enter";
}

void Sequence::saveStep(ModalSession& s) {
    if (windingDown_) {
        const bool ok = rng_.chance(700);
        begin(Place::Save, ok ? "ok" : "cancel");
        s.click(ok ? fw::kIdOk : fw::kIdCancel);
        return;
    }
    const unsigned dying = mayKill() ? 8 : 0;
    switch (rng_.weighted(
        {150, 30, 30, 60, 120, 60, 40, 40, 40, 30, 100, 30, 20, 20, 10, 10, 20, 5, 5, dying, 3})) {
        case 0:
            pen(Place::Save);
            break;
        case 1:
            wildPen(Place::Save);
            break;
        case 2:
            penBatch(Place::Save);
            break;
        case 3:
            randomTime(Place::Save);
            break;
        case 4: {
            begin(Place::Save, "file name");
            const ReportName name = RandomReportName(rng_, folder_);
            offerName(name);
            s.type(IDC_FILE_NAME, name.text);
            break;
        }
        case 5:
            begin(Place::Save, "serial number");
            s.type(IDC_SERIAL_NUMBER, RandomSerial(rng_));
            break;
        case 6:
            begin(Place::Save, "toggle send");
            s.toggle(IDC_SEND_REPORT);
            break;
        case 7:
            begin(Place::Save, "toggle internal trace");
            s.toggle(IDC_INTERNAL_TRACE);
            break;
        case 8:
            begin(Place::Save, "toggle second trace");
            s.toggle(IDC_SECOND_TRACE);
            break;
        case 9:
            begin(Place::Save, "browse");
            s.click(IDC_BROWSE);
            break;
        case 10:
            begin(Place::Save, "ok");
            s.click(fw::kIdOk);
            break;
        case 11:
            begin(Place::Save, "cancel");
            s.click(fw::kIdCancel);
            break;
        case 12:
            key(Place::Save, fw::kVkEscape, "escape");
            break;
        case 13:
            key(Place::Save, fw::kVkReturn, "enter");
            break;
        case 14:
            begin(Place::Save, "close box");
            s.click(fw::kIdCancel);
            break;
        case 15:
            otherKey(Place::Save);
            break;
        case 16:
            begin(Place::Save, "close");
            host_->close();
            break;
        case 17:
            changeBoards(Place::Save);
            break;
        case 18:
            toggleDriver(Place::Save);
            break;
        case 19:
            kill(Place::Save);
            break;
        default:
            endSession(Place::Save);
            break;
    }
}

void Sequence::offerName(const ReportName& name) {
    names_[name.text] = name.kind;
    const std::wstring typed = FileNameOf(name.text);
    if (name.kind == NameKind::Unwritable && !typed.empty() && rng_.chance(400)) {
        placeInDocuments(typed);
    }
}

void Sequence::placeInDocuments(const std::wstring& fileName) {
    if (world_.documents != DocumentsSetup::Writable) {
        return;
    }
    const fs::path path = folder_.documents() / fs::path(fileName);
    if (!fs::exists(path)) {
        folder_.placeOldFile(path);
        placedInDocuments_.insert(path);
    }
}

std::optional<std::wstring> Sequence::saveAsAnswer(unsigned flags) {
    if (flags != (fw::kOfnHideReadOnly | fw::kOfnOverwritePrompt)) {
        fail("Save As was shown with the options " + std::to_string(flags));
    }
    if (rng_.chance(300)) {
        return std::nullopt;
    }
    const ReportName name = RandomReportName(rng_, folder_);
    offerName(name);
    return name.text;
}

void Sequence::mailClientOpen() {
    if (dying_) {
        return;
    }
    atMail_ = RecordOf(*dlg_);
    if (!host_->showsWindow(IDD_SENDING_REPORT)) {
        fail("the mail client opened without the sending notice on screen");
    }
    checkLive(Place::Mail);
    for (auto n = rng_.below(4); n > 0; --n) {
        outsideStep(Place::Mail);
        checkLive(Place::Mail);
    }
}

int Sequence::messageBoxOpen(std::wstring_view text, unsigned style) {
    if (dying_) {
        return fw::kIdOk;
    }
    (starting_ ? startMessages_ : messages_).emplace_back(text);
    if ((style & fw::kMbTopmost) == 0) {
        fail("a message box that does not stay on top: " + Narrow(text));
    }
    checkMessageFits(text);
    // The message about an unreadable record comes once the window has taken the boards over
    // and is ready; the window is not disabled by it and goes on as it does while tracing.
    const Place live = starting_ ? Place::Trace : Place::MessageBox;
    if (starting_) {
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
    const unsigned dying = mayKill() ? 1 : 0;
    switch (rng_.weighted({3, 3, place == Place::Mail ? 2u : 0u, 1, 1, dying, 1})) {
        case 0:
            randomTime(place);
            break;
        case 1:
            pen(place);
            break;
        case 2: {
            constexpr unsigned kKeys[] = {fw::kVkSpace, fw::kVkNext,   fw::kVkDelete,
                                          fw::kVkD,     fw::kVkEscape, fw::kVkReturn};
            key(place, kKeys[rng_.below(6)], "key");
            pressed = true;
            break;
        }
        case 3:
            changeBoards(place);
            break;
        case 4:
            toggleDriver(place);
            break;
        case 5:
            kill(place);
            break;
        default:
            endSession(place);
            break;
    }
    // Under the message about an unreadable record the test goes on.
    if (!pressed && !starting_ && (sizes() != before || dlg_->m_stage != stageBefore)) {
        fail("the test changed after its window was closed");
    }
}
