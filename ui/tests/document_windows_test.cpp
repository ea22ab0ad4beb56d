// The window tree of an open project: main view, splitter, the two tab views with their "+"
// tabs, template views with label view (canvas between rulers) over the sheet preview, and the
// first table views; stacking, adding and closing tabs, relabelled tabs kept in the project.
#include "document/labeldoc.h"
#include "framework/doc.h"
#include "framework/stdids.h"
#include "ui/commandids.h"
#include "ui/designview.h"
#include "ui/labelpreview.h"
#include "ui/labelview.h"
#include "ui/mainview.h"
#include "ui/tableview.h"
#include "ui/tabviews.h"
#include "ui/templateview.h"
#include "ui/tests/uitestsupport.h"
#include "testsupport/fileprinter.h"
#include "testsupport/testcmdui.h"
#include "framework/cmdline.h"
#include "framework/olecontainer.h"
#include "labelmodel/graphcollection.h"
#include "labelmodel/graphshapes.h"
#include "labelmodel/template.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace {

CRect RectIn(const CWnd* wnd, const CWnd* parent)
{
    CRect rect;
    wnd->GetWindowRect(&rect);
    parent->ScreenToClient(&rect);
    return rect;
}

std::string ClassOf(HWND wnd)
{
    char name[64] = {};
    ::GetClassNameA(wnd, name, sizeof name);
    return name;
}

bool HasView(CDocument* doc, CView* view)
{
    const auto& views = doc->GetViews();
    return std::find(views.begin(), views.end(), view) != views.end();
}

class DocumentWindows : public StartedAppTest {
protected:
    void SetUp() override
    {
        StartedAppTest::SetUp();
        if (HasFatalFailure())
            return;
        frame->SendMessage(WM_COMMAND, ID_FILE_NEW);
        DrainMessages();
        Bind();
    }
    void Bind()
    {
        child = frame->MDIGetActive();
        ASSERT_NE(nullptr, child);
        doc = dynamic_cast<COstrelindSoftLabelDoc*>(child->GetActiveDocument());
        ASSERT_NE(nullptr, doc);
        mainView = MainViewOf(child);
        ASSERT_NE(nullptr, mainView);
        templates = mainView->GetTemplateTabView();
        tables = mainView->GetTableTabView();
        ASSERT_NE(nullptr, templates);
        ASSERT_NE(nullptr, tables);
    }
    void Click(CTabView* tabs, int index)
    {
        CRect tab = tabs->GetTabRect(index);
        ASSERT_FALSE(tab.IsRectEmpty()) << index;
        tabs->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(tab.left + 4, tab.CenterPoint().y));
        tabs->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(tab.left + 4, tab.CenterPoint().y));
    }
    std::vector<std::string> Labels(CTabView* tabs)
    {
        std::vector<std::string> labels;
        for (int i = 0; i < tabs->GetTabsNum(); ++i)
            labels.push_back(std::string(tabs->GetTabLabel(i)));
        return labels;
    }
    void SizeMainView(int cx, int cy) { mainView->SetWindowPos(nullptr, 0, 0, cx, cy, SWP_NOZORDER | SWP_NOMOVE); }

    CMDIChildWnd* child = nullptr;
    COstrelindSoftLabelDoc* doc = nullptr;
    COstrelindSoftMainView* mainView = nullptr;
    CTemplateTabView* templates = nullptr;
    CTableTabView* tables = nullptr;
};

HWND s_canvas;
int s_commands;
LRESULT CALLBACK CountPrintDirect(int code, WPARAM w, LPARAM l)
{
    auto* msg = reinterpret_cast<CWPSTRUCT*>(l);
    if (code >= 0 && msg->hwnd == s_canvas && msg->message == WM_COMMAND && LOWORD(msg->wParam) == ID_FILE_PRINT_DIRECT)
        ++s_commands;
    return ::CallNextHookEx(nullptr, code, w, l);
}

} // namespace

