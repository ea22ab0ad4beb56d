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

TEST(ColumnMap, IdentityClearAndFindOrAdd)
{
    CDataTableMap map;
    EXPECT_EQ(0, map.GetEntry(0));
    EXPECT_EQ(255, map.GetEntry(255));
    EXPECT_EQ(-1, map.GetEntry(256));
    EXPECT_EQ(-1, map.GetEntry(-1));
    EXPECT_EQ(7, map.FindOrAdd(7));

    map.Clear();
    EXPECT_EQ(-1, map.GetEntry(0));
    EXPECT_EQ(0, map.FindOrAdd(4));
    EXPECT_EQ(1, map.FindOrAdd(2));
    EXPECT_EQ(0, map.FindOrAdd(4));        // already there
    EXPECT_EQ(4, map.GetEntry(0));
    EXPECT_EQ(2, map.GetEntry(1));
    EXPECT_EQ(-1, map.GetEntry(2));

    map.SetIdentity();
    EXPECT_EQ(256, map.FindOrAdd(300));    // no entry holds it and none is free
}

TEST(RowMap, ConstructedAsIdentityOf256)
{
    CDataTableRowMap map;
    EXPECT_EQ(256, map.GetCount());
    EXPECT_EQ(256, map.GetMappedCount());
    EXPECT_EQ(17, map.GetEntry(17));
    EXPECT_EQ(-1, map.GetEntry(256));
    EXPECT_FALSE(map.IsInOrder());
}

TEST(RowMap, BasePositions)
{
    CDataTableRowMap map = RowMapOf({3, 7, 9});
    EXPECT_EQ(0, map.GetBasePosition(0));
    EXPECT_EQ(0, map.GetBasePosition(-2));
    EXPECT_EQ(4, map.GetBasePosition(1));
    EXPECT_EQ(8, map.GetBasePosition(2));
    EXPECT_EQ(10, map.GetBasePosition(3));
    EXPECT_EQ(11, map.GetBasePosition(4));
    EXPECT_EQ(12, map.GetBasePosition(5));
    CDataTableRowMap empty = RowMapOf({});
    EXPECT_EQ(6, empty.GetBasePosition(6));
}

TEST(RowMap, AddRowSkipsDuplicatesAndGrows)
{
    CDataTableRowMap map = RowMapOf({3, 7, 3, 9, 7});
    EXPECT_EQ((std::vector<int>{3, 7, 9}), Entries(map));
    map.AddRow(-1);
    EXPECT_EQ(3, map.GetMappedCount());
    map.AddRow(1000);
    EXPECT_EQ(1024, map.GetCount());       // grown in steps of 256 to hold index 1000
    EXPECT_EQ(1000, map.GetEntry(3));
    EXPECT_EQ(-1, map.GetEntry(4));

    CDataTableRowMap full = RowMapOf({});
    for (int row = 0; row < 600; ++row)
        full.AddRow(row);
    EXPECT_EQ(600, full.GetMappedCount());
    EXPECT_EQ(768, full.GetCount());
    EXPECT_EQ(599, full.GetEntry(599));

    // A full identity map still takes a new row.
    CDataTableRowMap identity;
    identity.AddRow(300);
    EXPECT_EQ(257, identity.GetMappedCount());
    EXPECT_EQ(300, identity.GetEntry(256));
}

TEST(RowMap, InsertRecordsTheNewBaseRowAndShiftsLaterEntries)
{
    CDataTableRowMap map = RowMapOf({3, 7, 9});
    // A row inserted at filtered row 1 goes to base row 4.
    ASSERT_TRUE(map.InsertRow(1, map.GetBasePosition(1)));
    EXPECT_EQ((std::vector<int>{3, 4, 8, 10}), Entries(map));
    ASSERT_TRUE(map.InsertRow(0, 0));
    EXPECT_EQ((std::vector<int>{0, 4, 5, 9, 11}), Entries(map));
    ASSERT_TRUE(map.InsertRow(5, map.GetBasePosition(5)));   // at the end
    EXPECT_EQ((std::vector<int>{0, 4, 5, 9, 11, 12}), Entries(map));
    EXPECT_FALSE(map.InsertRow(7, 20));    // would leave a gap
    EXPECT_FALSE(map.InsertRow(-1, 0));
    EXPECT_EQ(6, map.GetMappedCount());
}

TEST(RowMap, InsertIntoAFullArrayGrowsIt)
{
    CDataTableRowMap map;                  // 256 entries in use
    ASSERT_TRUE(map.InsertRow(10, 10));
    EXPECT_EQ(257, map.GetMappedCount());
    EXPECT_EQ(512, map.GetCount());
    EXPECT_EQ(10, map.GetEntry(10));
    EXPECT_EQ(11, map.GetEntry(11));
    EXPECT_EQ(256, map.GetEntry(256));
}

TEST(RowMap, DeleteRemovesTheEntryAndDecrementsGreaterEntries)
{
    CDataTableRowMap map = RowMapOf({3, 7, 9});
    EXPECT_EQ(7, map.DeleteRow(1));
    EXPECT_EQ((std::vector<int>{3, 8}), Entries(map));
    EXPECT_EQ(-1, map.GetEntry(2));
    EXPECT_EQ(-1, map.DeleteRow(2));
    EXPECT_EQ(-1, map.DeleteRow(-1));
    EXPECT_EQ(3, map.DeleteRow(0));
    EXPECT_EQ((std::vector<int>{7}), Entries(map));

    // Out of order (after sorting): every entry above the deleted base row moves, wherever it is.
    CDataTableRowMap sorted = RowMapOf({9, 3, 7, 1});
    EXPECT_EQ(3, sorted.DeleteRow(1));
    EXPECT_EQ((std::vector<int>{8, 6, 1}), Entries(sorted));
    sorted.AddRow(8);                      // still known as taken
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
