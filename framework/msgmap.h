#pragma once
// Static message maps: one table per class, chained to its base class's table, read like the
// system's message maps. Each entry holds a small thunk (a captureless lambda) that casts the
// target to the class that declared the entry and calls the named member, so handler signatures
// are checked by the compiler.
//
//   class CMyView : public CView { ... DECLARE_MESSAGE_MAP() };
//   BEGIN_MESSAGE_MAP(CMyView, CView)
//       ON_WM_CREATE()
//       ON_COMMAND(ID_EDIT_COPY, OnEditCopy)
//       ON_UPDATE_COMMAND_UI(ID_EDIT_COPY, OnUpdateEditCopy)
//       ON_COMMAND_RANGE(ID_ZOOM_FIRST, ID_ZOOM_LAST, OnZoom)
//       ON_NOTIFY(NM_CLICK, IDC_LIST, OnListClick)
//       ON_MESSAGE(WM_APP + 3, OnRemoveTab)
//   END_MESSAGE_MAP()
//
// Handlers are named without "&Class::" (the macro calls them on the declaring class, so
// inherited members work too).
#include <windows.h>

class CCmdTarget;
class CCmdUI;

// nCode values of CCmdTarget::OnCmdMsg besides the notification codes of controls.
constexpr int CN_COMMAND = 0;
constexpr int CN_UPDATE_COMMAND_UI = -1;

// One dispatch as the thunk sees it.
struct MsgCall {
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    LRESULT result = 0;
    UINT nID = 0;             // command id or idFrom of a notification
    int code = 0;             // CN_COMMAND, CN_UPDATE_COMMAND_UI, a control or WM_NOTIFY code
    void* extra = nullptr;    // CCmdUI* for updates, NMHDR* for notifications
};

// Returns whether the entry handled the call (ON_COMMAND_EX handlers may decline).
using MsgThunk = BOOL (*)(CCmdTarget* target, MsgCall& call);

enum class MsgKind : unsigned char {
    End,
    Message,      // window message in [first, last]
    Command,      // WM_COMMAND-side: code and id in [first, last] (includes update handlers)
    Notify,       // WM_NOTIFY: code and idFrom in [first, last]
    Registered,   // window message whose number *registered holds (read at dispatch)
};

struct MessageMapEntry {
    MsgKind kind;
    int code;
    UINT first;
    UINT last;
    MsgThunk thunk;
    const UINT* registered = nullptr;   // MsgKind::Registered: the variable holding the number
};

struct MessageMap {
    const MessageMap* (*base)();  // the base class's map, null at the root
    const MessageMapEntry* entries;
};

#define DECLARE_MESSAGE_MAP()                                                                    \
public:                                                                                          \
    static const ::MessageMap* GetThisMessageMap();                                              \
    const ::MessageMap* GetMessageMap() const override;                                          \
protected:

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                                   \
    const ::MessageMap* theClass::GetMessageMap() const { return GetThisMessageMap(); }          \
    const ::MessageMap* theClass::GetThisMessageMap()                                            \
    {                                                                                            \
        using ThisClass [[maybe_unused]] = theClass;                                             \
        using TheBaseClass [[maybe_unused]] = baseClass;                                         \
        static const ::MessageMapEntry entries[] = {

#define END_MESSAGE_MAP()                                                                        \
            { ::MsgKind::End, 0, 0, 0, nullptr }                                                 \
        };                                                                                       \
        static const ::MessageMap map = { &TheBaseClass::GetThisMessageMap, entries };           \
        return &map;                                                                             \
    }

#define KV_THIS static_cast<ThisClass*>(t)
#define KV_MSG_ENTRY(msg, body)                                                                  \
    { ::MsgKind::Message, 0, (UINT)(msg), (UINT)(msg),                                           \
      [](::CCmdTarget* t, ::MsgCall& c) -> BOOL { (void)c; body; return TRUE; } },

// ---- commands
#define ON_COMMAND(id, fn)                                                                       \
    { ::MsgKind::Command, CN_COMMAND, (UINT)(id), (UINT)(id),                                    \
      [](::CCmdTarget* t, ::MsgCall&) -> BOOL { KV_THIS->fn(); return TRUE; } },
#define ON_COMMAND_EX(id, fn)                                                                    \
    { ::MsgKind::Command, CN_COMMAND, (UINT)(id), (UINT)(id),                                    \
      [](::CCmdTarget* t, ::MsgCall& c) -> BOOL { return KV_THIS->fn(c.nID); } },
