// The design canvas: its life, painting, scrolling, focus, context menu, lost capture and the
// length texts of the ribbon's boxes. The mouse and keys are in designview_mouse.cpp, the commands
// in designview_commands.cpp, printing in designview_print.cpp.
#include "ui/designview.h"

#include "document/designtext.h"
#include "document/labeldoc.h"
#include "framework/menu.h"
#include "labelmodel/graphcollection.h"
#include "labelmodel/labelstock.h"
#include "labelmodel/marker.h"
#include "labelmodel/template.h"
#include "ui/commandids.h"
#include "ui/inplaceedit.h"
#include "ui/resourceids.h"

#include <climits>
#include <cstring>

namespace {

// Design views alive: the shared object buffer goes with the last of them.
int g_designViews = 0;

bool IsInsertTool(UINT id)
{
    return (id >= ID_DRAW_LINE && id <= ID_DRAW_ELLIPSE) || (id >= ID_INSERT_TEXT && id <= ID_INSERT_IMAGE);
}

// The largest extent handed to the scroll bars: far beyond any label, still clear of overflow in
// the bar arithmetic of a 32-bit int.
const long long kMaxScrollExtent = 0x3FFFFFFF;

} // namespace

// One command id whose handler and update handler both tell the commands apart by the id.
#define ON_ID_COMMAND_AND_UPDATE(id, fn, updateFn)                                                \
    ON_COMMAND_RANGE(id, id, fn) ON_UPDATE_COMMAND_UI_RANGE(id, id, updateFn)

