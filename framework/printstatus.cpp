// The status window of a running print job and the job's abort state.
#include "framework/printstatus.h"

#include "framework/guard.h"

#include <algorithm>

namespace {

// The jobs running on this thread, newest first: the abort procedure finds its job by the DC.
CPrintStatus* g_activeJobs = nullptr;

// Checking costs a trip to the window system; between labels a few milliseconds of delay are not
// noticed, a check per label would be.
const DWORD kPumpInterval = 200;
// A static control repaints at once when its text changes: the page number is written at most this
// often (the person reads it no faster), and a number held back is written by the next pump.
const DWORD kPageTextInterval = 250;
// A window that never validates its paint would keep the queue busy for ever.
const int kMostMessagesPerPump = 200;

HCURSOR WaitCursor()
{
    return ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT));
}

CString Formatted(const char* format, const char* value)
{
    CString text;
    text.Format(format, value);
    return text;
}

} // namespace

// ---- the window

class CPrintStatus::CStatusWnd : public CWnd {
public:
    explicit CStatusWnd(CPrintStatus* status) : m_status(status) {}

    BOOL Make(HWND owner, const char* document, const char* printer)
    {
        const char* cls = AfxRegisterWndClass(CS_SAVEBITS, ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW)),
                                              reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
        const DWORD style = WS_POPUP | WS_CAPTION | WS_CLIPCHILDREN;
        const DWORD exStyle = WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
        // The font and the line height decide the layout.
        m_font = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
        int line = 16, charWidth = 7;
        if (HDC screen = ::GetDC(nullptr)) {
            HGDIOBJ old = ::SelectObject(screen, m_font);
            TEXTMETRICA metrics = {};
            if (::GetTextMetricsA(screen, &metrics)) {
                line = metrics.tmHeight + metrics.tmExternalLeading + 2;
                charWidth = std::max<int>(metrics.tmAveCharWidth, 4);
            }
            ::SelectObject(screen, old);
            ::ReleaseDC(nullptr, screen);
        }
        const int margin = 2 * charWidth;
        const int textWidth = 44 * charWidth;
        const int buttonWidth = 12 * charWidth, buttonHeight = line + 10;
        RECT client = {0, 0, 2 * margin + textWidth, margin + 3 * line + line / 2 + buttonHeight + margin};
        ::AdjustWindowRectEx(&client, style, FALSE, exStyle);
        const int width = client.right - client.left, height = client.bottom - client.top;

        // Centred over the frame when it shows, else over the screen's work area.
        RECT over = {};
        if (owner == nullptr || !::IsWindowVisible(owner) || ::IsIconic(owner) || !::GetWindowRect(owner, &over))
            ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &over, 0);
        const int x = over.left + (over.right - over.left - width) / 2;
        const int y = over.top + (over.bottom - over.top - height) / 2;
        if (!CreateEx(exStyle, cls, AFX_PRINT_STATUS_CAPTION, style, x, y, width, height, owner, nullptr))
            return FALSE;

        int top = margin;
        Child("STATIC", Formatted(AFX_PRINT_STATUS_DOCUMENT, document), SS_LEFT | SS_NOPREFIX | SS_ENDELLIPSIS,
              margin, top, textWidth, line, kDocumentId);
        top += line;
        Child("STATIC", Formatted(AFX_PRINT_STATUS_PRINTER, printer), SS_LEFT | SS_NOPREFIX | SS_ENDELLIPSIS, margin,
              top, textWidth, line, kPrinterId);
        top += line;
        Child("STATIC", "", SS_LEFT | SS_NOPREFIX, margin, top, textWidth, line, kPageId);
        top += line + line / 2;
        m_cancel = Child("BUTTON", AFX_PRINT_STATUS_CANCEL, BS_DEFPUSHBUTTON | WS_TABSTOP,
                         margin + (textWidth - buttonWidth) / 2, top, buttonWidth, buttonHeight, kCancelId);
        ::ShowWindow(m_hWnd, SW_SHOWNORMAL);
        if (m_cancel != nullptr)
            ::SetFocus(m_cancel);
        ::UpdateWindow(m_hWnd);
        return TRUE;
    }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        switch (message) {
        case WM_COMMAND:
            if (LOWORD(wParam) == IDCANCEL) {
                m_status->Cancel();
                return 0;
            }
            break;
        case WM_CLOSE:
            m_status->Cancel();
            return 0;
        case WM_SETCURSOR:
            // The job is running everywhere but on the button that stops it.
            if (reinterpret_cast<HWND>(wParam) != m_cancel) {
                ::SetCursor(WaitCursor());
                return TRUE;
            }
            break;
        default:
            break;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }

private:
    HWND Child(const char* cls, const char* text, DWORD style, int x, int y, int w, int h, int id)
    {
        HWND child = ::CreateWindowExA(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, m_hWnd,
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ::GetModuleHandleA(nullptr),
                                       nullptr);
        if (child != nullptr)
            ::SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(m_font), FALSE);
        return child;
    }

    CPrintStatus* m_status;
    HFONT m_font = nullptr;
    HWND m_cancel = nullptr;
};

// ---- the job's state

CPrintStatus::~CPrintStatus()
{
    End();
}

