// Binding windows to their objects (subclassing, registered classes) and the control wrappers,
// each on a dialog built in memory and created modeless: values set through the wrapper are read
// back from the control.
#include "framework/controls.h"
#include "framework/dialogex.h"
#include "framework/edit.h"
#include "testsupport/dlgtemplate.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

enum : WORD {
    IDT_ICON = 100, IDT_CHECK, IDT_COMBO, IDT_LIST, IDT_REPORT, IDT_BUDDY, IDT_SPIN, IDT_TABS, IDT_BAR, IDT_PLAIN
};

using TemplateBuilder = DialogTemplateBuilder;

TemplateBuilder ControlsTemplate()
{
    TemplateBuilder b("Controls", WS_POPUP | WS_CAPTION | DS_SETFONT, 300, 240);
    b.Item(IDT_ICON, "STATIC", SS_ICON, "", 5, 5, 20, 20);
    b.Item(IDT_CHECK, "BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP, "Check", 30, 5, 60, 12);
    b.Item(IDT_COMBO, "COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, "", 100, 5, 80, 60);
    b.Item(IDT_LIST, "LISTBOX", LBS_NOTIFY | WS_VSCROLL | WS_BORDER, "", 190, 5, 100, 50);
    b.Item(IDT_REPORT, "SysListView32", LVS_REPORT | LVS_SHOWSELALWAYS | WS_BORDER, "", 5, 60, 200, 60);
    b.Item(IDT_BUDDY, "EDIT", ES_AUTOHSCROLL | WS_BORDER, "", 5, 125, 50, 12);
    b.Item(IDT_SPIN, "msctls_updown32", UDS_SETBUDDYINT | UDS_NOTHOUSANDS | UDS_ARROWKEYS, "", 56, 125, 10, 12);
    b.Item(IDT_TABS, "SysTabControl32", 0, "", 5, 145, 200, 40);
    b.Item(IDT_BAR, "SCROLLBAR", SBS_HORZ, "", 5, 190, 200, 10);
    b.Item(IDT_PLAIN, "STATIC", SS_LEFT, "plain", 210, 190, 50, 10);
    return b;
}

void InitControls()
{
    INITCOMMONCONTROLSEX icc = { sizeof icc, ICC_LISTVIEW_CLASSES | ICC_UPDOWN_CLASS | ICC_TAB_CLASSES | ICC_BAR_CLASSES };
    ::InitCommonControlsEx(&icc);
}

// Records how it was bound: how often PreSubclassWindow ran and whether the object was already
// the window's when it did.
class CProbeStatic : public CStatic {
public:
    int calls = 0;
    bool boundAtCall = false;
    DWORD styleAtCall = 0;
    void PreSubclassWindow() override
    {
        ++calls;
        boundAtCall = m_hWnd != nullptr && CWnd::FromHandlePermanent(m_hWnd) == this;
        styleAtCall = GetStyle();
        ModifyStyle(0, SS_NOTIFY);   // what a control adjusts here
    }
};

class CControlsDlg : public CDialogEx {
public:
    CControlsDlg() : CDialogEx(0, nullptr) {}
    CStatic m_icon;
    CButton m_check;
    CComboBox m_combo;
    CListBox m_list;
    CListCtrl m_report;
    CEdit m_buddy;
    CSpinButtonCtrl m_spin;
    CTabCtrl m_tabs;
    CScrollBar m_bar;
    CProbeStatic m_plain;
    void DoDataExchange(CDataExchange* dx) override
    {
        DDX_Control(dx, IDT_ICON, m_icon);
        DDX_Control(dx, IDT_CHECK, m_check);
        DDX_Control(dx, IDT_COMBO, m_combo);
        DDX_Control(dx, IDT_LIST, m_list);
        DDX_Control(dx, IDT_REPORT, m_report);
        DDX_Control(dx, IDT_BUDDY, m_buddy);
        DDX_Control(dx, IDT_SPIN, m_spin);
        DDX_Control(dx, IDT_TABS, m_tabs);
        DDX_Control(dx, IDT_BAR, m_bar);
        DDX_Control(dx, IDT_PLAIN, m_plain);
    }
};

class Controls : public ::testing::Test {
protected:
    void SetUp() override
    {
        InitControls();
        ASSERT_TRUE(dlg.CreateIndirect(tmpl.Get()));
    }
    TemplateBuilder tmpl = ControlsTemplate();
    CControlsDlg dlg;
};

// A window of a class registered by name, created through its object.
std::vector<std::string> g_created;
class CNamedWnd : public CWnd {
public:
    int preSubclassCalls = 0;
    void PreSubclassWindow() override { ++preSubclassCalls; }
    int OnCreate(LPCREATESTRUCTA cs)
    {
        g_created.push_back(cs->lpszClass ? cs->lpszClass : "");
        return CWnd::OnCreate(cs);
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CNamedWnd, CWnd)
    ON_WM_CREATE()
END_MESSAGE_MAP()

int CALLBACK ByDataDescending(LPARAM a, LPARAM b, LPARAM sign)
{
    return static_cast<int>(sign) * (a < b ? -1 : a > b ? 1 : 0);
}

} // namespace

TEST(Binding, PreSubclassWindowRunsOnceWithTheObjectBound)
{
    HWND wnd = ::CreateWindowExA(0, "STATIC", "text", WS_POPUP, 0, 0, 50, 20, nullptr, nullptr,
                                 ::GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(nullptr, wnd);
    {
        CProbeStatic probe;
        ASSERT_TRUE(probe.SubclassWindow(wnd));
        EXPECT_EQ(1, probe.calls);
        EXPECT_TRUE(probe.boundAtCall);
        EXPECT_TRUE(probe.GetStyle() & SS_NOTIFY);
        // Bound once: a second attempt fails and does not call it again.
        CProbeStatic other;
        EXPECT_FALSE(other.SubclassWindow(wnd));
        EXPECT_EQ(0, other.calls);
        EXPECT_EQ(wnd, probe.UnsubclassWindow());
        EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(wnd));
    }
    // A control created through its object is subclassed too.
    CProbeStatic created;
    ASSERT_TRUE(created.CreateEx(0, "STATIC", "x", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    EXPECT_EQ(1, created.calls);
    EXPECT_TRUE(created.boundAtCall);
    ::DestroyWindow(wnd);
}

TEST(Binding, RegisteredClassBindsItsWindowsToTheirObjects)
{
    g_created.clear();
    ASSERT_TRUE(AfxRegisterNamedClass("KorveltaTestNamed", CS_DBLCLKS, nullptr, ::LoadCursorA(nullptr, IDC_ARROW)));
    // Registering again is harmless.
    EXPECT_TRUE(AfxRegisterNamedClass("KorveltaTestNamed", CS_DBLCLKS));
    CNamedWnd first, second;
    ASSERT_TRUE(first.CreateEx(0, "KorveltaTestNamed", "one", WS_POPUP, 0, 0, 40, 40, nullptr, nullptr));
    ASSERT_TRUE(second.CreateEx(0, "KorveltaTestNamed", "two", WS_POPUP, 0, 0, 40, 40, nullptr, nullptr));
    EXPECT_EQ(&first, CWnd::FromHandlePermanent(first.m_hWnd));
    EXPECT_EQ(&second, CWnd::FromHandlePermanent(second.m_hWnd));
    EXPECT_NE(first.m_hWnd, second.m_hWnd);
    // Bound at creation (WM_CREATE reached the map), not by subclassing.
    EXPECT_EQ((std::vector<std::string>{ "KorveltaTestNamed", "KorveltaTestNamed" }), g_created);
    EXPECT_EQ(0, first.preSubclassCalls);
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(AfxWndProc), ::GetWindowLongPtrA(first.m_hWnd, GWLP_WNDPROC));
    // A window of the class made without an object is simply not bound.
    HWND loose = ::CreateWindowExA(0, "KorveltaTestNamed", "", WS_POPUP, 0, 0, 5, 5, nullptr, nullptr,
                                   ::GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(nullptr, loose);
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(loose));
    ::DestroyWindow(loose);
    // A class registered with another procedure keeps it.
    ASSERT_TRUE(AfxRegisterNamedClass("KorveltaTestPlain", 0, ::DefWindowProcA));
    WNDCLASSA info = {};
    ASSERT_TRUE(::GetClassInfoA(::GetModuleHandleA(nullptr), "KorveltaTestPlain", &info));
    EXPECT_EQ(reinterpret_cast<WNDPROC>(::DefWindowProcA), info.lpfnWndProc);
}

TEST_F(Controls, EveryControlIsBoundToItsWrapper)
{
    for (CWnd* w : std::vector<CWnd*>{ &dlg.m_icon, &dlg.m_check, &dlg.m_combo, &dlg.m_list, &dlg.m_report,
                                       &dlg.m_buddy, &dlg.m_spin, &dlg.m_tabs, &dlg.m_bar, &dlg.m_plain }) {
        ASSERT_NE(nullptr, w->m_hWnd);
        EXPECT_EQ(w, CWnd::FromHandlePermanent(w->m_hWnd));
    }
    EXPECT_EQ(1, dlg.m_plain.calls);
    EXPECT_TRUE(dlg.m_plain.boundAtCall);
    // Data exchange runs again on UpdateData: the controls stay bound once.
    EXPECT_TRUE(dlg.UpdateData(TRUE));
    EXPECT_EQ(1, dlg.m_plain.calls);
}

TEST_F(Controls, StaticAndButton)
{
    HICON icon = ::LoadIconA(nullptr, IDI_APPLICATION);
    dlg.m_icon.SetIcon(icon);
    EXPECT_EQ(icon, dlg.m_icon.GetIcon());
    dlg.m_check.SetCheck(BST_CHECKED);
    EXPECT_EQ(BST_CHECKED, dlg.m_check.GetCheck());
    EXPECT_EQ(BST_CHECKED, dlg.IsDlgButtonChecked(IDT_CHECK));
    dlg.m_check.SetCheck(BST_UNCHECKED);
    EXPECT_EQ(BST_UNCHECKED, dlg.m_check.GetCheck());
    EXPECT_EQ(static_cast<UINT>(BS_AUTOCHECKBOX), dlg.m_check.GetButtonStyle() & 0x0F);
}

TEST_F(Controls, ComboAndListBoxes)
{
    for (const char* s : { "Alpha", "Beta", "Gamma" }) {
        dlg.m_combo.AddString(s);
        dlg.m_list.AddString(s);
    }
    EXPECT_EQ(3, dlg.m_combo.GetCount());
    EXPECT_EQ(1, dlg.m_combo.InsertString(1, "Between"));
    dlg.m_combo.SetItemData(2, 4242);
    EXPECT_EQ(2, dlg.m_combo.SetCurSel(2));
    CString text;
    EXPECT_EQ(2, dlg.m_combo.GetCurSel());
    EXPECT_EQ(4, dlg.m_combo.GetLBText(2, text));
    EXPECT_STREQ("Beta", text);
    EXPECT_EQ(4242u, dlg.m_combo.GetItemData(2));
    EXPECT_EQ(3, dlg.m_combo.FindStringExact(-1, "gamma"));
    EXPECT_EQ(CB_ERR, dlg.m_combo.GetLBText(9, text));
    EXPECT_TRUE(text.IsEmpty());
    dlg.m_combo.DeleteString(0);
    EXPECT_EQ(3, dlg.m_combo.GetCount());
    dlg.m_combo.ResetContent();
    EXPECT_EQ(0, dlg.m_combo.GetCount());

    dlg.m_list.SetItemData(0, 7);
    EXPECT_EQ(2, dlg.m_list.SelectString(-1, "Gam"));
    EXPECT_EQ(2, dlg.m_list.GetCurSel());
    EXPECT_EQ(5, dlg.m_list.GetText(2, text));
    EXPECT_STREQ("Gamma", text);
    EXPECT_EQ(7u, dlg.m_list.GetItemData(0));
    EXPECT_EQ(LB_ERR, dlg.m_list.GetText(5, text));
    EXPECT_EQ(1, dlg.m_list.FindString(-1, "B"));
}

TEST_F(Controls, ListControlColumnsItemsSortingAndSelection)
{
    CListCtrl& lc = dlg.m_report;
    EXPECT_EQ(0, lc.InsertColumn(0, "Name", LVCFMT_LEFT, 80));
    EXPECT_EQ(1, lc.InsertColumn(1, "Size", LVCFMT_RIGHT, 60));
    EXPECT_EQ(80, lc.GetColumnWidth(0));
    EXPECT_TRUE(lc.SetColumnWidth(1, 70));
    EXPECT_EQ(70, lc.GetColumnWidth(1));
    lc.SetExtendedStyle(LVS_EX_FULLROWSELECT);
    EXPECT_TRUE(lc.GetExtendedStyle() & LVS_EX_FULLROWSELECT);

    const char* names[] = { "b.lbl", "a.lbl", "c.lbl", "d.lbl" };
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(i, lc.InsertItem(i, names[i]));
        EXPECT_TRUE(lc.SetItemText(i, 1, std::to_string((i + 1) * 100).c_str()));
        EXPECT_TRUE(lc.SetItemData(i, static_cast<DWORD_PTR>(i + 1)));
    }
    EXPECT_EQ(4, lc.GetItemCount());
    EXPECT_STREQ("c.lbl", lc.GetItemText(2, 0));
    EXPECT_STREQ("300", lc.GetItemText(2, 1));
    // Texts longer than the first buffer come back whole.
    std::string longText(700, 'x');
    lc.SetItemText(3, 0, longText.c_str());
    EXPECT_EQ(longText, std::string(lc.GetItemText(3, 0)));

    // Sorting compares item data; the texts move with their items.
    ASSERT_TRUE(lc.SortItems(ByDataDescending, static_cast<DWORD_PTR>(-1)));
    EXPECT_EQ(4u, lc.GetItemData(0));
    EXPECT_EQ(1u, lc.GetItemData(3));
    EXPECT_STREQ("b.lbl", lc.GetItemText(3, 0));
    EXPECT_STREQ("100", lc.GetItemText(3, 1));

    EXPECT_EQ(0, lc.GetSelectedCount());
    EXPECT_EQ(-1, lc.GetNextItem(-1, LVNI_SELECTED));
    lc.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    lc.SetItemState(3, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    EXPECT_EQ(2, lc.GetSelectedCount());
    EXPECT_EQ(1, lc.GetNextSelectedItem());
    EXPECT_EQ(3, lc.GetNextSelectedItem(1));
    EXPECT_EQ(-1, lc.GetNextSelectedItem(3));
    EXPECT_EQ(3, lc.GetNextItem(-1, LVNI_FOCUSED));
    EXPECT_EQ(static_cast<UINT>(LVIS_SELECTED), lc.GetItemState(1, LVIS_SELECTED));
    EXPECT_TRUE(lc.EnsureVisible(3, FALSE));

    EXPECT_TRUE(lc.DeleteItem(0));
    EXPECT_EQ(3, lc.GetItemCount());
    EXPECT_EQ(3u, lc.GetItemData(0));
    EXPECT_TRUE(lc.DeleteAllItems());
    EXPECT_EQ(0, lc.GetItemCount());
}

TEST_F(Controls, SpinButtonKeepsPositionsBeyondSixteenBits)
{
    CSpinButtonCtrl& spin = dlg.m_spin;
    spin.SetBuddy(&dlg.m_buddy);
    EXPECT_EQ(&dlg.m_buddy, spin.GetBuddy());
    spin.SetRange32(-5, 100000);
    int lower = 0, upper = 0;
    spin.GetRange32(lower, upper);
    EXPECT_EQ(-5, lower);
    EXPECT_EQ(100000, upper);
    spin.SetPos32(70000);
    BOOL error = TRUE;
    EXPECT_EQ(70000, spin.GetPos32(&error));
    EXPECT_FALSE(error);
    EXPECT_STREQ("70000", dlg.m_buddy.GetWindowText());
    // The buddy's text is what counts.
    dlg.m_buddy.SetWindowText("123");
    EXPECT_EQ(123, spin.GetPos32());
}

TEST_F(Controls, TabStrip)
{
    CTabCtrl& tabs = dlg.m_tabs;
    EXPECT_EQ(0, tabs.InsertItem(0, "Design"));
    EXPECT_EQ(1, tabs.InsertItem(1, "Table"));
    EXPECT_EQ(1, tabs.InsertItem(1, "Preview"));
    EXPECT_EQ(3, tabs.GetItemCount());
    EXPECT_STREQ("Preview", tabs.GetItemText(1));
    EXPECT_STREQ("Table", tabs.GetItemText(2));
    tabs.SetCurSel(2);
    EXPECT_EQ(2, tabs.GetCurSel());
    EXPECT_TRUE(tabs.SetItemText(0, "Label"));
    EXPECT_STREQ("Label", tabs.GetItemText(0));
    CRect item;
    EXPECT_TRUE(tabs.GetItemRect(0, &item));
    EXPECT_EQ(0, tabs.HitTest(CPoint((item.left + item.right) / 2, (item.top + item.bottom) / 2)));
    EXPECT_TRUE(tabs.DeleteItem(0));
    EXPECT_EQ(2, tabs.GetItemCount());
    EXPECT_STREQ("Preview", tabs.GetItemText(0));
    EXPECT_TRUE(tabs.DeleteAllItems());
    EXPECT_EQ(0, tabs.GetItemCount());
}

TEST_F(Controls, ToolTipTools)
{
    CToolTipCtrl tip;
    ASSERT_TRUE(tip.Create(&dlg));
    EXPECT_EQ(&tip, CWnd::FromHandlePermanent(tip.m_hWnd));
    ASSERT_TRUE(tip.AddTool(&dlg.m_check, "Check it"));
    CRect area(0, 0, 10, 10);
    ASSERT_TRUE(tip.AddTool(&dlg, "Corner", &area, 5));
    EXPECT_EQ(2, tip.GetToolCount());
    EXPECT_STREQ("Check it", tip.GetText(&dlg.m_check));
    EXPECT_STREQ("Corner", tip.GetText(&dlg, 5));
    tip.UpdateTipText("http://example.invalid/", &dlg.m_check);
    EXPECT_STREQ("http://example.invalid/", tip.GetText(&dlg.m_check));
    tip.SetDelayTime(TTDT_INITIAL, 1200);
    tip.SetDelayTime(TTDT_AUTOPOP, 1600);
    EXPECT_EQ(1200, tip.GetDelayTime(TTDT_INITIAL));
    EXPECT_EQ(1600, tip.GetDelayTime(TTDT_AUTOPOP));
    MSG move = { dlg.m_check.m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3), 0, { 0, 0 } };
    tip.RelayEvent(&move);
    tip.Activate(FALSE);
    tip.Activate(TRUE);
    tip.DelTool(&dlg, 5);
    EXPECT_EQ(1, tip.GetToolCount());
    EXPECT_TRUE(tip.DestroyWindow());
}

TEST_F(Controls, ScrollBarControl)
{
    CScrollBar& bar = dlg.m_bar;
    SCROLLINFO info = {};
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMin = 0;
    info.nMax = 100000;
    info.nPage = 1000;
    info.nPos = 0;
    bar.SetScrollInfo(&info);
    EXPECT_EQ(99001, bar.GetScrollLimit());
    bar.SetScrollPos(70000);
    EXPECT_EQ(70000, bar.GetScrollPos());
    int lo = -1, hi = -1;
    bar.GetScrollRange(&lo, &hi);
    EXPECT_EQ(0, lo);
    EXPECT_EQ(100000, hi);
    SCROLLINFO back = {};
    ASSERT_TRUE(bar.GetScrollInfo(&back, SIF_POS | SIF_PAGE));
    EXPECT_EQ(70000, back.nPos);
    EXPECT_EQ(1000u, back.nPage);
}
