// Edits through a table's filter end up in the table itself: typed over a fresh filter, over one
// reopened from a project or read from a ".tbf" file, and kept by undo together with the filter
// and its maps. Each step is checked in the base table and in the project saved after it.
#include "document/labeldoc.h"
#include "document/labeldocviews.h"
#include "document/tablefiles.h"
#include "document/tablefilter.h"
#include "document/tableslot.h"
#include "document/tableundo.h"
#include "document/tests/projecthelpers.h"
#include "document/tests/tablehelpers.h"
#include "document/textimport.h"
#include "labelmodel/graphimage.h"
#include "testsupport/msgboxrecorder.h"
#include "testsupport/tempdir.h"
#include "framework/view.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using Texts = std::vector<std::string>;
using doctest::NewDoc;

namespace {

// Five fruits in column A and "A contains an" on, so that only banana shows.
class FruitTable : public ::testing::Test {
protected:
    void SetUp() override
    {
        doc = NewDoc();
        const char* fruits[] = {"apple", "banana", "cherry", "date", "elder"};
        for (int row = 0; row < 5; ++row)
            Slot().Table()->SetCellText(row, 0, fruits[row]);
        Slot().CreateFilter();
        Slot().SetFilterText(kFilterInclude1, "an");
        Slot().ToggleFilterFlag(kFilterInclude1, 0);
        doc->ToggleTableFilter();
        ASSERT_EQ((Texts{"banana"}), Shown(0));
    }

    TableSlot& Slot() { return doc->GetTableSlot(0); }
    Texts Base(int column) { return Column(*Slot().Table(), column); }
    Texts Shown(int column)
    {
        Texts texts;
        for (int row = 0; row < doc->GetTableRowCount(); ++row)
            texts.push_back(doc->GetTableCellText(row, column));
        return texts;
    }

    // Saves the project, opens the file in a new document and takes that one: what the person
    // would find after closing and opening the project.
    void SaveAndReopen()
    {
        const CString path = dir.Path("fruit.proj");
        ASSERT_TRUE(doc->OnSaveDocument(path));
        auto opened = NewDoc();
        ASSERT_TRUE(opened->OnOpenDocument(path));
        doc = std::move(opened);
    }

    // The project as saved now holds this base column A.
    void ExpectSavedBase(const Texts& expected)
    {
        const CString path = dir.Path("check.proj");
        ASSERT_TRUE(doc->OnSaveDocument(path));
        auto saved = NewDoc();
        ASSERT_TRUE(saved->OnOpenDocument(path));
        EXPECT_EQ(expected, Column(*saved->GetTableSlot(0).Table(), 0));
        EXPECT_TRUE(SameTable(*Slot().Table(), *saved->GetTableSlot(0).Table()));
    }

    TempDir dir;
    std::unique_ptr<COstrelindSoftLabelDoc> doc;
};

} // namespace

TEST_F(FruitTable, TypingOverAFreshFilterReachesTheTable)
{
    ASSERT_TRUE(doc->SetTableCellText("mango", 0, 0));
    EXPECT_EQ((Texts{"mango"}), Shown(0));
    EXPECT_EQ((Texts{"apple", "mango", "cherry", "date", "elder"}), Base(0));
    ExpectSavedBase({"apple", "mango", "cherry", "date", "elder"});

    doc->ToggleTableFilter();              // off: the table shows what was typed
    EXPECT_EQ((Texts{"apple", "mango", "cherry", "date", "elder"}), Shown(0));
    SaveAndReopen();
    EXPECT_EQ((Texts{"apple", "mango", "cherry", "date", "elder"}), Shown(0));
    doc->ToggleTableFilter();              // on again: rebuilt from the table, mango passes
    EXPECT_EQ((Texts{"mango"}), Shown(0));
    EXPECT_TRUE(Slot().IsRowMapUsable());
}

