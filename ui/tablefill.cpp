#include "ui/tablefill.h"

#include "document/tableslot.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>

bool SlotFillTarget::InsertRow(int row)
{
    return m_slot.InsertRow(row);
}

bool SlotFillTarget::SetCell(const char* text, int row, int column)
{
    return m_slot.SetCellText(text, row, column);
}

namespace {
const int64_t kMin32 = INT32_MIN;
const int64_t kMax32 = INT32_MAX;

int DigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'z')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'Z')
        return c - 'A' + 10;
    return 99;
}

// Like the "%d", "%o" and "%x" conversions: blanks, a sign, (hex) "0x", digits; whatever follows
// the digits is not looked at. Values beyond 32 bits do not count.
int64_t ParseNumber(const char* text, int radix)
{
    const char* p = text;
    while (*p == ' ' || *p == '\t' || *p == '\r' || *p == '\n' || *p == '\v' || *p == '\f')
        ++p;
    bool negative = false;
    if (*p == '+' || *p == '-') {
        negative = *p == '-';
        ++p;
    }
    if (radix == 16 && p[0] == '0' && (p[1] == 'x' || p[1] == 'X') && DigitValue(p[2]) < 16)
        p += 2;
    int64_t value = 0;
    bool any = false;
    for (; DigitValue(*p) < radix; ++p) {
        value = value * radix + DigitValue(*p);
        any = true;
        if (value > kMax32 + 1)
            return 0;
    }
    if (!any)
        return 0;
    if (negative)
        value = -value;
    // Octal and hex read as the 32 bits they fill ("FFFFFFFF" is beyond a signed value: 0).
    if (value < kMin32 || value > kMax32)
        return 0;
    return value;
}
} // namespace

int64_t ParseSequenceValue(const char* text, int base, bool& upper)
{
    if (text == nullptr)
        return 0;
    switch (base) {
    case kSequenceDecimal:
        return ParseNumber(text, 10);
    case kSequenceOctal:
        return ParseNumber(text, 8);
    case kSequenceHex:
        if (std::strpbrk(text, "ABCDEF") != nullptr)
            upper = true;
        else if (std::strpbrk(text, "abcdef") != nullptr)
            upper = false;
        return ParseNumber(text, 16);
    default: {
        int64_t value = 0;
        for (const char* p = text; *p != '\0'; ++p) {
            char c = *p;
            if (c >= 'a' && c <= 'z') {
                upper = false;
                c = static_cast<char>(c - 'a' + 'A');
            } else {
                upper = true;
            }
            if (c < 'A' || c > 'Z')
                return 0;
            value = value * 26 + (c - 'A');
            if (value > kMax32)
                return 0;
        }
        return value;
    }
    }
}

CString FormatSequenceValue(int64_t value, const SequenceSettings& s)
{
    char digits[40];
    const uint32_t bits = static_cast<uint32_t>(static_cast<int32_t>(value));
    switch (s.base) {
    case kSequenceDecimal:
        std::snprintf(digits, sizeof digits, "%d", static_cast<int>(static_cast<int32_t>(value)));
        break;
    case kSequenceOctal:
        std::snprintf(digits, sizeof digits, "%o", bits);
        break;
    case kSequenceHex:
        std::snprintf(digits, sizeof digits, s.upper ? "%X" : "%x", bits);
        break;
    default: {
        char reversed[40];
        int n = 0;
        uint64_t v = value < 0 ? 0 : static_cast<uint64_t>(value);
        const char zero = s.upper ? 'A' : 'a';
        do {
            reversed[n++] = static_cast<char>(zero + v % 26);
            v /= 26;
        } while (v != 0 && n < 39);
        for (int i = 0; i < n; ++i)
            digits[i] = reversed[n - 1 - i];
        digits[n] = '\0';
        break;
    }
    }
    CString result = s.prefix;
    const bool padded = s.base == kSequenceAlphabetic || s.leadingZero;
    if (padded) {
        int pad = std::max(s.start.GetLength(), s.stop.GetLength()) - static_cast<int>(std::strlen(digits));
        pad = std::min(pad, 19);
        if (pad > 0)
            result += CString(s.base == kSequenceAlphabetic ? (s.upper ? 'A' : 'a') : '0', pad);
    }
    result += digits;
    result += s.suffix;
    if (result.GetLength() > 255)
        result = result.Left(255);
    return result;
}

void FillSequence(SequenceSettings& s, TableFillTarget& target, int column, int row, TableFillResult& result)
{
    result.column = column;
    const int64_t first = ParseSequenceValue(s.start, s.base, s.upper);
    const int64_t last = ParseSequenceValue(s.stop, s.base, s.upper);
    // Reverse order counts down from the Stop value to the Start value.
    const int64_t from = s.reverse ? last : first;
    const int64_t to = s.reverse ? first : last;
    const int64_t step = std::max(1, s.step);
    const int copies = std::max(1, s.copies);
    int r = row;
    for (int set = 0; set < std::max(1, s.sets); ++set) {
        for (int64_t v = from; s.reverse ? v >= to : v <= to; v += s.reverse ? -step : step) {
            const CString text = FormatSequenceValue(v, s);
            for (int c = 0; c < copies; ++c) {
                if (s.insert)
                    target.InsertRow(r);
                if (target.SetCell(text, r, column)) {
                    result.cells++;
                    result.lastRow = r;
                }
                ++r;
            }
        }
    }
}

void FillRepeat(const RepeatSettings& s, TableFillTarget& target, TableFillResult& result)
{
    result.column = s.column;
    const int copies = std::max(1, s.copies);
    if (s.insert)
        for (int i = 1; i < copies; ++i)
            target.InsertRow(s.row);
    for (int i = 0; i < copies; ++i) {
        const int r = s.row - 1 + i;
        if (target.SetCell(s.text, r, s.column)) {
            result.cells++;
            result.lastRow = r;
        }
    }
}

bool ParseCellName(const char* text, int& column, int& row)
{
    if (text == nullptr || text[0] == '\0')
        return false;
    const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
    int number = 0;
    if (std::sscanf(text + 1, "%d", &number) != 1)
        return false;
    if (letter < 'A' || letter > 'Z' || number < 1)
        return false;
    column = letter - 'A';
    row = number;
    return true;
}

char HeaderLetter(const TableSlot& slot, int column)
{
    const int base = column < 0 ? -1 : slot.GetFilteredColumn(column);
    return base >= 0 && base <= 25 ? static_cast<char>('A' + base) : '\0';
}

int ShownColumnOfLetter(const TableSlot& slot, int letter)
{
    if (letter < 0 || letter > 25)
        return -1;
    return slot.GetShownColumn(letter);
}
