// The design canvas's own commands: the in-place editor, the insert tools, zoom, area, field codes
// and contours, rulers, help lines, the data source of the selection and the label definition's
// new, load and size boxes.
#include "ui/designview.h"

#include "document/designtext.h"
#include "document/labeldoc.h"
#include "document/registrydefaults.h"
#include "framework/app.h"
#include "framework/filedlg.h"
#include "framework/msgbox.h"
#include "framework/paths.h"
#include "labelmodel/graphbarcode.h"
#include "labelmodel/graphcollection.h"
#include "labelmodel/graphimage.h"
#include "labelmodel/graphshapes.h"
#include "labelmodel/graphtext.h"
#include "labelmodel/labelstock.h"
#include "labelmodel/template.h"
#include "ui/commandids.h"
#include "ui/designviewstrings.h"
#include "document/designstrings.h"
#include "ui/inplaceedit.h"
#include "ui/mainframe.h"
#include "ui/zoomcommands.h"

#include <cstdio>
#include <cstring>

// ---------------------------------------------------------------------------------------------
// In-place editor

void Ostrelind_SoftLabelDesignView::BeginInPlaceEdit(CGraphObject* object)
{
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    auto* text = dynamic_cast<CGraphText*>(object);
    if (doc == nullptr || text == nullptr || m_hWnd == nullptr)
        return;
    doc->SetModifiedFlag(TRUE);
    delete m_inPlaceEdit;
    m_inPlaceEdit = nullptr;

    const CRect box = text->GetDeviceRect();
    int w = box.right - box.left;
    int h = box.bottom - box.top;
    const bool turned = text->GetRotation() == 900 || text->GetRotation() == 2700;
    if (turned) {
        const int oldWidth = w;
        w = h + 2;
        h = oldWidth + 2;
    }
    CString content;
    if (text->GetContent() != nullptr)
        content = text->GetContent()->FormatToString(0, nullptr, nullptr, false, kEditorTextLimit + 1);

    m_inPlaceEdit = new CInPlaceEdit;
    text->GetDrawLogFont(&m_inPlaceEdit->m_logFont);
    m_inPlaceEdit->m_logFont.lfEscapement = 0;
    m_inPlaceEdit->m_logFont.lfOrientation = 0;

    const CPoint scroll = GetDeviceScrollPosition();
    CRect rect(box.left + 1 - scroll.x, box.top + 1 - scroll.y, box.left + w - scroll.x, box.top + h - scroll.y);
    DWORD style = WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL;
    int alignment = -1;
    if (!text->QueryAlignment(&alignment))
        alignment = -1;
    if (alignment == CGraphText::kAlignCentre)
        style |= ES_CENTER;
    else if (alignment == CGraphText::kAlignRight)
        style |= ES_RIGHT;
    if (turned)
        style |= WS_BORDER;
    if (!m_inPlaceEdit->Create(style, rect, this, kEditorId)) {
        delete m_inPlaceEdit;
        m_inPlaceEdit = nullptr;
        return;
    }
    m_editObject = object;
    m_editArea = m_area;
    m_editTemplate = doc->GetCurrentTemplate();
    m_inPlaceEdit->LimitText(kEditorTextLimit);
    m_inPlaceEdit->SetWindowText(content);
    m_inPlaceEdit->SetFocus();
}

