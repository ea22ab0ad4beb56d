// The application's profile, recent file list, command line and shell registration.
#include "framework/app.h"
#include "framework/doctempl.h"
#include "testsupport/testrun.h"

#include <gtest/gtest.h>
#include <shlwapi.h>

namespace {

// The run's own application name and profile key (testrun.h).
const CString kAppName = RunScopedName("KorveltaFrameworkTests");
const CString kAppKey = "Software\\QUENDRIC\\" + kAppName;

void RemoveTestKey()
{
    ::SHDeleteKeyA(HKEY_CURRENT_USER, kAppKey);
}

CString ReadRegText(const char* subKey, const char* value)
{
    char data[512] = {};
    DWORD size = sizeof data;
    if (::RegGetValueA(HKEY_CURRENT_USER, subKey, value, RRF_RT_REG_SZ, nullptr, data, &size) != ERROR_SUCCESS)
        return CString("<missing>");
    return CString(data);
}

class Profile : public ::testing::Test {
protected:
    void SetUp() override
    {
        RemoveTestKey();
        app.SetRegistryKey("QUENDRIC");
    }
    void TearDown() override { RemoveTestKey(); }
    CWinApp app{ kAppName };
};

} // namespace

TEST_F(Profile, ValuesRoundTripUnderCompanyAppAndSection)
{
    EXPECT_EQ(214u, app.GetProfileInt("Settings", "ApplicationLook", 214));
    EXPECT_STREQ("Arial", app.GetProfileString("Default font", "Facename", "Arial"));
    EXPECT_STREQ("", app.GetProfileString("Default font", "Facename"));

    EXPECT_TRUE(app.WriteProfileInt("Settings", "ApplicationLook", 216));
    EXPECT_TRUE(app.WriteProfileInt("Settings", "Negative", -13));
    EXPECT_TRUE(app.WriteProfileString("Default font", "Facename", "Times New Roman"));
    const BYTE blob[] = { 0, 1, 2, 0xFF, 0 };
    EXPECT_TRUE(app.WriteProfileBinary("Settings", "Blob", blob, sizeof blob));

    EXPECT_EQ(216u, app.GetProfileInt("Settings", "ApplicationLook", 214));
    EXPECT_EQ(-13, static_cast<int>(app.GetProfileInt("Settings", "Negative", 0)));
    EXPECT_STREQ("Times New Roman", app.GetProfileString("Default font", "Facename", "Arial"));
    std::vector<BYTE> back;
    ASSERT_TRUE(app.GetProfileBinary("Settings", "Blob", back));
    EXPECT_EQ(std::vector<BYTE>(blob, blob + sizeof blob), back);
    BYTE* raw = nullptr;
    UINT bytes = 0;
    ASSERT_TRUE(app.GetProfileBinary("Settings", "Blob", &raw, &bytes));
    EXPECT_EQ(sizeof blob, bytes);
    delete[] raw;
    EXPECT_FALSE(app.GetProfileBinary("Settings", "Missing", &raw, &bytes));
    EXPECT_EQ(nullptr, raw);

    // Where it lives, as other programs and the shell see it.
    EXPECT_STREQ("Times New Roman", ReadRegText(kAppKey + "\\Default font", "Facename"));

    // A value of the wrong type reads as the default.
    EXPECT_EQ(5u, app.GetProfileInt("Default font", "Facename", 5));
    EXPECT_STREQ("dflt", app.GetProfileString("Settings", "ApplicationLook", "dflt"));

    // A null value deletes the entry; a null entry deletes the section.
    EXPECT_TRUE(app.WriteProfileString("Settings", "Negative", nullptr));
    EXPECT_EQ(1u, app.GetProfileInt("Settings", "Negative", 1));
    EXPECT_TRUE(app.WriteProfileString("Default font", nullptr, nullptr));
    EXPECT_STREQ("gone", app.GetProfileString("Default font", "Facename", "gone"));
    EXPECT_EQ(216u, app.GetProfileInt("Settings", "ApplicationLook", 214));
}

