// Message-map entries whose numbers or parameters need more than the message itself (registered
// messages, 32-bit scroll positions), the scroll view's single path for position changes, and
// context menus updated and answered through the owner's command route.
#include "framework/controls.h"
#include "framework/gdi.h"
#include "framework/menu.h"
#include "framework/view.h"
#include "testsupport/wheellines.h"

#include <commdlg.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

UINT g_findMessage = ::RegisterWindowMessageA(FINDMSGSTRINGA);
UINT g_otherMessage = ::RegisterWindowMessageA("KorveltaTestUnmapped");
UINT g_neverRegistered = 0;   // a failed registration leaves 0: matches nothing

enum : UINT { IDC_HBAR = 300 };

class CMessageWnd : public CWnd {
public:
    std::vector<std::string> log;
    UINT vPos = 0, hPos = 0, vCode = 0;
    CScrollBar* hBar = reinterpret_cast<CScrollBar*>(1);
    CScrollBar* vBar = reinterpret_cast<CScrollBar*>(1);
    LPARAM findParam = 0;

    LRESULT OnFind(WPARAM, LPARAM lParam)
    {
        findParam = lParam;
        log.push_back("find");
        return 77;
    }
    LRESULT OnNever(WPARAM, LPARAM)
    {
        log.push_back("never");
        return 1;
    }
    void OnVScroll(UINT code, UINT pos, CScrollBar* bar)
    {
        vCode = code;
        vPos = pos;
        vBar = bar;
    }
    void OnHScroll(UINT, UINT pos, CScrollBar* bar)
    {
        hPos = pos;
        hBar = bar;
    }
    void OnMouseLeave() { log.push_back("leave"); }
    void OnEnable(BOOL enable) { log.push_back(enable ? "enabled" : "disabled"); }
    void OnCancelMode() { log.push_back("cancel mode"); }
    void OnCaptureChanged(CWnd*) { log.push_back("capture changed"); }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CMessageWnd, CWnd)
    ON_REGISTERED_MESSAGE(g_neverRegistered, OnNever)
    ON_REGISTERED_MESSAGE(g_findMessage, OnFind)
    ON_WM_VSCROLL()
    ON_WM_HSCROLL()
    ON_WM_MOUSELEAVE()
    ON_WM_ENABLE()
    ON_WM_CANCELMODE()
    ON_WM_CAPTURECHANGED()
END_MESSAGE_MAP()

class Messages : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(wnd.CreateEx(0, nullptr, "messages", WS_POPUP | WS_VSCROLL | WS_HSCROLL, 0, 0, 300, 200, nullptr,
                                 nullptr));
    }
    CMessageWnd wnd;
};

// ---- scroll view

class CTrackedScrollView : public CScrollView {
public:
    std::vector<CSize> moves;   // every change that went through OnScrollBy
    BOOL OnScrollBy(CSize sizeScroll, BOOL doScroll) override
    {
        CPoint before = GetScrollPosition();
        BOOL moved = CScrollView::OnScrollBy(sizeScroll, doScroll);
        if (doScroll && moved)
            moves.push_back(GetScrollPosition() - before);
        return moved;
    }
};

// ---- popup menus

enum : UINT { ID_HANDLED = 41001, ID_NO_HANDLER, ID_CHECKED_ITEM, ID_DISABLED_ITEM, ID_SUB_ITEM, ID_SUB_NONE };

class CMenuOwner : public CWnd {
public:
    std::vector<std::string> log;
    void OnHandled() { log.push_back("handled"); }
    void OnChecked() { log.push_back("checked"); }
    void OnSub() { log.push_back("sub"); }
    void OnUpdateChecked(CCmdUI* ui) { ui->SetCheck(1); }
    void OnUpdateDisabled(CCmdUI* ui) { ui->Enable(FALSE); }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CMenuOwner, CWnd)
    ON_COMMAND(ID_HANDLED, OnHandled)
    ON_COMMAND(ID_CHECKED_ITEM, OnChecked)
    ON_UPDATE_COMMAND_UI(ID_CHECKED_ITEM, OnUpdateChecked)
    ON_UPDATE_COMMAND_UI(ID_DISABLED_ITEM, OnUpdateDisabled)
    ON_COMMAND(ID_SUB_ITEM, OnSub)
END_MESSAGE_MAP()