BEGIN_MESSAGE_MAP(Ostrelind_SoftLabelDesignView, CScrollView)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_SIZE()
    ON_WM_TIMER()
    ON_WM_ERASEBKGND()
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_KEYDOWN()
    ON_WM_CHAR()
    ON_MESSAGE(WM_SYSKEYDOWN, OnSysKey)
    ON_MESSAGE(WM_SYSCHAR, OnSysKey)
    ON_WM_RBUTTONUP()
    ON_WM_CONTEXTMENU()
    ON_WM_CAPTURECHANGED()
    ON_WM_CANCELMODE()
    ON_COMMAND(ID_CANCEL_INPLACE_EDIT, OnCancelInPlaceEdit)
    ON_COMMAND_RANGE(ID_DRAW_LINE, ID_DRAW_ELLIPSE, OnInsertTool)
    ON_COMMAND_RANGE(ID_INSERT_TEXT, ID_INSERT_IMAGE, OnInsertTool)
    ON_UPDATE_COMMAND_UI_RANGE(ID_DRAW_LINE, ID_DRAW_ELLIPSE, OnUpdateInsertTool)
    ON_UPDATE_COMMAND_UI_RANGE(ID_INSERT_TEXT, ID_INSERT_IMAGE, OnUpdateInsertTool)
    ON_COMMAND(ID_ZOOM, OnZoomBox)
    ON_UPDATE_COMMAND_UI(ID_ZOOM, OnUpdateZoomBox)
    ON_COMMAND_RANGE(ID_ZOOM_50, ID_ZOOM_75, OnZoomStep)
    ON_COMMAND_RANGE(ID_ZOOM_100, ID_ZOOM_400, OnZoomStep)
    ON_UPDATE_COMMAND_UI_RANGE(ID_ZOOM_50, ID_ZOOM_75, OnUpdateZoomStep)
    ON_UPDATE_COMMAND_UI_RANGE(ID_ZOOM_100, ID_ZOOM_400, OnUpdateZoomStep)
    ON_COMMAND_RANGE(ID_AREA_LABEL, ID_AREA_FOOTER, OnArea)
    ON_UPDATE_COMMAND_UI_RANGE(ID_AREA_LABEL, ID_AREA_FOOTER, OnUpdateArea)
    ON_COMMAND(ID_VIEW_FIELD_CODES, OnViewFieldCodes)
    ON_UPDATE_COMMAND_UI(ID_VIEW_FIELD_CODES, OnUpdateViewFieldCodes)
    ON_COMMAND(ID_VIEW_FIELD_CONTOURS, OnViewFieldContours)
    ON_UPDATE_COMMAND_UI(ID_VIEW_FIELD_CONTOURS, OnUpdateViewFieldContours)
    ON_COMMAND(ID_SHOW_RULERS, OnShowRulers)
    ON_UPDATE_COMMAND_UI(ID_SHOW_RULERS, OnUpdateShowRulers)
    ON_COMMAND_RANGE(ID_HELPLINES_VERT, ID_HELPLINES_HORZ, OnHelpLines)
    ON_UPDATE_COMMAND_UI_RANGE(ID_HELPLINES_VERT, ID_HELPLINES_HORZ, OnUpdateHelpLines)
    ON_COMMAND_RANGE(ID_HELPLINES_HORZ_SPACING, ID_HELPLINES_VERT_SPACING, OnHelpLineSpacing)
    ON_UPDATE_COMMAND_UI_RANGE(ID_HELPLINES_HORZ_SPACING, ID_HELPLINES_VERT_SPACING, OnUpdateHelpLineSpacing)
    ON_COMMAND_RANGE(ID_SHOW_DESIGN, ID_SHOW_TABLE, OnShowPane)
    ON_UPDATE_COMMAND_UI(ID_SHOW_PREVIEW, OnUpdateShowPreview)
    ON_COMMAND_RANGE(ID_SOURCE_CONSTANT, ID_SOURCE_AUTOINC, OnSource)
    ON_UPDATE_COMMAND_UI_RANGE(ID_SOURCE_CONSTANT, ID_SOURCE_AUTOINC, OnUpdateSource)
    ON_COMMAND(ID_LABEL_NEW, OnLabelNew)
    ON_UPDATE_COMMAND_UI(ID_LABEL_NEW, OnUpdateLabelEditable)
    ON_COMMAND(ID_LABEL_LOAD, OnLabelLoad)
    ON_UPDATE_COMMAND_UI(ID_LABEL_LOAD, OnUpdateLabelEditable)
    ON_COMMAND_RANGE(ID_LABEL_WIDTH, ID_LABEL_HEIGHT, OnLabelSize)
    ON_UPDATE_COMMAND_UI_RANGE(ID_LABEL_WIDTH, ID_LABEL_HEIGHT, OnUpdateLabelSize)
    ON_COMMAND(ID_FILE_PRINT, OnFilePrintCommand)
    ON_COMMAND(ID_FILE_PRINT_DIRECT, OnFilePrintDirect)
    // Clipboard and object property commands
    ON_COMMAND(ID_EDIT_CUT, OnEditCut)
    ON_UPDATE_COMMAND_UI(ID_EDIT_CUT, OnUpdateEditSelection)
    ON_COMMAND(ID_EDIT_COPY, OnEditCopy)
    ON_UPDATE_COMMAND_UI(ID_EDIT_COPY, OnUpdateEditSelection)
    ON_COMMAND(ID_EDIT_DELETE, OnEditDelete)
    ON_UPDATE_COMMAND_UI(ID_EDIT_DELETE, OnUpdateEditSelection)
    ON_COMMAND(ID_EDIT_PASTE, OnEditPaste)
    ON_UPDATE_COMMAND_UI(ID_EDIT_PASTE, OnUpdateEditPaste)
    ON_COMMAND(ID_EDIT_UNDO, OnEditUndo)
    ON_UPDATE_COMMAND_UI(ID_EDIT_UNDO, OnUpdateEditUndo)
    ON_COMMAND(ID_EDIT_REDO, OnEditRedo)
    ON_UPDATE_COMMAND_UI(ID_EDIT_REDO, OnUpdateEditRedo)
    ON_COMMAND(ID_EDIT_SELECT_ALL, OnEditSelectAll)
    ON_UPDATE_COMMAND_UI(ID_EDIT_SELECT_ALL, OnUpdateEditSelectAll)
    ON_ID_COMMAND_AND_UPDATE(ID_ROTATE_LEFT, OnPropertyButton, OnUpdatePropertyButton)
    ON_ID_COMMAND_AND_UPDATE(ID_ROTATE_RIGHT, OnPropertyButton, OnUpdatePropertyButton)
    ON_ID_COMMAND_AND_UPDATE(ID_EDIT_COMBINE, OnPropertyButton, OnUpdatePropertyButton)
    ON_ID_COMMAND_AND_UPDATE(ID_EDIT_SPLIT, OnPropertyButton, OnUpdatePropertyButton)
    ON_ID_COMMAND_AND_UPDATE(ID_SPACE_EVENLY_HORZ, OnPropertyButton, OnUpdatePropertyButton)
    ON_ID_COMMAND_AND_UPDATE(ID_SPACE_EVENLY_VERT, OnPropertyButton, OnUpdatePropertyButton)
    ON_ID_COMMAND_AND_UPDATE(ID_ALIGN_CENTER_HORZ, OnPropertyButton, OnUpdatePropertyButton)
    ON_ID_COMMAND_AND_UPDATE(ID_ALIGN_CENTER_VERT, OnPropertyButton, OnUpdatePropertyButton)
    ON_ID_COMMAND_AND_UPDATE(ID_ALIGN_LEFT, OnPropertyButton, OnUpdatePropertyButton)
    ON_ID_COMMAND_AND_UPDATE(ID_ALIGN_TOP, OnPropertyButton, OnUpdatePropertyButton)
    ON_ID_COMMAND_AND_UPDATE(ID_ALIGN_RIGHT, OnPropertyButton, OnUpdatePropertyButton)
    ON_ID_COMMAND_AND_UPDATE(ID_ALIGN_BOTTOM, OnPropertyButton, OnUpdatePropertyButton)
    ON_ID_COMMAND_AND_UPDATE(ID_ARRANGE_BRING_TO_FRONT, OnPropertyButton, OnUpdatePropertyButton)
    ON_ID_COMMAND_AND_UPDATE(ID_ARRANGE_SEND_TO_BACK, OnPropertyButton, OnUpdatePropertyButton)
    ON_ID_COMMAND_AND_UPDATE(ID_ARRANGE_BRING_FORWARD, OnPropertyButton, OnUpdatePropertyButton)
    ON_ID_COMMAND_AND_UPDATE(ID_ARRANGE_SEND_BACKWARD, OnPropertyButton, OnUpdatePropertyButton)
    ON_ID_COMMAND_AND_UPDATE(ID_DUPLICATE_BELOW, OnPropertyButton, OnUpdatePropertyButton)
    ON_ID_COMMAND_AND_UPDATE(ID_DUPLICATE_RIGHT, OnPropertyButton, OnUpdatePropertyButton)
    ON_ID_COMMAND_AND_UPDATE(ID_DUPLICATE_ABOVE, OnPropertyButton, OnUpdatePropertyButton)
    ON_ID_COMMAND_AND_UPDATE(ID_DUPLICATE_LEFT, OnPropertyButton, OnUpdatePropertyButton)
    ON_ID_COMMAND_AND_UPDATE(ID_FORMAT_BOLD, OnPropertyButton, OnUpdatePropertyButton)
    ON_ID_COMMAND_AND_UPDATE(ID_FORMAT_ITALIC, OnPropertyButton, OnUpdatePropertyButton)
    ON_ID_COMMAND_AND_UPDATE(ID_FORMAT_UNDERLINE, OnPropertyButton, OnUpdatePropertyButton)
    ON_ID_COMMAND_AND_UPDATE(ID_IMAGE_RESET_SIZE, OnPropertyButton, OnUpdatePropertyButton)
    ON_COMMAND_RANGE(ID_POSITION_X, ID_POSITION_HEIGHT, OnGeometryBox)
    ON_UPDATE_COMMAND_UI_RANGE(ID_POSITION_X, ID_POSITION_HEIGHT, OnUpdateGeometryBox)
    ON_COMMAND(ID_FONT_FACE, OnFontFace)
    ON_UPDATE_COMMAND_UI(ID_FONT_FACE, OnUpdateFontFace)
    ON_COMMAND(ID_FONT_SIZE, OnFontSize)
    ON_UPDATE_COMMAND_UI(ID_FONT_SIZE, OnUpdateFontSize)
    ON_COMMAND_RANGE(ID_TEXT_ALIGN_LEFT, ID_TEXT_ALIGN_RIGHT, OnTextAlignment)
    ON_UPDATE_COMMAND_UI_RANGE(ID_TEXT_ALIGN_LEFT, ID_TEXT_ALIGN_RIGHT, OnUpdateTextAlignment)
    ON_COMMAND(ID_CHARACTER_SET, OnCharacterSet)
    ON_UPDATE_COMMAND_UI(ID_CHARACTER_SET, OnUpdateCharacterSet)
    ON_COMMAND_RANGE(ID_BORDER_COLOR, ID_TEXT_COLOR, OnColorButton)
    ON_UPDATE_COMMAND_UI_RANGE(ID_BORDER_COLOR, ID_TEXT_COLOR, OnUpdateColorButton)
    ON_COMMAND_RANGE(ID_BORDER_LINE_WIDTH, ID_CORNER_RADIUS, OnShapeLength)
    ON_UPDATE_COMMAND_UI_RANGE(ID_BORDER_LINE_WIDTH, ID_CORNER_RADIUS, OnUpdateShapeLength)
    ON_COMMAND(ID_IMAGE_IMPORT, OnImageImport)
    ON_UPDATE_COMMAND_UI(ID_IMAGE_IMPORT, OnUpdateImageImport)
    ON_COMMAND_RANGE(ID_BARCODE_MODULE, ID_BARCODE_HEIGHT, OnBarcodeSize)
    ON_UPDATE_COMMAND_UI_RANGE(ID_BARCODE_MODULE, ID_BARCODE_HEIGHT, OnUpdateBarcodeSize)
    ON_ID_COMMAND_AND_UPDATE(ID_TEXT_AUTO_SIZE, OnTextOption, OnUpdateTextOption)
    ON_ID_COMMAND_AND_UPDATE(ID_TEXT_CENTER_VERT, OnTextOption, OnUpdateTextOption)
    ON_ID_COMMAND_AND_UPDATE(ID_BACKGROUND_TRANSPARENT, OnTextOption, OnUpdateTextOption)
    ON_ID_COMMAND_AND_UPDATE(ID_TRIANGLE_WARNING_SIGN, OnTextOption, OnUpdateTextOption)
    ON_ID_COMMAND_AND_UPDATE(ID_BARCODE_SYMBOL, OnFieldTextBox, OnUpdateFieldTextBox)
    ON_ID_COMMAND_AND_UPDATE(ID_BARCODE_RATIO, OnFieldTextBox, OnUpdateFieldTextBox)
    ON_ID_COMMAND_AND_UPDATE(ID_BARCODE_COMPENSATION, OnFieldTextBox, OnUpdateFieldTextBox)
    ON_ID_COMMAND_AND_UPDATE(ID_QR_VERSION, OnFieldTextBox, OnUpdateFieldTextBox)
    ON_ID_COMMAND_AND_UPDATE(ID_QR_ECC_LEVEL, OnFieldTextBox, OnUpdateFieldTextBox)
    ON_ID_COMMAND_AND_UPDATE(ID_QR_ENCODING, OnFieldTextBox, OnUpdateFieldTextBox)
    ON_ID_COMMAND_AND_UPDATE(ID_QR_MARGIN, OnFieldTextBox, OnUpdateFieldTextBox)
    ON_ID_COMMAND_AND_UPDATE(ID_SOURCE_COLUMN, OnFieldTextBox, OnUpdateFieldTextBox)
    ON_ID_COMMAND_AND_UPDATE(ID_FIELD_DELIMITER, OnFieldTextBox, OnUpdateFieldTextBox)
    ON_ID_COMMAND_AND_UPDATE(ID_DATE_FORMAT, OnFieldTextBox, OnUpdateFieldTextBox)
    ON_ID_COMMAND_AND_UPDATE(ID_DATE_OFFSET, OnFieldTextBox, OnUpdateFieldTextBox)
    ON_ID_COMMAND_AND_UPDATE(ID_AUTOINC_PREFIX, OnFieldTextBox, OnUpdateFieldTextBox)
    ON_ID_COMMAND_AND_UPDATE(ID_AUTOINC_VALUE, OnFieldTextBox, OnUpdateFieldTextBox)
    ON_ID_COMMAND_AND_UPDATE(ID_AUTOINC_SUFFIX, OnFieldTextBox, OnUpdateFieldTextBox)
    ON_ID_COMMAND_AND_UPDATE(ID_AUTOINC_MIN_DIGITS, OnFieldTextBox, OnUpdateFieldTextBox)
    ON_ID_COMMAND_AND_UPDATE(ID_BARCODE_CHECK_DIGIT, OnFieldToggle, OnUpdateFieldToggle)
    ON_ID_COMMAND_AND_UPDATE(ID_BARCODE_HUMAN_READABLE, OnFieldToggle, OnUpdateFieldToggle)
    ON_ID_COMMAND_AND_UPDATE(ID_BARCODE_HR_CHECK_DIGIT, OnFieldToggle, OnUpdateFieldToggle)
    ON_ID_COMMAND_AND_UPDATE(ID_SEPARATE_BLANK_FIELDS, OnFieldToggle, OnUpdateFieldToggle)
    ON_ID_COMMAND_AND_UPDATE(ID_DATE_OFFSET_CHECK, OnFieldToggle, OnUpdateFieldToggle)
    ON_ID_COMMAND_AND_UPDATE(ID_AUTOINC_LEADING_ZERO, OnFieldToggle, OnUpdateFieldToggle)
    // Page, stock and printer commands.
    ON_ID_COMMAND_AND_UPDATE(ID_PAPER_SIZE, OnPageBox, OnUpdatePageBox)
    ON_ID_COMMAND_AND_UPDATE(ID_PAPER_WIDTH, OnPageBox, OnUpdatePageBox)
    ON_ID_COMMAND_AND_UPDATE(ID_PAPER_HEIGHT, OnPageBox, OnUpdatePageBox)
    ON_ID_COMMAND_AND_UPDATE(ID_MARGIN_LEFT, OnPageBox, OnUpdatePageBox)
    ON_ID_COMMAND_AND_UPDATE(ID_MARGIN_TOP, OnPageBox, OnUpdatePageBox)
    ON_ID_COMMAND_AND_UPDATE(ID_LABEL_CORNER_RADIUS, OnPageBox, OnUpdatePageBox)
    ON_ID_COMMAND_AND_UPDATE(ID_SPACING_HORZ, OnPageBox, OnUpdatePageBox)
    ON_ID_COMMAND_AND_UPDATE(ID_SPACING_VERT, OnPageBox, OnUpdatePageBox)
    ON_ID_COMMAND_AND_UPDATE(ID_LAYOUT_ROWS, OnPageBox, OnUpdatePageBox)
    ON_ID_COMMAND_AND_UPDATE(ID_LAYOUT_COLUMNS, OnPageBox, OnUpdatePageBox)
    ON_ID_COMMAND_AND_UPDATE(ID_BLOCKS_COUNT, OnPageBox, OnUpdatePageBox)
    ON_ID_COMMAND_AND_UPDATE(ID_BLOCKS_SPACE, OnPageBox, OnUpdatePageBox)
    ON_ID_COMMAND_AND_UPDATE(ID_HEADER_WIDTH, OnPageBox, OnUpdatePageBox)
    ON_ID_COMMAND_AND_UPDATE(ID_HEADER_HEIGHT, OnPageBox, OnUpdatePageBox)
    ON_ID_COMMAND_AND_UPDATE(ID_HEADER_FROM_TOP, OnPageBox, OnUpdatePageBox)
    ON_ID_COMMAND_AND_UPDATE(ID_HEADER_FROM_LEFT, OnPageBox, OnUpdatePageBox)
    ON_ID_COMMAND_AND_UPDATE(ID_FOOTER_WIDTH, OnPageBox, OnUpdatePageBox)
    ON_ID_COMMAND_AND_UPDATE(ID_FOOTER_HEIGHT, OnPageBox, OnUpdatePageBox)
    ON_ID_COMMAND_AND_UPDATE(ID_FOOTER_FROM_TOP, OnPageBox, OnUpdatePageBox)
    ON_ID_COMMAND_AND_UPDATE(ID_FOOTER_FROM_LEFT, OnPageBox, OnUpdatePageBox)
    ON_ID_COMMAND_AND_UPDATE(ID_ENGRAVE_LINE_WIDTH, OnPageBox, OnUpdatePageBox)
    ON_ID_COMMAND_AND_UPDATE(ID_PAPER_PORTRAIT, OnPageCheck, OnUpdatePageCheck)
    ON_ID_COMMAND_AND_UPDATE(ID_PAPER_LANDSCAPE, OnPageCheck, OnUpdatePageCheck)
    ON_ID_COMMAND_AND_UPDATE(ID_LABEL_SHAPE_RECT, OnPageCheck, OnUpdatePageCheck)
    ON_ID_COMMAND_AND_UPDATE(ID_LABEL_SHAPE_ROUNDED, OnPageCheck, OnUpdatePageCheck)
    ON_ID_COMMAND_AND_UPDATE(ID_LABEL_SHAPE_ELLIPSE, OnPageCheck, OnUpdatePageCheck)
    ON_ID_COMMAND_AND_UPDATE(ID_HEADER_ENABLE, OnPageCheck, OnUpdatePageCheck)
    ON_ID_COMMAND_AND_UPDATE(ID_FOOTER_ENABLE, OnPageCheck, OnUpdatePageCheck)
    ON_ID_COMMAND_AND_UPDATE(ID_MARKING_WIRE, OnPageCheck, OnUpdatePageCheck)
    ON_ID_COMMAND_AND_UPDATE(ID_MARKING_CABLE, OnPageCheck, OnUpdatePageCheck)
    ON_ID_COMMAND_AND_UPDATE(ID_MARKING_COMPONENT, OnPageCheck, OnUpdatePageCheck)
    ON_ID_COMMAND_AND_UPDATE(ID_MARKING_TERMINAL_BLOCK, OnPageCheck, OnUpdatePageCheck)
    ON_ID_COMMAND_AND_UPDATE(ID_MARKING_PLC, OnPageCheck, OnUpdatePageCheck)
    ON_ID_COMMAND_AND_UPDATE(ID_MARKING_OTHER, OnPageCheck, OnUpdatePageCheck)
    ON_ID_COMMAND_AND_UPDATE(ID_MARKING_MODULE, OnPageCheck, OnUpdatePageCheck)
    ON_ID_COMMAND_AND_UPDATE(ID_PRINTER_TYPE_LASER, OnPageCheck, OnUpdatePageCheck)
    ON_ID_COMMAND_AND_UPDATE(ID_PRINTER_TYPE_THERMO, OnPageCheck, OnUpdatePageCheck)
    ON_ID_COMMAND_AND_UPDATE(ID_PRINTER_TYPE_THERMAL_TRANSFER, OnPageCheck, OnUpdatePageCheck)
    ON_ID_COMMAND_AND_UPDATE(ID_PRINTER_TYPE_OTHER, OnPageCheck, OnUpdatePageCheck)
    ON_ID_COMMAND_AND_UPDATE(ID_PRINTER_SELECT_DEVICE, OnPageCheck, OnUpdatePageCheck)
    ON_ID_COMMAND_AND_UPDATE(ID_PRINTER_STORE_SETTING, OnPageCheck, OnUpdatePageCheck)
    ON_ID_COMMAND_AND_UPDATE(ID_ENGRAVE_LABEL_BORDERS, OnPageCheck, OnUpdatePageCheck)
    ON_ID_COMMAND_AND_UPDATE(ID_ENGRAVE_PAUSE_PAGES, OnPageCheck, OnUpdatePageCheck)
    ON_COMMAND(ID_LABEL_DELETE, OnLabelDelete)
    ON_UPDATE_COMMAND_UI(ID_LABEL_DELETE, OnUpdateLabelEditable)
    ON_COMMAND(ID_TEMPLATE_IMPORT, OnTemplateImport)
    ON_UPDATE_COMMAND_UI(ID_TEMPLATE_IMPORT, OnUpdateAlwaysEnabled)
    ON_COMMAND_RANGE(ID_LABEL_IMAGE_FILE, ID_LABEL_INFO_FILE, OnLabelFile)
    ON_UPDATE_COMMAND_UI_RANGE(ID_LABEL_IMAGE_FILE, ID_LABEL_INFO_FILE, OnUpdateLabelFile)
    ON_COMMAND(ID_LABEL_FILES_DELETE, OnLabelFilesDelete)
    ON_UPDATE_COMMAND_UI(ID_LABEL_FILES_DELETE, OnUpdateLabelFilesDelete)
    ON_COMMAND(ID_FAMILY_NAME, OnFamilyName)
    ON_UPDATE_COMMAND_UI(ID_FAMILY_NAME, OnUpdateFamilyName)
    ON_COMMAND(ID_ENGRAVE_BORDER_COLOR, OnBorderColour)
    ON_UPDATE_COMMAND_UI(ID_ENGRAVE_BORDER_COLOR, OnUpdateLabelEditable)
    ON_COMMAND(ID_PRINTER_SETUP, OnPrinterSetup)
    ON_UPDATE_COMMAND_UI(ID_PRINTER_SETUP, OnUpdatePrinterSetup)
