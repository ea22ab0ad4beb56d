// The file commands of the started program on its own project: every save dialog asks before it
// replaces a file (and No keeps the file's bytes), a Save As that writes one template or table
// leaves the project as it was, "Save label", "Save label as..." and "Export template" reach the
// project and work, and logging off asks what closing asks.
#include "document/labeldoc.h"
#include "framework/doctempl.h"
#include "framework/ribbonbar.h"
#include "framework/ribboncategory.h"
#include "labelmodel/labelstock.h"
#include "labelmodel/template.h"
#include "testsupport/filedialogrecorder.h"
#include "testsupport/testcmdui.h"
#include "ui/commandids.h"
#include "ui/tests/uitestsupport.h"

#include <gtest/gtest.h>
#include <string>

namespace {

class FileCommands : public StartedAppTest {
protected:
    void SetUp() override
    {
        StartedAppTest::SetUp();
        doc = dynamic_cast<COstrelindSoftLabelDoc*>(frame->GetActiveDocument());
        ASSERT_NE(nullptr, doc);
    }
    void Command(UINT id) { frame->SendMessage(WM_COMMAND, id); }
    void Idle() { frame->OnIdleUpdateCmdUI(); }
    CCmdTarget* HandlerOf(UINT id)
    {
        CmdHandlerInfo info;
        return frame->OnCmdMsg(id, CN_COMMAND, nullptr, &info) ? info.target : nullptr;
    }
    // The update handler of id as the frame routes it (for commands only a menu shows).
    bool Enabled(UINT id)
    {
        CTestCmdUI ui(id);
        ui.DoUpdate(frame, TRUE);   // a menu item without handlers is greyed
        return ui.m_bEnabled != FALSE;
    }
    // The element as the ribbon shows it: its category up front (only what shows is updated).
    bool RibbonEnabled(UINT id)
    {
        CMFCRibbonBar& bar = frame->GetRibbonBar();
        for (int c = 0; c < bar.GetCategoryCount(); ++c) {
            if (bar.GetCategory(c)->FindByID(id, true) != nullptr)
                bar.SetActiveCategory(bar.GetCategory(c));
        }
        Idle();
        CMFCRibbonBaseElement* element = frame->FindRibbonElement(id);
        return element != nullptr && element->IsEnabled();
    }
    CLabelFileNew* Stock() { return dynamic_cast<CLabelFileNew*>(doc->GetCurrentTemplate()->GetLabelStock()); }
    CString LabelsFolderPath(const char* name) { return CString(CLabelFileNew::GetLabelsFolder()) + "\\" + name; }

    COstrelindSoftLabelDoc* doc = nullptr;
};

int ProfileInt(const char* section, const char* entry)
{
    return static_cast<int>(AfxGetApp()->GetProfileInt(section, entry, -12345));
}

} // namespace

// Save As, the first Save, the first "Save label", "Save label as..." and "Export template": each
// dialog asks before it replaces the file the person picked; answering No leaves the file as it
// was and the project unsaved.
TEST_F(FileCommands, EverySaveDialogAsksBeforeReplacingAFileAndNoKeepsItsBytes)
{
    ASSERT_TRUE(doc->NewLabelDefinition());
    ASSERT_TRUE(doc->SetAreaWidth(40000, 0));
    ASSERT_TRUE(doc->IsModified());
    struct Case {
        UINT id;
        const char* name;
    };
    const Case cases[] = {
        {ID_FILE_SAVE_AS, "old.proj"}, {ID_FILE_SAVE, "first.proj"}, {ID_LABEL_SAVE, "old.label"},
        {ID_LABEL_SAVE_AS, "other.label"}, {ID_TEMPLATE_EXPORT, "old.tpe"},
    };
    const std::string kept = "a file the person made before";
    FileDialogRecorder dialogs;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const CString path = dir.Path(c.name);
        ASSERT_TRUE(WriteWholeFile(path, kept));
        const size_t before = dialogs.Count();
        dialogs.AnswerPathRefusingReplace(path);
        Command(c.id);
        ASSERT_EQ(before + 1, dialogs.Count());
        const RecordedFileDialog& d = dialogs.Last();
        EXPECT_FALSE(d.open);
        EXPECT_NE(0u, d.flags & OFN_OVERWRITEPROMPT);
        EXPECT_TRUE(d.askedToReplace);
        EXPECT_EQ(IDCANCEL, d.result);
        EXPECT_EQ(kept, ReadWholeFile(path));
    }
    EXPECT_TRUE(doc->GetPathName().IsEmpty());
    EXPECT_TRUE(doc->IsModified());
    EXPECT_STREQ("", Stock()->GetPath());
    EXPECT_EQ(0u, boxes.Count());

    // Yes to the question: the project replaces the file and takes its name.
    dialogs.AnswerPath(dir.Path("old.proj"));
    Command(ID_FILE_SAVE_AS);
    EXPECT_TRUE(dialogs.Last().askedToReplace);
    EXPECT_NE(kept, ReadWholeFile(dir.Path("old.proj")));
    EXPECT_STREQ(dir.Path("old.proj"), doc->GetPathName());
    EXPECT_FALSE(doc->IsModified());
}

