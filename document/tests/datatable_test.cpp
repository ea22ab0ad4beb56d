#include "document/datatable.h"
#include "document/tests/tablehelpers.h"

#include "testsupport/localeguard.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <cstdlib>
#include <random>
#include <string>

using Texts = std::vector<std::string>;

TEST(DataTableCells, WritesGrowTheTableAndBadIndicesLeaveNoTrace)
{
    CDataTableBase table;
    EXPECT_FALSE(table.SetCellText(-1, 0, "x"));
    EXPECT_FALSE(table.SetCellText(3, -1, "x"));
    EXPECT_FALSE(table.SetCellText(3, 256, "x"));
    EXPECT_EQ(0, table.GetRowCount());

    EXPECT_TRUE(table.SetCellText(5, 3, "x"));
    EXPECT_EQ(6, table.GetRowCount());
    EXPECT_EQ(4, table.GetCellCount(5));
    EXPECT_EQ(0, table.GetCellCount(4));
    EXPECT_EQ((Texts{"", "", "", "x"}), Dump(table)[5]);
    EXPECT_STREQ("", table.GetCellText(9, 0));
    EXPECT_STREQ("", table.GetCellText(5, -1));
}

TEST(DataTableCells, TextsUpTo255CharactersShortOrLong)
{
    for (size_t length : {0u, 1u, 10u, 11u, 14u, 15u, 255u, 300u}) {
        const std::string stored = std::string(length, 't').substr(0, 255);
        CDataTableBase table;
        table.SetCellText(0, 0, std::string(length, 't').c_str());
        EXPECT_EQ(stored, table.GetCellText(0, 0));
        CDataTableBase copy(table);
        if (length > 0) {
            table.SetCellText(0, 0, table.GetCellText(0, 0) + 1);   // a tail of its own text
            EXPECT_EQ(stored.substr(1), table.GetCellText(0, 0));
        }
        EXPECT_EQ(stored, copy.GetCellText(0, 0));
    }
}

TEST(DataTableCells, UsedRowCountIgnoresTrailingEmptyRows)
{
    EXPECT_EQ(2, MakeTable({{"a"}, {"", "b"}, {"", ""}, {}}).GetUsedRowCount());
    EXPECT_EQ(0, MakeTable({{""}, {}, {"", ""}}).GetUsedRowCount());
}

TEST(DataTableColumns, InsertAndDeleteMoveCellsAndFlags)
{
    CDataTableBase table = MakeTable({{"a", "b", "c"}, {"x"}, {}});
    table.SetImageColumn(1, true);
    table.SetImageColumn(255, true);
    table.InsertColumn(1);
    // Rows without a cell at the index stay as they are.
    EXPECT_EQ((Rows{{"a", "", "b", "c"}, {"x"}, {}}), Dump(table));
    // The new column keeps the flag at its index, the old one moved right, flag 255 fell off.
    EXPECT_TRUE(table.IsImageColumn(1) && table.IsImageColumn(2));
    EXPECT_FALSE(table.IsImageColumn(255));

    table.DeleteColumn(0);
    EXPECT_EQ((Rows{{"", "b", "c"}, {}, {}}), Dump(table));
    EXPECT_TRUE(table.IsImageColumn(0) && table.IsImageColumn(1) && !table.IsImageColumn(2));

    table.SetImageColumn(255, true);
    table.DeleteColumn(0);
    EXPECT_TRUE(table.IsImageColumn(254) && table.IsImageColumn(255));   // 255 keeps its value

    CDataTableBase before(table);
    for (int column : {-1, 26, 300}) {
        table.InsertColumn(column);
        table.DeleteColumn(column);
    }
    EXPECT_TRUE(SameTable(before, table));

    // A cell pushed past the last column is dropped.
    CDataTableBase full;
    full.SetCellText(0, 255, "end");
    full.InsertColumn(0);
    EXPECT_EQ(256, full.GetCellCount(0));
    EXPECT_STREQ("", full.GetCellText(0, 255));
}

TEST(DataTableFlags, ImageColumnNumbers)
{
    CDataTableBase table;
    for (int column : {2, 5, 30})
        table.SetImageColumn(column, true);
    EXPECT_EQ(2, table.CountImageColumns());                // "A".."Z" only
    EXPECT_EQ(2, table.GetImageColumnNumber(5));
    EXPECT_EQ(3, table.GetImageColumnNumber(30));
    EXPECT_EQ(-1, table.GetImageColumnNumber(3));
    EXPECT_EQ(-1, table.GetImageColumnNumber(256));
    EXPECT_FALSE(table.ToggleImageColumn(300));
}

// ---------------------------------------------------------------------------------------------
// Sorting

namespace {

// Keys in column A, the original position in column B.
CDataTableBase KeyedTable(const Texts& keys)
{
    CDataTableBase table;
    for (size_t i = 0; i < keys.size(); ++i) {
        table.SetCellText(static_cast<int>(i), 0, keys[i].c_str());
        table.SetCellText(static_cast<int>(i), 1, std::to_string(i).c_str());
    }
    return table;
}

} // namespace

