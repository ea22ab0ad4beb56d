// The application menu of the started program: the main category's buttons in order with their
// pictures from strips 114 and 115, New's and Print's drop-downs with their descriptions, the
// split buttons and drop-down entries doing what their commands do, recent documents opening
// their file, and key tips and closing through the program's own message loop.
#include "document/labeldoc.h"
#include "framework/doc.h"
#include "framework/doctempl.h"
#include "framework/ribbonappmenu.h"
#include "framework/ribbonbar.h"
#include "framework/ribbonlook.h"
#include "framework/view.h"
#include "testsupport/dibcanvas.h"
#include "testsupport/fileprinter.h"
#include "testsupport/focusrecorder.h"
#include "testsupport/printdialogrecorder.h"
#include "ui/commandids.h"
#include "ui/resourceids.h"
#include "ui/tests/uitestsupport.h"
#include "testsupport/appmenuprobe.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace {

using Kind = CRibbonApplicationMenu::Kind;
using Item = CRibbonApplicationMenu::Item;

class ApplicationMenu : public StartedAppTest {
protected:
    void SetUp() override
    {
        StartedAppTest::SetUp();
        if (HasFatalFailure())
            return;
        bar = &frame->GetRibbonBar();
        DrainMessages();
    }
    void TearDown() override
    {
        if (Menu() != nullptr)
            Menu()->Close();
        // Nothing to offer for saving when the program closes.
        if (app != nullptr)
            app->CloseAllDocuments(FALSE);
        StartedAppTest::TearDown();
    }
    CRibbonApplicationMenu* Menu() { return bar->GetApplicationMenu(); }
    CRibbonApplicationMenu* Open()
    {
        bar->ShowApplicationMenu();
        EXPECT_TRUE(bar->IsApplicationMenuOpen());
        return Menu();
    }
    COstrelindSoftLabelDoc* Doc()
    {
        CFrameWnd* active = frame->GetActiveFrame();
        return active != nullptr ? dynamic_cast<COstrelindSoftLabelDoc*>(active->GetActiveDocument()) : nullptr;
    }
    int Find(UINT id, Kind kind) { return FindAppMenuItem(Menu(), id, kind); }
    const Item& ItemOf(UINT id, Kind kind = Kind::Button) { return AppMenuItemOf(Menu(), id, kind); }
    void ClickMenu(CPoint pt)
    {
        ClickAppMenuAt(Menu(), pt);
        DrainMessages();
    }
    CPoint Face(UINT id) { return CPoint(ItemOf(id).rect.left + 20, ItemOf(id).rect.CenterPoint().y); }
    std::vector<std::string> Pane() { return AppMenuPane(Menu()); }
    void Pump() { PumpThroughApp(app.get()); }
    // A key as the keyboard gives it to the active view (down, then up).
    void Press(WPARAM key, bool system = false)
    {
        CView* view = frame->GetActiveFrame() != nullptr ? frame->GetActiveFrame()->GetActiveView() : nullptr;
        HWND target = view != nullptr ? view->m_hWnd : frame->m_hWnd;
        ::PostMessageA(target, system ? WM_SYSKEYDOWN : WM_KEYDOWN, key, 1);
        ::PostMessageA(target, system ? WM_SYSKEYUP : WM_KEYUP, key, static_cast<LPARAM>(0xC0000001));
        Pump();
    }
    // The strip's picture drawn over color, as the menu draws an enabled element's.
    static std::unique_ptr<DibCanvas> Picture(HIMAGELIST images, int index, int size, COLORREF color)
    {
        auto picture = std::make_unique<DibCanvas>(size, size, color);
        ::ImageList_Draw(images, index, picture->dc().m_hDC, 0, 0, ILD_TRANSPARENT);
        return picture;
    }

    FocusRecorder focus{ false };
    CMFCRibbonBar* bar = nullptr;
};

struct StripIndex {
    UINT id;
    int index;
};

} // namespace

