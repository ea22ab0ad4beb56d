// Times the table view on a 65,536 x 26 table in a 1024 x 768 view: a full repaint, Find from row
// 1 to a match in the last row, Replace all in a column, and deleting 10,000 selected rows with
// the filter off and on.
#include "document/labeldoc.h"
#include "document/tableslot.h"
#include "framework/doctempl.h"
#include "framework/msgbox.h"
#include "ui/tableview.h"

#include "bench/benchclock.h"

#include <cstdio>
#include <memory>
#include <string>

namespace {

using bench::Now;
using bench::Pump;

const int kRows = 65536;

struct Bench {
    std::unique_ptr<COstrelindSoftLabelDoc> doc;
    CWnd host;
    COstrelindSoftTableView* view = nullptr;

    void Open(bool filter)
    {
        doc = std::make_unique<COstrelindSoftLabelDoc>();
        doc->m_bAutoDelete = FALSE;
        doc->OnNewDocument();
        char text[32];
        for (int r = 0; r < kRows; ++r)
            for (int c = 0; c < 26; ++c) {
                std::snprintf(text, sizeof text, "R%05dC%02d", r, c);
                doc->CurrentSlot().Table()->SetCellText(r, c, text);
            }
        if (filter) {
            doc->CurrentSlot().CreateFilter();
            doc->CurrentSlot().ToggleFilter();
        }
        host.CreateEx(0, "STATIC", "bench", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 1024, 768, nullptr,
                      nullptr);
        CCreateContext context;
        context.m_pCurrentDoc = doc.get();
        view = new COstrelindSoftTableView();
        view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 1024, 768), &host, 1, &context);
        view->OnInitialUpdate();
        Pump();
    }

    void Close()
    {
        view->DestroyWindow();
        host.DestroyWindow();
        Pump();
        doc.reset();
    }
};

void DeleteRows(bool filter)
{
    Bench b;
    b.Open(filter);
    CGridCtrl* grid = b.view->GetGrid();
    grid->SetSelectedRange(1, 1, 10000, grid->GetColumnCount() - 1);
    const double t0 = Now();
    b.view->SendMessage(WM_COMMAND, ID_EDIT_DELETE);
    const double t1 = Now();
    std::printf("delete 10,000 rows, filter %s: %.0f ms (rows left %d)\n", filter ? "on " : "off", t1 - t0,
                b.doc->GetTableRowCount());
    b.Close();
}

} // namespace

int main()
{
    MessageBoxHook quiet = [](const MessageBoxRequest&) { return IDOK; };
    SetMessageBoxHook(quiet);
    Bench b;
    b.Open(false);
    CGridCtrl* grid = b.view->GetGrid();

    double best = 1e9;
    for (int i = 0; i < 5; ++i) {
        const double t0 = Now();
        ::RedrawWindow(grid->m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        const double t = Now() - t0;
        if (t < best)
            best = t;
    }
    std::printf("repaint 1024 x 768: %.1f ms\n", best);

    grid->SetFocusCell(1, 3);
    double t0 = Now();
    b.view->FindText("R65535C02", nullptr, true, true, true, COstrelindSoftTableView::kFind);
    std::printf("find row 1 to the last row: %.0f ms (focus row %d)\n", Now() - t0, grid->GetFocusCell().row);

    grid->SetFocusCell(1, 5);
    t0 = Now();
    b.view->FindText("C04", "D04", true, false, true, COstrelindSoftTableView::kReplaceAll);
    std::printf("replace all in a column: %.0f ms (last cell %s)\n", Now() - t0,
                b.doc->GetTableCellText(kRows - 1, 4));
    b.Close();

    DeleteRows(false);
    DeleteRows(true);
    return 0;
}
