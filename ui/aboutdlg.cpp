#include "ui/aboutdlg.h"

#include "ui/resourceids.h"

#include <vector>

CAboutDlg::CAboutDlg(bool splash) : CDialog(IDD_ABOUTBOX), m_bSplash(splash ? 1 : 0) {}

void CAboutDlg::DoDataExchange(CDataExchange* dx)
{
    DDX_Control(dx, IDC_ABOUT_LINK, m_link);
}

BOOL CAboutDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_link.SetURL(WebAddress());
    char module[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, module, MAX_PATH);
    CString version = GetVersionLine(module);
    if (!version.IsEmpty())
        SetDlgItemText(IDC_ABOUT_VERSION, version);
    return TRUE;
}

CString CAboutDlg::GetVersionLine(const char* modulePath)
{
    DWORD handle = 0;
    DWORD size = ::GetFileVersionInfoSizeA(modulePath, &handle);
    if (size == 0)
        return CString();
    std::vector<BYTE> block(size);
    if (!::GetFileVersionInfoA(modulePath, 0, size, block.data()))
        return CString();
    VS_FIXEDFILEINFO* info = nullptr;
    UINT length = 0;
    if (!::VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&info), &length) || info == nullptr ||
        length < sizeof(VS_FIXEDFILEINFO))
        return CString();
    CString line;
    line.Format("Version %d.%d.%d.%d", HIWORD(info->dwFileVersionMS), LOWORD(info->dwFileVersionMS),
                HIWORD(info->dwFileVersionLS), LOWORD(info->dwFileVersionLS));
    return line;
}

void CAboutDlg::CenterOver(CWnd* over)
{
    if (over == nullptr || over->m_hWnd == nullptr || m_hWnd == nullptr)
        return;
    CRect main, self;
    over->GetWindowRect(&main);
    GetWindowRect(&self);
    int left = main.left + (main.Width() - self.Width()) / 2;
    int top = main.top + (main.Height() - self.Height()) / 2;
    SetWindowPos(nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
