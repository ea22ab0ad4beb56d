#include "ui/tableview.h"

#include "document/labeldoc.h"
#include "framework/app.h"
#include "framework/msgmap.h"
#include "framework/print.h"
#include "ui/commandids.h"
#include "ui/printerhandles.h"

#include <cstdio>

BEGIN_MESSAGE_MAP(COstrelindSoftTableView, CView)
    ON_WM_CLOSE()
    ON_MESSAGE(WM_TABVIEW_REMOVE, OnTabViewRemove)
    ON_COMMAND(ID_FILE_PRINT, OnFilePrint)
END_MESSAGE_MAP()

COstrelindSoftLabelDoc* COstrelindSoftTableView::GetLabelDoc() const
{
    return dynamic_cast<COstrelindSoftLabelDoc*>(GetDocument());
}

void COstrelindSoftTableView::OnDraw(CDC* dc)
{
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    if (doc == nullptr)
        return;
    HGDIOBJ oldFont = ::SelectObject(dc->m_hDC, ::GetStockObject(DEFAULT_GUI_FONT));
    ::SetBkMode(dc->m_hDC, TRANSPARENT);
    ::SetTextColor(dc->m_hDC, ::GetSysColor(COLOR_WINDOWTEXT));
    TEXTMETRICA metrics = {};
    ::GetTextMetricsA(dc->m_hDC, &metrics);
    const int line = metrics.tmHeight + 2;
    const int rows = doc->GetTableRowCount();
    char text[300];
    std::snprintf(text, sizeof text, "%s: %d", static_cast<const char*>(doc->GetTableName(doc->GetCurrentTableIndex())),
                  rows < 0 ? 0 : rows);
    ::TextOutA(dc->m_hDC, 4, 4, text, static_cast<int>(strlen(text)));
    // The first rows, their first columns separated by tabs' worth of room.
    const int shown = rows < kShownRows ? rows : kShownRows;
    for (int r = 0; r < shown; ++r) {
        int x = 4;
        for (int c = 0; c < 6; ++c) {
            char cell[64] = {};
            doc->GetTableCellText(r, c, sizeof cell, cell);
            ::TextOutA(dc->m_hDC, x, 4 + line * (r + 2), cell, static_cast<int>(strlen(cell)));
            x += 90;
        }
    }
    ::SelectObject(dc->m_hDC, oldFont);
}

void COstrelindSoftTableView::OnClose()
{
    // The close box of the tab: the document asks and removes the table with its tab.
    if (::GetParent(m_hWnd) == nullptr)
        return;
    // Straight to this view's own project: through the main window the command would reach the
    // active child's active view, which is another project's, or none once a removed tab's canvas
    // had been the active view.
    if (CDocument* doc = GetDocument())
        doc->OnCmdMsg(ID_DELETE_TABLE, CN_COMMAND, nullptr, nullptr);
}

LRESULT COstrelindSoftTableView::OnTabViewRemove(WPARAM, LPARAM)
{
    DestroyWindow();
    return 0;
}

void COstrelindSoftTableView::OnFilePrint()
{
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    if (doc == nullptr || !doc->CheckBeforePrint(this))
        return;
    // The printer stored with the template becomes the application's printer for this job.
    CString device, driver, port;
    doc->GetStoredPrinter(device, driver, port);
    if (!device.IsEmpty() && !driver.IsEmpty() && !port.IsEmpty()) {
        HGLOBAL devMode = nullptr, devNames = nullptr;
        if (BuildPrinterHandles(device, devMode, devNames)) {
            if (CWinApp* app = AfxGetApp())
                app->SelectPrinter(devNames, devMode);
            else {
                ::GlobalFree(devMode);
                ::GlobalFree(devNames);
            }
        }
    }
    CView::OnFilePrint();
    doc->CommitAutoIncrementAfterPrint();
}

BOOL COstrelindSoftTableView::OnPreparePrinting(CPrintInfo* info)
{
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    if (doc == nullptr || !doc->PreparePrinting(info, this))
        return FALSE;
    return DoPreparePrinting(info);
}

void COstrelindSoftTableView::OnBeginPrinting(CDC* dc, CPrintInfo* info)
{
    if (COstrelindSoftLabelDoc* doc = GetLabelDoc())
        doc->BeginPrinting(dc, info, this);
}

void COstrelindSoftTableView::OnPrint(CDC* dc, CPrintInfo* info)
{
    if (COstrelindSoftLabelDoc* doc = GetLabelDoc())
        doc->PrintPage(dc, info, this);
}

void COstrelindSoftTableView::OnEndPrinting(CDC*, CPrintInfo* info)
{
    if (COstrelindSoftLabelDoc* doc = GetLabelDoc())
        doc->EndPrinting(info);
}
