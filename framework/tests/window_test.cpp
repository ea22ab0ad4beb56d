// CWnd binding, subclassing, message-map dispatch and the guard at the window procedure.
#include "framework/wnd.h"

#include <gtest/gtest.h>
#include <commctrl.h>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr UINT ID_ONE = 500;
constexpr UINT ID_RANGE_FIRST = 510;
constexpr UINT ID_RANGE_LAST = 519;
constexpr UINT ID_DECLINED = 530;
constexpr UINT IDC_CHILD = 600;
constexpr UINT WM_CUSTOM = WM_APP + 10;
constexpr UINT WM_THROWS = WM_APP + 11;

class CTestWnd : public CWnd {
public:
    std::vector<std::string> log;
    int created = 0;
    int sizeCx = -1;
    UINT lastRange = 0;
    UINT lastNotifyRange = 0;
    BOOL enableOne = TRUE;

    int OnCreate(LPCREATESTRUCTA cs)
    {
        ++created;
        return CWnd::OnCreate(cs);
    }
    void OnSize(UINT, int cx, int) { sizeCx = cx; }
    void OnOne() { log.push_back("base one"); }
    void OnRange(UINT id) { lastRange = id; }
    void OnUpdateOne(CCmdUI* ui) { ui->Enable(enableOne); }
    BOOL OnDeclined(UINT) { log.push_back("declined"); return FALSE; }
    void OnChildChange() { log.push_back("child change"); }
    void OnClick(NMHDR* header, LRESULT* result)
    {
        log.push_back("click " + std::to_string(header->idFrom));
        *result = 42;
    }
    void OnNotifyRange(UINT id, NMHDR*, LRESULT*) { lastNotifyRange = id; }
    LRESULT OnCustom(WPARAM w, LPARAM l) { return static_cast<LRESULT>(w + l); }
    LRESULT OnThrows(WPARAM, LPARAM) { throw std::runtime_error("handler failed"); }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_COMMAND(ID_ONE, OnOne)
    ON_UPDATE_COMMAND_UI(ID_ONE, OnUpdateOne)
    ON_COMMAND_RANGE(ID_RANGE_FIRST, ID_RANGE_LAST, OnRange)
    ON_COMMAND_EX(ID_DECLINED, OnDeclined)
    ON_EN_CHANGE(IDC_CHILD, OnChildChange)
    ON_NOTIFY(NM_CLICK, IDC_CHILD, OnClick)
    ON_NOTIFY_RANGE(NM_DBLCLK, 700, 709, OnNotifyRange)
    ON_MESSAGE(WM_CUSTOM, OnCustom)
    ON_MESSAGE(WM_THROWS, OnThrows)
END_MESSAGE_MAP()

// A derived map replaces one command and inherits the rest.
class CDerivedWnd : public CTestWnd {
public:
    void OnOne() { log.push_back("derived one"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDerivedWnd, CTestWnd)
    ON_COMMAND(ID_ONE, OnOne)
END_MESSAGE_MAP()

template <class W>
void CreatePopup(W& wnd)
{
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "test", WS_POPUP, 0, 0, 120, 80, nullptr, nullptr));
}

LRESULT Notify(HWND wnd, UINT_PTR id, UINT code)
{
    NMHDR header = { nullptr, id, code };
    return ::SendMessageA(wnd, WM_NOTIFY, id, reinterpret_cast<LPARAM>(&header));
}

} // namespace

TEST(WindowBinding, CreatedWindowIsBoundFromItsFirstMessage)
{
    CTestWnd wnd;
    CreatePopup(wnd);
    EXPECT_EQ(1, wnd.created);
    EXPECT_EQ(&wnd, CWnd::FromHandlePermanent(wnd.m_hWnd));
    EXPECT_EQ(&wnd, CWnd::FromHandle(wnd.m_hWnd));
    wnd.MoveWindow(0, 0, 77, 50);
    EXPECT_EQ(77, wnd.sizeCx);
    wnd.SetWindowText("caption");
    EXPECT_STREQ("caption", wnd.GetWindowText());

    HWND hwnd = wnd.m_hWnd;
    EXPECT_TRUE(wnd.DestroyWindow());
    EXPECT_EQ(nullptr, wnd.m_hWnd);
    EXPECT_FALSE(::IsWindow(hwnd));
}

TEST(WindowBinding, ForeignWindowsGetTemporaryWrappers)
{
    HWND foreign = ::CreateWindowExA(0, "STATIC", "x", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, foreign);
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(foreign));
    CWnd* temp = CWnd::FromHandle(foreign);
    ASSERT_NE(nullptr, temp);
    EXPECT_EQ(foreign, temp->m_hWnd);
    EXPECT_EQ(temp, CWnd::FromHandle(foreign));
    CWnd::DeleteTempMap();
    EXPECT_TRUE(::IsWindow(foreign));   // dropping a wrapper never destroys the window
    ::DestroyWindow(foreign);
}