namespace {

// A table view whose grid still has an editor open over a cell of the table as shown: ending the
// edit commits its text there, as the real grid does.
class EditingTableView : public CView, public CLabelDocTableView {
public:
    COstrelindSoftLabelDoc* doc = nullptr;
    int row = 0, column = 0;
    const char* typed = nullptr;

    int GetSelectedRowCount() override { return 0; }
    bool GetGridFont(LOGFONTA&) override { return false; }
    void SetGridFont(const LOGFONTA&) override {}
    void EndGridEdit() override
    {
        if (typed != nullptr)
            doc->SetTableCellText(typed, row, column);
        typed = nullptr;
    }
};

} // namespace

TEST_F(FruitTable, SwitchingTheFilterEndsAnOpenEditFirst)
{
    EditingTableView view;
    view.doc = doc.get();
    doc->AddView(&view);
    view.typed = "mango";                  // over banana, the first shown row
    doc->ToggleTableFilter();
    EXPECT_EQ(nullptr, view.typed);
    EXPECT_EQ((Texts{"apple", "mango", "cherry", "date", "elder"}), Shown(0));

    view.typed = "kiwi";                   // over cherry, the third row while the filter is off
    view.row = 2;
    doc->ToggleTableFilter();
    EXPECT_EQ((Texts{"apple", "mango", "kiwi", "date", "elder"}), Base(0));
    EXPECT_EQ((Texts{"mango"}), Shown(0));
    doc->RemoveView(&view);
}

TEST_F(FruitTable, AReopenedFilterTakesEveryEditIntoTheTable)
{
    SaveAndReopen();
    ASSERT_TRUE(Slot().IsFilterOn());
    EXPECT_TRUE(Slot().IsRowMapUsable());
    EXPECT_EQ((Texts{"banana"}), Shown(0));

    // Typing.
    ASSERT_TRUE(doc->SetTableCellText("mango", 0, 0));
    EXPECT_EQ((Texts{"apple", "mango", "cherry", "date", "elder"}), Base(0));
    ExpectSavedBase({"apple", "mango", "cherry", "date", "elder"});

    // Inserting a row above it and filling it, then deleting the row it shows.
    ASSERT_TRUE(doc->InsertTableRow(0));
    ASSERT_TRUE(doc->SetTableCellText("new", 0, 0));
    EXPECT_EQ((Texts{"new", "apple", "mango", "cherry", "date", "elder"}), Base(0));
    ASSERT_TRUE(doc->DeleteTableRow(1));   // mango
    EXPECT_EQ((Texts{"new", "apple", "cherry", "date", "elder"}), Base(0));
    ExpectSavedBase({"new", "apple", "cherry", "date", "elder"});

    // A text import appends rows after the shown ones: new rows of the table.
    const std::string lines = "kiwi;x\nlime";
    dir.WriteBytes("more.txt", lines.data(), lines.size());
    ASSERT_TRUE(ImportDelimitedText(Slot(), dir.Path("more.txt"), ';', false));
    EXPECT_EQ((Texts{"new", "apple", "cherry", "date", "elder", "kiwi", "lime"}), Base(0));
    EXPECT_EQ((Texts{"", "", "", "", "", "x", ""}), Base(1));
    ExpectSavedBase({"new", "apple", "cherry", "date", "elder", "kiwi", "lime"});

    // Switching the filter off and on again rebuilds the filtered rows from the table: nothing
    // typed is lost.
    doc->ToggleTableFilter();
    doc->ToggleTableFilter();
    EXPECT_EQ(Texts{}, Shown(0));
    SaveAndReopen();
    EXPECT_EQ((Texts{"new", "apple", "cherry", "date", "elder", "kiwi", "lime"}), Base(0));
    doc->ToggleTableFilter();
    EXPECT_EQ((Texts{"new", "apple", "cherry", "date", "elder", "kiwi", "lime"}), Shown(0));
}

