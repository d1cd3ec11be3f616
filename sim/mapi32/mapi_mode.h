// How the outbox stand-in answers: succeed, or fail in one of the ways a mail client does.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

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
};

// "ok", "first-logon-fails", "both-logons-fail", "user-cancels"; anything else is nullopt.
std::optional<MapiMode> ParseMapiMode(std::string_view text);
std::string_view MapiModeName(MapiMode mode);

MapiUlong LogonResult(MapiMode mode, MapiUlong flags);
// `attachmentsFound`: every attachment path could be opened. A client refuses a message with a
// missing attachment before it shows anything, whatever the user would have done.
MapiUlong SendResult(MapiMode mode, bool attachmentsFound);

}  // namespace outbox
