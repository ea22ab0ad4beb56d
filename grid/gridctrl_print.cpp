// Printing the grid through the framework's print loop: pages of rows (and, at screen scale, of
// columns) with the fixed rows and columns repeated, a header band and a footer band.
#include "grid/gridctrl.h"
#include "framework/print.h"
#include <algorithm>
#include <climits>
#include <string>

namespace {

const char kMeasure[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSATUVWXYZ";

void Line(HDC dc, int x1, int y1, int x2, int y2)
{
    ::MoveToEx(dc, x1, y1, nullptr);
    ::LineTo(dc, x2, y2);
}

// Pages are counted and found by one walk: a page takes items (rows or columns) while their sizes
// fit in room, and always its first item, clipped when larger than the body, so no item is ever
// left out. Walks items [first, count) up to the start of page `page` (0-based): answers that
// page's first item (count when there is no such page); *breaks gets the page breaks passed.
template <class Size> int FirstOnPage(int first, int count, int page, int room, Size size, int* breaks = nullptr)
{
    int item = first, current = 0, sum = 0;
    for (; item < count && current < page; item++) {
        const int s = size(item);
        if (sum > 0 && sum + s > room) {
            current++;
            sum = 0;
            if (current == page)
                break;
        }
        sum += s;
    }
    if (breaks != nullptr)
        *breaks = current;
    return item;
}

template <class Size> int PageCount(int first, int count, int room, Size size)
{
    int breaks = 0;
    FirstOnPage(first, count, INT_MAX, room, size, &breaks);
    return breaks + 1;
}

}  // namespace

// Vertical pages count from 1, horizontal ones from 0, as the print loop numbers them.
int CGridCtrl::FirstRowOfPage(int verticalPage) const
{
    return FirstOnPage(m_nFixedRows, m_nRows, verticalPage - 1, m_nPageHeight,
                       [this](int row) { return GetRowHeight(row); });
}

int CGridCtrl::FirstColOfPage(int horizontalPage) const
{
    return FirstOnPage(m_nFixedCols, m_nCols, horizontalPage, m_nPageWidth,
                       [this](int col) { return GetColumnWidth(col); });
}

void CGridCtrl::OnBeginPrinting(CDC* dc, CPrintInfo* info)
{
    if (dc == nullptr || info == nullptr || dc->m_hDC == nullptr)
        return;
    HDC hdc = dc->m_hDC;
    const int printerX = std::max(1, ::GetDeviceCaps(hdc, LOGPIXELSX));
    const int printerY = std::max(1, ::GetDeviceCaps(hdc, LOGPIXELSY));
    HDC screen = ::GetDC(nullptr);
    const int screenX = ::GetDeviceCaps(screen, LOGPIXELSX);
    const int screenY = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);

    if (m_hPrinterFont != nullptr)
        ::DeleteObject(m_hPrinterFont);
    m_hPrinterFont = ::CreateFontA(-10, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                   CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "Arial");
    HGDIOBJ oldFont = ::SelectObject(hdc, m_hPrinterFont);
    SIZE extent = {};
    ::GetTextExtentPoint32A(hdc, kMeasure, static_cast<int>(sizeof kMeasure - 1), &extent);
    m_CharSize = CSize(std::max(1L, static_cast<LONG>(extent.cx / 52)), std::max(1L, static_cast<LONG>(extent.cy)));
    const int marginWidth = m_CharSize.cx * (m_nLeftMargin + m_nRightMargin);

