// The object property commands of the ribbon that act on the selection of the canvas's area:
// editing and arrangement, position and size, text format, shapes and pictures. Each handler reads
// its box when it has one and calls one back-end of the document with the area; the back-end
// takes the undo snapshot, refuses a locked template and refreshes the views. The barcode and
// field-option commands are in designview_fields.cpp.
#include "ui/designview.h"

#include "document/designtext.h"
#include "document/labeldoc.h"
#include "framework/app.h"
#include "framework/ribboncontrols.h"
#include "framework/ribbonelements.h"
#include "labelmodel/graphcollection.h"
#include "labelmodel/graphobject.h"
#include "labelmodel/template.h"
#include "ui/commandids.h"
#include "ui/mainframe.h"

#include <cstdio>
#include <cstring>

namespace {

using Action = bool (COstrelindSoftLabelDoc::*)(int);
using Test = bool (COstrelindSoftLabelDoc::*)(int) const;

// What a button does after its back-end.
enum After : unsigned { kNothing = 0, kEndEditor = 1, kScrollSizes = 2, kEraseView = 4 };
// When a button is enabled.
enum Rule { kByTest, kSelectedAndEditable, kManySelectedAndEditable };

struct Button {
    UINT id;
    Action action;
    unsigned after;
    Rule rule;
    Test test;       // kByTest: enabled when it answers true
    Test checked;    // null: a plain button
};

const Button kButtons[] = {
    {ID_ROTATE_LEFT, &COstrelindSoftLabelDoc::RotateSelectionLeft, kScrollSizes, kByTest,
     &COstrelindSoftLabelDoc::CanRotateSelection, nullptr},
    {ID_ROTATE_RIGHT, &COstrelindSoftLabelDoc::RotateSelectionRight, kScrollSizes, kByTest,
     &COstrelindSoftLabelDoc::CanRotateSelection, nullptr},
    {ID_EDIT_COMBINE, &COstrelindSoftLabelDoc::GroupSelection, kEraseView, kManySelectedAndEditable, nullptr, nullptr},
    {ID_EDIT_SPLIT, &COstrelindSoftLabelDoc::UngroupSelection, kEraseView, kByTest,
     &COstrelindSoftLabelDoc::CanUngroupSelection, nullptr},
    {ID_SPACE_EVENLY_HORZ, &COstrelindSoftLabelDoc::DistributeSelectionHorizontally, kEndEditor, kByTest,
     &COstrelindSoftLabelDoc::CanDistributeSelection, nullptr},
    {ID_SPACE_EVENLY_VERT, &COstrelindSoftLabelDoc::DistributeSelectionVertically, kEndEditor, kByTest,
     &COstrelindSoftLabelDoc::CanDistributeSelection, nullptr},
    {ID_ALIGN_CENTER_HORZ, &COstrelindSoftLabelDoc::CenterSelectionHorizontally, kNothing, kSelectedAndEditable,
     nullptr, nullptr},
    {ID_ALIGN_CENTER_VERT, &COstrelindSoftLabelDoc::CenterSelectionVertically, kNothing, kSelectedAndEditable,
     nullptr, nullptr},
    {ID_ALIGN_LEFT, &COstrelindSoftLabelDoc::AlignSelectionLeft, kNothing, kByTest,
     &COstrelindSoftLabelDoc::CanAlignSelection, nullptr},
    {ID_ALIGN_TOP, &COstrelindSoftLabelDoc::AlignSelectionTop, kNothing, kByTest,
     &COstrelindSoftLabelDoc::CanAlignSelection, nullptr},
    {ID_ALIGN_RIGHT, &COstrelindSoftLabelDoc::AlignSelectionRight, kNothing, kByTest,
     &COstrelindSoftLabelDoc::CanAlignSelection, nullptr},
    {ID_ALIGN_BOTTOM, &COstrelindSoftLabelDoc::AlignSelectionBottom, kNothing, kByTest,
     &COstrelindSoftLabelDoc::CanAlignSelection, nullptr},
    {ID_ARRANGE_BRING_TO_FRONT, &COstrelindSoftLabelDoc::BringSelectionToFront, kNothing, kSelectedAndEditable,
     nullptr, nullptr},
    {ID_ARRANGE_SEND_TO_BACK, &COstrelindSoftLabelDoc::SendSelectionToBack, kNothing, kSelectedAndEditable,
     nullptr, nullptr},
    {ID_ARRANGE_BRING_FORWARD, &COstrelindSoftLabelDoc::BringSelectionForward, kNothing, kSelectedAndEditable,
     nullptr, nullptr},
    {ID_ARRANGE_SEND_BACKWARD, &COstrelindSoftLabelDoc::SendSelectionBackward, kNothing, kSelectedAndEditable,
     nullptr, nullptr},
    {ID_DUPLICATE_BELOW, &COstrelindSoftLabelDoc::DuplicateSelectionBelow, kEndEditor | kScrollSizes, kByTest,
     &COstrelindSoftLabelDoc::CanEditSelection, nullptr},
    {ID_DUPLICATE_RIGHT, &COstrelindSoftLabelDoc::DuplicateSelectionRight, kEndEditor | kScrollSizes, kByTest,
     &COstrelindSoftLabelDoc::CanEditSelection, nullptr},
    {ID_DUPLICATE_ABOVE, &COstrelindSoftLabelDoc::DuplicateSelectionAbove, kEndEditor | kScrollSizes, kByTest,
     &COstrelindSoftLabelDoc::CanEditSelection, nullptr},
    {ID_DUPLICATE_LEFT, &COstrelindSoftLabelDoc::DuplicateSelectionLeft, kEndEditor | kScrollSizes, kByTest,
     &COstrelindSoftLabelDoc::CanEditSelection, nullptr},
    {ID_FORMAT_BOLD, &COstrelindSoftLabelDoc::ToggleBold, kNothing, kByTest, &COstrelindSoftLabelDoc::CanEditDesign,
     &COstrelindSoftLabelDoc::IsBold},
    {ID_FORMAT_ITALIC, &COstrelindSoftLabelDoc::ToggleItalic, kNothing, kByTest,
     &COstrelindSoftLabelDoc::CanEditDesign, &COstrelindSoftLabelDoc::IsItalic},
    {ID_FORMAT_UNDERLINE, &COstrelindSoftLabelDoc::ToggleUnderline, kNothing, kByTest,
     &COstrelindSoftLabelDoc::CanEditDesign, &COstrelindSoftLabelDoc::IsUnderline},
    {ID_IMAGE_RESET_SIZE, &COstrelindSoftLabelDoc::ResetImageSize, kScrollSizes, kByTest,
     &COstrelindSoftLabelDoc::CanResetImageSize, nullptr},
};

const Button* FindButton(UINT id)
{
    for (const Button& button : kButtons)
        if (button.id == id)
            return &button;
    return nullptr;
}

// Boxes of the selection's geometry, all read into 32 bytes and parsed as lengths.
struct GeometryBox {
    UINT id;
    bool (COstrelindSoftLabelDoc::*set)(int, int);
    int (COstrelindSoftLabelDoc::*get)(int) const;
};

const GeometryBox kGeometry[] = {
    {ID_POSITION_X, &COstrelindSoftLabelDoc::SetSelectionX, &COstrelindSoftLabelDoc::GetSelectionX},
    {ID_POSITION_Y, &COstrelindSoftLabelDoc::SetSelectionY, &COstrelindSoftLabelDoc::GetSelectionY},
    {ID_POSITION_WIDTH, &COstrelindSoftLabelDoc::SetSelectionWidth, &COstrelindSoftLabelDoc::GetSelectionWidth},
    {ID_POSITION_HEIGHT, &COstrelindSoftLabelDoc::SetSelectionHeight, &COstrelindSoftLabelDoc::GetSelectionHeight},
};

// Shared by the font-name update, as the ribbon reads it back.
char g_fontFace[100];

} // namespace

