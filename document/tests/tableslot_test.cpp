#include "document/tableslot.h"
#include "document/tests/recordbytes.h"
#include "document/tests/tablehelpers.h"
#include "testsupport/msgboxrecorder.h"
#include "testsupport/tempdir.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Ten base rows: A holds "r0".."r9", B "keep" on even rows and "drop" on odd ones, C "c0".."c9".
// The filter keeps the even rows and is switched on: filtered row k is base row 2k.
class FilteredSlot : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (int row = 0; row < 10; ++row) {
            slot.Table()->SetCellText(row, 0, ("r" + std::to_string(row)).c_str());
            slot.Table()->SetCellText(row, 1, row % 2 == 0 ? "keep" : "drop");
            slot.Table()->SetCellText(row, 2, ("c" + std::to_string(row)).c_str());
        }
        slot.CreateFilter();
        slot.SetFilterText(kFilterInclude1, "keep");
        slot.ToggleFilterFlag(kFilterInclude1, 1);
        slot.ToggleFilter();
        ASSERT_TRUE(slot.IsFilterOn());
        ASSERT_TRUE(slot.IsRowMapUsable());
    }

    // Hides every column but A and C.
    void ShowOnlyAAndC()
    {
        for (int column = 1; column < CDataTableBase::kColumnCount; ++column) {
            if (column != 2)
                slot.ToggleFilterFlag(kFilterShow, column);
        }
        slot.ReapplyFilter();
    }

    std::vector<std::string> BaseA() const { return Column(*slot.Table(), 0); }
    std::vector<std::string> ShownA() const { return Column(*slot.Filtered(), 0); }

    // Every filtered row shows what its base row holds in the mapped columns.
    void ExpectInStep() const
    {
        ASSERT_TRUE(slot.IsRowMapUsable());
        const CDataTableBase& filtered = *slot.Filtered();
        for (int row = 0; row < filtered.GetRowCount(); ++row) {
            int baseRow = slot.RowMap().GetEntry(row);
            for (int column = 0; column < 3; ++column) {
                int baseColumn = slot.ColumnMap().GetEntry(column);
                if (baseColumn >= 0)
                    EXPECT_STREQ(slot.Table()->GetCellText(baseRow, baseColumn), filtered.GetCellText(row, column))
                        << "filtered row " << row << " column " << column;
            }
        }
    }

    TableSlot slot;
};

using Texts = std::vector<std::string>;

} // namespace

TEST_F(FilteredSlot, TheFilterShowsTheEvenRows)
{
    EXPECT_EQ(5, slot.GetRowCount());
    EXPECT_EQ((Texts{"r0", "r2", "r4", "r6", "r8"}), ShownA());
    EXPECT_STREQ("r4", slot.GetCellText(2, 0));
    ExpectInStep();
}

TEST_F(FilteredSlot, EditsLandInTheBaseRowShown)
{
    EXPECT_TRUE(slot.SetCellText("X", 2, 0));
    EXPECT_EQ((Texts{"r0", "r1", "r2", "r3", "X", "r5", "r6", "r7", "r8", "r9"}), BaseA());
    EXPECT_STREQ("X", slot.GetCellText(2, 0));
    ExpectInStep();
}

TEST_F(FilteredSlot, InsertThenEditThroughTheFilter)
{
    // Filtered row 2 is new: its base row goes just after base row 2 (filtered row 1).
    EXPECT_TRUE(slot.InsertRow(2));
    EXPECT_EQ((Texts{"r0", "r2", "", "r4", "r6", "r8"}), ShownA());
    EXPECT_EQ((Texts{"r0", "r1", "r2", "", "r3", "r4", "r5", "r6", "r7", "r8", "r9"}), BaseA());
    EXPECT_TRUE(slot.SetCellText("new", 2, 0));
    EXPECT_TRUE(slot.SetCellText("R4", 3, 0));
    EXPECT_EQ((Texts{"r0", "r1", "r2", "new", "r3", "R4", "r5", "r6", "r7", "r8", "r9"}), BaseA());
    ExpectInStep();

    EXPECT_TRUE(slot.InsertRow(0));
    EXPECT_TRUE(slot.SetCellText("top", 0, 0));
    EXPECT_EQ("top", BaseA().front());
    ExpectInStep();

    // Below the filtered rows nothing is inserted anywhere.
    const Texts base = BaseA();
    EXPECT_FALSE(slot.InsertRow(slot.GetRowCount()));
    EXPECT_FALSE(slot.InsertRow(-1));
    EXPECT_EQ(base, BaseA());
}