    m_PaperSize = CSize(::GetDeviceCaps(hdc, HORZRES), ::GetDeviceCaps(hdc, VERTRES));
    if (m_bPrintScreenScale) {
        m_LogicalPageSize.cx = m_PaperSize.cx * screenX / printerX * 3 / 4;
        m_LogicalPageSize.cy = m_PaperSize.cy * screenY / printerY * 3 / 4;
    } else {
        m_LogicalPageSize.cx = static_cast<LONG>(GetVirtualWidth()) + marginWidth;
        m_LogicalPageSize.cy = ::MulDiv(m_LogicalPageSize.cx, m_PaperSize.cy, std::max(1L, m_PaperSize.cx));
    }
    m_nPageHeight = m_LogicalPageSize.cy - (m_nFooterHeight + 2 * m_nGap + m_nHeaderHeight) * m_CharSize.cy -
                    GetFixedRowHeight();
    m_nPageWidth = m_LogicalPageSize.cx - GetFixedColumnWidth() - marginWidth;

    m_nNumPages = PageCount(m_nFixedRows, m_nRows, m_nPageHeight, [this](int row) { return GetRowHeight(row); });
    m_nPageMultiplier = 1;
    if (m_bPrintScreenScale) {
        m_nPageMultiplier =
            PageCount(m_nFixedCols, m_nCols, m_nPageWidth, [this](int col) { return GetColumnWidth(col); });
        m_nNumPages *= m_nPageMultiplier;
    }
    info->SetMaxPage(static_cast<UINT>(std::min(m_nNumPages, 0xFFFF)));
    info->m_nCurPage = 1;
    ::SelectObject(hdc, oldFont);
}

void CGridCtrl::PrintGridLines(CDC* dc, const CRect& cell, int row, int col, BOOL firstCol) const
{
    HDC hdc = dc->m_hDC;
    if (m_nGridLines == GVL_HORZ || m_nGridLines == GVL_BOTH) {
        Line(hdc, col == 0 ? cell.left : cell.left - 1, cell.bottom, cell.right, cell.bottom);
        if (row == 0)
            Line(hdc, cell.left, cell.top, cell.right, cell.top);
    }
    if (m_nGridLines == GVL_VERT || m_nGridLines == GVL_BOTH) {
        Line(hdc, cell.right, cell.top, cell.right, cell.bottom);
        if (firstCol)
            Line(hdc, cell.left, cell.top, cell.left, cell.bottom);
    }
}

void CGridCtrl::PrintPageRows(int firstCol, int endCol, int row, CRect& rect, CDC* dc, BOOL drawLeftLine)
{
    const int limit = m_nPageWidth + GetFixedColumnWidth();
    int right = rect.left;
    for (int col = firstCol; col <= endCol && col < m_nCols; col++) {
        const int w = GetColumnWidth(col);
        // As the walk of the pages across: a hidden column does not end the page before a wide one.
        if (right > rect.left && right + w > limit)
            break;
        CRect cell(right, rect.top, right + w, rect.bottom);
        if (CGridCellBase* c = GetCell(row, col))
            c->PrintCell(dc, row, col, cell);
        PrintGridLines(dc, cell, row, col, drawLeftLine && col == firstCol);
        right += w;
    }
    rect.right = right;
}

void CGridCtrl::PrintColumnHeadings(CDC* dc, CPrintInfo*)
{
    int top = (m_nHeaderHeight + m_nGap) * m_CharSize.cy;
    for (int row = 0; row < m_nFixedRows; row++) {
        const int h = GetRowHeight(row);
        CRect rect(0, top, 0, top + h);
        if (m_nCurrPrintCol != 0 && m_nFixedCols > 0) {
            PrintPageRows(0, m_nFixedCols - 1, row, rect, dc, row == 0);
            rect.left = rect.right;
        }
        PrintPageRows(m_nCurrPrintCol, m_nCols - 1, row, rect, dc, row == 0 && m_nFixedCols == 0);
        top += h;
    }
}

