// The table view's image columns: marking a column as holding picture paths, and the link-image
// dialog's operations on the view's current row.
#include "ui/tableview.h"

#include "document/labeldoc.h"
#include "grid/gridctrl.h"
#include "labelmodel/graphimage.h"
#include "ui/linkimagedlg.h"
#include "ui/linkimagerows.h"

static int ImageColumnTarget(CGridCtrl* grid, int currentColumn, bool wholeColumns)
{
    if (wholeColumns)
        return grid->GetSelectedCellRange().GetMaxCol() - 1;
    return currentColumn - 1;
}

void COstrelindSoftTableView::OnImageColumn()
{
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    if (doc == nullptr || m_pGrid == nullptr)
        return;
    const int column = ImageColumnTarget(m_pGrid, m_nCurrentColumn, WholeColumnsSelected());
    if (column < 0 || column > 25)
        return;
    doc->ToggleImageColumn(doc->GetFilteredColumn(column));
    m_pGrid->Refresh();
}

void COstrelindSoftTableView::OnUpdateImageColumn(CCmdUI* ui)
{
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    ui->Enable(doc != nullptr);
    if (doc == nullptr || m_pGrid == nullptr)
        return;
    const int column = ImageColumnTarget(m_pGrid, m_nCurrentColumn, WholeColumnsSelected());
    ui->SetCheck(column >= 0 && doc->IsImageColumn(doc->GetFilteredColumn(column)) ? 1 : 0);
}

void COstrelindSoftTableView::OnLinkImage()
{
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    if (doc == nullptr || !CanLinkImages(doc))
        return;
    // The dialog steps through the rows with this view, so the grid's focus follows.
    CLinkImageRows rows(doc, GetCurrentRow());
    rows.onPreviousRow = [this] { MoveToPreviousRow(); return GetCurrentRow(); };
    rows.onNextRow = [this] { MoveToNextRow(); return GetCurrentRow(); };
    LinkImageCommand(rows, this);
}

void COstrelindSoftTableView::OnUpdateLinkImage(CCmdUI* ui)
{
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    ui->Enable(doc != nullptr && doc->CountImageColumns() > 0);
}

// The link-image dialog's operations, on the view's current row. They go through the same rows
// object as the dialog, so both address an image column by the column its header letter names,
// also while the filter hides other columns.

bool COstrelindSoftTableView::LinkImageFiles(int k, const std::vector<CString>& chosen)
{
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    CLinkImageRows rows(doc, m_nCurrentRow);
    if (doc == nullptr || m_nCurrentRow < 1 || rows.ShownImageColumn(k - 1) < 0)
        return false;
    // A path the label could not keep is refused here, with a message, not cut later.
    std::vector<CString> files(chosen);
    KeepImagePathsThatFit(files, m_hWnd);
    if (files.empty())
        return false;
    PushUndo();
    const size_t count = files.size() < 1024 ? files.size() : 1024;
    for (size_t i = 0; i < count; ++i)
        rows.SetImageCell(k - 1, static_cast<int>(i), files[i]);
    TableChanged();
    ResizeGridRows();
    return true;
}

bool COstrelindSoftTableView::SetImageCell(int k, int offset, const char* text)
{
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    if (doc == nullptr)
        return false;
    // Grid row current + offset - 1: the rows object counts its offset from the current row.
    CLinkImageRows rows(doc, m_nCurrentRow);
    const bool done = rows.SetImageCell(k - 1, offset - 1, text);
    TableChanged();
    return done;
}

bool COstrelindSoftTableView::GetImageCell(int k, CString& out)
{
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    out.Empty();
    CLinkImageRows rows(doc, m_nCurrentRow);
    if (doc == nullptr || m_nCurrentRow < 1 || rows.ShownImageColumn(k - 1) < 0)
        return false;
    out = rows.GetImageCell(k - 1);
    return true;
}

bool COstrelindSoftTableView::ClearImageCell(int k)
{
    return SetImageCell(k, 1, "");
}

bool COstrelindSoftTableView::AreImageCellsFilled()
{
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    if (doc == nullptr || m_nCurrentRow < 1)
        return false;
    return CLinkImageRows(doc, m_nCurrentRow).AreImageCellsFilled();
}

void COstrelindSoftTableView::MoveToPreviousRow()
{
    OnPrevRow();
}

void COstrelindSoftTableView::MoveToNextRow()
{
    OnNextRow();
}
