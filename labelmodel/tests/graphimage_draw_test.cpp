// Drawing image objects: pictures from PNG, JPEG, BMP and WMF files fitted, stretched, centred and
// cropped on the screen path and the printer path; pictures chosen per row from a table image
// column; the "[Image n]" field code of the design view; the design frame.
#include "graphimage_testutil.h"

#include "testsupport/dibcanvas.h"
#include "testsupport/emfrecorder.h"

#include <gtest/gtest.h>
#include <memory>

using namespace imgobj;
using picturefiles::NearColour;

namespace {

const COLORREF kRed = RGB(255, 0, 0), kGreen = RGB(0, 255, 0), kBlue = RGB(0, 0, 255),
               kYellow = RGB(255, 255, 0), kWhite = RGB(255, 255, 255);

// A 96 x 96 pixel box at the canvas origin (one inch at 100 % on a 96 dpi canvas).
std::unique_ptr<CGraphImageExtExt> MakeBox(bool stretch, bool centred)
{
    std::unique_ptr<CGraphImageExtExt> image(new CGraphImageExtExt);
    image->SetWidth(25400);
    image->SetHeight(25400);
    image->SetStretchToFit(stretch);
    image->SetImageCentred(centred);
    return image;
}

bool DrawRow(CGraphImageExt& image, DibCanvas& canvas, int row = 1, ImageTable* table = nullptr,
             bool design = false, bool printing = false, bool designFrame = false)
{
    canvas.dc().m_bPrinting = printing;
    const bool ok = image.Draw(&canvas.dc(), 100, 0, 0, designFrame, row, printing ? 4 : 2, 300,
                               300, table ? table->Table() : nullptr,
                               table ? table->Map() : nullptr, design);
    canvas.dc().m_bPrinting = false;
    return ok;
}

class PictureFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_png = WriteQuadrantFile(m_dir, "quad.png", GUID_ContainerFormatPng, 64, 32);
        m_jpg = WriteQuadrantFile(m_dir, "quad.jpg", GUID_ContainerFormatJpeg, 64, 32);
        m_bmp = WriteSolidFile(m_dir, "green.bmp", GUID_ContainerFormatBmp, kGreen);
        m_wmf = WriteTwoColourWmf(m_dir, "halves.wmf");
    }

    TempDir m_dir;
    CString m_png, m_jpg, m_bmp, m_wmf;
};

} // namespace

TEST_F(PictureFiles, A2to1PictureCentredInASquareOnScreenAndPrinter)
{
    for (bool printing : {false, true}) {
        SCOPED_TRACE(printing ? "printer" : "screen");
        auto image = MakeBox(false, true);
        ASSERT_TRUE(image->SetImagePath(m_png));
        DibCanvas canvas(120, 120);
        ASSERT_TRUE(DrawRow(*image, canvas, 1, nullptr, false, printing));
        // Full width, half height, moved down by a quarter: rows 24 to 72.
        EXPECT_EQ(CRect(0, 24, 97, 73), canvas.Extent());
        EXPECT_EQ(kRed, canvas.Pixel(10, 30));
        EXPECT_EQ(kGreen, canvas.Pixel(85, 30));
        EXPECT_EQ(kBlue, canvas.Pixel(10, 66));
        EXPECT_EQ(kYellow, canvas.Pixel(85, 66));
    }
}

TEST_F(PictureFiles, StretchFillsTheBoxAndUncentredKeepsTheTopLeft)
{
    auto stretched = MakeBox(true, true);
    stretched->SetImagePath(m_jpg);
    DibCanvas a(120, 120);
    DrawRow(*stretched, a);
    EXPECT_EQ(CRect(0, 0, 97, 97), a.Extent());
    EXPECT_TRUE(NearColour(kRed, a.Pixel(15, 15), 40));
    EXPECT_TRUE(NearColour(kYellow, a.Pixel(80, 80), 40));

    auto topLeft = MakeBox(false, false);
    topLeft->SetImagePath(m_jpg);
    DibCanvas b(120, 120);
    DrawRow(*topLeft, b);
    EXPECT_EQ(CRect(0, 0, 97, 49), b.Extent());
    EXPECT_TRUE(NearColour(kBlue, b.Pixel(15, 40), 40));
}

TEST_F(PictureFiles, JpegExtensionOfferedByTheDialogShowsThePicture)
{
    const CString jpeg = m_dir.Path("quad.jpeg");
    ASSERT_TRUE(CopyFileA(m_jpg, jpeg, FALSE));
    auto stretched = MakeBox(true, true);
    stretched->SetImagePath(jpeg);
    DibCanvas canvas(120, 120);
    DrawRow(*stretched, canvas);
    EXPECT_EQ(CRect(0, 0, 97, 97), canvas.Extent());
    EXPECT_TRUE(NearColour(kRed, canvas.Pixel(15, 15), 40));
}

