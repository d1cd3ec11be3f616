#include "outbox_record.h"

namespace outbox {
namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

std::string Field(std::string_view key, std::string_view value) {
    return std::string(key) + "=" + std::string(value) + "\n";
}

std::string Number(std::uint64_t value) {
    return std::to_string(value);
}

std::string RecipientFields(std::string_view prefix, const MapiRecipDesc& recipient) {
    const std::string p(prefix);
    return Field(p + ".reserved", Number(recipient.ulReserved)) +
           Field(p + ".class", Number(recipient.ulRecipClass)) +
           Field(p + ".name", QuotedOrNull(recipient.lpszName)) +
           Field(p + ".address", QuotedOrNull(recipient.lpszAddress)) +
           Field(p + ".entry_id_size", Number(recipient.ulEIDSize)) +
           Field(p + ".entry_id", recipient.lpEntryID == nullptr ? "null" : "set");
}

std::string AttachmentFields(std::size_t number, const MapiFileDesc& file,
                             const Attachment& facts) {
    const std::string p = "attachment." + std::to_string(number);
    return Field(p + ".reserved", Number(file.ulReserved)) +
           Field(p + ".flags", HexNumber(file.flFlags)) +
           Field(p + ".position", HexNumber(file.nPosition)) +
           Field(p + ".path", QuotedOrNull(file.lpszPathName)) +
           Field(p + ".file_name", QuotedOrNull(file.lpszFileName)) +
           Field(p + ".file_type", file.lpFileType == nullptr ? "null" : "set") +
           Field(p + ".found", facts.found ? "yes" : "no") +
           Field(p + ".copy", facts.copyName.empty() ? "none" : facts.copyName);
}

std::string SendingFields(const SendFacts& facts) {
    const SendingWindow& sending = facts.sending;
    std::string text = Field("sending_window", !sending.exists   ? "absent"
                                               : sending.visible ? "visible"
                                                                 : "hidden");
    if (sending.exists) {
        const ScreenRect& r = sending.rect;
        text += Field("sending_window_rect", std::to_string(r.left) + "," + std::to_string(r.top) +
                                                 "," + std::to_string(r.right) + "," +
                                                 std::to_string(r.bottom));
    }
    return text + Field("screen", std::to_string(facts.screenWidth) + "," +
                                      std::to_string(facts.screenHeight));
}

std::string CallFields(const SendFacts& facts) {
    return Field("result", Number(facts.result)) + Field("mode", MapiModeName(facts.mode)) +
           Field("session", Number(facts.session)) + Field("session_state", facts.sessionState) +
           Field("ui_param", HexNumber(facts.uiParam)) + Field("flags", HexNumber(facts.flags)) +
           Field("reserved", Number(facts.reserved));
}

std::string MessageFields(const MapiMessage& message, const SendFacts& facts) {
    const std::string_view body =
        message.lpszNoteText == nullptr ? std::string_view{} : message.lpszNoteText;
    std::string text =
        Field("message.reserved", Number(message.ulReserved)) +
        Field("message.flags", HexNumber(message.flFlags)) +
        Field("subject", QuotedOrNull(message.lpszSubject)) +
        Field("body", QuotedOrNull(message.lpszNoteText)) +
        Field("body_bytes", Number(body.size())) +
        Field("body_file", message.lpszNoteText == nullptr ? "none" : facts.bodyFile) +
        Field("message_type", QuotedOrNull(message.lpszMessageType)) +
        Field("date_received", QuotedOrNull(message.lpszDateReceived)) +
        Field("conversation_id", QuotedOrNull(message.lpszConversationID));
    if (message.lpOriginator == nullptr) {
        text += Field("originator", "null");
    } else {
        text += RecipientFields("originator", *message.lpOriginator);
    }
    return text;
}

std::string RecipientList(const MapiMessage& message) {
    std::string text = Field("recipients", Number(message.nRecipCount));
    if (message.lpRecips == nullptr) {
        return text + Field("recipient_list", "null");
    }
    for (MapiUlong i = 0; i < message.nRecipCount; ++i) {
        text += RecipientFields("recipient." + std::to_string(i + 1), message.lpRecips[i]);
    }
    return text;
}

std::string AttachmentList(const MapiMessage& message, const SendFacts& facts) {
    std::string text = Field("attachments", Number(message.nFileCount));
    if (message.lpFiles == nullptr) {
        return text + Field("attachment_list", "null");
    }
    for (MapiUlong i = 0; i < message.nFileCount; ++i) {
        const Attachment none;
        const Attachment& known = i < facts.attachments.size() ? facts.attachments[i] : none;
        text += AttachmentFields(i + 1, message.lpFiles[i], known);
    }
    return text;
}

}  // namespace

std::string QuotedText(std::string_view bytes) {
    std::string text = "\"";
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
            case '\\':
                text += "\\\\";
                break;
            case '"':
                text += "\\\"";
                break;
            case '\n':
                text += "\\n";
                break;
            case '\r':
                text += "\\r";
                break;
            case '\t':
                text += "\\t";
                break;
            default:
                if (byte >= 0x20 && byte < 0x7F) {
                    text += c;
                } else {
                    text += "\\x";
                    text += kHexDigits[byte >> 4];
                    text += kHexDigits[byte & 0xF];
                }
        }
    }
    return text + "\"";
}

std::string QuotedOrNull(const char* text) {
    return text == nullptr ? "null" : QuotedText(text);
}

std::string HexNumber(std::uint64_t value) {
    std::string digits;
    do {
        digits.insert(digits.begin(), kHexDigits[value & 0xF]);
        value >>= 4;
    } while (value != 0);
    return "0x" + digits;
}

std::string MessageRecord(const MapiMessage& message, const SendFacts& facts) {
    return CallFields(facts) + SendingFields(facts) + MessageFields(message, facts) +
           RecipientList(message) + AttachmentList(message, facts);
}

std::string LogonLine(std::uintptr_t uiParam, const char* profile, const char* password,
                      MapiUlong flags, MapiUlong reserved, MapiUlong result, MapiHandle session) {
    return "logon ui_param=" + HexNumber(uiParam) + " profile=" + QuotedOrNull(profile) +
           " password=" + QuotedOrNull(password) + " flags=" + HexNumber(flags) +
           " reserved=" + Number(reserved) + " result=" + Number(result) +
           " session=" + Number(session);
}

std::string SendLine(const SendFacts& facts, std::string_view recordName) {
    return "send session=" + Number(facts.session) + " ui_param=" + HexNumber(facts.uiParam) +
           " flags=" + HexNumber(facts.flags) + " reserved=" + Number(facts.reserved) +
           " result=" + Number(facts.result) + " record=" + std::string(recordName);
}

std::string LogoffLine(MapiHandle session, std::uintptr_t uiParam, MapiUlong flags,
                       MapiUlong reserved, MapiUlong result) {
    return "logoff session=" + Number(session) + " ui_param=" + HexNumber(uiParam) +
           " flags=" + HexNumber(flags) + " reserved=" + Number(reserved) +
           " result=" + Number(result);
}

}  // namespace outbox
