#include "document/datatable.h"
#include "document/tests/tablehelpers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <cstdlib>
#include <random>
#include <string>

TEST(DataTableCells, SetCellTextAppendsRowsAndCells)
{
    CDataTableBase table;
    EXPECT_TRUE(table.SetCellText(5, 3, "x"));
    EXPECT_EQ(6, table.GetRowCount());
    EXPECT_EQ(4, table.GetCellCount(5));
    EXPECT_EQ(0, table.GetCellCount(4));
    EXPECT_STREQ("", table.GetCellText(5, 0));
    EXPECT_STREQ("x", table.GetCellText(5, 3));
    EXPECT_STREQ("", table.GetCellText(5, 4));
    EXPECT_STREQ("", table.GetCellText(9, 0));
    EXPECT_STREQ("", table.GetCellText(-1, 0));
    EXPECT_STREQ("", table.GetCellText(5, -1));
    EXPECT_EQ(0, table.GetCellCount(-1));
}

TEST(DataTableCells, BadIndicesAreRefusedWithoutTrace)
{
    CDataTableBase table;
    EXPECT_FALSE(table.SetCellText(-1, 0, "x"));
    EXPECT_FALSE(table.SetCellText(3, -1, "x"));
    EXPECT_FALSE(table.SetCellText(3, 256, "x"));
    EXPECT_EQ(0, table.GetRowCount());
    EXPECT_TRUE(table.SetCellText(0, 255, "last"));
    EXPECT_EQ(256, table.GetCellCount(0));
}

TEST(DataTableCells, TextsAreCutAt255Characters)
{
    CDataTableBase table;
    std::string longText(300, 'q');
    table.SetCellText(0, 0, longText.c_str());
    EXPECT_EQ(std::string(255, 'q'), table.GetCellText(0, 0));
    table.SetCellText(0, 0, nullptr);
    EXPECT_STREQ("", table.GetCellText(0, 0));
    EXPECT_EQ(1, table.GetCellCount(0));
}

TEST(DataTableCells, UsedRowCountIgnoresTrailingEmptyRows)
{
    CDataTableBase table = MakeTable({{"a"}, {"", "b"}, {"", ""}, {}});
    EXPECT_EQ(4, table.GetRowCount());
    EXPECT_EQ(2, table.GetUsedRowCount());
    CDataTableBase empty = MakeTable({{""}, {}, {"", ""}});
    EXPECT_EQ(3, empty.GetRowCount());
    EXPECT_EQ(0, empty.GetUsedRowCount());
}

TEST(DataTableRows, InsertAndDeleteRows)
{
    CDataTableBase table = MakeTable({{"a"}, {"b"}, {"c"}});
    table.InsertRow(1);
    EXPECT_EQ((Rows{{"a"}, {}, {"b"}, {"c"}}), Dump(table));
    table.InsertRow(4);                    // past the end: nothing
    table.InsertRow(-1);
    EXPECT_EQ(4, table.GetRowCount());
    table.DeleteRow(2);
    table.DeleteRow(7);
    table.DeleteRow(-1);
    EXPECT_EQ((Rows{{"a"}, {}, {"c"}}), Dump(table));
    table.RemoveAllRows();
    EXPECT_EQ(0, table.GetRowCount());
}

TEST(DataTableColumns, InsertColumnShiftsCellsAndFlags)
{
    CDataTableBase table = MakeTable({{"a", "b", "c"}, {"x"}, {}});
    table.SetImageColumn(1, true);
    table.SetImageColumn(255, true);
    table.InsertColumn(1);
    // Rows without a cell at the index keep their cells.
    EXPECT_EQ((Rows{{"a", "", "b", "c"}, {"x"}, {}}), Dump(table));
    // The new column keeps the flag that was at its index; the old flag moved right; 255 fell off.
    EXPECT_TRUE(table.IsImageColumn(1));
    EXPECT_TRUE(table.IsImageColumn(2));
    EXPECT_FALSE(table.IsImageColumn(255));
    EXPECT_EQ(2, table.CountImageColumns());

    CDataTableBase before(table);
    table.InsertColumn(26);
    table.InsertColumn(-1);
    EXPECT_TRUE(SameTable(before, table));
}

