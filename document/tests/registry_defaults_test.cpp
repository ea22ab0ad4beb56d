// The profile values of the document: their names and types in the registry, the defaults when
// they are missing, the guards on barcode sizes and one section per printer.
#include "document/labeldoc.h"
#include "document/registrydefaults.h"
#include "framework/app.h"
#include "testsupport/testrun.h"

#include <gtest/gtest.h>

namespace {

// The program's profile under the run's own name (testrun.h).
const CString kAppName = RunScopedName("KORVELTA-PRINT");
const CString kKey = "Software\\QUENDRIC\\" + kAppName;

struct CleanProfile {
    CWinApp app{kAppName};
    CleanProfile()
    {
        app.SetRegistryKey("QUENDRIC");
        Clear();
    }
    ~CleanProfile() { Clear(); }
    void Clear()
    {
        app.WriteProfileString("Default font", nullptr, nullptr);
        app.WriteProfileString("Default barcode", nullptr, nullptr);
    }
};

// The raw value as the registry holds it.
bool RawValue(const char* section, const char* entry, DWORD& type, DWORD& dword, std::string& text)
{
    HKEY key = nullptr;
    const std::string path = std::string(kKey.GetString()) + "\\" + section;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    BYTE data[256] = {};
    DWORD size = sizeof data;
    const LONG rc = RegQueryValueExA(key, entry, nullptr, &type, data, &size);
    RegCloseKey(key);
    if (rc != ERROR_SUCCESS)
        return false;
    dword = size >= 4 ? *reinterpret_cast<DWORD*>(data) : 0;
    text.assign(reinterpret_cast<char*>(data));
    return true;
}

} // namespace

TEST(RegistryDefaults, FontValuesAreWrittenAsTheDocumentReadsThem)
{
    CleanProfile profile;
    DWORD type = 0, value = 0;
    std::string text;
    RegistryDefaults::WriteFontSize(12);
    ASSERT_TRUE(RawValue("Default font", "Size", type, value, text));
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(static_cast<int>(value), -16);
    RegistryDefaults::WriteFontSize(10);
    ASSERT_TRUE(RawValue("Default font", "Size", type, value, text));
    EXPECT_EQ(static_cast<int>(value), -13);
    RegistryDefaults::WriteFontFaceName("Liberation Serif");
    ASSERT_TRUE(RawValue("Default font", "Facename", type, value, text));
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(text, "Liberation Serif");
    RegistryDefaults::WriteFontBold(true);
    RegistryDefaults::WriteFontItalic(true);
    RegistryDefaults::WriteFontUnderline(false);

    COstrelindSoftLabelDoc doc;
    const LOGFONTA& font = doc.GetDefaultFont();
    EXPECT_STREQ(font.lfFaceName, "Liberation Serif");
    EXPECT_EQ(font.lfHeight, -13);
    EXPECT_EQ(font.lfWeight, 700);
    EXPECT_EQ(font.lfItalic, 1);
    EXPECT_EQ(font.lfUnderline, 0);
}

TEST(RegistryDefaults, WithoutValuesANewDocumentUsesArial)
{
    CleanProfile profile;
    COstrelindSoftLabelDoc doc;
    const LOGFONTA& font = doc.GetDefaultFont();
    EXPECT_STREQ(font.lfFaceName, "Arial");
    EXPECT_EQ(font.lfHeight, -13);
    EXPECT_EQ(font.lfWeight, 400);
    EXPECT_EQ(font.lfCharSet, 1);
}

TEST(RegistryDefaults, BarcodeValuesWithTheirDefaultsAndGuards)
{
    CleanProfile profile;
    EXPECT_STREQ(COstrelindSoftLabelDoc::GetDefaultBarcodeType(), "");
    EXPECT_STREQ(COstrelindSoftLabelDoc::GetDefaultQREccLevel(), "M");
    EXPECT_STREQ(COstrelindSoftLabelDoc::GetDefaultQRVersion(), "");
    EXPECT_EQ(RegistryDefaults::ReadBarcodeModule(), 191);
    EXPECT_EQ(RegistryDefaults::ReadBarcodeHeight(), 12700);

    RegistryDefaults::WriteQREccLevel("H");
    EXPECT_STREQ(COstrelindSoftLabelDoc::GetDefaultQREccLevel(), "H");
    RegistryDefaults::WriteBarcodeType("Code 128 with a name longer than thirty-one characters");
    EXPECT_STREQ(COstrelindSoftLabelDoc::GetDefaultBarcodeType(), "Code 128 with a name longer tha");
    RegistryDefaults::WriteQRVersion("5");
    RegistryDefaults::WriteQREncoding("Byte");
    RegistryDefaults::WriteQRMargin("4");
    EXPECT_STREQ(COstrelindSoftLabelDoc::GetDefaultQRVersion(), "5");
    EXPECT_STREQ(COstrelindSoftLabelDoc::GetDefaultQREncoding(), "Byte");
    EXPECT_STREQ(COstrelindSoftLabelDoc::GetDefaultQRMargin(), "4");

    RegistryDefaults::WriteBarcodeModule(100);            // too small: not kept
    EXPECT_EQ(RegistryDefaults::ReadBarcodeModule(), 191);
    RegistryDefaults::WriteBarcodeModule(254);
    EXPECT_EQ(RegistryDefaults::ReadBarcodeModule(), 254);
    RegistryDefaults::WriteBarcodeHeight(200);
    EXPECT_EQ(RegistryDefaults::ReadBarcodeHeight(), 12700);
    RegistryDefaults::WriteBarcodeHeight(15000);
    EXPECT_EQ(RegistryDefaults::ReadBarcodeHeight(), 15000);
    RegistryDefaults::WriteBarcodeSizePercent(80);
    DWORD type = 0, value = 0;
    std::string text;
    ASSERT_TRUE(RawValue("Default barcode", "Size", type, value, text));
    EXPECT_EQ(value, 80u);
}

TEST(RegistryDefaults, PrinterSectionsAreNamedAfterTheDevice)
{
    EXPECT_EQ(RegistryDefaults::PrinterSection("Label Printer"), "Printer = Label Printer");
    EXPECT_EQ(RegistryDefaults::PrinterSection(""), "");
    EXPECT_EQ(RegistryDefaults::PrinterSection(CString('x', 400)).GetLength(), 255);
    // Without an application nothing is read or written.
    int left = 5, top = 5;
    EXPECT_TRUE(RegistryDefaults::ReadCompensation("Label Printer", left, top));
    EXPECT_EQ(left, 0);
    EXPECT_FALSE(RegistryDefaults::WriteCompensation("Label Printer", 1, 2));
}
