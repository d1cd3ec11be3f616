#include "app/restore_run.h"

#include <string>

#include "TAVLO.h"
#include "board/driver_window.h"
#include "board/earlier_run.h"
#include "framework/constants.h"
#include "framework/platform.h"
#include "report/path_lines.h"
#include "report/text_format.h"

namespace {

constexpr std::wstring_view kNotAttachedMessage =
    L"These boards are not attached, so their settings could not be given back: %s.  They stay "
    L"saved in\n%s\nand are given back when rimtrace starts with them attached.";

std::wstring BoardList(const RestoreRecord& boards) {
    std::wstring list;
    for (const BoardToRestore& entry : boards) {
        list += (list.empty() ? L"board " : L", board ") + std::to_wstring(entry.board);
    }
    return list;
}

}  // namespace

RestoreRunResult RunRestore() {
    CTAVLO2 sdk(false);
    CTAVLO2BoardSettings settings(nullptr);
    const RestoreRecordFile file = RestoreRecordFile::AtUsualPlace();
    const EarlierRunOutcome outcome =
        RestoreEarlierRun(settings, FindDriverWindow(), sdk.TAVLOGetBoardCount(), file);
    switch (outcome.kind) {
        case EarlierRunOutcome::Kind::None:
            return RestoreRunResult::Done;
        case EarlierRunOutcome::Kind::Unreadable:
            TellUnreadableRecord(file, outcome);
            return RestoreRunResult::RecordUnreadable;
        case EarlierRunOutcome::Kind::Restored:
            break;
    }
    if (outcome.waiting.empty()) {
        return RestoreRunResult::Done;
    }
    fw::Platform& platform = fw::CurrentPlatform();
    platform.messageBox(FormatText(kNotAttachedMessage,
                                   {BoardList(outcome.waiting), PathLines(file.path().wstring())}),
                        platform.appName(), fw::kMbOk | fw::kMbIconExclamation | fw::kMbTopmost);
    return RestoreRunResult::BoardsNotAttached;
}
