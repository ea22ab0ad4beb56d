// QR Codes on bare paper go to the printer as one image each; the pages must come out as those of
// the plain drawing (each run of modules a rectangle of its own). Each job is printed both ways on
// the PostScript printer of the Wine prefix; print_compare_check.sh renders every pair with
// Ghostscript at 300 and 600 dpi and compares the pixels. Here: which symbols became images.
#include "printhelpers.h"

#include "barcode/barfill.h"
#include "labelmodel/graphimage.h"
#include "labelmodel/graphshapes.h"
#include "labelmodel/tests/imagetestutil.h"
#include "testsupport/msgboxrecorder.h"
#include "testsupport/tempdir.h"

#include <gtest/gtest.h>
#include <string>

using namespace printtest;

namespace {

class SymbolImagesPrint : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(EnsureFilePrinter());
        m_folder = OutputFolder("KORVELTA_PRINT_OUT", m_temp);
        m_doc.m_bAutoDelete = FALSE;
        m_doc.OnNewDocument();
    }
    void TearDown() override { CBarFill::SetPlainDrawing(false); }

    // Prints every row of the document to folder\name and answers the job's PostScript.
    std::string Print(const char* name, bool plain)
    {
        const std::string file = m_folder + "\\" + name;
        DeleteFileA(file.c_str());
        CBarFill::SetPlainDrawing(plain);
        EngineView view(&m_doc);
        CPrintInfo info;
        EXPECT_TRUE(PrinterHandles(info.m_pPD->m_pd.hDevNames, info.m_pPD->m_pd.hDevMode));
        EXPECT_TRUE(m_doc.PreparePrinting(&info, &view));
        CDC dc;
        EXPECT_NE(info.m_pPD->CreatePrinterDC(), nullptr);
        dc.Attach(info.m_pPD->m_pd.hDC);
        info.m_strOutputFile = file.c_str();
        EXPECT_TRUE(view.RunPrintJob(&dc, &info));
        dc.Detach();
        CBarFill::SetPlainDrawing(false);
        GlobalFree(info.m_pPD->m_pd.hDevNames);
        GlobalFree(info.m_pPD->m_pd.hDevMode);
        info.m_pPD->m_pd.hDevNames = info.m_pPD->m_pd.hDevMode = nullptr;
        const std::vector<char> ps = ReadFileBytes(file.c_str());
        return std::string(ps.begin(), ps.end());
    }

    static int Count(const std::string& text, const char* word)
    {
        int n = 0;
        for (size_t at = text.find(word); at != std::string::npos; at = text.find(word, at + 1))
            ++n;
        return n;
    }

    CGraphBarcode* Qr(int column, int x, int y, int rotation)
    {
        CGraphBarcode* code = TableBarcode("QR Code\xAE", column, x, y, 20000, 20000, 400);
        code->SetRotation(rotation);
        return code;
    }

    TempDir m_temp;
    std::string m_folder;
    MessageBoxRecorder m_boxes;
    COstrelindSoftLabelDoc m_doc;
};

} // namespace

TEST_F(SymbolImagesPrint, DenseSheetSendsEachQrCodeAsOneImage)
{
    BuildDenseLabels(m_doc, 48);
    const std::string images = Print("dense.ps", false);
    const std::string plain = Print("dense-plain.ps", true);
    ASSERT_FALSE(images.empty());
    ASSERT_FALSE(plain.empty());
    EXPECT_EQ(Count(images, "%%Page: "), 2);
    // A QR Code and a Code 128 a label.
    EXPECT_EQ(Count(images, "imagemask"), 2 * 48);
    EXPECT_EQ(Count(plain, "imagemask"), 0);
    // The symbols were most of the job.
    EXPECT_LT(images.size() * 2, plain.size());
    EXPECT_EQ(m_boxes.Count(), 0u);
}

