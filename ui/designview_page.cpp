// The page tabs of the design canvas: paper, label size, margins, shape, grid, blocks, page header
// and footer, the picture and information files, the family name, the marking and printer type
// flags, the definition's printer options and the template's border printing. Boxes hand their
// text to the document's back-ends, which refuse what they cannot store; check buttons flip one
// flag each. The printer setup is in designview_printer.cpp.
#include "ui/designview.h"

#include "document/designtext.h"
#include "document/labeldoc.h"
#include "framework/filedlg.h"
#include "framework/msgbox.h"
#include "framework/paths.h"
#include "framework/ribboncontrols.h"
#include "framework/ribbonelements.h"
#include "labelmodel/labelmanager.h"
#include "labelmodel/labelstock.h"
#include "labelmodel/template.h"
#include "ui/commandids.h"
#include "ui/labelapp.h"
#include "ui/mainframe.h"
#include "ui/pagecommandstrings.h"

#include <cstdio>
#include <cstring>

namespace {

// The box of a length: which area and which side of it, or another kind of box.
enum BoxKind { kPaperWidth, kPaperHeight, kLeft, kTop, kWidth, kHeight, kCornerRadius, kPitchH, kPitchV,
               kRows, kColumns, kBlocks, kBlockSpace, kPaperSize, kLineWidth, kUnknownBox };

struct PageBox {
    UINT id;
    BoxKind kind;
    int area;          // 0 label, 1 header, 2 footer
};

const PageBox kPageBoxes[] = {
    {ID_PAPER_SIZE, kPaperSize, 0},       {ID_PAPER_WIDTH, kPaperWidth, 0},
    {ID_PAPER_HEIGHT, kPaperHeight, 0},   {ID_MARGIN_LEFT, kLeft, 0},
    {ID_MARGIN_TOP, kTop, 0},             {ID_LABEL_CORNER_RADIUS, kCornerRadius, 0},
    {ID_SPACING_HORZ, kPitchH, 0},        {ID_SPACING_VERT, kPitchV, 0},
    {ID_LAYOUT_ROWS, kRows, 0},           {ID_LAYOUT_COLUMNS, kColumns, 0},
    {ID_BLOCKS_COUNT, kBlocks, 0},        {ID_BLOCKS_SPACE, kBlockSpace, 0},
    {ID_HEADER_WIDTH, kWidth, 1},         {ID_HEADER_HEIGHT, kHeight, 1},
    {ID_HEADER_FROM_TOP, kTop, 1},        {ID_HEADER_FROM_LEFT, kLeft, 1},
    {ID_FOOTER_WIDTH, kWidth, 2},         {ID_FOOTER_HEIGHT, kHeight, 2},
    {ID_FOOTER_FROM_TOP, kTop, 2},        {ID_FOOTER_FROM_LEFT, kLeft, 2},
    {ID_ENGRAVE_LINE_WIDTH, kLineWidth, 0},
};

const PageBox* FindBox(UINT id)
{
    for (const PageBox& box : kPageBoxes)
        if (box.id == id)
            return &box;
    return nullptr;
}

// The flag buttons: a bit of the marking types or of the printer types.
struct FlagButton {
    UINT id;
    bool marking;
    uint32_t bit;
};

const FlagButton kFlagButtons[] = {
    {ID_MARKING_WIRE, true, 0x1},           {ID_MARKING_CABLE, true, 0x2},
    {ID_MARKING_COMPONENT, true, 0x4},      {ID_MARKING_TERMINAL_BLOCK, true, 0x8},
    {ID_MARKING_PLC, true, 0x10},           {ID_MARKING_OTHER, true, 0x20},
    {ID_MARKING_MODULE, true, 0x40},        {ID_PRINTER_TYPE_LASER, false, 0x1},
    {ID_PRINTER_TYPE_THERMO, false, 0x4},   {ID_PRINTER_TYPE_THERMAL_TRANSFER, false, 0x8},
    {ID_PRINTER_TYPE_OTHER, false, 0x80000000u},
};

const FlagButton* FindFlag(UINT id)
{
    for (const FlagButton& flag : kFlagButtons)
        if (flag.id == id)
            return &flag;
    return nullptr;
}

} // namespace