void Ostrelind_SoftLabelDesignView::EndInPlaceEdit()
{
    if (m_inPlaceEdit == nullptr)
        return;
    CInPlaceEdit* editor = m_inPlaceEdit;
    m_inPlaceEdit = nullptr;
    CString typed;
    if (editor->m_hWnd != nullptr) {
        char buffer[kEditorTextLimit + 1] = {};
        ::GetWindowTextA(editor->m_hWnd, buffer, sizeof buffer);
        typed = buffer;
    }
    const bool hadFocus = editor->m_hWnd != nullptr && ::GetFocus() == editor->m_hWnd;
    delete editor;
    if (hadFocus && m_hWnd != nullptr && ::IsWindow(m_hWnd))
        ::SetFocus(m_hWnd);

    // The text belongs to the object the editor was opened on, wherever the selection, the area
    // or the current template has gone since; an object that no longer exists takes nothing.
    CGraphObject* object = m_editObject;
    CTemplate* tmpl = m_editTemplate;
    const int area = m_editArea;
    m_editObject = nullptr;
    m_editTemplate = nullptr;
    m_editArea = -1;
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    if (doc == nullptr || tmpl == nullptr)
        return;
    bool alive = false;
    for (int i = 0; i < doc->GetTemplateCount() && !alive; ++i)
        alive = doc->GetTemplate(i) == tmpl;
    CGraphCollection* objects = alive ? tmpl->GetArea(area) : nullptr;
    if (objects == nullptr || objects->IndexOf(object) < 0)
        return;
    object->SetMultiLineText(typed);
    doc->InvalidateDesignViews();
    doc->InvalidateLabelPreviews();
}

void Ostrelind_SoftLabelDesignView::OnCancelInPlaceEdit()
{
    if (m_inPlaceEdit != nullptr) {
        EndInPlaceEdit();
        return;
    }
    if (m_mouseState != kCreating)
        return;
    if (m_creatingObject != nullptr) {
        // Escape in the middle of a creation drag: the outline goes, the object goes, the mouse
        // is free again.
        CClientDC dc(m_hWnd);
        PrepareDC(dc);
        DiscardCreatingObject(&dc);
        m_buttonDown = 0;
        DropCapture();
    }
    m_mouseState = kIdle;
}

// ---------------------------------------------------------------------------------------------
// Insert tools

void Ostrelind_SoftLabelDesignView::OnInsertTool(UINT id)
{
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    if (doc == nullptr || m_mouseState != kIdle)
        return;
    CGraphObject* object = nullptr;
    switch (id) {
    case ID_DRAW_LINE:
        object = new CGraphLine;
        object->SetLineWidth(1000);
        break;
    case ID_DRAW_RECTANGLE:
        object = new CGraphRect;
        object->SetLineWidth(1000);
        object->SetTransparent(true);
        break;
    case ID_DRAW_ROUNDED_RECTANGLE:
        object = new CGraphRectRounded;
        object->SetLineWidth(1000);
        object->SetTransparent(true);
        object->SetCornerRadius(2500);
        break;
    case ID_DRAW_TRIANGLE:
        object = new CGraphTriangleExt;
        break;
    case ID_DRAW_ELLIPSE:
        object = new CGraphEllipse;
        object->SetLineWidth(1000);
        object->SetTransparent(true);
        break;
    case ID_INSERT_TEXT: {
        object = new CGraphTextExt;
        object->SetLogFont(&doc->GetDefaultFont());
        CString column;
        column.Format("%c", 'A' + doc->GetFirstUnusedColumn(m_area));
        object->SetColumnName(column);
        break;
    }
    case ID_INSERT_BARCODE: {
        object = new CGraphBarcode;
        CString type = COstrelindSoftLabelDoc::GetDefaultBarcodeType();
        object->SetSymbologyByName(type);
        object->SetLogFont(&doc->GetDefaultFont());
        if (!object->UsesMagnification()) {
            object->SetModuleWidth(RegistryDefaults::ReadBarcodeModule());
            object->SetBarHeight(RegistryDefaults::ReadBarcodeHeight());
        }
        CString level = COstrelindSoftLabelDoc::GetDefaultQREccLevel();
        object->SetErrorCorrectionLevelText(level);
        CString version = COstrelindSoftLabelDoc::GetDefaultQRVersion();
        object->SetVersionText(version);
        CString encoding = COstrelindSoftLabelDoc::GetDefaultQREncoding();
        object->SetEncodingModeByName(encoding);
        CString margin = COstrelindSoftLabelDoc::GetDefaultQRMargin();
        object->SetMarginText(margin);
        break;
    }
    case ID_INSERT_IMAGE: {
        auto* image = new CGraphImageExtExt;
        image->SetImageColumn(0);
        object = image;
        break;
    }
    default:
        return;
    }
    m_mouseState = kCreating;
    DeleteArmedObject();
    m_armedObject = object;
}

