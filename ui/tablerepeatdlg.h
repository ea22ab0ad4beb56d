#pragma once
// "Repeat": the dialog of the table view's Repeat command and the command itself, which writes
// one text into several rows of a column.
#include "framework/controls.h"
#include "framework/dialogex.h"
#include "ui/tablefill.h"

class COstrelindSoftLabelDoc;

class CTableRepeatDlg : public CDialogEx {
public:
    explicit CTableRepeatDlg(CWnd* parent = nullptr);

    CString m_strColumn;        // "A".."Z"
    int m_nRow = 1;
    int m_nCopies = 1;
    CString m_strText;
    int m_bInsert = 0;

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    void OnRowSpin(NMHDR* header, LRESULT* result);
    void OnCopiesSpin(NMHDR* header, LRESULT* result);
    DECLARE_MESSAGE_MAP()
public:

private:
    CComboBox m_column;
};

// The table view's Repeat command on table `table` of doc, opened on the view's current grid
// cell (row >= 1, column 1..26) with that cell's text. The result names the last written cell.
TableFillResult TableRepeatCommand(COstrelindSoftLabelDoc& doc, int table, int currentRow, int currentColumn,
                                   CWnd* parent, TableFillTarget* target = nullptr);
