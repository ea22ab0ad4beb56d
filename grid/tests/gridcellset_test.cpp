// The selection's set of cells against a plain set of cells: the same answers for every mix of
// rectangles and single cells put in and taken out, in a handful of rectangles.
#include "grid/gridcellset.h"
#include <gtest/gtest.h>
#include <random>
#include <set>
#include <utility>
#include <vector>

namespace {

using Cells = std::set<std::pair<int, int>>;

void ExpectSame(const GridCellSet& set, const Cells& want, int rows, int cols)
{
    ASSERT_EQ(set.size(), want.size());
    EXPECT_EQ(set.empty(), want.empty());
    for (int r = 0; r < rows; r++)
        for (int c = 0; c < cols; c++)
            ASSERT_EQ(set.contains(r, c), want.count({ r, c }) != 0) << r << "," << c;
    // Row by row, left to right, every cell once.
    std::vector<std::pair<int, int>> seen;
    set.ForEachCell([&](int r, int c) { seen.emplace_back(r, c); });
    const std::vector<std::pair<int, int>> ordered(want.begin(), want.end());
    EXPECT_EQ(seen, ordered);
    // A whole row or column is covered exactly when every cell of it is in, however the
    // rectangles cut it.
    for (int r = 0; r < rows; r++) {
        bool all = true;
        for (int c = 0; c < cols; c++)
            all = all && want.count({ r, c }) != 0;
        ASSERT_EQ(set.covers(CGridCellRange(r, 0, r, cols - 1)), all) << "row " << r;
    }
    for (int c = 0; c < cols; c++) {
        bool all = true;
        for (int r = 0; r < rows; r++)
            all = all && want.count({ r, c }) != 0;
        ASSERT_EQ(set.covers(CGridCellRange(0, c, rows - 1, c)), all) << "column " << c;
    }
    EXPECT_FALSE(set.covers(CGridCellRange()));
    if (want.empty()) {
        EXPECT_FALSE(set.Bounds().IsValid());
        return;
    }
    int minRow = rows, minCol = cols, maxRow = -1, maxCol = -1;
    for (const auto& cell : want) {
        minRow = std::min(minRow, cell.first);
        maxRow = std::max(maxRow, cell.first);
        minCol = std::min(minCol, cell.second);
        maxCol = std::max(maxCol, cell.second);
    }
    EXPECT_EQ(set.Bounds(), CGridCellRange(minRow, minCol, maxRow, maxCol));
    // The rectangles do not overlap.
    size_t cells = 0;
    for (const CGridCellRange& r : set.Ranges()) {
        EXPECT_TRUE(r.IsValid());
        cells += static_cast<size_t>(r.Count());
    }
    EXPECT_EQ(cells, want.size());
}

}  // namespace

TEST(GridCellSetTest, RectanglesAndCellsInAndOut)
{
    GridCellSet set;
    Cells want;
    ExpectSame(set, want, 8, 8);
    set.insert(CGridCellRange(1, 1, 5, 6));
    for (int r = 1; r <= 5; r++)
        for (int c = 1; c <= 6; c++)
            want.insert({ r, c });
    ExpectSame(set, want, 8, 8);
    EXPECT_EQ(set.Ranges().size(), 1u);

    // A hole, then the hole filled again: one rectangle once more.
    set.erase(3, 4);
    want.erase({ 3, 4 });
    ExpectSame(set, want, 8, 8);
    set.insert(3, 4);
    want.insert({ 3, 4 });
    ExpectSame(set, want, 8, 8);
    EXPECT_LE(set.Ranges().size(), 4u);

    // Invalid ranges change nothing; a range inside the set adds nothing.
    set.insert(CGridCellRange(4, 4, 2, 2));
    set.erase(CGridCellRange(-1, -1, -1, -1));
    set.insert(CGridCellRange(2, 2, 3, 3));
    ExpectSame(set, want, 8, 8);

    // Fewer rows and columns.
    set.ClipTo(4, 3);
    Cells clipped;
    for (const auto& cell : want)
        if (cell.first < 4 && cell.second < 3)
            clipped.insert(cell);
    ExpectSame(set, clipped, 8, 8);
    set.clear();
    ExpectSame(set, Cells(), 8, 8);
}

TEST(GridCellSetTest, CellsPutInRowByRowJoinIntoOneRectangle)
{
    GridCellSet set;
    for (int r = 10; r < 30; r++)
        for (int c = 2; c < 9; c++)
            set.insert(r, c);
    EXPECT_EQ(set.size(), 20u * 7u);
    EXPECT_EQ(set.Ranges().size(), 1u);
    // Taken out row by row again, the rest stays a rectangle or two.
    for (int r = 10; r < 20; r++)
        for (int c = 2; c < 9; c++) {
            set.erase(r, c);
            ASSERT_LE(set.Ranges().size(), 3u);
        }
    EXPECT_EQ(set.Bounds(), CGridCellRange(20, 2, 29, 8));
}

TEST(GridCellSetTest, RandomMixesAnswerAsAPlainSet)
{
    std::mt19937 random(40);
    const int rows = 12, cols = 9;
    for (int round = 0; round < 40; round++) {
        GridCellSet set;
        Cells want;
        for (int step = 0; step < 30; step++) {
            const int r0 = static_cast<int>(random() % rows), r1 = static_cast<int>(random() % rows);
            const int c0 = static_cast<int>(random() % cols), c1 = static_cast<int>(random() % cols);
            const bool single = random() % 3 == 0;
            const CGridCellRange range = single ? CGridCellRange(r0, c0, r0, c0)
                                                : CGridCellRange(std::min(r0, r1), std::min(c0, c1), std::max(r0, r1),
                                                                 std::max(c0, c1));
            const bool in = random() % 3 != 0;
            if (in)
                set.insert(range);
            else
                set.erase(range);
            for (int r = range.GetMinRow(); r <= range.GetMaxRow(); r++)
                for (int c = range.GetMinCol(); c <= range.GetMaxCol(); c++) {
                    if (in)
                        want.insert({ r, c });
                    else
                        want.erase({ r, c });
                }
            GridCellSet copy = set;
            ASSERT_NO_FATAL_FAILURE(ExpectSame(copy, want, rows, cols)) << round << "/" << step;
        }
    }
}
