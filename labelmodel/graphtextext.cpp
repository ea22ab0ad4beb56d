// The multi-line text object: lines, vertical centring, the overflow mark and clipboard texts.
#include "labelmodel/graphtext.h"

#include "framework/gdi.h"
#include "framework/recordio.h"
#include "labelmodel/gdiselect.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

// The start and length of the index-th line (lines end at LF; a CR ends the line's text).
bool FindLine(const char* text, int index, const char** start, int* length)
{
    if (!text || index < 0)
        return false;
    const char* p = text;
    for (int i = 0; i < index; ++i) {
        p = std::strchr(p, '\n');
        if (!p)
            return false;
        ++p;
    }
    const char* end = p;
    while (*end && *end != '\n' && *end != '\r')
        ++end;
    *start = p;
    *length = static_cast<int>(end - p);
    return true;
}

int RoundToUm(double value)
{
    return static_cast<int>(std::floor(value + 0.5));
}

} // namespace

CGraphTextExt::CGraphTextExt() = default;

bool CGraphTextExt::QueryCentred(int* out)
{
    if (!out)
        return false;
    *out = (m_placement == kPlacementCentred) ? 1 : 0;
    return true;
}

bool CGraphTextExt::QueryShrinkToFit(int* out)
{
    if (!out)
        return false;
    *out = m_shrinkToFit ? 1 : 0;
    return true;
}

// ==== Records ====================================================================================

bool CGraphTextExt::Load(CFile* file)
{
    RecordReader r(file);
    TextRecord rec;
    if (!ReadTextRecord(r, file, rec)) {
        if (rec.unknownContent)
            ApplyTextRecord(rec);
        return false;
    }
    int16_t placement;
    if (!r.I16(placement))
        return false;
    ApplyTextRecord(rec);
    m_placement = placement;
    m_hasKeptFont = false;
    return true;
}

bool CGraphTextExt::Save(CFile* file)
{
    RecordWriter w(file);
    WriteTextRecord(w, file);
    w.I16(m_placement);
    return w.ok();
}

// ==== Lines ======================================================================================

int CGraphTextExt::CountLines(const char* text)
{
    int lines = 1;
    for (const char* p = text ? text : ""; *p; ++p) {
        if (*p == '\n')
            ++lines;
    }
    return lines;
}

bool CGraphTextExt::GetLine(const char* text, int index, char* buffer, int size)
{
    const char* start;
    int length;
    if (!FindLine(text, index, &start, &length))
        return false;
    if (buffer && size > 0) {
        int n = std::min(length, size - 1);
        std::memcpy(buffer, start, static_cast<size_t>(n));
        buffer[n] = '\0';
    }
    return true;
}

int CGraphTextExt::GetLinesHeight(CDC* pDC, const char* text)
{
    TEXTMETRICA tm = {};
    pDC->GetTextMetrics(&tm);
    return CountLines(text) * tm.tmHeight;
}

int CGraphTextExt::GetMaxLineWidth(const char* text, CDC* pDC)
{
    int widest = 0;
    const char* start;
    int length;
    for (int i = 0; FindLine(text, i, &start, &length); ++i)
        widest = std::max(widest, static_cast<int>(pDC->GetTextExtent(start, length).cx));
    return widest;
}

// ==== Drawing ====================================================================================

void CGraphTextExt::GetDrawLogFont(LOGFONTA* out)
{
    // Before the first drawing that kept a font, the font as it would be drawn.
    if (m_hasKeptFont)
        *out = m_keptFont;
    else
        MakeDrawLogFont(out);
}