void Ostrelind_SoftLabelDesignView::OnUpdateInsertTool(CCmdUI* ui)
{
    CTemplate* tmpl = CurrentTemplate();
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    ui->Enable(tmpl != nullptr && tmpl->GetLabelStock() != nullptr && !tmpl->IsLocked() && !doc->IsEditBlocked());
}

// ---------------------------------------------------------------------------------------------
// Zoom and area

CString Ostrelind_SoftLabelDesignView::GetCommandText(UINT id) const
{
    auto* frame = dynamic_cast<CMainFrame*>(AfxGetMainWnd());
    return frame != nullptr ? frame->GetRibbonText(id) : CString();
}

void Ostrelind_SoftLabelDesignView::SetZoomAndNotify(int zoom)
{
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    EndInPlaceEdit();
    m_zoom = zoom;
    // The document keeps only zooms it can store (25 to 800); the view shows any.
    if (doc != nullptr)
        doc->SetZoom(m_area, zoom);
    Invalidate(TRUE);
    if (CWnd* parent = GetParent())
        parent->PostMessage(WM_DESIGN_ZOOMCHANGED, static_cast<WPARAM>(m_zoom), 0);
    UpdateScrollSizes();
}

void Ostrelind_SoftLabelDesignView::OnZoomBox()
{
    if (GetLabelDoc() == nullptr)
        return;
    const CString text = GetCommandText(ID_ZOOM);
    int zoom = 0;
    if (std::sscanf(text, "%d", &zoom) != 1 || zoom < 26 || zoom > 3199)
        return;
    SetZoomAndNotify(zoom);
}

void Ostrelind_SoftLabelDesignView::OnUpdateZoomBox(CCmdUI* ui)
{
    if (!HasFocus())
        return;
    CString text;
    text.Format("%d %%", m_zoom);
    ui->SetText(text);
}

void Ostrelind_SoftLabelDesignView::OnZoomStep(UINT id)
{
    if (GetLabelDoc() == nullptr || ZoomOfCommand(id) == 0)
        return;
    SetZoomAndNotify(ZoomOfCommand(id));
}

void Ostrelind_SoftLabelDesignView::OnUpdateZoomStep(CCmdUI* ui)
{
    ui->SetCheck(m_zoom == ZoomOfCommand(ui->m_nID) ? 1 : 0);
}

void Ostrelind_SoftLabelDesignView::OnArea(UINT id)
{
    if (GetLabelDoc() == nullptr)
        return;
    const int area = static_cast<int>(id - ID_AREA_LABEL);
    if (area == m_area)
        return;
    // The editor's text goes to its object before the objects of another area are shown.
    EndInPlaceEdit();
    m_area = area;
    UpdateScrollSizes();
    Invalidate(TRUE);
}

void Ostrelind_SoftLabelDesignView::OnUpdateArea(CCmdUI* ui)
{
    const int area = static_cast<int>(ui->m_nID - ID_AREA_LABEL);
    CTemplate* tmpl = CurrentTemplate();
    const CLabel* stock = tmpl != nullptr ? tmpl->GetLabelStock() : nullptr;
    ui->SetCheck(area == m_area ? 1 : 0);
    if (area == 0)
        ui->Enable(stock != nullptr);
    else if (area == 1)
        ui->Enable(stock != nullptr && stock->IsHeaderEnabled());
    else
        ui->Enable(stock != nullptr && stock->IsFooterEnabled());
}

// ---------------------------------------------------------------------------------------------
// Display toggles

void Ostrelind_SoftLabelDesignView::OnViewFieldCodes()
{
    m_showFieldCodes = m_showFieldCodes ? 0 : 1;
    Invalidate(FALSE);
}

