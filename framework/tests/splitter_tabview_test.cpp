// Static splitters and tab views on real windows: pane ids and rectangles, a layout smaller than
// the grid, bars dragged with capture (and the press just below a bar), tabs added and removed
// without reports, the close box, and labels edited in place.
#include "framework/doc.h"
#include "framework/splitter.h"
#include "framework/tabview.h"
#include "framework/view.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace {

// A plain top-level window to hold what is tested.
class Host {
public:
    Host(int width = 800, int height = 600)
    {
        wnd.CreateEx(0, AfxRegisterWndClass(0), "host", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, width,
                     height, nullptr, nullptr);
    }
    CWnd wnd;
};

CRect RectIn(const CWnd* wnd, const CWnd* parent)
{
    CRect rect;
    wnd->GetWindowRect(&rect);
    parent->ScreenToClient(&rect);
    return rect;
}

// Counts its WM_CLOSE messages instead of closing.
int g_closes = 0;
class CClosingView : public CView {
public:
    void OnClose() { ++g_closes; }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CClosingView, CView)
    ON_WM_CLOSE()
END_MESSAGE_MAP()

class CReportingTabView : public CTabView {
public:
    std::vector<int> reports;
    std::vector<int> edited;
    void OnActivateView(CView*) override { reports.push_back(GetActiveTab()); }
    void OnTabLabelEdited(int index) override { edited.push_back(index); }
};

} // namespace

TEST(Splitter, PanesTakeTheirIdsAndIdealSizesAndTheLastPaneTheRest)
{
    Host host;
    CSplitterWndEx splitter;
    ASSERT_TRUE(splitter.CreateStatic(&host.wnd, 2, 2, WS_CHILD | WS_VISIBLE, AFX_IDW_PANE_FIRST));
    EXPECT_EQ(0xE900, CSplitterWnd::IdFromRowCol(0, 0));
    EXPECT_EQ(0xE901, CSplitterWnd::IdFromRowCol(0, 1));
    EXPECT_EQ(0xE910, CSplitterWnd::IdFromRowCol(1, 0));
    splitter.SetLayout(1, 2);
    CDocument doc;
    CCreateContext context;
    context.m_pCurrentDoc = &doc;
    ASSERT_TRUE(splitter.CreateView(0, 1, CreateNew<CView>, CSize(500, 0), &context));
    ASSERT_TRUE(splitter.CreateView(0, 0, CreateNew<CView>, CSize(300, 0), nullptr));
    EXPECT_FALSE(splitter.CreateView(0, 0, CreateNew<CView>, CSize(300, 0), nullptr)) << "a pane is made once";
    EXPECT_FALSE(splitter.CreateView(2, 0, CreateNew<CView>, CSize(300, 0), nullptr));
    EXPECT_EQ(1, doc.GetViewCount()) << "only the view made with a context joins the document";

    splitter.MoveWindow(0, 0, 800, 600);
    splitter.SetColumnInfo(0, 300, 10);
    splitter.RecalcLayout();
    CWnd* left = splitter.GetPane(0, 0);
    CWnd* right = splitter.GetPane(0, 1);
    ASSERT_NE(nullptr, left);
    ASSERT_NE(nullptr, right);
    EXPECT_EQ(nullptr, splitter.GetPane(1, 0));
    EXPECT_EQ(CRect(0, 0, 300, 600), RectIn(left, &splitter));
    EXPECT_EQ(CRect(300 + CSplitterWnd::kBarSize, 0, 800, 600), RectIn(right, &splitter));

    // Stacked: the right pane becomes row 1 by its id.
    right->SetDlgCtrlID(CSplitterWnd::IdFromRowCol(1, 0));
    splitter.SetLayout(2, 1);
    splitter.SetRowInfo(0, 250, 10);
    splitter.RecalcLayout();
    EXPECT_EQ(CRect(0, 0, 800, 250), RectIn(left, &splitter));
    EXPECT_EQ(CRect(0, 250 + CSplitterWnd::kBarSize, 800, 600), RectIn(right, &splitter));
    EXPECT_TRUE(right->IsWindowVisible());

    // A pane outside the layout in use is hidden.
    splitter.SetLayout(1, 1);
    splitter.RecalcLayout();
    EXPECT_FALSE(right->IsWindowVisible());
    EXPECT_EQ(CRect(0, 0, 800, 600), RectIn(left, &splitter));
}

