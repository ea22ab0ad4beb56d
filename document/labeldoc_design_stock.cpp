// Design commands of the project document, part three: the current template's label definition
// and page layout, locking, and the template guide's column maps. Every change of the definition
// marks the project modified and refreshes the views, so that closing never loses it.
#include "document/designpattern.h"
#include "document/designtext.h"

#include "framework/app.h"
#include "framework/wnd.h"
#include "labelmodel/graphcollection.h"
#include "labelmodel/labelstock.h"
#include "labelmodel/template.h"

#include <climits>
#include <cstring>

// ---------------------------------------------------------------------------------------------
// The pattern of the definition

CLabel* COstrelindSoftLabelDoc::DefinitionForChange(bool create)
{
    CTemplate* current = GetCurrentTemplate();
    if (current->IsLocked())
        return nullptr;
    if (current->GetLabelStock() == nullptr && create)
        current->SetLabelStock(new CLabelFileNew);
    return current->GetLabelStock();
}

bool COstrelindSoftLabelDoc::ChangeDefinition(bool create, bool (*change)(CLabel&, int, int), int area, int value)
{
    if (area < 0 || area > 2)
        return false;
    const bool existed = GetCurrentTemplate()->GetLabelStock() != nullptr;
    CLabel* stock = DefinitionForChange(create);
    if (stock == nullptr)
        return false;
    const bool changed = change(*stock, area, value);
    // A definition made for the change is a change of its own.
    if (!changed && existed)
        return false;
    MarkDesignChanged(kRefreshBoth);
    return true;
}

// ---------------------------------------------------------------------------------------------
// Paper

bool COstrelindSoftLabelDoc::GetPaperSizeName(char* out, int size) const
{
    const CLabel* stock = GetCurrentTemplate()->GetLabelStock();
    if (out && size > 0)
        out[0] = 0;
    return stock && out && size > 0 && stock->GetPaperName(out, size);
}

bool COstrelindSoftLabelDoc::SetPaperSize(const char* name)
{
    char current[128] = {};
    if (name == nullptr || (GetPaperSizeName(current, sizeof current) && strcmp(current, name) == 0))
        return false;
    const bool existed = GetCurrentTemplate()->GetLabelStock() != nullptr;
    CLabel* stock = DefinitionForChange(true);
    if (stock == nullptr || (!stock->SetPaperByName(name) && existed))
        return false;
    MarkDesignChanged(kRefreshBoth);
    return true;
}

int COstrelindSoftLabelDoc::GetPaperSizeCode() const
{
    const CLabel* stock = GetCurrentTemplate()->GetLabelStock();
    return stock ? stock->GetPaperCode() : 0;
}

int COstrelindSoftLabelDoc::GetPaperWidth() const
{
    const CLabel* stock = GetCurrentTemplate()->GetLabelStock();
    return stock ? stock->GetPaperWidth() : 90000;
}

int COstrelindSoftLabelDoc::GetPaperHeight() const
{
    const CLabel* stock = GetCurrentTemplate()->GetLabelStock();
    return stock ? stock->GetPaperHeight() : 60000;
}

namespace {
// Paper sizes are kept in tenths of a millimetre in a 16-bit field: a size that does not fit is
// refused instead of being cut to another size.
bool PaperTenths(int um, int* tenths)
{
    const long long t = (static_cast<long long>(um) + 50) / 100;
    if (um <= 0 || t < 1 || t > SHRT_MAX)
        return false;
    *tenths = static_cast<int>(t);
    return true;
}
} // namespace

bool COstrelindSoftLabelDoc::SetPaperWidth(int um)
{
    return ChangeDefinition(false, [](CLabel& stock, int, int v) {
        int tenths = 0;
        if (!stock.HasPaperSettings() || !PaperTenths(v, &tenths) || tenths == stock.GetPaperWidthTenths())
            return false;
        stock.SetPaperWidthTenths(tenths, true);
        return true;
    }, 0, um);
}

bool COstrelindSoftLabelDoc::SetPaperHeight(int um)
{
    return ChangeDefinition(false, [](CLabel& stock, int, int v) {
        int tenths = 0;
        if (!stock.HasPaperSettings() || !PaperTenths(v, &tenths) || tenths == stock.GetPaperHeightTenths())
            return false;
        stock.SetPaperHeightTenths(tenths, true);
        return true;
    }, 0, um);
}

