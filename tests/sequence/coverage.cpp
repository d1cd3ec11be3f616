#include "coverage.h"

#include <iomanip>

namespace {

std::vector<std::string> Required() {
    std::vector<std::string> events = {
        "run interactive",
        "run service",
        "ending escape",
        "ending enter",
        "ending close",
        "ending close during the speed warning",
        "ending close during the end-of-test dialog",
        "ending service by pen-up",
        "ending service by time-out",
        "edge completed by pen-up",
        "edge completed by time-out",
        "delete cleared an edge",
        "delete went back an edge",
        "window moved to another monitor",
        "warning closed by ok",
        "warning closed by escape",
        "warning closed by enter",
        "warning closed by pen",
        "save ok",
        "save enter",
        "save cancel",
        "save escape",
        "save close box",
        "final name plain",
        "final name unwritable",
        "final name needs default name",
        "final name system dependent",
        "final name empty",
        "report at the chosen path",
        "report in documents",
        "report nowhere",
        "mail sent",
        "mail sent after the profile logon",
        "mail logon failed",
        "mail cancelled by the user",
        "mail send failed",
        "mail library missing",
        "mail entry point missing",
        "boards changed",
        "driver window appeared",
        "driver window went",
        "killed while tracing",
        "killed in the speed warning",
        "killed in the end-of-test dialog",
        "killed while mailing",
        "killed in a message box",
        "start gave back the record's boards",
        "start left boards not attached in the record",
        "end left boards not attached in the record",
        "ended after a restart",
        "-restore exit 0",
        "-restore exit 1",
        "-restore exit 2",
        "record unreadable",
        "session ended",
        "session ended with a report chosen",
        "session ended during the report step",
        "report in documents under the proposed name",
        "report in documents under a numbered name",
    };
    for (int s = 0; s <= 12; ++s) {
        events.push_back("stage " + std::to_string(s));
    }
    return events;
}

}  // namespace

void Coverage::print(std::ostream& out) const {
    for (const auto& [event, n] : counts_) {
        out << "  " << std::setw(8) << n << "  " << event << '\n';
    }
}

std::vector<std::string> Coverage::missing() const {
    std::vector<std::string> missing;
    for (const std::string& event : Required()) {
        if (counts_.count(event) == 0) {
            missing.push_back(event);
        }
    }
    return missing;
}
