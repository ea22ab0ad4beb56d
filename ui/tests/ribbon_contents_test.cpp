// The ribbon's contents as built by the main frame: every element of the category tables can be
// found by id, the lists hold their items, separators stand where they belong.
#include "framework/ribbonbar.h"
#include "labelmodel/labelpaper.h"
#include "ui/commandids.h"
#include "ui/resourceids.h"
#include "ui/tests/uitestsupport.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace {

// The values the framework's names must have in the program's numbering.
static_assert(ID_FILE_NEW == 57600 && ID_FILE_OPEN == 57601 && ID_FILE_CLOSE == 57602 && ID_FILE_SAVE == 57603 &&
                  ID_FILE_SAVE_AS == 57604 && ID_FILE_PRINT_SETUP == 57606 && ID_FILE_PRINT == 57607 &&
                  ID_FILE_PRINT_DIRECT == 57608 && ID_FILE_MRU_FILE1 == 57616,
              "file ids");
static_assert(ID_EDIT_COPY == 57634 && ID_EDIT_CUT == 57635 && ID_EDIT_PASTE == 57637 && ID_EDIT_PASTE_LINK == 57638 &&
                  ID_EDIT_SELECT_ALL == 57642 && ID_EDIT_UNDO == 57643 && ID_EDIT_REDO == 57644,
              "edit ids");
static_assert(ID_WINDOW_NEW == 57648 && ID_WINDOW_ARRANGE == 57649 && ID_WINDOW_CASCADE == 57650 &&
                  ID_WINDOW_TILE_HORZ == 57651 && ID_WINDOW_SPLIT == 57653 && ID_APP_ABOUT == 57664 &&
                  ID_APP_EXIT == 57665 && ID_HELP == 57670 && ID_NEXT_PANE == 57680 && ID_PREV_PANE == 57681,
              "window and application ids");
static_assert(ID_OLE_INSERT_NEW == 57856 && ID_OLE_EDIT_LINKS == 57857 && ID_OLE_EDIT_CONVERT == 57858 &&
                  ID_OLE_VERB_FIRST == 57872 && ID_OLE_VERB_LAST == 57887 && ID_VIEW_STATUS_BAR == 59393 &&
                  ID_CANCEL_INPLACE_EDIT == 32768 && AFX_IDW_RIBBON_BAR == 59398 && AFX_IDW_STATUS_BAR == 59393,
              "OLE, bar and accelerator ids");

