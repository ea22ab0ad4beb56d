// Command routing through a real window tree: main frame with a tabbed child frame, its view and
// document, and the application; menus and status panes updated through CCmdUI.
#include "framework/app.h"
#include "framework/doc.h"
#include "framework/frame.h"
#include "framework/statusbar.h"
#include "framework/stdids.h"
#include "framework/view.h"
#include "testsupport/msgboxrecorder.h"
#include "testsupport/testcmdui.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

enum : UINT {
    ID_VIEW_CMD = 40001,
    ID_DOC_CMD,
    ID_CHILD_CMD,
    ID_FRAME_CMD,
    ID_APP_CMD,
    ID_SHARED,          // view and document both handle it: the view wins
    ID_NOTHING,         // no handler anywhere
    ID_ONLY_CMD,        // command handler in the document, no update handler
    ID_UPDATE_OFF,      // command handler, and an update handler that disables it
    ID_CHECKED,         // update handler checks and renames it
    ID_PANE_DOC,
    ID_PANE_FRAME,
};

std::vector<std::string> g_log;

class CRouteDoc : public CDocument {
public:
    void OnDocCmd() { g_log.push_back("doc"); }
    void OnShared() { g_log.push_back("doc shared"); }
    void OnOnlyCmd() { g_log.push_back("doc only"); }
    void OnUpdatePane(CCmdUI* ui) { ui->SetText("from the document"); }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CRouteDoc, CDocument)
    ON_COMMAND(ID_DOC_CMD, OnDocCmd)
    ON_COMMAND(ID_SHARED, OnShared)
    ON_COMMAND(ID_ONLY_CMD, OnOnlyCmd)
    ON_UPDATE_COMMAND_UI(ID_PANE_DOC, OnUpdatePane)
END_MESSAGE_MAP()

class CRouteView : public CView {
public:
    void OnViewCmd() { g_log.push_back("view"); }
    void OnShared() { g_log.push_back("view shared"); }
    void OnUpdateChecked(CCmdUI* ui)
    {
        ui->Enable(TRUE);
        ui->SetCheck(1);
        ui->SetText("Checked &item");
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CRouteView, CView)
    ON_COMMAND(ID_VIEW_CMD, OnViewCmd)
    ON_COMMAND(ID_SHARED, OnShared)
    ON_UPDATE_COMMAND_UI(ID_CHECKED, OnUpdateChecked)
END_MESSAGE_MAP()

class CRouteChild : public CChildFrame {
public:
    void OnChildCmd() { g_log.push_back("child"); }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CRouteChild, CChildFrame)
    ON_COMMAND(ID_CHILD_CMD, OnChildCmd)
END_MESSAGE_MAP()

class CRouteMainFrame : public CMDIFrameWnd {
public:
    CStatusBar m_wndStatusBar;
    int OnCreate(LPCREATESTRUCTA cs)
    {
        if (CMDIFrameWnd::OnCreate(cs) == -1)
            return -1;
        static const UINT panes[] = { ID_PANE_DOC, ID_PANE_FRAME };
        if (!m_wndStatusBar.Create(this) || !m_wndStatusBar.SetIndicators(panes, 2))
            return -1;
        RecalcLayout();
        return 0;
    }
    void OnFrameCmd() { g_log.push_back("frame"); }
    void OnUpdateOff(CCmdUI* ui) { ui->Enable(FALSE); }
    void OnOff() { g_log.push_back("off ran"); }
    void OnUpdatePaneDoc(CCmdUI* ui) { ui->SetText("from the frame"); }
    void OnUpdatePaneFrame(CCmdUI* ui) { ui->SetText("frame pane"); }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CRouteMainFrame, CMDIFrameWnd)
    ON_WM_CREATE()
    ON_COMMAND(ID_FRAME_CMD, OnFrameCmd)
    ON_COMMAND(ID_UPDATE_OFF, OnOff)
    ON_UPDATE_COMMAND_UI(ID_UPDATE_OFF, OnUpdateOff)
    ON_UPDATE_COMMAND_UI(ID_PANE_DOC, OnUpdatePaneDoc)
    ON_UPDATE_COMMAND_UI(ID_PANE_FRAME, OnUpdatePaneFrame)
END_MESSAGE_MAP()

class CRouteApp : public CWinApp {
public:
    CRouteApp() : CWinApp("KorveltaFrameworkRouting") {}
    int idleCalls = 0;
    BOOL OnIdle(LONG count) override
    {
        if (idleCalls++ == 0)
            ::PostQuitMessage(7);
        return CWinApp::OnIdle(count);
    }
    void OnAppCmd() { g_log.push_back("app"); }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CRouteApp, CWinApp)
    ON_COMMAND(ID_APP_CMD, OnAppCmd)
END_MESSAGE_MAP()

void DrainQueue()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message != WM_QUIT)
            ::DispatchMessageA(&msg);
    }
}