TEST_F(FruitTable, ASortedFilterComesBackInItsOrderAndStillReachesItsRows)
{
    Slot().SetFilterText(kFilterInclude1, "e");    // apple, cherry, date, elder
    Slot().ReapplyFilter();
    ASSERT_TRUE(doc->SortTable(0, true));
    ASSERT_EQ((Texts{"elder", "date", "cherry", "apple"}), Shown(0));
    SaveAndReopen();
    EXPECT_EQ((Texts{"elder", "date", "cherry", "apple"}), Shown(0));
    EXPECT_TRUE(Slot().IsRowMapUsable());
    ASSERT_TRUE(doc->SetTableCellText("ELDER", 0, 0));
    ASSERT_TRUE(doc->SetTableCellText("APPLE", 3, 0));
    EXPECT_EQ((Texts{"APPLE", "banana", "cherry", "date", "ELDER"}), Base(0));
    ExpectSavedBase({"APPLE", "banana", "cherry", "date", "ELDER"});
}

TEST_F(FruitTable, ATbfFileWithAFilterTakesEditsIntoTheTable)
{
    const CString path = dir.Path("fruit.tbf");
    ASSERT_TRUE(WriteTbfFile(Slot(), path));
    TableSlot slot;
    ASSERT_TRUE(ReadTbfFile(slot, path));
    ASSERT_TRUE(slot.IsFilterOn());
    EXPECT_TRUE(slot.IsRowMapUsable());
    EXPECT_TRUE(slot.SetCellText("plum", 0, 0));
    EXPECT_EQ((Texts{"apple", "plum", "cherry", "date", "elder"}), Column(*slot.Table(), 0));

    // Read a second time after the rows already there: the row already shown stays (though plum
    // no longer passes) with the file's banana below it, each tied to its own base row.
    ASSERT_TRUE(ReadTbfFile(slot, path));
    EXPECT_TRUE(slot.IsRowMapUsable());
    ASSERT_EQ((Texts{"plum", "banana"}), Column(*slot.Filtered(), 0));
    EXPECT_TRUE(slot.SetCellText("papaya", 1, 0));
    EXPECT_TRUE(slot.SetCellText("pear", 0, 0));
    EXPECT_EQ((Texts{"apple", "pear", "cherry", "date", "elder", "apple", "papaya", "cherry", "date", "elder"}),
              Column(*slot.Table(), 0));
}

TEST_F(FruitTable, UndoBringsTheFilterAndItsMapsBackWithTheTable)
{
    // A copy taken with the filter off comes back with the filter off: the filtered rows of
    // another state never show.
    doc->ToggleTableFilter();
    CTableUndo& undo = doc->GetTableUndo(0);
    undo.PushTableUndo(Slot());
    ASSERT_TRUE(doc->SetTableCellText("grape", 3, 0));
    doc->ToggleTableFilter();
    ASSERT_EQ((Texts{"banana"}), Shown(0));
    undo.PushTableUndo(Slot());
    ASSERT_TRUE(doc->SetTableCellText("mango", 0, 0));
    ASSERT_TRUE(undo.UndoTableEdit(Slot()));
    EXPECT_EQ((Texts{"banana"}), Shown(0));
    EXPECT_TRUE(Slot().IsRowMapUsable());
    ASSERT_TRUE(undo.UndoTableEdit(Slot()));
    EXPECT_FALSE(Slot().IsFilterOn());
    EXPECT_EQ((Texts{"apple", "banana", "cherry", "date", "elder"}), Shown(0));

    // The column map comes back with the filter that made it.
    doc->ToggleTableFilter();
    Slot().Table()->SetCellText(1, 2, "yellow");
    Slot().ToggleFilterFlag(kFilterShow, 1);   // B hidden: C is shown column 1
    Slot().ReapplyFilter();
    ASSERT_EQ(2, Slot().ColumnMap().GetEntry(1));
    undo.PushTableUndo(Slot());
    Slot().ToggleFilterFlag(kFilterShow, 1);
    Slot().ReapplyFilter();
    ASSERT_TRUE(doc->DeleteTableRow(0));
    ASSERT_TRUE(undo.UndoTableEdit(Slot()));
    EXPECT_EQ(2, Slot().ColumnMap().GetEntry(1));
    EXPECT_EQ("yellow", Shown(1).at(0));
    ASSERT_TRUE(doc->SetTableCellText("ripe", 0, 1));
    EXPECT_STREQ("ripe", Slot().Table()->GetCellText(1, 2));
    EXPECT_STREQ("", Slot().Table()->GetCellText(1, 1));
}