TEST_F(PictureFiles, CropShowsThePartAskedFor)
{
    auto image = MakeBox(true, false);
    image->SetImagePath(m_png);
    // Vertical crop counts from the bottom: 0..50 is the lower half.
    image->SetCrop(0, 0, 100, 50);
    DibCanvas canvas(120, 120);
    DrawRow(*image, canvas);
    EXPECT_EQ(kBlue, canvas.Pixel(20, 20));
    EXPECT_EQ(kYellow, canvas.Pixel(80, 80));
    EXPECT_EQ(0, canvas.CountPixels(kRed));

    // The right half only, without stretch: a 1:1 picture in the square.
    image->SetStretchToFit(false);
    image->SetCrop(50, 0, 100, 100);
    DibCanvas right(120, 120);
    DrawRow(*image, right);
    EXPECT_EQ(CRect(0, 0, 97, 97), right.Extent());
    EXPECT_EQ(kGreen, right.Pixel(50, 20));
    EXPECT_EQ(kYellow, right.Pixel(50, 80));

    // Crop values of a damaged record are held to the picture.
    image->SetCrop(-50, 0, 300, 100);
    DibCanvas wild(120, 120);
    DrawRow(*image, wild);
    EXPECT_EQ(kRed, wild.Pixel(10, 10));
}

TEST_F(PictureFiles, MetafileFitsByItsSizeAndFrameFollowsTheBox)
{
    auto image = MakeBox(false, true);
    ASSERT_TRUE(image->SetImagePath(m_wmf));
    EXPECT_EQ(kImageHolderMetafile, image->GetHolder()->GetTypeCode());
    DibCanvas canvas(120, 120);
    DrawRow(*image, canvas, 1, nullptr, false, false, true);
    EXPECT_EQ(kRed, canvas.Pixel(20, 48));
    EXPECT_EQ(kBlue, canvas.Pixel(75, 48));
    EXPECT_EQ(kWhite, canvas.Pixel(48, 12));
    // The design frame runs along the device rectangle with the current (black) pen.
    EXPECT_EQ(RGB(0, 0, 0), canvas.Pixel(48, 0));
    EXPECT_EQ(RGB(0, 0, 0), canvas.Pixel(96, 10));
    EXPECT_EQ(50, image->GetAspectPercent());
}

TEST_F(PictureFiles, MissingFileDrawsNothingAndIsReadOnceItExists)
{
    auto image = MakeBox(true, false);
    const CString later = m_dir.Path("later.png");
    image->SetImagePath(later);
    DibCanvas canvas(120, 120);
    DrawRow(*image, canvas);
    EXPECT_TRUE(canvas.Extent().IsRectEmpty());
    ASSERT_TRUE(CopyFileA(m_png, later, FALSE));
    DrawRow(*image, canvas);
    EXPECT_EQ(kRed, canvas.Pixel(10, 10));
}

TEST_F(PictureFiles, UnknownExtensionGivesTheEmptyPicture)
{
    auto image = MakeBox(true, false);
    image->SetImagePath(m_png);
    DibCanvas canvas(120, 120);
    DrawRow(*image, canvas);
    const CString gif = m_dir.Path("quad.gif");
    ASSERT_TRUE(CopyFileA(m_png, gif, FALSE));
    for (const char* path : {(const char*)gif, "C:\\x.tiff", "noextension"}) {
        ASSERT_TRUE(image->SetImagePath(path));
        ASSERT_NE(nullptr, image->GetHolder());
        EXPECT_EQ(kImageHolderEmpty, image->GetHolder()->GetTypeCode()) << path;
        DibCanvas after(120, 120);
        DrawRow(*image, after);
        EXPECT_TRUE(after.Extent().IsRectEmpty()) << path;
    }
}

TEST_F(PictureFiles, TableColumnChoosesThePicturePerRow)
{
    ImageTable table;
    ImageTableReader reader(table);
    table.imageColumn[4] = true;
    table.Set(0, 4, m_png);
    CString upper = m_png;
    upper.MakeUpper();
    table.Set(1, 4, upper);
    table.Set(2, 4, m_bmp);
    table.Set(4, 4, "C:\\pictures\\unknown.gif");
    CGraphImageExt image;
    image.SetWidth(25400);
    image.SetHeight(25400);
    image.SetStretchToFit(true);
    image.SetImageSource(kImageSourceTable);

    DibCanvas row1(120, 120);
    DrawRow(image, row1, 1, &table);
    EXPECT_EQ(kRed, row1.Pixel(10, 10));
    const CImageBase* loaded = image.GetHolder();

    // The same file in other letters: the picture already read is kept (the file is gone now).
    ASSERT_TRUE(DeleteFileA(m_png));
    DibCanvas row2(120, 120);
    DrawRow(image, row2, 2, &table);
    EXPECT_EQ(loaded, image.GetHolder());
    EXPECT_TRUE(row2.SameAs(row1));

    DibCanvas row3(120, 120);
    DrawRow(image, row3, 3, &table);
    EXPECT_EQ(kGreen, row3.Pixel(50, 50));
    EXPECT_STREQ(m_bmp, image.GetPath());

    // A row without a path, and one whose file no holder reads: nothing, not the last picture.
    for (int row : {4, 5}) {
        DrawRow(image, row3, 3, &table);
        DibCanvas empty(120, 120);
        DrawRow(image, empty, row, &table);
        EXPECT_TRUE(empty.Extent().IsRectEmpty()) << row;
        EXPECT_EQ(kImageHolderEmpty, image.GetHolder()->GetTypeCode()) << row;
    }
    EXPECT_STREQ("C:\\pictures\\unknown.gif", image.GetPath());   // row 5 names its file

    // A negative row takes the (empty) cell but draws nothing.
    DibCanvas negative(120, 120);
    DrawRow(image, negative, -1, &table);
    EXPECT_TRUE(negative.Extent().IsRectEmpty());
    EXPECT_TRUE(image.GetPath().IsEmpty());
}