TEST_F(FilteredSlot, DeleteRemovesTheBaseRowShown)
{
    EXPECT_TRUE(slot.DeleteRow(1));        // base row 2
    EXPECT_EQ((Texts{"r0", "r1", "r3", "r4", "r5", "r6", "r7", "r8", "r9"}), BaseA());
    EXPECT_EQ((Texts{"r0", "r4", "r6", "r8"}), ShownA());
    EXPECT_TRUE(slot.SetCellText("R6", 2, 0));
    EXPECT_EQ((Texts{"r0", "r1", "r3", "r4", "r5", "R6", "r7", "r8", "r9"}), BaseA());
    EXPECT_TRUE(slot.DeleteRow(3));        // the last one
    EXPECT_EQ((Texts{"r0", "r1", "r3", "r4", "r5", "R6", "r7", "r9"}), BaseA());
    EXPECT_FALSE(slot.DeleteRow(3));
    EXPECT_FALSE(slot.DeleteRow(-1));
    ExpectInStep();
}

TEST_F(FilteredSlot, EditsBelowTheFilteredRowsGetNewBaseRows)
{
    EXPECT_TRUE(slot.SetCellText("spare", 7, 0));
    // Three new filtered rows 5..7 and three new base rows at the end; hidden rows untouched.
    EXPECT_EQ(8, slot.GetRowCount());
    EXPECT_EQ((Texts{"r0", "r1", "r2", "r3", "r4", "r5", "r6", "r7", "r8", "r9", "", "", "spare"}), BaseA());
    EXPECT_EQ(12, slot.RowMap().GetEntry(7));
    ExpectInStep();
    EXPECT_TRUE(slot.SetCellText("six", 6, 0));
    EXPECT_EQ("six", BaseA()[11]);
}

TEST_F(FilteredSlot, EditsInColumnsTheFilterDoesNotShowAreRefused)
{
    ShowOnlyAAndC();
    EXPECT_EQ((Texts{"r0", "c0"}), Dump(*slot.Filtered())[0]);
    CDataTableBase base(*slot.Table()), filtered(*slot.Filtered());
    EXPECT_FALSE(slot.SetCellText("lost", 0, 2));          // shown column 2 has no base column
    EXPECT_FALSE(slot.SetCellText("lost", 9, 5));
    EXPECT_FALSE(slot.SetCellText("lost", -1, 0));
    EXPECT_FALSE(slot.SetCellText("lost", 0, -1));
    EXPECT_TRUE(SameTable(base, *slot.Table()));
    EXPECT_TRUE(SameTable(filtered, *slot.Filtered()));
    EXPECT_TRUE(slot.SetCellText("C2", 1, 1));             // shown column 1 is C
    EXPECT_STREQ("C2", slot.Table()->GetCellText(2, 2));
}

