#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "report_tool/byte_source.h"

// How a line ended: CR LF as the program writes, a bare LF (the CR lost on the way), or the end
// of the file with no line end at all (a cut-off file).
enum class LineEnd { CrLf, Lf, EndOfFile };

struct Line {
    std::string_view text;  // without the line end; valid until the next call of next()
    LineEnd end = LineEnd::CrLf;
    std::int64_t number = 0;  // from 1
    bool cut = false;         // longer than the reader's limit; text is then empty
};

// Splits a byte source into lines, holding at most one chunk and one line of the limit's length
// at a time, whatever the source holds.
class LineReader {
  public:
    LineReader(ByteSource& source, std::size_t maxLineBytes);
    std::optional<Line> next();

  private:
    bool fill();
    bool skipPastLineEnd();

    ByteSource& source_;
    std::size_t maxLineBytes_;
    std::vector<char> buffer_;
    std::size_t begin_ = 0;
    std::size_t end_ = 0;
    bool sourceDone_ = false;
    std::int64_t number_ = 0;
};
