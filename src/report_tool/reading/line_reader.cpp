#include "report_tool/reading/line_reader.h"

#include <algorithm>
#include <cstring>

#include "report_tool/reading/point_text.h"

namespace {
constexpr std::size_t kChunkBytes = 64 * 1024;
}  // namespace

LineReader::LineReader(ByteSource& source, std::size_t maxLineBytes)
    : source_(source),
      maxLineBytes_(maxLineBytes),
      buffer_(std::make_unique_for_overwrite<char[]>(maxLineBytes + kChunkBytes + 2)),
      capacity_(maxLineBytes + kChunkBytes + 2) {}

// Moves the unread bytes to the front and reads more behind them; false when nothing came.
bool LineReader::fill() {
    if (sourceDone_) {
        return false;
    }
    if (begin_ > 0) {
        std::memmove(buffer_.get(), buffer_.get() + begin_, end_ - begin_);
        end_ -= begin_;
        begin_ = 0;
    }
    const std::size_t got = source_.read(buffer_.get() + end_, capacity_ - end_);
    if (got == 0) {
        sourceDone_ = true;
        return false;
    }
    end_ += got;
    return true;
}

// Drops bytes up to and including the next LF; false when the source ended first.
bool LineReader::skipPastLineEnd() {
    for (;;) {
        const void* lf = std::memchr(buffer_.get() + begin_, '\n', end_ - begin_);
        if (lf != nullptr) {
            begin_ = static_cast<std::size_t>(static_cast<const char*>(lf) - buffer_.get()) + 1;
            return true;
        }
        begin_ = end_;
        if (!fill()) {
            return false;
        }
    }
}

std::size_t LineReader::nextPoints(LineEnd end, std::size_t most, std::vector<BoardPoint>& into) {
    // The longest point line: two 11-character numbers, a comma, CR and LF.
    constexpr std::size_t kLongestPointLine = 25;
    const std::size_t endLength = end == LineEnd::CrLf ? 2 : 1;
    std::size_t taken = 0;
    while (taken < most) {
        if (end_ - begin_ < kLongestPointLine && !sourceDone_) {
            fill();
        }
        const char* start = buffer_.get() + begin_;
        const char* stop = buffer_.get() + end_;
        const char* at = start;
        BoardPoint point;
        if (!point_text::TakePoint(at, stop, point) ||
            static_cast<std::size_t>(stop - at) < endLength ||
            (endLength == 2 ? at[0] != '\r' || at[1] != '\n' : at[0] != '\n')) {
            break;
        }
        into.push_back(point);
        begin_ += static_cast<std::size_t>(at - start) + endLength;
        ++number_;
        ++taken;
    }
    return taken;
}

std::optional<Line> LineReader::next() {
    // A line of the limit's length, its CR and its LF.
    const std::size_t longest = maxLineBytes_ + 2;
    for (;;) {
        const char* start = buffer_.get() + begin_;
        const std::size_t available = end_ - begin_;
        const std::size_t searched = std::min(available, longest);
        const void* lf = std::memchr(start, '\n', searched);
        if (lf != nullptr) {
            const auto length = static_cast<std::size_t>(static_cast<const char*>(lf) - start);
            Line line{{start, length}, LineEnd::Lf, ++number_, false};
            if (length > 0 && start[length - 1] == '\r') {
                line.text.remove_suffix(1);
                line.end = LineEnd::CrLf;
            }
            if (line.text.size() > maxLineBytes_) {
                line.text = {};
                line.cut = true;
            }
            begin_ += length + 1;
            return line;
        }
        if (available >= longest) {
            // No line end within the limit: the line is dropped up to its end; only the fact
            // that it was too long is handed out.
            begin_ += searched;
            const bool ended = skipPastLineEnd();
            return Line{{}, ended ? LineEnd::Lf : LineEnd::EndOfFile, ++number_, true};
        }
        if (!fill()) {
            // fill() may have moved the bytes to the front.
            const std::string_view rest(buffer_.get() + begin_, end_ - begin_);
            if (rest.empty()) {
                return std::nullopt;
            }
            Line line{rest, LineEnd::EndOfFile, ++number_, false};
            if (line.text.size() > maxLineBytes_) {
                line.text = {};
                line.cut = true;
            }
            begin_ = end_;
            return line;
        }
    }
}
