// Reading and operating the controls of another process's dialog.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace rtdriver {

// Null when the dialog has no such control.
HWND Control(HWND dialog, int id);

std::optional<std::wstring> ControlText(HWND control);
bool SetControlText(HWND control, const std::wstring& text);
// Presses the button as a mouse click would (an automatic check box toggles). Waits up to two
// seconds for the program to handle it; a click that opens a modal window returns after that.
void ClickButton(HWND button);
// BST_UNCHECKED, BST_CHECKED or BST_INDETERMINATE; nullopt when the program does not answer.
std::optional<LRESULT> CheckState(HWND button);
// The id of the dialog's default push button: its default id, else IDOK.
int DefaultButtonId(HWND dialog);

}  // namespace rtdriver
