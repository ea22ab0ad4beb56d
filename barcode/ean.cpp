#include "barcode/ean.h"

#include "barcode/barfill.h"
#include "framework/recordio.h"
#include <cstdlib>
#include <cstring>

namespace {

// The modules of each digit in set A, bit 6 first; set B and set C derive from it.
const uint8_t kSetA[10] = {0x0D, 0x19, 0x13, 0x3D, 0x23, 0x31, 0x2F, 0x3B, 0x37, 0x0B};
// EAN 13: which of the six left digits take set B, by the leading digit (bit 0x20 first).
const uint8_t kLeadingParity[10] = {0x00, 0x0B, 0x0D, 0x0E, 0x13, 0x19, 0x1C, 0x15, 0x16, 0x1A};

uint8_t Reverse7(uint8_t bits)
{
    uint8_t out = 0;
    for (int i = 0; i < 7; ++i)
        if (bits & (1 << i))
            out |= static_cast<uint8_t>(1 << (6 - i));
    return out;
}

// set 1 = A, 2 = B, 3 = C.
uint8_t DigitModules(int digit, int set)
{
    uint8_t a = kSetA[digit];
    uint8_t c = static_cast<uint8_t>(~a & 0x7F);
    return set == 1 ? a : set == 2 ? Reverse7(c) : c;
}

struct DigitBars {
    int start[2];   // first module, 1-7
    int width[2];   // in modules
};

DigitBars BarsOf(uint8_t modules)
{
    DigitBars bars = {{0, 0}, {0, 0}};
    int found = 0;
    for (int module = 1; module <= 7 && found < 2;) {
        if (modules & (1 << (7 - module))) {
            int width = 0;
            while (module + width <= 7 && (modules & (1 << (7 - module - width))))
                ++width;
            bars.start[found] = module;
            bars.width[found] = width;
            ++found;
            module += width;
        } else {
            ++module;
        }
    }
    return bars;
}

}   // namespace

CBarcodeEAN::CBarcodeEAN() : CBarcodeModular(::MulDiv(13, 25400, 1000))
{
    m_barHeight = 22850;
}

char CBarcodeEAN::CheckDigit(const char* digits)
{
    int sum = 0;
    int weight = 3;
    for (size_t i = strlen(digits); i-- > 0;) {
        sum += (digits[i] - '0') * weight;
        weight = 4 - weight;
    }
    return static_cast<char>('0' + (10 - sum % 10) % 10);
}

CString CBarcodeEAN::PadAndCheck(const char* text, int count)
{
    size_t n = strlen(text);
    if (n > static_cast<size_t>(kMaxBarcodeText))
        return CString();
    CString digits;
    if (n < static_cast<size_t>(count))
        digits = CString('0', count - static_cast<int>(n)) + text;
    else
        digits = CString(text, count);
    for (int i = 0; i < digits.GetLength(); ++i)
        if (digits[i] < '0' || digits[i] > '9')
            digits.SetAt(i, '0');
    digits += CheckDigit(digits);
    return digits;
}

int CBarcodeEAN::GetScaledBarHeight() const
{
    int64_t nominal = int64_t(m_moduleWidth) * 22860 / 330;
    return ClampToInt((100 - m_heightReduction) * nominal / 100);
}

int CBarcodeEAN::GetSymbolHeight(CBarcodeOwner* owner, int)
{
    LOGFONTA font = {};
    if (owner)
        owner->GetOwnerLogFont(&font);
    int64_t text = ::MulDiv(std::abs(font.lfHeight), 25400, 72);
    return ClampToInt(GetScaledBarHeight() + text);
}

bool CBarcodeEAN::IsEncodable(const char* text)
{
    if (!text || !IsDigitText(text))
        return false;
    const size_t n = strlen(text);
    const size_t data = static_cast<size_t>(GetLayout().dataDigits);
    if (n <= data)
        return true;
    return n == data + 1 && CheckDigit(CString(text, static_cast<int>(data))) == text[data];
}

