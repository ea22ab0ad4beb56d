#include "document/datatablemaps.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

CDataTableRowMap RowMapOf(const std::vector<int>& entries)
{
    CDataTableRowMap map;
    map.Clear();
    for (int e : entries)
        map.AddRow(e);
    return map;
}

std::vector<int> Entries(const CDataTableRowMap& map)
{
    std::vector<int> entries;
    for (int k = 0; k < map.GetMappedCount(); ++k)
        entries.push_back(map.GetEntry(k));
    return entries;
}

} // namespace

TEST(ColumnMap, FindOrAdd)
{
    CDataTableMap map;
    EXPECT_EQ(256, map.FindOrAdd(300));    // identity: no entry holds it and none is free
    map.Clear();
    EXPECT_EQ(0, map.FindOrAdd(4));
    EXPECT_EQ(1, map.FindOrAdd(2));
    EXPECT_EQ(0, map.FindOrAdd(4));
    EXPECT_EQ(-1, map.GetEntry(2));
    EXPECT_EQ(-1, map.GetEntry(256));
}

TEST(RowMap, BasePositions)
{
    CDataTableRowMap map = RowMapOf({3, 7, 9});
    const int expected[][2] = {{-2, 0}, {0, 0}, {1, 4}, {2, 8}, {3, 10}, {4, 11}, {5, 12}};
    for (const auto& e : expected)
        EXPECT_EQ(e[1], map.GetBasePosition(e[0])) << "n " << e[0];
    EXPECT_EQ(6, RowMapOf({}).GetBasePosition(6));
}

TEST(RowMap, AddRowSkipsDuplicatesAndGrows)
{
    CDataTableRowMap map = RowMapOf({3, 7, 3, 9, 7, -1});
    EXPECT_EQ((std::vector<int>{3, 7, 9}), Entries(map));
    map.AddRow(1000);
    EXPECT_EQ(1024, map.GetCount());       // steps of 256 up to index 1000
    EXPECT_EQ(1000, map.GetEntry(3));
    EXPECT_EQ(-1, map.GetEntry(4));

    // The constructed identity map is full; a new row still finds room.
    CDataTableRowMap identity;
    EXPECT_EQ(256, identity.GetMappedCount());
    identity.AddRow(300);
    EXPECT_EQ(300, identity.GetEntry(256));
}

TEST(RowMap, InsertRecordsTheNewBaseRowAndShiftsLaterEntries)
{
    CDataTableRowMap map = RowMapOf({3, 7, 9});
    ASSERT_TRUE(map.InsertRow(1, map.GetBasePosition(1)));
    EXPECT_EQ((std::vector<int>{3, 4, 8, 10}), Entries(map));
    ASSERT_TRUE(map.InsertRow(0, 0));
    EXPECT_EQ((std::vector<int>{0, 4, 5, 9, 11}), Entries(map));
    ASSERT_TRUE(map.InsertRow(5, map.GetBasePosition(5)));
    EXPECT_EQ((std::vector<int>{0, 4, 5, 9, 11, 12}), Entries(map));
    EXPECT_FALSE(map.InsertRow(7, 20));    // would leave a gap
    EXPECT_FALSE(map.InsertRow(-1, 0));

    CDataTableRowMap full;                 // 256 entries in use: the array grows
    ASSERT_TRUE(full.InsertRow(10, 10));
    EXPECT_EQ(257, full.GetMappedCount());
    EXPECT_EQ(11, full.GetEntry(11));
    EXPECT_EQ(256, full.GetEntry(256));
}

TEST(RowMap, DeleteRemovesTheEntryAndDecrementsGreaterEntries)
{
    CDataTableRowMap map = RowMapOf({3, 7, 9});
    EXPECT_EQ(7, map.DeleteRow(1));
    EXPECT_EQ((std::vector<int>{3, 8}), Entries(map));
    EXPECT_EQ(-1, map.DeleteRow(2));
    EXPECT_EQ(-1, map.DeleteRow(-1));

    // Out of order (after sorting): every entry above the deleted base row moves, wherever it is.
    CDataTableRowMap sorted = RowMapOf({9, 3, 7, 1});
    EXPECT_EQ(3, sorted.DeleteRow(1));
    EXPECT_EQ((std::vector<int>{8, 6, 1}), Entries(sorted));
    sorted.AddRow(8);                      // still known as mapped
    EXPECT_EQ(3, sorted.GetMappedCount());
}

TEST(RowMap, ReorderFollowsTheRows)
{
    CDataTableRowMap map = RowMapOf({2, 4, 6});
    map.SetInOrder(true);
    EXPECT_TRUE(map.Reorder({2, 0, 1}));
    EXPECT_EQ((std::vector<int>{6, 2, 4}), Entries(map));
    EXPECT_TRUE(map.IsInOrder());
    EXPECT_FALSE(map.Reorder({0, 1}));
    EXPECT_FALSE(map.IsInOrder());
}
