// The project document's drawing of template areas, the label definition behind the design
// canvas and the selection handles; the design extent; the checks before printing.
#include "document/labeldoc.h"

#include "document/documentstrings.h"
#include "framework/gdi.h"
#include "framework/msgbox.h"
#include "framework/wnd.h"
#include "labelmodel/graphcollection.h"
#include "labelmodel/labelstock.h"
#include "labelmodel/template.h"

#include <algorithm>

namespace {

const int kDefaultDesignWidth = 210000;
const int kDefaultDesignHeight = 297000;

bool IsArea(int area)
{
    return area >= 0 && area < CTemplate::kAreas;
}

} // namespace

bool COstrelindSoftLabelDoc::DrawArea(int area, CDC* dc, int zoom, int x, int y, bool designFrame,
                                      int row, int mode, int dpiX, int dpiY, bool design)
{
    if (!IsArea(area))
        return true;
    CTemplate* tmpl = GetCurrentTemplate();
    TableSlot& slot = CurrentSlot();
    const bool frames = designFrame && tmpl->GetFieldContours();
    return tmpl->GetArea(area)->Draw(dc, zoom, x, y, frames, row, mode, dpiX, dpiY, slot.Shown(),
                                     &slot.ColumnMap(), design);
}

void COstrelindSoftLabelDoc::DrawLabelDefinition(CDC* dc, int area, int zoom)
{
    if (const CLabel* stock = GetCurrentTemplate()->GetLabelStock()) {
        stock->DrawPart(area, dc, zoom, 0, 0);
        return;
    }
    CString text;
    if (!text.LoadString(IDS_DESIGN_NO_LABEL))
        text = "Design: Select a standard label or create a new one";
    text = text.Left(99);
    const int saved = dc->SaveDC();
    RECT box = {20, 20, 600, 100};
    dc->SetBkMode(TRANSPARENT);
    dc->DrawText(text, &box, DT_LEFT | DT_TOP);
    dc->RestoreDC(saved);
}

void COstrelindSoftLabelDoc::DrawSelectionHandles(int area, CDC* dc)
{
    if (!IsArea(area))
        return;
    CGraphCollection* objects = GetCurrentTemplate()->GetArea(area);
    for (int i = 0; i < objects->GetCount(); ++i)
        objects->GetAt(i)->DrawHandlesIfSelected(dc);
}

int COstrelindSoftLabelDoc::GetDesignWidth(int area) const
{
    const CLabel* stock = GetCurrentTemplate()->GetLabelStock();
    if (!IsArea(area) || stock == nullptr)
        return kDefaultDesignWidth;
    const int extent = std::max(GetCurrentTemplate()->GetArea(area)->GetAllRight(), stock->GetWidth(area));
    return static_cast<int>(static_cast<long long>(extent) * 125 / 100);
}

int COstrelindSoftLabelDoc::GetDesignHeight(int area) const
{
    const CLabel* stock = GetCurrentTemplate()->GetLabelStock();
    if (!IsArea(area) || stock == nullptr)
        return kDefaultDesignHeight;
    const int extent = std::max(GetCurrentTemplate()->GetArea(area)->GetAllBottom(), stock->GetHeight(area));
    return static_cast<int>(static_cast<long long>(extent) * 125 / 100);
}

bool COstrelindSoftLabelDoc::UsesTableData() const
{
    for (int a = 0; a < CTemplate::kAreas; ++a) {
        if (GetCurrentTemplate()->GetArea(a)->HasColumnNames())
            return true;
    }
    return false;
}

bool COstrelindSoftLabelDoc::HasAutoIncrementObjects() const
{
    for (int a = 0; a < CTemplate::kAreas; ++a) {
        if (GetCurrentTemplate()->GetArea(a)->IsCounter())
            return true;
    }
    return false;
}

bool COstrelindSoftLabelDoc::HasObjectsOutsideLabel() const
{
    const CLabel* stock = GetCurrentTemplate()->GetLabelStock();
    for (int a = 0; a < CTemplate::kAreas; ++a) {
        CGraphCollection* objects = GetCurrentTemplate()->GetArea(a);
        if (objects->IsEmpty())
            continue;
        // Without a definition every area is empty space: any object lies outside it.
        const int width = stock ? stock->GetWidth(a) : 0;
        const int height = stock ? stock->GetHeight(a) : 0;
        if (objects->GetAllLeft() < 0 || objects->GetAllTop() < 0 || width < objects->GetAllRight() ||
            height < objects->GetAllBottom())
            return true;
    }
    return false;
}

bool COstrelindSoftLabelDoc::HasTableData() const
{
    const TableSlot& slot = CurrentSlot();
    if (slot.Table() != nullptr && slot.Table()->GetRowCount() > 0)
        return true;
    if (slot.Filter() != nullptr)
        return true;
    return slot.Filtered() != nullptr && slot.Filtered()->GetUsedRowCount() > 0;
}

bool COstrelindSoftLabelDoc::CheckBeforePrint(CWnd* owner)
{
    auto refuse = [owner](UINT id, const char* fallback) {
        ShowMessageBox(owner ? owner->GetSafeHwnd() : nullptr, LoadStringOr(id, fallback), nullptr,
                       MB_OK | MB_ICONERROR);
        return false;
    };
    if (GetCurrentTemplate()->GetLabelStock() == nullptr)
        return refuse(IDS_NO_LABEL_DEFINITION, "The template does not contain a label definition.");
    if (UsesTableData() && !HasTableData())
        return refuse(IDS_TABLE_EMPTY,
                      "The template contains object(s) with table data source but the table is empty");
    if (HasAutoIncrementObjects() && GetPathName().IsEmpty())
        return refuse(IDS_AUTOINC_MUST_SAVE,
                      "The project contains auto incrementing objects and must be saved before printing.");
    if (HasObjectsOutsideLabel())
        return refuse(IDS_OBJECTS_OUTSIDE_LABEL,
                      "The template contains objects not located within the label area.");
    return true;
}