// Every element of the application menu, the category tables and the tabs' right side.
const UINT kElementIds[] = {
    ID_FILE_NEW, ID_NEW_TEMPLATE, ID_NEW_TABLE, ID_FILE_OPEN, ID_FILE_SAVE, ID_FILE_SAVE_AS, ID_FILE_PRINT,
    ID_FILE_PRINT_SETUP, ID_FILE_SEND_TO, ID_FILE_CLOSE, ID_APP_ABOUT, ID_APP_EXIT, ID_HELP,
    ID_SELECT_LABEL, ID_TEMPLATE_GUIDE, ID_TEMPLATE_IMPORT, ID_EDIT_PASTE, ID_EDIT_CUT, ID_EDIT_COPY,
    ID_EDIT_SELECT_ALL, ID_VIEW_FIELD_CODES, ID_VIEW_FIELD_CONTOURS, ID_ZOOM, ID_AREA_HEADER, ID_AREA_LABEL,
    ID_AREA_FOOTER, ID_INSERT_TEXT, ID_INSERT_BARCODE, ID_INSERT_IMAGE, ID_SOURCE_CONSTANT, ID_SOURCE_TABLE,
    ID_SOURCE_COLUMN, ID_SOURCE_DATE, ID_SOURCE_TIME, ID_SOURCE_AUTOINC, ID_FONT_FACE, ID_FONT_SIZE,
    ID_FORMAT_BOLD, ID_FORMAT_ITALIC, ID_FORMAT_UNDERLINE, ID_TEXT_ALIGN_LEFT, ID_TEXT_ALIGN_CENTER,
    ID_TEXT_ALIGN_RIGHT, ID_TEXT_COLOR, ID_BARCODE_SYMBOL, ID_BARCODE_MODULE, ID_BARCODE_HEIGHT, ID_LABEL_NEW,
    ID_LABEL_LOAD, ID_LABEL_IMPORT, ID_LABEL_SAVE, ID_LABEL_SAVE_AS, ID_LABEL_DELETE, ID_PAPER_SIZE,
    ID_PAPER_WIDTH, ID_PAPER_HEIGHT, ID_PAPER_PORTRAIT, ID_PAPER_LANDSCAPE, ID_LABEL_WIDTH, ID_LABEL_HEIGHT,
    ID_LABEL_CORNER_RADIUS, ID_LABEL_SHAPE_RECT, ID_LABEL_SHAPE_ROUNDED, ID_LABEL_SHAPE_ELLIPSE, ID_MARGIN_TOP,
    ID_MARGIN_LEFT, ID_LAYOUT_ROWS, ID_LAYOUT_COLUMNS, ID_SPACING_HORZ, ID_SPACING_VERT,
    ID_PRINTER_SELECT_DEVICE, ID_PRINTER_STORE_SETTING, ID_PRINTER_SETUP, ID_BLOCKS_COUNT, ID_BLOCKS_SPACE,
    ID_HEADER_WIDTH, ID_HEADER_HEIGHT, ID_HEADER_ENABLE, ID_HEADER_FROM_TOP, ID_HEADER_FROM_LEFT,
    ID_FOOTER_WIDTH, ID_FOOTER_HEIGHT, ID_FOOTER_ENABLE, ID_FOOTER_FROM_TOP, ID_FOOTER_FROM_LEFT,
    ID_MARKING_WIRE, ID_MARKING_CABLE, ID_MARKING_COMPONENT, ID_MARKING_TERMINAL_BLOCK, ID_MARKING_PLC,
    ID_MARKING_MODULE, ID_MARKING_OTHER, ID_PRINTER_TYPE_LASER, ID_PRINTER_TYPE_THERMO,
    ID_PRINTER_TYPE_THERMAL_TRANSFER, ID_PRINTER_TYPE_OTHER, ID_FAMILY_NAME, ID_LABEL_IMAGE_FILE,
    ID_LABEL_INFO_FILE, ID_LABEL_FILES_DELETE, ID_TABLE_IMPORT, ID_TABLE_IMPORT_TEXT, ID_TABLE_IMPORT_EXCEL,
    ID_TABLE_FIRST_ROW, ID_TABLE_PREV_PAGE, ID_TABLE_PREV_ROW, ID_TABLE_NEXT_ROW, ID_TABLE_NEXT_PAGE,
    ID_TABLE_LAST_ROW, ID_TABLE_REPEAT, ID_TABLE_SEQUENCE, ID_TABLE_FIND, ID_TABLE_REPLACE, ID_TABLE_INSERT_ROW,
    ID_TABLE_INSERT_COLUMN, ID_TABLE_SORT_ASCENDING, ID_TABLE_SORT_DESCENDING, ID_TABLE_IMAGE_COLUMN,
    ID_TABLE_LINK_IMAGE, ID_FILTER_ENABLE, ID_FILTER_SETUP, ID_FILTER_LOAD, ID_FILTER_STORE, ID_DRAW_LINE,
    ID_DRAW_RECTANGLE, ID_DRAW_ROUNDED_RECTANGLE, ID_DRAW_TRIANGLE, ID_DRAW_ELLIPSE, ID_BORDER_LINE_WIDTH,
    ID_BORDER_COLOR, ID_BACKGROUND_TRANSPARENT, ID_FILL_COLOR, ID_CORNER_RADIUS, ID_TRIANGLE_WARNING_SIGN,
    ID_LOCK_DOCUMENT, ID_ARRANGE_BRING_TO_FRONT, ID_ARRANGE_SEND_TO_BACK, ID_ARRANGE_BRING_FORWARD,
    ID_ARRANGE_SEND_BACKWARD, ID_ALIGN_LEFT, ID_ALIGN_CENTER_HORZ, ID_ALIGN_RIGHT, ID_ALIGN_TOP,
    ID_ALIGN_CENTER_VERT, ID_ALIGN_BOTTOM, ID_SPACE_EVENLY_HORZ, ID_SPACE_EVENLY_VERT, ID_POSITION_X,
    ID_POSITION_Y, ID_POSITION_WIDTH, ID_POSITION_HEIGHT, ID_IMAGE_IMPORT, ID_IMAGE_RESET_SIZE,
    ID_DUPLICATE_ABOVE, ID_DUPLICATE_LEFT, ID_DUPLICATE_RIGHT, ID_DUPLICATE_BELOW, ID_ROTATE_LEFT,
    ID_ROTATE_RIGHT, ID_EDIT_COMBINE, ID_EDIT_SPLIT, ID_TEXT_AUTO_SIZE, ID_TEXT_CENTER_VERT, ID_CHARACTER_SET,
    ID_BARCODE_RATIO, ID_BARCODE_COMPENSATION, ID_QR_MARGIN, ID_QR_VERSION, ID_QR_ECC_LEVEL, ID_QR_ENCODING,
    ID_BARCODE_CHECK_DIGIT, ID_BARCODE_HUMAN_READABLE, ID_BARCODE_HR_CHECK_DIGIT, ID_DATE_FORMAT,
    ID_DATE_OFFSET, ID_AUTOINC_PREFIX, ID_AUTOINC_VALUE, ID_AUTOINC_SUFFIX, ID_AUTOINC_LEADING_ZERO,
    ID_AUTOINC_MIN_DIGITS, ID_SHOW_RULERS, ID_HELPLINES_HORZ, ID_HELPLINES_HORZ_SPACING, ID_HELPLINES_VERT,
    ID_HELPLINES_VERT_SPACING, ID_ENGRAVE_LABEL_BORDERS, ID_ENGRAVE_PAUSE_PAGES, ID_ENGRAVE_BORDER_COLOR,
    ID_ENGRAVE_LINE_WIDTH, ID_FIELD_DELIMITER, ID_SEPARATE_BLANK_FIELDS,
};