TEST(DataTableColumns, DeleteColumnShiftsCellsAndFlags)
{
    CDataTableBase table = MakeTable({{"a", "b", "c"}, {"x"}});
    table.SetImageColumn(1, true);
    table.SetImageColumn(255, true);
    table.DeleteColumn(0);
    EXPECT_EQ((Rows{{"b", "c"}, {}}), Dump(table));
    EXPECT_TRUE(table.IsImageColumn(0));   // B's flag is now A's
    EXPECT_FALSE(table.IsImageColumn(1));
    EXPECT_TRUE(table.IsImageColumn(254));
    EXPECT_TRUE(table.IsImageColumn(255)); // the last flag keeps its value

    CDataTableBase before(table);
    table.DeleteColumn(26);
    table.DeleteColumn(-3);
    EXPECT_TRUE(SameTable(before, table));
}

TEST(DataTableColumns, InsertingIntoAFullRowDropsTheLastCell)
{
    CDataTableBase table;
    table.SetCellText(0, 255, "end");
    table.SetCellText(0, 0, "first");
    table.InsertColumn(0);
    EXPECT_EQ(256, table.GetCellCount(0));
    EXPECT_STREQ("first", table.GetCellText(0, 1));
    EXPECT_STREQ("", table.GetCellText(0, 255));
}

TEST(DataTableFlags, ImageColumnNumbersAndCounts)
{
    CDataTableBase table;
    table.SetImageColumn(2, true);
    table.SetImageColumn(5, true);
    table.SetImageColumn(30, true);        // beyond "Z": not counted
    EXPECT_EQ(2, table.CountImageColumns());
    EXPECT_EQ(1, table.GetImageColumnNumber(2));
    EXPECT_EQ(2, table.GetImageColumnNumber(5));
    EXPECT_EQ(3, table.GetImageColumnNumber(30));
    EXPECT_EQ(-1, table.GetImageColumnNumber(3));
    EXPECT_EQ(-1, table.GetImageColumnNumber(256));
    EXPECT_EQ(-1, table.GetImageColumnNumber(-1));
    EXPECT_FALSE(table.ToggleImageColumn(300));
    EXPECT_TRUE(table.ToggleImageColumn(2));
    EXPECT_FALSE(table.IsImageColumn(2));
}

TEST(DataTableCopy, CopiesAreDeepAndIndependent)
{
    CDataTableBase table = MakeTable({{"a", "b"}, {}, {"c"}});
    table.SetImageColumn(4, true);
    CDataTableBase copy(table);
    EXPECT_TRUE(SameTable(table, copy));
    copy.SetCellText(0, 0, "changed");
    copy.SetImageColumn(4, false);
    EXPECT_STREQ("a", table.GetCellText(0, 0));
    EXPECT_TRUE(table.IsImageColumn(4));

    CDataTableBase assigned;
    assigned = table;
    EXPECT_TRUE(SameTable(table, assigned));
    CDataTableBase moved(std::move(assigned));
    EXPECT_TRUE(SameTable(table, moved));
}

// ---------------------------------------------------------------------------------------------
// Sorting

namespace {

CDataTableBase KeyedTable(const std::vector<std::string>& keys)
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
    EXPECT_EQ((std::vector<std::string>{"2", "9", "10", "abc"}), Column(table, 0));
    table.SortByColumn(0, true);
    EXPECT_EQ((std::vector<std::string>{"abc", "10", "9", "2"}), Column(table, 0));
    // Cells move with their rows.
    EXPECT_EQ((std::vector<std::string>{"2", "0", "1", "3"}), Column(table, 1));
}

TEST(DataTableSort, EqualKeysKeepTheirOrder)
{
    CDataTableBase table = KeyedTable({"b", "a", "b", "3", "03", "a", "3.0"});
    std::vector<int> order;
    table.SortByColumn(0, false, &order);
    // 3, 03 and 3.0 are equal numbers: they stay in their order.
    EXPECT_EQ((std::vector<std::string>{"3", "03", "3.0", "a", "a", "b", "b"}), Column(table, 0));
    EXPECT_EQ((std::vector<std::string>{"3", "4", "6", "1", "5", "0", "2"}), Column(table, 1));
    EXPECT_EQ((std::vector<int>{3, 4, 6, 1, 5, 0, 2}), order);
    table.SortByColumn(0, true);
    EXPECT_EQ((std::vector<std::string>{"0", "2", "1", "5", "3", "4", "6"}), Column(table, 1));
}

