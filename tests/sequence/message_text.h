#pragma once
#include <string>
#include <string_view>

// A text for a failure message: ASCII as it is, everything else as '?'.
std::string Narrow(std::wstring_view text);
// A message box's text as one line: the line breaks taken out, so that a path broken over
// lines reads whole again.
std::wstring WithoutLineBreaks(std::wstring_view text);
// The file name a report name ends in, as the user typed it: after its last separator or
// drive colon.
std::wstring FileNameOf(std::wstring_view path);
