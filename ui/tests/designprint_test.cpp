// Printing from the design canvas through the print dialog's hook and the file printers of the
// Wine prefix: a cancelled dialog changes nothing, another printer chosen is stored and the same
// one is not, a refused preparation shows no dialog, and a table-driven template goes to the table
// view showing the current table, at once when printing directly.
#include "ui/tests/designviewtest.h"

#include "document/labeldocviews.h"
#include "framework/app.h"
#include "framework/cmdline.h"
#include "labelmodel/graphtext.h"
#include "labelmodel/textcontent.h"
#include "labelmodel/labelstock.h"
#include "testsupport/fileprinter.h"
#include "testsupport/printdialogrecorder.h"
#include "ui/commandids.h"
#include "ui/printerhandles.h"

#include <cstdlib>
#include <string>
#include <vector>

using namespace designtest;

namespace {

// A table view that only records the commands it receives.
class RecordingTableView : public CView, public CLabelDocTableView {
public:
    int shownTable = -1;
    std::vector<UINT> commands;

    int GetSelectedRowCount() override { return 0; }
    bool GetGridFont(LOGFONTA&) override { return false; }
    void SetGridFont(const LOGFONTA&) override {}
    void EndGridEdit() override {}
    int GetShownTable() const override { return shownTable; }
    void OnDraw(CDC*) override {}
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_COMMAND && lParam == 0) {
            commands.push_back(LOWORD(wParam));
            return 0;
        }
        return CView::WindowProc(message, wParam, lParam);
    }
};

} // namespace

class DesignPrint : public DesignCanvas {
protected:
    void SetUp() override
    {
        DesignCanvas::SetUp();
        ASSERT_TRUE(printtest::EnsureFilePrinter());
        secondPort = TempFile("korvelta-second.ps");
        ASSERT_TRUE(printtest::InstallFilePrinter(kSecond, secondPort.c_str()));
        defaultPort = TempFile("korvelta-port.ps");
        ::DeleteFileA(defaultPort.c_str());
        ::DeleteFileA(secondPort.c_str());
        AddRect(2000, 2000, 20000, 10000)->SetLineWidth(500);
        doc->SetModifiedFlag(FALSE);
    }
    static constexpr const char* kSecond = "Korvelta Second Printer";
    std::string defaultPort;
    std::string secondPort;
};

TEST_F(DesignPrint, ACancelledDialogLeavesPrinterCountersAndModifiedFlagAsTheyWere)
{
    doc->SetStoredPrinter("", "", "");
    doc->SetModifiedFlag(FALSE);
    PrintDialogRecorder dialogs;
    dialogs.AnswerCancel();
    Command(ID_FILE_PRINT);
    ASSERT_EQ(1u, dialogs.Count());
    EXPECT_FALSE(dialogs.Last().setup);
    CString device, driver, port;
    doc->GetStoredPrinter(device, driver, port);
    EXPECT_TRUE(device.IsEmpty());
    EXPECT_FALSE(doc->IsModified());
    EXPECT_FALSE(Exists(defaultPort));
    EXPECT_FALSE(Exists(secondPort));
}

TEST_F(DesignPrint, AnotherPrinterChosenIsStoredAndPrintsThereTheSameOneChangesNothing)
{
    PrintDialogRecorder dialogs;
    dialogs.AnswerPrinter(kSecond);
    Command(ID_FILE_PRINT);
    ASSERT_EQ(1u, dialogs.Count());
    CString device, driver, port;
    doc->GetStoredPrinter(device, driver, port);
    EXPECT_STREQ(kSecond, device);
    EXPECT_STREQ(secondPort.c_str(), port);
    const std::vector<char> job = printtest::ReadFileBytes(secondPort.c_str());
    ASSERT_GT(job.size(), 100u);
    EXPECT_EQ(0, std::string(job.data(), 4).compare("%!PS"));
    EXPECT_FALSE(Exists(defaultPort));

    // Printing again on the stored printer: the dialog starts on it, and OK there stores nothing.
    ::DeleteFileA(secondPort.c_str());
    doc->SetModifiedFlag(FALSE);
    dialogs.AnswerOK();
    Command(ID_FILE_PRINT);
    ASSERT_EQ(2u, dialogs.Count());
    EXPECT_STREQ(kSecond, dialogs.Last().device);
    EXPECT_FALSE(doc->IsModified());
    EXPECT_TRUE(Exists(secondPort));
}

TEST_F(DesignPrint, APreparationThatRefusesShowsItsMessageAndNoDialogAndWritesNoJob)
{
    doc->GetCurrentTemplate()->GetLabelStock()->SetRows(0);
    PrintDialogRecorder dialogs;
    MessageBoxRecorder boxes;
    Command(ID_FILE_PRINT);
    EXPECT_EQ(0u, dialogs.Count());
    EXPECT_EQ(1u, boxes.Count());
    EXPECT_FALSE(Exists(defaultPort));
    Command(ID_FILE_PRINT_DIRECT);
    EXPECT_EQ(2u, boxes.Count());
    EXPECT_FALSE(Exists(defaultPort));
}

