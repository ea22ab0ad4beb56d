#include "framework/frame.h"

#include "framework/app.h"
#include "framework/doc.h"
#include "framework/stdids.h"
#include "framework/view.h"

#include <algorithm>
#include <string.h>

namespace {
CString FirstField(const CString& text)
{
    int cut = text.Find('\n');
    return cut < 0 ? text : text.Left(cut);
}
} // namespace

// ---- CControlBar

BEGIN_MESSAGE_MAP(CControlBar, CWnd)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
END_MESSAGE_MAP()

CSize CControlBar::CalcFixedLayout(BOOL, BOOL)
{
    CRect rect;
    GetWindowRect(&rect);
    return rect.Size();
}

LRESULT CControlBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM)
{
    if (GetStyle() & WS_VISIBLE) {
        CFrameWnd* target = GetParentFrame();
        if (target != nullptr)
            OnUpdateCmdUI(target, static_cast<BOOL>(wParam));
    }
    return 0;
}

// ---- CFrameWnd

const CRect CFrameWnd::rectDefault(CW_USEDEFAULT, CW_USEDEFAULT, 0, 0);

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_CLOSE()
    ON_WM_QUERYENDSESSION()
    ON_WM_ENDSESSION()
    ON_WM_DESTROY()
    ON_WM_NCDESTROY()
    ON_WM_SETFOCUS()
    ON_WM_INITMENUPOPUP()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCTA& cs)
{
    if (cs.lpszClass == nullptr)
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(nullptr, IDC_ARROW),
                                           reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    return CWnd::PreCreateWindow(cs);
}

BOOL CFrameWnd::Create(const char* className, const char* title, DWORD style, const RECT& rect, CWnd* parent,
                       const char* menuName, DWORD exStyle, CCreateContext* context)
{
    HMENU menu = nullptr;
    if (menuName != nullptr)
        menu = ::LoadMenuA(AfxGetResourceHandle(), menuName);
    m_strTitle = title;
    CRect r(rect);
    int x = r.left, y = r.top, w = r.Width(), h = r.Height();
    if (r == rectDefault) {
        x = y = w = h = CW_USEDEFAULT;
        if (style & WS_CHILD)
            x = y = w = h = 0;
    }
    m_pCreateContext = context;
    BOOL ok = CreateEx(exStyle, className, title, style, x, y, w, h, parent ? parent->m_hWnd : nullptr, menu, context);
    if (!ok) {
        if (menu != nullptr)
            ::DestroyMenu(menu);
        return FALSE;   // a window that was created and failed has deleted this object already
    }
    m_pCreateContext = nullptr;
    m_hMenuDefault = ::GetMenu(m_hWnd);
    return TRUE;
}

BOOL CFrameWnd::LoadAccelTable(UINT resourceId)
{
    if (m_hAccelTable == nullptr)
        m_hAccelTable = ::LoadAcceleratorsA(AfxGetResourceHandle(), MAKEINTRESOURCEA(resourceId));
    return m_hAccelTable != nullptr;
}

BOOL CFrameWnd::LoadFrame(UINT resourceId, DWORD style, CWnd* parent, CCreateContext* context)
{
    CString title;
    if (title.LoadString(resourceId))
        m_strTitle = FirstField(title);
    HICON icon = ::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(resourceId));
    const char* cls = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(nullptr, IDC_ARROW),
                                          reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1), icon);
    const char* menuName = nullptr;
    if (!(style & WS_CHILD) && ::FindResourceA(AfxGetResourceHandle(), MAKEINTRESOURCEA(resourceId), RT_MENU))
        menuName = MAKEINTRESOURCEA(resourceId);
    CString caption = m_strTitle;
    if (!Create(cls, caption, style, rectDefault, parent, menuName, 0, context))
        return FALSE;
    LoadAccelTable(resourceId);
    if (context == nullptr)
        SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE);
    return TRUE;
}

int CFrameWnd::OnCreate(LPCREATESTRUCTA cs)
{
    if (CWnd::OnCreate(cs) == -1)
        return -1;
    CCreateContext* context = static_cast<CCreateContext*>(cs->lpCreateParams);
    if (!OnCreateClient(cs, context))
        return -1;
    RecalcLayout();
    return 0;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCTA, CCreateContext* context)
{
    if (context != nullptr && context->m_pNewViewClass)
        return CreateView(context, AFX_IDW_PANE_FIRST) != nullptr;
    return TRUE;
}

