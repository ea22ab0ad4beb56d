#pragma once
// The profile values the design commands remember for new objects: "Default font" and
// "Default barcode" under the application's key. Without an application object (or before the
// registry key is set) nothing is written and reads answer the fallback.
#include "framework/cstring.h"

extern const char kDefaultFontSection[];      // "Default font"
extern const char kDefaultBarcodeSection[];   // "Default barcode"

void WriteDesignDefault(const char* section, const char* entry, int value);
void WriteDesignDefault(const char* section, const char* entry, const char* value);
// The stored text cut to 31 characters, or fallback.
CString ReadDesignDefault(const char* section, const char* entry, const char* fallback);