TEST(Splitter, BarsAreDraggedWithCaptureAndAPressJustBelowTakesTheBar)
{
    Host host;
    CSplitterWnd splitter;
    ASSERT_TRUE(splitter.CreateStatic(&host.wnd, 2, 1, WS_CHILD | WS_VISIBLE, 100));
    ASSERT_TRUE(splitter.CreateView(1, 0, CreateNew<CView>, CSize(0, 200)));
    ASSERT_TRUE(splitter.CreateView(0, 0, CreateNew<CView>, CSize(0, 200)));
    splitter.MoveWindow(0, 0, 400, 500);
    splitter.SetRowInfo(0, 200, 10);
    splitter.RecalcLayout();

    const int bar = 200;
    const int below = bar + CSplitterWnd::kBarSize;   // first row of the lower pane
    EXPECT_EQ(-1, splitter.HitTestBar(CPoint(10, bar - 1)));
    EXPECT_EQ(0x100, splitter.HitTestBar(CPoint(10, bar)));
    EXPECT_EQ(0x100, splitter.HitTestBar(CPoint(10, below + 4)));
    EXPECT_EQ(-1, splitter.HitTestBar(CPoint(10, below + 5)));

    // A press 4 pixels into the lower pane drags the bar; the drag keeps the press's offset.
    splitter.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, below + 4));
    EXPECT_EQ(splitter.m_hWnd, ::GetCapture());
    splitter.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(10, below + 4 + 50));
    int current = 0, minimum = 0;
    splitter.GetRowInfo(0, current, minimum);
    EXPECT_EQ(250, current);
    splitter.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(10, below + 4 + 60));
    splitter.GetRowInfo(0, current, minimum);
    EXPECT_EQ(260, current);
    EXPECT_NE(splitter.m_hWnd, ::GetCapture());
    EXPECT_EQ(CRect(0, 0, 400, 260), RectIn(splitter.GetPane(0, 0), &splitter));

    // Moves without a drag change nothing; a pane dragged below its minimum gets nothing.
    splitter.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(10, 100));
    splitter.GetRowInfo(0, current, minimum);
    EXPECT_EQ(260, current);
    splitter.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 261));
    splitter.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(10, 6));
    splitter.GetRowInfo(0, current, minimum);
    EXPECT_EQ(0, current);
}

TEST(TabView, TabsAreAddedAndRemovedWithoutReportsAndTheActiveViewShows)
{
    Host host;
    CDocument doc;
    CCreateContext context;
    context.m_pCurrentDoc = &doc;
    auto* tabs = new CReportingTabView;
    ASSERT_TRUE(tabs->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 600, 400), &host.wnd, 1));
    EXPECT_EQ(0, tabs->AddView(CreateNew<CView>, "One", -1, &context));
    EXPECT_EQ(1, tabs->AddView(CreateNew<CView>, "Two", -1, &context));
    EXPECT_EQ(2, tabs->AddView(CreateNew<CView>, "+", -1, &context));
    EXPECT_EQ(1, tabs->AddView(CreateNew<CView>, "Between", 1, &context));
    EXPECT_EQ(4, tabs->GetTabsNum());
    EXPECT_EQ(4, doc.GetViewCount());
    EXPECT_EQ(0, tabs->GetActiveTab()) << "the first tab is active, insertions keep it";
    EXPECT_TRUE(tabs->reports.empty());
    EXPECT_STREQ("Between", tabs->GetTabLabel(1));
    EXPECT_TRUE(tabs->GetView(0)->IsWindowVisible());
    EXPECT_FALSE(tabs->GetView(1)->IsWindowVisible());
    EXPECT_EQ(CRect(0, 0, 600, 400 - CTabView::kStripHeight), RectIn(tabs->GetView(0), tabs));

    // The user's click on a tab reports; a click on the active one does not.
    CRect third = tabs->GetTabRect(2);
    ASSERT_FALSE(third.IsRectEmpty());
    tabs->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(third.CenterPoint().x, third.CenterPoint().y));
    EXPECT_EQ(std::vector<int>{2}, tabs->reports);
    EXPECT_TRUE(tabs->GetView(2)->IsWindowVisible());
    EXPECT_FALSE(tabs->GetView(0)->IsWindowVisible());
    third = tabs->GetTabRect(2);
    tabs->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(third.left + 3, third.CenterPoint().y));
    EXPECT_EQ(1u, tabs->reports.size());
    EXPECT_TRUE(tabs->SetActiveView(3));
    EXPECT_EQ((std::vector<int>{2, 3}), tabs->reports);

    // Removing the active last tab makes the one before active, without a report; its view
    // leaves the document.
    EXPECT_TRUE(tabs->RemoveView(3));
    EXPECT_EQ(2, tabs->GetActiveTab());
    EXPECT_EQ(2u, tabs->reports.size());
    EXPECT_EQ(3, doc.GetViewCount());
    EXPECT_TRUE(tabs->GetView(2)->IsWindowVisible());
    // Removing a tab before the active one keeps the same view active.
    CView* active = tabs->GetActiveView();
    EXPECT_TRUE(tabs->RemoveView(0));
    EXPECT_EQ(active, tabs->GetActiveView());
    EXPECT_EQ(1, tabs->GetActiveTab());
    // Kept views are only hidden.
    CView* kept = tabs->GetView(1);
    EXPECT_TRUE(tabs->RemoveView(1, true));
    EXPECT_TRUE(::IsWindow(kept->m_hWnd));
    EXPECT_FALSE(kept->IsWindowVisible());
    EXPECT_EQ(0, tabs->GetActiveTab());
    EXPECT_FALSE(tabs->RemoveView(5));
    EXPECT_EQ(2u, tabs->reports.size());
    tabs->DestroyWindow();
    EXPECT_EQ(0, doc.GetViewCount());
}

