// "Print to" from the command line ("/pt path printer driver port") with the template's page
// set-up on the named printer: its orientation reaches that printer's PostScript, the named
// printer's own compensation is used and kept apart from the default printer's, an unknown printer
// is named in a message and nothing is printed. And the print dialog's answers that would put no
// label on paper (a range ending before it starts, a first label past the sheet) spool nothing.
// The landscape and upright jobs are also left in $KORVELTA_DESIGN_PRINT_OUT, where
// design_print_check.sh has Ghostscript measure the rectangle on each page.
#include "ui/tests/designviewtest.h"

#include "document/printoptions.h"
#include "document/registrydefaults.h"
#include "framework/app.h"
#include "framework/cmdline.h"
#include "framework/printdlg.h"
#include "labelmodel/labelstock.h"
#include "testsupport/fileprinter.h"
#include "testsupport/printdialogrecorder.h"
#include "ui/commandids.h"
#include "ui/printerhandles.h"

#include <string>
#include <vector>

using namespace designtest;

namespace {

std::string Text(const std::vector<char>& bytes)
{
    return std::string(bytes.begin(), bytes.end());
}

} // namespace

class PrintTo : public DesignCanvas {
protected:
    void SetUp() override
    {
        DesignCanvas::SetUp();
        ASSERT_TRUE(printtest::EnsureFilePrinter());
        secondPort = TempFile("korvelta-second.ps");
        ASSERT_TRUE(printtest::InstallFilePrinter(kSecond, secondPort.c_str()));
        defaultPort = TempFile("korvelta-port.ps");
        ::DeleteFileA(defaultPort.c_str());
        ::DeleteFileA(secondPort.c_str());
        AddRect(2000, 2000, 20000, 10000)->SetLineWidth(500);
        // The template remembers the default printer; the command line names the second one.
        doc->SetStoredPrinter(printtest::kPrinterName, printtest::kDriverName, defaultPort.c_str());
        ASSERT_TRUE(RegistryDefaults::WriteCompensation(printtest::kPrinterName, 1000, 500));
        ASSERT_TRUE(RegistryDefaults::WriteCompensation(kSecond, 7000, 3000));
        doc->SetModifiedFlag(FALSE);
    }

    // The program's "/pt" on the given printer, as the shell starts it.
    void PrintToPrinter(const char* printer)
    {
        CCommandLineInfo pt;
        app->m_strCmdLine = CString("/pt \"") + dir.Path("saved.proj") + "\" \"" + printer + "\" \"" +
                            printtest::kDriverName + "\" \"" + secondPort.c_str() + "\"";
        app->ParseCommandLine(pt);
        ASSERT_EQ(CCommandLineInfo::FilePrintTo, pt.m_nShellCommand);
        app->m_pCmdInfo = &pt;
        Command(ID_FILE_PRINT_DIRECT);
        app->m_pCmdInfo = nullptr;
    }

    static constexpr const char* kSecond = "Korvelta Second Printer";
    std::string defaultPort;
    std::string secondPort;
};

TEST_F(PrintTo, ALandscapeTemplateGivesLandscapePagesOnTheNamedPrinterWithThatPrintersCompensation)
{
    CLabel* stock = doc->GetCurrentTemplate()->GetLabelStock();
    ASSERT_TRUE(stock->HasPaperSettings());
    // One label a sheet: the page's ink is the 20 x 10 mm rectangle, lying along the label.
    stock->SetColumns(1);
    stock->SetRows(1);
    stock->SetVerticalBlocks(1);
    stock->SetOrientation(2);
    ASSERT_EQ(2, stock->GetOrientation());
    MessageBoxRecorder boxes;
    PrintDialogRecorder dialogs;

    PrintToPrinter(kSecond);
    EXPECT_EQ(0u, dialogs.Count());
    EXPECT_EQ(0u, boxes.Count());
    const std::string job = Text(printtest::ReadFileBytes(secondPort.c_str()));
    ASSERT_GT(job.size(), 100u);
    EXPECT_EQ(0u, job.find("%!PS"));
    EXPECT_NE(std::string::npos, job.find("%%Orientation: Landscape")) << job.substr(0, 400);
    EXPECT_FALSE(Exists(defaultPort));
    // The job was placed with the second printer's calibration, and each printer keeps its own.
    EXPECT_EQ(7000, doc->GetCurrentTemplate()->GetLeftCompensation());
    EXPECT_EQ(3000, doc->GetCurrentTemplate()->GetTopCompensation());
    int left = 0, top = 0;
    ASSERT_TRUE(RegistryDefaults::ReadCompensation(printtest::kPrinterName, left, top));
    EXPECT_EQ(1000, left);
    EXPECT_EQ(500, top);
    ASSERT_TRUE(RegistryDefaults::ReadCompensation(kSecond, left, top));
    EXPECT_EQ(7000, left);
    EXPECT_EQ(3000, top);
    // The template keeps its printer: the named one was for that job.
    CString device, driver, port;
    doc->GetStoredPrinter(device, driver, port);
    EXPECT_STREQ(printtest::kPrinterName, device);

    // For the picture check: Ghostscript reads the page the driver was given.
    TempDir temp;
    const std::string folder = OutputFolder("KORVELTA_DESIGN_PRINT_OUT", temp);
    ::CopyFileA(secondPort.c_str(), (folder + "\\printto-landscape.ps").c_str(), FALSE);

    // The same template upright prints upright there.
    ::DeleteFileA(secondPort.c_str());
    stock->SetOrientation(1);
    PrintToPrinter(kSecond);
    const std::string upright = Text(printtest::ReadFileBytes(secondPort.c_str()));
    ASSERT_GT(upright.size(), 100u);
    EXPECT_NE(std::string::npos, upright.find("%%Orientation: Portrait")) << upright.substr(0, 400);
    ::CopyFileA(secondPort.c_str(), (folder + "\\printto-portrait.ps").c_str(), FALSE);
    EXPECT_EQ(0u, boxes.Count());
}

