#include "barcode/code128.h"

#include "framework/recordio.h"
#include <cstring>

namespace {

// Bar, space, bar, space, bar, space widths in modules of every symbol value.
const char kPatterns[107][7] = {
    "212222", "222122", "222221", "121223", "121322", "131222", "122213", "122312", "132212",
    "221213", "221312", "231212", "112232", "122132", "122231", "113222", "123122", "123221",
    "223211", "221132", "221231", "213212", "223112", "312131", "311222", "321122", "321221",
    "312212", "322112", "322211", "212123", "212321", "232121", "111323", "131123", "131321",
    "112313", "132113", "132311", "211313", "231113", "231311", "112133", "112331", "132131",
    "113123", "113321", "133121", "313121", "211331", "231131", "213113", "213311", "213131",
    "311123", "311321", "331121", "312113", "312311", "332111", "314111", "221411", "431111",
    "111224", "111422", "121124", "121421", "141122", "141221", "112214", "112412", "122114",
    "122411", "142112", "142211", "241211", "221114", "413111", "241112", "134111", "111242",
    "121142", "121241", "114212", "124112", "124211", "411212", "421112", "421211", "212141",
    "214121", "412121", "111143", "111341", "131141", "114113", "114311", "411113", "411311",
    "113141", "114131", "311141", "411131", "211412", "211214", "211232", "233111",
};

enum class Set { A, B, C };

bool IsDigit(unsigned char c) { return c >= '0' && c <= '9'; }
bool IsControl(unsigned char c) { return c >= 1 && c <= 31; }
// Characters only set B holds: the lower-case letters, ` { | } ~ and DEL.
bool IsSetBOnly(unsigned char c) { return c >= 96 && c <= 127; }

// What comes first from position i on: a control character, a character only set B holds,
// or the end of the text.
enum class Ahead { Control, SetBOnly, End };
Ahead LookAhead(const unsigned char* s, size_t i, size_t n)
{
    for (; i < n; ++i) {
        if (IsControl(s[i]))
            return Ahead::Control;
        if (IsSetBOnly(s[i]))
            return Ahead::SetBOnly;
    }
    return Ahead::End;
}

size_t DigitRun(const unsigned char* s, size_t i, size_t n)
{
    size_t run = 0;
    while (i + run < n && IsDigit(s[i + run]))
        ++run;
    return run;
}

}   // namespace

bool CBarcodeCode128::Encode(const char* text, std::vector<uint8_t>& values) const
{
    values.clear();
    const auto* s = reinterpret_cast<const unsigned char*>(text);
    size_t n = strlen(text);
    if (n > static_cast<size_t>(kMaxBarcodeText))
        return false;
    values.reserve(2 * n + 5);
    const bool ean = IsEAN128();

    Set set;
    if (n >= 4 && DigitRun(s, 0, n) >= 4) {
        values.push_back(kStartC);
        set = Set::C;
    } else if (LookAhead(s, 0, n) == Ahead::Control) {
        values.push_back(kStartA);
        set = Set::A;
    } else {
        values.push_back(kStartB);
        set = Set::B;
    }
    WriteAfterStart(values);

    size_t i = 0;
    while (i < n) {
        unsigned char c = s[i];
        if (ean && c == kFnc1Marker) {
            values.push_back(kFnc1);
            ++i;
            continue;
        }
        if (set != Set::C && n - i >= 4 && DigitRun(s, i, n) >= 4 && DigitRun(s, i, n) % 2 == 0) {
            values.push_back(kCodeC);
            set = Set::C;
            continue;
        }
        if (set == Set::B && IsControl(c)) {
            if (LookAhead(s, i + 1, n) != Ahead::SetBOnly) {
                values.push_back(kCodeA);
                set = Set::A;
            } else {
                values.push_back(kShift);
                values.push_back(static_cast<uint8_t>(c + 64));
                ++i;
            }
            continue;
        }
        if (set == Set::A && IsSetBOnly(c)) {
            if (i + 1 < n && IsControl(s[i + 1])) {
                values.push_back(kShift);
                values.push_back(static_cast<uint8_t>(c - 32));
                ++i;
            } else {
                values.push_back(kCodeB);
                set = Set::B;
            }
            continue;
        }
        if (set == Set::C) {
            if (i + 1 < n && IsDigit(c) && IsDigit(s[i + 1])) {
                values.push_back(static_cast<uint8_t>(10 * (c - '0') + (s[i + 1] - '0')));
                i += 2;
            } else if (LookAhead(s, i, n) == Ahead::Control) {
                values.push_back(kCodeA);
                set = Set::A;
            } else {
                values.push_back(kCodeB);
                set = Set::B;
            }
            continue;
        }
        if (set == Set::A && IsControl(c))
            values.push_back(static_cast<uint8_t>(c + 64));
        else if (c >= 32 && c <= (set == Set::A ? 95 : 127))
            values.push_back(static_cast<uint8_t>(c - 32));
        else
            return false;   // no code set holds it: a symbol without it would say something else
        ++i;
    }

    int sum = values[0] % 103;
    for (size_t k = 1; k < values.size(); ++k)
        sum = (sum + static_cast<int>(k % 103) * values[k]) % 103;
    values.push_back(static_cast<uint8_t>(sum));
    values.push_back(kStop);
    return true;
}