TEST(WindowBinding, DestructorDestroysAWindowStillAlive)
{
    HWND hwnd;
    {
        CTestWnd wnd;
        CreatePopup(wnd);
        hwnd = wnd.m_hWnd;
    }
    EXPECT_FALSE(::IsWindow(hwnd));
}

namespace {
class CSelfDeleting : public CWnd {
public:
    explicit CSelfDeleting(bool* deleted) : m_deleted(deleted) {}
    void PostNcDestroy() override
    {
        *m_deleted = true;
        delete this;
    }
    bool* m_deleted;
};
} // namespace

TEST(WindowBinding, PostNcDestroyRunsAfterTheWindowIsGone)
{
    bool deleted = false;
    CSelfDeleting* wnd = new CSelfDeleting(&deleted);
    ASSERT_TRUE(wnd->CreateEx(0, nullptr, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    HWND hwnd = wnd->m_hWnd;
    ::DestroyWindow(hwnd);
    EXPECT_TRUE(deleted);
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hwnd));
}

namespace {
// Watches an edit control it subclassed: its own message plus everything the edit does.
class CEditSpy : public CWnd {
public:
    int chars = 0;
    void OnChar(UINT ch, UINT repeat, UINT flags)
    {
        ++chars;
        if (ch != 'x')   // swallow 'x', pass the rest to the edit control
            CWnd::OnChar(ch, repeat, flags);
    }
    LRESULT OnCustom(WPARAM w, LPARAM) { return static_cast<LRESULT>(w * 2); }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CEditSpy, CWnd)
    ON_WM_CHAR()
    ON_MESSAGE(WM_CUSTOM, OnCustom)
END_MESSAGE_MAP()
} // namespace

TEST(WindowBinding, SubclassedControlKeepsItsBehaviourAndGainsOurMap)
{
    CTestWnd parent;
    CreatePopup(parent);
    HWND edit = ::CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 0, 0, 100, 20, parent.m_hWnd,
                                  reinterpret_cast<HMENU>(IDC_CHILD), nullptr, nullptr);
    ASSERT_NE(nullptr, edit);
    LONG_PTR original = ::GetWindowLongPtrA(edit, GWLP_WNDPROC);

    CEditSpy spy;
    ASSERT_TRUE(spy.SubclassDlgItem(IDC_CHILD, &parent));
    EXPECT_EQ(edit, spy.m_hWnd);
    EXPECT_EQ(&spy, CWnd::FromHandlePermanent(edit));
    EXPECT_EQ(14, spy.SendMessage(WM_CUSTOM, 7));
    spy.SendMessage(WM_CHAR, 'a', 1);
    spy.SendMessage(WM_CHAR, 'x', 1);
    spy.SendMessage(WM_CHAR, 'b', 1);
    EXPECT_EQ(3, spy.chars);
    EXPECT_STREQ("ab", spy.GetWindowText());
    EXPECT_FALSE(spy.SubclassWindow(edit));   // bound once only

    EXPECT_EQ(edit, spy.UnsubclassWindow());
    EXPECT_EQ(original, ::GetWindowLongPtrA(edit, GWLP_WNDPROC));
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(edit));
}

TEST(WindowBinding, CreatingASystemClassSubclassesIt)
{
    CTestWnd parent;
    CreatePopup(parent);
    CEditSpy edit;
    ASSERT_TRUE(edit.CreateEx(0, "EDIT", "", WS_CHILD, CRect(0, 0, 50, 20), &parent, IDC_CHILD));
    EXPECT_EQ(8, edit.SendMessage(WM_CUSTOM, 4));
    edit.SendMessage(WM_CHAR, 'q', 1);
    EXPECT_STREQ("q", edit.GetWindowText());
}

TEST(MessageMaps, CommandsRangesAndDeclinedHandlers)
{
    CTestWnd wnd;
    CreatePopup(wnd);
    wnd.SendMessage(WM_COMMAND, ID_ONE);
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(ID_RANGE_FIRST + 4, 1));   // accelerator
    EXPECT_EQ(ID_RANGE_FIRST + 4, wnd.lastRange);
    wnd.SendMessage(WM_COMMAND, ID_RANGE_LAST + 1);
    EXPECT_EQ(ID_RANGE_FIRST + 4, wnd.lastRange);
    EXPECT_FALSE(wnd.OnCmdMsg(ID_DECLINED, CN_COMMAND, nullptr, nullptr));
    ASSERT_EQ(2u, wnd.log.size());
    EXPECT_EQ("base one", wnd.log[0]);
    EXPECT_EQ("declined", wnd.log[1]);
}

