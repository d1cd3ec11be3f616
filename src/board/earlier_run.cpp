#include "board/earlier_run.h"

#include "board/board_handover.h"
#include "framework/constants.h"
#include "framework/platform.h"
#include "report/path_lines.h"
#include "report/text_format.h"

namespace {

constexpr std::wstring_view kUnreadableMessage =
    L"The board settings saved by an earlier run of rimtrace could not be read, so none of them "
    L"were given back.  The file was moved to:\n%s\nCheck the settings of every board.";
constexpr std::wstring_view kUnmovableMessage =
    L"The board settings saved by an earlier run of rimtrace could not be read, so none of them "
    L"were given back, and the file could not be moved:\n%s\nCheck the settings of every board.";

// A time stamp for a file name: 20070305-090705.
std::wstring Stamp(const LocalDateTime& t) {
    return FormatText(L"%d%.2d%.2d-%.2d%.2d%.2d",
                      {t.year, t.month, t.day, t.hour, t.minute, t.second});
}

}  // namespace

EarlierRunOutcome RestoreEarlierRun(CTAVLO2BoardSettings& settings, HWND driver, int attachedCount,
                                    const RestoreRecordFile& file) {
    const RestoreRecordFile::Loaded loaded = file.load();
    EarlierRunOutcome outcome;
    switch (loaded.state) {
        case RestoreRecordFile::State::Absent:
            return outcome;
        case RestoreRecordFile::State::Unreadable:
            outcome.kind = EarlierRunOutcome::Kind::Unreadable;
            outcome.setAsideTo = file.setAside(Stamp(fw::CurrentPlatform().localTime()));
            return outcome;
        case RestoreRecordFile::State::Present:
            break;
    }
    outcome.kind = EarlierRunOutcome::Kind::Restored;
    outcome.waiting = GiveBackAttached(settings, driver, loaded.record, attachedCount);
    file.store(outcome.waiting);
    return outcome;
}

void TellUnreadableRecord(const RestoreRecordFile& file, const EarlierRunOutcome& outcome) {
    fw::Platform& platform = fw::CurrentPlatform();
    const bool moved = !outcome.setAsideTo.empty();
    const std::wstring where = (moved ? outcome.setAsideTo : file.path()).wstring();
    platform.messageBox(
        FormatText(moved ? kUnreadableMessage : kUnmovableMessage, {PathLines(where)}),
        platform.appName(), fw::kMbOk | fw::kMbIconExclamation | fw::kMbTopmost);
}