void Ostrelind_SoftLabelDesignView::OnUpdateViewFieldCodes(CCmdUI* ui)
{
    ui->SetCheck(m_showFieldCodes ? 1 : 0);
}

void Ostrelind_SoftLabelDesignView::OnViewFieldContours()
{
    CTemplate* tmpl = CurrentTemplate();
    if (tmpl == nullptr)
        return;
    tmpl->SetFieldContours(!tmpl->GetFieldContours());
    Invalidate(FALSE);
}

void Ostrelind_SoftLabelDesignView::OnUpdateViewFieldContours(CCmdUI* ui)
{
    CTemplate* tmpl = CurrentTemplate();
    ui->SetCheck(tmpl != nullptr && tmpl->GetFieldContours() ? 1 : 0);
}

void Ostrelind_SoftLabelDesignView::OnShowRulers()
{
    if (auto* host = dynamic_cast<CDesignHost*>(GetParent()))
        host->ToggleRulers();
}

void Ostrelind_SoftLabelDesignView::OnUpdateShowRulers(CCmdUI* ui)
{
    auto* host = dynamic_cast<CDesignHost*>(GetParent());
    ui->SetCheck(host != nullptr && host->AreRulersShown() ? 1 : 0);
}

void Ostrelind_SoftLabelDesignView::OnHelpLines(UINT id)
{
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    if (doc == nullptr)
        return;
    CHelpLines& lines = doc->GetCurrentTemplate()->GetHelpLines();
    if (id == ID_HELPLINES_VERT)
        lines.ShowVertical(!lines.IsVerticalShown());
    else
        lines.ShowHorizontal(!lines.IsHorizontalShown());
    doc->InvalidateDesignViews();
}

void Ostrelind_SoftLabelDesignView::OnUpdateHelpLines(CCmdUI* ui)
{
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    if (doc == nullptr)
        return;
    const CHelpLines& lines = doc->GetCurrentTemplate()->GetHelpLines();
    const bool shown = ui->m_nID == ID_HELPLINES_VERT ? lines.IsVerticalShown() : lines.IsHorizontalShown();
    ui->SetCheck(shown ? 1 : 0);
    ui->Enable(doc->IsTemplateEditable());
}

void Ostrelind_SoftLabelDesignView::OnHelpLineSpacing(UINT id)
{
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    if (doc == nullptr)
        return;
    int count = 0;
    if (std::sscanf(GetCommandText(id), "%d", &count) != 1 || count < 1 || count > 99)
        return;
    CHelpLines& lines = doc->GetCurrentTemplate()->GetHelpLines();
    if (id == ID_HELPLINES_HORZ_SPACING)
        lines.SetHorizontalLines(count);
    else
        lines.SetVerticalLines(count);
    doc->InvalidateDesignViews();
}

void Ostrelind_SoftLabelDesignView::OnUpdateHelpLineSpacing(CCmdUI* ui)
{
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    if (doc == nullptr)
        return;
    if (HasFocus()) {
        const CHelpLines& lines = doc->GetCurrentTemplate()->GetHelpLines();
        CString text;
        text.Format("%d", ui->m_nID == ID_HELPLINES_HORZ_SPACING ? lines.GetHorizontalLines() : lines.GetVerticalLines());
        ui->SetText(text);
    }
    ui->Enable(doc->IsTemplateEditable());
}

void Ostrelind_SoftLabelDesignView::OnShowPane(UINT id)
{
    if (CWnd* parent = GetParent())
        parent->SendMessage(WM_COMMAND, id);
}

void Ostrelind_SoftLabelDesignView::OnUpdateShowPreview(CCmdUI* ui)
{
    ui->SetCheck(0);
    ui->Enable(TRUE);
}

void Ostrelind_SoftLabelDesignView::ToggleSelectAllInArea()
{
    if (COstrelindSoftLabelDoc* doc = GetLabelDoc())
        doc->ToggleSelectAll(m_area);
}

// ---------------------------------------------------------------------------------------------
// Data source of the selection

