#pragma once
// Makes a symbology, with its defaults, from its record type code (401-408) or its name (compared
// without regard to case). The caller owns the result; null for an unknown code or name.
#include "barcode/barcode.h"

CBarcode* CreateBarcodeByCode(int typeCode);
CBarcode* CreateBarcodeByName(const char* name);
// The names in the order the user interface lists them.
extern const char* const kBarcodeNames[8];
