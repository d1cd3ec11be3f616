// Mapi32.dll stand-in: the three Simple MAPI calls the program makes. Each message is recorded
// in the outbox instead of being sent; RIMTRACE_MAPI_MODE chooses how the calls answer.
#include <windows.h>

#include <cwchar>
#include <mutex>
#include <optional>
#include <set>
#include <string>

#include "common/wide_text.h"
#include "mapi_mode.h"
#include "outbox_folder.h"
#include "outbox_record.h"
#include "sending_window.h"

namespace {

using outbox::MapiMode;

// The DLL is loaded afresh for every mail, so sessions need not outlive it.
std::mutex sessionLock;
std::set<MapiHandle> openSessions;
MapiHandle lastSession = 0;

// nullopt for a mode name nobody documented: every call then fails, so a typo shows.
std::optional<MapiMode> ConfiguredMode() {
    const auto name = sim::EnvironmentValue(L"RIMTRACE_MAPI_MODE");
    return name ? outbox::ParseMapiMode(sim::Utf8FromWide(*name)) : MapiMode::Ok;
}

void LogUnknownMode(const outbox::OutboxFolder& folder) {
    const auto name = sim::EnvironmentValue(L"RIMTRACE_MAPI_MODE").value_or(L"");
    folder.log("error unknown RIMTRACE_MAPI_MODE " + outbox::QuotedText(sim::Utf8FromWide(name)) +
               " result=2");
}

std::wstring WideFromAnsi(const char* text) {
    const int size = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (size <= 1) {
        return {};
    }
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), size);
    wide.resize(static_cast<std::size_t>(size - 1));
    return wide;
}

std::string_view SessionState(MapiHandle session) {
    if (session == 0) {
        return "implicit";
    }
    const std::lock_guard lock(sessionLock);
    return openSessions.contains(session) ? "open" : "unknown";
}

// Keeps a copy of every attachment that can be read; a path that cannot is "not found".
bool CollectAttachments(const MapiMessage& message, const outbox::OutboxFolder& folder,
                        const std::wstring& stem, outbox::SendFacts& facts) {
    bool allFound = true;
    for (MapiUlong i = 0; message.lpFiles != nullptr && i < message.nFileCount; ++i) {
        outbox::Attachment attachment;
        const char* path = message.lpFiles[i].lpszPathName;
        const std::wstring copy = stem + L".attachment-" + std::to_wstring(i + 1);
        if (path != nullptr && *path != '\0' && folder.copyIn(WideFromAnsi(path), copy)) {
            attachment.found = true;
            attachment.copyName = sim::Utf8FromWide(copy);
        }
        allFound = allFound && attachment.found;
        facts.attachments.push_back(attachment);
    }
    return allFound;
}

// A mail client's compose window keeps the thread's windows alive while it is up.
void HoldWithMessages(DWORD milliseconds) {
    const ULONGLONG deadline = GetTickCount64() + milliseconds;
    for (ULONGLONG now = GetTickCount64(); now < deadline; now = GetTickCount64()) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(deadline - now),
                                  QS_ALLINPUT);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                PostQuitMessage(static_cast<int>(message.wParam));
                return;
            }
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
}

DWORD HoldMilliseconds() {
    const auto text = sim::EnvironmentValue(L"RIMTRACE_MAPI_HOLD_MS");
    return text ? static_cast<DWORD>(std::wcstoul(text->c_str(), nullptr, 10)) : 0;
}

