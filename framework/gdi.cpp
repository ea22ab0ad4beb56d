#include "framework/gdi.h"

#include <cstdlib>

// ==== CGdiObject =================================================================================

CGdiObject::~CGdiObject()
{
    DeleteObject();
}

BOOL CGdiObject::Attach(HGDIOBJ h)
{
    DeleteObject();
    m_hObject = h;
    m_stock = false;
    return h != nullptr;
}

HGDIOBJ CGdiObject::Detach()
{
    HGDIOBJ h = m_hObject;
    m_hObject = nullptr;
    m_stock = false;
    return h;
}

BOOL CGdiObject::DeleteObject()
{
    HGDIOBJ h = Detach();
    if (!h)
        return FALSE;
    return ::DeleteObject(h);
}

int CGdiObject::GetObject(int size, void* out) const
{
    return m_hObject ? ::GetObjectA(m_hObject, size, out) : 0;
}

BOOL CGdiObject::CreateStockObject(int index)
{
    DeleteObject();
    m_hObject = ::GetStockObject(index);
    m_stock = true;   // DeleteObject of a stock object is a no-op in GDI; we skip it anyway
    return m_hObject != nullptr;
}

BOOL CPen::CreatePen(int style, int width, COLORREF color)
{
    return Attach(::CreatePen(style, width, color));
}

BOOL CPen::CreatePenIndirect(const LOGPEN* lp)
{
    return Attach(lp ? ::CreatePenIndirect(lp) : nullptr);
}

BOOL CBrush::CreateSolidBrush(COLORREF color)
{
    return Attach(::CreateSolidBrush(color));
}

BOOL CBrush::CreateHatchBrush(int index, COLORREF color)
{
    return Attach(::CreateHatchBrush(index, color));
}

BOOL CBrush::CreatePatternBrush(HBITMAP bitmap)
{
    return Attach(::CreatePatternBrush(bitmap));
}

BOOL CBrush::CreateBrushIndirect(const LOGBRUSH* lb)
{
    return Attach(lb ? ::CreateBrushIndirect(lb) : nullptr);
}

BOOL CFont::CreateFontIndirect(const LOGFONTA* lf)
{
    return Attach(lf ? ::CreateFontIndirectA(lf) : nullptr);
}

BOOL CFont::CreatePointFont(int pointSizeTenths, const char* faceName, HDC dc)
{
    LOGFONTA lf = {};
    lf.lfCharSet = DEFAULT_CHARSET;
    if (faceName)
        lstrcpynA(lf.lfFaceName, faceName, LF_FACESIZE);
    HDC screen = dc ? nullptr : ::GetDC(nullptr);
    HDC target = dc ? dc : screen;
    // Tenths of a point to device pixels, then to the DC's logical units.
    POINT pt = { 0, ::GetDeviceCaps(target, LOGPIXELSY) * pointSizeTenths / 720 };
    POINT org = { 0, 0 };
    ::DPtoLP(target, &pt, 1);
    ::DPtoLP(target, &org, 1);
    lf.lfHeight = -std::abs(pt.y - org.y);
    if (screen)
        ::ReleaseDC(nullptr, screen);
    return CreateFontIndirect(&lf);
}

BOOL CFont::GetLogFont(LOGFONTA* lf) const
{
    return lf && GetObject(sizeof(LOGFONTA), lf) == sizeof(LOGFONTA);
}

BOOL CRgn::CreateRectRgn(int l, int t, int r, int b)
{
    return Attach(::CreateRectRgn(l, t, r, b));
}

BOOL CRgn::CreateRectRgnIndirect(LPCRECT rc)
{
    return Attach(rc ? ::CreateRectRgnIndirect(rc) : nullptr);
}

BOOL CRgn::CreateEllipticRgn(int l, int t, int r, int b)
{
    return Attach(::CreateEllipticRgn(l, t, r, b));
}

BOOL CRgn::CreateEllipticRgnIndirect(LPCRECT rc)
{
    return Attach(rc ? ::CreateEllipticRgnIndirect(rc) : nullptr);
}

BOOL CRgn::CreatePolygonRgn(const POINT* pts, int count, int fillMode)
{
    return Attach(pts && count > 0 ? ::CreatePolygonRgn(pts, count, fillMode) : nullptr);
}

