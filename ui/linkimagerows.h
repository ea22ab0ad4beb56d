#pragma once
// The rows the link-image dialog works on: the image columns of the document's current table at
// the table view's current row. The table view gives its own row moves (by deriving, or through the
// two callbacks); without either, the row moves itself over the table.
#include "framework/cstring.h"
#include <functional>

class COstrelindSoftLabelDoc;

class CLinkImageRows {
public:
    // currentRow: the view's current row in grid terms (1 is the table's first row).
    CLinkImageRows(COstrelindSoftLabelDoc* doc, int currentRow);
    virtual ~CLinkImageRows() = default;

    // Row moves of the view; each answers the new current row (grid terms).
    std::function<int()> onPreviousRow;
    std::function<int()> onNextRow;

    COstrelindSoftLabelDoc* Document() const { return m_doc; }
    virtual int GetCurrentRow() const { return m_row; }
    virtual void MoveToPreviousRow();
    virtual void MoveToNextRow();

    // The image columns of the current table (0 without a table).
    int CountImageColumns() const;
    // Base-table column of the k-th image column (0-based k), -1 when there is none.
    int ImageColumn(int k) const;
    // The column of the table as shown that holds the k-th image column: the column under the
    // header letter of that image column while the filter is on; -1 when there is none or the
    // filter hides it.
    int ShownImageColumn(int k) const;
    // One undo copy of the current table.
    void PushTableUndo();
    // text into the k-th image column at the current row + offset; false when there is no such
    // column or the cell can not be written.
    bool SetImageCell(int k, int offset, const char* text);
    CString GetImageCell(int k) const;    // at most 260 characters
    bool ClearImageCell(int k);
    // Every image column's cell of the current row holds a path (false without image columns).
    // Image columns the filter hides can not be filled here and do not count.
    bool AreImageCellsFilled() const;
    // Marks the document modified and repaints its table views, design views and previews.
    void Changed();

protected:
    COstrelindSoftLabelDoc* m_doc;
    int m_row;
};