TEST_F(FilteredSlot, SortingSortsTheFilteredRowsAndTheRowMapFollows)
{
    EXPECT_TRUE(slot.Sort(0, true));
    EXPECT_EQ((Texts{"r8", "r6", "r4", "r2", "r0"}), ShownA());
    EXPECT_EQ((Texts{"r0", "r1", "r2", "r3", "r4", "r5", "r6", "r7", "r8", "r9"}), BaseA());
    ExpectInStep();
    EXPECT_TRUE(slot.SetCellText("eight", 0, 0));
    EXPECT_EQ("eight", BaseA()[8]);
    EXPECT_TRUE(slot.DeleteRow(4));        // r0
    EXPECT_EQ("r1", BaseA()[0]);
    EXPECT_TRUE(slot.InsertRow(1));        // just after base row of "eight"
    EXPECT_EQ((Texts{"r1", "r2", "r3", "r4", "r5", "r6", "r7", "eight", "", "r9"}), BaseA());
    ExpectInStep();
    EXPECT_FALSE(slot.Sort(27, false));
    EXPECT_FALSE(slot.Sort(-1, false));
}

TEST_F(FilteredSlot, WithoutARowMapChangesStayInTheFilteredTable)
{
    // A filtered table that did not come from applying the filter has no row map.
    slot.SetFiltered(std::make_unique<CDataTableBase>(MakeTable({{"f0"}, {"f1"}})));
    ASSERT_FALSE(slot.IsRowMapUsable());
    const Texts base = BaseA();
    EXPECT_TRUE(slot.SetCellText("edit", 0, 0));
    EXPECT_TRUE(slot.InsertRow(1));
    EXPECT_TRUE(slot.DeleteRow(0));
    EXPECT_EQ((Texts{"", "f1"}), ShownA());
    EXPECT_EQ(base, BaseA());
    // Applying the filter again brings the map back.
    slot.ReapplyFilter();
    EXPECT_TRUE(slot.IsRowMapUsable());
}

TEST_F(FilteredSlot, TheRowMapOrderBelongsToItsTable)
{
    TableSlot other;
    other.Table()->SetCellText(0, 0, "o0");
    other.Table()->SetCellText(1, 0, "o1");
    other.CreateFilter();
    other.Filter()->SetEnabled(true);      // on, but never applied
    EXPECT_FALSE(other.IsRowMapUsable());
    EXPECT_TRUE(other.SetCellText("x", 0, 0));
    EXPECT_STREQ("o0", other.Table()->GetCellText(0, 0));
    EXPECT_TRUE(slot.IsRowMapUsable());
}

TEST_F(FilteredSlot, ColumnsThroughTheFilter)
{
    ShowOnlyAAndC();
    // Inserting before shown column 1 (base C) inserts a base column at C.
    EXPECT_TRUE(slot.InsertColumn(1));
    EXPECT_EQ((Rows{{"r0", "keep", "", "c0"}}), Rows{Dump(*slot.Table())[0]});
    EXPECT_EQ((Rows{{"r0", "", "c0"}}), Rows{Dump(*slot.Filtered())[0]});
    EXPECT_EQ(2, slot.GetFilteredColumn(1));
    EXPECT_EQ(3, slot.GetFilteredColumn(2));
    EXPECT_FALSE(slot.GetFilterFlag(1, kFilterShow));     // B's item moved with nothing
    EXPECT_TRUE(slot.GetFilterFlag(2, kFilterShow));
    EXPECT_TRUE(slot.GetFilterFlag(1, kFilterInclude1));  // B's condition stays with B
    ExpectInStep();

    EXPECT_TRUE(slot.SetCellText("mid", 0, 1));
    EXPECT_STREQ("mid", slot.Table()->GetCellText(0, 2));

    // Deleting shown column 2 (base D, the old C).
    EXPECT_TRUE(slot.DeleteColumn(2));
    EXPECT_EQ((Rows{{"r0", "keep", "mid"}}), Rows{Dump(*slot.Table())[0]});
    EXPECT_EQ((Rows{{"r0", "mid"}}), Rows{Dump(*slot.Filtered())[0]});
    ExpectInStep();

    // Shown columns without a base column, and columns outside "A".."Z", change nothing.
    EXPECT_FALSE(slot.InsertColumn(5));
    EXPECT_FALSE(slot.DeleteColumn(5));
    EXPECT_FALSE(slot.InsertColumn(-1));
    EXPECT_FALSE(slot.DeleteColumn(26));
    EXPECT_EQ((Rows{{"r0", "keep", "mid"}}), Rows{Dump(*slot.Table())[0]});
}

