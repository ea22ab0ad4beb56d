#include "framework/wnd.h"

#include "framework/frame.h"
#include "framework/guard.h"
#include "framework/menuimages.h"

#include <cstdio>
#include <map>
#include <memory>
#include <set>
#include <string>

namespace {

const char kBindingProperty[] = "KorveltaPrintWnd";

// The object whose window is being created: bound by the first message the new window sends to
// our window procedure (WM_GETMINMAXINFO or WM_NCCREATE), so lpParam stays free for callers.
CWnd* g_creating = nullptr;

// The message being dispatched, for Default().
MSG g_current = {};

std::map<HWND, std::unique_ptr<CWnd>>& TempWnds()
{
    static std::map<HWND, std::unique_ptr<CWnd>> wnds;
    return wnds;
}

class CTempWnd : public CWnd {
public:
    explicit CTempWnd(HWND wnd)
    {
        m_hWnd = wnd;
        m_bTemporary = true;
    }
    ~CTempWnd() override { m_hWnd = nullptr; }
};

} // namespace

// ---- window classes

const char* AfxRegisterWndClass(UINT classStyle, HCURSOR cursor, HBRUSH background, HICON icon)
{
    static std::set<std::string> names;
    char name[96];
    std::snprintf(name, sizeof name, "KorveltaWnd:%x:%p:%p:%p", classStyle, static_cast<void*>(cursor),
                  static_cast<void*>(background), static_cast<void*>(icon));
    auto it = names.find(name);
    if (it != names.end())
        return it->c_str();
    WNDCLASSA wc = {};
    wc.style = classStyle;
    wc.lpfnWndProc = AfxWndProc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.hCursor = cursor;
    wc.hbrBackground = background;
    wc.hIcon = icon;
    wc.lpszClassName = name;
    WNDCLASSA existing;
    if (!::GetClassInfoA(wc.hInstance, name, &existing) && !::RegisterClassA(&wc))
        return nullptr;
    return names.insert(name).first->c_str();
}

bool AfxRegisterNamedClass(const char* name, UINT classStyle, WNDPROC proc, HCURSOR cursor, HBRUSH background,
                           HICON icon)
{
    HINSTANCE instance = ::GetModuleHandleA(nullptr);
    WNDCLASSA existing;
    if (::GetClassInfoA(instance, name, &existing))
        return true;
    WNDCLASSA wc = {};
    wc.style = classStyle;
    wc.lpfnWndProc = proc ? proc : AfxWndProc;
    wc.hInstance = instance;
    wc.hCursor = cursor;
    wc.hbrBackground = background;
    wc.hIcon = icon;
    wc.lpszClassName = name;
    return ::RegisterClassA(&wc) != 0;
}

LRESULT CALLBACK AfxWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* wnd = CWnd::FromHandlePermanent(hwnd);
    if (wnd == nullptr && g_creating != nullptr) {
        wnd = g_creating;
        g_creating = nullptr;
        wnd->Bind(hwnd);
    }
    if (wnd == nullptr)
        return ::DefWindowProcA(hwnd, message, wParam, lParam);

    MSG saved = g_current;
    g_current.hwnd = hwnd;
    g_current.message = message;
    g_current.wParam = wParam;
    g_current.lParam = lParam;
    LRESULT result = GuardedCall([&] { return wnd->WindowProc(message, wParam, lParam); }, LRESULT(0));
    g_current = saved;

    if (message == WM_NCDESTROY && wnd->m_hWnd == hwnd) {
        wnd->Unbind();
        GuardedCall([&] { wnd->PostNcDestroy(); });
    }
    return result;
}

// ---- binding

CWnd::~CWnd()
{
    if (m_hWnd != nullptr && !m_bTemporary) {
        if (::IsWindow(m_hWnd) && FromHandlePermanent(m_hWnd) == this)
            ::DestroyWindow(m_hWnd);   // unbinds at WM_NCDESTROY
        if (m_hWnd != nullptr)
            Unbind();
    }
}

CWnd* CWnd::FromHandlePermanent(HWND wnd)
{
    if (wnd == nullptr)
        return nullptr;
    return static_cast<CWnd*>(::GetPropA(wnd, kBindingProperty));
}