BOOL CRgn::CreateRoundRectRgn(int l, int t, int r, int b, int w, int h)
{
    return Attach(::CreateRoundRectRgn(l, t, r, b, w, h));
}

int CRgn::CombineRgn(const CRgn* a, const CRgn* b, int mode)
{
    if (!m_hObject)
        return ERROR;
    return ::CombineRgn(static_cast<HRGN>(m_hObject), a ? static_cast<HRGN>(a->m_hObject) : nullptr,
                        b ? static_cast<HRGN>(b->m_hObject) : nullptr, mode);
}

int CRgn::CopyRgn(const CRgn* src)
{
    return CombineRgn(src, nullptr, RGN_COPY);
}

BOOL CRgn::PtInRegion(int x, int y) const
{
    return m_hObject && ::PtInRegion(static_cast<HRGN>(m_hObject), x, y);
}

int CRgn::GetRgnBox(LPRECT rc) const
{
    return m_hObject ? ::GetRgnBox(static_cast<HRGN>(m_hObject), rc) : ERROR;
}

int CRgn::OffsetRgn(int dx, int dy)
{
    return m_hObject ? ::OffsetRgn(static_cast<HRGN>(m_hObject), dx, dy) : ERROR;
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* dc, int width, int height)
{
    return Attach(dc ? ::CreateCompatibleBitmap(dc->m_hDC, width, height) : nullptr);
}

BOOL CBitmap::CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits)
{
    return Attach(::CreateBitmap(width, height, planes, bitsPerPixel, bits));
}

BOOL CBitmap::LoadBitmap(UINT id)
{
    return Attach(::LoadBitmapA(AfxGetResourceHandle(), MAKEINTRESOURCEA(id)));
}

CSize CBitmap::GetBitmapDimension() const
{
    BITMAP bm = {};
    if (GetObject(sizeof bm, &bm) != sizeof bm)
        return CSize();
    return CSize(bm.bmWidth, bm.bmHeight);
}

// ==== CDC ========================================================================================

CDC::~CDC()
{
    ReleaseWrappers();
    if (m_hDC)
        ::DeleteDC(Detach());
}

BOOL CDC::Attach(HDC dc)
{
    if (m_hDC)
        ::DeleteDC(Detach());
    m_hDC = dc;
    return dc != nullptr;
}

HDC CDC::Detach()
{
    HDC dc = m_hDC;
    m_hDC = nullptr;
    return dc;
}

BOOL CDC::CreateCompatibleDC(CDC* dc)
{
    return Attach(::CreateCompatibleDC(dc ? dc->m_hDC : nullptr));
}

BOOL CDC::DeleteDC()
{
    if (!m_hDC)
        return FALSE;
    return ::DeleteDC(Detach());
}

void CDC::ReleaseWrappers()
{
    for (auto& w : m_wrappers)
        w->Detach();
    m_wrappers.clear();
}

template <class T>
T* CDC::Wrap(HGDIOBJ h)
{
    if (!h || h == HGDI_ERROR)
        return nullptr;
    for (auto& w : m_wrappers) {
        if (w->m_hObject == h) {
            if (T* t = dynamic_cast<T*>(w.get()))
                return t;
        }
    }
    T* t = new T;
    t->m_hObject = h;
    m_wrappers.emplace_back(t);
    return t;
}

// Wraps a handle of unknown kind in the wrapper class of its kind.
CGdiObject* CDC::WrapAny(HGDIOBJ h)
{
    switch (::GetObjectType(h)) {
    case OBJ_PEN:
    case OBJ_EXTPEN: return Wrap<CPen>(h);
    case OBJ_BRUSH: return Wrap<CBrush>(h);
    case OBJ_FONT: return Wrap<CFont>(h);
    case OBJ_BITMAP: return Wrap<CBitmap>(h);
    default: return Wrap<CGdiObject>(h);
    }
}

CGdiObject* CDC::SelectObject(CGdiObject* obj)
{
    if (!m_hDC || !obj || !obj->m_hObject)
        return nullptr;
    if (::GetObjectType(obj->m_hObject) == OBJ_REGION) {
        ::SelectClipRgn(m_hDC, static_cast<HRGN>(obj->m_hObject));
        return nullptr;
    }
    HGDIOBJ old = ::SelectObject(m_hDC, obj->m_hObject);
    if (!old || old == HGDI_ERROR)
        return nullptr;
    return WrapAny(old);
}

