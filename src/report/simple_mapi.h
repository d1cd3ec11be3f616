#pragma once
// The Simple MAPI records and entry points, as published for Mapi32.dll. ULONG is 32 bits on
// Windows; it is spelled std::uint32_t so the layout is the same wherever this is compiled.
#include <cstdint>

#if defined(_WIN32) && !defined(_WIN64)
#define RIMTRACE_MAPI_CALL __stdcall
#else
#define RIMTRACE_MAPI_CALL
#endif

using MapiUlong = std::uint32_t;
using MapiHandle = std::uintptr_t;

inline constexpr MapiUlong kMapiTo = 1;
inline constexpr MapiUlong kMapiLogonUi = 0x00000001;
inline constexpr MapiUlong kMapiDialog = 0x00000008;
inline constexpr MapiUlong kMapiSuccess = 0;

struct MapiRecipDesc {
    MapiUlong ulReserved;
    MapiUlong ulRecipClass;
    char* lpszName;
    char* lpszAddress;
    MapiUlong ulEIDSize;
    void* lpEntryID;
};

struct MapiFileDesc {
    MapiUlong ulReserved;
    MapiUlong flFlags;
    MapiUlong nPosition;
    char* lpszPathName;
    char* lpszFileName;
    void* lpFileType;
};

struct MapiMessage {
    MapiUlong ulReserved;
    char* lpszSubject;
    char* lpszNoteText;
    char* lpszMessageType;
    char* lpszDateReceived;
    char* lpszConversationID;
    MapiUlong flFlags;
    MapiRecipDesc* lpOriginator;
    MapiUlong nRecipCount;
    MapiRecipDesc* lpRecips;
    MapiUlong nFileCount;
    MapiFileDesc* lpFiles;
};

using MapiLogonFn = MapiUlong(RIMTRACE_MAPI_CALL*)(std::uintptr_t uiParam, char* profileName,
                                                   char* password, MapiUlong flags,
                                                   MapiUlong reserved, MapiHandle* session);
using MapiSendMailFn = MapiUlong(RIMTRACE_MAPI_CALL*)(MapiHandle session, std::uintptr_t uiParam,
                                                      MapiMessage* message, MapiUlong flags,
                                                      MapiUlong reserved);
using MapiLogoffFn = MapiUlong(RIMTRACE_MAPI_CALL*)(MapiHandle session, std::uintptr_t uiParam,
                                                    MapiUlong flags, MapiUlong reserved);
