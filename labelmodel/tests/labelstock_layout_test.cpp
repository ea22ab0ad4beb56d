// Label stock geometry: sizes and fitting, orientation, paper table and names, classification
// names, outlines and the save dialog.
#include "framework/paths.h"
#include "labelmodel/labelfiledialog.h"
#include "labelmodel/labelpaper.h"
#include "labelmodel/labelstock.h"
#include "labelmodel/tests/labelstock_testutil.h"
#include "testsupport/dibcanvas.h"
#include "testsupport/filedialogrecorder.h"
#include "testsupport/msgboxrecorder.h"
#include "testsupport/tempdir.h"
#include <gtest/gtest.h>
#include <memory>

TEST(LabelStockFit, A4ColumnsFollowTheLabelWidth) {
    struct Case { int orientation; int width; int columns; int margin; };
    const Case cases[] = {
        {1, 70000, 3, 0}, {1, 64000, 3, 9000}, {1, 105000, 2, 0}, {1, 211000, 0, 105000},
        {2, 70000, 4, 8500},                        // landscape: the paper height lies across
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.width);
        CLabelFileNew stock;
        stock.SetOrientation(c.orientation);
        stock.SetWidth(0, c.width, true);
        EXPECT_EQ(c.width, stock.GetPitchH());      // the first width becomes the pitch
        EXPECT_EQ(c.columns, stock.GetColumns());
        EXPECT_EQ(c.margin, stock.GetLeft(0));
    }
    CLabelFileNew rows;
    rows.SetHeight(0, 36000);
    EXPECT_EQ(36000, rows.GetPitchV());
    EXPECT_EQ(8, rows.GetRows());
    EXPECT_EQ(4500, rows.GetTop(0));

    // Codes without a size of their own fit on 90 x 60 mm; user sizes on their tenths.
    CLabelFileNew odd;
    odd.SetPaperCode(300);
    odd.SetWidth(0, 30000, true);
    EXPECT_EQ(3, odd.GetColumns());
    CLabelFileNew user;
    user.SetPaperCode(256);
    user.SetPaperWidthTenths(1000, false);
    user.SetWidth(0, 30000, true);
    EXPECT_EQ(3, user.GetColumns());
    EXPECT_EQ(5000, user.GetLeft(0));
}

TEST(LabelStockFit, SizeSettersKeepTheUsersPitchAndMarkAsTheyShould) {
    CLabelFileNew stock;
    stock.SetPitchH(80000);
    stock.SetWidth(0, 70000, false);
    EXPECT_EQ(70000, stock.GetWidth(0));
    EXPECT_EQ(80000, stock.GetPitchH());             // an existing pitch is never changed
    EXPECT_EQ(0, stock.GetColumns());                // and nothing is refitted
    EXPECT_FALSE(stock.IsModified());                // a width marks only when asked
    EXPECT_FALSE(stock.IsSizeSet());
    stock.SetWidth(0, 0, true);                      // 0 is accepted and sets nothing else
    EXPECT_EQ(0, stock.GetWidth(0));
    EXPECT_EQ(80000, stock.GetPitchH());
    EXPECT_TRUE(stock.IsModified());
    stock.SetWidth(0, -5, true);
    EXPECT_EQ(0, stock.GetWidth(0));

    stock.SetModified(false);
    stock.SetHeight(0, 0);                           // ignored, but still marks
    EXPECT_EQ(0, stock.GetHeight(0));
    EXPECT_TRUE(stock.IsModified());
    stock.SetWidth(0, 50000, false);
    stock.SetHeight(0, 30000);
    EXPECT_TRUE(stock.IsSizeSet());
    EXPECT_TRUE(stock.HasNoVerticalGap());
    EXPECT_FALSE(stock.HasNoHorizontalGap());

    // The oldest stock neither fits nor marks.
    CLabel old;
    old.SetWidth(0, 70000, true);
    EXPECT_EQ(70000, old.GetPitchH());
    EXPECT_EQ(0, old.GetColumns());
    EXPECT_FALSE(old.IsModified());
    EXPECT_EQ(0, old.GetHeight(1));
    old.SetFamilyName("A family name much longer than thirty-two characters");
    EXPECT_STREQ("A family name much longer than t", old.GetFamilyName());
    EXPECT_TRUE(old.IsModified());

    CLabelExt rounded;
    rounded.SetWidth(0, 10000, false);
    rounded.SetHeight(0, 10000);
    EXPECT_TRUE(rounded.HasNoGaps());
    rounded.SetShape(0, 1);
    EXPECT_FALSE(rounded.HasNoGaps());
    rounded.SetCornerRadius(-1);
    EXPECT_EQ(0, rounded.GetCornerRadius());
    EXPECT_EQ(0, rounded.GetShape(1));
}