const UINT kSeparatorAfter[] = {
    ID_ZOOM, ID_SOURCE_COLUMN, ID_LABEL_IMPORT, ID_PAPER_HEIGHT, ID_TABLE_SEQUENCE, ID_TABLE_REPLACE,
    ID_FILTER_SETUP, ID_ARRANGE_SEND_TO_BACK, ID_ALIGN_RIGHT, ID_POSITION_Y, ID_DUPLICATE_LEFT, ID_QR_MARGIN,
    ID_QR_ENCODING, ID_AUTOINC_SUFFIX, ID_HELPLINES_HORZ_SPACING,
};

std::vector<std::string> Items(CMFCRibbonBaseElement* element)
{
    std::vector<std::string> items;
    if (auto* combo = dynamic_cast<CMFCRibbonComboBox*>(element))
        for (int i = 0; i < combo->GetCount(); ++i)
            items.push_back(combo->GetItem(i).GetString());
    return items;
}

class RibbonContents : public ::testing::Test {
protected:
    void SetUp() override
    {
        DeleteTestProfile();
        app.reset(new TestLabelApp(dir));
        app->InitProfile();
        frame = new CMainFrame;
        ASSERT_TRUE(frame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE));
        app->m_pMainWnd = frame;
        bar = &frame->GetRibbonBar();
    }
    void TearDown() override
    {
        app.reset();
        DeleteTestProfile();
    }
    CMFCRibbonBaseElement* Find(UINT id) { return bar->FindByID(id, FALSE, TRUE); }

    TempDir dir;
    std::unique_ptr<TestLabelApp> app;
    CMainFrame* frame = nullptr;
    CMFCRibbonBar* bar = nullptr;
};

} // namespace

TEST_F(RibbonContents, EveryElementOfTheTablesIsFoundById)
{
    for (UINT id : kElementIds) {
        CMFCRibbonBaseElement* element = Find(id);
        ASSERT_NE(nullptr, element) << id;
        EXPECT_EQ(id, element->GetID());
    }
    // Undo and Redo are hidden: only the quick access toolbar shows them.
    EXPECT_EQ(nullptr, bar->FindByID(ID_EDIT_UNDO, TRUE, TRUE));
    EXPECT_NE(nullptr, Find(ID_EDIT_UNDO));
    EXPECT_NE(nullptr, Find(ID_EDIT_REDO));
}