bool COstrelindSoftLabelDoc::SetOrientation(int orientation)
{
    return ChangeDefinition(false, [](CLabel& stock, int, int v) {
        if ((v != 1 && v != 2) || !stock.HasPaperSettings() || stock.GetOrientation() == v)
            return false;
        stock.SetOrientation(v);
        return true;
    }, 0, orientation);
}

// ---------------------------------------------------------------------------------------------
// The areas' offsets and sizes

namespace {
enum AreaLength { kLeft, kTop, kWidth, kHeight };

int AreaLengthOf(const CLabel& stock, int area, int which)
{
    switch (which) {
    case kLeft: return stock.GetLeft(area);
    case kTop: return stock.GetTop(area);
    case kWidth: return stock.GetWidth(area);
    default: return stock.GetHeight(area);
    }
}

bool AreaLengthText(const CTemplate* current, int area, int which, char* out, int size)
{
    if (out && size > 0)
        out[0] = 0;
    const CLabel* stock = current->GetLabelStock();
    return stock && area >= 0 && area <= 2 && FormatMillimetres(AreaLengthOf(*stock, area, which), out, size);
}
} // namespace

bool COstrelindSoftLabelDoc::GetAreaLeftText(int area, char* out, int size) const { return AreaLengthText(GetCurrentTemplate(), area, kLeft, out, size); }
bool COstrelindSoftLabelDoc::GetAreaTopText(int area, char* out, int size) const { return AreaLengthText(GetCurrentTemplate(), area, kTop, out, size); }
bool COstrelindSoftLabelDoc::GetAreaWidthText(int area, char* out, int size) const { return AreaLengthText(GetCurrentTemplate(), area, kWidth, out, size); }
bool COstrelindSoftLabelDoc::GetAreaHeightText(int area, char* out, int size) const { return AreaLengthText(GetCurrentTemplate(), area, kHeight, out, size); }

bool COstrelindSoftLabelDoc::SetAreaLeft(int area, int um)
{
    return ChangeDefinition(false, [](CLabel& stock, int a, int v) {
        if (stock.GetLeft(a) == v)
            return false;
        stock.SetLeft(a, v);
        return stock.GetLeft(a) == v;
    }, area, um);
}

bool COstrelindSoftLabelDoc::SetAreaTop(int area, int um)
{
    return ChangeDefinition(false, [](CLabel& stock, int a, int v) {
        if (stock.GetTop(a) == v)
            return false;
        stock.SetTop(a, v);
        return stock.GetTop(a) == v;
    }, area, um);
}

bool COstrelindSoftLabelDoc::SetAreaWidth(int um, int area)
{
    return ChangeDefinition(true, [](CLabel& stock, int a, int v) {
        if (v < 0 || stock.GetWidth(a) == v)
            return false;
        stock.SetWidth(a, v, true);
        return stock.GetWidth(a) == v;
    }, area, um);
}

bool COstrelindSoftLabelDoc::SetAreaHeight(int um, int area)
{
    return ChangeDefinition(true, [](CLabel& stock, int a, int v) {
        if (v < 1 || stock.GetHeight(a) == v)
            return false;
        stock.SetHeight(a, v);
        return stock.GetHeight(a) == v;
    }, area, um);
}

// ---------------------------------------------------------------------------------------------
// Pitches, counts and blocks

namespace {
bool LengthText(const CLabel* stock, int value, char* out, int size)
{
    if (out && size > 0)
        out[0] = 0;
    return stock && FormatMillimetres(value, out, size);
}

bool CountText(const CLabel* stock, int value, char* out, int size)
{
    if (out && size > 0)
        out[0] = 0;
    if (stock == nullptr || out == nullptr || size < 1)
        return false;
    CString text;
    text.Format("%d", value);
    lstrcpynA(out, text, size);
    return true;
}
} // namespace

