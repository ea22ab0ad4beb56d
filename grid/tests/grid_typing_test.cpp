// Typing into the grid: every character starts the editor with itself, whatever key shares its code
// ('#' is VK_END, '%' VK_LEFT), characters typed with AltGr (Ctrl and Alt down) included, while the
// keys that carry an edit on from cell to cell keep their own rules.
#include "gridtesthost.h"
#include <cstdio>
#include <string>
#include <vector>

namespace {

// Every character a text can begin with: printable ASCII and the cp1252 letters and signs.
std::vector<unsigned char> PrintableCharacters()
{
    std::vector<unsigned char> out;
    for (int c = 0x20; c <= 0xFF; c++) {
        if (c == 0x7F || c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D)
            continue;
        out.push_back(static_cast<unsigned char>(c));
    }
    return out;
}

std::string Named(unsigned char c)
{
    char text[24];
    std::snprintf(text, sizeof text, "0x%02X '%c'", c, c);
    return text;
}

}  // namespace

class GridTypingTest : public GridTest {
protected:
    HWND EditWnd() const { return ::GetDlgItem(m_grid->m_hWnd, IDC_INPLACE_CONTROL); }

    // Types `first` into the grid over the cell, then 'z' into the editor it opened, and ends the
    // edit; answers what the editor held ("<none>" when no editor opened).
    std::string TypeInto(int row, int col, unsigned char first)
    {
        m_grid->SetFocus();
        m_grid->SetFocusCell(row, col);
        m_grid->SendMessage(WM_CHAR, first, 1);
        PumpMessages();
        HWND edit = EditWnd();
        if (edit == nullptr)
            return "<none>";
        ::SendMessageA(edit, WM_CHAR, 'z', 1);
        const std::string text = EditorText().GetString();
        m_grid->EndEditing();
        PumpMessages();
        return text;
    }

    // The cell (row, col) of a grid whose first non-fixed row and column are 1, for the n-th case.
    static CGridCellID CellFor(size_t n, int cols) { return CGridCellID(1 + static_cast<int>(n) / (cols - 1), 1 + static_cast<int>(n) % (cols - 1)); }
};

TEST_F(GridTypingTest, EveryPrintableCharacterBeginsTheTextOfAnOrdinaryGrid)
{
    const std::vector<unsigned char> chars = PrintableCharacters();
    const int cols = 16, rows = 2 + static_cast<int>(chars.size()) / (cols - 1);
    MakeGrid(rows, cols, 1, 1);
    for (int r = 1; r < rows; r++)
        for (int c = 1; c < cols; c++)
            m_grid->SetItemText(r, c, "old");
    for (size_t i = 0; i < chars.size(); i++) {
        const CGridCellID cell = CellFor(i, cols);
        const std::string want = std::string(1, static_cast<char>(chars[i])) + "z";
        EXPECT_EQ(TypeInto(cell.row, cell.col, chars[i]), want) << Named(chars[i]);
        EXPECT_EQ(std::string(m_grid->GetItemText(cell.row, cell.col).GetString()), want) << Named(chars[i]);
    }
    EXPECT_EQ(EditWnd(), nullptr);
}

TEST_F(GridTypingTest, EveryPrintableCharacterBeginsTheTextTheVirtualOwnerKeeps)
{
    const std::vector<unsigned char> chars = PrintableCharacters();
    const int cols = 16;
    MakeVirtualGrid(400, cols, 1, 1);
    for (size_t i = 0; i < chars.size(); i++) {
        const CGridCellID cell = CellFor(i, cols);
        Host().store.clear();
        TypeInto(cell.row, cell.col, chars[i]);
        const std::string want = std::to_string(cell.row) + ":" + std::to_string(cell.col) + "=" +
                                 std::string(1, static_cast<char>(chars[i])) + "z";
        ASSERT_EQ(Host().store.size(), 1u) << Named(chars[i]);
        EXPECT_EQ(Host().store[0], want) << Named(chars[i]);
    }
}

