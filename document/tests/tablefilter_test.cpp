#include "document/datatable.h"
#include "document/datatablemaps.h"
#include "document/tablefilter.h"
#include "document/tests/recordbytes.h"
#include "document/tests/tablehelpers.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

const int kColumnA = 0, kColumnB = 1, kColumnC = 2;

void Select(CDataTableFilter& filter, int kind, int column)
{
    if (!filter.GetFilterFlag(column, kind))
        filter.ToggleFilterFlag(kind, column);
}

// Which of the rows the filter accepts, as "1" and "0".
std::string Accepted(const CDataTableFilter& filter, const Rows& rows)
{
    CDataTableBase table = MakeTable(rows);
    std::string result;
    for (int row = 0; row < static_cast<int>(rows.size()); ++row)
        result += filter.AcceptsRow(&table, row) ? '1' : '0';
    return result;
}

Bytes Save(const CDataTableFilter& filter)
{
    CMemFile file;
    EXPECT_TRUE(filter.Save(&file));
    return file.Bytes();
}

// Everything a filter holds, for comparing filters.
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

TEST(FilterRowTest, IncludeStrings)
{
    CDataTableFilter filter;
    filter.SetIncludeString(0, "AB");
    Select(filter, kFilterInclude1, kColumnB);
    // xABy matches; matching is case-sensitive; B is tested by what it shows, so an empty B, a
    // row that stores no cell in B and a wholly empty row are all rejected alike.
    EXPECT_EQ("100001", Accepted(filter, {{"", "xABy"}, {"AB", "", "z"}, {"AB", "ab"}, {"anything"}, {}, {"", "AB"}}));

    // Any include condition that matches accepts; include strings selected but empty are no
    // condition at all.
    filter.SetIncludeString(2, "blue");
    Select(filter, kFilterInclude1 + 2, kColumnC);
    Select(filter, kFilterInclude1 + 1, kColumnA);
    EXPECT_EQ("1100", Accepted(filter, {{"", "AB", "red"}, {"x", "", "dark blue"}, {"x", "y", "z"}, {"AB", "", ""}}));
    EXPECT_FALSE(filter.AcceptsRow(nullptr, 0));
}

TEST(FilterRowTest, AStoredEmptyCellAndAMissingOneTestTheSame)
{
    // The same texts, once as an import stores them (only non-empty cells) and once as grid edits
    // leave them (every cell up to "Z" stored, some emptied): the filter keeps the same rows.
    const Rows shown = {{"1", "", "X"}, {"2"}, {}, {"4", "b"}, {"5", "", "aXb"}, {"", "", ""}};
    CDataTableBase imported, edited;
    for (int row = 0; row < static_cast<int>(shown.size()); ++row) {
        imported.AppendRow();
        edited.SetCellText(row, CDataTableBase::kColumnCount - 1, "");
        for (int column = 0; column < static_cast<int>(shown[row].size()); ++column) {
            const std::string& text = shown[row][column];
            if (!text.empty())
                imported.SetCellText(row, column, text.c_str());
            edited.SetCellText(row, column, text.c_str());
        }
    }
    ASSERT_EQ(1, imported.GetCellCount(1));
    const int allColumns = CDataTableBase::kColumnCount;
    ASSERT_EQ(allColumns, edited.GetCellCount(1));

    CDataTableFilter include;
    include.SetIncludeString(0, "X");
    Select(include, kFilterInclude1, kColumnC);
    CDataTableFilter exclude;
    exclude.SetExcludeString(0, "b");
    Select(exclude, kFilterExclude1, kColumnB);
    Select(exclude, kFilterExclude1, kColumnC);
    for (const CDataTableBase* table : {&imported, &edited}) {
        std::string includeResult, excludeResult;
        for (int row = 0; row < table->GetRowCount(); ++row) {
            includeResult += include.AcceptsRow(table, row) ? '1' : '0';
            excludeResult += exclude.AcceptsRow(table, row) ? '1' : '0';
        }
        // No blank row passes "C contains X".
        EXPECT_EQ("100010", includeResult);
        EXPECT_EQ("111001", excludeResult);
    }

    // Applied, both give the same filtered table.
    include.SetEnabled(true);
    CDataTableBase fromImported, fromEdited;
    CDataTableMap columns;
    CDataTableRowMap rowsImported, rowsEdited;
    include.ApplyTableFilter(imported, fromImported, columns, rowsImported);
    include.ApplyTableFilter(edited, fromEdited, columns, rowsEdited);
    EXPECT_EQ(Column(fromImported, 0), Column(fromEdited, 0));
    EXPECT_EQ((std::vector<std::string>{"1", "5"}), Column(fromImported, 0));
}

