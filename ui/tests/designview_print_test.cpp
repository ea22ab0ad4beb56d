// Printing from the design canvas on the PostScript printer of the Wine prefix: the template names
// the printer, the direct print command builds its handles from the spooler and prints a constant
// text, a Code 128 and a rectangle. The job goes to $KORVELTA_DESIGN_PRINT_OUT, where
// design_print_check.sh renders it with Ghostscript and decodes the barcode with zbarimg.
#include "ui/tests/designviewtest.h"

#include "labelmodel/graphbarcode.h"
#include "labelmodel/graphtext.h"
#include "testsupport/fileprinter.h"
#include "ui/commandids.h"
#include "ui/printerhandles.h"

#include <string>

using namespace designtest;

namespace {

std::string PortFile()
{
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    return std::string(temp) + "korvelta-port.ps";
}

} // namespace

TEST(PrinterHandles, NamedPrinterGivesItsDeviceModeAndNamesAndAnUnknownOneNothing)
{
    ASSERT_TRUE(printtest::EnsureFilePrinter());
    HGLOBAL mode = nullptr, names = nullptr;
    ASSERT_TRUE(BuildPrinterHandles(printtest::kPrinterName, mode, names));
    ASSERT_NE(nullptr, mode);
    ASSERT_NE(nullptr, names);
    auto* dm = static_cast<DEVMODEA*>(::GlobalLock(mode));
    EXPECT_STREQ(printtest::kPrinterName, reinterpret_cast<const char*>(dm->dmDeviceName));
    EXPECT_EQ(static_cast<SIZE_T>(dm->dmSize) + dm->dmDriverExtra, ::GlobalSize(mode));
    ::GlobalUnlock(mode);
    auto* dn = static_cast<DEVNAMES*>(::GlobalLock(names));
    const char* base = reinterpret_cast<const char*>(dn);
    EXPECT_EQ(8, dn->wDriverOffset);
    EXPECT_EQ(0, dn->wDefault);
    EXPECT_STREQ(printtest::kPrinterName, base + dn->wDeviceOffset);
    EXPECT_EQ(PortFile(), std::string(base + dn->wOutputOffset));
    EXPECT_EQ(dn->wDriverOffset + strlen(base + dn->wDriverOffset) + 1, dn->wDeviceOffset);
    ::GlobalUnlock(names);
    ::GlobalFree(mode);
    ::GlobalFree(names);

    EXPECT_FALSE(BuildPrinterHandles("No such printer", mode, names));
    EXPECT_EQ(nullptr, mode);
    EXPECT_EQ(nullptr, names);
    EXPECT_FALSE(BuildPrinterHandles("", mode, names));
}

TEST_F(DesignCanvas, PrintsAConstantTextACode128AndARectangleOnTheTemplatesPrinter)
{
    ASSERT_TRUE(printtest::EnsureFilePrinter());
    TempDir temp;
    const std::string folder = OutputFolder("KORVELTA_DESIGN_PRINT_OUT", temp);
    const std::string job = folder + "\\design.ps";
    ::DeleteFileA(job.c_str());
    ::DeleteFileA(PortFile().c_str());

    auto* text = new CGraphTextExt;
    text->SetContentKind(1);
    text->SetMultiLineText("HELLO");
    text->SetX(5000);
    text->SetY(1000);
    text->SetWidth(40000);
    text->SetHeight(7000);
    LOGFONTA font = {};
    font.lfHeight = -24;
    font.lfWeight = FW_NORMAL;
    lstrcpyA(font.lfFaceName, "Liberation Sans");
    text->SetLogFont(&font);
    Area()->Append(text);
    auto* code = new CGraphBarcode;
    ASSERT_TRUE(code->SetSymbologyByName("Code 128"));
    code->SetContentKind(1);
    code->SetMultiLineText("DESIGN128");
    code->SetHumanReadable(false);
    code->SetLogFont(&font);
    code->SetModuleWidth(250);
    code->SetX(5000);
    code->SetY(9000);
    code->SetWidth(40000);
    code->SetHeight(13000);
    Area()->Append(code);
    AddRect(2000, 24000, 10000, 4000)->SetLineWidth(500);

    // The template remembers the file printer; the application's printer is another one.
    HGLOBAL mode = nullptr, names = nullptr;
    ASSERT_TRUE(BuildPrinterHandles(printtest::kPrinterName, mode, names));
    auto* dn = static_cast<DEVNAMES*>(::GlobalLock(names));
    const std::string driver = reinterpret_cast<const char*>(dn) + dn->wDriverOffset;
    ::GlobalUnlock(names);
    ::GlobalFree(mode);
    ::GlobalFree(names);
    doc->SetStoredPrinter(printtest::kPrinterName, driver.c_str(), PortFile().c_str());
    app->FreePrinterHandles();

    MessageBoxRecorder boxes;
    Command(ID_FILE_PRINT_DIRECT);
    EXPECT_EQ(0u, boxes.Count());
    const std::vector<char> bytes = printtest::ReadFileBytes(PortFile().c_str());
    ASSERT_GT(bytes.size(), 1000u);
    EXPECT_EQ(0, std::string(bytes.data(), 4).compare("%!PS"));
    EXPECT_TRUE(::CopyFileA(PortFile().c_str(), job.c_str(), FALSE));
}

TEST_F(DesignCanvas, ATableTextWithoutRowsPrintsNothingAndShowsTheChecksMessage)
{
    ASSERT_TRUE(printtest::EnsureFilePrinter());
    ::DeleteFileA(PortFile().c_str());
    auto* text = new CGraphTextExt;
    text->SetColumnName("A");
    text->SetX(5000);
    text->SetY(5000);
    text->SetWidth(20000);
    text->SetHeight(5000);
    Area()->Append(text);
    ASSERT_TRUE(doc->UsesTableData());

    MessageBoxRecorder boxes;
    Command(ID_FILE_PRINT_DIRECT);
    EXPECT_EQ(1u, boxes.Count());
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(PortFile().c_str()));
}
