// A barcode whose text its symbology cannot encode stops the print run before that label, with a
// message naming the label (the 1-based row) and its text; a QR Code clipped on a row names that
// row. First on a memory DC through the engine, then once as a user prints: a Code 39 with the
// text "ab-12" through the framework's print loop on the PostScript printer of the Wine prefix.
#include "printhelpers.h"

#include "testsupport/dibcanvas.h"
#include "testsupport/msgboxrecorder.h"
#include "testsupport/printjobrecorder.h"
#include "testsupport/tempdir.h"

#include <gtest/gtest.h>
#include <string>

using namespace printtest;

namespace {

struct TableRun {
    COstrelindSoftLabelDoc doc;
    std::vector<DrawCall> calls;

    // A barcode of column A and after it a recorder of the labels whose barcode was drawn, on a
    // sheet of 2 x 3 labels of 60 x 40 mm; one row per text.
    TableRun(const char* symbology, const std::vector<std::string>& texts, int module)
    {
        doc.m_bAutoDelete = FALSE;
        doc.OnNewDocument();
        CTemplate* tmpl = doc.GetCurrentTemplate();
        tmpl->SetLabelStock(MakeSheet(2, 3, 60000, 40000));
        tmpl->GetArea(0)->Append(TableBarcode(symbology, 0, 2000, 2000, 56000, 36000, module));
        auto* recorder = new CallRecorder(&calls);
        recorder->usesColumn = true;
        tmpl->GetArea(0)->Append(recorder);
        for (size_t r = 0; r < texts.size(); ++r)
            doc.CurrentSlot().Table()->SetCellText(static_cast<int>(r), 0, texts[r].c_str());
    }

    // Prints every row through the engine onto a memory DC.
    void Print(CPrintInfo& info)
    {
        PrintOptionBlock options = Options();
        info.m_pPD->m_pd.lCustData = reinterpret_cast<LPARAM>(&options);
        EngineView view(&doc);
        DibCanvas canvas(800, 800);
        RunPages(doc, info, &view, canvas.dc(), calls);
        info.m_pPD->m_pd.lCustData = 0;
    }
};

} // namespace

TEST(PrintUnencodable, EverySymbologyStopsBeforeTheLabelWhoseTextItCannotEncode)
{
    struct Case {
        const char* symbology;
        int module;
        std::vector<std::string> texts;   // the third cannot be encoded
    } const cases[] = {
        {"Code 39", 300, {"AB-12", "CD-34", "ab-12", "EF-56"}},
        {"Code 39", 300, {"AB-12", "CD-34", "A*B", "EF-56"}},
        {"2/5 Interleaved", 300, {"1234", "5678", "12A4", "9012"}},
        {"Code 128", 300, {"Goteborg", "A-12", "G\xF6teborg", "B-12"}},
        {"EAN 128", 300, {"0112345678901231", "10AB", "\xC5-12", "10CD"}},
        {"EAN 13", 330, {"400638133393", "12345", "ABC", "4006381333931"}},
        {"EAN 8", 330, {"1234567", "12345670", "12345671", "7654321"}},
        {"UPCA", 330, {"03600029145", "036000291452", "0360002914A", "12345678901"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.symbology) + " " + c.texts[2]);
        MessageBoxRecorder boxes;
        TableRun run(c.symbology, c.texts, c.module);
        CPrintInfo info;
        run.Print(info);

        // Rows 1 and 2 were drawn; the run stopped at the third label and nothing came after it.
        EXPECT_EQ(RowsOf(run.calls), (std::vector<int>{1, 2}));
        EXPECT_TRUE(info.m_bJobAborted);
        EXPECT_FALSE(info.m_bContinuePrinting);
        EXPECT_TRUE(run.doc.GetPrintState().jobFailed);
        ASSERT_EQ(1u, boxes.Count());
        EXPECT_EQ(std::string("Texten kan inte visas som ") + c.symbology + " p\xE5 etikett nummer 3: \"" +
                      c.texts[2] + "\"",
                  boxes.Last().text.GetString());
        EXPECT_STREQ("Utskrift avbruten", boxes.Last().caption);
        EXPECT_EQ(static_cast<UINT>(MB_ICONERROR), boxes.Last().Icon());
    }
}