// ---------------------------------------------------------------------------------------------
// Reading the ribbon

CMFCRibbonBaseElement* Ostrelind_SoftLabelDesignView::FindCommandElement(UINT id) const
{
    auto* frame = dynamic_cast<CMainFrame*>(AfxGetMainWnd());
    return frame != nullptr ? frame->FindRibbonElement(id) : nullptr;
}

bool Ostrelind_SoftLabelDesignView::ReadCommandBox(UINT id, char* out, int size) const
{
    if (out == nullptr || size <= 0)
        return false;
    out[0] = 0;
    auto* edit = dynamic_cast<CMFCRibbonEdit*>(FindCommandElement(id));
    if (edit == nullptr)
        return false;
    edit->CopyEditText(out, size);
    out[size - 1] = 0;
    return true;
}

bool Ostrelind_SoftLabelDesignView::IsAreaEditable() const
{
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    return doc != nullptr && IsValidArea() && doc->IsTemplateEditable();
}

// ---------------------------------------------------------------------------------------------
// Undo, redo, select all

void Ostrelind_SoftLabelDesignView::OnEditUndo()
{
    // The open editor takes Undo itself (OnCmdMsg).
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    if (doc == nullptr || !IsAreaEditable())
        return;
    doc->Undo(m_area);
    UpdateScrollSizes();
}

