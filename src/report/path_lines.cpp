#include "report/path_lines.h"

#include <algorithm>

namespace {
bool IsSeparator(wchar_t c) {
    return c == L'\\' || c == L'/';
}
}  // namespace

std::wstring PathLines(std::wstring_view path, std::size_t width) {
    width = std::max<std::size_t>(width, 1);
    std::wstring out;
    while (path.size() > width) {
        // The last separator that still fits on this line; else the line is cut at the width.
        std::size_t cut = width;
        for (std::size_t i = width; i > 0; --i) {
            if (IsSeparator(path[i - 1])) {
                cut = i;
                break;
            }
        }
        out.append(path.substr(0, cut));
        out.push_back(L'\n');
        path.remove_prefix(cut);
    }
    out.append(path);
    return out;
}
