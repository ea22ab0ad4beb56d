// What the main frame remembers between runs: its placement and maximised state, the ribbon's
// active category and whether the ribbon is minimised; and the ribbon's keyboard access.
#include "framework/app.h"
#include "ui/mainframe.h"

namespace {

const char kLeft[] = "MainWindowLeft";
const char kTop[] = "MainWindowTop";
const char kRight[] = "MainWindowRight";
const char kBottom[] = "MainWindowBottom";
const char kMaximized[] = "MainWindowMaximized";
const char kCategory[] = "RibbonActiveCategory";
const char kMinimized[] = "RibbonMinimized";
constexpr int kNone = INT_MIN;

int ReadInt(const char* entry, int defaultValue)
{
    CWinApp* app = AfxGetApp();
    return app != nullptr ? static_cast<int>(app->GetProfileInt(CMainFrame::LookSection(), entry, defaultValue))
                          : defaultValue;
}

void WriteInt(const char* entry, int value)
{
    if (CWinApp* app = AfxGetApp())
        app->WriteProfileInt(CMainFrame::LookSection(), entry, value);
}

} // namespace

bool CMainFrame::ReadStoredPlacement(CRect& rect, bool& maximized)
{
    int left = ReadInt(kLeft, kNone), top = ReadInt(kTop, kNone);
    int right = ReadInt(kRight, kNone), bottom = ReadInt(kBottom, kNone);
    maximized = ReadInt(kMaximized, 0) != 0;
    if (left == kNone || top == kNone || right == kNone || bottom == kNone)
        return false;
    // Sizes a frame can have; anything else is a damaged entry.
    if (right - left < 200 || bottom - top < 150 || right - left > 32000 || bottom - top > 32000)
        return false;
    rect = CRect(left, top, right, bottom);
    // A frame stored on a monitor that is gone would open where nobody can reach it: at least its
    // top edge (the caption) must show on some monitor.
    RECT caption = { left, top, right, top + 30 };
    return ::MonitorFromRect(&caption, MONITOR_DEFAULTTONULL) != nullptr;
}

int CMainFrame::AdjustShowCommand(int cmdShow)
{
    CRect rect;
    bool maximized = false;
    if (!ReadStoredPlacement(rect, maximized) || !maximized)
        return cmdShow;
    return cmdShow == SW_SHOWNORMAL || cmdShow == SW_SHOW || cmdShow == SW_SHOWDEFAULT ? SW_SHOWMAXIMIZED : cmdShow;
}

BOOL CMainFrame::PreCreateWindow(CREATESTRUCTA& cs)
{
    CRect rect;
    bool maximized = false;
    if (ReadStoredPlacement(rect, maximized)) {
        cs.x = rect.left;
        cs.y = rect.top;
        cs.cx = rect.Width();
        cs.cy = rect.Height();
    }
    return CMDIFrameWnd::PreCreateWindow(cs);
}

void CMainFrame::SaveWindowState()
{
    if (m_hWnd == nullptr)
        return;
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof placement;
    if (::GetWindowPlacement(m_hWnd, &placement)) {
        const RECT& r = placement.rcNormalPosition;
        WriteInt(kLeft, r.left);
        WriteInt(kTop, r.top);
        WriteInt(kRight, r.right);
        WriteInt(kBottom, r.bottom);
        WriteInt(kMaximized, placement.showCmd == SW_SHOWMAXIMIZED || ::IsZoomed(m_hWnd) ? 1 : 0);
    }
    CMFCRibbonBar& bar = m_wndRibbonBar;
    WriteInt(kCategory, bar.GetCategoryIndex(bar.GetActiveCategory()));
    WriteInt(kMinimized, bar.IsMinimized() ? 1 : 0);
}

LRESULT CMainFrame::OnNcCalcSize(WPARAM wParam, LPARAM lParam)
{
    LRESULT result = Default();
    if (wParam == 0 || !m_wndRibbonBar.IsReplacingFrameCaption() || (GetStyle() & WS_CAPTION) != WS_CAPTION)
        return result;
    // The client area takes the caption's room; the ribbon's first row is the caption now.
    auto* params = reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam);
    params->rgrc[0].top -= ::GetSystemMetrics(SM_CYCAPTION);
    return result;
}

void CMainFrame::RestoreRibbonState()
{
    CMFCRibbonBar& bar = m_wndRibbonBar;
    bar.SetReplaceFrameCaption(true);
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    int index = ReadInt(kCategory, 0);
    if (index >= 0 && index < bar.GetCategoryCount())
        bar.SetActiveCategory(bar.GetCategory(index));
    bar.SetMinimized(ReadInt(kMinimized, 0) != 0);
}

void CMainFrame::OnDestroy()
{
    SaveWindowState();
    CMDIFrameWnd::OnDestroy();
}

void CMainFrame::OnEndSession(BOOL ending)
{
    // The window is not destroyed when the session ends: its placement is written here.
    if (ending)
        SaveWindowState();
    CMDIFrameWnd::OnEndSession(ending);
}

BOOL CMainFrame::PreTranslateMessage(MSG* msg)
{
    // Alt, F10 and the key tips come before accelerators and the views' keys.
    if (m_wndRibbonBar.m_hWnd != nullptr && m_wndRibbonBar.ProcessKeyTipMessage(msg))
        return TRUE;
    return CMDIFrameWnd::PreTranslateMessage(msg);
}