TEST(LabelStockFit, OrientationSwapExchangesTheGrid) {
    CLabelFileNew stock;
    stock.SetWidth(0, 70000, true);
    stock.SetHeight(0, 37125);
    stock.SetLeft(0, 1000);
    stock.SetTop(0, 2000);
    ASSERT_EQ(3, stock.GetColumns());
    ASSERT_EQ(8, stock.GetRows());
    stock.SetModified(false);

    stock.SetOrientation(2);
    EXPECT_EQ(2, stock.GetOrientation());
    EXPECT_EQ(8, stock.GetColumns());
    EXPECT_EQ(3, stock.GetRows());
    EXPECT_EQ(37125, stock.GetWidth(0));
    EXPECT_EQ(70000, stock.GetHeight(0));
    EXPECT_EQ(37125, stock.GetPitchH());
    EXPECT_EQ(70000, stock.GetPitchV());
    EXPECT_EQ(2000, stock.GetLeft(0));
    EXPECT_EQ(1000, stock.GetTop(0));
    EXPECT_EQ(210000, stock.GetPaperWidth());        // the paper itself stays
    EXPECT_TRUE(stock.IsModified());

    stock.SetModified(false);
    const Bytes before = SavedBody(stock, true);
    stock.SetOrientation(2);
    EXPECT_EQ(before, SavedBody(stock, true));
    EXPECT_FALSE(stock.IsModified());
}

TEST(LabelStockPaper, TableSizesHoldWhereWindowsDiffers) {
    struct Case { int code; int width; int height; };
    const Case cases[] = {
        {1, 215900, 279400},  {4, 431800, 279400},  {9, 210000, 297000},  {12, 250000, 354000},
        {13, 90000, 60000},   {24, 90000, 60000},   {35, 176000, 125000}, {44, 228600, 279400},
        {48, 90000, 60000},   {56, 235585, 288000}, {60, 210000, 330000}, {68, 322000, 445000},
        {0, 90000, 60000},    {69, 90000, 60000},   {256, 90000, 60000},  {-3, 90000, 60000},
    };
    for (const Case& c : cases) {
        int w = 0, h = 0;
        GetPaperSizeForCode(c.code, w, h);
        EXPECT_EQ(c.width, w) << c.code;
        EXPECT_EQ(c.height, h) << c.code;
    }

    CLabelExtExt stock;
    EXPECT_EQ(0, stock.GetPaperCode());
    EXPECT_EQ(90000, stock.GetPaperWidth());         // user paper 900 x 600 tenths
    EXPECT_EQ(60000, stock.GetPaperHeight());
    stock.SetPaperCode(8);
    EXPECT_EQ(297000, stock.GetPaperWidth());
    EXPECT_EQ(420000, stock.GetPaperHeight());
    EXPECT_EQ(8, stock.GetPrinterPaperCode());
    stock.SetPaperCode(300);
    EXPECT_EQ(90000, stock.GetPaperWidth());
    CLabel old;
    EXPECT_EQ(256, old.GetPaperCode());
    EXPECT_EQ(9, old.GetPrinterPaperCode());
    EXPECT_EQ(210000, old.GetPaperWidth());
    EXPECT_EQ(2970, old.GetPaperHeightTenths());
    char name[32] = "unchanged";
    EXPECT_FALSE(old.GetPaperName(name, sizeof(name)));
    EXPECT_FALSE(old.SetPaperByName("A4"));
}

