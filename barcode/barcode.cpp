#include "barcode/barcode.h"

#include "barcode/barfill.h"
#include "framework/recordio.h"
#include <algorithm>
#include <climits>
#include <cstring>

namespace {
// A symbol wider than this many pixels comes only from a corrupt module width; it is not drawn.
constexpr int64_t kMaxSymbolPixels = int64_t(1) << 26;
constexpr int kMessageLimit = 8191;
// The printing messages are Swedish, as the clipped QR Code's is.
const char kUnencodableStart[] = "Texten kan inte visas som %s p\xE5 etikett nummer %d: \"";
}

const char kBarcodePrintStopCaption[] = "Utskrift avbruten";

CString CloseQuotedMessage(const CString& start, const char* text)
{
    CString message = start;
    const int room = std::max(kMessageLimit - message.GetLength() - 1, 0);
    size_t n = text ? strlen(text) : 0;
    if (n > static_cast<size_t>(room))
        n = static_cast<size_t>(room);
    message += CString(text ? text : "", static_cast<int>(n));
    message += '"';
    return message;
}

CString FormatUnencodableMessage(const char* symbologyName, int labelNumber, const char* text)
{
    CString start;
    start.Format(kUnencodableStart, symbologyName ? symbologyName : "", labelNumber);
    return CloseQuotedMessage(start, text);
}

int ClampToInt(int64_t v)
{
    if (v > INT_MAX)
        return INT_MAX;
    if (v < INT_MIN)
        return INT_MIN;
    return static_cast<int>(v);
}

bool IsDigitText(const char* text)
{
    for (const char* p = text; *p; ++p)
        if (*p < '0' || *p > '9')
            return false;
    return true;
}

int BarcodeUmToPx(int64_t um, int dpi)
{
    return ClampToInt((um * dpi + 12700) / 25400);
}

// ---- CBarOrigin ----

bool CBarOrigin::MapRect(int along, int length, int across, int depth, CRect& out) const
{
    switch (rotation) {
    case 0:
        out.SetRect(X + along, Y + across, X + along + length, Y + across + depth);
        return true;
    case 900:
        out.SetRect(X + across, Y - along - length, X + across + depth, Y - along);
        return true;
    case 1800:
        out.SetRect(X - along - length, Y - across - depth, X - along, Y - across);
        return true;
    case 2700:
        out.SetRect(X - across - depth, Y + along, X - across, Y + along + length);
        return true;
    default:
        return false;
    }
}

CPoint CBarOrigin::MapPoint(int along, int across) const
{
    switch (rotation) {
    case 900:
        return CPoint(X + across, Y - along);
    case 1800:
        return CPoint(X - along, Y - across);
    case 2700:
        return CPoint(X - across, Y + along);
    default:
        return CPoint(X + along, Y + across);
    }
}

// ---- CBarcode ----

CBarcode::CBarcode(const CBarcode&) : CObject() {}

CBarcode& CBarcode::operator=(const CBarcode&)
{
    return *this;
}

CBarcode::~CBarcode() = default;

void CBarcode::ReleaseBrush()
{
    m_brush.DeleteObject();
}

bool CBarcode::MayDraw(CBarcodeOwner* owner, const char* text)
{
    return (owner && owner->IsOwnerTextPlaceholder()) || IsEncodable(text);
}

CString CBarcode::GetNameString() const
{
    char name[32] = {};
    GetName(name, sizeof name);
    return CString(name);
}

void CBarcode::DrawBar(const CBarOrigin& at, int x, int width, int height)
{
    CRect bar;
    if (width <= 0 || height <= 0 || !at.MapRect(x, width, 0, height, bar))
        return;
    CRect visible;
    if (!::IntersectRect(&visible, &bar, &at.clip))
        return;
    if (at.fill) {
        at.fill->Add(visible);
        return;
    }
    ::PatBlt(at.dc->GetSafeHdc(), visible.left, visible.top, visible.Width(), visible.Height(),
             PATCOPY);
}

HBRUSH CBarcode::BarBrush() const
{
    HGDIOBJ brush = m_brush.GetSafeHandle() ? m_brush.GetSafeHandle() : ::GetStockObject(BLACK_BRUSH);
    return static_cast<HBRUSH>(brush);
}

HGDIOBJ CBarcode::SelectBarBrush(CDC* dc)
{
    return ::SelectObject(dc->GetSafeHdc(), BarBrush());
}

// ---- CBarPattern ----

std::string CBarPattern::ToModules(int wide) const
{
    std::string out;
    for (size_t i = 0; i < m_elements.size(); ++i) {
        int n = m_elements[i] == kWide ? wide : m_elements[i];
        out.append(static_cast<size_t>(n), i % 2 == 0 ? '1' : '0');
    }
    return out;
}

// ---- CBarcodeModular ----

int CBarcodeModular::GetSymbolHeight(CBarcodeOwner*, int)
{
    return m_barHeight;
}

void CBarcodeModular::SetBarHeight(int um)
{
    if (um >= 0)
        m_barHeight = um;
}

void CBarcodeModular::SetModuleWidth(int um)
{
    if (um >= 0)
        m_moduleWidth = um;
}