TEST_F(ApplicationMenu, HoldsTheMainCategoryInOrderWithItsPictures)
{
    CRibbonApplicationMenu* menu = Open();
    ASSERT_NE(nullptr, menu);
    std::vector<std::string> column, bottom;
    AppMenuColumnAndBottom(menu, column, bottom);
    EXPECT_EQ((std::vector<std::string>{ "New", "Open...", "Save", "Save As...", "Print", "Send to", "-", "Close" }),
              column);
    EXPECT_EQ((std::vector<std::string>{ "About KORVELTA-PRINT", "Exit" }), bottom);
    EXPECT_EQ("heading:Recent Documents", Pane().front());
    EXPECT_EQ(300, menu->GetPaneRect().Width());
    EXPECT_TRUE(ItemOf(ID_FILE_NEW).IsSplit());
    EXPECT_TRUE(ItemOf(ID_FILE_PRINT).IsSplit());
    EXPECT_FALSE(ItemOf(ID_FILE_OPEN).IsSplit());

    // The column's pictures are the 32 x 32 ones of strip 114, the bottom row's the 16 x 16 ones of
    // strip 115, at the main category's image indices.
    CMFCRibbonCategory* main = bar->GetMainCategory();
    EXPECT_EQ(114u, main->GetImagesId(true));
    EXPECT_EQ(115u, main->GetImagesId(false));
    CSize size = menu->GetSize();
    DibCanvas canvas(size.cx, size.cy);
    menu->Render(canvas.dc());
    const COLORREF face = CRibbonLook::Colors().panelFace;
    auto drawn = [&](const Item& item, bool large, int index) {
        CRect at = item.ImageRect();
        const int pixels = large ? 32 : 16;
        ASSERT_EQ(pixels, at.Width()) << item.text.GetString();
        EXPECT_EQ(index, item.element->GetImageIndex(large)) << item.text.GetString();
        auto picture = Picture(main->GetImages(large), index, pixels, face);
        int differ = 0, ink = 0;
        for (int y = 0; y < pixels; ++y)
            for (int x = 0; x < pixels; ++x) {
                differ += canvas.Pixel(at.left + x, at.top + y) != picture->Pixel(x, y);
                ink += picture->Pixel(x, y) != face;
            }
        EXPECT_EQ(0, differ) << item.text.GetString();
        EXPECT_GT(ink, pixels * pixels / 16) << item.text.GetString();
    };
    // Open and New have handlers without a project too; with one (the start opens one) all do.
    ASSERT_NE(nullptr, Doc());
    const StripIndex column32[] = { { ID_FILE_NEW, 0 }, { ID_FILE_OPEN, 1 }, { ID_FILE_SAVE, 2 }, { ID_FILE_SAVE_AS, 3 },
                                 { ID_FILE_CLOSE, 9 } };
    for (const StripIndex& entry : column32) {
        ASSERT_TRUE(ItemOf(entry.id).element->IsEnabled()) << entry.id;
        drawn(ItemOf(entry.id), true, entry.index);
    }
    drawn(ItemOf(ID_APP_EXIT, Kind::Bottom), false, 15);
    EXPECT_EQ(6, ItemOf(ID_FILE_PRINT).element->GetImageIndex(true));
    EXPECT_EQ(5, ItemOf(ID_FILE_SEND_TO).element->GetImageIndex(true));
    EXPECT_TRUE(ItemOf(ID_APP_ABOUT, Kind::Bottom).ImageRect().IsRectEmpty());
    // A large picture is drawn at 32 x 32, not the small one scaled: it differs from the 16 x 16.
    auto large = Picture(main->GetImages(true), 0, 32, face);
    auto small = Picture(main->GetImages(false), 0, 16, face);
    EXPECT_GT(32 * 32 - large->CountPixels(face), 16 * 16 - small->CountPixels(face));
}

TEST_F(ApplicationMenu, NewAndPrintShowTheirDropDownsWithDescriptions)
{
    Open();
    ClickMenu(ItemOf(ID_FILE_NEW).ArrowRect().CenterPoint());
    ASSERT_TRUE(bar->IsApplicationMenuOpen());
    EXPECT_EQ((std::vector<std::string>{ "heading:Create a new project", "button:Project", "heading:Add to project",
                                         "button:Template", "button:Table" }),
              Pane());
    // Each entry describes itself with the description of its command's prompt.
    for (UINT id : std::vector<UINT>{ ID_FILE_NEW, ID_NEW_TEMPLATE, ID_NEW_TABLE }) {
        CString prompt, description, tip;
        ASSERT_TRUE(prompt.LoadString(id)) << id;
        SplitRibbonPrompt(prompt, description, tip);
        EXPECT_FALSE(description.IsEmpty()) << id;
        EXPECT_STREQ(description, ItemOf(id, Kind::SubButton).element->GetDescription()) << id;
        // Room for the description under the caption.
        EXPECT_GE(ItemOf(id, Kind::SubButton).rect.Height(), 40) << id;
    }

    ClickMenu(ItemOf(ID_FILE_PRINT).ArrowRect().CenterPoint());
    EXPECT_EQ((std::vector<std::string>{ "button:Print Setup" }), Pane());
    const Item& setup = ItemOf(ID_FILE_PRINT_SETUP, Kind::SubButton);
    EXPECT_FALSE(setup.element->GetDescription().IsEmpty());
    EXPECT_EQ(11, setup.element->GetImageIndex(true));
    // Its picture: strip 114 at 11, over the pane's face.
    CSize size = Menu()->GetSize();
    DibCanvas canvas(size.cx, size.cy);
    Menu()->Render(canvas.dc());
    CRect at = setup.ImageRect();
    COLORREF under = canvas.Pixel(Menu()->GetPaneRect().right - 3, Menu()->GetPaneRect().bottom - 3);
    auto picture = Picture(bar->GetMainCategory()->GetImages(true), 11, 32, under);
    int differ = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            differ += canvas.Pixel(at.left + x, at.top + y) != picture->Pixel(x, y);
    EXPECT_EQ(0, differ);
}