struct TrackedState {
    int calls = 0;
    UINT flags = 0;
    POINT at = {};
    HWND owner = nullptr;
    std::vector<UINT> states;      // GetMenuState of each item at tracking time, by position
    std::vector<UINT> subStates;   // the same for the sub-menu at position 4
    UINT answer = 0;
};
TrackedState g_tracked;

UINT RecordingTracker(HMENU menu, UINT flags, int x, int y, HWND owner)
{
    ++g_tracked.calls;
    g_tracked.flags = flags;
    g_tracked.at = { x, y };
    g_tracked.owner = owner;
    g_tracked.states.clear();
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i)
        g_tracked.states.push_back(::GetMenuState(menu, i, MF_BYPOSITION));
    g_tracked.subStates.clear();
    if (HMENU sub = ::GetSubMenu(menu, 4))
        for (int i = 0; i < ::GetMenuItemCount(sub); ++i)
            g_tracked.subStates.push_back(::GetMenuState(sub, i, MF_BYPOSITION));
    return g_tracked.answer;
}

HMENU BuildTestMenu()
{
    HMENU menu = ::CreatePopupMenu();
    ::AppendMenuA(menu, MF_STRING | MF_GRAYED, ID_HANDLED, "Handled");   // shown grayed before: enabled by the route
    ::AppendMenuA(menu, MF_STRING, ID_NO_HANDLER, "Nobody");
    ::AppendMenuA(menu, MF_STRING, ID_CHECKED_ITEM, "Checked");
    ::AppendMenuA(menu, MF_STRING, ID_DISABLED_ITEM, "Disabled");
    HMENU sub = ::CreatePopupMenu();
    ::AppendMenuA(sub, MF_STRING | MF_GRAYED, ID_SUB_ITEM, "Sub");
    ::AppendMenuA(sub, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuA(sub, MF_STRING, ID_SUB_NONE, "Sub nobody");
    ::AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), "More");
    return menu;
}

void CALLBACK CloseMenuSoon(HWND, UINT, UINT_PTR, DWORD)
{
    ::EndMenu();
}

// A DC that draws into its own bitmap: restoring an older state must not bring back the bitmap
// that was selected before.
class CKeepBitmapDC : public CDC {
public:
    HBITMAP m_keep = nullptr;
    BOOL RestoreDC(int saved) override
    {
        BOOL ok = CDC::RestoreDC(saved);
        if (m_keep != nullptr)
            ::SelectObject(m_hDC, m_keep);
        return ok;
    }
};

} // namespace

TEST_F(Messages, RegisteredMessageReachesItsHandler)
{
    ASSERT_NE(0u, g_findMessage);
    EXPECT_EQ(77, wnd.SendMessage(g_findMessage, 0, 1234));
    EXPECT_EQ(1234, wnd.findParam);
    // Another registered message and message 0 find no entry.
    EXPECT_EQ(0, wnd.SendMessage(g_otherMessage, 0, 0));
    wnd.SendMessage(WM_NULL, 0, 0);
    EXPECT_EQ(std::vector<std::string>{ "find" }, wnd.log);
}

TEST_F(Messages, MouseLeaveEnableCancelModeAndCaptureChanged)
{
    wnd.SendMessage(WM_MOUSELEAVE);
    wnd.EnableWindow(FALSE);
    wnd.EnableWindow(TRUE);
    wnd.SendMessage(WM_CANCELMODE);
    wnd.SendMessage(WM_CAPTURECHANGED, 0, 0);
    // Disabling a window cancels its modes first.
    EXPECT_EQ((std::vector<std::string>{ "leave", "cancel mode", "disabled", "enabled", "cancel mode", "capture changed" }),
              wnd.log);
}

