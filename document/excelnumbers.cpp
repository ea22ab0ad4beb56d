#include "document/excelnumbers.h"

#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

// More decimals than a double carries only prints noise; the cap also bounds the text.
const int kMaxDecimals = 15;
const double kWholeLimit = 1e15;

} // namespace

int FormatExcelNumber(double value, const char* format, ExcelNumberKind kind, char* buffer)
{
    // Every text below fits: at most 309 integer digits, the point and 15 decimals.
    const size_t formatLength = format ? std::strlen(format) : 0;
    if (formatLength > 2 && format[0] == '0' && format[1] == '.') {
        int decimals = 0;
        while (format[2 + decimals] == '0')
            ++decimals;
        if (decimals > kMaxDecimals)
            decimals = kMaxDecimals;
        const int length = _snprintf(buffer, kExcelNumberBufferSize - 1, "%.*f", decimals, value);
        if (length > 0) {
            buffer[length] = '\0';
            return length;
        }
    }
    if (std::isfinite(value) && value == std::floor(value) && std::fabs(value) < kWholeLimit) {
        // An article number stored as a number must come back with every digit.
        long long whole = static_cast<long long>(value);
        char digits[24];
        int count = 0;
        const bool negative = whole < 0;
        unsigned long long magnitude = negative ? 0ull - static_cast<unsigned long long>(whole)
                                                : static_cast<unsigned long long>(whole);
        do {
            digits[count++] = static_cast<char>('0' + magnitude % 10);
            magnitude /= 10;
        } while (magnitude != 0);
        int length = 0;
        if (negative)
            buffer[length++] = '-';
        while (count > 0)
            buffer[length++] = digits[--count];
        buffer[length] = '\0';
        return length;
    }
    int length = _snprintf(buffer, kExcelNumberBufferSize - 1,
                           kind == ExcelNumberKind::kNumber ? "%0.8g" : "%.15g", value);
    if (length < 0)
        length = 0;
    buffer[length] = '\0';
    return length;
}

CString FormatExcelNumber(double value, const char* format, ExcelNumberKind kind)
{
    char buffer[kExcelNumberBufferSize];
    const int length = FormatExcelNumber(value, format, kind, buffer);
    return CString(buffer, length);
}


// ---------------------------------------------------------------------------------------------
// Without the C runtime

namespace {

const double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,
                               1e10, 1e11, 1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19};

// Decimal digits of n, least significant first; returns how many.
int Digits(uint32_t n, char* digits)
{
    int count = 0;
    do {
        digits[count++] = static_cast<char>('0' + n % 10);
        n /= 10;
    } while (n != 0);
    return count;
}

// Below 2^52, adding and taking away 2^52 rounds to the nearest whole number: no call into the
// runtime's floor, which costs more than everything else here.
const double kTwoPow52 = 4503599627370496.0;

double RoundToWhole(double nonNegative)
{
    return (nonNegative + kTwoPow52) - kTwoPow52;
}

double Magnitude(double value)
{
    return value < 0 ? -value : value;     // in SSE registers; minus zero stays as it is
}

int DigitCount(uint32_t n)
{
    static const uint32_t kLimits[] = {10,      100,      1000,      10000,     100000,
                                       1000000, 10000000, 100000000, 1000000000};
    int count = 1;
    while (count < 10 && n >= kLimits[count - 1])
        ++count;
    return count;
}

// Writes n's digits backwards so that they end at end, two at a time, with leading zeros up to
// atLeast of them; returns where they start. Texts are written straight into the caller's buffer:
// gathering them elsewhere and copying them in wide moves stalls on the bytes just stored.
char* PutDigits(char* end, uint32_t n, int atLeast)
{
    static const char kPairs[] =
        "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
        "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
        "8081828384858687888990919293949596979899";
    char* start = end;
    while (n >= 100) {
        const uint32_t rest = n % 100;
        n /= 100;
        start -= 2;
        start[0] = kPairs[2 * rest];
        start[1] = kPairs[2 * rest + 1];
    }
    if (n >= 10) {
        start -= 2;
        start[0] = kPairs[2 * n];
        start[1] = kPairs[2 * n + 1];
    } else {
        *--start = static_cast<char>('0' + n);
    }
    while (end - start < atLeast)
        *--start = '0';
    return start;
}

