#pragma once
// CFileDialog: the common open/save dialog as a CDialog. The object is bound to the window its hook
// receives (the whole dialog in the old style; in the explorer style the child dialog of the
// caller's template, whose parent is the real dialog), so a subclass has OnInitDialog, a message
// map and DDX_Control for the controls of its own template (OFN_ENABLETEMPLATE). The plain
// explorer-style dialog goes without the hook (a hook changes its look on newer systems) unless a
// dialog driver is set. The filter is
// given as "Name|*.ext|Name2|*.b||" and turned into the NUL-separated list the dialog wants; the
// default extension is given without "*." (a leading "*." or "." is dropped).
#include "framework/cstring.h"
#include "framework/dialog.h"
#include "framework/object.h"
#include <commdlg.h>
#include <functional>
#include <initializer_list>
#include <vector>

class CFileDialog : public CDialog {
public:
    // explorer: the explorer-style dialog (resizable); FALSE gives the old style.
    CFileDialog(BOOL openFileDialog, const char* defaultExt = nullptr, const char* fileName = nullptr,
                DWORD flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, const char* filter = nullptr,
                CWnd* parent = nullptr, BOOL explorer = TRUE);
    ~CFileDialog() override = default;

    OPENFILENAMEA m_ofn;               // pointers refer into this object: set after construction

    INT_PTR DoModal() override;        // IDOK or IDCANCEL
    BOOL OnInitDialog() override;      // nothing to exchange by default; TRUE

    // The chosen path; with several chosen, the first of them.
    CString GetPathName() const;
    CString GetFileName() const;
    CString GetFileExt() const;
    CString GetFileTitle() const;      // name without extension
    void SetTitle(const char* title);
    BOOL IsOpenDialog() const { return m_bOpenFileDialog; }
    BOOL IsExplorer() const { return m_bExplorer; }
    // The system's dialog window (the parent of the bound child in the explorer style).
    HWND GetFileDialogWindow() const;

    // The chosen files one by one (OFN_ALLOWMULTISELECT): a folder followed by names, or one full
    // path; explorer style separates them by NULs, the old style by blanks.
    POSITION GetStartPosition() const;
    CString GetNextPathName(POSITION& pos) const;

    // "A|*.a|B|*.b||" -> "A\0*.a\0B\0*.b\0\0" (bytes with the NULs).
    static std::vector<char> MakeFilter(const char* filter);
    // "*.proj" / ".proj" / "proj" -> "proj".
    static CString MakeDefaultExt(const char* ext);
    // Filter strings that each end with "||" joined into one ("A|*.a||" + "B|*.b||" ->
    // "A|*.a|B|*.b||"); empty parts are left out.
    static CString JoinFilters(std::initializer_list<CString> parts);
    static CString JoinFilters(const std::vector<CString>& parts);

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    DECLARE_MESSAGE_MAP()

protected:
    BOOL m_bOpenFileDialog;
    BOOL m_bExplorer;
    std::vector<char> m_filter;
    std::vector<char> m_fileName;
    CString m_defaultExt;
    CString m_title;

private:
    friend UINT_PTR CALLBACK AfxFileDialogHookProc(HWND, UINT, WPARAM, LPARAM);
    bool SeparatedByNul() const;
};

// The hook procedure of every CFileDialog: binds the object at WM_INITDIALOG.
UINT_PTR CALLBACK AfxFileDialogHookProc(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam);

// ---- the file-dialog hook: a test seam (testsupport/filedialogrecorder.h)
// What a file dialog was asked to show.
struct FileDialogRequest {
    BOOL open;                         // TRUE open, FALSE save
    DWORD flags;                       // as passed to the system (with the hook and style flags)
    CString filter;                    // the filter with '|' in place of the NULs
    CString defaultExt;
    CString initialDir;
    CString title;
    CString fileName;                  // the name the dialog starts with
    HWND owner;
};
// A hook answers in place of the dialog: IDOK after writing the chosen files into the dialog (see
// CFileDialog::SetResult), or IDCANCEL. Setting returns the previous hook; empty shows the dialog.
using FileDialogHook = std::function<INT_PTR(const FileDialogRequest& request, CFileDialog& dialog)>;
FileDialogHook SetFileDialogHook(FileDialogHook hook);
// Writes an answer into the dialog's file buffer as the system would: one path, or (several
// paths) the folder and the names, NUL-separated in the explorer style, blank-separated in the old.
// FALSE when it does not fit (the dialog then answers FNERR_BUFFERTOOSMALL in the real case).
BOOL AfxSetFileDialogResult(CFileDialog& dialog, const std::vector<CString>& paths);