// Save As under a template or table file name writes that one part; the window keeps the
// project's name and closing still asks about the unsaved project.
TEST_F(FileCommands, SaveAsATemplateOrTableFileLeavesTheProjectAsItWas)
{
    ASSERT_TRUE(doc->NewLabelDefinition());
    FileDialogRecorder dialogs;
    dialogs.AnswerPath(dir.Path("cables.proj"));
    Command(ID_FILE_SAVE_AS);
    ASSERT_STREQ(dir.Path("cables.proj"), doc->GetPathName());
    const CString caption = frame->GetWindowText();
    EXPECT_NE(-1, caption.Find("cables.proj"));

    ASSERT_TRUE(doc->SetAreaWidth(45000, 0));
    for (const char* name : {"part.tpe", "part.tbf"}) {
        SCOPED_TRACE(name);
        dialogs.AnswerPath(dir.Path(name));
        Command(ID_FILE_SAVE_AS);
        EXPECT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(dir.Path(name)));
        EXPECT_STREQ(dir.Path("cables.proj"), doc->GetPathName());
        EXPECT_STREQ("cables.proj", doc->GetTitle());
        EXPECT_STREQ(caption, frame->GetWindowText());
        EXPECT_TRUE(doc->IsModified());
    }
    // Save writes the project again, not the last export.
    const std::string before = ReadWholeFile(dir.Path("cables.proj"));
    Command(ID_FILE_SAVE);
    EXPECT_EQ(3u, dialogs.Count());
    EXPECT_NE(before, ReadWholeFile(dir.Path("cables.proj")));
    EXPECT_FALSE(doc->IsModified());
}

// The Label tab's "Save label" and "Save label as..." and the canvas menu's "Export template"
// reach the project, are enabled while the template has a library label definition and not
// locked, and write the definition and the template.
TEST_F(FileCommands, SaveLabelSaveLabelAsAndExportTemplateWork)
{
    for (UINT id : {ID_LABEL_SAVE, ID_LABEL_SAVE_AS, ID_TEMPLATE_EXPORT})
        EXPECT_EQ(doc, HandlerOf(id)) << id;
    doc->GetCurrentTemplate()->SetLabelStock(nullptr);
    EXPECT_FALSE(RibbonEnabled(ID_LABEL_SAVE));
    EXPECT_FALSE(RibbonEnabled(ID_LABEL_SAVE_AS));
    EXPECT_FALSE(Enabled(ID_TEMPLATE_EXPORT));

    ASSERT_TRUE(doc->NewLabelDefinition());
    EXPECT_TRUE(RibbonEnabled(ID_LABEL_SAVE));
    EXPECT_TRUE(RibbonEnabled(ID_LABEL_SAVE_AS));
    EXPECT_TRUE(Enabled(ID_TEMPLATE_EXPORT));

    // The first "Save label" asks for the file in the labels folder.
    ASSERT_TRUE(doc->SetAreaWidth(40000, 0));
    FileDialogRecorder dialogs;
    const CString mine = LabelsFolderPath("Mine.label");
    dialogs.AnswerPath(mine);
    Command(ID_LABEL_SAVE);
    ASSERT_EQ(1u, dialogs.Count());
    EXPECT_STREQ(CLabelFileNew::GetLabelsFolder(), dialogs.Last().initialDir);
    EXPECT_STREQ(mine, Stock()->GetPath());
    EXPECT_FALSE(Stock()->IsModified());
    CLabelFileNew read;
    ASSERT_TRUE(read.LoadFromFile(mine, false));
    EXPECT_EQ(40000, read.GetWidth(0));

    // Then "Save label" writes that file without asking.
    ASSERT_TRUE(doc->SetAreaWidth(42000, 0));
    Command(ID_LABEL_SAVE);
    EXPECT_EQ(1u, dialogs.Count());
    ASSERT_TRUE(read.LoadFromFile(mine, false));
    EXPECT_EQ(42000, read.GetWidth(0));

    // "Save label as..." proposes the file and writes the chosen one.
    const CString copy = LabelsFolderPath("Copy.label");
    dialogs.AnswerPath(copy);
    Command(ID_LABEL_SAVE_AS);
    ASSERT_EQ(2u, dialogs.Count());
    EXPECT_STREQ(mine, dialogs.Last().fileName);
    EXPECT_STREQ(copy, Stock()->GetPath());
    ASSERT_TRUE(read.LoadFromFile(copy, false));
    EXPECT_EQ(42000, read.GetWidth(0));

    // "Export template" writes the current template; the project keeps its state.
    const bool modified = doc->IsModified() != FALSE;
    dialogs.AnswerPath(dir.Path("export.tpe"));
    Command(ID_TEMPLATE_EXPORT);
    ASSERT_EQ(3u, dialogs.Count());
    EXPECT_STREQ("tpe", dialogs.Last().defaultExt);
    EXPECT_STREQ("Template files (*.tpe)|*.tpe||", dialogs.Last().filter);
    CTemplate exported;
    ASSERT_TRUE(exported.LoadTemplateFile(dir.Path("export.tpe")));
    ASSERT_NE(nullptr, exported.GetLabelStock());
    EXPECT_EQ(42000, exported.GetLabelStock()->GetWidth(0));
    EXPECT_EQ(modified, doc->IsModified() != FALSE);
    EXPECT_TRUE(doc->GetPathName().IsEmpty());

    // A locked template keeps its definition: the label commands are greyed.
    doc->LockTemplate("secret");
    EXPECT_FALSE(RibbonEnabled(ID_LABEL_SAVE));
    EXPECT_FALSE(RibbonEnabled(ID_LABEL_SAVE_AS));
    EXPECT_EQ(0u, boxes.Count());
    doc->SetModifiedFlag(FALSE);   // the program closes after the case without a save dialog
}

