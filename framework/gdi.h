#pragma once
// RAII wrappers of GDI objects and device contexts. Each CGdiObject owns its handle and deletes it
// when destroyed (Detach first to keep it). A CDC owns its HDC unless it is one of the window DCs,
// which release theirs; pointers CDC::SelectObject returns are non-owning wrappers of the previously
// selected object, kept alive by the CDC until it is destroyed.
#include "framework/cstring.h"
#include "framework/geometry.h"
#include <windows.h>
#include <memory>
#include <vector>

class CDC;

class CGdiObject {
public:
    CGdiObject() = default;
    virtual ~CGdiObject();
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;

    HGDIOBJ m_hObject = nullptr;

    HGDIOBJ GetSafeHandle() const { return m_hObject; }
    BOOL Attach(HGDIOBJ h);                // deletes any handle held before
    HGDIOBJ Detach();
    BOOL DeleteObject();                   // deletes the handle; FALSE when there was none
    int GetObject(int size, void* out) const;
    BOOL CreateStockObject(int index);     // a stock object is never deleted by DeleteObject
private:
    bool m_stock = false;
};

class CPen : public CGdiObject {
public:
    CPen() = default;
    CPen(int style, int width, COLORREF color) { CreatePen(style, width, color); }
    BOOL CreatePen(int style, int width, COLORREF color);
    BOOL CreatePenIndirect(const LOGPEN* lp);
    operator HPEN() const { return static_cast<HPEN>(m_hObject); }
};

class CBrush : public CGdiObject {
public:
    CBrush() = default;
    explicit CBrush(COLORREF color) { CreateSolidBrush(color); }
    BOOL CreateSolidBrush(COLORREF color);
    BOOL CreateHatchBrush(int index, COLORREF color);
    BOOL CreatePatternBrush(HBITMAP bitmap);
    BOOL CreateBrushIndirect(const LOGBRUSH* lb);
    operator HBRUSH() const { return static_cast<HBRUSH>(m_hObject); }
};

class CFont : public CGdiObject {
public:
    BOOL CreateFontIndirect(const LOGFONTA* lf);
    // Point size in tenths at the screen's resolution (or dc's when given), like the framework's.
    BOOL CreatePointFont(int pointSizeTenths, const char* faceName, HDC dc = nullptr);
    BOOL GetLogFont(LOGFONTA* lf) const;
    operator HFONT() const { return static_cast<HFONT>(m_hObject); }
};

class CRgn : public CGdiObject {
public:
    BOOL CreateRectRgn(int l, int t, int r, int b);
    BOOL CreateRectRgnIndirect(LPCRECT rc);
    BOOL CreateEllipticRgn(int l, int t, int r, int b);
    BOOL CreateEllipticRgnIndirect(LPCRECT rc);
    BOOL CreatePolygonRgn(const POINT* pts, int count, int fillMode);
    BOOL CreateRoundRectRgn(int l, int t, int r, int b, int w, int h);
    // Combines a and b into this region, which must exist already (as with the Win32 call).
    int CombineRgn(const CRgn* a, const CRgn* b, int mode);
    int CopyRgn(const CRgn* src);
    BOOL PtInRegion(int x, int y) const;
    BOOL PtInRegion(POINT p) const { return PtInRegion(p.x, p.y); }
    int GetRgnBox(LPRECT rc) const;
    int OffsetRgn(int dx, int dy);
    operator HRGN() const { return static_cast<HRGN>(m_hObject); }
};

class CBitmap : public CGdiObject {
public:
    BOOL CreateCompatibleBitmap(CDC* dc, int width, int height);
    BOOL CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits);
    BOOL LoadBitmap(UINT id);              // from AfxGetResourceHandle()
    CSize GetBitmapDimension() const;      // width and height in pixels (from GetObject)
    operator HBITMAP() const { return static_cast<HBITMAP>(m_hObject); }
};

class CDC {
public:
    CDC() = default;
    virtual ~CDC();                        // deletes an owned HDC (restoring nothing)
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    HDC m_hDC = nullptr;
    bool m_bPrinting = false;

