// The built ribbon's pictures, sizes and narrow layouts, and what the main frame remembers: every
// element with a picture takes it from the right strip and index, strips hold the pictures their
// indices need, large buttons show their picture, disabled ones draw it grey, every look paints,
// every command stays reachable in a narrow frame, and placement and category come back.
#include "framework/ribbonbar.h"
#include "framework/ribbonlook.h"
#include "testsupport/dibcanvas.h"
#include "ui/commandids.h"
#include "ui/resourceids.h"
#include "ui/tests/uitestsupport.h"

#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {

struct ImageRow {
    UINT id;
    UINT strip;     // bitmap resource of the category's small or large images
    int index;
    bool large;
};

// The category tables' images, with the buttons the ribbon shows large.
const ImageRow kImages[] = {
    { ID_FILE_NEW, 115, 0, false }, { ID_FILE_OPEN, 115, 1, false }, { ID_FILE_SAVE, 115, 2, false },
    { ID_FILE_SAVE_AS, 115, 3, false }, { ID_FILE_PRINT, 115, 6, false }, { ID_FILE_PRINT_SETUP, 115, 11, false },
    { ID_FILE_SEND_TO, 115, 5, false }, { ID_FILE_CLOSE, 115, 9, false }, { ID_APP_EXIT, 115, 15, false },
    { ID_SELECT_LABEL, 111, 16, true }, { ID_TEMPLATE_GUIDE, 311, 15, false }, { ID_TEMPLATE_IMPORT, 311, 17, false },
    { ID_EDIT_PASTE, 111, 0, true }, { ID_EDIT_CUT, 311, 1, false }, { ID_EDIT_COPY, 311, 2, false },
    { ID_INSERT_TEXT, 111, 3, true }, { ID_INSERT_BARCODE, 111, 4, true }, { ID_INSERT_IMAGE, 111, 5, true },
    { ID_FORMAT_BOLD, 311, 6, false }, { ID_FORMAT_ITALIC, 311, 7, false }, { ID_FORMAT_UNDERLINE, 311, 8, false },
    { ID_TEXT_ALIGN_LEFT, 311, 9, false }, { ID_TEXT_ALIGN_CENTER, 311, 10, false },
    { ID_TEXT_ALIGN_RIGHT, 311, 11, false },
    { ID_LABEL_NEW, 114, 0, true }, { ID_LABEL_LOAD, 114, 1, true }, { ID_LABEL_SAVE, 115, 2, false },
    { ID_LABEL_SAVE_AS, 115, 3, false }, { ID_LABEL_DELETE, 115, 15, false },
    { ID_LABEL_IMAGE_FILE, 110, 14, false }, { ID_LABEL_INFO_FILE, 110, 13, false },
    { ID_TABLE_IMPORT, 314, 14, false }, { ID_TABLE_IMPORT_TEXT, 314, 15, false },
    { ID_TABLE_FIRST_ROW, 314, 0, false }, { ID_TABLE_PREV_PAGE, 314, 1, false }, { ID_TABLE_PREV_ROW, 314, 2, false },
    { ID_TABLE_NEXT_ROW, 314, 3, false }, { ID_TABLE_NEXT_PAGE, 314, 4, false }, { ID_TABLE_LAST_ROW, 314, 5, false },
    { ID_TABLE_REPEAT, 314, 6, false }, { ID_TABLE_SEQUENCE, 314, 7, false }, { ID_TABLE_FIND, 314, 8, false },
    { ID_TABLE_REPLACE, 314, 9, false }, { ID_TABLE_INSERT_ROW, 314, 10, false },
    { ID_TABLE_INSERT_COLUMN, 314, 11, false }, { ID_TABLE_SORT_ASCENDING, 314, 12, false },
    { ID_TABLE_SORT_DESCENDING, 314, 13, false }, { ID_TABLE_LINK_IMAGE, 314, 16, false },
    { ID_FILTER_SETUP, 314, 17, false }, { ID_FILTER_LOAD, 314, 18, false }, { ID_FILTER_STORE, 314, 19, false },
    { ID_DRAW_LINE, 315, 0, false }, { ID_DRAW_RECTANGLE, 315, 1, false }, { ID_DRAW_ROUNDED_RECTANGLE, 315, 2, false },
    { ID_DRAW_TRIANGLE, 315, 3, false }, { ID_DRAW_ELLIPSE, 315, 4, false },
    { ID_ARRANGE_BRING_TO_FRONT, 310, 0, false }, { ID_ARRANGE_SEND_TO_BACK, 310, 1, false },
    { ID_ARRANGE_BRING_FORWARD, 310, 3, false }, { ID_ARRANGE_SEND_BACKWARD, 310, 2, false },
    { ID_ALIGN_LEFT, 310, 4, false }, { ID_ALIGN_CENTER_HORZ, 310, 5, false }, { ID_ALIGN_RIGHT, 310, 6, false },
    { ID_ALIGN_TOP, 310, 7, false }, { ID_ALIGN_CENTER_VERT, 310, 9, false }, { ID_ALIGN_BOTTOM, 310, 8, false },
    { ID_SPACE_EVENLY_HORZ, 310, 14, false }, { ID_SPACE_EVENLY_VERT, 310, 15, false },
    { ID_IMAGE_IMPORT, 310, 17, false }, { ID_IMAGE_RESET_SIZE, 310, 16, false },
    { ID_ROTATE_LEFT, 310, 12, false }, { ID_ROTATE_RIGHT, 310, 13, false },
    { ID_EDIT_COMBINE, 310, 10, false }, { ID_EDIT_SPLIT, 310, 11, false },
    { ID_EDIT_UNDO, 110, 10, false }, { ID_EDIT_REDO, 110, 15, false },
};