#define ON_COMMAND_RANGE(first, last, fn)                                                        \
    { ::MsgKind::Command, CN_COMMAND, (UINT)(first), (UINT)(last),                               \
      [](::CCmdTarget* t, ::MsgCall& c) -> BOOL { KV_THIS->fn(c.nID); return TRUE; } },
#define ON_COMMAND_EX_RANGE(first, last, fn)                                                     \
    { ::MsgKind::Command, CN_COMMAND, (UINT)(first), (UINT)(last),                               \
      [](::CCmdTarget* t, ::MsgCall& c) -> BOOL { return KV_THIS->fn(c.nID); } },
#define ON_UPDATE_COMMAND_UI(id, fn)                                                             \
    { ::MsgKind::Command, CN_UPDATE_COMMAND_UI, (UINT)(id), (UINT)(id),                          \
      [](::CCmdTarget* t, ::MsgCall& c) -> BOOL {                                                \
          KV_THIS->fn(static_cast<::CCmdUI*>(c.extra)); return TRUE; } },
#define ON_UPDATE_COMMAND_UI_RANGE(first, last, fn)                                              \
    { ::MsgKind::Command, CN_UPDATE_COMMAND_UI, (UINT)(first), (UINT)(last),                     \
      [](::CCmdTarget* t, ::MsgCall& c) -> BOOL {                                                \
          KV_THIS->fn(static_cast<::CCmdUI*>(c.extra)); return TRUE; } },
#define ON_CONTROL(code, id, fn)                                                                 \
    { ::MsgKind::Command, (int)(code), (UINT)(id), (UINT)(id),                                   \
      [](::CCmdTarget* t, ::MsgCall&) -> BOOL { KV_THIS->fn(); return TRUE; } },
#define ON_CONTROL_RANGE(code, first, last, fn)                                                  \
    { ::MsgKind::Command, (int)(code), (UINT)(first), (UINT)(last),                              \
      [](::CCmdTarget* t, ::MsgCall& c) -> BOOL { KV_THIS->fn(c.nID); return TRUE; } },
#define ON_BN_CLICKED(id, fn) ON_CONTROL(BN_CLICKED, id, fn)
#define ON_BN_DOUBLECLICKED(id, fn) ON_CONTROL(BN_DOUBLECLICKED, id, fn)
#define ON_EN_CHANGE(id, fn) ON_CONTROL(EN_CHANGE, id, fn)
#define ON_EN_UPDATE(id, fn) ON_CONTROL(EN_UPDATE, id, fn)
#define ON_EN_SETFOCUS(id, fn) ON_CONTROL(EN_SETFOCUS, id, fn)
#define ON_EN_KILLFOCUS(id, fn) ON_CONTROL(EN_KILLFOCUS, id, fn)
#define ON_CBN_SELCHANGE(id, fn) ON_CONTROL(CBN_SELCHANGE, id, fn)
#define ON_CBN_EDITCHANGE(id, fn) ON_CONTROL(CBN_EDITCHANGE, id, fn)
#define ON_CBN_SELENDOK(id, fn) ON_CONTROL(CBN_SELENDOK, id, fn)
#define ON_CBN_DROPDOWN(id, fn) ON_CONTROL(CBN_DROPDOWN, id, fn)
#define ON_CBN_KILLFOCUS(id, fn) ON_CONTROL(CBN_KILLFOCUS, id, fn)
#define ON_LBN_SELCHANGE(id, fn) ON_CONTROL(LBN_SELCHANGE, id, fn)
#define ON_LBN_DBLCLK(id, fn) ON_CONTROL(LBN_DBLCLK, id, fn)
#define ON_STN_CLICKED(id, fn) ON_CONTROL(STN_CLICKED, id, fn)

// ---- notifications (WM_NOTIFY): void fn(NMHDR*, LRESULT*) / void fn(UINT id, NMHDR*, LRESULT*)
#define ON_NOTIFY(code, id, fn)                                                                  \
    { ::MsgKind::Notify, (int)(code), (UINT)(id), (UINT)(id),                                    \
      [](::CCmdTarget* t, ::MsgCall& c) -> BOOL {                                                \
          KV_THIS->fn(static_cast<NMHDR*>(c.extra), &c.result); return TRUE; } },