namespace {

int SourceKindOf(UINT id)
{
    switch (id) {
    case ID_SOURCE_TABLE: return 0;
    case ID_SOURCE_CONSTANT: return 1;
    case ID_SOURCE_DATE: return 2;
    case ID_SOURCE_TIME: return 3;
    default: return 4;
    }
}

} // namespace

void Ostrelind_SoftLabelDesignView::OnSource(UINT id)
{
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    if (doc == nullptr)
        return;
    EndInPlaceEdit();
    doc->SetDataSource(m_area, SourceKindOf(id));
}

void Ostrelind_SoftLabelDesignView::OnUpdateSource(CCmdUI* ui)
{
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    CGraphCollection* objects = AreaObjects();
    if (doc == nullptr || objects == nullptr) {
        ui->Enable(FALSE);
        return;
    }
    const bool imagesToo = ui->m_nID == ID_SOURCE_CONSTANT || ui->m_nID == ID_SOURCE_TABLE;
    bool source = false;
    for (int i = 0; i < objects->GetCount() && !source; ++i) {
        CGraphObject* object = objects->GetAt(i);
        source = object->IsSelected() && (object->HasTextSource() || (imagesToo && object->HasImageSource()));
    }
    ui->Enable(source && doc->IsTemplateEditable());
    ui->SetCheck(objects->HasSelection() && objects->GetSelectedSourceKind() == SourceKindOf(ui->m_nID) ? 1 : 0);
}

// ---------------------------------------------------------------------------------------------
// The label definition: new, load and its size

void Ostrelind_SoftLabelDesignView::OnLabelNew()
{
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    if (doc == nullptr || doc->GetCurrentTemplate()->IsLocked())
        return;
    const CLabel* stock = doc->GetCurrentTemplate()->GetLabelStock();
    if (stock != nullptr && stock->IsModified() &&
        AfxMessageBox(IDS_NEW_LABEL_DEFINITION_SURE, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    doc->NewLabelDefinition();
    UpdateScrollSizes();
    Invalidate(TRUE);
}

void Ostrelind_SoftLabelDesignView::OnLabelLoad()
{
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    if (doc == nullptr || doc->GetCurrentTemplate()->IsLocked())
        return;
    CString filter;
    if (!filter.LoadString(IDS_LABEL_FILE_FILTER))
        filter = "Label files (*.label)|*.label||";
    CFileDialog dialog(TRUE, "*.label", nullptr,
                       OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_EXPLORER | OFN_ENABLESIZING, filter, this);
    if (dialog.DoModal() != IDOK)
        return;
    const CString path = dialog.GetPathName();
    if (!HasExtension(path, ".label"))
        return;
    doc->LoadLabelDefinition(path);
    UpdateScrollSizes();
    Invalidate(TRUE);
}

void Ostrelind_SoftLabelDesignView::OnUpdateLabelEditable(CCmdUI* ui)
{
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    ui->Enable(doc != nullptr && doc->IsTemplateEditable());
}

void Ostrelind_SoftLabelDesignView::OnLabelSize(UINT id)
{
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    if (doc == nullptr)
        return;
    int um = 0;
    // A label of no size or less cannot be drawn or printed: ignored like text that does not parse.
    if (!ParseLength(GetCommandText(id), &um) || um <= 0)
        return;
    if (id == ID_LABEL_WIDTH)
        doc->SetAreaWidth(um, 0);
    else
        doc->SetAreaHeight(um, 0);
    UpdateScrollSizes();
}

void Ostrelind_SoftLabelDesignView::OnUpdateLabelSize(CCmdUI* ui)
{
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    if (doc == nullptr)
        return;
    if (HasFocus()) {
        char text[128] = {};
        if (ui->m_nID == ID_LABEL_WIDTH)
            doc->GetAreaWidthText(0, text, sizeof text);
        else
            doc->GetAreaHeightText(0, text, sizeof text);
        ui->SetText(text);
    }
    ui->Enable(doc->IsTemplateEditable() && !doc->IsLabelDefinitionReadOnly());
}