// Each strip's picture size and how many pictures the drawing script puts in it.
struct StripSize {
    UINT id;
    int size;
    int count;
};
const StripSize kStrips[] = {
    { 110, 16, 16 }, { 111, 32, 18 }, { 113, 16, 66 }, { 114, 32, 16 }, { 115, 16, 16 }, { 179, 16, 28 },
    { 180, 16, 28 }, { 310, 16, 18 }, { 311, 16, 18 }, { 314, 16, 20 }, { 315, 16, 5 },
};

class RibbonImages : public ::testing::Test {
protected:
    void SetUp() override
    {
        DeleteTestProfile();
        Start();
    }
    void Start()
    {
        app.reset(new TestLabelApp(dir));
        ASSERT_TRUE(app->InitInstance());
        frame = app->GetMainFrame();
        ASSERT_NE(nullptr, frame);
        bar = &frame->GetRibbonBar();
    }
    void TearDown() override
    {
        app.reset();
        CRibbonLook::Apply(kDefaultApplicationLook);
        DeleteTestProfile();
    }
    void Width(int width)
    {
        bar->MoveWindow(0, 0, width, CMFCRibbonBar::kHeight);
        bar->RecalcLayout();
    }
    // The bar painted into a canvas of its size.
    std::unique_ptr<DibCanvas> Paint()
    {
        CRect client;
        bar->GetClientRect(&client);
        auto canvas = std::make_unique<DibCanvas>(client.Width(), client.Height());
        bar->Render(canvas->dc());
        return canvas;
    }
    static void WriteWorkspace(const char* entry, int value)
    {
        HKEY key = nullptr;
        CString path = TestProfileKey() + "\\Workspace";
        ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                                                   nullptr));
        DWORD data = static_cast<DWORD>(value);
        ::RegSetValueExA(key, entry, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof data);
        ::RegCloseKey(key);
    }
    static int ReadWorkspace(const char* entry)
    {
        DWORD data = 0, size = sizeof data;
        CString path = TestProfileKey() + "\\Workspace";
        if (::RegGetValueA(HKEY_CURRENT_USER, path, entry, RRF_RT_REG_DWORD, nullptr, &data, &size) != ERROR_SUCCESS)
            return -12345;
        return static_cast<int>(data);
    }
    static bool IsGrey(COLORREF c)
    {
        int r = GetRValue(c), g = GetGValue(c), b = GetBValue(c);
        return std::abs(r - g) <= 2 && std::abs(g - b) <= 2;
    }

    TempDir dir;
    MessageBoxRecorder boxes;
    std::unique_ptr<TestLabelApp> app;
    CMainFrame* frame = nullptr;
    CMFCRibbonBar* bar = nullptr;
};

} // namespace

