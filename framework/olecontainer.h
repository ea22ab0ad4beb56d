#pragma once
// The container side of OLE embedding over ole32: COleDocument is a document with a list of
// embedded items (it owns them), COleClientItem one embedded object with its storage in memory
// and the site objects the object talks back to (client site, advise sink, in-place site with
// the frame and window it asks for). COleInsertDialog is the system's insert-object dialog.
// Nothing here writes items to files: a document that wants them stored does so itself.
#include "framework/doc.h"
#include "framework/geometry.h"

#include <ole2.h>
#include <functional>
#include <vector>

class COleClientItem;
class CView;
class CWnd;

class COleDocument : public CDocument {
public:
    COleDocument();
    // Items still held are closed and released first (the objects may live in other code).
    ~COleDocument() override;

    void AddItem(COleClientItem* item);       // the document owns it from now on
    void RemoveItem(COleClientItem* item);    // ownership goes back to the caller
    const std::vector<COleClientItem*>& GetItems() const { return m_items; }
    // The item that is in-place active in view, or null.
    COleClientItem* GetInPlaceActiveItem(CWnd* view) const;
    // Closes, releases and deletes every item.
    void ReleaseItems();

    void OnCloseDocument() override;
    // A view that leaves takes its in-place object out of activation with it.
    void OnChangedViewList() override;

protected:
    std::vector<COleClientItem*> m_items;
};

class COleClientItem : public CObject {
public:
    enum ItemState { emptyState, loadedState, openState, activeState, activeUIState };

    // Without a document: the caller adds it (COleDocument::AddItem) before creating the object.
    explicit COleClientItem(COleDocument* doc = nullptr);
    ~COleClientItem() override;                 // Release()s what it still holds
    COleClientItem(const COleClientItem&) = delete;
    COleClientItem& operator=(const COleClientItem&) = delete;

    COleDocument* GetDocument() const { return m_pDocument; }
    IOleObject* GetOleObject() const { return m_lpObject; }
    ItemState GetItemState() const { return m_nItemState; }
    bool IsInPlaceActive() const { return m_nItemState == activeState || m_nItemState == activeUIState; }
    CView* GetActiveView() const { return m_pView; }
    DWORD m_nDrawAspect = DVASPECT_CONTENT;

    // A new embedded object of class clsid in a storage in memory. False (and nothing held) on
    // failure; the result of the last OLE call is kept for the caller (GetLastStatus).
    BOOL CreateNewItem(REFCLSID clsid);
    HRESULT GetLastStatus() const { return m_scLast; }
    // Runs a verb with view as the place the object shows in.
    BOOL DoVerb(LONG verb, CView* view);
    void Close(DWORD option = OLECLOSE_SAVEIFDIRTY);
    // Closes and lets go of the object and its storage.
    void Release(DWORD option = OLECLOSE_NOSAVE);
    // The object's extent (HIMETRIC) for aspect; false when it has none.
    BOOL GetExtent(LPSIZE size, DVASPECT aspect = DVASPECT_CONTENT);
    DWORD GetMiscStatus() const;
    // Leaves in-place activation (UI first).
    void Deactivate();
    void DeactivateUI();
    // The view is going: leave activation and forget it.
    void DetachView();

    // ---- what the object tells the container
    enum Notification { OLE_CHANGED, OLE_SAVED, OLE_CLOSED, OLE_RENAMED, OLE_CHANGED_STATE, OLE_CHANGED_ASPECT };
    virtual void OnChange(Notification code, DWORD param);
    virtual BOOL OnChangeItemPosition(const CRect& position);
    // Where the object stands in its view (device units).
    virtual void OnGetItemPosition(CRect& position);
    virtual void OnActivate();
    virtual void OnActivateUI();
    virtual void OnDeactivate();
    virtual void OnDeactivateUI(BOOL undoable);
    virtual void Serialize() {}

private:
    class Site;
    friend class Site;
    void ReleaseSite();

    COleDocument* m_pDocument = nullptr;
    IOleObject* m_lpObject = nullptr;
    IStorage* m_lpStorage = nullptr;
    ILockBytes* m_lpLockBytes = nullptr;
    Site* m_pSite = nullptr;
    DWORD m_dwConnection = 0;
    ItemState m_nItemState = emptyState;
    CView* m_pView = nullptr;
    HWND m_hWndView = nullptr;
    IOleInPlaceObject* m_lpInPlaceObject = nullptr;
    IOleInPlaceActiveObject* m_lpActiveObject = nullptr;
    HRESULT m_scLast = S_OK;
};

// The insert-object dialog (oledlg). A hook set by tests answers in its place with a class id or
// Cancel, so no test waits for a person.
class COleInsertDialog {
public:
    enum Selection { createNewItem = 0, insertFromFile = 1, createLinkedItem = 2 };

    INT_PTR DoModal(HWND owner = nullptr);     // IDOK or IDCANCEL
    CLSID GetClassID() const { return m_clsid; }
    Selection GetSelectionType() const { return m_selection; }
    // Creates the chosen object in item (a new embedding of the class).
    BOOL CreateItem(COleClientItem* item);

    // A class the registry offers for insertion (HKEY_CLASSES_ROOT\CLSID\{...}\Insertable).
    struct InsertableClass {
        CLSID clsid;
        CString name;
    };
    static std::vector<InsertableClass> ListInsertableClasses();

    // The hook: given what the dialog would list, answers IDOK with *clsid filled, or IDCANCEL.
    using Answer = std::function<INT_PTR(const std::vector<InsertableClass>& listed, CLSID* clsid)>;
    static Answer SetTestAnswer(Answer answer);

private:
    CLSID m_clsid = CLSID_NULL;
    Selection m_selection = createNewItem;
};