TEST_F(DocumentWindows, ANewProjectHasTheWholeTreeWithItsIdsTextsAndPanes)
{
    CMySplitterWndEx* splitter = mainView->GetSplitter();
    ASSERT_NE(nullptr, splitter);
    EXPECT_EQ(0xE900, splitter->GetDlgCtrlID());
    EXPECT_STREQ("Splitter", splitter->GetWindowText());
    EXPECT_EQ(0, mainView->GetStyle() & WS_BORDER);
    EXPECT_EQ(0xE900, templates->GetDlgCtrlID());
    EXPECT_EQ(0xE901, tables->GetDlgCtrlID());
    EXPECT_EQ((std::vector<std::string>{"Template 1", "Template 2", "Template 3", "+"}), Labels(templates));
    EXPECT_EQ((std::vector<std::string>{"Table 1", "Table 2", "Table 3", "+"}), Labels(tables));
    EXPECT_EQ(3, templates->GetTabCount());
    EXPECT_EQ(3, tables->GetTabCount());
    EXPECT_EQ(0, templates->GetActiveTab());
    EXPECT_EQ(0, tables->GetActiveTab());
    EXPECT_EQ(3, doc->GetTemplateCount()) << "activations during creation add nothing";
    EXPECT_EQ(3, doc->GetTableCount());
    EXPECT_EQ(templates, doc->GetTemplateTabs());
    EXPECT_EQ(tables, doc->GetTableTabs());

    // Every template tab (the "+" one too) holds a template view with its splitter, label view
    // over preview, and canvas with two rulers; all of them and the table views are the
    // document's views.
    for (int i = 0; i < 4; ++i) {
        COstrelindSoftTemplateView* view = templates->GetTemplateView(i);
        ASSERT_NE(nullptr, view) << i;
        ASSERT_NE(nullptr, view->GetSplitter());
        EXPECT_EQ(100, view->GetSplitter()->GetDlgCtrlID());
        EXPECT_STREQ("Splitter", view->GetSplitter()->GetWindowText());
        COstrelindSoftLabelView* label = view->GetLabelView();
        ASSERT_NE(nullptr, label);
        ASSERT_NE(nullptr, view->GetPreview());
        ASSERT_NE(nullptr, label->GetDesignView());
        EXPECT_EQ(0xE900, label->GetDlgCtrlID());
        EXPECT_EQ(0xE910, view->GetPreview()->GetDlgCtrlID());
        EXPECT_TRUE(HasView(doc, view));
        EXPECT_TRUE(HasView(doc, label));
        EXPECT_TRUE(HasView(doc, label->GetDesignView()));
        EXPECT_TRUE(HasView(doc, view->GetPreview()));
        EXPECT_TRUE(dynamic_cast<COstrelindSoftTableView*>(tables->GetView(i)) != nullptr);
        EXPECT_TRUE(HasView(doc, tables->GetView(i)));
    }
    // main view, two tab views, 4 template views with 3 views each, 4 table views
    EXPECT_EQ(1 + 2 + 4 * 4 + 4, doc->GetViewCount());
    // The first template's canvas is the active view: its commands work without a click.
    EXPECT_EQ(templates->GetTemplateView(0)->GetLabelView()->GetDesignView(), child->GetActiveView());

    SizeMainView(800, 600);
    EXPECT_EQ(CRect(0, 0, 400, 600), RectIn(templates, splitter));
    EXPECT_EQ(CRect(400 + CSplitterWnd::kBarSize, 0, 800, 600), RectIn(tables, splitter));
    COstrelindSoftTemplateView* first = templates->GetTemplateView(0);
    const int tabHeight = 600 - CTabView::kStripHeight;
    EXPECT_EQ(CRect(0, 0, 400, tabHeight), RectIn(first, templates));
    COstrelindSoftLabelView* label = first->GetLabelView();
    EXPECT_EQ(CRect(0, 0, 400, tabHeight / 2), RectIn(label, first->GetSplitter()));
    EXPECT_EQ(CRect(0, tabHeight / 2 + CSplitterWnd::kBarSize, 400, tabHeight),
              RectIn(first->GetPreview(), first->GetSplitter()));
    const int labelHeight = tabHeight / 2;
    EXPECT_EQ(CRect(23, 23, 400, labelHeight), RectIn(label->GetDesignView(), label));
    EXPECT_EQ(CRect(23, 0, 400, 23), RectIn(&label->GetHorizontalRuler(), label));
    EXPECT_EQ(CRect(0, 23, 23, labelHeight), RectIn(&label->GetVerticalRuler(), label));
    EXPECT_TRUE(label->GetHorizontalRuler().GetStyle() & WS_BORDER);

    // Hiding the rulers gives the canvas the whole label view; showing them restores the strips.
    EXPECT_TRUE(label->AreRulersShown());
    label->ToggleRulers();
    EXPECT_FALSE(label->GetHorizontalRuler().IsWindowVisible());
    EXPECT_EQ(CRect(0, 0, 400, labelHeight), RectIn(label->GetDesignView(), label));
    dynamic_cast<CDesignHost*>(label->GetDesignView()->GetParent())->ToggleRulers();
    EXPECT_TRUE(label->GetVerticalRuler().IsWindowVisible());
    EXPECT_EQ(CRect(23, 23, 400, labelHeight), RectIn(label->GetDesignView(), label));
}