CWnd* CFrameWnd::CreateView(CCreateContext* context, UINT id)
{
    if (context == nullptr || !context->m_pNewViewClass)
        return nullptr;
    CView* view = context->m_pNewViewClass();
    if (view == nullptr)
        return nullptr;
    if (!view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(0, 0, 0, 0), this, id, context))
        return nullptr;   // the view deleted itself with its window
    return view;
}

void CFrameWnd::SetActiveView(CView* view, BOOL notify)
{
    CView* old = m_pViewActive;
    if (view == old)
        return;
    m_pViewActive = view;
    if (notify && old != nullptr)
        old->OnActivateView(FALSE, view, old);
    if (notify && view != nullptr)
        view->OnActivateView(TRUE, view, old);
}

CDocument* CFrameWnd::GetActiveDocument()
{
    CView* view = GetActiveView();
    return view ? view->GetDocument() : nullptr;
}

void CFrameWnd::InitialUpdateFrame(CDocument* doc, BOOL makeVisible)
{
    (void)doc;
    CView* view = GetActiveView();
    if (view == nullptr) {
        view = dynamic_cast<CView*>(FromHandlePermanent(::GetDlgItem(m_hWnd, AFX_IDW_PANE_FIRST)));
        if (view != nullptr)
            SetActiveView(view, FALSE);
    }
    if (makeVisible) {
        SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE);
        ActivateFrame();
        if (view != nullptr)
            view->OnActivateView(TRUE, view, view);
    }
    OnUpdateFrameTitle(TRUE);
}

void CFrameWnd::ActivateFrame(int cmdShow)
{
    if (cmdShow == -1)
        cmdShow = !IsWindowVisible() ? SW_SHOWNORMAL : (IsIconic() ? SW_RESTORE : SW_SHOW);
    ShowWindow(cmdShow);
    if (!(GetStyle() & WS_CHILD))
        BringWindowToTop();
}

void CFrameWnd::OnUpdateFrameTitle(BOOL addToTitle)
{
    CString title = m_strTitle;
    CDocument* doc = GetActiveDocument();
    if (addToTitle && (GetStyle() & FWS_ADDTOTITLE) && doc != nullptr)
        title = m_strTitle.IsEmpty() ? doc->GetTitle() : m_strTitle + " - " + doc->GetTitle();
    if (GetWindowText() != title)
        SetWindowText(title);
}

void CFrameWnd::RecalcLayout(BOOL)
{
    if (m_hWnd == nullptr)
        return;
    CRect rect;
    GetClientRect(&rect);
    for (HWND child = ::GetTopWindow(m_hWnd); child != nullptr; child = ::GetNextWindow(child, GW_HWNDNEXT)) {
        CControlBar* bar = dynamic_cast<CControlBar*>(FromHandlePermanent(child));
        if (bar == nullptr || !(::GetWindowLongA(child, GWL_STYLE) & WS_VISIBLE))
            continue;
        int height = std::min(static_cast<int>(bar->CalcFixedLayout(TRUE, TRUE).cy), std::max(0, rect.Height()));
        if (bar->m_dwBarStyle & CBRS_ALIGN_BOTTOM) {
            ::MoveWindow(child, rect.left, rect.bottom - height, rect.Width(), height, TRUE);
            rect.bottom -= height;
        } else {
            ::MoveWindow(child, rect.left, rect.top, rect.Width(), height, TRUE);
            rect.top += height;
        }
    }
    if (HWND pane = ::GetDlgItem(m_hWnd, AFX_IDW_PANE_FIRST))
        ::MoveWindow(pane, rect.left, rect.top, rect.Width(), std::max(0, rect.Height()), TRUE);
}