void CGraphTextExt::DrawTextInBox(CDC* pDC, int topMargin, int xMargin, bool markShrunk,
                                  const char* text, int flags)
{
    if (!text)
        text = "";
    const int saved = pDC->SaveDC();
    PrepareTextDrawing(pDC);

    MakeDrawLogFont(&m_drawFont);
    CFont font;
    font.CreateFontIndirect(&m_drawFont);
    pDC->SelectObject(&font);

    int w, h;
    GetTextBox(&w, &h);
    const int usable = h - topMargin;
    const int lines = CountLines(text);
    TEXTMETRICA tm = {};
    pDC->GetTextMetrics(&tm);
    const int width = GetMaxLineWidth(text, pDC) + pDC->GetTextExtent(" ", 1).cx;
    int height = lines * tm.tmHeight;

    CFont shrunkFont;
    bool shrunk = false;
    if (m_shrinkToFit && width > 0 && (width >= w || height >= usable)) {
        m_drawFont.lfHeight = ShrunkHeight(m_drawFont.lfHeight, w, usable, width, height);
        shrunkFont.CreateFontIndirect(&m_drawFont);
        pDC->SelectObject(&shrunkFont);
        height = GetLinesHeight(pDC, text);
        pDC->GetTextMetrics(&tm);
        shrunk = true;
    }
    if (flags & 1) {
        m_keptFont = m_drawFont;
        m_hasKeptFont = true;
    }

    const int o = ApplyAlignment(pDC, w, xMargin);
    if (topMargin == 0 && m_placement == kPlacementCentred)
        topMargin = (usable - height) / 2;

    // Hebrew and Arabic read from right to left.
    const UINT readingOrder =
        (m_drawFont.lfCharSet == HEBREW_CHARSET || m_drawFont.lfCharSet == ARABIC_CHARSET)
            ? ETO_RTLREADING
            : 0;
    const CRect clip(m_deviceRect.left + 1, m_deviceRect.top + 1, m_deviceRect.right,
                     m_deviceRect.bottom);
    char line[kLineBufferSize];
    for (int i = 0; i < lines; ++i) {
        POINT start;
        if (!StartPoint(o, topMargin, &start) || !GetLine(text, i, line, sizeof line))
            break;
        const UINT length = static_cast<UINT>(std::strlen(line));
        if (m_rotation == 0)
            pDC->ExtTextOut(start.x, start.y, ETO_CLIPPED | readingOrder, &clip, line, length);
        else
            pDC->ExtTextOut(start.x, start.y, readingOrder, nullptr, line, length);
        topMargin += tm.tmHeight;
    }

    if (markShrunk && shrunk)
        DrawShrinkMark(pDC);
    if ((flags & 3) && !m_shrinkToFit && (width > w || height > usable))
        DrawOverflowMark(m_rotation, m_deviceRect, pDC);
    pDC->RestoreDC(saved);
}

// ==== Clipboard ==================================================================================

bool CGraphTextExt::CreateFromClipboardText(const LOGFONTA* font, HGLOBAL handle)
{
    if (!font || !handle)
        return false;
    const char* locked = static_cast<const char*>(GlobalLock(handle));
    if (!locked)
        return false;
    // The block need not end with a NUL within its size: never read past it.
    SIZE_T size = GlobalSize(handle);
    const void* nul = std::memchr(locked, '\0', size);
    CString text(locked, static_cast<int>(nul ? static_cast<const char*>(nul) - locked : size));
    GlobalUnlock(handle);

    SetLogFont(font);
    m_placement = kPlacementCentred;
    m_textColour = 0;
    m_x = 0;
    m_y = 0;
    m_lineWidth = 0;
    m_alignment = kAlignLeft;
    m_shrinkToFit = true;
    m_fillColour = RGB(255, 255, 255);
    m_transparent = false;
    m_rotation = 0;
    CTextFixedExt* content = new CTextFixedExt;
    content->SetMultiLineText(text);
    m_content.reset(content);

    // Measured on the screen with the font as stored (96 dots per inch units).
    CString lines = content->JoinedLines();
    HDC screen = GetDC(nullptr);
    CDC dc;
    dc.Attach(screen);
    CFont measuringFont;
    measuringFont.CreateFontIndirect(&m_font);
    {
        ScopedSelect useFont(&dc, measuringFont);
        TEXTMETRICA tm = {};
        dc.GetTextMetrics(&tm);
        const int dpiX = dc.GetDeviceCaps(LOGPIXELSX);
        const int dpiY = dc.GetDeviceCaps(LOGPIXELSY);
        m_width = RoundToUm(GetMaxLineWidth(lines, &dc) * 25400.0 / dpiX) + 1;
        m_height = RoundToUm(CountLines(lines) * static_cast<double>(tm.tmHeight) * 25400.0 / dpiY) + 1;
    }
    dc.Detach();
    ReleaseDC(nullptr, screen);
    m_transparent = true;
    return true;
}
