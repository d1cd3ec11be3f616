// The outbox's text: one record per message and one log line per call (format in
// sim/README.md). Everything is ASCII; message strings are quoted with escapes, so every byte
// the program handed over can be read back exactly.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "mapi_mode.h"
#include "report/simple_mapi.h"

namespace outbox {

// The bytes in double quotes: printable ASCII as is except \ and ", which are escaped, and
// \n, \r, \t and \xHH for everything else.
std::string QuotedText(std::string_view bytes);
// A string pointer as MAPI passes it: null stays distinguishable from "".
std::string QuotedOrNull(const char* text);
// "0x" and upper-case hex digits without leading zeros.
std::string HexNumber(std::uint64_t value);

struct ScreenRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// The notice window captioned "Sending" as it was when the message arrived.
struct SendingWindow {
    bool exists = false;
    bool visible = false;
    ScreenRect rect;
};

struct Attachment {
    bool found = false;
    std::string copyName;  // empty when no copy was kept
};

struct SendFacts {
    MapiHandle session = 0;
    std::string_view sessionState;  // "open", "implicit" (0) or "unknown"
    std::uintptr_t uiParam = 0;
    MapiUlong flags = 0;
    MapiUlong reserved = 0;
    MapiUlong result = 0;
    MapiMode mode = MapiMode::Ok;
    SendingWindow sending;
    int screenWidth = 0;
    int screenHeight = 0;
    std::string bodyFile;
    std::vector<Attachment> attachments;  // one per file record, in order
};

std::string MessageRecord(const MapiMessage& message, const SendFacts& facts);

std::string LogonLine(std::uintptr_t uiParam, const char* profile, const char* password,
                      MapiUlong flags, MapiUlong reserved, MapiUlong result, MapiHandle session);
std::string SendLine(const SendFacts& facts, std::string_view recordName);
std::string LogoffLine(MapiHandle session, std::uintptr_t uiParam, MapiUlong flags,
                       MapiUlong reserved, MapiUlong result);

}  // namespace outbox