    BOOL Attach(HDC dc);                   // the CDC then owns dc and deletes it
    HDC Detach();
    HDC GetSafeHdc() const { return m_hDC; }
    operator HDC() const { return m_hDC; }
    BOOL CreateCompatibleDC(CDC* dc);      // dc may be null: compatible with the screen
    BOOL DeleteDC();
    bool IsPrinting() const { return m_bPrinting; }

    // Selection
    CGdiObject* SelectObject(CGdiObject* obj);
    CPen* SelectObject(CPen* pen);
    CBrush* SelectObject(CBrush* brush);
    CFont* SelectObject(CFont* font);
    CBitmap* SelectObject(CBitmap* bitmap);
    int SelectObject(CRgn* rgn);           // region complexity, as SelectClipRgn
    HGDIOBJ SelectObject(HGDIOBJ obj);
    CGdiObject* SelectStockObject(int index);
    CFont* GetCurrentFont();
    CPen* GetCurrentPen();
    CBrush* GetCurrentBrush();

    // Lines and shapes
    CPoint MoveTo(int x, int y);
    CPoint MoveTo(POINT p) { return MoveTo(p.x, p.y); }
    BOOL LineTo(int x, int y);
    BOOL LineTo(POINT p) { return LineTo(p.x, p.y); }
    CPoint GetCurrentPosition() const;
    BOOL Rectangle(int l, int t, int r, int b);
    BOOL Rectangle(LPCRECT rc);
    BOOL Ellipse(int l, int t, int r, int b);
    BOOL Ellipse(LPCRECT rc);
    BOOL RoundRect(int l, int t, int r, int b, int w, int h);
    BOOL RoundRect(LPCRECT rc, POINT corner);
    BOOL Polygon(const POINT* pts, int count);
    BOOL Polyline(const POINT* pts, int count);
    BOOL Arc(int l, int t, int r, int b, int x3, int y3, int x4, int y4);
    BOOL Arc(LPCRECT rc, POINT start, POINT end);
    BOOL Pie(int l, int t, int r, int b, int x3, int y3, int x4, int y4);
    BOOL Pie(LPCRECT rc, POINT start, POINT end);

    // Areas
    BOOL FillRgn(CRgn* rgn, CBrush* brush);
    BOOL FrameRgn(CRgn* rgn, CBrush* brush, int width, int height);
    void FillRect(LPCRECT rc, CBrush* brush);
    void FrameRect(LPCRECT rc, CBrush* brush);
    // Fills with a colour; the background colour is left as it was.
    void FillSolidRect(LPCRECT rc, COLORREF color);
    void FillSolidRect(int x, int y, int cx, int cy, COLORREF color);
    void Draw3dRect(LPCRECT rc, COLORREF topLeft, COLORREF bottomRight);
    void InvertRect(LPCRECT rc);
    void DrawFocusRect(LPCRECT rc);
    BOOL PatBlt(int x, int y, int w, int h, DWORD rop);
    COLORREF SetPixel(int x, int y, COLORREF color);
    COLORREF SetPixel(POINT p, COLORREF color) { return SetPixel(p.x, p.y, color); }
    COLORREF GetPixel(int x, int y) const;
    COLORREF GetPixel(POINT p) const { return GetPixel(p.x, p.y); }

    // Attributes
    int SetROP2(int mode);
    int GetROP2() const;
    int SetBkMode(int mode);
    int GetBkMode() const;
    COLORREF SetBkColor(COLORREF color);
    COLORREF GetBkColor() const;
    COLORREF SetTextColor(COLORREF color);
    COLORREF GetTextColor() const;
    UINT SetTextAlign(UINT flags);
    UINT GetTextAlign() const;
    int SetPolyFillMode(int mode);
    int SetStretchBltMode(int mode);