class Routing : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_log.clear();
        frame = new CRouteMainFrame;
        ASSERT_TRUE(frame->LoadFrame(9990, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE));
        frame->SetTitle("Router");
        app.m_pMainWnd = frame;
        frame->ShowWindow(SW_SHOWNOACTIVATE);
        tmpl = new CMultiDocTemplate(9991, CreateNew<CRouteDoc>, CreateNew<CRouteChild>, CreateNew<CRouteView>);
        tmpl->SetDocStrings("\nRoute\nRoute\nRoute files (*.rte)\n.rte\nKorvelta.Route\nRoute file");
        app.AddDocTemplate(tmpl);
        doc = tmpl->OpenDocumentFile(nullptr);
        ASSERT_NE(nullptr, doc);
    }
    void TearDown() override
    {
        MessageBoxRecorder rec;
        if (frame != nullptr && app.m_pMainWnd == frame)
            frame->SendMessage(WM_CLOSE);
        DrainQueue();
    }
    void Command(UINT id) { frame->SendMessage(WM_COMMAND, id); }
    CView* ActiveView() { return frame->MDIGetActive()->GetActiveView(); }

    CRouteApp app;
    CRouteMainFrame* frame = nullptr;
    CMultiDocTemplate* tmpl = nullptr;
    CDocument* doc = nullptr;
};

} // namespace

TEST_F(Routing, WindowTreeOfANewDocument)
{
    CMDIChildWnd* child = frame->MDIGetActive();
    ASSERT_NE(nullptr, child);
    EXPECT_EQ(1u, frame->GetChildren().size());
    ASSERT_NE(nullptr, ActiveView());
    EXPECT_EQ(doc, ActiveView()->GetDocument());
    EXPECT_EQ(doc, frame->GetActiveDocument());
    EXPECT_EQ(child, ActiveView()->GetParentFrame());
    EXPECT_EQ(frame, child->GetParentFrame());
    EXPECT_STREQ("Route1", doc->GetTitle());
    EXPECT_STREQ("Route1", child->GetWindowText());
    EXPECT_STREQ("Router - Route1", frame->GetWindowText());
    EXPECT_TRUE(child->IsWindowVisible());
}

TEST_F(Routing, FirstHandlerAlongViewDocumentChildFrameApplicationWins)
{
    for (UINT id : { ID_VIEW_CMD, ID_DOC_CMD, ID_CHILD_CMD, ID_FRAME_CMD, ID_APP_CMD, ID_SHARED, ID_NOTHING })
        Command(id);
    std::vector<std::string> expected = { "view", "doc", "child", "frame", "app", "view shared" };
    EXPECT_EQ(expected, g_log);
}

TEST_F(Routing, UpdateRuleDisablesElementsWithoutAnyHandler)
{
    struct Case {
        UINT id;
        BOOL enabled;
    } cases[] = {
        { ID_VIEW_CMD, TRUE }, { ID_DOC_CMD, TRUE }, { ID_CHILD_CMD, TRUE }, { ID_FRAME_CMD, TRUE },
        { ID_APP_CMD, TRUE },  { ID_ONLY_CMD, TRUE }, { ID_NOTHING, FALSE }, { ID_UPDATE_OFF, FALSE },
    };
    for (const Case& c : cases) {
        CTestCmdUI ui;
        ui.m_nID = c.id;
        ui.DoUpdate(frame, TRUE);
        EXPECT_EQ(c.enabled, ui.m_bEnabled) << c.id;
    }
    Command(ID_UPDATE_OFF);   // disabled by its update handler: never runs
    EXPECT_TRUE(g_log.empty());
}

TEST_F(Routing, MenuPopupIsUpdatedThroughTheRoute)
{
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    menu.AppendMenu(MF_STRING, ID_VIEW_CMD, "View");
    menu.AppendMenu(MF_SEPARATOR);
    menu.AppendMenu(MF_STRING, ID_NOTHING, "Nothing");
    menu.AppendMenu(MF_STRING, ID_ONLY_CMD, "Only command");
    menu.AppendMenu(MF_STRING | MF_GRAYED, ID_CHECKED, "Checked");
    menu.AppendMenu(MF_STRING, ID_UPDATE_OFF, "Off");
    frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu.m_hMenu), 0);
    auto grayed = [&](int pos) { return (menu.GetMenuState(pos, MF_BYPOSITION) & MF_GRAYED) != 0; };
    EXPECT_FALSE(grayed(0));
    EXPECT_TRUE(grayed(2));
    EXPECT_FALSE(grayed(3));
    EXPECT_FALSE(grayed(4));
    EXPECT_TRUE(menu.GetMenuState(4, MF_BYPOSITION) & MF_CHECKED);
    EXPECT_STREQ("Checked &item", menu.GetMenuString(4, MF_BYPOSITION));
    EXPECT_TRUE(grayed(5));
}