TEST_F(ApplicationMenu, SplitButtonsAndDropDownEntriesDoWhatTheirCommandsDo)
{
    ASSERT_NE(nullptr, Doc());
    ASSERT_TRUE(printtest::EnsureFilePrinter());
    // New's face: a second project.
    Open();
    ClickMenu(Face(ID_FILE_NEW));
    EXPECT_FALSE(bar->IsApplicationMenuOpen());
    EXPECT_EQ(2, app->GetOpenDocumentCount());

    // Template and Table from New's drop-down add to the active project.
    COstrelindSoftLabelDoc* doc = Doc();
    ASSERT_NE(nullptr, doc);
    const int templates = doc->GetTemplateCount(), tables = doc->GetTableCount();
    Open();
    ClickMenu(ItemOf(ID_FILE_NEW).ArrowRect().CenterPoint());
    ClickMenu(ItemOf(ID_NEW_TEMPLATE, Kind::SubButton).rect.CenterPoint());
    EXPECT_EQ(templates + 1, doc->GetTemplateCount());
    Open();
    ClickMenu(ItemOf(ID_FILE_NEW).ArrowRect().CenterPoint());
    ClickMenu(ItemOf(ID_NEW_TABLE, Kind::SubButton).rect.CenterPoint());
    EXPECT_EQ(tables + 1, doc->GetTableCount());
    // Project in the drop-down is New again.
    Open();
    ClickMenu(ItemOf(ID_FILE_NEW).ArrowRect().CenterPoint());
    ClickMenu(ItemOf(ID_FILE_NEW, Kind::SubButton).rect.CenterPoint());
    EXPECT_EQ(3, app->GetOpenDocumentCount());

    // Print's face asks for the print dialog; Print Setup for the setup form of it.
    doc = Doc();
    ASSERT_TRUE(doc->NewLabelDefinition());
    doc->SetAreaWidth(50000, 0);
    doc->SetAreaHeight(30000, 0);
    PrintDialogRecorder dialogs;
    dialogs.AnswerCancel();
    Open();
    ClickMenu(Face(ID_FILE_PRINT));
    ASSERT_EQ(1u, dialogs.Count());
    EXPECT_FALSE(dialogs.Last().setup);
    dialogs.AnswerCancel();
    Open();
    ClickMenu(ItemOf(ID_FILE_PRINT).ArrowRect().CenterPoint());
    ClickMenu(ItemOf(ID_FILE_PRINT_SETUP, Kind::SubButton).rect.CenterPoint());
    ASSERT_EQ(2u, dialogs.Count());
    EXPECT_TRUE(dialogs.Last().setup);
}

TEST_F(ApplicationMenu, RecentEntriesOpenTheirFile)
{
    COstrelindSoftLabelDoc* doc = Doc();
    ASSERT_NE(nullptr, doc);
    const CString shelf = dir.Path("shelf.proj");
    ASSERT_TRUE(doc->OnSaveDocument(shelf));
    app->CloseAllDocuments(FALSE);
    DrainMessages();
    ASSERT_EQ(0, app->GetOpenDocumentCount());
    ASSERT_NE(nullptr, app->m_pRecentFileList);
    const CString gone = dir.Path("gone.proj");
    app->m_pRecentFileList->Add(shelf);
    app->m_pRecentFileList->Add(gone);   // newest: entry 1

    Open();
    ASSERT_GE(Pane().size(), 3u);
    EXPECT_NE(std::string::npos, Pane()[1].find("gone.proj"));
    EXPECT_NE(std::string::npos, Pane()[2].find("shelf.proj"));
    // The entry of a file that is gone says so and leaves the list; nothing opens.
    ClickMenu(Menu()->GetItem(Menu()->FindRecentItem(0)).rect.CenterPoint());
    EXPECT_EQ(1u, boxes.Count());
    EXPECT_EQ(0, app->GetOpenDocumentCount());
    ASSERT_GE(app->m_pRecentFileList->GetCount(), 1);
    EXPECT_EQ(0, (*app->m_pRecentFileList)[0].CompareNoCase(shelf));

    // The saved project's entry opens it.
    Open();
    EXPECT_NE(std::string::npos, Pane()[1].find("shelf.proj"));
    ClickMenu(Menu()->GetItem(Menu()->FindRecentItem(0)).rect.CenterPoint());
    EXPECT_FALSE(bar->IsApplicationMenuOpen());
    ASSERT_EQ(1, app->GetOpenDocumentCount());
    ASSERT_NE(nullptr, Doc());
    EXPECT_EQ(0, Doc()->GetPathName().CompareNoCase(shelf));
    EXPECT_EQ(1u, boxes.Count());
}