CLabel* Ostrelind_SoftLabelDesignView::Stock() const
{
    CTemplate* tmpl = CurrentTemplate();
    return tmpl != nullptr ? tmpl->GetLabelStock() : nullptr;
}

CLabelFileNew* Ostrelind_SoftLabelDesignView::FileStock() const
{
    return dynamic_cast<CLabelFileNew*>(Stock());
}

bool Ostrelind_SoftLabelDesignView::IsEditable() const
{
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    return doc != nullptr && doc->IsTemplateEditable();
}

COLORREF Ostrelind_SoftLabelDesignView::GetCommandColour(UINT id) const
{
    auto* button = dynamic_cast<CMFCRibbonColorButton*>(FindCommandElement(id));
    return button != nullptr ? button->GetColor() : CLR_INVALID;
}

void Ostrelind_SoftLabelDesignView::RefillFamilyCombo(const std::vector<CString>& names)
{
    auto* frame = dynamic_cast<CMainFrame*>(AfxGetMainWnd());
    if (frame == nullptr)
        return;
    if (auto* combo = dynamic_cast<CMFCRibbonComboBox*>(frame->FindRibbonElement(ID_FAMILY_NAME)))
        combo->RemoveAllItems();
    frame->AddFamilyNames(names);
}

CString Ostrelind_SoftLabelDesignView::GetLabelFileFolder(UINT id) const
{
    auto* app = dynamic_cast<COstrelindSoftLabelApp*>(AfxGetApp());
    if (app == nullptr)
        return CString();
    return id == ID_LABEL_IMAGE_FILE ? app->GetLabelImagesFolder() : app->GetLabelInfoFolder();
}

// ---------------------------------------------------------------------------------------------
// Boxes

void Ostrelind_SoftLabelDesignView::OnPageBox(UINT id)
{
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    const PageBox* box = FindBox(id);
    if (doc == nullptr || box == nullptr)
        return;
    EndInPlaceEdit();
    const CString text = GetCommandText(id);
    // The header and footer boxes belong to the file-based definition only.
    if (box->area != 0 && FileStock() == nullptr)
        return;
    int um = 0;
    bool isLength = ParseLength(text, &um);
    // The back-ends store any number; a size or pitch of zero or less, or a negative offset,
    // would give a sheet that cannot be drawn or printed, so the box ignores it as it ignores
    // text that does not parse.
    if (isLength) {
        const bool size = box->kind == kPaperWidth || box->kind == kPaperHeight || box->kind == kWidth ||
                          box->kind == kHeight || box->kind == kPitchH || box->kind == kPitchV;
        if (um < 0 || (size && um == 0))
            isLength = false;
    }
    if ((box->kind == kRows || box->kind == kColumns || box->kind == kBlocks)) {
        int count = 0;
        if (std::sscanf(text, "%d", &count) != 1 || count < 1)
            return;
    }
    switch (box->kind) {
    case kPaperSize:
        doc->SetPaperSize(text.Left(199));
        break;
    case kPaperWidth:
    case kPaperHeight:
        if (isLength && (box->kind == kPaperWidth ? doc->SetPaperWidth(um) : doc->SetPaperHeight(um))) {
            doc->SetModifiedFlag();
            doc->InvalidateLabelPreviews();
        }
        break;
    case kLeft:
        if (isLength)
            doc->SetAreaLeft(box->area, um);
        break;
    case kTop:
        if (isLength)
            doc->SetAreaTop(box->area, um);
        break;
    case kWidth:
        if (isLength)
            doc->SetAreaWidth(um, box->area);
        break;
    case kHeight:
        if (isLength)
            doc->SetAreaHeight(um, box->area);
        break;
    case kCornerRadius:
        if (isLength)
            doc->SetCornerRadius(um, m_area);
        break;
    case kPitchH:
        if (isLength)
            doc->SetHorizontalPitch(um);
        break;
    case kPitchV:
        if (isLength)
            doc->SetVerticalPitch(um);
        break;
    case kRows:
        doc->SetRowCountText(text.Left(19));
        break;
    case kColumns:
        doc->SetColumnCountText(text.Left(19));
        break;
    case kBlocks:
        doc->SetBlockCountText(text.Left(19));
        break;
    case kBlockSpace:
        if (isLength)
            doc->SetBlockSpace(um);
        break;
    case kLineWidth:
        if (isLength)
            CurrentTemplate()->SetBorderWidth(um);
        doc->SetModifiedFlag();
        break;
    default:
        break;
    }
    if (box->kind == kWidth || box->kind == kHeight)
        UpdateScrollSizes();
}