TEST(PrintUnencodable, AQrCodeClippedOnTheThirdRowNamesLabelThree)
{
    MessageBoxRecorder boxes;
    // Version 10 at module 600 um is some 45 mm: wider than the box of 20 mm.
    TableRun run("QR Code\xAE", {"QR-1", "QR-2", "QR-3 " + std::string(150, 'X'), "QR-4"}, 600);
    CGraphBarcode* qr = static_cast<CGraphBarcode*>(run.doc.GetCurrentTemplate()->GetArea(0)->GetAt(0));
    qr->SetWidth(20000);
    qr->SetHeight(20000);
    CPrintInfo info;
    run.Print(info);
    EXPECT_EQ(RowsOf(run.calls), (std::vector<int>{1, 2}));
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_EQ("Streckkod klippt p\xE5 etikett nummer 3 med text \"QR-3 " + std::string(150, 'X') + "\"",
              std::string(boxes.Last().text.GetString()));
}

TEST(PrintUnencodable, ACode39WithLowerCaseIsRefusedOnThePrinterAndNothingIsPrinted)
{
    ASSERT_TRUE(EnsureFilePrinter());
    MessageBoxRecorder boxes;
    TempDir dir;
    COstrelindSoftLabelDoc doc;
    doc.m_bAutoDelete = FALSE;
    doc.OnNewDocument();
    // A new barcode object is a Code 39; the user types the text into it.
    CTemplate* tmpl = doc.GetCurrentTemplate();
    tmpl->SetLabelStock(MakeSheet(2, 3, 60000, 40000, 10000, 10000, 5000, 5000));
    auto* code = new CGraphBarcode;
    code->SetX(2000);
    code->SetY(2000);
    code->SetWidth(56000);
    code->SetHeight(30000);
    code->SetContentKind(kKindFixed);
    code->SetFixedText("ab-12");
    tmpl->GetArea(0)->Append(code);
    char name[CGraphBarcode::kNameSize] = {};
    ASSERT_TRUE(code->GetSymbologyName(name, sizeof name));
    ASSERT_STREQ("Code 39", name);
    ASSERT_TRUE(doc.CheckBeforePrint(nullptr));

    EngineView view(&doc);
    doc.AddView(&view);
    CPrintInfo info;
    ASSERT_TRUE(PrinterHandles(info.m_pPD->m_pd.hDevNames, info.m_pPD->m_pd.hDevMode));
    ASSERT_TRUE(doc.PreparePrinting(&info, &view));
    const std::string out = dir.Path("ab-12.ps").GetString();
    info.m_strOutputFile = out.c_str();
    ASSERT_NE(info.m_pPD->CreatePrinterDC(), nullptr);
    PrintJobRecorder spooler;
    EXPECT_FALSE(view.RunPrintJob(&info));

    // The job was abandoned at its first label (the engine's own AbortDoc): the loop ended no
    // page and finished no document.
    EXPECT_EQ("StartDoc StartPage", spooler.Names());
    EXPECT_TRUE(info.m_bJobAborted);
    EXPECT_EQ(0, info.m_nPagesPrinted);
    EXPECT_TRUE(doc.GetPrintState().jobFailed);
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_STREQ("Texten kan inte visas som Code 39 p\xE5 etikett nummer 1: \"ab-12\"", boxes.Last().text);
    EXPECT_STREQ("Utskrift avbruten", boxes.Last().caption);
    EXPECT_EQ(static_cast<UINT>(MB_ICONERROR), boxes.Last().Icon());
    // Whatever the driver wrote of the job holds no page: nothing that could be read as "  -12".
    const std::vector<char> ps = ReadFileBytes(out.c_str());
    const std::string written(ps.begin(), ps.end());
    EXPECT_EQ(std::string::npos, written.find("showpage"));
    EXPECT_EQ(std::string::npos, written.find("%%EOF"));
    doc.RemoveView(&view);

    ::GlobalFree(info.m_pPD->m_pd.hDevNames);
    ::GlobalFree(info.m_pPD->m_pd.hDevMode);
    info.m_pPD->m_pd.hDevNames = info.m_pPD->m_pd.hDevMode = nullptr;
}
