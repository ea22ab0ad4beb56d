// Sorting rows: the byte-wise default order, a caller's compare, header clicks that alternate,
// virtual sorts through the row order both ways, and the row-order edits.
#include "grid/tests/gridtesthost.h"
#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::vector<std::string> Column(CGridCtrl& grid, int col)
{
    std::vector<std::string> out;
    for (int r = grid.GetFixedRowCount(); r < grid.GetRowCount(); r++)
        out.push_back(grid.GetItemText(r, col).GetString());
    return out;
}

int CALLBACK ByNumber(LPARAM a, LPARAM b, LPARAM)
{
    int x = std::atoi(reinterpret_cast<CGridCellBase*>(a)->GetText());
    int y = std::atoi(reinterpret_cast<CGridCellBase*>(b)->GetText());
    return x < y ? -1 : x > y ? 1 : 0;
}

// The owner's data of a virtual grid: column 1 holds a key, column 2 the data row's number.
std::vector<int> g_keys;

bool KeyBefore(int a, int b)
{
    CGridCtrl* grid = CGridCtrl::SortingGrid();
    EXPECT_NE(grid, nullptr);
    EXPECT_EQ(grid->GetSortingPhysicalColumn(), 1);
    return g_keys[static_cast<size_t>(a)] < g_keys[static_cast<size_t>(b)];
}

}  // namespace

class GridSortTest : public GridTest {};

TEST_F(GridSortTest, DefaultOrderIsByUnsignedBytesShorterFirst)
{
    MakeGrid(8, 3, 1, 1);
    const char* texts[] = { "b", "a", "ab", "", "\xe9t\xe9", "B", "a" };
    for (int i = 0; i < 7; i++) {
        m_grid->SetItemText(i + 1, 1, texts[i]);
        m_grid->SetItemText(i + 1, 2, std::to_string(i).c_str());
    }
    m_grid->SetRowHeight(3, 30);   // the height travels with its row ("ab")
    EXPECT_TRUE(m_grid->SortTextItems(1, TRUE));
    EXPECT_EQ(Column(*m_grid, 1), (std::vector<std::string>{ "", "B", "a", "a", "ab", "b", "\xe9t\xe9" }));
    EXPECT_EQ(m_grid->GetItemText(5, 2), "2") << "whole rows move";
    EXPECT_EQ(m_grid->GetRowHeight(5), 30);
    EXPECT_EQ(m_grid->GetCell(5, 1)->GetText(), std::string("ab"));
    EXPECT_EQ(m_grid->GetSortColumn(), 1);

    EXPECT_TRUE(m_grid->SortTextItems(1, FALSE));
    EXPECT_EQ(Column(*m_grid, 1), (std::vector<std::string>{ "\xe9t\xe9", "b", "ab", "a", "a", "B", "" }));
    EXPECT_FALSE(m_grid->SortItems(nullptr, 7, TRUE)) << "no such column";
    EXPECT_FALSE(m_grid->SortItems(nullptr, 1, TRUE, 0, 4, 4)) << "nothing to sort";
}

TEST_F(GridSortTest, CallersCompareAndAGrowingGrid)
{
    MakeGrid(1, 2, 1, 1);
    const int n = 20000;
    m_grid->SetRowCount(n + 1);
    for (int r = 1; r <= n; r++)   // descending, with runs of equal keys
        m_grid->SetItemText(r, 1, std::to_string((n - r) / 3).c_str());
    EXPECT_TRUE(m_grid->SortColumn(ByNumber, 1, TRUE));
    std::vector<std::string> col = Column(*m_grid, 1);
    for (size_t i = 1; i < col.size(); i++)
        ASSERT_LE(std::atoi(col[i - 1].c_str()), std::atoi(col[i].c_str())) << i;
    m_grid->SetCompareFunction(ByNumber);
    EXPECT_TRUE(m_grid->SortTextItems(1, FALSE));
    col = Column(*m_grid, 1);
    EXPECT_EQ(col.front(), std::to_string((n - 1) / 3));
    EXPECT_EQ(col.back(), "0");
}

