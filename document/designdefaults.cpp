// Profile reads and writes of the remembered design defaults.
#include "document/designdefaults.h"

#include "framework/app.h"

const char kDefaultFontSection[] = "Default font";
const char kDefaultBarcodeSection[] = "Default barcode";

void WriteDesignDefault(const char* section, const char* entry, int value)
{
    if (CWinApp* app = AfxGetApp())
        app->WriteProfileInt(section, entry, value);
}

void WriteDesignDefault(const char* section, const char* entry, const char* value)
{
    if (CWinApp* app = AfxGetApp())
        app->WriteProfileString(section, entry, value ? value : "");
}

CString ReadDesignDefault(const char* section, const char* entry, const char* fallback)
{
    CWinApp* app = AfxGetApp();
    CString text = app ? app->GetProfileString(section, entry, fallback) : CString(fallback);
    return text.Left(31);
}