void CFrameWnd::OnIdleUpdateCmdUI()
{
    if (m_hWnd != nullptr)
        SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE);
}

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, CmdHandlerInfo* pHandlerInfo)
{
    CView* view = GetActiveView();
    if (view != nullptr && view->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    // Only the outermost frame hands on to the application: a child frame's route continues in
    // the main frame, which asks the application last.
    if (m_hWnd == nullptr || GetParentFrame() == nullptr) {
        CWinApp* app = AfxGetApp();
        if (app != nullptr && app->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
            return TRUE;
    }
    return FALSE;
}

BOOL CFrameWnd::IsEditControlKey(const MSG* msg)
{
    if (msg->message != WM_KEYDOWN && msg->message != WM_SYSKEYDOWN && msg->message != WM_CHAR)
        return FALSE;
    char name[32] = {};
    if (msg->hwnd == nullptr || ::GetClassNameA(msg->hwnd, name, sizeof name) == 0)
        return FALSE;
    if (lstrcmpiA(name, "Edit") != 0 && _strnicmp(name, "RichEdit", 8) != 0)
        return FALSE;
    if (msg->message == WM_CHAR)
        return FALSE;
    bool control = ::GetKeyState(VK_CONTROL) < 0;
    bool shift = ::GetKeyState(VK_SHIFT) < 0;
    bool alt = ::GetKeyState(VK_MENU) < 0;
    if (alt)
        return FALSE;
    switch (msg->wParam) {
    case 'C': case 'V': case 'X': case 'Z': case 'A':
        return control && !shift;
    case VK_DELETE:
        return shift && !control;
    case VK_INSERT:
        return shift != control;   // Shift+Ins pastes, Ctrl+Ins copies
    default:
        return FALSE;
    }
}

BOOL CFrameWnd::PreTranslateMessage(MSG* msg)
{
    if (msg->message >= WM_KEYFIRST && msg->message <= WM_KEYLAST && m_hAccelTable != nullptr &&
        !IsEditControlKey(msg))
        return ::TranslateAcceleratorA(m_hWnd, m_hAccelTable, msg) != 0;
    return FALSE;
}

void CFrameWnd::OnSize(UINT type, int, int)
{
    Default();
    if (type != SIZE_MINIMIZED)
        RecalcLayout();
}

void CFrameWnd::OnClose()
{
    CWinApp* app = AfxGetApp();
    if (app != nullptr && app->m_pMainWnd == this) {
        if (!app->SaveAllModified())
            return;
        app->CloseAllDocuments(FALSE);
    } else if (CDocument* doc = GetActiveDocument()) {
        if (!doc->CanCloseFrame(this))
            return;
        bool otherFrame = false;
        for (CView* view : doc->GetViews())
            otherFrame = otherFrame || (view->m_hWnd && view->GetParentFrame() != this);
        if (!otherFrame) {
            doc->OnCloseDocument();   // destroys this frame
            return;
        }
    }
    DestroyWindow();
}

BOOL CFrameWnd::OnQueryEndSession()
{
    // Logging off or shutting down asks what closing the program asks: each modified document
    // its question. Cancel keeps the session (and every document) as it is.
    CWinApp* app = AfxGetApp();
    if (app != nullptr && app->m_pMainWnd == this)
        return app->SaveAllModified();
    return TRUE;
}

void CFrameWnd::OnEndSession(BOOL ending)
{
    // The session ends without WM_CLOSE or a way out of the loop: what the program writes when
    // it exits is written now.
    CWinApp* app = AfxGetApp();
    if (ending && app != nullptr && app->m_pMainWnd == this)
        app->ExitInstance();
}

void CFrameWnd::OnDestroy()
{
    m_pViewActive = nullptr;
    Default();
}

void CFrameWnd::OnNcDestroy()
{
    CWinApp* app = AfxGetApp();
    if (app != nullptr && app->m_pMainWnd == this) {
        app->m_pMainWnd = nullptr;
        ::PostQuitMessage(0);
    }
    Default();
}

void CFrameWnd::OnSetFocus(CWnd* old)
{
    // The frame itself takes no keys. A frame hosting documents hands the focus on to the active
    // document's frame, which hands it to its view: activation and a dialog or message box closing
    // all give the focus to the top-level frame first.
    CFrameWnd* active = GetActiveFrame();
    if (active != nullptr && active != this && active->m_hWnd != nullptr && active->IsWindowVisible()) {
        active->SetFocus();
        return;
    }
    CView* view = GetActiveView();
    if (view != nullptr && view->m_hWnd != nullptr)
        view->SetFocus();
    else
        CWnd::OnSetFocus(old);
}

BOOL CFrameWnd::OnEraseBkgnd(CDC* dc)
{
    // The pane covers the client area; erasing under it only flickers.
    if (::GetDlgItem(m_hWnd, AFX_IDW_PANE_FIRST) != nullptr)
        return TRUE;
    return CWnd::OnEraseBkgnd(dc);
}

void CFrameWnd::OnInitMenuPopup(CMenu* popup, UINT, BOOL sysMenu)
{
    if (sysMenu || popup == nullptr)
        return;
    CCmdUI ui;
    ui.m_pMenu = popup;
    int count = popup->GetMenuItemCount();
    ui.m_nIndexMax = static_cast<UINT>(count);
    for (int i = 0; i < count; ++i) {
        UINT id = popup->GetMenuItemID(i);
        if (id == 0 || id == static_cast<UINT>(-1))
            continue;   // separators and sub-menus
        ui.m_nIndex = static_cast<UINT>(i);
        ui.m_nID = id;
        ui.m_pSubMenu = nullptr;
        ui.DoUpdate(this, TRUE);
    }
}

// ---- CMDIFrameWnd

BEGIN_MESSAGE_MAP(CMDIFrameWnd, CFrameWnd)
    ON_COMMAND(ID_NEXT_PANE, OnWindowNext)
    ON_UPDATE_COMMAND_UI(ID_NEXT_PANE, OnUpdateWindowNext)
END_MESSAGE_MAP()

BOOL CMDIFrameWnd::OnCreateClient(LPCREATESTRUCTA, CCreateContext*)
{
    m_wndTabArea.m_pFrame = this;
    const char* cls = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(nullptr, IDC_ARROW), nullptr);
    return m_wndTabArea.CreateEx(0, cls, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 0, 0, m_hWnd,
                                 reinterpret_cast<HMENU>(static_cast<UINT_PTR>(AFX_IDW_PANE_FIRST)));
}

CFrameWnd* CMDIFrameWnd::GetActiveFrame()
{
    return m_pActiveChild ? static_cast<CFrameWnd*>(m_pActiveChild) : this;
}

CDocument* CMDIFrameWnd::GetActiveDocument()
{
    if (m_pActiveChild != nullptr)
        return m_pActiveChild->GetActiveDocument();
    return CFrameWnd::GetActiveDocument();
}

BOOL CMDIFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, CmdHandlerInfo* pHandlerInfo)
{
    if (m_pActiveChild != nullptr && m_pActiveChild->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    if (CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return OnWindowsDialogCmd(nID, nCode, pExtra, pHandlerInfo);
}

void CMDIFrameWnd::MDIActivate(CMDIChildWnd* child)
{
    CMDIChildWnd* old = m_pActiveChild;
    if (child != nullptr && std::find(m_children.begin(), m_children.end(), child) == m_children.end())
        return;
    if (child != old) {
        m_pActiveChild = child;
        if (child != nullptr) {
            CRect rect = m_wndTabArea.GetChildRect();
            ::SetWindowPos(child->m_hWnd, HWND_TOP, rect.left, rect.top, rect.Width(), rect.Height(), SWP_SHOWWINDOW);
        }
        if (old != nullptr && old->m_hWnd != nullptr) {
            old->ShowWindow(SW_HIDE);
            old->OnMDIActivate(FALSE, child, old);
        }
        if (child != nullptr)
            child->OnMDIActivate(TRUE, child, old);
        if (m_wndTabArea.m_hWnd != nullptr)
            m_wndTabArea.Invalidate();
        OnUpdateFrameTitle(TRUE);
    } else if (child != nullptr) {
        child->ShowWindow(SW_SHOW);
    }
}

void CMDIFrameWnd::MDINext(BOOL previous)
{
    if (m_children.size() < 2 || m_pActiveChild == nullptr)
        return;
    auto it = std::find(m_children.begin(), m_children.end(), m_pActiveChild);
    size_t index = static_cast<size_t>(it - m_children.begin());
    size_t n = m_children.size();
    index = previous ? (index + n - 1) % n : (index + 1) % n;
    MDIActivate(m_children[index]);
}

void CMDIFrameWnd::OnUpdateWindowNext(CCmdUI* ui)
{
    ui->Enable(m_children.size() > 1);
}

void CMDIFrameWnd::AddChild(CMDIChildWnd* child)
{
    if (std::find(m_children.begin(), m_children.end(), child) == m_children.end())
        m_children.push_back(child);
    if (m_wndTabArea.m_hWnd != nullptr)
        m_wndTabArea.Invalidate();
}

void CMDIFrameWnd::RemoveChild(CMDIChildWnd* child)
{
    auto it = std::find(m_children.begin(), m_children.end(), child);
    if (it == m_children.end())
        return;
    size_t index = static_cast<size_t>(it - m_children.begin());
    m_children.erase(it);
    if (m_pActiveChild == child) {
        m_pActiveChild = nullptr;
        if (!m_children.empty())
            MDIActivate(m_children[std::min(index, m_children.size() - 1)]);
        else
            OnUpdateFrameTitle(TRUE);
    }
    if (m_wndTabArea.m_hWnd != nullptr)
        m_wndTabArea.Invalidate();
}

void CMDIFrameWnd::OnUpdateFrameTitle(BOOL addToTitle)
{
    CString title = m_strTitle;
    CDocument* doc = GetActiveDocument();
    if (addToTitle && (GetStyle() & FWS_ADDTOTITLE) && doc != nullptr)
        title = m_strTitle + " - " + doc->GetTitle();
    if (m_hWnd != nullptr && GetWindowText() != title)
        SetWindowText(title);
}

void CMDIFrameWnd::OnIdleUpdateCmdUI()
{
    CFrameWnd::OnIdleUpdateCmdUI();
}

// ---- CMDIChildWnd

BEGIN_MESSAGE_MAP(CMDIChildWnd, CFrameWnd)
    ON_WM_CLOSE()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

BOOL CMDIChildWnd::PreCreateWindow(CREATESTRUCTA& cs)
{
    cs.style &= ~(WS_CAPTION | WS_THICKFRAME | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_POPUP | WS_VISIBLE);
    cs.style |= WS_CHILD | WS_CLIPCHILDREN;
    return CFrameWnd::PreCreateWindow(cs);
}

BOOL CMDIChildWnd::LoadFrame(UINT resourceId, DWORD style, CWnd* parent, CCreateContext* context)
{
    CMDIFrameWnd* mainFrame = dynamic_cast<CMDIFrameWnd*>(parent ? parent : AfxGetMainWnd());
    if (mainFrame == nullptr || mainFrame->m_wndTabArea.m_hWnd == nullptr)
        return FALSE;
    m_pMDIFrame = mainFrame;
    CString title;
    if (title.LoadString(resourceId))
        m_strTitle = FirstField(title);
    HICON icon = ::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(resourceId));
    const char* cls = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(nullptr, IDC_ARROW),
                                          reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1), icon);
    CRect rect = mainFrame->m_wndTabArea.GetChildRect();
    static UINT nextId = 1;   // child ids only have to differ from each other
    m_pCreateContext = context;
    if (!CreateEx(0, cls, m_strTitle, (style & FWS_ADDTOTITLE) | WS_CHILD | WS_CLIPCHILDREN, rect.left, rect.top,
                  rect.Width(), rect.Height(), mainFrame->m_wndTabArea.m_hWnd,
                  reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nextId++)), context))
        return FALSE;
    m_pCreateContext = nullptr;
    mainFrame->AddChild(this);
    LoadAccelTable(resourceId);
    if (context == nullptr)
        SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE);
    return TRUE;
}