#define ON_NOTIFY_RANGE(code, first, last, fn)                                                   \
    { ::MsgKind::Notify, (int)(code), (UINT)(first), (UINT)(last),                               \
      [](::CCmdTarget* t, ::MsgCall& c) -> BOOL {                                                \
          KV_THIS->fn(c.nID, static_cast<NMHDR*>(c.extra), &c.result); return TRUE; } },

// ---- any message: LRESULT fn(WPARAM, LPARAM)
#define ON_MESSAGE(msg, fn) KV_MSG_ENTRY(msg, c.result = KV_THIS->fn(c.wParam, c.lParam))
// A message from RegisterWindowMessage: var is a static UINT filled at run time (for example
// FINDMSGSTRING's number), so the table holds its address and dispatch reads the number.
#define ON_REGISTERED_MESSAGE(var, fn)                                                           \
    { ::MsgKind::Registered, 0, 0, 0,                                                            \
      [](::CCmdTarget* t, ::MsgCall& c) -> BOOL { c.result = KV_THIS->fn(c.wParam, c.lParam); return TRUE; }, \
      &(var) },

// The scroll position a WM_HSCROLL/WM_VSCROLL handler should see. For thumb tracking the message
// carries only 16 bits, which wrap once a bar's range passes 65535 (a table of some thousand rows
// at row height); the bar itself knows the whole 32-bit track position. lParam is the scroll-bar
// control, or null for the window's own bar.
inline UINT AfxScrollTrackPos(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    UINT code = LOWORD(wParam);
    UINT pos = static_cast<short>(HIWORD(wParam));
    if (code != SB_THUMBTRACK && code != SB_THUMBPOSITION)
        return pos;
    HWND control = reinterpret_cast<HWND>(lParam);
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_TRACKPOS;
    BOOL ok = control != nullptr ? ::GetScrollInfo(control, SB_CTL, &info)
                                 : ::GetScrollInfo(wnd, message == WM_HSCROLL ? SB_HORZ : SB_VERT, &info);
    return ok ? static_cast<UINT>(info.nTrackPos) : pos;
}

// ---- window messages with the usual crackers
#define ON_WM_CREATE()                                                                           \
    KV_MSG_ENTRY(WM_CREATE, c.result = KV_THIS->OnCreate(reinterpret_cast<LPCREATESTRUCTA>(c.lParam)))
#define ON_WM_DESTROY() KV_MSG_ENTRY(WM_DESTROY, KV_THIS->OnDestroy())
#define ON_WM_NCDESTROY() KV_MSG_ENTRY(WM_NCDESTROY, KV_THIS->OnNcDestroy())
#define ON_WM_CLOSE() KV_MSG_ENTRY(WM_CLOSE, KV_THIS->OnClose())
#define ON_WM_QUERYENDSESSION() KV_MSG_ENTRY(WM_QUERYENDSESSION, c.result = KV_THIS->OnQueryEndSession())
#define ON_WM_ENDSESSION() KV_MSG_ENTRY(WM_ENDSESSION, KV_THIS->OnEndSession((BOOL)c.wParam))
#define ON_WM_PAINT() KV_MSG_ENTRY(WM_PAINT, KV_THIS->OnPaint())
#define ON_WM_ERASEBKGND()                                                                       \
    KV_MSG_ENTRY(WM_ERASEBKGND, ::CTempDC dc(reinterpret_cast<HDC>(c.wParam));                  \
                 c.result = KV_THIS->OnEraseBkgnd(&dc))
#define ON_WM_SIZE()                                                                             \
    KV_MSG_ENTRY(WM_SIZE, KV_THIS->OnSize((UINT)c.wParam, (short)LOWORD(c.lParam), (short)HIWORD(c.lParam)))
#define ON_WM_MOVE()                                                                             \
    KV_MSG_ENTRY(WM_MOVE, KV_THIS->OnMove((short)LOWORD(c.lParam), (short)HIWORD(c.lParam)))
#define ON_WM_TIMER() KV_MSG_ENTRY(WM_TIMER, KV_THIS->OnTimer((UINT_PTR)c.wParam))
#define ON_WM_SETFOCUS()                                                                         \
    KV_MSG_ENTRY(WM_SETFOCUS, KV_THIS->OnSetFocus(::CWnd::FromHandle(reinterpret_cast<HWND>(c.wParam))))
#define ON_WM_KILLFOCUS()                                                                        \
    KV_MSG_ENTRY(WM_KILLFOCUS, KV_THIS->OnKillFocus(::CWnd::FromHandle(reinterpret_cast<HWND>(c.wParam))))
