#include "framework/doctempl.h"

#include "framework/app.h"
#include "framework/doc.h"
#include "framework/frame.h"

#include <algorithm>

CDocTemplate::CDocTemplate(UINT resourceId, DocumentFactory document, FrameFactory frame, ViewFactory view)
    : m_nIDResource(resourceId), m_documentFactory(std::move(document)), m_frameFactory(std::move(frame)),
      m_viewFactory(std::move(view))
{
}

CDocTemplate::~CDocTemplate()
{
    for (CDocument* doc : m_docs)
        doc->m_pDocTemplate = nullptr;
}

BOOL CDocTemplate::GetDocStringFrom(const char* text, CString& out, DocStringIndex index)
{
    out.Empty();
    CString all(text);
    int start = 0;
    for (int field = 0; field < static_cast<int>(index); ++field) {
        int next = all.Find('\n', start);
        if (next < 0)
            return FALSE;
        start = next + 1;
    }
    int end = all.Find('\n', start);
    out = end < 0 ? all.Mid(start) : all.Mid(start, end - start);
    return TRUE;
}

BOOL CDocTemplate::GetDocString(CString& out, DocStringIndex index) const
{
    if (!m_bLoaded) {
        m_strDocStrings.LoadString(m_nIDResource);
        m_bLoaded = true;
    }
    if (m_strDocStrings.IsEmpty()) {
        out.Empty();
        return FALSE;
    }
    return GetDocStringFrom(m_strDocStrings, out, index);
}

void CDocTemplate::AddDocument(CDocument* doc)
{
    if (doc == nullptr || std::find(m_docs.begin(), m_docs.end(), doc) != m_docs.end())
        return;
    m_docs.push_back(doc);
    doc->m_pDocTemplate = this;
}

void CDocTemplate::RemoveDocument(CDocument* doc)
{
    auto it = std::find(m_docs.begin(), m_docs.end(), doc);
    if (it != m_docs.end())
        m_docs.erase(it);
}

CDocTemplate::Confidence CDocTemplate::MatchDocType(const char* path, CDocument*& match) const
{
    match = nullptr;
    char full[MAX_PATH * 2];
    DWORD n = ::GetFullPathNameA(path, sizeof full, full, nullptr);
    CString fullPath = (n > 0 && n < sizeof full) ? CString(full) : CString(path);
    for (CDocument* doc : m_docs) {
        if (!doc->GetPathName().IsEmpty() && doc->GetPathName().CompareNoCase(fullPath) == 0) {
            match = doc;
            return yesAlreadyOpen;
        }
    }
    CString exts;
    if (GetDocString(exts, filterExt) && !exts.IsEmpty()) {
        CString name(path);
        int dot = name.ReverseFind('.');
        CString ext = dot >= 0 ? name.Mid(dot) : CString();
        int start = 0;
        while (start <= exts.GetLength()) {
            int end = exts.Find(';', start);
            CString one = end < 0 ? exts.Mid(start) : exts.Mid(start, end - start);
            if (!one.IsEmpty() && one.CompareNoCase(ext) == 0)
                return yesAttemptNative;
            if (end < 0)
                break;
            start = end + 1;
        }
    }
    return yesAttemptForeign;
}

CDocument* CDocTemplate::CreateNewDocument()
{
    if (!m_documentFactory)
        return nullptr;
    CDocument* doc = m_documentFactory();
    AddDocument(doc);
    return doc;
}

CFrameWnd* CDocTemplate::CreateNewFrame(CDocument* doc, CFrameWnd* other)
{
    if (!m_frameFactory)
        return nullptr;
    CCreateContext context;
    context.m_pCurrentFrame = other;
    context.m_pCurrentDoc = doc;
    context.m_pNewViewClass = m_viewFactory;
    context.m_pNewDocTemplate = this;
    CFrameWnd* frame = m_frameFactory();
    if (frame == nullptr)
        return nullptr;
    frame->m_pDocTemplate = this;
    CWnd* parent = m_pFrameParent ? m_pFrameParent : AfxGetMainWnd();
    // A frame whose window was created and then failed has deleted itself already.
    if (!frame->LoadFrame(m_nIDResource, WS_CHILD | WS_CLIPCHILDREN | FWS_ADDTOTITLE, parent, &context))
        return nullptr;
    return frame;
}

void CDocTemplate::InitialUpdateFrame(CFrameWnd* frame, CDocument* doc, BOOL makeVisible)
{
    if (frame != nullptr)
        frame->InitialUpdateFrame(doc, makeVisible);
}

void CDocTemplate::SetDefaultTitle(CDocument* doc)
{
    CString name;
    CString title;
    if (GetDocString(name, docName) && !name.IsEmpty())
        title.Format("%s%u", name.GetString(), m_nUntitledCount + 1);
    else
        title = "Untitled";
    doc->SetTitle(title);
}

BOOL CDocTemplate::SaveAllModified()
{
    std::vector<CDocument*> docs = m_docs;
    for (CDocument* doc : docs)
        if (!doc->SaveModified())
            return FALSE;
    return TRUE;
}

void CDocTemplate::CloseAllDocuments(BOOL)
{
    std::vector<CDocument*> docs = m_docs;
    for (CDocument* doc : docs)
        doc->OnCloseDocument();
}

CDocument* CMultiDocTemplate::OpenDocumentFile(const char* path, BOOL makeVisible)
{
    CDocument* doc = CreateNewDocument();
    if (doc == nullptr)
        return nullptr;
    BOOL autoDelete = doc->m_bAutoDelete;
    doc->m_bAutoDelete = FALSE;   // a failing frame must not take the document with it
    CFrameWnd* frame = nullptr;
    auto fail = [&]() -> CDocument* {
        doc->m_bAutoDelete = FALSE;
        if (frame != nullptr && frame->m_hWnd != nullptr)
            frame->DestroyWindow();
        RemoveDocument(doc);
        delete doc;
        return nullptr;
    };
    if (m_frameFactory) {
        frame = CreateNewFrame(doc, nullptr);
        if (frame == nullptr)
            return fail();
    }
    doc->m_bAutoDelete = autoDelete;
    if (path == nullptr) {
        SetDefaultTitle(doc);
        if (!makeVisible)
            doc->m_bEmbedded = TRUE;
        if (!doc->OnNewDocument())
            return fail();
        ++m_nUntitledCount;
    } else {
        HCURSOR previous = ::SetCursor(::LoadCursorA(nullptr, IDC_WAIT));
        BOOL opened = doc->OnOpenDocument(path);
        ::SetCursor(previous);
        if (!opened)
            return fail();
        doc->SetPathName(path);
    }
    InitialUpdateFrame(frame, doc, makeVisible);
    return doc;
}