END_MESSAGE_MAP()

#undef ON_ID_COMMAND_AND_UPDATE

Ostrelind_SoftLabelDesignView::Ostrelind_SoftLabelDesignView()
{
    m_clipboardFormat = ::RegisterClipboardFormatA("TRQZ_OBJECTS_NEW");
    ++g_designViews;
}

Ostrelind_SoftLabelDesignView::~Ostrelind_SoftLabelDesignView()
{
    // The shared buffer of copied objects outlives each view but not the last one.
    if (--g_designViews == 0) {
        CGraphCollection*& buffer = ClipboardObjects();
        if (buffer != nullptr) {
            buffer->DeleteAll();
            delete buffer;
            buffer = nullptr;
        }
    }
    DeleteArmedObject();
    delete m_creatingObject;
    delete m_rubberBand;
    delete m_inPlaceEdit;
}

CGraphCollection*& Ostrelind_SoftLabelDesignView::ClipboardObjects()
{
    static CGraphCollection* buffer = nullptr;
    return buffer;
}

COstrelindSoftLabelDoc* Ostrelind_SoftLabelDesignView::GetLabelDoc() const
{
    return dynamic_cast<COstrelindSoftLabelDoc*>(m_pDocument);
}

CTemplate* Ostrelind_SoftLabelDesignView::CurrentTemplate() const
{
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    return doc != nullptr ? doc->GetCurrentTemplate() : nullptr;
}

