// Drag and drop between grids: the grid's IDropTarget driven by hand (effects, highlight, refusals,
// header column drags, reference counts) and real OLE drags between two grids.
#include "grid/tests/gridtesthost.h"
#include "testsupport/platformprobe.h"
#include <cstring>
#include <string>

namespace {

COleDataSource* TextSource(const std::string& bytes)
{
    HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    std::memcpy(::GlobalLock(h), bytes.data(), bytes.size());
    ::GlobalUnlock(h);
    COleDataSource* source = new COleDataSource;
    source->CacheGlobalData(CF_TEXT, h);
    return source;
}

}  // namespace

class GridDragDropTest : public GridTest {
protected:
    void TearDown() override
    {
        m_other.reset();
        GridTest::TearDown();
    }

    // A second grid beside the first, in the same host.
    void MakeOther(int rows, int cols)
    {
        m_other = std::make_unique<CGridCtrl>();
        ASSERT_TRUE(m_other->Create(CRect(420, 0, 680, 300), &m_hostWnd, 556));
        m_other->GetDefaultCell(FALSE, FALSE)->SetHeight(18);
        m_other->GetDefaultCell(FALSE, TRUE)->SetWidth(60);
        m_other->SetColumnCount(cols);
        m_other->SetRowCount(rows);
        m_other->SetFixedRowCount(1);
        m_other->SetFixedColumnCount(1);
        m_other->SetDragAndDrop(TRUE);
        m_other->SendMessage(WM_SIZE, 0, MAKELPARAM(260, 300));
    }

    POINTL ScreenPointOf(CGridCtrl& grid, int row, int col)
    {
        CRect rect;
        grid.GetCellRect(row, col, &rect);
        POINT p = rect.CenterPoint();
        ::ClientToScreen(grid.m_hWnd, &p);
        return POINTL{ p.x, p.y };
    }

    std::unique_ptr<CGridCtrl> m_other;
};

TEST_F(GridDragDropTest, DropTargetAcceptsTextOnEditableCellsOnly)
{
    MakeGrid(6, 4, 1, 1);
    m_grid->SendMessage(WM_SIZE, 0, MAKELPARAM(400, 300));
    CGridDropTarget& target = m_grid->GetDropTarget();
    ASSERT_TRUE(target.IsRegistered()) << "registered at the first WM_SIZE";
    EXPECT_FALSE(target.Register(m_grid.get())) << "once";
    COleDataSource* source = TextSource(std::string("t\0", 2));

    DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    POINTL at = ScreenPointOf(*m_grid, 2, 2);
    target.DragEnter(source, 0, at, &effect);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE)) << "drag and drop is off";
    target.DragLeave();

    m_grid->SetDragAndDrop(TRUE);
    effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    target.DragEnter(source, 0, at, &effect);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_MOVE));
    EXPECT_TRUE(m_grid->GetItemState(2, 2) & GVIS_DROPHILITED);
    effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    target.DragOver(MK_CONTROL, ScreenPointOf(*m_grid, 3, 2), &effect);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY)) << "Ctrl copies";
    EXPECT_FALSE(m_grid->GetItemState(2, 2) & GVIS_DROPHILITED);
    EXPECT_TRUE(m_grid->GetItemState(3, 2) & GVIS_DROPHILITED);
    effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    target.DragOver(0, ScreenPointOf(*m_grid, 0, 2), &effect);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE)) << "fixed cells take no text";
    EXPECT_FALSE(m_grid->GetItemState(3, 2) & GVIS_DROPHILITED);
    target.DragLeave();

    // A read-only cell refuses the drop; the source hears "none" and keeps its text.
    m_grid->SetItemState(4, 1, GVIS_READONLY);
    effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    target.DragEnter(source, 0, ScreenPointOf(*m_grid, 4, 1), &effect);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
    effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    target.Drop(source, 0, ScreenPointOf(*m_grid, 4, 1), &effect);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
    EXPECT_EQ(m_grid->GetItemText(4, 1), "");

    effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    target.DragEnter(source, 0, at, &effect);
    effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    target.Drop(source, 0, at, &effect);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_MOVE));
    EXPECT_EQ(m_grid->GetItemText(2, 2), "t");
    EXPECT_FALSE(m_grid->GetItemState(2, 2) & GVIS_DROPHILITED);

    // Not editable: no drop at all.
    m_grid->SetEditable(FALSE);
    effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    target.DragEnter(source, 0, ScreenPointOf(*m_grid, 3, 3), &effect);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
    target.DragLeave();

    EXPECT_EQ(source->RefCount(), 1u) << "the target holds nothing after the drags";
    source->Release();
    m_grid->DestroyWindow();
    EXPECT_FALSE(target.IsRegistered());
    EXPECT_EQ(target.RefCount(), 0u);
}

TEST_F(GridDragDropTest, HeaderDragReordersColumns)
{
    MakeGrid(4, 5, 1, 1);
    m_grid->SendMessage(WM_SIZE, 0, MAKELPARAM(400, 300));
    m_grid->SetHeaderColumnDrag(TRUE);
    for (int c = 0; c < 5; c++)
        m_grid->SetItemText(0, c, std::to_string(c).c_str());
    CRect cell;
    m_grid->GetCellRect(0, 2, &cell);
    m_grid->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, Pt(cell.CenterPoint().x, cell.CenterPoint().y));
    EXPECT_EQ(m_grid->GetMouseMode(), MOUSE_PREPARE_DRAG);

    CGridDropTarget& target = m_grid->GetDropTarget();
    COleDataSource* empty = new COleDataSource;
    DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    target.DragEnter(empty, 0, ScreenPointOf(*m_grid, 2, 4), &effect);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE)) << "a header goes only among the headers";
    effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    target.DragOver(0, ScreenPointOf(*m_grid, 0, 4), &effect);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_MOVE));
    effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    target.Drop(empty, 0, ScreenPointOf(*m_grid, 0, 4), &effect);
    EXPECT_EQ(m_grid->GetColumnOrder(), (std::vector<int>{ 0, 1, 3, 4, 2 }));
    EXPECT_EQ(m_grid->GetItemText(0, 4), "2");
    EXPECT_EQ(empty->Release(), 0u);
}

