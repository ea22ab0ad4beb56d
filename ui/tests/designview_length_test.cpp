// Lengths as the canvas reads and writes them in the ribbon's boxes: the measurement system read
// at creation, the locale's decimal separator, texts too long for the parser's copy, products that
// do not fit, and the Windows C runtime's way of printing numbers.
#include "document/designtext.h"
#include "testsupport/localeguard.h"
#include "ui/designview.h"

#include <gtest/gtest.h>
#include <clocale>
#include <string>

namespace {

std::string Local(std::string text)
{
    const char point = *localeconv()->decimal_point;
    for (char& c : text)
        if (c == '.')
            c = point;
    return text;
}

} // namespace

TEST(DesignViewLengthLocale, ParseLengthFollowsTheMeasurementSystemAndRefusesWhatDoesNotFit)
{
    NumericLocaleGuard user("");
    ASSERT_TRUE(user.ok());
    ASSERT_TRUE(DecimalSeparatorMatchesTheRun());
    Ostrelind_SoftLabelDesignView view;
    int um = -1;
    view.SetMeasurementSystem(0);
    EXPECT_TRUE(view.ParseLength(Local("25.4").c_str(), &um));
    EXPECT_EQ(25400, um);
    view.SetMeasurementSystem(1);
    EXPECT_TRUE(view.ParseLength(Local("25.4").c_str(), &um));
    EXPECT_EQ(645160, um);
    EXPECT_TRUE(view.ParseLength("1 in", &um));
    EXPECT_EQ(25400, um);
    view.SetMeasurementSystem(2);
    um = -1;
    EXPECT_FALSE(view.ParseLength("12", &um));
    EXPECT_TRUE(view.ParseLength(Local("2.54 cm").c_str(), &um));
    EXPECT_EQ(25400, um);

    // A 31-character number takes the locale's unit without a longer copy being read again.
    view.SetMeasurementSystem(0);
    const std::string thirtyOne = std::string(29, '0') + "12";
    ASSERT_EQ(31u, thirtyOne.size());
    EXPECT_TRUE(view.ParseLength(thirtyOne.c_str(), &um));
    EXPECT_EQ(12000, um);
    view.SetMeasurementSystem(1);
    EXPECT_TRUE(view.ParseLength(thirtyOne.c_str(), &um));
    EXPECT_EQ(304800, um);
    um = -1;
    EXPECT_FALSE(view.ParseLength((std::string(29, '0') + "12 mm").c_str(), &um));
    EXPECT_FALSE(view.ParseLength(std::string(200, '7').c_str(), &um));
    EXPECT_FALSE(view.ParseLength((std::string(199, '1') + " mm").c_str(), &um));
    EXPECT_FALSE(view.ParseLength("1e30 mm", &um));
    EXPECT_FALSE(view.ParseLength("1e30", &um));
    EXPECT_FALSE(view.ParseLength("nan", &um));
    EXPECT_FALSE(view.ParseLength("nan mm", &um));
    EXPECT_FALSE(view.ParseLength("inf", &um));
    EXPECT_FALSE(view.ParseLength("100 %", &um));
    EXPECT_EQ(-1, um);

    int percent = -1;
    EXPECT_TRUE(Ostrelind_SoftLabelDesignView::ParsePercent("100 %", &percent));
    EXPECT_EQ(100, percent);
    EXPECT_FALSE(Ostrelind_SoftLabelDesignView::ParsePercent("100", &percent));
    EXPECT_FALSE(Ostrelind_SoftLabelDesignView::ParsePercent("1e30 %", &percent));
    EXPECT_FALSE(Ostrelind_SoftLabelDesignView::ParsePercent("nan %", &percent));
    EXPECT_FALSE(Ostrelind_SoftLabelDesignView::ParsePercent((std::string(40, '1') + " %").c_str(), &percent));
    EXPECT_EQ(100, percent);

    if (*localeconv()->decimal_point == ',') {
        view.SetMeasurementSystem(0);
        EXPECT_TRUE(view.ParseLength("12,5 mm", &um));
        EXPECT_EQ(12500, um);
        EXPECT_FALSE(view.ParseLength("12.5 mm", &um));
    }
}

TEST(DesignViewLengthLocale, FormatLengthPrintsAsTheWindowsRuntime)
{
    NumericLocaleGuard user("");
    ASSERT_TRUE(user.ok());
    Ostrelind_SoftLabelDesignView view;
    char text[20];
    view.SetMeasurementSystem(0);
    view.FormatLength(12500, text);
    EXPECT_EQ(Local("12.5 mm"), text);
    view.FormatLength(2000000000, text);
    EXPECT_STREQ("2e+006 mm", text);
    view.FormatLength(-1, text);
    EXPECT_EQ(Local("-0.001 mm"), text);
    view.SetMeasurementSystem(1);
    view.FormatLength(25400, text);
    EXPECT_STREQ("1 in", text);
    view.FormatLength(12700, text);
    EXPECT_EQ(Local("0.5 in"), text);
    view.FormatLength(1000, text);
    EXPECT_EQ(Local("0.03937 in"), text);
    view.FormatLength(-2147483647 - 1, text);
    EXPECT_LE(strlen(text), 19u);
    EXPECT_EQ(Local("-84547 in"), text);
    view.SetMeasurementSystem(7);
    view.FormatLength(1000, text);
    EXPECT_STREQ("", text);
}
