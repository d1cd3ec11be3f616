#include "driver/expand.h"
#include "driver/values.h"

#include <gtest/gtest.h>

#include <map>

namespace rtdriver {
namespace {

TEST(Integers, DecimalHexAndSign) {
    EXPECT_EQ(ParseInteger("300"), 300);
    EXPECT_EQ(ParseInteger("-12"), -12);
    EXPECT_EQ(ParseInteger("0xFFFF"), 0xFFFF);
    EXPECT_EQ(ParseInteger("0x80000001"), 0x80000001LL);
    EXPECT_FALSE(ParseInteger(""));
    EXPECT_FALSE(ParseInteger("12a"));
    EXPECT_FALSE(ParseInteger("--1"));
    EXPECT_FALSE(ParseInteger("99999999999999999999"));
}

TEST(Durations, DefaultUnitAndSuffixes) {
    EXPECT_EQ(ParseDuration("10", TimeUnit::Seconds), 10000);
    EXPECT_EQ(ParseDuration("2.5", TimeUnit::Seconds), 2500);
    EXPECT_EQ(ParseDuration("250", TimeUnit::Milliseconds), 250);
    EXPECT_EQ(ParseDuration("250ms", TimeUnit::Seconds), 250);
    EXPECT_EQ(ParseDuration("3s", TimeUnit::Milliseconds), 3000);
    EXPECT_EQ(ParseDuration("0.001s", TimeUnit::Milliseconds), 1);
}

TEST(Durations, RejectsNegativeMalformedAndHuge) {
    EXPECT_FALSE(ParseDuration("-1", TimeUnit::Seconds));
    EXPECT_FALSE(ParseDuration("1.", TimeUnit::Seconds));
    EXPECT_FALSE(ParseDuration("1.2345", TimeUnit::Seconds));
    EXPECT_FALSE(ParseDuration("s", TimeUnit::Seconds));
    EXPECT_FALSE(ParseDuration("99999999999999", TimeUnit::Seconds));
}

TEST(KeyNames, TheTraceWindowsKeys) {
    EXPECT_EQ(VirtualKey("Escape"), 0x1B);
    EXPECT_EQ(VirtualKey("enter"), 0x0D);
    EXPECT_EQ(VirtualKey("DELETE"), 0x2E);
    EXPECT_EQ(VirtualKey("space"), 0x20);
    EXPECT_EQ(VirtualKey("pagedown"), 0x22);
    EXPECT_EQ(VirtualKey("d"), 'D');
    EXPECT_EQ(VirtualKey("7"), '7');
    EXPECT_EQ(VirtualKey("0x70"), 0x70);
    EXPECT_FALSE(VirtualKey("hyper"));
    EXPECT_FALSE(VirtualKey("0x100"));
}

TEST(Expansion, ReplacesKnownNames) {
    const std::map<std::string, std::string, std::less<>> values = {{"OUT", "Z:/tmp/o"},
                                                                    {"N", "2"}};
    const Lookup lookup = [&values](std::string_view name) -> std::optional<std::string> {
        const auto found = values.find(name);
        return found == values.end() ? std::nullopt : std::optional(found->second);
    };
    EXPECT_EQ(ExpandVariables("${OUT}/m-${N}.txt", lookup).text, "Z:/tmp/o/m-2.txt");
    EXPECT_EQ(ExpandVariables("cost $5 {x}", lookup).text, "cost $5 {x}");
    EXPECT_NE(ExpandVariables("${MISSING}", lookup).error.find("MISSING"), std::string::npos);
    EXPECT_FALSE(ExpandVariables("${OUT", lookup).error.empty());
}

}  // namespace
}  // namespace rtdriver
