// EAN 13, EAN 8 and UPC-A: digit strings, check digits, parity, sizes.
#include "barcode/ean.h"
#include "barcode/tests/testowner.h"
#include <gtest/gtest.h>

TEST(Ean, DigitStringsWithCheckDigits)
{
    CBarcodeEAN13 ean13;
    EXPECT_EQ(CString("4006381333931"), ean13.DigitString("400638133393"));
    EXPECT_EQ(CString("4006381333931"), ean13.DigitString("4006381333939"));   // own check replaced
    EXPECT_EQ(CString("0000000123457"), ean13.DigitString("12345"));
    EXPECT_EQ(CString("0000000000000"), ean13.DigitString(""));
    // Letters are no data: "ABC" is not drawn as 0000000000000 (what a placeholder is laid out as).
    EXPECT_FALSE(ean13.IsEncodable("ABC"));
    CBarcodeEAN8 ean8;
    EXPECT_EQ(CString("12345670"), ean8.DigitString("1234567"));
    EXPECT_EQ(CString("00000123"), ean8.DigitString("12"));   // 2x3 + 1 = 7: check 3
    CBarcodeUPCA upca;
    // A 12-digit UPC-A number keeps its place: "0" + the first 11 digits + its check digit.
    EXPECT_EQ(CString("0036000291452"), upca.DigitString("036000291452"));
    EXPECT_EQ(CString("0036000291452"), upca.DigitString("03600029145"));
    EXPECT_EQ(CString("0000000123457"), upca.DigitString("12345"));
    std::string over(kMaxBarcodeText + 1, '1');
    EXPECT_TRUE(upca.DigitString(over.c_str()).IsEmpty());
    EXPECT_FALSE(upca.IsEncodable(over.c_str()));
    EXPECT_EQ(0, upca.MeasureWidth(over.c_str(), 300));
}

TEST(Ean, LeadingDigitParity)
{
    CBarcodeEAN13 ean13;
    // Leading 4: A B A A B B.
    const int expected[6] = {1, 2, 1, 1, 2, 2};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(expected[i], ean13.GetDigitParity(i, 4)) << i;
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(1, ean13.GetDigitParity(i, 0));
    EXPECT_EQ(1, ean13.GetDigitParity(7, 4));    // out of range: set A, no table overrun
    EXPECT_EQ(1, ean13.GetDigitParity(2, -17));
    CBarcodeEAN8 ean8;
    CBarcodeUPCA upca;
    EXPECT_EQ(1, ean8.GetDigitParity(1, 4));
    EXPECT_EQ(1, upca.GetDigitParity(1, 4));
}

TEST(Ean, HeightsAndDefaults)
{
    CBarcodeEAN13 code;
    EXPECT_EQ(330, code.GetModuleWidth());
    EXPECT_EQ(22850, code.GetBarHeight());
    EXPECT_EQ(0, code.GetHeightReduction());
    EXPECT_EQ(22860, code.GetScaledBarHeight());
    code.SetHeightReduction(30);
    EXPECT_EQ(16002, code.GetScaledBarHeight());
    TestOwner owner;
    owner.font.lfHeight = -12;   // 12 points
    EXPECT_EQ(16002 + 4233, code.GetSymbolHeight(&owner, 300));
    EXPECT_TRUE(code.UsesMagnification());
    EXPECT_EQ(2, code.GetModuleWidthUnit());
    EXPECT_EQ(2, code.GetBarHeightUnit());
    EXPECT_TRUE(code.HasHumanReadable());
}

TEST(Ean, Widths)
{
    CBarcodeEAN13 ean13;   // 330 um at 300 dpi: m = 4
    ean13.SetSpaceCorrection(0);
    ean13.SetQuietZone(false);
    EXPECT_EQ(424 * 25400 / 300, ean13.MeasureWidth("400638133393", 300));
    ean13.SetQuietZone(true);
    ean13.SetSpaceCorrection(1);
    EXPECT_EQ((424 + 28 + 29) * 25400 / 300, ean13.MeasureWidth("400638133393", 300));
    CBarcodeEAN8 ean8;
    EXPECT_EQ((4 * 2260600 + 736600 + 150) / 300, ean8.MeasureWidth("1234567", 300));
    CBarcodeUPCA upca;
    EXPECT_EQ((4 * 2971800 + 736600 + 150) / 300, upca.MeasureWidth("03600029145", 300));
    EXPECT_EQ(0, upca.MeasureWidth("03600029145", 0));
}

TEST(Ean, DrawnLayout)
{
    CBarcodeEAN13 code;
    code.SetSpaceCorrection(0);
    DibCanvas canvas(700, 400);
    TestOwner owner;
    owner.x = 25400 * 10 / 300;
    owner.y = 25400 * 10 / 300;
    owner.PlaceFor(25400 * 600 / 300, 25400 * 350 / 300);
    owner.font.lfHeight = -8;
    int drawn = owner.DrawSymbol(code, canvas.dc(), "400638133393");
    // 11 quiet modules + 95 modules of symbol.
    EXPECT_EQ(424, drawn);
    // The bars, seen along one row through them (the digits are below).
    int first = -1, last = -1;
    for (int x = 0; x < canvas.Width(); ++x)
        if (canvas.Pixel(x, 20) == RGB(0, 0, 0)) {
            if (first < 0)
                first = x;
            last = x;
        }
    EXPECT_EQ(10 + 44, first);
    EXPECT_EQ(10 + 424 - 1, last);
    EXPECT_EQ(10, canvas.Extent().top);
    // Guard bars: bar height plus about five modules.
    int bar = (22860 * 300 + 12700) / 25400;
    int guard = bar + (300 * 330 + 2540) * 5 / 25400;
    EXPECT_EQ(RGB(0, 0, 0), canvas.Pixel(10 + 44, 10 + guard - 1));
    EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(10 + 44, 10 + guard));
    // Digit bars stop at the bar height: module 4 of the first digit ("0" in set A, 0001101).
    EXPECT_EQ(RGB(0, 0, 0), canvas.Pixel(10 + 44 + 12 + 12 + 1, 10 + bar - 1));
    EXPECT_EQ(RGB(0, 0, 0), canvas.Pixel(10 + 44 + 12 + 12 + 1, 10 + bar / 2));

    // The digits are drawn in the owner's text colour below the bars, the leading one in the
    // quiet zone; none when they would stick out of the box.
    owner.textColour = RGB(255, 0, 0);
    auto drawRedDigits = [&](DibCanvas& c) {
        code.GetBarBrush().CreateSolidBrush(RGB(0, 0, 0));
        code.Draw(&owner, &c.dc(), 300, 300, 10, 10, 1, "400638133393");
        code.ReleaseBrush();
    };
    DibCanvas coloured(700, 400);
    drawRedDigits(coloured);
    CRect text = coloured.ExtentOf(RGB(255, 0, 0));
    ASSERT_FALSE(text.IsRectEmpty());
    EXPECT_GE(text.top, 10 + bar);
    EXPECT_LT(text.left, 10 + 44);
    EXPECT_LE(text.bottom, owner.deviceRect.bottom);
    owner.PlaceFor(25400 * 600 / 300, (bar + 2) * 25400 / 300);   // no room below the bars
    DibCanvas clipped(700, 400);
    drawRedDigits(clipped);
    EXPECT_EQ(0, clipped.CountPixels(RGB(255, 0, 0)));
    EXPECT_LE(clipped.Extent().bottom, owner.deviceRect.bottom);
}