TEST(DataTableSort, NumbersAsNumbersTextsByteWise)
{
    CDataTableBase table = KeyedTable({"10", "9", "abc", "2"});
    table.SortByColumn(0, false);
    EXPECT_EQ((Texts{"2", "9", "10", "abc"}), Column(table, 0));
    table.SortByColumn(0, true);
    EXPECT_EQ((Texts{"abc", "10", "9", "2"}), Column(table, 0));
    EXPECT_EQ((Texts{"2", "0", "1", "3"}), Column(table, 1));  // cells move with their rows

    // "12kg" scans as 12; bytes compare unsigned (a-ring after z); a missing cell is "".
    CDataTableBase mixed = KeyedTable({"\xE5", "z", "ab", "abc", "12kg", "9", "B"});
    mixed.SetCellText(7, 1, "no key");
    mixed.SortByColumn(0, false);
    EXPECT_EQ((Texts{"", "9", "12kg", "B", "ab", "abc", "z", "\xE5"}), Column(mixed, 0));
}

TEST(DataTableSort, EqualKeysKeepTheirOrder)
{
    CDataTableBase table = KeyedTable({"b", "a", "b", "3", "03", "a", "3.0"});
    std::vector<int> order;
    table.SortByColumn(0, false, &order);
    EXPECT_EQ((Texts{"3", "03", "3.0", "a", "a", "b", "b"}), Column(table, 0));
    EXPECT_EQ((std::vector<int>{3, 4, 6, 1, 5, 0, 2}), order);
    table.SortByColumn(0, true);
    EXPECT_EQ((Texts{"0", "2", "1", "5", "3", "4", "6"}), Column(table, 1));

    CDataTableBase empty;
    empty.SortByColumn(0, false, &order);
    EXPECT_TRUE(order.empty());
}

TEST(DataTableSort, MatchesAStableReferenceOnManyRows)
{
    std::mt19937 random(12345);
    for (bool numeric : {true, false}) {
        Texts keys;
        for (int i = 0; i < 3000; ++i) {
            int value = static_cast<int>(random() % 200);
            keys.push_back(numeric ? std::to_string(value) : "k" + std::to_string(value));
        }
        for (bool descending : {false, true}) {
            std::vector<int> expected(keys.size());
            for (size_t i = 0; i < keys.size(); ++i)
                expected[i] = static_cast<int>(i);
            std::stable_sort(expected.begin(), expected.end(), [&](int a, int b) {
                if (numeric) {
                    int x = std::atoi(keys[a].c_str()), y = std::atoi(keys[b].c_str());
                    return descending ? x > y : x < y;
                }
                return descending ? keys[a] > keys[b] : keys[a] < keys[b];
            });
            std::vector<int> order;
            KeyedTable(keys).SortByColumn(0, descending, &order);
            EXPECT_EQ(expected, order) << "numeric " << numeric << " descending " << descending;
        }
    }
}

// The program sets the numeric locale from the user's settings at start-up; numbers in cells are
// read with its decimal separator.
TEST(DataTableSortLocale, DecimalSeparatorOfTheUserLocale)
{
    NumericLocaleGuard user("");
    ASSERT_TRUE(user.ok());
    ASSERT_TRUE(DecimalSeparatorMatchesTheRun());
    const bool comma = *localeconv()->decimal_point == ',';
    CDataTableBase plain = KeyedTable({"10", "9", "abc", "2"});
    plain.SortByColumn(0, true);
    EXPECT_EQ((Texts{"abc", "10", "9", "2"}), Column(plain, 0));

    CDataTableBase table = KeyedTable({"2,5", "10", "2,25", "abc", "1,75"});
    table.SortByColumn(0, false);
    if (comma)
        EXPECT_EQ((Texts{"1,75", "2,25", "2,5", "10", "abc"}), Column(table, 0));
    else   // "2,5" and "2,25" both read as 2 and keep their order
        EXPECT_EQ((Texts{"1,75", "2,5", "2,25", "10", "abc"}), Column(table, 0));
}

TEST(DataTableSortLocale, SwedishDecimalCommas)
{
    NumericLocaleGuard swedish("Swedish_Sweden.1252");
    ASSERT_TRUE(swedish.ok()) << "the C runtime has no Swedish locale";
    ASSERT_STREQ(",", localeconv()->decimal_point);
    CDataTableBase table = KeyedTable({"2,5", "2,25", "10", "-1,5", "abc", "9"});
    table.SortByColumn(0, false);
    EXPECT_EQ((Texts{"-1,5", "2,25", "2,5", "9", "10", "abc"}), Column(table, 0));
    table.SortByColumn(0, true);
    EXPECT_EQ((Texts{"abc", "10", "9", "2,5", "2,25", "-1,5"}), Column(table, 0));
}
