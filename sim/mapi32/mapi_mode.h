// How a mail client answers the program's Simple MAPI calls: succeed, or fail in one of the ways
// a real client does. The outbox stand-in (Mapi32.dll) answers by these rules, its mode named in
// RIMTRACE_MAPI_MODE; the unit tests' in-process mail client answers by the same ones, so a
// headless test and an end-to-end run of one mode see the same client.
#pragma once

#include <array>
#include <optional>
#include <string_view>
#include <utility>

#include "report/simple_mapi.h"

namespace outbox {

inline constexpr MapiUlong kMapiUserAbort = 1;
inline constexpr MapiUlong kMapiFailure = 2;
inline constexpr MapiUlong kMapiLoginFailure = 3;
inline constexpr MapiUlong kMapiAttachmentNotFound = 11;
inline constexpr MapiUlong kMapiInvalidSession = 19;

enum class MapiMode {
    Ok,               // every call succeeds
    FirstLogonFails,  // the silent logon fails; the one that may ask the user succeeds
    BothLogonsFail,   // no logon succeeds
    UserCancels,      // the message is recorded, then the user abandons the compose window
    SendFails,        // the message is recorded, then sending it fails
};

inline constexpr std::array<std::pair<std::string_view, MapiMode>, 5> kMapiModeNames = {{
    {"ok", MapiMode::Ok},
    {"first-logon-fails", MapiMode::FirstLogonFails},
    {"both-logons-fail", MapiMode::BothLogonsFail},
    {"user-cancels", MapiMode::UserCancels},
    {"send-fails", MapiMode::SendFails},
}};

// Exactly one of the names above; anything else is nullopt.
constexpr std::optional<MapiMode> ParseMapiMode(std::string_view text) {
    for (const auto& [name, mode] : kMapiModeNames) {
        if (name == text) {
            return mode;
        }
    }
    return std::nullopt;
}

constexpr std::string_view MapiModeName(MapiMode mode) {
    for (const auto& [name, value] : kMapiModeNames) {
        if (value == mode) {
            return name;
        }
    }
    return {};
}

constexpr MapiUlong LogonResult(MapiMode mode, MapiUlong flags) {
    switch (mode) {
        case MapiMode::BothLogonsFail:
            return kMapiLoginFailure;
        case MapiMode::FirstLogonFails:
            return (flags & kMapiLogonUi) != 0 ? kMapiSuccess : kMapiLoginFailure;
        default:
            return kMapiSuccess;
    }
}

// `attachmentsFound`: every attachment path could be opened. A client refuses a message with a
// missing attachment before it shows anything, whatever the user would have done.
constexpr MapiUlong SendResult(MapiMode mode, bool attachmentsFound) {
    if (!attachmentsFound) {
        return kMapiAttachmentNotFound;
    }
    switch (mode) {
        case MapiMode::UserCancels:
            return kMapiUserAbort;
        case MapiMode::SendFails:
            return kMapiFailure;
        default:
            return kMapiSuccess;
    }
}

}  // namespace outbox
