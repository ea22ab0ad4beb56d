#pragma once
// CPrintDialog: the common print (or print setup) dialog over PrintDlgA. The DEVMODE and DEVNAMES
// handles in m_pd belong to whoever put them there (normally the application, which lends its
// printer through CWinApp::DoPrintDialog and takes back what the dialog returns); the printer DC
// the dialog returns (PD_RETURNDC) or CreatePrinterDC makes belongs to the dialog object.
#include "framework/cstring.h"
#include "framework/wnd.h"

#include <windows.h>
#include <commdlg.h>
#include <functional>

class CPrintDialog {
public:
    static const DWORD kSetupFlags =
        PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOPAGENUMS | PD_HIDEPRINTTOFILE | PD_NOSELECTION;

    // printSetupOnly: the setup form (PD_PRINTSETUP); otherwise the print form, which also asks
    // for the printer DC (PD_RETURNDC).
    explicit CPrintDialog(BOOL printSetupOnly, DWORD flags = kSetupFlags, CWnd* parent = nullptr);
    virtual ~CPrintDialog();            // deletes the printer DC it holds
    CPrintDialog(const CPrintDialog&) = delete;
    CPrintDialog& operator=(const CPrintDialog&) = delete;

    PRINTDLGA m_pd;

    // IDOK or IDCANCEL. The owner is the parent given, else the application's main window.
    virtual INT_PTR DoModal();
    // The system's default printer into m_pd's handles (which must be empty; the caller then owns
    // them), without any window. FALSE when there is no printer.
    BOOL GetDefaults();

    // Names from the DEVNAMES handle ("" without one).
    CString GetDeviceName() const;
    CString GetDriverName() const;
    CString GetPortName() const;
    // A DC for the chosen printer (kept in m_pd.hDC, owned); null when the handles name none.
    HDC CreatePrinterDC();
    HDC GetPrinterDC() const { return m_pd.hDC; }

    BOOL PrintAll() const { return (m_pd.Flags & (PD_PAGENUMS | PD_SELECTION)) == 0; }
    BOOL PrintRange() const { return (m_pd.Flags & PD_PAGENUMS) != 0; }
    BOOL PrintSelection() const { return (m_pd.Flags & PD_SELECTION) != 0; }
    int GetFromPage() const { return m_pd.nFromPage; }
    int GetToPage() const { return m_pd.nToPage; }

    // One of the three names of a DEVNAMES block (0 driver, 1 device, 2 port); "" for a null
    // handle or offsets outside the block.
    static CString DevNamesText(HGLOBAL devNames, int which);
    // A movable DEVNAMES block holding the three names (the caller owns it); null on failure.
    static HGLOBAL MakeDevNames(const char* driver, const char* device, const char* port);
    // A DC for the printer the two handles name; null when they name none.
    static HDC CreateDCFromHandles(HGLOBAL devNames, HGLOBAL devMode);
};

// ---- the print-dialog hook: a test seam (testsupport/printdialogrecorder.h)
// What a print dialog was asked to show.
struct PrintDialogRequest {
    BOOL setup;                        // the setup form (PD_PRINTSETUP); otherwise the print form
    DWORD flags;
    WORD fromPage, toPage, minPage, maxPage, copies;
    CString device;                    // the printer the dialog starts with ("" without one)
    BOOL customTemplate;               // PD_ENABLEPRINTTEMPLATE or PD_ENABLESETUPTEMPLATE
    HWND owner;
};
// A hook answers in place of PrintDlgA: IDOK after putting its answer into dialog.m_pd (printer
// handles, page range flags and pages) or IDCANCEL. Handles it replaces it frees, as the system
// does. With IDOK and PD_RETURNDC the dialog makes the printer DC from the handles. Setting
// returns the previous hook; empty shows the real dialog.
using PrintDialogHook = std::function<INT_PTR(const PrintDialogRequest& request, CPrintDialog& dialog)>;
PrintDialogHook SetPrintDialogHook(PrintDialogHook hook);