TEST_F(GridDragDropTest, RealDragMovesTextToAnotherGridAndARefusalKeepsIt)
{
    MakeGrid(6, 4, 1, 1);
    m_grid->SendMessage(WM_SIZE, 0, MAKELPARAM(400, 300));
    m_grid->SetDragAndDrop(TRUE);
    MakeOther(6, 4);
    m_grid->SetItemText(1, 1, "m");
    m_grid->SetSelectedRange(1, 1, 1, 1);

    // No button is down: the default drop source drops at once, where the cursor is.
    POINTL over = ScreenPointOf(*m_other, 2, 2);
    KORVELTA_NEEDS_PLATFORM(ProbeCursorMoves(over.x, over.y), "moving the pointer");
    m_grid->BeginOleDrag();
    EXPECT_EQ(m_other->GetItemText(2, 2), "m");
    EXPECT_EQ(m_grid->GetItemText(1, 1), "") << "a move clears the source";
    EXPECT_EQ(Notes(GRIDN_BEGINDRAG).size(), 1u);
    EXPECT_EQ(m_grid->GetMouseMode(), MOUSE_NOTHING);

    m_grid->SetItemText(1, 1, "k");
    m_grid->SetSelectedRange(1, 1, 1, 1);
    m_other->SetItemState(3, 2, GVIS_READONLY);
    over = ScreenPointOf(*m_other, 3, 2);
    KORVELTA_NEEDS_PLATFORM(ProbeCursorMoves(over.x, over.y), "moving the pointer");
    m_grid->BeginOleDrag();
    EXPECT_EQ(m_other->GetItemText(3, 2), "");
    EXPECT_EQ(m_grid->GetItemText(1, 1), "k") << "a refusing target leaves the text where it was";
}

TEST_F(GridDragDropTest, RowDragMovesRowsOnlyWithinItsOwnVirtualGrid)
{
    MakeVirtualGrid(8, 3, 1, 1);
    m_grid->SendMessage(WM_SIZE, 0, MAKELPARAM(400, 300));
    m_grid->SetDragAndDrop(TRUE);
    CRect cell;
    m_grid->GetCellRect(2, 1, &cell);
    m_grid->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, Pt(cell.CenterPoint().x, cell.CenterPoint().y));
    m_grid->SendMessage(WM_LBUTTONUP, 0, Pt(cell.CenterPoint().x, cell.CenterPoint().y));
    m_grid->SetSelectedRange(2, 1, 2, 1);
    m_grid->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, Pt(cell.CenterPoint().x, cell.CenterPoint().y));
    Host().log.clear();

    POINTL over = ScreenPointOf(*m_grid, 5, 1);
    KORVELTA_NEEDS_PLATFORM(ProbeCursorMoves(over.x, over.y), "moving the pointer");
    m_grid->BeginOleDrag();
    EXPECT_EQ(m_grid->GetRowOrder(), (std::vector<int>{ 0, 1, 3, 4, 5, 2, 6, 7 }));
    EXPECT_TRUE(Notes(GRIDN_ENDEDIT).empty()) << "a row move clears no text";
    m_grid->SendMessage(WM_LBUTTONUP, 0, Pt(cell.CenterPoint().x, cell.CenterPoint().y));

    // Text from elsewhere is pasted, rows stay where they are.
    MakeOther(6, 4);
    m_other->SetItemText(1, 1, "v");
    m_other->SetSelectedRange(1, 1, 1, 1);
    over = ScreenPointOf(*m_grid, 3, 2);
    KORVELTA_NEEDS_PLATFORM(ProbeCursorMoves(over.x, over.y), "moving the pointer");
    Host().log.clear();
    m_other->BeginOleDrag();
    // The paste grew the grid (ten rows ahead), which starts its row order afresh.
    EXPECT_EQ(m_grid->GetRowCount(), 13);
    EXPECT_EQ(m_grid->GetRowOrder().size(), 13u);
    int pasted = 0;
    for (const HostRecord& r : Notes(GRIDN_ENDEDIT))
        if (r.text == "v" && r.row == 3 && r.col == 2)
            pasted++;
    EXPECT_EQ(pasted, 1);
    EXPECT_EQ(m_other->GetItemText(1, 1), "") << "the text moved";
}

TEST_F(GridDragDropTest, DragImageIsTheFocusCell)
{
    MakeGrid(4, 4, 1, 1);
    m_grid->SetItemText(2, 2, "img");
    CPoint size;
    EXPECT_EQ(m_grid->CreateDragImage(&size), nullptr) << "no focus cell, no image";
    m_grid->SetFocusCell(2, 2);
    HIMAGELIST list = m_grid->CreateDragImage(&size);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(ImageList_GetImageCount(list), 1);
    int w = 0, h = 0;
    ImageList_GetIconSize(list, &w, &h);
    CRect cell;
    m_grid->GetCellRect(2, 2, &cell);
    EXPECT_EQ(w, cell.Width());
    EXPECT_EQ(h, cell.Height());
    EXPECT_EQ(size, CPoint(cell.Width(), cell.Height()));
    ImageList_Destroy(list);
}