TEST(FilterRowTest, ExcludeStrings)
{
    CDataTableFilter filter;
    filter.SetExcludeString(1, "no");
    Select(filter, kFilterExclude1 + 1, kColumnA);
    Select(filter, kFilterExclude1 + 1, kColumnC);
    Select(filter, kFilterExclude1, kColumnB);             // exclude 1 is empty: excludes nothing
    // With only exclude conditions every row without the string passes, empty rows too.
    EXPECT_EQ("10110", Accepted(filter, {{"yes", "no"}, {"", "", "is no"}, {}, {"", ""}, {"nope"}}));

    // An exclude match wins over an include match.
    filter.SetIncludeString(0, "yes");
    Select(filter, kFilterInclude1, kColumnA);
    EXPECT_EQ("100", Accepted(filter, {{"yes"}, {"yes", "", "no"}, {"maybe"}}));
}

// ---------------------------------------------------------------------------------------------
// Cleaning up cell texts and applying the filter

TEST(FilterCellText, TrimThenStripOneCharacter)
{
    const uint8_t strip[3] = {'0', '#', 0};
    CDataTableFilterItem item;
    item.SetFlag(kFilterTrim, 1);
    item.SetFlag(kFilterStrip1, 1);
    EXPECT_STREQ("07", item.PrepareCellText(strip, "  007"));
    EXPECT_STREQ("", item.PrepareCellText(strip, "   "));
    EXPECT_STREQ("x0", item.PrepareCellText(strip, "x0"));

    CDataTableFilterItem second;           // only the first selected strip character counts
    second.SetFlag(kFilterStrip1 + 1, 1);
    second.SetFlag(kFilterStrip1 + 2, 1);
    EXPECT_STREQ("#x", second.PrepareCellText(strip, "##x"));
    EXPECT_STREQ(" #x", second.PrepareCellText(strip, " #x"));

    CDataTableFilterItem unset;            // an unset strip character never eats the terminator
    unset.SetFlag(kFilterStrip1 + 2, 1);
    const char empty[] = "";
    EXPECT_EQ(empty, unset.PrepareCellText(strip, empty));
}

TEST(FilterApply, AcceptedRowsShownColumnsAndMaps)
{
    CDataTableBase table = MakeTable({{"  1", "keep", "#c0"}, {"2", "drop", "c1"}, {}, {"4", "keep"}});
    table.SetCellText(3, 30, "  far");     // beyond "Z": shown by default, never cleaned up
    CDataTableFilter filter;
    for (int column = 1; column < CDataTableFilter::kItemCount; ++column) {
        if (column != kColumnC && column != 30)
            filter.ToggleFilterFlag(kFilterShow, column);
    }
    filter.SetExcludeString(0, "drop");
    Select(filter, kFilterExclude1, kColumnB);
    filter.ToggleFilterFlag(kFilterTrim, kColumnA);
    filter.ToggleFilterFlag(kFilterTrim, 30);
    filter.SetStripChar(0, "#");
    Select(filter, kFilterStrip1, kColumnC);

    // Off: the column map and the column lookup are identities.
    CDataTableMap columns;
    columns.Clear();
    filter.RebuildColumnMap(columns);
    EXPECT_EQ(5, columns.GetEntry(5));
    EXPECT_EQ(1, filter.GetFilteredColumn(1));

    filter.SetEnabled(true);
    CDataTableBase filtered = MakeTable({{"stale"}, {"rows"}, {"x"}, {"y"}, {"z"}});
    CDataTableRowMap rows;
    filter.ApplyTableFilter(table, filtered, columns, rows);
    // The empty row is accepted and gets its own filtered row.
    EXPECT_EQ((Rows{{"1", "c0"}, {}, {"4", "", "  far"}}), Dump(filtered));
    EXPECT_EQ(3, rows.GetMappedCount());
    EXPECT_EQ(2, rows.GetEntry(1));
    EXPECT_EQ(3, rows.GetEntry(2));
    EXPECT_TRUE(rows.IsInOrder());
    // Columns A and C shown: the map covers "A".."Z", the lookup counts on past "Z".
    EXPECT_EQ(0, columns.GetEntry(0));
    EXPECT_EQ(2, columns.GetEntry(1));
    EXPECT_EQ(-1, columns.GetEntry(2));
    EXPECT_EQ(2, filter.GetFilteredColumn(1));
    EXPECT_EQ(30, filter.GetFilteredColumn(2));
    EXPECT_EQ(256, filter.GetFilteredColumn(3));
}

