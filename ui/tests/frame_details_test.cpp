// The main frame's details on the running program: the context menus of the canvas, the table and
// the preview carry the menu pictures of their commands (toolbar resource 179, drawn from the
// picture strip), every ribbon box shows its values whole at 96 dots per inch, a key tip into a
// box selects its text, and the document tabs draw in the look's colours.
#include "framework/menu.h"
#include "framework/menuimages.h"
#include "framework/ribbonbar.h"
#include "framework/ribbonlook.h"
#include "testsupport/dibcanvas.h"
#include "ui/commandids.h"
#include "ui/designview.h"
#include "ui/labelpreview.h"
#include "ui/labelview.h"
#include "ui/mainview.h"
#include "ui/resourceids.h"
#include "ui/tableview.h"
#include "ui/tabviews.h"
#include "ui/templateview.h"
#include "ui/tests/uitestsupport.h"
#include "testsupport/keyinput.h"
#include "testsupport/bitmappixels.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

struct ShownItem {
    UINT id;
    HBITMAP picture;    // HBMMENU_CALLBACK: the owner draws it
    ULONG_PTR data;
};
std::vector<ShownItem> g_shown;
HWND g_owner = nullptr;

void RecordItems(HMENU menu)
{
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
        if (HMENU sub = ::GetSubMenu(menu, i)) {
            RecordItems(sub);
            continue;
        }
        MENUITEMINFOA item = {};
        item.cbSize = sizeof item;
        item.fMask = MIIM_BITMAP | MIIM_ID | MIIM_FTYPE | MIIM_DATA;
        ::GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &item);
        if (!(item.fType & MFT_SEPARATOR))
            g_shown.push_back({ item.wID, item.hbmpItem, item.dwItemData });
    }
}

// Stands in for tracking the menu: what it would show, and no choice.
UINT RecordMenu(HMENU menu, UINT, int, int, HWND owner)
{
    g_shown.clear();
    g_owner = owner;
    RecordItems(menu);
    return 0;
}

// The commands of the menu pictures, read from the program's toolbar resource.
ToolBarLayout MenuToolBar()
{
    ToolBarLayout layout;
    HMODULE module = ::GetModuleHandleA(nullptr);
    HRSRC found = ::FindResourceA(module, MAKEINTRESOURCEA(IDR_MENU_IMAGES), MAKEINTRESOURCEA(241));
    if (found != nullptr)
        CMenuImages::ParseToolBar(::LockResource(::LoadResource(module, found)), ::SizeofResource(module, found),
                                  layout);
    return layout;
}

