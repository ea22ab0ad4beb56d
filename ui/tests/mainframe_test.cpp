// The main frame on a started application: command routing and update handlers through the
// window tree up to the application, the status panes, the stored look, bounded ribbon texts.
#include "framework/doc.h"
#include "framework/doctempl.h"
#include "framework/ribbonbar.h"
#include "framework/ribbonlook.h"
#include "ui/commandids.h"
#include "ui/resourceids.h"
#include "ui/designview.h"
#include "ui/mainview.h"
#include "ui/tests/uitestsupport.h"
#include "testsupport/testcmdui.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <memory>
#include <string>

namespace {

// A project whose document answers the first status pane and one command itself.
class CPaneDoc : public CDocument {
public:
    int areaCommands = 0;
    void OnUpdatePane(CCmdUI* ui) { ui->SetText("Label 24 x 8 mm"); }
    void OnAreaLabel() { ++areaCommands; }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CPaneDoc, CDocument)
    ON_UPDATE_COMMAND_UI(ID_STATUS_PANE_LABEL, OnUpdatePane)
    ON_COMMAND(ID_AREA_LABEL, OnAreaLabel)
END_MESSAGE_MAP()

class MainFrame : public StartedAppTest {
protected:
    void Idle() { frame->OnIdleUpdateCmdUI(); }
    CCmdTarget* HandlerOf(UINT id)
    {
        CmdHandlerInfo info;
        return frame->OnCmdMsg(id, CN_COMMAND, nullptr, &info) ? info.target : nullptr;
    }
    CMFCRibbonBaseElement* Element(UINT id) { return frame->FindRibbonElement(id); }

};

} // namespace

TEST_F(MainFrame, CommandsFindTheirHandlersAlongTheRouteUpToTheApplication)
{
    EXPECT_EQ(app.get(), HandlerOf(ID_APP_ABOUT));
    EXPECT_EQ(app.get(), HandlerOf(ID_HELP));
    EXPECT_EQ(app.get(), HandlerOf(ID_FILE_NEW));
    EXPECT_EQ(app.get(), HandlerOf(ID_FILE_OPEN));
    EXPECT_EQ(frame, HandlerOf(ID_APPLOOK_OFFICE2007_SILVER));
    EXPECT_EQ(frame, HandlerOf(ID_WINDOWS_DIALOG));
    EXPECT_EQ(frame->GetActiveDocument(), HandlerOf(ID_FILE_SAVE));
    // The new project's active view is its first design canvas, which takes the insert tools.
    EXPECT_NE(nullptr, dynamic_cast<Ostrelind_SoftLabelDesignView*>(HandlerOf(ID_INSERT_TEXT)));
    EXPECT_EQ(nullptr, HandlerOf(0x7FFE));

    frame->SendMessage(WM_COMMAND, ID_FILE_NEW);
    EXPECT_EQ(2, app->GetOpenDocumentCount());
    EXPECT_STREQ("KORVELTA-PRINT - Project2", frame->GetWindowText());
}

TEST_F(MainFrame, RibbonElementsFollowTheUpdateRule)
{
    // No handler anywhere (no project, so no canvas): disabled. A command handler only: enabled.
    app->CloseAllDocuments(FALSE);
    Idle();
    EXPECT_FALSE(Element(ID_INSERT_TEXT)->IsEnabled());
    EXPECT_FALSE(Element(ID_ZOOM)->IsEnabled());
    EXPECT_TRUE(Element(ID_HELP)->IsEnabled());          // the application's command

    // A project whose document handles a command and the first pane.
    CMultiDocTemplate* paneTemplate = new CMultiDocTemplate(IDR_PROJECTTYPE, CreateNew<CPaneDoc>,
                                                            CreateNew<CChildFrame>, CreateNew<COstrelindSoftMainView>);
    app->AddDocTemplate(paneTemplate);
    // Without any project the frame's own handlers fill the panes.
    app->CloseAllDocuments(FALSE);
    frame->GetStatusBar().SetPaneText(0, "stale");
    frame->GetStatusBar().SetPaneText(1, "stale");
    Idle();
    EXPECT_FALSE(Element(ID_AREA_LABEL)->IsEnabled());
    EXPECT_STREQ("KORVELTA-PRINT V10.0  Label design and printing", frame->GetStatusBar().GetPaneText(0));
    EXPECT_STREQ("", frame->GetStatusBar().GetPaneText(1));

    auto* doc = dynamic_cast<CPaneDoc*>(paneTemplate->OpenDocumentFile(nullptr));
    ASSERT_NE(nullptr, doc);
    Idle();
    EXPECT_TRUE(Element(ID_AREA_LABEL)->IsEnabled());
    EXPECT_STREQ("Label 24 x 8 mm", frame->GetStatusBar().GetPaneText(0));
    frame->SendMessage(WM_COMMAND, ID_AREA_LABEL);
    EXPECT_EQ(1, doc->areaCommands);

    // A new project: its document answers with the program's line while it has no label.
    frame->SendMessage(WM_COMMAND, ID_FILE_NEW);
    Idle();
    EXPECT_STREQ("KORVELTA-PRINT V10.0  Label design and printing", frame->GetStatusBar().GetPaneText(0));
    EXPECT_FALSE(Element(ID_AREA_LABEL)->IsEnabled());
}

