#pragma once
// CFileDialog: the common open/save dialog. The filter is given as "Name|*.ext|Name2|*.b||" and
// turned into the NUL-separated list the dialog wants; the default extension is given without
// "*." (a leading "*." or "." is dropped).
#include "framework/cstring.h"
#include "framework/wnd.h"
#include <commdlg.h>
#include <vector>

class CFileDialog {
public:
    CFileDialog(BOOL openFileDialog, const char* defaultExt = nullptr, const char* fileName = nullptr,
                DWORD flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, const char* filter = nullptr,
                CWnd* parent = nullptr);
    virtual ~CFileDialog() = default;
    CFileDialog(const CFileDialog&) = delete;
    CFileDialog& operator=(const CFileDialog&) = delete;

    OPENFILENAMEA m_ofn;               // pointers refer into this object: set after construction

    virtual INT_PTR DoModal();         // IDOK or IDCANCEL
    CString GetPathName() const { return CString(m_fileName.data()); }
    CString GetFileName() const;
    CString GetFileExt() const;
    CString GetFileTitle() const;      // name without extension
    void SetTitle(const char* title);

    // "A|*.a|B|*.b||" -> "A\0*.a\0B\0*.b\0\0" (bytes with the NULs).
    static std::vector<char> MakeFilter(const char* filter);
    // "*.proj" / ".proj" / "proj" -> "proj".
    static CString MakeDefaultExt(const char* ext);

protected:
    BOOL m_bOpenFileDialog;
    std::vector<char> m_filter;
    std::vector<char> m_fileName;
    CString m_defaultExt;
    CString m_title;
};