class FrameDetails : public StartedAppTest {
protected:
    void SetUp() override
    {
        StartedAppTest::SetUp();
        if (HasFatalFailure())
            return;
        frame->SendMessage(WM_COMMAND, ID_FILE_NEW);
        DrainMessages();
        CMDIChildWnd* child = frame->MDIGetActive();
        ASSERT_NE(nullptr, child);
        mainView = MainViewOf(child);
        ASSERT_NE(nullptr, mainView);
        previous = SetPopupMenuTracker(RecordMenu);
    }
    void TearDown() override
    {
        SetPopupMenuTracker(previous);
        app.reset();
        CRibbonLook::Apply(kDefaultApplicationLook);
        DeleteTestProfile();
    }
    // The pictures of the menu the window shows for a right click.
    void ExpectPictures(const char* what, const std::vector<UINT>& mustHave)
    {
        SCOPED_TRACE(what);
        ToolBarLayout layout = MenuToolBar();
        ASSERT_FALSE(layout.commands.empty());
        ASSERT_FALSE(g_shown.empty()) << "no menu was shown";
        HBITMAP strip = static_cast<HBITMAP>(::LoadImageA(::GetModuleHandleA(nullptr),
                                                          MAKEINTRESOURCEA(IDB_MENU_IMAGES_HC), IMAGE_BITMAP, 0, 0,
                                                          LR_CREATEDIBSECTION));
        ASSERT_NE(nullptr, strip);
        int stripWidth = 0, stripHeight = 0;
        std::vector<uint32_t> stripPixels = BitmapPixels(strip, stripWidth, stripHeight);
        ::DeleteObject(strip);
        int pictured = 0;
        for (const ShownItem& item : g_shown) {
            auto at = std::find(layout.commands.begin(), layout.commands.end(), item.id);
            if (at == layout.commands.end()) {
                EXPECT_EQ(nullptr, item.picture) << item.id << " has no picture of its own";
                continue;
            }
            ++pictured;
            EXPECT_EQ(HBMMENU_CALLBACK, item.picture) << item.id;
            EXPECT_TRUE(CMenuImages::Get().IsOurItem(item.data)) << item.id;
            ASSERT_NE(nullptr, CMenuImages::Get().GetBitmap(item.id)) << item.id;
            // The picture is the command's one from the strip, its magenta see-through.
            int w = 0, h = 0;
            std::vector<uint32_t> px = BitmapPixels(CMenuImages::Get().GetBitmap(item.id), w, h);
            ASSERT_EQ(layout.width, w);
            ASSERT_EQ(layout.height, h);
            int index = static_cast<int>(at - layout.commands.begin());
            int opaque = 0, mismatches = 0;
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x) {
                    uint32_t s = stripPixels[static_cast<size_t>(y) * stripWidth + index * w + x] & 0xFFFFFF;
                    uint32_t p = px[static_cast<size_t>(y) * w + x];
                    uint32_t expected = s == 0xFF00FF ? 0u : (0xFF000000u | s);
                    mismatches += p != expected ? 1 : 0;
                    opaque += (p >> 24) == 0xFF ? 1 : 0;
                }
            EXPECT_EQ(0, mismatches) << item.id;
            EXPECT_GT(opaque, 20) << item.id << ": a picture, not an empty square";
            // The window the menu reports to draws it: the strip's opaque pixels on the menu's colour.
            const COLORREF back = ::GetSysColor(COLOR_MENU);
            DibCanvas canvas(w + 2, h, back);
            DRAWITEMSTRUCT draw = {};
            draw.CtlType = ODT_MENU;
            draw.itemID = item.id;
            draw.hDC = canvas.dc().m_hDC;
            draw.rcItem = { 0, 0, w + 2, h };
            draw.itemData = item.data;
            ASSERT_NE(nullptr, g_owner);
            EXPECT_TRUE(::SendMessageA(g_owner, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw))) << item.id;
            int drawnWrong = 0;
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x) {
                    uint32_t p = px[static_cast<size_t>(y) * w + x];
                    COLORREF want = (p >> 24) ? RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF) : back;
                    drawnWrong += canvas.Pixel(x + 1, y) != want ? 1 : 0;
                }
            EXPECT_EQ(0, drawnWrong) << item.id;
        }
        for (UINT id : mustHave) {
            bool found = false;
            for (const ShownItem& item : g_shown)
                found = found || (item.id == id && item.picture == HBMMENU_CALLBACK);
            EXPECT_TRUE(found) << id;
        }
        EXPECT_GT(pictured, 0);
    }

    COstrelindSoftMainView* mainView = nullptr;
    PopupMenuTracker previous = nullptr;
};

} // namespace

TEST_F(FrameDetails, ContextMenusOfCanvasTableAndPreviewCarryTheirCommandPictures)
{
    COstrelindSoftTemplateView* tmplView = mainView->GetTemplateTabView()->GetTemplateView(0);
    ASSERT_NE(nullptr, tmplView);
    CWnd* canvas = tmplView->GetLabelView()->GetDesignView();
    ASSERT_NE(nullptr, canvas);
    g_shown.clear();
    canvas->SendMessage(WM_RBUTTONUP, 0, MAKELPARAM(30, 30));
    ExpectPictures("canvas 322", { ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE, ID_EDIT_DELETE, ID_EDIT_COMBINE,
                                   ID_ZOOM_100, ID_TEMPLATE_EXPORT });

    CWnd* table = mainView->GetTableTabView()->GetView(0);
    ASSERT_NE(nullptr, table);
    g_shown.clear();
    table->SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(table->m_hWnd), MAKELPARAM(-1, -1));
    ExpectPictures("table 323", { ID_EDIT_CUT, ID_TABLE_INSERT_ROW, ID_TABLE_SORT_ASCENDING, ID_TABLE_LINK_IMAGE });

    CWnd* preview = tmplView->GetPreview();
    ASSERT_NE(nullptr, preview);
    g_shown.clear();
    preview->SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(preview->m_hWnd), MAKELPARAM(-1, -1));
    ExpectPictures("preview 324", { ID_ZOOM_50, ID_ZOOM_75, ID_ZOOM_100, ID_ZOOM_200, ID_ZOOM_300, ID_ZOOM_400 });
    ASSERT_EQ(6u, g_shown.size());
}

