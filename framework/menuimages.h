#pragma once
// CMenuImages: the pictures menus show beside their commands. A toolbar resource names the commands
// of a bitmap strip's pictures in strip order; the collection keeps one picture per command as a
// 32-bit bitmap whose key colour (magenta) is transparent. One collection serves the process: the
// main frame fills it when it is created, and every context menu the framework shows puts the
// picture of each of its commands beside the item. The items ask their owner window to draw the
// picture (HBMMENU_CALLBACK): every framework window passes those requests here, and the picture is
// blended onto the item's own background, plain, highlighted or greyed. The collection owns the
// bitmaps; it is emptied only when no menu is open.
#include <windows.h>
#include <cstddef>
#include <map>
#include <vector>

// What a toolbar resource holds: the picture size and the command of each picture, in strip order
// (separators, command 0, take no picture and are left out).
struct ToolBarLayout {
    int width = 0;
    int height = 0;
    std::vector<UINT> commands;
};

class CMenuImages {
public:
    CMenuImages() = default;
    ~CMenuImages();
    CMenuImages(const CMenuImages&) = delete;
    CMenuImages& operator=(const CMenuImages&) = delete;

    static CMenuImages& Get();

    // Reads a toolbar resource: 16-bit words, version 1, picture width and height, the count, then
    // one command per entry. False for a short, truncated or inconsistent block.
    static bool ParseToolBar(const void* data, size_t size, ToolBarLayout& layout);

    // The pictures of toolbar resource toolbarId, from the bitmap of the same id or, when bitmapId
    // is given, from that one (a strip of the same layout drawn in more colours). False, with the
    // collection unchanged, when either resource is missing or they do not fit together.
    bool AddToolBar(UINT toolbarId, UINT bitmapId = 0, HINSTANCE instance = nullptr);
    // The pictures of strip for the commands of layout; the strip must hold all of them.
    bool AddImages(const ToolBarLayout& layout, HBITMAP strip);

    int GetCount() const { return static_cast<int>(m_images.size()); }
    bool HasImage(UINT command) const { return m_images.count(command) != 0; }
    // The command's picture (32 bits per pixel, premultiplied alpha, transparent key colour); null
    // when it has none. Owned by the collection.
    HBITMAP GetBitmap(UINT command) const;
    void RemoveAll();

    // Puts the picture of every command that has one beside its item in menu and its sub-menus
    // (MENUITEMINFO's bitmap becomes HBMMENU_CALLBACK, its item data IsOurItem's mark); other
    // items stay as they are. Answers how many items carry a picture of ours.
    int Apply(HMENU menu) const;
    // Whether a menu item's data marks it as one whose picture this collection draws.
    bool IsOurItem(ULONG_PTR itemData) const { return itemData == reinterpret_cast<ULONG_PTR>(this); }
    // WM_MEASUREITEM and WM_DRAWITEM of a menu item's picture; false for anything else (the window
    // then handles the message itself).
    bool OnMeasureItem(MEASUREITEMSTRUCT* measure) const;
    bool OnDrawItem(const DRAWITEMSTRUCT* draw) const;
    // Both messages, as a window procedure receives them.
    bool OnMenuItemMessage(UINT message, WPARAM wParam, LPARAM lParam) const;

    // Room the picture leaves between itself and the item's text.
    static constexpr int kTextGap = 4;

private:
    std::map<UINT, HBITMAP> m_images;
};
