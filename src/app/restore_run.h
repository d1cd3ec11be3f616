#pragma once

// "rimtrace.exe -restore": gives the boards the values a run that died left in the restore
// record, without opening the trace window. The result is the process's exit code.
enum class RestoreRunResult {
    Done = 0,               // every board named was given back, or there was nothing to do
    RecordUnreadable = 1,   // nothing applied; the file was moved aside and the user told
    BoardsNotAttached = 2,  // the boards not attached stay in the record; the user was told
};

RestoreRunResult RunRestore();