CGraphCollection* Ostrelind_SoftLabelDesignView::AreaObjects() const
{
    CTemplate* tmpl = CurrentTemplate();
    return tmpl != nullptr && IsValidArea() ? tmpl->GetArea(m_area) : nullptr;
}

CPoint Ostrelind_SoftLabelDesignView::ToView(CPoint point) const
{
    CPoint scroll = GetDeviceScrollPosition();
    return CPoint(point.x + scroll.x, point.y + scroll.y);
}

void Ostrelind_SoftLabelDesignView::DeleteArmedObject()
{
    delete m_armedObject;
    m_armedObject = nullptr;
}

void Ostrelind_SoftLabelDesignView::DiscardCreatingObject(CDC* dc)
{
    if (m_creatingObject == nullptr)
        return;
    CGraphObject* object = m_creatingObject;
    m_creatingObject = nullptr;
    if (dc != nullptr)
        object->EndTracking(dc);
    delete object;
}

// ---------------------------------------------------------------------------------------------
// Life

int Ostrelind_SoftLabelDesignView::OnCreate(LPCREATESTRUCTA cs)
{
    if (CScrollView::OnCreate(cs) == -1)
        return -1;
    DWORD measure = 0;
    if (::GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_IMEASURE | LOCALE_RETURN_NUMBER,
                         reinterpret_cast<LPSTR>(&measure), sizeof measure / sizeof(char)) > 0)
        m_measurementSystem = static_cast<int>(measure);
    SetTimer(kIdleTimer, 100);
    return 0;
}

