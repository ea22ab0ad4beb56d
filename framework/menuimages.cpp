#include "framework/menuimages.h"

#include "framework/app.h"
#include "framework/gdi.h"

#include <cstring>
#include <utility>

namespace {

constexpr int kMaxPictureSize = 256;
constexpr COLORREF kKeyColour = RGB(255, 0, 255);

WORD ReadWord(const unsigned char* p)
{
    return static_cast<WORD>(p[0] | (p[1] << 8));
}

// A 32-bit top-down DIB section of width x height; bits receives its pixels.
HBITMAP CreateArgbBitmap(int width, int height, DWORD** bits)
{
    BITMAPINFO info = TopDownArgbInfo(width, height);
    void* data = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &data, nullptr, 0);
    *bits = static_cast<DWORD*>(data);
    return bitmap;
}

} // namespace

CMenuImages::~CMenuImages()
{
    RemoveAll();
}

CMenuImages& CMenuImages::Get()
{
    static CMenuImages images;
    return images;
}

bool CMenuImages::ParseToolBar(const void* data, size_t size, ToolBarLayout& layout)
{
    if (data == nullptr || size < 8)
        return false;
    const auto* p = static_cast<const unsigned char*>(data);
    WORD version = ReadWord(p);
    int width = ReadWord(p + 2);
    int height = ReadWord(p + 4);
    size_t count = ReadWord(p + 6);
    if (version != 1 || width <= 0 || height <= 0 || width > kMaxPictureSize || height > kMaxPictureSize)
        return false;
    if (size < 8 + 2 * count)
        return false;
    ToolBarLayout read;
    read.width = width;
    read.height = height;
    for (size_t i = 0; i < count; ++i) {
        UINT command = ReadWord(p + 8 + 2 * i);
        if (command != 0)
            read.commands.push_back(command);
    }
    layout = std::move(read);
    return true;
}

bool CMenuImages::AddToolBar(UINT toolbarId, UINT bitmapId, HINSTANCE instance)
{
    if (instance == nullptr)
        instance = AfxGetResourceHandle();
    HRSRC found = ::FindResourceA(instance, MAKEINTRESOURCEA(toolbarId), MAKEINTRESOURCEA(241));   // RT_TOOLBAR
    if (found == nullptr)
        return false;
    HGLOBAL loaded = ::LoadResource(instance, found);
    const void* data = loaded != nullptr ? ::LockResource(loaded) : nullptr;
    ToolBarLayout layout;
    if (!ParseToolBar(data, ::SizeofResource(instance, found), layout))
        return false;
    UINT stripId = bitmapId != 0 ? bitmapId : toolbarId;
    auto strip = static_cast<HBITMAP>(::LoadImageA(instance, MAKEINTRESOURCEA(stripId), IMAGE_BITMAP, 0, 0,
                                                   LR_CREATEDIBSECTION));
    if (strip == nullptr)
        return false;
    bool ok = AddImages(layout, strip);
    ::DeleteObject(strip);
    return ok;
}

bool CMenuImages::AddImages(const ToolBarLayout& layout, HBITMAP strip)
{
    BITMAP info = {};
    if (strip == nullptr || ::GetObjectA(strip, sizeof info, &info) == 0)
        return false;
    const int count = static_cast<int>(layout.commands.size());
    const int w = layout.width, h = layout.height;
    if (w <= 0 || h <= 0 || w > kMaxPictureSize || h > kMaxPictureSize || count == 0)
        return false;
    if (info.bmWidth / w < count || info.bmHeight < h)
        return false;

    // The strip's pixels as 32-bit top-down rows, whatever its own format.
    const int stripWidth = w * count;
    std::vector<DWORD> pixels(static_cast<size_t>(stripWidth) * static_cast<size_t>(h));
    BITMAPINFO request = {};
    request.bmiHeader.biSize = sizeof request.bmiHeader;
    request.bmiHeader.biWidth = info.bmWidth;
    request.bmiHeader.biHeight = -info.bmHeight;   // top-down: the pictures are the first h rows
    request.bmiHeader.biPlanes = 1;
    request.bmiHeader.biBitCount = 32;
    request.bmiHeader.biCompression = BI_RGB;
    std::vector<DWORD> rows(static_cast<size_t>(info.bmWidth) * static_cast<size_t>(info.bmHeight));
    HDC screen = ::GetDC(nullptr);
    int copied = ::GetDIBits(screen, strip, 0, static_cast<UINT>(info.bmHeight), rows.data(), &request,
                             DIB_RGB_COLORS);
    ::ReleaseDC(nullptr, screen);
    if (copied != info.bmHeight)
        return false;
    for (int y = 0; y < h; ++y)
        std::memcpy(&pixels[static_cast<size_t>(y) * stripWidth], &rows[static_cast<size_t>(y) * info.bmWidth],
                    sizeof(DWORD) * static_cast<size_t>(stripWidth));

    std::map<UINT, HBITMAP> made;
    for (int i = 0; i < count; ++i) {
        UINT command = layout.commands[static_cast<size_t>(i)];
        if (made.count(command) != 0)
            continue;   // a command listed twice keeps its first picture
        DWORD* bits = nullptr;
        HBITMAP picture = CreateArgbBitmap(w, h, &bits);
        if (picture == nullptr || bits == nullptr) {
            if (picture != nullptr)
                ::DeleteObject(picture);
            for (auto& entry : made)
                ::DeleteObject(entry.second);
            return false;
        }
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                DWORD p = pixels[static_cast<size_t>(y) * stripWidth + static_cast<size_t>(i * w + x)] & 0x00FFFFFF;
                COLORREF rgb = RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
                // Opaque pixels need no premultiplying; the key colour becomes fully transparent.
                bits[static_cast<size_t>(y) * w + static_cast<size_t>(x)] = rgb == kKeyColour ? 0 : (p | 0xFF000000u);
            }
        made[command] = picture;
    }
    ::GdiFlush();
    for (auto& entry : made) {
        auto old = m_images.find(entry.first);
        if (old != m_images.end()) {
            ::DeleteObject(old->second);
            old->second = entry.second;
        } else {
            m_images.insert(entry);
        }
    }
    return true;
}

