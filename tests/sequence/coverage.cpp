#include "coverage.h"

#include <iomanip>

namespace {

std::vector<std::string> Required() {
    std::vector<std::string> events;
    const auto add = [&events](std::string_view kind, std::initializer_list<std::string_view> all) {
        for (std::string_view what : all) {
            events.push_back(std::string(kind) + std::string(what));
        }
    };
    add("run ", {"interactive", "service"});
    add("stage ", {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12"});
    add("ending ",
        {"escape", "enter", "close", "close during the speed warning",
         "close during the end-of-test dialog", "service by pen-up", "service by time-out"});
    add("edge completed by ", {"pen-up", "time-out"});
    add("delete ", {"cleared an edge", "went back an edge"});
    add("warning closed by ", {"ok", "escape", "enter", "pen"});
    add("save ", {"ok", "enter", "cancel", "escape", "close box"});
    add("report ", {"at the chosen path", "in documents", "nowhere",
                    "in documents under the proposed name", "in documents under a numbered name"});
    add("mail ", {"sent", "sent after the profile logon", "logon failed", "cancelled by the user",
                  "send failed", "library missing", "entry point missing"});
    add("", {"window moved to another monitor", "boards changed", "driver window appeared",
             "driver window went", "record unreadable"});
    add("killed ", {"while tracing", "in the speed warning", "in the end-of-test dialog",
                    "while mailing", "in a message box"});
    add("start ", {"gave back the record's boards", "left boards not attached in the record"});
    add("", {"end left boards not attached in the record", "ended after a restart"});
    add("-restore exit ", {"0", "1", "2"});
    add("session ended", {"", " with a report chosen", " during the report step"});
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
