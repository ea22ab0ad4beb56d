// The framework's printing: the print information of a job, the view's print command and loop,
// and the application's printer (its DEVMODE and DEVNAMES handles and the print dialogs).
#include "framework/print.h"

#include "framework/app.h"
#include "framework/cmdline.h"
#include "framework/doc.h"
#include "framework/gdi.h"
#include "framework/msgbox.h"
#include "framework/printstatus.h"
#include "framework/view.h"

#include <algorithm>
#include <cstring>
#include <utility>

static PrintJobObserver& PrintJobHook();

namespace {

// A job printed to a file replaces the file. Wine's spooler writes over an existing file without
// cutting it, so a shorter job would keep the old tail and no longer be a valid document; ports
// and devices ("FILE:", "LPT1:", "\\.\...") are left to the spooler.
void EmptyOutputFile(const char* path)
{
    const size_t length = std::strlen(path);
    if (length < 3 || path[length - 1] == ':' || std::strncmp(path, "\\\\.\\", 4) == 0 ||
        (!std::strchr(path, '\\') && !std::strchr(path, '/')))
        return;
    const DWORD attributes = ::GetFileAttributesA(path);
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)))
        return;
    HANDLE file = ::CreateFileA(path, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE)
        ::CloseHandle(file);
}

} // namespace

// ---- CPrintInfo

CPrintInfo::CPrintInfo() : m_pPD(new CPrintDialog(FALSE, PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOSELECTION))
{
}

CPrintInfo::~CPrintInfo()
{
    delete m_pPD;
}

// ---- CView: printing

BOOL CView::OnPreparePrinting(CPrintInfo* info)
{
    return DoPreparePrinting(info);
}

void CView::OnPrint(CDC* dc, CPrintInfo*)
{
    OnDraw(dc);
}

BOOL CView::DoPreparePrinting(CPrintInfo* info)
{
    CWinApp* app = AfxGetApp();
    CPrintDialog* dlg = info->m_pPD;
    if (info->m_bDirect || info->m_bPreview) {
        // A printer the view's preparation put into the dialog (with the page set-up it made for
        // it) is kept; else the application's printer as it stands, without asking.
        if (dlg->m_pd.hDevNames == nullptr && (app == nullptr || !app->GetPrinterDeviceDefaults(&dlg->m_pd)))
            return FALSE;
        // "/pt path printer driver port" names the printer of this one job: its DC, with the
        // printer's own defaults (the application's device mode belongs to another driver); the
        // application keeps its printer. A printer that does not exist prints nothing rather than
        // printing on another one. When the dialog already holds that printer, its DC is made
        // from the dialog's handles below.
        const CCommandLineInfo* cmd = app != nullptr ? app->m_pCmdInfo : nullptr;
        if (info->m_bDirect && cmd != nullptr && cmd->m_nShellCommand == CCommandLineInfo::FilePrintTo &&
            !cmd->m_strPrinterName.IsEmpty() && dlg->GetDeviceName().CompareNoCase(cmd->m_strPrinterName) != 0) {
            if (dlg->m_pd.hDC == nullptr)
                dlg->m_pd.hDC = ::CreateDCA(nullptr, cmd->m_strPrinterName, nullptr, nullptr);
            if (dlg->m_pd.hDC == nullptr && !cmd->m_strDriverName.IsEmpty())
                dlg->m_pd.hDC = ::CreateDCA(cmd->m_strDriverName, cmd->m_strPrinterName, nullptr, nullptr);
            if (dlg->m_pd.hDC == nullptr)
                return FALSE;
        }
        if (dlg->m_pd.hDC == nullptr && dlg->CreatePrinterDC() == nullptr)
            return FALSE;
    } else {
        if (app == nullptr) {
            if (dlg->DoModal() != IDOK)
                return FALSE;
        } else if (app->DoPrintDialog(dlg) != IDOK) {
            return FALSE;
        }
        if (dlg->m_pd.hDC == nullptr && dlg->CreatePrinterDC() == nullptr)
            return FALSE;
    }
    // Without a page range the job runs over every page the view announced.
    if (!dlg->PrintRange()) {
        dlg->m_pd.nFromPage = dlg->m_pd.nMinPage;
        dlg->m_pd.nToPage = dlg->m_pd.nMaxPage;
    }
    return TRUE;
}

void CView::OnFilePrint()
{
    CPrintInfo info;
    CWinApp* app = AfxGetApp();
    if (app != nullptr && app->m_pCmdInfo != nullptr)
        info.m_bDirect = TRUE;
    if (!OnPreparePrinting(&info))
        return;
    RunPrintJob(&info);
}