// ---------------------------------------------------------------------------------------------
// The dialog's accessors and column edits

TEST(FilterAccessors, TextsAndFlagsByKind)
{
    CDataTableFilter filter;
    filter.SetFilterText(kFilterStrip1 + 1, "xyz");
    filter.SetFilterText(kFilterInclude1 + 2, "0123456789ABC");
    filter.SetFilterText(kFilterExclude1, std::string(40, 'L').c_str());
    filter.SetFilterText(kFilterShow, "ignored");
    EXPECT_EQ(CString("x"), filter.GetFilterText(kFilterStrip1 + 1));
    EXPECT_EQ(CString(""), filter.GetFilterText(kFilterStrip1));
    EXPECT_EQ(CString("0123456789"), filter.GetFilterText(kFilterInclude1 + 2));
    EXPECT_EQ(CString("LLLLLLLLLL"), filter.GetExcludeString(0));
    EXPECT_EQ(CString(""), filter.GetFilterText(kFilterShow));
    EXPECT_EQ(CString(""), filter.GetFilterText(11));

    EXPECT_TRUE(filter.ToggleFilterFlag(kFilterTrim, 3));
    EXPECT_TRUE(filter.GetFilterFlag(3, kFilterTrim));
    EXPECT_FALSE(filter.ToggleFilterFlag(kFilterShow, 3));
    EXPECT_FALSE(filter.IsColumnShown(3));
    EXPECT_FALSE(filter.GetFilterFlag(256, kFilterShow));
    EXPECT_FALSE(filter.ToggleFilterFlag(11, 0));
}

