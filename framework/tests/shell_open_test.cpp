// Opening files from the shell while the program runs: the execute strings the shell sends, their
// text from ANSI and Unicode clients, the DDE service answering a real client on another thread,
// the application's dispatch of open, print and printto, and the file-type keys with their DDE
// commands, read back where the shell reads them.
#include "framework/app.h"
#include "framework/doc.h"
#include "framework/doctempl.h"
#include "framework/shelldde.h"
#include "framework/stdids.h"
#include "framework/wnd.h"
#include "testsupport/ddeclient.h"
#include "testsupport/msgboxrecorder.h"
#include "testsupport/tempdir.h"
#include "testsupport/testrun.h"

#include <gtest/gtest.h>
#include <shlwapi.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

std::vector<std::vector<std::string>> Parsed(const char* text, bool* ok = nullptr)
{
    std::vector<CShellDdeCommand> commands;
    const bool parsed = ParseShellDdeCommands(text, commands);
    if (ok != nullptr)
        *ok = parsed;
    std::vector<std::vector<std::string>> out;
    for (const CShellDdeCommand& c : commands) {
        std::vector<std::string> one{ c.name.GetString() };
        for (const CString& a : c.args)
            one.push_back(a.GetString());
        out.push_back(one);
    }
    return out;
}

// The application of the shell command cases: its name is its DDE service, the run's own.
const CString kCommandApp = RunScopedName("KorveltaShellCommandTests");

} // namespace

TEST(ShellDdeCommands, OpenPrintAndPrintToAsTheShellSendsThem)
{
    using Commands = std::vector<std::vector<std::string>>;
    EXPECT_EQ((Commands{ { "open", "C:\\My labels\\a b.proj" } }), Parsed("[open(\"C:\\My labels\\a b.proj\")]"));
    EXPECT_EQ((Commands{ { "print", "Z:\\tmp\\x.proj" } }), Parsed("[print(\"Z:\\tmp\\x.proj\")]"));
    EXPECT_EQ((Commands{ { "printto", "a.proj", "Office, 2nd floor", "wineps.drv", "FILE:" } }),
              Parsed("[printto(\"a.proj\",\"Office, 2nd floor\",\"wineps.drv\",\"FILE:\")]"));
    // Several commands, blanks around everything, plain arguments, a doubled quote, no arguments.
    EXPECT_EQ((Commands{ { "open", "a.proj" }, { "Print", "b c.proj" }, { "noop" }, { "x", "say \"hi\"", "" } }),
              Parsed("  [ open( a.proj ) ]\r\n[Print(\"b c.proj\")] [noop][x(\"say \"\"hi\"\"\", \"\")]  "));
    EXPECT_EQ((Commands{ { "open" } }), Parsed("[open()]"));

    for (const char* bad : { "", "   ", "open(\"a\")", "[open(\"a\")", "[open(\"a)]", "[(\"a\")]", "[open(\"a\") x]",
                             "[open(\"a\"]", "[open(\"a\")] trailing", "[open(a,]", "[open(\"a\"\"b)]" }) {
        bool ok = true;
        EXPECT_TRUE(Parsed(bad, &ok).empty()) << bad;
        EXPECT_FALSE(ok) << bad;
    }
    std::vector<CShellDdeCommand> none;
    EXPECT_FALSE(ParseShellDdeCommands(nullptr, none));
}

