#pragma once
// What the application menu's source files share: picture sizes and small drawing helpers.
#include "framework/app.h"
#include "framework/cstring.h"
#include "framework/ribbondraw.h"
#include "framework/ribbonelements.h"

#include <windows.h>

namespace ribbonmenu {

constexpr int kLargeImage = 32;
constexpr int kSmallImage = 16;

using ribbondraw::IsPrefixOf;
using ribbondraw::Outline;
using ribbondraw::Stroke;

inline COLORREF Mix(COLORREF a, COLORREF b, int percentOfB)
{
    auto part = [&](int x, int y) { return (x * (100 - percentOfB) + y * percentOfB) / 100; };
    return RGB(part(GetRValue(a), GetRValue(b)), part(GetGValue(a), GetGValue(b)), part(GetBValue(a), GetBValue(b)));
}

inline CRecentFileList* RecentFiles()
{
    CWinApp* app = AfxGetApp();
    return app != nullptr ? app->m_pRecentFileList : nullptr;
}

} // namespace ribbonmenu
