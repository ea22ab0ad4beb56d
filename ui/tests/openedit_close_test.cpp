// A cell typed into without Enter in a saved project, and then the project window goes: closed,
// the program exited, the project closed from the menu, or the session ending (the frame asks every
// project as the exit does). Each way asks "Save changes?", and Yes writes the typed text into the
// file, read back from disk. The cases run on a desktop of their own (NeedsFocus): an editor
// ends when another program takes the focus.
#include "document/labeldoc.h"
#include "framework/stdids.h"
#include "grid/griddefs.h"
#include "ui/mainview.h"
#include "ui/tableview.h"
#include "ui/tabviews.h"
#include "ui/tests/uitestsupport.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class OpenEditCloseNeedsFocus : public StartedAppTest {
protected:
    void SetUp() override
    {
        StartedAppTest::SetUp();
        if (HasFatalFailure())
            return;
        child = NewProjectWindow();
        ASSERT_NE(nullptr, child);
        doc = dynamic_cast<COstrelindSoftLabelDoc*>(child->GetActiveDocument());
        COstrelindSoftMainView* mainView = MainViewOf(child);
        ASSERT_TRUE(doc != nullptr && mainView != nullptr);
        tableView = dynamic_cast<COstrelindSoftTableView*>(mainView->GetTableTabView()->GetView(0));
        ASSERT_NE(nullptr, tableView);
        path = dir.Path("typed.proj");
        doc->CurrentSlot().SetCellText("first", 0, 0);
        ASSERT_TRUE(doc->DoSave(path));
        ASSERT_FALSE(doc->IsModified());
        boxes.Clear();
        projects = app->GetOpenDocumentCount();   // the start-up's new project too
    }

    // Types into grid cell (row, col) as a person does and leaves the editor open.
    void TypeWithoutEnter(int row, int col, const std::string& text)
    {
        CGridCtrl* grid = tableView->GetGrid();
        grid->SetFocusCell(row, col);
        grid->SetSelectedRange(row, col, row, col);
        grid->SendMessage(WM_CHAR, static_cast<WPARAM>(text[0]), 0);
        DrainMessages();
        HWND edit = ::GetDlgItem(grid->m_hWnd, IDC_INPLACE_CONTROL);
        ASSERT_NE(nullptr, edit);
        for (size_t i = 1; i < text.size(); ++i)
            ::SendMessageA(edit, WM_CHAR, static_cast<WPARAM>(text[i]), 0);
        ASSERT_FALSE(doc->IsModified()) << "nothing reached the table yet";
    }

    // The question the closing asked, once.
    void ExpectAskedToSave()
    {
        ASSERT_EQ(1u, boxes.Count());
        EXPECT_NE(-1, boxes.Last().text.Find("Save changes to typed.proj?")) << boxes.Last().text.GetString();
    }

    // Column A of the first table of the project file on disk.
    std::string Saved(int row)
    {
        COstrelindSoftLabelDoc read;
        read.m_bAutoDelete = FALSE;
        if (!read.OnOpenDocument(path))
            return "<unreadable>";
        const char* text = read.GetTableCellText(row, 0);
        return text != nullptr ? text : "";
    }

    CMDIChildWnd* child = nullptr;
    COstrelindSoftLabelDoc* doc = nullptr;
    COstrelindSoftTableView* tableView = nullptr;
    CString path;
    int projects = 0;
};

} // namespace

TEST_F(OpenEditCloseNeedsFocus, ClosingTheWindowAsksAndSavesTheTypedText)
{
    TypeWithoutEnter(2, 1, "typed");
    boxes.Answer(IDYES);
    child->SendMessage(WM_CLOSE);
    DrainMessages();
    ExpectAskedToSave();
    EXPECT_EQ(projects - 1, app->GetOpenDocumentCount());
    EXPECT_EQ("first", Saved(0));
    EXPECT_EQ("typed", Saved(1));
}

TEST_F(OpenEditCloseNeedsFocus, CancelKeepsTheWindowWithTheTextInTheTable)
{
    TypeWithoutEnter(2, 1, "typed");
    boxes.Answer(IDCANCEL);
    child->SendMessage(WM_CLOSE);
    DrainMessages();
    ExpectAskedToSave();
    ASSERT_EQ(projects, app->GetOpenDocumentCount());
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(std::string("typed"), doc->GetTableCellText(1, 0));
    EXPECT_EQ("", Saved(1));
}

TEST_F(OpenEditCloseNeedsFocus, ExitingTheProgramAsks)
{
    TypeWithoutEnter(2, 1, "typed");
    boxes.Answer(IDYES);
    frame->SendMessage(WM_CLOSE);
    DrainMessages();
    ExpectAskedToSave();
    EXPECT_EQ("typed", Saved(1));
}

TEST_F(OpenEditCloseNeedsFocus, CloseFromTheMenuAsks)
{
    TypeWithoutEnter(3, 1, "typed");
    boxes.Answer(IDYES);
    frame->SendMessage(WM_COMMAND, ID_FILE_CLOSE);
    DrainMessages();
    ExpectAskedToSave();
    EXPECT_EQ(projects - 1, app->GetOpenDocumentCount());
    EXPECT_EQ("typed", Saved(2));
}

TEST_F(OpenEditCloseNeedsFocus, TheSessionsQuestionToEveryProjectCountsIt)
{
    // Logging off asks the frame first; the program goes on running until the session ends.
    TypeWithoutEnter(2, 1, "typed");
    boxes.Answer(IDYES);
    EXPECT_NE(0, frame->SendMessage(WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF));
    ExpectAskedToSave();
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(nullptr, tableView->GetGrid()->GetInPlaceEdit());
    EXPECT_EQ(projects, app->GetOpenDocumentCount());
    EXPECT_EQ("typed", Saved(1));
}

TEST_F(OpenEditCloseNeedsFocus, CancelAtTheSessionsQuestionVetoesItAndKeepsTheText)
{
    TypeWithoutEnter(2, 1, "typed");
    boxes.Answer(IDCANCEL);
    EXPECT_EQ(0, frame->SendMessage(WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF));
    ExpectAskedToSave();
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(std::string("typed"), doc->GetTableCellText(1, 0));
    EXPECT_EQ("", Saved(1));
}