// Logging off or shutting down: the frame asks, for the modified project, the question closing
// asks. Cancel vetoes the end of the session and keeps everything; No lets it end without saving;
// Yes saves. When the session does end, the recent files and the window placement are written.
TEST_F(FileCommands, EndingTheSessionAsksAboutUnsavedWorkAndWritesWhatExitWrites)
{
    const CString path = dir.Path("session.proj");
    ASSERT_TRUE(doc->DoSave(path));
    const std::string saved = ReadWholeFile(path);
    ASSERT_FALSE(saved.empty());
    ASSERT_TRUE(doc->SetTableCellText("changed", 0, 0));
    doc->SetModifiedFlag(TRUE);

    boxes.Answer(IDCANCEL);
    EXPECT_EQ(FALSE, frame->SendMessage(WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF));
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_STREQ("Save changes to session.proj?", boxes.Last().text);
    EXPECT_EQ(static_cast<UINT>(MB_YESNOCANCEL), boxes.Last().Buttons());
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(saved, ReadWholeFile(path));
    EXPECT_EQ(1, app->GetOpenDocumentCount());

    boxes.Answer(IDNO);
    EXPECT_EQ(TRUE, frame->SendMessage(WM_QUERYENDSESSION, 0, 0));
    EXPECT_EQ(2u, boxes.Count());
    EXPECT_EQ(saved, ReadWholeFile(path));
    EXPECT_TRUE(doc->IsModified());

    boxes.Answer(IDYES);
    EXPECT_EQ(TRUE, frame->SendMessage(WM_QUERYENDSESSION, 0, 0));
    EXPECT_EQ(3u, boxes.Count());
    EXPECT_FALSE(doc->IsModified());
    COstrelindSoftLabelDoc back;
    back.m_bAutoDelete = FALSE;
    ASSERT_TRUE(back.OnOpenDocument(path));
    EXPECT_STREQ("changed", back.GetTableCellText(0, 0));

    // A session end that another program vetoed writes nothing; one that happens writes the
    // recent files and the frame's placement, as leaving the program does.
    DeleteTestProfile();
    frame->SendMessage(WM_ENDSESSION, FALSE, 0);
    EXPECT_STREQ("", app->GetProfileString("Recent File List", "File1"));
    EXPECT_EQ(-12345, ProfileInt("Workspace", "MainWindowLeft"));
    frame->SetWindowPos(nullptr, 37, 41, 700, 500, SWP_NOZORDER | SWP_NOACTIVATE);
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof placement;
    ASSERT_TRUE(::GetWindowPlacement(frame->m_hWnd, &placement));
    frame->SendMessage(WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
    EXPECT_EQ(0, app->GetProfileString("Recent File List", "File1").CompareNoCase(path));
    EXPECT_EQ(placement.rcNormalPosition.left, ProfileInt("Workspace", "MainWindowLeft"));
    EXPECT_EQ(placement.rcNormalPosition.bottom, ProfileInt("Workspace", "MainWindowBottom"));
    EXPECT_EQ(3u, boxes.Count());
}