// A whole number 0 <= whole < 1e15 as two 32-bit halves: below 1e9 and above it (no 64-bit
// division).
void SplitWhole(double whole, uint32_t& high, uint32_t& low)
{
    if (whole < 1e9) {
        high = 0;
        low = static_cast<uint32_t>(static_cast<int32_t>(whole));
        return;
    }
    // A multiplication instead of a division; the estimate is put right by one where it was off
    // (every quantity here is a whole number below 2^53, so the arithmetic is exact).
    int32_t h = static_cast<int32_t>(whole * 1e-9);
    double rest = whole - static_cast<double>(h) * 1e9;
    if (rest < 0) {
        --h;
        rest += 1e9;
    } else if (rest >= 1e9) {
        ++h;
        rest -= 1e9;
    }
    high = static_cast<uint32_t>(h);
    low = static_cast<uint32_t>(static_cast<int32_t>(rest));
}

// The digits of a whole number 0 <= whole < 1e15, least significant first; returns how many.
int WholeDigits(double whole, char* digits)
{
    uint32_t high, low;
    SplitWhole(whole, high, low);
    int count = Digits(low, digits);
    if (high != 0) {
        while (count < 9)
            digits[count++] = '0';
        count += Digits(high, digits + count);
    }
    return count;
}

// A whole value below 1e15 as the reference prints it: every digit, "-" for negatives ("0" for
// minus zero).
int FormatWhole(double value, char* buffer)
{
    uint32_t high, low;
    SplitWhole(Magnitude(value), high, low);
    const bool negative = value < 0;
    const int length = (negative ? 1 : 0) + (high ? DigitCount(high) + 9 : DigitCount(low));
    char* const end = buffer + length;
    *end = '\0';
    if (high) {
        PutDigits(end, low, 9);
        PutDigits(end - 9, high, 1);
    } else {
        PutDigits(end, low, 1);
    }
    if (negative)
        buffer[0] = '-';
    return length;
}

// Digits of n (least significant first, count of them) printed with the point before the last
// decimals digits, with at least one digit before it.
int PlaceDigits(bool negative, char* digits, int count, int decimals, char point, char* buffer)
{
    while (count < decimals + 1)
        digits[count++] = '0';
    int length = 0;
    if (negative)
        buffer[length++] = '-';
    for (int i = count - 1; i >= decimals; --i)
        buffer[length++] = digits[i];
    if (decimals > 0) {
        buffer[length++] = point;
        for (int i = decimals - 1; i >= 0; --i)
            buffer[length++] = digits[i];
    }
    buffer[length] = '\0';
    return length;
}

} // namespace

ExcelNumberFormatter::ExcelNumberFormatter()
{
    // The separator the runtime prints now (the user's locale may give a comma).
    char probe[8] = {};
    if (_snprintf(probe, sizeof probe - 1, "%.1f", 0.5) == 3 && probe[0] == '0' && probe[2] == '5' &&
        (probe[1] < '0' || probe[1] > '9') && probe[1] != '-')
        m_point = probe[1];
}

int ExcelNumberFormatter::Format(double value, const char* format, ExcelNumberKind kind,
                                 char* buffer) const
{
    if (m_point != 0 && std::isfinite(value)) {
        if (format && format[0] == '0' && format[1] == '.' && format[2] != '\0') {
            int decimals = 0;
            while (format[2 + decimals] == '0')
                ++decimals;
            const int length = FormatFixed(value, decimals < kMaxDecimals ? decimals : kMaxDecimals, buffer);
            return length >= 0 ? length : FormatExcelNumber(value, format, kind, buffer);
        }
        const double magnitude = Magnitude(value);
        if (magnitude < kWholeLimit && RoundToWhole(magnitude) == magnitude)
            return FormatWhole(value, buffer);
        const int length = FormatShortDecimal(value, kind == ExcelNumberKind::kNumber ? 8 : 15, buffer);
        if (length >= 0)
            return length;
    }
    return FormatExcelNumber(value, format, kind, buffer);
}