TEST_F(PrintTo, TheStoredDeviceModeIsUsedOnlyOnThePrinterItWasMadeFor)
{
    // The label definition stores the second printer's settings asking for three copies of each
    // page; the printers' own default is one.
    auto* file = dynamic_cast<CLabelFileNew*>(doc->GetCurrentTemplate()->GetLabelStock());
    ASSERT_NE(nullptr, file);
    HGLOBAL mode = nullptr, names = nullptr;
    ASSERT_TRUE(BuildPrinterHandles(kSecond, mode, names));
    auto* dm = static_cast<DEVMODEA*>(::GlobalLock(mode));
    ASSERT_NE(3, dm->dmCopies);
    dm->dmCopies = 3;
    dm->dmFields |= DM_COPIES;
    ASSERT_TRUE(file->SetDevMode(dm));
    ::GlobalUnlock(mode);
    ::GlobalFree(mode);
    ::GlobalFree(names);
    file->SetPrinterStrings(kSecond, printtest::kDriverName, secondPort.c_str());
    ASSERT_TRUE(file->HasDevMode());
    MessageBoxRecorder boxes;

    PrintToPrinter(kSecond);
    const std::string three = Text(printtest::ReadFileBytes(secondPort.c_str()));
    ASSERT_GT(three.size(), 100u);
    EXPECT_NE(std::string::npos, three.find("%cupsJobTicket: copies=3\n")) << three.substr(0, 400);

    // "/pt" on the default printer: the stored settings belong to another one and stay out.
    CCommandLineInfo pt;
    app->m_strCmdLine = CString("/pt \"") + dir.Path("saved.proj") + "\" \"" + printtest::kPrinterName + "\" \"" +
                        printtest::kDriverName + "\" \"" + defaultPort.c_str() + "\"";
    app->ParseCommandLine(pt);
    app->m_pCmdInfo = &pt;
    Command(ID_FILE_PRINT_DIRECT);
    app->m_pCmdInfo = nullptr;
    const std::string one = Text(printtest::ReadFileBytes(defaultPort.c_str()));
    ASSERT_GT(one.size(), 100u);
    EXPECT_NE(std::string::npos, one.find("%cupsJobTicket: media=A4")) << one.substr(0, 400);
    EXPECT_EQ(std::string::npos, one.find("%cupsJobTicket: copies=")) << one.substr(0, 400);
    EXPECT_EQ(0u, boxes.Count());
}

TEST_F(PrintTo, AnUnknownPrinterIsNamedInAMessageAndNothingIsPrinted)
{
    MessageBoxRecorder boxes;
    PrintDialogRecorder dialogs;
    PrintToPrinter("Korvelta No Such Printer");
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_NE(-1, boxes.Last().text.Find("\"Korvelta No Such Printer\""));
    EXPECT_EQ(static_cast<UINT>(MB_ICONERROR), boxes.Last().Icon());
    EXPECT_EQ(0u, dialogs.Count());
    EXPECT_FALSE(Exists(defaultPort));
    EXPECT_FALSE(Exists(secondPort));
    EXPECT_FALSE(doc->IsModified());
}

TEST_F(PrintTo, ARangeEndingBeforeItStartsOrAFirstLabelPastTheSheetSpoolsNothing)
{
    MessageBoxRecorder boxes;
    {
        PrintDialogRecorder dialogs;
        dialogs.AnswerRange(5, 2);
        Command(ID_FILE_PRINT);
        ASSERT_EQ(1u, dialogs.Count());
    }
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_NE(-1, boxes.Last().text.Find("from 5 to 2"));
    EXPECT_FALSE(Exists(defaultPort));

    // A person who types a first label after the last position of the sheet.
    int positions = 0;
    PrintDialogHook previous = SetPrintDialogHook([&](const PrintDialogRequest& request, CPrintDialog& dialog) {
        positions = request.maxPage;
        auto* block = reinterpret_cast<PrintOptionBlock*>(dialog.m_pd.lCustData);
        block->startPosition = static_cast<int>(request.maxPage) + 1;
        block->copies = 5;
        return static_cast<INT_PTR>(IDOK);
    });
    Command(ID_FILE_PRINT);
    SetPrintDialogHook(previous);
    ASSERT_GT(positions, 0);
    ASSERT_EQ(2u, boxes.Count());
    EXPECT_NE(-1, boxes.Last().text.Find("label positions"));
    EXPECT_FALSE(Exists(defaultPort));
    // Nothing of the refused dialog reached the template.
    EXPECT_NE(5, doc->GetCurrentTemplate()->GetCopies());
    EXPECT_FALSE(doc->IsModified());

    // The last position still prints.
    previous = SetPrintDialogHook([&](const PrintDialogRequest& request, CPrintDialog& dialog) {
        reinterpret_cast<PrintOptionBlock*>(dialog.m_pd.lCustData)->startPosition = static_cast<int>(request.maxPage);
        return static_cast<INT_PTR>(IDOK);
    });
    Command(ID_FILE_PRINT);
    SetPrintDialogHook(previous);
    EXPECT_EQ(2u, boxes.Count());
    EXPECT_TRUE(Exists(defaultPort));
}
