#pragma once
// Reading and clicking the ribbon's application menu as a person sees it.
#include "framework/ribbonappmenu.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// The index of the menu's item of kind for command id, or -1.
inline int FindAppMenuItem(CRibbonApplicationMenu* menu, UINT id, CRibbonApplicationMenu::Kind kind)
{
    for (int i = 0; i < menu->GetItemCount(); ++i) {
        const CRibbonApplicationMenu::Item& item = menu->GetItem(i);
        if (item.kind == kind && item.element != nullptr && item.element->GetID() == id)
            return i;
    }
    return -1;
}

// The item of kind for command id; a failure (and the first item) when the menu has none.
inline const CRibbonApplicationMenu::Item& AppMenuItemOf(CRibbonApplicationMenu* menu, UINT id,
                                                         CRibbonApplicationMenu::Kind kind)
{
    int index = FindAppMenuItem(menu, id, kind);
    EXPECT_GE(index, 0) << id;
    return menu->GetItem(index < 0 ? 0 : index);
}

// A click at pt in the menu's window: the mouse moves there, goes down and comes up.
inline void ClickAppMenuAt(CRibbonApplicationMenu* menu, CPoint pt)
{
    HWND wnd = menu->GetSafeHwnd();
    ::SendMessageA(wnd, WM_MOUSEMOVE, 0, MAKELPARAM(pt.x, pt.y));
    ::SendMessageA(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    ::SendMessageA(wnd, WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
}

// The items in the menu's right-hand pane in order, as "kind:text".
inline std::vector<std::string> AppMenuPane(CRibbonApplicationMenu* menu)
{
    using Kind = CRibbonApplicationMenu::Kind;
    std::vector<std::string> out;
    CRect pane = menu->GetPaneRect();
    for (int i = 0; i < menu->GetItemCount(); ++i) {
        const CRibbonApplicationMenu::Item& item = menu->GetItem(i);
        if (!pane.PtInRect(item.rect.TopLeft()))
            continue;
        const char* kind = item.kind == Kind::Heading ? "heading" : item.kind == Kind::Recent ? "recent"
                         : item.kind == Kind::SubButton ? "button" : "other";
        out.push_back(std::string(kind) + ":" + item.text.GetString());
    }
    return out;
}

// The menu's left column in order ("-" for a separator) and its bottom row, by their captions.
inline void AppMenuColumnAndBottom(CRibbonApplicationMenu* menu, std::vector<std::string>& column,
                                   std::vector<std::string>& bottom)
{
    using Kind = CRibbonApplicationMenu::Kind;
    for (int i = 0; i < menu->GetItemCount(); ++i) {
        const CRibbonApplicationMenu::Item& item = menu->GetItem(i);
        if (item.kind == Kind::Button)
            column.push_back(item.text.GetString());
        else if (item.kind == Kind::Separator)
            column.push_back("-");
        else if (item.kind == Kind::Bottom)
            bottom.push_back(item.text.GetString());
    }
}
