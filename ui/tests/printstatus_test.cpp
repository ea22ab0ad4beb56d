// The "Printing" window of the program's print commands: from the design canvas and from the table
// view, the window names the project and the printer over the disabled frame, and Cancel pressed
// on page 3 stops the job there; the counters, the modified flag and the project file stay as
// they were and no message follows.
#include "ui/tests/designviewtest.h"

#include "document/tests/printcancel.h"
#include "document/tests/printhelpers.h"
#include "framework/app.h"
#include "framework/print.h"
#include "labelmodel/graphtext.h"
#include "labelmodel/labelstock.h"
#include "labelmodel/textcontent.h"
#include "testsupport/fileprinter.h"
#include "testsupport/msgboxrecorder.h"
#include "testsupport/printdialogrecorder.h"
#include "testsupport/printjobrecorder.h"
#include "ui/commandids.h"
#include "ui/tableview.h"

#include <cstring>
#include <string>

using namespace designtest;

namespace {

std::string PortFile()
{
    return TempFile("korvelta-port.ps");
}

std::string Contents(const std::string& path)
{
    const std::vector<char> bytes = printtest::ReadFileBytes(path.c_str());
    return std::string(bytes.begin(), bytes.end());
}

} // namespace

class DesignPrintStatus : public DesignCanvas {
protected:
    void SetUp() override
    {
        DesignCanvas::SetUp();
        ASSERT_TRUE(printtest::EnsureFilePrinter());
        ::DeleteFileA(port.c_str());
        ::SetCursorPos(2, 2);
    }
    const std::string port = PortFile();
};

TEST_F(DesignPrintStatus, CancelOnPageThreeOfAHundredPagesStopsTheJobAndLeavesCounterProjectAndFlag)
{
    CLabel* stock = doc->GetCurrentTemplate()->GetLabelStock();
    stock->SetColumns(2);
    stock->SetRows(2);
    stock->SetPitchH(55000);
    stock->SetPitchV(35000);
    const int perPage = stock->GetColumns() * stock->GetRows() * stock->GetVerticalBlocks();
    ASSERT_EQ(4, perPage);

    auto* counter = new CGraphTextExt;
    counter->SetContentKind(kKindCounter);
    counter->SetCounterStartText("1");
    counter->SetX(3000);
    counter->SetY(3000);
    counter->SetWidth(20000);
    counter->SetHeight(6000);
    Area()->Append(counter);
    auto* cancel = new printtest::CancelAtLabel(2 * perPage + 1);
    cancel->pauseEvery = perPage;
    Area()->Append(cancel);
    // Without table data every position prints; a hundred copies of each make a hundred pages.
    doc->GetCurrentTemplate()->SetCopies(100);
    const CString project = dir.Path("counter.proj");
    doc->SetPathName(project, FALSE);
    ::DeleteFileA(project);
    doc->SetModifiedFlag(FALSE);

    MessageBoxRecorder boxes;
    PrintDialogRecorder dialogs;
    PrintJobRecorder spooler;
    Command(ID_FILE_PRINT_DIRECT);

    ASSERT_TRUE(cancel->clicked);
    const printtest::StatusSeen& seen = cancel->seen;
    EXPECT_TRUE(seen.visible);
    EXPECT_EQ("Printing", seen.caption);
    EXPECT_EQ(std::string("Document: ") + doc->GetTitle().GetString(), seen.document);
    EXPECT_EQ(std::string("Printer: ") + printtest::kPrinterName, seen.printer);
    EXPECT_EQ("Page 3", seen.page);
    EXPECT_EQ(host.GetSafeHwnd(), seen.owner);
    EXPECT_FALSE(seen.ownerEnabled);
    EXPECT_TRUE(seen.waitCursor);

    EXPECT_EQ("StartDoc StartPage EndPage StartPage EndPage StartPage AbortDoc", spooler.Names());
    EXPECT_EQ(0u, dialogs.Count());
    // Not printed: the counter did not move, nothing was saved or marked, nothing was said.
    char start[32] = {};
    ASSERT_TRUE(counter->GetCounterStartText(start, sizeof start));
    EXPECT_STREQ("1", start);
    EXPECT_FALSE(doc->IsModified());
    EXPECT_FALSE(Exists(project.GetString()));
    EXPECT_EQ(0u, boxes.Count());
    EXPECT_EQ(std::string::npos, Contents(port).find("%%EOF"));
    // The frame is back and the window gone.
    EXPECT_TRUE(::IsWindowEnabled(host.GetSafeHwnd()));
    EXPECT_EQ(nullptr, ::FindWindowA(nullptr, "Printing"));

    // The same job left alone prints to its end and advances the counter.
    doc->GetCurrentTemplate()->SetCopies(1);
    cancel->at = 1000;
    cancel->drawn = 0;
    cancel->clicked = false;
    spooler.Clear();
    Command(ID_FILE_PRINT_DIRECT);
    EXPECT_FALSE(cancel->clicked);
    EXPECT_EQ(1, spooler.Count("EndDoc"));
    EXPECT_EQ(0, spooler.Count("AbortDoc"));
    ASSERT_TRUE(counter->GetCounterStartText(start, sizeof start));
    EXPECT_STRNE("1", start);
    EXPECT_TRUE(Exists(project.GetString()));
    EXPECT_NE(std::string::npos, Contents(port).find("%%EOF"));
}

