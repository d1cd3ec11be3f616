#pragma once
// Opaque handle types, declared exactly as <windows.h> declares them, so portable code can hold
// them without including it and the Win32 backend can pass them straight to the API.
struct HWND__;
typedef struct HWND__* HWND;
struct HICON__;
typedef struct HICON__* HICON;
struct HMONITOR__;
typedef struct HMONITOR__* HMONITOR;