TEST(FilterColumns, InsertAndDeleteMoveItems)
{
    CDataTableFilter filter;
    filter.ToggleFilterFlag(kFilterTrim, 1);
    filter.ToggleFilterFlag(kFilterTrim, 255);
    filter.InsertColumn(1);
    EXPECT_FALSE(filter.GetFilterFlag(1, kFilterTrim));   // a default item came in
    EXPECT_TRUE(filter.GetFilterFlag(2, kFilterTrim));
    EXPECT_FALSE(filter.GetFilterFlag(255, kFilterTrim)); // pushed out
    filter.ToggleFilterFlag(kFilterShow, 255);
    filter.DeleteColumn(2);
    EXPECT_FALSE(filter.GetFilterFlag(2, kFilterTrim));
    EXPECT_TRUE(filter.GetFilterFlag(255, kFilterShow));  // a default item at the end
    const std::string before = Describe(filter);
    filter.InsertColumn(256);
    filter.DeleteColumn(-1);
    EXPECT_EQ(before, Describe(filter));
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

TEST(FilterRecord, ExactBytesAndRoundTrip)
{
    ByteBuilder b;
    b.I32(1).I32(3).I32(0).U8('0').U8(0).U8('-').U8(1);
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
    const Bytes bytes = Save(SampleFilter());
    EXPECT_EQ(b.bytes(), bytes);

    CDataTableFilter loaded;
    BytesFile file(bytes);
    ASSERT_TRUE(loaded.Load(file.get()));
    EXPECT_EQ(Describe(SampleFilter()), Describe(loaded));
}

TEST(FilterRecord, OldLayout)
{
    ByteBuilder b;
    b.I32(0).I32(5).I32(6).U8('x').U8('y').U8('z').U8(0);
    b.Fixed("in", 11).Fixed("out", 11);
    b.I32(2);
    b.I32(0).U8(1).U8(1).U8(0).U8(1).U8(0).U8(1).U8(1);   // A: show, trim, strip 2, include, exclude
    b.I32(0).Fill(0, 7);                                  // B: hidden
    CDataTableFilter filter = SampleFilter();
    BytesFile file(b.bytes());
    ASSERT_TRUE(filter.Load(file.get()));
    EXPECT_EQ(b.bytes().size(), file->GetPosition());
    EXPECT_FALSE(filter.IsEnabled());
    EXPECT_EQ(6, filter.GetReserved2());
    EXPECT_EQ(CString("y"), filter.GetStripChar(1));
    const char* texts[] = {"in", "out", "", "", "", ""};
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(CString(texts[2 * k]), filter.GetIncludeString(k));
        EXPECT_EQ(CString(texts[2 * k + 1]), filter.GetExcludeString(k));
    }
    std::string itemA, itemB;
    for (int kind = 0; kind < kFilterKindCount; ++kind) {
        itemA += filter.GetFilterFlag(0, kind) ? '1' : '0';
        itemB += filter.GetFilterFlag(1, kind) ? '1' : '0';
    }
    EXPECT_EQ("11010100100", itemA);
    EXPECT_EQ("00000000000", itemB);
    // Items the record does not carry stay as they were.
    EXPECT_TRUE(filter.GetFilterFlag(2, kFilterInclude1 + 1));
}

TEST(FilterRecord, DamagedRecordsLeaveTheFilterUnchanged)
{
    const Bytes good = Save(SampleFilter());
    auto loadsOverDefault = [](const Bytes& bytes, size_t length) {
        CDataTableFilter filter;
        const std::string before = Describe(filter);
        BytesFile file(bytes, length);
        bool loaded = filter.Load(file.get());
        if (!loaded)
            EXPECT_EQ(before, Describe(filter)) << "length " << length;
        return loaded;
    };
    for (size_t length = 0; length < good.size(); ++length)
        EXPECT_FALSE(loadsOverDefault(good, length));

    const size_t countAt = 4 * 3 + 4 + 66;
    for (int32_t count : {-1, 27, 257, 0x7FFFFFFF}) {
        Bytes bytes = good;
        WriteI32(bytes, countAt, count);
        EXPECT_FALSE(loadsOverDefault(bytes, bytes.size())) << count;
    }
    // 0 to 256 items are all fine.
    ByteBuilder all;
    all.Append(Bytes(good.begin(), good.begin() + countAt)).I32(256);
    for (int column = 0; column < 256; ++column)
        all.I32(1).U8(1).Fill(0, 10);
    EXPECT_TRUE(loadsOverDefault(all.bytes(), all.bytes().size()));

    // A string that fills its whole field is cut to ten characters.
    Bytes unterminated = good;
    for (size_t i = 0; i < 11; ++i)
        unterminated[16 + i] = 'Q';
    CDataTableFilter filter;
    BytesFile file(unterminated);
    ASSERT_TRUE(filter.Load(file.get()));
    EXPECT_EQ(CString("QQQQQQQQQQ"), filter.GetIncludeString(0));
    EXPECT_EQ(CString("exc1"), filter.GetExcludeString(0));

    std::mt19937 random(99);
    for (int round = 0; round < 3000; ++round) {
        Bytes bytes = good;
        for (int flips = 1 + static_cast<int>(random() % 4); flips > 0; --flips)
            bytes[random() % bytes.size()] ^= static_cast<uint8_t>(1u << (random() % 8));
        loadsOverDefault(bytes, bytes.size());
    }
}