TEST_F(RibbonContents, CategoriesQuickAccessAndTabButtons)
{
    std::vector<std::string> names;
    for (int i = 0; i < bar->GetCategoryCount(); ++i)
        names.push_back(bar->GetCategory(i)->GetName().GetString());
    std::vector<std::string> expected = { "&Home", "Label", "Page", "Label info", "Table", "Draw",
                                          "Fine tune layout", "Edit", "Format", "Options" };
    EXPECT_EQ(expected, names);
    EXPECT_STREQ("File", bar->GetMainCategory()->GetName());
    EXPECT_STREQ("File", bar->GetApplicationButtonToolTip());

    std::vector<UINT> quick;
    for (int i = 0; i < bar->GetQuickAccessCount(); ++i)
        quick.push_back(bar->GetQuickAccessElement(i)->GetID());
    EXPECT_EQ((std::vector<UINT>{ ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, ID_EDIT_UNDO, ID_EDIT_REDO, ID_FILE_PRINT }),
              quick);

    ASSERT_EQ(2, bar->GetTabElementCount());
    auto* style = dynamic_cast<CMFCRibbonButton*>(bar->GetTabElement(0));
    ASSERT_NE(nullptr, style);
    EXPECT_FALSE(style->HasCommand());
    EXPECT_STREQ("Style", style->GetText());
    EXPECT_STREQ("Modify Visual Style", style->GetToolTipText());
    EXPECT_TRUE(style->IsRightAligned());
    ASSERT_NE(nullptr, style->GetMenu());
    HMENU looks = style->GetMenu();
    if (::GetSubMenu(looks, 0) != nullptr)
        looks = ::GetSubMenu(looks, 0);
    ASSERT_EQ(4, ::GetMenuItemCount(looks));
    EXPECT_EQ(static_cast<UINT>(ID_APPLOOK_OFFICE2007_BLUE), ::GetMenuItemID(looks, 0));
    EXPECT_EQ(static_cast<UINT>(ID_APPLOOK_OFFICE2007_AQUA), ::GetMenuItemID(looks, 3));
    EXPECT_EQ(static_cast<UINT>(ID_HELP), bar->GetTabElement(1)->GetID());

    CString about = Find(ID_APP_ABOUT)->GetText();
    EXPECT_STREQ("About KORVELTA-PRINT", about);
    auto* fileNew = dynamic_cast<CMFCRibbonButton*>(Find(ID_FILE_NEW));
    ASSERT_NE(nullptr, fileNew);
    ASSERT_EQ(5, fileNew->GetSubItemCount());
    EXPECT_STREQ("Create a new project", fileNew->GetSubItem(0)->GetText());
    EXPECT_EQ(static_cast<UINT>(ID_NEW_TABLE), fileNew->GetSubItem(4)->GetID());
}

