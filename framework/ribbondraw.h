#pragma once
// Small text and drawing helpers the ribbon bar, its elements and the application menu share:
// key tip letters, screen measuring, lines, frames and the key tip box.
#include "framework/cstring.h"
#include "framework/gdi.h"

#include <windows.h>
#include <cctype>
#include <vector>

namespace ribbondraw {

constexpr int kArrowWidth = 13;   // a drop-down arrow beside an element's caption
constexpr int kImageSize = 16;    // a small element picture

inline int TextWidth(CDC& dc, const CString& text)
{
    return text.IsEmpty() ? 0 : dc.GetTextExtent(text).cx;
}

// a is the beginning of b (or all of it), ignoring case.
inline bool IsPrefixOf(const CString& a, const CString& b)
{
    return a.GetLength() <= b.GetLength() && b.Left(a.GetLength()).CompareNoCase(a) == 0;
}

inline CString Upper(const CString& text)
{
    CString result;
    for (int i = 0; i < text.GetLength(); ++i)
        result += static_cast<char>(std::toupper(static_cast<unsigned char>(text[i])));
    return result;
}

// The letter after '&' in a caption (upper case), or empty.
inline CString MnemonicOf(const CString& caption)
{
    for (int i = 0; i + 1 < caption.GetLength(); ++i) {
        if (caption[i] != '&')
            continue;
        if (caption[i + 1] == '&') {
            ++i;
            continue;
        }
        return Upper(CString(caption[i + 1]));
    }
    return CString();
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

// Key tips given at one level: a free one neither repeats nor begins (nor is the beginning of)
// one already given, so typing it reaches exactly one element.
class KeyTipSet {
public:
    bool Free(const CString& keys) const
    {
        if (keys.IsEmpty())
            return false;
        for (const CString& used : m_used)
            if (IsPrefixOf(used, keys) || IsPrefixOf(keys, used))
                return false;
        return true;
    }
    void Take(const CString& keys) { m_used.push_back(keys); }
    // keys when free (and then taken), else empty.
    CString TakeIfFree(const CString& keys)
    {
        if (!Free(keys))
            return CString();
        Take(keys);
        return keys;
    }

private:
    std::vector<CString> m_used;
};

// A key tip: the keys in a small pale box centred on at. Tips the typing already passed by
// (typed is not their beginning) are left out.
inline void DrawKeyTipBox(CDC& dc, const CString& keys, CPoint at, const CString& typed)
{
    if (keys.IsEmpty())
        return;
    if (!typed.IsEmpty() && !IsPrefixOf(typed, keys))
        return;
    CSize size = dc.GetTextExtent(keys);
    CRect box(at.x - size.cx / 2 - 3, at.y - size.cy / 2 - 1, at.x + size.cx / 2 + 4, at.y + size.cy / 2 + 2);
    dc.FillSolidRect(&box, RGB(255, 255, 225));
    Outline(dc.m_hDC, box, RGB(96, 96, 96));
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(RGB(0, 0, 0));
    dc.DrawText(keys, -1, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

// Registers once the window class of a ribbon popup (arrow cursor, drop shadow); true when it is there.
inline bool RegisterPopupClass(const char* name, WNDPROC proc)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = proc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = name;
    wc.style = CS_DROPSHADOW;
    return ::RegisterClassA(&wc) != 0 || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

// A DC on the screen for measuring, with a font selected (the bar's, else the GUI font).
class MeasureDC {
public:
    explicit MeasureDC(HFONT font) : m_screen(::GetDC(nullptr))
    {
        m_dc.Attach(m_screen);
        m_old = ::SelectObject(m_screen, font ? static_cast<HGDIOBJ>(font) : ::GetStockObject(DEFAULT_GUI_FONT));
    }
    ~MeasureDC()
    {
        ::SelectObject(m_screen, m_old);
        m_dc.Detach();
        ::ReleaseDC(nullptr, m_screen);
    }
    MeasureDC(const MeasureDC&) = delete;
    MeasureDC& operator=(const MeasureDC&) = delete;
    CDC& dc() { return m_dc; }
    int Width(const CString& text) { return text.IsEmpty() ? 0 : static_cast<int>(m_dc.GetTextExtent(text).cx); }
    int LineHeight() { return static_cast<int>(m_dc.GetTextExtent("Ag").cy); }
    // The height of text wrapped into width.
    int WrappedHeight(const CString& text, int width)
    {
        if (text.IsEmpty())
            return 0;
        CRect rect(0, 0, width, 0);
        m_dc.DrawText(text, -1, &rect, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
        return rect.Height();
    }
    void Select(HFONT font) { ::SelectObject(m_screen, font); }

private:
    HDC m_screen;
    CDC m_dc;
    HGDIOBJ m_old;
};

} // namespace ribbondraw
