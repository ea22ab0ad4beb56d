// Bars on the device: the four rotations, clipping to the owner, unsupported rotations.
#include "barcode/code128.h"
#include "barcode/tests/testowner.h"
#include <gtest/gtest.h>

namespace {

// Code 128 "1234" without quiet zone or space correction: 228 pixels long, 118 deep at 300 dpi.
std::vector<uint32_t> Draw1234(int rotation, CRect clip, int X, int Y, CRect* extent, int* drawn)
{
    CBarcodeCode128 code;
    code.SetQuietZone(false);
    code.SetSpaceCorrection(0);
    code.SetHumanReadable(false);
    TestOwner owner;
    owner.rotation = rotation;
    owner.deviceRect = clip;
    DibCanvas canvas(600, 600);
    code.GetBarBrush().CreateSolidBrush(RGB(0, 0, 255));
    int n = code.Draw(&owner, &canvas.dc(), 300, 300, X, Y, 1, "1234");
    code.ReleaseBrush();
    if (drawn)
        *drawn = n;
    EXPECT_EQ(0, canvas.CountPixels(RGB(0, 0, 0)));   // the owner's brush, not black
    *extent = canvas.Extent();
    return canvas.Snapshot();
}

CRect DrawAt(int rotation, CRect clip, int X, int Y, int* drawn = nullptr)
{
    CRect extent;
    Draw1234(rotation, clip, X, Y, &extent, drawn);
    return extent;
}

}   // namespace

TEST(DrawBar, FourRotations)
{
    const CRect all(0, 0, 600, 600);
    EXPECT_EQ(CRect(250, 300, 478, 418), DrawAt(0, all, 250, 300));
    EXPECT_EQ(CRect(250, 72, 368, 300), DrawAt(900, all, 250, 300));
    EXPECT_EQ(CRect(22, 182, 250, 300), DrawAt(1800, all, 250, 300));
    EXPECT_EQ(CRect(132, 300, 250, 528), DrawAt(2700, all, 250, 300));
}

TEST(DrawBar, ClippedToTheOwnerAndOnlyQuarterTurns)
{
    // Inside the owner's box the pixels of the unclipped drawing, outside none.
    for (int rotation : {0, 900, 1800, 2700}) {
        const CRect clip(180, 190, 290, 330);
        CRect extent;
        std::vector<uint32_t> full = Draw1234(rotation, CRect(0, 0, 600, 600), 250, 300, &extent, nullptr);
        std::vector<uint32_t> cut = Draw1234(rotation, clip, 250, 300, &extent, nullptr);
        EXPECT_FALSE(extent.IsRectEmpty()) << rotation;
        for (int y = 0; y < 600; ++y)
            for (int x = 0; x < 600; ++x) {
                uint32_t want = clip.PtInRect(CPoint(x, y)) ? full[y * 600 + x] : 0xFFFFFFu;
                ASSERT_EQ(want, cut[y * 600 + x] & 0xFFFFFFu) << rotation << " at " << x << "," << y;
            }
    }
    int drawn = -1;
    EXPECT_TRUE(DrawAt(450, CRect(0, 0, 600, 600), 250, 300, &drawn).IsRectEmpty());
    EXPECT_EQ(0, drawn);
    EXPECT_TRUE(DrawAt(-900, CRect(0, 0, 600, 600), 250, 300, &drawn).IsRectEmpty());
}

TEST(DrawBar, EmptyTextDrawsNothing)
{
    CBarcodeCode128 code;
    TestOwner owner;
    owner.deviceRect = CRect(0, 0, 600, 600);
    DibCanvas canvas(600, 600);
    EXPECT_EQ(0, code.Draw(&owner, &canvas.dc(), 300, 300, 10, 10, 1, ""));
    EXPECT_EQ(0, code.Draw(&owner, &canvas.dc(), 300, 300, 10, 10, 1, nullptr));
    EXPECT_TRUE(canvas.Extent().IsRectEmpty());
    EXPECT_TRUE(owner.captions.empty());
    // Measured, an empty text is the symbol without data: start, check, stop.
    code.SetQuietZone(false);
    code.SetSpaceCorrection(0);
    EXPECT_EQ((35 * 4 * 25400 + 150) / 300, code.MeasureWidth("", 300));
}
