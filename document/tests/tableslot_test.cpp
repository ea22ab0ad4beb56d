#include "document/tableslot.h"
#include "document/tests/recordbytes.h"
#include "document/tests/tablehelpers.h"
#include "testsupport/msgboxrecorder.h"
#include "testsupport/tempdir.h"

#include <gtest/gtest.h>

#include <string>

using Texts = std::vector<std::string>;

namespace {

// Ten base rows: A holds "r0".."r9", B "keep" on even rows and "drop" on odd ones, C "c0".."c9".
// The filter keeps the even rows and is on: filtered row k is base row 2k.
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
        ASSERT_TRUE(slot.IsRowMapUsable());
        ASSERT_EQ((Texts{"r0", "r2", "r4", "r6", "r8"}), ShownA());
    }

    void ShowOnlyAAndC()
    {
        for (int column = 1; column < CDataTableBase::kColumnCount; ++column) {
            if (column != 2)
                slot.ToggleFilterFlag(kFilterShow, column);
        }
        slot.ReapplyFilter();
    }

    Texts BaseA() const { return Column(*slot.Table(), 0); }
    Texts ShownA() const { return Column(*slot.Filtered(), 0); }

    // Every filtered cell shows what its base cell holds.
    void ExpectInStep() const
    {
        ASSERT_TRUE(slot.IsRowMapUsable());
        for (int row = 0; row < slot.Filtered()->GetRowCount(); ++row) {
            for (int column = 0; column < 3; ++column) {
                int baseColumn = slot.ColumnMap().GetEntry(column);
                if (baseColumn >= 0)
                    EXPECT_STREQ(slot.Table()->GetCellText(slot.RowMap().GetEntry(row), baseColumn),
                                 slot.GetCellText(row, column))
                        << "filtered row " << row << " column " << column;
            }
        }
    }

    TableSlot slot;
};

} // namespace

TEST_F(FilteredSlot, InsertAndEditThroughTheFilter)
{
    EXPECT_TRUE(slot.SetCellText("R4", 2, 0));
    // The new base row goes just after the base row of filtered row 1.
    EXPECT_TRUE(slot.InsertRow(2));
    EXPECT_EQ((Texts{"r0", "r2", "", "R4", "r6", "r8"}), ShownA());
    EXPECT_TRUE(slot.SetCellText("new", 2, 0));
    EXPECT_TRUE(slot.SetCellText("R6", 4, 0));
    EXPECT_EQ((Texts{"r0", "r1", "r2", "new", "r3", "R4", "r5", "R6", "r7", "r8", "r9"}), BaseA());
    EXPECT_TRUE(slot.InsertRow(0));
    EXPECT_TRUE(slot.SetCellText("top", 0, 0));
    EXPECT_EQ("top", BaseA().front());
    ExpectInStep();

    const Texts base = BaseA();
    EXPECT_FALSE(slot.InsertRow(slot.GetRowCount()));   // below the filtered rows: nothing
    EXPECT_FALSE(slot.InsertRow(-1));
    EXPECT_EQ(base, BaseA());
}

TEST_F(FilteredSlot, DeleteRemovesTheBaseRowShown)
{
    EXPECT_TRUE(slot.DeleteRow(1));        // base row 2
    EXPECT_EQ((Texts{"r0", "r1", "r3", "r4", "r5", "r6", "r7", "r8", "r9"}), BaseA());
    EXPECT_TRUE(slot.SetCellText("R6", 2, 0));
    EXPECT_TRUE(slot.DeleteRow(3));        // r8, the last one
    EXPECT_EQ((Texts{"r0", "r1", "r3", "r4", "r5", "R6", "r7", "r9"}), BaseA());
    EXPECT_FALSE(slot.DeleteRow(3));
    ExpectInStep();
}

TEST_F(FilteredSlot, EditsBelowTheFilteredRowsGetNewBaseRows)
{
    EXPECT_TRUE(slot.SetCellText("spare", 7, 0));
    EXPECT_EQ(8, slot.GetRowCount());
    // New base rows at the end; the hidden rows are untouched.
    EXPECT_EQ((Texts{"r0", "r1", "r2", "r3", "r4", "r5", "r6", "r7", "r8", "r9", "", "", "spare"}), BaseA());
    ExpectInStep();
}