TEST_F(FilteredSlot, SwitchingOffShowsTheBaseTable)
{
    slot.ToggleFilter();
    EXPECT_FALSE(slot.IsFilterOn());
    EXPECT_EQ(10, slot.GetRowCount());
    EXPECT_EQ(3, slot.GetFilteredColumn(3));
    EXPECT_EQ(3, slot.ColumnMap().GetEntry(3));
    EXPECT_TRUE(slot.SetCellText("plain", 1, 0));
    EXPECT_EQ("plain", BaseA()[1]);
    EXPECT_TRUE(slot.Sort(0, true));
    EXPECT_EQ("r9", BaseA()[0]);
}

TEST(TableSlot, WithoutAFilter)
{
    TableSlot slot;
    EXPECT_EQ(0, slot.GetRowCount());
    EXPECT_TRUE(slot.SetCellText("a", 2, 1));
    EXPECT_EQ(3, slot.GetRowCount());
    EXPECT_TRUE(slot.InsertRow(0));
    EXPECT_STREQ("a", slot.GetCellText(3, 1));
    EXPECT_TRUE(slot.DeleteRow(0));
    EXPECT_FALSE(slot.DeleteRow(3));
    EXPECT_TRUE(slot.InsertColumn(0));
    EXPECT_STREQ("a", slot.GetCellText(2, 2));
    EXPECT_EQ(CString(""), slot.GetFilterText(kFilterInclude1));
    EXPECT_FALSE(slot.GetFilterFlag(0, kFilterShow));
    EXPECT_FALSE(slot.ToggleFilterFlag(kFilterShow, 0));
    slot.ToggleFilter();                   // nothing to switch
    EXPECT_FALSE(slot.IsFilterOn());

    slot.Clear();
    EXPECT_EQ(-1, slot.GetRowCount());
    EXPECT_STREQ("", slot.GetCellText(0, 0));
    EXPECT_FALSE(slot.SetCellText("x", 0, 0));
    EXPECT_FALSE(slot.InsertColumn(0));
}

TEST(TableSlot, DeletingAColumnWithTheFilterOffRemovesItsItem)
{
    TableSlot slot;
    slot.Table()->SetCellText(0, 2, "c");
    slot.CreateFilter();
    slot.ToggleFilterFlag(kFilterTrim, 2);
    slot.ToggleFilterFlag(kFilterExclude1, 1);
    EXPECT_TRUE(slot.DeleteColumn(1));
    EXPECT_STREQ("c", slot.Table()->GetCellText(0, 1));
    EXPECT_TRUE(slot.GetFilterFlag(1, kFilterTrim));
    EXPECT_FALSE(slot.GetFilterFlag(1, kFilterExclude1));
}

TEST(TableSlot, CreatingAFilterCopiesTheTable)
{
    TableSlot slot;
    slot.Table()->SetCellText(1, 1, "b");
    slot.CreateFilter();
    ASSERT_NE(nullptr, slot.Filter());
    EXPECT_FALSE(slot.Filter()->IsEnabled());
    EXPECT_TRUE(SameTable(*slot.Table(), *slot.Filtered()));
    CDataTableFilter* first = slot.Filter();
    slot.CreateFilter();                   // a second call keeps the filter
    EXPECT_EQ(first, slot.Filter());
}

// ---------------------------------------------------------------------------------------------
// The project table record

namespace {

Bytes WriteRecord(const TableSlot& slot)
{
    CMemFile file;
    EXPECT_TRUE(slot.WriteProjectRecord(&file));
    return file.Bytes();
}

Bytes TableBytes(const CDataTableBase& table)
{
    CMemFile file;
    table.Save(&file);
    return file.Bytes();
}

Bytes FilterBytes(const CDataTableFilter& filter)
{
    CMemFile file;
    filter.Save(&file);
    return file.Bytes();
}

} // namespace

