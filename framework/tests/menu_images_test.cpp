// Menu pictures: reading toolbar resources (good, short, truncated and inconsistent blocks),
// cutting a strip into one picture per command with the key colour made transparent, and context
// menus shown through the framework carrying each command's picture in their items.
#include "framework/menu.h"
#include "framework/menuimages.h"
#include "framework/wnd.h"
#include "testsupport/dibcanvas.h"
#include "testsupport/bitmappixels.h"

#include <gtest/gtest.h>
#include <cstdint>
#include <memory>
#include <vector>

namespace {

const COLORREF kKey = RGB(255, 0, 255);

std::vector<uint8_t> Words(std::initializer_list<unsigned> words)
{
    std::vector<uint8_t> bytes;
    for (unsigned w : words) {
        bytes.push_back(static_cast<uint8_t>(w & 0xFF));
        bytes.push_back(static_cast<uint8_t>((w >> 8) & 0xFF));
    }
    return bytes;
}

// A 24-bit strip of count pictures of size x size: picture i is a square of colours[i] one pixel
// in from a key-coloured border, with its top left pixel in the key colour too.
HBITMAP MakeStrip(int size, const std::vector<COLORREF>& colours)
{
    const int width = size * static_cast<int>(colours.size());
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = size;   // bottom-up, as bitmap resources are
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HBITMAP strip = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const int stride = (width * 3 + 3) & ~3;
    auto* p = static_cast<uint8_t*>(bits);
    for (int row = 0; row < size; ++row) {
        int y = size - 1 - row;   // top-down y of this bottom-up row
        for (int x = 0; x < width; ++x) {
            int i = x / size, px = x % size;
            bool key = px == 0 || y == 0 || px == size - 1 || y == size - 1;
            COLORREF c = key ? kKey : colours[static_cast<size_t>(i)];
            uint8_t* at = p + row * stride + x * 3;
            at[0] = GetBValue(c);
            at[1] = GetGValue(c);
            at[2] = GetRValue(c);
        }
    }
    ::GdiFlush();
    return strip;
}

MENUITEMINFOA ItemInfo(HMENU menu, UINT pos)
{
    MENUITEMINFOA item = {};
    item.cbSize = sizeof item;
    item.fMask = MIIM_BITMAP | MIIM_DATA | MIIM_ID;
    ::GetMenuItemInfoA(menu, pos, TRUE, &item);
    return item;
}

// Stands in for tracking: records each item as the menu would show it, and asks the owner to
// measure and draw each picture as the menu does.
struct Shown {
    MENUITEMINFOA item;
    BOOL measured;
    MEASUREITEMSTRUCT measure;
};
std::vector<Shown> g_shown;
UINT RecordPictures(HMENU menu, UINT, int, int, HWND owner)
{
    g_shown.clear();
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
        Shown shown = {};
        shown.item = ItemInfo(menu, static_cast<UINT>(i));
        shown.measure.CtlType = ODT_MENU;
        shown.measure.itemID = shown.item.wID;
        shown.measure.itemData = shown.item.dwItemData;
        shown.measured = static_cast<BOOL>(::SendMessageA(owner, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&shown.measure)));
        g_shown.push_back(shown);
    }
    return 0;
}

// What the owner window draws for a menu item's picture, on a canvas of background.
std::unique_ptr<DibCanvas> DrawnPicture(HWND owner, UINT id, ULONG_PTR data, UINT state, COLORREF background,
                                        LRESULT* answer = nullptr)
{
    auto canvas = std::make_unique<DibCanvas>(24, 20, background);
    DRAWITEMSTRUCT draw = {};
    draw.CtlType = ODT_MENU;
    draw.itemID = id;
    draw.itemAction = ODA_DRAWENTIRE;
    draw.itemState = state;
    draw.hDC = canvas->dc().m_hDC;
    draw.rcItem = { 0, 0, 24, 20 };
    draw.itemData = data;
    LRESULT result = ::SendMessageA(owner, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw));
    if (answer != nullptr)
        *answer = result;
    return canvas;
}

class CPictureOwner : public CWnd {
public:
    void OnAny(UINT) {}
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CPictureOwner, CWnd)
    ON_COMMAND_RANGE(100, 200, OnAny)
END_MESSAGE_MAP()

} // namespace

