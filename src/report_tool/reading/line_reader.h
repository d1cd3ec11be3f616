#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "report_tool/reading/byte_source.h"
#include "trace/board_point.h"

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

    // The fast way through point sections: takes the next lines, up to `most`, while each is a
    // well-formed point "x,y" ending exactly with `end` (CR LF or LF), as next() would, and
    // appends their points to `into`. Returns how many it took; the line that stopped it is left
    // to next().
    std::size_t nextPoints(LineEnd end, std::size_t most, std::vector<BoardPoint>& into);
    // The number of the line taken last.
    std::int64_t lineNumber() const { return number_; }

  private:
    bool fill();
    bool skipPastLineEnd();

    ByteSource& source_;
    std::size_t maxLineBytes_;
    std::unique_ptr<char[]> buffer_;  // not cleared: only bytes read are ever looked at
    std::size_t capacity_ = 0;
    std::size_t begin_ = 0;
    std::size_t end_ = 0;
    bool sourceDone_ = false;
    std::int64_t number_ = 0;
};
