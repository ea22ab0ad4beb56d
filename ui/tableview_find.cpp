// Find and replace of the table view: the modeless common dialog and the search on the focus
// column.
#include "ui/tableview.h"

#include "document/labeldoc.h"
#include "framework/msgbox.h"
#include "ui/tableviewids.h"

#include <commdlg.h>
#include <cstring>

// The dialog's record and buffers: the common dialog reads and writes them while its window
// lives, so they stay until the view opens another dialog or goes.
struct COstrelindSoftTableView::FindState {
    FINDREPLACEA record = {};
    char findText[256] = {};
    char replaceText[256] = {};
};

void COstrelindSoftTableView::OnFind()
{
    OpenFindDialog(false);
}

void COstrelindSoftTableView::OnReplace()
{
    OpenFindDialog(true);
}

void COstrelindSoftTableView::OpenFindDialog(bool replace)
{
    if (m_hFindDialog != nullptr && ::IsWindow(m_hFindDialog)) {
        ::ShowWindow(m_hFindDialog, SW_SHOW);
        ::SetActiveWindow(m_hFindDialog);
        return;
    }
    delete m_pFind;
    m_pFind = new FindState();
    FINDREPLACEA& fr = m_pFind->record;
    fr.lStructSize = sizeof fr;
    fr.hwndOwner = m_hWnd;
    fr.Flags = FR_DOWN;
    fr.lpstrFindWhat = m_pFind->findText;
    fr.wFindWhatLen = sizeof m_pFind->findText;
    fr.lpstrReplaceWith = m_pFind->replaceText;
    fr.wReplaceWithLen = sizeof m_pFind->replaceText;
    m_hFindDialog = replace ? ::ReplaceTextA(&fr) : ::FindTextA(&fr);
}

void COstrelindSoftTableView::DestroyFindDialog()
{
    // The dialog goes before its record: it must never reach a deleted view.
    if (m_hFindDialog != nullptr && ::IsWindow(m_hFindDialog))
        ::DestroyWindow(m_hFindDialog);
    m_hFindDialog = nullptr;
    delete m_pFind;
    m_pFind = nullptr;
}

LRESULT COstrelindSoftTableView::OnFindReplace(WPARAM, LPARAM lParam)
{
    const FINDREPLACEA* fr = reinterpret_cast<const FINDREPLACEA*>(lParam);
    if (fr == nullptr)
        return 0;
    if (fr->Flags & FR_DIALOGTERM) {
        // The record stays until the next dialog: the closing window may still read it.
        m_hFindDialog = nullptr;
        if (m_pGrid != nullptr && m_pGrid->m_hWnd != nullptr)
            m_pGrid->SetFocus();
        return 0;
    }
    const bool matchCase = (fr->Flags & FR_MATCHCASE) != 0;
    const bool whole = (fr->Flags & FR_WHOLEWORD) != 0;
    const bool down = (fr->Flags & FR_DOWN) != 0;
    if (fr->Flags & FR_FINDNEXT)
        FindText(fr->lpstrFindWhat, nullptr, matchCase, whole, down, kFind);
    else if (fr->Flags & FR_REPLACE)
        FindText(fr->lpstrFindWhat, fr->lpstrReplaceWith, matchCase, whole, down, kReplaceOnce);
    else if (fr->Flags & FR_REPLACEALL)
        FindText(fr->lpstrFindWhat, fr->lpstrReplaceWith, matchCase, whole, down, kReplaceAll);
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
