// Cancel pressed in the print loop's status window while the engine prints: the engine asks
// between labels, so a job stops in the middle of a page; a cancelled job counts as not printed
// (no counter moves, nothing is saved or marked, no message).
#include "printcancel.h"
#include "printhelpers.h"

#include "testsupport/msgboxrecorder.h"
#include "testsupport/printjobrecorder.h"
#include "testsupport/tempdir.h"

#include <gtest/gtest.h>
#include <string>

using namespace printtest;

namespace {

// 2 x 3 labels of 30 x 20 mm on A4.
const int kPerPage = 6;

struct CancelFixture {
    COstrelindSoftLabelDoc doc;
    std::vector<DrawCall> calls;
    CallRecorder* recorder = nullptr;
    CancelAtLabel* cancel = nullptr;
    EngineView view{&doc};

    explicit CancelFixture(int cancelAt)
    {
        doc.m_bAutoDelete = FALSE;
        doc.OnNewDocument();
        CTemplate* tmpl = doc.GetCurrentTemplate();
        tmpl->SetLabelStock(MakeSheet(2, 3, 30000, 20000, 10000, 10000, 5000, 5000));
        recorder = new CallRecorder(&calls);
        recorder->usesColumn = true;
        recorder->counter = true;
        tmpl->GetArea(0)->Append(recorder);
        cancel = new CancelAtLabel(cancelAt);
        tmpl->GetArea(0)->Append(cancel);
        doc.AddView(&view);
    }
};

std::string Text(const std::vector<char>& bytes)
{
    return std::string(bytes.begin(), bytes.end());
}

} // namespace

TEST(PrintCancel, CancelInTheMiddleOfPageThreeStopsAJobOfAllPagesThereAndCountsAsNotPrinted)
{
    ASSERT_TRUE(EnsureFilePrinter());
    MessageBoxRecorder boxes;
    TempDir dir;
    // Cancel at the third label of page 3.
    CancelFixture f(2 * kPerPage + 3);
    f.cancel->pauseEvery = kPerPage;
    // Copies from column A: two rows of 100,000 copies each, more than the loop's 0xFFFE pages.
    FillRows(f.doc, 2, {"100000"});
    f.doc.GetCurrentTemplate()->SetCopies(-1);
    const CString project = dir.Path("shelf.proj");
    f.doc.SetPathName(project, FALSE);
    f.doc.SetModifiedFlag(FALSE);

    CPrintInfo info;
    ASSERT_TRUE(PrinterHandles(info.m_pPD->m_pd.hDevNames, info.m_pPD->m_pd.hDevMode));
    ASSERT_TRUE(f.doc.PreparePrinting(&info, &f.view));
    const std::string out = dir.Path("cancelled.ps").GetString();
    info.m_strOutputFile = out.c_str();
    ASSERT_NE(info.m_pPD->CreatePrinterDC(), nullptr);

    PrintJobRecorder spooler;
    EXPECT_FALSE(f.view.RunPrintJob(&info));

    // The window showed the job when Cancel was pressed.
    ASSERT_TRUE(f.cancel->clicked);
    EXPECT_TRUE(f.cancel->seen.visible);
    EXPECT_EQ("Printing", f.cancel->seen.caption);
    EXPECT_EQ(std::string("Document: ") + f.doc.GetTitle().GetString(), f.cancel->seen.document);
    EXPECT_EQ(std::string("Printer: ") + kPrinterName, f.cancel->seen.printer);
    EXPECT_EQ("Page 3", f.cancel->seen.page);
    EXPECT_TRUE(f.cancel->seen.waitCursor);

    // Not one label after the one being drawn when Cancel came: the engine asked before the next.
    EXPECT_EQ(static_cast<size_t>(2 * kPerPage + 3), f.calls.size());
    EXPECT_EQ("StartDoc StartPage EndPage StartPage EndPage StartPage AbortDoc", spooler.Names());
    EXPECT_EQ(2, info.m_nPagesPrinted);
    EXPECT_TRUE(info.m_bUserAbort);
    EXPECT_TRUE(f.doc.GetPrintState().jobFailed);
    EXPECT_EQ(nullptr, ::FindWindowA(nullptr, "Printing"));

    // Not printed: the counters stay, the project is neither saved nor marked, nothing is said.
    EXPECT_FALSE(f.doc.CommitAutoIncrementAfterPrint());
    EXPECT_EQ(0, f.recorder->advancedBy);
    EXPECT_FALSE(f.doc.IsModified());
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(project));
    EXPECT_EQ(0u, boxes.Count());
    const std::string written = Text(ReadFileBytes(out.c_str()));
    EXPECT_EQ(std::string::npos, written.find("%%EOF"));

    ::GlobalFree(info.m_pPD->m_pd.hDevNames);
    ::GlobalFree(info.m_pPD->m_pd.hDevMode);
    info.m_pPD->m_pd.hDevNames = info.m_pPD->m_pd.hDevMode = nullptr;
}

TEST(PrintCancel, AJobNobodyCancelsPrintsEveryLabelAndAdvancesTheCounters)
{
    ASSERT_TRUE(EnsureFilePrinter());
    MessageBoxRecorder boxes;
    TempDir dir;
    // Never reached: the job has 15 labels.
    CancelFixture f(1000);
    FillRows(f.doc, 15, {"r%d"});
    const CString project = dir.Path("shelf.proj");
    f.doc.SetPathName(project, FALSE);

    CPrintInfo info;
    ASSERT_TRUE(PrinterHandles(info.m_pPD->m_pd.hDevNames, info.m_pPD->m_pd.hDevMode));
    ASSERT_TRUE(f.doc.PreparePrinting(&info, &f.view));
    const std::string out = dir.Path("whole.ps").GetString();
    info.m_strOutputFile = out.c_str();
    ASSERT_NE(info.m_pPD->CreatePrinterDC(), nullptr);
    PrintJobRecorder spooler;
    EXPECT_TRUE(f.view.RunPrintJob(&info));
    EXPECT_FALSE(f.cancel->clicked);
    EXPECT_EQ(15u, f.calls.size());
    EXPECT_EQ(3, info.m_nPagesPrinted);
    EXPECT_EQ(1, spooler.Count("EndDoc"));
    EXPECT_EQ(0, spooler.Count("AbortDoc"));
    EXPECT_TRUE(f.doc.CommitAutoIncrementAfterPrint());
    EXPECT_EQ(15, f.recorder->advancedBy);
    EXPECT_NE(std::string::npos, Text(ReadFileBytes(out.c_str())).find("%%EOF"));

    ::GlobalFree(info.m_pPD->m_pd.hDevNames);
    ::GlobalFree(info.m_pPD->m_pd.hDevMode);
    info.m_pPD->m_pd.hDevNames = info.m_pPD->m_pd.hDevMode = nullptr;
}
