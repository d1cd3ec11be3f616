#pragma once
// A run that died (killed, crashed, the computer switched off) leaves its restore record behind:
// the next start gives those boards their own values back before reading anything as originals.
#include <filesystem>

#include "TAVLO.h"
#include "board/restore_record.h"
#include "board/restore_record_file.h"
#include "framework/native_handles.h"

struct EarlierRunOutcome {
    enum class Kind {
        None,        // no record: the last run ended properly
        Restored,    // the attached boards it names have their values back
        Unreadable,  // not a record this program can trust; nothing was applied
    };
    Kind kind = Kind::None;
    // Boards the record names that are not attached now; they stay in the record.
    RestoreRecord waiting;
    // For an unreadable record: where it was moved (empty when it could not be moved).
    std::filesystem::path setAsideTo;
};

// Applies the record of an earlier run to the boards attached now, in board order, and leaves in
// the file only the boards that are not attached. An unreadable record is moved aside.
EarlierRunOutcome RestoreEarlierRun(CTAVLO2BoardSettings& settings, HWND driver, int attachedCount,
                                    const RestoreRecordFile& file);

// One message box telling the user that the saved settings could not be read, and where the file
// went.
void TellUnreadableRecord(const RestoreRecordFile& file, const EarlierRunOutcome& outcome);