TEST(GraphImageTable, ImageColumnIndexCountsFlaggedColumnsThroughTheMap)
{
    ImageTable table;
    ImageTableReader reader(table);
    for (int column : {3, 7, 20, 25})
        table.imageColumn[column] = true;
    // Column 20 shows at map position 5.
    table.map[5] = 20;
    table.map[20] = 5;
    table.Set(6, 5, "row7-col20.png");
    table.Set(6, 20, "wrong");
    table.Set(6, 3, "first.png");
    table.Set(6, 7, "second.png");

    CGraphImageExtExt third;
    third.SetImageColumn(2);
    char path[257] = "stale";
    third.GetImagePathForRecord(7, path, sizeof path, table.Table(), table.Map());
    EXPECT_STREQ("row7-col20.png", path);

    CGraphImageExt ext;
    ext.GetImagePathForRecord(7, path, sizeof path, table.Table(), nullptr);
    EXPECT_STREQ("first.png", path);

    third.SetImageColumn(3);   // column 25 holds nothing in row 7
    third.GetImagePathForRecord(7, path, sizeof path, table.Table(), table.Map());
    EXPECT_STREQ("", path);
    third.SetImageColumn(1);
    third.GetImagePathForRecord(7, path, 4, table.Table(), nullptr);
    EXPECT_STREQ("sec", path);
    strcpy(path, "stale");
    third.GetImagePathForRecord(7, path, sizeof path, nullptr, nullptr);
    EXPECT_STREQ("", path);
}

TEST(GraphImageTable, DesignViewShowsTheFieldCodeInsteadOfThePicture)
{
    CGraphImageExtExt image;
    image.SetX(10000);
    image.SetY(5000);
    image.SetWidth(40000);
    image.SetHeight(20000);
    image.SetImageSource(kImageSourceTable);
    image.SetImageColumn(2);
    EmfRecorder emf;
    ASSERT_TRUE(image.Draw(&emf.dc(), 100, 0, 0, false, 1, 1, 300, 300, nullptr, nullptr, true));
    ASSERT_EQ(1u, emf.Texts().size());
    const EmfText& text = emf.Texts()[0];
    EXPECT_EQ("[Image 3]", text.text);
    const CRect box = image.GetDeviceRect();
    EXPECT_EQ((box.left + box.right) / 2, text.x);
    EXPECT_EQ(box.top, text.y);
    EXPECT_EQ((UINT)(TA_CENTER | TA_TOP), text.textAlign & (TA_CENTER | TA_TOP | TA_BASELINE));
    EXPECT_TRUE(text.options & ETO_CLIPPED);
    EXPECT_EQ(box, CRect(text.rect));
    EXPECT_EQ(TRANSPARENT, text.bkMode);
    EXPECT_STREQ("Arial", text.font.lfFaceName);
    EXPECT_EQ(MulDiv(12, image.GetDpiY(), 72), text.font.lfHeight);
    EXPECT_EQ(FW_NORMAL, text.font.lfWeight);

    // The older kind always reads the first image column.
    CGraphImageExt ext;
    ext.SetImageSource(kImageSourceTable);
    EXPECT_STREQ("[Image 1]", ext.GetFieldCode());
}

TEST_F(PictureFiles, DesignViewDrawsFilePicturesButNoTablePicture)
{
    auto image = MakeBox(true, false);
    image->SetImagePath(m_png);
    DibCanvas design(120, 120);
    DrawRow(*image, design, 1, nullptr, true);
    EXPECT_EQ(kRed, design.Pixel(10, 10));

    ImageTable table;
    ImageTableReader reader(table);
    table.imageColumn[0] = true;
    table.Set(0, 0, m_png);
    image->SetImageSource(kImageSourceTable);
    DibCanvas tableDesign(120, 120);
    DrawRow(*image, tableDesign, 1, &table, true);
    EXPECT_EQ(0, tableDesign.CountPixels(kRed));
}