    // Text
    BOOL TextOut(int x, int y, const char* text, int count);
    BOOL TextOut(int x, int y, const CString& text);
    BOOL ExtTextOut(int x, int y, UINT options, LPCRECT rc, const char* text, UINT count,
                    const INT* dx = nullptr);
    BOOL ExtTextOut(int x, int y, UINT options, LPCRECT rc, const CString& text,
                    const INT* dx = nullptr);
    int DrawText(const char* text, int count, LPRECT rc, UINT format);
    int DrawText(const CString& text, LPRECT rc, UINT format);
    CSize GetTextExtent(const char* text, int count) const;
    CSize GetTextExtent(const CString& text) const;
    BOOL GetTextMetrics(TEXTMETRICA* tm) const;
    int GetTextFace(CString& face) const;

    // Device and state
    int GetDeviceCaps(int index) const;
    // Virtual so that a buffering DC (drawing into a memory bitmap in place of the window) can
    // keep its bitmap selected when an older state comes back.
    virtual int SaveDC();
    virtual BOOL RestoreDC(int saved);
    int SelectClipRgn(CRgn* rgn);          // null removes the clip region
    int SelectClipRgn(CRgn* rgn, int mode);
    int IntersectClipRect(int l, int t, int r, int b);
    int IntersectClipRect(LPCRECT rc);
    int ExcludeClipRect(int l, int t, int r, int b);
    int ExcludeClipRect(LPCRECT rc);
    int GetClipBox(LPRECT rc) const;

    // Blits and pictures
    BOOL BitBlt(int x, int y, int w, int h, CDC* src, int xSrc, int ySrc, DWORD rop);
    BOOL StretchBlt(int x, int y, int w, int h, CDC* src, int xSrc, int ySrc, int wSrc, int hSrc,
                    DWORD rop);
    int StretchDIBits(int x, int y, int w, int h, int xSrc, int ySrc, int wSrc, int hSrc,
                      const void* bits, const BITMAPINFO* info, UINT usage, DWORD rop);
    BOOL PlayMetaFile(HMETAFILE mf);
    BOOL PlayMetaFile(HENHMETAFILE emf, LPCRECT bounds);

    // Mapping
    int SetMapMode(int mode);
    int GetMapMode() const;
    CPoint SetViewportOrg(int x, int y);
    CPoint SetViewportOrg(POINT p) { return SetViewportOrg(p.x, p.y); }
    CPoint GetViewportOrg() const;
    CPoint SetWindowOrg(int x, int y);
    CPoint SetWindowOrg(POINT p) { return SetWindowOrg(p.x, p.y); }
    CPoint GetWindowOrg() const;
    CSize SetViewportExt(int cx, int cy);
    CSize SetWindowExt(int cx, int cy);
    CPoint OffsetViewportOrg(int dx, int dy);
    void DPtoLP(LPPOINT pts, int count = 1) const;
    void DPtoLP(LPRECT rc) const;
    void LPtoDP(LPPOINT pts, int count = 1) const;
    void LPtoDP(LPRECT rc) const;

protected:
    // Non-owning wrapper of a handle, created once per (handle, kind) and kept until destruction.
    template <class T> T* Wrap(HGDIOBJ h);
    CGdiObject* WrapAny(HGDIOBJ h);
    void ReleaseWrappers();

private:
    std::vector<std::unique_ptr<CGdiObject>> m_wrappers;
};

// The DC of a WM_PAINT: BeginPaint in the constructor, EndPaint in the destructor.
class CPaintDC : public CDC {
public:
    explicit CPaintDC(HWND wnd);
    ~CPaintDC() override;
    PAINTSTRUCT m_ps;
    HWND m_hWnd;
};

// GetDC of the client area, released in the destructor.
class CClientDC : public CDC {
public:
    explicit CClientDC(HWND wnd);
    ~CClientDC() override;
    HWND m_hWnd;
};

// GetWindowDC (whole window including the frame), released in the destructor.
class CWindowDC : public CDC {
public:
    explicit CWindowDC(HWND wnd);
    ~CWindowDC() override;
    HWND m_hWnd;
};

// The header of a 32-bit top-down DIB of width x height (rows from the top, BGRA pixels).
inline BITMAPINFO TopDownArgbInfo(int width, int height)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}
