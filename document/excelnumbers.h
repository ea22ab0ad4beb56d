#pragma once
// The text of a numeric Excel cell. FormatExcelNumber prints through the C runtime and is the
// reference; ExcelNumberFormatter gives the same bytes without it for the common cases (fixed
// decimals, whole numbers, short decimal fractions) and hands everything else to the reference.
#include "framework/cstring.h"

#include <cstdint>

// How a number prints when its format gives no decimals: cells that Excel stored as full doubles
// keep the short general form, RK values (which never carry more than 15 digits) print them all.
enum class ExcelNumberKind { kNumber, kRk };

// The text of a numeric cell: a format beginning "0." prints that many decimals; otherwise a
// whole value below 1e15 prints all its digits and anything else the general form of the kind.
CString FormatExcelNumber(double value, const char* format, ExcelNumberKind kind);
// The same into a buffer of kExcelNumberBufferSize bytes; returns the length.
const int kExcelNumberBufferSize = 352;
int FormatExcelNumber(double value, const char* format, ExcelNumberKind kind, char* buffer);
// The value of an RK word: a 30-bit integer or the high half of a double, optionally / 100.
double DecodeRk(uint32_t rk);

// Prints as FormatExcelNumber does under the numeric locale that was in force when it was made.
class ExcelNumberFormatter {
public:
    ExcelNumberFormatter();

    int Format(double value, const char* format, ExcelNumberKind kind, char* buffer) const;

private:
    // Each gives the length, or -1 when the case is not one it is sure of.
    int FormatFixed(double value, int decimals, char* buffer) const;
    int FormatShortDecimal(double value, int significant, char* buffer) const;

    char m_point = 0;                      // the runtime's decimal separator; 0: no fast forms
};
