// The test seams of the user interface: the print-dialog hook (and the real dialog without it),
// the shell opener, the recording CCmdUI.
#include "framework/app.h"
#include "framework/cmdtarget.h"
#include "framework/printdlg.h"
#include "framework/shellopen.h"
#include "testsupport/fileprinter.h"
#include "testsupport/printdialogrecorder.h"
#include "testsupport/shellrecorder.h"
#include "testsupport/testcmdui.h"

#include <gtest/gtest.h>
#include <string>

namespace {

TEST(PrintDialogSeam, TheSetupFormAnswersAPrinterWithoutAWindow)
{
    ASSERT_TRUE(printtest::EnsureFilePrinter());
    PrintDialogRecorder recorder;
    recorder.AnswerPrinter(printtest::kPrinterName);
    CPrintDialog setup(TRUE);
    setup.m_pd.hDevNames = CPrintDialog::MakeDevNames("winspool", "Somewhere Else", "LPT1:");
    ASSERT_EQ(IDOK, setup.DoModal());
    ASSERT_EQ(1u, recorder.Count());
    const RecordedPrintDialog& r = recorder.Last();
    EXPECT_TRUE(r.setup);
    EXPECT_EQ(CPrintDialog::kSetupFlags | PD_PRINTSETUP, r.flags);
    EXPECT_EQ("Somewhere Else", r.device);
    EXPECT_FALSE(r.customTemplate);
    EXPECT_EQ(printtest::kPrinterName, setup.GetDeviceName());
    EXPECT_EQ("winspool", setup.GetDriverName());
    ASSERT_NE(nullptr, setup.m_pd.hDevMode);                // the printer's own settings came along
    auto* mode = static_cast<DEVMODEA*>(::GlobalLock(setup.m_pd.hDevMode));
    EXPECT_STREQ(printtest::kPrinterName, reinterpret_cast<const char*>(mode->dmDeviceName));
    ::GlobalUnlock(setup.m_pd.hDevMode);
    EXPECT_EQ(nullptr, setup.GetPrinterDC());               // the setup form makes no DC
    ::GlobalFree(setup.m_pd.hDevNames);
    ::GlobalFree(setup.m_pd.hDevMode);
}

TEST(PrintDialogSeam, ThePrintFormAnswersARangeOrCancel)
{
    ASSERT_TRUE(printtest::EnsureFilePrinter());
    PrintDialogRecorder recorder;
    recorder.AnswerRange(2, 5);
    recorder.AnswerCancel();
    recorder.AnswerSelection();
    HGLOBAL names = nullptr, mode = nullptr;
    ASSERT_TRUE(printtest::PrinterHandles(names, mode));

    CPrintDialog print(FALSE, PD_ALLPAGES | PD_USEDEVMODECOPIES);
    print.m_pd.hDevNames = names;
    print.m_pd.hDevMode = mode;
    print.m_pd.nMinPage = 1;
    print.m_pd.nMaxPage = 9;
    ASSERT_EQ(IDOK, print.DoModal());
    EXPECT_TRUE(print.PrintRange());
    EXPECT_EQ(2, print.GetFromPage());
    EXPECT_EQ(5, print.GetToPage());
    EXPECT_NE(nullptr, print.GetPrinterDC());               // PD_RETURNDC: made from the handles
    const RecordedPrintDialog& r = recorder.Last();
    EXPECT_FALSE(r.setup);
    EXPECT_EQ(static_cast<DWORD>(PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_RETURNDC), r.flags);
    EXPECT_EQ(1, r.minPage);
    EXPECT_EQ(9, r.maxPage);
    EXPECT_EQ(printtest::kPrinterName, r.device);

    EXPECT_EQ(IDCANCEL, print.DoModal());
    EXPECT_EQ(nullptr, print.GetPrinterDC());
    ASSERT_EQ(IDOK, print.DoModal());
    EXPECT_TRUE(print.PrintSelection());
    EXPECT_FALSE(print.PrintRange());
    // Nothing queued: Cancel.
    EXPECT_EQ(IDCANCEL, print.DoModal());
    EXPECT_EQ(4u, recorder.Count());
    ::GlobalFree(print.m_pd.hDevNames);
    ::GlobalFree(print.m_pd.hDevMode);
}

BOOL CALLBACK CancelPrintDialog(HWND wnd, LPARAM found)
{
    char className[32] = {};
    ::GetClassNameA(wnd, className, sizeof className);
    if (std::string(className) == "#32770" && ::IsWindowVisible(wnd)) {
        *reinterpret_cast<int*>(found) += 1;
        ::PostMessageA(wnd, WM_COMMAND, IDCANCEL, 0);
    }
    return TRUE;
}

int g_printDialogsSeen = 0;

void CALLBACK CancelPrintDialogTimer(HWND, UINT, UINT_PTR, DWORD)
{
    ::EnumThreadWindows(::GetCurrentThreadId(), CancelPrintDialog, reinterpret_cast<LPARAM>(&g_printDialogsSeen));
}

TEST(PrintDialogSeam, WithoutTheHookTheSystemDialogRuns)
{
    ASSERT_TRUE(printtest::EnsureFilePrinter());
    g_printDialogsSeen = 0;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 100, CancelPrintDialogTimer);
    CPrintDialog setup(TRUE);
    EXPECT_EQ(IDCANCEL, setup.DoModal());
    ::KillTimer(nullptr, timer);
    EXPECT_GE(g_printDialogsSeen, 1);
    if (setup.m_pd.hDevNames)
        ::GlobalFree(setup.m_pd.hDevNames);
    if (setup.m_pd.hDevMode)
        ::GlobalFree(setup.m_pd.hDevMode);
}

