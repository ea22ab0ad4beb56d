// Aspect fitting, the holder factories, aspect and fit-to-picture sizes.
#include "imagetestutil.h"

#include <gtest/gtest.h>
#include <memory>

using namespace imagetest;

namespace {

RECT Rect(int l, int t, int r, int b) { return RECT{l, t, r, b}; }

void ExpectRect(const RECT& rc, int l, int t, int r, int b)
{
    EXPECT_EQ(l, rc.left);
    EXPECT_EQ(t, rc.top);
    EXPECT_EQ(r, rc.right);
    EXPECT_EQ(b, rc.bottom);
}

TEST(ImageFit, BitmapKeepsAspectAndCentres)
{
    // 2:1 into a square, centred: full width, half height, in the middle.
    RECT rc = Rect(0, 0, 100, 100);
    ASSERT_TRUE(FitBitmapRect(rc, 200, 100, kImageCentre));
    ExpectRect(rc, 0, 25, 100, 75);
    // Not centred: the same size at the top.
    rc = Rect(0, 0, 100, 100);
    ASSERT_TRUE(FitBitmapRect(rc, 200, 100, 0));
    ExpectRect(rc, 0, 0, 100, 50);
    // 1:3 into 90 x 60: full height, width 20, centred horizontally.
    rc = Rect(10, 20, 100, 80);
    ASSERT_TRUE(FitBitmapRect(rc, 100, 300, kImageCentre));
    ExpectRect(rc, 45, 20, 65, 80);
    // Same aspect as the box: unchanged.
    rc = Rect(0, 0, 60, 30);
    ASSERT_TRUE(FitBitmapRect(rc, 2, 1, kImageCentre));
    ExpectRect(rc, 0, 0, 60, 30);
    // Stretch fills the box whatever the aspect.
    rc = Rect(0, 0, 100, 100);
    ASSERT_TRUE(FitBitmapRect(rc, 200, 100, kImageStretch | kImageCentre));
    ExpectRect(rc, 0, 0, 100, 100);
}

TEST(ImageFit, BitmapWithNothingVisibleDrawsNothing)
{
    for (int flags : {0, kImageCentre, kImageStretch}) {
        RECT rc = Rect(0, 0, 100, 100);
        EXPECT_FALSE(FitBitmapRect(rc, 0, 100, flags));
        EXPECT_FALSE(FitBitmapRect(rc, 100, 0, flags));
        EXPECT_FALSE(FitBitmapRect(rc, -5, 100, flags));
        RECT flat = Rect(0, 0, 100, 0);
        EXPECT_FALSE(FitBitmapRect(flat, 10, 10, flags));
    }
    // A picture so wide that its fitted height rounds to nothing.
    RECT rc = Rect(0, 0, 10, 10);
    EXPECT_FALSE(FitBitmapRect(rc, 1000, 1, kImageCentre));
}

TEST(ImageFit, MetafileRoundsToNearestAndCentres)
{
    // 25400 x 12700 um into 200 x 200: height (12700 * 200 + 12700) / 25400 = 100, centred.
    RECT rc = Rect(0, 0, 200, 200);
    ASSERT_TRUE(FitMetafileRect(rc, 25400, 12700, kImageCentre));
    ExpectRect(rc, 0, 50, 200, 150);
    // Tall picture: width (1000 * 99 + 1500) / 3000 = 33, moved right by (150 - 33) / 2 = 58.
    rc = Rect(0, 0, 150, 99);
    ASSERT_TRUE(FitMetafileRect(rc, 1000, 3000, kImageCentre));
    ExpectRect(rc, 58, 0, 91, 99);
    // Stretch and a picture without size fill the box.
    rc = Rect(5, 5, 50, 60);
    ASSERT_TRUE(FitMetafileRect(rc, 25400, 12700, kImageStretch));
    ExpectRect(rc, 5, 5, 50, 60);
    rc = Rect(5, 5, 50, 60);
    ASSERT_TRUE(FitMetafileRect(rc, 0, 12700, kImageCentre));
    ExpectRect(rc, 5, 5, 50, 60);
    // An empty box draws nothing.
    rc = Rect(0, 0, 0, 60);
    EXPECT_FALSE(FitMetafileRect(rc, 100, 100, 0));
}

TEST(ImageFit, MetafileNearlySquareStaysInsideTheBox)
{
    // Quotients of micrometres by pixels are equal here (1 and 1) although the picture is wider
    // than the box: the fitted width must not exceed the box.
    RECT rc = Rect(0, 0, 1000, 1000);
    ASSERT_TRUE(FitMetafileRect(rc, 1500, 1400, 0));
    EXPECT_LE(rc.right - rc.left, 1000);
    EXPECT_LE(rc.bottom - rc.top, 1000);
    ExpectRect(rc, 0, 0, 1000, 933);
    // Large sizes do not overflow: 2 m wide picture into a 10000-pixel box.
    rc = Rect(0, 0, 10000, 10000);
    ASSERT_TRUE(FitMetafileRect(rc, 2000000, 1000000, kImageCentre));
    ExpectRect(rc, 0, 2500, 10000, 7500);
}

TEST(ImageFactory, ChoosesByExtensionWithoutRegardToCase)
{
    struct Case { const char* path; int code; };
    const Case cases[] = {
        {"C:\\pics\\a.jpg", kImageHolderBitmapNew}, {"a.JPG", kImageHolderBitmapNew},
        {"a.bmp", kImageHolderBitmapNew},           {"dir.x/a.Png", kImageHolderBitmapNew},
        {"a.wmf", kImageHolderMetafile},            {"C:\\A.WMF", kImageHolderMetafile},
        {"a.jpeg", kImageHolderBitmapNew}, {"b.JPEG", kImageHolderBitmapNew}, {"a.gif", 0}, {"a", 0}, {"dir.jpg\\a", 0}, {"", 0}, {"a.jpg.txt", 0},
        {".png", kImageHolderBitmapNew},
    };
    for (const Case& c : cases) {
        std::unique_ptr<CImageBase> holder(CreateImageHolderForFile(c.path));
        if (c.code == 0) {
            EXPECT_EQ(nullptr, holder.get()) << c.path;
        } else {
            ASSERT_NE(nullptr, holder.get()) << c.path;
            EXPECT_EQ(c.code, holder->GetTypeCode()) << c.path;
            EXPECT_TRUE(holder->IsEmpty());
        }
    }
    EXPECT_EQ(nullptr, CreateImageHolderForFile(nullptr));
}

TEST(ImageFactory, ByRecordCode)
{
    for (int code : {162, 163, 164, 165}) {
        std::unique_ptr<CImageBase> holder(CreateImageHolderForCode(code));
        ASSERT_NE(nullptr, holder.get());
        EXPECT_EQ(code, holder->GetTypeCode());
    }
    std::unique_ptr<CImageBase> ext(CreateImageHolderForCode(179));
    ASSERT_NE(nullptr, ext.get());
    EXPECT_NE(nullptr, dynamic_cast<CImageBitmapExt*>(ext.get()));
    EXPECT_EQ(163, ext->GetTypeCode());
    for (int code : {0, 161, 166, 999, -1})
        EXPECT_EQ(nullptr, CreateImageHolderForCode(code));
}

TEST(ImageFit, FitToPictureAndAspect)
{
    CImageBitmapNew bitmap;
    SizeOwner owner;
    EXPECT_FALSE(bitmap.FitToPicture(&owner));          // empty
    EXPECT_EQ(100, bitmap.GetAspectPercent());
    ASSERT_TRUE(bitmap.Attach(ToGlobal(QuadrantDib(600, 300))));
    // 300 dots per inch.
    ASSERT_TRUE(bitmap.FitToPicture(&owner));
    EXPECT_EQ(50800, owner.width);
    EXPECT_EQ(25400, owner.height);
    EXPECT_EQ(50, bitmap.GetAspectPercent());
    EXPECT_FALSE(bitmap.FitToPicture<SizeOwner>(nullptr));

    CImageBase empty;
    EXPECT_FALSE(empty.FitToPicture(&owner));
    EXPECT_EQ(100, empty.GetAspectPercent());
    EXPECT_FALSE(empty.CanRotate());
    EXPECT_TRUE(bitmap.CanRotate());
    CImageBitmap old;
    EXPECT_FALSE(old.FitToPicture(&owner));
    EXPECT_EQ(100, old.GetAspectPercent());
    EXPECT_FALSE(old.CanRotate());
}

TEST(ImageFit, RotationSwapsSizes)
{
    CImageBitmapNew bitmap;
    ASSERT_TRUE(bitmap.Attach(ToGlobal(QuadrantDib(600, 300))));
    bitmap.Rotate90(1);
    EXPECT_EQ(300, bitmap.Width());
    EXPECT_EQ(600, bitmap.Height());
    EXPECT_EQ(200, bitmap.GetAspectPercent());
    SizeOwner owner;
    ASSERT_TRUE(bitmap.FitToPicture(&owner));
    EXPECT_EQ(25400, owner.width);
    EXPECT_EQ(50800, owner.height);
    bitmap.Rotate90(-1);
    EXPECT_EQ(600, bitmap.Width());
    EXPECT_EQ(300, bitmap.Height());
    // The pixels came back where they were.
    EXPECT_EQ(QuadrantDib(600, 300), GlobalBytes(bitmap.Dib()));

    CImageBitmapNew empty;
    empty.Rotate90(1);
    EXPECT_TRUE(empty.IsEmpty());
    EXPECT_EQ(0, empty.Width());
}

} // namespace
