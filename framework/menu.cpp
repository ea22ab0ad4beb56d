#include "framework/menu.h"

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
