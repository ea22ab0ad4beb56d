// Find and replace of the table view: the modeless common dialog and the search on the focus
// column.
#include "ui/tableview.h"

#include "document/labeldoc.h"
#include "framework/findreplace.h"
#include "framework/msgbox.h"
#include "ui/tableviewids.h"

#include <commdlg.h>
#include <cstring>

void COstrelindSoftTableView::OnFind()
{
    OpenFindDialog(false);
}

void COstrelindSoftTableView::OnReplace()
{
    OpenFindDialog(true);
}

HWND COstrelindSoftTableView::GetFindDialogWindow() const
{
    return m_pFindDlg != nullptr ? m_pFindDlg->m_hWnd : nullptr;
}

void COstrelindSoftTableView::OpenFindDialog(bool replace)
{
    if (m_pFindDlg != nullptr && m_pFindDlg->m_hWnd != nullptr) {
        m_pFindDlg->ShowWindow(SW_SHOW);
        ::SetActiveWindow(m_pFindDlg->m_hWnd);
        return;
    }
    auto* dialog = new CFindReplaceDialog();
    if (!dialog->Create(replace ? FALSE : TRUE, "", "", FR_DOWN, this)) {
        delete dialog;
        return;
    }
    m_pFindDlg = dialog;
}

void COstrelindSoftTableView::DestroyFindDialog()
{
    // The dialog goes with the view: it must never reach a deleted view. It deletes itself.
    CFindReplaceDialog* dialog = m_pFindDlg;
    m_pFindDlg = nullptr;
    if (dialog != nullptr && dialog->m_hWnd != nullptr)
        dialog->DestroyWindow();
}

LRESULT COstrelindSoftTableView::OnFindReplace(WPARAM, LPARAM lParam)
{
    CFindReplaceDialog* dialog = CFindReplaceDialog::GetNotifier(lParam);
    if (dialog == nullptr || dialog != m_pFindDlg)
        return 0;
    if (dialog->IsTerminating()) {
        m_pFindDlg = nullptr;
        if (m_pGrid != nullptr && m_pGrid->m_hWnd != nullptr)
            m_pGrid->SetFocus();
        return 0;
    }
    const bool matchCase = dialog->MatchCase() != FALSE;
    const bool whole = dialog->MatchWholeWord() != FALSE;
    const bool down = dialog->SearchDown() != FALSE;
    const CString find = dialog->GetFindString();
    const CString replacement = dialog->GetReplaceString();
    if (dialog->FindNext())
        FindText(find, nullptr, matchCase, whole, down, kFind);
    else if (dialog->ReplaceCurrent())
        FindText(find, replacement, matchCase, whole, down, kReplaceOnce);
    else if (dialog->ReplaceAll())
        FindText(find, replacement, matchCase, whole, down, kReplaceAll);
    return 0;
}

namespace {
// Where text occurs in cell by the dialog's rules: 0 for a whole-cell match, the offset of the
// first occurrence otherwise, -1 when it does not match.
int MatchCell(const char* cell, const CString& text, const CString& upperText, bool matchCase, bool wholeCell)
{
    if (wholeCell) {
        if (matchCase)
            return std::strcmp(cell, text) == 0 ? 0 : -1;
        return ::lstrcmpiA(cell, text) == 0 ? 0 : -1;
    }
    if (matchCase) {
        const char* at = std::strstr(cell, text);
        return at != nullptr ? static_cast<int>(at - cell) : -1;
    }
    CString upper(cell);
    upper.MakeUpper();
    return upper.Find(upperText);
}

// The replaced cell, cut at 255 characters.
CString ReplaceInCell(const char* cell, int at, int length, const char* replacement, bool wholeCell)
{
    CString result;
    if (wholeCell) {
        result = replacement;
    } else {
        const CString original(cell);
        result = original.Left(at) + replacement + original.Mid(at + length);
    }
    if (result.GetLength() > 255)
        result = result.Left(255);
    return result;
}
}

bool COstrelindSoftTableView::FindText(const char* text, const char* replacement, bool matchCase, bool wholeCell,
                                       bool down, int mode)
{
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    if (doc == nullptr || text == nullptr || m_pGrid == nullptr)
        return false;
    if (m_strLastFind != text || m_bLastMatchCase != matchCase || m_bLastWholeCell != wholeCell) {
        m_strLastFind = text;
        m_bLastMatchCase = matchCase;
        m_bLastWholeCell = wholeCell;
        m_bFound = false;
    }
    if (replacement == nullptr)
        replacement = "";
    const CString needle(text);
    CString upperNeedle(text);
    upperNeedle.MakeUpper();

    const CGridCellID focus = m_pGrid->GetFocusCell();
    const int column = focus.col >= 1 ? focus.col : (m_nCurrentColumn >= 1 ? m_nCurrentColumn : 1);
    const int row = focus.row >= 1 ? focus.row : (m_nCurrentRow >= 1 ? m_nCurrentRow : 1);
    const int n = doc->GetTableRowCount();
    const int step = down ? 1 : -1;
    // Find moves off the focus row first; replace looks at the focus row itself.
    int r = mode == kFind ? row + step : row;

    bool replacedAny = false;
    for (; r >= 1 && r <= n; r += step) {
        const char* cell = doc->GetTableCellText(r - 1, column - 1);
        if (cell == nullptr)
            continue;
        const int at = MatchCell(cell, needle, upperNeedle, matchCase, wholeCell);
        if (at < 0)
            continue;
        m_bFound = true;
        if (mode == kFind) {
            GoToCell(r, column);
            return true;
        }
        if (!replacedAny)
            PushUndo();          // one copy for the run
        replacedAny = true;
        const CString result = ReplaceInCell(cell, at, needle.GetLength(), replacement, wholeCell);
        doc->SetTableCellText(result, r - 1, column - 1);
        if (mode == kReplaceOnce) {
            TableChanged();
            GoToCell(r, column);
            return true;
        }
        // Replace all goes on with the next row: a replacement that contains the text ("a" by
        // "aa") is never searched again, so the run ends.
    }
    if (replacedAny) {
        // Each write already marked the document modified; the views repaint once for the run.
        TableChanged();
        return true;
    }
    if (!m_bFound)
        AfxMessageBox(LoadStringOr(IDS_CANNOT_FIND_TEXT, "Cannot find the text you're searching for."),
                      MB_OK | MB_ICONINFORMATION);
    return false;
}