void Ostrelind_SoftLabelDesignView::OnUpdatePageBox(CCmdUI* ui)
{
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    const PageBox* box = FindBox(ui->m_nID);
    if (doc == nullptr || box == nullptr)
        return;
    const bool editable = doc->IsTemplateEditable();
    const bool writable = editable && !doc->IsLabelDefinitionReadOnly();
    const CLabel* stock = Stock();
    const bool focus = HasFocus();
    char text[200] = {};

    // The header and footer: only a file-based definition with that area enabled.
    if (box->area != 0) {
        const CLabelFileNew* file = FileStock();
        const bool enabled = file != nullptr && (box->area == 1 ? file->IsHeaderEnabled() : file->IsFooterEnabled());
        if (enabled && focus) {
            if (box->kind == kWidth)
                doc->GetAreaWidthText(box->area, text, 128);
            else if (box->kind == kHeight)
                doc->GetAreaHeightText(box->area, text, 128);
            else if (box->kind == kTop)
                doc->GetAreaTopText(box->area, text, 128);
            else
                doc->GetAreaLeftText(box->area, text, 128);
            ui->SetText(text);
        }
        ui->Enable(enabled && editable);
        return;
    }

    switch (box->kind) {
    case kPaperSize:
        if (focus) {
            doc->GetPaperSizeName(text, 128);
            ui->SetText(text);
        }
        ui->Enable(writable);
        break;
    case kPaperWidth:
    case kPaperHeight: {
        if (focus) {
            ui->SetText(MillimetresText(box->kind == kPaperWidth ? doc->GetPaperWidth() : doc->GetPaperHeight()).Left(31));
        }
        // Only user-defined (0) and driver sizes (256 and up) are free; a standard size is fixed.
        const int code = doc->GetPaperSizeCode();
        ui->Enable(writable && (code == 0 || code >= 256));
        break;
    }
    case kLeft:
    case kTop:
        // Always the label area's margins, whichever area the canvas shows.
        if (focus) {
            if (box->kind == kLeft)
                doc->GetAreaLeftText(0, text, 128);
            else
                doc->GetAreaTopText(0, text, 128);
            ui->SetText(text);
        }
        ui->Enable(writable);
        break;
    case kCornerRadius: {
        const bool rounded = m_area == 0 && stock != nullptr && doc->GetLabelShape(0) == 1;
        if (focus)
            ui->SetText(rounded ? MillimetresText(doc->GetCornerRadius(0)).Left(15) : CString());
        ui->Enable(rounded && editable);
        break;
    }
    case kPitchH:
    case kPitchV:
    case kRows:
    case kColumns:
        if (focus) {
            if (box->kind == kPitchH)
                doc->GetHorizontalPitchText(text, 128);
            else if (box->kind == kPitchV)
                doc->GetVerticalPitchText(text, 128);
            else if (box->kind == kRows)
                doc->GetRowCountText(text, 20);
            else
                doc->GetColumnCountText(text, 20);
            ui->SetText(text);
        }
        ui->Enable(writable);
        break;
    case kBlocks:
        if (focus) {
            doc->GetBlockCountText(text, 20);
            ui->SetText(text);
        }
        ui->Enable(stock != nullptr && writable);
        break;
    case kBlockSpace: {
        const bool blocks = stock != nullptr && stock->GetVerticalBlocks() >= 2;
        if (focus) {
            if (blocks)
                doc->GetBlockSpaceText(text, 128);
            ui->SetText(text);
        }
        ui->Enable(blocks && editable);
        break;
    }
    case kLineWidth:
        if (focus)
            ui->SetText(MillimetresText(CurrentTemplate()->GetBorderWidth()).Left(99));
        ui->Enable(editable);
        break;
    default:
        break;
    }
}