void CMDIChildWnd::MDIActivate()
{
    if (m_pMDIFrame != nullptr)
        m_pMDIFrame->MDIActivate(this);
}

void CMDIChildWnd::ActivateFrame(int)
{
    MDIActivate();
}

void CMDIChildWnd::OnMDIActivate(BOOL activate, CWnd*, CWnd*)
{
    CView* view = GetActiveView();
    if (view != nullptr)
        view->OnActivateView(activate, view, view);
}

void CMDIChildWnd::OnUpdateFrameTitle(BOOL)
{
    CDocument* doc = GetActiveDocument();
    CString title = doc ? doc->GetTitle() : m_strTitle;
    if (GetWindowText() != title)
        SetWindowText(title);
    if (m_pMDIFrame != nullptr) {
        if (m_pMDIFrame->m_wndTabArea.m_hWnd != nullptr)
            m_pMDIFrame->m_wndTabArea.Invalidate();
        if (m_pMDIFrame->MDIGetActive() == this)
            m_pMDIFrame->OnUpdateFrameTitle(TRUE);
    }
}

BOOL CMDIChildWnd::PreTranslateMessage(MSG* msg)
{
    // The child's accelerators raise commands at the main frame, whose route starts at this
    // child's view and ends at the application.
    if (msg->message >= WM_KEYFIRST && msg->message <= WM_KEYLAST && m_hAccelTable != nullptr &&
        m_pMDIFrame != nullptr && !IsEditControlKey(msg))
        return ::TranslateAcceleratorA(m_pMDIFrame->m_hWnd, m_hAccelTable, msg) != 0;
    return FALSE;
}

void CMDIChildWnd::OnClose()
{
    CDocument* doc = GetActiveDocument();
    if (doc != nullptr) {
        if (!doc->CanCloseFrame(this))
            return;
        bool otherFrame = false;
        for (CView* view : doc->GetViews())
            otherFrame = otherFrame || (view->m_hWnd && view->GetParentFrame() != this);
        if (!otherFrame) {
            doc->OnCloseDocument();
            return;
        }
    }
    MDIDestroy();
}

void CMDIChildWnd::OnDestroy()
{
    if (m_pMDIFrame != nullptr)
        m_pMDIFrame->RemoveChild(this);
    CFrameWnd::OnDestroy();
}
