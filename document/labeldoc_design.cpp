// Design commands of the project document, part one: the common pattern, the enabling tests,
// the canvas's selection and mouse work, editing, the clipboard and arranging the selection.
#include "document/designpattern.h"

#include "document/labeldoc.h"
#include "framework/cmdtarget.h"
#include "framework/file.h"
#include "labelmodel/graphcollection.h"
#include "labelmodel/graphimage.h"
#include "labelmodel/graphtext.h"
#include "labelmodel/labelstock.h"
#include "labelmodel/template.h"

#include <cstring>
#include <memory>
#include <vector>


// ---------------------------------------------------------------------------------------------
// The pattern

CGraphCollection* COstrelindSoftLabelDoc::DesignArea(int area) const
{
    if (area < 0 || area > 2)
        return nullptr;
    CTemplate* current = GetCurrentTemplate();
    return current ? current->GetArea(area) : nullptr;
}

CGraphCollection* COstrelindSoftLabelDoc::SelectedArea(int area) const
{
    CGraphCollection* objects = DesignArea(area);
    return objects && objects->HasSelection() ? objects : nullptr;
}

bool COstrelindSoftLabelDoc::IsDesignEditable() const
{
    return IsTemplateEditable();
}

void COstrelindSoftLabelDoc::MarkDesignChanged(unsigned refresh)
{
    SetModifiedFlag(TRUE);
    if (refresh & kRefreshDesign)
        InvalidateDesignViews();
    if (refresh & kRefreshPreviews)
        InvalidateLabelPreviews();
}

// ---------------------------------------------------------------------------------------------
// Enabling tests

bool COstrelindSoftLabelDoc::CanEditSelection(int area) const
{
    return SelectedArea(area) != nullptr && IsDesignEditable();
}

bool COstrelindSoftLabelDoc::CanAlignSelection(int area) const
{
    CGraphCollection* objects = DesignArea(area);
    return objects && objects->GetSelectedCount() >= 2 && IsDesignEditable();
}

bool COstrelindSoftLabelDoc::CanDistributeSelection(int area) const
{
    CGraphCollection* objects = DesignArea(area);
    return objects && objects->GetSelectedCount() >= 3 && IsDesignEditable();
}

bool COstrelindSoftLabelDoc::CanUngroupSelection(int area) const
{
    CGraphCollection* objects = SelectedArea(area);
    return objects && IsDesignEditable() && objects->IsGroupSelected();
}

bool COstrelindSoftLabelDoc::CanImportImage(int area) const
{
    CGraphCollection* objects = SelectedArea(area);
    return objects && IsDesignEditable() && objects->IsFileSource();
}

bool COstrelindSoftLabelDoc::CanResetImageSize(int area) const
{
    CGraphCollection* objects = SelectedArea(area);
    return objects && objects->IsImageSelected() && IsDesignEditable();
}

bool COstrelindSoftLabelDoc::CanEditTemplate() const
{
    const CLabel* stock = GetCurrentTemplate()->GetLabelStock();
    return stock && stock->IsSizeSet() && IsDesignEditable();
}

bool COstrelindSoftLabelDoc::CanEditDesign(int area) const
{
    return DesignArea(area) != nullptr && CanEditTemplate();
}

bool COstrelindSoftLabelDoc::CanEditArea(int area) const
{
    return CanEditDesign(area);
}

bool COstrelindSoftLabelDoc::CanSelectAll(int area) const
{
    CGraphCollection* objects = DesignArea(area);
    return objects && !objects->IsEmpty() && IsDesignEditable();
}

bool COstrelindSoftLabelDoc::CanSetDataSourceColumns(int area, CString* columns) const
{
    CGraphCollection* objects = SelectedArea(area);
    if (objects == nullptr)
        return false;
    for (int i = 0; i < objects->GetCount(); ++i) {
        CGraphObject* o = objects->GetAt(i);
        char text[100] = {};
        if (o->IsSelected() && o->GetColumnName(text, sizeof text)) {
            if (columns)
                *columns = text;
            return true;
        }
    }
    return false;
}

void COstrelindSoftLabelDoc::OnUpdateSaveLabelDefinition(CCmdUI* ui)
{
    // A library label definition: one read from the library or one made new, which the first
    // "Save label" puts in the library. The older stock kinds have no label file of their own.
    const bool library = dynamic_cast<const CLabelFileNew*>(GetCurrentTemplate()->GetLabelStock()) != nullptr;
    ui->Enable(library && IsDesignEditable());
}

// ---------------------------------------------------------------------------------------------
// Selection and mouse work of the canvas