void CGridCtrl::PrintRowHeadings(CDC* dc, CPrintInfo*)
{
    const int bodyTop = (m_nHeaderHeight + m_nGap) * m_CharSize.cy + GetFixedRowHeight();
    int left = 0;
    for (int col = 0; col < m_nFixedCols; col++) {
        const int w = GetColumnWidth(col);
        int top = bodyTop, used = 0;
        for (int row = m_nCurrPrintRow; row < m_nRows; row++) {
            const int h = GetRowHeight(row);
            // The page's rows end as the body's do: a hidden row before a row taller than the page
            // leaves that row on this page, and its heading with it.
            if (used > 0 && used + h > m_nPageHeight)
                break;
            CRect cell(left, top, left + w, top + h);
            if (CGridCellBase* c = GetCell(row, col))
                c->PrintCell(dc, row, col, cell);
            PrintGridLines(dc, cell, row, col, col == 0);
            top += h;
            used += h;
        }
        left += w;
    }
}

void CGridCtrl::OnPrint(CDC* dc, CPrintInfo* info)
{
    if (dc == nullptr || info == nullptr || dc->m_hDC == nullptr || m_hPrinterFont == nullptr)
        return;
    HDC hdc = dc->m_hDC;
    HGDIOBJ oldFont = ::SelectObject(hdc, m_hPrinterFont);
    ::SetMapMode(hdc, MM_ANISOTROPIC);
    ::SetWindowExtEx(hdc, m_LogicalPageSize.cx, m_LogicalPageSize.cy, nullptr);
    ::SetViewportExtEx(hdc, m_PaperSize.cx, m_PaperSize.cy, nullptr);
    const int leftMargin = m_CharSize.cx * m_nLeftMargin;
    ::SetWindowOrgEx(hdc, -leftMargin, 0, nullptr);

    const int width = m_LogicalPageSize.cx - (m_nRightMargin + m_nLeftMargin) * m_CharSize.cx;
    CRect band(0, 0, width, m_nHeaderHeight * m_CharSize.cy);
    info->m_rectDraw = band;
    PrintHeader(dc, info);

    const int pages = std::max(1, m_nPageMultiplier);
    const int p = static_cast<int>(info->m_nCurPage);
    const int verticalPage = p / pages + (p % pages != 0 ? 1 : 0);
    const int horizontalPage = (p % pages == 0 ? pages : p % pages) - 1;
    m_nCurrPrintRow = FirstRowOfPage(verticalPage);
    m_nCurrPrintCol = FirstColOfPage(horizontalPage);

    // The row headings and the body, each clipped to the body's band: a row taller than the page
    // is cut there, not dropped, and nothing of it reaches the footer.
    const int bodyTop = (m_nHeaderHeight + m_nGap) * m_CharSize.cy + GetFixedRowHeight();
    const int bodyLeft = GetFixedColumnWidth();
    int saved = ::SaveDC(hdc);
    ::IntersectClipRect(hdc, -1, bodyTop - 1, bodyLeft + 1, bodyTop + m_nPageHeight + 1);
    PrintRowHeadings(dc, info);
    ::RestoreDC(hdc, saved);
    PrintColumnHeadings(dc, info);

    saved = ::SaveDC(hdc);
    ::IntersectClipRect(hdc, bodyLeft - 1, bodyTop - 1, bodyLeft + m_nPageWidth + 1, bodyTop + m_nPageHeight + 1);
    int top = bodyTop, usedH = 0;
    for (int row = m_nCurrPrintRow; row < m_nRows; row++) {
        const int h = GetRowHeight(row);
        // The page ends where the walk that found its first row ends it: a hidden row before a
        // row taller than the page leaves that row on this page, so it must print here.
        if (usedH > 0 && usedH + h > m_nPageHeight)
            break;
        CRect rect(bodyLeft, top, bodyLeft, top + h);
        PrintPageRows(m_nCurrPrintCol, m_nCols - 1, row, rect, dc, TRUE);
        top += h;
        usedH += h;
    }
    ::RestoreDC(hdc, saved);

    band = CRect(0, 0, width, m_nFooterHeight * m_CharSize.cy);
    info->m_rectDraw = band;
    ::SetWindowOrgEx(hdc, -leftMargin, m_nFooterHeight * m_CharSize.cy - m_LogicalPageSize.cy, nullptr);
    PrintFooter(dc, info);
    ::SetWindowOrgEx(hdc, 0, 0, nullptr);
    ::SelectObject(hdc, oldFont);
}

