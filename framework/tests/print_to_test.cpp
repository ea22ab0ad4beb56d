// Printing from the command line: "/p" prints on the application's printer, "/pt" on the printer
// it names, for that one job.
#include "framework/app.h"
#include "framework/cmdline.h"
#include "framework/gdi.h"
#include "framework/print.h"
#include "framework/view.h"
#include "testsupport/fileprinter.h"
#include "testsupport/testrun.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const char kSecondPrinter[] = "Korvelta PS Two";

// The test printers' port files: one per prefix, like the printers (the programs that print take
// turns, ctest's "printer" lock).
std::string PortFile(const char* name)
{
    char temp[MAX_PATH] = {};
    ::GetTempPathA(sizeof temp, temp);
    return std::string(temp) + name;
}

// One page with a filled square on it.
class OnePageView : public CView {
public:
    BOOL OnPreparePrinting(CPrintInfo* info) override
    {
        info->m_pPD->m_pd.nMaxPage = 1;
        return DoPreparePrinting(info);
    }
    void OnPrint(CDC* dc, CPrintInfo*) override { ::PatBlt(dc->m_hDC, 100, 100, 300, 300, BLACKNESS); }
};

class PrintTo : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(printtest::EnsureFilePrinter());
        ASSERT_TRUE(printtest::InstallFilePrinter(kSecondPrinter, second.c_str()));
        ::DeleteFileA(first.c_str());
        ::DeleteFileA(second.c_str());
    }
    void Print(CCommandLineInfo& cmd)
    {
        OnePageView view;
        app.m_pCmdInfo = &cmd;
        view.OnFilePrint();
        app.m_pCmdInfo = nullptr;
    }
    size_t Size(const std::string& path) { return printtest::ReadFileBytes(path.c_str()).size(); }

    CWinApp app{"KorveltaPrintToTests"};
    const std::string first = PortFile("korvelta-port.ps");
    const std::string second = PortFile("korvelta-two.ps");
};

TEST_F(PrintTo, PrintGoesToTheApplicationsPrinterAndPrintToToTheNamedOne)
{
    CCommandLineInfo print;
    print.m_nShellCommand = CCommandLineInfo::FilePrint;
    Print(print);
    EXPECT_GT(Size(first), 0u);
    EXPECT_EQ(0u, Size(second));

    ::DeleteFileA(first.c_str());
    CCommandLineInfo printTo;
    printTo.m_nShellCommand = CCommandLineInfo::FilePrintTo;
    printTo.m_strPrinterName = kSecondPrinter;
    printTo.m_strDriverName = printtest::kDriverName;
    printTo.m_strPortName = "FILE:";
    Print(printTo);
    EXPECT_EQ(0u, Size(first));
    const std::vector<char> job = printtest::ReadFileBytes(second.c_str());
    ASSERT_GT(job.size(), 4u);
    EXPECT_EQ("%!PS", std::string(job.data(), 4));

    // The named printer was for that job only: the application's printer is unchanged.
    ::DeleteFileA(second.c_str());
    Print(print);
    EXPECT_GT(Size(first), 0u);
    EXPECT_EQ(0u, Size(second));
}

TEST_F(PrintTo, APrinterThatDoesNotExistPrintsNothingAnywhere)
{
    CCommandLineInfo printTo;
    printTo.m_nShellCommand = CCommandLineInfo::FilePrintTo;
    printTo.m_strPrinterName = "No Such Printer";
    printTo.m_strDriverName = "nothing.drv";
    printTo.m_strPortName = "LPT9:";
    Print(printTo);
    EXPECT_EQ(0u, Size(first));
    EXPECT_EQ(0u, Size(second));
}

// Wine's spooler writes a job over the file it is sent to without cutting it first: a shorter job
// would keep the tail of what was there and no longer be a valid document.
TEST_F(PrintTo, PrintingToAFileReplacesWhatWasThere)
{
    const std::string out = RunTempFile("korvelta-out.ps");   // the run's own file
    {
        std::string junk(256 * 1024, 'x');
        HANDLE file = ::CreateFileA(out.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        DWORD written = 0;
        ::WriteFile(file, junk.data(), static_cast<DWORD>(junk.size()), &written, nullptr);
        ::CloseHandle(file);
    }
    OnePageView view;
    CPrintInfo info;
    ASSERT_TRUE(printtest::PrinterHandles(info.m_pPD->m_pd.hDevNames, info.m_pPD->m_pd.hDevMode));
    info.m_pPD->m_pd.nMaxPage = 1;
    info.m_strOutputFile = out.c_str();
    CDC dc;
    ASSERT_NE(info.m_pPD->CreatePrinterDC(), nullptr);
    dc.Attach(info.m_pPD->m_pd.hDC);
    EXPECT_TRUE(view.RunPrintJob(&dc, &info));
    dc.Detach();
    ::GlobalFree(info.m_pPD->m_pd.hDevNames);
    ::GlobalFree(info.m_pPD->m_pd.hDevMode);
    info.m_pPD->m_pd.hDevNames = info.m_pPD->m_pd.hDevMode = nullptr;

    const std::vector<char> job = printtest::ReadFileBytes(out.c_str());
    ::DeleteFileA(out.c_str());
    ASSERT_GT(job.size(), 4u);
    EXPECT_LT(job.size(), 256u * 1024u);
    EXPECT_EQ("%!PS", std::string(job.data(), 4));
    const std::string text(job.begin(), job.end());
    EXPECT_EQ(text.rfind("%%EOF"), text.find_last_not_of("\r\n") - 4);
}

} // namespace