// ---------------------------------------------------------------------------------------------
// Check buttons

void Ostrelind_SoftLabelDesignView::OnPageCheck(UINT id)
{
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    if (doc == nullptr)
        return;
    CTemplate* tmpl = CurrentTemplate();
    if (const FlagButton* flag = FindFlag(id)) {
        if (flag->marking)
            doc->ToggleMarkingType(static_cast<int>(flag->bit));
        else
            doc->TogglePrinterType(flag->bit);
        return;
    }
    switch (id) {
    case ID_PAPER_PORTRAIT:
        doc->SetOrientation(1);
        break;
    case ID_PAPER_LANDSCAPE:
        doc->SetOrientation(2);
        break;
    case ID_LABEL_SHAPE_RECT:
    case ID_LABEL_SHAPE_ROUNDED:
    case ID_LABEL_SHAPE_ELLIPSE:
        doc->SetLabelShape(static_cast<int>(id - ID_LABEL_SHAPE_RECT), m_area);
        break;
    case ID_HEADER_ENABLE:
    case ID_FOOTER_ENABLE: {
        CLabelFileNew* file = FileStock();
        if (file == nullptr)
            return;
        if (id == ID_HEADER_ENABLE)
            file->SetHeaderEnabled(!file->IsHeaderEnabled());
        else
            file->SetFooterEnabled(!file->IsFooterEnabled());
        file->SetModified(true);
        doc->SetModifiedFlag();
        doc->InvalidateDesignViews();
        if (id == ID_FOOTER_ENABLE)
            doc->InvalidateLabelPreviews();
        break;
    }
    case ID_PRINTER_SELECT_DEVICE:
    case ID_PRINTER_STORE_SETTING: {
        CLabel* stock = Stock();
        if (stock == nullptr)
            return;
        if (id == ID_PRINTER_SELECT_DEVICE)
            stock->ToggleIncludePrinterName();
        else
            stock->ToggleStorePrinterSettings();
        doc->SetModifiedFlag();
        break;
    }
    case ID_ENGRAVE_LABEL_BORDERS:
        tmpl->SetPrintBorders(!tmpl->GetPrintBorders());
        doc->SetModifiedFlag();
        break;
    case ID_ENGRAVE_PAUSE_PAGES:
        tmpl->SetPauseBetweenPages(!tmpl->GetPauseBetweenPages());
        doc->SetModifiedFlag();
        break;
    default:
        break;
    }
}

