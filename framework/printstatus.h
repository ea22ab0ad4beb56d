#pragma once
// CPrintStatus: what a person sees and can do while the print loop runs. A modeless "Printing"
// window over the main frame names the document and the printer, shows the page being printed and
// offers Cancel; meanwhile the frame is disabled and the wait cursor shown. It is also the job's
// abort state: the abort procedure given to the printer DC (SetAbortProc) and the checks of the
// loop and of the callbacks (CPrintInfo::QueryAbort) answer from it. One object per job, owned by
// the print loop; the window is created in code and owned by the object.
#include "framework/cstring.h"
#include "framework/wnd.h"

#include <windows.h>

// Texts and control ids of the status window.
#define AFX_PRINT_STATUS_CAPTION "Printing"
#define AFX_PRINT_STATUS_DOCUMENT "Document: %s"
#define AFX_PRINT_STATUS_PRINTER "Printer: %s"
#define AFX_PRINT_STATUS_PAGE "Page %d"
#define AFX_PRINT_STATUS_CANCEL "Cancel"

class CPrintStatus {
public:
    enum : int { kDocumentId = 0x3F01, kPrinterId = 0x3F02, kPageId = 0x3F03, kCancelId = IDCANCEL };

    CPrintStatus() = default;
    ~CPrintStatus();                   // End()
    CPrintStatus(const CPrintStatus&) = delete;
    CPrintStatus& operator=(const CPrintStatus&) = delete;

    // Shows the window over owner (the main frame, which is disabled until End; may be null),
    // shows the wait cursor and makes this the abort procedure of dc. FALSE when the window could
    // not be made (the job then runs without it and cannot be cancelled).
    BOOL Begin(CWnd* owner, const char* document, const char* printer, HDC dc);
    // Takes the window down, enables the frame again and gives the cursor back; a WM_CLOSE or
    // WM_QUIT that arrived during the job is posted again now. Safe to call twice.
    void End();

    // The page being printed. The text follows at once for the first page and then at most a few
    // times a second (every page of a fast job would cost a repaint each).
    void SetPage(UINT page);
    // Lets the window's messages through (at most every few milliseconds: the checks come between
    // labels) and answers whether the job is to stop.
    BOOL QueryAbort();
    // The person asked to stop (Cancel, Escape, or closing the program).
    BOOL IsCancelled() const { return m_bCancelled; }
    void Cancel() { m_bCancelled = TRUE; }
    HWND GetSafeHwnd() const;

private:
    class CStatusWnd;
    void Pump();
    void ShowPage();
    static BOOL CALLBACK AbortProc(HDC dc, int code);

    CStatusWnd* m_pWnd = nullptr;
    HWND m_hOwner = nullptr;
    BOOL m_bOwnerDisabled = FALSE;
    HCURSOR m_hOldCursor = nullptr;
    HDC m_hDC = nullptr;
    BOOL m_bCancelled = FALSE;
    BOOL m_bRunning = FALSE;
    DWORD m_lastPump = 0;
    UINT m_page = 0;
    UINT m_shownPage = 0;
    BOOL m_bPageShown = FALSE;
    DWORD m_lastPageText = 0;
    // A close or quit that came while printing: it is passed on once the job has stopped.
    BOOL m_bCloseLater = FALSE;
    HWND m_hCloseTarget = nullptr;
    BOOL m_bQuitLater = FALSE;
    int m_quitCode = 0;
    CPrintStatus* m_pPrevious = nullptr;
};
