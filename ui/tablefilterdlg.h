#pragma once
// "Filter": the modeless dialog in which the table view's user edits the current table's filter,
// a grid of condition rows (show, trim, strip, include, exclude) by columns A..Z. Every change
// goes straight into the filter, which is applied again at once. The dialog deletes itself when
// its window goes and then clears the pointer its owner keeps.
#include "framework/controls.h"
#include "framework/dialog.h"
#include "grid/gridctrl.h"

class COstrelindSoftLabelDoc;

class CTableFilterDlg : public CDialog {
public:
    CTableFilterDlg(COstrelindSoftLabelDoc* doc, int table);

    // Creates and shows the dialog; *ownerSlot (when given) is cleared when the window goes.
    BOOL Create(CWnd* parent, CTableFilterDlg** ownerSlot);
    CGridCtrl& Grid() { return m_grid; }
    int GetTable() const { return m_nTable; }

    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    void PostNcDestroy() override;
    void OnGridDispInfo(NMHDR* header, LRESULT* result);
    void OnGridBeginEdit(NMHDR* header, LRESULT* result);
    void OnGridEndEdit(NMHDR* header, LRESULT* result);
    void OnGridSelChanged(NMHDR* header, LRESULT* result);
    void OnClose();
    DECLARE_MESSAGE_MAP()
public:

    // The grid's cell texts (also what the tests read).
    CString CellText(int row, int column) const;

private:
    bool IsFlagCell(int row, int column) const { return row >= 1 && row < 12 && column >= 2 && column < 28; }
    void ToggleFlag(int row, int column);
    void FilterChanged();

    COstrelindSoftLabelDoc* m_pDoc;
    int m_nTable;
    CGridCtrl m_grid;
    CComboBox m_markingType;
    CTableFilterDlg** m_ppOwnerSlot = nullptr;
    int m_lastFocusRow = -1;
    int m_lastFocusColumn = -1;
};

// The table view's Filter setup on table `table`: without a filter asks whether to insert one
// (No ends); then opens the filter dialog unless `dialog` already holds one. True when the
// dialog is open afterwards.
bool OpenTableFilterDialog(COstrelindSoftLabelDoc& doc, int table, CWnd* parent, CTableFilterDlg*& dialog);
// The view is going (its tab deleted, the project closed): its filter dialog goes first, so that
// it never reaches a freed view or document.
void CloseTableFilterDialog(CTableFilterDlg*& dialog);