CWnd* CWnd::FromHandle(HWND wnd)
{
    if (wnd == nullptr)
        return nullptr;
    if (CWnd* permanent = FromHandlePermanent(wnd))
        return permanent;
    auto& temp = TempWnds();
    auto it = temp.find(wnd);
    if (it != temp.end())
        return it->second.get();
    return temp.emplace(wnd, std::make_unique<CTempWnd>(wnd)).first->second.get();
}

void CWnd::DeleteTempMap()
{
    TempWnds().clear();
}

void CWnd::Bind(HWND wnd)
{
    m_hWnd = wnd;
    ::SetPropA(wnd, kBindingProperty, this);
}

void CWnd::Unbind()
{
    if (m_hWnd == nullptr)
        return;
    if (m_pfnSuper != nullptr &&
        reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(m_hWnd, GWLP_WNDPROC)) == AfxWndProc)
        ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    m_pfnSuper = nullptr;
    if (FromHandlePermanent(m_hWnd) == this)
        ::RemovePropA(m_hWnd, kBindingProperty);
    m_hWnd = nullptr;
}

BOOL CWnd::Attach(HWND wnd)
{
    if (wnd == nullptr || m_hWnd != nullptr || FromHandlePermanent(wnd) != nullptr)
        return FALSE;
    TempWnds().erase(wnd);
    Bind(wnd);
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND wnd = m_hWnd;
    if (wnd != nullptr && m_pfnSuper == nullptr) {
        if (FromHandlePermanent(wnd) == this)
            ::RemovePropA(wnd, kBindingProperty);
        m_hWnd = nullptr;
    } else if (wnd != nullptr) {
        UnsubclassWindow();
    }
    return wnd;
}

BOOL CWnd::SubclassWindow(HWND wnd)
{
    if (!Attach(wnd))
        return FALSE;
    WNDPROC old = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(AfxWndProc)));
    // A window of one of our own classes already has our procedure: nothing to chain to.
    m_pfnSuper = (old == AfxWndProc) ? nullptr : old;
    PreSubclassWindow();
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent)
{
    if (parent == nullptr)
        return FALSE;
    HWND control = ::GetDlgItem(parent->m_hWnd, id);
    return control != nullptr && SubclassWindow(control);
}

HWND CWnd::UnsubclassWindow()
{
    HWND wnd = m_hWnd;
    Unbind();
    return wnd;
}

// ---- creation

BOOL CWnd::PreCreateWindow(CREATESTRUCTA& cs)
{
    if (cs.lpszClass == nullptr)
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(nullptr, IDC_ARROW),
                                           reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    return TRUE;
}

BOOL CWnd::Create(const char* className, const char* windowName, DWORD style, const RECT& rect,
                  CWnd* parent, UINT id, CCreateContext* context)
{
    return CreateEx(0, className, windowName, style | WS_CHILD, rect, parent, id, context);
}

BOOL CWnd::CreateEx(DWORD exStyle, const char* className, const char* windowName, DWORD style,
                    const RECT& rect, CWnd* parent, UINT id, LPVOID param)
{
    return CreateEx(exStyle, className, windowName, style, rect.left, rect.top, rect.right - rect.left,
                    rect.bottom - rect.top, parent ? parent->m_hWnd : nullptr,
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), param);
}