void COstrelindSoftLabelDoc::BeginMoveSelection(int area, CDC* dc, int zoom, int px, int py)
{
    if (CGraphCollection* objects = DesignArea(area))
        objects->BeginMoveSelected(dc, zoom, px, py);
}

void COstrelindSoftLabelDoc::DragSelection(int area, CDC* dc, int zoom, int px, int py)
{
    if (CGraphCollection* objects = DesignArea(area))
        objects->TrackMoveSelected(dc, zoom, px, py);
}

void COstrelindSoftLabelDoc::EndMoveSelection(int area, CDC* dc, int zoom, int px, int py)
{
    const bool moved = ChangeArea(area, [&](CGraphCollection& objects) {
        objects.EndMoveSelected(dc, zoom, px, py);
    });
    // A refused move still has to take its outlines off the screen.
    if (!moved)
        if (CGraphCollection* objects = DesignArea(area))
            objects->EndTrackingSelected(dc);
}

void COstrelindSoftLabelDoc::EndResizeSelection(int area, CDC* dc)
{
    const bool resized = ChangeArea(area, [&](CGraphCollection& objects) { objects.EndResizeSelected(dc); });
    if (!resized)
        if (CGraphCollection* objects = DesignArea(area))
            objects->EndTrackingSelected(dc);
}

CGraphObject* COstrelindSoftLabelDoc::GetObjectAtHandle(int area, CDC* dc, int zoom, int px, int py) const
{
    CGraphCollection* objects = DesignArea(area);
    return objects ? objects->FindHandleObject(dc, zoom, px, py) : nullptr;
}

CGraphObject* COstrelindSoftLabelDoc::GetObjectAtPoint(int area, CDC* dc, int zoom, int px, int py) const
{
    CGraphCollection* objects = DesignArea(area);
    return objects ? objects->HitTestObject(dc, zoom, px, py) : nullptr;
}

CGraphObject* COstrelindSoftLabelDoc::GetSelectedObjectAtPoint(int area, CDC* dc, int zoom, int px, int py) const
{
    CGraphCollection* objects = DesignArea(area);
    return objects ? objects->HitTestSelected(dc, zoom, px, py) : nullptr;
}

CGraphObject* COstrelindSoftLabelDoc::GetFirstSelectedObject(int area) const
{
    CGraphCollection* objects = DesignArea(area);
    for (int i = 0; objects && i < objects->GetCount(); ++i)
        if (objects->GetAt(i)->IsSelected())
            return objects->GetAt(i);
    return nullptr;
}

bool COstrelindSoftLabelDoc::AddObject(int area, CGraphObject* object)
{
    if (object == nullptr)
        return false;
    if (!ChangeArea(area, [&](CGraphCollection& objects) { objects.Append(object); })) {
        delete object;
        return false;
    }
    return true;
}

void COstrelindSoftLabelDoc::DeselectAll(int area)
{
    if (CGraphCollection* objects = DesignArea(area)) {
        objects->DeselectAll();
        InvalidateDesignViews();
    }
}

void COstrelindSoftLabelDoc::ToggleSelectAll(int area)
{
    CGraphCollection* objects = DesignArea(area);
    if (objects == nullptr)
        return;
    if (objects->HasSelection())
        objects->DeselectAll();
    else
        objects->SelectAll();
    InvalidateDesignViews();
}

bool COstrelindSoftLabelDoc::HasSelection(int area) const
{
    return SelectedArea(area) != nullptr;
}

int COstrelindSoftLabelDoc::GetSelectedCount(int area) const
{
    CGraphCollection* objects = DesignArea(area);
    return objects ? objects->GetSelectedCount() : 0;
}

// ---------------------------------------------------------------------------------------------
// Editing and the clipboard

bool COstrelindSoftLabelDoc::CopySelection(int area, CGraphCollection* buffer) const
{
    CGraphCollection* objects = SelectedArea(area);
    if (objects == nullptr)
        return false;
    objects->CopySelectedTo(buffer);
    return true;
}

bool COstrelindSoftLabelDoc::DeleteSelection(int area)
{
    return SelectedArea(area) && ChangeArea(area, [](CGraphCollection& objects) { objects.DeleteSelected(); });
}

bool COstrelindSoftLabelDoc::PasteObjects(int area, const CGraphCollection* buffer)
{
    if (buffer == nullptr || buffer->IsEmpty())
        return false;
    return ChangeArea(area, [&](CGraphCollection& objects) {
        objects.DeselectAll();
        objects.PasteFrom(buffer);
    });
}

namespace {
// Pasted text and pictures stand 5 mm from the area's origin, selected.
const int kInsertOffset = 5000;

void PlaceInserted(CGraphObject* object)
{
    object->SetX(kInsertOffset);
    object->SetY(kInsertOffset);
    object->SetSelected(true);
}
} // namespace

