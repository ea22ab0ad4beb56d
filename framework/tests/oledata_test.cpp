// The OLE data transfer layer: the shared memory file, our data source on the clipboard and in a
// drop, the data object wrapper, and the drop target driven through its IDropTarget methods.
#include "framework/oledata.h"
#include "framework/oledroptarget.h"
#include "framework/sharedfile.h"
#include "framework/wnd.h"
#include <gtest/gtest.h>
#include <cstring>
#include <string>

namespace {

HGLOBAL TextBlock(const std::string& bytes)
{
    HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    std::memcpy(::GlobalLock(h), bytes.data(), bytes.size());
    ::GlobalUnlock(h);
    return h;
}

std::string BlockBytes(HGLOBAL h)
{
    const char* p = static_cast<const char*>(::GlobalLock(h));
    std::string s(p, ::GlobalSize(h));
    ::GlobalUnlock(h);
    return s;
}

// An IDataObject that hands out its block with a pUnkForRelease (as other programs may).
class LoanedData : public IDataObject {
public:
    LONG refs = 1;
    std::string bytes;
    STDMETHOD(QueryInterface)(REFIID iid, void** out) override
    {
        if (iid == IID_IUnknown || iid == IID_IDataObject) {
            *out = this;
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHOD_(ULONG, AddRef)() override { return ++refs; }
    STDMETHOD_(ULONG, Release)() override { return --refs; }
    STDMETHOD(GetData)(FORMATETC* etc, STGMEDIUM* medium) override
    {
        if (etc->cfFormat != CF_TEXT)
            return DV_E_FORMATETC;
        medium->tymed = TYMED_HGLOBAL;
        medium->hGlobal = TextBlock(bytes);
        medium->pUnkForRelease = this;
        AddRef();
        return S_OK;
    }
    STDMETHOD(GetDataHere)(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    STDMETHOD(QueryGetData)(FORMATETC* etc) override { return etc->cfFormat == CF_TEXT ? S_OK : DV_E_FORMATETC; }
    STDMETHOD(GetCanonicalFormatEtc)(FORMATETC*, FORMATETC*) override { return E_NOTIMPL; }
    STDMETHOD(SetData)(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    STDMETHOD(EnumFormatEtc)(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
    STDMETHOD(DAdvise)(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return E_NOTIMPL; }
    STDMETHOD(DUnadvise)(DWORD) override { return E_NOTIMPL; }
    STDMETHOD(EnumDAdvise)(IEnumSTATDATA**) override { return E_NOTIMPL; }
};

class OleDataTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ::OleInitialize(nullptr); }
};

}  // namespace

TEST_F(OleDataTest, SharedFileGrowsInStepsAndDetachesCutToSize)
{
    CSharedFile file;
    EXPECT_EQ(file.GetCapacity(), 0u);
    ASSERT_TRUE(file.Write("a", 1));
    EXPECT_EQ(file.GetCapacity(), 4096u);
    std::string big(4096, 'x');
    ASSERT_TRUE(file.Write(big.data(), static_cast<UINT>(big.size())));
    EXPECT_EQ(file.GetCapacity(), 8192u);
    EXPECT_EQ(file.GetLength(), 4097u);
    HGLOBAL h = file.Detach();
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(::GlobalSize(h), 4097u);
    EXPECT_EQ(BlockBytes(h), "a" + big);
    EXPECT_EQ(file.GetLength(), 0u);
    EXPECT_EQ(file.GetHandle(), nullptr);

    // Reading someone's block: all of it, then nothing; the block stays the caller's.
    CSharedFile reader;
    reader.SetHandle(h, FALSE);
    char buf[5000] = {};
    EXPECT_EQ(reader.Read(buf, sizeof buf), 4097u);
    EXPECT_EQ(reader.Read(buf, sizeof buf), 0u);
    EXPECT_EQ(buf[0], 'a');
    EXPECT_FALSE(reader.Write(big.data(), 10)) << "a block that may not grow takes no more than it has";
    reader.Close();
    EXPECT_EQ(::GlobalSize(h), 4097u);
    ::GlobalFree(h);
}

TEST_F(OleDataTest, DataSourceGivesCopiesAndAnswersFormats)
{
    COleDataSource* source = new COleDataSource;
    EXPECT_EQ(source->RefCount(), 1u);
    HGLOBAL block = TextBlock(std::string("hello\0", 6));
    source->CacheGlobalData(CF_TEXT, block);

    FORMATETC text = { CF_TEXT, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL };
    FORMATETC unicode = { CF_UNICODETEXT, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL };
    FORMATETC stream = { CF_TEXT, nullptr, DVASPECT_CONTENT, -1, TYMED_ISTREAM };
    EXPECT_EQ(source->QueryGetData(&text), S_OK);
    EXPECT_EQ(source->QueryGetData(&unicode), DV_E_FORMATETC);
    EXPECT_EQ(source->QueryGetData(&stream), DV_E_TYMED);

    STGMEDIUM medium = {};
    ASSERT_EQ(source->GetData(&text, &medium), S_OK);
    EXPECT_NE(medium.hGlobal, block) << "the receiver owns what it gets";
    EXPECT_EQ(medium.pUnkForRelease, nullptr);
    EXPECT_EQ(BlockBytes(medium.hGlobal), std::string("hello\0", 6));
    ::ReleaseStgMedium(&medium);
    EXPECT_EQ(source->GetData(&unicode, &medium), DV_E_FORMATETC);

    IEnumFORMATETC* formats = nullptr;
    ASSERT_EQ(source->EnumFormatEtc(DATADIR_GET, &formats), S_OK);
    FORMATETC got[4] = {};
    ULONG n = 0;
    formats->Next(4, got, &n);
    formats->Release();
    ASSERT_EQ(n, 1u);
    EXPECT_EQ(got[0].cfFormat, CF_TEXT);
    EXPECT_EQ(source->EnumFormatEtc(DATADIR_SET, &formats), E_NOTIMPL);

    IDataObject* asData = nullptr;
    ASSERT_EQ(source->QueryInterface(IID_IDataObject, reinterpret_cast<void**>(&asData)), S_OK);
    EXPECT_EQ(source->RefCount(), 2u);
    asData->Release();
    EXPECT_EQ(source->Release(), 0u);
}

TEST_F(OleDataTest, ClipboardHoldsTheSourceAndFlushKeepsTheText)
{
    COleDataSource* source = new COleDataSource;
    source->CacheGlobalData(CF_TEXT, TextBlock(std::string("clip\0", 5)));
    ASSERT_TRUE(source->SetClipboard());
    EXPECT_EQ(COleDataSource::GetClipboardOwner(), source);
    EXPECT_GE(source->RefCount(), 2u);
    source->AddRef();
    source->Release();   // ours, the clipboard still holds one

    COleDataObject data;
    ASSERT_TRUE(data.AttachClipboard());
    EXPECT_TRUE(data.IsDataAvailable(CF_TEXT));
    HGLOBAL h = data.GetGlobalData(CF_TEXT);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(std::string(static_cast<const char*>(::GlobalLock(h))), "clip");
    ::GlobalUnlock(h);
    ::GlobalFree(h);
    data.Release();

    const ULONG before = source->RefCount();
    EXPECT_EQ(source->Release(), before - 1);   // the creator's reference
    COleDataSource::FlushClipboard();            // the clipboard's reference goes: the source is gone
    EXPECT_EQ(COleDataSource::GetClipboardOwner(), nullptr);
    ASSERT_TRUE(::OpenClipboard(nullptr));
    HANDLE text = ::GetClipboardData(CF_TEXT);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(std::string(static_cast<const char*>(::GlobalLock(text))), "clip");
    ::GlobalUnlock(text);
    ::CloseClipboard();
}

TEST_F(OleDataTest, DataObjectCopiesLoanedBlocksAndReleasesWhatItHolds)
{
    LoanedData* loaned = new LoanedData;
    loaned->bytes = std::string("abc\0", 4);
    {
        COleDataObject data;
        loaned->AddRef();
        data.Attach(loaned, TRUE);
        EXPECT_TRUE(data.IsDataAvailable(CF_TEXT));
        EXPECT_FALSE(data.IsDataAvailable(CF_UNICODETEXT));
        HGLOBAL h = data.GetGlobalData(CF_TEXT);
        ASSERT_NE(h, nullptr);
        EXPECT_EQ(BlockBytes(h), std::string("abc\0", 4));
        ::GlobalFree(h);
        EXPECT_EQ(data.GetGlobalData(CF_UNICODETEXT), nullptr);
        EXPECT_EQ(loaned->refs, 2);
    }
    EXPECT_EQ(loaned->refs, 1) << "the wrapper gave its reference back";
    {
        COleDataObject data;
        data.Attach(loaned, FALSE);
    }
    EXPECT_EQ(loaned->refs, 1);
    delete loaned;
}

namespace {

struct RecordingTarget : COleDropTarget {
    DWORD answer = DROPEFFECT_MOVE;
    BOOL dropAnswer = TRUE;
    CPoint lastPoint;
    int enters = 0, overs = 0, leaves = 0, drops = 0;
    DWORD dropEffect = 0;
    DWORD OnDragEnter(CWnd*, COleDataObject* data, DWORD, CPoint p) override
    {
        enters++;
        lastPoint = p;
        return data->IsDataAvailable(CF_TEXT) ? answer : DROPEFFECT_NONE;
    }
    DWORD OnDragOver(CWnd*, COleDataObject*, DWORD, CPoint p) override
    {
        overs++;
        lastPoint = p;
        return answer;
    }
    void OnDragLeave(CWnd*) override { leaves++; }
    BOOL OnDrop(CWnd*, COleDataObject*, DWORD effect, CPoint p) override
    {
        drops++;
        dropEffect = effect;
        lastPoint = p;
        return dropAnswer;
    }
};

}  // namespace

TEST_F(OleDataTest, DropTargetKeepsToAllowedEffectsAndCountsExactly)
{
    HWND hwnd = ::CreateWindowExA(0, "STATIC", "t", WS_POPUP | WS_VISIBLE, 100, 50, 200, 100, nullptr, nullptr,
                                  nullptr, nullptr);
    ASSERT_NE(hwnd, nullptr);
    CWnd wnd;
    wnd.Attach(hwnd);
    COleDataSource* source = new COleDataSource;
    source->CacheGlobalData(CF_TEXT, TextBlock(std::string("x\0", 2)));
    {
        RecordingTarget target;
        ASSERT_TRUE(target.Register(&wnd));
        EXPECT_FALSE(target.Register(&wnd)) << "once";
        EXPECT_GE(target.RefCount(), 1u);

        POINT screen = { 10, 20 };
        ::ClientToScreen(hwnd, &screen);
        POINTL at = { screen.x, screen.y };
        DWORD effect = DROPEFFECT_COPY;   // the source allows copying only
        ASSERT_EQ(target.DragEnter(source, 0, at, &effect), S_OK);
        EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY)) << "a move the source forbids becomes its copy";
        EXPECT_EQ(target.lastPoint, CPoint(10, 20)) << "client coordinates";
        EXPECT_EQ(source->RefCount(), 2u) << "held during the drag";
        effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
        target.DragOver(0, at, &effect);
        EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_MOVE));
        target.DragLeave();
        EXPECT_EQ(target.leaves, 1);
        EXPECT_EQ(source->RefCount(), 1u) << "and given back";

        // A drop the handler refuses reaches the source as no effect.
        effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
        target.DragEnter(source, 0, at, &effect);
        target.dropAnswer = FALSE;
        effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
        ASSERT_EQ(target.Drop(source, 0, at, &effect), S_OK);
        EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
        EXPECT_EQ(target.drops, 1);
        EXPECT_EQ(source->RefCount(), 1u);

        effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
        target.DragEnter(source, MK_CONTROL, at, &effect);
        target.dropAnswer = TRUE;
        effect = DROPEFFECT_MOVE;
        target.Drop(source, 0, at, &effect);
        EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_MOVE));
        EXPECT_EQ(target.dropEffect, static_cast<DWORD>(DROPEFFECT_MOVE));

        // Nothing the handler says goes beyond what is allowed.
        target.answer = DROPEFFECT_LINK;
        effect = DROPEFFECT_COPY;
        target.DragEnter(source, 0, at, &effect);
        EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
        target.DragLeave();

        target.Revoke();
        EXPECT_EQ(target.RefCount(), 0u) << "OLE gave back every reference it took";
    }
    EXPECT_EQ(source->Release(), 0u);
    wnd.Detach();
    ::DestroyWindow(hwnd);
}