TEST_F(SymbolImagesPrint, OnlySymbolsOverBarePaperOrTheirOwnFillBecomeImages)
{
    CTemplate* tmpl = m_doc.GetCurrentTemplate();
    // Labels that overlap by 5 mm across, so that a label's outline runs through its right-hand
    // neighbour.
    tmpl->SetLabelStock(MakeSheet(2, 2, 95000, 120000, 8000, 15000, -5000, 10000));
    CGraphCollection* area = tmpl->GetArea(0);
    // A grey block with a transparent QR Code half over it: the block must show between the
    // modules, so that symbol stays rectangles.
    auto* block = new CGraphRect;
    block->SetX(2000);
    block->SetY(2000);
    block->SetWidth(20000);
    block->SetHeight(12000);
    block->SetFillColour(RGB(160, 160, 160));
    area->Append(block);
    area->Append(Qr(0, 12000, 6000, 0));
    // On bare paper, turned three ways.
    area->Append(Qr(0, 40000, 4000, 900));
    area->Append(Qr(0, 65000, 4000, 1800));
    area->Append(Qr(0, 40000, 40000, 2700));
    // Opaque with a fill of its own, over the text: its fill covers what is beneath.
    area->Append(TableText(1, 60000, 40000, 30000, 6000));
    CGraphBarcode* opaque = Qr(0, 65000, 38000, 0);
    opaque->SetFillColour(RGB(255, 250, 205));
    opaque->SetTransparent(false);
    area->Append(opaque);
    // Transparent, just below the text's box: clear, since nothing was painted there.
    area->Append(Qr(0, 65000, 62000, 0));
    // Transparent at the label's left edge: in the right-hand labels the outline of the label
    // before runs through it and must show.
    tmpl->SetPrintBorders(true);
    area->Append(Qr(0, 0, 90000, 0));
    // Code 128: over the block (stays bars), turned at the left edge (an image in the left-hand
    // labels only), and opaque upside down (an image).
    area->Append(TableBarcode("Code 128", 1, 5000, 10000, 35000, 10000, 250));
    CGraphBarcode* turned = TableBarcode("Code 128", 1, 2000, 30000, 10000, 35000, 250);
    turned->SetRotation(900);
    area->Append(turned);
    CGraphBarcode* upsideDown = TableBarcode("Code 128", 1, 40000, 95000, 35000, 10000, 250);
    upsideDown->SetRotation(1800);
    upsideDown->SetFillColour(RGB(220, 255, 220));
    upsideDown->SetTransparent(false);
    area->Append(upsideDown);
    CDataTableBase* table = m_doc.CurrentSlot().Table();
    for (int r = 0; r < 4; ++r) {
        table->SetCellText(r, 0, r % 2 ? "https://example.invalid/label?id=12345" : "qr-00042 lot 2026-12");
        table->SetCellText(r, 1, "Beneath");
    }
    const std::string images = Print("ground.ps", false);
    const std::string plain = Print("ground-plain.ps", true);
    ASSERT_FALSE(images.empty());
    // Per label the three turned QR Codes, the opaque one, the one below the text and the
    // upside-down Code 128; the QR Code and the Code 128 at the left edge only in the labels of
    // the left-hand column.
    EXPECT_EQ(Count(images, "imagemask"), 4 * 6 + 2 * 2);
    EXPECT_EQ(Count(plain, "imagemask"), 0);
    EXPECT_EQ(m_boxes.Count(), 0u);
}

// A metafile is played without a clip, and may draw outside the box its object has: a symbol
// drawn after it is kept as rectangles, one drawn before it is still an image.
TEST_F(SymbolImagesPrint, SymbolsAfterAMetafileStayRectangles)
{
    // A square picture of 1000 units whose records also paint the two squares to its right.
    HDC recorder = CreateMetaFileA(nullptr);
    SetWindowOrgEx(recorder, 0, 0, nullptr);
    SetWindowExtEx(recorder, 1000, 1000, nullptr);
    SelectObject(recorder, GetStockObject(NULL_PEN));
    SelectObject(recorder, GetStockObject(GRAY_BRUSH));
    Rectangle(recorder, 0, 0, 3001, 1001);
    HMETAFILE metafile = CloseMetaFile(recorder);
    imagetest::Bytes file = imagetest::PlaceableBytes(1000, 1000, 1000);
    const std::vector<BYTE> bits = MetafileBitsOf(metafile);
    DeleteMetaFile(metafile);
    file.insert(file.end(), bits.begin(), bits.end());
    const CString wmf = m_temp.Path("stray.wmf");
    ASSERT_TRUE(imagetest::WriteFile(wmf, file));

    CTemplate* tmpl = m_doc.GetCurrentTemplate();
    tmpl->SetLabelStock(MakeSheet(1, 2, 150000, 60000, 20000, 20000, 0, 10000));
    CGraphCollection* area = tmpl->GetArea(0);
    area->Append(Qr(0, 100000, 30000, 0));
    auto* picture = new CGraphImageExt;
    picture->SetX(5000);
    picture->SetY(5000);
    picture->SetWidth(20000);
    picture->SetHeight(20000);
    ASSERT_TRUE(picture->SetImagePath(wmf));
    area->Append(picture);
    area->Append(Qr(0, 30000, 5000, 0));
    CDataTableBase* table = m_doc.CurrentSlot().Table();
    for (int r = 0; r < 2; ++r)
        table->SetCellText(r, 0, "qr-00042 lot 2026-12");

    const std::string images = Print("stray.ps", false);
    const std::string plain = Print("stray-plain.ps", true);
    ASSERT_FALSE(images.empty());
    // The first label's first QR Code only: after the first picture nothing on the page is clear.
    EXPECT_EQ(Count(images, "imagemask"), 1);
    EXPECT_EQ(Count(plain, "imagemask"), 0);
    EXPECT_EQ(m_boxes.Count(), 0u);
}