void Ostrelind_SoftLabelDesignView::OnInitialUpdate()
{
    SetScrollSizes(MM_TEXT, CSize(100, 100));
    // The base announces the document (OnUpdate), which sets the label's own scroll sizes: a
    // project opened from a file scrolls from its first paint.
    CScrollView::OnInitialUpdate();
}

void Ostrelind_SoftLabelDesignView::OnDestroy()
{
    // The typed text is stored before the window (and with it the editor) goes.
    EndInPlaceEdit();
    CancelDrag();
    KillTimer(kIdleTimer);
    KillTimer(kDragTimer);
    CScrollView::OnDestroy();
}

void Ostrelind_SoftLabelDesignView::OnUpdate(CView*, LPARAM hint, CObject*)
{
    // Another template became current: the editor's text goes to the object it was opened on.
    if (m_inPlaceEdit != nullptr && m_editTemplate != CurrentTemplate())
        EndInPlaceEdit();
    if (hint == 0 || (hint & kHintDesignViews) != 0) {
        // Whatever the canvas shows may have changed size: another template, a label definition
        // loaded, chosen or resized, objects moved past the label's edge.
        UpdateScrollSizes();
        Invalidate(TRUE);
    }
}

void Ostrelind_SoftLabelDesignView::OnSize(UINT type, int cx, int cy)
{
    if (GetLabelDoc() == nullptr) {
        CScrollView::OnSize(type, cx, cy);
        return;
    }
    UpdateScrollSizes();
}

