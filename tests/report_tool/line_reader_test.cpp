// Splitting a source into lines in bounded memory, whatever pieces the source hands out.
#include <gtest/gtest.h>

#include <algorithm>
#include <string_view>

#include "report_tool/reading/line_reader.h"

namespace {

// Hands out at most `piece` bytes per read, so lines straddle every boundary.
class PieceSource final : public ByteSource {
  public:
    PieceSource(std::string_view bytes, std::size_t piece) : whole_(bytes), piece_(piece) {}
    std::size_t read(char* into, std::size_t size) override {
        return whole_.read(into, std::min(size, piece_));
    }

  private:
    MemorySource whole_;
    std::size_t piece_;
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
    const std::string bytes = "# v1\r\n\r\nab\ncd\r\r\nz";
    const std::vector<Seen> expected = {{"# v1", LineEnd::CrLf, false},
                                        {"", LineEnd::CrLf, false},
                                        {"ab", LineEnd::Lf, false},
                                        {"cd\r", LineEnd::CrLf, false},
                                        {"z", LineEnd::EndOfFile, false}};
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
    for (const char* justOver : {"123456789\r\n", "123456789\n"}) {
        EXPECT_EQ(AllLines(justOver, 3, 8), (std::vector<Seen>{{"", LineEnd::Lf, true}}));
    }
}