TEST_F(Routing, StatusPanesFollowTheActiveDocumentAtIdleTime)
{
    app.OnIdle(0);
    EXPECT_STREQ("from the document", frame->m_wndStatusBar.GetPaneText(0));
    EXPECT_STREQ("frame pane", frame->m_wndStatusBar.GetPaneText(1));
    // Without a document the frame's own handler answers.
    doc->OnCloseDocument();
    EXPECT_EQ(nullptr, frame->MDIGetActive());
    app.OnIdle(0);
    EXPECT_STREQ("from the frame", frame->m_wndStatusBar.GetPaneText(0));
}

TEST_F(Routing, AcceleratorsReachTheRouteFromTheFocusWindow)
{
    ACCEL accel = { FVIRTKEY, VK_F7, static_cast<WORD>(ID_VIEW_CMD) };
    frame->m_hAccelTable = ::CreateAcceleratorTableA(&accel, 1);
    MSG msg = { ActiveView()->m_hWnd, WM_KEYDOWN, VK_F7, 0, 0, { 0, 0 } };
    EXPECT_TRUE(app.PreTranslateMessage(&msg));
    MSG other = { ActiveView()->m_hWnd, WM_KEYDOWN, VK_F8, 0, 0, { 0, 0 } };
    EXPECT_FALSE(app.PreTranslateMessage(&other));
    ::DestroyAcceleratorTable(frame->m_hAccelTable);
    frame->m_hAccelTable = nullptr;
    EXPECT_EQ(std::vector<std::string>{ "view" }, g_log);
}

TEST_F(Routing, RunDispatchesThenIdlesThenQuits)
{
    frame->PostMessage(WM_COMMAND, ID_DOC_CMD);
    int code = app.Run();
    EXPECT_EQ(7, code);
    EXPECT_GE(app.idleCalls, 1);
    EXPECT_EQ(std::vector<std::string>{ "doc" }, g_log);
    EXPECT_STREQ("from the document", frame->m_wndStatusBar.GetPaneText(0));
}

TEST_F(Routing, TabsActivateAndCloseDocuments)
{
    CMDIChildWnd* first = frame->MDIGetActive();
    CDocument* second = tmpl->OpenDocumentFile(nullptr);
    ASSERT_NE(nullptr, second);
    CMDIChildWnd* secondFrame = frame->MDIGetActive();
    EXPECT_NE(first, secondFrame);
    EXPECT_EQ(second, frame->GetActiveDocument());
    EXPECT_FALSE(first->IsWindowVisible());

    // A click on the first tab activates it; the close box of the active tab closes it.
    CMDITabArea& tabs = frame->GetTabArea();
    CRect tab0 = tabs.GetTabRect(0);
    tabs.SendMessage(WM_LBUTTONDOWN, 0, MAKELPARAM(tab0.left + 3, tab0.top + 3));
    EXPECT_EQ(first, frame->MDIGetActive());
    EXPECT_EQ(doc, frame->GetActiveDocument());
    EXPECT_STREQ("Router - Route1", frame->GetWindowText());

    doc->SetModifiedFlag(TRUE);
    MessageBoxRecorder rec;
    rec.Answer(IDCANCEL);
    CRect close = tabs.GetCloseRect();
    tabs.SendMessage(WM_LBUTTONDOWN, 0, MAKELPARAM(close.left + 2, close.top + 2));
    ASSERT_EQ(1u, rec.Count());
    EXPECT_STREQ("Save changes to Route1?", rec[0].text);
    EXPECT_EQ(2u, frame->GetChildren().size());   // cancelled: still open

    rec.Answer(IDNO);
    tabs.SendMessage(WM_LBUTTONDOWN, 0, MAKELPARAM(close.left + 2, close.top + 2));
    EXPECT_EQ(1u, frame->GetChildren().size());
    EXPECT_EQ(secondFrame, frame->MDIGetActive());
    EXPECT_EQ(1, app.GetOpenDocumentCount());
}

TEST_F(Routing, ClosingTheMainFrameAsksForEveryDocument)
{
    doc->SetModifiedFlag(TRUE);
    MessageBoxRecorder rec;
    rec.Answer(IDCANCEL);
    frame->SendMessage(WM_CLOSE);
    EXPECT_EQ(1u, rec.Count());
    ASSERT_TRUE(::IsWindow(frame->m_hWnd));
    rec.Answer(IDNO);
    HWND hwnd = frame->m_hWnd;
    frame->SendMessage(WM_CLOSE);
    EXPECT_FALSE(::IsWindow(hwnd));
    EXPECT_EQ(nullptr, app.m_pMainWnd);
    EXPECT_EQ(0, app.GetOpenDocumentCount());
    MSG msg;
    EXPECT_TRUE(::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));   // the loop would end
    frame = nullptr;
}