HBITMAP CMenuImages::GetBitmap(UINT command) const
{
    auto it = m_images.find(command);
    return it != m_images.end() ? it->second : nullptr;
}

void CMenuImages::RemoveAll()
{
    for (auto& entry : m_images)
        ::DeleteObject(entry.second);
    m_images.clear();
}

int CMenuImages::Apply(HMENU menu) const
{
    if (menu == nullptr || m_images.empty())
        return 0;
    int applied = 0;
    int count = ::GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        UINT pos = static_cast<UINT>(i);
        if (HMENU sub = ::GetSubMenu(menu, i)) {
            applied += Apply(sub);
            continue;
        }
        UINT command = ::GetMenuItemID(menu, i);
        HBITMAP picture = GetBitmap(command);
        if (command == 0 || command == static_cast<UINT>(-1) || picture == nullptr)
            continue;
        MENUITEMINFOA item = {};
        item.cbSize = sizeof item;
        // The menu's owner draws the picture: a bitmap of the item would be copied onto the menu as
        // it is, its see-through pixels black and its colours inverted while highlighted.
        item.fMask = MIIM_BITMAP | MIIM_DATA;
        item.hbmpItem = HBMMENU_CALLBACK;
        item.dwItemData = reinterpret_cast<ULONG_PTR>(this);
        if (::SetMenuItemInfoA(menu, pos, TRUE, &item))
            ++applied;
    }
    return applied;
}

bool CMenuImages::OnMeasureItem(MEASUREITEMSTRUCT* measure) const
{
    if (measure == nullptr || measure->CtlType != ODT_MENU || !IsOurItem(measure->itemData))
        return false;
    HBITMAP picture = GetBitmap(measure->itemID);
    BITMAP info = {};
    if (picture == nullptr || ::GetObjectA(picture, sizeof info, &info) == 0)
        return false;
    measure->itemWidth = static_cast<UINT>(info.bmWidth + kTextGap);
    measure->itemHeight = static_cast<UINT>(info.bmHeight);
    return true;
}

bool CMenuImages::OnDrawItem(const DRAWITEMSTRUCT* draw) const
{
    if (draw == nullptr || draw->CtlType != ODT_MENU || !IsOurItem(draw->itemData))
        return false;
    HBITMAP picture = GetBitmap(draw->itemID);
    BITMAP info = {};
    if (picture == nullptr || ::GetObjectA(picture, sizeof info, &info) == 0)
        return false;
    HDC source = ::CreateCompatibleDC(draw->hDC);
    if (source == nullptr)
        return false;
    HGDIOBJ old = ::SelectObject(source, picture);
    const RECT& area = draw->rcItem;
    int x = area.left + 1;
    int y = area.top + (area.bottom - area.top - info.bmHeight) / 2;
    // A greyed command shows its picture faded.
    bool grey = (draw->itemState & (ODS_GRAYED | ODS_DISABLED)) != 0;
    BLENDFUNCTION blend = { AC_SRC_OVER, 0, static_cast<BYTE>(grey ? 80 : 255), AC_SRC_ALPHA };
    ::GdiAlphaBlend(draw->hDC, x, y, info.bmWidth, info.bmHeight, source, 0, 0, info.bmWidth, info.bmHeight, blend);
    ::SelectObject(source, old);
    ::DeleteDC(source);
    return true;
}

bool CMenuImages::OnMenuItemMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    if (wParam != 0 || lParam == 0)
        return false;   // a control's item, not a menu's
    if (message == WM_MEASUREITEM)
        return OnMeasureItem(reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
    if (message == WM_DRAWITEM)
        return OnDrawItem(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    return false;
}