#define KV_MOUSE_ENTRY(msg, fn) KV_MSG_ENTRY(msg, KV_THIS->fn((UINT)c.wParam, ::CPoint(c.lParam)))
#define ON_WM_MOUSEMOVE() KV_MOUSE_ENTRY(WM_MOUSEMOVE, OnMouseMove)
#define ON_WM_LBUTTONDOWN() KV_MOUSE_ENTRY(WM_LBUTTONDOWN, OnLButtonDown)
#define ON_WM_LBUTTONUP() KV_MOUSE_ENTRY(WM_LBUTTONUP, OnLButtonUp)
#define ON_WM_LBUTTONDBLCLK() KV_MOUSE_ENTRY(WM_LBUTTONDBLCLK, OnLButtonDblClk)
#define ON_WM_RBUTTONDOWN() KV_MOUSE_ENTRY(WM_RBUTTONDOWN, OnRButtonDown)
#define ON_WM_RBUTTONUP() KV_MOUSE_ENTRY(WM_RBUTTONUP, OnRButtonUp)
#define ON_WM_RBUTTONDBLCLK() KV_MOUSE_ENTRY(WM_RBUTTONDBLCLK, OnRButtonDblClk)
#define ON_WM_MBUTTONDOWN() KV_MOUSE_ENTRY(WM_MBUTTONDOWN, OnMButtonDown)
#define ON_WM_MBUTTONUP() KV_MOUSE_ENTRY(WM_MBUTTONUP, OnMButtonUp)
#define ON_WM_MOUSEWHEEL()                                                                       \
    KV_MSG_ENTRY(WM_MOUSEWHEEL, c.result = KV_THIS->OnMouseWheel(LOWORD(c.wParam),              \
                 (short)HIWORD(c.wParam), ::CPoint(c.lParam)))
#define KV_KEY_ENTRY(msg, fn)                                                                    \
    KV_MSG_ENTRY(msg, KV_THIS->fn((UINT)c.wParam, LOWORD(c.lParam), HIWORD(c.lParam)))
#define ON_WM_KEYDOWN() KV_KEY_ENTRY(WM_KEYDOWN, OnKeyDown)
#define ON_WM_KEYUP() KV_KEY_ENTRY(WM_KEYUP, OnKeyUp)
#define ON_WM_CHAR() KV_KEY_ENTRY(WM_CHAR, OnChar)
#define ON_WM_SYSKEYDOWN() KV_KEY_ENTRY(WM_SYSKEYDOWN, OnSysKeyDown)
// void fn(UINT code, UINT pos, CScrollBar* bar): pos is the 32-bit track position for
// SB_THUMBTRACK and SB_THUMBPOSITION (AfxScrollTrackPos); bar is null for the window's own bars.
#define ON_WM_HSCROLL()                                                                          \
    KV_MSG_ENTRY(WM_HSCROLL, KV_THIS->OnHScroll(LOWORD(c.wParam),                               \
                 ::AfxScrollTrackPos(KV_THIS->m_hWnd, WM_HSCROLL, c.wParam, c.lParam),           \
                 static_cast<::CScrollBar*>(::CWnd::FromHandle(reinterpret_cast<HWND>(c.lParam)))))
#define ON_WM_VSCROLL()                                                                          \
    KV_MSG_ENTRY(WM_VSCROLL, KV_THIS->OnVScroll(LOWORD(c.wParam),                               \
                 ::AfxScrollTrackPos(KV_THIS->m_hWnd, WM_VSCROLL, c.wParam, c.lParam),           \
                 static_cast<::CScrollBar*>(::CWnd::FromHandle(reinterpret_cast<HWND>(c.lParam)))))
#define ON_WM_CONTEXTMENU()                                                                      \
    KV_MSG_ENTRY(WM_CONTEXTMENU, KV_THIS->OnContextMenu(                                         \
                 ::CWnd::FromHandle(reinterpret_cast<HWND>(c.wParam)), ::CPoint(c.lParam)))
#define ON_WM_SETCURSOR()                                                                        \
    KV_MSG_ENTRY(WM_SETCURSOR, c.result = KV_THIS->OnSetCursor(                                  \
                 ::CWnd::FromHandle(reinterpret_cast<HWND>(c.wParam)), LOWORD(c.lParam), HIWORD(c.lParam)))