void Ostrelind_SoftLabelDesignView::OnUpdateEditUndo(CCmdUI* ui)
{
    CTemplate* tmpl = CurrentTemplate();
    ui->Enable(tmpl != nullptr && IsValidArea() && tmpl->CanUndo(m_area));
}

void Ostrelind_SoftLabelDesignView::OnEditRedo()
{
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    if (doc == nullptr || m_inPlaceEdit != nullptr || !IsAreaEditable())
        return;
    doc->Redo(m_area);
    UpdateScrollSizes();
}

void Ostrelind_SoftLabelDesignView::OnUpdateEditRedo(CCmdUI* ui)
{
    CTemplate* tmpl = CurrentTemplate();
    ui->Enable(tmpl != nullptr && IsValidArea() && tmpl->CanRedo(m_area));
}

void Ostrelind_SoftLabelDesignView::OnEditSelectAll()
{
    if (GetLabelDoc() != nullptr)
        ToggleSelectAllInArea();
}

void Ostrelind_SoftLabelDesignView::OnUpdateEditSelectAll(CCmdUI* ui)
{
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    ui->Enable(doc != nullptr && doc->CanSelectAll(m_area));
}

// ---------------------------------------------------------------------------------------------
// Buttons and check buttons of the table

void Ostrelind_SoftLabelDesignView::OnPropertyButton(UINT id)
{
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    const Button* button = FindButton(id);
    if (doc == nullptr || button == nullptr)
        return;
    if (button->after & kEndEditor)
        EndInPlaceEdit();
    (doc->*button->action)(m_area);
    if (button->after & kScrollSizes)
        UpdateScrollSizes();
    if (button->after & kEraseView)
        Invalidate(TRUE);
}

void Ostrelind_SoftLabelDesignView::OnUpdatePropertyButton(CCmdUI* ui)
{
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    const Button* button = FindButton(ui->m_nID);
    CGraphCollection* objects = AreaObjects();
    if (doc == nullptr || button == nullptr) {
        ui->Enable(FALSE);
        return;
    }
    bool enable = false;
    switch (button->rule) {
    case kByTest: enable = (doc->*button->test)(m_area); break;
    case kSelectedAndEditable: enable = objects != nullptr && objects->HasSelection() && IsAreaEditable(); break;
    case kManySelectedAndEditable:
        enable = objects != nullptr && objects->GetSelectedCount() > 1 && IsAreaEditable();
        break;
    }
    ui->Enable(enable);
    if (button->checked != nullptr)
        ui->SetCheck((doc->*button->checked)(m_area) ? 1 : 0);
}

// ---------------------------------------------------------------------------------------------
// Position and size

void Ostrelind_SoftLabelDesignView::OnGeometryBox(UINT id)
{
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    if (doc == nullptr)
        return;
    for (const GeometryBox& box : kGeometry) {
        if (box.id != id)
            continue;
        char text[32];
        int um = 0;
        if (ReadCommandBox(id, text, sizeof text) && ParseLength(text, &um))
            (doc->*box.set)(m_area, um);
        return;
    }
}