TEST_F(DocumentWindows, StackingMovesTheTablePaneAndATemplateTabUnstacks)
{
    SizeMainView(800, 600);
    CMySplitterWndEx* splitter = mainView->GetSplitter();
    CTestCmdUI ui;
    ui.m_nID = ID_SHOW_WINDOWS_STACKED;
    mainView->SendMessage(WM_COMMAND, ID_SHOW_WINDOWS_STACKED);
    EXPECT_TRUE(doc->IsStacked());
    EXPECT_EQ(0xE910, tables->GetDlgCtrlID());
    EXPECT_EQ(tables, mainView->GetTableTabView());
    EXPECT_EQ(CRect(0, 0, 800, 300), RectIn(templates, splitter));
    EXPECT_EQ(CRect(0, 300 + CSplitterWnd::kBarSize, 800, 600), RectIn(tables, splitter));
    ui.DoUpdate(mainView, FALSE);
    EXPECT_EQ(1, ui.m_nCheck);

    // A resize keeps the halves of the layout in use.
    SizeMainView(800, 400);
    EXPECT_EQ(CRect(0, 0, 800, 200), RectIn(templates, splitter));

    mainView->SendMessage(WM_COMMAND, ID_SHOW_WINDOWS_STACKED);
    EXPECT_FALSE(doc->IsStacked());
    EXPECT_EQ(0xE901, tables->GetDlgCtrlID());
    EXPECT_EQ(CRect(0, 0, 400, 400), RectIn(templates, splitter));
    EXPECT_EQ(CRect(400 + CSplitterWnd::kBarSize, 0, 800, 400), RectIn(tables, splitter));
    ui.DoUpdate(mainView, FALSE);
    EXPECT_EQ(0, ui.m_nCheck);

    // Stacked, then a template tab is chosen: its layout byte is 0, so side by side again.
    mainView->SendMessage(WM_COMMAND, ID_SHOW_WINDOWS_STACKED);
    ASSERT_TRUE(doc->IsStacked());
    Click(templates, 1);
    EXPECT_EQ(1, doc->GetCurrentTemplateIndex());
    EXPECT_FALSE(doc->IsStacked());
    EXPECT_EQ(0xE901, tables->GetDlgCtrlID());
    EXPECT_EQ(templates->GetTemplateView(1)->GetLabelView()->GetDesignView(), child->GetActiveView());

    // The table tabs make their table current.
    Click(tables, 2);
    EXPECT_EQ(2, doc->GetCurrentTableIndex());
    EXPECT_EQ(3, doc->GetTableCount());
}