TEST(MenuImages, ToolBarResourcesAreReadWordByWordAndBadOnesRefused)
{
    ToolBarLayout layout;
    std::vector<uint8_t> good = Words({ 1, 16, 15, 4, 101, 0, 102, 103 });
    ASSERT_TRUE(CMenuImages::ParseToolBar(good.data(), good.size(), layout));
    EXPECT_EQ(16, layout.width);
    EXPECT_EQ(15, layout.height);
    EXPECT_EQ((std::vector<UINT>{ 101, 102, 103 }), layout.commands);   // the separator takes no picture

    struct Bad {
        const char* why;
        std::vector<uint8_t> bytes;
    } bad[] = {
        { "empty", {} },
        { "header cut", Words({ 1, 16, 16 }) },
        { "version 2", Words({ 2, 16, 16, 1, 101 }) },
        { "no width", Words({ 1, 0, 16, 1, 101 }) },
        { "no height", Words({ 1, 16, 0, 1, 101 }) },
        { "huge picture", Words({ 1, 4000, 16, 1, 101 }) },
        { "count beyond the block", Words({ 1, 16, 16, 3, 101, 102 }) },
        { "odd byte short", std::vector<uint8_t>(good.begin(), good.end() - 1) },
    };
    for (const Bad& b : bad) {
        ToolBarLayout kept = layout;
        EXPECT_FALSE(CMenuImages::ParseToolBar(b.bytes.data(), b.bytes.size(), kept)) << b.why;
        EXPECT_EQ(layout.commands, kept.commands) << b.why << ": a refused block leaves the layout alone";
    }
    EXPECT_FALSE(CMenuImages::ParseToolBar(nullptr, 16, layout));
}

TEST(MenuImages, EachCommandGetsItsPictureWithTheKeyColourTransparent)
{
    CMenuImages images;
    ToolBarLayout layout;
    layout.width = layout.height = 16;
    layout.commands = { 101, 102, 103 };
    const std::vector<COLORREF> colours = { RGB(200, 0, 0), RGB(0, 150, 0), RGB(10, 20, 200) };
    HBITMAP strip = MakeStrip(16, colours);
    ASSERT_TRUE(images.AddImages(layout, strip));
    EXPECT_EQ(3, images.GetCount());
    EXPECT_EQ(nullptr, images.GetBitmap(104));
    for (size_t i = 0; i < colours.size(); ++i) {
        HBITMAP picture = images.GetBitmap(layout.commands[i]);
        ASSERT_NE(nullptr, picture) << i;
        BITMAP info = {};
        ::GetObjectA(picture, sizeof info, &info);
        EXPECT_EQ(32, info.bmBitsPixel);
        int w = 0, h = 0;
        std::vector<uint32_t> px = BitmapPixels(picture, w, h);
        ASSERT_EQ(16, w);
        ASSERT_EQ(16, h);
        const COLORREF c = colours[i];
        const uint32_t opaque = 0xFF000000u | (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
        EXPECT_EQ(opaque, px[5 * 16 + 5]) << i;      // inside: the picture's colour, opaque
        EXPECT_EQ(opaque, px[14 * 16 + 14]) << i;    // its bottom right, so the rows are not upside down
        EXPECT_EQ(0u, px[0]) << i;                   // the key colour: fully transparent
        EXPECT_EQ(0u, px[15 * 16 + 8]) << i;
    }

    // A strip too narrow for its commands, or pictures that do not fit it, change nothing.
    ToolBarLayout more = layout;
    more.commands = { 101, 102, 103, 104 };
    HBITMAP first = images.GetBitmap(101);
    EXPECT_FALSE(images.AddImages(more, strip));
    ToolBarLayout tall = layout;
    tall.height = 32;
    EXPECT_FALSE(images.AddImages(tall, strip));
    EXPECT_FALSE(images.AddImages(layout, nullptr));
    EXPECT_EQ(3, images.GetCount());
    EXPECT_EQ(first, images.GetBitmap(101));
    EXPECT_FALSE(images.HasImage(104));
    ::DeleteObject(strip);

    images.RemoveAll();
    EXPECT_EQ(0, images.GetCount());
}

TEST(MenuImages, ApplyPutsThePicturesBesideTheirItemsInSubMenusToo)
{
    CMenuImages images;
    ToolBarLayout layout;
    layout.width = layout.height = 16;
    layout.commands = { 101, 102 };
    HBITMAP strip = MakeStrip(16, { RGB(200, 0, 0), RGB(0, 150, 0) });
    ASSERT_TRUE(images.AddImages(layout, strip));
    ::DeleteObject(strip);

    HMENU menu = ::CreatePopupMenu();
    HMENU sub = ::CreatePopupMenu();
    ::AppendMenuA(menu, MF_STRING, 101, "Cut");
    ::AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuA(menu, MF_STRING, 150, "No picture");
    ::AppendMenuA(sub, MF_STRING, 102, "Copy");
    ::AppendMenuA(sub, MF_STRING, 151, "Other");
    ::AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), "More");
    EXPECT_EQ(2, images.Apply(menu));
    // The items ask their owner for the picture, and their data says whose it is.
    EXPECT_EQ(HBMMENU_CALLBACK, ItemInfo(menu, 0).hbmpItem);
    EXPECT_TRUE(images.IsOurItem(ItemInfo(menu, 0).dwItemData));
    EXPECT_EQ(nullptr, ItemInfo(menu, 2).hbmpItem);
    EXPECT_FALSE(images.IsOurItem(ItemInfo(menu, 2).dwItemData));
    EXPECT_EQ(HBMMENU_CALLBACK, ItemInfo(sub, 0).hbmpItem);
    EXPECT_TRUE(images.IsOurItem(ItemInfo(sub, 0).dwItemData));
    EXPECT_EQ(nullptr, ItemInfo(sub, 1).hbmpItem);
    // Text and command stay as they were.
    char text[32] = {};
    ::GetMenuStringA(menu, 0, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ("Cut", text);
    EXPECT_EQ(101u, ::GetMenuItemID(menu, 0));
    ::DestroyMenu(menu);
    EXPECT_EQ(0, CMenuImages().Apply(nullptr));
}

