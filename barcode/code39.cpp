#include "barcode/code39.h"

#include "framework/recordio.h"
#include <cstring>

namespace {

// Elements b s b s b s b s b of each value; a set bit (first element in bit 8) is wide.
const uint16_t kPatterns[44] = {
    0x034, 0x121, 0x061, 0x160, 0x031, 0x130, 0x070, 0x025, 0x124, 0x064,   // 0-9
    0x109, 0x049, 0x148, 0x019, 0x118, 0x058, 0x00D, 0x10C, 0x04C, 0x01C,   // A-J
    0x103, 0x043, 0x142, 0x013, 0x112, 0x052, 0x007, 0x106, 0x046, 0x016,   // K-T
    0x181, 0x0C1, 0x1C0, 0x091, 0x190, 0x0D0,                               // U-Z
    0x085, 0x184, 0x0C4, 0x0A8, 0x0A2, 0x08A, 0x02A,                        // - . space $ / + %
    0x094,                                                                  // * start/stop
};
constexpr int kSpaceValue = 38;
constexpr int kStartStopValue = 43;

void AddCharacter(CBarPattern& out, int value, bool gapBefore)
{
    if (value < 0 || value > kStartStopValue)
        value = kSpaceValue;
    if (gapBefore)
        out.Add(1);   // inter-character space
    uint16_t bits = kPatterns[value];
    for (int e = 8; e >= 0; --e)
        out.Add((bits >> e) & 1 ? CBarPattern::kWide : 1);
}

}   // namespace

int CBarcodeCode39::CharacterValue(unsigned char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'Z')
        return c - 'A' + 10;
    switch (c) {
    case '-': return 36;
    case '.': return 37;
    case ' ': return 38;
    case '$': return 39;
    case '/': return 40;
    case '+': return 41;
    case '%': return 42;
    case '*': return 43;
    default: return -1;
    }
}

bool CBarcodeCode39::IsDataCharacter(unsigned char c)
{
    const int value = CharacterValue(c);
    return value >= 0 && value < kStartStopValue;
}

unsigned char CBarcodeCode39::CheckCharacter(const char* text)
{
    int sum = 0;
    for (const char* p = text; *p; ++p) {
        const unsigned char c = static_cast<unsigned char>(*p);
        if (!IsDataCharacter(c))
            return 0;
        sum = (sum + CharacterValue(c)) % 43;
    }
    for (int c = 32; c <= 127; ++c)
        if (CharacterValue(static_cast<unsigned char>(c)) == sum)
            return static_cast<unsigned char>(c);
    return 0;   // not reached: every value 0-42 has its character
}

bool CBarcodeCode39::Encode(const char* text, CBarPattern& out) const
{
    out.Clear();
    size_t n = strlen(text);
    if (n > static_cast<size_t>(kMaxBarcodeText))
        return false;
    out.Reserve((n + 3) * 10);
    AddCharacter(out, kStartStopValue, false);
    for (size_t i = 0; i < n; ++i)
        AddCharacter(out, CharacterValue(static_cast<unsigned char>(text[i])), true);
    const unsigned char check = m_checkCharacter ? CheckCharacter(text) : 0;
    if (check)
        AddCharacter(out, CharacterValue(check), true);
    AddCharacter(out, kStartStopValue, true);
    return true;
}

bool CBarcodeCode39::IsEncodable(const char* text)
{
    if (!text || strlen(text) > static_cast<size_t>(kMaxBarcodeText))
        return false;
    for (const char* p = text; *p; ++p)
        if (!IsDataCharacter(static_cast<unsigned char>(*p)))
            return false;
    return true;
}

int CBarcodeCode39::Draw(CBarcodeOwner* owner, CDC* dc, int dpiX, int dpiY, int x, int y,
                         int record, const char* text)
{
    if (!owner || !dc || !text || !*text || !MayDraw(owner, text))
        return 0;
    CBarPattern pattern;
    if (!Encode(text, pattern))
        return 0;
    CString caption;
    if (record < 1) {
        caption = CString("{Code39} ") + text;
    } else {
        caption = text;
        const unsigned char check = CheckCharacter(text);
        if (m_checkCharacter && m_checkInText && check)
            caption += static_cast<char>(check);
    }
    return DrawLinear(owner, dc, pattern, m_ratio, dpiX, dpiY, x, y, record, caption);
}

int CBarcodeCode39::MeasureWidth(const char* text, int dpi)
{
    CBarPattern pattern;
    if (dpi <= 0 || !text || !Encode(text, pattern))
        return 0;
    LinearMetrics lm = MakeMetrics(dpi, dpi, m_ratio);
    return ClampToInt(PatternPixels(pattern, lm) * 25400 / dpi);
}

bool CBarcodeCode39::GetName(char* buffer, int size) const
{
    return CopyTextBounded(buffer, size, "Code 39");
}

bool CBarcodeCode39::Load(CFile* file)
{
    RecordReader r(file);
    CommonRecord common;
    ReadCommon(r, common);
    int16_t ratio = 0, reserved = 0;
    uint8_t check = 0, inText = 0;
    r.I16(ratio);
    r.U8(check);
    r.I16(reserved);
    r.U8(inText);
    if (!r.ok())
        return false;
    ApplyCommon(common);
    m_ratio = ratio;
    m_checkCharacter = check != 0;
    m_reserved = reserved;
    m_checkInText = inText != 0;
    return true;
}

bool CBarcodeCode39::Save(CFile* file) const
{
    RecordWriter w(file);
    WriteCommon(w);
    w.I16(m_ratio);
    w.U8(m_checkCharacter ? 1 : 0);
    w.I16(m_reserved);
    w.U8(m_checkInText ? 1 : 0);
    return w.ok();
}
