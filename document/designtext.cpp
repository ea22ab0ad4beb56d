// Text forms of lengths, percentages and counts.
#include "document/designtext.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

// The largest float below 2^31 and the smallest at -2^31: a product outside them does not fit.
const double kIntLimit = 2147483648.0;

bool FitsInt(double value)
{
    return std::isfinite(value) && value > -kIntLimit - 1.0 && value < kIntLimit;
}

int UnitFactor(const char* word)
{
    if (_stricmp(word, "mm") == 0)
        return 1000;
    if (_stricmp(word, "cm") == 0)
        return 10000;
    if (_stricmp(word, "in") == 0)
        return 25400;
    return 0;
}

// Reads "<number> <word>" with the Windows C runtime (locale decimal separator); answers how many
// of the two were read.
int ScanNumberAndWord(const char* text, float* number, char (&word)[32])
{
    word[0] = 0;
    return __ms_sscanf(text, "%g %31s", number, word);
}

} // namespace

bool FormatMillimetres(int um, char* out, int size)
{
    if (out == nullptr || size < 1)
        return false;
    const CString text = MillimetresText(um);
    lstrcpynA(out, text, size);
    return true;
}

CString MillimetresText(int um)
{
    CString text;
    text.Format("%g mm", um / 1000.0);
    return text;
}

bool ParseLengthText(const char* text, int measureSystem, int* um)
{
    if (text == nullptr || um == nullptr)
        return false;
    // The parser works on a copy of at most 31 characters; a longer text is refused, never cut,
    // so that "1234567...mm" cannot turn into another number.
    if (strlen(text) > 31)
        return false;
    char buffer[32];
    lstrcpynA(buffer, text, sizeof buffer);

    float number = 0.0f;
    char word[32];
    const int read = ScanNumberAndWord(buffer, &number, word);
    if (read == 2) {
        const int factor = UnitFactor(word);
        if (factor == 0)
            return false;
        const float product = static_cast<float>(static_cast<double>(number) * factor);
        if (!FitsInt(product))
            return false;
        *um = static_cast<int>(product);
        return true;
    }
    if (read != 1 || !std::isfinite(number))
        return false;
    // A bare number takes the unit of the measurement system directly: appending the unit word
    // and reading the text again could overflow the copy or go round for ever on a full one.
    const int factor = measureSystem == kMeasureMetric ? 1000 : measureSystem == kMeasureUS ? 25400 : 0;
    if (factor == 0)
        return false;
    const float product = static_cast<float>(static_cast<double>(number) * factor);
    if (!FitsInt(product))
        return false;
    *um = static_cast<int>(product);
    return true;
}

bool ParsePercentText(const char* text, int* percent)
{
    if (text == nullptr || percent == nullptr || strlen(text) > 31)
        return false;
    float number = 0.0f;
    char word[32];
    if (ScanNumberAndWord(text, &number, word) != 2 || strcmp(word, "%") != 0)
        return false;
    if (!FitsInt(number))
        return false;
    *percent = static_cast<int>(number);
    return true;
}

bool ParseCountText(const char* text, int* value)
{
    if (text == nullptr || value == nullptr)
        return false;
    const char* p = text;
    while (*p == ' ' || *p == '\t' || *p == '\n' || *p == '\r' || *p == '\f' || *p == '\v')
        ++p;
    bool negative = false;
    if (*p == '+' || *p == '-')
        negative = *p++ == '-';
    if (!isdigit(static_cast<unsigned char>(*p)))
        return false;
    // Accumulated in 64 bits and refused as soon as it leaves the 32-bit range ("%d" would wrap).
    long long magnitude = 0;
    for (; isdigit(static_cast<unsigned char>(*p)); ++p) {
        magnitude = magnitude * 10 + (*p - '0');
        if (magnitude > 2147483648LL)
            return false;
    }
    const long long signedValue = negative ? -magnitude : magnitude;
    if (signedValue > 2147483647LL)
        return false;
    *value = static_cast<int>(signedValue);
    return true;
}