TEST(LabelStockPaper, NamesReadAndSet) {
    CLabelExtExt stock;
    char name[64];
    const struct { int code; const char* text; } shown[] = {
        {256, "User defined"}, {60, "60"}, {44, ""}, {9, "A4"}, {59, "US Letter Plus"},
        {0, "0"}, {-5, "-5"}, {13, "B5 (JIS)"},
    };
    for (const auto& c : shown) {
        stock.SetPaperCode(c.code);
        ASSERT_TRUE(stock.GetPaperName(name, sizeof(name)));
        EXPECT_STREQ(c.text, name) << c.code;
    }
    stock.SetPaperCode(1);
    char tiny[3];
    stock.GetPaperName(tiny, sizeof(tiny));
    EXPECT_STREQ("Le", tiny);

    stock.SetPaperWidthTenths(0, false);
    stock.SetPaperHeightTenths(0, false);
    EXPECT_FALSE(stock.IsModified());
    ASSERT_TRUE(stock.SetPaperByName("user DEFINED"));
    EXPECT_EQ(256, stock.GetPaperCode());
    EXPECT_EQ(2100, stock.GetPaperWidthTenths());
    EXPECT_EQ(2970, stock.GetPaperHeightTenths());
    EXPECT_TRUE(stock.IsModified());
    stock.SetPaperWidthTenths(1000, false);
    ASSERT_TRUE(stock.SetPaperByName("User Defined"));
    EXPECT_EQ(1000, stock.GetPaperWidthTenths());     // a set user size stays

    const struct { const char* text; int code; } named[] = {
        {"123", 123}, {"a4 small", 10}, {"US ENVELOPE #10", 20}, {"", 0}, {"70000", 4464},
        {"superb/superb/a3", 58},
    };
    for (const auto& c : named) {
        ASSERT_TRUE(stock.SetPaperByName(c.text)) << c.text;
        EXPECT_EQ(c.code, stock.GetPaperCode()) << c.text;
    }
    stock.SetPaperCode(9);
    stock.SetModified(false);
    EXPECT_FALSE(stock.SetPaperByName("xyz"));
    EXPECT_EQ(9, stock.GetPaperCode());
    EXPECT_FALSE(stock.IsModified());
}

TEST(LabelStockParts, HeaderFooterAndRollStock) {
    CLabelFileNew stock;
    EXPECT_FALSE(stock.IsHeaderEnabled());
    stock.SetWidth(1, 100000, false);
    EXPECT_TRUE(stock.IsHeaderEnabled());
    EXPECT_FALSE(stock.IsModified());
    stock.SetHeight(2, 5000);
    EXPECT_TRUE(stock.IsFooterEnabled());
    EXPECT_TRUE(stock.IsModified());
    EXPECT_EQ(100000, stock.GetWidth(1));
    EXPECT_EQ(5000, stock.GetHeight(2));
    EXPECT_EQ(297000, stock.GetHeight(3));
    EXPECT_EQ(210000, stock.GetWidth(3));
    stock.SetLeft(2, 700);
    stock.SetTop(1, 800);
    EXPECT_EQ(700, stock.GetLeft(2));
    EXPECT_EQ(800, stock.GetTop(1));
    EXPECT_EQ(0, stock.GetLeft(0));

    // Roll stock: the feed sets the label height and the paper's length, nothing else.
    stock.SetTop(0, 2000);
    stock.SetModified(false);
    EXPECT_TRUE(stock.SetFeedLength(50000));
    EXPECT_EQ(50000, stock.GetFeedLength());
    EXPECT_EQ(520, stock.GetPaperHeightTenths());
    EXPECT_EQ(900, stock.GetPaperWidthTenths());
    EXPECT_EQ(0, stock.GetPitchV());
    EXPECT_FALSE(stock.IsModified());
    stock.SetOrientation(2);
    stock.SetFeedLength(30000);
    EXPECT_EQ(300 + stock.GetTop(0) / 100, stock.GetPaperWidthTenths());

    CLabel old;
    EXPECT_FALSE(old.SetFeedLength(1000));
    EXPECT_EQ(0, old.GetFeedLength());
}

TEST(LabelStockParts, SheetPlacement) {
    CLabelFileNew stock;
    stock.SetLeft(0, 1000);
    stock.SetTop(0, 2000);
    stock.SetPitchH(70000);
    stock.SetPitchV(37125);
    stock.SetRows(8);
    stock.SetBlockGap(5000);
    POINT p = stock.GetCellOrigin(0, 0, 0);
    EXPECT_EQ(1000, p.x);
    EXPECT_EQ(2000, p.y);
    p = stock.GetCellOrigin(1, 2, 1);
    EXPECT_EQ(71000, p.x);
    EXPECT_EQ(2000 + 2 * 37125 + (8 * 37125 + 5000 + 2000), p.y);
}