BOOL CWnd::CreateEx(DWORD exStyle, const char* className, const char* windowName, DWORD style, int x, int y,
                    int width, int height, HWND parent, HMENU idOrMenu, LPVOID param)
{
    if (m_hWnd != nullptr)
        return FALSE;
    CREATESTRUCTA cs = {};
    cs.dwExStyle = exStyle;
    cs.lpszClass = className;
    cs.lpszName = windowName;
    cs.style = style;
    cs.x = x;
    cs.y = y;
    cs.cx = width;
    cs.cy = height;
    cs.hwndParent = parent;
    cs.hMenu = idOrMenu;
    cs.hInstance = ::GetModuleHandleA(nullptr);
    cs.lpCreateParams = param;
    if (!PreCreateWindow(cs))
        return FALSE;

    CWnd* previous = g_creating;
    g_creating = this;
    HWND wnd = ::CreateWindowExA(cs.dwExStyle, cs.lpszClass, cs.lpszName, cs.style, cs.x, cs.y, cs.cx, cs.cy,
                                 cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
    if (g_creating == this)
        g_creating = nullptr;
    g_creating = previous;
    if (wnd == nullptr)
        return FALSE;
    // A window of a system class (edit, combo box, ...) never reached our procedure: subclass it.
    if (m_hWnd == nullptr)
        SubclassWindow(wnd);
    return TRUE;
}

BOOL CWnd::DestroyWindow()
{
    if (m_hWnd == nullptr)
        return FALSE;
    return ::DestroyWindow(m_hWnd);
}

// ---- dispatch

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // A context menu asks the window it reports to for its items' pictures.
    if ((message == WM_MEASUREITEM || message == WM_DRAWITEM) &&
        CMenuImages::Get().OnMenuItemMessage(message, wParam, lParam))
        return TRUE;
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result))
        result = DefWindowProc(message, wParam, lParam);
    return result;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    if (message == WM_COMMAND) {
        if (!OnCommand(wParam, lParam))
            return FALSE;
        *result = 0;
        return TRUE;
    }
    if (message == WM_NOTIFY) {
        if (lParam == 0)
            return FALSE;
        return OnNotify(wParam, lParam, result);
    }
    const MessageMapEntry* entry = FindEntry(GetMessageMap(), MsgKind::Message, 0, message);
    if (entry == nullptr)
        return FALSE;
    MsgCall call;
    call.message = message;
    call.wParam = wParam;
    call.lParam = lParam;
    if (!entry->thunk(this, call))
        return FALSE;
    *result = call.result;
    return TRUE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    UINT id = LOWORD(wParam);
    HWND control = reinterpret_cast<HWND>(lParam);
    int code = HIWORD(wParam);
    if (control == nullptr) {
        if (id == 0)
            return FALSE;
        // A menu item or accelerator whose update handler disables it does nothing, even when the
        // element was shown before the state changed.
        if (!IsCommandEnabled(id))
            return TRUE;
        code = CN_COMMAND;
    }
    return OnCmdMsg(id, code, nullptr, nullptr);
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* result)
{
    NMHDR* header = reinterpret_cast<NMHDR*>(lParam);
    const MessageMapEntry* entry = FindEntry(GetMessageMap(), MsgKind::Notify, static_cast<int>(header->code),
                                             static_cast<UINT>(header->idFrom));
    if (entry == nullptr)
        return FALSE;
    MsgCall call;
    call.message = WM_NOTIFY;
    call.nID = static_cast<UINT>(header->idFrom);
    call.code = static_cast<int>(header->code);
    call.extra = header;
    if (!entry->thunk(this, call))
        return FALSE;
    *result = call.result;
    return TRUE;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper != nullptr)
        return ::CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default()
{
    return DefWindowProc(g_current.message, g_current.wParam, g_current.lParam);
}

const MSG* CWnd::GetCurrentMessage()
{
    return &g_current;
}

BOOL CWnd::PreTranslateMessage(MSG*)
{
    return FALSE;
}

BOOL CWnd::WalkPreTranslateTree(HWND stop, MSG* msg)
{
    for (HWND wnd = msg->hwnd; wnd != nullptr; wnd = ::GetParent(wnd)) {
        CWnd* object = FromHandlePermanent(wnd);
        if (object != nullptr && object->PreTranslateMessage(msg))
            return TRUE;
        if (wnd == stop)
            break;
    }
    return FALSE;
}

const MessageMap* CWnd::GetThisMessageMap()
{
    static const MessageMapEntry entries[] = { { MsgKind::End, 0, 0, 0, nullptr } };
    static const MessageMap map = { &CCmdTarget::GetThisMessageMap, entries };
    return &map;
}

const MessageMap* CWnd::GetMessageMap() const
{
    return GetThisMessageMap();
}

// ---- relatives

