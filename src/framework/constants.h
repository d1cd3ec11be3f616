#pragma once
// Numeric values the program shares with the platform (command ids, keys, beep types, message-box
// and file-dialog flags). They carry the platform's values so the Win32 backend passes them on
// unchanged; they are named here because portable code never sees the platform headers.
namespace fw {

inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;

inline constexpr unsigned kVkReturn = 0x0D;
inline constexpr unsigned kVkEscape = 0x1B;
inline constexpr unsigned kVkSpace = 0x20;
inline constexpr unsigned kVkNext = 0x22;  // Page Down
inline constexpr unsigned kVkDelete = 0x2E;
inline constexpr unsigned kVkD = 0x44;

inline constexpr unsigned kBeepDefault = 0x00;      // MB_OK
inline constexpr unsigned kBeepExclamation = 0x30;  // MB_ICONEXCLAMATION

inline constexpr unsigned kMbOk = 0x00000000;
inline constexpr unsigned kMbIconExclamation = 0x00000030;
inline constexpr unsigned kMbTopmost = 0x00040000;

inline constexpr unsigned kOfnHideReadOnly = 0x00000004;
inline constexpr unsigned kOfnOverwritePrompt = 0x00000002;

inline constexpr unsigned kSwpNoSize = 0x0001;
inline constexpr unsigned kSwpNoZOrder = 0x0004;

inline constexpr int kBstUnchecked = 0;
inline constexpr int kBstChecked = 1;

}  // namespace fw