int CBarcodeEAN::Draw(CBarcodeOwner* owner, CDC* dc, int dpiX, int dpiY, int X, int Y, int,
                      const char* text)
{
    if (!owner || !dc || !text || !*text || !MayDraw(owner, text))
        return 0;
    CString digits = DigitString(text);
    if (digits.IsEmpty())
        return 0;
    CBarOrigin at;
    at.dc = dc;
    at.rotation = owner->GetOwnerRotation();
    at.clip = owner->GetOwnerDeviceRect();
    at.X = X;
    at.Y = Y;
    CRect probe;
    if (!at.MapRect(0, 1, 0, 1, probe))
        return 0;

    int across = 0, along = 0;
    SplitResolutions(at.rotation, dpiX, dpiY, across, along);
    const int m = m_modulePx = BarcodeUmToPx(m_moduleWidth, across);
    const int s = m_spaceCorrection;
    const int bar = m_barPx = BarcodeUmToPx(GetScaledBarHeight(), along);
    const int guard = m_guardPx =
        bar + ClampToInt((int64_t(along) * m_moduleWidth + 2540) * 5 / 25400);
    if (m <= 0 || m > 10000)
        return 0;
    const Layout layout = GetLayout();
    const int leading = digits[0] - '0';

    LOGFONTA lf = {};
    owner->GetOwnerDrawLogFont(&lf);
    CFont font;
    font.CreateFontIndirect(&lf);
    int saved = dc->SaveDC();
    SelectBarBrush(dc);
    // The bars gather and are filled together at the end; the digits are the bars' colour and
    // do not overlap them, so the order does not show.
    CBarFill fill(dc->GetSafeHdc(), BarBrush());
    at.fill = &fill;
    dc->SelectObject(&font);
    dc->SetTextColor(owner->GetOwnerTextColour());
    dc->SetBkMode(TRANSPARENT);
    dc->SetTextAlign(layout.centredText ? (TA_CENTER | TA_TOP) : (TA_LEFT | TA_TOP));
    CRect ownerRect = at.clip;

    // A digit's text, only where it lies wholly inside the owner's box.
    auto drawText = [&](int alongPx, char digit) {
        CSize size = dc->GetTextExtent(&digit, 1);
        int start = layout.centredText ? alongPx - size.cx / 2 : alongPx;
        CRect box;
        at.MapRect(start, size.cx, bar, size.cy, box);
        if (box.left < ownerRect.left || box.top < ownerRect.top || box.right > ownerRect.right ||
            box.bottom > ownerRect.bottom)
            return;
        CPoint p = at.MapPoint(alongPx, bar);
        dc->TextOut(p.x, p.y, &digit, 1);
    };
    auto drawDigit = [&](int x, int position, int set) {
        int digit = digits[position] - '0';
        DigitBars bars = BarsOf(DigitModules(digit, set));
        bool outer = layout.upcaOuterDigits && (position == 1 || position == 12);
        int height = outer ? guard : bar;
        DrawBar(at, x + s + m * (bars.start[0] - 1), m * bars.width[0], height);
        DrawBar(at, x + 2 * s + m * (bars.start[1] - 1), m * bars.width[1], height);
        if (!outer)
            drawText(layout.centredText ? x + (8 * m + 2 * s + 1) / 2 : x, digits[position]);
    };
    auto guardPair = [&](int& x) {
        DrawBar(at, x, m, guard);
        x += m + m + s;
        DrawBar(at, x, m, guard);
        x += m + m + s;
    };

    int x = 11 * m;
    DrawBar(at, x, m, guard);   // start guard; x ends right after its second bar
    x += m + m + s;
    DrawBar(at, x, m, guard);
    x += m;
    for (int i = 0; i < layout.halfCount; ++i) {
        int position = layout.firstLeft + i;
        drawDigit(x, position, GetDigitParity(position - layout.parityOffset, leading));
        x += 7 * m + 2 * s;
    }
    x += s + m;   // centre guard
    guardPair(x);
    x -= s;
    for (int i = 0; i < layout.halfCount; ++i) {
        drawDigit(x, layout.firstRight + i, 3);
        x += 7 * m + 2 * s;
    }
    x += s;   // end guard
    guardPair(x);

    if (layout.leadingDigitLeft)
        drawText(0, digits[0]);
    if (layout.upcaOuterDigits) {
        drawText(0, digits[1]);
        drawText(x + s + 2 * m, digits[12]);
    }
    fill.Flush();
    dc->RestoreDC(saved);
    return x - m - s;   // where the last guard bar ends
}

bool CBarcodeEAN::Load(CFile* file)
{
    RecordReader r(file);
    CommonRecord common;
    ReadCommon(r, common);
    int16_t reduction = 0;
    r.I16(reduction);
    if (!r.ok())
        return false;
    ApplyCommon(common);
    m_heightReduction = reduction;
    return true;
}

bool CBarcodeEAN::Save(CFile* file) const
{
    RecordWriter w(file);
    WriteCommon(w);
    w.I16(m_heightReduction);
    return w.ok();
}

// ---- CBarcodeEAN13 ----

int CBarcodeEAN13::MeasureWidth(const char* text, int dpi)
{
    if (dpi <= 0 || !text || strlen(text) > static_cast<size_t>(kMaxBarcodeText))
        return 0;
    int64_t m = BarcodeUmToPx(m_moduleWidth, dpi);
    int64_t px = 106 * m + 29 * int64_t(m_spaceCorrection) + (m_quietZone ? 7 * m : 0);
    return ClampToInt(px * 25400 / dpi);
}

bool CBarcodeEAN13::GetName(char* buffer, int size) const
{
    return CopyTextBounded(buffer, size, "EAN 13");
}

int CBarcodeEAN13::GetDigitParity(int position, int leadingDigit) const
{
    if (leadingDigit < 0 || leadingDigit > 9 || position < 0 || position > 5)
        leadingDigit = 0;
    return kLeadingParity[leadingDigit] & (0x20 >> position) ? 2 : 1;
}

// ---- CBarcodeEAN8 ----

int CBarcodeEAN8::MeasureWidth(const char* text, int dpi)
{
    if (dpi <= 0 || !text || strlen(text) > static_cast<size_t>(kMaxBarcodeText))
        return 0;
    int64_t m = BarcodeUmToPx(m_moduleWidth, dpi);
    return ClampToInt((m * 2260600 + int64_t(m_spaceCorrection) * 736600 + dpi / 2) / dpi);
}

bool CBarcodeEAN8::GetName(char* buffer, int size) const
{
    return CopyTextBounded(buffer, size, "EAN 8");
}

// ---- CBarcodeUPCA ----

CString CBarcodeUPCA::DigitString(const char* text) const
{
    if (strlen(text) > static_cast<size_t>(kMaxBarcodeText))
        return CString();
    // A leading "0" changes neither the check digit nor the bars: UPC-A is EAN 13 with it.
    return "0" + PadAndCheck(CString(text).Left(11), 11);
}

int CBarcodeUPCA::MeasureWidth(const char* text, int dpi)
{
    if (dpi <= 0 || !text || strlen(text) > static_cast<size_t>(kMaxBarcodeText))
        return 0;
    int64_t m = BarcodeUmToPx(m_moduleWidth, dpi);
    return ClampToInt((m * 2971800 + int64_t(m_spaceCorrection) * 736600 + dpi / 2) / dpi);
}

bool CBarcodeUPCA::GetName(char* buffer, int size) const
{
    return CopyTextBounded(buffer, size, "UPCA");
}
