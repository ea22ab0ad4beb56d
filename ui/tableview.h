#pragma once
// COstrelindSoftTableView (first form): the view of one table tab. Until the grid takes its place
// it paints the table's name, row count and first rows; it already prints the current table's
// labels through the document's print engine, closes its tab through the document and answers the
// document as a table view without a selection or a grid font.
#include "document/labeldocviews.h"
#include "framework/view.h"

class COstrelindSoftLabelDoc;

class COstrelindSoftTableView : public CView, public CLabelDocTableView {
public:
    COstrelindSoftLabelDoc* GetLabelDoc() const;

    // CLabelDocTableView: no grid yet, so nothing is selected and there is no grid font.
    int GetSelectedRowCount() override { return 0; }
    bool GetGridFont(LOGFONTA&) override { return false; }
    void SetGridFont(const LOGFONTA&) override {}
    void EndGridEdit() override {}

    // Rows painted below the heading.
    static const int kShownRows = 20;

    void OnDraw(CDC* dc) override;
    BOOL OnPreparePrinting(CPrintInfo* info) override;
    void OnBeginPrinting(CDC* dc, CPrintInfo* info) override;
    void OnPrint(CDC* dc, CPrintInfo* info) override;
    void OnEndPrinting(CDC* dc, CPrintInfo* info) override;

    void OnFilePrint();
    void OnClose();
    LRESULT OnTabViewRemove(WPARAM, LPARAM);

    DECLARE_MESSAGE_MAP()
};
