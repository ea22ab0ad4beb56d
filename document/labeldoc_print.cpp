// The print engine of the project document: rows, copies, passes and label positions on the
// sheet, the page header and footer, label outlines and cut lines, and the counters after a job.
// The view's print callbacks forward to BeginPrinting and PrintPage.
#include "document/labeldoc.h"

#include "document/documentids.h"
#include "document/printids.h"
#include "document/printoptions.h"
#include "document/registrydefaults.h"
#include "framework/app.h"
#include "framework/cmdtarget.h"
#include "framework/gdi.h"
#include "framework/msgbox.h"
#include "framework/paths.h"
#include "framework/print.h"
#include "framework/view.h"
#include "labelmodel/graphcollection.h"
#include "labelmodel/paintedarea.h"
#include "labelmodel/labelstock.h"
#include "labelmodel/template.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace {

const UINT kKeepAskingForPages = 0xFFFE;
const UINT kNoMorePages = 0xFFFF;

// Micrometres to device pixels, rounded to the nearest.
int Pixels(int dpi, long long micrometres)
{
    return static_cast<int>((static_cast<long long>(dpi) * micrometres + 12700) / 25400);
}

POINT PrintingOffset(CDC* dc)
{
    POINT offset = {0, 0};
    if (::Escape(dc->GetSafeHdc(), GETPRINTINGOFFSET, 0, nullptr, &offset) <= 0) {
        offset.x = dc->GetDeviceCaps(PHYSICALOFFSETX);
        offset.y = dc->GetDeviceCaps(PHYSICALOFFSETY);
    }
    return offset;
}

// Where labels and cut lines go on the printer: the stock's geometry with the template's
// compensation, in pixels relative to the printable area.
struct SheetGeometry {
    int dpiX, dpiY;
    POINT offset;
    int pitchH, pitchV, marginLeft, marginTop, width, height, rows, blockGap;
    int leftCompensation, topCompensation;

    SheetGeometry(CDC* dc, const CLabel& stock, const CTemplate& tmpl)
        : dpiX(dc->GetDeviceCaps(LOGPIXELSX)), dpiY(dc->GetDeviceCaps(LOGPIXELSY)), offset(PrintingOffset(dc)),
          pitchH(stock.GetPitchH()), pitchV(stock.GetPitchV()), marginLeft(stock.GetLeft(0)),
          marginTop(stock.GetTop(0)), width(stock.GetWidth(0)), height(stock.GetHeight(0)),
          rows(stock.GetRows()), blockGap(stock.GetBlockGap()), leftCompensation(tmpl.GetLeftCompensation()),
          topCompensation(tmpl.GetTopCompensation())
    {
    }
    // The left edge of a column, plus extra micrometres.
    int X(int column, int extra = 0) const
    {
        return Pixels(dpiX, static_cast<long long>(column) * pitchH + leftCompensation + marginLeft + extra) - offset.x;
    }
    // The top edge of a row of a block (the top margin counts once more per block), plus extra.
    int Y(int block, int row, int extra = 0) const
    {
        const long long blockOffset = static_cast<long long>(block) * (static_cast<long long>(pitchV) * rows + blockGap + marginTop);
        return Pixels(dpiY, static_cast<long long>(row) * pitchV + blockOffset + topCompensation + marginTop + extra) - offset.y;
    }
};

// The outline pen of the template: solid, at least a pixel wide.
class OutlinePen {
public:
    OutlinePen(CDC* dc, const CTemplate& tmpl)
        : m_dc(dc), m_width(std::max(1, Pixels(dc->GetDeviceCaps(LOGPIXELSY), tmpl.GetBorderWidth()))),
          m_pen(PS_SOLID, m_width, tmpl.GetBorderColour()), m_old(dc->SelectObject(&m_pen))
    {
    }
    ~OutlinePen() { m_dc->SelectObject(m_old); }
    OutlinePen(const OutlinePen&) = delete;
    OutlinePen& operator=(const OutlinePen&) = delete;

