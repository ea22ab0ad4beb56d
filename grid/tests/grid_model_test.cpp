#include "gridtesthost.h"

TEST(GridCellRangeTest, ValidityAndMembership)
{
    CGridCellID none;
    EXPECT_EQ(none.row, -1);
    EXPECT_EQ(none.col, -1);
    EXPECT_NE(CGridCellID(1, 2), CGridCellID(1, 3));
    EXPECT_NE(CGridCellID(1, 2), CGridCellID(2, 2));
    EXPECT_TRUE(CGridCellRange(0, 0, 0, 0).IsValid());
    EXPECT_FALSE(CGridCellRange(2, 0, 1, 0).IsValid());
    EXPECT_FALSE(CGridCellRange(-1, 0, 1, 0).IsValid());
    CGridCellRange r(1, 2, 3, 4);
    EXPECT_TRUE(r.InRange(1, 2));
    EXPECT_TRUE(r.InRange(3, 4));
    EXPECT_FALSE(r.InRange(0, 2));
    EXPECT_FALSE(r.InRange(3, 5));
    EXPECT_EQ(r.Count(), 9);
}

TEST_F(GridTest, DefaultsOfTheSwitchesAndCounts)
{
    CGridCtrl& g = *m_grid;
    EXPECT_EQ(g.GetRowCount(), 0);
    EXPECT_EQ(g.GetColumnCount(), 0);
    EXPECT_TRUE(g.IsEditable());
    EXPECT_FALSE(g.GetDragAndDrop());
    EXPECT_FALSE(g.GetListMode());
    EXPECT_TRUE(g.GetAllowDraw());
    EXPECT_TRUE(g.IsSelectable());
    EXPECT_TRUE(g.GetFixedColumnSelection());
    EXPECT_TRUE(g.GetFixedRowSelection());
    EXPECT_FALSE(g.GetHeaderSort());
    EXPECT_TRUE(g.GetHandleTabKey());
    EXPECT_TRUE(g.GetDoubleBuffering());
    EXPECT_TRUE(g.GetTitleTips());
    EXPECT_TRUE(g.GetFrameFocusCell());
    EXPECT_EQ(g.GetGridLines(), GVL_BOTH);
    EXPECT_EQ(g.GetGridLineColor(), RGB(0xC0, 0xC0, 0xC0));
    EXPECT_EQ(g.GetGridBkColor(), ::GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(g.GetSortColumn(), -1);
    EXPECT_TRUE(g.GetSortAscending());
    EXPECT_EQ(g.GetAutoScrollInterval(), 25);
    EXPECT_EQ(g.GetResizeCaptureWidth(), 3);
    EXPECT_EQ(g.GetAutoSizeStyle(), GVS_BOTH);
    EXPECT_EQ(g.GetDefaultCell(FALSE, FALSE)->GetBackColour(), ::GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(g.GetDefaultCell(TRUE, FALSE)->GetBackColour(), ::GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(g.GetDefaultCell(TRUE, TRUE)->GetTextColour(), ::GetSysColor(COLOR_WINDOWTEXT));
    EXPECT_EQ(g.GetDefaultCell(FALSE, TRUE)->GetFormat(), 0x8824u);
    EXPECT_TRUE(g.GetDefaultCell(FALSE, FALSE)->IsReadOnly());
}

TEST_F(GridTest, CreateMakesTheClassStyleAndIdAndSizesFromTheFont)
{
    ASSERT_TRUE(m_grid->Create(CRect(0, 0, 300, 200), &m_hostWnd, 1234, 0));
    char cls[64] = {};
    ::GetClassNameA(m_grid->m_hWnd, cls, sizeof cls);
    EXPECT_STREQ(cls, "OstrelindGridCtrl");
    EXPECT_EQ(::GetWindowLongA(m_grid->m_hWnd, GWL_STYLE) & 0xFFFF0000, 0x50810000);
    EXPECT_EQ(::GetDlgCtrlID(m_grid->m_hWnd), 555);
    EXPECT_EQ(CWnd::FromHandlePermanent(m_grid->m_hWnd), m_grid.get());

    m_grid->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_font), FALSE);
    HDC screen = ::GetDC(nullptr);
    HGDIOBJ old = ::SelectObject(screen, m_font);
    SIZE space, text;
    ::GetTextExtentPoint32A(screen, " ", 1, &space);
    ::GetTextExtentPoint32A(screen, " XXXXXXXXXXXX ", 14, &text);
    ::SelectObject(screen, old);
    ::ReleaseDC(nullptr, screen);
    CGridDefaultCell* def = m_grid->GetDefaultCell(FALSE, FALSE);
    EXPECT_EQ(def->GetWidth(), text.cx);
    EXPECT_EQ(def->GetHeight(), text.cy * 3 / 2);
    EXPECT_EQ(def->GetMargin(), static_cast<UINT>(space.cx));
    LOGFONTA lf = {};
    ::GetObjectA(reinterpret_cast<HFONT>(m_grid->SendMessage(WM_GETFONT)), sizeof lf, &lf);
    EXPECT_EQ(lf.lfHeight, -12);
    EXPECT_STREQ(lf.lfFaceName, "Tahoma");

    m_grid->SetRowCount(3);
    m_grid->SetColumnCount(2);
    EXPECT_EQ(m_grid->GetRowHeight(2), def->GetHeight());
    EXPECT_EQ(m_grid->GetColumnWidth(1), m_grid->GetDefaultCell(FALSE, TRUE)->GetWidth());
}

TEST_F(GridTest, GridBindsToACustomControlOfADialog)
{
    ASSERT_TRUE(CGridCtrl::RegisterWindowClass());
    HWND custom = ::CreateWindowExA(0, "OstrelindGridCtrl", "", WS_CHILD | WS_VISIBLE, 10, 10, 200, 100, m_host,
                                    reinterpret_cast<HMENU>(77), ::GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(custom, nullptr);
    CGridCtrl grid;
    ASSERT_TRUE(grid.SubclassWindow(custom));
    EXPECT_TRUE(::GetWindowLongA(custom, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    CRect r;
    ::GetWindowRect(custom, &r);
    ::MapWindowPoints(nullptr, m_host, reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r, CRect(10, 10, 210, 110));
    grid.SetColumnCount(2);
    grid.SetRowCount(2);
    grid.SetItemText(1, 1, "x");
    EXPECT_EQ(grid.GetItemText(1, 1), "x");
}

TEST_F(GridTest, CountsFixedStatesAndRefusals)
{
    MakeGrid(5, 4, 1, 1);
    CGridCtrl& g = *m_grid;
    EXPECT_EQ(g.GetItemState(0, 2) & 0xF0, 0x30u);
    EXPECT_EQ(g.GetItemState(3, 0) & 0xF0, 0x50u);
    EXPECT_EQ(g.GetItemState(0, 0) & 0xF0, 0x70u);
    EXPECT_EQ(g.GetItemState(2, 2) & 0xF0, 0x00u);
    g.SetFixedRowCount(2);
    EXPECT_EQ(g.GetItemState(1, 2) & 0xF0, 0x30u);
    g.SetFixedRowCount(1);
    EXPECT_EQ(g.GetItemState(1, 2) & 0xF0, 0x00u);
    EXPECT_EQ(g.GetItemState(1, 0) & 0xF0, 0x50u);

    // Negative counts and sizes are refused and change nothing.
    EXPECT_FALSE(g.SetRowCount(-1));
    EXPECT_FALSE(g.SetColumnCount(-3));
    EXPECT_FALSE(g.SetFixedRowCount(-1));
    EXPECT_FALSE(g.SetFixedColumnCount(-1));
    EXPECT_FALSE(g.SetRowHeight(1, -5));
    EXPECT_FALSE(g.SetColumnWidth(1, -5));
    EXPECT_FALSE(g.SetRowHeight(5, 10));
    EXPECT_EQ(g.GetRowCount(), 5);
    EXPECT_EQ(g.GetColumnCount(), 4);
    EXPECT_EQ(g.GetRowHeight(1), 18);
    EXPECT_EQ(g.GetRowHeight(5), -1);
    EXPECT_EQ(g.GetColumnWidth(4), -1);
    EXPECT_EQ(g.GetColumnWidth(-1), -1);

    EXPECT_EQ(g.GetFixedRowHeight(), 18);
    EXPECT_EQ(g.GetFixedColumnWidth(), 60);
    EXPECT_EQ(g.GetVirtualHeight(), 90);
    EXPECT_EQ(g.GetVirtualWidth(), 240);

    // Lowering the row count lowers the fixed count and clears a focus below.
    g.SetFocusCell(4, 2);
    EXPECT_TRUE(g.SetRowCount(3));
    EXPECT_EQ(g.GetFocusCell(), CGridCellID(-1, -1));
    EXPECT_TRUE(g.SetRowCount(0));
    EXPECT_EQ(g.GetFixedRowCount(), 0);
    EXPECT_EQ(g.GetItemText(0, 0), "");
    EXPECT_EQ(g.GetCell(0, 0), nullptr);
}

TEST_F(GridTest, TextModifiedAndSortColumn)
{
    MakeGrid(4, 3, 1, 1);
    CGridCtrl& g = *m_grid;
    g.SetModified(FALSE);
    EXPECT_TRUE(g.SetItemText(2, 2, "hello"));
    EXPECT_EQ(g.GetItemText(2, 2), "hello");
    EXPECT_TRUE(g.GetModified());
    EXPECT_TRUE(g.GetItemState(2, 2) & GVIS_MODIFIED);
    EXPECT_FALSE(g.SetItemText(9, 2, "x"));
    EXPECT_EQ(g.GetItemText(9, 2), "");
    g.SetSortColumn(2);
    g.SetItemText(1, 1, "a");
    EXPECT_EQ(g.GetSortColumn(), 2);
    g.SetItemText(1, 2, "b");
    EXPECT_EQ(g.GetSortColumn(), -1);
}

TEST_F(GridTest, ChangingTheColumnCountResetsTheColumnOrder)
{
    MakeGrid(3, 3, 0, 0);
    m_grid->SetItemText(0, 0, "a");
    m_grid->SetItemText(0, 2, "c");
    m_grid->SetColumnOrder({ 2, 1, 0 });
    EXPECT_EQ(m_grid->GetItemText(0, 0), "c");
    m_grid->SetColumnCount(4);
    EXPECT_EQ(m_grid->GetItemText(0, 0), "a");
    EXPECT_EQ(m_grid->GetColumnOrder(), (std::vector<int>{ 0, 1, 2, 3 }));
}

TEST_F(GridTest, SelectionKeepsRowsBeyond65535Apart)
{
    MakeVirtualGrid(70001, 3, 1, 1);
    CGridCtrl& g = *m_grid;
    g.SetSelectedRange(70000, 1, 70000, 1);
    EXPECT_TRUE(g.IsCellSelected(70000, 1));
    EXPECT_FALSE(g.IsCellSelected(4464, 1));
    g.SetSelectedRange(4464, 1, 4464, 1);
    EXPECT_TRUE(g.IsCellSelected(4464, 1));
    EXPECT_FALSE(g.IsCellSelected(70000, 1));
    EXPECT_EQ(g.GetSelectedCellRange(), CGridCellRange(4464, 1, 4464, 1));
}

static BOOL CALLBACK TextFromUser(GRID_DISPINFO* info, LPARAM user)
{
    info->strText = reinterpret_cast<const char*>(user);
    return TRUE;
}

TEST_F(GridTest, VirtualCellsComeFromTheOwner)
{
    MakeVirtualGrid(10, 4, 1, 1);
    CGridCtrl& g = *m_grid;
    EXPECT_FALSE(g.SetItemText(2, 2, "x"));
    Host().answerFormat = true;
    CGridCellBase* a = g.GetCell(2, 3);
    EXPECT_STREQ(a->GetText(), "2:3");
    EXPECT_EQ(a->GetFormat(), 0x8824u);   // whatever the owner answers
    CGridCellBase* b = g.GetCell(5, 1);
    EXPECT_EQ(a, b);
    EXPECT_STREQ(a->GetText(), "5:1");
    EXPECT_EQ(g.GetCell(10, 1), nullptr);
    EXPECT_EQ(g.GetCell(0, 0)->GetState() & 0xF0, 0x70u);
    g.SetFocusCell(3, 2);
    g.SetSelectedRange(3, 2, 3, 2);
    EXPECT_EQ(g.GetCell(3, 2)->GetState() & 0x03, 0x03u);

    // The row and column orders map display to data coordinates.
    g.SetColumnOrder({ 0, 3, 2, 1 });
    EXPECT_STREQ(g.GetCell(4, 1)->GetText(), "4:3");
    g.SetVirtualCompare([](int x, int y) { return x > y; });
    const_cast<std::vector<int>&>(g.GetRowOrder())[4] = 7;
    EXPECT_STREQ(g.GetCell(4, 1)->GetText(), "7:3");

    // A callback takes the place of the notification.
    Host().dispInfoRequests = 0;
    g.SetCallbackFunc(TextFromUser, reinterpret_cast<LPARAM>("cb"));
    EXPECT_STREQ(g.GetCell(2, 2)->GetText(), "cb");
    EXPECT_EQ(Host().dispInfoRequests, 0);
}

TEST_F(GridTest, VirtualPaintAnnouncesTheRangeAndDestructionAsksNothing)
{
    MakeVirtualGrid(100, 5, 1, 1);
    Host().hints.clear();
    CDC* dc = nullptr;
    (void)dc;
    HDC screen = ::GetDC(m_grid->m_hWnd);
    CTempDC target(screen);
    m_grid->OnDraw(&target);
    ::ReleaseDC(m_grid->m_hWnd, screen);
    ASSERT_EQ(Host().hints.size(), 2u);
    EXPECT_EQ(Host().hints[0].GetMinRow(), 1);
    EXPECT_EQ(Host().hints[0].GetMinCol(), 1);
    EXPECT_GT(Host().hints[0].GetMaxRow(), 10);
    EXPECT_EQ(Host().hints[1], CGridCellRange(-1, -1, -1, -1));

    Host().dispInfoRequests = 0;
    m_grid->BeginDestroying();
    EXPECT_STREQ(m_grid->GetCell(3, 3)->GetText(), "");
    EXPECT_EQ(Host().dispInfoRequests, 0);
    m_grid.reset();
    EXPECT_EQ(Host().dispInfoRequests, 0);
}

TEST_F(GridTest, DeleteAllItemsEmptiesEverything)
{
    MakeGrid(5, 5, 1, 1);
    m_grid->SetSelectedRange(1, 1, 2, 2);
    m_grid->SetFocusCell(1, 1);
    m_grid->SetSortColumn(2);
    m_grid->DeleteAllItems();
    EXPECT_EQ(m_grid->GetRowCount(), 0);
    EXPECT_EQ(m_grid->GetFixedColumnCount(), 0);
    EXPECT_EQ(m_grid->GetSelectedCount(), 0);
    EXPECT_EQ(m_grid->GetFocusCell(), CGridCellID(-1, -1));
    EXPECT_EQ(m_grid->GetSortColumn(), -1);
    EXPECT_TRUE(m_grid->GetModified());
}

namespace {

// The colour scheme the grid reads while a test plays a change of it: the window colour is ours.
struct PlayedColourScheme {
    static COLORREF& Window()
    {
        static COLORREF window = 0;
        return window;
    }
    explicit PlayedColourScheme(COLORREF window)
    {
        Window() = window;
        CGridCtrl::SetSysColourSource(
            [](int index) { return index == COLOR_WINDOW ? Window() : ::GetSysColor(index); });
    }
    ~PlayedColourScheme() { CGridCtrl::SetSysColourSource(nullptr); }
};

}  // namespace

TEST_F(GridTest, SystemColourChangeFollowsOnlyRememberedColours)
{
    // The grid is made while the window colour is (9, 9, 9).
    PlayedColourScheme scheme(RGB(9, 9, 9));
    m_grid = std::make_unique<CGridCtrl>();
    MakeGrid(2, 2, 1, 1);
    m_grid->GetDefaultCell(FALSE, FALSE)->SetTextColour(RGB(1, 2, 3));
    m_grid->GetDefaultCell(FALSE, FALSE)->SetBackColour(RGB(9, 9, 9));
    PlayedColourScheme::Window() = ::GetSysColor(COLOR_WINDOW);
    m_grid->SendMessage(WM_SYSCOLORCHANGE);
    EXPECT_EQ(m_grid->GetDefaultCell(FALSE, FALSE)->GetTextColour(), RGB(1, 2, 3));
    EXPECT_EQ(m_grid->GetDefaultCell(FALSE, FALSE)->GetBackColour(), ::GetSysColor(COLOR_WINDOW));
    // The grid remembers the new window colour: the next change moves the cell on from it.
    PlayedColourScheme::Window() = RGB(7, 7, 7);
    m_grid->SendMessage(WM_SYSCOLORCHANGE);
    EXPECT_EQ(m_grid->GetDefaultCell(FALSE, FALSE)->GetBackColour(), RGB(7, 7, 7));
}
