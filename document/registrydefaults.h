#pragma once
// The user's remembered settings in the profile (HKCU\Software\QUENDRIC\KORVELTA-PRINT through
// the application's profile functions): the font and barcode settings of new objects and each
// printer's compensation. None of them is stored in a project. Without an application object,
// reads answer the defaults and writes do nothing. (The document's constructor and OnNewDocument
// read the "Default font" and "Table font" sections themselves.)
#include "framework/cstring.h"

namespace RegistryDefaults {

extern const char kDefaultFont[];      // "Default font"
extern const char kDefaultBarcode[];   // "Default barcode"
extern const char kTableFont[];        // "Table font"

// ---- "Default font": written after the user changes the font of objects
void WriteFontFaceName(const char* face);
void WriteFontSize(int points);        // as a font height: -points * 96 / 72
void WriteFontBold(bool bold);         // weight 700 or 400
void WriteFontItalic(bool italic);
void WriteFontUnderline(bool underline);

// ---- "Default barcode"
void WriteBarcodeType(const char* symbology);
void WriteBarcodeModule(int micrometres);        // only values above 100
void WriteBarcodeSizePercent(int percent);
void WriteBarcodeHeight(int micrometres);        // only values above 200
void WriteQRVersion(const char* text);
void WriteQREccLevel(const char* text);
void WriteQREncoding(const char* text);
void WriteQRMargin(const char* text);
int ReadBarcodeModule();               // 191 when missing
int ReadBarcodeHeight();               // 12700 when missing
// A text value cut to 31 characters (the default when missing).
CString ReadText(const char* section, const char* entry, const char* defaultValue);

// ---- "Printer = %s": the compensation of one printer (micrometres)
// The section name for a device (at most 255 characters); "" for an empty device name.
CString PrinterSection(const char* device);
// False, with left and top set to 0, for an empty device name.
bool ReadCompensation(const char* device, int& left, int& top);
bool WriteCompensation(const char* device, int left, int top);

} // namespace RegistryDefaults
