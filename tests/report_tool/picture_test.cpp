// The picture as a real renderer draws it, checked by its pixels.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "report_text.h"
#include "report_tool/picture/palette.h"
#include "report_tool/picture/picture_layout.h"
#include "report_tool/picture/report_picture.h"
#include "support/generated_report.h"
#include "support/temp_folder.h"
#include "support/whole_file.h"

using ::testing::AllOf;
using ::testing::HasSubstr;

namespace {

// The picture as rsvg-convert draws it, in plain pixels (ImageMagick's PPM).
struct Image {
    int width = 0;
    int height = 0;
    std::string pixels;  // red, green, blue; row by row

    static Image Render(const std::string& svg, const TempFolder& dir) {
        const auto svgFile = dir.write("picture.svg", svg);
        const auto png = dir.path() / "picture.png";
        const auto ppm = dir.path() / "picture.ppm";
        const std::string render = std::string(RSVG_CONVERT) + " -o '" + png.string() + "' '" +
                                   svgFile.string() + "' && " + IMAGEMAGICK_CONVERT + " '" +
                                   png.string() + "' -depth 8 '" + ppm.string() + "'";
        EXPECT_EQ(std::system(render.c_str()), 0) << render;
        Image image;
        const std::string bytes = FileBytes(ppm);
        int header = 0;
        std::sscanf(bytes.c_str(), "P6 %d %d 255%n", &image.width, &image.height, &header);
        image.pixels = bytes.substr(static_cast<std::size_t>(header) + 1);
        EXPECT_EQ(image.pixels.size(), static_cast<std::size_t>(image.width * image.height * 3));
        return image;
    }

    // Pixels of exactly this colour ("#rrggbb") inside the box, its border left out.
    int count(const Box& box, std::string_view colour) const {
        const auto rgb = std::stoul(std::string(colour.substr(1)), nullptr, 16);
        int n = 0;
        for (int y = static_cast<int>(box.top) + 1; y < static_cast<int>(box.bottom()) - 1; ++y) {
            for (int x = static_cast<int>(box.left) + 1; x < static_cast<int>(box.right()) - 1;
                 ++x) {
                const auto* p =
                    reinterpret_cast<const unsigned char*>(&pixels[(y * width + x) * 3]);
                n += (p[0] << 16 | p[1] << 8 | p[2]) == static_cast<int>(rgb) ? 1 : 0;
            }
        }
        return n;
    }
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
    test.tracePoints[4] = GeneratedTrace(4, 10, 4080, 40, 200, 10, random);  // a second pass
    return test;
}

}  // namespace

// The bands follow the verdict of the points, whatever the report says.
TEST(Picture, EachEdgesBandsAreInItsVerdictColourAndTheUntracedStretchIsMarked) {
    TempFolder dir;
    std::string bytes = ThreeVerdicts().reportBytes();
    bytes.replace(bytes.find("# not correctable"), 17, "# passed");
    const CheckedReport checked = CheckBytes(bytes);
    const PictureLayout layout = LayoutReportPicture(checked.report);
    const Image image = Image::Render(RenderReportSvg("three.pts", checked), dir);
    ASSERT_EQ(image.width, static_cast<int>(layout.width));
    const EdgeVerdict expected[4] = {EdgeVerdict::Passed, EdgeVerdict::Correctable,
                                     EdgeVerdict::NotCorrectable, EdgeVerdict::Passed};
    for (const EdgePicture& edge : layout.edges) {
        for (EdgeVerdict v :
             {EdgeVerdict::Passed, EdgeVerdict::Correctable, EdgeVerdict::NotCorrectable}) {
            const int inner = image.count(edge.plot, palette::ColoursOf(v).innerBand);
            const int outer = image.count(edge.plot, palette::ColoursOf(v).outerBand);
            const bool its = v == expected[static_cast<int>(edge.edge)];
            EXPECT_EQ(inner > 2000 && outer > 5000, its) << "edge " << static_cast<int>(edge.edge);
            EXPECT_EQ(inner + outer > 0, its) << "edge " << static_cast<int>(edge.edge);
        }
    }
    // The chips of the header in the edges' colours; the left edge's second pass over its bands.
    for (EdgeVerdict v : {EdgeVerdict::Passed, EdgeVerdict::Correctable}) {
        EXPECT_GT(image.count(layout.header, palette::ColoursOf(v).strong), 5000);
    }
    EXPECT_GT(image.count(layout.edges[0].plot, palette::kSecondPassStroke), 100);
    // The bottom edge, ended by the time-out at x 2000, is grey beyond (below the stretch's label)
    // and nowhere else; the fully traced top edge only beyond its two ends.
    const std::string_view grey = palette::kUntracedFill;
    Box untraced = layout.edges[1].stretchBox({2000, 4096});
    untraced.top += untraced.height / 2;
    untraced.height /= 2;
    EXPECT_GT(image.count(untraced, grey), 0.95 * (untraced.width - 2) * (untraced.height - 2));
    EXPECT_EQ(image.count(layout.edges[1].stretchBox({500, 1500}), grey), 0);
    EXPECT_EQ(image.count(layout.edges[3].stretchBox({100, 3900}), grey), 0);
}

// What the points say comes first; the report's own verdict beside it where it differs.
TEST(Picture, TheHeaderNamesSerialDateVerdictsAndCoverage) {
    GeneratedTest test = ThreeVerdicts();
    test.serialNumber = "SN <7> & \xDC";
    const TracePointArray& bottom = test.tracePoints[1];
    const std::string traced =
        std::to_string(std::lround(100.0 * (bottom.last().x - bottom.begin()->x) / 4096));
    std::string bytes = test.reportBytes();
    bytes.replace(bytes.find("# not correctable"), 17, "# passed");
    EXPECT_THAT(RenderReportSvg("three.pts", CheckBytes(bytes)),
                AllOf(HasSubstr("Serial number SN &lt;7&gt; &amp; \xC3\x9C"),
                      HasSubstr("written 2026-06-12 23:16:07  ·  serial in cp1252"),
                      HasSubstr("Overall: not correctable"),
                      HasSubstr("Bottom: correctable · " + traced + "% traced"),
                      HasSubstr("Right: not correctable"), HasSubstr("the report says passed"),
                      HasSubstr("ended by the time-out at x "), HasSubstr("not traced: x "),
                      HasSubstr("Positions are board units, 4096 across"),
                      HasSubstr("free strokes: none")));
    // A file cut off in the bottom edge's points: that edge is not graded, nor the report.
    bytes.resize(bytes.find("# right\r\n") - 5);
    EXPECT_THAT(RenderReportSvg("cut.pts", CheckBytes(bytes)),
                AllOf(HasSubstr("Overall: not graded"), HasSubstr("Bottom: not graded"),
                      HasSubstr("Bottom edge: not graded, the file is cut off in its points")));
}
