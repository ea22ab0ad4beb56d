#pragma once
// The print option block: what the print dialog's extra fields edit and the print engine reads
// back. One block lives for the program (GetPrintOptionBlock); the dialog finds it through the
// custom data of its PRINTDLG. An in-memory exchange only, never stored.
#include <windows.h>
#include <cstdint>

struct PrintOptionBlock {
    int32_t size;                      // 36
    int32_t reverseOrder;              // rows from the last to the first
    int32_t columnOrder;               // column-major placement
    int32_t topCompensation;           // micrometres
    int32_t leftCompensation;          // micrometres
    int32_t copies;                    // 0 one; n > 0 n; -1 .. -26 the number in column A .. Z
    int32_t startPosition;             // 1-based position on the first page
    int32_t passes;                    // at least 1
    uint8_t stopAfterPass;             // each pass starts on a new page
    uint8_t padding[3];
};
static_assert(sizeof(PrintOptionBlock) == 36, "the print option block is 36 bytes");

PrintOptionBlock& GetPrintOptionBlock();

// A length typed into the dialog: a number, blanks, a unit "mm", "cm" or "in" (any case), read
// with the C runtime's decimal separator; the result is truncated to micrometres. False for a
// missing or unknown unit or a missing number (out is then left alone).
bool ParseLengthText(int& micrometres, const char* text);
// The text of a copies value in the dialog: "n" for n > 0, the column letter for -1 .. -26, ""
// for 0 (and for any other value).
void FormatCopiesText(int copies, char* out, int size);
// The copies value of a dialog text: one letter "A" .. "Z" (any case) gives -1 .. -26, a number
// gives itself, anything else 0.
int ParseCopiesText(const char* text);
// Whether the number of copies a text gives (the dialog's Repeat field, or a cell of the table's
// copies column) fits the template's stored copies, 16 bits with a sign: false for a number above
// 32767 or below -32768, which the record would bring back as another number. A letter, an empty
// text or one that is not a number fits (they give a column or one copy).
bool CopiesTextFits(const char* text);
// The message of a refused copies value.
extern const char kCopiesOutOfRange[];

// The print dialog's hook: fills the extra fields from the option block (the PRINTDLG's custom
// data) when the dialog opens, reads them back on OK, and steps the two spin boxes.
UINT_PTR CALLBACK PrintDialogHookProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