TEST_F(DocumentWindows, PlusTabsAddOneAndStopAtTheLimit)
{
    const int views = doc->GetViewCount();
    Click(templates, 3);
    EXPECT_EQ(4, doc->GetTemplateCount());
    EXPECT_EQ((std::vector<std::string>{"Template 1", "Template 2", "Template 3", "Template 4", "+"}),
              Labels(templates));
    EXPECT_EQ(3, templates->GetActiveTab());
    EXPECT_EQ(3, doc->GetCurrentTemplateIndex());
    EXPECT_EQ(views + 4, doc->GetViewCount()) << "template view, label view, canvas, preview";
    EXPECT_TRUE(HasView(doc, templates->GetTemplateView(3)->GetLabelView()->GetDesignView()));
    EXPECT_EQ(templates->GetTemplateView(3)->GetLabelView()->GetDesignView(), child->GetActiveView());

    Click(tables, 3);
    EXPECT_EQ(4, doc->GetTableCount());
    EXPECT_EQ((std::vector<std::string>{"Table 1", "Table 2", "Table 3", "Table 4", "+"}), Labels(tables));
    EXPECT_EQ(3, tables->GetActiveTab());
    EXPECT_EQ(3, doc->GetCurrentTableIndex());

    // Up to the limit of 255, each "+" adds one; then "+" adds nothing and shows the last again.
    // (The strip scrolls, so "+" is chosen as a click does, through the tab view.)
    for (int n = 5; n <= COstrelindSoftLabelDoc::kMaxCount; ++n) {
        templates->SetActiveView(templates->GetTabsNum() - 1);
        tables->SetActiveView(tables->GetTabsNum() - 1);
        ASSERT_EQ(n, doc->GetTemplateCount());
        ASSERT_EQ(n, doc->GetTableCount());
    }
    const int full = doc->GetViewCount();
    templates->SetActiveView(templates->GetTabsNum() - 1);
    EXPECT_EQ(255, doc->GetTemplateCount());
    EXPECT_EQ(256, templates->GetTabsNum());
    EXPECT_EQ(254, templates->GetActiveTab());
    EXPECT_EQ(254, doc->GetCurrentTemplateIndex());
    EXPECT_EQ(full, doc->GetViewCount());
    tables->SetActiveView(tables->GetTabsNum() - 1);
    EXPECT_EQ(255, doc->GetTableCount());
    EXPECT_EQ(256, tables->GetTabsNum());
    EXPECT_EQ(254, tables->GetActiveTab());
    EXPECT_EQ(254, doc->GetCurrentTableIndex());
    EXPECT_EQ("Table 255", std::string(tables->GetTabLabel(254)));

    // The added tabs made the project modified: closing without saving asks once.
    const int open = app->GetOpenDocumentCount();
    boxes.Answer(IDNO);
    child->SendMessage(WM_CLOSE);
    DrainMessages();
    EXPECT_EQ(open - 1, app->GetOpenDocumentCount());
}

TEST_F(DocumentWindows, TheCloseBoxAsksAndRemovesTheTabWithItsViews)
{
    Click(templates, 1);
    COstrelindSoftTemplateView* second = templates->GetTemplateView(1);
    CView* canvas = second->GetLabelView()->GetDesignView();
    const int views = doc->GetViewCount();

    // No: nothing goes.
    boxes.Answer(IDNO);
    CRect box = templates->GetCloseBoxRect();
    ASSERT_FALSE(box.IsRectEmpty());
    templates->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(box.CenterPoint().x, box.CenterPoint().y));
    EXPECT_EQ(1u, boxes.Count());
    EXPECT_EQ(5 - 1, templates->GetTabsNum() - 1 + 1);
    EXPECT_EQ(views, doc->GetViewCount());

    boxes.Answer(IDYES);
    box = templates->GetCloseBoxRect();
    templates->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(box.CenterPoint().x, box.CenterPoint().y));
    EXPECT_EQ(2u, boxes.Count());
    EXPECT_EQ(2, doc->GetTemplateCount());
    EXPECT_EQ((std::vector<std::string>{"Template 1", "Template 3", "+"}), Labels(templates));
    EXPECT_EQ(views - 4, doc->GetViewCount());
    EXPECT_FALSE(HasView(doc, canvas));
    EXPECT_EQ(1, templates->GetActiveTab());
    EXPECT_EQ(1, doc->GetCurrentTemplateIndex());

    // A table: its view closes itself once the posted message arrives.
    Click(tables, 2);
    CView* table = tables->GetView(2);
    boxes.Answer(IDYES);
    box = tables->GetCloseBoxRect();
    tables->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(box.CenterPoint().x, box.CenterPoint().y));
    DrainMessages();
    EXPECT_EQ(2, doc->GetTableCount());
    EXPECT_EQ((std::vector<std::string>{"Table 1", "Table 2", "+"}), Labels(tables));
    EXPECT_FALSE(HasView(doc, table));
    EXPECT_EQ(1, tables->GetActiveTab());
    EXPECT_EQ(1, doc->GetCurrentTableIndex());

    // Closing the project afterwards is clean, and the document forgot the tab views.
    boxes.Answer(IDNO);
    child->SendMessage(WM_CLOSE);
    DrainMessages();
    EXPECT_EQ(1, app->GetOpenDocumentCount());
}

