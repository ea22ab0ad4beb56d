// Text forms of lengths, percentages and counts as the ribbon's boxes give them: units, the
// locale's decimal separator, and values that do not fit 32 bits or are not numbers.
#include "document/designtext.h"

#include "testsupport/localeguard.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>

namespace {

// The text with every '.' written as the user's decimal separator.
std::string Local(std::string text)
{
    const char point = *localeconv()->decimal_point;
    for (char& c : text)
        if (c == '.')
            c = point;
    return text;
}

struct LengthRow {
    const char* text;       // '.' stands for the decimal separator
    int system;
    bool ok;
    int um;
};

const LengthRow kLengths[] = {
    {"25.4", kMeasureMetric, true, 25400},
    {"25.4", kMeasureUS, true, 645160},
    {"25.4", 2, false, 0},
    {"1 in", kMeasureMetric, true, 25400},
    {"2.54 cm", kMeasureUS, true, 25400},
    {"12.7 MM", kMeasureUS, true, 12700},
    {"0.0005 mm", kMeasureMetric, true, 0},
    {"-3 mm", kMeasureMetric, true, -3000},
    {"2147483 mm", kMeasureMetric, true, 2147483008},     // single precision, as typed into a box
    {"3 pt", kMeasureMetric, false, 0},
    {"mm", kMeasureMetric, false, 0},
    {"", kMeasureMetric, false, 0},
    {"100 %", kMeasureMetric, false, 0},
    // Outside the 32-bit range, and numbers that are not finite, are refused instead of wrapped.
    {"2147484 mm", kMeasureMetric, false, 0},
    {"-2147484 mm", kMeasureMetric, false, 0},
    {"1e10 mm", kMeasureMetric, false, 0},
    {"3e38 in", kMeasureMetric, false, 0},
    {"1e39", kMeasureMetric, false, 0},
    {"1e300 mm", kMeasureUS, false, 0},
    {"1234567890123456789012345678901234 mm", kMeasureMetric, false, 0},
};

} // namespace

TEST(DesignTextLocale, LengthsWithUnitsAndTheLocaleSeparator)
{
    NumericLocaleGuard user("");
    ASSERT_TRUE(user.ok());
    ASSERT_TRUE(DecimalSeparatorMatchesTheRun());
    for (const LengthRow& row : kLengths) {
        const std::string text = Local(row.text);
        int um = -77;
        EXPECT_EQ(row.ok, ParseLengthText(text.c_str(), row.system, &um)) << text;
        EXPECT_EQ(row.ok ? row.um : -77, um) << text;
    }
    // With a decimal comma the point ends the number and the rest is not a unit.
    int um = 0;
    if (*localeconv()->decimal_point == ',') {
        EXPECT_TRUE(ParseLengthText("12,5 mm", kMeasureMetric, &um));
        EXPECT_EQ(12500, um);
        EXPECT_FALSE(ParseLengthText("12.5 mm", kMeasureMetric, &um));
    } else {
        EXPECT_TRUE(ParseLengthText("12.5 mm", kMeasureMetric, &um));
        EXPECT_EQ(12500, um);
    }
    EXPECT_FALSE(ParseLengthText(nullptr, kMeasureMetric, &um));
}

TEST(DesignTextLocale, PercentagesAndMillimetreTexts)
{
    NumericLocaleGuard user("");
    ASSERT_TRUE(user.ok());
    ASSERT_TRUE(DecimalSeparatorMatchesTheRun());
    int percent = -1;
    EXPECT_TRUE(ParsePercentText("150 %", &percent));
    EXPECT_EQ(150, percent);
    EXPECT_TRUE(ParsePercentText(Local("99.9 %").c_str(), &percent));
    EXPECT_EQ(99, percent);
    percent = -1;
    EXPECT_FALSE(ParsePercentText("150", &percent));
    EXPECT_FALSE(ParsePercentText("150 mm", &percent));
    EXPECT_FALSE(ParsePercentText("3e9 %", &percent));
    EXPECT_FALSE(ParsePercentText("-3e9 %", &percent));
    EXPECT_FALSE(ParsePercentText("1e39 %", &percent));
    EXPECT_EQ(-1, percent);

    EXPECT_EQ(Local("12.5 mm"), std::string(MillimetresText(12500)));
    EXPECT_EQ("0 mm", std::string(MillimetresText(0)));
    EXPECT_EQ(Local("-0.001 mm"), std::string(MillimetresText(-1)));
    char small[4];
    ASSERT_TRUE(FormatMillimetres(12500, small, sizeof small));
    EXPECT_EQ(Local("12."), std::string(small));
}

TEST(DesignText, CountsRefuseWhatDoesNotFit)
{
    int value = -1;
    EXPECT_TRUE(ParseCountText("  42 rows", &value));
    EXPECT_EQ(42, value);
    EXPECT_TRUE(ParseCountText("2147483647", &value));
    EXPECT_EQ(2147483647, value);
    EXPECT_TRUE(ParseCountText("-2147483648", &value));
    EXPECT_EQ(-2147483647 - 1, value);
    value = 5;
    EXPECT_FALSE(ParseCountText("2147483648", &value));
    EXPECT_FALSE(ParseCountText("99999999999999999999", &value));
    EXPECT_FALSE(ParseCountText("-2147483649", &value));
    EXPECT_FALSE(ParseCountText("x1", &value));
    EXPECT_FALSE(ParseCountText("", &value));
    EXPECT_FALSE(ParseCountText("-", &value));
    EXPECT_EQ(5, value);
}