// ---------------------------------------------------------------------------------------------
// Painting and scrolling

void Ostrelind_SoftLabelDesignView::OnDraw(CDC* dc)
{
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    if (doc == nullptr)
        return;
    CTemplate* tmpl = doc->GetCurrentTemplate();
    if (m_firstDraw) {
        m_firstDraw = 0;
        const int stored = tmpl->GetZoom(0);
        if (stored >= 25) {
            const bool changed = stored != m_zoom;
            m_zoom = stored;
            if (CWnd* parent = GetParent())
                parent->PostMessage(WM_DESIGN_ZOOMCHANGED, static_cast<WPARAM>(m_zoom), 0);
            // The bars follow the stored zoom from this first paint on.
            if (changed)
                UpdateScrollSizes();
        }
    }
    if (m_mouseState == kRubberBand && m_rubberBand != nullptr)
        m_rubberBand->Erase(dc);
    doc->DrawLabelDefinition(dc, m_area, m_zoom);
    if (!IsValidArea())
        return;
    const int row = doc->GetTableRowCount() >= 0 ? doc->GetPreviewRow() + 1 : -1;
    doc->DrawArea(m_area, dc, m_zoom, 0, 0, true, row, 1, 300, 300, m_showFieldCodes != 0);
    if (tmpl->GetFieldContours())
        doc->DrawSelectionHandles(m_area, dc);
    tmpl->GetHelpLines().Draw(dc, tmpl->GetLabelStock(), m_area, m_zoom);
}