TEST(LabelStockNames, ClassificationAndTitles) {
    const char* marking[] = {"All", "Wire", "Cable", "Component", "Terminal block", "PLC", "Other", "Module", ""};
    for (int i = 0; i <= 8; ++i)
        EXPECT_STREQ(marking[i], GetMarkingTypeName(i)) << i;
    EXPECT_STREQ("", GetMarkingTypeName(-1));
    const char* printer[] = {"All", "Laser", "Other", "Thermo", "Thermal transfer", "Other", "Other", ""};
    for (int i = 0; i <= 7; ++i)
        EXPECT_STREQ(printer[i], GetPrinterTypeName(i)) << i;
    EXPECT_STREQ("All", GetAllFamiliesText(-4));
    EXPECT_STREQ("All", GetAllFamiliesText(1));
    EXPECT_STREQ("", GetAllFamiliesText(2));

    CLabelFileNew stock;
    stock.SetPath("C:\\Users\\me\\labels\\Cable.24x8.label");
    char title[64];
    GetLabelFileTitle(title, sizeof(title), &stock);
    EXPECT_STREQ("Cable.24x8", title);
    CLabel old;
    GetLabelFileTitle(title, sizeof(title), &old);
    EXPECT_STREQ("", title);
    EXPECT_EQ(CString(".label"), FileTitleOf("x\\.label"));
    EXPECT_EQ(CString("plain"), FileTitleOf("plain"));
}

namespace {
const COLORREF kGrey = RGB(0x80, 0x80, 0x80);
}

TEST(LabelStockDrawing, CellOutlinesByShape) {
    // 254 dpi: 100 um per pixel.
    CLabelExt stock;
    stock.SetWidth(0, 10000, false);
    stock.SetHeight(0, 5000);
    {
        DibCanvas canvas(200, 120);
        stock.DrawOutlineAt(&canvas.dc(), 254, 10, 20, 5000, 0);
        EXPECT_EQ(CRect(60, 20, 161, 71), canvas.ExtentOf(kGrey));
        EXPECT_EQ(canvas.Background(), canvas.Pixel(110, 45));   // only the outline
    }
    {
        stock.SetShape(0, 1);
        stock.SetCornerRadius(1000);
        DibCanvas canvas(200, 120);
        stock.DrawOutlineAt(&canvas.dc(), 254, 10, 20, 0, 0);
        EXPECT_EQ(CRect(10, 20, 110, 70), canvas.ExtentOf(kGrey));   // no extra pixel
        EXPECT_EQ(canvas.Background(), canvas.Pixel(10, 20));        // round corner
        EXPECT_EQ(kGrey, canvas.Pixel(60, 20));
    }
    {
        stock.SetShape(0, 2);
        DibCanvas canvas(200, 120);
        stock.DrawOutlineAt(&canvas.dc(), 254, 10, 20, 0, 0);
        CRect e = canvas.ExtentOf(kGrey);
        EXPECT_NEAR(10, e.left, 1);
        EXPECT_NEAR(111, e.right, 1);
        EXPECT_NEAR(71, e.bottom, 1);
        EXPECT_EQ(canvas.Background(), canvas.Pixel(11, 21));
    }
}

TEST(LabelStockDrawing, ScaledLabelAndPageAreas) {
    CLabelFileNew stock;
    stock.SetWidth(0, 20000, false);
    stock.SetHeight(0, 10000);
    stock.SetWidth(1, 30000, false);
    stock.SetHeight(1, 5000);
    for (int zoom : {100, 200}) {
        DibCanvas canvas(400, 300);
        const int dpiX = (zoom * canvas.dc().GetDeviceCaps(LOGPIXELSX) + 50) / 100;
        const int dpiY = (zoom * canvas.dc().GetDeviceCaps(LOGPIXELSY) + 50) / 100;
        stock.DrawPart(0, &canvas.dc(), zoom, 5, 6);
        EXPECT_EQ(CRect(5, 6, 5 + (20000 * dpiX + 12700) / 25400 + 1, 6 + (10000 * dpiY + 12700) / 25400 + 1),
                  canvas.ExtentOf(kGrey))
            << zoom;
    }
    DibCanvas header(400, 300);
    stock.DrawPart(1, &header.dc(), 100, 0, 0);
    const int dpi = header.dc().GetDeviceCaps(LOGPIXELSX);
    const int w = (30000 * dpi + 12700) / 25400;
    EXPECT_EQ(w + 1, header.Extent().Width());
    // Dotted: fewer grey pixels than a solid frame of that size.
    const int h = (5000 * header.dc().GetDeviceCaps(LOGPIXELSY) + 12700) / 25400;
    EXPECT_LT(header.CountPixels(kGrey), 2 * (w + h));
    EXPECT_GT(header.CountPixels(kGrey), 0);

    DibCanvas nothing(100, 100);
    CLabel old;
    old.SetWidth(0, 10000, false);
    old.SetHeight(0, 10000);
    old.DrawPart(1, &nothing.dc(), 100, 0, 0);
    EXPECT_TRUE(nothing.Extent().IsRectEmpty());
}