TEST_F(RibbonImages, EveryElementTakesItsPictureFromTheRightStripAndIndex)
{
    for (const ImageRow& row : kImages) {
        CMFCRibbonBaseElement* element = frame->FindRibbonElement(row.id);
        ASSERT_NE(nullptr, element) << row.id;
        CMFCRibbonCategory* category = element->GetCategory();
        ASSERT_NE(nullptr, category) << row.id;
        auto* button = dynamic_cast<CMFCRibbonButton*>(element);
        ASSERT_NE(nullptr, button) << row.id;
        EXPECT_EQ(row.large, button->IsLargeButton()) << row.id;
        EXPECT_EQ(row.strip, category->GetImagesId(row.large)) << row.id;
        EXPECT_EQ(row.index, element->GetImageIndex(row.large)) << row.id;
        // The picture exists in the loaded strip, also the small one a narrow frame shows.
        HIMAGELIST images = category->GetImages(row.large);
        ASSERT_NE(nullptr, images) << row.id;
        EXPECT_LT(row.index, ::ImageList_GetImageCount(images)) << row.id;
        EXPECT_LT(element->GetImageIndex(false), ::ImageList_GetImageCount(category->GetImages(false))) << row.id;
    }
    // Help takes panel image 0; the application button and the panels have their bitmaps.
    CMFCRibbonBaseElement* help = bar->FindByID(ID_HELP);
    ASSERT_NE(nullptr, help);
    EXPECT_EQ(0, help->GetImageIndex(false));
    ASSERT_NE(nullptr, bar->GetPanelImages());
    EXPECT_EQ(66, ::ImageList_GetImageCount(bar->GetPanelImages()));
    for (int c = 0; c < bar->GetCategoryCount(); ++c)
        for (int p = 0; p < bar->GetCategory(c)->GetPanelCount(); ++p)
            EXPECT_LT(bar->GetCategory(c)->GetPanel(p)->GetIcon(), 66);
}

TEST_F(RibbonImages, EachStripHoldsThePicturesItsCountNeeds)
{
    for (const StripSize& strip : kStrips) {
        HBITMAP bitmap = static_cast<HBITMAP>(
            ::LoadImageA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(strip.id), IMAGE_BITMAP, 0, 0, 0));
        ASSERT_NE(nullptr, bitmap) << strip.id;
        BITMAP info = {};
        ::GetObjectA(bitmap, sizeof info, &info);
        EXPECT_EQ(strip.size * strip.count, info.bmWidth) << strip.id;
        EXPECT_EQ(strip.size, info.bmHeight) << strip.id;
        ::DeleteObject(bitmap);
    }
    HBITMAP button = static_cast<HBITMAP>(
        ::LoadImageA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_APP_BUTTON), IMAGE_BITMAP, 0, 0, 0));
    ASSERT_NE(nullptr, button);
    BITMAP info = {};
    ::GetObjectA(button, sizeof info, &info);
    EXPECT_EQ(45, info.bmWidth);
    EXPECT_EQ(45, info.bmHeight);
    ::DeleteObject(button);
}