CPen* CDC::SelectObject(CPen* pen)
{
    if (!m_hDC || !pen || !pen->m_hObject)
        return nullptr;
    return Wrap<CPen>(::SelectObject(m_hDC, pen->m_hObject));
}

CBrush* CDC::SelectObject(CBrush* brush)
{
    if (!m_hDC || !brush || !brush->m_hObject)
        return nullptr;
    return Wrap<CBrush>(::SelectObject(m_hDC, brush->m_hObject));
}

CFont* CDC::SelectObject(CFont* font)
{
    if (!m_hDC || !font || !font->m_hObject)
        return nullptr;
    return Wrap<CFont>(::SelectObject(m_hDC, font->m_hObject));
}

CBitmap* CDC::SelectObject(CBitmap* bitmap)
{
    if (!m_hDC || !bitmap || !bitmap->m_hObject)
        return nullptr;
    return Wrap<CBitmap>(::SelectObject(m_hDC, bitmap->m_hObject));
}

int CDC::SelectObject(CRgn* rgn)
{
    if (!m_hDC || !rgn || !rgn->m_hObject)
        return ERROR;
    return ::SelectClipRgn(m_hDC, static_cast<HRGN>(rgn->m_hObject));
}

HGDIOBJ CDC::SelectObject(HGDIOBJ obj)
{
    return (m_hDC && obj) ? ::SelectObject(m_hDC, obj) : nullptr;
}

CGdiObject* CDC::SelectStockObject(int index)
{
    HGDIOBJ stock = ::GetStockObject(index);
    if (!m_hDC || !stock)
        return nullptr;
    HGDIOBJ old = ::SelectObject(m_hDC, stock);
    if (!old || old == HGDI_ERROR)
        return nullptr;
    return WrapAny(old);
}

CFont* CDC::GetCurrentFont() { return m_hDC ? Wrap<CFont>(::GetCurrentObject(m_hDC, OBJ_FONT)) : nullptr; }
CPen* CDC::GetCurrentPen() { return m_hDC ? Wrap<CPen>(::GetCurrentObject(m_hDC, OBJ_PEN)) : nullptr; }
CBrush* CDC::GetCurrentBrush() { return m_hDC ? Wrap<CBrush>(::GetCurrentObject(m_hDC, OBJ_BRUSH)) : nullptr; }

// ---- lines and shapes ---------------------------------------------------------------------------

CPoint CDC::MoveTo(int x, int y)
{
    POINT old = { 0, 0 };
    ::MoveToEx(m_hDC, x, y, &old);
    return CPoint(old);
}

BOOL CDC::LineTo(int x, int y) { return ::LineTo(m_hDC, x, y); }

CPoint CDC::GetCurrentPosition() const
{
    POINT p = { 0, 0 };
    ::GetCurrentPositionEx(m_hDC, &p);
    return CPoint(p);
}

BOOL CDC::Rectangle(int l, int t, int r, int b) { return ::Rectangle(m_hDC, l, t, r, b); }
BOOL CDC::Rectangle(LPCRECT rc) { return ::Rectangle(m_hDC, rc->left, rc->top, rc->right, rc->bottom); }
BOOL CDC::Ellipse(int l, int t, int r, int b) { return ::Ellipse(m_hDC, l, t, r, b); }
BOOL CDC::Ellipse(LPCRECT rc) { return ::Ellipse(m_hDC, rc->left, rc->top, rc->right, rc->bottom); }

BOOL CDC::RoundRect(int l, int t, int r, int b, int w, int h)
{
    return ::RoundRect(m_hDC, l, t, r, b, w, h);
}

BOOL CDC::RoundRect(LPCRECT rc, POINT corner)
{
    return ::RoundRect(m_hDC, rc->left, rc->top, rc->right, rc->bottom, corner.x, corner.y);
}

BOOL CDC::Polygon(const POINT* pts, int count) { return ::Polygon(m_hDC, pts, count); }
BOOL CDC::Polyline(const POINT* pts, int count) { return ::Polyline(m_hDC, pts, count); }