TEST(MenuImages, ContextMenusShowTheProcessPictures)
{
    CMenuImages& images = CMenuImages::Get();
    images.RemoveAll();
    ToolBarLayout layout;
    layout.width = layout.height = 16;
    layout.commands = { 120 };
    HBITMAP strip = MakeStrip(16, { RGB(0, 0, 200) });
    ASSERT_TRUE(images.AddImages(layout, strip));
    ::DeleteObject(strip);

    CPictureOwner owner;
    ASSERT_TRUE(owner.CreateEx(0, AfxRegisterWndClass(0), "owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    menu.AppendMenu(MF_STRING, 110, "Plain");
    menu.AppendMenu(MF_STRING, 120, "Pictured");
    PopupMenuTracker previous = SetPopupMenuTracker(RecordPictures);
    ShowPopupMenu(&menu, CPoint(10, 10), &owner);
    SetPopupMenuTracker(previous);
    ASSERT_EQ(2u, g_shown.size());
    EXPECT_EQ(nullptr, g_shown[0].item.hbmpItem);
    EXPECT_EQ(HBMMENU_CALLBACK, g_shown[1].item.hbmpItem);
    EXPECT_FALSE(g_shown[0].measured);
    ASSERT_TRUE(g_shown[1].measured);
    EXPECT_EQ(16u + CMenuImages::kTextGap, g_shown[1].measure.itemWidth);   // with a gap before the text
    EXPECT_EQ(16u, g_shown[1].measure.itemHeight);

    // The owner window draws the picture onto the item's background: blue inside, the background
    // where the strip had its key colour, whether the item is plain or highlighted.
    const ULONG_PTR mark = g_shown[1].item.dwItemData;
    for (COLORREF background : { ::GetSysColor(COLOR_MENU), ::GetSysColor(COLOR_HIGHLIGHT) }) {
        LRESULT answer = 0;
        auto canvas = DrawnPicture(owner.m_hWnd, 120, mark, ODS_SELECTED, background, &answer);
        EXPECT_TRUE(answer);
        EXPECT_EQ(RGB(0, 0, 200), canvas->Pixel(1 + 8, 2 + 8));
        EXPECT_EQ(background, canvas->Pixel(1, 2));            // the picture's see-through border
        EXPECT_EQ(background, canvas->Pixel(20, 10));          // right of the picture
        EXPECT_EQ(CRect(2, 3, 16, 17), canvas->Extent(background));
    }
    // Greyed: the picture fades into the background.
    auto grey = DrawnPicture(owner.m_hWnd, 120, mark, ODS_GRAYED, RGB(255, 255, 255));
    COLORREF faded = grey->Pixel(9, 10);
    EXPECT_NE(RGB(0, 0, 200), faded);
    EXPECT_NE(RGB(255, 255, 255), faded);
    EXPECT_GT(GetRValue(faded), 100);
    // Items that are not ours, or commands without a picture, are left to the window.
    LRESULT answer = 1;
    auto none = DrawnPicture(owner.m_hWnd, 120, 0, 0, RGB(255, 255, 255), &answer);
    EXPECT_FALSE(answer);
    EXPECT_TRUE(none->Extent().IsRectEmpty());
    DrawnPicture(owner.m_hWnd, 110, mark, 0, RGB(255, 255, 255), &answer);
    EXPECT_FALSE(answer);
    owner.DestroyWindow();
    images.RemoveAll();
}
