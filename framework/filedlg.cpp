#include "framework/filedlg.h"

#include "framework/guard.h"

#include <cstring>
#include <typeinfo>
#include <utility>

namespace {

FileDialogHook& Hook()
{
    static FileDialogHook hook;
    return hook;
}

// Posted to the bound window from the hook's WM_INITDIALOG: the dialog driver runs once the system
// has finished building and showing the dialog.
UINT ReadyMessage()
{
    static const UINT message = ::RegisterWindowMessageA("KorveltaFileDialogReady");
    return message;
}

CString FilterText(const char* filter)
{
    CString text;
    if (filter == nullptr)
        return text;
    // Up to the double NUL.
    for (const char* p = filter; *p || p[1]; ++p)
        text += *p ? *p : '|';
    if (!text.IsEmpty())
        text += "||";
    return text;
}

CString FolderOf(const CString& path)
{
    const int slash = path.ReverseFind('\\');
    return slash < 0 ? CString() : path.Left(slash);
}

} // namespace

FileDialogHook SetFileDialogHook(FileDialogHook hook)
{
    std::swap(Hook(), hook);
    return hook;
}

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

CString CFileDialog::JoinFilters(const std::vector<CString>& parts)
{
    CString joined;
    for (const CString& part : parts) {
        CString trimmed = part;
        trimmed.TrimRight("|");
        if (!trimmed.IsEmpty())
            joined += trimmed + "|";
    }
    return joined.IsEmpty() ? joined : joined + "|";
}

CString CFileDialog::JoinFilters(std::initializer_list<CString> parts)
{
    return JoinFilters(std::vector<CString>(parts));
}

BEGIN_MESSAGE_MAP(CFileDialog, CWnd)   // not CDialog's: OK and Cancel belong to the system's dialog
END_MESSAGE_MAP()

CFileDialog::CFileDialog(BOOL openFileDialog, const char* defaultExt, const char* fileName, DWORD flags,
                         const char* filter, CWnd* parent, BOOL explorer)
    : m_bOpenFileDialog(openFileDialog), m_bExplorer(explorer), m_filter(MakeFilter(filter)),
      m_fileName(MAX_PATH * 2, '\0'), m_defaultExt(MakeDefaultExt(defaultExt))
{
    m_pParentWnd = parent;
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
    m_ofn.Flags = flags;
    if (explorer)
        m_ofn.Flags |= OFN_EXPLORER | OFN_ENABLESIZING;
    else
        m_ofn.Flags &= ~static_cast<DWORD>(OFN_EXPLORER | OFN_ENABLESIZING);
}

void CFileDialog::SetTitle(const char* title)
{
    m_title = title;
    m_ofn.lpstrTitle = m_title.IsEmpty() ? nullptr : m_title.GetString();
}

INT_PTR CFileDialog::DoModal()
{
    if (m_ofn.hwndOwner == nullptr)
        m_ofn.hwndOwner = ModalOwnerFor(m_pParentWnd);
    // The style asked for at construction holds even when the caller rewrote the flags since.
    if (m_bExplorer)
        m_ofn.Flags |= OFN_EXPLORER;
    else
        m_ofn.Flags &= ~static_cast<DWORD>(OFN_EXPLORER | OFN_ENABLESIZING);
    // A hook turns the explorer-style dialog of newer systems into the older explorer look, so
    // the plain dialog of today's callers goes without one. It is there for the old style, for a
    // template of the caller's, for a subclass (its OnInitDialog and message map) and for tests
    // that drive the dialog.
    const bool ownTemplate = (m_ofn.Flags & (OFN_ENABLETEMPLATE | OFN_ENABLETEMPLATEHANDLE)) != 0;
    if (!m_bExplorer || ownTemplate || typeid(*this) != typeid(CFileDialog) || AfxHasDialogDriver()) {
        m_ofn.Flags |= OFN_ENABLEHOOK;
        m_ofn.lpfnHook = AfxFileDialogHookProc;
        m_ofn.lCustData = reinterpret_cast<LPARAM>(this);
    } else {
        m_ofn.Flags &= ~static_cast<DWORD>(OFN_ENABLEHOOK);
        m_ofn.lpfnHook = nullptr;
    }

    if (Hook()) {
        FileDialogRequest request;
        request.open = m_bOpenFileDialog;
        request.flags = m_ofn.Flags;
        request.filter = FilterText(m_ofn.lpstrFilter);
        request.defaultExt = m_ofn.lpstrDefExt;
        request.initialDir = m_ofn.lpstrInitialDir;
        request.title = m_ofn.lpstrTitle;
        request.fileName = m_ofn.lpstrFile;
        request.owner = m_ofn.hwndOwner;
        FileDialogHook hook = Hook();
        return hook(request, *this) == IDOK ? IDOK : IDCANCEL;
    }

    BOOL ok = m_bOpenFileDialog ? ::GetOpenFileNameA(&m_ofn) : ::GetSaveFileNameA(&m_ofn);
    // The system destroyed the window; a binding left over (a failed creation) goes too.
    if (m_hWnd != nullptr && !::IsWindow(m_hWnd))
        UnsubclassWindow();
    return ok ? IDOK : IDCANCEL;
}

BOOL CFileDialog::OnInitDialog()
{
    return TRUE;
}

UINT_PTR CALLBACK AfxFileDialogHookProc(HWND wnd, UINT message, WPARAM, LPARAM lParam)
{
    if (message != WM_INITDIALOG)
        return 0;
    const auto* ofn = reinterpret_cast<const OPENFILENAMEA*>(lParam);
    auto* dialog = ofn ? reinterpret_cast<CFileDialog*>(ofn->lCustData) : nullptr;
    if (dialog == nullptr || CWnd::FromHandlePermanent(wnd) != nullptr)
        return TRUE;
    dialog->SubclassWindow(wnd);
    ::PostMessageA(wnd, ReadyMessage(), 0, 0);
    return GuardedCall([&] { return static_cast<UINT_PTR>(dialog->OnInitDialog()); }, UINT_PTR(TRUE));
}

