#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <random>
#include <string>

#include "report/report_float.h"

namespace {

// The host C library's "%g", with the exponent widened to at least three digits: the reference
// the report format is defined by (glibc rounds exactly, like std::to_chars).
std::string ReferenceG(float value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%g", static_cast<double>(value));
    std::string text(buffer);
    const std::size_t e = text.find('e');
    if (e != std::string::npos && text.size() - (e + 2) < 3) {
        text.insert(e + 2, 3 - (text.size() - (e + 2)), '0');
    }
    return text;
}

}  // namespace

// A few values written out by hand, so that the reference below is held to the format too.
TEST(ReportFloat, SixSignificantDigitsWithoutTrailingZerosAndAThreeDigitExponent) {
    EXPECT_EQ(FormatReportFloat(2048.0f), "2048");
    EXPECT_EQ(FormatReportFloat(1234.5678f), "1234.57");
    EXPECT_EQ(FormatReportFloat(-2048.5f), "-2048.5");
    EXPECT_EQ(FormatReportFloat(0.0001f), "0.0001");  // exponent -4 is fixed, -5 is not
    EXPECT_EQ(FormatReportFloat(0.00001f), "1e-005");
    EXPECT_EQ(FormatReportFloat(1234567.0f), "1.23457e+006");
    EXPECT_EQ(FormatReportFloat(999999.5f), "1e+006");  // rounding decides the notation
    EXPECT_EQ(FormatReportFloat(999998.5f), "999998");  // ties go to the even digit
}

TEST(ReportFloatNotANumber, EveryNaNIsWrittenAsParseableNan) {
    volatile float zero = 0.0f;
    const float zeroByZero = zero / zero;  // what an edge without points averages to
    for (const float nan : {zeroByZero, std::numeric_limits<float>::quiet_NaN(),
                            -std::numeric_limits<float>::quiet_NaN()}) {
        const std::string text = FormatReportFloat(nan);
        EXPECT_EQ(text, "nan");
        EXPECT_TRUE(std::isnan(std::strtod(text.c_str(), nullptr)));
        EXPECT_TRUE(std::isnan(std::stod(text)));
    }
    EXPECT_EQ(FormatReportFloat(std::numeric_limits<float>::infinity()), "inf");
    EXPECT_EQ(FormatReportFloat(-std::numeric_limits<float>::infinity()), "-inf");
    EXPECT_TRUE(std::isinf(std::stod(FormatReportFloat(-std::numeric_limits<float>::infinity()))));
}

TEST(ReportFloatReference, AgreesWithExactPrintfOverRandomFloats) {
    std::mt19937 bits(20070305);
    int checked = 0;
    while (checked < 200000) {
        const float value = std::bit_cast<float>(static_cast<std::uint32_t>(bits()));
        if (!std::isfinite(value)) {
            continue;
        }
        ASSERT_EQ(FormatReportFloat(value), ReferenceG(value))
            << "bits " << std::hex << std::bit_cast<std::uint32_t>(value);
        ++checked;
    }
}

TEST(ReportFloatReference, AgreesWithExactPrintfAroundDecadesAndRoundingEdges) {
    for (int exponent = -12; exponent <= 12; ++exponent) {
        // A decade itself, and the point where six-digit rounding carries into the next decade.
        const double decade = std::pow(10.0, exponent);
        for (const double centre : {decade, decade * 0.9999995}) {
            float below = static_cast<float>(centre);
            float above = below;
            for (int step = 0; step < 64; ++step) {
                ASSERT_EQ(FormatReportFloat(below), ReferenceG(below));
                ASSERT_EQ(FormatReportFloat(above), ReferenceG(above));
                below = std::nextafter(below, 0.0f);
                above = std::nextafter(above, 1e30f);
            }
        }
    }
}
