// What a person types, pastes, deletes, inserts and fills through the table view while the
// table's filter is on ends up in the table itself: with a filter just set up in the Filter
// dialog, and with one that comes back from a saved project. Real messages go into a real view
// and grid; the dialogs are answered by the dialog driver; the saved project is read back after
// the steps.
#include "document/labeldoc.h"
#include "document/tablefilter.h"
#include "document/tableslot.h"
#include "grid/gridinplaceedit.h"
#include "testsupport/dialogdriver.h"
#include "testsupport/msgboxrecorder.h"
#include "testsupport/tempdir.h"
#include "ui/commandids.h"
#include "ui/tabledialogids.h"
#include "ui/tablefilterdlg.h"
#include "ui/tests/tableviewtest.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

using Texts = std::vector<std::string>;

namespace {

class FilteredTableView : public TableViewTest {
protected:
    void FillBase(const Texts& texts)
    {
        for (size_t row = 0; row < texts.size(); ++row)
            m_doc->CurrentSlot().Table()->SetCellText(static_cast<int>(row), 0, texts[row].c_str());
        m_view->ResizeGridRows();
    }

    // "A contains an", set up as a person does: Filter setup, yes to the question, a click on the
    // include mark of column A, the text typed into its argument, the dialog closed, Enable.
    void FilterAContainsAn()
    {
        MessageBoxRecorder boxes;
        boxes.Answer(IDYES);
        Command(ID_FILTER_SETUP);
        CTableFilterDlg* dialog = m_view->GetFilterDialog();
        ASSERT_NE(nullptr, dialog);
        CGridCtrl& grid = dialog->Grid();
        ClickGrid(grid, 6, 2);
        grid.NotifyEndEdit("an", 6, 1);
        dialog->SendMessage(WM_COMMAND, IDOK);
        ASSERT_EQ(nullptr, m_view->GetFilterDialog());
        Command(ID_FILTER_ENABLE);
        ASSERT_TRUE(m_doc->CurrentSlot().IsFilterOn());
    }

    static void ClickGrid(CGridCtrl& grid, int row, int column)
    {
        CRect rect;
        grid.GetCellRect(row, column, &rect);
        const LPARAM point = MAKELPARAM(rect.CenterPoint().x, rect.CenterPoint().y);
        grid.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, point);
        grid.SendMessage(WM_LBUTTONUP, 0, point);
    }

    // Types over the focus cell as a person does: the first character opens the editor (which
    // posts it to itself) and the rest go into it. The editor stays open.
    HWND StartTyping(int row, int column, const char* text)
    {
        Select(row, column);
        m_grid->SendMessage(WM_CHAR, static_cast<unsigned char>(text[0]), 1);
        DrainMessages();
        if (m_grid->GetInPlaceEdit() == nullptr)
            return nullptr;
        const HWND editor = m_grid->GetInPlaceEdit()->m_hWnd;
        for (const char* c = text + 1; *c != '\0'; ++c)
            ::SendMessageA(editor, WM_CHAR, static_cast<unsigned char>(*c), 1);
        return editor;
    }

    // The key that ends an edit, then the focus leaving the editor: without a window manager the
    // editor may never have had the focus, and the focus leaving it is what ends an edit on
    // Windows. An editor already gone takes no message.
    void EndWithKey(HWND editor, UINT key)
    {
        ::SendMessageA(editor, WM_CHAR, key, 1);
        ::SendMessageA(editor, WM_KILLFOCUS, reinterpret_cast<WPARAM>(m_grid->m_hWnd), 0);
        DrainMessages();
    }

    // Types over the cell and presses Enter. Enter moves on and opens the cell below; Escape
    // leaves that one as it was.
    void TypeOver(int row, int column, const char* text)
    {
        const HWND editor = StartTyping(row, column, text);
        ASSERT_NE(nullptr, editor);
        EndWithKey(editor, VK_RETURN);
        ASSERT_FALSE(::IsWindow(editor));
        ASSERT_NE(nullptr, m_grid->GetInPlaceEdit());
        const HWND next = m_grid->GetInPlaceEdit()->m_hWnd;
        EndWithKey(next, VK_ESCAPE);
        ASSERT_FALSE(::IsWindow(next));
        ASSERT_EQ(nullptr, m_grid->GetInPlaceEdit());
    }