TEST(ShellOpenerSeam, ShellAndHelpCallsAreRecordedNotRun)
{
    ShellRecorder recorder;
    EXPECT_TRUE(AfxShellExecute(nullptr, "open", "https://www.example.com/labels"));
    recorder.AnswerWith(FALSE);
    EXPECT_FALSE(AfxShellExecute(reinterpret_cast<HWND>(0x1234), "print", "C:\\a b.pdf", "/q", "C:\\", SW_HIDE));
    EXPECT_FALSE(AfxHtmlHelp(nullptr, "C:\\prog\\labels.chm::/html/start.htm", 0, 7));
    ASSERT_EQ(3u, recorder.Count());
    const ShellOpenRequest& first = recorder.Calls()[0];
    EXPECT_FALSE(first.help);
    EXPECT_EQ("open", first.verb);
    EXPECT_EQ("https://www.example.com/labels", first.file);
    EXPECT_EQ("", first.parameters);
    EXPECT_EQ(SW_SHOWNORMAL, first.show);
    const ShellOpenRequest& second = recorder.Calls()[1];
    EXPECT_EQ(reinterpret_cast<HWND>(0x1234), second.owner);
    EXPECT_EQ("print", second.verb);
    EXPECT_EQ("C:\\a b.pdf", second.file);
    EXPECT_EQ("/q", second.parameters);
    EXPECT_EQ("C:\\", second.directory);
    EXPECT_EQ(SW_HIDE, second.show);
    const ShellOpenRequest& help = recorder.Last();
    EXPECT_TRUE(help.help);
    EXPECT_EQ("C:\\prog\\labels.chm::/html/start.htm", help.file);
    EXPECT_EQ(0u, help.helpCommand);
    EXPECT_EQ(7u, help.helpData);
}

constexpr UINT ID_CHECKED = 700;
constexpr UINT ID_NAMED = 701;
constexpr UINT ID_COMMAND_ONLY = 702;

class CUpdateTarget : public CCmdTarget {
public:
    void OnUpdateChecked(CCmdUI* ui)
    {
        ui->Enable(FALSE);
        ui->SetCheck(2);
        ui->Enable(TRUE);
    }
    void OnUpdateNamed(CCmdUI* ui)
    {
        ui->SetRadio(TRUE);
        ui->SetText("Zoom 200%");
    }
    void OnCommandOnly() {}
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CUpdateTarget, CCmdTarget)
    ON_UPDATE_COMMAND_UI(ID_CHECKED, OnUpdateChecked)
    ON_UPDATE_COMMAND_UI(ID_NAMED, OnUpdateNamed)
    ON_COMMAND(ID_COMMAND_ONLY, OnCommandOnly)
END_MESSAGE_MAP()

TEST(TestCmdUISeam, RecordsWhatUpdateHandlersSayInOrder)
{
    CUpdateTarget target;
    CTestCmdUI checked(ID_CHECKED);
    EXPECT_TRUE(checked.DoUpdate(&target, TRUE));
    ASSERT_EQ(3u, checked.m_calls.size());
    EXPECT_EQ(CTestCmdUI::Call::Enable, checked.m_calls[0].call);
    EXPECT_EQ(0, checked.m_calls[0].value);
    EXPECT_EQ(CTestCmdUI::Call::SetCheck, checked.m_calls[1].call);
    EXPECT_EQ(2, checked.m_calls[1].value);
    EXPECT_TRUE(checked.m_bEnabled);
    EXPECT_EQ(2, checked.m_nCheck);

    CTestCmdUI named(ID_NAMED);
    named.DoUpdate(&target, TRUE);
    // The handler left the enabled state alone and there is no command handler: the route
    // disables the element after the handler.
    ASSERT_EQ(3u, named.m_calls.size());
    EXPECT_EQ(CTestCmdUI::Call::SetRadio, named.m_calls[0].call);
    EXPECT_EQ(CTestCmdUI::Call::SetText, named.m_calls[1].call);
    EXPECT_EQ("Zoom 200%", named.m_calls[1].text);
    EXPECT_EQ(CTestCmdUI::Call::Enable, named.m_calls[2].call);
    EXPECT_EQ(0, named.m_calls[2].value);
    EXPECT_EQ(1, named.m_nCheck);

    // No update handler: the route decides (enabled with a command handler, disabled without).
    CTestCmdUI commandOnly(ID_COMMAND_ONLY);
    commandOnly.DoUpdate(&target, TRUE);
    EXPECT_TRUE(commandOnly.m_bEnabled);
    CTestCmdUI nothing(799);
    nothing.DoUpdate(&target, TRUE);
    EXPECT_FALSE(nothing.m_bEnabled);
    EXPECT_TRUE(target.IsCommandEnabled(ID_CHECKED));
}

}  // namespace