bool COstrelindSoftLabelDoc::InsertTextObject(int area, HGLOBAL text)
{
    if (DesignArea(area) == nullptr || GetCurrentTemplate()->IsLocked())
        return false;
    auto* object = new CGraphTextExt;
    if (!object->CreateFromClipboardText(&m_defaultFont, text)) {
        delete object;
        return false;
    }
    PlaceInserted(object);
    // Like every other design change, the insertion can be undone.
    return AddObject(area, object);
}

bool COstrelindSoftLabelDoc::InsertImageObject(int area, UINT format, HGLOBAL picture)
{
    if (DesignArea(area) == nullptr || GetCurrentTemplate()->IsLocked())
        return false;
    auto* object = new CGraphImageExtExt;
    if (!object->CreateFromClipboard(format, picture)) {
        delete object;
        return false;
    }
    PlaceInserted(object);
    return AddObject(area, object);
}

bool COstrelindSoftLabelDoc::RotateSelectionLeft(int area)
{
    return SelectedArea(area) && ChangeArea(area, [](CGraphCollection& objects) { objects.RotateSelected(+1); });
}

bool COstrelindSoftLabelDoc::RotateSelectionRight(int area)
{
    return SelectedArea(area) && ChangeArea(area, [](CGraphCollection& objects) { objects.RotateSelected(-1); });
}

bool COstrelindSoftLabelDoc::Undo(int area)
{
    // A locked template keeps its stacks: undoing there would lose the redo step.
    if (DesignArea(area) == nullptr || GetCurrentTemplate()->IsLocked() || !GetCurrentTemplate()->Undo(area))
        return false;
    MarkDesignChanged(kRefreshBoth);
    return true;
}

bool COstrelindSoftLabelDoc::Redo(int area)
{
    if (DesignArea(area) == nullptr || GetCurrentTemplate()->IsLocked() || !GetCurrentTemplate()->Redo(area))
        return false;
    MarkDesignChanged(kRefreshBoth);
    return true;
}

bool COstrelindSoftLabelDoc::GroupSelection(int area)
{
    CGraphCollection* objects = DesignArea(area);
    if (objects == nullptr || objects->GetSelectedCount() < 2)
        return false;
    return ChangeArea(area, [](CGraphCollection& members) {
        auto* group = new CGraphGroup;
        members.AppendSelectedTo(group);
        for (int i = 0; i < group->GetCount(); ++i)
            group->GetAt(i)->SetSelected(false);
        group->SetSelected(true);
        members.Append(group);
    });
}

bool COstrelindSoftLabelDoc::UngroupSelection(int area)
{
    CGraphCollection* objects = SelectedArea(area);
    return objects && objects->IsGroupSelected()
        && ChangeArea(area, [](CGraphCollection& members) { members.UngroupSelected(); });
}

// ---------------------------------------------------------------------------------------------
// Arranging the selection: one row per command (selection needed, objects in the area needed).

namespace {
enum Arrangement {
    kToFront, kToBack, kForward, kBackward, kAlignLeft, kAlignTop, kAlignRight, kAlignBottom,
    kDistributeH, kDistributeV, kDuplicateBelow, kDuplicateRight, kDuplicateAbove, kDuplicateLeft,
};

struct ArrangementRow {
    int minSelected;
    int minObjects;
    void (*apply)(CGraphCollection&);
};

const ArrangementRow kArrangements[] = {
    {1, 2, [](CGraphCollection& c) { c.BringSelectedToFront(); }},
    {1, 2, [](CGraphCollection& c) { c.SendSelectedToBack(); }},
    {1, 2, [](CGraphCollection& c) { c.MoveSelectedForward(); }},
    {1, 2, [](CGraphCollection& c) { c.MoveSelectedBackward(); }},
    {1, 1, [](CGraphCollection& c) { c.AlignSelectedLeft(c.GetSelectionLeft()); }},
    {1, 1, [](CGraphCollection& c) { c.AlignSelectedTop(c.GetSelectionTop()); }},
    {1, 1, [](CGraphCollection& c) { c.AlignSelectedRight(c.GetSelectionRight()); }},
    {1, 1, [](CGraphCollection& c) { c.AlignSelectedBottom(c.GetSelectionBottom()); }},
    // Fewer than three selected objects have nothing between the outermost ones to move.
    {3, 3, [](CGraphCollection& c) { c.DistributeSelectedHorizontally(); }},
    {3, 3, [](CGraphCollection& c) { c.DistributeSelectedVertically(); }},
    {1, 1, [](CGraphCollection& c) { c.DuplicateSelectedBelow(); }},
    {1, 1, [](CGraphCollection& c) { c.DuplicateSelectedRight(); }},
    {1, 1, [](CGraphCollection& c) { c.DuplicateSelectedAbove(); }},
    {1, 1, [](CGraphCollection& c) { c.DuplicateSelectedLeft(); }},
};
} // namespace

