#pragma once
// A Simple MAPI client for the headless host: it records what the program hands it and answers
// as the outbox stand-in does in the same mode (sim/mapi32/mapi_mode.h). Attachments are not
// opened: the headless host's paths need not exist.
#include <functional>
#include <string>
#include <vector>

#include "framework/headless/headless_host.h"
#include "report/simple_mapi.h"
#include "sim/mapi32/mapi_mode.h"
#include "tavlo_sim.h"

struct FakeMapi {
    using Mode = outbox::MapiMode;
    struct Recipient {
        MapiUlong recipClass;
        std::string name;
        bool operator==(const Recipient&) const = default;
    };
    struct Sent {
        std::vector<Recipient> recipients;
        std::string subject;
        std::string body;
        std::string attachment;
        MapiUlong position = 0;
        MapiUlong flags = 0;
        bool noticeShown = false;
        std::uint32_t boardSettingDuringMail = 0;
    };

    static inline Mode mode = Mode::Ok;
    static inline std::vector<MapiUlong> logonFlags;
    static inline int logoffs = 0;
    static inline std::vector<Sent> sent;
    static inline headless::HeadlessHost* host = nullptr;
    // Runs while the compose window is open, as the mail client's message loop would.
    static inline std::function<void()> duringSend;

    static void Install(headless::HeadlessHost& h, Mode m) {
        mode = m;
        logonFlags.clear();
        logoffs = 0;
        sent.clear();
        host = &h;
        duringSend = nullptr;
        h.libraries[L"Mapi32.dll"].symbols = {{"MAPILogon", reinterpret_cast<void*>(&Logon)},
                                              {"MAPILogoff", reinterpret_cast<void*>(&Logoff)},
                                              {"MAPISendMail", reinterpret_cast<void*>(&SendMail)}};
    }

    static MapiUlong RIMTRACE_MAPI_CALL Logon(std::uintptr_t, char*, char*, MapiUlong flags,
                                              MapiUlong, MapiHandle* session) {
        logonFlags.push_back(flags);
        const MapiUlong result = outbox::LogonResult(mode, flags);
        if (result == kMapiSuccess) {
            *session = 0x5E55;
        }
        return result;
    }
    static MapiUlong RIMTRACE_MAPI_CALL Logoff(MapiHandle, std::uintptr_t, MapiUlong, MapiUlong) {
        ++logoffs;
        return 0;
    }
    static MapiUlong RIMTRACE_MAPI_CALL SendMail(MapiHandle, std::uintptr_t, MapiMessage* m,
                                                 MapiUlong flags, MapiUlong) {
        Sent s;
        for (MapiUlong i = 0; i < m->nRecipCount; ++i) {
            s.recipients.push_back({m->lpRecips[i].ulRecipClass, m->lpRecips[i].lpszName});
        }
        s.subject = m->lpszSubject;
        s.body = m->lpszNoteText;
        s.attachment = m->nFileCount == 1 ? m->lpFiles[0].lpszPathName : "";
        s.position = m->nFileCount == 1 ? m->lpFiles[0].nPosition : 0;
        s.flags = flags;
        s.noticeShown = host->showsWindow(136);
        s.boardSettingDuringMail = tavlo_sim::Setting(1, 0);
        sent.push_back(s);
        if (duringSend) {
            duringSend();
        }
        return outbox::SendResult(mode, true);
    }
};
