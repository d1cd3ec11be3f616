// The restore record on disk, whenever the process could die: exactly what the ledger says the
// boards are owed, and nothing else in its folder but records set aside.
#include "sequence.h"

namespace fs = std::filesystem;

void Sequence::checkRecord() {
    const FileSnapshot files = folder_.systemFiles();
    const std::string expected = ledger_.expectedRecordText();
    const auto found = recordPath_.empty() ? files.end() : files.find(recordPath_);
    if (found == files.end()) {
        if (!expected.empty()) {
            fail("no restore record while boards are owed their values");
        }
    } else if (found->second != expected) {
        fail("the restore record reads \"" + found->second + "\", not \"" + expected + "\"");
    }
    for (const auto& [path, text] : files) {
        const bool setAside = path.parent_path() == recordPath_.parent_path() &&
                              path.filename().string().starts_with("restore-record.unreadable-");
        if (path != recordPath_ && !setAside) {
            fail("a stray file beside the restore record: " + path.string());
        }
    }
}