void Ostrelind_SoftLabelDesignView::OnUpdateGeometryBox(CCmdUI* ui)
{
    // The user may be typing in the box: without the focus here nothing is touched.
    if (!HasFocus())
        return;
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    if (doc == nullptr)
        return;
    for (const GeometryBox& box : kGeometry) {
        if (box.id != ui->m_nID)
            continue;
        const int um = (doc->*box.get)(m_area);
        char text[20] = "";
        if (um != -1) {
            // X follows the locale's unit; the others are always shown in millimetres.
            if (box.id == ID_POSITION_X)
                FormatLength(um, text);
            else
                std::snprintf(text, sizeof text, "%g mm", um / 1000.0);
        }
        ui->SetText(text);
        ui->Enable(um != -1 && IsAreaEditable());
        return;
    }
}

// ---------------------------------------------------------------------------------------------
// Text format

void Ostrelind_SoftLabelDesignView::OnFontFace()
{
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    char face[100];
    if (doc != nullptr && ReadCommandBox(ID_FONT_FACE, face, sizeof face))
        doc->SetFontFaceName(m_area, face);
}

void Ostrelind_SoftLabelDesignView::OnUpdateFontFace(CCmdUI* ui)
{
    if (!HasFocus())
        return;
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    if (doc == nullptr)
        return;
    lstrcpynA(g_fontFace, doc->GetFontFaceName(m_area), sizeof g_fontFace);
    ui->SetText(g_fontFace);
    ui->Enable(doc->CanEditDesign(m_area));
}

void Ostrelind_SoftLabelDesignView::OnFontSize()
{
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    char text[100];
    int points = 0;
    if (doc != nullptr && ReadCommandBox(ID_FONT_SIZE, text, sizeof text) && std::sscanf(text, "%d", &points) == 1)
        doc->SetFontSize(m_area, points);
}

void Ostrelind_SoftLabelDesignView::OnUpdateFontSize(CCmdUI* ui)
{
    if (!HasFocus())
        return;
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    if (doc == nullptr)
        return;
    const int points = doc->GetFontSize(m_area);
    char text[16] = "";
    if (points != -1)
        std::snprintf(text, sizeof text, "%d", points);
    ui->SetText(text);
    ui->Enable(doc->CanEditDesign(m_area));
}

void Ostrelind_SoftLabelDesignView::OnTextAlignment(UINT id)
{
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    if (doc != nullptr)
        doc->SetTextAlignment(m_area, static_cast<int>(id - ID_TEXT_ALIGN_LEFT) + 1);
}

void Ostrelind_SoftLabelDesignView::OnUpdateTextAlignment(CCmdUI* ui)
{
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    CGraphCollection* objects = AreaObjects();
    if (doc == nullptr) {
        ui->Enable(FALSE);
        return;
    }
    int alignment = -1;
    if (objects == nullptr || !objects->GetSelectedAlignment(&alignment))
        alignment = -1;
    ui->SetCheck(alignment == static_cast<int>(ui->m_nID - ID_TEXT_ALIGN_LEFT) ? 1 : 0);
    ui->Enable(doc->CanEditDesign(m_area));
}

void Ostrelind_SoftLabelDesignView::OnTextOption(UINT id)
{
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    if (doc == nullptr)
        return;
    switch (id) {
    case ID_TEXT_AUTO_SIZE: doc->ToggleAutoSizeFont(m_area); break;
    case ID_TEXT_CENTER_VERT: doc->ToggleCenterVertical(m_area); break;
    case ID_BACKGROUND_TRANSPARENT: doc->ToggleTransparent(m_area); break;
    case ID_TRIANGLE_WARNING_SIGN:
        // A click that reached the ribbon while the canvas had not the focus is not meant here.
        if (HasFocus())
            doc->ToggleWarningSign(m_area);
        break;
    default: break;
    }
}

