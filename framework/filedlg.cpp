#include "framework/filedlg.h"

#include "framework/guard.h"

#include <cstring>

std::vector<char> CFileDialog::MakeFilter(const char* filter)
{
    std::vector<char> out;
    if (filter == nullptr || *filter == '\0')
        return out;
    for (const char* p = filter; *p; ++p)
        out.push_back(*p == '|' ? '\0' : *p);
    // The list ends with two NULs whatever the caller wrote at its end.
    while (out.size() < 2 || out[out.size() - 1] != '\0' || out[out.size() - 2] != '\0')
        out.push_back('\0');
    return out;
}

CString CFileDialog::MakeDefaultExt(const char* ext)
{
    CString e(ext);
    if (e.Left(2) == "*.")
        e = e.Mid(2);
    else if (e.Left(1) == ".")
        e = e.Mid(1);
    return e;
}

CFileDialog::CFileDialog(BOOL openFileDialog, const char* defaultExt, const char* fileName, DWORD flags,
                         const char* filter, CWnd* parent)
    : m_bOpenFileDialog(openFileDialog), m_filter(MakeFilter(filter)), m_fileName(MAX_PATH * 2, '\0'),
      m_defaultExt(MakeDefaultExt(defaultExt))
{
    if (fileName != nullptr)
        std::strncpy(m_fileName.data(), fileName, m_fileName.size() - 1);
    m_ofn = {};
    m_ofn.lStructSize = sizeof m_ofn;
    m_ofn.hwndOwner = parent ? parent->m_hWnd : nullptr;
    m_ofn.lpstrFilter = m_filter.empty() ? nullptr : m_filter.data();
    m_ofn.nFilterIndex = 1;
    m_ofn.lpstrFile = m_fileName.data();
    m_ofn.nMaxFile = static_cast<DWORD>(m_fileName.size());
    m_ofn.lpstrDefExt = m_defaultExt.IsEmpty() ? nullptr : m_defaultExt.GetString();
    m_ofn.Flags = flags | OFN_EXPLORER | OFN_ENABLESIZING;
}

void CFileDialog::SetTitle(const char* title)
{
    m_title = title;
    m_ofn.lpstrTitle = m_title.IsEmpty() ? nullptr : m_title.GetString();
}

INT_PTR CFileDialog::DoModal()
{
    if (m_ofn.hwndOwner == nullptr)
        m_ofn.hwndOwner = ::GetActiveWindow();
    BOOL ok = m_bOpenFileDialog ? ::GetOpenFileNameA(&m_ofn) : ::GetSaveFileNameA(&m_ofn);
    return ok ? IDOK : IDCANCEL;
}

CString CFileDialog::GetFileName() const
{
    CString path = GetPathName();
    return path.Mid(path.ReverseFind('\\') + 1);
}

CString CFileDialog::GetFileExt() const
{
    CString name = GetFileName();
    int dot = name.ReverseFind('.');
    return dot < 0 ? CString() : name.Mid(dot + 1);
}

CString CFileDialog::GetFileTitle() const
{
    CString name = GetFileName();
    int dot = name.ReverseFind('.');
    return dot < 0 ? name : name.Left(dot);
}