TEST_F(GridSortTest, HeaderClicksAlternateAndANewColumnStartsAscending)
{
    MakeGrid(4, 3, 1, 1);
    m_grid->SetHeaderSort(TRUE);
    m_grid->SetItemText(1, 1, "b");
    m_grid->SetItemText(2, 1, "c");
    m_grid->SetItemText(3, 1, "a");
    m_grid->SetItemText(1, 2, "2");
    m_grid->SetItemText(2, 2, "1");
    m_grid->SetItemText(3, 2, "3");
    CRect cell;
    m_grid->GetCellRect(0, 1, &cell);
    Click(cell.CenterPoint().x, cell.CenterPoint().y);
    EXPECT_EQ(Column(*m_grid, 1), (std::vector<std::string>{ "a", "b", "c" }));
    EXPECT_TRUE(m_grid->GetSortAscending());
    Click(cell.CenterPoint().x, cell.CenterPoint().y);
    EXPECT_EQ(Column(*m_grid, 1), (std::vector<std::string>{ "c", "b", "a" }));
    EXPECT_FALSE(m_grid->GetSortAscending());
    m_grid->GetCellRect(0, 2, &cell);
    Click(cell.CenterPoint().x, cell.CenterPoint().y);
    EXPECT_EQ(Column(*m_grid, 2), (std::vector<std::string>{ "1", "2", "3" }));
    EXPECT_EQ(m_grid->GetSortColumn(), 2);
}

TEST_F(GridSortTest, VirtualSortsMoveTheRowOrderAndKeepTies)
{
    MakeVirtualGrid(7, 3, 1, 1);
    g_keys = { 0, 5, 1, 5, 0, 1, 3 };   // data row 0 is the header
    EXPECT_FALSE(m_grid->SortItems(nullptr, 1, TRUE)) << "no predicate, no sort";
    m_grid->SetVirtualCompare(KeyBefore);
    EXPECT_TRUE(m_grid->SortItems(nullptr, 1, TRUE));
    EXPECT_EQ(m_grid->GetRowOrder(), (std::vector<int>{ 0, 4, 2, 5, 6, 1, 3 }));
    EXPECT_EQ(CGridCtrl::SortingGrid(), nullptr) << "cleared afterwards";
    EXPECT_EQ(m_grid->GetItemText(1, 2), "4:2") << "the owner is asked for the data row";
    EXPECT_TRUE(m_grid->SortItems(nullptr, 1, FALSE));
    // Equal keys keep the order they had: 1 before 3, 2 before 5.
    EXPECT_EQ(m_grid->GetRowOrder(), (std::vector<int>{ 0, 1, 3, 6, 2, 5, 4 }));

    m_grid->ResetRowOrder();
    m_grid->MoveRow(1, 4);
    EXPECT_EQ(m_grid->GetRowOrder(), (std::vector<int>{ 0, 2, 3, 4, 1, 5, 6 }));
    m_grid->MoveRow(5, 2);
    EXPECT_EQ(m_grid->GetRowOrder(), (std::vector<int>{ 0, 2, 3, 5, 4, 1, 6 }));
    m_grid->MoveRow(-1, 2);
    m_grid->MoveRow(2, 7);
    EXPECT_EQ(m_grid->GetRowOrder(), (std::vector<int>{ 0, 2, 3, 5, 4, 1, 6 })) << "outside the order: nothing";

    m_grid->ResetRowOrder();
    m_grid->AdjustRowOrder(3, 1);
    EXPECT_EQ(m_grid->GetRowOrder(), (std::vector<int>{ 0, 1, 2, 3, 4, 5, 6, 7 }));
    m_grid->AdjustRowOrder(2, -1);
    EXPECT_EQ(m_grid->GetRowOrder(), (std::vector<int>{ 0, 1, 2, 3, 4, 5, 6 }));
    // In a moved order the deleted data row goes, not whatever stands at its position.
    m_grid->MoveRow(1, 4);
    m_grid->AdjustRowOrder(1, -1);
    EXPECT_EQ(m_grid->GetRowOrder(), (std::vector<int>{ 0, 1, 2, 3, 4, 5 }));
}
