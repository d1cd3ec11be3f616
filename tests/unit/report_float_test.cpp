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

TEST(ReportFloatFixed, WholeNumbersAndFractionsLoseTrailingZeros) {
    EXPECT_EQ(FormatReportFloat(2048.0f), "2048");
    EXPECT_EQ(FormatReportFloat(1234.5678f), "1234.57");
    EXPECT_EQ(FormatReportFloat(0.25f), "0.25");
    EXPECT_EQ(FormatReportFloat(0.1f), "0.1");
    EXPECT_EQ(FormatReportFloat(0.0f), "0");
    EXPECT_EQ(FormatReportFloat(-2048.5f), "-2048.5");
}

TEST(ReportFloatExponent, SignAndAtLeastThreeDigits) {
    EXPECT_EQ(FormatReportFloat(1e-5f), "1e-005");
    EXPECT_EQ(FormatReportFloat(-1e-5f), "-1e-005");
    EXPECT_EQ(FormatReportFloat(1.5e10f), "1.5e+010");
    EXPECT_EQ(FormatReportFloat(1234567.0f), "1.23457e+006");
    EXPECT_EQ(FormatReportFloat(std::numeric_limits<float>::max()), "3.40282e+038");
    EXPECT_EQ(FormatReportFloat(std::numeric_limits<float>::denorm_min()), "1.4013e-045");
}

TEST(ReportFloatBoundaries, ExponentMinusFourIsFixedMinusFiveIsNot) {
    EXPECT_EQ(FormatReportFloat(0.0001f), "0.0001");
    EXPECT_EQ(FormatReportFloat(0.00012345678f), "0.000123457");
    EXPECT_EQ(FormatReportFloat(0.00001f), "1e-005");
    EXPECT_EQ(FormatReportFloat(0.000099999f), "9.9999e-005");
}

TEST(ReportFloatBoundaries, RoundingDecidesTheNotation) {
    EXPECT_EQ(FormatReportFloat(123456.0f), "123456");
    EXPECT_EQ(FormatReportFloat(999999.0f), "999999");
    EXPECT_EQ(FormatReportFloat(999999.5f), "1e+006");
    // Exactly half way: ties go to the even digit, as an exact printf does.
    EXPECT_EQ(FormatReportFloat(999998.5f), "999998");
    // Rounds up into the next decade and so into fixed notation.
    EXPECT_EQ(FormatReportFloat(0.00009999998f), "0.0001");
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
