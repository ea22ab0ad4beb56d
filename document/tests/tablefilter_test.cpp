#include "document/datatable.h"
#include "document/datatablemaps.h"
#include "document/tablefilter.h"
#include "document/tests/recordbytes.h"
#include "document/tests/tablehelpers.h"
#include "framework/recordio.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

const int kColumnA = 0, kColumnB = 1, kColumnC = 2;

// Selects include/exclude condition k (0-based) for a column.
void Select(CDataTableFilter& filter, int firstKind, int k, int column)
{
    if (!filter.GetFilterFlag(column, firstKind + k))
        filter.ToggleFilterFlag(firstKind + k, column);
}

bool Accepts(const CDataTableFilter& filter, const Rows& rows, int row)
{
    CDataTableBase table = MakeTable(rows);
    return filter.AcceptsRow(&table, row);
}

Bytes Save(const CDataTableFilter& filter)
{
    CMemFile file;
    EXPECT_TRUE(filter.Save(&file));
    return file.Bytes();
}

// Everything a filter holds, for comparing two filters.
std::string Describe(const CDataTableFilter& filter)
{
    std::string s = filter.IsEnabled() ? "on" : "off";
    s += "|" + std::to_string(filter.GetReserved1()) + "|" + std::to_string(filter.GetReserved2());
    for (int kind = kFilterStrip1; kind < kFilterKindCount; ++kind)
        s += "|" + std::string(filter.GetFilterText(kind));
    for (int column = 0; column < CDataTableFilter::kItemCount; ++column) {
        s += column % 16 == 0 ? "\n" : " ";
        for (int kind = 0; kind < kFilterKindCount; ++kind)
            s += filter.GetFilterFlag(column, kind) ? '1' : '0';
    }
    return s;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// The row test

TEST(FilterRowTest, IncludeStringInAColumn)
{
    CDataTableFilter filter;
    filter.SetIncludeString(0, "AB");
    Select(filter, kFilterInclude1, 0, kColumnB);
    EXPECT_TRUE(Accepts(filter, {{"", "xABy"}}, 0));
    EXPECT_FALSE(Accepts(filter, {{"AB", "", "z"}}, 0));   // B is there but empty
    EXPECT_FALSE(Accepts(filter, {{"AB", "ab"}}, 0));      // case-sensitive
    // A condition on a column beyond the row's last cell does not apply.
    EXPECT_TRUE(Accepts(filter, {{"anything"}}, 0));
    EXPECT_TRUE(Accepts(filter, {{}}, 0));
    EXPECT_FALSE(filter.AcceptsRow(nullptr, 0));
}

TEST(FilterRowTest, OnlyExcludeConditions)
{
    CDataTableFilter filter;
    filter.SetExcludeString(1, "no");
    Select(filter, kFilterExclude1, 1, kColumnA);
    Select(filter, kFilterExclude1, 1, kColumnC);
    Rows rows = {{"yes", "no"}, {"", "", "is no"}, {}, {"", ""}, {"nope"}};
    EXPECT_TRUE(Accepts(filter, rows, 0));   // "no" only in B, which is not selected
    EXPECT_FALSE(Accepts(filter, rows, 1));
    EXPECT_TRUE(Accepts(filter, rows, 2));   // empty rows pass
    EXPECT_TRUE(Accepts(filter, rows, 3));
    EXPECT_FALSE(Accepts(filter, rows, 4));
}

TEST(FilterRowTest, AnyIncludeMatchAcceptsExcludeWins)
{
    CDataTableFilter filter;
    filter.SetIncludeString(0, "red");
    filter.SetIncludeString(2, "blue");
    filter.SetExcludeString(0, "old");
    Select(filter, kFilterInclude1, 0, kColumnA);
    Select(filter, kFilterInclude1, 2, kColumnB);
    Select(filter, kFilterExclude1, 0, kColumnC);
    EXPECT_TRUE(Accepts(filter, {{"red", "green"}}, 0));
    EXPECT_TRUE(Accepts(filter, {{"green", "dark blue"}}, 0));
    EXPECT_FALSE(Accepts(filter, {{"green", "green"}}, 0));
    EXPECT_FALSE(Accepts(filter, {{"red", "blue", "old"}}, 0));
    // Include 3 is selected for B but B is missing: include 1 in A alone decides.
    EXPECT_FALSE(Accepts(filter, {{"green"}}, 0));
}

TEST(FilterRowTest, SelectedEmptyIncludeStringIsNoCondition)
{
    CDataTableFilter filter;
    filter.SetIncludeString(0, "AB");
    Select(filter, kFilterInclude1, 0, kColumnB);
    Select(filter, kFilterInclude1, 1, kColumnA);          // include 2 selected, but empty
    EXPECT_FALSE(Accepts(filter, {{"text", "zz"}}, 0));
    EXPECT_TRUE(Accepts(filter, {{"text", "AB"}}, 0));
    // Nothing but empty include strings: every row passes.
    CDataTableFilter emptyOnly;
    Select(emptyOnly, kFilterInclude1, 0, kColumnA);
    EXPECT_TRUE(Accepts(emptyOnly, {{"x"}}, 0));
    // Likewise an empty exclude string excludes nothing.
    Select(emptyOnly, kFilterExclude1, 0, kColumnA);
    EXPECT_TRUE(Accepts(emptyOnly, {{"x"}}, 0));
}

// ---------------------------------------------------------------------------------------------
// Cleaning up cell texts

TEST(FilterCellText, TrimThenStripOneCharacter)
{
    const uint8_t strip[3] = {'0', '#', 0};
    CDataTableFilterItem item;
    item.SetFlag(kFilterTrim, 1);
    item.SetFlag(kFilterStrip1, 1);
    EXPECT_STREQ("07", item.PrepareCellText(strip, "  007"));
    EXPECT_STREQ("", item.PrepareCellText(strip, "   "));
    EXPECT_STREQ("x0", item.PrepareCellText(strip, "x0"));

    // Only the first selected strip selector counts.
    CDataTableFilterItem second;
    second.SetFlag(kFilterStrip1 + 1, 1);
    second.SetFlag(kFilterStrip1, 0);
    second.SetFlag(kFilterStrip1 + 2, 1);
    EXPECT_STREQ("#x", second.PrepareCellText(strip, "##x"));
    EXPECT_STREQ(" #x", second.PrepareCellText(strip, " #x"));   // no trim

    // An unset strip character removes nothing, not even the end of an empty text.
    CDataTableFilterItem third;
    third.SetFlag(kFilterStrip1 + 2, 1);
    const char empty[] = "";
    EXPECT_EQ(empty, third.PrepareCellText(strip, empty));
}

// ---------------------------------------------------------------------------------------------
// Applying the filter

TEST(FilterApply, ShownColumnsAcceptedRowsAndMaps)
{
    CDataTableBase table = MakeTable({
        {"  1", "keep", "#c0"},
        {"2", "drop", "c1"},
        {},
        {"4", "keep"},
    });
    table.SetCellText(3, 30, "  far");     // beyond "Z": shown by default, never cleaned up
    CDataTableFilter filter;
    filter.SetEnabled(true);
    filter.ToggleFilterFlag(kFilterShow, kColumnB);          // hide B
    for (int column = 3; column < CDataTableFilter::kItemCount; ++column) {
        if (column != 30)
            filter.ToggleFilterFlag(kFilterShow, column);
    }
    filter.SetExcludeString(0, "drop");
    Select(filter, kFilterExclude1, 0, kColumnB);
    filter.ToggleFilterFlag(kFilterTrim, kColumnA);
    filter.ToggleFilterFlag(kFilterTrim, 30);
    filter.SetStripChar(0, "#");
    Select(filter, kFilterStrip1, 0, kColumnC);

    CDataTableBase filtered = MakeTable({{"stale"}, {"rows"}, {"x"}, {"y"}, {"z"}});
    CDataTableMap columns;
    CDataTableRowMap rows;
    filter.ApplyTableFilter(table, filtered, columns, rows);

    // The empty row is accepted too and gets its own (empty) filtered row.
    EXPECT_EQ((Rows{{"1", "c0"}, {}, {"4", "", "  far"}}), Dump(filtered));
    EXPECT_EQ(3, rows.GetMappedCount());
    EXPECT_EQ(0, rows.GetEntry(0));
    EXPECT_EQ(2, rows.GetEntry(1));
    EXPECT_EQ(3, rows.GetEntry(2));
    EXPECT_TRUE(rows.IsInOrder());
    EXPECT_EQ(0, columns.GetEntry(0));
    EXPECT_EQ(2, columns.GetEntry(1));
    EXPECT_EQ(-1, columns.GetEntry(2));    // the map covers "A".."Z" only
}

TEST(FilterApply, ColumnsAAndCShown)
{
    CDataTableFilter filter;
    for (int column = 0; column < CDataTableBase::kColumnCount; ++column) {
        if (column != kColumnA && column != kColumnC)
            filter.ToggleFilterFlag(kFilterShow, column);
    }
    EXPECT_EQ(1, filter.GetFilteredColumn(1));             // off: as it is
    CDataTableMap map;
    map.Clear();
    filter.RebuildColumnMap(map);
    EXPECT_EQ(5, map.GetEntry(5));                         // off: identity

    filter.SetEnabled(true);
    EXPECT_EQ(0, filter.GetFilteredColumn(0));
    EXPECT_EQ(2, filter.GetFilteredColumn(1));
    EXPECT_EQ(26, filter.GetFilteredColumn(2));            // items beyond "Z" count on
    EXPECT_EQ(256, filter.GetFilteredColumn(300));
    EXPECT_EQ(256, filter.GetFilteredColumn(-1));
    filter.RebuildColumnMap(map);
    EXPECT_EQ(0, map.GetEntry(0));
    EXPECT_EQ(2, map.GetEntry(1));
    EXPECT_EQ(-1, map.GetEntry(2));

    CDataTableBase table = MakeTable({{"a", "b", "c", "d"}});
    CDataTableBase filtered;
    CDataTableRowMap rows;
    filter.ApplyTableFilter(table, filtered, map, rows);
    EXPECT_EQ((Rows{{"a", "c"}}), Dump(filtered));
}

// ---------------------------------------------------------------------------------------------
// Accessors of the filter dialog and column edits

TEST(FilterAccessors, TextsByKind)
{
    CDataTableFilter filter;
    filter.SetFilterText(kFilterStrip1 + 1, "xyz");
    filter.SetFilterText(kFilterInclude1 + 2, "0123456789ABC");
    filter.SetFilterText(kFilterExclude1, "bad");
    filter.SetFilterText(kFilterShow, "ignored");
    filter.SetFilterText(11, "ignored");
    EXPECT_EQ(CString("x"), filter.GetFilterText(kFilterStrip1 + 1));
    EXPECT_EQ(CString(""), filter.GetFilterText(kFilterStrip1));
    EXPECT_EQ(CString("0123456789"), filter.GetFilterText(kFilterInclude1 + 2));
    EXPECT_EQ(CString("bad"), filter.GetExcludeString(0));
    EXPECT_EQ(CString(""), filter.GetFilterText(kFilterTrim));
    EXPECT_EQ(CString(""), filter.GetFilterText(11));
    EXPECT_EQ(CString(""), filter.GetIncludeString(3));
    filter.SetStripChar(0, "");
    EXPECT_EQ(CString(""), filter.GetStripChar(0));
    std::string longText(40, 'L');
    filter.SetIncludeString(0, longText.c_str());
    EXPECT_EQ(CString("LLLLLLLLLL"), filter.GetIncludeString(0));
}

TEST(FilterAccessors, FlagsByColumnAndKind)
{
    CDataTableFilter filter;
    EXPECT_TRUE(filter.GetFilterFlag(0, kFilterShow));
    EXPECT_TRUE(filter.GetFilterFlag(255, kFilterShow));
    EXPECT_FALSE(filter.GetFilterFlag(3, kFilterTrim));
    EXPECT_TRUE(filter.ToggleFilterFlag(kFilterTrim, 3));
    EXPECT_TRUE(filter.GetFilterFlag(3, kFilterTrim));
    EXPECT_FALSE(filter.ToggleFilterFlag(kFilterShow, 3));
    EXPECT_FALSE(filter.IsColumnShown(3));
    EXPECT_FALSE(filter.GetFilterFlag(256, kFilterShow));
    EXPECT_FALSE(filter.GetFilterFlag(0, 11));
    EXPECT_FALSE(filter.ToggleFilterFlag(11, 0));
    EXPECT_FALSE(filter.ToggleFilterFlag(kFilterShow, 256));
    EXPECT_FALSE(filter.IsColumnShown(256));
}

TEST(FilterColumns, InsertAndDeleteMoveItems)
{
    CDataTableFilter filter;
    filter.ToggleFilterFlag(kFilterTrim, 1);
    filter.ToggleFilterFlag(kFilterTrim, 255);
    filter.InsertColumn(1);
    EXPECT_FALSE(filter.GetFilterFlag(1, kFilterTrim));   // a default item came in
    EXPECT_TRUE(filter.GetFilterFlag(1, kFilterShow));
    EXPECT_TRUE(filter.GetFilterFlag(2, kFilterTrim));
    EXPECT_FALSE(filter.GetFilterFlag(255, kFilterTrim)); // pushed out
    filter.DeleteColumn(0);
    EXPECT_TRUE(filter.GetFilterFlag(1, kFilterTrim));
    filter.ToggleFilterFlag(kFilterShow, 255);
    filter.DeleteColumn(1);
    EXPECT_FALSE(filter.GetFilterFlag(1, kFilterTrim));
    EXPECT_TRUE(filter.GetFilterFlag(255, kFilterShow));  // a default item at the end
    filter.InsertColumn(256);
    filter.DeleteColumn(-1);
}

// ---------------------------------------------------------------------------------------------
// The filter record

namespace {

CDataTableFilter SampleFilter()
{
    CDataTableFilter filter;
    filter.SetEnabled(true);
    filter.SetReserved1(3);
    filter.SetStripChar(0, "0");
    filter.SetStripChar(2, "-");
    filter.SetIncludeString(0, "inc1");
    filter.SetExcludeString(0, "exc1");
    filter.SetIncludeString(1, "inc2");
    filter.SetExcludeString(2, "exc3-long!");
    filter.ToggleFilterFlag(kFilterShow, 1);
    filter.ToggleFilterFlag(kFilterTrim, 0);
    filter.ToggleFilterFlag(kFilterStrip1, 0);
    filter.ToggleFilterFlag(kFilterInclude1, 2);
    filter.ToggleFilterFlag(kFilterInclude1 + 1, 2);
    filter.ToggleFilterFlag(kFilterExclude1 + 2, 25);
    return filter;
}

} // namespace

TEST(FilterRecord, ExactBytes)
{
    ByteBuilder b;
    b.I32(1).I32(3).I32(0);
    b.U8('0').U8(0).U8('-');
    b.U8(1);
    b.Fixed("inc1", 11).Fixed("exc1", 11).Fixed("inc2", 11).Fixed("", 11).Fixed("", 11).Fixed("exc3-long!", 11);
    b.I32(26);
    for (int column = 0; column < 26; ++column) {
        uint8_t item[11] = {1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
        if (column == 0)
            item[kFilterTrim] = item[kFilterStrip1] = 1;
        if (column == 1)
            item[kFilterShow] = 0;
        if (column == 2)
            item[kFilterInclude1] = item[kFilterInclude1 + 1] = 1;
        if (column == 25)
            item[kFilterExclude1 + 2] = 1;
        b.I32(1);
        for (uint8_t v : item)
            b.U8(v);
    }
    EXPECT_EQ(4u * 3 + 4 + 6 * 11 + 4 + 26 * 15, b.bytes().size());
    EXPECT_EQ(b.bytes(), Save(SampleFilter()));
}

TEST(FilterRecord, RoundTrip)
{
    CDataTableFilter source = SampleFilter();
    CDataTableFilter loaded;
    BytesFile file(Save(source));
    ASSERT_TRUE(loaded.Load(file.get()));
    EXPECT_EQ(Describe(source), Describe(loaded));
}

TEST(FilterRecord, OldLayout)
{
    ByteBuilder b;
    b.I32(0).I32(5).I32(6);
    b.U8('x').U8('y').U8('z');
    b.U8(0);
    b.Fixed("in", 11).Fixed("out", 11);
    b.I32(2);
    b.I32(0).U8(1).U8(1).U8(0).U8(1).U8(0).U8(1).U8(1);   // A: trim, strip 2, include, exclude
    b.I32(0).U8(0).U8(0).U8(0).U8(0).U8(0).U8(0).U8(0);   // B: hidden
    CDataTableFilter filter = SampleFilter();              // every old-layout gap gets cleared
    BytesFile file(b.bytes());
    ASSERT_TRUE(filter.Load(file.get()));
    EXPECT_EQ(b.bytes().size(), file->GetPosition());
    EXPECT_FALSE(filter.IsEnabled());
    EXPECT_EQ(5, filter.GetReserved1());
    EXPECT_EQ(6, filter.GetReserved2());
    EXPECT_EQ(CString("in"), filter.GetIncludeString(0));
    EXPECT_EQ(CString("out"), filter.GetExcludeString(0));
    for (int k = 1; k < 3; ++k) {
        EXPECT_EQ(CString(""), filter.GetIncludeString(k));
        EXPECT_EQ(CString(""), filter.GetExcludeString(k));
    }
    EXPECT_EQ(CString("y"), filter.GetStripChar(1));
    const bool expectedA[11] = {1, 1, 0, 1, 0, 1, 0, 0, 1, 0, 0};
    for (int kind = 0; kind < kFilterKindCount; ++kind) {
        EXPECT_EQ(expectedA[kind], filter.GetFilterFlag(0, kind)) << "kind " << kind;
        EXPECT_FALSE(filter.GetFilterFlag(1, kind)) << "kind " << kind;
    }
    // Items the record does not carry stay as they were.
    EXPECT_TRUE(filter.GetFilterFlag(2, kFilterInclude1 + 1));
    EXPECT_TRUE(filter.GetFilterFlag(25, kFilterExclude1 + 2));
}

TEST(FilterRecord, ItemCounts)
{
    Bytes good = Save(SampleFilter());
    const size_t countAt = 4 * 3 + 4 + 66;
    for (int32_t bad : {-1, 257, 0x7FFFFFFF, 27}) {
        Bytes bytes = good;
        WriteI32(bytes, countAt, bad);
        CDataTableFilter filter;
        const std::string before = Describe(filter);
        BytesFile file(bytes);
        EXPECT_FALSE(filter.Load(file.get())) << bad;       // 27 items: the record ends early
        EXPECT_EQ(before, Describe(filter)) << bad;
    }
    // Zero items and all 256 items are fine.
    Bytes none(good.begin(), good.begin() + countAt);
    ByteBuilder zero;
    zero.Append(none).I32(0);
    CDataTableFilter filter;
    BytesFile zeroFile(zero.bytes());
    EXPECT_TRUE(filter.Load(zeroFile.get()));
    ByteBuilder all;
    all.Append(none).I32(256);
    for (int column = 0; column < 256; ++column)
        all.I32(1).U8(column == 200 ? 0 : 1).Fill(0, 10);
    BytesFile allFile(all.bytes());
    ASSERT_TRUE(filter.Load(allFile.get()));
    EXPECT_FALSE(filter.IsColumnShown(200));
}

TEST(FilterRecord, TruncatedAnywhereLeavesTheFilterUnchanged)
{
    Bytes bytes = Save(SampleFilter());
    for (size_t length = 0; length < bytes.size(); ++length) {
        CDataTableFilter filter;
        filter.SetIncludeString(0, "before");
        const std::string before = Describe(filter);
        BytesFile file(bytes, length);
        EXPECT_FALSE(filter.Load(file.get())) << "length " << length;
        EXPECT_EQ(before, Describe(filter)) << "length " << length;
    }
}

TEST(FilterRecord, StringsWithoutTerminatorAreCut)
{
    Bytes bytes = Save(SampleFilter());
    for (size_t i = 0; i < 11; ++i)
        bytes[16 + i] = 'Q';               // include 1 fills its whole field
    CDataTableFilter filter;
    BytesFile file(bytes);
    ASSERT_TRUE(filter.Load(file.get()));
    EXPECT_EQ(CString("QQQQQQQQQQ"), filter.GetIncludeString(0));
    EXPECT_EQ(CString("exc1"), filter.GetExcludeString(0));
}

TEST(FilterRecord, RandomDamageNeverCrashes)
{
    const Bytes good = Save(SampleFilter());
    std::mt19937 random(99);
    for (int round = 0; round < 3000; ++round) {
        Bytes bytes = good;
        int flips = 1 + static_cast<int>(random() % 4);
        for (int i = 0; i < flips; ++i)
            bytes[random() % bytes.size()] ^= static_cast<uint8_t>(1u << (random() % 8));
        CDataTableFilter filter;
        const std::string before = Describe(filter);
        BytesFile file(bytes);
        if (!filter.Load(file.get()))
            EXPECT_EQ(before, Describe(filter)) << "round " << round;
    }
}
