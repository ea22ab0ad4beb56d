// The project document's operations on the current table as shown: through its filter while the
// filter is on (the table slot carries every change over to the base table), else the base table.
#include "document/labeldoc.h"

#include "framework/view.h"

#include <cstring>

void COstrelindSoftLabelDoc::GetTableCellText(int row, int column, int size, char* buffer) const
{
    if (buffer == nullptr || size <= 0 || CurrentSlot().Table() == nullptr)
        return;
    lstrcpynA(buffer, CurrentSlot().GetCellText(row, column), size);
}

const char* COstrelindSoftLabelDoc::GetTableCellText(int row, int column) const
{
    return CurrentSlot().GetCellText(row, column);
}

bool COstrelindSoftLabelDoc::SetTableCellText(const char* text, int row, int column)
{
    if (!CurrentSlot().SetCellText(text, row, column))
        return false;
    SetModifiedFlag(TRUE);
    return true;
}

int COstrelindSoftLabelDoc::GetTableRowCount() const
{
    return CurrentSlot().GetRowCount();
}

bool COstrelindSoftLabelDoc::InsertTableRow(int row)
{
    if (!CurrentSlot().InsertRow(row))
        return false;
    SetModifiedFlag(TRUE);
    InvalidateTableViews();
    InvalidateLabelPreviews();
    return true;
}

bool COstrelindSoftLabelDoc::DeleteTableRow(int row)
{
    if (!CurrentSlot().DeleteRow(row))
        return false;
    SetModifiedFlag(TRUE);
    return true;
}

bool COstrelindSoftLabelDoc::InsertTableColumn(int column)
{
    if (!CurrentSlot().InsertColumn(column))
        return false;
    SetModifiedFlag(TRUE);
    return true;
}

bool COstrelindSoftLabelDoc::DeleteTableColumn(int column)
{
    if (!CurrentSlot().DeleteColumn(column))
        return false;
    SetModifiedFlag(TRUE);
    return true;
}

bool COstrelindSoftLabelDoc::SortTable(int column, bool descending)
{
    const bool filtered = CurrentSlot().IsFilterOn();
    if (!CurrentSlot().Sort(column, descending))
        return false;
    // The sorted filter result no longer is the filter's own order.
    if (filtered)
        m_filterResult = 0;
    SetModifiedFlag(TRUE);
    return true;
}

bool COstrelindSoftLabelDoc::IsImageColumn(int column) const
{
    const CDataTableBase* table = CurrentSlot().Table();
    return table != nullptr && table->IsImageColumn(column);
}

void COstrelindSoftLabelDoc::ToggleImageColumn(int column)
{
    // Through the slot: printing with the filter on reads the flags of the filtered table.
    CurrentSlot().ToggleImageColumn(column);
    TablesChanged();
}

int COstrelindSoftLabelDoc::GetImageColumnNumber(int column) const
{
    const CDataTableBase* table = CurrentSlot().Table();
    return table != nullptr ? table->GetImageColumnNumber(column) : -1;
}

int COstrelindSoftLabelDoc::CountImageColumns() const
{
    const CDataTableBase* table = CurrentSlot().Table();
    return table != nullptr ? table->CountImageColumns() : 0;
}

void COstrelindSoftLabelDoc::ToggleTableFilter()
{
    // An editor still open in a table view commits its text at the row and column it was opened
    // on. Once the filter is switched, that row is another record's (or none): the text must go
    // in first, to the cell the person typed over. A ribbon click takes no focus, so nothing else
    // ends it.
    EndTableEdits();
    CurrentSlot().ToggleFilter();
    if (CurrentSlot().IsFilterOn())
        m_filterResult = 1;
    // Whether the filter is on is stored in the project.
    TablesChanged();
}

void COstrelindSoftLabelDoc::ApplyTableFilter()
{
    CurrentSlot().ApplyFilter();
    m_filterResult = 1;
}

void COstrelindSoftLabelDoc::RebuildColumnMap(int table)
{
    if (table >= 0 && table < kSlotCount)
        m_tableSlots[table].RebuildColumnMap();
}

int COstrelindSoftLabelDoc::GetFilteredColumn(int k) const
{
    return CurrentSlot().GetFilteredColumn(k);
}

int COstrelindSoftLabelDoc::GetShownColumn(int baseColumn) const
{
    return CurrentSlot().GetShownColumn(baseColumn);
}

void COstrelindSoftLabelDoc::SetPreviewRow(int row)
{
    if (row == m_previewRow)
        return;
    m_previewRow = row;
    InvalidateLabelPreviews();
    InvalidateDesignViews();
}

void COstrelindSoftLabelDoc::ApplyTableCharset(int charset)
{
    CLabelDocTableView* first = FirstTableView();
    LOGFONTA font = m_tableFont;
    if (first != nullptr)
        first->GetGridFont(font);
    font.lfCharSet = static_cast<BYTE>(charset);
    m_tableFont = font;
    for (CView* view : GetViews()) {
        if (auto* tableView = dynamic_cast<CLabelDocTableView*>(view))
            tableView->SetGridFont(m_tableFont);
    }
}