void CBarcodeModular::SplitResolutions(int rotation, int dpiX, int dpiY, int& across, int& along)
{
    if (rotation == 900 || rotation == 2700) {
        across = dpiY;
        along = dpiX;
    } else {
        across = dpiX;
        along = dpiY;
    }
}

CBarcodeModular::LinearMetrics CBarcodeModular::MakeMetrics(int dpiAcross, int dpiAlong,
                                                            int ratioTenths) const
{
    LinearMetrics lm;
    lm.m = BarcodeUmToPx(m_moduleWidth, dpiAcross);
    if (lm.m < 0)
        lm.m = 0;
    lm.wide = ratioTenths > 0 ? ::MulDiv(lm.m, ratioTenths, 10) : lm.m;
    if (lm.wide < 0)
        lm.wide = 0;
    lm.s = m_spaceCorrection;
    lm.h = BarcodeUmToPx(m_barHeight, dpiAlong);
    if (lm.h < 0)
        lm.h = 0;
    return lm;
}

int64_t CBarcodeModular::PatternPixels(const CBarPattern& pattern, const LinearMetrics& lm) const
{
    int64_t px = m_quietZone ? int64_t(20) * lm.m : 0;
    for (size_t i = 0; i < pattern.Size(); ++i) {
        uint8_t e = pattern[i];
        px += e == CBarPattern::kWide ? lm.wide : int64_t(e) * lm.m;
        if (i % 2 == 1)
            px += lm.s;
    }
    return px;
}

int CBarcodeModular::DrawLinear(CBarcodeOwner* owner, CDC* dc, const CBarPattern& pattern,
                                int ratioTenths, int dpiX, int dpiY, int x, int y, int record,
                                const char* caption)
{
    int across = 0, along = 0;
    SplitResolutions(owner->GetOwnerRotation(), dpiX, dpiY, across, along);
    LinearMetrics lm = MakeMetrics(across, along, ratioTenths);
    int drawn = DrawPattern(owner, dc, pattern, lm, x, y);
    if (drawn)
        DrawHumanReadable(owner, dc, lm, record, caption);
    return drawn;
}

int CBarcodeModular::DrawPattern(CBarcodeOwner* owner, CDC* dc, const CBarPattern& pattern,
                                 const LinearMetrics& lm, int x, int y)
{
    int64_t total = PatternPixels(pattern, lm);
    if (total > kMaxSymbolPixels || total < -kMaxSymbolPixels)
        return 0;
    CBarOrigin at;
    at.dc = dc;
    at.rotation = owner->GetOwnerRotation();
    at.clip = owner->GetOwnerDeviceRect();
    at.X = x;
    at.Y = y;
    CRect probe;
    if (!at.MapRect(0, 1, 0, 1, probe))
        return 0;
    int pos = m_quietZone ? 10 * lm.m : 0;
    // All bars in one fill: bars that touch (a space corrected to nothing) join into one.
    CBarFill fill(dc->GetSafeHdc(), BarBrush());
    fill.AllowImage(owner);
    at.fill = &fill;
    for (size_t i = 0; i < pattern.Size(); ++i) {
        uint8_t e = pattern[i];
        int width = e == CBarPattern::kWide ? lm.wide : e * lm.m;
        if (i % 2 == 0) {
            DrawBar(at, pos, width, lm.h);
            pos += width;
        } else {
            pos += width + lm.s;
        }
    }
    fill.Flush();
    return static_cast<int>(total);
}

void CBarcodeModular::DrawHumanReadable(CBarcodeOwner* owner, CDC* dc, const LinearMetrics& lm,
                                        int record, const char* text)
{
    if (!m_humanReadable)
        return;
    bool wasTransparent = owner->IsOwnerTransparent();
    owner->SetOwnerTransparent(true);
    owner->DrawCaption(dc, lm.h, m_quietZone ? 10 * lm.m : 0, record < 1, text);
    owner->SetOwnerTransparent(wasTransparent);
}

void CBarcodeModular::ReadCommon(RecordReader& r, CommonRecord& out)
{
    out = CommonRecord{};
    r.Bool(out.quietZone);
    r.Bool(out.humanReadable);
    r.I16(out.spaceCorrection);
    r.I32(out.barHeight);
    r.I32(out.moduleWidth);
}

void CBarcodeModular::ApplyCommon(const CommonRecord& c)
{
    m_quietZone = c.quietZone;
    m_humanReadable = c.humanReadable;
    m_spaceCorrection = c.spaceCorrection;
    m_barHeight = c.barHeight;
    m_moduleWidth = c.moduleWidth;
}

void CBarcodeModular::WriteCommon(RecordWriter& w) const
{
    w.U8(m_quietZone ? 1 : 0);
    w.U8(m_humanReadable ? 1 : 0);
    w.I16(m_spaceCorrection);
    w.I32(m_barHeight);
    w.I32(m_moduleWidth);
}

// ---- CBarcodeModularRatio ----

void CBarcodeModularRatio::SetRatio(int tenths)
{
    if (tenths >= 20 && tenths <= 30)
        m_ratio = static_cast<int16_t>(tenths);
}
