// CWinApp's documents: the templates, matching a file to the template that reads it, the file
// dialog's filter from the templates, and the document commands New and Open.
#include "framework/app.h"

#include "framework/doc.h"
#include "framework/doctempl.h"
#include "framework/filedlg.h"
#include "framework/frame.h"
#include "framework/stdids.h"
#include "framework/view.h"

void CWinApp::AddDocTemplate(CDocTemplate* tmpl)
{
    if (tmpl != nullptr)
        m_templates.emplace_back(tmpl);
}

int CWinApp::GetOpenDocumentCount() const
{
    int count = 0;
    for (const auto& tmpl : m_templates)
        count += static_cast<int>(tmpl->GetDocuments().size());
    return count;
}

CDocument* CWinApp::OpenDocumentFile(const char* path)
{
    CDocTemplate* best = nullptr;
    CDocTemplate::Confidence bestMatch = CDocTemplate::noAttempt;
    CDocument* open = nullptr;
    for (const auto& tmpl : m_templates) {
        CDocument* match = nullptr;
        CDocTemplate::Confidence c = tmpl->MatchDocType(path, match);
        if (c > bestMatch) {
            bestMatch = c;
            best = tmpl.get();
            open = match;
        }
        if (c == CDocTemplate::yesAlreadyOpen)
            break;
    }
    if (bestMatch == CDocTemplate::yesAlreadyOpen && open != nullptr) {
        // Already open: show its window instead of reading it twice.
        for (CView* view : open->GetViews()) {
            if (view->m_hWnd == nullptr)
                continue;
            if (CFrameWnd* frame = view->GetParentFrame()) {
                frame->ActivateFrame();
                break;
            }
        }
        return open;
    }
    if (best == nullptr)
        return nullptr;
    return best->OpenDocumentFile(path);
}

BOOL CWinApp::DoPromptFileName(CString& fileName, UINT titleId, DWORD flags, BOOL openFileDialog,
                               CDocTemplate* tmpl)
{
    CString filter;
    CString defaultExt;
    for (const auto& t : m_templates) {
        if (tmpl != nullptr && t.get() != tmpl)
            continue;
        CString name, ext;
        if (t->GetDocString(name, CDocTemplate::filterName) && t->GetDocString(ext, CDocTemplate::filterExt) &&
            !name.IsEmpty() && !ext.IsEmpty()) {
            filter += name + "|*" + ext + "|";
            if (defaultExt.IsEmpty())
                defaultExt = ext;
        }
    }
    filter += "All Files (*.*)|*.*||";
    CString title;
    if (!title.LoadString(titleId))
        title = titleId == AFX_IDS_OPENFILE ? "Open" : titleId == AFX_IDS_SAVEFILECOPY ? "Save Copy As" : "Save As";
    CFileDialog dialog(openFileDialog, openFileDialog ? nullptr : defaultExt.GetString(), fileName, flags, filter,
                       m_pMainWnd);
    dialog.SetTitle(title);
    if (dialog.DoModal() != IDOK)
        return FALSE;
    fileName = dialog.GetPathName();
    return TRUE;
}

BOOL CWinApp::SaveAllModified()
{
    for (const auto& tmpl : m_templates)
        if (!tmpl->SaveAllModified())
            return FALSE;
    return TRUE;
}

void CWinApp::CloseAllDocuments(BOOL endSession)
{
    for (const auto& tmpl : m_templates)
        tmpl->CloseAllDocuments(endSession);
}

void CWinApp::OnFileNew()
{
    if (!m_templates.empty())
        m_templates.front()->OpenDocumentFile(nullptr);
}

void CWinApp::OnFileOpen()
{
    CString name;
    if (!DoPromptFileName(name, AFX_IDS_OPENFILE, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, TRUE, nullptr))
        return;
    OpenDocumentFile(name);
}
