#pragma once
// CPrintInfo: one print job of a view, handed from the framework's print loop to the view's
// printing callbacks (OnPreparePrinting, OnBeginPrinting, OnPrepareDC, OnPrint, OnEndPrinting).
// It owns its print dialog; the dialog's page range is the job's page range.
// The loop itself is CView::RunPrintJob (framework/view.h); the application's printer handles
// live in CWinApp (framework/app.h). Both are implemented in print.cpp.
#include "framework/cstring.h"
#include "framework/geometry.h"
#include "framework/printdlg.h"

#include <functional>
#include <memory>

class CPrintStatus;

class CPrintInfo {
public:
    // A print (not setup) dialog with PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOSELECTION, pages
    // 1 .. 0xFFFF.
    CPrintInfo();
    ~CPrintInfo();
    CPrintInfo(const CPrintInfo&) = delete;
    CPrintInfo& operator=(const CPrintInfo&) = delete;

    CPrintDialog* m_pPD = nullptr;     // owned
    BOOL m_bDirect = FALSE;            // print on the application's printer without a dialog
    BOOL m_bPreview = FALSE;
    // Cleared by a callback to end the job after the current page.
    BOOL m_bContinuePrinting = TRUE;
    UINT m_nCurPage = 1;
    UINT m_nNumPreviewPages = 0;
    LPVOID m_lpUserData = nullptr;
    CRect m_rectDraw;                  // the page in device units, set before each OnPrint
    CString m_strPageDesc;
    // When set, the job is written to this file instead of the printer's port.
    CString m_strOutputFile;
    // Set by a callback that abandoned the job itself (AbortDoc on the DC): the loop then ends
    // without EndPage or EndDoc.
    BOOL m_bJobAborted = FALSE;
    // Results of the loop: pages ended, and whether the spooler got the whole job.
    int m_nPagesPrinted = 0;
    BOOL m_bJobCompleted = FALSE;
    // The person stopped the job (Cancel in the status window): it was abandoned with AbortDoc.
    BOOL m_bUserAbort = FALSE;
    // Whether the loop shows the status window with Cancel over the frame (and disables the
    // frame) while the job runs; off only for jobs nobody watches.
    BOOL m_bShowStatus = TRUE;
    // The running job's status window and abort state: set by the loop while the job runs.
    CPrintStatus* m_pStatus = nullptr;

    // For callbacks that draw a page in many parts: lets the status window's messages through and
    // answers TRUE when the person has asked to stop, so that the callback ends the page early
    // (the loop then abandons the job). FALSE outside a job or without a status window.
    BOOL QueryAbort();

    void SetMinPage(UINT page) { m_pPD->m_pd.nMinPage = static_cast<WORD>(page); }
    void SetMaxPage(UINT page) { m_pPD->m_pd.nMaxPage = static_cast<WORD>(page); }
    UINT GetMinPage() const { return m_pPD->m_pd.nMinPage; }
    UINT GetMaxPage() const { return m_pPD->m_pd.nMaxPage; }
    UINT GetFromPage() const { return m_pPD->m_pd.nFromPage; }
    UINT GetToPage() const { return m_pPD->m_pd.nToPage; }
};

// ---- the spooler calls of the print loop: a test seam (testsupport/printjobrecorder.h)
// While set, the observer hears each StartDoc, StartPage, EndPage, EndDoc and AbortDoc the loop
// makes, with its result, after the call. Setting returns the previous observer.
using PrintJobObserver = std::function<void(const char* call, int result)>;
PrintJobObserver SetPrintJobObserver(PrintJobObserver observer);

// Texts of the print loop's messages.
#define AFX_MSG_FAILED_TO_START_PRINT "Failed to start print job."