BOOL Ostrelind_SoftLabelDesignView::OnEraseBkgnd(CDC* dc)
{
    CRect client;
    GetClientRect(&client);
    dc->FillSolidRect(&client, RGB(0xF0, 0xF0, 0xF0));
    return TRUE;
}

void Ostrelind_SoftLabelDesignView::UpdateScrollSizes()
{
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    if (doc == nullptr || m_hWnd == nullptr)
        return;
    CClientDC dc(m_hWnd);
    const long long dpiX = dc.GetDeviceCaps(LOGPIXELSX);
    const long long dpiY = dc.GetDeviceCaps(LOGPIXELSY);
    // In 64 bits: a long roll label at a high zoom passes 2^31 in the product.
    long long width = (dpiX * m_zoom + 50) / 100 * doc->GetDesignWidth(m_area) / 25400;
    long long height = (dpiY * m_zoom + 50) / 100 * doc->GetDesignHeight(m_area) / 25400;
    width = width < 0 ? 0 : width > kMaxScrollExtent ? kMaxScrollExtent : width;
    height = height < 0 ? 0 : height > kMaxScrollExtent ? kMaxScrollExtent : height;
    SetScrollSizes(MM_TEXT, CSize(static_cast<int>(width), static_cast<int>(height)));
}

BOOL Ostrelind_SoftLabelDesignView::OnScrollBy(CSize sizeScroll, BOOL doScroll)
{
    const CPoint before = GetScrollPosition();
    const BOOL result = CScrollView::OnScrollBy(sizeScroll, doScroll);
    const CPoint after = GetScrollPosition();
    if (doScroll)
        if (CWnd* parent = GetParent())
            parent->PostMessage(WM_DESIGN_SCROLLED, 0,
                                MAKELPARAM(static_cast<WORD>(after.x - before.x), static_cast<WORD>(after.y - before.y)));
    return result;
}