    // Tells the page's record that the pen painted round the rectangle from (left, top) to
    // (right, bottom), both included.
    void MarkPainted(int left, int top, int right, int bottom) const
    {
        CPaintedArea* painted = CPaintedArea::For(m_dc->GetSafeHdc());
        const int pad = m_width + 2;
        if (painted)
            painted->Add(RECT{std::min(left, right) - pad, std::min(top, bottom) - pad, std::max(left, right) + pad + 1,
                              std::max(top, bottom) + pad + 1});
    }

private:
    CDC* m_dc;
    int m_width;
    CPen m_pen;
    CPen* m_old;
};

void Line(CDC* dc, const OutlinePen& pen, int x1, int y1, int x2, int y2, bool forward)
{
    if (x1 == x2 && y1 == y2)
        return;
    pen.MarkPainted(x1, y1, x2, y2);
    if (forward) {
        dc->MoveTo(x1, y1);
        dc->LineTo(x2, y2);
    } else {
        dc->MoveTo(x2, y2);
        dc->LineTo(x1, y1);
    }
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Before the pages

int COstrelindSoftLabelDoc::PrintRowCount() const
{
    const CDataTableBase* shown = CurrentSlot().Shown();
    return shown ? shown->GetUsedRowCount() : -1;
}

bool COstrelindSoftLabelDoc::CheckPrintJob(CPrintInfo* info)
{
    if (info == nullptr || info->m_pPD == nullptr)
        return false;
    const PrintOptionBlock& options = OptionsOf(info);
    const CPrintDialog* dlg = info->m_pPD;
    CString text;
    const int perPage = LabelsPerPage();
    if (dlg->PrintRange() && dlg->GetFromPage() > dlg->GetToPage()) {
        text.Format("The labels to print run from %d to %d: the first is after the last, so there is no label to "
                    "print.\nEnter a first label that is not greater than the last.",
                    dlg->GetFromPage(), dlg->GetToPage());
    } else if (options.startPosition > perPage) {
        text.Format("The first label position is %d, but the sheet has %d label positions, so there is no label "
                    "to print.\nEnter a first label from 1 to %d.",
                    options.startPosition, perPage, perPage);
    } else if (options.copies < INT16_MIN || options.copies > INT16_MAX) {
        text = kCopiesOutOfRange;
    }
    if (text.IsEmpty())
        return true;
    CWnd* main = AfxGetMainWnd();
    ShowMessageBox(main ? main->GetSafeHwnd() : nullptr, text, nullptr, MB_OK | MB_ICONEXCLAMATION);
    return false;
}

void COstrelindSoftLabelDoc::BeginPrinting(CDC*, CPrintInfo* info, CView* view)
{
    const PrintOptionBlock& options = OptionsOf(info);
    CPrintDialog* dlg = info->m_pPD;
    const CString device = dlg->GetDeviceName();
    if (!device.IsEmpty())
        RegistryDefaults::WriteCompensation(device, options.leftCompensation, options.topCompensation);

    CTemplate* tmpl = GetCurrentTemplate();
    m_print.reverseOrder = options.reverseOrder ? 1 : 0;
    tmpl->SetColumnMajor(options.columnOrder != 0);
    // Copies the template's record cannot hold never reach it (the dialog refuses them).
    if (tmpl->GetCopies() != options.copies && options.copies >= INT16_MIN && options.copies <= INT16_MAX) {
        tmpl->SetCopies(options.copies);
        SetModifiedFlag(TRUE);
    }
    if (tmpl->GetPasses() != options.passes) {
        tmpl->SetPasses(options.passes);
        SetModifiedFlag(TRUE);
    }
    if (tmpl->GetStopAfterPass() != (options.stopAfterPass != 0)) {
        tmpl->SetStopAfterPass(options.stopAfterPass != 0);
        SetModifiedFlag(TRUE);
    }
    tmpl->SetCompensation(options.leftCompensation, options.topCompensation);

    const int perPage = LabelsPerPage();
    // A start beyond the first page would only push out empty pages.
    m_print.startPosition = std::min(std::max(options.startPosition, 1), std::max(perPage, 1));
    m_print.passCounter = 1;
    m_print.skippedPositions = 1;
    m_print.copyCounter = 0;
    m_print.pageStop = 0;
    m_print.labelsPrinted = false;
    m_print.jobFailed = false;

    // The rows: the selection only where a table view has selected rows, else as the dialog says.
    const bool reverse = m_print.reverseOrder != 0;
    const bool usesTable = UsesTableData();
    const int rowCount = PrintRowCount();
    auto* tableView = dynamic_cast<CLabelDocTableView*>(view);
    const bool selection = dlg->PrintSelection() && tableView != nullptr && tableView->GetSelectedRowCount() > 0 &&
                           tableView->GetFirstSelectedRow() > 0;
    const int from = dlg->GetFromPage(), to = dlg->GetToPage();
    const int lastOfAll = usesTable ? rowCount : perPage;
    m_print.selection = selection;
    if (selection && (usesTable || reverse)) {
        m_print.firstRow = reverse ? tableView->GetLastSelectedRow() : tableView->GetFirstSelectedRow();
        m_print.lastRow = -1;
    } else if (selection) {
        m_print.firstRow = 1;
        m_print.lastRow = perPage;
    } else if (dlg->PrintRange()) {
        m_print.firstRow = reverse ? to : from;
        m_print.lastRow = reverse ? from : to;
    } else {
        m_print.firstRow = reverse ? lastOfAll : 1;
        m_print.lastRow = reverse ? 1 : lastOfAll;
    }
    m_print.currentRow = m_print.firstRow;

    info->SetMaxPage(kKeepAskingForPages);
    dlg->m_pd.nToPage = static_cast<WORD>(kKeepAskingForPages);

    // Nothing to print (no label positions, no rows in the range): end before the first page
    // instead of printing an empty label.
    const bool emptyRange = !selection && (reverse ? m_print.firstRow < m_print.lastRow || m_print.lastRow < 1
                                                   : m_print.lastRow < m_print.firstRow || m_print.firstRow < 1);
    if (perPage <= 0 || emptyRange || (selection && m_print.firstRow <= 0))
        EndJob(info);
}

void COstrelindSoftLabelDoc::EndJob(CPrintInfo* info)
{
    info->m_bContinuePrinting = FALSE;
    info->SetMaxPage(kNoMorePages);
}

// ---------------------------------------------------------------------------------------------
// Pages and labels

void COstrelindSoftLabelDoc::PrintPage(CDC* dc, CPrintInfo* info, CView* view)
{
    if (dc == nullptr || dc->GetSafeHdc() == nullptr)
        return;
    CTemplate* tmpl = GetCurrentTemplate();
    const CLabel* stock = tmpl->GetLabelStock();
    if (stock == nullptr || LabelsPerPage() <= 0) {
        EndJob(info);
        return;
    }
    const int dpi = dc->GetDeviceCaps(LOGPIXELSX);
    // What this page has painted so far: barcodes on bare paper may go to the printer as images.
    CPaintedArea painted(dc->GetSafeHdc());
    if (stock->IsHeaderEnabled())
        PrintPageArea(dpi, 1, dc, m_print.currentRow);
    if (stock->IsFooterEnabled())
        PrintPageArea(dpi, 2, dc, m_print.currentRow);

    m_print.pageStop = 0;
    const int blocks = stock->GetVerticalBlocks();
    const int rows = stock->GetRows();
    const int columns = std::max(stock->GetColumns(), 1);
    const bool columnMajor = tmpl->IsColumnMajor();
    for (int b = 0; b < blocks; ++b) {
        // Cut lines go round what this block printed.
        bool any = false;
        int firstRow = 0, firstColumn = 0, lastRow = 0, lastColumn = 0;
        auto cutLines = [&](int toRow, int toColumn) {
            if (!any || m_print.jobFailed)
                return;
            if (columnMajor)
                DrawCutLinesByColumns(dc, b, firstRow, firstColumn, toRow, toColumn);
            else
                DrawCutLinesByRows(dc, b, firstRow, firstColumn, toRow, toColumn);
        };
        const int outer = columnMajor ? columns : rows;
        const int inner = columnMajor ? rows : columns;
        for (int i = 0; i < outer; ++i) {
            for (int j = 0; j < inner; ++j) {
                const int r = columnMajor ? j : i;
                const int c = columnMajor ? i : j;
                if (m_print.skippedPositions < m_print.startPosition) {
                    ++m_print.skippedPositions;
                    continue;
                }
                // The person may stop a long page between two labels.
                if (info != nullptr && info->QueryAbort()) {
                    m_print.jobFailed = true;
                    EndJob(info);
                    return;
                }
                if (!any) {
                    any = true;
                    firstRow = r;
                    firstColumn = c;
                }
                if (!PrintLabel(view, dc, dpi, b, r, c, info)) {
                    cutLines(r, c);
                    if (!m_print.pageStop)
                        EndJob(info);
                    return;
                }
                lastRow = r;
                lastColumn = c;
            }
        }
        cutLines(lastRow, lastColumn);
    }
}

bool COstrelindSoftLabelDoc::PrintLabel(CView* view, CDC* dc, int, int block, int row, int column, CPrintInfo* info)
{
    CTemplate* tmpl = GetCurrentTemplate();
    const CLabel* stock = tmpl->GetLabelStock();
    if (stock == nullptr)
        return false;
    const SheetGeometry sheet(dc, *stock, *tmpl);
    const int x = sheet.X(column);
    const int y = sheet.Y(block, row);
    if (!DrawArea(0, dc, 100, x, y, false, m_print.currentRow, 4, sheet.dpiX, sheet.dpiY, false)) {
        // The symbol could not be drawn: nothing of this job may reach the paper.
        ::AbortDoc(dc->GetSafeHdc());
        m_print.jobFailed = true;
        if (info != nullptr) {
            info->m_bJobAborted = TRUE;
            EndJob(info);
        }
        return false;
    }
    m_print.labelsPrinted = true;

    if (tmpl->GetPrintBorders()) {
        const bool noGapH = stock->HasNoHorizontalGap();
        const bool noGapV = stock->HasNoVerticalGap();
        const int shape = stock->GetShape(0);
        if ((!noGapH || shape == 2) && (!noGapV || shape == 2))
            DrawLabelOutline(y, dc, x);
        if (noGapH && noGapV && shape == 1)
            DrawLabelOutlineArcs(y, x, dc);
    }

    m_print.lastPrintedRow = m_print.reverseOrder ? m_print.firstRow : m_print.currentRow;

    int copies = 1;
    const int value = tmpl->GetCopies();
    if (value > 0) {
        copies = value;
    } else if (value >= -26 && value <= -1) {
        char cell[256] = {};
        GetTableCellText(m_print.currentRow - 1, -value - 1, sizeof cell, cell);
        int number = 0;
        if (__ms_sscanf(cell, "%d", &number) == 1)
            copies = number;
    }
    if (copies < 1)
        copies = 1;                    // a row always prints once and never repeats for ever

    if (++m_print.copyCounter >= copies) {
        m_print.copyCounter = 0;
        if (!NextPrintRow(view, m_print.lastRow, m_print.currentRow, m_print.selection)) {
            ++m_print.passCounter;
            if (m_print.passCounter > tmpl->GetPasses())
                return false;
            m_print.currentRow = m_print.firstRow;
            if (tmpl->GetStopAfterPass()) {
                m_print.pageStop = 1;
                return false;
            }
        }
    }
    return true;
}

bool COstrelindSoftLabelDoc::NextPrintRow(CView* view, int lastRow, int& currentRow, bool selection)
{
    const bool reverse = m_print.reverseOrder != 0;
    if (!selection) {
        if (reverse)
            return --currentRow >= lastRow;
        return lastRow >= ++currentRow;
    }
    auto* tableView = dynamic_cast<CLabelDocTableView*>(view);
    if (tableView == nullptr)
        return false;
    currentRow = reverse ? tableView->GetPrevSelectedRow(currentRow) : tableView->GetNextSelectedRow(currentRow);
    return currentRow > 0;
}

void COstrelindSoftLabelDoc::PrintPageArea(int dpi, int area, CDC* dc, int row)
{
    const CLabel* stock = GetCurrentTemplate()->GetLabelStock();
    if (area < 0 || area > 2 || stock == nullptr)
        return;
    DrawArea(area, dc, 100, Pixels(dpi, stock->GetLeft(area)), Pixels(dpi, stock->GetTop(area)), false, row, 4, dpi,
             dpi, false);
}

// ---------------------------------------------------------------------------------------------
// Outlines and cut lines

void COstrelindSoftLabelDoc::DrawLabelOutline(int y, CDC* dc, int x)
{
    const CTemplate* tmpl = GetCurrentTemplate();
    const CLabel* stock = tmpl->GetLabelStock();
    if (stock == nullptr)
        return;
    const int dpiX = dc->GetDeviceCaps(LOGPIXELSX), dpiY = dc->GetDeviceCaps(LOGPIXELSY);
    OutlinePen pen(dc, *tmpl);
    CGdiObject* oldBrush = dc->SelectStockObject(HOLLOW_BRUSH);
    const int right = x + Pixels(dpiX, stock->GetWidth(0));
    const int bottom = y + Pixels(dpiY, stock->GetHeight(0));
    pen.MarkPainted(x, y, right, bottom);
    switch (stock->GetShape(0)) {
    case 1:
        dc->RoundRect(x, y, right, bottom, 2 * Pixels(dpiX, stock->GetCornerRadius()),
                      2 * Pixels(dpiY, stock->GetCornerRadius()));
        break;
    case 2:
        dc->Ellipse(x, y, right + 1, bottom + 1);
        break;
    default:
        dc->Rectangle(x, y, right + 1, bottom + 1);
        break;
    }
    dc->SelectObject(oldBrush);
}

void COstrelindSoftLabelDoc::DrawLabelOutlineArcs(int y, int x, CDC* dc)
{
    const CTemplate* tmpl = GetCurrentTemplate();
    const CLabel* stock = tmpl->GetLabelStock();
    if (stock == nullptr)
        return;
    const int dpiX = dc->GetDeviceCaps(LOGPIXELSX), dpiY = dc->GetDeviceCaps(LOGPIXELSY);
    OutlinePen pen(dc, *tmpl);
    const int right = x + Pixels(dpiX, stock->GetWidth(0));
    const int bottom = y + Pixels(dpiY, stock->GetHeight(0));
    const int rx = Pixels(dpiX, stock->GetCornerRadius()), ry = Pixels(dpiY, stock->GetCornerRadius());
    pen.MarkPainted(x, y, right, bottom);
    // Each corner a quarter of the corner ellipse, drawn counter-clockwise from start to end.
    dc->Arc(x, y, x + 2 * rx, y + 2 * ry, x + rx, y, x, y + ry);                                  // top left
    dc->Arc(right - 2 * rx, y, right, y + 2 * ry, right, y + ry, right - rx, y);                  // top right
    dc->Arc(x, bottom - 2 * ry, x + 2 * rx, bottom, x, bottom - ry, x + rx, bottom);              // bottom left
    dc->Arc(right - 2 * rx, bottom - 2 * ry, right, bottom, right - rx, bottom, right, bottom - ry); // bottom right
}

void COstrelindSoftLabelDoc::DrawCutLinesByRows(CDC* dc, int block, int firstRow, int firstColumn, int lastRow,
                                                int lastColumn)
{
    const CTemplate* tmpl = GetCurrentTemplate();
    const CLabel* stock = tmpl->GetLabelStock();
    if (stock == nullptr || !tmpl->GetPrintBorders() || !stock->HasNoHorizontalGap() || !stock->HasNoVerticalGap() ||
        stock->GetShape(0) == 2)
        return;
    const SheetGeometry sheet(dc, *stock, *tmpl);
    const int columns = stock->GetColumns();
    OutlinePen pen(dc, *tmpl);
    const bool oneRow = firstRow == lastRow;
    for (int i = firstRow; i <= lastRow + 1; ++i) {
        const int h = (i == firstRow || oneRow) ? firstColumn : 0;
        const int t = (i == lastRow + 1 || oneRow) ? lastColumn : columns - 1;
        const int y = sheet.Y(block, i);
        Line(dc, pen, sheet.X(h), y, sheet.X(t, sheet.width), y, i % 2 == 0);
    }
    for (int j = 0; j <= columns; ++j) {
        const int x = sheet.X(j);
        const int top = sheet.Y(block, j < firstColumn ? firstRow + 1 : firstRow);
        const int bottom = j < lastColumn + 2 ? sheet.Y(block, lastRow, sheet.height) : sheet.Y(block, lastRow);
        if (bottom > top)
            Line(dc, pen, x, top, x, bottom, j % 2 == 0);
    }
}

void COstrelindSoftLabelDoc::DrawCutLinesByColumns(CDC* dc, int block, int firstRow, int firstColumn, int lastRow,
                                                   int lastColumn)
{
    const CTemplate* tmpl = GetCurrentTemplate();
    const CLabel* stock = tmpl->GetLabelStock();
    if (stock == nullptr || !tmpl->GetPrintBorders() || !stock->HasNoHorizontalGap() || !stock->HasNoVerticalGap() ||
        stock->GetShape(0) == 2)
        return;
    const SheetGeometry sheet(dc, *stock, *tmpl);
    const int rows = stock->GetRows();
    OutlinePen pen(dc, *tmpl);
    const bool oneColumn = firstColumn == lastColumn;
    for (int j = firstColumn; j <= lastColumn + 1; ++j) {
        const int h = (j == firstColumn || oneColumn) ? firstRow : 0;
        const int t = (j == lastColumn + 1 || oneColumn) ? lastRow : rows - 1;
        const int x = sheet.X(j);
        Line(dc, pen, x, sheet.Y(block, h), x, sheet.Y(block, t, sheet.height), j % 2 == 0);
    }
    for (int i = 0; i <= rows; ++i) {
        const int y = sheet.Y(block, i);
        const int left = sheet.X(i < firstRow ? firstColumn + 1 : firstColumn);
        const int right = i < lastRow + 2 ? sheet.X(lastColumn, sheet.width) : sheet.X(lastColumn);
        if (right > left)
            Line(dc, pen, left, y, right, y, i % 2 == 0);
    }
}

// ---------------------------------------------------------------------------------------------
// After the job

void COstrelindSoftLabelDoc::EndPrinting(CPrintInfo* info)
{
    if (info != nullptr && (!info->m_bJobCompleted || info->m_bJobAborted))
        m_print.jobFailed = true;
}

bool COstrelindSoftLabelDoc::CommitAutoIncrementAfterPrint()
{
    const bool printed = m_print.labelsPrinted && !m_print.jobFailed;
    m_print.labelsPrinted = false;
    if (!printed || !HasAutoIncrementObjects())
        return false;
    CTemplate* tmpl = GetCurrentTemplate();
    for (int a = 0; a < CTemplate::kAreas; ++a)
        tmpl->GetArea(a)->AdvanceCounter(m_print.lastPrintedRow);
    SetModifiedFlag(TRUE);
    // Only a project or template file holds the counters; any other file would lose the rest of
    // the document, so the document then stays modified.
    const CString path = GetPathName();
    if (HasExtension(path, ".proj") || HasExtension(path, ".tpe"))
        SaveFileByType(path);
    InvalidateDesignViews();
    InvalidateLabelPreviews();
    return true;
}

void COstrelindSoftLabelDoc::OnPrintReverseOrder()
{
    m_print.reverseOrder = m_print.reverseOrder ? 0 : 1;
    SetModifiedFlag(TRUE);
    InvalidateLabelPreviews();
}

void COstrelindSoftLabelDoc::OnUpdatePrintReverseOrder(CCmdUI* ui)
{
    ui->SetCheck(m_print.reverseOrder ? 1 : 0);
}
