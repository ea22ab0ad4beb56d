// Figures of the table view's Sequence command and of the filter dialog: a sequence 1..65,536 into
// an empty table, 1..1,000 with Insert into a 65,536-row table, and one mark toggled by a click in
// the filter dialog while the filter is on over 65,536 rows (the filter applied again and the
// grid redrawn).
#include "document/labeldoc.h"
#include "framework/app.h"
#include "ui/tablefill.h"
#include "ui/tablefilterdlg.h"

#include "bench/benchclock.h"

#include <commctrl.h>
#include <cstdio>
#include <string>

namespace {
using bench::Now;

double Sequence(COstrelindSoftLabelDoc& doc, const char* stop, bool insert)
{
    SequenceSettings s;
    s.start = "1";
    s.stop = stop;
    s.insert = insert;
    TableSlot& slot = doc.GetTableSlot(0);
    const double start = Now();
    doc.GetTableUndo(0).PushTableUndo(slot);
    SlotFillTarget target(slot);
    TableFillResult result;
    FillSequence(s, target, 0, 0, result);
    return Now() - start;
}

std::unique_ptr<COstrelindSoftLabelDoc> NewDoc()
{
    auto doc = std::make_unique<COstrelindSoftLabelDoc>();
    doc->m_bAutoDelete = FALSE;
    doc->OnNewDocument();
    return doc;
}
} // namespace

int main()
{
    INITCOMMONCONTROLSEX controls = { sizeof controls, ICC_WIN95_CLASSES };
    ::InitCommonControlsEx(&controls);
    CWinApp app("KORVELTA-PRINT-bench");

    auto empty = NewDoc();
    std::printf("sequence 1..65536 into an empty table: %.1f ms\n", Sequence(*empty, "65536", false));

    auto big = NewDoc();
    for (int r = 0; r < 65536; ++r)
        big->GetTableSlot(0).SetCellText(std::to_string(r).c_str(), r, 1);
    const double inserted = Sequence(*big, "1000", true);
    std::printf("sequence 1..1000 with Insert into 65536 rows: %.1f ms (rows now %d)\n", inserted,
                big->GetTableSlot(0).GetRowCount());

    auto filtered = NewDoc();
    TableSlot& slot = filtered->GetTableSlot(0);
    for (int r = 0; r < 65536; ++r) {
        slot.SetCellText(std::to_string(r).c_str(), r, 0);
        slot.SetCellText("x", r, 1);
    }
    slot.CreateFilter();
    slot.Filter()->SetIncludeString(0, "7");
    slot.ToggleFilter();
    CTableFilterDlg* dialog = nullptr;
    OpenTableFilterDialog(*filtered, 0, nullptr, dialog);
    if (dialog == nullptr) {
        std::printf("the filter dialog did not open\n");
        return 1;
    }
    CGridCtrl& grid = dialog->Grid();
    grid.UpdateWindow();
    RECT rect;
    for (int i = 0; i < 3; ++i) {
        // Moving onto another flag cell turns its mark over (include condition 1 on A, then B...).
        grid.GetCellRect(6, 2 + i, &rect);
        const LPARAM point = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
        const double start = Now();
        grid.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, point);
        grid.SendMessage(WM_LBUTTONUP, 0, point);
        grid.UpdateWindow();
        std::printf("filter mark toggled over 65536 rows with redraw: %.1f ms (rows shown %d)\n", Now() - start,
                    filtered->GetTableRowCount());
    }
    CloseTableFilterDialog(dialog);
    return 0;
}