TEST_F(RibbonContents, ListsHoldTheirItems)
{
    EXPECT_EQ((std::vector<std::string>{ "50 %", "100 %", "200 %", "400 %" }), Items(Find(ID_ZOOM)));

    std::vector<std::string> columns = Items(Find(ID_SOURCE_COLUMN));
    ASSERT_EQ(52u, columns.size());
    EXPECT_EQ("A", columns[0]);
    EXPECT_EQ("Z", columns[25]);
    EXPECT_EQ("Image 1", columns[26]);
    EXPECT_EQ("Image 26", columns[51]);

    EXPECT_EQ((std::vector<std::string>{ "0.2 mm", "0.3 mm", "0.4 mm", "0.6 mm", "0.8 mm", "1 mm", "80 %", "100 %",
                                         "120 %", "150 %", "200 %" }),
              Items(Find(ID_BARCODE_MODULE)));
    std::vector<std::string> symbols = Items(Find(ID_BARCODE_SYMBOL));
    ASSERT_EQ(8u, symbols.size());
    EXPECT_EQ("QR Code\xAE", symbols[6]);
    EXPECT_EQ(16u, Items(Find(ID_FONT_SIZE)).size());
    EXPECT_EQ(14u, Items(Find(ID_BARCODE_HEIGHT)).size());
    EXPECT_EQ((std::vector<std::string>{ "2:1", "2.5:1", "3:1" }), Items(Find(ID_BARCODE_RATIO)));
    EXPECT_EQ(40u, Items(Find(ID_QR_VERSION)).size());
    EXPECT_EQ((std::vector<std::string>{ "8-bit data", "Kanji" }), Items(Find(ID_QR_ENCODING)));
    EXPECT_EQ(19u, Items(Find(ID_CHARACTER_SET)).size());
    EXPECT_EQ((std::vector<std::string>{ "Short", "Year (YY)", "Month (MM)", "Day (DD)", "Week number" }),
              Items(Find(ID_DATE_FORMAT)));
    EXPECT_EQ((std::vector<std::string>{ "None", "Space", "Line break" }), Items(Find(ID_FIELD_DELIMITER)));
    EXPECT_EQ((std::vector<std::string>{ "0 mm", "0.1 mm", "0.15 mm", "0.25 mm", "0.5 mm", "1 mm", "1.5 mm", "2.5 mm",
                                         "5 mm" }),
              Items(Find(ID_ENGRAVE_LINE_WIDTH)));
    EXPECT_EQ(8u, Items(Find(ID_CORNER_RADIUS)).size());
    EXPECT_TRUE(Items(Find(ID_FAMILY_NAME)).empty());

    std::vector<std::string> papers = Items(Find(ID_PAPER_SIZE));
    ASSERT_FALSE(papers.empty());
    EXPECT_EQ(GetPaperTableName(1), papers.front());
    EXPECT_EQ("User defined", papers.back());
    for (const std::string& paper : papers)
        EXPECT_FALSE(paper.empty());

    auto* engrave = dynamic_cast<CMFCRibbonColorButton*>(Find(ID_ENGRAVE_BORDER_COLOR));
    ASSERT_NE(nullptr, engrave);
    ASSERT_EQ(9u, engrave->GetPalette().size());
    EXPECT_EQ(RGB(255, 102, 0), engrave->GetPalette()[7]);
    EXPECT_EQ(RGB(255, 255, 255), engrave->GetPalette()[8]);

    auto* rows = dynamic_cast<CMFCRibbonEdit*>(Find(ID_LAYOUT_ROWS));
    ASSERT_NE(nullptr, rows);
    EXPECT_TRUE(rows->HasSpinButtons());
    EXPECT_EQ(std::make_pair(1, 100), rows->GetSpinRange());
    auto* spacing = dynamic_cast<CMFCRibbonEdit*>(Find(ID_HELPLINES_VERT_SPACING));
    ASSERT_NE(nullptr, spacing);
    EXPECT_EQ(std::make_pair(0, 10), spacing->GetSpinRange());
    EXPECT_EQ(200, dynamic_cast<CMFCRibbonEdit*>(Find(ID_FAMILY_NAME))->GetWidth());
}

TEST_F(RibbonContents, SeparatorsFollowTheirElements)
{
    int separators = 0;
    for (int c = 0; c < bar->GetCategoryCount(); ++c) {
        CMFCRibbonCategory* category = bar->GetCategory(c);
        for (int p = 0; p < category->GetPanelCount(); ++p) {
            CMFCRibbonPanel* panel = category->GetPanel(p);
            for (int e = 0; e < panel->GetCount(); ++e) {
                CMFCRibbonBaseElement* element = panel->GetElement(e);
                if (dynamic_cast<CMFCRibbonSeparator*>(element) != nullptr) {
                    ++separators;
                    continue;
                }
                bool wanted = std::find(std::begin(kSeparatorAfter), std::end(kSeparatorAfter), element->GetID()) !=
                              std::end(kSeparatorAfter);
                bool follows = e + 1 < panel->GetCount() &&
                               dynamic_cast<CMFCRibbonSeparator*>(panel->GetElement(e + 1)) != nullptr;
                EXPECT_EQ(wanted, follows) << element->GetID();
            }
        }
    }
    EXPECT_EQ(15, separators);
}