TEST_F(FilteredSlot, EditsInColumnsTheFilterDoesNotShowAreRefused)
{
    ShowOnlyAAndC();
    CDataTableBase base(*slot.Table()), filtered(*slot.Filtered());
    EXPECT_FALSE(slot.SetCellText("lost", 0, 2));          // shown column 2 has no base column
    EXPECT_FALSE(slot.SetCellText("lost", 9, 5));
    EXPECT_FALSE(slot.SetCellText("lost", -1, 0));
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
    EXPECT_TRUE(slot.SetCellText("eight", 0, 0));
    EXPECT_TRUE(slot.DeleteRow(4));        // r0
    EXPECT_TRUE(slot.InsertRow(1));        // just after the base row of "eight"
    EXPECT_EQ((Texts{"r1", "r2", "r3", "r4", "r5", "r6", "r7", "eight", "", "r9"}), BaseA());
    ExpectInStep();
    EXPECT_FALSE(slot.Sort(27, false));
}

TEST_F(FilteredSlot, WithoutARowMapChangesStillReachTheTable)
{
    // A filtered table that did not come from applying the filter has no row map. Before the
    // first change the slot brings it into step: rows that are not the filter's rows of the
    // table give way to the filter's own result.
    slot.SetFiltered(std::make_unique<CDataTableBase>(MakeTable({{"f0"}, {"f1"}})));
    EXPECT_FALSE(slot.IsRowMapUsable());
    EXPECT_TRUE(slot.SetCellText("edit", 0, 0));
    EXPECT_TRUE(slot.InsertRow(1));
    EXPECT_TRUE(slot.DeleteRow(2));        // r2
    EXPECT_EQ((Texts{"edit", "", "r4", "r6", "r8"}), ShownA());
    EXPECT_EQ((Texts{"edit", "", "r1", "r3", "r4", "r5", "r6", "r7", "r8", "r9"}), BaseA());
    ExpectInStep();

    // The same rows in another order (a sorted copy) are kept, and the row map follows them;
    // so is a row that no longer passes the filter (the empty one inserted above) as long as
    // the table has a row that shows the same.
    slot.SetFiltered(std::make_unique<CDataTableBase>(MakeTable(
        {{"r8", "keep", "c8"}, {"r6", "keep", "c6"}, {}, {"r4", "keep", "c4"}, {"edit", "keep", "c0"}})));
    EXPECT_TRUE(slot.SetCellText("R6", 1, 0));
    EXPECT_EQ((Texts{"r8", "R6", "", "r4", "edit"}), ShownA());
    EXPECT_EQ("R6", BaseA()[6]);
    EXPECT_TRUE(slot.SetCellText("gap", 2, 0));
    EXPECT_EQ("gap", BaseA()[1]);
    ExpectInStep();

    // A filter switched on without being applied: the copy of the table it came with holds
    // every row, and the first edit finds the base row it shows.
    TableSlot other;
    other.Table()->SetCellText(0, 0, "o0");
    other.Table()->SetCellText(1, 0, "o1");
    other.CreateFilter();
    other.Filter()->SetEnabled(true);
    EXPECT_TRUE(other.SetCellText("x", 1, 0));
    EXPECT_STREQ("x", other.Table()->GetCellText(1, 0));
    EXPECT_STREQ("o0", other.Table()->GetCellText(0, 0));
}

TEST_F(FilteredSlot, ColumnsThroughTheFilter)
{
    ShowOnlyAAndC();
    // Inserting before shown column 1 (base C) inserts a base column at C.
    EXPECT_TRUE(slot.InsertColumn(1));
    EXPECT_EQ((Texts{"r0", "keep", "", "c0"}), Dump(*slot.Table())[0]);
    EXPECT_EQ((Texts{"r0", "", "c0"}), Dump(*slot.Filtered())[0]);
    EXPECT_EQ(3, slot.GetFilteredColumn(2));
    EXPECT_TRUE(slot.GetFilterFlag(1, kFilterInclude1));  // B keeps its condition
    EXPECT_TRUE(slot.SetCellText("mid", 0, 1));
    ExpectInStep();

    EXPECT_TRUE(slot.DeleteColumn(2));     // base D, the old C
    EXPECT_EQ((Texts{"r0", "keep", "mid"}), Dump(*slot.Table())[0]);
    EXPECT_EQ((Texts{"r0", "mid"}), Dump(*slot.Filtered())[0]);
    ExpectInStep();

    for (int column : {5, -1, 26}) {       // no base column, or outside "A".."Z"
        EXPECT_FALSE(slot.InsertColumn(column));
        EXPECT_FALSE(slot.DeleteColumn(column));
    }
    EXPECT_EQ((Texts{"r0", "keep", "mid"}), Dump(*slot.Table())[0]);
}

