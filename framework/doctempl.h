#pragma once
// CDocTemplate: how one kind of document is made and shown. Built from a string resource of seven
// "\n"-separated fields (window title, document name, File-New name, filter name, filter
// extension, registry ProgID, registry type name) and factory functions for the document, its
// frame and its view. It keeps the list of its open documents (not owned: a document deletes
// itself when it closes). Without a frame factory documents are made without any window.
#include "framework/cstring.h"
#include "framework/object.h"
#include <functional>
#include <vector>

class CDocTemplate;
class CDocument;
class CFrameWnd;
class CView;
class CWnd;

using DocumentFactory = std::function<CDocument*()>;
using FrameFactory = std::function<CFrameWnd*()>;
using ViewFactory = std::function<CView*()>;

// Factory of a class: CreateNew<COstrelindSoftLabelDoc> converts to DocumentFactory, etc.
template <class T>
T* CreateNew()
{
    return new T;
}

// What a frame needs to create its view for a document.
struct CCreateContext {
    ViewFactory m_pNewViewClass;
    CDocument* m_pCurrentDoc = nullptr;
    CDocTemplate* m_pNewDocTemplate = nullptr;
    CView* m_pLastView = nullptr;
    CFrameWnd* m_pCurrentFrame = nullptr;
};

class CDocTemplate : public CObject {
public:
    enum DocStringIndex { windowTitle, docName, fileNewName, filterName, filterExt, regFileTypeId, regFileTypeName };
    enum Confidence { noAttempt, maybeAttemptForeign, maybeAttemptNative, yesAttemptForeign, yesAttemptNative, yesAlreadyOpen };

    CDocTemplate(UINT resourceId, DocumentFactory document, FrameFactory frame, ViewFactory view);
    ~CDocTemplate() override;

    UINT m_nIDResource;
    // Loads the string (once) and gives field `index`; FALSE when it is missing.
    BOOL GetDocString(CString& out, DocStringIndex index) const;
    // Same from a given text (tests, templates without a resource).
    static BOOL GetDocStringFrom(const char* text, CString& out, DocStringIndex index);
    void SetDocStrings(const char* text) { m_strDocStrings = text; m_bLoaded = true; }

    // Documents of this template
    void AddDocument(CDocument* doc);
    void RemoveDocument(CDocument* doc);
    const std::vector<CDocument*>& GetDocuments() const { return m_docs; }

    // Matches path against the filter extension and the open documents.
    virtual Confidence MatchDocType(const char* path, CDocument*& match) const;
    CDocument* CreateNewDocument();
    CFrameWnd* CreateNewFrame(CDocument* doc, CFrameWnd* other);
    void InitialUpdateFrame(CFrameWnd* frame, CDocument* doc, BOOL makeVisible = TRUE);
    // New (path null) or open: makes the document (and frame), reads it, shows it. Null on failure.
    virtual CDocument* OpenDocumentFile(const char* path, BOOL makeVisible = TRUE) = 0;
    // "Project1", "Project2", ... from the document name.
    virtual void SetDefaultTitle(CDocument* doc);
    BOOL SaveAllModified();
    void CloseAllDocuments(BOOL endSession);

    // The parent window of new frames (the main frame); null uses AfxGetMainWnd().
    CWnd* m_pFrameParent = nullptr;

protected:
    DocumentFactory m_documentFactory;
    FrameFactory m_frameFactory;
    ViewFactory m_viewFactory;
    std::vector<CDocument*> m_docs;
    mutable CString m_strDocStrings;
    mutable bool m_bLoaded = false;
    UINT m_nUntitledCount = 0;
};

class CMultiDocTemplate : public CDocTemplate {
public:
    using CDocTemplate::CDocTemplate;
    CDocument* OpenDocumentFile(const char* path, BOOL makeVisible = TRUE) override;
};
