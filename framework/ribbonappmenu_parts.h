#pragma once
// What the application menu's source files share: picture sizes and small drawing helpers.
#include "framework/app.h"
#include "framework/cstring.h"
#include "framework/ribbonelements.h"

#include <windows.h>

namespace ribbonmenu {

constexpr int kLargeImage = 32;
constexpr int kSmallImage = 16;

inline bool IsPrefixOf(const CString& a, const CString& b)
{
    return a.GetLength() <= b.GetLength() && b.Left(a.GetLength()).CompareNoCase(a) == 0;
}

inline void Stroke(HDC dc, int x1, int y1, int x2, int y2, COLORREF color)
{
    HPEN pen = ::CreatePen(PS_SOLID, 1, color);
    HGDIOBJ old = ::SelectObject(dc, pen);
    ::MoveToEx(dc, x1, y1, nullptr);
    ::LineTo(dc, x2, y2);
    ::SelectObject(dc, old);
    ::DeleteObject(pen);
}

inline void Outline(HDC dc, const CRect& rect, COLORREF color)
{
    HBRUSH brush = ::CreateSolidBrush(color);
    ::FrameRect(dc, &rect, brush);
    ::DeleteObject(brush);
}

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