BOOL CDC::Arc(int l, int t, int r, int b, int x3, int y3, int x4, int y4)
{
    return ::Arc(m_hDC, l, t, r, b, x3, y3, x4, y4);
}

BOOL CDC::Arc(LPCRECT rc, POINT start, POINT end)
{
    return ::Arc(m_hDC, rc->left, rc->top, rc->right, rc->bottom, start.x, start.y, end.x, end.y);
}

BOOL CDC::Pie(int l, int t, int r, int b, int x3, int y3, int x4, int y4)
{
    return ::Pie(m_hDC, l, t, r, b, x3, y3, x4, y4);
}

BOOL CDC::Pie(LPCRECT rc, POINT start, POINT end)
{
    return ::Pie(m_hDC, rc->left, rc->top, rc->right, rc->bottom, start.x, start.y, end.x, end.y);
}

// ---- areas --------------------------------------------------------------------------------------

BOOL CDC::FillRgn(CRgn* rgn, CBrush* brush)
{
    if (!rgn || !brush)
        return FALSE;
    return ::FillRgn(m_hDC, *rgn, *brush);
}

BOOL CDC::FrameRgn(CRgn* rgn, CBrush* brush, int width, int height)
{
    if (!rgn || !brush)
        return FALSE;
    return ::FrameRgn(m_hDC, *rgn, *brush, width, height);
}

void CDC::FillRect(LPCRECT rc, CBrush* brush)
{
    if (rc && brush)
        ::FillRect(m_hDC, rc, *brush);
}

void CDC::FrameRect(LPCRECT rc, CBrush* brush)
{
    if (rc && brush)
        ::FrameRect(m_hDC, rc, *brush);
}

void CDC::FillSolidRect(LPCRECT rc, COLORREF color)
{
    if (!rc)
        return;
    COLORREF old = ::SetBkColor(m_hDC, color);
    ::ExtTextOutA(m_hDC, 0, 0, ETO_OPAQUE, rc, nullptr, 0, nullptr);
    ::SetBkColor(m_hDC, old);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF color)
{
    RECT rc = { x, y, x + cx, y + cy };
    FillSolidRect(&rc, color);
}

void CDC::Draw3dRect(LPCRECT rc, COLORREF topLeft, COLORREF bottomRight)
{
    int x = rc->left, y = rc->top, cx = rc->right - rc->left, cy = rc->bottom - rc->top;
    FillSolidRect(x, y, cx - 1, 1, topLeft);
    FillSolidRect(x, y, 1, cy - 1, topLeft);
    FillSolidRect(x + cx - 1, y, 1, cy, bottomRight);
    FillSolidRect(x, y + cy - 1, cx, 1, bottomRight);
}

void CDC::InvertRect(LPCRECT rc)
{
    if (rc)
        ::InvertRect(m_hDC, rc);
}

void CDC::DrawFocusRect(LPCRECT rc)
{
    if (rc)
        ::DrawFocusRect(m_hDC, rc);
}

BOOL CDC::PatBlt(int x, int y, int w, int h, DWORD rop) { return ::PatBlt(m_hDC, x, y, w, h, rop); }
COLORREF CDC::SetPixel(int x, int y, COLORREF color) { return ::SetPixel(m_hDC, x, y, color); }
COLORREF CDC::GetPixel(int x, int y) const { return ::GetPixel(m_hDC, x, y); }

// ---- attributes ---------------------------------------------------------------------------------

int CDC::SetROP2(int mode) { return ::SetROP2(m_hDC, mode); }
int CDC::GetROP2() const { return ::GetROP2(m_hDC); }
int CDC::SetBkMode(int mode) { return ::SetBkMode(m_hDC, mode); }
int CDC::GetBkMode() const { return ::GetBkMode(m_hDC); }
COLORREF CDC::SetBkColor(COLORREF color) { return ::SetBkColor(m_hDC, color); }
COLORREF CDC::GetBkColor() const { return ::GetBkColor(m_hDC); }
COLORREF CDC::SetTextColor(COLORREF color) { return ::SetTextColor(m_hDC, color); }
COLORREF CDC::GetTextColor() const { return ::GetTextColor(m_hDC); }
UINT CDC::SetTextAlign(UINT flags) { return ::SetTextAlign(m_hDC, flags); }
UINT CDC::GetTextAlign() const { return ::GetTextAlign(m_hDC); }
int CDC::SetPolyFillMode(int mode) { return ::SetPolyFillMode(m_hDC, mode); }
int CDC::SetStretchBltMode(int mode) { return ::SetStretchBltMode(m_hDC, mode); }