namespace {

class TablePrintStatus : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(printtest::EnsureFilePrinter());
        ::DeleteFileA(port.c_str());
        ::SetCursorPos(2, 2);
        doc = std::make_unique<COstrelindSoftLabelDoc>();
        doc->m_bAutoDelete = FALSE;
        doc->OnNewDocument();
        doc->SetTitle("Shelf labels.proj");
        ASSERT_TRUE(host.CreateEx(0, AfxRegisterWndClass(0), "table host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50,
                                  800, 600, nullptr, nullptr));
        CCreateContext context;
        context.m_pCurrentDoc = doc.get();
        view = new COstrelindSoftTableView();
        ASSERT_TRUE(view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 640, 480), &host, 1, &context));
        view->OnInitialUpdate();
    }
    void TearDown() override
    {
        if (view != nullptr && ::IsWindow(view->m_hWnd))
            view->DestroyWindow();
        DrainMessages();
        host.DestroyWindow();
    }

    CWinApp app{"KorveltaTablePrintStatus"};
    std::unique_ptr<COstrelindSoftLabelDoc> doc;
    CWnd host;
    COstrelindSoftTableView* view = nullptr;
    const std::string port = PortFile();
};

} // namespace

TEST_F(TablePrintStatus, TheTableViewsJobShowsTheWindowAndCancelOnPageThreeStopsIt)
{
    MessageBoxRecorder boxes;
    printtest::BuildBarcodeLabels(*doc, 100);
    view->ResizeGridRows();
    ASSERT_TRUE(doc->UsesTableData());
    const CLabel* stock = doc->GetCurrentTemplate()->GetLabelStock();
    const int perPage = stock->GetColumns() * stock->GetRows() * stock->GetVerticalBlocks();
    ASSERT_EQ(12, perPage);
    auto* cancel = new printtest::CancelAtLabel(2 * perPage + 5);
    cancel->pauseEvery = perPage;
    doc->GetCurrentTemplate()->GetArea(0)->Append(cancel);
    doc->SetModifiedFlag(FALSE);

    PrintJobRecorder spooler;
    view->SendMessage(WM_COMMAND, ID_FILE_PRINT_DIRECT);

    ASSERT_TRUE(cancel->clicked);
    EXPECT_TRUE(cancel->seen.visible);
    EXPECT_EQ("Document: Shelf labels.proj", cancel->seen.document);
    EXPECT_EQ(std::string("Printer: ") + printtest::kPrinterName, cancel->seen.printer);
    EXPECT_EQ("Page 3", cancel->seen.page);
    EXPECT_EQ(host.GetSafeHwnd(), cancel->seen.owner);
    EXPECT_FALSE(cancel->seen.ownerEnabled);
    EXPECT_EQ("StartDoc StartPage EndPage StartPage EndPage StartPage AbortDoc", spooler.Names());
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(0u, boxes.Count());
    EXPECT_EQ(std::string::npos, Contents(port).find("%%EOF"));
    EXPECT_TRUE(::IsWindowEnabled(host.GetSafeHwnd()));
    EXPECT_EQ(nullptr, ::FindWindowA(nullptr, "Printing"));
}