void Ostrelind_SoftLabelDesignView::OnUpdateTextOption(CCmdUI* ui)
{
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    CGraphCollection* objects = AreaObjects();
    if (doc == nullptr || objects == nullptr) {
        ui->Enable(FALSE);
        return;
    }
    const bool editable = IsAreaEditable();
    switch (ui->m_nID) {
    case ID_TEXT_AUTO_SIZE:
        ui->SetCheck(objects->GetSelectedShrinkToFit() ? 1 : 0);
        ui->Enable(objects->HasSelectedShrinkToFit() && editable);
        break;
    case ID_TEXT_CENTER_VERT:
        ui->SetCheck(objects->GetSelectedCentred() ? 1 : 0);
        ui->Enable(objects->HasSelectedCentring() && editable);
        break;
    case ID_BACKGROUND_TRANSPARENT:
        ui->SetCheck(objects->IsTransparent() ? 1 : 0);
        ui->Enable(doc->CanEditDesign(m_area));
        break;
    case ID_TRIANGLE_WARNING_SIGN:
        ui->SetCheck(objects->GetSelectedEquilateral() ? 1 : 0);
        ui->Enable(objects->HasSelectedEquilateral() && editable);
        break;
    default: break;
    }
}

void Ostrelind_SoftLabelDesignView::OnCharacterSet()
{
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    CTemplate* tmpl = CurrentTemplate();
    char text[64];
    if (doc == nullptr || tmpl == nullptr || tmpl->IsLocked() || !ReadCommandBox(ID_CHARACTER_SET, text, sizeof text))
        return;
    doc->SetCharacterSet(m_area, doc->CharsetFromName(text));
}

void Ostrelind_SoftLabelDesignView::OnUpdateCharacterSet(CCmdUI* ui)
{
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    if (doc == nullptr || !HasFocus() || FindCommandElement(ID_CHARACTER_SET) == nullptr)
        return;
    char text[64];
    lstrcpynA(text, doc->GetCharsetName(doc->GetCharacterSet(m_area)), sizeof text);
    ui->SetText(text);
}

void Ostrelind_SoftLabelDesignView::OnColorButton(UINT id)
{
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    auto* button = dynamic_cast<CMFCRibbonColorButton*>(FindCommandElement(id));
    if (doc == nullptr || button == nullptr)
        return;
    const COLORREF colour = button->GetColor();
    switch (id) {
    case ID_TEXT_COLOR: doc->SetTextColor(m_area, colour); break;
    case ID_BORDER_COLOR: doc->SetBorderColor(m_area, colour); break;
    case ID_FILL_COLOR: doc->SetFillColor(m_area, colour); break;
    default: break;
    }
}

void Ostrelind_SoftLabelDesignView::OnUpdateColorButton(CCmdUI* ui)
{
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    ui->Enable(doc != nullptr && doc->CanEditArea(m_area));
}

// ---------------------------------------------------------------------------------------------
// Shapes and pictures

void Ostrelind_SoftLabelDesignView::OnShapeLength(UINT id)
{
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    char text[100];
    int um = 0;
    if (doc == nullptr || !ReadCommandBox(id, text, sizeof text) || !ParseLength(text, &um))
        return;
    if (id == ID_BORDER_LINE_WIDTH)
        doc->SetLineWidth(m_area, um);
    else
        doc->SetRoundingRadius(m_area, um);
}

void Ostrelind_SoftLabelDesignView::OnUpdateShapeLength(CCmdUI* ui)
{
    if (!HasFocus())
        return;
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    if (doc == nullptr)
        return;
    char text[100] = "";
    const bool has = ui->m_nID == ID_BORDER_LINE_WIDTH ? doc->GetLineWidthText(m_area, text, sizeof text)
                                                       : doc->GetRoundingRadiusText(m_area, text, sizeof text);
    ui->SetText(text);
    ui->Enable(has && IsAreaEditable());
}

void Ostrelind_SoftLabelDesignView::OnImageImport()
{
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    if (doc != nullptr)
        doc->ImportImage(this, m_area);
}

void Ostrelind_SoftLabelDesignView::OnUpdateImageImport(CCmdUI* ui)
{
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    ui->Enable(doc != nullptr && doc->CanImportImage(m_area));
}
