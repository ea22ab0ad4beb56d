// The project document without windows: slots and names, character sets, opening and saving by
// file type with their refusals, status panes, and the table operations through the filter.
#include "document/documentids.h"
#include "framework/cmdtarget.h"
#include "framework/view.h"
#include "projecthelpers.h"
#include "testsupport/msgboxrecorder.h"
#include "testsupport/tempdir.h"
#include "testsupport/testcmdui.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace doctest;

namespace {

// A tab view stand-in that logs what the document asks of it.
class FakeTabs : public CLabelDocTabs {
public:
    std::vector<CString> labels;
    std::vector<std::string> log;
    int selected = 0;

    explicit FakeTabs(int count, const char* word)
    {
        for (int i = 0; i < count; ++i)
            labels.push_back(CString(word) + " " + CString(std::to_string(i + 1).c_str()));
    }
    int GetTabCount() const override { return static_cast<int>(labels.size()); }
    CString GetTabLabel(int index) const override { return labels.at(index); }
    void SetTabLabel(int index, const char* label) override { labels.at(index) = label; }
    void InsertTab(int index, const char* label) override
    {
        labels.insert(labels.begin() + index, label);
        log.push_back("insert " + std::to_string(index));
    }
    void RemoveTab(int index) override
    {
        labels.erase(labels.begin() + index);
        log.push_back("remove " + std::to_string(index));
    }
    void SelectTab(int index) override
    {
        selected = index;
        log.push_back("select " + std::to_string(index));
    }
};

// A table view stand-in: a plain view (no window) with a grid's selection and font.
class FakeTableView : public CView, public CLabelDocTableView {
public:
    int selectedRows = 0;
    LOGFONTA font = {};
    int fontsSet = 0;
    int editsEnded = 0;
    std::vector<LPARAM> hints;