BOOL CPrintStatus::Begin(CWnd* owner, const char* document, const char* printer, HDC dc)
{
    if (m_bRunning)
        return m_pWnd != nullptr;
    m_bRunning = TRUE;
    m_bCancelled = FALSE;
    m_page = m_shownPage = 0;
    m_bPageShown = FALSE;
    m_hDC = dc;
    m_pPrevious = g_activeJobs;
    g_activeJobs = this;
    m_hOldCursor = ::SetCursor(WaitCursor());
    m_hOwner = owner != nullptr ? owner->GetSafeHwnd() : nullptr;
    if (m_hOwner != nullptr && ::IsWindowEnabled(m_hOwner)) {
        ::EnableWindow(m_hOwner, FALSE);
        m_bOwnerDisabled = TRUE;
    }
    m_pWnd = new CStatusWnd(this);
    if (!m_pWnd->Make(m_hOwner, document ? document : "", printer ? printer : "")) {
        delete m_pWnd;
        m_pWnd = nullptr;
    }
    if (dc != nullptr)
        ::SetAbortProc(dc, &CPrintStatus::AbortProc);
    // The window paints before the first page starts.
    Pump();
    m_lastPump = ::GetTickCount();
    return m_pWnd != nullptr;
}

void CPrintStatus::End()
{
    if (!m_bRunning)
        return;
    m_bRunning = FALSE;
    for (CPrintStatus** link = &g_activeJobs; *link != nullptr; link = &(*link)->m_pPrevious) {
        if (*link == this) {
            *link = m_pPrevious;
            break;
        }
    }
    m_pPrevious = nullptr;
    // The frame first, so that activation goes back to it when the window goes.
    if (m_bOwnerDisabled && ::IsWindow(m_hOwner))
        ::EnableWindow(m_hOwner, TRUE);
    m_bOwnerDisabled = FALSE;
    if (m_pWnd != nullptr) {
        if (m_pWnd->GetSafeHwnd() != nullptr)
            m_pWnd->DestroyWindow();
        delete m_pWnd;
        m_pWnd = nullptr;
    }
    ::SetCursor(m_hOldCursor);
    if (m_bCloseLater && ::IsWindow(m_hCloseTarget))
        ::PostMessageA(m_hCloseTarget, WM_CLOSE, 0, 0);
    if (m_bQuitLater)
        ::PostQuitMessage(m_quitCode);
    m_bCloseLater = m_bQuitLater = FALSE;
    m_hDC = nullptr;
}

HWND CPrintStatus::GetSafeHwnd() const
{
    return m_pWnd != nullptr ? m_pWnd->GetSafeHwnd() : nullptr;
}

void CPrintStatus::SetPage(UINT page)
{
    m_page = page;
    const DWORD now = ::GetTickCount();
    if (!m_bPageShown || now - m_lastPageText >= kPageTextInterval)
        ShowPage();
}

void CPrintStatus::ShowPage()
{
    HWND wnd = GetSafeHwnd();
    if (wnd == nullptr || (m_bPageShown && m_shownPage == m_page))
        return;
    char text[64];
    wsprintfA(text, AFX_PRINT_STATUS_PAGE, static_cast<int>(m_page));
    ::SetDlgItemTextA(wnd, kPageId, text);
    m_shownPage = m_page;
    m_bPageShown = TRUE;
    m_lastPageText = ::GetTickCount();
}

BOOL CPrintStatus::QueryAbort()
{
    if (m_bRunning && !m_bCancelled) {
        const DWORD now = ::GetTickCount();
        if (now - m_lastPump >= kPumpInterval) {
            m_lastPump = now;
            Pump();
        }
    }
    return m_bCancelled;
}

void CPrintStatus::Pump()
{
    if (m_bPageShown)
        ShowPage();
    HWND wnd = GetSafeHwnd();
    MSG msg;
    int n = 0;
    for (; n < kMostMessagesPerPump && !m_bCancelled && ::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE); ++n) {
        // Leaving the program stops the job first; the request is passed on when it has stopped.
        if (msg.message == WM_QUIT) {
            m_bQuitLater = TRUE;
            m_quitCode = static_cast<int>(msg.wParam);
            Cancel();
            break;
        }
        if (msg.message == WM_CLOSE && (wnd == nullptr || msg.hwnd != wnd)) {
            m_bCloseLater = TRUE;
            m_hCloseTarget = msg.hwnd;
            Cancel();
            break;
        }
        if (wnd != nullptr && (msg.hwnd == wnd || ::IsChild(wnd, msg.hwnd)) && ::IsDialogMessageA(wnd, &msg))
            continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    // Over the disabled frame the system shows the arrow again when the mouse moves; the job is
    // still running.
    if (n == 0)
        return;
    POINT at = {};
    HWND under = ::GetCursorPos(&at) ? ::WindowFromPoint(at) : nullptr;
    if (wnd == nullptr || (under != wnd && !::IsChild(wnd, under)))
        ::SetCursor(WaitCursor());
}

BOOL CALLBACK CPrintStatus::AbortProc(HDC dc, int)
{
    return GuardedCall(
        [dc]() -> BOOL {
            for (CPrintStatus* job = g_activeJobs; job != nullptr; job = job->m_pPrevious) {
                if (job->m_hDC == dc)
                    return job->QueryAbort() ? FALSE : TRUE;
            }
            return TRUE;
        },
        TRUE);
}