bool COstrelindSoftLabelDoc::ApplyArrangement(int area, int which)
{
    const ArrangementRow& row = kArrangements[which];
    CGraphCollection* objects = DesignArea(area);
    if (objects == nullptr || objects->GetSelectedCount() < row.minSelected || objects->GetCount() < row.minObjects)
        return false;
    return ChangeArea(area, row.apply);
}

bool COstrelindSoftLabelDoc::BringSelectionToFront(int area) { return ApplyArrangement(area, kToFront); }
bool COstrelindSoftLabelDoc::SendSelectionToBack(int area) { return ApplyArrangement(area, kToBack); }
bool COstrelindSoftLabelDoc::BringSelectionForward(int area) { return ApplyArrangement(area, kForward); }
bool COstrelindSoftLabelDoc::SendSelectionBackward(int area) { return ApplyArrangement(area, kBackward); }
bool COstrelindSoftLabelDoc::AlignSelectionLeft(int area) { return ApplyArrangement(area, kAlignLeft); }
bool COstrelindSoftLabelDoc::AlignSelectionTop(int area) { return ApplyArrangement(area, kAlignTop); }
bool COstrelindSoftLabelDoc::AlignSelectionRight(int area) { return ApplyArrangement(area, kAlignRight); }
bool COstrelindSoftLabelDoc::AlignSelectionBottom(int area) { return ApplyArrangement(area, kAlignBottom); }
bool COstrelindSoftLabelDoc::DistributeSelectionHorizontally(int area) { return ApplyArrangement(area, kDistributeH); }
bool COstrelindSoftLabelDoc::DistributeSelectionVertically(int area) { return ApplyArrangement(area, kDistributeV); }
bool COstrelindSoftLabelDoc::DuplicateSelectionBelow(int area) { return ApplyArrangement(area, kDuplicateBelow); }
bool COstrelindSoftLabelDoc::DuplicateSelectionRight(int area) { return ApplyArrangement(area, kDuplicateRight); }
bool COstrelindSoftLabelDoc::DuplicateSelectionAbove(int area) { return ApplyArrangement(area, kDuplicateAbove); }
bool COstrelindSoftLabelDoc::DuplicateSelectionLeft(int area) { return ApplyArrangement(area, kDuplicateLeft); }

namespace {
// Centring one object uses the middle of the area's own size; without a label definition the
// object has nothing to be centred on. Several objects are centred on their mean centre.
bool CentreAxisValue(CGraphCollection& objects, const CLabel* stock, int area, int axis, int* v)
{
    if (objects.GetSelectedCount() == 1) {
        if (stock == nullptr)
            return false;
        *v = (axis == 1 ? stock->GetWidth(area) : stock->GetHeight(area)) / 2;
        return true;
    }
    *v = objects.GetSelectedCentreAlong(axis);
    return true;
}
} // namespace

bool COstrelindSoftLabelDoc::CentreSelectionOn(int area, int axis)
{
    CGraphCollection* objects = SelectedArea(area);
    int v = 0;
    if (objects == nullptr || !CentreAxisValue(*objects, GetCurrentTemplate()->GetLabelStock(), area, axis, &v))
        return false;
    // Only a move that changes something becomes an undo step and marks the project modified.
    return ChangeAreaIfChanged(area, [&](CGraphCollection& c) { c.CentreSelectedAlong(v, axis); });
}

bool COstrelindSoftLabelDoc::CenterSelectionHorizontally(int area) { return CentreSelectionOn(area, 1); }
bool COstrelindSoftLabelDoc::CenterSelectionVertically(int area) { return CentreSelectionOn(area, 2); }

// ---------------------------------------------------------------------------------------------
// Pictures of the selection

bool COstrelindSoftLabelDoc::SetSelectionImagePath(int area, const char* path)
{
    // A path the record cannot keep changes nothing: no undo step, not modified.
    CGraphCollection* objects = SelectedArea(area);
    return objects && path && objects->IsFileSource() && CGraphImage::PathFitsRecord(path)
        && ChangeArea(area, [&](CGraphCollection& c) { c.SetImagePath(path); });
}

bool COstrelindSoftLabelDoc::ResetImageSize(int area)
{
    CGraphCollection* objects = SelectedArea(area);
    return objects && objects->IsImageSelected()
        && ChangeArea(area, [](CGraphCollection& c) { c.FitSelectedToPicture(); });
}