bool CBarcodeCode128::EncodePattern(const char* text, CBarPattern& out) const
{
    std::vector<uint8_t> values;
    out.Clear();
    if (!Encode(text, values))
        return false;
    out.Reserve(values.size() * 6 + 1);
    for (uint8_t v : values) {
        const char* widths = kPatterns[v < 107 ? v : static_cast<uint8_t>(kStop)];
        for (int e = 0; e < 6; ++e)
            out.Add(static_cast<uint8_t>(widths[e] - '0'));
    }
    out.Add(2);   // the stop's final bar
    return true;
}

bool CBarcodeCode128::IsEncodable(const char* text)
{
    std::vector<uint8_t> values;
    return text && Encode(text, values);
}

int CBarcodeCode128::Draw(CBarcodeOwner* owner, CDC* dc, int dpiX, int dpiY, int x, int y,
                          int record, const char* text)
{
    if (!owner || !dc || !text || !*text)
        return 0;
    CBarPattern pattern;
    if (!EncodePattern(text, pattern))
        return 0;
    CString caption;
    if (record < 1) {
        char prefix[32] = {};
        GetDesignPrefix(prefix, sizeof prefix);
        caption = CString(prefix) + " " + text;
    } else {
        caption = text;
    }
    return DrawLinear(owner, dc, pattern, 0, dpiX, dpiY, x, y, record, caption);
}

int CBarcodeCode128::MeasureWidth(const char* text, int dpi)
{
    CBarPattern pattern;
    if (dpi <= 0 || !text || !EncodePattern(text, pattern))
        return 0;
    LinearMetrics lm = MakeMetrics(dpi, dpi, 0);
    return ClampToInt((PatternPixels(pattern, lm) * 25400 + dpi / 2) / dpi);
}

bool CBarcodeCode128::GetName(char* buffer, int size) const
{
    return CopyTextBounded(buffer, size, "Code 128");
}

bool CBarcodeCode128::GetDesignPrefix(char* buffer, int size) const
{
    return CopyTextBounded(buffer, size, "Code 128");
}

bool CBarcodeCode128::Load(CFile* file)
{
    RecordReader r(file);
    CommonRecord common;
    ReadCommon(r, common);
    r.Skip(4);   // written as 0, not used
    if (!r.ok())
        return false;
    ApplyCommon(common);
    return true;
}

bool CBarcodeCode128::Save(CFile* file) const
{
    RecordWriter w(file);
    WriteCommon(w);
    w.I32(0);
    return w.ok();
}

// ---- CBarcodeEAN128 ----

bool CBarcodeEAN128::GetName(char* buffer, int size) const
{
    return CopyTextBounded(buffer, size, "EAN 128");
}

bool CBarcodeEAN128::GetDesignPrefix(char* buffer, int size) const
{
    return CopyTextBounded(buffer, size, "EAN 128");
}

bool CBarcodeEAN128::Load(CFile* file)
{
    RecordReader r(file);
    CommonRecord common;
    ReadCommon(r, common);
    r.Skip(4 + 4 + 2);   // written as 0, not used
    if (!r.ok())
        return false;
    ApplyCommon(common);
    return true;
}

bool CBarcodeEAN128::Save(CFile* file) const
{
    RecordWriter w(file);
    WriteCommon(w);
    w.I32(0);
    w.I32(0);
    w.I16(0);
    return w.ok();
}
