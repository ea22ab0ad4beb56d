#pragma once
// COleDataSource: the program's own IDataObject, holding global-memory blocks by clipboard format,
// for the clipboard (SetClipboard) and OLE drag and drop (DoDragDrop). COleDataObject: the
// receiving side, a wrapper of someone's IDataObject (the clipboard's or a drop's).
// Every COM entry runs inside GuardedCall; the reference counts are exact, so a source lives as
// long as the clipboard or a drag holds it and no longer.
#include <windows.h>
#include <ole2.h>
#include <vector>

class COleDataSource : public IDataObject {
public:
    // The creator holds the first reference: give it back with Release (never delete).
    COleDataSource();
    COleDataSource(const COleDataSource&) = delete;
    COleDataSource& operator=(const COleDataSource&) = delete;

    // Takes the block (it is freed with the source); a second block of the same format replaces
    // the first. etc null means DVASPECT_CONTENT, lindex -1, TYMED_HGLOBAL.
    void CacheGlobalData(CLIPFORMAT format, HGLOBAL block, const FORMATETC* etc = nullptr);
    void Empty();
    // Puts the source on the clipboard (OleSetClipboard, which holds a reference of its own).
    bool SetClipboard();
    // Runs the OLE drag loop; source null means the default drop source (Esc cancels, releasing
    // the left button drops). Answers the effect the target chose, DROPEFFECT_NONE when cancelled.
    DWORD DoDragDrop(DWORD allowedEffects = DROPEFFECT_COPY | DROPEFFECT_MOVE, IDropSource* source = nullptr);
    // Renders the clipboard's data when a source of ours owns it, so that it outlives the source.
    static void FlushClipboard();
    // The source of ours that owns the clipboard, else null.
    static COleDataSource* GetClipboardOwner();

    // IUnknown
    STDMETHOD(QueryInterface)(REFIID iid, void** out) override;
    STDMETHOD_(ULONG, AddRef)() override;
    STDMETHOD_(ULONG, Release)() override;
    // IDataObject
    STDMETHOD(GetData)(FORMATETC* etc, STGMEDIUM* medium) override;
    STDMETHOD(GetDataHere)(FORMATETC* etc, STGMEDIUM* medium) override;
    STDMETHOD(QueryGetData)(FORMATETC* etc) override;
    STDMETHOD(GetCanonicalFormatEtc)(FORMATETC* in, FORMATETC* out) override;
    STDMETHOD(SetData)(FORMATETC* etc, STGMEDIUM* medium, BOOL release) override;
    STDMETHOD(EnumFormatEtc)(DWORD direction, IEnumFORMATETC** out) override;
    STDMETHOD(DAdvise)(FORMATETC* etc, DWORD flags, IAdviseSink* sink, DWORD* connection) override;
    STDMETHOD(DUnadvise)(DWORD connection) override;
    STDMETHOD(EnumDAdvise)(IEnumSTATDATA** out) override;

    ULONG RefCount() const { return m_refs; }

protected:
    virtual ~COleDataSource();

private:
    struct Entry {
        FORMATETC etc;
        HGLOBAL block;
    };
    const Entry* Find(const FORMATETC* etc, HRESULT* why) const;

    LONG m_refs = 1;
    std::vector<Entry> m_entries;
};

class COleDataObject {
public:
    COleDataObject() = default;
    ~COleDataObject() { Release(); }
    COleDataObject(const COleDataObject&) = delete;
    COleDataObject& operator=(const COleDataObject&) = delete;

    // Wraps data; with autoRelease the wrapper gives the reference back in Release.
    void Attach(IDataObject* data, BOOL autoRelease = TRUE);
    IDataObject* Detach();
    // The clipboard's data object (OleGetClipboard); false when there is none.
    BOOL AttachClipboard();
    void Release();
    IDataObject* GetIDataObject() const { return m_data; }

    BOOL IsDataAvailable(CLIPFORMAT format) const;
    // The data in a block of the caller's (GlobalFree it); null when the format is not there or not
    // in global memory.
    HGLOBAL GetGlobalData(CLIPFORMAT format) const;

private:
    IDataObject* m_data = nullptr;
    BOOL m_autoRelease = FALSE;
};