TEST_F(FilteredSlot, ShownColumnIsTheWayBackFromTheHeaderLetter)
{
    // B hidden: A, C, D, ... are shown as columns 0, 1, 2, ...
    slot.ToggleFilterFlag(kFilterShow, 1);
    slot.ReapplyFilter();
    EXPECT_EQ(0, slot.GetShownColumn(0));
    EXPECT_EQ(-1, slot.GetShownColumn(1));
    EXPECT_EQ(1, slot.GetShownColumn(2));
    EXPECT_EQ(2, slot.GetShownColumn(3));
    for (int shown = 0; shown < 25; ++shown)
        EXPECT_EQ(shown, slot.GetShownColumn(slot.GetFilteredColumn(shown))) << shown;
    for (int column : {-1, 256})
        EXPECT_EQ(-1, slot.GetShownColumn(column));
    // A write through the shown column lands in the base column the header names.
    EXPECT_TRUE(slot.SetCellText("d", 0, slot.GetShownColumn(3)));
    EXPECT_STREQ("d", slot.Table()->GetCellText(0, 3));
    EXPECT_STREQ("keep", slot.Table()->GetCellText(0, 1));

    // Switched off, every column shows itself.
    slot.ToggleFilter();
    EXPECT_EQ(1, slot.GetShownColumn(1));
    EXPECT_EQ(3, slot.GetShownColumn(3));
    TableSlot plain;
    EXPECT_EQ(4, plain.GetShownColumn(4));
}

TEST_F(FilteredSlot, SwitchedOffTheBaseTableIsShown)
{
    slot.ToggleFilter();
    EXPECT_EQ(10, slot.GetRowCount());
    EXPECT_EQ(3, slot.ColumnMap().GetEntry(3));
    EXPECT_TRUE(slot.SetCellText("plain", 1, 0));
    EXPECT_EQ("plain", BaseA()[1]);
    // Deleting column B with the filter off removes B's item: C's items move to B.
    slot.ToggleFilterFlag(kFilterTrim, 2);
    EXPECT_TRUE(slot.DeleteColumn(1));
    EXPECT_TRUE(slot.GetFilterFlag(1, kFilterTrim));
    EXPECT_FALSE(slot.GetFilterFlag(1, kFilterInclude1));
    EXPECT_EQ((Texts{"plain", "c1"}), Dump(*slot.Table())[1]);
}

TEST(TableSlot, WithoutAFilterOrATable)
{
    TableSlot slot;
    EXPECT_TRUE(slot.SetCellText("a", 2, 1));
    EXPECT_TRUE(slot.InsertRow(0));
    EXPECT_TRUE(slot.InsertColumn(0));
    EXPECT_STREQ("a", slot.GetCellText(3, 2));
    EXPECT_FALSE(slot.ToggleFilterFlag(kFilterShow, 0));
    slot.CreateFilter();
    EXPECT_FALSE(slot.Filter()->IsEnabled());
    EXPECT_TRUE(SameTable(*slot.Table(), *slot.Filtered()));

    slot.Clear();
    EXPECT_EQ(-1, slot.GetRowCount());
    EXPECT_FALSE(slot.SetCellText("x", 0, 0));
    EXPECT_FALSE(slot.InsertColumn(0));
}

// ---------------------------------------------------------------------------------------------
// The project table record

namespace {

template <class T>
Bytes RecordOf(const T& object)
{
    CMemFile file;
    EXPECT_TRUE(object.Save(&file));
    return file.Bytes();
}

Bytes WriteRecord(const TableSlot& slot)
{
    CMemFile file;
    EXPECT_TRUE(slot.WriteProjectRecord(&file));
    return file.Bytes();
}

} // namespace