// ---- text ---------------------------------------------------------------------------------------

BOOL CDC::TextOut(int x, int y, const char* text, int count)
{
    return ::TextOutA(m_hDC, x, y, text ? text : "", text ? count : 0);
}

BOOL CDC::TextOut(int x, int y, const CString& text)
{
    return ::TextOutA(m_hDC, x, y, text, text.GetLength());
}

BOOL CDC::ExtTextOut(int x, int y, UINT options, LPCRECT rc, const char* text, UINT count,
                     const INT* dx)
{
    return ::ExtTextOutA(m_hDC, x, y, options, rc, text, text ? count : 0, dx);
}

BOOL CDC::ExtTextOut(int x, int y, UINT options, LPCRECT rc, const CString& text, const INT* dx)
{
    return ::ExtTextOutA(m_hDC, x, y, options, rc, text, static_cast<UINT>(text.GetLength()), dx);
}

int CDC::DrawText(const char* text, int count, LPRECT rc, UINT format)
{
    return ::DrawTextA(m_hDC, text ? text : "", text ? count : 0, rc, format);
}

int CDC::DrawText(const CString& text, LPRECT rc, UINT format)
{
    // DT_MODIFYSTRING could write into the text: hand DrawText a private copy.
    CString copy(text);
    int len = copy.GetLength();
    char* buf = copy.GetBuffer(len + 4);
    return ::DrawTextA(m_hDC, buf, len, rc, format);
}

CSize CDC::GetTextExtent(const char* text, int count) const
{
    SIZE s = { 0, 0 };
    if (text && count > 0)
        ::GetTextExtentPoint32A(m_hDC, text, count, &s);
    return CSize(s);
}

CSize CDC::GetTextExtent(const CString& text) const
{
    return GetTextExtent(text, text.GetLength());
}

BOOL CDC::GetTextMetrics(TEXTMETRICA* tm) const
{
    return tm && ::GetTextMetricsA(m_hDC, tm);
}

int CDC::GetTextFace(CString& face) const
{
    char buf[LF_FACESIZE + 1] = {};
    int n = ::GetTextFaceA(m_hDC, LF_FACESIZE, buf);
    face = buf;
    return n;
}

// ---- device and state ---------------------------------------------------------------------------

int CDC::GetDeviceCaps(int index) const { return ::GetDeviceCaps(m_hDC, index); }
int CDC::SaveDC() { return ::SaveDC(m_hDC); }
BOOL CDC::RestoreDC(int saved) { return ::RestoreDC(m_hDC, saved); }

int CDC::SelectClipRgn(CRgn* rgn)
{
    return ::SelectClipRgn(m_hDC, rgn ? static_cast<HRGN>(rgn->m_hObject) : nullptr);
}

int CDC::SelectClipRgn(CRgn* rgn, int mode)
{
    return ::ExtSelectClipRgn(m_hDC, rgn ? static_cast<HRGN>(rgn->m_hObject) : nullptr, mode);
}

int CDC::IntersectClipRect(int l, int t, int r, int b) { return ::IntersectClipRect(m_hDC, l, t, r, b); }
int CDC::IntersectClipRect(LPCRECT rc) { return IntersectClipRect(rc->left, rc->top, rc->right, rc->bottom); }
int CDC::ExcludeClipRect(int l, int t, int r, int b) { return ::ExcludeClipRect(m_hDC, l, t, r, b); }
int CDC::ExcludeClipRect(LPCRECT rc) { return ExcludeClipRect(rc->left, rc->top, rc->right, rc->bottom); }
int CDC::GetClipBox(LPRECT rc) const { return ::GetClipBox(m_hDC, rc); }

// ---- blits and pictures -------------------------------------------------------------------------

BOOL CDC::BitBlt(int x, int y, int w, int h, CDC* src, int xSrc, int ySrc, DWORD rop)
{
    return ::BitBlt(m_hDC, x, y, w, h, src ? src->m_hDC : nullptr, xSrc, ySrc, rop);
}