void Ostrelind_SoftLabelDesignView::OnUpdatePageCheck(CCmdUI* ui)
{
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    if (doc == nullptr)
        return;
    const UINT id = ui->m_nID;
    const bool editable = doc->IsTemplateEditable();
    const CLabel* stock = Stock();
    const CTemplate* tmpl = CurrentTemplate();
    if (const FlagButton* flag = FindFlag(id)) {
        const uint32_t word = stock == nullptr ? 0
                              : flag->marking ? static_cast<uint32_t>(stock->GetMarkingTypes())
                                              : stock->GetPrinterTypes();
        ui->SetCheck((word & flag->bit) != 0 ? 1 : 0);
        ui->Enable(editable);
        return;
    }
    switch (id) {
    case ID_PAPER_PORTRAIT:
    case ID_PAPER_LANDSCAPE: {
        const int orientation = stock != nullptr ? stock->GetOrientation() : 0;
        ui->SetCheck(orientation == (id == ID_PAPER_PORTRAIT ? 1 : 2) ? 1 : 0);
        ui->Enable(editable);
        break;
    }
    case ID_LABEL_SHAPE_RECT:
    case ID_LABEL_SHAPE_ROUNDED:
    case ID_LABEL_SHAPE_ELLIPSE: {
        const int shape = stock != nullptr ? doc->GetLabelShape(m_area) : -1;
        ui->SetCheck(shape == static_cast<int>(id - ID_LABEL_SHAPE_RECT) ? 1 : 0);
        ui->Enable(!tmpl->IsLocked() && !doc->IsEditBlocked() &&
                   (stock == nullptr || !doc->IsLabelDefinitionReadOnly()));
        break;
    }
    case ID_HEADER_ENABLE:
    case ID_FOOTER_ENABLE: {
        const CLabelFileNew* file = FileStock();
        if (file == nullptr) {
            ui->SetCheck(0);
            ui->Enable(FALSE);
            break;
        }
        ui->SetCheck((id == ID_HEADER_ENABLE ? file->IsHeaderEnabled() : file->IsFooterEnabled()) ? 1 : 0);
        ui->Enable(editable && !doc->IsLabelDefinitionReadOnly());
        break;
    }
    case ID_PRINTER_SELECT_DEVICE:
        ui->SetCheck(stock != nullptr && stock->GetIncludePrinterName() ? 1 : 0);
        ui->Enable(stock != nullptr && editable);
        break;
    case ID_PRINTER_STORE_SETTING:
        ui->SetCheck(FileStock() != nullptr && FileStock()->GetStorePrinterSettings() ? 1 : 0);
        ui->Enable(stock != nullptr && editable);
        break;
    case ID_ENGRAVE_LABEL_BORDERS:
        ui->SetCheck(tmpl->GetPrintBorders() ? 1 : 0);
        ui->Enable(editable);
        break;
    case ID_ENGRAVE_PAUSE_PAGES:
        ui->SetCheck(tmpl->GetPauseBetweenPages() ? 1 : 0);
        ui->Enable(editable);
        break;
    default:
        break;
    }
}

// ---------------------------------------------------------------------------------------------
// The definition as a whole, the template file, the picture and information files, the family