TEST_F(FilteredSlot, ProjectRecord)
{
    slot.Sort(0, true);                    // the filtered copy is stored as it stands
    const Bytes bytes = WriteRecord(slot);
    EXPECT_EQ(ByteBuilder()
                  .I32(1)
                  .Append(RecordOf(*slot.Table()))
                  .Append(RecordOf(*slot.Filter()))
                  .Append(RecordOf(*slot.Filtered()))
                  .bytes(),
              bytes);

    TableSlot loaded;
    BytesFile file(bytes);
    ASSERT_TRUE(loaded.ReadProjectRecord(file.get()));
    EXPECT_EQ(bytes.size(), file->GetPosition());
    EXPECT_TRUE(SameTable(*slot.Table(), *loaded.Table()));
    EXPECT_TRUE(SameTable(*slot.Filtered(), *loaded.Filtered()));
    EXPECT_EQ(RecordOf(*slot.Filter()), RecordOf(*loaded.Filter()));
    // No row map is stored; the reader finds the base row of every stored filtered row, so that
    // edits reach the table as after applying the filter, in the stored (sorted) order.
    EXPECT_TRUE(loaded.IsRowMapUsable());
    EXPECT_TRUE(loaded.SetCellText("x", 0, 0));
    EXPECT_STREQ("x", loaded.Table()->GetCellText(8, 0));
    slot.SetCellText("x", 0, 0);
    EXPECT_EQ(WriteRecord(slot), WriteRecord(loaded));

    for (size_t length = 0; length < bytes.size(); ++length) {
        TableSlot target;
        target.Table()->SetCellText(0, 0, "mine");
        BytesFile cut(bytes, length);
        EXPECT_FALSE(target.ReadProjectRecord(cut.get())) << "length " << length;
        EXPECT_EQ((Rows{{"mine"}}), Dump(*target.Table())) << "length " << length;
        EXPECT_EQ(nullptr, target.Filter()) << "length " << length;
    }
}

TEST(TableSlotRecord, WithoutFilterAndWithoutTable)
{
    TableSlot slot;
    slot.Table()->SetCellText(0, 0, "only");
    const Bytes bytes = WriteRecord(slot);
    EXPECT_EQ(ByteBuilder().I32(0).Append(RecordOf(*slot.Table())).bytes(), bytes);
    TableSlot loaded;
    BytesFile file(bytes);
    ASSERT_TRUE(loaded.ReadProjectRecord(file.get()));
    EXPECT_EQ(nullptr, loaded.Filter());
    EXPECT_STREQ("only", loaded.GetCellText(0, 0));

    TableSlot empty;
    empty.Clear();
    BytesFile again(bytes);
    EXPECT_FALSE(empty.ReadProjectRecord(again.get()));
    EXPECT_EQ(0u, again->GetPosition());
}

// ---------------------------------------------------------------------------------------------
// ".filter" files