TEST(DataTableSort, ByteOrderLeadingNumbersAndMissingCells)
{
    CDataTableBase table;
    const char* keys[] = {"\xE5", "z", "ab", "abc", "12kg", "9", "B"};
    for (int i = 0; i < 7; ++i)
        table.SetCellText(i, 0, keys[i]);
    table.SetCellText(7, 1, "no key");     // a row without a cell in the sort column
    table.SortByColumn(0, false);
    // "12kg" scans as 12; bytes compare unsigned, so a-ring comes after z; "" is smallest.
    EXPECT_EQ((std::vector<std::string>{"", "9", "12kg", "B", "ab", "abc", "z", "\xE5"}), Column(table, 0));
}

TEST(DataTableSort, ShortTablesAndEmptyColumns)
{
    CDataTableBase empty;
    std::vector<int> order{7};
    empty.SortByColumn(0, false, &order);
    EXPECT_TRUE(order.empty());
    CDataTableBase one = KeyedTable({"x"});
    one.SortByColumn(0, true, &order);
    EXPECT_EQ(std::vector<int>{0}, order);
    CDataTableBase table = KeyedTable({"c", "a", "b"});
    table.SortByColumn(20, false);         // every key empty: nothing moves
    EXPECT_EQ((std::vector<std::string>{"c", "a", "b"}), Column(table, 0));
}

TEST(DataTableSort, MatchesAStableReferenceOnManyRows)
{
    std::mt19937 random(12345);
    for (bool numeric : {true, false}) {
        std::vector<std::string> keys;
        for (int i = 0; i < 3000; ++i) {
            int value = static_cast<int>(random() % 200);
            keys.push_back(numeric ? std::to_string(value) : std::string("k") + std::to_string(value));
        }
        CDataTableBase table = KeyedTable(keys);
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
            CDataTableBase sorted(table);
            sorted.SortByColumn(0, descending);
            std::vector<int> tags;
            for (int r = 0; r < sorted.GetRowCount(); ++r)
                tags.push_back(std::atoi(sorted.GetCellText(r, 1)));
            EXPECT_EQ(expected, tags) << "numeric " << numeric << " descending " << descending;
        }
    }
}

// The numeric comparison reads numbers with the decimal separator of the numeric locale, as the
// program sets it at start-up from the user's settings.
TEST(DataTableSortLocale, DecimalSeparatorOfTheUserLocale)
{
    setlocale(LC_NUMERIC, "");
    const bool comma = *localeconv()->decimal_point == ',';

    CDataTableBase plain = KeyedTable({"10", "9", "abc", "2"});
    plain.SortByColumn(0, false);
    EXPECT_EQ((std::vector<std::string>{"2", "9", "10", "abc"}), Column(plain, 0));
    plain.SortByColumn(0, true);
    EXPECT_EQ((std::vector<std::string>{"abc", "10", "9", "2"}), Column(plain, 0));

    CDataTableBase table = KeyedTable({"2,5", "10", "2,25", "abc", "1,75"});
    table.SortByColumn(0, false);
    if (comma) {
        EXPECT_EQ((std::vector<std::string>{"1,75", "2,25", "2,5", "10", "abc"}), Column(table, 0));
    } else {
        // With a decimal point "2,5" and "2,25" both read as 2 and keep their order.
        EXPECT_EQ((std::vector<std::string>{"1,75", "2,5", "2,25", "10", "abc"}), Column(table, 0));
    }
    setlocale(LC_NUMERIC, "C");
}

TEST(DataTableSortLocale, SwedishLocaleReadsDecimalCommas)
{
    const char* name = setlocale(LC_NUMERIC, "Swedish_Sweden.1252");
    if (name == nullptr)
        GTEST_SKIP() << "no Swedish locale";
    ASSERT_STREQ(",", localeconv()->decimal_point);
    CDataTableBase table = KeyedTable({"2,5", "2,25", "10", "-1,5"});
    table.SortByColumn(0, true);
    EXPECT_EQ((std::vector<std::string>{"10", "2,5", "2,25", "-1,5"}), Column(table, 0));
    setlocale(LC_NUMERIC, "C");
}