TEST(FilteredUndo, UndoAfterATbfImportTakesTheFilesFilterAway)
{
    TempDir dir;
    TableSlot written;
    written.Table()->SetCellText(0, 0, "from file");
    written.CreateFilter();
    written.SetFilterText(kFilterExclude1, "file");
    written.ToggleFilterFlag(kFilterExclude1, 0);
    written.ToggleFilter();
    const CString path = dir.Path("f.tbf");
    ASSERT_TRUE(WriteTbfFile(written, path));

    auto doc = NewDoc();
    TableSlot& slot = doc->GetTableSlot(0);
    slot.Table()->SetCellText(0, 0, "mine");
    CTableUndo& undo = doc->GetTableUndo(0);
    undo.PushTableUndo(slot);
    ASSERT_TRUE(ImportTableFile(slot, path));
    ASSERT_TRUE(slot.IsFilterOn());
    EXPECT_EQ((Texts{"mine"}), Column(*slot.Filtered(), 0));
    EXPECT_TRUE(undo.CanUndo());
    ASSERT_TRUE(undo.UndoTableEdit(slot));
    EXPECT_EQ(nullptr, slot.Filter());
    EXPECT_FALSE(slot.IsFilterOn());
    EXPECT_EQ((Rows{{"mine"}}), Dump(*slot.Table()));
    EXPECT_STREQ("mine", doc->GetTableCellText(0, 0));
}

TEST_F(FruitTable, ImageColumnsOfTheFilteredTableFollowTheTable)
{
    for (int row = 0; row < 5; ++row)
        Slot().Table()->SetCellText(row, 1, ("pic" + std::to_string(row) + ".bmp").c_str());
    Slot().ReapplyFilter();
    CGraphImageExtExt image;               // reads the first image column
    char path[257];
    auto printed = [&]() {
        // What drawing with the filter on reads: the table as shown and its column map.
        image.GetImagePathForRecord(1, path, sizeof path, Slot().Shown(), &Slot().ColumnMap());
        return std::string(path);
    };
    EXPECT_EQ("", printed());

    doc->ToggleImageColumn(1);             // B marked while the filter is on
    EXPECT_EQ(Flags(*Slot().Table()), Flags(*Slot().Filtered()));
    EXPECT_EQ("pic1.bmp", printed());

    // Column A inserted before it through the filter: the mark moves to C in both tables.
    ASSERT_TRUE(doc->InsertTableColumn(0));
    EXPECT_TRUE(doc->IsImageColumn(2));
    EXPECT_EQ(Flags(*Slot().Table()), Flags(*Slot().Filtered()));
    ASSERT_TRUE(doc->DeleteTableColumn(0));
    EXPECT_EQ(Flags(*Slot().Table()), Flags(*Slot().Filtered()));
    EXPECT_EQ("pic1.bmp", printed());

    doc->ToggleImageColumn(1);             // unmarked: no column is read as file names
    EXPECT_EQ(Flags(*Slot().Table()), Flags(*Slot().Filtered()));
    EXPECT_EQ("", printed());

    // Marked with the filter off, the filtered table knows it too when the filter comes on.
    doc->ToggleTableFilter();
    doc->ToggleImageColumn(1);
    doc->ToggleTableFilter();
    EXPECT_EQ("pic1.bmp", printed());
    SaveAndReopen();
    EXPECT_EQ(Flags(*Slot().Table()), Flags(*Slot().Filtered()));
    EXPECT_EQ("pic1.bmp", printed());
}
