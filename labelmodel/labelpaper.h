#pragma once
// The paper table of label stocks (Windows paper codes, names, sizes) and the shared name texts
// of the stock classification (marking types, printer types, families). The name functions
// answer a static 256-byte buffer that is valid until the next call of any of them.
#include "framework/cstring.h"

class CLabel;

// Width and height in um of Windows paper code `code`; 90000 x 60000 for a code the table lacks.
void GetPaperSizeForCode(int code, int& width, int& height);
// The table's name of a code 0..59 ("" where the table has none, and for any other code).
const char* GetPaperTableName(int code);
// Number of codes that SetPaperByName searches by name (0..59).
enum { kNamedPaperCodes = 60, kUserPaperCode = 256 };

// "All", "Wire", ... "Module" for 0..7; "" otherwise.
const char* GetMarkingTypeName(int index);
// "All", "Laser", "Other", "Thermo", "Thermal transfer", "Other", "Other" for 0..6; "" otherwise.
const char* GetPrinterTypeName(int index);
// "All" for an index of 1 or less; "" otherwise.
const char* GetAllFamiliesText(int index);
// The stock's file path without folder and extension into buffer (cut to size - 1 characters).
void GetLabelFileTitle(char* buffer, int size, const CLabel* stock);
