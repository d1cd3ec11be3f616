#include "mapi_mode.h"

#include <array>
#include <utility>

namespace outbox {
namespace {

constexpr std::array<std::pair<std::string_view, MapiMode>, 4> kModes = {{
    {"ok", MapiMode::Ok},
    {"first-logon-fails", MapiMode::FirstLogonFails},
    {"both-logons-fail", MapiMode::BothLogonsFail},
    {"user-cancels", MapiMode::UserCancels},
}};

}  // namespace

std::optional<MapiMode> ParseMapiMode(std::string_view text) {
    for (const auto& [name, mode] : kModes) {
        if (name == text) {
            return mode;
        }
    }
    return std::nullopt;
}

std::string_view MapiModeName(MapiMode mode) {
    for (const auto& [name, value] : kModes) {
        if (value == mode) {
            return name;
        }
    }
    return {};
}

MapiUlong LogonResult(MapiMode mode, MapiUlong flags) {
    switch (mode) {
        case MapiMode::BothLogonsFail:
            return kMapiLoginFailure;
        case MapiMode::FirstLogonFails:
            return (flags & kMapiLogonUi) != 0 ? kMapiSuccess : kMapiLoginFailure;
        default:
            return kMapiSuccess;
    }
}

MapiUlong SendResult(MapiMode mode, bool attachmentsFound) {
    if (!attachmentsFound) {
        return kMapiAttachmentNotFound;
    }
    return mode == MapiMode::UserCancels ? kMapiUserAbort : kMapiSuccess;
}

}  // namespace outbox
