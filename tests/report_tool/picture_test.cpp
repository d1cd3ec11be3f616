// The picture as a real renderer draws it, checked by its pixels.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

#include "report_text.h"
#include "report_tool/picture/palette.h"
#include "report_tool/picture/picture_layout.h"
#include "report_tool/picture/picture_text.h"
#include "report_tool/picture/report_picture.h"
#include "support/generated_report.h"
#include "temp_folder.h"

namespace {

struct Rgb {
    unsigned char r, g, b;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

Rgb FromHex(std::string_view hex) {
    const auto byte = [&](std::size_t at) {
        return static_cast<unsigned char>(std::stoi(std::string(hex.substr(at, 2)), nullptr, 16));
    };
    return {byte(1), byte(3), byte(5)};
}

class Image {
  public:
    // Renders the SVG with rsvg-convert, then has ImageMagick turn the PNG into plain pixels.
    static Image Render(const std::string& svg, const TempFolder& dir) {
        const auto svgFile = dir.write("picture.svg", svg);
        const auto png = dir.path() / "picture.png";
        const auto ppm = dir.path() / "picture.ppm";
        const std::string render = std::string(RSVG_CONVERT) + " -o '" + png.string() + "' '" +
                                   svgFile.string() + "' && " + IMAGEMAGICK_CONVERT + " '" +
                                   png.string() + "' -depth 8 '" + ppm.string() + "'";
        EXPECT_EQ(std::system(render.c_str()), 0) << render;
        std::ifstream in(ppm, std::ios::binary);
        Image image;
        std::string magic;
        int maxValue = 0;
        in >> magic >> image.width_ >> image.height_ >> maxValue;
        in.get();
        EXPECT_EQ(magic, "P6");
        image.pixels_.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        EXPECT_EQ(image.pixels_.size(), static_cast<std::size_t>(image.width_ * image.height_ * 3));
        return image;
    }

    int width() const { return width_; }
    Rgb at(int x, int y) const {
        const std::size_t i = (static_cast<std::size_t>(y) * width_ + x) * 3;
        return {static_cast<unsigned char>(pixels_[i]), static_cast<unsigned char>(pixels_[i + 1]),
                static_cast<unsigned char>(pixels_[i + 2])};
    }
    // Pixels of exactly this colour inside the box.
    int count(const Box& box, Rgb colour) const {
        int n = 0;
        for (int y = static_cast<int>(box.top) + 1; y < static_cast<int>(box.bottom()) - 1; ++y) {
            for (int x = static_cast<int>(box.left) + 1; x < static_cast<int>(box.right()) - 1;
                 ++x) {
                n += at(x, y) == colour ? 1 : 0;
            }
        }
        return n;
    }

  private:
    int width_ = 0;
    int height_ = 0;
    std::string pixels_;
};

// Left passes, bottom is correctable and ends by the time-out at x 2000, right cannot be
// corrected, top passes.
GeneratedTest ThreeVerdicts() {
    std::mt19937 random(9);
    GeneratedTest test;
    test.tracePoints[0] = GeneratedTrace(0, 10, 4080, 20, 200, 10, random);
    test.tracePoints[1] = GeneratedTrace(1, 10, 2000, 4000, 200, 60, random);
    test.tracePoints[2] = GeneratedTrace(2, 4086, 16, 3900, 200, 200, random);
    test.tracePoints[3] = GeneratedTrace(3, 4086, 16, 20, 200, 5, random);
    return test;
}

}  // namespace

TEST(Picture, EachEdgesBandsAreInItsVerdictColourAndTheUntracedStretchIsMarked) {
    TempFolder dir;
    const CheckedReport checked = CheckBytes(ThreeVerdicts().reportBytes());
    ASSERT_TRUE(checked.findings.ok());
    const PictureLayout layout = LayoutReportPicture(checked.report);
    const Image image = Image::Render(RenderReportSvg("three.pts", checked), dir);
    ASSERT_EQ(image.width(), static_cast<int>(layout.width));

    const EdgeVerdict expected[4] = {EdgeVerdict::Passed, EdgeVerdict::Correctable,
                                     EdgeVerdict::NotCorrectable, EdgeVerdict::Passed};
    for (const EdgePicture& edge : layout.edges) {
        const EdgeVerdict verdict = expected[static_cast<int>(edge.edge)];
        ASSERT_EQ(edge.verdict, verdict);
        for (EdgeVerdict other :
             {EdgeVerdict::Passed, EdgeVerdict::Correctable, EdgeVerdict::NotCorrectable}) {
            const int inner = image.count(edge.plot, FromHex(palette::ColoursOf(other).innerBand));
            const int outer = image.count(edge.plot, FromHex(palette::ColoursOf(other).outerBand));
            if (other == verdict) {
                EXPECT_GT(inner, 2000) << "edge " << static_cast<int>(edge.edge);
                EXPECT_GT(outer, 5000) << "edge " << static_cast<int>(edge.edge);
            } else {
                EXPECT_EQ(inner + outer, 0) << "edge " << static_cast<int>(edge.edge);
            }
        }
    }

    const EdgePicture& bottom = layout.edges[1];
    ASSERT_TRUE(bottom.coverage.endedByTimeOut);
    ASSERT_EQ(bottom.coverage.untraced.back().to, 4096);
    ASSERT_GT(bottom.coverage.untraced.back().from, 1700);
    Box untraced = bottom.stretchBox(bottom.coverage.untraced.back());
    untraced.top += untraced.height / 2;  // below the stretch's label
    untraced.height /= 2;
    const Rgb grey = FromHex(palette::kUntracedFill);
    const int inside = image.count(untraced, grey);
    EXPECT_GT(inside, 0.95 * (untraced.width - 2) * (untraced.height - 2));
    const Box traced = bottom.stretchBox({500, 1500});
    EXPECT_EQ(image.count(traced, grey), 0);
    // The fully traced top edge has only the short stretches beyond its two ends.
    EXPECT_EQ(image.count(layout.edges[3].stretchBox({100, 3900}), grey), 0);
}

TEST(Picture, TheHeaderNamesSerialDateVerdictsAndCoverage) {
    GeneratedTest test = ThreeVerdicts();
    test.serialNumber = "SN <7> & \xDC";
    const std::string svg = RenderReportSvg("three.pts", CheckBytes(test.reportBytes()));
    EXPECT_NE(svg.find("Serial number SN &lt;7&gt; &amp; \xC3\x9C"), std::string::npos);
    EXPECT_NE(svg.find("written 2026-06-12 23:16:07"), std::string::npos);
    const CheckedReport checked = CheckBytes(test.reportBytes());
    const std::string bottom =
        WholeNumber(LayoutReportPicture(checked.report).edges[1].coverage.percent);
    EXPECT_NE(svg.find("Bottom: correctable · " + bottom + "% traced"), std::string::npos);
    EXPECT_NE(svg.find("Right: not correctable"), std::string::npos);
    EXPECT_NE(svg.find("ended by the time-out at x "), std::string::npos);
    EXPECT_NE(svg.find("not traced: x "), std::string::npos);
}