TEST_F(Profile, WithoutRegistryKeyNothingIsStored)
{
    CWinApp bare(kAppName);
    EXPECT_FALSE(bare.WriteProfileInt("Settings", "X", 3));
    EXPECT_EQ(9u, bare.GetProfileInt("Settings", "X", 9));
}

TEST_F(Profile, RecentFilesNewestFirstWithoutDuplicatesAtMostTen)
{
    app.LoadStdProfileSettings(10);
    ASSERT_NE(nullptr, app.m_pRecentFileList);
    EXPECT_EQ(0, app.m_pRecentFileList->GetCount());
    for (int i = 1; i <= 12; ++i) {
        CString path;
        path.Format("C:\\labels\\file%d.proj", i);
        app.AddToRecentFileList(path);
    }
    CRecentFileList& list = *app.m_pRecentFileList;
    ASSERT_EQ(10, list.GetCount());
    EXPECT_STREQ("C:\\labels\\file12.proj", list[0]);
    EXPECT_STREQ("C:\\labels\\file3.proj", list[9]);

    // The same file in other letters moves to the top instead of appearing twice.
    app.AddToRecentFileList("c:\\LABELS\\FILE5.proj");
    ASSERT_EQ(10, list.GetCount());
    EXPECT_EQ(0, list[0].CompareNoCase("C:\\LABELS\\FILE5.proj"));
    EXPECT_STREQ("LABELS\\FILE5.proj", list[0].Mid(3));   // the newest spelling is kept
    EXPECT_STREQ("C:\\labels\\file12.proj", list[1]);
    for (int i = 1; i < list.GetCount(); ++i)
        EXPECT_NE(0, list[i].CompareNoCase("c:\\labels\\file5.proj"));

    app.ExitInstance();
    const CString section = kAppKey + "\\Recent File List";
    EXPECT_STREQ(list[0], ReadRegText(section, "File1"));
    EXPECT_STREQ("C:\\labels\\file3.proj", ReadRegText(section, "File10"));
    EXPECT_STREQ("<missing>", ReadRegText(section, "File11"));

    CWinApp again(kAppName);
    again.SetRegistryKey("QUENDRIC");
    again.LoadStdProfileSettings(4);
    ASSERT_EQ(4, again.m_pRecentFileList->GetCount());
    EXPECT_STREQ("C:\\labels\\file12.proj", (*again.m_pRecentFileList)[1]);
}

TEST(RecentFiles, RelativePathsBecomeFullAndNamesShorten)
{
    CRecentFileList list(0xE110, "Recent File List", "File%d", 3);
    char cwd[MAX_PATH];
    ::GetCurrentDirectoryA(MAX_PATH, cwd);
    list.Add("relative.proj");
    CString expected = CString(cwd) + (cwd[strlen(cwd) - 1] == '\\' ? "" : "\\") + "relative.proj";
    EXPECT_STREQ(expected, list[0]);
    list.Add("C:\\a\\very\\long\\folder\\name\\that\\goes\\on\\and\\on\\project.proj");
    EXPECT_STREQ("C:\\a\\very\\long\\folder\\name\\that\\goes\\on\\and\\on\\project.proj", list.GetDisplayName(0, 80));
    CString shortName = list.GetDisplayName(0, 30);
    EXPECT_LE(shortName.GetLength(), 30);
    EXPECT_EQ(shortName.GetLength() - 12, shortName.Find("project.proj"));
    EXPECT_EQ(0, shortName.Find("C:\\"));
}

