// The grid's clipboard: copied text byte for byte, pastes from the real clipboard and from
// hand-made data objects (bad, partial and huge data), cut, and the command updates.
#include "grid/tests/gridtesthost.h"
#include "framework/stdids.h"
#include "testsupport/clipboardtext.h"
#include "testsupport/testcmdui.h"
#include <cstring>
#include <string>

namespace {

HGLOBAL Block(const std::string& bytes, UINT flags = GMEM_MOVEABLE)
{
    HGLOBAL h = ::GlobalAlloc(flags, bytes.size());
    if (!bytes.empty())
        std::memcpy(::GlobalLock(h), bytes.data(), bytes.size());
    ::GlobalUnlock(h);
    return h;
}

std::string SourceBytes(COleDataSource* source)
{
    FORMATETC etc = { CF_TEXT, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL };
    STGMEDIUM medium = {};
    if (source->GetData(&etc, &medium) != S_OK)
        return "<none>";
    const char* p = static_cast<const char*>(::GlobalLock(medium.hGlobal));
    std::string s(p, ::GlobalSize(medium.hGlobal));
    ::GlobalUnlock(medium.hGlobal);
    ::ReleaseStgMedium(&medium);
    return s;
}

void PutOnClipboard(const std::string& bytes)
{
    ASSERT_TRUE(::OpenClipboard(nullptr));
    ::EmptyClipboard();
    ::SetClipboardData(CF_TEXT, Block(bytes));
    ::CloseClipboard();
}

// A data object of one format and medium, made by hand as another program would answer.
class HandData : public IDataObject {
public:
    CLIPFORMAT format = CF_TEXT;
    DWORD tymed = TYMED_HGLOBAL;
    std::string bytes;
    LONG refs = 1;

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
    STDMETHOD_(ULONG, AddRef)() override { return static_cast<ULONG>(++refs); }
    STDMETHOD_(ULONG, Release)() override { return static_cast<ULONG>(--refs); }
    STDMETHOD(GetData)(FORMATETC* etc, STGMEDIUM* medium) override
    {
        if (etc->cfFormat != format)
            return DV_E_FORMATETC;
        if (tymed == TYMED_ISTREAM) {
            medium->tymed = TYMED_ISTREAM;
            ::CreateStreamOnHGlobal(nullptr, TRUE, &medium->pstm);
            medium->pUnkForRelease = nullptr;
            return S_OK;
        }
        medium->tymed = TYMED_HGLOBAL;
        medium->hGlobal = Block(bytes);
        medium->pUnkForRelease = nullptr;
        return S_OK;
    }
    STDMETHOD(GetDataHere)(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    STDMETHOD(QueryGetData)(FORMATETC* etc) override
    {
        // Says yes to the format whatever medium is asked: the grid must look at what it gets.
        return etc->cfFormat == format ? S_OK : DV_E_FORMATETC;
    }
    STDMETHOD(GetCanonicalFormatEtc)(FORMATETC*, FORMATETC*) override { return E_NOTIMPL; }
    STDMETHOD(SetData)(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    STDMETHOD(EnumFormatEtc)(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
    STDMETHOD(DAdvise)(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return E_NOTIMPL; }
    STDMETHOD(DUnadvise)(DWORD) override { return E_NOTIMPL; }
    STDMETHOD(EnumDAdvise)(IEnumSTATDATA**) override { return E_NOTIMPL; }
};

}  // namespace

class GridClipboardTest : public GridTest {
protected:
    BOOL Paste(HandData& data, int row, int col, BOOL select = TRUE)
    {
        COleDataObject object;
        object.Attach(&data, FALSE);
        return m_grid->PasteFromDataObject(row, col, &object, select);
    }
};

TEST_F(GridClipboardTest, CopyWritesSelectedTextsByteForByteAndOutlivesTheGrid)
{
    MakeGrid(6, 5, 1, 1);
    m_grid->SetItemText(1, 1, "a");
    m_grid->SetItemText(1, 2, "b");
    m_grid->SetItemText(2, 1, "c");
    m_grid->SetItemText(2, 2, "d");
    m_grid->SetSelectedRange(1, 1, 2, 2);
    m_grid->SetItemState(2, 1, m_grid->GetItemState(2, 1) & ~GVIS_SELECTED);
    COleDataSource* source = m_grid->CopySelectionToDataSource();
    ASSERT_NE(source, nullptr);
    EXPECT_EQ(SourceBytes(source), std::string("a\tb\r\n\td\0", 8));
    EXPECT_EQ(source->Release(), 0u);

    // Hidden rows and columns are left out of the text.
    m_grid->SetItemText(3, 3, "e");
    m_grid->SetSelectedRange(1, 1, 3, 3);
    m_grid->SetColumnWidth(2, 0);
    m_grid->SetRowHeight(2, 0);
    source = m_grid->CopySelectionToDataSource();
    ASSERT_NE(source, nullptr);
    EXPECT_EQ(SourceBytes(source), std::string("a\t\r\n\te\0", 7));
    source->Release();

    m_grid->ClearSelection();
    EXPECT_EQ(m_grid->CopySelectionToDataSource(), nullptr) << "nothing selected, nothing copied";

    m_grid->SetColumnWidth(2, 60);
    m_grid->SetRowHeight(2, 18);
    m_grid->SetSelectedRange(1, 1, 1, 2);
    m_grid->SetFocusCell(1, 1);
    m_grid->SendMessage(WM_KEYDOWN, 'C', 0);   // without Ctrl: not a copy
    HeldKeys ctrl({ VK_CONTROL });
    m_grid->SendMessage(WM_KEYDOWN, 'C', 0);
    EXPECT_EQ(ClipboardText(), "a\tb");
    m_grid.reset();
    EXPECT_EQ(ClipboardText(), "a\tb") << "the text stays after the grid";
}

TEST_F(GridClipboardTest, VirtualCopyAsksWithCacheHints)
{
    MakeVirtualGrid(20, 4, 1, 1);
    m_grid->SetSelectedRange(2, 1, 3, 2);
    COleDataSource* source = m_grid->CopySelectionToDataSource();
    ASSERT_NE(source, nullptr);
    EXPECT_EQ(SourceBytes(source), std::string("2:1\t2:2\r\n3:1\t3:2\0", 17));
    source->Release();
    ASSERT_GE(Host().hints.size(), 2u);
    EXPECT_EQ(Host().hints[Host().hints.size() - 2].GetMinRow(), 2);
    EXPECT_EQ(Host().hints.back().GetMinRow(), -1);
}

TEST_F(GridClipboardTest, PasteFromTheClipboardGrowsTheGrid)
{
    MakeGrid(10, 5, 1, 1);
    PutOnClipboard(std::string("x\ty\r\nz\0", 7));
    m_grid->SetSelectedRange(5, 2, 5, 2);
    m_grid->OnEditPaste();
    EXPECT_EQ(m_grid->GetItemText(5, 2), "x");
    EXPECT_EQ(m_grid->GetItemText(5, 3), "y");
    EXPECT_EQ(m_grid->GetItemText(6, 2), "z");
    EXPECT_EQ(m_grid->GetItemText(6, 3), "");
    EXPECT_EQ(m_grid->GetRowCount(), 16);
    CGridCellRange sel = m_grid->GetSelectedCellRange();
    EXPECT_EQ(sel.GetMinRow(), 5);
    EXPECT_EQ(sel.GetMaxRow(), 6);
    EXPECT_EQ(sel.GetMaxCol(), 3);

    // Shift+Insert pastes too, onto the focus cell when nothing is selected.
    PutOnClipboard(std::string("w\0", 2));
    m_grid->ClearSelection();
    m_grid->SetFocusCell(2, 1);
    {
        HeldKeys shift({ VK_SHIFT });
        m_grid->SendMessage(WM_KEYDOWN, VK_INSERT, 0);
    }
    EXPECT_EQ(m_grid->GetItemText(2, 1), "w");
}

TEST_F(GridClipboardTest, PasteKeepsWithinTheBlockAndTheRules)
{
    MakeGrid(10, 5, 1, 1);
    HandData data;
    data.bytes = "p\tq";   // no zero byte: the block's end is the text's
    EXPECT_TRUE(Paste(data, 1, 1));
    EXPECT_EQ(m_grid->GetItemText(1, 1), "p");
    EXPECT_EQ(m_grid->GetItemText(1, 2), "q");

    // As spreadsheets copy: the line break at the end is no further row.
    m_grid->SetItemText(3, 1, "keep");
    data.bytes = std::string("  a \t\tb\r\n", 9);
    EXPECT_TRUE(Paste(data, 2, 1, FALSE));
    EXPECT_EQ(m_grid->GetItemText(2, 1), "a");
    EXPECT_EQ(m_grid->GetItemText(2, 2), "");
    EXPECT_EQ(m_grid->GetItemText(2, 3), "b");
    EXPECT_EQ(m_grid->GetItemText(3, 1), "keep");
    EXPECT_EQ(m_grid->GetSelectedCount(), 0);

    // A hidden column and a hidden row take no field and no line.
    m_grid->SetColumnWidth(2, 0);
    m_grid->SetRowHeight(5, 0);
    data.bytes = "1\t2\n3\t4";
    EXPECT_TRUE(Paste(data, 4, 1));
    EXPECT_EQ(m_grid->GetItemText(4, 1), "1");
    EXPECT_EQ(m_grid->GetItemText(4, 3), "2");
    EXPECT_EQ(m_grid->GetItemText(6, 1), "3");
    EXPECT_EQ(m_grid->GetItemText(6, 3), "4");
    EXPECT_EQ(m_grid->GetItemText(5, 1), "");

    // Refused: other formats, other media, read-only targets, a grid that may not be edited.
    const CString before = m_grid->GetItemText(1, 1);
    HandData unicode;
    unicode.format = CF_UNICODETEXT;
    unicode.bytes = std::string("z\0\0\0", 4);
    EXPECT_FALSE(Paste(unicode, 1, 1));
    HandData stream;
    stream.tymed = TYMED_ISTREAM;
    EXPECT_FALSE(Paste(stream, 1, 1));
    m_grid->SetItemState(1, 1, GVIS_READONLY);
    data.bytes = "no";
    EXPECT_FALSE(Paste(data, 1, 1));
    EXPECT_FALSE(Paste(data, 99, 1));
    m_grid->SetEditable(FALSE);
    EXPECT_FALSE(Paste(data, 7, 1));
    EXPECT_EQ(m_grid->GetItemText(1, 1), before);
    EXPECT_EQ(m_grid->GetItemText(7, 1), "");
    EXPECT_EQ(unicode.refs, 1);
    EXPECT_EQ(stream.refs, 1);
}

TEST_F(GridClipboardTest, HugeAndEndlessDataStaysBounded)
{
    MakeGrid(3, 3, 1, 1);
    HandData data;
    data.bytes.assign(1 << 20, 'x');   // a megabyte without a zero byte or a line break
    EXPECT_TRUE(Paste(data, 1, 1));
    EXPECT_EQ(m_grid->GetItemText(1, 1).GetLength(), 1 << 20);

    // Ten thousand lines make ten thousand rows (and the ten spare ones), each field in its cell.
    std::string lines;
    for (int i = 0; i < 10000; i++)
        lines += "r" + std::to_string(i) + "\tv\tw\tignored beyond the last column\n";
    data.bytes = lines;
    EXPECT_TRUE(Paste(data, 1, 1, FALSE));
    EXPECT_EQ(m_grid->GetRowCount(), 10000 + 10);
    EXPECT_EQ(m_grid->GetItemText(10000, 1), "r9999");
    EXPECT_EQ(m_grid->GetItemText(10000, 2), "v");
}

TEST_F(GridClipboardTest, CutSparesReadOnlyCellsAndUpdatesFollowTheState)
{
    MakeGrid(5, 4, 1, 1);
    m_grid->SetItemText(1, 1, "a");
    m_grid->SetItemText(1, 2, "b");
    m_grid->SetItemState(1, 2, GVIS_READONLY);
    m_grid->SetSelectedRange(1, 1, 1, 2);
    m_grid->SetFocusCell(1, 1);

    CTestCmdUI copy(ID_EDIT_COPY), cut(ID_EDIT_CUT), paste(ID_EDIT_PASTE), all(ID_EDIT_SELECT_ALL);
    m_grid->OnUpdateEditCopy(&copy);
    m_grid->OnUpdateEditCut(&cut);
    m_grid->OnUpdateEditSelectAll(&all);
    EXPECT_TRUE(copy.m_bEnabled);
    EXPECT_TRUE(cut.m_bEnabled);
    EXPECT_TRUE(all.m_bEnabled);

    {
        HeldKeys ctrl({ VK_CONTROL });
        m_grid->SendMessage(WM_KEYDOWN, 'X', 0);
    }
    EXPECT_EQ(ClipboardText(), "a\tb");
    EXPECT_EQ(m_grid->GetItemText(1, 1), "");
    EXPECT_EQ(m_grid->GetItemText(1, 2), "b");

    m_grid->OnUpdateEditPaste(&paste);
    EXPECT_TRUE(paste.m_bEnabled);
    m_grid->SetFocusCell(1, 2);
    m_grid->OnUpdateEditPaste(&paste);
    EXPECT_FALSE(paste.m_bEnabled) << "a read-only focus cell takes no paste";

    m_grid->ClearSelection();
    m_grid->OnUpdateEditCopy(&copy);
    EXPECT_FALSE(copy.m_bEnabled);
    m_grid->SetSelectedRange(1, 1, 1, 1);
    m_grid->SetEditable(FALSE);
    m_grid->OnUpdateEditCut(&cut);
    EXPECT_FALSE(cut.m_bEnabled);
    m_grid->OnEditCut();
    m_grid->EnableSelection(FALSE);
    m_grid->OnUpdateEditSelectAll(&all);
    EXPECT_FALSE(all.m_bEnabled);

    m_grid->EnableSelection(TRUE);
    m_grid->SetFocusCell(2, 2);
    HeldKeys ctrl({ VK_CONTROL });
    m_grid->SendMessage(WM_KEYDOWN, 'A', 0);
    EXPECT_EQ(m_grid->GetSelectedCount(), 4 * 3);
}

TEST_F(GridClipboardTest, CutClearsExactlyTheCellsItPutOnTheClipboard)
{
    // Column 3 and row 3 hidden (width and height 0) inside the selection: the copy leaves them
    // out, so the cut must leave them too; the cell not selected stays as well.
    MakeGrid(6, 6, 1, 1);
    for (int r = 1; r <= 4; r++)
        for (int c = 1; c <= 4; c++)
            m_grid->SetItemText(r, c, (std::string(1, char('a' + c - 1)) + std::to_string(r)).c_str());
    m_grid->SetColumnWidth(3, 0);
    m_grid->SetRowHeight(3, 0);
    m_grid->SetSelectedRange(1, 1, 4, 4);
    m_grid->SetItemState(2, 2, m_grid->GetItemState(2, 2) & ~GVIS_SELECTED);
    m_grid->SetFocusCell(1, 1);
    {
        HeldKeys ctrl({ VK_CONTROL });
        m_grid->SendMessage(WM_KEYDOWN, 'X', 0);
    }
    EXPECT_EQ(ClipboardText(), "a1\tb1\td1\r\na2\t\td2\r\na4\tb4\td4");
    for (int c : { 1, 2, 4 }) {
        EXPECT_EQ(m_grid->GetItemText(1, c), "") << c;
        EXPECT_EQ(m_grid->GetItemText(4, c), "") << c;
    }
    EXPECT_EQ(m_grid->GetItemText(2, 1), "");
    EXPECT_EQ(m_grid->GetItemText(2, 2), "b2") << "not selected, not copied";
    for (int r = 1; r <= 4; r++)
        EXPECT_EQ(std::string(m_grid->GetItemText(r, 3)), "c" + std::to_string(r)) << "hidden column, row " << r;
    for (int c = 1; c <= 4; c++)
        EXPECT_EQ(std::string(m_grid->GetItemText(3, c)), std::string(1, char('a' + c - 1)) + "3")
            << "hidden row, column " << c;

    // Delete, which puts nothing on the clipboard, still clears every selected cell.
    m_grid->SetSelectedRange(3, 3, 3, 3);
    m_grid->SendMessage(WM_KEYDOWN, VK_DELETE, 0);
    EXPECT_EQ(m_grid->GetItemText(3, 3), "");
}