LRESULT CFileDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == ReadyMessage()) {
        AfxRunDialogDriver(this);
        return 0;
    }
    return CDialog::WindowProc(message, wParam, lParam);
}

HWND CFileDialog::GetFileDialogWindow() const
{
    if (m_hWnd == nullptr)
        return nullptr;
    return (m_ofn.Flags & OFN_EXPLORER) ? ::GetParent(m_hWnd) : m_hWnd;
}

bool CFileDialog::SeparatedByNul() const
{
    return (m_ofn.Flags & OFN_EXPLORER) != 0 || (m_ofn.Flags & OFN_ALLOWMULTISELECT) == 0;
}

// A position is the offset of the next name in the buffer plus one; the first is the folder or
// the single path.
POSITION CFileDialog::GetStartPosition() const
{
    if (m_ofn.lpstrFile == nullptr || m_ofn.lpstrFile[0] == '\0')
        return nullptr;
    return reinterpret_cast<POSITION>(static_cast<UINT_PTR>(1));
}

CString CFileDialog::GetNextPathName(POSITION& pos) const
{
    const char* buffer = m_ofn.lpstrFile;
    const size_t size = m_ofn.nMaxFile;
    const size_t at = reinterpret_cast<UINT_PTR>(pos);
    pos = nullptr;
    if (buffer == nullptr || at == 0 || at > size)
        return CString();

    if (SeparatedByNul()) {
        // The first text: a single path, or the folder of the names after it.
        size_t firstLength = strnlen(buffer, size);
        CString first(buffer, static_cast<int>(firstLength));
        // One file: its full path. Without multiple selection whatever follows the NUL is left
        // over from a longer name the buffer held before.
        if ((m_ofn.Flags & OFN_ALLOWMULTISELECT) == 0 || firstLength + 1 >= size || buffer[firstLength + 1] == '\0')
            return first;
        CString folder = first;
        if (!folder.IsEmpty() && folder[folder.GetLength() - 1] != '\\')
            folder += '\\';
        size_t name = (at == 1) ? firstLength + 1 : at - 1;
        size_t length = strnlen(buffer + name, size - name);
        CString path = folder + CString(buffer + name, static_cast<int>(length));
        size_t next = name + length + 1;
        if (next < size && buffer[next] != '\0')
            pos = reinterpret_cast<POSITION>(static_cast<UINT_PTR>(next + 1));
        return path;
    }

    // The old style: "folder name1 name2" (short names, no blanks in them).
    const size_t total = strnlen(buffer, size);
    const char* space = static_cast<const char*>(std::memchr(buffer, ' ', total));
    if (space == nullptr)
        return CString(buffer, static_cast<int>(total));
    CString folder(buffer, static_cast<int>(space - buffer));
    if (!folder.IsEmpty() && folder[folder.GetLength() - 1] != '\\')
        folder += '\\';
    size_t name = (at == 1) ? static_cast<size_t>(space - buffer) + 1 : at - 1;
    while (name < total && buffer[name] == ' ')
        ++name;
    size_t end = name;
    while (end < total && buffer[end] != ' ')
        ++end;
    CString path = folder + CString(buffer + name, static_cast<int>(end - name));
    size_t next = end;
    while (next < total && buffer[next] == ' ')
        ++next;
    if (next < total)
        pos = reinterpret_cast<POSITION>(static_cast<UINT_PTR>(next + 1));
    return path;
}

CString CFileDialog::GetPathName() const
{
    POSITION pos = GetStartPosition();
    return pos ? GetNextPathName(pos) : CString();
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

BOOL AfxSetFileDialogResult(CFileDialog& dialog, const std::vector<CString>& paths)
{
    OPENFILENAMEA& ofn = dialog.m_ofn;
    if (ofn.lpstrFile == nullptr || ofn.nMaxFile < 2 || paths.empty())
        return FALSE;
    std::vector<char> out;
    const bool nul = (ofn.Flags & OFN_EXPLORER) != 0;
    if (paths.size() == 1) {
        out.assign(paths[0].GetString(), paths[0].GetString() + paths[0].GetLength());
        out.push_back('\0');
        out.push_back('\0');
        const CString name = paths[0].Mid(paths[0].ReverseFind('\\') + 1);
        ofn.nFileOffset = static_cast<WORD>(paths[0].GetLength() - name.GetLength());
        const int dot = name.ReverseFind('.');
        ofn.nFileExtension = static_cast<WORD>(dot < 0 ? 0 : ofn.nFileOffset + dot + 1);
    } else {
        const CString folder = FolderOf(paths[0]);
        out.assign(folder.GetString(), folder.GetString() + folder.GetLength());
        for (const CString& path : paths) {
            if (FolderOf(path).CompareNoCase(folder) != 0)
                return FALSE;                        // the system only answers names of one folder
            const CString name = path.Mid(path.ReverseFind('\\') + 1);
            out.push_back(nul ? '\0' : ' ');
            out.insert(out.end(), name.GetString(), name.GetString() + name.GetLength());
        }
        out.push_back('\0');
        out.push_back('\0');
        ofn.nFileOffset = static_cast<WORD>(folder.GetLength() + 1);
        ofn.nFileExtension = 0;
    }
    if (out.size() > ofn.nMaxFile)
        return FALSE;
    std::memcpy(ofn.lpstrFile, out.data(), out.size());
    return TRUE;
}
