#include "barcode/interleaved25.h"

#include "framework/recordio.h"
#include <cstring>

namespace {

// Widths of the five elements of each digit, first element in bit 4; a set bit is wide.
const uint8_t kDigitPatterns[10] = {
    0x06, 0x11, 0x09, 0x18, 0x05, 0x14, 0x0C, 0x03, 0x12, 0x0A,
};

uint8_t Element(uint8_t pattern, int position)
{
    return (pattern >> (4 - position)) & 1 ? CBarPattern::kWide : 1;
}

uint8_t DigitPattern(char c)
{
    return c >= '0' && c <= '9' ? kDigitPatterns[c - '0'] : kDigitPatterns[0];
}

}   // namespace

char CBarcodeCode2of5Int::CheckDigit(const char* text)
{
    int sum = 0;
    int weight = 3;
    for (size_t i = strlen(text); i-- > 0;) {
        sum += (static_cast<unsigned char>(text[i]) - '0') * weight;
        weight = 4 - weight;
    }
    return static_cast<char>('0' + (10 - sum % 10) % 10);
}

CString CBarcodeCode2of5Int::DigitString(const char* text) const
{
    size_t n = strlen(text);
    if (n > static_cast<size_t>(kMaxBarcodeText))
        return CString();
    CString digits;
    if ((n + (m_checkDigit ? 1 : 0)) % 2 == 1)
        digits = "0";
    digits += text;
    if (m_checkDigit)
        digits += CheckDigit(text);
    return digits;
}

bool CBarcodeCode2of5Int::Encode(const char* text, CBarPattern& out) const
{
    out.Clear();
    CString digits = DigitString(text);
    if (digits.IsEmpty() && *text)
        return false;
    out.Reserve(digits.GetLength() * 5 + 7);
    for (int i = 0; i < 4; ++i)   // start: narrow bar, space, bar, space
        out.Add(1);
    for (int i = 0; i + 1 < digits.GetLength(); i += 2) {
        uint8_t bars = DigitPattern(digits[i]);
        uint8_t spaces = DigitPattern(digits[i + 1]);
        for (int k = 0; k < 5; ++k) {
            out.Add(Element(bars, k));
            out.Add(Element(spaces, k));
        }
    }
    out.Add(CBarPattern::kWide);   // stop: wide bar, narrow space, narrow bar
    out.Add(1);
    out.Add(1);
    return true;
}

bool CBarcodeCode2of5Int::IsEncodable(const char* text)
{
    return text && strlen(text) <= static_cast<size_t>(kMaxBarcodeText) && IsDigitText(text);
}

int CBarcodeCode2of5Int::Draw(CBarcodeOwner* owner, CDC* dc, int dpiX, int dpiY, int x, int y,
                              int record, const char* text)
{
    if (!owner || !dc || !text || !*text || !MayDraw(owner, text))
        return 0;
    CBarPattern pattern;
    if (!Encode(text, pattern))
        return 0;
    CString caption;
    if (record < 1) {
        caption = CString("2/5 int ") + text;
    } else {
        caption = text;
        if (m_checkDigit && m_checkInText)
            caption += CheckDigit(text);
    }
    return DrawLinear(owner, dc, pattern, m_ratio, dpiX, dpiY, x, y, record, caption);
}

int CBarcodeCode2of5Int::MeasureWidth(const char* text, int dpi)
{
    CBarPattern pattern;
    if (dpi <= 0 || !text || !Encode(text, pattern))
        return 0;
    LinearMetrics lm = MakeMetrics(dpi, dpi, m_ratio);
    return ClampToInt(PatternPixels(pattern, lm) * 25400 / dpi);
}

bool CBarcodeCode2of5Int::GetName(char* buffer, int size) const
{
    return CopyTextBounded(buffer, size, "2/5 Interleaved");
}

bool CBarcodeCode2of5Int::Load(CFile* file)
{
    RecordReader r(file);
    CommonRecord common;
    ReadCommon(r, common);
    int16_t ratio = 0;
    uint8_t check = 0, reservedByte = 0, inText = 0;
    int32_t reservedInt = 0;
    r.I16(ratio);
    r.U8(check);
    r.U8(reservedByte);
    r.I32(reservedInt);
    r.U8(inText);
    if (!r.ok())
        return false;
    ApplyCommon(common);
    m_ratio = ratio;
    m_checkDigit = check != 0;
    m_reservedByte = reservedByte;
    m_reservedInt = reservedInt;
    m_checkInText = inText != 0;
    return true;
}

bool CBarcodeCode2of5Int::Save(CFile* file) const
{
    RecordWriter w(file);
    WriteCommon(w);
    w.I16(m_ratio);
    w.U8(m_checkDigit ? 1 : 0);
    w.U8(m_reservedByte);
    w.I32(m_reservedInt);
    w.U8(m_checkInText ? 1 : 0);
    return w.ok();
}
