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

// The largest extent handed to the scroll bars: far beyond any label, still clear of overflow in
// the bar arithmetic of a 32-bit int.
const long long kMaxScrollExtent = 0x3FFFFFFF;

} // namespace

BEGIN_MESSAGE_MAP(Ostrelind_SoftLabelDesignView, CScrollView)
    ON_WM_CREATE()
    ON_WM_DESTROY()
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
    ON_COMMAND_RANGE(ID_ROTATE_LEFT, ID_ROTATE_LEFT, OnPropertyButton)
    ON_UPDATE_COMMAND_UI_RANGE(ID_ROTATE_LEFT, ID_ROTATE_LEFT, OnUpdatePropertyButton)
    ON_COMMAND_RANGE(ID_ROTATE_RIGHT, ID_ROTATE_RIGHT, OnPropertyButton)
    ON_UPDATE_COMMAND_UI_RANGE(ID_ROTATE_RIGHT, ID_ROTATE_RIGHT, OnUpdatePropertyButton)
    ON_COMMAND_RANGE(ID_EDIT_COMBINE, ID_EDIT_COMBINE, OnPropertyButton)
    ON_UPDATE_COMMAND_UI_RANGE(ID_EDIT_COMBINE, ID_EDIT_COMBINE, OnUpdatePropertyButton)
    ON_COMMAND_RANGE(ID_EDIT_SPLIT, ID_EDIT_SPLIT, OnPropertyButton)
    ON_UPDATE_COMMAND_UI_RANGE(ID_EDIT_SPLIT, ID_EDIT_SPLIT, OnUpdatePropertyButton)
    ON_COMMAND_RANGE(ID_SPACE_EVENLY_HORZ, ID_SPACE_EVENLY_HORZ, OnPropertyButton)
    ON_UPDATE_COMMAND_UI_RANGE(ID_SPACE_EVENLY_HORZ, ID_SPACE_EVENLY_HORZ, OnUpdatePropertyButton)
    ON_COMMAND_RANGE(ID_SPACE_EVENLY_VERT, ID_SPACE_EVENLY_VERT, OnPropertyButton)
    ON_UPDATE_COMMAND_UI_RANGE(ID_SPACE_EVENLY_VERT, ID_SPACE_EVENLY_VERT, OnUpdatePropertyButton)
    ON_COMMAND_RANGE(ID_ALIGN_CENTER_HORZ, ID_ALIGN_CENTER_HORZ, OnPropertyButton)
    ON_UPDATE_COMMAND_UI_RANGE(ID_ALIGN_CENTER_HORZ, ID_ALIGN_CENTER_HORZ, OnUpdatePropertyButton)
    ON_COMMAND_RANGE(ID_ALIGN_CENTER_VERT, ID_ALIGN_CENTER_VERT, OnPropertyButton)
    ON_UPDATE_COMMAND_UI_RANGE(ID_ALIGN_CENTER_VERT, ID_ALIGN_CENTER_VERT, OnUpdatePropertyButton)
    ON_COMMAND_RANGE(ID_ALIGN_LEFT, ID_ALIGN_LEFT, OnPropertyButton)
    ON_UPDATE_COMMAND_UI_RANGE(ID_ALIGN_LEFT, ID_ALIGN_LEFT, OnUpdatePropertyButton)
    ON_COMMAND_RANGE(ID_ALIGN_TOP, ID_ALIGN_TOP, OnPropertyButton)
    ON_UPDATE_COMMAND_UI_RANGE(ID_ALIGN_TOP, ID_ALIGN_TOP, OnUpdatePropertyButton)
    ON_COMMAND_RANGE(ID_ALIGN_RIGHT, ID_ALIGN_RIGHT, OnPropertyButton)
    ON_UPDATE_COMMAND_UI_RANGE(ID_ALIGN_RIGHT, ID_ALIGN_RIGHT, OnUpdatePropertyButton)
    ON_COMMAND_RANGE(ID_ALIGN_BOTTOM, ID_ALIGN_BOTTOM, OnPropertyButton)
    ON_UPDATE_COMMAND_UI_RANGE(ID_ALIGN_BOTTOM, ID_ALIGN_BOTTOM, OnUpdatePropertyButton)
    ON_COMMAND_RANGE(ID_ARRANGE_BRING_TO_FRONT, ID_ARRANGE_BRING_TO_FRONT, OnPropertyButton)
    ON_UPDATE_COMMAND_UI_RANGE(ID_ARRANGE_BRING_TO_FRONT, ID_ARRANGE_BRING_TO_FRONT, OnUpdatePropertyButton)
    ON_COMMAND_RANGE(ID_ARRANGE_SEND_TO_BACK, ID_ARRANGE_SEND_TO_BACK, OnPropertyButton)
    ON_UPDATE_COMMAND_UI_RANGE(ID_ARRANGE_SEND_TO_BACK, ID_ARRANGE_SEND_TO_BACK, OnUpdatePropertyButton)
    ON_COMMAND_RANGE(ID_ARRANGE_BRING_FORWARD, ID_ARRANGE_BRING_FORWARD, OnPropertyButton)
    ON_UPDATE_COMMAND_UI_RANGE(ID_ARRANGE_BRING_FORWARD, ID_ARRANGE_BRING_FORWARD, OnUpdatePropertyButton)
    ON_COMMAND_RANGE(ID_ARRANGE_SEND_BACKWARD, ID_ARRANGE_SEND_BACKWARD, OnPropertyButton)
    ON_UPDATE_COMMAND_UI_RANGE(ID_ARRANGE_SEND_BACKWARD, ID_ARRANGE_SEND_BACKWARD, OnUpdatePropertyButton)
    ON_COMMAND_RANGE(ID_DUPLICATE_BELOW, ID_DUPLICATE_BELOW, OnPropertyButton)
    ON_UPDATE_COMMAND_UI_RANGE(ID_DUPLICATE_BELOW, ID_DUPLICATE_BELOW, OnUpdatePropertyButton)
    ON_COMMAND_RANGE(ID_DUPLICATE_RIGHT, ID_DUPLICATE_RIGHT, OnPropertyButton)
    ON_UPDATE_COMMAND_UI_RANGE(ID_DUPLICATE_RIGHT, ID_DUPLICATE_RIGHT, OnUpdatePropertyButton)
    ON_COMMAND_RANGE(ID_DUPLICATE_ABOVE, ID_DUPLICATE_ABOVE, OnPropertyButton)
    ON_UPDATE_COMMAND_UI_RANGE(ID_DUPLICATE_ABOVE, ID_DUPLICATE_ABOVE, OnUpdatePropertyButton)
    ON_COMMAND_RANGE(ID_DUPLICATE_LEFT, ID_DUPLICATE_LEFT, OnPropertyButton)
    ON_UPDATE_COMMAND_UI_RANGE(ID_DUPLICATE_LEFT, ID_DUPLICATE_LEFT, OnUpdatePropertyButton)
    ON_COMMAND_RANGE(ID_FORMAT_BOLD, ID_FORMAT_BOLD, OnPropertyButton)
    ON_UPDATE_COMMAND_UI_RANGE(ID_FORMAT_BOLD, ID_FORMAT_BOLD, OnUpdatePropertyButton)
    ON_COMMAND_RANGE(ID_FORMAT_ITALIC, ID_FORMAT_ITALIC, OnPropertyButton)
    ON_UPDATE_COMMAND_UI_RANGE(ID_FORMAT_ITALIC, ID_FORMAT_ITALIC, OnUpdatePropertyButton)
    ON_COMMAND_RANGE(ID_FORMAT_UNDERLINE, ID_FORMAT_UNDERLINE, OnPropertyButton)
    ON_UPDATE_COMMAND_UI_RANGE(ID_FORMAT_UNDERLINE, ID_FORMAT_UNDERLINE, OnUpdatePropertyButton)
    ON_COMMAND_RANGE(ID_IMAGE_RESET_SIZE, ID_IMAGE_RESET_SIZE, OnPropertyButton)
    ON_UPDATE_COMMAND_UI_RANGE(ID_IMAGE_RESET_SIZE, ID_IMAGE_RESET_SIZE, OnUpdatePropertyButton)
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
    ON_COMMAND_RANGE(ID_TEXT_AUTO_SIZE, ID_TEXT_AUTO_SIZE, OnTextOption)
    ON_UPDATE_COMMAND_UI_RANGE(ID_TEXT_AUTO_SIZE, ID_TEXT_AUTO_SIZE, OnUpdateTextOption)
    ON_COMMAND_RANGE(ID_TEXT_CENTER_VERT, ID_TEXT_CENTER_VERT, OnTextOption)
    ON_UPDATE_COMMAND_UI_RANGE(ID_TEXT_CENTER_VERT, ID_TEXT_CENTER_VERT, OnUpdateTextOption)
    ON_COMMAND_RANGE(ID_BACKGROUND_TRANSPARENT, ID_BACKGROUND_TRANSPARENT, OnTextOption)
    ON_UPDATE_COMMAND_UI_RANGE(ID_BACKGROUND_TRANSPARENT, ID_BACKGROUND_TRANSPARENT, OnUpdateTextOption)
    ON_COMMAND_RANGE(ID_TRIANGLE_WARNING_SIGN, ID_TRIANGLE_WARNING_SIGN, OnTextOption)
    ON_UPDATE_COMMAND_UI_RANGE(ID_TRIANGLE_WARNING_SIGN, ID_TRIANGLE_WARNING_SIGN, OnUpdateTextOption)
    ON_COMMAND_RANGE(ID_BARCODE_SYMBOL, ID_BARCODE_SYMBOL, OnFieldTextBox)
    ON_UPDATE_COMMAND_UI_RANGE(ID_BARCODE_SYMBOL, ID_BARCODE_SYMBOL, OnUpdateFieldTextBox)
    ON_COMMAND_RANGE(ID_BARCODE_RATIO, ID_BARCODE_RATIO, OnFieldTextBox)
    ON_UPDATE_COMMAND_UI_RANGE(ID_BARCODE_RATIO, ID_BARCODE_RATIO, OnUpdateFieldTextBox)
    ON_COMMAND_RANGE(ID_BARCODE_COMPENSATION, ID_BARCODE_COMPENSATION, OnFieldTextBox)
    ON_UPDATE_COMMAND_UI_RANGE(ID_BARCODE_COMPENSATION, ID_BARCODE_COMPENSATION, OnUpdateFieldTextBox)
    ON_COMMAND_RANGE(ID_QR_VERSION, ID_QR_VERSION, OnFieldTextBox)
    ON_UPDATE_COMMAND_UI_RANGE(ID_QR_VERSION, ID_QR_VERSION, OnUpdateFieldTextBox)
    ON_COMMAND_RANGE(ID_QR_ECC_LEVEL, ID_QR_ECC_LEVEL, OnFieldTextBox)
    ON_UPDATE_COMMAND_UI_RANGE(ID_QR_ECC_LEVEL, ID_QR_ECC_LEVEL, OnUpdateFieldTextBox)
    ON_COMMAND_RANGE(ID_QR_ENCODING, ID_QR_ENCODING, OnFieldTextBox)
    ON_UPDATE_COMMAND_UI_RANGE(ID_QR_ENCODING, ID_QR_ENCODING, OnUpdateFieldTextBox)
    ON_COMMAND_RANGE(ID_QR_MARGIN, ID_QR_MARGIN, OnFieldTextBox)
    ON_UPDATE_COMMAND_UI_RANGE(ID_QR_MARGIN, ID_QR_MARGIN, OnUpdateFieldTextBox)
    ON_COMMAND_RANGE(ID_SOURCE_COLUMN, ID_SOURCE_COLUMN, OnFieldTextBox)
    ON_UPDATE_COMMAND_UI_RANGE(ID_SOURCE_COLUMN, ID_SOURCE_COLUMN, OnUpdateFieldTextBox)
    ON_COMMAND_RANGE(ID_FIELD_DELIMITER, ID_FIELD_DELIMITER, OnFieldTextBox)
    ON_UPDATE_COMMAND_UI_RANGE(ID_FIELD_DELIMITER, ID_FIELD_DELIMITER, OnUpdateFieldTextBox)
    ON_COMMAND_RANGE(ID_DATE_FORMAT, ID_DATE_FORMAT, OnFieldTextBox)
    ON_UPDATE_COMMAND_UI_RANGE(ID_DATE_FORMAT, ID_DATE_FORMAT, OnUpdateFieldTextBox)
    ON_COMMAND_RANGE(ID_DATE_OFFSET, ID_DATE_OFFSET, OnFieldTextBox)
    ON_UPDATE_COMMAND_UI_RANGE(ID_DATE_OFFSET, ID_DATE_OFFSET, OnUpdateFieldTextBox)
    ON_COMMAND_RANGE(ID_AUTOINC_PREFIX, ID_AUTOINC_PREFIX, OnFieldTextBox)
    ON_UPDATE_COMMAND_UI_RANGE(ID_AUTOINC_PREFIX, ID_AUTOINC_PREFIX, OnUpdateFieldTextBox)
    ON_COMMAND_RANGE(ID_AUTOINC_VALUE, ID_AUTOINC_VALUE, OnFieldTextBox)
    ON_UPDATE_COMMAND_UI_RANGE(ID_AUTOINC_VALUE, ID_AUTOINC_VALUE, OnUpdateFieldTextBox)
    ON_COMMAND_RANGE(ID_AUTOINC_SUFFIX, ID_AUTOINC_SUFFIX, OnFieldTextBox)
    ON_UPDATE_COMMAND_UI_RANGE(ID_AUTOINC_SUFFIX, ID_AUTOINC_SUFFIX, OnUpdateFieldTextBox)
    ON_COMMAND_RANGE(ID_AUTOINC_MIN_DIGITS, ID_AUTOINC_MIN_DIGITS, OnFieldTextBox)
    ON_UPDATE_COMMAND_UI_RANGE(ID_AUTOINC_MIN_DIGITS, ID_AUTOINC_MIN_DIGITS, OnUpdateFieldTextBox)
    ON_COMMAND_RANGE(ID_BARCODE_CHECK_DIGIT, ID_BARCODE_CHECK_DIGIT, OnFieldToggle)
    ON_UPDATE_COMMAND_UI_RANGE(ID_BARCODE_CHECK_DIGIT, ID_BARCODE_CHECK_DIGIT, OnUpdateFieldToggle)
    ON_COMMAND_RANGE(ID_BARCODE_HUMAN_READABLE, ID_BARCODE_HUMAN_READABLE, OnFieldToggle)
    ON_UPDATE_COMMAND_UI_RANGE(ID_BARCODE_HUMAN_READABLE, ID_BARCODE_HUMAN_READABLE, OnUpdateFieldToggle)
    ON_COMMAND_RANGE(ID_BARCODE_HR_CHECK_DIGIT, ID_BARCODE_HR_CHECK_DIGIT, OnFieldToggle)
    ON_UPDATE_COMMAND_UI_RANGE(ID_BARCODE_HR_CHECK_DIGIT, ID_BARCODE_HR_CHECK_DIGIT, OnUpdateFieldToggle)
    ON_COMMAND_RANGE(ID_SEPARATE_BLANK_FIELDS, ID_SEPARATE_BLANK_FIELDS, OnFieldToggle)
    ON_UPDATE_COMMAND_UI_RANGE(ID_SEPARATE_BLANK_FIELDS, ID_SEPARATE_BLANK_FIELDS, OnUpdateFieldToggle)
    ON_COMMAND_RANGE(ID_DATE_OFFSET_CHECK, ID_DATE_OFFSET_CHECK, OnFieldToggle)
    ON_UPDATE_COMMAND_UI_RANGE(ID_DATE_OFFSET_CHECK, ID_DATE_OFFSET_CHECK, OnUpdateFieldToggle)
    ON_COMMAND_RANGE(ID_AUTOINC_LEADING_ZERO, ID_AUTOINC_LEADING_ZERO, OnFieldToggle)
    ON_UPDATE_COMMAND_UI_RANGE(ID_AUTOINC_LEADING_ZERO, ID_AUTOINC_LEADING_ZERO, OnUpdateFieldToggle)
    // Page, stock and printer commands.
    ON_COMMAND_RANGE(ID_PAPER_SIZE, ID_PAPER_SIZE, OnPageBox)
    ON_UPDATE_COMMAND_UI_RANGE(ID_PAPER_SIZE, ID_PAPER_SIZE, OnUpdatePageBox)
    ON_COMMAND_RANGE(ID_PAPER_WIDTH, ID_PAPER_WIDTH, OnPageBox)
    ON_UPDATE_COMMAND_UI_RANGE(ID_PAPER_WIDTH, ID_PAPER_WIDTH, OnUpdatePageBox)
    ON_COMMAND_RANGE(ID_PAPER_HEIGHT, ID_PAPER_HEIGHT, OnPageBox)
    ON_UPDATE_COMMAND_UI_RANGE(ID_PAPER_HEIGHT, ID_PAPER_HEIGHT, OnUpdatePageBox)
    ON_COMMAND_RANGE(ID_MARGIN_LEFT, ID_MARGIN_LEFT, OnPageBox)
    ON_UPDATE_COMMAND_UI_RANGE(ID_MARGIN_LEFT, ID_MARGIN_LEFT, OnUpdatePageBox)
    ON_COMMAND_RANGE(ID_MARGIN_TOP, ID_MARGIN_TOP, OnPageBox)
    ON_UPDATE_COMMAND_UI_RANGE(ID_MARGIN_TOP, ID_MARGIN_TOP, OnUpdatePageBox)
    ON_COMMAND_RANGE(ID_LABEL_CORNER_RADIUS, ID_LABEL_CORNER_RADIUS, OnPageBox)
    ON_UPDATE_COMMAND_UI_RANGE(ID_LABEL_CORNER_RADIUS, ID_LABEL_CORNER_RADIUS, OnUpdatePageBox)
    ON_COMMAND_RANGE(ID_SPACING_HORZ, ID_SPACING_HORZ, OnPageBox)
    ON_UPDATE_COMMAND_UI_RANGE(ID_SPACING_HORZ, ID_SPACING_HORZ, OnUpdatePageBox)
    ON_COMMAND_RANGE(ID_SPACING_VERT, ID_SPACING_VERT, OnPageBox)
    ON_UPDATE_COMMAND_UI_RANGE(ID_SPACING_VERT, ID_SPACING_VERT, OnUpdatePageBox)
    ON_COMMAND_RANGE(ID_LAYOUT_ROWS, ID_LAYOUT_ROWS, OnPageBox)
    ON_UPDATE_COMMAND_UI_RANGE(ID_LAYOUT_ROWS, ID_LAYOUT_ROWS, OnUpdatePageBox)
    ON_COMMAND_RANGE(ID_LAYOUT_COLUMNS, ID_LAYOUT_COLUMNS, OnPageBox)
    ON_UPDATE_COMMAND_UI_RANGE(ID_LAYOUT_COLUMNS, ID_LAYOUT_COLUMNS, OnUpdatePageBox)
    ON_COMMAND_RANGE(ID_BLOCKS_COUNT, ID_BLOCKS_COUNT, OnPageBox)
    ON_UPDATE_COMMAND_UI_RANGE(ID_BLOCKS_COUNT, ID_BLOCKS_COUNT, OnUpdatePageBox)
    ON_COMMAND_RANGE(ID_BLOCKS_SPACE, ID_BLOCKS_SPACE, OnPageBox)
    ON_UPDATE_COMMAND_UI_RANGE(ID_BLOCKS_SPACE, ID_BLOCKS_SPACE, OnUpdatePageBox)
    ON_COMMAND_RANGE(ID_HEADER_WIDTH, ID_HEADER_WIDTH, OnPageBox)
    ON_UPDATE_COMMAND_UI_RANGE(ID_HEADER_WIDTH, ID_HEADER_WIDTH, OnUpdatePageBox)
    ON_COMMAND_RANGE(ID_HEADER_HEIGHT, ID_HEADER_HEIGHT, OnPageBox)
    ON_UPDATE_COMMAND_UI_RANGE(ID_HEADER_HEIGHT, ID_HEADER_HEIGHT, OnUpdatePageBox)
    ON_COMMAND_RANGE(ID_HEADER_FROM_TOP, ID_HEADER_FROM_TOP, OnPageBox)
    ON_UPDATE_COMMAND_UI_RANGE(ID_HEADER_FROM_TOP, ID_HEADER_FROM_TOP, OnUpdatePageBox)
    ON_COMMAND_RANGE(ID_HEADER_FROM_LEFT, ID_HEADER_FROM_LEFT, OnPageBox)
    ON_UPDATE_COMMAND_UI_RANGE(ID_HEADER_FROM_LEFT, ID_HEADER_FROM_LEFT, OnUpdatePageBox)
    ON_COMMAND_RANGE(ID_FOOTER_WIDTH, ID_FOOTER_WIDTH, OnPageBox)
    ON_UPDATE_COMMAND_UI_RANGE(ID_FOOTER_WIDTH, ID_FOOTER_WIDTH, OnUpdatePageBox)
    ON_COMMAND_RANGE(ID_FOOTER_HEIGHT, ID_FOOTER_HEIGHT, OnPageBox)
    ON_UPDATE_COMMAND_UI_RANGE(ID_FOOTER_HEIGHT, ID_FOOTER_HEIGHT, OnUpdatePageBox)
    ON_COMMAND_RANGE(ID_FOOTER_FROM_TOP, ID_FOOTER_FROM_TOP, OnPageBox)
    ON_UPDATE_COMMAND_UI_RANGE(ID_FOOTER_FROM_TOP, ID_FOOTER_FROM_TOP, OnUpdatePageBox)
    ON_COMMAND_RANGE(ID_FOOTER_FROM_LEFT, ID_FOOTER_FROM_LEFT, OnPageBox)
    ON_UPDATE_COMMAND_UI_RANGE(ID_FOOTER_FROM_LEFT, ID_FOOTER_FROM_LEFT, OnUpdatePageBox)
    ON_COMMAND_RANGE(ID_ENGRAVE_LINE_WIDTH, ID_ENGRAVE_LINE_WIDTH, OnPageBox)
    ON_UPDATE_COMMAND_UI_RANGE(ID_ENGRAVE_LINE_WIDTH, ID_ENGRAVE_LINE_WIDTH, OnUpdatePageBox)
    ON_COMMAND_RANGE(ID_PAPER_PORTRAIT, ID_PAPER_PORTRAIT, OnPageCheck)
    ON_UPDATE_COMMAND_UI_RANGE(ID_PAPER_PORTRAIT, ID_PAPER_PORTRAIT, OnUpdatePageCheck)
    ON_COMMAND_RANGE(ID_PAPER_LANDSCAPE, ID_PAPER_LANDSCAPE, OnPageCheck)
    ON_UPDATE_COMMAND_UI_RANGE(ID_PAPER_LANDSCAPE, ID_PAPER_LANDSCAPE, OnUpdatePageCheck)
    ON_COMMAND_RANGE(ID_LABEL_SHAPE_RECT, ID_LABEL_SHAPE_RECT, OnPageCheck)
    ON_UPDATE_COMMAND_UI_RANGE(ID_LABEL_SHAPE_RECT, ID_LABEL_SHAPE_RECT, OnUpdatePageCheck)
    ON_COMMAND_RANGE(ID_LABEL_SHAPE_ROUNDED, ID_LABEL_SHAPE_ROUNDED, OnPageCheck)
    ON_UPDATE_COMMAND_UI_RANGE(ID_LABEL_SHAPE_ROUNDED, ID_LABEL_SHAPE_ROUNDED, OnUpdatePageCheck)
    ON_COMMAND_RANGE(ID_LABEL_SHAPE_ELLIPSE, ID_LABEL_SHAPE_ELLIPSE, OnPageCheck)
    ON_UPDATE_COMMAND_UI_RANGE(ID_LABEL_SHAPE_ELLIPSE, ID_LABEL_SHAPE_ELLIPSE, OnUpdatePageCheck)
    ON_COMMAND_RANGE(ID_HEADER_ENABLE, ID_HEADER_ENABLE, OnPageCheck)
    ON_UPDATE_COMMAND_UI_RANGE(ID_HEADER_ENABLE, ID_HEADER_ENABLE, OnUpdatePageCheck)
    ON_COMMAND_RANGE(ID_FOOTER_ENABLE, ID_FOOTER_ENABLE, OnPageCheck)
    ON_UPDATE_COMMAND_UI_RANGE(ID_FOOTER_ENABLE, ID_FOOTER_ENABLE, OnUpdatePageCheck)
    ON_COMMAND_RANGE(ID_MARKING_WIRE, ID_MARKING_WIRE, OnPageCheck)
    ON_UPDATE_COMMAND_UI_RANGE(ID_MARKING_WIRE, ID_MARKING_WIRE, OnUpdatePageCheck)
    ON_COMMAND_RANGE(ID_MARKING_CABLE, ID_MARKING_CABLE, OnPageCheck)
    ON_UPDATE_COMMAND_UI_RANGE(ID_MARKING_CABLE, ID_MARKING_CABLE, OnUpdatePageCheck)
    ON_COMMAND_RANGE(ID_MARKING_COMPONENT, ID_MARKING_COMPONENT, OnPageCheck)
    ON_UPDATE_COMMAND_UI_RANGE(ID_MARKING_COMPONENT, ID_MARKING_COMPONENT, OnUpdatePageCheck)
    ON_COMMAND_RANGE(ID_MARKING_TERMINAL_BLOCK, ID_MARKING_TERMINAL_BLOCK, OnPageCheck)
    ON_UPDATE_COMMAND_UI_RANGE(ID_MARKING_TERMINAL_BLOCK, ID_MARKING_TERMINAL_BLOCK, OnUpdatePageCheck)
    ON_COMMAND_RANGE(ID_MARKING_PLC, ID_MARKING_PLC, OnPageCheck)
    ON_UPDATE_COMMAND_UI_RANGE(ID_MARKING_PLC, ID_MARKING_PLC, OnUpdatePageCheck)
    ON_COMMAND_RANGE(ID_MARKING_OTHER, ID_MARKING_OTHER, OnPageCheck)
    ON_UPDATE_COMMAND_UI_RANGE(ID_MARKING_OTHER, ID_MARKING_OTHER, OnUpdatePageCheck)
    ON_COMMAND_RANGE(ID_MARKING_MODULE, ID_MARKING_MODULE, OnPageCheck)
    ON_UPDATE_COMMAND_UI_RANGE(ID_MARKING_MODULE, ID_MARKING_MODULE, OnUpdatePageCheck)
    ON_COMMAND_RANGE(ID_PRINTER_TYPE_LASER, ID_PRINTER_TYPE_LASER, OnPageCheck)
    ON_UPDATE_COMMAND_UI_RANGE(ID_PRINTER_TYPE_LASER, ID_PRINTER_TYPE_LASER, OnUpdatePageCheck)
    ON_COMMAND_RANGE(ID_PRINTER_TYPE_THERMO, ID_PRINTER_TYPE_THERMO, OnPageCheck)
    ON_UPDATE_COMMAND_UI_RANGE(ID_PRINTER_TYPE_THERMO, ID_PRINTER_TYPE_THERMO, OnUpdatePageCheck)
    ON_COMMAND_RANGE(ID_PRINTER_TYPE_THERMAL_TRANSFER, ID_PRINTER_TYPE_THERMAL_TRANSFER, OnPageCheck)
    ON_UPDATE_COMMAND_UI_RANGE(ID_PRINTER_TYPE_THERMAL_TRANSFER, ID_PRINTER_TYPE_THERMAL_TRANSFER, OnUpdatePageCheck)
    ON_COMMAND_RANGE(ID_PRINTER_TYPE_OTHER, ID_PRINTER_TYPE_OTHER, OnPageCheck)
    ON_UPDATE_COMMAND_UI_RANGE(ID_PRINTER_TYPE_OTHER, ID_PRINTER_TYPE_OTHER, OnUpdatePageCheck)
    ON_COMMAND_RANGE(ID_PRINTER_SELECT_DEVICE, ID_PRINTER_SELECT_DEVICE, OnPageCheck)
    ON_UPDATE_COMMAND_UI_RANGE(ID_PRINTER_SELECT_DEVICE, ID_PRINTER_SELECT_DEVICE, OnUpdatePageCheck)
    ON_COMMAND_RANGE(ID_PRINTER_STORE_SETTING, ID_PRINTER_STORE_SETTING, OnPageCheck)
    ON_UPDATE_COMMAND_UI_RANGE(ID_PRINTER_STORE_SETTING, ID_PRINTER_STORE_SETTING, OnUpdatePageCheck)
    ON_COMMAND_RANGE(ID_ENGRAVE_LABEL_BORDERS, ID_ENGRAVE_LABEL_BORDERS, OnPageCheck)
    ON_UPDATE_COMMAND_UI_RANGE(ID_ENGRAVE_LABEL_BORDERS, ID_ENGRAVE_LABEL_BORDERS, OnUpdatePageCheck)
    ON_COMMAND_RANGE(ID_ENGRAVE_PAUSE_PAGES, ID_ENGRAVE_PAUSE_PAGES, OnPageCheck)
    ON_UPDATE_COMMAND_UI_RANGE(ID_ENGRAVE_PAUSE_PAGES, ID_ENGRAVE_PAUSE_PAGES, OnUpdatePageCheck)
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
    if (hint == 0 || (hint & kHintDesignViews) != 0)
        Invalidate(TRUE);
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
            m_zoom = stored;
            if (CWnd* parent = GetParent())
                parent->PostMessage(WM_DESIGN_ZOOMCHANGED, static_cast<WPARAM>(m_zoom), 0);
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