bool COstrelindSoftLabelDoc::GetHorizontalPitchText(char* out, int size) const
{
    const CLabel* stock = GetCurrentTemplate()->GetLabelStock();
    return LengthText(stock, stock ? stock->GetPitchH() : 0, out, size);
}

bool COstrelindSoftLabelDoc::GetVerticalPitchText(char* out, int size) const
{
    const CLabel* stock = GetCurrentTemplate()->GetLabelStock();
    return LengthText(stock, stock ? stock->GetPitchV() : 0, out, size);
}

bool COstrelindSoftLabelDoc::SetHorizontalPitch(int um)
{
    return ChangeDefinition(false, [](CLabel& stock, int, int v) {
        if (v < 0 || stock.GetPitchH() == v)
            return false;
        stock.SetPitchH(v);
        stock.SetModified(true);
        return true;
    }, 0, um);
}

bool COstrelindSoftLabelDoc::SetVerticalPitch(int um)
{
    return ChangeDefinition(false, [](CLabel& stock, int, int v) {
        if (v <= 0 || stock.GetPitchV() == v)
            return false;
        stock.SetPitchV(v);
        stock.SetModified(true);
        return true;
    }, 0, um);
}

bool COstrelindSoftLabelDoc::GetRowCountText(char* out, int size) const
{
    const CLabel* stock = GetCurrentTemplate()->GetLabelStock();
    return CountText(stock, stock ? stock->GetRows() : 0, out, size);
}

bool COstrelindSoftLabelDoc::GetColumnCountText(char* out, int size) const
{
    const CLabel* stock = GetCurrentTemplate()->GetLabelStock();
    return CountText(stock, stock ? stock->GetColumns() : 0, out, size);
}

bool COstrelindSoftLabelDoc::GetBlockCountText(char* out, int size) const
{
    const CLabel* stock = GetCurrentTemplate()->GetLabelStock();
    return CountText(stock, stock ? stock->GetVerticalBlocks() : 0, out, size);
}

namespace {
enum CountKind { kRows, kColumns, kBlocks };
struct CountRow {
    int minimum;
    int maximum;                    // blocks are a 16-bit field
    int (*get)(const CLabel&);
    void (*set)(CLabel&, int);
};
const CountRow kCounts[] = {
    {1, INT_MAX, [](const CLabel& s) { return s.GetRows(); }, [](CLabel& s, int v) { s.SetRows(v); }},
    {1, INT_MAX, [](const CLabel& s) { return s.GetColumns(); }, [](CLabel& s, int v) { s.SetColumns(v); }},
    {0, SHRT_MAX, [](const CLabel& s) { return s.GetVerticalBlocks(); }, [](CLabel& s, int v) { s.SetVerticalBlocks(v); }},
};
} // namespace

bool COstrelindSoftLabelDoc::SetCountText(int which, const char* text)
{
    int value = 0;
    if (!ParseCountText(text, &value))
        return false;
    return ChangeDefinition(false, [](CLabel& stock, int w, int v) {
        const CountRow& row = kCounts[w];
        if (v < row.minimum || v > row.maximum || row.get(stock) == v)
            return false;
        row.set(stock, v);
        stock.SetModified(true);
        return true;
    }, which, value);
}

bool COstrelindSoftLabelDoc::SetRowCountText(const char* text) { return SetCountText(kRows, text); }
bool COstrelindSoftLabelDoc::SetColumnCountText(const char* text) { return SetCountText(kColumns, text); }
bool COstrelindSoftLabelDoc::SetBlockCountText(const char* text) { return SetCountText(kBlocks, text); }

bool COstrelindSoftLabelDoc::GetBlockSpaceText(char* out, int size) const
{
    const CLabel* stock = GetCurrentTemplate()->GetLabelStock();
    const long long space = stock ? static_cast<long long>(stock->GetBlockGap()) + stock->GetTop(0) : 0;
    return LengthText(stock, space > INT_MAX || space < INT_MIN ? 0 : static_cast<int>(space), out, size);
}

bool COstrelindSoftLabelDoc::SetBlockSpace(int um)
{
    return ChangeDefinition(false, [](CLabel& stock, int, int v) {
        // The space is shown from the top margin; a gap below zero would overlap the blocks.
        const long long gap = static_cast<long long>(v) - stock.GetTop(0);
        if (gap < 0 || gap > INT_MAX || stock.GetBlockGap() == gap)
            return false;
        stock.SetBlockGap(static_cast<int>(gap));
        stock.SetModified(true);
        return true;
    }, 0, um);
}

