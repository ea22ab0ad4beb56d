#include "framework/menu.h"

#include "framework/menuimages.h"
#include "framework/wnd.h"

#include <map>
#include <memory>

namespace {
std::map<HMENU, std::unique_ptr<CMenu>>& TempMenus()
{
    static std::map<HMENU, std::unique_ptr<CMenu>> menus;
    return menus;
}
} // namespace

CMenu::~CMenu()
{
    DestroyMenu();
}

CMenu* CMenu::FromHandle(HMENU menu)
{
    if (menu == nullptr)
        return nullptr;
    auto& temp = TempMenus();
    auto it = temp.find(menu);
    if (it != temp.end())
        return it->second.get();
    auto wrapper = std::make_unique<CMenu>();
    wrapper->m_hMenu = menu;
    return temp.emplace(menu, std::move(wrapper)).first->second.get();
}

void CMenu::DeleteTempMap()
{
    for (auto& entry : TempMenus())
        entry.second->m_hMenu = nullptr;   // wrappers never own
    TempMenus().clear();
}

BOOL CMenu::Attach(HMENU menu)
{
    DestroyMenu();
    m_hMenu = menu;
    return menu != nullptr;
}

HMENU CMenu::Detach()
{
    HMENU menu = m_hMenu;
    m_hMenu = nullptr;
    return menu;
}

BOOL CMenu::LoadMenu(UINT id)
{
    return Attach(::LoadMenuA(AfxGetResourceHandle(), MAKEINTRESOURCEA(id)));
}

BOOL CMenu::CreateMenu()
{
    return Attach(::CreateMenu());
}

BOOL CMenu::CreatePopupMenu()
{
    return Attach(::CreatePopupMenu());
}

BOOL CMenu::DestroyMenu()
{
    if (m_hMenu == nullptr)
        return FALSE;
    BOOL ok = ::DestroyMenu(m_hMenu);
    m_hMenu = nullptr;
    return ok;
}

CString CMenu::GetMenuString(UINT item, UINT flags) const
{
    char text[512] = {};
    ::GetMenuStringA(m_hMenu, item, text, sizeof text, flags);
    return CString(text);
}

BOOL CMenu::TrackPopupMenu(UINT flags, int x, int y, CWnd* owner, LPCRECT)
{
    return ::TrackPopupMenu(m_hMenu, flags, x, y, 0, owner ? owner->m_hWnd : nullptr, nullptr);
}

// ---- context menus

namespace {

UINT DefaultTracker(HMENU menu, UINT flags, int x, int y, HWND owner)
{
    return static_cast<UINT>(::TrackPopupMenu(menu, flags, x, y, 0, owner, nullptr));
}

PopupMenuTracker g_tracker = DefaultTracker;

} // namespace

PopupMenuTracker SetPopupMenuTracker(PopupMenuTracker tracker)
{
    PopupMenuTracker previous = g_tracker;
    g_tracker = tracker ? tracker : DefaultTracker;
    return previous;
}

void UpdatePopupMenu(CMenu* popup, CCmdTarget* target)
{
    if (popup == nullptr || popup->m_hMenu == nullptr || target == nullptr)
        return;
    CCmdUI ui;
    ui.m_pMenu = popup;
    int count = popup->GetMenuItemCount();
    ui.m_nIndexMax = static_cast<UINT>(count < 0 ? 0 : count);
    for (int i = 0; i < count; ++i) {
        HMENU sub = ::GetSubMenu(popup->m_hMenu, i);
        if (sub != nullptr) {
            UpdatePopupMenu(CMenu::FromHandle(sub), target);
            continue;
        }
        UINT id = popup->GetMenuItemID(i);
        if (id == 0 || id == static_cast<UINT>(-1))
            continue;   // separators
        ui.m_nIndex = static_cast<UINT>(i);
        ui.m_nID = id;
        ui.m_pSubMenu = nullptr;
        ui.DoUpdate(target, TRUE);
    }
}

UINT ShowPopupMenu(CMenu* popup, POINT point, CWnd* owner)
{
    if (popup == nullptr || popup->m_hMenu == nullptr || owner == nullptr || owner->m_hWnd == nullptr)
        return 0;
    UpdatePopupMenu(popup, owner);
    CMenuImages::Get().Apply(popup->m_hMenu);
    HWND ownerWnd = owner->m_hWnd;
    UINT choice = g_tracker(popup->m_hMenu, TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY,
                            point.x, point.y, ownerWnd);
    // The owner may have gone while the menu was open.
    if (choice != 0 && ::IsWindow(ownerWnd))
        ::SendMessageA(ownerWnd, WM_COMMAND, MAKEWPARAM(choice, 0), 0);
    return choice;
}

UINT ShowPopupMenu(UINT menuResourceId, POINT point, CWnd* owner)
{
    CMenu menu;
    if (!menu.LoadMenu(menuResourceId))
        return 0;
    CMenu* popup = menu.GetSubMenu(0);
    return popup != nullptr ? ShowPopupMenu(popup, point, owner) : 0;
}