TEST(ShellDdeCommands, ExecuteDataOfAnsiAndUnicodeClients)
{
    const char ansi[] = "[open(\"a.proj\")]";
    EXPECT_STREQ(ansi, DdeExecuteText(reinterpret_cast<const BYTE*>(ansi), sizeof ansi));
    // Without its NUL, and cut by the size given.
    EXPECT_STREQ(ansi, DdeExecuteText(reinterpret_cast<const BYTE*>(ansi), sizeof ansi - 1));
    EXPECT_STREQ("[open", DdeExecuteText(reinterpret_cast<const BYTE*>(ansi), 5));
    const wchar_t wide[] = L"[open(\"C:\\\x00E5.proj\")]";
    EXPECT_STREQ("[open(\"C:\\\xE5.proj\")]", DdeExecuteText(reinterpret_cast<const BYTE*>(wide), sizeof wide));
    // An odd byte count of UTF-16 drops the half character.
    EXPECT_STREQ("[op", DdeExecuteText(reinterpret_cast<const BYTE*>(wide), 7));
    EXPECT_STREQ("", DdeExecuteText(nullptr, 10));
    EXPECT_STREQ("", DdeExecuteText(reinterpret_cast<const BYTE*>(ansi), 0));
}

TEST(ShellDdeServer, AnswersTheSystemTopicOfItsNameWithTheHandlersAnswer)
{
    const std::string name = RunScopedName("KorveltaDdeServerTest").GetString();   // the run's own service
    std::vector<std::string> received;
    UINT answer = DDE_FACK;
    CShellDdeServer server;
    ASSERT_TRUE(server.Start(name.c_str(), [&](const char* text) {
        received.push_back(text);
        return answer;
    }));
    EXPECT_TRUE(server.IsRunning());
    EXPECT_STREQ(name.c_str(), server.GetService());

    DdeExecuteResult r = SendDdeExecute(name.c_str(), "System", "[open(\"a.proj\")]");
    ASSERT_TRUE(r.finished);
    EXPECT_TRUE(r.connected);
    EXPECT_TRUE(r.acknowledged);
    // A Unicode client (the shell is one) is understood as well; the topic's case does not matter.
    r = SendDdeExecute(name.c_str(), "SYSTEM", "[print(\"b.proj\")]", true);
    EXPECT_TRUE(r.acknowledged);
    ASSERT_EQ(2u, received.size());
    EXPECT_EQ("[open(\"a.proj\")]", received[0]);
    EXPECT_EQ("[print(\"b.proj\")]", received[1]);
    EXPECT_EQ(2, server.GetExecuteCount());

    // What the handler could not do reaches the client as a failure.
    answer = DDE_FNOTPROCESSED;
    r = SendDdeExecute(name.c_str(), "System", "[what()]");
    EXPECT_TRUE(r.connected);
    EXPECT_FALSE(r.acknowledged);
    EXPECT_EQ(static_cast<UINT>(DMLERR_NOTPROCESSED), r.error);
    answer = DDE_FBUSY;
    r = SendDdeExecute(name.c_str(), "System", "[open(\"c.proj\")]");
    EXPECT_FALSE(r.acknowledged);
    // Windows reports a busy answer as DMLERR_BUSY; Wine 8's client calls it not processed.
    EXPECT_TRUE(r.error == static_cast<UINT>(DMLERR_BUSY) || r.error == static_cast<UINT>(DMLERR_NOTPROCESSED))
        << r.error;
    EXPECT_EQ(4u, received.size());

    // Another topic or another name is not this service.
    r = SendDdeExecute(name.c_str(), "Other", "[open(\"a.proj\")]");
    EXPECT_FALSE(r.connected);
    r = SendDdeExecute((name + "-other").c_str(), "System", "[open(\"a.proj\")]");
    EXPECT_FALSE(r.connected);
    EXPECT_EQ(4u, received.size());

    // Stopped, nobody answers under the name.
    server.Stop();
    EXPECT_FALSE(server.IsRunning());
    r = SendDdeExecute(name.c_str(), "System", "[open(\"a.proj\")]");
    EXPECT_FALSE(r.connected);
    EXPECT_EQ(4u, received.size());
}