// The message's position has 16 bits; 70,000 wraps to 4,464 there. Wine reports the bar's position
// as its track position outside a real drag, so the thumb is put there first.
TEST_F(Messages, ThumbPositionsArriveWithAllTheirBits)
{
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_POS;
    info.nMin = 0;
    info.nMax = 100000;
    wnd.SetScrollInfo(SB_VERT, &info);
    wnd.SetScrollInfo(SB_HORZ, &info);
    wnd.SetScrollPos(SB_VERT, 70000);
    for (UINT code : { SB_THUMBTRACK, SB_THUMBPOSITION }) {
        wnd.vPos = 0;
        wnd.SendMessage(WM_VSCROLL, MAKEWPARAM(code, 70000 & 0xFFFF), 0);
        EXPECT_EQ(code, wnd.vCode);
        EXPECT_EQ(70000u, wnd.vPos);
        EXPECT_EQ(nullptr, wnd.vBar);   // the window's own bar
    }
    // Other codes pass the message's position on untouched.
    wnd.SendMessage(WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), 0);
    EXPECT_EQ(0u, wnd.vPos);

    // A scroll-bar control: its own track position, and the handler gets the control.
    CScrollBar bar;
    ASSERT_TRUE(bar.Create(SBS_HORZ | WS_VISIBLE, CRect(0, 0, 200, 16), &wnd, IDC_HBAR));
    SCROLLINFO barInfo = {};
    barInfo.fMask = SIF_RANGE | SIF_POS;
    barInfo.nMax = 200000;
    barInfo.nPos = 150001;
    bar.SetScrollInfo(&barInfo);
    wnd.SetScrollPos(SB_HORZ, 5);
    wnd.SendMessage(WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, 150001 & 0xFFFF), reinterpret_cast<LPARAM>(bar.m_hWnd));
    EXPECT_EQ(150001u, wnd.hPos);
    EXPECT_EQ(&bar, wnd.hBar);
}

TEST(ScrollView, EveryPositionChangePassesThroughOnScrollBy)
{
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, nullptr, "host", WS_POPUP | WS_CLIPCHILDREN, 0, 0, 400, 400, nullptr, nullptr));
    CTrackedScrollView* view = new CTrackedScrollView;   // deletes itself with its window
    ASSERT_TRUE(view->Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 200), &parent, 1));
    view->SetScrollSizes(MM_TEXT, CSize(1000, 100000), CSize(150, 150), CSize(10, 20));
    view->moves.clear();
    ScopedWheelLines threeLines(3);

    view->SendMessage(WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), 0);
    view->SendMessage(WM_HSCROLL, MAKEWPARAM(SB_PAGEDOWN, 0), 0);
    view->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
    // A page is what the client area shows.
    CRect client;
    view->GetClientRect(&client);
    ASSERT_EQ(3u, view->moves.size());
    EXPECT_EQ(CSize(0, 20), view->moves[0]);
    EXPECT_EQ(CSize(client.Width(), 0), view->moves[1]);
    EXPECT_EQ(CSize(0, 60), view->moves[2]);
    EXPECT_EQ(CPoint(client.Width(), 80), view->GetScrollPosition());

    // The thumb beyond 65535 lands whole.
    view->SetScrollPos(SB_VERT, 70000);
    view->SendMessage(WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 70000 & 0xFFFF), 0);
    EXPECT_EQ(70000, view->GetScrollPosition().y);
    EXPECT_EQ(70000, view->GetScrollPos(SB_VERT));

    view->moves.clear();
    view->ScrollToPosition(CPoint(0, 500));
    ASSERT_EQ(1u, view->moves.size());
    EXPECT_EQ(CSize(-client.Width(), -69500), view->moves[0]);
    // Clamped to the end; nothing to do when nothing moves.
    view->ScrollToPosition(CPoint(0, 10000000));
    view->ScrollToPosition(view->GetScrollPosition());
    ASSERT_EQ(2u, view->moves.size());
    EXPECT_EQ(100000 - client.Height(), view->GetScrollPosition().y);

    // A smaller area clamps the position: through OnScrollBy too.
    view->moves.clear();
    view->SetScrollSizes(MM_TEXT, CSize(100, 1000));
    ASSERT_FALSE(view->moves.empty());
    view->GetClientRect(&client);
    EXPECT_EQ(0, view->GetScrollPosition().x);
    EXPECT_EQ(1000 - client.Height(), view->GetScrollPosition().y);
    // Asking without scrolling changes nothing.
    CPoint at = view->GetScrollPosition();
    EXPECT_TRUE(view->OnScrollBy(CSize(0, -10), FALSE));
    EXPECT_FALSE(view->OnScrollBy(CSize(0, 10), FALSE));
    EXPECT_EQ(at, view->GetScrollPosition());
}