TEST_F(DocumentWindows, TabViewsLeaveTheDocumentWhenDestroyed)
{
    // A document outliving its windows must not reach them.
    COstrelindSoftLabelDoc standalone;
    standalone.m_bAutoDelete = FALSE;   // it lives on the stack: its last view leaving must not delete it
    CWnd host;
    ASSERT_TRUE(host.CreateEx(0, AfxRegisterWndClass(0), "host", WS_POPUP, 0, 0, 600, 400, nullptr, nullptr));
    CCreateContext context;
    context.m_pCurrentDoc = &standalone;
    auto* tableTabs = new CTableTabView;
    ASSERT_TRUE(tableTabs->Create(nullptr, nullptr, WS_CHILD, CRect(0, 0, 300, 300), &host, 1, &context));
    EXPECT_EQ(tableTabs, standalone.GetTableTabs());
    auto* templateTabs = new CTemplateTabView;
    ASSERT_TRUE(templateTabs->Create(nullptr, nullptr, WS_CHILD, CRect(0, 0, 300, 300), &host, 2, &context));
    standalone.SetTemplateTabs(templateTabs);
    tableTabs->DestroyWindow();
    templateTabs->DestroyWindow();
    EXPECT_EQ(nullptr, standalone.GetTableTabs());
    EXPECT_EQ(nullptr, standalone.GetTemplateTabs());
    EXPECT_EQ(0, standalone.GetViewCount());
    // Adding a table now touches no window.
    standalone.AddTableTab();
    EXPECT_EQ(4, standalone.GetTableCount());
}

TEST_F(DocumentWindows, RelabelledTabsSurviveSaveAndReopen)
{
    Click(templates, 1);
    ASSERT_TRUE(templates->StartLabelEdit(1));
    templates->GetLabelEdit()->SetWindowText("Prices");
    templates->GetLabelEdit()->SendMessage(WM_KEYDOWN, VK_RETURN);
    EXPECT_TRUE(doc->IsModified());
    ASSERT_TRUE(tables->StartLabelEdit(0));
    tables->GetLabelEdit()->SetWindowText("Customers");
    tables->GetLabelEdit()->SendMessage(WM_KEYDOWN, VK_RETURN);

    const CString path = dir.Path("relabelled.proj");
    ASSERT_TRUE(doc->OnSaveDocument(path));
    child->SendMessage(WM_CLOSE);
    DrainMessages();
    ASSERT_NE(nullptr, app->OpenDocumentFile(path));
    DrainMessages();
    Bind();
    EXPECT_EQ((std::vector<std::string>{"Template 1", "Prices", "Template 3", "+"}), Labels(templates));
    EXPECT_EQ((std::vector<std::string>{"Customers", "Table 2", "Table 3", "+"}), Labels(tables));
    EXPECT_STREQ("Prices", doc->GetTemplateName(1));
    EXPECT_EQ(3, doc->GetTemplateCount());
}

TEST_F(DocumentWindows, LabelViewForwardsPrintDirectToTheCanvasAndFollowsItsNotifications)
{
    COstrelindSoftLabelView* label = templates->GetTemplateView(0)->GetLabelView();
    CView* canvas = label->GetDesignView();
    // The label view itself prints nothing: the command goes to the canvas as WM_COMMAND.
    s_canvas = canvas->m_hWnd;
    s_commands = 0;
    HHOOK hook = ::SetWindowsHookExA(WH_CALLWNDPROC, CountPrintDirect, nullptr, ::GetCurrentThreadId());
    ASSERT_NE(nullptr, hook);
    label->SendMessage(WM_COMMAND, ID_FILE_PRINT_DIRECT);
    ::UnhookWindowsHookEx(hook);
    EXPECT_EQ(1, s_commands);

    // Cursor, scroll and zoom notifications reach the rulers.
    label->SendMessage(WM_DESIGN_CURSORPOS, 0, MAKELPARAM(120, 45));
    EXPECT_EQ(120, label->GetHorizontalRuler().GetCursorPos());
    EXPECT_EQ(45, label->GetVerticalRuler().GetCursorPos());
    label->SendMessage(WM_DESIGN_SCROLLED, 0, MAKELPARAM(30, static_cast<WORD>(-10)));
    EXPECT_EQ(30, label->GetHorizontalRuler().GetOrigin());
    EXPECT_EQ(-10, label->GetVerticalRuler().GetOrigin());
    label->SendMessage(WM_DESIGN_ZOOMCHANGED, 200);
    EXPECT_EQ(200, label->GetHorizontalRuler().GetZoom());
    EXPECT_EQ(200, label->GetVerticalRuler().GetZoom());
    // The zoom re-reads the canvas's own scroll position.
    EXPECT_EQ(label->GetDesignView()->GetScrollPosition().x, label->GetHorizontalRuler().GetOrigin());

    // The ruler command's check follows the rulers.
    CTestCmdUI ui;
    ui.m_nID = ID_SHOW_RULERS;
    ui.DoUpdate(label, FALSE);
    EXPECT_EQ(1, ui.m_nCheck);
}