TEST(TabView, TheCloseBoxSendsWmCloseToTheActiveViewAndLabelsAreEditedInPlace)
{
    Host host;
    auto* tabs = new CReportingTabView;
    ASSERT_TRUE(tabs->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 600, 400), &host.wnd, 1));
    tabs->AddView(CreateNew<CClosingView>, "One");
    tabs->AddView(CreateNew<CClosingView>, "Two");
    EXPECT_TRUE(tabs->GetCloseBoxRect().IsRectEmpty()) << "off by default";
    tabs->EnableActiveTabCloseButton(true);
    CRect box = tabs->GetCloseBoxRect();
    ASSERT_FALSE(box.IsRectEmpty());
    EXPECT_TRUE(tabs->GetTabRect(0).PtInRect(box.CenterPoint()));
    g_closes = 0;
    tabs->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(box.CenterPoint().x, box.CenterPoint().y));
    EXPECT_EQ(1, g_closes);
    EXPECT_EQ(2, tabs->GetTabsNum()) << "the view decides what closing means";
    EXPECT_TRUE(tabs->reports.empty());

    // Editing is off until enabled.
    CRect second = tabs->GetTabRect(1);
    tabs->SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(second.CenterPoint().x, second.CenterPoint().y));
    EXPECT_FALSE(tabs->IsEditingLabel());
    tabs->EnableInPlaceEdit(true);
    second = tabs->GetTabRect(1);
    tabs->SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(second.CenterPoint().x, second.CenterPoint().y));
    ASSERT_TRUE(tabs->IsEditingLabel());
    EXPECT_EQ(1, tabs->GetActiveTab());
    CEdit* edit = tabs->GetLabelEdit();
    EXPECT_STREQ("Two", edit->GetWindowText());
    // Escape cancels.
    edit->SetWindowText("Discarded");
    edit->SendMessage(WM_KEYDOWN, VK_ESCAPE);
    EXPECT_FALSE(tabs->IsEditingLabel());
    EXPECT_STREQ("Two", tabs->GetTabLabel(1));
    EXPECT_TRUE(tabs->edited.empty());

    // Enter keeps; the text is bounded by the editor's limit.
    ASSERT_TRUE(tabs->StartLabelEdit(1));
    const std::string longText(60, 'x');
    edit->SendMessage(EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(longText.c_str()));
    edit->SendMessage(WM_KEYDOWN, VK_RETURN);
    EXPECT_FALSE(tabs->IsEditingLabel());
    EXPECT_EQ(std::string(CTabView::kMaxLabelLength, 'x'), std::string(tabs->GetTabLabel(1)));
    EXPECT_EQ(std::vector<int>{1}, tabs->edited);

    // An emptied label keeps the old one; through the message loop Enter ends the edit too.
    ASSERT_TRUE(tabs->StartLabelEdit(0));
    edit->SetWindowText("");
    MSG msg = {edit->m_hWnd, WM_KEYDOWN, VK_RETURN, 0, 0, {0, 0}};
    EXPECT_TRUE(CWnd::WalkPreTranslateTree(host.wnd.m_hWnd, &msg));
    EXPECT_FALSE(tabs->IsEditingLabel());
    EXPECT_STREQ("One", tabs->GetTabLabel(0));
    tabs->DestroyWindow();
}

TEST(TabView, TheActiveTabIsScrolledIntoTheStrip)
{
    Host host(300, 200);
    auto* tabs = new CReportingTabView;
    ASSERT_TRUE(tabs->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 200), &host.wnd, 1));
    for (int i = 0; i < 40; ++i)
        tabs->AddView(CreateNew<CView>, ("Table " + std::to_string(i + 1)).c_str());
    EXPECT_TRUE(tabs->GetTabRect(39).IsRectEmpty());
    tabs->SetActiveView(39);
    CRect last = tabs->GetTabRect(39);
    ASSERT_FALSE(last.IsRectEmpty());
    EXPECT_LE(last.right, 300);
    EXPECT_EQ(39, tabs->HitTestTab(last.CenterPoint()));
    tabs->DestroyWindow();
}