MapiUlong RecordMessage(MapiHandle session, std::uintptr_t uiParam, const MapiMessage& message,
                        MapiUlong flags, MapiUlong reserved, MapiMode mode,
                        const outbox::OutboxFolder& folder) {
    outbox::SendFacts facts;
    facts.session = session;
    facts.sessionState = SessionState(session);
    facts.uiParam = uiParam;
    facts.flags = flags;
    facts.reserved = reserved;
    facts.mode = mode;
    // Seen before anything else happens, as the user would see the screen.
    facts.sending = outbox::FindSendingWindow();
    facts.screenWidth = GetSystemMetrics(SM_CXSCREEN);
    facts.screenHeight = GetSystemMetrics(SM_CYSCREEN);

    const std::optional<int> number = folder.claimNumber();
    if (!number) {
        folder.log("error cannot claim a message number result=2");
        return outbox::kMapiFailure;
    }
    const std::wstring stem = outbox::MessageStem(*number);
    const bool found = CollectAttachments(message, folder, stem, facts);
    facts.result = facts.sessionState == "unknown" ? outbox::kMapiInvalidSession
                                                   : outbox::SendResult(mode, found);
    facts.bodyFile = sim::Utf8FromWide(stem + L".body");
    const bool written =
        (message.lpszNoteText == nullptr || folder.write(stem + L".body", message.lpszNoteText)) &&
        folder.write(stem + L".txt", outbox::MessageRecord(message, facts));
    if (!written) {
        facts.result = outbox::kMapiFailure;
    }
    folder.log(outbox::SendLine(facts, sim::Utf8FromWide(stem + L".txt")));
    return facts.result;
}

}  // namespace

extern "C" {

MapiUlong RIMTRACE_MAPI_CALL MAPILogon(std::uintptr_t uiParam, char* profileName, char* password,
                                       MapiUlong flags, MapiUlong reserved, MapiHandle* session) {
    const outbox::OutboxFolder folder;
    const std::optional<MapiMode> mode = ConfiguredMode();
    if (!mode) {
        LogUnknownMode(folder);
        return outbox::kMapiFailure;
    }
    MapiUlong result =
        session == nullptr ? outbox::kMapiFailure : outbox::LogonResult(*mode, flags);
    MapiHandle handed = 0;
    if (result == kMapiSuccess) {
        const std::lock_guard lock(sessionLock);
        handed = ++lastSession;
        openSessions.insert(handed);
        *session = handed;
    }
    folder.log(outbox::LogonLine(uiParam, profileName, password, flags, reserved, result, handed));
    return result;
}

MapiUlong RIMTRACE_MAPI_CALL MAPISendMail(MapiHandle session, std::uintptr_t uiParam,
                                          MapiMessage* message, MapiUlong flags,
                                          MapiUlong reserved) {
    const outbox::OutboxFolder folder;
    const std::optional<MapiMode> mode = ConfiguredMode();
    if (!mode) {
        LogUnknownMode(folder);
        return outbox::kMapiFailure;
    }
    if (message == nullptr) {
        folder.log("send session=" + std::to_string(session) + " message=null result=2");
        return outbox::kMapiFailure;
    }
    const MapiUlong result =
        RecordMessage(session, uiParam, *message, flags, reserved, *mode, folder);
    HoldWithMessages(HoldMilliseconds());
    return result;
}

MapiUlong RIMTRACE_MAPI_CALL MAPILogoff(MapiHandle session, std::uintptr_t uiParam, MapiUlong flags,
                                        MapiUlong reserved) {
    const outbox::OutboxFolder folder;
    bool known = false;
    {
        const std::lock_guard lock(sessionLock);
        known = openSessions.erase(session) != 0;
    }
    const MapiUlong result = known ? kMapiSuccess : outbox::kMapiInvalidSession;
    folder.log(outbox::LogoffLine(session, uiParam, flags, reserved, result));
    return result;
}

}  // extern "C"

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID reserved) {
    // The log shows the library's load and its unload by FreeLibrary, told apart from the
    // process simply ending with the library still loaded.
    if (reason == DLL_PROCESS_ATTACH) {
        outbox::OutboxFolder().log("load");
    } else if (reason == DLL_PROCESS_DETACH) {
        outbox::OutboxFolder().log(reserved == nullptr ? "unload" : "unload process-exit");
    }
    return TRUE;
}