TEST(LabelStockDialog, FilterOfTheDialog) {
    EXPECT_EQ(std::string("Label files (*.label)\0*.label\0\0", 31),
              BuildFileDialogFilter("Label files (*.label)|*.label||"));
    EXPECT_EQ(std::string("A\0b\0\0", 5), BuildFileDialogFilter("A|b"));
    EXPECT_EQ(std::string("\0\0", 2), BuildFileDialogFilter(nullptr));
}

// The first "Save label" of a new definition and "Save label as" both show the save dialog in the
// labels folder, and both ask before a library file is replaced: answering No keeps its bytes.
TEST(LabelStockDialog, BothSavesAskBeforeReplacingAndNoKeepsTheFile) {
    TempDir dir;
    const CString folder = dir.Path("Labels");
    ASSERT_TRUE(CreateDirectoryA(folder, nullptr));
    const char* previousFolder = CLabelFileNew::GetLabelsFolder();
    const CString keptFolder(previousFolder ? previousFolder : "");
    CLabelFileNew::SetLabelsFolder(folder);
    const CString existing = dir.Path("Labels\\Cable.label");
    ASSERT_TRUE(dir.WriteBytes("Labels\\Cable.label", "keep me", 7));

    CLabelFileNew stock;
    stock.SetFamilyName("Cables");
    FileDialogRecorder dialogs;
    dialogs.AnswerPathRefusingReplace(existing);            // first save, no path yet
    EXPECT_FALSE(stock.SaveLabelFile(nullptr));
    dialogs.AnswerPath(dir.Path("Labels\\New.label"));
    EXPECT_TRUE(stock.SaveLabelFile(nullptr));
    dialogs.AnswerPathRefusingReplace(existing);            // save as
    EXPECT_FALSE(stock.SaveLabelFileAs(nullptr));
    CLabelFileNew::SetLabelsFolder(keptFolder);

    ASSERT_EQ(3u, dialogs.Count());
    for (size_t i = 0; i < dialogs.Count(); ++i) {
        SCOPED_TRACE(i);
        const RecordedFileDialog& d = dialogs[i];
        EXPECT_FALSE(d.open);
        EXPECT_EQ(DWORD(OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_EXPLORER | OFN_ENABLESIZING), d.flags);
        EXPECT_STREQ("label", d.defaultExt);
        EXPECT_STREQ("Label files (*.label)|*.label||", d.filter);
        EXPECT_STREQ(folder, d.initialDir);
    }
    EXPECT_TRUE(dialogs[0].askedToReplace);
    EXPECT_STREQ("", dialogs[0].fileName);                  // a new definition proposes no name
    EXPECT_FALSE(dialogs[1].askedToReplace);
    EXPECT_TRUE(dialogs[2].askedToReplace);
    EXPECT_STREQ(dir.Path("Labels\\New.label"), dialogs[2].fileName);   // save as proposes its file
    EXPECT_EQ("keep me", dir.ReadBytes("Labels\\Cable.label"));
    EXPECT_STREQ(dir.Path("Labels\\New.label"), stock.GetPath());
    EXPECT_EQ(1024u, dir.ReadBytes("Labels\\New.label").size());
}

// A label definition that cannot be written says so; the dialog's Cancel says nothing.
TEST(LabelStockDialog, AFailedSaveIsShownACancelledOneIsNot) {
    TempDir dir;
    MessageBoxRecorder boxes;
    FileDialogRecorder dialogs;
    CLabelFileNew stock;
    stock.SetFamilyName("Cables");
    dialogs.AnswerCancel();
    EXPECT_FALSE(stock.SaveLabelFileAs(nullptr));
    EXPECT_EQ(0u, boxes.Count());
    const CString missing = dir.Path("missing\\Cable.label");
    dialogs.AnswerPath(missing);
    EXPECT_FALSE(stock.SaveLabelFileAs(nullptr));
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_STREQ(CString("Can not open file ") + missing, boxes.Last().text);
    EXPECT_EQ(static_cast<UINT>(MB_ICONERROR), boxes.Last().Icon());
    EXPECT_TRUE(stock.IsModified());
}
