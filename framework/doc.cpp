#include "framework/doc.h"

#include "framework/app.h"
#include "framework/doctempl.h"
#include "framework/frame.h"
#include "framework/msgbox.h"
#include "framework/stdids.h"
#include "framework/view.h"

#include <algorithm>

namespace {
CString FileNameOf(const CString& path)
{
    int cut = std::max(path.ReverseFind('\\'), path.ReverseFind('/'));
    return path.Mid(cut + 1);
}

bool FileExists(const char* path)
{
    return ::GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}
} // namespace

BEGIN_MESSAGE_MAP(CDocument, CCmdTarget)
    ON_COMMAND(ID_FILE_CLOSE, OnFileClose)
    ON_COMMAND(ID_FILE_SAVE, OnFileSave)
    ON_COMMAND(ID_FILE_SAVE_AS, OnFileSaveAs)
END_MESSAGE_MAP()

CDocument::~CDocument()
{
    for (CView* view : m_views)
        view->m_pDocument = nullptr;
    m_views.clear();
    if (m_pDocTemplate != nullptr)
        m_pDocTemplate->RemoveDocument(this);
}

// ---- names

void CDocument::SetTitle(const char* title)
{
    m_strTitle = title;
    for (CView* view : m_views) {
        if (view->m_hWnd == nullptr)
            continue;
        if (CFrameWnd* frame = view->GetParentFrame())
            frame->OnUpdateFrameTitle(TRUE);
    }
}

void CDocument::SetPathName(const char* path, BOOL addToRecent)
{
    char full[MAX_PATH * 2];
    DWORD n = ::GetFullPathNameA(path, sizeof full, full, nullptr);
    m_strPathName = (n > 0 && n < sizeof full) ? CString(full) : CString(path);
    SetTitle(FileNameOf(m_strPathName));
    if (addToRecent && AfxGetApp() != nullptr)
        AfxGetApp()->AddToRecentFileList(m_strPathName);
}

// ---- views

void CDocument::AddView(CView* view)
{
    if (view == nullptr || std::find(m_views.begin(), m_views.end(), view) != m_views.end())
        return;
    if (view->m_pDocument != nullptr && view->m_pDocument != this)
        view->m_pDocument->RemoveView(view);
    m_views.push_back(view);
    view->m_pDocument = this;
    OnChangedViewList();
}

void CDocument::RemoveView(CView* view)
{
    auto it = std::find(m_views.begin(), m_views.end(), view);
    if (it == m_views.end())
        return;
    m_views.erase(it);
    view->m_pDocument = nullptr;
    OnChangedViewList();
}

void CDocument::OnChangedViewList()
{
    if (m_views.empty() && m_bAutoDelete)
        OnCloseDocument();
}

void CDocument::UpdateAllViews(CView* sender, LPARAM hint, CObject* hintObject)
{
    // A view may leave while being updated: walk a copy.
    std::vector<CView*> views = m_views;
    for (CView* view : views) {
        if (view != sender && std::find(m_views.begin(), m_views.end(), view) != m_views.end())
            view->OnUpdate(sender, hint, hintObject);
    }
}

// ---- life

BOOL CDocument::OnNewDocument()
{
    DeleteContents();
    m_strPathName.Empty();
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnOpenDocument(const char* path)
{
    CFile file;
    if (!file.Open(path, CFile::modeRead | CFile::shareDenyWrite))
        return FALSE;
    file.Close();
    DeleteContents();
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnSaveDocument(const char*)
{
    return FALSE;
}

void CDocument::OnCloseDocument()
{
    // Destroying the frames makes the views leave; the document must outlive that.
    BOOL autoDelete = m_bAutoDelete;
    m_bAutoDelete = FALSE;
    CWnd* mainWnd = AfxGetMainWnd();
    while (!m_views.empty()) {
        CView* view = m_views.front();
        CFrameWnd* frame = view->m_hWnd ? view->GetParentFrame() : nullptr;
        if (frame != nullptr && frame != mainWnd)
            frame->DestroyWindow();
        if (!m_views.empty() && m_views.front() == view)
            RemoveView(view);
    }
    m_bAutoDelete = autoDelete;
    DeleteContents();
    if (m_pDocTemplate != nullptr) {
        m_pDocTemplate->RemoveDocument(this);
        m_pDocTemplate = nullptr;
    }
    if (m_bAutoDelete)
        delete this;
}

BOOL CDocument::SaveModified()
{
    if (!IsModified())
        return TRUE;
    CString name = m_strPathName.IsEmpty() ? m_strTitle : FileNameOf(m_strPathName);
    if (name.IsEmpty())
        name = "Untitled";
    CString prompt;
    prompt.Format("Save changes to %s?", name.GetString());
    switch (AfxMessageBox(prompt, MB_YESNOCANCEL | MB_ICONEXCLAMATION)) {
    case IDYES:
        return DoFileSave();
    case IDNO:
        return TRUE;
    default:
        return FALSE;
    }
}

BOOL CDocument::CanCloseFrame(CFrameWnd* frame)
{
    for (CView* view : m_views) {
        if (view->m_hWnd == nullptr)
            continue;
        CFrameWnd* other = view->GetParentFrame();
        if (other != nullptr && other != frame)
            return TRUE;   // another window still shows the document
    }
    return SaveModified();
}

BOOL CDocument::DoFileSave()
{
    DWORD attributes = m_strPathName.IsEmpty() ? INVALID_FILE_ATTRIBUTES : ::GetFileAttributesA(m_strPathName);
    if (m_strPathName.IsEmpty() ||
        (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)))
        return DoSave(nullptr);
    return DoSave(m_strPathName);
}

BOOL CDocument::DoSave(const char* path, BOOL replace)
{
    CString newName(path);
    bool asked = newName.IsEmpty();
    if (asked) {
        newName = m_strPathName;
        if (replace && newName.IsEmpty()) {
            newName = m_strTitle;
            int cut = newName.FindOneOf(" #%;/\\");
            if (cut >= 0)
                newName = newName.Left(cut);
            CString ext;
            if (m_pDocTemplate != nullptr && m_pDocTemplate->GetDocString(ext, CDocTemplate::filterExt) &&
                !ext.IsEmpty()) {
                int semicolon = ext.Find(';');
                if (semicolon >= 0)
                    ext = ext.Left(semicolon);
                newName += ext;
            }
        }
        // The dialog asks before it lets a name replace a file that exists.
        if (!DoPromptFileName(newName, replace ? AFX_IDS_SAVEFILE : AFX_IDS_SAVEFILECOPY,
                              OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_OVERWRITEPROMPT, m_pDocTemplate))
            return FALSE;
    }
    bool existed = FileExists(newName);
    HCURSOR previous = ::SetCursor(::LoadCursorA(nullptr, IDC_WAIT));
    BOOL saved = OnSaveDocument(newName);
    ::SetCursor(previous);
    if (!saved) {
        // Remove only what this save left behind: a file the user already had stays.
        if (asked && !existed && FileExists(newName))
            ::DeleteFileA(newName);
        return FALSE;
    }
    if (replace && SavesWholeDocument(newName))
        SetPathName(newName);
    return TRUE;
}

BOOL CDocument::DoPromptFileName(CString& fileName, UINT titleId, DWORD flags, CDocTemplate* tmpl)
{
    CWinApp* app = AfxGetApp();
    return app != nullptr && app->DoPromptFileName(fileName, titleId, flags, FALSE, tmpl);
}

void CDocument::OnFileClose()
{
    if (!SaveModified())
        return;
    OnCloseDocument();
}

