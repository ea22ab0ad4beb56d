#pragma once
// COstrelindSoftTableView: the view of one table tab. A virtual-mode grid shows the document's
// current table; the view answers the grid's requests, turns the table commands into the
// document's table operations and offers its selected rows to the print engine.
#include "document/labeldocviews.h"
#include "framework/cstring.h"
#include "framework/view.h"
#include "grid/gridctrl.h"

#include <vector>

class COstrelindSoftLabelDoc;
class CTableFilterDlg;
class CFindReplaceDialog;
class CCmdUI;
class TableSlot;

class COstrelindSoftTableView : public CScrollView, public CLabelDocTableView {
public:
    COstrelindSoftTableView();
    ~COstrelindSoftTableView() override;

    COstrelindSoftLabelDoc* GetLabelDoc() const;
    CGridCtrl* GetGrid() const { return m_pGrid; }

    // Grid coordinates: row 1 / column 1 are the table's first row and column "A".
    int GetCurrentRow() const { return m_nCurrentRow; }
    int GetCurrentColumn() const { return m_nCurrentColumn; }

    // CLabelDocTableView.
    int GetSelectedRowCount() override { return CountSelectedRows(); }
    bool GetGridFont(LOGFONTA& font) override;
    void SetGridFont(const LOGFONTA& font) override;
    void EndGridEdit() override;
    int GetFirstSelectedRow() override;
    int GetLastSelectedRow() override;
    int GetNextSelectedRow(int row) override;
    int GetPrevSelectedRow(int row) override;
    // Whole rows selected that hold table rows; 0 otherwise.
    int CountSelectedRows();

    // The grid's row count: enough rows to fill `height` pixels generously, and always the table
    // with eleven empty rows below it (or below the current row).
    void ResizeGridRows(int height);
    void ResizeGridRows();

    // The image columns of the link-image dialog (k counts image columns from 1). Paths longer
    // than a picture's record keeps are refused with a message; false when none was written.
    bool LinkImageFiles(int k, const std::vector<CString>& files);
    bool SetImageCell(int k, int offset, const char* text);
    bool GetImageCell(int k, CString& out);
    bool ClearImageCell(int k);
    bool AreImageCellsFilled();
    void MoveToPreviousRow();
    void MoveToNextRow();

    // Find and replace on the focus column from the focus row. mode: 0 find next, 1 replace
    // once, 2 replace all. True when a match was found (or replaced).
    enum FindMode { kFind = 0, kReplaceOnce = 1, kReplaceAll = 2 };
    bool FindText(const char* text, const char* replacement, bool matchCase, bool wholeCell, bool down, int mode);
    // Rows (grid rows) between 1 and the table's end a page step moves by: the label stock's
    // labels on one sheet, computed in 64 bits and clamped.
    int GetPageStep() const;

    // ---- overrides
    void OnDraw(CDC*) override {}
    void OnInitialUpdate() override;
    void OnUpdate(CView* sender, LPARAM hint, CObject* hintObject) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    // Every command that reaches the view ends an open cell edit before it runs (Cut, Copy and
    // Paste act inside the edit box instead): a ribbon click takes no focus from the editor.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, CmdHandlerInfo* pHandlerInfo) override;
    BOOL OnPreparePrinting(CPrintInfo* info) override;
    void OnBeginPrinting(CDC* dc, CPrintInfo* info) override;
    void OnPrint(CDC* dc, CPrintInfo* info) override;
    void OnEndPrinting(CDC* dc, CPrintInfo* info) override;

    // ---- messages
    int OnCreate(LPCREATESTRUCTA cs);
    void OnDestroy();
    void OnSize(UINT type, int cx, int cy);
    void OnSetFocus(CWnd* old);
    void OnClose();
    void OnChar(UINT ch, UINT repeat, UINT flags);
    void OnRButtonUp(UINT flags, CPoint point);
    void OnContextMenu(CWnd* wnd, CPoint point);
    LRESULT OnTabViewRemove(WPARAM, LPARAM);
    LRESULT OnGridBulkEdit(WPARAM, LPARAM);
    LRESULT OnGridBeforeClear(WPARAM, LPARAM);
    LRESULT OnFindReplace(WPARAM, LPARAM);