// ---------------------------------------------------------------------------------------------
// Shape, classification and the definition as a whole

int COstrelindSoftLabelDoc::GetLabelShape(int area) const
{
    const CLabel* stock = GetCurrentTemplate()->GetLabelStock();
    return stock && area >= 0 && area <= 2 ? stock->GetShape(area) : -1;
}

bool COstrelindSoftLabelDoc::SetLabelShape(int shape, int area)
{
    return ChangeDefinition(false, [](CLabel& stock, int a, int v) {
        if (v < 0 || v > 2 || stock.GetShape(a) == v)
            return false;
        stock.SetShape(a, v);
        return stock.GetShape(a) == v;
    }, area, shape);
}

int COstrelindSoftLabelDoc::GetCornerRadius(int area) const
{
    const CLabel* stock = GetCurrentTemplate()->GetLabelStock();
    return stock && area >= 0 && area <= 2 ? stock->GetCornerRadius() : 0;
}

bool COstrelindSoftLabelDoc::SetCornerRadius(int um, int area)
{
    return ChangeDefinition(false, [](CLabel& stock, int, int v) {
        if (v < 0 || stock.GetCornerRadius() == v)
            return false;
        stock.SetCornerRadius(v);
        return stock.GetCornerRadius() == v;
    }, area, um);
}

bool COstrelindSoftLabelDoc::ToggleMarkingType(int bits)
{
    return ChangeDefinition(false, [](CLabel& stock, int, int v) {
        const int before = stock.GetMarkingTypes();
        stock.ToggleMarkingTypes(v);
        return stock.GetMarkingTypes() != before;
    }, 0, bits);
}

bool COstrelindSoftLabelDoc::TogglePrinterType(uint32_t bits)
{
    return ChangeDefinition(false, [](CLabel& stock, int, int v) {
        const uint32_t before = stock.GetPrinterTypes();
        stock.TogglePrinterTypes(static_cast<uint32_t>(v));
        return stock.GetPrinterTypes() != before;
    }, 0, static_cast<int>(bits));
}

bool COstrelindSoftLabelDoc::GetLabelDefinitionName(char* out, int size) const
{
    if (out == nullptr || size < 1)
        return false;
    out[0] = 0;
    const CLabel* stock = GetCurrentTemplate()->GetLabelStock();
    if (stock == nullptr)
        return false;
    lstrcpynA(out, stock->GetFamilyName(), size < 256 ? size : 256);
    return true;
}

bool COstrelindSoftLabelDoc::NewLabelDefinition()
{
    if (GetCurrentTemplate()->IsLocked())
        return false;
    GetCurrentTemplate()->ResetLabelDefinition();
    MarkDesignChanged(kRefreshBoth);
    return true;
}

bool COstrelindSoftLabelDoc::DeleteLabelDefinition()
{
    CTemplate* current = GetCurrentTemplate();
    if (current->IsLocked() || current->GetLabelStock() == nullptr)
        return false;
    current->SetLabelStock(nullptr);
    MarkDesignChanged(kRefreshBoth);
    return true;
}

bool COstrelindSoftLabelDoc::LoadLabelDefinition(const char* path)
{
    CTemplate* current = GetCurrentTemplate();
    if (path == nullptr || current->IsLocked() || !current->LoadLabelFile(path))
        return false;
    MarkDesignChanged(kRefreshBoth);
    return true;
}

bool COstrelindSoftLabelDoc::ReplaceLabelDefinition(const CLabel* definition)
{
    CTemplate* current = GetCurrentTemplate();
    if (definition == nullptr || current->IsLocked() || current->GetLabelStock() == nullptr)
        return false;
    current->SetLabelStock(definition->Clone());
    MarkDesignChanged(kRefreshBoth);
    return true;
}

namespace {
HWND MainWindowHandle()
{
    CWnd* main = AfxGetMainWnd();
    return main ? main->GetSafeHwnd() : nullptr;
}
} // namespace