    int GetSelectedRowCount() override { return selectedRows; }
    bool GetGridFont(LOGFONTA& out) override { out = font; return true; }
    void SetGridFont(const LOGFONTA& f) override { font = f; ++fontsSet; }
    void EndGridEdit() override { ++editsEnded; }
    void OnUpdate(CView*, LPARAM hint, CObject*) override { hints.push_back(hint); }
};

// A project whose save dialog is a script: it keeps the name it was offered and answers with
// `answer` (an empty answer cancels).
class PromptDoc : public COstrelindSoftLabelDoc {
public:
    CString proposed;
    CString answer;
    BOOL DoPromptFileName(CString& name, UINT, DWORD, CDocTemplate*) override
    {
        proposed = name;
        if (answer.IsEmpty())
            return FALSE;
        name = answer;
        return TRUE;
    }
};

CTestCmdUI Update(COstrelindSoftLabelDoc& doc, UINT id)
{
    CTestCmdUI ui;
    ui.m_nID = id;
    doc.OnCmdMsg(id, CN_UPDATE_COMMAND_UI, &ui, nullptr);
    return ui;
}

bool Fill(TableSlot& slot, const char* path)
{
    (void)path;
    FillTable(slot.Table(), 2, 2, "imported");
    return true;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Names and slots

TEST(LabelDocNames, NewTabNamesSkipLabelsAlreadyTaken)
{
    auto doc = NewDoc();
    EXPECT_EQ(doc->GetTemplateName(0), "Template 1");
    doc->SetTemplateName(2, "Template 4");
    doc->OnNewTemplate();
    EXPECT_EQ(doc->GetTemplateCount(), 4);
    EXPECT_EQ(doc->GetTemplateName(3), "Template 5");
    EXPECT_EQ(doc->GetCurrentTemplateIndex(), 3);
    EXPECT_TRUE(doc->IsModified());
    // With Template 4 and Template 5 taken the next one is Template 6, not a duplicate.
    doc->OnNewTemplate();
    EXPECT_EQ(doc->GetTemplateName(4), "Template 6");
    EXPECT_EQ(doc->MakeUniqueTabName("Table", 3, false), "Table 4");
    EXPECT_EQ(doc->MakeUniqueTabName("Table", 2, false), "Table 4");

    // With a tab view its labels count, not the stored names.
    FakeTabs tabs(3, "Table");
    tabs.labels[1] = "Table 4";
    doc->SetTableTabs(&tabs);
    doc->OnNewTable();
    EXPECT_EQ(tabs.labels.at(3), "Table 5");
    EXPECT_EQ(tabs.log, (std::vector<std::string>{"insert 3", "select 3"}));
}

TEST(LabelDocNames, CharacterSetsByNameAndNumber)
{
    auto doc = NewDoc();
    EXPECT_EQ(doc->CharsetFromName("200"), 200);
    EXPECT_EQ(doc->CharsetFromName("300"), 0);
    EXPECT_EQ(doc->CharsetFromName("Greek"), 161);
    EXPECT_EQ(doc->CharsetFromName("greek"), 0);
    EXPECT_EQ(doc->CharsetFromName("Eastern European"), 238);
    EXPECT_EQ(doc->CharsetFromName("Cyrillic"), 204);
    EXPECT_EQ(doc->CharsetFromName("OEM"), 255);
    EXPECT_EQ(doc->CharsetFromName("-1"), 0);
    EXPECT_EQ(doc->CharsetFromName(""), 0);
    EXPECT_EQ(doc->GetCharsetName(222), "Thai");
    EXPECT_EQ(doc->GetCharsetName(77), "Macintosh");
    EXPECT_EQ(doc->GetCharsetName(5), "5");
    // The ribbon's list by position: the first and last, and nothing outside the 19.
    EXPECT_EQ(doc->GetCharsetNameAt(0), "English");
    EXPECT_EQ(doc->GetCharsetNameAt(18), "OEM");
    EXPECT_TRUE(doc->GetCharsetNameAt(19).IsEmpty());
    EXPECT_TRUE(doc->GetCharsetNameAt(-1).IsEmpty());
    EXPECT_TRUE(doc->GetCharsetNameAt(255).IsEmpty());
}

TEST(LabelDocSlots, AtMost255TemplatesAndTables)
{
    auto doc = NewDoc();
    FakeTabs tabs(3, "Template");
    doc->SetTemplateTabs(&tabs);
    while (doc->GetTemplateCount() < 255)
        doc->AddTemplateTab();
    EXPECT_EQ(doc->GetCurrentTemplateIndex(), 254);
    tabs.log.clear();
    doc->OnNewTemplate();
    EXPECT_EQ(doc->GetTemplateCount(), 255);
    EXPECT_TRUE(tabs.log.empty());
    doc->AddTemplateTab();
    EXPECT_EQ(tabs.log, std::vector<std::string>{"select 254"});
    EXPECT_EQ(tabs.GetTabCount(), 255);

    while (doc->GetTableCount() < 255)
        doc->OnNewTable();
    doc->AddTableTab();
    EXPECT_EQ(doc->GetTableCount(), 255);
}

TEST(LabelDocSlots, DeletingATemplateKeepsTheOrderAndSelectsThePreviousForTheLast)
{
    MessageBoxRecorder boxes;
    auto doc = NewDoc();
    FakeTabs tabs(3, "Template");
    doc->SetTemplateTabs(&tabs);
    doc->OnNewTemplate();
    for (int k = 0; k < 4; ++k)
        AddMixedObjects(doc->GetTemplate(k)->GetArea(0), k + 1, k);
    CTemplate* third = doc->GetTemplate(2);

    doc->SetCurrentTemplate(1);
    doc->SetModifiedFlag(FALSE);
    boxes.Answer(IDNO);
    doc->OnDeleteTemplate();
    EXPECT_EQ(doc->GetTemplateCount(), 4);
    EXPECT_FALSE(doc->IsModified());
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_EQ(boxes.Last().text, "Delete active template. Are you sure?");
    EXPECT_EQ(boxes.Last().Buttons(), static_cast<UINT>(MB_YESNO));
    EXPECT_EQ(boxes.Last().Icon(), static_cast<UINT>(MB_ICONQUESTION));

    doc->OnDeleteTemplate();
    EXPECT_EQ(doc->GetTemplateCount(), 3);
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(doc->GetTemplate(1), third);
    EXPECT_EQ(doc->GetTemplate(2)->GetArea(0)->GetCount(), 4);
    EXPECT_EQ(doc->GetTemplateName(1), "Template 3");
    EXPECT_EQ(doc->GetCurrentTemplateIndex(), 1);
    EXPECT_EQ(doc->GetTemplate(255)->GetArea(0)->GetCount(), 0);
    EXPECT_EQ(tabs.labels, (std::vector<CString>{"Template 1", "Template 3", "Template 4"}));

    doc->SetCurrentTemplate(2);
    tabs.log.clear();
    doc->OnDeleteTemplate();
    EXPECT_EQ(doc->GetCurrentTemplateIndex(), 1);
    EXPECT_EQ(tabs.log, (std::vector<std::string>{"select 1", "remove 2"}));

    // The last template stays, and nothing is marked changed for it.
    doc->OnDeleteTemplate();
    doc->SetModifiedFlag(FALSE);
    boxes.Clear();
    doc->OnDeleteTemplate();
    EXPECT_EQ(doc->GetTemplateCount(), 1);
    EXPECT_EQ(boxes.Count(), 0u);
    EXPECT_FALSE(doc->IsModified());
    EXPECT_FALSE(Update(*doc, ID_DELETE_TEMPLATE).m_bEnabled);
}

TEST(LabelDocSlots, DeletingATableMovesFiltersAndMapsAndRefillsTheLastSlot)
{
    MessageBoxRecorder boxes;
    auto doc = NewDoc();
    FillTable(doc->GetTableSlot(0).Table(), 3, 2, "zero");
    TableSlot& second = doc->GetTableSlot(1);
    FillTable(second.Table(), 12, 3);
    second.CreateFilter();
    second.Filter()->SetIncludeString(0, "r1");
    second.ToggleFilterFlag(5, 0);
    second.ToggleFilter();
    ASSERT_EQ(second.GetRowCount(), 3);    // r1, r10, r11

    doc->GetTableUndo(1).PushTableUndo(second);
    doc->GetTableUndo(1).SetRecordUndo(false);
    doc->SetCurrentTable(0);
    doc->OnDeleteTable();
    EXPECT_EQ(doc->GetTableUndo(0).GetCopyCount(), 1);
    EXPECT_FALSE(doc->GetTableUndo(0).IsRecordingUndo());
    EXPECT_TRUE(doc->GetTableUndo(255).IsRecordingUndo());
    EXPECT_EQ(doc->GetTableCount(), 2);
    EXPECT_EQ(doc->GetTableName(0), "Table 2");
    EXPECT_TRUE(doc->GetTableSlot(0).IsFilterOn());
    EXPECT_EQ(doc->GetTableRowCount(), 3);
    // The row map came along: an edit through the filter reaches the right base row.
    EXPECT_TRUE(doc->SetTableCellText("changed", 1, 1));
    EXPECT_STREQ(doc->GetTableSlot(0).Table()->GetCellText(10, 1), "changed");
    for (int j = 0; j < 256; ++j)
        ASSERT_NE(doc->GetTableSlot(j).Table(), nullptr) << j;
    EXPECT_EQ(doc->GetTableSlot(255).Table()->GetRowCount(), 0);
    EXPECT_EQ(doc->GetTableSlot(255).Filter(), nullptr);
    EXPECT_TRUE(Update(*doc, ID_DELETE_TABLE).m_bEnabled);
}

// ---------------------------------------------------------------------------------------------
// Opening by file type

TEST(LabelDocOpen, TableFilesDetachThePathSoSavingAsksForAProject)
{
    MessageBoxRecorder boxes;
    TempDir dir;
    COstrelindSoftLabelDoc::TableFileFormats formats;
    formats.importTable = Fill;
    formats.readTbf = Fill;
    COstrelindSoftLabelDoc::SetTableFileFormats(formats);

    const uint8_t tbl[] = {0x01, 0x01, 3, 0, 'x'};
    ASSERT_TRUE(dir.WriteBytes("parts.v2.tbl", tbl, sizeof tbl));
    ASSERT_TRUE(dir.WriteBytes("parts.tbf", tbl, sizeof tbl));
    const uint8_t wide[] = {0x00, 0x7F, 27, 0};
    ASSERT_TRUE(dir.WriteBytes("wide.tbl", wide, sizeof wide));
    EXPECT_TRUE(COstrelindSoftLabelDoc::IsTableFile(dir.Path("parts.v2.tbl")));
    EXPECT_FALSE(COstrelindSoftLabelDoc::IsTableFile(dir.Path("wide.tbl")));

    for (const char* name : {"parts.v2.tbl", "parts.tbf"}) {
        auto doc = NewDoc();
        ASSERT_TRUE(doc->OnOpenDocument(dir.Path(name))) << name;
        doc->SetPathName(dir.Path(name));
        EXPECT_TRUE(doc->GetPathName().IsEmpty()) << name;
        EXPECT_EQ(doc->GetTitle(), CString(name).Left(CString(name).ReverseFind('.')));
        EXPECT_STREQ(doc->GetTableCellText(1, 1), "importedr1c1");
    }
    // The command a ".tbf" open posts detaches the path as well.
    auto doc = NewDoc();
    doc->SetPathName(dir.Path("parts.tbf"));
    doc->OnCmdMsg(ID_DOC_TBF_OPENED, CN_COMMAND, nullptr, nullptr);
    EXPECT_TRUE(doc->GetPathName().IsEmpty());
    EXPECT_EQ(doc->GetTitle(), "parts");

    EXPECT_FALSE(doc->OnOpenDocument(dir.Path("wide.tbl")));
    EXPECT_FALSE(doc->OnOpenDocument(dir.Path("notes.txt")));
    ASSERT_EQ(boxes.Count(), 2u);
    EXPECT_EQ(boxes.Last().text, "Can not open file " + dir.Path("notes.txt"));
    COstrelindSoftLabelDoc::SetTableFileFormats(COstrelindSoftLabelDoc::DefaultTableFileFormats());
}

// ---------------------------------------------------------------------------------------------
// Saving by file type

TEST(LabelDocSave, LabelFilesAreRefusedForObjectsTablesAndMissingDefinitions)
{
    MessageBoxRecorder boxes;
    TempDir dir;
    const CString path = dir.Path("out.label");
    auto doc = NewDoc();
    doc->GetCurrentTemplate()->GetArea(1)->Append(Box(new CGraphRect, 0, 0, 1000, 1000));
    EXPECT_FALSE(doc->SaveFileByType(path));
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_EQ(boxes.Last().text,
              "Document containing template objects can not be saved as a product file (*.label).");
    EXPECT_EQ(boxes.Last().Icon(), static_cast<UINT>(MB_ICONERROR));
    EXPECT_EQ(boxes.Last().owner, nullptr);

    doc->GetCurrentTemplate()->DeleteAllObjects();
    doc->SetTableCellText("x", 0, 0);
    EXPECT_FALSE(doc->SaveFileByType(path));
    EXPECT_EQ(boxes.Last().text, "Document containing table data can not be saved as a product file (*.label).");

    doc->DeleteTableRow(0);
    EXPECT_FALSE(doc->SaveFileByType(path));
    EXPECT_EQ(boxes.Last().text, "Document not containing a product can not be saved as a product file (*.label).");
    EXPECT_EQ(GetFileAttributesA(path), INVALID_FILE_ATTRIBUTES);

    doc->GetCurrentTemplate()->SetLabelStock(MakeStock(40000, 20000));
    boxes.Clear();
    EXPECT_TRUE(doc->SaveFileByType(path));
    EXPECT_NE(GetFileAttributesA(path), INVALID_FILE_ATTRIBUTES);
    // A folder that does not exist: the writer's failure is the answer, and it is shown.
    EXPECT_FALSE(doc->SaveFileByType(dir.Path("missing\\out.label")));
    EXPECT_EQ(boxes.Count(), 1u);
}

TEST(LabelDocSave, TemplateFilesAreExportsThatLeaveTheProjectAsItWas)
{
    MessageBoxRecorder boxes;
    TempDir dir;
    auto doc = NewDoc();
    EXPECT_FALSE(doc->SaveFileByType(dir.Path("t.tpe")));
    EXPECT_EQ(boxes.Last().text, "Document not containing a product can not be saved as a template file (*.tpe).");

    CTemplate* tmpl = doc->GetCurrentTemplate();
    tmpl->SetLabelStock(MakeStock(40000, 20000));
    tmpl->PushUndo(0, true);
    doc->SetModifiedFlag(TRUE);
    boxes.Clear();
    EXPECT_FALSE(doc->SaveFileByType(dir.Path("missing\\t.tpe")));
    EXPECT_EQ(boxes.Count(), 1u);
    EXPECT_TRUE(doc->IsModified());
    EXPECT_TRUE(tmpl->CanUndo(0));

    // One template written is no save of the project: it stays modified, with its undo.
    EXPECT_TRUE(doc->SaveFileByType(dir.Path("t.tpe")));
    EXPECT_TRUE(doc->IsModified());
    EXPECT_TRUE(tmpl->CanUndo(0));
    CTemplate back;
    EXPECT_TRUE(back.LoadTemplateFile(dir.Path("t.tpe")));
    ASSERT_NE(nullptr, back.GetLabelStock());
    EXPECT_EQ(40000, back.GetLabelStock()->GetWidth(0));
}

TEST(LabelDocSave, ProjectsEndGridEditsAndOtherTypesAreNotWritten)
{
    MessageBoxRecorder boxes;
    TempDir dir;
    auto doc = NewDoc();
    FakeTableView view;
    doc->AddView(&view);
    doc->GetCurrentTemplate()->PushUndo(0, true);
    doc->SetTableCellText("x", 0, 0);
    doc->GetTableUndo(2).PushTableUndo(doc->GetTableSlot(2));
    ASSERT_EQ(doc->GetTableUndo(2).GetCopyCount(), 1);
    EXPECT_TRUE(doc->OnSaveDocument(dir.Path("p.PROJ")));
    EXPECT_EQ(view.editsEnded, 1);
    EXPECT_FALSE(doc->IsModified());
    EXPECT_FALSE(doc->GetCurrentTemplate()->CanUndo(0));
    EXPECT_EQ(doc->GetTableUndo(2).GetCopyCount(), 0);

    doc->SetModifiedFlag(TRUE);
    EXPECT_FALSE(doc->OnSaveDocument(dir.Path("p.txt")));
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(boxes.Count(), 0u);

    // A ".tbf" holds the current table only: an export, after which the project is as modified
    // as before and keeps the table's undo copies.
    doc->GetTableUndo(0).PushTableUndo(doc->CurrentSlot());
    EXPECT_FALSE(doc->OnSaveDocument(dir.Path("missing\\p.tbf")));
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(doc->GetTableUndo(0).GetCopyCount(), 1);
    EXPECT_EQ(boxes.Count(), 1u);
    EXPECT_TRUE(doc->OnSaveDocument(dir.Path("p.tbf")));
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(doc->GetTableUndo(0).GetCopyCount(), 1);
    EXPECT_NE(GetFileAttributesA(dir.Path("p.tbf")), INVALID_FILE_ATTRIBUTES);
    doc->RemoveView(&view);
}

TEST(LabelDocSave, SaveAsProposesTheTitleUpToTheSemicolon)
{
    CMultiDocTemplate tmpl(130, [] { return new PromptDoc; }, nullptr, nullptr);
    tmpl.SetDocStrings("\nProject\nProject\nKORVELTA-PRINT marking projects (*.proj)\n.proj\nOstrelindSoft.Project\nOstrelind Soft.Project");
    PromptDoc doc;
    doc.m_bAutoDelete = FALSE;
    tmpl.AddDocument(&doc);
    doc.SetTitle("Cables;2024");
    EXPECT_FALSE(doc.DoSave(nullptr));
    EXPECT_EQ(doc.proposed, "Cables.proj");
    tmpl.RemoveDocument(&doc);
}

// A library label changed in a project and the project saved: the label file still holds the
// old size, so closing still asks about the label, and Yes writes the change into the library.
TEST(LabelDocSave, AProjectSaveDoesNotForgetAChangedLibraryLabel)
{
    MessageBoxRecorder boxes;
    TempDir dir;
    CLabelFileNew library;
    library.SetWidth(0, 40000, false);
    library.SetHeight(0, 20000);
    library.SetFamilyName("Terminals");
    ASSERT_TRUE(library.SaveToFile(dir.Path("Small.label")));

    auto doc = NewDoc();
    ASSERT_TRUE(doc->LoadLabelDefinition(dir.Path("Small.label")));
    ASSERT_TRUE(doc->SetAreaWidth(52000, 0));
    ASSERT_TRUE(doc->DoSave(dir.Path("p.proj")));
    EXPECT_FALSE(doc->IsModified());
    CLabelFileNew onDisk;
    ASSERT_TRUE(onDisk.LoadFromFile(dir.Path("Small.label"), false));
    EXPECT_EQ(40000, onDisk.GetWidth(0));

    boxes.Answer({IDYES});
    EXPECT_TRUE(doc->SaveModified());
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_EQ(boxes[0].text, "The standard label Small in the family Terminals is modified. Do you want to save it?");
    ASSERT_TRUE(onDisk.LoadFromFile(dir.Path("Small.label"), false));
    EXPECT_EQ(52000, onDisk.GetWidth(0));
    // Saved to its file: the next close asks nothing more.
    boxes.Clear();
    EXPECT_TRUE(doc->SaveModified());
    EXPECT_EQ(boxes.Count(), 0u);
}

// Save As under a ".tpe" or ".tbf" name writes one part: the project keeps its path, its title
// and its modified state, so that closing still asks and Save still writes the whole project.
// Only a ".proj" renames it and clears the flag.
TEST(LabelDocSave, SaveAsATemplateOrTableFileIsAnExport)
{
    MessageBoxRecorder boxes;
    TempDir dir;
    PromptDoc doc;
    doc.m_bAutoDelete = FALSE;
    doc.OnNewDocument();
    doc.GetCurrentTemplate()->SetLabelStock(MakeStock(40000, 20000));
    doc.SetTableCellText("x", 0, 0);
    ASSERT_TRUE(doc.DoSave(dir.Path("first.proj")));
    const CString path = doc.GetPathName();
    const CString title = doc.GetTitle();
    EXPECT_EQ(title, "first.proj");
    doc.SetModifiedFlag(TRUE);

    for (const char* name : {"one.tpe", "one.tbf", "one.label"}) {
        SCOPED_TRACE(name);
        doc.answer = dir.Path(name);
        if (CString(name).Find(".label") >= 0) {
            doc.SetTableCellText("", 0, 0);
            doc.DeleteTableRow(0);
        }
        EXPECT_TRUE(doc.DoSave(nullptr));
        EXPECT_NE(GetFileAttributesA(dir.Path(name)), INVALID_FILE_ATTRIBUTES);
        EXPECT_EQ(doc.GetPathName(), path);
        EXPECT_EQ(doc.GetTitle(), title);
        EXPECT_TRUE(doc.IsModified());
    }
    EXPECT_EQ(boxes.Count(), 0u);

    doc.answer = dir.Path("second.proj");
    EXPECT_TRUE(doc.DoSave(nullptr));
    EXPECT_EQ(doc.GetPathName(), dir.Path("second.proj"));
    EXPECT_EQ(doc.GetTitle(), "second.proj");
    EXPECT_FALSE(doc.IsModified());
}

TEST(LabelDocSave, ModifiedLibraryLabelsAreOfferedBeforeTheProject)
{
    MessageBoxRecorder boxes;
    auto doc = NewDoc();
    CLabelFileNew* stock = MakeStock(40000, 20000, "Terminals");
    stock->SetPath("C:\\labels\\Small.label");
    stock->SetLoadedFromFile(true);
    stock->SetModified(true);
    doc->GetTemplate(1)->SetLabelStock(stock);
    boxes.Answer(IDCANCEL);
    EXPECT_FALSE(doc->SaveModified());
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_EQ(boxes.Last().text, "The standard label Small in the family Terminals is modified. Do you want to save it?");
    EXPECT_EQ(boxes.Last().Buttons(), static_cast<UINT>(MB_YESNOCANCEL));

    boxes.Clear();
    doc->SetModifiedFlag(TRUE);
    boxes.Answer({IDNO, IDNO});
    EXPECT_TRUE(doc->SaveModified());
    EXPECT_EQ(boxes.Count(), 2u);
}

// ---------------------------------------------------------------------------------------------
// Status panes

TEST(LabelDocStatus, LabelPaneNamesTheLibraryLabelOrTheProgram)
{
    auto doc = NewDoc();
    CTestCmdUI ui = Update(*doc, ID_STATUS_PANE_LABEL);
    ASSERT_TRUE(ui.m_bTextSet);
    EXPECT_EQ(ui.m_strText.Left(20), CString(AfxGetAppName()) + " V10.0");

    CLabelFileNew* stock = MakeStock(52500, 30000);
    stock->SetPath("C:\\labels\\Small.label");
    stock->SetLoadedFromFile(true);
    doc->GetCurrentTemplate()->SetLabelStock(stock);
    EXPECT_EQ(Update(*doc, ID_STATUS_PANE_LABEL).m_strText, "Label: Small   ( 52.5 mm x 30 mm )");
}

TEST(LabelDocStatus, RowsPaneCountsTheFirstTableViewsSelection)
{
    auto doc = NewDoc();
    EXPECT_FALSE(Update(*doc, ID_STATUS_PANE_ROWS).m_bTextSet);
    FakeTableView view;
    doc->AddView(&view);
    EXPECT_FALSE(Update(*doc, ID_STATUS_PANE_ROWS).m_bTextSet);
    view.selectedRows = 1;
    EXPECT_EQ(Update(*doc, ID_STATUS_PANE_ROWS).m_strText, "One row selected");
    view.selectedRows = 7;
    EXPECT_EQ(Update(*doc, ID_STATUS_PANE_ROWS).m_strText, "7 rows selected");
    EXPECT_FALSE(Update(*doc, ID_DOC_RESERVED1).m_bEnabled);
    doc->RemoveView(&view);
}

// ---------------------------------------------------------------------------------------------
// Table operations

TEST(LabelDocTables, OperationsWorkOnTheTableAsShown)
{
    auto doc = NewDoc();
    TableSlot& slot = doc->CurrentSlot();
    FillTable(slot.Table(), 12, 3);
    EXPECT_EQ(doc->GetTableRowCount(), 12);
    char small[5];
    doc->GetTableCellText(10, 2, sizeof small, small);
    EXPECT_STREQ(small, "r10c");

    slot.CreateFilter();
    slot.Filter()->SetIncludeString(0, "r1");
    slot.ToggleFilterFlag(5, 0);
    doc->SetModifiedFlag(FALSE);
    doc->ToggleTableFilter();
    EXPECT_TRUE(doc->IsModified());      // the project stores whether the filter is on
    EXPECT_TRUE(doc->GetFilterResultFlag());
    EXPECT_EQ(doc->GetTableRowCount(), 3);
    EXPECT_TRUE(doc->HasTableData());

    // Inserting at filtered row 1 puts an empty base row just after base row 1.
    EXPECT_TRUE(doc->InsertTableRow(1));
    EXPECT_EQ(doc->GetTableRowCount(), 4);
    EXPECT_STREQ(doc->GetTableCellText(1, 0), "");
    EXPECT_STREQ(slot.Table()->GetCellText(2, 0), "");
    EXPECT_STREQ(slot.Table()->GetCellText(3, 0), "r2c0");

    // Sorting through the filter sorts only the filtered rows.
    EXPECT_TRUE(doc->SortTable(0, true));
    EXPECT_FALSE(doc->GetFilterResultFlag());
    EXPECT_STREQ(doc->GetTableCellText(0, 0), "r1c0");
    EXPECT_STREQ(doc->GetTableCellText(3, 0), "");
    EXPECT_STREQ(slot.Table()->GetCellText(0, 0), "r0c0");
    EXPECT_FALSE(doc->SortTable(27, false));

    // The filter defined but off: deleting column B takes the filter's item along.
    doc->ToggleTableFilter();
    slot.ToggleFilterFlag(8, 1);
    EXPECT_TRUE(doc->DeleteTableColumn(1));
    EXPECT_STREQ(slot.Table()->GetCellText(0, 1), "r0c2");
    EXPECT_FALSE(slot.GetFilterFlag(1, 8));
    EXPECT_FALSE(doc->InsertTableColumn(-1));
}

TEST(LabelDocTables, ImageColumnsPreviewRowAndCharset)
{
    auto doc = NewDoc();
    FakeTableView view;
    view.font.lfHeight = -20;
    lstrcpyA(view.font.lfFaceName, "Tahoma");
    doc->AddView(&view);

    doc->SetModifiedFlag(FALSE);
    doc->ToggleImageColumn(300);
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(doc->CountImageColumns(), 0);
    doc->ToggleImageColumn(1);
    doc->ToggleImageColumn(4);
    EXPECT_TRUE(doc->IsImageColumn(4));
    EXPECT_EQ(doc->GetImageColumnNumber(4), 2);
    EXPECT_EQ(doc->GetImageColumnNumber(3), -1);
    EXPECT_EQ(doc->CountImageColumns(), 2);

    view.hints.clear();
    doc->SetPreviewRow(0);
    EXPECT_TRUE(view.hints.empty());
    doc->SetPreviewRow(4);
    EXPECT_EQ(doc->GetPreviewRow(), 4);
    ASSERT_FALSE(view.hints.empty());
    for (LPARAM hint : view.hints)
        EXPECT_EQ(hint & kHintTableViews, 0);

    doc->ApplyTableCharset(161);
    EXPECT_EQ(doc->GetTableCharset(), 161);
    EXPECT_EQ(doc->GetTableFont().lfHeight, -20);
    EXPECT_EQ(view.font.lfCharSet, 161);
    EXPECT_EQ(view.fontsSet, 1);
    doc->RemoveView(&view);
}