TEST_F(GridTypingTest, AltGrCharactersStartAnEditAndCtrlLettersDoNot)
{
    MakeGrid(10, 8, 1, 1);
    const unsigned char altGr[] = { '@', '{', '[', '\\', 0x80 /* euro */, '|', '}', ']', '~' };
    int col = 1;
    for (unsigned char ch : altGr) {
        m_grid->SetItemText(2, col, "old");
        m_grid->SetFocus();
        m_grid->SetFocusCell(2, col);
        {
            // AltGr as Windows reports it: the left Ctrl and the right Alt down.
            HeldKeys altGrDown({ VK_CONTROL, VK_LCONTROL, VK_MENU, VK_RMENU });
            m_grid->SendMessage(WM_CHAR, ch, 1);
            PumpMessages();
        }
        ASSERT_NE(EditWnd(), nullptr) << Named(ch);
        EXPECT_EQ(std::string(EditorText().GetString()), std::string(1, static_cast<char>(ch))) << Named(ch);
        m_grid->EndEditing();
        PumpMessages();
        EXPECT_EQ(std::string(m_grid->GetItemText(2, col).GetString()), std::string(1, static_cast<char>(ch)))
            << Named(ch);
        col = col % 7 + 1;
    }

    // Ctrl alone types control characters, which are no text.
    m_grid->SetFocusCell(3, 3);
    {
        HeldKeys ctrl({ VK_CONTROL });
        m_grid->SendMessage(WM_CHAR, 0x01, 1);   // Ctrl+A
        m_grid->SendMessage(WM_CHAR, 0x16, 1);   // Ctrl+V
        PumpMessages();
    }
    EXPECT_EQ(EditWnd(), nullptr);
}

TEST_F(GridTypingTest, AltGrKeysAreNoClipboardCommands)
{
    // On some layouts AltGr+X, AltGr+C and AltGr+A type letters: they must not cut, copy or select all.
    MakeGrid(10, 8, 1, 1);
    m_grid->SetItemText(2, 2, "keep");
    m_grid->SetItemText(2, 3, "this");
    m_grid->SetFocus();
    m_grid->SetFocusCell(2, 2);
    m_grid->SetSelectedRange(2, 2, 2, 3);
    Host().log.clear();
    {
        HeldKeys altGr({ VK_CONTROL, VK_LCONTROL, VK_MENU, VK_RMENU });
        Key('X');
        Key('A');
    }
    EXPECT_EQ(std::string(m_grid->GetItemText(2, 2).GetString()), "keep");
    EXPECT_EQ(std::string(m_grid->GetItemText(2, 3).GetString()), "this");
    EXPECT_EQ(m_grid->GetSelectedCount(), 2);
    {
        HeldKeys ctrl({ VK_CONTROL });
        Key('A');
    }
    EXPECT_EQ(m_grid->GetSelectedCount(), 9 * 7) << "Ctrl+A alone still selects all";
}

TEST_F(GridTypingTest, TypingWithThePointerOnAColumnBorderLosesNothing)
{
    MakeGrid(10, 6, 1, 1);
    m_grid->SetFocus();
    m_grid->SetFocusCell(3, 2);
    // Column 1 ends at 119: the pointer rests on its border in the header.
    m_grid->SendMessage(WM_MOUSEMOVE, 0, Pt(118, 5));
    ASSERT_EQ(m_grid->GetMouseMode(), MOUSE_OVER_COL_DIVIDE);
    m_grid->SendMessage(WM_CHAR, '#', 1);
    PumpMessages();
    ASSERT_NE(EditWnd(), nullptr);
    EXPECT_EQ(std::string(EditorText().GetString()), "#");
    m_grid->EndEditing();
    PumpMessages();
    EXPECT_EQ(std::string(m_grid->GetItemText(3, 2).GetString()), "#");
}

