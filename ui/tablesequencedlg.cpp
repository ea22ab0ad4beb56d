#include "ui/tablesequencedlg.h"

#include "document/labeldoc.h"
#include "framework/edit.h"
#include "framework/msgbox.h"
#include "ui/spinfield.h"
#include "ui/tabledialogids.h"

#include <new>

int CTableSequenceDlg::s_base = kSequenceDecimal;
CString CTableSequenceDlg::s_prefix;
CString CTableSequenceDlg::s_start = "1";
CString CTableSequenceDlg::s_stop = "10";
CString CTableSequenceDlg::s_suffix;

BEGIN_MESSAGE_MAP(CTableSequenceDlg, CDialogEx)
    ON_COMMAND_RANGE(IDC_SEQ_DECIMAL, IDC_SEQ_ALPHA, OnBaseClicked)
    ON_NOTIFY(UDN_DELTAPOS, IDC_SEQ_STEP_SPIN, OnStepSpin)
    ON_NOTIFY(UDN_DELTAPOS, IDC_SEQ_COPIES_SPIN, OnCopiesSpin)
    ON_NOTIFY(UDN_DELTAPOS, IDC_SEQ_SETS_SPIN, OnSetsSpin)
END_MESSAGE_MAP()

CTableSequenceDlg::CTableSequenceDlg(CWnd* parent)
    : CDialogEx(IDD_TABLE_SEQUENCE, parent),
      m_nBase(s_base),
      m_strPrefix(s_prefix),
      m_strStart(s_start),
      m_strStop(s_stop),
      m_strSuffix(s_suffix)
{
}

void CTableSequenceDlg::DoDataExchange(CDataExchange* dx)
{
    DDX_Radio(dx, IDC_SEQ_DECIMAL, m_nBase);
    DDX_Text(dx, IDC_SEQ_PREFIX, m_strPrefix);
    DDX_Text(dx, IDC_SEQ_START, m_strStart);
    DDX_Text(dx, IDC_SEQ_STOP, m_strStop);
    DDX_Text(dx, IDC_SEQ_SUFFIX, m_strSuffix);
    DDX_Text(dx, IDC_SEQ_STEP, m_nStep);
    DDV_MinMaxInt(dx, m_nStep, 1, 2000000000);
    DDX_Text(dx, IDC_SEQ_COPIES, m_nCopies);
    DDV_MinMaxInt(dx, m_nCopies, 1, 2000000000);
    DDX_Text(dx, IDC_SEQ_SETS, m_nSets);
    DDV_MinMaxInt(dx, m_nSets, 1, 2000000000);
    DDX_Text(dx, IDC_SEQ_CELL, m_strCell);
    DDX_Check(dx, IDC_SEQ_LEADINGZERO, m_bLeadingZero);
    DDX_Check(dx, IDC_SEQ_REVERSE, m_bReverse);
    DDX_Check(dx, IDC_SEQ_INSERT, m_bInsert);
}

BOOL CTableSequenceDlg::OnInitDialog()
{
    CDialogEx::OnInitDialog();
    EnableLeadingZero();
    return TRUE;
}

void CTableSequenceDlg::EnableLeadingZero()
{
    const bool alphabetic = ::IsDlgButtonChecked(m_hWnd, IDC_SEQ_ALPHA) == BST_CHECKED;
    ::EnableWindow(::GetDlgItem(m_hWnd, IDC_SEQ_LEADINGZERO), alphabetic ? FALSE : TRUE);
}

void CTableSequenceDlg::OnBaseClicked(UINT)
{
    EnableLeadingZero();
}

void CTableSequenceDlg::OnStepSpin(NMHDR* header, LRESULT* result)
{
    ApplySpinDelta(m_hWnd, IDC_SEQ_STEP, header, result);
}

void CTableSequenceDlg::OnCopiesSpin(NMHDR* header, LRESULT* result)
{
    ApplySpinDelta(m_hWnd, IDC_SEQ_COPIES, header, result);
}

void CTableSequenceDlg::OnSetsSpin(NMHDR* header, LRESULT* result)
{
    ApplySpinDelta(m_hWnd, IDC_SEQ_SETS, header, result);
}

void CTableSequenceDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    s_base = m_nBase < 0 ? kSequenceDecimal : m_nBase;
    s_prefix = m_strPrefix;
    s_start = m_strStart;
    s_stop = m_strStop;
    s_suffix = m_strSuffix;
    EndDialog(IDOK);
}

SequenceSettings CTableSequenceDlg::GetSettings() const
{
    SequenceSettings s;
    s.base = m_nBase < 0 ? kSequenceDecimal : m_nBase;
    s.prefix = m_strPrefix;
    s.start = m_strStart;
    s.stop = m_strStop;
    s.suffix = m_strSuffix;
    s.step = m_nStep;
    s.copies = m_nCopies;
    s.sets = m_nSets;
    s.leadingZero = m_bLeadingZero != 0 && s.base != kSequenceAlphabetic;
    s.reverse = m_bReverse != 0;
    s.insert = m_bInsert != 0;
    return s;
}

TableFillResult TableSequenceCommand(COstrelindSoftLabelDoc& doc, int table, int currentRow, int currentColumn,
                                     CWnd* parent, TableFillTarget* target)
{
    TableFillResult result;
    if (currentRow < 1 || currentColumn < 1 || currentColumn > 26)
        return result;
    TableSlot& slot = doc.GetTableSlot(table);
    CTableSequenceDlg dialog(parent);
    // The cell as the header names it: with the filter on, the letter of the base column shown.
    if (const char letter = HeaderLetter(slot, currentColumn - 1))
        dialog.m_strCell.Format("%c%d", letter, currentRow);
    if (dialog.DoModal() != IDOK)
        return result;
    int letter = 0;
    int row = 0;
    // A Cell that names no cell, or a column the filter hides, writes nothing and takes no undo
    // copy.
    if (!ParseCellName(dialog.m_strCell, letter, row))
        return result;
    const int column = ShownColumnOfLetter(slot, letter);
    if (column < 0)
        return result;
    doc.GetTableUndo(table).PushTableUndo(slot);
    SlotFillTarget slotTarget(slot);
    SequenceSettings settings = dialog.GetSettings();
    {
        CWaitCursor wait;
        try {
            FillSequence(settings, target != nullptr ? *target : slotTarget, column, row - 1, result);
        } catch (const std::bad_alloc&) {
            // What was written stays until the user takes it back with one Undo.
            AfxMessageBox(IDS_FILL_NO_MEMORY, MB_ICONEXCLAMATION);
        }
    }
    if (result.cells > 0 || settings.insert) {
        doc.TablesChanged();
    }
    return result;
}
