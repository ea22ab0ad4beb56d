#include "document/registrydefaults.h"

#include "framework/app.h"

namespace RegistryDefaults {

const char kDefaultFont[] = "Default font";
const char kDefaultBarcode[] = "Default barcode";
const char kTableFont[] = "Table font";

namespace {

const int kTextLimit = 31;
const int kSectionLimit = 255;

void WriteInt(const char* section, const char* entry, int value)
{
    if (CWinApp* app = AfxGetApp())
        app->WriteProfileInt(section, entry, value);
}

void WriteText(const char* section, const char* entry, const char* value)
{
    if (CWinApp* app = AfxGetApp())
        app->WriteProfileString(section, entry, value ? value : "");
}

int ReadInt(const char* section, const char* entry, int defaultValue)
{
    CWinApp* app = AfxGetApp();
    return app ? static_cast<int>(app->GetProfileInt(section, entry, defaultValue)) : defaultValue;
}

} // namespace

void WriteFontFaceName(const char* face) { WriteText(kDefaultFont, "Facename", face); }
void WriteFontSize(int points) { WriteInt(kDefaultFont, "Size", -points * 96 / 72); }
void WriteFontBold(bool bold) { WriteInt(kDefaultFont, "Weight", bold ? 700 : 400); }
void WriteFontItalic(bool italic) { WriteInt(kDefaultFont, "Italic", italic ? 1 : 0); }
void WriteFontUnderline(bool underline) { WriteInt(kDefaultFont, "Underline", underline ? 1 : 0); }

void WriteBarcodeType(const char* symbology) { WriteText(kDefaultBarcode, "Type", symbology); }

void WriteBarcodeModule(int micrometres)
{
    if (micrometres > 100)
        WriteInt(kDefaultBarcode, "Module", micrometres);
}

void WriteBarcodeSizePercent(int percent) { WriteInt(kDefaultBarcode, "Size", percent); }

void WriteBarcodeHeight(int micrometres)
{
    if (micrometres > 200)
        WriteInt(kDefaultBarcode, "Height", micrometres);
}

void WriteQRVersion(const char* text) { WriteText(kDefaultBarcode, "QR Version", text); }
void WriteQREccLevel(const char* text) { WriteText(kDefaultBarcode, "QR ECC level", text); }
void WriteQREncoding(const char* text) { WriteText(kDefaultBarcode, "QR Encoding", text); }
void WriteQRMargin(const char* text) { WriteText(kDefaultBarcode, "QR Margin", text); }

int ReadBarcodeModule() { return ReadInt(kDefaultBarcode, "Module", 191); }
int ReadBarcodeHeight() { return ReadInt(kDefaultBarcode, "Height", 12700); }

CString ReadText(const char* section, const char* entry, const char* defaultValue)
{
    CWinApp* app = AfxGetApp();
    CString text = app ? app->GetProfileString(section, entry, defaultValue) : CString(defaultValue);
    return text.Left(kTextLimit);
}

CString PrinterSection(const char* device)
{
    if (device == nullptr || *device == '\0')
        return CString();
    CString section;
    section.Format("Printer = %s", device);
    return section.Left(kSectionLimit);
}

bool ReadCompensation(const char* device, int& left, int& top)
{
    left = top = 0;
    const CString section = PrinterSection(device);
    if (section.IsEmpty())
        return false;
    left = ReadInt(section, "Left compensation", 0);
    top = ReadInt(section, "Top compensation", 0);
    return true;
}

bool WriteCompensation(const char* device, int left, int top)
{
    const CString section = PrinterSection(device);
    CWinApp* app = AfxGetApp();
    if (section.IsEmpty() || app == nullptr)
        return false;
    const BOOL a = app->WriteProfileInt(section, "Left compensation", left);
    const BOOL b = app->WriteProfileInt(section, "Top compensation", top);
    return a && b;
}

} // namespace RegistryDefaults
