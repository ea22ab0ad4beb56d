// The document menu of the tabbed main frame and its windows dialog, on a real frame with three
// open documents.
#include "framework/app.h"
#include "framework/doc.h"
#include "framework/frame.h"
#include "framework/view.h"
#include "framework/windowsdlg.h"
#include "testsupport/msgboxrecorder.h"
#include "testsupport/testcmdui.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

const UINT kWindowsCmd = 131;

class CWinDoc : public CDocument {};
class CWinView : public CView {};

class CWinFrame : public CMDIFrameWnd {
public:
    int dialogs = 0;
    void ShowWindowsDialog() override { ++dialogs; }
};

std::vector<std::string> MenuTexts(HMENU menu)
{
    std::vector<std::string> texts;
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
        char text[128] = {};
        ::GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
        UINT state = ::GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
        std::string entry = (state & MF_SEPARATOR) ? "-" : text;
        if (state & MF_CHECKED)
            entry += " [x]";
        texts.push_back(entry);
    }
    return texts;
}

void DrainQueue()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        if (msg.message != WM_QUIT)
            ::DispatchMessageA(&msg);
}

class WindowsDialog : public ::testing::Test {
protected:
    void SetUp() override
    {
        frame = new CWinFrame;
        ASSERT_TRUE(frame->LoadFrame(9980, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE));
        app.m_pMainWnd = frame;
        frame->ShowWindow(SW_SHOWNOACTIVATE);
        tmpl = new CMultiDocTemplate(9981, CreateNew<CWinDoc>, CreateNew<CChildFrame>, CreateNew<CWinView>);
        tmpl->SetDocStrings("\nSheet\nSheet\nSheets (*.sht)\n.sht\nKorvelta.Sheet\nSheet");
        app.AddDocTemplate(tmpl);
        for (int i = 0; i < 3; ++i)
            ASSERT_NE(nullptr, tmpl->OpenDocumentFile(nullptr));
        frame->GetChildren()[2]->GetActiveDocument()->SetTitle("R&D");
    }
    void TearDown() override
    {
        MessageBoxRecorder rec;
        if (app.m_pMainWnd == frame)
            frame->SendMessage(WM_CLOSE);
        DrainQueue();
    }

    CWinApp app{ "KorveltaWindowsDialogTest" };
    CWinFrame* frame = nullptr;
    CMultiDocTemplate* tmpl = nullptr;
};

} // namespace

TEST_F(WindowsDialog, DocumentMenuListsTabsThenTheWindowsItem)
{
    frame->EnableDocumentMenu();
    EXPECT_FALSE(frame->GetTabArea().GetMenuButtonRect().IsRectEmpty());

    HMENU menu = frame->BuildDocumentMenu();
    std::vector<std::string> plain = { "Sheet1", "Sheet2", "R&&D [x]" };
    EXPECT_EQ(plain, MenuTexts(menu));   // no windows item until it is enabled
    ::DestroyMenu(menu);

    frame->EnableWindowsDialog(kWindowsCmd, "&Windows...", TRUE);
    menu = frame->BuildDocumentMenu();
    std::vector<std::string> full = { "Sheet1", "Sheet2", "R&&D [x]", "-", "&Windows..." };
    EXPECT_EQ(full, MenuTexts(menu));
    ::DestroyMenu(menu);

    frame->OnDocumentMenuChoice(1);
    EXPECT_EQ(frame->GetChildren()[0], frame->MDIGetActive());
    frame->OnDocumentMenuChoice(4);     // the windows item raises the command through the route
    EXPECT_EQ(1, frame->dialogs);
    frame->OnDocumentMenuChoice(0);     // menu dismissed
    frame->OnDocumentMenuChoice(99);
    EXPECT_EQ(1, frame->dialogs);
}

TEST_F(WindowsDialog, WindowsItemWithoutShowAlwaysNeedsADocument)
{
    frame->EnableDocumentMenu();
    frame->EnableWindowsDialog(kWindowsCmd, "&Windows...", FALSE);
    HMENU menu = frame->BuildDocumentMenu();
    EXPECT_EQ(5, ::GetMenuItemCount(menu));
    ::DestroyMenu(menu);
    {
        MessageBoxRecorder rec;
        app.CloseAllDocuments(FALSE);
    }
    menu = frame->BuildDocumentMenu();
    EXPECT_EQ(0, ::GetMenuItemCount(menu));
    ::DestroyMenu(menu);
    frame->EnableWindowsDialog(kWindowsCmd, "&Windows...", TRUE);
    menu = frame->BuildDocumentMenu();
    EXPECT_EQ(std::vector<std::string>{ "&Windows..." }, MenuTexts(menu));
    ::DestroyMenu(menu);
}

TEST_F(WindowsDialog, CommandIsEnabledOnlyOnceConfigured)
{
    CTestCmdUI before;
    before.m_nID = kWindowsCmd;
    before.DoUpdate(frame, TRUE);
    EXPECT_FALSE(before.m_bEnabled);

    frame->EnableWindowsDialog(kWindowsCmd, nullptr, TRUE);
    CTestCmdUI after;
    after.m_nID = kWindowsCmd;
    after.DoUpdate(frame, TRUE);
    EXPECT_TRUE(after.m_bEnabled);
    frame->SendMessage(WM_COMMAND, kWindowsCmd);
    EXPECT_EQ(1, frame->dialogs);
}

TEST_F(WindowsDialog, DialogActivatesAndClosesDocuments)
{
    CWindowsDialog dialog(frame);
    ASSERT_TRUE(dialog.CreateModeless());
    EXPECT_EQ(3, dialog.GetListCount());
    CMDIChildWnd* first = frame->GetChildren()[0];
    CMDIChildWnd* second = frame->GetChildren()[1];

    dialog.SelectItem(1);
    dialog.ActivateSelected();          // ends the dialog
    EXPECT_EQ(second, frame->MDIGetActive());
    EXPECT_EQ(nullptr, dialog.m_hWnd);

    CWindowsDialog closer(frame);
    ASSERT_TRUE(closer.CreateModeless());
    closer.SelectItem(0);
    closer.SelectItem(2, true);
    {
        MessageBoxRecorder rec;         // unmodified documents close without asking
        closer.CloseSelected();
        EXPECT_EQ(0u, rec.Count());
    }
    ASSERT_EQ(1u, frame->GetChildren().size());
    EXPECT_EQ(second, frame->GetChildren()[0]);
    EXPECT_NE(first, frame->GetChildren()[0]);
    EXPECT_EQ(1, closer.GetListCount());
    closer.DestroyWindow();
}