TEST(MessageMaps, DisabledCommandIsNotExecuted)
{
    CTestWnd wnd;
    CreatePopup(wnd);
    wnd.enableOne = FALSE;
    wnd.SendMessage(WM_COMMAND, ID_ONE);
    EXPECT_TRUE(wnd.log.empty());
    wnd.enableOne = TRUE;
    wnd.SendMessage(WM_COMMAND, ID_ONE);
    EXPECT_EQ(1u, wnd.log.size());
}

TEST(MessageMaps, DerivedMapOverridesAndInherits)
{
    CDerivedWnd wnd;
    CreatePopup(wnd);
    EXPECT_EQ(1, wnd.created);   // ON_WM_CREATE from the base map
    wnd.SendMessage(WM_COMMAND, ID_ONE);
    wnd.SendMessage(WM_COMMAND, ID_RANGE_FIRST);
    ASSERT_EQ(1u, wnd.log.size());
    EXPECT_EQ("derived one", wnd.log[0]);
    EXPECT_EQ(ID_RANGE_FIRST, wnd.lastRange);
    CmdHandlerInfo info;
    EXPECT_TRUE(wnd.OnCmdMsg(ID_ONE, CN_COMMAND, nullptr, &info));
    EXPECT_EQ(&wnd, info.target);
    EXPECT_EQ(1u, wnd.log.size());   // asking does not run the handler
}

TEST(MessageMaps, ControlNotificationsAndWmNotify)
{
    CTestWnd wnd;
    CreatePopup(wnd);
    HWND child = ::CreateWindowExA(0, "EDIT", "", WS_CHILD, 0, 0, 10, 10, wnd.m_hWnd,
                                   reinterpret_cast<HMENU>(IDC_CHILD), nullptr, nullptr);
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_CHILD, EN_CHANGE), reinterpret_cast<LPARAM>(child));
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_CHILD, EN_UPDATE), reinterpret_cast<LPARAM>(child));
    EXPECT_EQ(42, Notify(wnd.m_hWnd, IDC_CHILD, NM_CLICK));
    EXPECT_EQ(0, Notify(wnd.m_hWnd, IDC_CHILD + 1, NM_CLICK));
    Notify(wnd.m_hWnd, 705, NM_DBLCLK);
    Notify(wnd.m_hWnd, 710, NM_DBLCLK);
    EXPECT_EQ(705u, wnd.lastNotifyRange);
    ASSERT_EQ(2u, wnd.log.size());
    EXPECT_EQ("child change", wnd.log[0]);
    EXPECT_EQ("click 600", wnd.log[1]);
}

TEST(MessageMaps, MessagesAndUnhandledDefaults)
{
    CTestWnd wnd;
    CreatePopup(wnd);
    EXPECT_EQ(7, wnd.SendMessage(WM_CUSTOM, 3, 4));
    wnd.SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>("through DefWindowProc"));
    EXPECT_STREQ("through DefWindowProc", wnd.GetWindowText());
}

TEST(MessageMaps, ExceptionInAHandlerDoesNotEndTheProcess)
{
    CTestWnd wnd;
    CreatePopup(wnd);
    EXPECT_EQ(0, wnd.SendMessage(WM_THROWS));
    EXPECT_EQ(9, wnd.SendMessage(WM_CUSTOM, 4, 5));   // still alive and dispatching
}

TEST(MessageMaps, CmdUIOnAMenuItem)
{
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    menu.AppendMenu(MF_STRING, ID_ONE, "One");
    CCmdUI ui;
    ui.m_pMenu = &menu;
    ui.m_nIndex = 0;
    ui.m_nID = ID_ONE;
    ui.Enable(FALSE);
    EXPECT_TRUE(menu.GetMenuState(0, MF_BYPOSITION) & MF_GRAYED);
    ui.Enable(TRUE);
    ui.SetCheck(1);
    EXPECT_FALSE(menu.GetMenuState(0, MF_BYPOSITION) & MF_GRAYED);
    EXPECT_TRUE(menu.GetMenuState(0, MF_BYPOSITION) & MF_CHECKED);
    ui.SetRadio(FALSE);
    EXPECT_FALSE(menu.GetMenuState(0, MF_BYPOSITION) & MF_CHECKED);
    ui.SetText("&Renamed");
    EXPECT_STREQ("&Renamed", menu.GetMenuString(0, MF_BYPOSITION));
}