// ---------------------------------------------------------------------------------------------
// Focus, keys the system keeps, context menu

void Ostrelind_SoftLabelDesignView::OnSetFocus(CWnd*)
{
    Invalidate(TRUE);
}

void Ostrelind_SoftLabelDesignView::OnKillFocus(CWnd*)
{
    Invalidate(TRUE);
}

LRESULT Ostrelind_SoftLabelDesignView::OnSysKey(WPARAM wParam, LPARAM)
{
    // Alt+Delete (and Alt+'.') only beeps; every other system key keeps its meaning (Alt+F4,
    // the menu keys).
    if (wParam == 46) {
        ::MessageBeep(0);
        return 0;
    }
    return Default();
}

void Ostrelind_SoftLabelDesignView::OnRButtonUp(UINT, CPoint point)
{
    if (GetLabelDoc() == nullptr)
        return;
    ClientToScreen(&point);
    ShowPopupMenu(IDR_CONTEXT_DESIGN, point, this);
}

void Ostrelind_SoftLabelDesignView::OnContextMenu(CWnd*, CPoint point)
{
    if (GetLabelDoc() == nullptr)
        return;
    // From the keyboard the point is (-1, -1): the menu opens at the view's corner.
    if (point.x == -1 && point.y == -1) {
        point = CPoint(0, 0);
        ClientToScreen(&point);
    }
    ShowPopupMenu(IDR_CONTEXT_DESIGN, point, this);
}

// ---------------------------------------------------------------------------------------------
// The editor takes the edit commands while it is open; every other command finds its text stored

BOOL Ostrelind_SoftLabelDesignView::OnCmdMsg(UINT nID, int nCode, void* pExtra, CmdHandlerInfo* pHandlerInfo)
{
    // Undo, redo and paste put other objects in place of the ones being dragged, and a zoom or an
    // area changes what the drag measures in: every command first ends the drag under way. The
    // insert tools alone wait for an idle canvas and are refused during a drag, which goes on.
    if (nCode == CN_COMMAND && pHandlerInfo == nullptr && !IsInsertTool(nID) && IsDragUnderWay())
        CancelDrag();
    if (m_inPlaceEdit != nullptr && m_inPlaceEdit->m_hWnd != nullptr) {
        const bool editCommand = nID == ID_EDIT_CUT || nID == ID_EDIT_COPY || nID == ID_EDIT_PASTE ||
                                 nID == ID_EDIT_DELETE || nID == ID_EDIT_UNDO;
        if (editCommand && nCode == CN_UPDATE_COMMAND_UI && pHandlerInfo == nullptr) {
            auto* ui = static_cast<CCmdUI*>(pExtra);
            ui->Enable(nID == ID_EDIT_UNDO ? m_inPlaceEdit->CanUndo() : TRUE);
            return TRUE;
        }
        if (editCommand && nCode == CN_COMMAND) {
            if (pHandlerInfo != nullptr)
                return TRUE;
            switch (nID) {
            case ID_EDIT_CUT: m_inPlaceEdit->Cut(); break;
            case ID_EDIT_COPY: m_inPlaceEdit->Copy(); break;
            case ID_EDIT_PASTE: m_inPlaceEdit->Paste(); break;
            case ID_EDIT_DELETE: m_inPlaceEdit->Clear(); break;
            default: m_inPlaceEdit->Undo(); break;
            }
            return TRUE;
        }
        // Any other command may change the selection or the objects: the typed text lands in its
        // own object first, never in whatever is selected afterwards.
        if (nCode == CN_COMMAND && pHandlerInfo == nullptr && nID != ID_CANCEL_INPLACE_EDIT)
            EndInPlaceEdit();
    }
    return CScrollView::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

// ---------------------------------------------------------------------------------------------
// Lengths

bool Ostrelind_SoftLabelDesignView::ParseLength(const char* text, int* um) const
{
    return ParseLengthText(text, m_measurementSystem, um);
}

bool Ostrelind_SoftLabelDesignView::ParsePercent(const char* text, int* percent)
{
    return ParsePercentText(text, percent);
}

void Ostrelind_SoftLabelDesignView::FormatLength(int um, char* out) const
{
    if (out == nullptr)
        return;
    out[0] = 0;
    CString text;
    if (m_measurementSystem == kMeasureMetric)
        text.Format("%g mm", um / 1000.0);
    else if (m_measurementSystem == kMeasureUS)
        text.Format("%.5g in", um / 25400.0);
    lstrcpynA(out, text, 20);
}