TEST_F(GridTypingTest, KeysThatCarryAnEditOnKeepTheirRules)
{
    MakeGrid(12, 8, 1, 1);
    for (int r = 1; r < 12; r++)
        for (int c = 1; c < 8; c++)
            m_grid->SetItemText(r, c, ("t" + std::to_string(r) + std::to_string(c)).c_str());
    struct Case {
        UINT key;
        bool asChar;         // Tab and Enter reach the box as characters, the others as key downs
        CGridCellID to;      // where the editor opens next, from (5, 3)
        bool caretAtEnd;     // else all of the next text is selected
    };
    const Case cases[] = {
        { VK_RIGHT, false, CGridCellID(5, 4), false }, { VK_LEFT, false, CGridCellID(5, 2), false },
        { VK_UP, false, CGridCellID(4, 3), false },    { VK_DOWN, false, CGridCellID(6, 3), false },
        { VK_TAB, true, CGridCellID(5, 4), false },    { VK_RETURN, true, CGridCellID(6, 3), true },
        { VK_NEXT, false, CGridCellID(-1, 3), false }, { VK_PRIOR, false, CGridCellID(-1, 3), false },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        m_grid->SendMessage(WM_VSCROLL, SB_TOP);
        m_grid->SetFocus();
        m_grid->SetFocusCell(5, 3);
        m_grid->SendMessage(WM_CHAR, 'x', 1);
        PumpMessages();
        ASSERT_NE(EditWnd(), nullptr);
        if (c.asChar)
            ::SendMessageA(EditWnd(), WM_CHAR, c.key, 1);
        else
            ::SendMessageA(EditWnd(), WM_KEYDOWN, c.key, 1);
        PumpMessages();
        EXPECT_EQ(std::string(m_grid->GetItemText(5, 3).GetString()), "x");
        const CGridCellID focus = m_grid->GetFocusCell();
        if (c.to.row >= 0)
            EXPECT_EQ(focus, c.to);
        EXPECT_EQ(focus.col, c.to.col);
        ASSERT_NE(EditWnd(), nullptr) << "the editor carries on in the next cell";
        const std::string next = m_grid->GetItemText(focus.row, focus.col).GetString();
        EXPECT_EQ(std::string(EditorText().GetString()), next) << "the key is not typed into it";
        int s = -1, e = -1;
        SelRange(EditWnd(), s, e);
        EXPECT_EQ(s, c.caretAtEnd ? static_cast<int>(next.size()) : 0);
        EXPECT_EQ(e, static_cast<int>(next.size()));
        ::SendMessageA(EditWnd(), WM_CHAR, VK_ESCAPE, 1);
        PumpMessages();
        ASSERT_EQ(EditWnd(), nullptr);
        m_grid->SetItemText(5, 3, "t53");
    }

    // Home and End, as the editor reports them when they end an edit: the grid moves and opens the
    // editor over the next cell with its text selected, and types no '$' or '#' into it.
    for (UINT key : { UINT(VK_END), UINT(VK_HOME) }) {
        SCOPED_TRACE(key);
        m_grid->SetFocusCell(5, 3);
        GRID_DISPINFO info = {};
        info.hdr.hwndFrom = m_host;
        info.hdr.idFrom = IDC_INPLACE_CONTROL;
        info.hdr.code = static_cast<UINT>(GRIDN_ENDEDIT);
        info.row = 5;
        info.col = 3;
        info.mask = GVIF_TEXT | GVIF_PARAM;
        info.strText = "y";
        info.lParam = key;
        m_grid->SendMessage(WM_NOTIFY, IDC_INPLACE_CONTROL, reinterpret_cast<LPARAM>(&info));
        PumpMessages();
        EXPECT_EQ(std::string(m_grid->GetItemText(5, 3).GetString()), "y");
        const CGridCellID want(5, key == VK_END ? 7 : 1);
        EXPECT_EQ(m_grid->GetFocusCell(), want);
        ASSERT_NE(EditWnd(), nullptr);
        const std::string next = m_grid->GetItemText(want.row, want.col).GetString();
        EXPECT_EQ(std::string(EditorText().GetString()), next);
        int s = -1, e = -1;
        SelRange(EditWnd(), s, e);
        EXPECT_EQ(s, 0);
        EXPECT_EQ(e, static_cast<int>(next.size()));
        ::SendMessageA(EditWnd(), WM_CHAR, VK_ESCAPE, 1);
        PumpMessages();
    }
}