BOOL CDC::StretchBlt(int x, int y, int w, int h, CDC* src, int xSrc, int ySrc, int wSrc, int hSrc,
                     DWORD rop)
{
    return ::StretchBlt(m_hDC, x, y, w, h, src ? src->m_hDC : nullptr, xSrc, ySrc, wSrc, hSrc, rop);
}

int CDC::StretchDIBits(int x, int y, int w, int h, int xSrc, int ySrc, int wSrc, int hSrc,
                       const void* bits, const BITMAPINFO* info, UINT usage, DWORD rop)
{
    return ::StretchDIBits(m_hDC, x, y, w, h, xSrc, ySrc, wSrc, hSrc, bits, info, usage, rop);
}

BOOL CDC::PlayMetaFile(HMETAFILE mf) { return mf && ::PlayMetaFile(m_hDC, mf); }

BOOL CDC::PlayMetaFile(HENHMETAFILE emf, LPCRECT bounds)
{
    return emf && bounds && ::PlayEnhMetaFile(m_hDC, emf, bounds);
}

// ---- mapping ------------------------------------------------------------------------------------

int CDC::SetMapMode(int mode) { return ::SetMapMode(m_hDC, mode); }
int CDC::GetMapMode() const { return ::GetMapMode(m_hDC); }

CPoint CDC::SetViewportOrg(int x, int y)
{
    POINT old = { 0, 0 };
    ::SetViewportOrgEx(m_hDC, x, y, &old);
    return CPoint(old);
}

CPoint CDC::GetViewportOrg() const
{
    POINT p = { 0, 0 };
    ::GetViewportOrgEx(m_hDC, &p);
    return CPoint(p);
}

CPoint CDC::SetWindowOrg(int x, int y)
{
    POINT old = { 0, 0 };
    ::SetWindowOrgEx(m_hDC, x, y, &old);
    return CPoint(old);
}

CPoint CDC::GetWindowOrg() const
{
    POINT p = { 0, 0 };
    ::GetWindowOrgEx(m_hDC, &p);
    return CPoint(p);
}

CSize CDC::SetViewportExt(int cx, int cy)
{
    SIZE old = { 0, 0 };
    ::SetViewportExtEx(m_hDC, cx, cy, &old);
    return CSize(old);
}

CSize CDC::SetWindowExt(int cx, int cy)
{
    SIZE old = { 0, 0 };
    ::SetWindowExtEx(m_hDC, cx, cy, &old);
    return CSize(old);
}

CPoint CDC::OffsetViewportOrg(int dx, int dy)
{
    POINT old = { 0, 0 };
    ::OffsetViewportOrgEx(m_hDC, dx, dy, &old);
    return CPoint(old);
}

void CDC::DPtoLP(LPPOINT pts, int count) const { ::DPtoLP(m_hDC, pts, count); }
void CDC::DPtoLP(LPRECT rc) const { ::DPtoLP(m_hDC, reinterpret_cast<LPPOINT>(rc), 2); }
void CDC::LPtoDP(LPPOINT pts, int count) const { ::LPtoDP(m_hDC, pts, count); }
void CDC::LPtoDP(LPRECT rc) const { ::LPtoDP(m_hDC, reinterpret_cast<LPPOINT>(rc), 2); }

// ==== window DCs =================================================================================

CPaintDC::CPaintDC(HWND wnd) : m_ps(), m_hWnd(wnd)
{
    m_hDC = ::BeginPaint(wnd, &m_ps);
}

CPaintDC::~CPaintDC()
{
    ReleaseWrappers();
    Detach();
    ::EndPaint(m_hWnd, &m_ps);
}

CClientDC::CClientDC(HWND wnd) : m_hWnd(wnd)
{
    m_hDC = ::GetDC(wnd);
}

CClientDC::~CClientDC()
{
    ReleaseWrappers();
    HDC dc = Detach();
    if (dc)
        ::ReleaseDC(m_hWnd, dc);
}

CWindowDC::CWindowDC(HWND wnd) : m_hWnd(wnd)
{
    m_hDC = ::GetWindowDC(wnd);
}

CWindowDC::~CWindowDC()
{
    ReleaseWrappers();
    HDC dc = Detach();
    if (dc)
        ::ReleaseDC(m_hWnd, dc);
}