TEST_F(ApplicationMenu, KeyTipsAndClosingGoThroughTheProgramsMessageLoop)
{
    ASSERT_NE(nullptr, Doc());
    // Alt (F10), F: the panel with its key tips; every element has one of its own.
    Press(VK_F10, true);
    ASSERT_EQ(1, bar->GetKeyTipLevel());
    Press('F');
    ASSERT_TRUE(bar->IsApplicationMenuOpen());
    CRibbonApplicationMenu* menu = Menu();
    EXPECT_TRUE(menu->IsShowingKeyTips());
    std::vector<std::string> tips;
    for (int i = 0; i < menu->GetItemCount(); ++i) {
        const Item& item = menu->GetItem(i);
        if (item.kind != Kind::Button && item.kind != Kind::Bottom)
            continue;
        EXPECT_FALSE(item.keys.IsEmpty()) << item.text.GetString();
        tips.push_back(item.keys.GetString());
    }
    std::vector<std::string> sorted = tips;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(sorted.end(), std::adjacent_find(sorted.begin(), sorted.end()));
    EXPECT_STREQ("P", ItemOf(ID_FILE_PRINT).keys);
    EXPECT_STREQ("W", ItemOf(ID_FILE_PRINT).menuKeys);
    EXPECT_STREQ("N", ItemOf(ID_FILE_NEW).keys);
    EXPECT_STREQ("X", ItemOf(ID_APP_EXIT, Kind::Bottom).keys);

    // W: Print's drop-down takes the keys; Escape steps back, a second Escape closes.
    Press('W');
    EXPECT_EQ(bar->FindByID(ID_FILE_PRINT), menu->GetDropDownButton());
    EXPECT_EQ(1, menu->GetKeyLevel());
    EXPECT_STREQ("U", ItemOf(ID_FILE_PRINT_SETUP, Kind::SubButton).keys);
    Press(VK_ESCAPE);
    EXPECT_TRUE(menu->IsOpen());
    EXPECT_EQ(0, menu->GetKeyLevel());
    Press(VK_ESCAPE);
    EXPECT_FALSE(menu->IsOpen());
    EXPECT_EQ(0, bar->GetKeyTipLevel());
    EXPECT_EQ(1, app->GetOpenDocumentCount());

    // Alt, F, N: a new project.
    Press(VK_F10, true);
    Press('F');
    Press('N');
    EXPECT_FALSE(bar->IsApplicationMenuOpen());
    EXPECT_EQ(2, app->GetOpenDocumentCount());

    // Alt, F, W, P... P on the drop-down's level is not Print: nothing but its own entries answer.
    Press(VK_F10, true);
    Press('F');
    Press('W');
    Press('P');
    EXPECT_TRUE(bar->IsApplicationMenuOpen());
    Press(VK_ESCAPE);
    Press(VK_ESCAPE);

    // Opened by a click, a click on the design canvas closes it; the click goes no further and
    // the canvas gets the next one.
    Open();
    CView* view = frame->GetActiveFrame()->GetActiveView();
    ASSERT_NE(nullptr, view);
    ::PostMessageA(view->m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    ::PostMessageA(view->m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    Pump();
    EXPECT_FALSE(bar->IsApplicationMenuOpen());
    MSG next = {};
    next.hwnd = view->m_hWnd;
    next.message = WM_LBUTTONDOWN;
    EXPECT_FALSE(bar->ProcessKeyTipMessage(&next));
    // Escape through the loop closes a panel opened by a click too.
    Open();
    Press(VK_ESCAPE);
    EXPECT_FALSE(bar->IsApplicationMenuOpen());
    EXPECT_EQ(2, app->GetOpenDocumentCount());
}
