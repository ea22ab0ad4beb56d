// Bitmap holders read from picture files and drawn on screen-like and printer-like devices.
#include "imagetestutil.h"

#include "testsupport/dibcanvas.h"
#include "testsupport/picturefiles.h"
#include "testsupport/tempdir.h"

#include <gtest/gtest.h>
#include <memory>

using namespace imagetest;
using picturefiles::NearColour;

namespace {

const COLORREF kRed = RGB(255, 0, 0), kGreen = RGB(0, 255, 0), kBlue = RGB(0, 0, 255),
               kYellow = RGB(255, 255, 0), kWhite = RGB(255, 255, 255);

class ImageDraw : public ::testing::Test {
protected:
    // A 40 x 20 picture of four quadrants in the given container format.
    CString Picture(const char* name, const GUID& container)
    {
        const CString path = m_dir.Path(name);
        EXPECT_TRUE(picturefiles::WritePicture(path, container, 40, 20,
                                               picturefiles::QuadrantPixels(40, 20)));
        return path;
    }
    TempDir m_dir;
};

TEST_F(ImageDraw, EveryFormatLoadsAtFirstDrawingAndFitsCentred)
{
    struct Case { const char* name; const GUID* container; int tolerance; };
    const Case cases[] = {
        {"q.png", &GUID_ContainerFormatPng, 0},
        {"q.jpg", &GUID_ContainerFormatJpeg, 40},
        {"q.bmp", &GUID_ContainerFormatBmp, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const CString path = Picture(c.name, *c.container);
        std::unique_ptr<CImageBase> holder(CreateImageHolderForFile(path));
        ASSERT_NE(nullptr, holder.get());
        DibCanvas canvas(120, 120);
        holder->Draw(&canvas.dc(), path, 0, 0, 100, 100, 0, 0, 100, 100, kImageCentre);
        auto* bitmap = dynamic_cast<CImageBitmapNew*>(holder.get());
        ASSERT_FALSE(bitmap->IsEmpty());
        EXPECT_EQ(40, bitmap->Width());
        EXPECT_EQ(20, bitmap->Height());
        // 2:1 into 100 x 100: full width, rows 25 to 75.
        EXPECT_TRUE(NearColour(kRed, canvas.Pixel(25, 37), c.tolerance));
        EXPECT_TRUE(NearColour(kGreen, canvas.Pixel(75, 37), c.tolerance));
        EXPECT_TRUE(NearColour(kBlue, canvas.Pixel(25, 62), c.tolerance));
        EXPECT_TRUE(NearColour(kYellow, canvas.Pixel(75, 62), c.tolerance));
        EXPECT_EQ(kWhite, canvas.Pixel(50, 10));
        EXPECT_EQ(kWhite, canvas.Pixel(50, 90));
        const CRect extent = canvas.Extent();
        EXPECT_NEAR(25, extent.top, 1);
        EXPECT_NEAR(76, extent.bottom, 1);
    }
}

TEST_F(ImageDraw, CropCountsRowsFromTheBottom)
{
    const CString path = Picture("q.png", GUID_ContainerFormatPng);
    CImageBitmapNew holder;
    ASSERT_TRUE(holder.LoadFromFile(path));
    DibCanvas canvas(120, 120);
    // Crop 0, 0, 100, 50 shows the lower half of the picture (blue, yellow), 4:1, centred.
    holder.Draw(&canvas.dc(), "", 0, 0, 100, 100, 0, 0, 100, 50, kImageCentre);
    EXPECT_EQ(kBlue, canvas.Pixel(25, 50));
    EXPECT_EQ(kYellow, canvas.Pixel(75, 50));
    EXPECT_EQ(0, canvas.CountPixels(kRed));
    EXPECT_EQ(0, canvas.CountPixels(kGreen));
    EXPECT_NEAR(37, canvas.Extent().top, 1);
    EXPECT_NEAR(63, canvas.Extent().bottom, 1);
    // The left half: red over blue, 1:1.
    canvas.Clear(kWhite);
    holder.Draw(&canvas.dc(), "", 0, 0, 100, 100, 0, 0, 50, 100, kImageStretch);
    EXPECT_EQ(kRed, canvas.Pixel(50, 25));
    EXPECT_EQ(kBlue, canvas.Pixel(50, 75));
    EXPECT_EQ(0, canvas.CountPixels(kYellow));
}

TEST_F(ImageDraw, StretchFillsAndEmptyCropsDrawNothing)
{
    const CString path = Picture("q.bmp", GUID_ContainerFormatBmp);
    CImageBitmapNew holder;
    ASSERT_TRUE(holder.LoadFromFile(path));
    DibCanvas canvas(120, 120);
    holder.Draw(&canvas.dc(), "", 0, 0, 100, 100, 0, 0, 100, 100, kImageStretch);
    EXPECT_EQ(kRed, canvas.Pixel(25, 25));
    EXPECT_EQ(kYellow, canvas.Pixel(75, 75));
    EXPECT_EQ(CRect(0, 0, 101, 101), canvas.Extent());

    for (int flags : {0, kImageStretch}) {
        canvas.Clear(kWhite);
        holder.Draw(&canvas.dc(), "", 0, 0, 100, 100, 30, 0, 30, 100, flags);
        holder.Draw(&canvas.dc(), "", 0, 0, 100, 100, 0, 60, 100, 60, flags);
        holder.Draw(&canvas.dc(), "", 0, 0, 100, 100, 80, 0, 20, 100, flags);
        holder.Draw(&canvas.dc(), "", 0, 0, 0, 100, 0, 0, 100, 100, flags);
        EXPECT_TRUE(canvas.Extent().IsRectEmpty()) << flags;
    }
}

TEST_F(ImageDraw, PrintersGetTheDibItselfWithTheSameResult)
{
    const CString path = Picture("q.png", GUID_ContainerFormatPng);
    CImageBitmapNew holder;
    ASSERT_TRUE(holder.LoadFromFile(path));
    struct Crop { int l, t, r, b, flags; };
    const Crop crops[] = {
        {0, 0, 100, 100, kImageCentre}, {0, 0, 100, 50, kImageCentre}, {50, 50, 100, 100, kImageStretch},
    };
    for (const Crop& c : crops) {
        DibCanvas screen(120, 120), printer(120, 120);
        printer.dc().m_bPrinting = true;
        holder.Draw(&screen.dc(), "", 10, 10, 110, 110, c.l, c.t, c.r, c.b, c.flags);
        holder.Draw(&printer.dc(), "", 10, 10, 110, 110, c.l, c.t, c.r, c.b, c.flags);
        EXPECT_EQ(screen.Extent(), printer.Extent()) << c.b;
        for (COLORREF colour : {kRed, kGreen, kBlue, kYellow})
            EXPECT_NEAR(screen.CountPixels(colour), printer.CountPixels(colour), 130) << c.b;
        EXPECT_EQ(screen.Pixel(60, 60), printer.Pixel(60, 60)) << c.b;
    }
    // A top-down DIB (from the clipboard, say) crops the same rows on a printer.
    Bytes dib = InfoHeader(40, -20, 24);
    const Bytes up = QuadrantDib(40, 20);
    for (int y = 0; y < 20; ++y)
        Append(dib, Bytes(up.begin() + 40 + (19 - y) * 120, up.begin() + 40 + (20 - y) * 120));
    CImageBitmapNew topDown;
    ASSERT_TRUE(topDown.Attach(ToGlobal(dib)));
    DibCanvas printer(120, 120);
    printer.dc().m_bPrinting = true;
    topDown.Draw(&printer.dc(), "", 0, 0, 100, 100, 0, 0, 100, 50, kImageCentre);
    EXPECT_EQ(kBlue, printer.Pixel(25, 50));
    EXPECT_EQ(kYellow, printer.Pixel(75, 50));
}

TEST_F(ImageDraw, UnreadableFilesLeaveTheHolderEmptyAndAreTriedAgain)
{
    // A real GIF named as a JPEG: a picture, but of a format the holder does not keep.
    const CString gif = m_dir.Path("g.jpg");
    ASSERT_TRUE(picturefiles::WriteSmallGif(gif));
    ASSERT_EQ(GUID_ContainerFormatGif, picturefiles::DecodedContainer(gif));
    const CString text = m_dir.Path("t.png");
    ASSERT_TRUE(WriteFile(text, Bytes{'n', 'o', 'p', 'e'}));
    CImageBitmapNew holder;
    EXPECT_FALSE(holder.LoadFromFile(gif));
    EXPECT_FALSE(holder.LoadFromFile(text));
    EXPECT_FALSE(holder.LoadFromFile(m_dir.Path("missing.png")));
    EXPECT_FALSE(holder.LoadFromFile(""));
    EXPECT_TRUE(holder.IsEmpty());
    DibCanvas canvas(50, 50);
    holder.Draw(&canvas.dc(), text, 0, 0, 50, 50, 0, 0, 100, 100, 0);
    EXPECT_TRUE(holder.IsEmpty());
    EXPECT_TRUE(canvas.Extent().IsRectEmpty());
    // The file appears: the next drawing reads it.
    const Bytes good = QuadrantDib(4, 4);
    Bytes bmp = {'B', 'M'};
    Append32(bmp, (uint32_t)(14 + good.size()));
    Append32(bmp, 0);
    Append32(bmp, 14 + 40);
    Append(bmp, good);
    ASSERT_TRUE(WriteFile(text, bmp));
    holder.Draw(&canvas.dc(), text, 0, 0, 50, 50, 0, 0, 100, 100, 0);
    EXPECT_FALSE(holder.IsEmpty());
    EXPECT_EQ(kRed, canvas.Pixel(10, 10));

    // A loaded picture is kept when a later load fails.
    EXPECT_FALSE(holder.LoadFromFile(m_dir.Path("missing.png")));
    EXPECT_FALSE(holder.IsEmpty());
}

TEST_F(ImageDraw, LoadedPictureTurnsWithTheBox)
{
    const CString path = Picture("q.png", GUID_ContainerFormatPng);
    CImageBitmapNew holder;
    ASSERT_TRUE(holder.LoadFromFile(path));
    // Direction 1 turns counter-clockwise: the green top-right corner comes to the top-left.
    holder.Rotate90(1);
    EXPECT_EQ(20, holder.Width());
    EXPECT_EQ(40, holder.Height());
    DibCanvas canvas(20, 40);
    holder.Draw(&canvas.dc(), "", 0, 0, 19, 39, 0, 0, 100, 100, kImageStretch);
    EXPECT_EQ(kGreen, canvas.Pixel(5, 5));
    EXPECT_EQ(kYellow, canvas.Pixel(15, 5));
    EXPECT_EQ(kRed, canvas.Pixel(5, 35));
    // Any other direction turns clockwise: back to the start, then red comes to the top-right.
    holder.Rotate90(-1);
    holder.Rotate90(0);
    DibCanvas again(20, 40);
    holder.Draw(&again.dc(), "", 0, 0, 19, 39, 0, 0, 100, 100, kImageStretch);
    EXPECT_EQ(kBlue, again.Pixel(5, 5));
    EXPECT_EQ(kRed, again.Pixel(15, 5));
}

TEST(ImageDrawOld, BitmapRecordDrawsTheWholePicture)
{
    // A 163 record body around a 2 x 2 picture.
    Bytes body;
    Append16(body, 1234);
    Append16(body, 2);
    Append16(body, 2);
    Append16(body, 40);
    const Bytes dib = QuadrantDib(2, 2);
    Append(body, dib);
    CImageBitmap holder;
    ASSERT_TRUE(LoadBytes(holder, body));
    DibCanvas canvas(60, 60);
    holder.Draw(&canvas.dc(), "", 0, 0, 40, 40, 0, 0, 100, 100, kImageCentre);
    EXPECT_EQ(kRed, canvas.Pixel(10, 10));
    EXPECT_EQ(kGreen, canvas.Pixel(30, 10));
    EXPECT_EQ(kBlue, canvas.Pixel(10, 30));
    EXPECT_EQ(kYellow, canvas.Pixel(30, 30));
    EXPECT_EQ(CRect(0, 0, 41, 41), canvas.Extent());
    // The crop only shapes the box: half the height shows the whole picture squeezed.
    canvas.Clear(kWhite);
    holder.Draw(&canvas.dc(), "", 0, 0, 40, 40, 0, 0, 100, 50, kImageCentre);
    EXPECT_EQ(kRed, canvas.Pixel(5, 12));
    EXPECT_EQ(kYellow, canvas.Pixel(35, 28));
    EXPECT_NEAR(10, canvas.Extent().top, 1);
    // Empty holders draw nothing.
    CImageBitmap empty;
    canvas.Clear(kWhite);
    empty.Draw(&canvas.dc(), "", 0, 0, 40, 40, 0, 0, 100, 100, 0);
    CImageBase base;
    base.Draw(&canvas.dc(), "", 0, 0, 40, 40, 0, 0, 100, 100, 0);
    EXPECT_TRUE(canvas.Extent().IsRectEmpty());
}

} // namespace
