// Printing from the command line: "/p" prints on the application's printer, "/pt" on the printer
// it names, for that one job.
#include "framework/app.h"
#include "framework/cmdline.h"
#include "framework/gdi.h"
#include "framework/print.h"
#include "framework/view.h"
#include "testsupport/fileprinter.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const char kSecondPrinter[] = "Korvelta PS Two";

std::string TempFile(const char* name)
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
    const std::string first = TempFile("korvelta-port.ps");
    const std::string second = TempFile("korvelta-two.ps");
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

} // namespace