TEST(CommandLine, ShellCommandsFromArguments)
{
    struct Case {
        const char* line;
        CCommandLineInfo::ShellCommand command;
        const char* file;
        const char* printer;
        const char* driver;
        const char* port;
    } cases[] = {
        { "", CCommandLineInfo::FileNew, "", "", "", "" },
        { "a.proj", CCommandLineInfo::FileOpen, "a.proj", "", "", "" },
        { "\"C:\\My Labels\\a b.proj\"", CCommandLineInfo::FileOpen, "C:\\My Labels\\a b.proj", "", "", "" },
        { "/p a.proj", CCommandLineInfo::FilePrint, "a.proj", "", "", "" },
        { "-P \"x y.proj\"", CCommandLineInfo::FilePrint, "x y.proj", "", "", "" },
        { "/pt a.proj \"Label Printer\" winspool Ne00:", CCommandLineInfo::FilePrintTo, "a.proj", "Label Printer",
          "winspool", "Ne00:" },
        { "/dde", CCommandLineInfo::FileDDE, "", "", "", "" },
        { "/Unregister", CCommandLineInfo::AppUnregister, "", "", "", "" },
        { "/unknown a.proj", CCommandLineInfo::FileOpen, "a.proj", "", "", "" },
        { "a.proj b.proj", CCommandLineInfo::FileOpen, "a.proj", "", "", "" },
    };
    for (const Case& c : cases) {
        CCommandLineInfo info;
        ParseCommandLineInto(info, c.line);
        EXPECT_EQ(c.command, info.m_nShellCommand) << c.line;
        EXPECT_STREQ(c.file, info.m_strFileName) << c.line;
        EXPECT_STREQ(c.printer, info.m_strPrinterName) << c.line;
        EXPECT_STREQ(c.driver, info.m_strDriverName) << c.line;
        EXPECT_STREQ(c.port, info.m_strPortName) << c.line;
    }
    CCommandLineInfo embedded;
    ParseCommandLineInto(embedded, "/Embedding");
    EXPECT_TRUE(embedded.m_bRunEmbedded);
    EXPECT_FALSE(embedded.m_bShowSplash);
}

TEST(CommandLine, SplittingFollowsTheWindowsQuotingRules)
{
    struct Case {
        const char* line;
        std::vector<const char*> args;
    } cases[] = {
        { "  a  b\tc ", { "a", "b", "c" } },
        { "\"a b\" c", { "a b", "c" } },
        { "a\\\\b", { "a\\\\b" } },
        { "\"a\\\\\" b", { "a\\", "b" } },
        { "a\\\"b", { "a\"b" } },
        { "\"C:\\dir\\\\\"", { "C:\\dir\\" } },
        { "x\"y z\"w", { "xy zw" } },
        { "\"\"", { "" } },
    };
    for (const Case& c : cases) {
        std::vector<CString> got = SplitCommandLine(c.line);
        ASSERT_EQ(c.args.size(), got.size()) << c.line;
        for (size_t i = 0; i < got.size(); ++i)
            EXPECT_STREQ(c.args[i], got[i]) << c.line;
    }
    std::vector<CString> withProgram = SplitCommandLine("\"C:\\Program Files\\k.exe\" /p f.proj", true);
    ASSERT_EQ(2u, withProgram.size());
    EXPECT_STREQ("/p", withProgram[0]);
}

TEST_F(Profile, ShellRegistrationOfTheProjectType)
{
    CMultiDocTemplate* tmpl = new CMultiDocTemplate(130, nullptr, nullptr, nullptr);
    tmpl->SetDocStrings("\nProject\nProject\nKORVELTA-PRINT marking projects (*.proj)\n.proj\nOstrelindSoft.Project\n"
                        "Ostrelind Soft.Project");
    app.AddDocTemplate(tmpl);
    const CString root = kAppKey + "\\Classes";
    app.RegisterShellFileTypes(TRUE, root);

    char module[MAX_PATH];
    ::GetModuleFileNameA(nullptr, module, MAX_PATH);
    CString exe = CString("\"") + module + "\"";
    CString key = CString(root) + "\\OstrelindSoft.Project";
    EXPECT_STREQ("OstrelindSoft.Project", ReadRegText(CString(root) + "\\.proj", nullptr));
    EXPECT_STREQ("Ostrelind Soft.Project", ReadRegText(key, nullptr));
    EXPECT_STREQ(exe + " \"%1\"", ReadRegText(key + "\\shell\\open\\command", nullptr));
    EXPECT_STREQ(exe + " /p \"%1\"", ReadRegText(key + "\\shell\\print\\command", nullptr));
    EXPECT_STREQ(exe + " /pt \"%1\" \"%2\" \"%3\" \"%4\"", ReadRegText(key + "\\shell\\printto\\command", nullptr));
    EXPECT_STREQ(CString(module) + ",1", ReadRegText(key + "\\DefaultIcon", nullptr));
}