TEST_F(FrameDetails, EveryRibbonBoxShowsItsValuesWholeAt96Dpi)
{
    HDC screen = ::GetDC(nullptr);
    int dpi = ::GetDeviceCaps(screen, LOGPIXELSX);
    ::ReleaseDC(nullptr, screen);
    ASSERT_EQ(96, dpi);
    CMFCRibbonBar& bar = frame->GetRibbonBar();
    bar.MoveWindow(0, 0, 2400, CMFCRibbonBar::kHeight);   // wide enough that no panel folds up
    int boxes = 0;
    for (int c = 0; c < bar.GetCategoryCount(); ++c) {
        CMFCRibbonCategory* category = bar.GetCategory(c);
        bar.SetActiveCategory(category);
        bar.RecalcLayout();
        for (int p = 0; p < category->GetPanelCount(); ++p) {
            CMFCRibbonPanel* panel = category->GetPanel(p);
            ASSERT_FALSE(panel->IsCollapsed()) << category->GetName().GetString();
            for (int e = 0; e < panel->GetCount(); ++e) {
                auto* box = dynamic_cast<CMFCRibbonEdit*>(panel->GetElement(e));
                if (box == nullptr)
                    continue;
                ++boxes;
                HWND text = box->GetTextHwnd();
                ASSERT_NE(nullptr, text) << box->GetID();
                RECT client = {};
                ::GetClientRect(text, &client);
                DWORD margins = static_cast<DWORD>(::SendMessageA(text, EM_GETMARGINS, 0, 0));
                int room = client.right - LOWORD(margins) - HIWORD(margins);
                HDC dc = ::GetDC(text);
                HGDIOBJ old = ::SelectObject(dc, reinterpret_cast<HGDIOBJ>(::SendMessageA(text, WM_GETFONT, 0, 0)));
                for (const CString& value : box->GetWidestTexts()) {
                    SIZE size = {};
                    ::GetTextExtentPoint32A(dc, value, value.GetLength(), &size);
                    EXPECT_LE(size.cx, room) << box->GetID() << " \"" << value.GetString() << "\"";
                }
                ::SelectObject(dc, old);
                ::ReleaseDC(text, dc);
                // The box lies inside its panel, next to its label.
                EXPECT_LE(box->GetControlRect().right, panel->GetRect().right) << box->GetID();
            }
        }
    }
    EXPECT_GE(boxes, 50);

    // The font size box of Home's font panel: "10" whole, and the box grown past the 30 pixels
    // that left room for one digit beside its button.
    bar.SetActiveCategory(bar.GetCategory(0));
    bar.RecalcLayout();
    auto* size = dynamic_cast<CMFCRibbonComboBox*>(frame->FindRibbonElement(ID_FONT_SIZE));
    ASSERT_NE(nullptr, size);
    EXPECT_GT(size->GetBoxWidth(), 30);
    for (const char* value : { "10", "72", "8" }) {
        size->SetEditText(value);
        HWND text = size->GetTextHwnd();
        char shown[16] = {};
        ::GetWindowTextA(text, shown, sizeof shown);
        EXPECT_STREQ(value, shown);
        RECT client = {};
        ::GetClientRect(text, &client);
        DWORD margins = static_cast<DWORD>(::SendMessageA(text, EM_GETMARGINS, 0, 0));
        HDC dc = ::GetDC(text);
        HGDIOBJ old = ::SelectObject(dc, reinterpret_cast<HGDIOBJ>(::SendMessageA(text, WM_GETFONT, 0, 0)));
        SIZE extent = {};
        ::GetTextExtentPoint32A(dc, value, static_cast<int>(std::strlen(value)), &extent);
        ::SelectObject(dc, old);
        ::ReleaseDC(text, dc);
        EXPECT_LE(extent.cx, client.right - LOWORD(margins) - HIWORD(margins)) << value;
        // The edit shows its text from the first character: nothing scrolled out at the left.
        EXPECT_EQ(0, LOWORD(::SendMessageA(text, EM_POSFROMCHAR, 0, 0)) - LOWORD(margins)) << value;
    }
}