void CGridCtrl::PrintHeader(CDC* dc, CPrintInfo* info)
{
    HDC hdc = dc->m_hDC;
    char title[256] = {};
    ::LoadStringA(::GetModuleHandleA(nullptr), 57344, title, sizeof title);
    std::string window;
    for (HWND w = m_hWnd != nullptr ? ::GetParent(m_hWnd) : nullptr; w != nullptr; w = ::GetParent(w)) {
        char text[512] = {};
        if (::GetWindowTextA(w, text, sizeof text) > 0) {
            window = text;
            break;
        }
    }
    LOGFONTA lf = {};
    ::GetObjectA(m_hPrinterFont, sizeof lf, &lf);
    lf.lfWeight = FW_BOLD;
    HFONT bold = ::CreateFontIndirectA(&lf);
    HGDIOBJ old = ::SelectObject(hdc, bold);
    ::SetBkMode(hdc, TRANSPARENT);
    RECT rect = info->m_rectDraw;
    ::DrawTextA(hdc, window.c_str(), -1, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    rect = info->m_rectDraw;
    ::DrawTextA(hdc, title, -1, &rect, DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    HPEN pen = ::CreatePen(PS_SOLID, 0, RGB(0, 0, 0));
    HGDIOBJ oldPen = ::SelectObject(hdc, pen);
    Line(hdc, info->m_rectDraw.left, info->m_rectDraw.bottom, info->m_rectDraw.right, info->m_rectDraw.bottom);
    ::SelectObject(hdc, oldPen);
    ::DeleteObject(pen);
    ::SelectObject(hdc, old);
    ::DeleteObject(bold);
}

void CGridCtrl::PrintFooter(CDC* dc, CPrintInfo* info)
{
    HDC hdc = dc->m_hDC;
    HPEN pen = ::CreatePen(PS_SOLID, 0, RGB(0, 0, 0));
    HGDIOBJ oldPen = ::SelectObject(hdc, pen);
    Line(hdc, info->m_rectDraw.left, info->m_rectDraw.top, info->m_rectDraw.right, info->m_rectDraw.top);
    ::SelectObject(hdc, oldPen);
    ::DeleteObject(pen);

    LOGFONTA lf = {};
    ::GetObjectA(m_hPrinterFont, sizeof lf, &lf);
    lf.lfWeight = FW_BOLD;
    HFONT bold = ::CreateFontIndirectA(&lf);
    HGDIOBJ old = ::SelectObject(hdc, bold);
    ::SetBkMode(hdc, TRANSPARENT);
    ::SetTextColor(hdc, RGB(0, 0, 0));
    char page[64];
    wsprintfA(page, "Page %d of %d", static_cast<int>(info->m_nCurPage), static_cast<int>(info->GetMaxPage()));
    RECT rect = info->m_rectDraw;
    ::DrawTextA(hdc, page, -1, &rect, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);

    // The date and time as the user reads them; a clock the system cannot format prints nothing.
    char date[128] = {}, time[128] = {};
    std::string when;
    if (::GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, date, sizeof date) > 0 &&
        ::GetTimeFormatA(LOCALE_USER_DEFAULT, 0, nullptr, nullptr, time, sizeof time) > 0)
        when = std::string(date) + " " + time;
    rect = info->m_rectDraw;
    ::DrawTextA(hdc, when.c_str(), -1, &rect, DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    ::SelectObject(hdc, old);
    ::DeleteObject(bold);
}

void CGridCtrl::OnEndPrinting(CDC*, CPrintInfo*)
{
    if (m_hPrinterFont != nullptr)
        ::DeleteObject(m_hPrinterFont);
    m_hPrinterFont = nullptr;
}