namespace {

// The print dialog owns the printer DC; the loop's CDC only lends it to the callbacks and gives it
// back on every way out, an exception included.
class CBorrowedDC : public CDC {
public:
    explicit CBorrowedDC(HDC dc) { m_hDC = dc; }
    ~CBorrowedDC() override { m_hDC = nullptr; }
};

int Reported(const char* call, int result)
{
    if (PrintJobHook())
        PrintJobHook()(call, result);
    return result;
}

// The printer a job goes to, for the status window: "/pt" names its own for the one job.
CString JobPrinterName(const CPrintInfo* info)
{
    const CWinApp* app = AfxGetApp();
    const CCommandLineInfo* cmd = app != nullptr ? app->m_pCmdInfo : nullptr;
    if (info->m_bDirect && cmd != nullptr && cmd->m_nShellCommand == CCommandLineInfo::FilePrintTo &&
        !cmd->m_strPrinterName.IsEmpty())
        return cmd->m_strPrinterName;
    return info->m_pPD->GetDeviceName();
}

} // namespace

static PrintJobObserver& PrintJobHook()
{
    static PrintJobObserver hook;
    return hook;
}

PrintJobObserver SetPrintJobObserver(PrintJobObserver observer)
{
    std::swap(PrintJobHook(), observer);
    return observer;
}

BOOL CPrintInfo::QueryAbort()
{
    return m_pStatus != nullptr && m_pStatus->QueryAbort();
}

bool CView::RunPrintJob(CPrintInfo* info)
{
    if (info == nullptr || info->m_pPD == nullptr || info->m_pPD->m_pd.hDC == nullptr)
        return false;
    CBorrowedDC dc(info->m_pPD->m_pd.hDC);
    return RunPrintJob(&dc, info);
}

bool CView::RunPrintJob(CDC* dc, CPrintInfo* info)
{
    info->m_nPagesPrinted = 0;
    info->m_bJobCompleted = FALSE;
    info->m_bJobAborted = FALSE;
    info->m_bUserAbort = FALSE;
    info->m_bContinuePrinting = TRUE;
    const bool wasPrinting = dc->m_bPrinting;
    dc->m_bPrinting = true;

    CString title;
    if (m_pDocument != nullptr)
        title = m_pDocument->GetTitle();
    if (title.IsEmpty())
        title = AfxGetAppName();

    // From here to the end the person sees the job and can stop it.
    CPrintStatus status;
    bool started = false, ended = false;
    try {
        OnBeginPrinting(dc, info);
        if (info->m_bShowStatus) {
            CWnd* owner = nullptr;
            if (m_hWnd != nullptr)
                owner = CWnd::FromHandle(::GetAncestor(m_hWnd, GA_ROOT));
            if (owner == nullptr)
                owner = AfxGetMainWnd();
            status.Begin(owner, title, JobPrinterName(info), dc->GetSafeHdc());
            info->m_pStatus = &status;
        }

        const CString docName = title.Left(31);
        DOCINFOA doc;
        std::memset(&doc, 0, sizeof doc);
        doc.cbSize = sizeof doc;
        doc.lpszDocName = docName;
        doc.lpszOutput = info->m_strOutputFile.IsEmpty() ? nullptr : info->m_strOutputFile.GetString();
        if (doc.lpszOutput)
            EmptyOutputFile(doc.lpszOutput);
        if (Reported("StartDoc", ::StartDocA(dc->GetSafeHdc(), &doc)) <= 0) {
            info->m_pStatus = nullptr;
            status.End();
            AfxMessageBox(AFX_MSG_FAILED_TO_START_PRINT, MB_OK | MB_ICONEXCLAMATION);
            OnEndPrinting(dc, info);
            dc->m_bPrinting = wasPrinting;
            return false;
        }
        started = true;

        const UINT from = std::max(info->GetFromPage(), info->GetMinPage());
        bool failed = false;
        for (info->m_nCurPage = from; info->m_bContinuePrinting; ++info->m_nCurPage) {
            // The callbacks may widen or end the range while the job runs.
            const UINT to = std::min(std::min(info->GetToPage(), info->GetMaxPage()), 0xFFFFu);
            if (info->m_nCurPage > to)
                break;
            if (status.QueryAbort())
                break;
            status.SetPage(info->m_nCurPage);
            OnPrepareDC(dc, info);
            if (!info->m_bContinuePrinting)
                break;
            info->m_rectDraw.SetRect(0, 0, dc->GetDeviceCaps(HORZRES), dc->GetDeviceCaps(VERTRES));
            if (Reported("StartPage", ::StartPage(dc->GetSafeHdc())) <= 0) {
                failed = true;
                break;
            }
            OnPrint(dc, info);
            // A page the person cancelled in the middle of is not finished.
            if (info->m_bJobAborted || status.IsCancelled())
                break;
            if (Reported("EndPage", ::EndPage(dc->GetSafeHdc())) <= 0) {
                failed = true;
                break;
            }
            ++info->m_nPagesPrinted;
        }

        ended = true;
        if (info->m_bJobAborted) {
            // The callback has already abandoned the job.
        } else if (status.IsCancelled()) {
            info->m_bUserAbort = TRUE;
            Reported("AbortDoc", ::AbortDoc(dc->GetSafeHdc()));
        } else if (failed) {
            Reported("AbortDoc", ::AbortDoc(dc->GetSafeHdc()));
        } else {
            info->m_bJobCompleted = Reported("EndDoc", ::EndDoc(dc->GetSafeHdc())) > 0;
        }
        info->m_pStatus = nullptr;
        status.End();
        OnEndPrinting(dc, info);
    } catch (...) {
        // Nothing of a job that failed half-way reaches the printer, and the frame comes back.
        info->m_pStatus = nullptr;
        if (started && !ended && !info->m_bJobAborted)
            Reported("AbortDoc", ::AbortDoc(dc->GetSafeHdc()));
        info->m_bJobCompleted = FALSE;
        status.End();
        if (!ended) {
            // The callbacks still hear that the job is over (and that it did not complete).
            try {
                OnEndPrinting(dc, info);
            } catch (...) {
            }
        }
        dc->m_bPrinting = wasPrinting;
        throw;
    }
    dc->m_bPrinting = wasPrinting;
    return info->m_bJobCompleted != FALSE;
}