void Ostrelind_SoftLabelDesignView::OnLabelDelete()
{
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    if (doc == nullptr || CurrentTemplate()->IsLocked())
        return;
    if (AfxMessageBox(IDS_DELETE_LABEL_DEFINITION_SURE, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    doc->DeleteLabelDefinition();
    UpdateScrollSizes();
    Invalidate(TRUE);
}

void Ostrelind_SoftLabelDesignView::OnUpdateAlwaysEnabled(CCmdUI* ui)
{
    ui->Enable(TRUE);
}

void Ostrelind_SoftLabelDesignView::OnTemplateImport()
{
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    if (doc == nullptr || CurrentTemplate()->IsLocked())
        return;
    CString filter;
    if (!filter.LoadString(IDS_TEMPLATE_FILE_FILTER))
        filter = "Template files(*.tpe)|*.tpe||";
    CFileDialog dialog(TRUE, "*.tpe", nullptr,
                       OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_EXPLORER | OFN_ENABLESIZING, filter, this);
    if (dialog.DoModal() != IDOK)
        return;
    const CString path = dialog.GetPathName();
    if (!HasExtension(path, ".tpe"))
        return;
    if (!CurrentTemplate()->LoadTemplateFile(path))
        return;
    doc->SetModifiedFlag();
    doc->InvalidateDesignViews();
    doc->InvalidateLabelPreviews();
    UpdateScrollSizes();
}

void Ostrelind_SoftLabelDesignView::OnLabelFile(UINT id)
{
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    CLabelFileNew* file = FileStock();
    if (doc == nullptr || file == nullptr)
        return;
    const bool image = id == ID_LABEL_IMAGE_FILE;
    CString filter;
    if (image) {
        if (!filter.LoadString(884))
            filter = "Image files |*.jpg;*.jpeg;*.bmp;*.png;*.wmf||";
    } else {
        filter = "PDF files (*.pdf)|*.pdf|";
    }
    const CString stored = image ? file->GetImageFile() : file->GetInfoFile();
    const CString folder = GetLabelFileFolder(id);
    CFileDialog dialog(TRUE, image ? "*.jpg" : "*.pdf", stored,
                       OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_EXPLORER | OFN_ENABLESIZING, filter, this);
    if (!folder.IsEmpty())
        dialog.m_ofn.lpstrInitialDir = folder;
    if (dialog.DoModal() != IDOK)
        return;
    // Only the name: the previews look for it in the user's own folder.
    const CString path = dialog.GetPathName();
    int cut = path.ReverseFind('\\');
    if (path.ReverseFind('/') > cut)
        cut = path.ReverseFind('/');
    const CString name = path.Mid(cut + 1).Left(255);
    if (name.IsEmpty())
        return;
    if (image)
        file->SetImageFile(name);
    else
        file->SetInfoFile(name);
    file->SetModified(true);
    doc->SetModifiedFlag();
}

void Ostrelind_SoftLabelDesignView::OnUpdateLabelFile(CCmdUI* ui)
{
    ui->Enable(FileStock() != nullptr && IsEditable());
}

void Ostrelind_SoftLabelDesignView::OnLabelFilesDelete()
{
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    CLabelFileNew* file = FileStock();
    if (doc == nullptr || file == nullptr || CurrentTemplate()->IsLocked())
        return;
    if (*file->GetImageFile() == 0 && *file->GetInfoFile() == 0)
        return;
    if (AfxMessageBox(IDS_LABEL_FILES_DELETE_SURE, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    file->SetImageFile("");
    file->SetInfoFile("");
    file->SetModified(true);
    doc->SetModifiedFlag();
}

void Ostrelind_SoftLabelDesignView::OnUpdateLabelFilesDelete(CCmdUI* ui)
{
    const CLabelFileNew* file = FileStock();
    ui->Enable(GetLabelDoc() != nullptr && !CurrentTemplate()->IsLocked() && file != nullptr &&
               (*file->GetImageFile() != 0 || *file->GetInfoFile() != 0));
}

void Ostrelind_SoftLabelDesignView::OnFamilyName()
{
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    CLabelFileNew* file = FileStock();
    if (doc == nullptr || file == nullptr || !doc->IsTemplateEditable())
        return;
    const CString text = GetCommandText(ID_FAMILY_NAME).Left(79);
    char current[256] = {};
    doc->GetLabelDefinitionName(current, sizeof current);
    if (std::strcmp(text, current) == 0)
        return;
    file->SetFamilyName(text);
    doc->SetModifiedFlag();
    auto* app = dynamic_cast<COstrelindSoftLabelApp*>(AfxGetApp());
    if (app == nullptr)
        return;
    // The library's list keeps one spelling of each name; the combo shows the list in order.
    CLabelManager& manager = app->GetLabelManager();
    manager.AddFamilyName(file->GetFamilyName());
    manager.SortFamilyNames();
    RefillFamilyCombo(COstrelindSoftLabelApp::GetFamilyComboItems(manager));
}

void Ostrelind_SoftLabelDesignView::OnUpdateFamilyName(CCmdUI* ui)
{
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    if (doc == nullptr)
        return;
    if (HasFocus()) {
        char text[256] = {};
        doc->GetLabelDefinitionName(text, sizeof text);
        ui->SetText(text);
    }
    ui->Enable(FileStock() != nullptr && doc->IsTemplateEditable());
}

void Ostrelind_SoftLabelDesignView::OnBorderColour()
{
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    const COLORREF colour = GetCommandColour(ID_ENGRAVE_BORDER_COLOR);
    if (doc == nullptr || colour == CLR_INVALID)
        return;
    CurrentTemplate()->SetBorderColour(colour);
    doc->SetModifiedFlag();
}