#define ON_WM_MOUSEACTIVATE()                                                                    \
    KV_MSG_ENTRY(WM_MOUSEACTIVATE, c.result = KV_THIS->OnMouseActivate(                          \
                 ::CWnd::FromHandle(reinterpret_cast<HWND>(c.wParam)), LOWORD(c.lParam), HIWORD(c.lParam)))
#define ON_WM_ACTIVATE()                                                                         \
    KV_MSG_ENTRY(WM_ACTIVATE, KV_THIS->OnActivate(LOWORD(c.wParam),                             \
                 ::CWnd::FromHandle(reinterpret_cast<HWND>(c.lParam)), HIWORD(c.wParam)))
#define ON_WM_GETDLGCODE() KV_MSG_ENTRY(WM_GETDLGCODE, c.result = KV_THIS->OnGetDlgCode())
#define ON_WM_SHOWWINDOW()                                                                       \
    KV_MSG_ENTRY(WM_SHOWWINDOW, KV_THIS->OnShowWindow((BOOL)c.wParam, (UINT)c.lParam))
#define ON_WM_GETMINMAXINFO()                                                                    \
    KV_MSG_ENTRY(WM_GETMINMAXINFO, KV_THIS->OnGetMinMaxInfo(reinterpret_cast<MINMAXINFO*>(c.lParam)))
#define ON_WM_DROPFILES() KV_MSG_ENTRY(WM_DROPFILES, KV_THIS->OnDropFiles(reinterpret_cast<HDROP>(c.wParam)))
#define ON_WM_CAPTURECHANGED()                                                                   \
    KV_MSG_ENTRY(WM_CAPTURECHANGED, KV_THIS->OnCaptureChanged(::CWnd::FromHandle(reinterpret_cast<HWND>(c.lParam))))
#define ON_WM_CANCELMODE() KV_MSG_ENTRY(WM_CANCELMODE, KV_THIS->OnCancelMode())
#define ON_WM_MOUSELEAVE() KV_MSG_ENTRY(WM_MOUSELEAVE, KV_THIS->OnMouseLeave())
#define ON_WM_MOUSEHOVER() KV_MOUSE_ENTRY(WM_MOUSEHOVER, OnMouseHover)
#define ON_WM_ENABLE() KV_MSG_ENTRY(WM_ENABLE, KV_THIS->OnEnable((BOOL)c.wParam))
#define ON_WM_SYSCOMMAND() KV_MSG_ENTRY(WM_SYSCOMMAND, KV_THIS->OnSysCommand((UINT)c.wParam, c.lParam))
#define ON_WM_DRAWITEM()                                                                         \
    KV_MSG_ENTRY(WM_DRAWITEM, KV_THIS->OnDrawItem((int)c.wParam, reinterpret_cast<LPDRAWITEMSTRUCT>(c.lParam)); c.result = TRUE)
#define ON_WM_MEASUREITEM()                                                                      \
    KV_MSG_ENTRY(WM_MEASUREITEM, KV_THIS->OnMeasureItem((int)c.wParam, reinterpret_cast<LPMEASUREITEMSTRUCT>(c.lParam)); c.result = TRUE)
#define ON_WM_NCHITTEST() KV_MSG_ENTRY(WM_NCHITTEST, c.result = KV_THIS->OnNcHitTest(::CPoint(c.lParam)))
#define ON_WM_INITMENUPOPUP()                                                                    \
    KV_MSG_ENTRY(WM_INITMENUPOPUP, KV_THIS->OnInitMenuPopup(                                     \
                 ::CMenu::FromHandle(reinterpret_cast<HMENU>(c.wParam)), LOWORD(c.lParam), HIWORD(c.lParam)))
// HBRUSH OnCtlColor(CDC*, CWnd*, UINT nCtlColor) for every WM_CTLCOLOR* message.
#define ON_WM_CTLCOLOR()                                                                         \
    { ::MsgKind::Message, 0, WM_CTLCOLORMSGBOX, WM_CTLCOLORSTATIC,                               \
      [](::CCmdTarget* t, ::MsgCall& c) -> BOOL {                                                \
          ::CTempDC dc(reinterpret_cast<HDC>(c.wParam));                                         \
          c.result = reinterpret_cast<LRESULT>(KV_THIS->OnCtlColor(&dc,                          \
              ::CWnd::FromHandle(reinterpret_cast<HWND>(c.lParam)), c.message - WM_CTLCOLORMSGBOX)); \
          return TRUE; } },
