#pragma once
// CPrintInfo: one print job of a view, handed from the framework's print loop to the view's
// printing callbacks (OnPreparePrinting, OnBeginPrinting, OnPrepareDC, OnPrint, OnEndPrinting).
// It owns its print dialog; the dialog's page range is the job's page range.
// The loop itself is CView::RunPrintJob (framework/view.h); the application's printer handles
// live in CWinApp (framework/app.h). Both are implemented in print.cpp.
#include "framework/cstring.h"
#include "framework/geometry.h"
#include "framework/printdlg.h"

#include <memory>

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

    void SetMinPage(UINT page) { m_pPD->m_pd.nMinPage = static_cast<WORD>(page); }
    void SetMaxPage(UINT page) { m_pPD->m_pd.nMaxPage = static_cast<WORD>(page); }
    UINT GetMinPage() const { return m_pPD->m_pd.nMinPage; }
    UINT GetMaxPage() const { return m_pPD->m_pd.nMaxPage; }
    UINT GetFromPage() const { return m_pPD->m_pd.nFromPage; }
    UINT GetToPage() const { return m_pPD->m_pd.nToPage; }
};

// Texts of the print loop's messages.
#define AFX_MSG_FAILED_TO_START_PRINT "Failed to start print job."