TEST_F(FilteredSlot, FilterFiles)
{
    TempDir dir;
    const CString path = dir.Path("keep.filter");
    ASSERT_TRUE(slot.SaveFilterFile(path));
    const std::string content = dir.ReadBytes("keep.filter");
    const Bytes expected = ByteBuilder().Text("FILT").I32(0).Append(RecordOf(*slot.Filter())).bytes();
    EXPECT_EQ(std::string(expected.begin(), expected.end()), content);

    TableSlot other;
    other.Table()->SetCellText(0, 1, "keep");
    other.Table()->SetCellText(1, 1, "drop");
    MessageBoxRecorder boxes;
    ASSERT_TRUE(other.LoadFilterFile(path));
    EXPECT_EQ(RecordOf(*slot.Filter()), RecordOf(*other.Filter()));
    // Stored as on, it shows its rows at once, in step with the table.
    EXPECT_EQ(1, other.GetRowCount());
    EXPECT_TRUE(other.IsRowMapUsable());
    EXPECT_TRUE(other.SetCellText("kept", 0, 0));
    EXPECT_STREQ("kept", other.Table()->GetCellText(0, 0));

    // Saving again replaces the file and leaves nothing else in the folder.
    slot.SetFilterText(kFilterExclude1, "x");
    ASSERT_TRUE(slot.SaveFilterFile(path));
    EXPECT_NE(content, dir.ReadBytes("keep.filter"));
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(dir.Path("*.*"), &found);
    int files = 0;
    do
        files += (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? 0 : 1;
    while (FindNextFileA(search, &found));
    FindClose(search);
    EXPECT_EQ(1, files);

    // A damaged record is reported and changes nothing.
    for (size_t length = 4; length < content.size(); length += 7) {
        dir.WriteBytes("cut.filter", content.data(), length);
        EXPECT_FALSE(slot.LoadFilterFile(dir.Path("cut.filter"))) << length;
        ASSERT_EQ(1u, boxes.Count()) << length;
        EXPECT_EQ(CString("Corrupt file or wrong file version"), boxes.Last().text);
        EXPECT_EQ(static_cast<UINT>(MB_ICONERROR), boxes.Last().Icon());
        EXPECT_EQ(CString("x"), slot.GetFilterText(kFilterExclude1));
        boxes.Clear();
    }
}

// A file with another magic or another version word than the one written is no filter file
// of ours: it is reported as corrupt and the table's filter, its state and its rows stay.
TEST_F(FilteredSlot, FilterFilesWithAnotherMagicOrVersionAreReported)
{
    TempDir dir;
    ASSERT_TRUE(slot.SaveFilterFile(dir.Path("good.filter")));
    const std::string good = dir.ReadBytes("good.filter");
    ASSERT_EQ(0, good.compare(0, 8, std::string("FILT\0\0\0\0", 8)));
    const std::string record = good.substr(8);

    // The table's own filter becomes another one that the bad files must not replace.
    slot.SetFilterText(kFilterExclude1, "r4");
    slot.ToggleFilterFlag(kFilterExclude1, 0);
    slot.ReapplyFilter();
    const Texts shown = ShownA();
    ASSERT_EQ((Texts{"r0", "r2", "r6", "r8"}), shown);
    const Bytes filterBefore = RecordOf(*slot.Filter());
    const CDataTableFilter* const filterObject = slot.Filter();

    const std::vector<std::pair<std::string, std::string>> files = {
        {"magic.filter", "FILX" + good.substr(4)},
        {"lower.filter", "filt" + good.substr(4)},
        {"tbf.filter", ".TBF" + good.substr(4)},
        {"version1.filter", std::string("FILT\1\0\0\0", 8) + record},
        {"version-1.filter", std::string("FILT\xFF\xFF\xFF\xFF", 8) + record},
        {"version256.filter", std::string("FILT\0\1\0\0", 8) + record},
        {"short.filter", "FI"},
        {"magiconly.filter", "FILT"},
        {"empty.filter", ""},
    };
    MessageBoxRecorder boxes;
    for (const auto& file : files) {
        SCOPED_TRACE(file.first);
        dir.WriteBytes(file.first.c_str(), file.second.data(), file.second.size());
        EXPECT_FALSE(slot.LoadFilterFile(dir.Path(file.first.c_str())));
        ASSERT_EQ(1u, boxes.Count());
        EXPECT_EQ(CString("Corrupt file or wrong file version"), boxes.Last().text);
        EXPECT_EQ(static_cast<UINT>(MB_ICONERROR), boxes.Last().Icon());
        boxes.Clear();
        EXPECT_EQ(filterObject, slot.Filter());
        EXPECT_EQ(filterBefore, RecordOf(*slot.Filter()));
        EXPECT_TRUE(slot.IsFilterOn());
        EXPECT_EQ(shown, ShownA());
        ExpectInStep();
    }

    // A table without a filter gets none from them.
    TableSlot bare;
    bare.Table()->SetCellText(0, 0, "a");
    for (const auto& file : files) {
        SCOPED_TRACE(file.first);
        EXPECT_FALSE(bare.LoadFilterFile(dir.Path(file.first.c_str())));
        EXPECT_EQ(nullptr, bare.Filter());
        EXPECT_EQ(nullptr, bare.Filtered());
    }
    EXPECT_EQ(files.size(), boxes.Count());

    // The same record behind the written magic and version loads.
    EXPECT_TRUE(bare.LoadFilterFile(dir.Path("good.filter")));
    EXPECT_EQ(files.size(), boxes.Count());                 // and says nothing
    ASSERT_NE(nullptr, bare.Filter());
    EXPECT_EQ(Bytes(record.begin(), record.end()), RecordOf(*bare.Filter()));
}

TEST(TableSlotFilterFile, FilesThatCannotBeOpened)
{
    TempDir dir;
    TableSlot slot;
    MessageBoxRecorder boxes;
    const CString missing = dir.Path("missing.filter");
    EXPECT_FALSE(slot.LoadFilterFile(missing));
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_EQ(CString("Can not open file ") + missing, boxes.Last().text);
    EXPECT_EQ(static_cast<UINT>(MB_ICONERROR), boxes.Last().Icon());

    EXPECT_FALSE(slot.SaveFilterFile(missing));            // no filter: nothing written
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(missing));
    EXPECT_EQ(1u, boxes.Count());

    slot.CreateFilter();
    const CString nowhere = dir.Path("no such folder\\x.filter");
    EXPECT_FALSE(slot.SaveFilterFile(nowhere));
    ASSERT_EQ(2u, boxes.Count());
    EXPECT_EQ(CString("Can not open file ") + nowhere, boxes.Last().text);
}
