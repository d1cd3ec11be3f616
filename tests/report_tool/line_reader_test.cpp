// Splitting a source into lines in bounded memory, whatever pieces the source hands out.
#include <gtest/gtest.h>

#include <algorithm>

#include "report_tool/reading/line_reader.h"

namespace {

// Hands out at most `piece` bytes per read, so lines straddle every boundary.
class PieceSource final : public ByteSource {
  public:
    PieceSource(std::string bytes, std::size_t piece) : bytes_(std::move(bytes)), piece_(piece) {}
    std::size_t read(char* into, std::size_t size) override {
        const std::size_t n = std::min({size, piece_, bytes_.size() - at_});
        std::copy_n(bytes_.data() + at_, n, into);
        at_ += n;
        return n;
    }

  private:
    std::string bytes_;
    std::size_t piece_;
    std::size_t at_ = 0;
};

struct Seen {
    std::string text;
    LineEnd end;
    bool cut;
    friend bool operator==(const Seen&, const Seen&) = default;
};

std::vector<Seen> AllLines(const std::string& bytes, std::size_t piece, std::size_t limit) {
    PieceSource source(bytes, piece);
    LineReader reader(source, limit);
    std::vector<Seen> lines;
    std::int64_t expected = 1;
    while (auto line = reader.next()) {
        EXPECT_EQ(line->number, expected++);
        lines.push_back({std::string(line->text), line->end, line->cut});
    }
    return lines;
}

}  // namespace

TEST(LineReader, LineEndsAndTheLastLineAreToldApartInAnyPieces) {
    const std::string bytes = "# v1\r\n\r\nab\ncd\r\r\nlast";
    const std::vector<Seen> expected = {{"# v1", LineEnd::CrLf, false},
                                        {"", LineEnd::CrLf, false},
                                        {"ab", LineEnd::Lf, false},
                                        {"cd\r", LineEnd::CrLf, false},
                                        {"last", LineEnd::EndOfFile, false}};
    for (std::size_t piece : {1u, 2u, 3u, 7u, 1000u}) {
        EXPECT_EQ(AllLines(bytes, piece, 16), expected) << "pieces of " << piece;
    }
}

TEST(LineReader, LinesBeyondTheLimitAreCutWithoutHoldingThem) {
    const std::string longLine(100000, 'x');
    const std::string bytes = "exactly8\r\n" + longLine + "\r\nnext\r\n" + longLine;
    const std::vector<Seen> expected = {{"exactly8", LineEnd::CrLf, false},
                                        {"", LineEnd::Lf, true},
                                        {"next", LineEnd::CrLf, false},
                                        {"", LineEnd::EndOfFile, true}};
    for (std::size_t piece : {1u, 5u, 9u, 4096u}) {
        EXPECT_EQ(AllLines(bytes, piece, 8), expected) << "pieces of " << piece;
    }
    EXPECT_EQ(AllLines("123456789\r\n", 3, 8), (std::vector<Seen>{{"", LineEnd::Lf, true}}));
}

TEST(LineReader, AnEmptySourceHasNoLines) {
    EXPECT_TRUE(AllLines("", 1, 8).empty());
    EXPECT_EQ(AllLines("\n", 1, 8), (std::vector<Seen>{{"", LineEnd::Lf, false}}));
}