TEST(PopupMenu, ItemsFollowTheOwnersRouteAndTheChoiceReachesIt)
{
    CMenuOwner owner;
    ASSERT_TRUE(owner.CreateEx(0, nullptr, "owner", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr));
    CMenu menu;
    menu.Attach(BuildTestMenu());
    g_tracked = TrackedState();
    g_tracked.answer = ID_CHECKED_ITEM;
    PopupMenuTracker previous = SetPopupMenuTracker(RecordingTracker);
    UINT choice = ShowPopupMenu(&menu, CPoint(40, 50), &owner);
    SetPopupMenuTracker(previous);

    EXPECT_EQ(static_cast<UINT>(ID_CHECKED_ITEM), choice);
    ASSERT_EQ(1, g_tracked.calls);
    EXPECT_TRUE(g_tracked.flags & TPM_RETURNCMD);
    EXPECT_EQ(40, g_tracked.at.x);
    EXPECT_EQ(50, g_tracked.at.y);
    EXPECT_EQ(owner.m_hWnd, g_tracked.owner);
    ASSERT_EQ(5u, g_tracked.states.size());
    EXPECT_FALSE(g_tracked.states[0] & MF_GRAYED);          // command handler: enabled
    EXPECT_TRUE(g_tracked.states[1] & MF_GRAYED);           // no handler: disabled
    EXPECT_TRUE(g_tracked.states[2] & MF_CHECKED);          // update handler checks it
    EXPECT_FALSE(g_tracked.states[2] & MF_GRAYED);
    EXPECT_TRUE(g_tracked.states[3] & MF_GRAYED);           // update handler disables it
    ASSERT_EQ(3u, g_tracked.subStates.size());              // sub-menus too
    EXPECT_FALSE(g_tracked.subStates[0] & MF_GRAYED);
    EXPECT_TRUE(g_tracked.subStates[2] & MF_GRAYED);
    EXPECT_EQ(std::vector<std::string>{ "checked" }, owner.log);

    // Dismissed: nothing is raised.
    g_tracked.answer = 0;
    previous = SetPopupMenuTracker(RecordingTracker);
    EXPECT_EQ(0u, ShowPopupMenu(&menu, CPoint(0, 0), &owner));
    // A choice from the sub-menu.
    g_tracked.answer = ID_SUB_ITEM;
    EXPECT_EQ(static_cast<UINT>(ID_SUB_ITEM), ShowPopupMenu(&menu, CPoint(0, 0), &owner));
    SetPopupMenuTracker(previous);
    EXPECT_EQ((std::vector<std::string>{ "checked", "sub" }), owner.log);

    // A missing menu resource shows nothing.
    EXPECT_EQ(0u, ShowPopupMenu(4999u, CPoint(0, 0), &owner));
}

// The real tracker runs the system's menu loop; a timer closes the menu, as a click elsewhere would.
TEST(PopupMenu, TheSystemTrackerReturnsNothingWhenTheMenuIsClosed)
{
    CMenuOwner owner;
    ASSERT_TRUE(owner.CreateEx(0, nullptr, "owner", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100, nullptr, nullptr));
    CMenu menu;
    menu.Attach(BuildTestMenu());
    UINT_PTR timer = ::SetTimer(nullptr, 0, 200, CloseMenuSoon);
    EXPECT_EQ(0u, ShowPopupMenu(&menu, CPoint(20, 20), &owner));
    ::KillTimer(nullptr, timer);
    EXPECT_TRUE(owner.log.empty());
}

TEST(Gdi, ADerivedDCDecidesWhatRestoringMeans)
{
    CKeepBitmapDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    CBitmap first, second;
    ASSERT_TRUE(first.CreateBitmap(4, 4, 1, 1, nullptr));
    ASSERT_TRUE(second.CreateBitmap(8, 8, 1, 1, nullptr));
    HGDIOBJ original = ::SelectObject(dc.m_hDC, first.m_hObject);
    CDC& base = dc;
    int saved = base.SaveDC();
    ::SelectObject(dc.m_hDC, second.m_hObject);
    dc.m_keep = static_cast<HBITMAP>(second.m_hObject);
    ASSERT_TRUE(base.RestoreDC(saved));   // through the base: the override still decides
    EXPECT_EQ(second.m_hObject, ::GetCurrentObject(dc.m_hDC, OBJ_BITMAP));
    ::SelectObject(dc.m_hDC, original);
}