TEST_F(FilteredSlot, ProjectRecordLayoutAndRoundTrip)
{
    slot.Sort(0, true);                    // the filtered copy is stored as it stands
    Bytes bytes = WriteRecord(slot);
    Bytes expected = ByteBuilder()
                         .I32(1)
                         .Append(TableBytes(*slot.Table()))
                         .Append(FilterBytes(*slot.Filter()))
                         .Append(TableBytes(*slot.Filtered()))
                         .bytes();
    EXPECT_EQ(expected, bytes);

    TableSlot loaded;
    BytesFile file(bytes);
    ASSERT_TRUE(loaded.ReadProjectRecord(file.get()));
    EXPECT_EQ(bytes.size(), file->GetPosition());
    EXPECT_TRUE(SameTable(*slot.Table(), *loaded.Table()));
    EXPECT_TRUE(SameTable(*slot.Filtered(), *loaded.Filtered()));
    EXPECT_TRUE(loaded.IsFilterOn());
    EXPECT_EQ(FilterBytes(*slot.Filter()), FilterBytes(*loaded.Filter()));
    EXPECT_EQ(1, loaded.GetFilteredColumn(1));
    // No row map is stored: edits reach the filtered table only until the filter is applied.
    EXPECT_FALSE(loaded.IsRowMapUsable());
    loaded.SetCellText("x", 0, 0);
    EXPECT_EQ(Dump(*slot.Table()), Dump(*loaded.Table()));
}

TEST(TableSlotRecord, WithoutFilter)
{
    TableSlot slot;
    slot.Table()->SetCellText(0, 0, "only");
    Bytes bytes = WriteRecord(slot);
    EXPECT_EQ(ByteBuilder().I32(0).Append(TableBytes(*slot.Table())).bytes(), bytes);
    TableSlot loaded;
    BytesFile file(bytes);
    ASSERT_TRUE(loaded.ReadProjectRecord(file.get()));
    EXPECT_EQ(nullptr, loaded.Filter());
    EXPECT_EQ(nullptr, loaded.Filtered());
    EXPECT_STREQ("only", loaded.GetCellText(0, 0));
}

TEST(TableSlotRecord, AnEmptySlotReadsNothing)
{
    TableSlot slot;
    slot.Clear();
    Bytes bytes = WriteRecord(TableSlot());
    BytesFile file(bytes);
    EXPECT_FALSE(slot.ReadProjectRecord(file.get()));
    EXPECT_EQ(0u, file->GetPosition());
}

TEST_F(FilteredSlot, DamagedProjectRecordChangesNothing)
{
    const Bytes bytes = WriteRecord(slot);
    for (size_t length = 0; length < bytes.size(); ++length) {
        TableSlot target;
        target.Table()->SetCellText(0, 0, "mine");
        BytesFile file(bytes, length);
        EXPECT_FALSE(target.ReadProjectRecord(file.get())) << "length " << length;
        EXPECT_EQ((Rows{{"mine"}}), Dump(*target.Table())) << "length " << length;
        EXPECT_EQ(nullptr, target.Filter()) << "length " << length;
        EXPECT_EQ(nullptr, target.Filtered()) << "length " << length;
    }
}

// ---------------------------------------------------------------------------------------------
// ".filter" files