// "/p project.proj": the saved project opens hidden and its label goes to the default printer
// without a dialog (the label view's print command is the canvas's, not an empty page).
TEST_F(DocumentWindows, SlashPPrintsASavedProjectToTheDefaultPrinter)
{
    ASSERT_TRUE(printtest::EnsureFilePrinter());
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    const std::string port = std::string(temp) + "korvelta-port.ps";

    ASSERT_TRUE(doc->NewLabelDefinition());
    doc->SetAreaWidth(50000, 0);
    doc->SetAreaHeight(30000, 0);
    auto* rect = new CGraphRect;
    rect->SetX(1000);
    rect->SetY(1000);
    rect->SetWidth(6000);
    rect->SetHeight(3000);
    rect->SetLineWidth(500);
    doc->GetCurrentTemplate()->GetArea(0)->Append(rect);
    const CString path = dir.Path("printed.proj");
    ASSERT_TRUE(doc->OnSaveDocument(path));
    child->SendMessage(WM_CLOSE);
    DrainMessages();
    app->FreePrinterHandles();
    ::DeleteFileA(port.c_str());

    CCommandLineInfo info;
    info.ParseParam("p", TRUE, FALSE);
    info.ParseParam(path, FALSE, TRUE);
    ASSERT_EQ(CCommandLineInfo::FilePrint, info.m_nShellCommand);
    MessageBoxRecorder quiet;
    EXPECT_FALSE(app->ProcessShellCommand(info)) << "the program leaves after printing";
    EXPECT_EQ(0u, quiet.Count()) << (quiet.Count() ? static_cast<const char*>(quiet.Last().text) : "");
    const std::vector<char> bytes = printtest::ReadFileBytes(port.c_str());
    ASSERT_GT(bytes.size(), 1000u);
    EXPECT_EQ(0, std::string(bytes.data(), 4).compare("%!PS"));
    EXPECT_NE(std::string::npos, std::string(bytes.begin(), bytes.end()).find("showpage"));
}

// The label view's OLE commands reach the insert-object dialog; a cancelled or failed insertion
// selects nothing (a failure says so once), and Escape with no object active in place does nothing.
TEST_F(DocumentWindows, LabelViewInsertsOleObjectsThroughTheInsertDialog)
{
    COstrelindSoftLabelView* label = templates->GetTemplateView(0)->GetLabelView();
    ASSERT_NE(nullptr, label);
    int asked = 0;
    INT_PTR answer = IDCANCEL;
    COleInsertDialog::Answer previous = COleInsertDialog::SetTestAnswer(
        [&](const std::vector<COleInsertDialog::InsertableClass>&, CLSID* clsid) -> INT_PTR {
            ++asked;
            // A class nobody registered: creating it fails.
            *clsid = { 0x0badc0de, 0x1234, 0x5678, { 1, 2, 3, 4, 5, 6, 7, 8 } };
            return answer;
        });
    label->SendMessage(WM_COMMAND, ID_OLE_INSERT_NEW);
    EXPECT_EQ(1, asked);
    EXPECT_EQ(nullptr, label->GetSelectedOleItem());
    EXPECT_EQ(0u, boxes.Count());

    answer = IDOK;
    label->SendMessage(WM_COMMAND, ID_OLE_INSERT_NEW);
    EXPECT_EQ(2, asked);
    EXPECT_EQ(nullptr, label->GetSelectedOleItem());
    EXPECT_FALSE(label->IsSelected(nullptr));
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_NE(-1, boxes.Last().text.Find("Failed to create object."));
    COleInsertDialog::SetTestAnswer(previous);

    label->SendMessage(WM_COMMAND, ID_CANCEL_INPLACE_EDIT);
    EXPECT_EQ(1u, boxes.Count());
}