TEST_F(MainFrame, LookIsStoredAndReadBack)
{
    EXPECT_EQ(214u, CMainFrame::ReadApplicationLook());   // nothing stored yet: the default
    EXPECT_EQ(214u, app->m_nAppLook);
    EXPECT_EQ(214u, CRibbonLook::CurrentLook());

    frame->SendMessage(WM_COMMAND, ID_APPLOOK_OFFICE2007_BLACK);
    EXPECT_EQ(216u, app->m_nAppLook);
    EXPECT_EQ(216u, app->GetProfileInt("Workspace", "ApplicationLook", 0));
    EXPECT_EQ(RibbonScheme::Office2007Black, CRibbonLook::CurrentScheme());
    for (UINT id = ID_APPLOOK_WIN2000; id <= ID_APPLOOK_OFFICE2007_AQUA; ++id) {
        CTestCmdUI ui;
        ui.m_nID = id;
        ui.DoUpdate(frame, TRUE);
        EXPECT_EQ(id == 216u ? 1 : 0, ui.m_nCheck) << id;
    }

    // A new frame (the next start) reads the stored look into the application.
    app->m_nAppLook = 0;
    {
        CMainFrame next;
        EXPECT_EQ(216u, app->m_nAppLook);
    }

    // Out of range: the program's Office 2007 look with its current style.
    app->WriteProfileInt("Workspace", "ApplicationLook", 999);
    CMainFrame next;
    EXPECT_EQ(999u, app->m_nAppLook);
    next.OnApplicationLook(app->m_nAppLook);
    EXPECT_TRUE(CRibbonLook::IsOffice2007(CRibbonLook::CurrentScheme()));
    EXPECT_EQ(RibbonScheme::Office2007Black, CRibbonLook::CurrentScheme());
}

TEST_F(MainFrame, RibbonTextsAreBounded)
{
    auto* edit = dynamic_cast<CMFCRibbonEdit*>(Element(ID_AUTOINC_PREFIX));
    ASSERT_NE(nullptr, edit);
    edit->SetEditText(CString('p', 300));
    EXPECT_EQ(255, frame->GetRibbonText(ID_AUTOINC_PREFIX).GetLength());
    EXPECT_STREQ("pppp", frame->GetRibbonText(ID_AUTOINC_PREFIX, 4));
    EXPECT_STREQ("", frame->GetRibbonText(ID_AUTOINC_PREFIX, 0));
    EXPECT_STREQ("", frame->GetRibbonText(ID_INSERT_TEXT));   // a button has no text box

    auto* combo = dynamic_cast<CMFCRibbonComboBox*>(Element(ID_ZOOM));
    ASSERT_NE(nullptr, combo);
    combo->SelectItem(2);
    EXPECT_STREQ("200 %", frame->GetRibbonText(ID_ZOOM));
}

TEST_F(MainFrame, TabStripOffersTheDocumentMenuWithTheWindowsItem)
{
    EXPECT_TRUE(frame->IsDocumentMenuEnabled());
    EXPECT_EQ(static_cast<UINT>(ID_WINDOWS_DIALOG), frame->GetWindowsDialogCommand());
    HMENU menu = frame->BuildDocumentMenu();
    ASSERT_EQ(3, ::GetMenuItemCount(menu));
    char text[64] = {};
    ::GetMenuStringA(menu, 0, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ("Project1", text);
    ::GetMenuStringA(menu, 2, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ("&Windows...", text);
    ::DestroyMenu(menu);
    CTestCmdUI ui;
    ui.m_nID = ID_WINDOWS_DIALOG;
    ui.DoUpdate(frame, TRUE);
    EXPECT_TRUE(ui.m_bEnabled);
}
