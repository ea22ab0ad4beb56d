#pragma once
// CDocument: the data of one open file and the list of views showing it (not owned). Works without
// any window: views may be plain objects, and every dialog or prompt goes through a virtual
// (DoPromptFileName) or the message-box functions, so open, save and edit run in tests.
// A document with m_bAutoDelete deletes itself when it closes or its last view leaves.
#include "framework/cmdtarget.h"
#include "framework/cstring.h"
#include "framework/file.h"
#include <functional>
#include <vector>

class CDocTemplate;
class CFrameWnd;
class CView;

class CDocument : public CCmdTarget {
public:
    CDocument() = default;
    ~CDocument() override;              // views still attached lose their document

    // ---- names
    const CString& GetTitle() const { return m_strTitle; }
    virtual void SetTitle(const char* title);     // also retitles the frames
    const CString& GetPathName() const { return m_strPathName; }
    // Full path; the title becomes its file name; with addToRecent it enters the recent list.
    virtual void SetPathName(const char* path, BOOL addToRecent = TRUE);
    CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }

    // ---- modified flag
    virtual BOOL IsModified() const { return m_bModified; }
    virtual void SetModifiedFlag(BOOL modified = TRUE) { m_bModified = modified; }

    // ---- views (not owned)
    void AddView(CView* view);
    void RemoveView(CView* view);
    const std::vector<CView*>& GetViews() const { return m_views; }
    int GetViewCount() const { return static_cast<int>(m_views.size()); }
    // Calls OnUpdate of every view but sender.
    void UpdateAllViews(CView* sender, LPARAM hint = 0, CObject* hintObject = nullptr);
    // Called after AddView/RemoveView; the default closes an auto-delete document whose last
    // view left.
    virtual void OnChangedViewList();

    // ---- life
    virtual void DeleteContents() {}
    virtual BOOL OnNewDocument();      // DeleteContents, not modified
    // The defaults only check that the file can be opened / give up: documents read and write
    // their own formats (framework/safefile.h writes them safely).
    virtual BOOL OnOpenDocument(const char* path);
    virtual BOOL OnSaveDocument(const char* path);
    // Closes the frames of the views, empties the document and deletes it when auto-delete.
    virtual void OnCloseDocument();
    // Asks "Save changes to %s?" (Yes/No/Cancel) when modified: Yes saves (TRUE when saved),
    // No discards (TRUE), Cancel keeps the document open (FALSE).
    virtual BOOL SaveModified();
    // Whether frame may close: the last frame of a document asks SaveModified.
    virtual BOOL CanCloseFrame(CFrameWnd* frame);
    // Save (path kept) or Save As (path empty or read-only file).
    virtual BOOL DoFileSave();
    // Saves under path, or asks for a name when path is null/empty (replace: Save As, else
    // Save Copy As); the dialog asks before replacing a file. On failure a file the save created
    // is removed; one that existed stays. Only a save of the whole document renames it.
    virtual BOOL DoSave(const char* path, BOOL replace = TRUE);
    // Whether saving under path writes the whole document (the default). A document that also
    // writes one part of itself in another file type answers FALSE for those: such a Save As is
    // an export, and the document keeps its name.
    virtual BOOL SavesWholeDocument(const char* /*path*/) const { return TRUE; }
    // The save dialog; tests and programs without windows override it.
    virtual BOOL DoPromptFileName(CString& fileName, UINT titleId, DWORD flags, CDocTemplate* tmpl);

    // ---- commands: the document itself, nothing further
    void OnFileSave() { DoFileSave(); }
    void OnFileSaveAs() { DoSave(nullptr); }
    void OnFileClose();

    BOOL m_bAutoDelete = TRUE;
    BOOL m_bEmbedded = FALSE;

    DECLARE_MESSAGE_MAP()

protected:
    friend class CDocTemplate;
    CString m_strTitle;
    CString m_strPathName;
    CDocTemplate* m_pDocTemplate = nullptr;
    BOOL m_bModified = FALSE;
    std::vector<CView*> m_views;
};

// String ids of the file dialog captions (texts used when the string table has none).
#define AFX_IDS_OPENFILE 0xF000
#define AFX_IDS_SAVEFILE 0xF001
#define AFX_IDS_SAVEFILECOPY 0xF002
