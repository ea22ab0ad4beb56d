#pragma once
// CTemplateGuideDlg: "Template guide", which builds the objects of one area of the current template
// from a small table of text rows fed by table columns, with an optional frame and image. Every
// change goes straight into the template (its column map and the area's objects), so the design
// views and previews follow while the dialog is open. The document is the caller's.
#include "framework/cstring.h"
#include "framework/dialogex.h"
#include "grid/gridctrl.h"

class COstrelindSoftLabelDoc;

class CTemplateGuideDlg : public CDialogEx {
public:
    enum { kRows = 11, kColumns = 28, kFirstTableColumn = 2, kMaxDelimiter = 10 };

    explicit CTemplateGuideDlg(CWnd* parent = nullptr);
    ~CTemplateGuideDlg() override;

    CGridCtrl m_grid;
    COstrelindSoftLabelDoc* m_pDoc = nullptr;
    int m_nArea = 0;                   // 0 label, 1 page header, 2 page footer
    CString m_strTextRow;              // "Text row"
    CString m_strDelimiter;            // "Delimiter"

    // Replaces the area's objects by frame, image and text rows as the dialog's settings say.
    void RebuildArea();
    // The text of grid cell (row, column) as the grid shows it.
    CString GetCellText(int row, int column) const;
    // Row 1..10's delimiter: at most ten characters are kept; the area is rebuilt.
    void SetRowDelimiter(int row, const char* text);
    // A click in row 1..10 and column 2..27 adds or removes that table column of the row.
    void ToggleCell(int row, int column);

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    void OnGridDisplayInfo(NMHDR* header, LRESULT* result);
    void OnGridBeginEdit(NMHDR* header, LRESULT* result);
    void OnGridEndEdit(NMHDR* header, LRESULT* result);
    void OnGridCellDown(NMHDR* header, LRESULT* result);
    void OnOptionClicked() { RebuildArea(); }
    DECLARE_MESSAGE_MAP()
};

// The modal guide for a document's area. Installed as the document's runner by the application.
void RunTemplateGuideDialog(COstrelindSoftLabelDoc* doc, int area);