TEST_F(FilteredSlot, FilterFileBytesAndRoundTrip)
{
    TempDir dir;
    CString path = dir.Path("keep.filter");
    ASSERT_TRUE(slot.SaveFilterFile(path));
    std::string content = dir.ReadBytes("keep.filter");
    Bytes expected = ByteBuilder().Text("FILT").I32(0).Append(FilterBytes(*slot.Filter())).bytes();
    EXPECT_EQ(std::string(expected.begin(), expected.end()), content);

    TableSlot other;
    other.Table()->SetCellText(0, 1, "keep");
    other.Table()->SetCellText(1, 1, "drop");
    MessageBoxRecorder boxes;
    ASSERT_TRUE(other.LoadFilterFile(path));
    EXPECT_EQ(0u, boxes.Count());
    ASSERT_NE(nullptr, other.Filtered());  // made as a copy of the table, not filtered yet
    EXPECT_EQ(2, other.Filtered()->GetRowCount());
    EXPECT_EQ(FilterBytes(*slot.Filter()), FilterBytes(*other.Filter()));
    other.ReapplyFilter();
    EXPECT_EQ(1, other.GetRowCount());

    // Saving again replaces the file and leaves nothing else in the folder.
    slot.SetFilterText(kFilterExclude1, "x");
    ASSERT_TRUE(slot.SaveFilterFile(path));
    EXPECT_NE(content, dir.ReadBytes("keep.filter"));
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(dir.Path("*"), &found);
    int files = 0;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            ++files;
    } while (FindNextFileA(search, &found));
    FindClose(search);
    EXPECT_EQ(1, files);
}

TEST(TableSlotFilterFile, WrongMagicIsIgnoredSilently)
{
    TempDir dir;
    Bytes bytes = ByteBuilder().Text("FILX").I32(0).bytes();
    dir.WriteBytes("other.filter", bytes.data(), bytes.size());
    dir.WriteBytes("short.filter", "FI", 2);
    TableSlot slot;
    MessageBoxRecorder boxes;
    EXPECT_FALSE(slot.LoadFilterFile(dir.Path("other.filter")));
    EXPECT_FALSE(slot.LoadFilterFile(dir.Path("short.filter")));
    EXPECT_EQ(0u, boxes.Count());
    EXPECT_EQ(nullptr, slot.Filter());
    EXPECT_EQ(nullptr, slot.Filtered());
}

TEST(TableSlotFilterFile, DamagedFileIsReportedAndChangesNothing)
{
    TableSlot source;
    source.CreateFilter();
    source.SetFilterText(kFilterInclude1, "abc");
    TempDir dir;
    ASSERT_TRUE(source.SaveFilterFile(dir.Path("f.filter")));
    const std::string whole = dir.ReadBytes("f.filter");

    TableSlot slot;
    slot.CreateFilter();
    slot.SetFilterText(kFilterExclude1, "mine");
    for (size_t length = 4; length < whole.size(); length += 7) {
        dir.WriteBytes("cut.filter", whole.data(), length);
        MessageBoxRecorder boxes;
        EXPECT_FALSE(slot.LoadFilterFile(dir.Path("cut.filter"))) << length;
        ASSERT_EQ(1u, boxes.Count()) << length;
        EXPECT_EQ(CString("Corrupt file or wrong file version"), boxes.Last().text);
        EXPECT_EQ(static_cast<UINT>(MB_ICONERROR), boxes.Last().Icon());
        EXPECT_EQ(CString("mine"), slot.GetFilterText(kFilterExclude1));
    }
}

TEST(TableSlotFilterFile, MissingFileAndNoFilter)
{
    TempDir dir;
    TableSlot slot;
    MessageBoxRecorder boxes;
    CString missing = dir.Path("missing.filter");
    EXPECT_FALSE(slot.LoadFilterFile(missing));
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_EQ(CString("Can not open file ") + missing, boxes.Last().text);
    EXPECT_EQ(static_cast<UINT>(MB_ICONERROR), boxes.Last().Icon());

    // Without a filter nothing is written.
    EXPECT_FALSE(slot.SaveFilterFile(missing));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(missing));
    EXPECT_EQ(1u, boxes.Count());

    // A folder that does not exist: reported, nothing written.
    slot.CreateFilter();
    CString nowhere = dir.Path("no such folder\\x.filter");
    EXPECT_FALSE(slot.SaveFilterFile(nowhere));
    ASSERT_EQ(2u, boxes.Count());
    EXPECT_EQ(CString("Can not open file ") + nowhere, boxes.Last().text);
}