    void PutTextOnClipboard(const char* text)
    {
        ASSERT_TRUE(::OpenClipboard(m_view->m_hWnd));
        ::EmptyClipboard();
        HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, std::strlen(text) + 1);
        std::memcpy(::GlobalLock(memory), text, std::strlen(text) + 1);
        ::GlobalUnlock(memory);
        ::SetClipboardData(CF_TEXT, memory);
        ::CloseClipboard();
    }

    Texts Base(int column) const
    {
        Texts texts;
        const CDataTableBase& table = *m_doc->CurrentSlot().Table();
        for (int row = 0; row < table.GetRowCount(); ++row)
            texts.push_back(table.GetCellText(row, column));
        return texts;
    }

    // The project saved now, read back: its table's columns A and B.
    void ExpectSaved(const Texts& a, const Texts& b = {})
    {
        const CString path = m_dir.Path("check.proj");
        ASSERT_TRUE(m_doc->OnSaveDocument(path));
        COstrelindSoftLabelDoc saved;
        saved.m_bAutoDelete = FALSE;
        ASSERT_TRUE(saved.OnOpenDocument(path));
        const CDataTableBase& table = *saved.GetTableSlot(0).Table();
        Texts savedA, savedB;
        for (int row = 0; row < table.GetRowCount(); ++row) {
            savedA.push_back(table.GetCellText(row, 0));
            savedB.push_back(table.GetCellText(row, 1));
        }
        EXPECT_EQ(a, savedA);
        if (!b.empty())
            EXPECT_EQ(b, savedB);
    }

    // Closes the project and opens the saved file in this view's document, as opening a project
    // into the window does.
    void SaveAndReopen()
    {
        const CString path = m_dir.Path("fruit.proj");
        ASSERT_TRUE(m_doc->OnSaveDocument(path));
        ASSERT_TRUE(m_doc->OnOpenDocument(path));
        m_doc->UpdateAllViews(nullptr, 0);
    }

    TempDir m_dir;
};

} // namespace

TEST_F(FilteredTableView, TypingOverTheFilterDialogsResultReachesTheTable)
{
    FillBase({"apple", "banana", "cherry", "date", "elder"});
    FilterAContainsAn();
    ASSERT_EQ(1, m_doc->GetTableRowCount());
    ASSERT_EQ("banana", Shown(1, 1));

    TypeOver(1, 1, "mango");
    EXPECT_EQ("mango", Shown(1, 1));
    EXPECT_EQ((Texts{"apple", "mango", "cherry", "date", "elder"}), Base(0));
    ExpectSaved({"apple", "mango", "cherry", "date", "elder"});

    Command(ID_FILTER_ENABLE);             // off: row 2 shows what was typed
    ASSERT_FALSE(m_doc->CurrentSlot().IsFilterOn());
    EXPECT_EQ("mango", Shown(2, 1));
    ExpectSaved({"apple", "mango", "cherry", "date", "elder"});
}

// The ribbon's Enable takes no focus: an editor still open when the filter goes off must not
// commit into the row that the same grid row shows afterwards.
TEST_F(FilteredTableView, SwitchingTheFilterOffWithAnEditorOpenKeepsWhatWasTyped)
{
    FillBase({"apple", "banana", "cherry", "date", "elder"});
    FilterAContainsAn();

    // Enter stores the text and leaves an empty editor open on the row below.
    HWND editor = StartTyping(1, 1, "mango");
    ASSERT_NE(nullptr, editor);
    EndWithKey(editor, VK_RETURN);
    ASSERT_NE(nullptr, m_grid->GetInPlaceEdit());
    HWND below = m_grid->GetInPlaceEdit()->m_hWnd;
    Command(ID_FILTER_ENABLE);
    ::SendMessageA(below, WM_KILLFOCUS, reinterpret_cast<WPARAM>(m_grid->m_hWnd), 0);
    DrainMessages();
    EXPECT_EQ((Texts{"apple", "mango", "cherry", "date", "elder"}), Base(0));
    EXPECT_EQ("mango", Shown(2, 1));
    ExpectSaved({"apple", "mango", "cherry", "date", "elder"});

    // Typed and not yet ended: the text goes into the cell typed over, then the filter goes on.
    editor = StartTyping(3, 1, "grape");
    ASSERT_NE(nullptr, editor);
    Command(ID_FILTER_ENABLE);
    ::SendMessageA(editor, WM_KILLFOCUS, reinterpret_cast<WPARAM>(m_grid->m_hWnd), 0);
    DrainMessages();
    EXPECT_EQ((Texts{"apple", "mango", "grape", "date", "elder"}), Base(0));
    ASSERT_TRUE(m_doc->CurrentSlot().IsFilterOn());
    EXPECT_EQ("mango", Shown(1, 1));
    ExpectSaved({"apple", "mango", "grape", "date", "elder"});
}

