// A cell being edited when a table command arrives: the command finds the typed text in the
// table where it was typed, and no editor is left to write it elsewhere afterwards. The commands
// come as a ribbon click brings them (through the view's command route, taking no focus) or from
// the grid's context menu, which runs them while the grid handles the right button. Real messages
// go into a real view and grid; the table is read back after each step. The cases run on a desktop
// of their own (NeedsFocus): an editor ends when another program takes the focus.
#include "document/tablefilter.h"
#include "framework/menu.h"
#include "testsupport/msgboxrecorder.h"
#include "ui/commandids.h"
#include "ui/tests/tableviewtest.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const char* const kFruit[] = { "apple", "banana", "cherry", "date", "elder" };

class TableOpenEditNeedsFocus : public TableViewTest {
protected:
    // Column A: apple, banana, cherry, date, elder; column B: b0 .. b4.
    void FillFruit()
    {
        for (int r = 0; r < 5; ++r) {
            m_doc->CurrentSlot().SetCellText(kFruit[r], r, 0);
            m_doc->CurrentSlot().SetCellText(("b" + std::to_string(r)).c_str(), r, 1);
        }
        m_doc->SetModifiedFlag(FALSE);
        m_view->ResizeGridRows();
    }

    HWND EditWindow() const { return ::GetDlgItem(m_grid->m_hWnd, IDC_INPLACE_CONTROL); }

    std::string EditText() const
    {
        char text[256] = {};
        ::GetWindowTextA(EditWindow(), text, sizeof text);
        return text;
    }

    // Types text into grid cell (row, col) as a person does, without Enter: the first character
    // opens the editor over the focus cell, the rest go into it.
    void TypeWithoutEnter(int row, int col, const std::string& text)
    {
        Select(row, col);
        m_grid->SendMessage(WM_CHAR, static_cast<WPARAM>(text[0]), 0);
        DrainMessages();
        ASSERT_NE(nullptr, EditWindow());
        for (size_t i = 1; i < text.size(); ++i)
            ::SendMessageA(EditWindow(), WM_CHAR, static_cast<WPARAM>(text[i]), 0);
        ASSERT_EQ(text, EditText());
    }

    // The command as a ribbon click raises it: down the active view's route, the focus untouched.
    void Ribbon(UINT id) { m_view->OnCmdMsg(id, CN_COMMAND, nullptr, nullptr); }

    // No editor is left, and whatever still ends one changes no cell.
    void ExpectNoEditorLeft()
    {
        EXPECT_EQ(nullptr, EditWindow());
        EXPECT_EQ(nullptr, m_grid->GetInPlaceEdit());
    }

    // The base table, whatever the filter shows.
    std::string Base(int row, int column) const
    {
        const char* text = m_doc->CurrentSlot().Table()->GetCellText(row, column);
        return text != nullptr ? text : "";
    }
};

UINT g_menuCommand = 0;
UINT TrackCommand(HMENU, UINT, int, int, HWND)
{
    return g_menuCommand;
}

} // namespace

TEST_F(TableOpenEditNeedsFocus, FilterEnableFindsTheTypedTextInItsOwnRecord)
{
    FillFruit();
    TableSlot& slot = m_doc->CurrentSlot();
    slot.CreateFilter();
    slot.SetFilterText(kFilterInclude1, "e");        // A contains "e": apple, cherry, date, elder
    slot.ToggleFilterFlag(kFilterInclude1, 0);
    ASSERT_FALSE(slot.IsFilterOn());

    TypeWithoutEnter(2, 1, "mango");                  // over banana
    Ribbon(ID_FILTER_ENABLE);
    ASSERT_TRUE(slot.IsFilterOn());
    ExpectNoEditorLeft();
    EXPECT_EQ("mango", Base(1, 0));
    EXPECT_EQ("cherry", Base(2, 0)) << "the record shown in grid row 2 now";
    m_grid->EndEditing();
    DrainMessages();
    EXPECT_EQ("apple", Cell(0, 0));
    EXPECT_EQ("cherry", Cell(1, 0));
    EXPECT_TRUE(m_doc->IsModified());

    Ribbon(ID_FILTER_ENABLE);
    ASSERT_FALSE(slot.IsFilterOn());
    EXPECT_EQ("apple mango cherry date elder", Column(0));
}