int ExcelNumberFormatter::FormatFixed(double value, int decimals, char* buffer) const
{
    // value x 10^decimals rounded to a whole number is the text's digits. Below 1e9 the product
    // is within 1e-6 of the exact one (and of a runtime that rounds at 17 digits first), so only
    // values within 1e-5 of half-way are left to the runtime, and so is a negative value that
    // rounds to zero.
    const double scaled = Magnitude(value) * kPowersOfTen[decimals];
    if (!(scaled < 1e9))
        return -1;
    const int32_t whole = static_cast<int32_t>(scaled);      // scaled >= 0: truncation is floor
    const double fraction = scaled - whole;
    if (std::fabs(fraction - 0.5) < 1e-5)
        return -1;
    const uint32_t digitsValue = static_cast<uint32_t>(whole) + (fraction > 0.5 ? 1u : 0u);
    if (std::signbit(value) && digitsValue == 0)
        return -1;
    static const uint32_t kWholePowers[] = {1,      10,      100,      1000,      10000,
                                            100000, 1000000, 10000000, 100000000, 1000000000};
    // At most 1e9 in all: with more than 9 decimals there is no whole part.
    const uint32_t unit = decimals <= 9 ? kWholePowers[decimals] : 0;
    const uint32_t integral = unit ? digitsValue / unit : 0;
    const bool negative = value < 0;
    const int length = (negative ? 1 : 0) + DigitCount(integral) + (decimals ? decimals + 1 : 0);
    char* const end = buffer + length;
    *end = '\0';
    if (decimals == 0) {
        PutDigits(end, digitsValue, 1);
    } else {
        char* point = PutDigits(end, digitsValue - integral * unit, decimals) - 1;
        *point = m_point;
        PutDigits(point, integral, 1);
    }
    if (negative)
        buffer[0] = '-';
    return length;
}

int ExcelNumberFormatter::FormatShortDecimal(double value, int significant, char* buffer) const
{
    // When value is the double nearest to m / 10^k for a whole m of at most `significant` digits,
    // "%.<significant>g" prints exactly that decimal: no rounding can reach it, and %g drops the
    // trailing zeros. Below 1e-4 %g writes an exponent: left to the runtime.
    const double magnitude = Magnitude(value);
    if (!(magnitude >= 1e-4))
        return -1;
    const double limit = kPowersOfTen[significant];
    for (int decimals = 1; decimals < 19; ++decimals) {
        const double scaled = magnitude * kPowersOfTen[decimals];
        if (scaled >= limit)
            return -1;                       // more digits than are printed: the runtime rounds
        const double whole = RoundToWhole(scaled);
        if (whole / kPowersOfTen[decimals] != magnitude)
            continue;
        char digits[40];
        const int count = WholeDigits(whole, digits);
        int places = decimals;
        int first = 0;
        while (places > 0 && digits[first] == '0') {
            ++first;
            --places;
        }
        return PlaceDigits(value < 0, digits + first, count - first, places, m_point, buffer);
    }
    return -1;
}

double DecodeRk(uint32_t rk)
{
    double value;
    if (rk & 2) {
        value = static_cast<double>(static_cast<int32_t>(rk) >> 2);    // arithmetic: negatives
    } else {
        const uint64_t bits = static_cast<uint64_t>(rk & 0xFFFFFFFCu) << 32;
        std::memcpy(&value, &bits, sizeof value);
    }
    if (rk & 1)
        value /= 100;
    return value;
}