namespace {

// Keeps what the application asks of its main window while a print command runs.
class PrintRecorder : public CWnd {
public:
    struct Print {
        UINT command;
        CCommandLineInfo::ShellCommand kind;
        std::string file, printer, driver, port;
        int openDocuments;
    };
    std::vector<Print> prints;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_COMMAND) {
            CWinApp* app = AfxGetApp();
            const CCommandLineInfo* info = app->m_pCmdInfo;
            Print p{ LOWORD(wParam), info ? info->m_nShellCommand : CCommandLineInfo::FileNothing,
                     info ? info->m_strFileName.GetString() : "", info ? info->m_strPrinterName.GetString() : "",
                     info ? info->m_strDriverName.GetString() : "", info ? info->m_strPortName.GetString() : "",
                     app->GetOpenDocumentCount() };
            prints.push_back(p);
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

class ShellCommands : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Documents without windows: opening one only checks that the file is there.
        auto* tmpl = new CMultiDocTemplate(130, CreateNew<CDocument>, nullptr, nullptr);
        tmpl->SetDocStrings("\nProject\nProject\nProjects (*.proj)\n.proj\nTest.Project\nTest Project");
        app.AddDocTemplate(tmpl);
        for (const char* name : { "a.proj", "b c.proj" }) {
            HANDLE file = ::CreateFileA(dir.Path(name), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
            ASSERT_NE(INVALID_HANDLE_VALUE, file);
            ::CloseHandle(file);
        }
        ASSERT_TRUE(main.CreateEx(0, AfxRegisterWndClass(0), "main", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
        app.m_pMainWnd = &main;
    }
    void TearDown() override
    {
        app.m_pMainWnd = nullptr;
        if (main.m_hWnd != nullptr)
            main.DestroyWindow();
    }
    std::vector<std::string> OpenPaths() const
    {
        std::vector<std::string> paths;
        for (CDocument* doc : app.GetDocTemplate(0)->GetDocuments())
            paths.push_back(doc->GetPathName().GetString());
        return paths;
    }
    std::string Quoted(const char* name) { return "\"" + std::string(dir.Path(name).GetString()) + "\""; }

    TempDir dir;
    MessageBoxRecorder boxes;          // a file that cannot be opened says so
    CWinApp app{ kCommandApp };
    PrintRecorder main;
};

} // namespace

TEST_F(ShellCommands, OpenOpensEachFileOnceAndAnythingUnknownDoesNothing)
{
    EXPECT_EQ(static_cast<UINT>(DDE_FACK), app.OnDDECommand(("[open(" + Quoted("a.proj") + ")]").c_str()));
    EXPECT_EQ((std::vector<std::string>{ dir.Path("a.proj").GetString() }), OpenPaths());
    // Again: the open document is shown, not read twice; two in one string.
    EXPECT_EQ(static_cast<UINT>(DDE_FACK),
              app.OnDDECommand(("[open(" + Quoted("a.proj") + ")][open(" + Quoted("b c.proj") + ")]").c_str()));
    EXPECT_EQ(2u, OpenPaths().size());

    // Unknown commands, wrong argument counts, empty paths and bad syntax: nothing at all is done,
    // not even the good command beside them.
    for (const std::string& bad : std::vector<std::string>{ "[open(" + Quoted("x.proj") + ")][format(\"c:\")]", std::string("[open()]"),
                             std::string("[open(\"\")]"), "[open(" + Quoted("x.proj") + "," + Quoted("y.proj") + ")]",
                             std::string("[print()]"), "[printto(" + Quoted("x.proj") + ")]", std::string("open(\"x.proj\")"),
                             std::string("") }) {
        EXPECT_EQ(static_cast<UINT>(DDE_FNOTPROCESSED), app.OnDDECommand(bad.c_str())) << bad;
    }
    EXPECT_EQ(2u, OpenPaths().size());
    // A file that is not there is not done.
    EXPECT_EQ(static_cast<UINT>(DDE_FNOTPROCESSED), app.OnDDECommand(("[open(" + Quoted("gone.proj") + ")]").c_str()));
    EXPECT_EQ(2u, OpenPaths().size());
    EXPECT_TRUE(main.prints.empty());
}

TEST_F(ShellCommands, WhileAModalWindowHoldsTheProgramItAnswersBusy)
{
    main.EnableWindow(FALSE);
    EXPECT_EQ(static_cast<UINT>(DDE_FBUSY), app.OnDDECommand(("[open(" + Quoted("a.proj") + ")]").c_str()));
    EXPECT_TRUE(OpenPaths().empty());
    main.EnableWindow(TRUE);
    EXPECT_EQ(static_cast<UINT>(DDE_FACK), app.OnDDECommand(("[open(" + Quoted("a.proj") + ")]").c_str()));
}

TEST_F(ShellCommands, PrintAndPrintToPrintDirectlyAndCloseWhatTheyOpened)
{
    const std::string a = dir.Path("a.proj").GetString();
    EXPECT_EQ(static_cast<UINT>(DDE_FACK), app.OnDDECommand(("[print(" + Quoted("a.proj") + ")]").c_str()));
    ASSERT_EQ(1u, main.prints.size());
    EXPECT_EQ(static_cast<UINT>(ID_FILE_PRINT_DIRECT), main.prints[0].command);
    EXPECT_EQ(CCommandLineInfo::FilePrint, main.prints[0].kind);
    EXPECT_EQ(a, main.prints[0].file);
    EXPECT_EQ(1, main.prints[0].openDocuments);   // open while it printed
    EXPECT_TRUE(OpenPaths().empty());              // and closed again
    EXPECT_EQ(nullptr, app.m_pCmdInfo);

    EXPECT_EQ(static_cast<UINT>(DDE_FACK),
              app.OnDDECommand(("[printto(" + Quoted("a.proj") + ",\"Office\",\"wineps.drv\",\"FILE:\")]").c_str()));
    ASSERT_EQ(2u, main.prints.size());
    EXPECT_EQ(CCommandLineInfo::FilePrintTo, main.prints[1].kind);
    EXPECT_EQ("Office", main.prints[1].printer);
    EXPECT_EQ("wineps.drv", main.prints[1].driver);
    EXPECT_EQ("FILE:", main.prints[1].port);
    EXPECT_TRUE(OpenPaths().empty());

    // A document the user has open stays open after printing.
    ASSERT_EQ(static_cast<UINT>(DDE_FACK), app.OnDDECommand(("[open(" + Quoted("a.proj") + ")]").c_str()));
    EXPECT_EQ(static_cast<UINT>(DDE_FACK), app.OnDDECommand(("[print(" + Quoted("a.proj") + ")]").c_str()));
    EXPECT_EQ(3u, main.prints.size());
    EXPECT_EQ((std::vector<std::string>{ a }), OpenPaths());

    // Nothing to print: not done, nothing sent.
    EXPECT_EQ(static_cast<UINT>(DDE_FNOTPROCESSED), app.OnDDECommand(("[print(" + Quoted("gone.proj") + ")]").c_str()));
    EXPECT_EQ(3u, main.prints.size());
}

TEST_F(ShellCommands, TheServiceCarriesTheApplicationsNameAndAPrintRunWithdrawsIt)
{
    ASSERT_TRUE(app.EnableShellOpen());
    ASSERT_TRUE(app.IsShellOpenEnabled());
    ASSERT_NE(nullptr, app.GetShellDdeServer());
    EXPECT_STREQ(kCommandApp, app.GetShellDdeServer()->GetService());
    // Enabling twice keeps the one service.
    EXPECT_TRUE(app.EnableShellOpen());

    DdeExecuteResult r = SendDdeExecute(kCommandApp, "System", "[open(" + Quoted("a.proj") + ")]", true);
    EXPECT_TRUE(r.acknowledged);
    EXPECT_EQ(1u, OpenPaths().size());
    r = SendDdeExecute(kCommandApp, "System", "[open(" + Quoted("gone.proj") + ")]");
    EXPECT_TRUE(r.connected);
    EXPECT_FALSE(r.acknowledged);

    // "/p": the run prints and leaves, and no longer answers the shell meanwhile.
    CCommandLineInfo info;
    info.ParseParam("p", TRUE, FALSE);
    info.ParseParam(dir.Path("b c.proj"), FALSE, TRUE);
    EXPECT_FALSE(app.ProcessShellCommand(info));
    EXPECT_FALSE(app.IsShellOpenEnabled());
    r = SendDdeExecute(kCommandApp, "System", "[open(" + Quoted("a.proj") + ")]");
    EXPECT_FALSE(r.connected);
}

// ---- the file-type keys

namespace {

// The run's own application name (its DDE service) and the key the cases register under.
const CString kTypesApp = RunScopedName("KorveltaShellTypesTests");
const CString kRoot = "Software\\QUENDRIC\\" + kTypesApp;

CString ReadText(HKEY root, const CString& path)
{
    char data[512] = {};
    DWORD size = sizeof data;
    if (::RegGetValueA(root, path, nullptr, RRF_RT_REG_SZ, nullptr, data, &size) != ERROR_SUCCESS)
        return CString("<missing>");
    return CString(data);
}

void SetText(HKEY root, const char* path, const char* text, DWORD type = REG_SZ)
{
    ::RegSetKeyValueA(root, path, nullptr, type, text, static_cast<DWORD>(std::strlen(text) + 1));
}

DWORD TypeOf(HKEY root, const char* path)
{
    DWORD type = 0;
    if (::RegGetValueA(root, path, nullptr, RRF_RT_ANY | RRF_NOEXPAND, &type, nullptr, nullptr) != ERROR_SUCCESS)
        return REG_NONE;
    return type;
}

class ShellTypes : public ::testing::Test {
protected:
    void SetUp() override
    {
        ::SHDeleteKeyA(HKEY_CURRENT_USER, kRoot);
        auto* tmpl = new CMultiDocTemplate(130, nullptr, nullptr, nullptr);
        tmpl->SetDocStrings("\nProject\nProject\nKORVELTA-PRINT marking projects (*.proj)\n.proj\nOstrelindSoft.Project\n"
                            "Ostrelind Soft.Project");
        app.AddDocTemplate(tmpl);
        char module[MAX_PATH] = {};
        ::GetModuleFileNameA(nullptr, module, MAX_PATH);
        exe = CString("\"") + module + "\"";
        ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExA(HKEY_CURRENT_USER, CString(kRoot) + "\\Shared", 0, nullptr, 0,
                                                   KEY_ALL_ACCESS, nullptr, &shared, nullptr));
    }
    void TearDown() override
    {
        if (shared != nullptr)
            ::RegCloseKey(shared);
        ::SHDeleteKeyA(HKEY_CURRENT_USER, kRoot);
    }
    CString User(const char* path) const { return CString(kRoot) + "\\User\\" + path; }

    CWinApp app{ kTypesApp };
    CString exe;
    HKEY shared = nullptr;
};

} // namespace

TEST_F(ShellTypes, WithShellOpenEveryVerbGetsItsDdeCommandBesideItsCommand)
{
    ASSERT_TRUE(app.EnableShellOpen());
    app.RegisterShellFileTypes(TRUE, CString(kRoot) + "\\User", shared);
    for (HKEY root : { HKEY_CURRENT_USER, shared }) {
        auto at = [&](const char* path) { return ReadText(root, root == shared ? CString(path) : User(path)); };
        EXPECT_STREQ("OstrelindSoft.Project", at(".proj"));
        EXPECT_STREQ(exe + " \"%1\"", at("OstrelindSoft.Project\\shell\\open\\command"));
        EXPECT_STREQ("[open(\"%1\")]", at("OstrelindSoft.Project\\shell\\open\\ddeexec"));
        EXPECT_STREQ(kTypesApp, at("OstrelindSoft.Project\\shell\\open\\ddeexec\\application"));
        EXPECT_STREQ("System", at("OstrelindSoft.Project\\shell\\open\\ddeexec\\topic"));
        EXPECT_STREQ(exe + " /p \"%1\"", at("OstrelindSoft.Project\\shell\\print\\command"));
        EXPECT_STREQ("[print(\"%1\")]", at("OstrelindSoft.Project\\shell\\print\\ddeexec"));
        EXPECT_STREQ(exe + " /pt \"%1\" \"%2\" \"%3\" \"%4\"", at("OstrelindSoft.Project\\shell\\printto\\command"));
        EXPECT_STREQ("[printto(\"%1\",\"%2\",\"%3\",\"%4\")]", at("OstrelindSoft.Project\\shell\\printto\\ddeexec"));
        EXPECT_STREQ("System", at("OstrelindSoft.Project\\shell\\printto\\ddeexec\\topic"));
    }

    // Without shell open the DDE commands go again: nothing would answer them.
    app.DisableShellOpen();
    app.RegisterShellFileTypes(TRUE, CString(kRoot) + "\\User", shared);
    EXPECT_STREQ("<missing>", ReadText(HKEY_CURRENT_USER, User("OstrelindSoft.Project\\shell\\open\\ddeexec")));
    EXPECT_STREQ("<missing>", ReadText(shared, "OstrelindSoft.Project\\shell\\print\\ddeexec"));
    EXPECT_STREQ(exe + " \"%1\"", ReadText(shared, "OstrelindSoft.Project\\shell\\open\\command"));
}

TEST_F(ShellTypes, WhatTheShellDoesNotSeeIsWrittenWhereItLooksAndARefusalIsNoFailure)
{
    // Nothing there: everything is written where the shell looks.
    app.RegisterShellFileTypes(TRUE, CString(kRoot) + "\\User", shared);
    ASSERT_STREQ("OstrelindSoft.Project", ReadText(shared, ".proj"));
    EXPECT_STREQ(exe + " /p \"%1\"", ReadText(shared, "OstrelindSoft.Project\\shell\\print\\command"));

    // The shell already sees everything: its keys are left as they are (an expandable text that
    // reads the same would become a plain one if written again).
    SetText(shared, ".proj", "OstrelindSoft.Project", REG_EXPAND_SZ);
    app.RegisterShellFileTypes(TRUE, CString(kRoot) + "\\User", shared);
    EXPECT_EQ(static_cast<DWORD>(REG_EXPAND_SZ), TypeOf(shared, ".proj"));

    // A command of an older place of the program is written again.
    SetText(shared, "OstrelindSoft.Project\\shell\\open\\command", "\"C:\\old\\k.exe\" \"%1\"");
    app.RegisterShellFileTypes(TRUE, CString(kRoot) + "\\User", shared);
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), TypeOf(shared, ".proj"));
    EXPECT_STREQ(exe + " \"%1\"", ReadText(shared, "OstrelindSoft.Project\\shell\\open\\command"));

    // A place that refuses every write (here: a key deleted under its handle) leaves the user's
    // keys written and nothing else.
    HKEY gone = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExA(HKEY_CURRENT_USER, CString(kRoot) + "\\Gone", 0, nullptr, 0,
                                               KEY_ALL_ACCESS, nullptr, &gone, nullptr));
    ASSERT_EQ(ERROR_SUCCESS, ::SHDeleteKeyA(HKEY_CURRENT_USER, CString(kRoot) + "\\Gone"));
    HKEY probe = nullptr;
    ASSERT_NE(ERROR_SUCCESS, ::RegCreateKeyExA(gone, "x", 0, nullptr, 0, KEY_WRITE, nullptr, &probe, nullptr));
    ::SHDeleteKeyA(HKEY_CURRENT_USER, CString(kRoot) + "\\User");
    app.RegisterShellFileTypes(TRUE, CString(kRoot) + "\\User2", gone);
    EXPECT_STREQ("OstrelindSoft.Project", ReadText(HKEY_CURRENT_USER, CString(kRoot) + "\\User2\\.proj"));
    ::RegCloseKey(gone);
}