TEST_F(TableOpenEditNeedsFocus, InsertColumnPutsTheTypedTextIntoItsColumnNotTheNewOne)
{
    FillFruit();
    TypeWithoutEnter(2, 2, "typed");                  // B2
    Ribbon(ID_TABLE_INSERT_COLUMN);
    ExpectNoEditorLeft();
    EXPECT_EQ("", Cell(1, 1)) << "the new column is empty";
    EXPECT_EQ("typed", Cell(1, 2));
    EXPECT_EQ("b0", Cell(0, 2));
    EXPECT_EQ("banana", Cell(1, 0));
    // One Undo takes the column back, the next the typed text.
    Ribbon(ID_EDIT_UNDO);
    EXPECT_EQ("typed", Cell(1, 1));
    Ribbon(ID_EDIT_UNDO);
    EXPECT_EQ("b1", Cell(1, 1));
}

TEST_F(TableOpenEditNeedsFocus, UndoTakesBackTheTypedTextAndTheRestoredTableGetsNothing)
{
    FillFruit();
    EndEdit(1, 1, "first");                           // an edit finished before: A1
    ASSERT_EQ("first", Cell(0, 0));
    TypeWithoutEnter(3, 2, "typed");                  // B3, still open
    Ribbon(ID_EDIT_UNDO);
    ExpectNoEditorLeft();
    EXPECT_EQ("b2", Cell(2, 1)) << "the open edit is what Undo takes back";
    EXPECT_EQ("first", Cell(0, 0));
    m_grid->EndEditing();
    DrainMessages();
    EXPECT_EQ("b2", Cell(2, 1));
    Ribbon(ID_EDIT_UNDO);
    EXPECT_EQ("apple", Cell(0, 0));
    EXPECT_EQ("b2", Cell(2, 1));
}

TEST_F(TableOpenEditNeedsFocus, ImageColumnClosesTheEditorWithTheTextInTheCell)
{
    FillFruit();
    TypeWithoutEnter(4, 2, "pic.png");
    Ribbon(ID_TABLE_IMAGE_COLUMN);
    ExpectNoEditorLeft();
    EXPECT_TRUE(m_doc->IsImageColumn(1));
    EXPECT_EQ("pic.png", Cell(3, 1));
}

TEST_F(TableOpenEditNeedsFocus, SortAndRowMovesThroughTheRouteEndTheEditToo)
{
    // Commands that ended the edit themselves before still do, now on the route.
    FillFruit();
    TypeWithoutEnter(5, 1, "aaa");                    // elder becomes aaa
    Ribbon(ID_TABLE_SORT_ASCENDING);
    ExpectNoEditorLeft();
    EXPECT_EQ("aaa apple banana cherry date", Column(0));
    TypeWithoutEnter(2, 1, "fig");
    Ribbon(ID_TABLE_NEXT_ROW);
    ExpectNoEditorLeft();
    EXPECT_EQ("aaa fig banana cherry date", Column(0));
}

TEST_F(TableOpenEditNeedsFocus, ContextMenuCommandsFindTheTypedTextInItsCell)
{
    // The grid's right button raises the menu in its default handling; the chosen command runs
    // right there. Insert column before the column being typed into: the text stays with its column.
    FillFruit();
    TypeWithoutEnter(2, 1, "mango");
    g_menuCommand = ID_TABLE_INSERT_COLUMN;
    PopupMenuTracker previous = SetPopupMenuTracker(TrackCommand);
    const CPoint p = [this] {
        CRect r;
        m_grid->GetCellRect(2, 1, &r);
        return r.CenterPoint();
    }();
    m_grid->SendMessage(WM_RBUTTONUP, 0, MAKELPARAM(p.x, p.y));
    SetPopupMenuTracker(previous);
    DrainMessages();
    ExpectNoEditorLeft();
    EXPECT_EQ("", Cell(1, 0)) << "the new column is empty";
    EXPECT_EQ("mango", Cell(1, 1));
    EXPECT_EQ("b1", Cell(1, 2));
    m_grid->EndEditing();
    DrainMessages();
    EXPECT_EQ("    ", Column(0));
    EXPECT_EQ("apple mango cherry date elder", Column(1));

    // Cut from the menu while the cell is still being typed into acts inside the edit box.
    TypeWithoutEnter(4, 2, "kept");
    ::SendMessageA(EditWindow(), EM_SETSEL, 0, 2);
    g_menuCommand = ID_EDIT_CUT;
    previous = SetPopupMenuTracker(TrackCommand);
    m_view->SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(m_grid->m_hWnd), MAKELPARAM(-1, -1));
    SetPopupMenuTracker(previous);
    ASSERT_NE(nullptr, EditWindow());
    EXPECT_EQ("pt", EditText());
    m_grid->EndEditing();
    DrainMessages();
    EXPECT_EQ("pt", Cell(3, 1));
}