    // ---- commands (tableview_commands.cpp)
    void OnInsertRow();
    void OnInsertColumn();
    void OnEditDelete();
    void OnEditCut();
    void OnEditCopy();
    void OnEditPaste();
    void OnEditUndo();
    void OnEditSelectAll();
    void OnImageColumn();
    void OnLinkImage();
    void OnSequence();
    void OnRepeat();
    void OnSortAscending();
    void OnSortDescending();
    void OnFind();
    void OnReplace();
    void OnFirstRow();
    void OnLastRow();
    void OnPrevRow();
    void OnNextRow();
    void OnPrevPage();
    void OnNextPage();
    void OnFilterEnable();
    void OnFilterSetup();
    void OnFilterLoad();
    void OnFilterStore();
    void OnTableImport();
    void OnImportText();
    void OnImportExcel();
    void OnFilePrint();
    void OnFilePrintDirect();
    void OnCharacterSet();
    void OnShowWindowsStacked();
    void OnShowTableOrPreview(UINT id);

    void OnUpdateWithDocument(CCmdUI* ui);
    void OnUpdateAlways(CCmdUI* ui);
    void OnUpdateEditUndo(CCmdUI* ui);
    void OnUpdateImageColumn(CCmdUI* ui);
    void OnUpdateLinkImage(CCmdUI* ui);
    void OnUpdateSort(CCmdUI* ui);
    void OnUpdateFilterEnable(CCmdUI* ui);
    void OnUpdateCharacterSet(CCmdUI* ui);
    void OnUpdateShowWindowsStacked(CCmdUI* ui);
    void OnUpdateShowTableOrPreview(CCmdUI* ui);
    void OnUpdateStatusRows(CCmdUI* ui);

    // The modeless dialogs (nullptr when none).
    HWND GetFindDialogWindow() const;
    CFindReplaceDialog* GetFindDialog() const { return m_pFindDlg; }
    CTableFilterDlg* GetFilterDialog() const { return m_pFilterDlg; }

    DECLARE_MESSAGE_MAP()

protected:
    // The grid object OnCreate makes its grid window from.
    virtual CGridCtrl* NewGrid();

private:
    TableSlot* CurrentSlot() const;
    void PushUndo();
    void SetRecordUndo(bool on);
    // Modified, design views, previews and table views repainted.
    void TableChanged();
    bool WholeRowsSelected() const;
    bool WholeColumnsSelected() const;
    // Focus, selection and scroll to grid cell (row, column) and the record shown in previews.
    void GoToCell(int row, int column);
    // The selected rows (columns) that are selected over every column (row), in order; with
    // shownOnly, none of height (width) 0.
    std::vector<int> SelectedWholeRows(bool shownOnly) const;
    std::vector<int> SelectedWholeColumns(bool shownOnly) const;
    void DeleteRows(const std::vector<int>& rows);
    void DeleteColumns(const std::vector<int>& columns);
    // Cut, Copy and Paste while a cell is edited act in its edit box: true when one is open.
    bool SendToInPlaceEdit(UINT message);
    // What a cut clears besides the rows or columns it deletes: the selected cells shown outside
    // them (with none given, every selected cell shown).
    void ClearCopiedCellsBeside(const std::vector<int>& rows, const std::vector<int>& columns);
    void OpenFindDialog(bool replace);
    void DestroyFindDialog();
    // CheckBeforePrint, the stored printer, the framework's print loop (with or without the
    // dialog), then the auto-increment is committed.
    void PrintLabels(bool direct);
    bool FileDialog(bool open, const char* filter, const char* extension, CString& path);

    // While the grid changes cells for one of the view's commands (paste, cut): the table's
    // record-undo flag off and one of the view's flags on; both come back on every way out, an
    // exception from the grid included.
    class CGridChangeScope;
    // Whether text may go into grid cell (row, col): the copies column refuses a number the
    // template cannot hold. A typed edit is told so at once; a paste counts its refusals.
    bool RefusedAsCopies(COstrelindSoftLabelDoc& doc, int row, int col, const char* text);
    // One message for the cells the paste just done refused, naming how many and the first.
    void ReportRefusedCopies();
    // Whether grid column c (1..) is selected over all of its rows; row r (1..) over all columns.
    bool IsWholeColumnSelected(int c) const;
    bool IsWholeRowSelected(int r) const;

    CGridCtrl* m_pGrid = nullptr;
    CTableFilterDlg* m_pFilterDlg = nullptr;
    CFindReplaceDialog* m_pFindDlg = nullptr;   // deletes itself after its window
    CString m_strLastFind;
    bool m_bLastMatchCase = false;
    bool m_bLastWholeCell = false;
    bool m_bFound = false;
    bool m_bPasting = false;
    // Cells of the copies column a paste under way refused, and the first of them ("C5 (\"x\")").
    int m_nRefusedCopies = 0;
    CString m_strFirstRefused;
    // Set while the grid clears cells for a command (Delete key, Cut): image cells are cleared
    // like any other, without asking for the link-image dialog.
    bool m_bClearing = false;
    int m_nCurrentRow = 1;
    int m_nCurrentColumn = 1;
};