TEST_F(FilteredTableView, AReopenedFilterTakesTypingPasteDeleteRowsSequenceAndRepeat)
{
    FillBase({"banana", "apple", "orange", "cherry", "mandarin", "date"});
    FilterAContainsAn();
    SaveAndReopen();
    ASSERT_TRUE(m_doc->CurrentSlot().IsFilterOn());
    ASSERT_EQ(3, m_doc->GetTableRowCount());
    ASSERT_EQ("orange", Shown(2, 1));

    TypeOver(2, 1, "tangerine");
    EXPECT_EQ((Texts{"banana", "apple", "tangerine", "cherry", "mandarin", "date"}), Base(0));

    PutTextOnClipboard("kiwi");
    Select(3, 1);
    Command(ID_EDIT_PASTE);
    EXPECT_EQ((Texts{"banana", "apple", "tangerine", "cherry", "kiwi", "date"}), Base(0));

    Select(1, 1);
    m_grid->SendMessage(WM_KEYDOWN, VK_DELETE, 0);
    EXPECT_EQ((Texts{"", "apple", "tangerine", "cherry", "kiwi", "date"}), Base(0));
    ExpectSaved({"", "apple", "tangerine", "cherry", "kiwi", "date"});

    // A new row under the first shown one: in the table just below that row's base row.
    Select(2, 1);
    Command(ID_TABLE_INSERT_ROW);
    EXPECT_EQ((Texts{"", "", "apple", "tangerine", "cherry", "kiwi", "date"}), Base(0));
    {
        ScopedDialogDriver repeat({ [](CWnd* d) {
            ::SetDlgItemTextA(d->m_hWnd, IDC_REP_TEXT, "fig");
            ::SetDlgItemTextA(d->m_hWnd, IDC_REP_COPIES, "1");
            ::CheckDlgButton(d->m_hWnd, IDC_REP_INSERT, BST_UNCHECKED);
            ScopedDialogDriver::Send(d, IDOK);
        } });
        Command(ID_TABLE_REPEAT);
        ASSERT_EQ(1u, repeat.Seen().size());
    }
    EXPECT_EQ((Texts{"", "fig", "apple", "tangerine", "cherry", "kiwi", "date"}), Base(0));

    // Numbers 1 to 4 down column B of the four shown rows.
    {
        ScopedDialogDriver sequence({ [](CWnd* d) {
            const HWND w = d->m_hWnd;
            ::SendMessageA(::GetDlgItem(w, IDC_SEQ_DECIMAL), BM_CLICK, 0, 0);
            ::SetDlgItemTextA(w, IDC_SEQ_PREFIX, "");
            ::SetDlgItemTextA(w, IDC_SEQ_SUFFIX, "");
            ::SetDlgItemTextA(w, IDC_SEQ_START, "1");
            ::SetDlgItemTextA(w, IDC_SEQ_STOP, "4");
            ::SetDlgItemTextA(w, IDC_SEQ_STEP, "1");
            ::SetDlgItemTextA(w, IDC_SEQ_COPIES, "1");
            ::SetDlgItemTextA(w, IDC_SEQ_SETS, "1");
            ::SetDlgItemTextA(w, IDC_SEQ_CELL, "B1");
            ::CheckDlgButton(w, IDC_SEQ_LEADINGZERO, BST_UNCHECKED);
            ::CheckDlgButton(w, IDC_SEQ_REVERSE, BST_UNCHECKED);
            ::CheckDlgButton(w, IDC_SEQ_INSERT, BST_UNCHECKED);
            ScopedDialogDriver::Send(d, IDOK);
        } });
        Command(ID_TABLE_SEQUENCE);
        ASSERT_EQ(1u, sequence.Seen().size());
    }
    EXPECT_EQ((Texts{"1", "2", "", "3", "", "4", ""}), Base(1));

    // The whole shown row of tangerine deleted: its base row goes.
    SelectRows(3, 3);
    Command(ID_EDIT_DELETE);
    const Texts a = {"", "fig", "apple", "cherry", "kiwi", "date"};
    const Texts b = {"1", "2", "", "", "4", ""};
    EXPECT_EQ(a, Base(0));
    EXPECT_EQ(b, Base(1));
    ExpectSaved(a, b);

    // Switching the filter off and on rebuilds what it shows from the table: nothing is lost,
    // in the view, in the project saved and in the project opened again.
    Command(ID_FILTER_ENABLE);
    Command(ID_FILTER_ENABLE);
    EXPECT_EQ(0, m_doc->GetTableRowCount());
    Command(ID_FILTER_ENABLE);
    EXPECT_EQ("fig", Shown(2, 1));
    EXPECT_EQ("4", Shown(5, 2));
    SaveAndReopen();
    EXPECT_EQ(a, Base(0));
    EXPECT_EQ(b, Base(1));
}
