#pragma once
// Text forms of the design values: lengths shown as "%g mm", lengths and percentages typed into
// the ribbon's boxes, and whole numbers typed into the count boxes. Numbers follow the C runtime's
// numeric locale (the user's decimal separator). A value that does not fit a 32-bit integer, or
// that is not a finite number, is refused rather than wrapped.
#include "framework/cstring.h"

// "%g mm" of micrometres / 1000 into out (size bytes, always terminated); false when out is null
// or size is below 1.
bool FormatMillimetres(int um, char* out, int size);
CString MillimetresText(int um);

// Measurement systems of the locale (LOCALE_IMEASURE): 0 metric, 1 U.S.
enum { kMeasureMetric = 0, kMeasureUS = 1 };

// A number with an optional unit word "mm", "cm" or "in" (any case); a bare number takes the unit
// of the measurement system (mm, in; any other system refuses it). The number is read in single
// precision, multiplied by the unit, rounded to single precision and truncated toward zero.
// Texts longer than 31 characters are refused.
bool ParseLengthText(const char* text, int measureSystem, int* um);
// A number followed by the word "%"; the number truncated toward zero.
bool ParsePercentText(const char* text, int* percent);
// A whole number as "%d" reads it (leading blanks, a sign, digits; anything may follow).
bool ParseCountText(const char* text, int* value);
