#include "ui/tablerepeatdlg.h"

#include "document/labeldoc.h"
#include "framework/msgbox.h"
#include "ui/spinfield.h"
#include "ui/tabledialogids.h"

#include <cctype>
#include <new>

BEGIN_MESSAGE_MAP(CTableRepeatDlg, CDialogEx)
    ON_NOTIFY(UDN_DELTAPOS, IDC_REP_ROW_SPIN, OnRowSpin)
    ON_NOTIFY(UDN_DELTAPOS, IDC_REP_COPIES_SPIN, OnCopiesSpin)
END_MESSAGE_MAP()

CTableRepeatDlg::CTableRepeatDlg(CWnd* parent) : CDialogEx(IDD_TABLE_REPEAT, parent), m_strColumn("A") {}

BOOL CTableRepeatDlg::OnInitDialog()
{
    m_column.SubclassDlgItem(IDC_REP_COLUMN, this);
    for (char c = 'A'; c <= 'Z'; ++c) {
        CString letter;
        letter.Format("%c", c);
        m_column.AddString(letter);
    }
    return CDialogEx::OnInitDialog();
}

void CTableRepeatDlg::DoDataExchange(CDataExchange* dx)
{
    DDX_CBString(dx, IDC_REP_COLUMN, m_strColumn);
    DDX_Text(dx, IDC_REP_ROW, m_nRow);
    DDV_MinMaxInt(dx, m_nRow, 1, 2000000000);
    DDX_Text(dx, IDC_REP_COPIES, m_nCopies);
    DDV_MinMaxInt(dx, m_nCopies, 1, 2000000000);
    DDX_Text(dx, IDC_REP_TEXT, m_strText);
    DDX_Check(dx, IDC_REP_INSERT, m_bInsert);
}

void CTableRepeatDlg::OnRowSpin(NMHDR* header, LRESULT* result)
{
    ApplySpinDelta(m_hWnd, IDC_REP_ROW, header, result);
}

void CTableRepeatDlg::OnCopiesSpin(NMHDR* header, LRESULT* result)
{
    ApplySpinDelta(m_hWnd, IDC_REP_COPIES, header, result);
}

TableFillResult TableRepeatCommand(COstrelindSoftLabelDoc& doc, int table, int currentRow, int currentColumn,
                                   CWnd* parent, TableFillTarget* target)
{
    TableFillResult result;
    if (currentRow < 1 || currentColumn < 1 || currentColumn > 26)
        return result;
    TableSlot& slot = doc.GetTableSlot(table);
    CTableRepeatDlg dialog(parent);
    // The column as the header names it: with the filter on, the letter of the base column shown.
    const char shownLetter = HeaderLetter(slot, currentColumn - 1);
    if (shownLetter != '\0')
        dialog.m_strColumn.Format("%c", shownLetter);
    else
        dialog.m_strColumn.Empty();
    dialog.m_nRow = currentRow;
    const char* cell = slot.GetCellText(currentRow - 1, currentColumn - 1);
    dialog.m_strText = CString(cell != nullptr ? cell : "").Left(256);
    if (dialog.DoModal() != IDOK)
        return result;
    const char letter = dialog.m_strColumn.IsEmpty()
                            ? '\0'
                            : static_cast<char>(std::toupper(static_cast<unsigned char>(dialog.m_strColumn.GetAt(0))));
    if (letter < 'A' || letter > 'Z')
        return result;
    // A column the filter hides has no cells to write.
    const int column = ShownColumnOfLetter(slot, letter - 'A');
    if (column < 0)
        return result;
    RepeatSettings settings;
    settings.column = column;
    settings.row = dialog.m_nRow;
    settings.copies = dialog.m_nCopies;
    settings.text = dialog.m_strText;
    settings.insert = dialog.m_bInsert != 0;
    doc.GetTableUndo(table).PushTableUndo(slot);
    SlotFillTarget slotTarget(slot);
    try {
        FillRepeat(settings, target != nullptr ? *target : slotTarget, result);
    } catch (const std::bad_alloc&) {
        AfxMessageBox(IDS_FILL_NO_MEMORY, MB_ICONEXCLAMATION);
    }
    doc.TablesChanged();
    return result;
}
