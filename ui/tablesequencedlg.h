#pragma once
// "Sequence": the dialog of the table view's Sequence command and the command itself, which fills
// a column of a table with counting values. Base, Prefix, Start, Stop and Suffix are kept while
// the program runs, one set for all tables and documents.
#include "framework/dialogex.h"
#include "ui/tablefill.h"

class COstrelindSoftLabelDoc;

class CTableSequenceDlg : public CDialogEx {
public:
    explicit CTableSequenceDlg(CWnd* parent = nullptr);

    int m_nBase;
    CString m_strPrefix;
    CString m_strStart;
    CString m_strStop;
    CString m_strSuffix;
    int m_nStep = 1;
    int m_nCopies = 1;
    int m_nSets = 1;
    CString m_strCell;
    int m_bLeadingZero = 0;
    int m_bReverse = 0;
    int m_bInsert = 0;

    // The values of the fill, after OK.
    SequenceSettings GetSettings() const;

    BOOL OnInitDialog() override;
    void OnOK() override;
    void DoDataExchange(CDataExchange* dx) override;
    void OnBaseClicked(UINT id);
    void OnStepSpin(NMHDR* header, LRESULT* result);
    void OnCopiesSpin(NMHDR* header, LRESULT* result);
    void OnSetsSpin(NMHDR* header, LRESULT* result);
    DECLARE_MESSAGE_MAP()
public:

    // The remembered fields (the program's run).
    static int s_base;
    static CString s_prefix;
    static CString s_start;
    static CString s_stop;
    static CString s_suffix;

private:
    void EnableLeadingZero();
};

// The table view's Sequence command on table `table` of doc, with the view's current grid cell
// (row and column 1-based). Cancel, a Cell text that does not name a cell or a missing current
// cell write nothing. The target is the table's slot unless a test gives one. The result names
// the last written cell (table coordinates) for the view to move its focus there.
TableFillResult TableSequenceCommand(COstrelindSoftLabelDoc& doc, int table, int currentRow, int currentColumn,
                                     CWnd* parent, TableFillTarget* target = nullptr);