CFrameWnd* CWnd::GetParentFrame() const
{
    for (HWND wnd = ::GetParent(m_hWnd); wnd != nullptr; wnd = ::GetParent(wnd)) {
        if (CFrameWnd* frame = dynamic_cast<CFrameWnd*>(FromHandlePermanent(wnd)))
            return frame;
    }
    return nullptr;
}

CFrameWnd* CWnd::GetTopLevelFrame() const
{
    CFrameWnd* frame = dynamic_cast<CFrameWnd*>(const_cast<CWnd*>(this));
    if (frame == nullptr)
        frame = GetParentFrame();
    while (frame != nullptr) {
        CFrameWnd* up = frame->GetParentFrame();
        if (up == nullptr)
            break;
        frame = up;
    }
    return frame;
}

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL deep)
{
    for (HWND child = ::GetTopWindow(m_hWnd); child != nullptr; child = ::GetNextWindow(child, GW_HWNDNEXT)) {
        ::SendMessageA(child, message, wParam, lParam);
        if (deep && ::GetTopWindow(child) != nullptr)
            FromHandle(child)->SendMessageToDescendants(message, wParam, lParam, TRUE);
    }
}

// ---- wrappers

void CWnd::GetWindowText(CString& text) const
{
    int length = ::GetWindowTextLengthA(m_hWnd);
    char* buffer = text.GetBuffer(length + 1);
    int got = ::GetWindowTextA(m_hWnd, buffer, length + 1);
    text.ReleaseBuffer(got);
}

CString CWnd::GetDlgItemText(int id) const
{
    CString text;
    HWND item = ::GetDlgItem(m_hWnd, id);
    if (item != nullptr)
        FromHandle(item)->GetWindowText(text);
    return text;
}

void CWnd::ClientToScreen(LPRECT r) const
{
    ::ClientToScreen(m_hWnd, reinterpret_cast<LPPOINT>(&r->left));
    ::ClientToScreen(m_hWnd, reinterpret_cast<LPPOINT>(&r->right));
}

void CWnd::ScreenToClient(LPRECT r) const
{
    ::ScreenToClient(m_hWnd, reinterpret_cast<LPPOINT>(&r->left));
    ::ScreenToClient(m_hWnd, reinterpret_cast<LPPOINT>(&r->right));
}

BOOL CWnd::ModifyStyle(DWORD remove, DWORD add, UINT swpFlags)
{
    DWORD style = GetStyle();
    DWORD changed = (style & ~remove) | add;
    if (style == changed)
        return FALSE;
    ::SetWindowLongA(m_hWnd, GWL_STYLE, static_cast<LONG>(changed));
    if (swpFlags != 0)
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | swpFlags);
    return TRUE;
}

BOOL CWnd::ModifyStyleEx(DWORD remove, DWORD add, UINT swpFlags)
{
    DWORD style = GetExStyle();
    DWORD changed = (style & ~remove) | add;
    if (style == changed)
        return FALSE;
    ::SetWindowLongA(m_hWnd, GWL_EXSTYLE, static_cast<LONG>(changed));
    if (swpFlags != 0)
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | swpFlags);
    return TRUE;
}

BOOL CWnd::GetScrollInfo(int bar, LPSCROLLINFO info, UINT mask) const
{
    info->cbSize = sizeof(SCROLLINFO);
    info->fMask = mask;
    return ::GetScrollInfo(m_hWnd, bar, info);
}

void CWnd::CenterWindow(CWnd* alternateOwner)
{
    CRect area;
    HWND over = alternateOwner ? alternateOwner->m_hWnd
                               : ((GetStyle() & WS_CHILD) ? ::GetParent(m_hWnd) : ::GetWindow(m_hWnd, GW_OWNER));
    if (over != nullptr)
        ::GetWindowRect(over, &area);
    else
        ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    CRect mine;
    GetWindowRect(&mine);
    int x = area.left + (area.Width() - mine.Width()) / 2;
    int y = area.top + (area.Height() - mine.Height()) / 2;
    if (GetStyle() & WS_CHILD) {
        CPoint p(x, y);
        ::ScreenToClient(::GetParent(m_hWnd), &p);
        x = p.x;
        y = p.y;
    }
    ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
