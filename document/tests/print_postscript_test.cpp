// A real print job: a 30-row table printed through the framework's print loop on a PostScript
// printer of the Wine prefix (wineps.drv). The job's file, with a manifest of where each label
// must be and what its barcodes hold, goes to $KORVELTA_PRINT_OUT for print_render_check.sh,
// which renders the pages with Ghostscript and decodes every label with zbarimg.
#include "printhelpers.h"

#include "testsupport/msgboxrecorder.h"
#include "testsupport/tempdir.h"

#include <gtest/gtest.h>
#include <fstream>
#include <string>

using namespace printtest;

namespace {

int Pixels300(long long um)
{
    return static_cast<int>((300 * um + 12700) / 25400);
}

} // namespace

TEST(PrintPostScript, ThirtyRowsOnThePostScriptPrinter)
{
    ASSERT_TRUE(EnsureFilePrinter());
    MessageBoxRecorder boxes;
    TempDir temp;
    const std::string folder = OutputFolder("KORVELTA_PRINT_OUT", temp);
    const std::string psFile = folder + "\\labels.ps";
    const std::string manifest = folder + "\\manifest.txt";
    DeleteFileA(psFile.c_str());
    DeleteFileA(manifest.c_str());

    COstrelindSoftLabelDoc doc;
    doc.m_bAutoDelete = FALSE;
    doc.OnNewDocument();
    const int rows = 30;
    BuildBarcodeLabels(doc, rows);
    ASSERT_TRUE(doc.CheckBeforePrint(nullptr));

    EngineView view(&doc);
    CPrintInfo info;
    ASSERT_TRUE(PrinterHandles(info.m_pPD->m_pd.hDevNames, info.m_pPD->m_pd.hDevMode));
    ASSERT_TRUE(doc.PreparePrinting(&info, &view));
    EXPECT_EQ(info.GetMaxPage(), 30u);
    // As if the user pressed OK in the dialog: all rows, the options as prepared.
    info.m_pPD->m_pd.nFromPage = 1;
    info.m_pPD->m_pd.nToPage = 30;
    CDC dc;
    ASSERT_NE(info.m_pPD->CreatePrinterDC(), nullptr);
    dc.Attach(info.m_pPD->m_pd.hDC);
    EXPECT_EQ(dc.GetDeviceCaps(LOGPIXELSX), 300);
    info.m_strOutputFile = psFile.c_str();
    EXPECT_TRUE(view.RunPrintJob(&dc, &info));
    dc.Detach();
    EXPECT_EQ(info.m_nPagesPrinted, 3);
    EXPECT_TRUE(info.m_bJobCompleted);
    EXPECT_EQ(boxes.Count(), 0u);
    EXPECT_FALSE(doc.GetPrintState().jobFailed);

    const std::vector<char> ps = ReadFileBytes(psFile.c_str());
    ASSERT_GT(ps.size(), 1000u);
    EXPECT_EQ(std::string(ps.begin(), ps.begin() + 10), "%!PS-Adobe");
    EXPECT_NE(std::string(ps.begin(), ps.end()).find("%%Pages: 3"), std::string::npos);

    // Where each label must be on the 300 dpi page: the printing offset is the page's margin,
    // so page pixels are the sheet's micrometres converted.
    std::ofstream list(manifest);
    list << "# page x y width height code128 qr\n";
    const int perPage = BarcodeSheet::kColumns * BarcodeSheet::kRows;
    for (int r = 0; r < rows; ++r) {
        const int position = r % perPage;
        const int column = position % BarcodeSheet::kColumns, row = position / BarcodeSheet::kColumns;
        const int x = Pixels300(static_cast<long long>(column) * BarcodeSheet::kPitchH + BarcodeSheet::kLeft);
        const int y = Pixels300(static_cast<long long>(row) * BarcodeSheet::kPitchV + BarcodeSheet::kTop);
        char line[128];
        std::snprintf(line, sizeof line, "LABEL %d %d %d %d %d KV-%05d QR-%05d\n", r / perPage + 1, x, y,
                      Pixels300(BarcodeSheet::kWidth), Pixels300(BarcodeSheet::kHeight), r + 1, r + 1);
        list << line;
    }
    list.close();
    EXPECT_TRUE(list.good());
    GlobalFree(info.m_pPD->m_pd.hDevNames);
    GlobalFree(info.m_pPD->m_pd.hDevMode);
    info.m_pPD->m_pd.hDevNames = info.m_pPD->m_pd.hDevMode = nullptr;
}