TEST_F(RibbonImages, LargeButtonsShowTheirPictureAndDisabledOnesDrawItGrey)
{
    Width(1280);
    frame->OnIdleUpdateCmdUI();
    CMFCRibbonBaseElement* paste = frame->FindRibbonElement(ID_EDIT_PASTE);
    ASSERT_NE(nullptr, paste);
    ASSERT_FALSE(paste->IsEnabled());   // nothing to paste into without a project
    CRect rect = paste->GetRect();
    EXPECT_GE(rect.Height(), 3 * CMFCRibbonBar::kRowHeight);
    EXPECT_GE(rect.Width(), 32);
    auto canvas = Paint();
    const COLORREF face = CRibbonLook::Colors().panelFace;
    int picture = 0, coloured = 0;
    for (int y = rect.top + 4; y < rect.top + 36; ++y)
        for (int x = rect.CenterPoint().x - 16; x < rect.CenterPoint().x + 16; ++x) {
            COLORREF c = canvas->Pixel(x, y);
            if (c == face)
                continue;
            ++picture;
            coloured += IsGrey(c) ? 0 : 1;
        }
    EXPECT_GT(picture, 150);      // a picture, not the background
    EXPECT_EQ(0, coloured);       // greyed

    // An enabled button (New on the quick access toolbar) keeps its colours.
    CMFCRibbonBaseElement* fileNew = bar->GetQuickAccessElement(0);
    ASSERT_TRUE(fileNew->IsEnabled());
    CRect small = fileNew->GetRect();
    int colours = 0;
    for (int y = small.top; y < small.bottom; ++y)
        for (int x = small.left; x < small.left + 24; ++x)
            colours += IsGrey(canvas->Pixel(x, y)) ? 0 : 1;
    EXPECT_GT(colours, 10);
}

TEST_F(RibbonImages, EveryLookPaintsTheBarInItsColours)
{
    Width(1280);
    for (UINT look : { 214u, 215u, 216u, 217u, 218u }) {
        frame->OnApplicationLook(look);
        for (int c : { 0, 4 }) {
            bar->SetActiveCategory(bar->GetCategory(c));
            auto canvas = Paint();
            const RibbonColors& colors = CRibbonLook::Colors();
            // The strip behind the tabs at the far right and the panel area under the panels.
            EXPECT_EQ(colors.background, canvas->Pixel(canvas->Width() - 200, CMFCRibbonBar::kQuickAccessHeight + 2))
                << look;
            // The caption row over it: a darker band of the same colour in the Office 2007 looks.
            COLORREF band = canvas->Pixel(canvas->Width() - 200, 3);
            if (look >= 215) {
                EXPECT_LT(GetRValue(band) + GetGValue(band) + GetBValue(band),
                          GetRValue(colors.background) + GetGValue(colors.background) + GetBValue(colors.background));
                EXPECT_EQ(GetRValue(band) >= GetBValue(band), GetRValue(colors.background) >= GetBValue(colors.background));
            }
            EXPECT_EQ(colors.panelArea, canvas->Pixel(canvas->Width() - 3, canvas->Height() - 2)) << look;
            // The application button's picture is drawn over its face.
            CRect app = bar->GetApplicationButtonRect();
            EXPECT_NE(canvas->Pixel(app.CenterPoint().x, app.CenterPoint().y), colors.appButtonFace) << look;
        }
    }
}

TEST_F(RibbonImages, EveryCommandStaysReachableInNarrowFrames)
{
    for (int width : { 1280, 900, 640, 400 }) {
        Width(width);
        for (int c = 0; c < bar->GetCategoryCount(); ++c) {
            CMFCRibbonCategory* category = bar->GetCategory(c);
            bar->SetActiveCategory(category);
            EXPECT_LE(bar->GetTabRect(c).right, width) << width << " tab " << c;
            EXPECT_GT(bar->GetTabRect(c).Width(), 0);
            for (int p = 0; p < category->GetPanelCount(); ++p) {
                CMFCRibbonPanel* panel = category->GetPanel(p);
                EXPECT_LE(panel->GetRect().right, width) << width << " " << panel->GetName().GetString();
                if (width == 1280 && c == 0)
                    EXPECT_EQ(0, panel->GetCollapseLevel()) << panel->GetName().GetString();
                bool popup = panel->IsCollapsed();
                if (popup) {
                    bar->OpenPanelPopup(panel);
                    ASSERT_EQ(panel, bar->GetPopupPanel());
                }
                for (int i = 0; i < panel->GetCount(); ++i) {
                    std::vector<CMFCRibbonBaseElement*> elements = { panel->GetElement(i) };
                    if (auto* group = dynamic_cast<CMFCRibbonButtonsGroup*>(panel->GetElement(i))) {
                        elements.clear();
                        for (int b = 0; b < group->GetCount(); ++b)
                            elements.push_back(group->GetButton(b));
                    }
                    for (CMFCRibbonBaseElement* element : elements) {
                        if (!element->HasCommand())
                            continue;
                        CRect rect = element->GetRect();
                        EXPECT_FALSE(rect.IsRectEmpty()) << width << " " << element->GetID();
                        if (!popup)
                            EXPECT_LE(rect.right, width) << width << " " << element->GetID();
                    }
                }
                if (popup)
                    bar->ClosePanelPopup();
            }
        }
    }
}

