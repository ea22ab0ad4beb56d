#include "framework/printdlg.h"

#include "framework/app.h"

#include <cstring>
#include <utility>

namespace {
PrintDialogHook& Hook()
{
    static PrintDialogHook hook;
    return hook;
}
} // namespace

PrintDialogHook SetPrintDialogHook(PrintDialogHook hook)
{
    std::swap(Hook(), hook);
    return hook;
}

CPrintDialog::CPrintDialog(BOOL printSetupOnly, DWORD flags, CWnd* parent)
{
    std::memset(&m_pd, 0, sizeof m_pd);
    m_pd.lStructSize = sizeof m_pd;
    m_pd.Flags = flags;
    if (printSetupOnly)
        m_pd.Flags |= PD_PRINTSETUP;
    else
        m_pd.Flags |= PD_RETURNDC;
    m_pd.hwndOwner = parent ? parent->GetSafeHwnd() : nullptr;
    m_pd.nMinPage = 1;
    m_pd.nMaxPage = 0xFFFF;
    m_pd.nFromPage = 1;
    m_pd.nToPage = 0xFFFF;
    m_pd.nCopies = 1;
}

CPrintDialog::~CPrintDialog()
{
    if (m_pd.hDC != nullptr)
        ::DeleteDC(m_pd.hDC);
}

INT_PTR CPrintDialog::DoModal()
{
    if (m_pd.hwndOwner == nullptr) {
        if (CWnd* main = AfxGetMainWnd())
            m_pd.hwndOwner = main->GetSafeHwnd();
    }
    // A DC from an earlier run would leak when the dialog returns a new one.
    if (m_pd.hDC != nullptr) {
        ::DeleteDC(m_pd.hDC);
        m_pd.hDC = nullptr;
    }
    if (Hook()) {
        PrintDialogRequest request;
        request.setup = (m_pd.Flags & PD_PRINTSETUP) != 0;
        request.flags = m_pd.Flags;
        request.fromPage = m_pd.nFromPage;
        request.toPage = m_pd.nToPage;
        request.minPage = m_pd.nMinPage;
        request.maxPage = m_pd.nMaxPage;
        request.copies = m_pd.nCopies;
        request.device = GetDeviceName();
        request.customTemplate = (m_pd.Flags & (PD_ENABLEPRINTTEMPLATE | PD_ENABLESETUPTEMPLATE)) != 0;
        request.owner = m_pd.hwndOwner;
        PrintDialogHook hook = Hook();
        if (hook(request, *this) != IDOK)
            return IDCANCEL;
        if ((m_pd.Flags & PD_RETURNDC) && m_pd.hDC == nullptr)
            CreatePrinterDC();
        return IDOK;
    }
    return ::PrintDlgA(&m_pd) ? IDOK : IDCANCEL;
}

BOOL CPrintDialog::GetDefaults()
{
    if (m_pd.hDevMode != nullptr || m_pd.hDevNames != nullptr)
        return FALSE;
    PRINTDLGA pd;
    std::memset(&pd, 0, sizeof pd);
    pd.lStructSize = sizeof pd;
    pd.Flags = PD_RETURNDEFAULT;
    if (!::PrintDlgA(&pd))
        return FALSE;
    m_pd.hDevMode = pd.hDevMode;
    m_pd.hDevNames = pd.hDevNames;
    return m_pd.hDevNames != nullptr;
}

CString CPrintDialog::DevNamesText(HGLOBAL devNames, int which)
{
    if (devNames == nullptr || which < 0 || which > 2)
        return CString();
    const SIZE_T size = ::GlobalSize(devNames);
    const auto* names = static_cast<const DEVNAMES*>(::GlobalLock(devNames));
    if (names == nullptr)
        return CString();
    CString text;
    const WORD offsets[3] = {names->wDriverOffset, names->wDeviceOffset, names->wOutputOffset};
    const size_t offset = offsets[which];
    if (size >= sizeof(DEVNAMES) && offset >= sizeof(DEVNAMES) && offset < size) {
        const char* start = reinterpret_cast<const char*>(names) + offset;
        const void* end = std::memchr(start, '\0', size - offset);
        text = end ? CString(start) : CString(start, static_cast<int>(size - offset));
    }
    ::GlobalUnlock(devNames);
    return text;
}

HGLOBAL CPrintDialog::MakeDevNames(const char* driver, const char* device, const char* port)
{
    const char* texts[3] = {driver ? driver : "", device ? device : "", port ? port : ""};
    size_t size = sizeof(DEVNAMES);
    for (const char* t : texts)
        size += std::strlen(t) + 1;
    if (size > 0xFFFF)
        return nullptr;
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
    auto* names = block ? static_cast<DEVNAMES*>(::GlobalLock(block)) : nullptr;
    if (names == nullptr) {
        if (block)
            ::GlobalFree(block);
        return nullptr;
    }
    char* base = reinterpret_cast<char*>(names);
    size_t at = sizeof(DEVNAMES);
    WORD* offsets[3] = {&names->wDriverOffset, &names->wDeviceOffset, &names->wOutputOffset};
    for (int k = 0; k < 3; ++k) {
        *offsets[k] = static_cast<WORD>(at);
        std::strcpy(base + at, texts[k]);
        at += std::strlen(texts[k]) + 1;
    }
    names->wDefault = 0;
    ::GlobalUnlock(block);
    return block;
}

HDC CPrintDialog::CreateDCFromHandles(HGLOBAL devNames, HGLOBAL devMode)
{
    const CString driver = DevNamesText(devNames, 0);
    const CString device = DevNamesText(devNames, 1);
    const CString port = DevNamesText(devNames, 2);
    if (device.IsEmpty())
        return nullptr;
    const DEVMODEA* mode = devMode ? static_cast<const DEVMODEA*>(::GlobalLock(devMode)) : nullptr;
    HDC dc = ::CreateDCA(driver.IsEmpty() ? nullptr : driver.GetString(), device, port.IsEmpty() ? nullptr : port.GetString(), mode);
    if (mode)
        ::GlobalUnlock(devMode);
    return dc;
}

CString CPrintDialog::GetDeviceName() const { return DevNamesText(m_pd.hDevNames, 1); }
CString CPrintDialog::GetDriverName() const { return DevNamesText(m_pd.hDevNames, 0); }
CString CPrintDialog::GetPortName() const { return DevNamesText(m_pd.hDevNames, 2); }

HDC CPrintDialog::CreatePrinterDC()
{
    if (m_pd.hDC != nullptr)
        ::DeleteDC(m_pd.hDC);
    m_pd.hDC = CreateDCFromHandles(m_pd.hDevNames, m_pd.hDevMode);
    return m_pd.hDC;
}