TEST_F(FrameDetails, AKeyTipIntoTheZoomBoxSelectsItsTextAndTypingReplacesIt)
{
    CMFCRibbonBar& bar = frame->GetRibbonBar();
    frame->OnIdleUpdateCmdUI();
    auto* zoom = dynamic_cast<CMFCRibbonComboBox*>(frame->FindRibbonElement(ID_ZOOM));
    ASSERT_NE(nullptr, zoom);
    ASSERT_TRUE(zoom->IsEnabled());
    zoom->SetEditText("100 %");
    HWND text = zoom->GetTextHwnd();
    ::SendMessageA(text, EM_SETSEL, 0, 0);
    CView* active = frame->MDIGetActive()->GetActiveView();
    ASSERT_NE(nullptr, active);
    HWND view = active->m_hWnd;
    auto send = [&](UINT message, WPARAM key) {
        MSG msg = KeyMessage(view, message, key);
        return bar.ProcessKeyTipMessage(&msg);
    };
    send(WM_SYSKEYDOWN, VK_MENU);
    send(WM_SYSKEYUP, VK_MENU);
    ASSERT_EQ(1, bar.GetKeyTipLevel());
    send(WM_KEYDOWN, 'H');
    ASSERT_EQ(2, bar.GetKeyTipLevel());
    CString tip = bar.GetElementKeyTip(zoom);
    ASSERT_FALSE(tip.IsEmpty());
    for (int i = 0; i < tip.GetLength(); ++i)
        send(WM_KEYDOWN, static_cast<WPARAM>(tip[i]));
    DWORD start = 1, end = 0;
    ::SendMessageA(text, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(0u, start);
    EXPECT_EQ(5u, end);
    for (char c : std::string("200"))
        ::SendMessageA(text, WM_CHAR, static_cast<WPARAM>(c), 1);
    EXPECT_STREQ("200", zoom->GetEditText());
    bar.ReturnFocus();
}

TEST_F(FrameDetails, DocumentTabsDrawInTheLookColoursWithTheCloseBoxOnTheActiveOne)
{
    frame->SendMessage(WM_COMMAND, ID_FILE_NEW);
    DrainMessages();
    const size_t count = frame->GetChildren().size();
    ASSERT_GE(count, 2u);
    ASSERT_EQ(frame->GetChildren().back(), frame->MDIGetActive());   // the new project's tab
    CMDITabArea& tabs = frame->GetTabArea();
    EXPECT_TRUE(frame->IsDocumentMenuEnabled());
    for (UINT look : { kLookOffice2007Blue, kLookOffice2007Black }) {
        SCOPED_TRACE(look);
        frame->OnApplicationLook(look);
        const RibbonColors& colours = CRibbonLook::ColorsOf(CRibbonLook::SchemeForLook(look));
        CRect client;
        tabs.GetClientRect(&client);
        DibCanvas canvas(client.Width(), CMDITabArea::kStripHeight);
        tabs.Draw(canvas.dc());
        CRect active = tabs.GetTabRect(static_cast<int>(count) - 1), other = tabs.GetTabRect(0);
        EXPECT_EQ(colours.background, canvas.Pixel(active.CenterPoint().x, 1));
        EXPECT_EQ(colours.checkedBorder, canvas.Pixel(active.CenterPoint().x, active.top));
        EXPECT_EQ(CMDITabArea::GetTabColors().edge, canvas.Pixel(other.CenterPoint().x, other.top));
        EXPECT_EQ(colours.background, canvas.Pixel(active.left + CMDITabArea::kSlant, active.top));   // round corner
        CRect close = tabs.GetCloseRect();
        EXPECT_TRUE(active.PtInRect(close.CenterPoint()));
        EXPECT_GT(canvas.CountPixels(colours.tabActiveText), 0);
        // The frame's own redraw after the change of look painted the strip in these colours.
        HDC dc = ::GetDC(tabs.m_hWnd);
        EXPECT_EQ(colours.checkedBorder, ::GetPixel(dc, active.CenterPoint().x, active.top));
        ::ReleaseDC(tabs.m_hWnd, dc);
    }
}