TEST_F(RibbonImages, WindowPlacementCategoryAndMinimisedRibbonComeBack)
{
    bar->SetActiveCategory(bar->GetCategory(4));
    frame->MoveWindow(40, 30, 900, 600);
    app.reset();   // closing the frame stores its state
    EXPECT_EQ(40, ReadWorkspace("MainWindowLeft"));
    EXPECT_EQ(630, ReadWorkspace("MainWindowBottom"));
    EXPECT_EQ(0, ReadWorkspace("MainWindowMaximized"));
    EXPECT_EQ(4, ReadWorkspace("RibbonActiveCategory"));

    Start();
    CRect stored;
    bool maximized = true;
    ASSERT_TRUE(CMainFrame::ReadStoredPlacement(stored, maximized));
    EXPECT_EQ(CRect(40, 30, 940, 630), stored);
    EXPECT_FALSE(maximized);
    CRect rect;
    frame->GetWindowRect(&rect);
    EXPECT_EQ(CRect(40, 30, 940, 630), rect);
    EXPECT_EQ(bar->GetCategory(4), bar->GetActiveCategory());
    EXPECT_FALSE(bar->IsMinimized());
    bar->SetMinimized(true);
    app.reset();
    EXPECT_EQ(1, ReadWorkspace("RibbonMinimized"));

    // A profile with a maximised frame and a minimised ribbon.
    WriteWorkspace("MainWindowMaximized", 1);
    Start();
    EXPECT_TRUE(bar->IsMinimized());
    EXPECT_EQ(SW_SHOWMAXIMIZED, CMainFrame::AdjustShowCommand(SW_SHOWNORMAL));
    EXPECT_EQ(SW_HIDE, CMainFrame::AdjustShowCommand(SW_HIDE));
}

TEST_F(RibbonImages, APlacementOffEveryMonitorGivesTheDefault)
{
    app.reset();
    WriteWorkspace("MainWindowLeft", -30000);
    WriteWorkspace("MainWindowTop", -30000);
    WriteWorkspace("MainWindowRight", -29000);
    WriteWorkspace("MainWindowBottom", -29300);
    WriteWorkspace("MainWindowMaximized", 1);
    WriteWorkspace("RibbonActiveCategory", 99);
    Start();
    CRect stored;
    bool maximized = false;
    EXPECT_FALSE(CMainFrame::ReadStoredPlacement(stored, maximized));
    EXPECT_EQ(SW_SHOWNORMAL, CMainFrame::AdjustShowCommand(SW_SHOWNORMAL));
    CRect rect;
    frame->GetWindowRect(&rect);
    EXPECT_GT(rect.left, -1000);
    EXPECT_GT(rect.top, -1000);
    EXPECT_EQ(bar->GetCategory(0), bar->GetActiveCategory());   // an index out of range is ignored

    // A damaged size is no placement either.
    WriteWorkspace("MainWindowLeft", 10);
    WriteWorkspace("MainWindowTop", 10);
    WriteWorkspace("MainWindowRight", 5);
    WriteWorkspace("MainWindowBottom", 500);
    EXPECT_FALSE(CMainFrame::ReadStoredPlacement(stored, maximized));
}
