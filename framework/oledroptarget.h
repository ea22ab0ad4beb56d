#pragma once
// COleDropTarget: the program's own IDropTarget for one window. A window registers it (Register),
// revokes it before it goes (Revoke), and a derived class answers the drag through the virtual
// OnDrag*/OnDrop with points in the window's client coordinates. What it answers is cut to the
// effects the source allows; a drop that OnDrop refuses reaches the source as DROPEFFECT_NONE.
// The object is a member of its owner, not reference-owned: the counts only check OLE's use.
#include "framework/geometry.h"
#include "framework/oledata.h"

class CWnd;

class COleDropTarget : public IDropTarget {
public:
    COleDropTarget() = default;
    virtual ~COleDropTarget();
    COleDropTarget(const COleDropTarget&) = delete;
    COleDropTarget& operator=(const COleDropTarget&) = delete;

    // RegisterDragDrop for the window (once): false when it is already registered or OLE refuses.
    virtual BOOL Register(CWnd* wnd);
    virtual void Revoke();
    HWND GetWindow() const { return m_hWnd; }

    virtual DWORD OnDragEnter(CWnd* wnd, COleDataObject* data, DWORD keyState, CPoint point);
    virtual DWORD OnDragOver(CWnd* wnd, COleDataObject* data, DWORD keyState, CPoint point);
    virtual void OnDragLeave(CWnd* wnd);
    virtual BOOL OnDrop(CWnd* wnd, COleDataObject* data, DWORD dropEffect, CPoint point);
    // Asked before OnDragOver: an answer with DROPEFFECT_SCROLL stands in for OnDragOver's.
    virtual DWORD OnDragScroll(CWnd* wnd, DWORD keyState, CPoint point);

    // IUnknown
    STDMETHOD(QueryInterface)(REFIID iid, void** out) override;
    STDMETHOD_(ULONG, AddRef)() override;
    STDMETHOD_(ULONG, Release)() override;
    // IDropTarget
    STDMETHOD(DragEnter)(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect) override;
    STDMETHOD(DragOver)(DWORD keyState, POINTL point, DWORD* effect) override;
    STDMETHOD(DragLeave)() override;
    STDMETHOD(Drop)(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect) override;

    ULONG RefCount() const { return static_cast<ULONG>(m_refs); }

protected:
    HWND m_hWnd = nullptr;

private:
    CPoint ClientPoint(POINTL point) const;
    DWORD Answer(DWORD keyState, CPoint point, DWORD allowed);
    static DWORD WithinAllowed(DWORD answer, DWORD allowed);
    // Makes data (with a reference of ours) the drag's data object in place of the one held.
    void HoldData(IDataObject* data);
    void LetGoOfData();

    LONG m_refs = 0;
    IDataObject* m_dragData = nullptr;    // held from DragEnter to DragLeave or Drop
    COleDataObject m_dataObject;
    CWnd* m_pWnd = nullptr;
};