// ---- CWinApp: the application's printer

void CWinApp::FreePrinterHandles()
{
    if (m_hDevMode != nullptr)
        ::GlobalFree(m_hDevMode);
    if (m_hDevNames != nullptr)
        ::GlobalFree(m_hDevNames);
    m_hDevMode = nullptr;
    m_hDevNames = nullptr;
}

void CWinApp::SelectPrinter(HGLOBAL devNames, HGLOBAL devMode, BOOL freeOld)
{
    if (freeOld) {
        if (m_hDevNames != nullptr && m_hDevNames != devNames)
            ::GlobalFree(m_hDevNames);
        if (m_hDevMode != nullptr && m_hDevMode != devMode)
            ::GlobalFree(m_hDevMode);
    }
    m_hDevNames = devNames;
    m_hDevMode = devMode;
}

void CWinApp::UpdatePrinterSelection(BOOL forceDefaults)
{
    if (m_hDevNames != nullptr && !forceDefaults)
        return;
    CPrintDialog defaults(FALSE);
    if (defaults.GetDefaults())
        SelectPrinter(defaults.m_pd.hDevNames, defaults.m_pd.hDevMode);
}

BOOL CWinApp::GetPrinterDeviceDefaults(PRINTDLGA* pd)
{
    UpdatePrinterSelection(FALSE);
    if (m_hDevNames == nullptr)
        return FALSE;
    pd->hDevNames = m_hDevNames;
    pd->hDevMode = m_hDevMode;
    return TRUE;
}

INT_PTR CWinApp::DoPrintDialog(CPrintDialog* dlg)
{
    UpdatePrinterSelection(FALSE);
    dlg->m_pd.hDevMode = m_hDevMode;
    dlg->m_pd.hDevNames = m_hDevNames;
    const INT_PTR result = dlg->DoModal();
    // The dialog may have replaced either block (and freed the one it was lent): whatever it
    // hands back is the application's printer now.
    m_hDevMode = dlg->m_pd.hDevMode;
    m_hDevNames = dlg->m_pd.hDevNames;
    return result;
}

BOOL CWinApp::CreatePrinterDC(CDC& dc)
{
    UpdatePrinterSelection(FALSE);
    HDC printer = CPrintDialog::CreateDCFromHandles(m_hDevNames, m_hDevMode);
    if (printer == nullptr)
        return FALSE;
    dc.Attach(printer);
    dc.m_bPrinting = true;
    return TRUE;
}

void CWinApp::OnFilePrintSetup()
{
    CPrintDialog dlg(TRUE);
    DoPrintDialog(&dlg);
}
