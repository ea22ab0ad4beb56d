// The ribbon's contents: the application menu, the ten categories with their panels and
// elements, the Style and Help buttons and the quick access toolbar. Read beside the tables of
// categories, panels and elements: one line per element, in order.
#include "framework/app.h"
#include "framework/msgbox.h"
#include "framework/ribbonbar.h"
#include "labelmodel/labelpaper.h"
#include "ui/commandids.h"
#include "ui/mainframe.h"
#include "ui/resourceids.h"

#include <algorithm>
#include <initializer_list>
#include <vector>

namespace {

CString Str(UINT id)
{
    CString text;
    text.LoadString(id);
    return text;
}

CString Printf(const char* format, double value)
{
    CString text;
    text.Format(format, value);
    return text;
}

std::vector<CString> Millimetres(std::initializer_list<double> values)
{
    std::vector<CString> items;
    for (double v : values)
        items.push_back(Printf("%g mm", v));
    return items;
}

// Elements followed by a separator within their panel.
bool SeparatorFollows(UINT id)
{
    static const UINT ids[] = {
        ID_ZOOM, ID_SOURCE_COLUMN, ID_LABEL_IMPORT, ID_PAPER_HEIGHT, ID_TABLE_SEQUENCE,
        ID_TABLE_REPLACE, ID_FILTER_SETUP, ID_ARRANGE_SEND_TO_BACK, ID_ALIGN_RIGHT, ID_POSITION_Y,
        ID_DUPLICATE_LEFT, ID_QR_MARGIN, ID_QR_ENCODING, ID_AUTOINC_SUFFIX, ID_HELPLINES_HORZ_SPACING,
    };
    return std::find(std::begin(ids), std::end(ids), id) != std::end(ids);
}

CMFCRibbonButton* Button(UINT id, const char* text, int image = -1)
{
    return new CMFCRibbonButton(id, text, image);
}

// A large button: its picture from the category's 32 x 32 strip above its caption, and the same
// index in the 16 x 16 strip when a narrow frame makes it small.
CMFCRibbonButton* Large(UINT id, const char* text, int image)
{
    auto* button = new CMFCRibbonButton(id, text, image, image);
    button->SetLarge(true);
    return button;
}

CMFCRibbonCheckBox* Check(UINT id, const char* text)
{
    return new CMFCRibbonCheckBox(id, text);
}

CMFCRibbonEdit* Edit(UINT id, int width, const char* label)
{
    return new CMFCRibbonEdit(id, width, label);
}

// An edit of a number: it grows where sample, its widest value, would not show whole.
CMFCRibbonEdit* Number(UINT id, int width, const char* label, const char* sample)
{
    CMFCRibbonEdit* edit = Edit(id, width, label);
    edit->SetSampleText(sample);
    return edit;
}

// An edit of a length as the design view shows them ("%g mm" or "%.5g in"): six digits and the
// unit at the widest.
CMFCRibbonEdit* Length(UINT id, int width, const char* label)
{
    return Number(id, width, label, "888.888 mm");
}

CMFCRibbonEdit* SpinEdit(UINT id, int width, const char* label, int min, int max)
{
    CString widest;
    widest.Format("%d", max);
    CMFCRibbonEdit* edit = Number(id, width, label, widest);
    edit->EnableSpinButtons(min, max);
    return edit;
}

CMFCRibbonComboBox* Combo(UINT id, int width, const char* label, const std::vector<CString>& items)
{
    auto* combo = new CMFCRibbonComboBox(id, TRUE, width, label);
    for (const CString& item : items)
        combo->AddItem(item);
    return combo;
}

CMFCRibbonColorButton* Color(UINT id, const char* text, UINT otherId, const std::vector<COLORREF>& palette = {})
{
    auto* button = new CMFCRibbonColorButton(id, text);
    if (!palette.empty())
        button->SetPalette(palette);
    button->EnableOtherButton(Str(otherId));
    return button;
}

CMFCRibbonButtonsGroup* Group(std::initializer_list<CMFCRibbonBaseElement*> buttons)
{
    auto* group = new CMFCRibbonButtonsGroup;
    for (CMFCRibbonBaseElement* button : buttons)
        group->AddButton(button);
    return group;
}

// Adds the elements to a new panel, each followed by its separator where one belongs.
void Panel(CMFCRibbonCategory* category, const char* name, int icon,
           std::initializer_list<CMFCRibbonBaseElement*> elements)
{
    CMFCRibbonPanel* panel = category->AddPanel(name, icon);
    for (CMFCRibbonBaseElement* element : elements) {
        panel->Add(element);
        if (SeparatorFollows(element->GetID()))
            panel->AddSeparator();
    }
}

std::vector<CString> Texts(std::initializer_list<const char*> texts)
{
    return std::vector<CString>(texts.begin(), texts.end());
}

std::vector<CString> StringRange(UINT first, UINT last)
{
    std::vector<CString> items;
    for (UINT id = first; id <= last; ++id)
        items.push_back(Str(id));
    return items;
}

// A button of the application menu: the same index in the main category's 16 x 16 and 32 x 32
// strips (the menu's column shows the large picture, its bottom row the small one).
CMFCRibbonButton* MenuButton(UINT id, const char* text, int image = -1)
{
    return new CMFCRibbonButton(id, text, image, image);
}

void BuildApplicationMenu(CMFCRibbonBar& bar)
{
    bar.SetApplicationButton("\nf", Str(IDS_RIBBON_FILE), IDB_APP_BUTTON);
    CMFCRibbonMainPanel* menu = bar.AddMainCategory(Str(IDS_RIBBON_FILE), 115, 114);

    CMFCRibbonButton* fileNew = MenuButton(ID_FILE_NEW, Str(IDS_RIBBON_NEW), 0);
    fileNew->AddSubItem(new CMFCRibbonLabel(Str(IDS_RIBBON_CREATE_PROJECT)));
    fileNew->AddSubItem(MenuButton(ID_FILE_NEW, Str(IDS_RIBBON_NEW_PROJECT)));
    fileNew->AddSubItem(new CMFCRibbonLabel(Str(IDS_RIBBON_ADD_TO_PROJECT)));
    fileNew->AddSubItem(MenuButton(ID_NEW_TEMPLATE, Str(IDS_RIBBON_NEW_TEMPLATE)));
    fileNew->AddSubItem(MenuButton(ID_NEW_TABLE, Str(IDS_RIBBON_NEW_TABLE)));
    fileNew->SetAlwaysShowDescription(true);
    menu->Add(fileNew);

    menu->Add(MenuButton(ID_FILE_OPEN, Str(IDS_RIBBON_OPEN), 1));
    menu->Add(MenuButton(ID_FILE_SAVE, Str(IDS_RIBBON_SAVE), 2));
    menu->Add(MenuButton(ID_FILE_SAVE_AS, Str(IDS_RIBBON_SAVE_AS), 3));

    // "p" prints, "w" opens the drop-down.
    CMFCRibbonButton* print = MenuButton(ID_FILE_PRINT, Str(IDS_RIBBON_PRINT), 6);
    print->SetKeys("p", "w");
    print->AddSubItem(MenuButton(ID_FILE_PRINT_SETUP, Str(IDS_RIBBON_PRINT_SETUP), 11));
    print->SetAlwaysShowDescription(true);
    menu->Add(print);

    menu->Add(MenuButton(ID_FILE_SEND_TO, Str(IDS_RIBBON_SEND_TO), 5));
    menu->AddSeparator();
    menu->Add(MenuButton(ID_FILE_CLOSE, Str(IDS_RIBBON_CLOSE), 9));
    menu->AddRecentFilesList(Str(IDS_RIBBON_RECENT_DOCS), 300);

    CString about;
    about.Format(Str(IDS_RIBBON_ABOUT), ProgramTitle().GetString());
    menu->AddToBottom(MenuButton(ID_APP_ABOUT, about));
    menu->AddToBottom(MenuButton(ID_APP_EXIT, Str(IDS_RIBBON_EXIT), 15));
}

void BuildHome(CMFCRibbonBar& bar)
{
    CMFCRibbonCategory* home = bar.AddCategory(Str(IDS_RIBBON_HOME), 311, 111);
    Panel(home, "Template", 49, {
        Large(ID_SELECT_LABEL, "Select label", 16),
        Button(ID_TEMPLATE_GUIDE, "Guide", 15),
        Button(ID_TEMPLATE_IMPORT, "Import", 17),
    });
    Panel(home, "Clipboard\nd", 27, {
        Large(ID_EDIT_PASTE, "Paste\nv", 0),
        Button(ID_EDIT_CUT, "Cut\nx", 1),
        Button(ID_EDIT_COPY, "Copy\nc", 2),
        Button(ID_EDIT_SELECT_ALL, "Select All\na"),
    });
    Panel(home, "View", 36, {
        Check(ID_VIEW_FIELD_CODES, "Field codes"),
        Check(ID_VIEW_FIELD_CONTOURS, "Field contours"),
        Combo(ID_ZOOM, 50, "Zoom", Texts({ "50 %", "100 %", "200 %", "400 %" })),
        Button(ID_AREA_HEADER, "Header"),
        Button(ID_AREA_LABEL, "Label"),
        Button(ID_AREA_FOOTER, "Footer"),
    });
    Panel(home, "Insert", 65, {
        Large(ID_INSERT_TEXT, "Text", 3),
        Large(ID_INSERT_BARCODE, "Barcode", 4),
        Large(ID_INSERT_IMAGE, "Image", 5),
    });

    std::vector<CString> columns;
    for (char c = 'A'; c <= 'Z'; ++c) {
        CString item;
        item.Format("%c", c);
        columns.push_back(item);
    }
    CString image = Str(IDS_RIBBON_IMAGE);
    if (image.IsEmpty())
        image = "Image";
    for (int i = 1; i <= 26; ++i) {
        CString item;
        item.Format("%s %d", image.GetString(), i);
        columns.push_back(item);
    }
    Panel(home, "Data source", 48, {
        Button(ID_SOURCE_CONSTANT, "Constant"),
        Button(ID_SOURCE_TABLE, "Table"),
        Combo(ID_SOURCE_COLUMN, 50, "Column", columns),
        Button(ID_SOURCE_DATE, "Date"),
        Button(ID_SOURCE_TIME, "Time"),
        Button(ID_SOURCE_AUTOINC, "Auto increment"),
    });

    Panel(home, "Font/Text alignment", 29, {
        new CMFCRibbonFontComboBox(ID_FONT_FACE, DEVICE_FONTTYPE | RASTER_FONTTYPE | TRUETYPE_FONTTYPE,
                                   DEFAULT_CHARSET),
        Combo(ID_FONT_SIZE, 30, "Size",
              Texts({ "8", "9", "10", "11", "12", "14", "16", "18", "20", "22", "24", "26", "28", "36", "48", "72" })),
        Group({ Button(ID_FORMAT_BOLD, "Bold", 6), Button(ID_FORMAT_ITALIC, "Italic", 7),
                Button(ID_FORMAT_UNDERLINE, "Underline", 8) }),
        Group({ Button(ID_TEXT_ALIGN_LEFT, "Left", 9), Button(ID_TEXT_ALIGN_CENTER, "Center", 10),
                Button(ID_TEXT_ALIGN_RIGHT, "Right", 11) }),
        Color(ID_TEXT_COLOR, "Color", IDS_RIBBON_OTHER_COLOR),
    });

    std::vector<CString> modules = Millimetres({ 0.2, 0.3, 0.4, 0.6, 0.8, 1 });
    for (const char* percent : { "80 %", "100 %", "120 %", "150 %", "200 %" })
        modules.push_back(percent);
    Panel(home, "Barcode", 30, {
        Combo(ID_BARCODE_SYMBOL, 80, "Symbol",
              Texts({ "2/5 Interleaved", "Code 128", "Code 39", "EAN 128", "EAN 13", "EAN 8", "QR Code\xAE", "UPCA" })),
        Combo(ID_BARCODE_MODULE, 80, "Module", modules),
        Combo(ID_BARCODE_HEIGHT, 80, "Height",
              Texts({ "5 mm", "6 mm", "8 mm", "10 mm", "12 mm", "15 mm", "20 mm", "50 %", "60 %", "70 %", "80 %",
                      "90 %", "95 %", "100 %" })),
    });
}

void BuildLabel(CMFCRibbonBar& bar)
{
    CMFCRibbonCategory* label = bar.AddCategory(Str(IDS_RIBBON_LABEL), 115, 114);
    Panel(label, "Definition", 58, {
        Large(ID_LABEL_NEW, "&New", 0),
        Large(ID_LABEL_LOAD, "Load", 1),
        Button(ID_LABEL_IMPORT, "Import"),
        Button(ID_LABEL_SAVE, "Save label", 2),
        Button(ID_LABEL_SAVE_AS, "Save label as...", 3),
        Button(ID_LABEL_DELETE, "Delete", 15),
    });
    std::vector<CString> papers;
    for (int code = 1; code <= 43; ++code) {
        CString name = GetPaperTableName(code);
        if (!name.IsEmpty())
            papers.push_back(name);
    }
    papers.push_back("User defined");
    Panel(label, "Paper", 53, {
        Combo(ID_PAPER_SIZE, 70, "Size", papers),
        Length(ID_PAPER_WIDTH, 70, "Width"),
        Length(ID_PAPER_HEIGHT, 70, "Height"),
        Button(ID_PAPER_PORTRAIT, "Portrait"),
        Button(ID_PAPER_LANDSCAPE, "Landscape"),
    });
    Panel(label, "Size and shape", 56, {
        Length(ID_LABEL_WIDTH, 60, "Width"),
        Length(ID_LABEL_HEIGHT, 60, "Height"),
        Length(ID_LABEL_CORNER_RADIUS, 60, "Radius"),
        Button(ID_LABEL_SHAPE_RECT, "Rectangular"),
        Button(ID_LABEL_SHAPE_ROUNDED, "Rounded corners"),
        Button(ID_LABEL_SHAPE_ELLIPSE, "Elliptical"),
    });
    Panel(label, "Margins", 34, {
        Length(ID_MARGIN_TOP, 60, "Top :"),
        Length(ID_MARGIN_LEFT, 60, "Left :"),
    });
    Panel(label, "Page layout", 57, {
        SpinEdit(ID_LAYOUT_ROWS, 50, "Rows :", 1, 100),
        SpinEdit(ID_LAYOUT_COLUMNS, 50, "Cols   :", 1, 100),
    });
    Panel(label, "Label spacing", 55, {
        Length(ID_SPACING_HORZ, 60, "Hor :"),
        Length(ID_SPACING_VERT, 60, "Ver :"),
    });
    Panel(label, "Printer", 35, {
        Check(ID_PRINTER_SELECT_DEVICE, "Select device"),
        Check(ID_PRINTER_STORE_SETTING, "Store setting"),
        Button(ID_PRINTER_SETUP, "Setup"),
    });
}

void BuildPage(CMFCRibbonBar& bar)
{
    CMFCRibbonCategory* page = bar.AddCategory(Str(IDS_RIBBON_PAGE), 110, 111);
    Panel(page, "Vertical blocks", 54, {
        Number(ID_BLOCKS_COUNT, 60, "Count :", "100"),
        Length(ID_BLOCKS_SPACE, 60, "Space : "),
    });
    Panel(page, "Header", 39, {
        Length(ID_HEADER_WIDTH, 70, "Width"),
        Length(ID_HEADER_HEIGHT, 70, "Height"),
        Check(ID_HEADER_ENABLE, "Enable"),
        Length(ID_HEADER_FROM_TOP, 70, "From top :"),
        Length(ID_HEADER_FROM_LEFT, 70, "From left :"),
    });
    Panel(page, "Footer", 38, {
        Length(ID_FOOTER_WIDTH, 70, "Width"),
        Length(ID_FOOTER_HEIGHT, 70, "Height"),
        Check(ID_FOOTER_ENABLE, "Enable"),
        Length(ID_FOOTER_FROM_TOP, 70, "From top :"),
        Length(ID_FOOTER_FROM_LEFT, 70, "From left :"),
    });
}

void BuildLabelInfo(CMFCRibbonBar& bar)
{
    CMFCRibbonCategory* info = bar.AddCategory(Str(IDS_RIBBON_LABEL_INFO), 110, 111);
    Panel(info, "Marking type", 59, {
        Check(ID_MARKING_WIRE, "Wire"),
        Check(ID_MARKING_CABLE, "Cable"),
        Check(ID_MARKING_COMPONENT, "Component"),
        Check(ID_MARKING_TERMINAL_BLOCK, "Terminal block"),
        Check(ID_MARKING_PLC, "PLC"),
        Check(ID_MARKING_MODULE, "Module"),
        Check(ID_MARKING_OTHER, "Other"),
    });
    Panel(info, "Printer type", 7, {
        Check(ID_PRINTER_TYPE_LASER, "Laser"),
        Check(ID_PRINTER_TYPE_THERMO, "Thermo"),
        Check(ID_PRINTER_TYPE_THERMAL_TRANSFER, "Thermal transfer"),
        Check(ID_PRINTER_TYPE_OTHER, "Other"),
    });
    // Filled with the library's family names at start-up.
    Panel(info, "Family", 9, {
        Combo(ID_FAMILY_NAME, 200, "Name", {}),
    });
    Panel(info, "Files", 9, {
        Button(ID_LABEL_IMAGE_FILE, "Image", 14),
        Button(ID_LABEL_INFO_FILE, "Info", 13),
        Button(ID_LABEL_FILES_DELETE, "Delete"),
    });
}

void BuildTable(CMFCRibbonBar& bar)
{
    CMFCRibbonCategory* table = bar.AddCategory(Str(IDS_RIBBON_TABLE), 314, 111);
    Panel(table, "Import", 31, {
        Button(ID_TABLE_IMPORT, "Table", 14),
        Button(ID_TABLE_IMPORT_TEXT, "Text file", 15),
        Button(ID_TABLE_IMPORT_EXCEL, "Excel file"),
    });
    Panel(table, "Goto", 44, {
        Group({ Button(ID_TABLE_FIRST_ROW, "First row", 0), Button(ID_TABLE_PREV_PAGE, "Previous page", 1),
                Button(ID_TABLE_PREV_ROW, "Previous row", 2) }),
        Button(ID_TABLE_NEXT_ROW, "Next row", 3),
        Button(ID_TABLE_NEXT_PAGE, "Next page", 4),
        Button(ID_TABLE_LAST_ROW, "Last row", 5),
    });
    Panel(table, "Edit", 45, {
        Button(ID_TABLE_REPEAT, "Repeat", 6),
        Button(ID_TABLE_SEQUENCE, "Sequence", 7),
        Button(ID_TABLE_FIND, "Find", 8),
        Button(ID_TABLE_REPLACE, "Replace", 9),
        Button(ID_TABLE_INSERT_ROW, "Insert row", 10),
        Button(ID_TABLE_INSERT_COLUMN, "Insert column", 11),
    });
    Panel(table, "Sort", 40, {
        Button(ID_TABLE_SORT_ASCENDING, "Ascending", 12),
        Button(ID_TABLE_SORT_DESCENDING, "Descending", 13),
    });
    Panel(table, "Image", 32, {
        Check(ID_TABLE_IMAGE_COLUMN, "Image column"),
        Button(ID_TABLE_LINK_IMAGE, "Link image", 16),
    });
    Panel(table, "Filter", 28, {
        Check(ID_FILTER_ENABLE, "Enable"),
        Button(ID_FILTER_SETUP, "Setup", 17),
        Button(ID_FILTER_LOAD, "Load", 18),
        Button(ID_FILTER_STORE, "Store", 19),
    });
}

void BuildDraw(CMFCRibbonBar& bar)
{
    CMFCRibbonCategory* draw = bar.AddCategory(Str(IDS_RIBBON_DRAW), 315, 111);
    Panel(draw, "Object", 64, {
        Button(ID_DRAW_LINE, "Line", 0),
        Button(ID_DRAW_RECTANGLE, "Rectangle", 1),
        Button(ID_DRAW_ROUNDED_RECTANGLE, "Rounded rectangle", 2),
        Button(ID_DRAW_TRIANGLE, "Triangle", 3),
        Button(ID_DRAW_ELLIPSE, "Ellipse", 4),
    });
    Panel(draw, "Border", 62, {
        Combo(ID_BORDER_LINE_WIDTH, 80, "Line width", Millimetres({ 0.1, 0.125, 0.25, 0.5, 1, 1.25, 2.5, 5 })),
        Color(ID_BORDER_COLOR, "Border color", IDS_RIBBON_OTHER_COLOR),
    });
    Panel(draw, "Background", 63, {
        Check(ID_BACKGROUND_TRANSPARENT, "Transparent"),
        Color(ID_FILL_COLOR, "Fill color", IDS_RIBBON_OTHER_COLOR),
    });
    Panel(draw, "Corners", 61, {
        Combo(ID_CORNER_RADIUS, 80, "Radius", Millimetres({ 0.1, 0.125, 0.25, 0.5, 1, 1.25, 2.5, 5 })),
    });
    Panel(draw, "Triangle", 60, {
        Check(ID_TRIANGLE_WARNING_SIGN, "Warning sign"),
    });
}

void BuildFineTune(CMFCRibbonBar& bar)
{
    CMFCRibbonCategory* fine = bar.AddCategory(Str(IDS_RIBBON_FINE_TUNE), 310, 111);
    Panel(fine, "Protect", 33, {
        Check(ID_LOCK_DOCUMENT, "Lock"),
    });
    Panel(fine, "Arrange", 19, {
        Button(ID_ARRANGE_BRING_TO_FRONT, "Bring to front", 0),
        Button(ID_ARRANGE_SEND_TO_BACK, "Send to back", 1),
        Button(ID_ARRANGE_BRING_FORWARD, "Bring forward", 3),
        Button(ID_ARRANGE_SEND_BACKWARD, "Send backward", 2),
    });
    Panel(fine, "Align", 42, {
        Button(ID_ALIGN_LEFT, "Left", 4),
        Button(ID_ALIGN_CENTER_HORZ, "Horizontal", 5),
        Button(ID_ALIGN_RIGHT, "Right", 6),
        Button(ID_ALIGN_TOP, "Top", 7),
        Button(ID_ALIGN_CENTER_VERT, "Vertical", 9),
        Button(ID_ALIGN_BOTTOM, "Bottom", 8),
    });
    Panel(fine, "Space evenly", 50, {
        Button(ID_SPACE_EVENLY_HORZ, "Horizontal", 14),
        Button(ID_SPACE_EVENLY_VERT, "Vertical", 15),
    });
    Panel(fine, "Position", 43, {
        Length(ID_POSITION_X, 70, "X:"),
        Length(ID_POSITION_Y, 70, "Y:"),
        Length(ID_POSITION_WIDTH, 70, "Width :"),
        Length(ID_POSITION_HEIGHT, 70, "Height:"),
    });
}

void BuildEdit(CMFCRibbonBar& bar)
{
    CMFCRibbonCategory* edit = bar.AddCategory(Str(IDS_RIBBON_EDIT), 310, 111);
    Panel(edit, "Image", 32, {
        Button(ID_IMAGE_IMPORT, "Import", 17),
        Button(ID_IMAGE_RESET_SIZE, "Reset", 16),
    });
    Panel(edit, "Duplicate", 41, {
        Button(ID_DUPLICATE_ABOVE, "Above"),
        Button(ID_DUPLICATE_LEFT, "Left"),
        Button(ID_DUPLICATE_RIGHT, "Right"),
        Button(ID_DUPLICATE_BELOW, "Below"),
    });
    Panel(edit, "Rotate", 51, {
        Button(ID_ROTATE_LEFT, "Left", 12),
        Button(ID_ROTATE_RIGHT, "Right", 13),
    });
    Panel(edit, "Group", 52, {
        Button(ID_EDIT_COMBINE, "Combine objects", 10),
        Button(ID_EDIT_SPLIT, "Split", 11),
    });
}

void BuildFormat(CMFCRibbonBar& bar)
{
    CMFCRibbonCategory* format = bar.AddCategory(Str(IDS_RIBBON_FORMAT), 110, 111);
    Panel(format, "Text", 1, {
        Check(ID_TEXT_AUTO_SIZE, "Auto size"),
        Check(ID_TEXT_CENTER_VERT, "Center vertical"),
        Combo(ID_CHARACTER_SET, 120, "Character set", StringRange(IDS_CHARSET_FIRST, IDS_CHARSET_LAST)),
    });
    std::vector<CString> versions;
    for (int v = 1; v <= 40; ++v) {
        CString item;
        item.Format("%d", v);
        versions.push_back(item);
    }
    Panel(format, "Barcode", 30, {
        Combo(ID_BARCODE_RATIO, 50, "Ratio        :", { "2:1", Printf("%g:1", 2.5), "3:1" }),
        Combo(ID_BARCODE_COMPENSATION, 50, "Compens.:", Texts({ "-1", "0", "1", "2" })),
        Combo(ID_QR_MARGIN, 50, "QR margin:", Texts({ "4", "5", "6" })),
        Combo(ID_QR_VERSION, 50, "QR version", versions),
        Combo(ID_QR_ECC_LEVEL, 50, "ECC level", Texts({ "L", "M", "Q", "H" })),
        Combo(ID_QR_ENCODING, 50, "QR encodning", { Str(IDS_QR_ENCODING_8BIT), Str(IDS_QR_ENCODING_KANJI) }),
        Check(ID_BARCODE_CHECK_DIGIT, "Add check digit"),
        Check(ID_BARCODE_HUMAN_READABLE, "Show Human readable"),
        Check(ID_BARCODE_HR_CHECK_DIGIT, "Show HR check digit"),
    });
    Panel(format, "Date", 47, {
        Combo(ID_DATE_FORMAT, 80, "Format", StringRange(IDS_DATE_FORMAT_FIRST, IDS_DATE_FORMAT_FIRST + 4)),
        Number(ID_DATE_OFFSET, 50, "Offset ( days )", "-365"),
    });
    Panel(format, "Auto increment", 46, {
        Edit(ID_AUTOINC_PREFIX, 50, "Prefix: "),
        Edit(ID_AUTOINC_VALUE, 50, "Value : "),
        Edit(ID_AUTOINC_SUFFIX, 50, "Suffix: "),
        Check(ID_AUTOINC_LEADING_ZERO, "Leading zero"),
        Number(ID_AUTOINC_MIN_DIGITS, 50, "Min digits: ", "10"),
    });
    // Reached only through the quick access toolbar.
    format->AddHidden(Button(ID_EDIT_UNDO, Str(IDS_RIBBON_UNDO), 10));
    format->AddHidden(Button(ID_EDIT_REDO, Str(IDS_RIBBON_REDO), 15));
}

void BuildOptions(CMFCRibbonBar& bar)
{
    CMFCRibbonCategory* options = bar.AddCategory(Str(IDS_RIBBON_OPTIONS), 115, 114);
    Panel(options, "Designer", 7, {
        Check(ID_SHOW_RULERS, "Show rulers"),
    });
    Panel(options, "Helplines", 7, {
        Check(ID_HELPLINES_HORZ, "Horizontal"),
        SpinEdit(ID_HELPLINES_HORZ_SPACING, 50, "Horizontal", 0, 10),
        Check(ID_HELPLINES_VERT, "Vertical"),
        SpinEdit(ID_HELPLINES_VERT_SPACING, 50, "Vertical", 0, 10),
    });
    const std::vector<COLORREF> palette = {
        RGB(0, 0, 0),     RGB(255, 0, 0),   RGB(0, 255, 0),   RGB(255, 255, 0),   RGB(0, 0, 255),
        RGB(255, 0, 255), RGB(0, 255, 255), RGB(255, 102, 0), RGB(255, 255, 255),
    };
    Panel(options, "Engrave", -1, {
        Check(ID_ENGRAVE_LABEL_BORDERS, "Draw label borders"),
        Check(ID_ENGRAVE_PAUSE_PAGES, "Pause between pages"),
        Color(ID_ENGRAVE_BORDER_COLOR, "Border color", IDS_RIBBON_OTHER, palette),
        Combo(ID_ENGRAVE_LINE_WIDTH, 80, "Line width", Millimetres({ 0, 0.1, 0.15, 0.25, 0.5, 1, 1.5, 2.5, 5 })),
    });
    Panel(options, "Table", 37, {
        Combo(ID_FIELD_DELIMITER, 80, "Delimiter", StringRange(IDS_FIELD_DELIMITER_NONE, IDS_FIELD_DELIMITER_NONE + 2)),
        Check(ID_SEPARATE_BLANK_FIELDS, "Separate blank fields"),
    });
}

} // namespace

void CMainFrame::CreateRibbon()
{
    CMFCRibbonBar& bar = m_wndRibbonBar;
    bar.SetPanelImages(IDB_PANEL_IMAGES);
    BuildApplicationMenu(bar);
    BuildHome(bar);
    BuildLabel(bar);
    BuildPage(bar);
    BuildLabelInfo(bar);
    BuildTable(bar);
    BuildDraw(bar);
    BuildFineTune(bar);
    BuildEdit(bar);
    BuildFormat(bar);
    BuildOptions(bar);

    CMFCRibbonButton* style = Button(static_cast<UINT>(-1), Str(IDS_RIBBON_STYLE));
    style->SetMenu(IDR_STYLE_MENU, FALSE, TRUE);
    style->SetToolTipText(Str(IDS_RIBBON_STYLE_TIP));
    style->SetDescription(Str(IDS_RIBBON_STYLE_DESC));
    bar.AddToTabs(style);

    bar.SetQuickAccessCommands({ ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, ID_EDIT_UNDO, ID_EDIT_REDO, ID_FILE_PRINT });
    bar.AddToTabs(Button(ID_HELP, "\na", 0));
}