void COstrelindSoftLabelDoc::OnSaveLabelDefinition()
{
    if (auto* stock = dynamic_cast<CLabelFileNew*>(GetCurrentTemplate()->GetLabelStock()))
        stock->SaveLabelFile(MainWindowHandle());
}

void COstrelindSoftLabelDoc::OnSaveLabelDefinitionAs()
{
    if (auto* stock = dynamic_cast<CLabelFileNew*>(GetCurrentTemplate()->GetLabelStock()))
        stock->SaveLabelFileAs(MainWindowHandle());
}

// ---------------------------------------------------------------------------------------------
// Locking

void COstrelindSoftLabelDoc::LockTemplate(const char* password)
{
    CTemplate* current = GetCurrentTemplate();
    current->SetPassword(password ? password : "");
    current->SetLocked(true);
    SetModifiedFlag(TRUE);
    bool anySelected = false;
    for (int area = 0; area < CTemplate::kAreas; ++area) {
        CGraphCollection* objects = current->GetArea(area);
        anySelected = anySelected || objects->HasSelection();
        objects->DeselectAll();
    }
    if (anySelected)
        InvalidateDesignViews();
}

// Unlocking opens the template for this session only: the project on disk stays locked until a
// change is saved, so it is not a change of its own.
void COstrelindSoftLabelDoc::UnlockTemplate()
{
    CTemplate* current = GetCurrentTemplate();
    current->SetPassword("");
    current->SetLocked(false);
}

CString COstrelindSoftLabelDoc::GetLockPassword() const
{
    return GetCurrentTemplate()->GetPassword();
}

// ---------------------------------------------------------------------------------------------
// The template guide's column maps

namespace {
const int kGuideRows = CTemplateColumnMap::kRows;
const int kGuideSlots = CTemplateColumnMap::kColumnsPerRow;
const int kLastTableColumn = 25;

bool GuideRowInRange(int row) { return row >= 0 && row < kGuideRows; }
bool GuideColumnInRange(int column) { return column >= 0 && column <= kLastTableColumn; }
} // namespace

CString COstrelindSoftLabelDoc::GetGuideRowCaption(int row, int area) const
{
    CTemplateColumnMap* map = GetCurrentTemplate()->GetColumnMap(area);
    if (map == nullptr || !GuideRowInRange(row))
        return CString();
    return CString(map->separators[row]);
}

bool COstrelindSoftLabelDoc::IsGuideColumnUsed(int area, int row, int column) const
{
    CTemplateColumnMap* map = GetCurrentTemplate()->GetColumnMap(area);
    if (map == nullptr || !GuideRowInRange(row) || !GuideColumnInRange(column))
        return true;
    for (int k = 0; k < kGuideSlots; ++k)
        if (map->columns[row * kGuideSlots + k] == column)
            return true;
    return false;
}

bool COstrelindSoftLabelDoc::AddGuideRowColumn(int row, int column)
{
    // Rows and columns outside the map would write past the row's three entries.
    CTemplateColumnMap* map = GetCurrentTemplate()->GetColumnMap(0);
    if (map == nullptr || !GuideRowInRange(row) || !GuideColumnInRange(column))
        return false;
    int* entries = map->columns + row * kGuideSlots;
    for (int k = kGuideSlots - 1; k > 0; --k)
        entries[k] = entries[k - 1];
    entries[0] = column;
    MarkDesignChanged(kRefreshNone);
    return true;
}

bool COstrelindSoftLabelDoc::RemoveGuideRowColumn(int column, int row)
{
    CTemplateColumnMap* map = GetCurrentTemplate()->GetColumnMap(0);
    if (map == nullptr || !GuideRowInRange(row) || !GuideColumnInRange(column))
        return false;
    int* entries = map->columns + row * kGuideSlots;
    for (int k = 0; k < kGuideSlots; ++k) {
        if (entries[k] != column)
            continue;
        for (int j = k; j < kGuideSlots - 1; ++j)
            entries[j] = entries[j + 1];
        entries[kGuideSlots - 1] = -1;
        MarkDesignChanged(kRefreshNone);
        return true;
    }
    return false;
}