TEST_F(DesignPrint, ATableTemplateGoesToTheViewShowingTheCurrentTableAtOnceWhenDirect)
{
    auto* text = new CGraphTextExt;
    text->SetColumnName("A");
    text->SetX(5000);
    text->SetY(5000);
    text->SetWidth(20000);
    text->SetHeight(5000);
    Area()->Append(text);
    CDataTableBase* table = doc->CurrentSlot().Table();
    for (int r = 0; r < 5; ++r)
        table->SetCellText(r, 0, "row");
    ASSERT_TRUE(doc->UsesTableData());

    // The first table view shows another table; the second one the current table.
    auto* other = new RecordingTableView;
    other->shownTable = doc->GetCurrentTableIndex() + 1;
    auto* current = new RecordingTableView;
    current->shownTable = doc->GetCurrentTableIndex();
    for (RecordingTableView* tv : {other, current}) {
        doc->AddView(tv);
        ASSERT_TRUE(tv->Create(nullptr, "", WS_CHILD, CRect(0, 0, 10, 10), &host, 2));
    }

    PrintDialogRecorder dialogs;
    Command(ID_FILE_PRINT_DIRECT);
    // Sent, not posted: it has arrived before the command returns.
    ASSERT_EQ(1u, current->commands.size());
    EXPECT_EQ(static_cast<UINT>(ID_FILE_PRINT_DIRECT), current->commands[0]);
    EXPECT_TRUE(other->commands.empty());
    EXPECT_EQ(0u, dialogs.Count());
    EXPECT_FALSE(Exists(defaultPort));

    Command(ID_FILE_PRINT);
    DrainMessages();
    ASSERT_EQ(2u, current->commands.size());
    EXPECT_EQ(static_cast<UINT>(ID_FILE_PRINT), current->commands[1]);
    EXPECT_TRUE(other->commands.empty());
    EXPECT_EQ(0u, dialogs.Count());
}

TEST_F(DesignPrint, ACommandLinePrintShowsNoDialogAndPtPrintsOnTheNamedPrinterForThatJobOnly)
{
    const CString project = dir.Path("saved.proj");
    CCommandLineInfo pt;
    app->m_strCmdLine = CString("/pt \"") + project + "\" \"" + kSecond + "\" \"" + printtest::kDriverName + "\" \"" +
                        secondPort.c_str() + "\"";
    app->ParseCommandLine(pt);
    ASSERT_EQ(CCommandLineInfo::FilePrintTo, pt.m_nShellCommand);
    EXPECT_STREQ(kSecond, pt.m_strPrinterName);

    PrintDialogRecorder dialogs;
    app->m_pCmdInfo = &pt;
    Command(ID_FILE_PRINT);
    app->m_pCmdInfo = nullptr;
    EXPECT_EQ(0u, dialogs.Count());
    const std::vector<char> job = printtest::ReadFileBytes(secondPort.c_str());
    ASSERT_GT(job.size(), 100u);
    EXPECT_EQ(0, std::string(job.data(), 4).compare("%!PS"));
    EXPECT_FALSE(Exists(defaultPort));
    // The template keeps its printer: the named one was for that job.
    CString device, driver, port;
    doc->GetStoredPrinter(device, driver, port);
    EXPECT_STRNE(kSecond, device);

    CCommandLineInfo p;
    app->m_strCmdLine = CString("/p \"") + project + "\"";
    app->ParseCommandLine(p);
    ASSERT_EQ(CCommandLineInfo::FilePrint, p.m_nShellCommand);
    doc->SetStoredPrinter(printtest::kPrinterName, printtest::kDriverName, defaultPort.c_str());
    app->m_pCmdInfo = &p;
    Command(ID_FILE_PRINT_DIRECT);
    app->m_pCmdInfo = nullptr;
    EXPECT_EQ(0u, dialogs.Count());
    EXPECT_TRUE(Exists(defaultPort));
}

TEST_F(DesignPrint, ACounterTemplatePrintedTwiceIsSavedWithItsCounterAdvanced)
{
    auto* counter = new CGraphTextExt;
    counter->SetContentKind(kKindCounter);
    counter->SetCounterStartText("1");
    counter->SetX(3000);
    counter->SetY(15000);
    counter->SetWidth(20000);
    counter->SetHeight(6000);
    Area()->Append(counter);
    ASSERT_TRUE(counter->IsCounter());
    const CString project = dir.Path("counter.proj");
    doc->SetPathName(project, FALSE);
    ::DeleteFileA(project);

    char start[32] = {};
    int last = 1;
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        ::DeleteFileA(project);
        Command(ID_FILE_PRINT_DIRECT);
        ASSERT_TRUE(Exists(defaultPort));
        ASSERT_TRUE(counter->GetCounterStartText(start, sizeof start));
        EXPECT_GT(std::atoi(start), last);
        last = std::atoi(start);
        EXPECT_TRUE(Exists(project.GetString()));
        EXPECT_FALSE(doc->IsModified());
    }
}
