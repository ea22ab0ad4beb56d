// The running program as the shell finds it: after start-up its DDE service answers under the
// application's name, the project type carries the DDE commands and is written where the shell
// reads types, and a shell client's open, print and printto requests reach the program: a second
// project becomes a second document window, printing goes to the printer without a dialog.
#include "document/labeldoc.h"
#include "framework/doc.h"
#include "framework/shelldde.h"
#include "labelmodel/graphcollection.h"
#include "labelmodel/graphshapes.h"
#include "labelmodel/template.h"
#include "testsupport/ddeclient.h"
#include "testsupport/fileprinter.h"
#include "ui/tests/rectangleproject.h"
#include "ui/tests/uitestsupport.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace {

// The project windows of the main frame, by their documents' paths.
std::vector<std::string> DocumentWindows(CMainFrame* frame)
{
    std::vector<std::string> paths;
    for (CMDIChildWnd* child : frame->GetChildren()) {
        CDocument* doc = child->m_hWnd != nullptr ? child->GetActiveDocument() : nullptr;
        paths.push_back(doc != nullptr ? doc->GetPathName().GetString() : "?");
    }
    return paths;
}

std::string Quote(const CString& path)
{
    return "\"" + std::string(path.GetString()) + "\"";
}

class ShellOpen : public ::testing::Test {
protected:
    void SetUp() override
    {
        DeleteTestProfile();
        // Where this test's shell reads the file types (in place of HKEY_CLASSES_ROOT).
        ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExA(HKEY_CURRENT_USER, TestProfileKey() + "\\Shell view", 0,
                                                   nullptr, 0, KEY_ALL_ACCESS, nullptr, &view, nullptr));
        app.reset(new TestLabelApp(dir));
        app->m_hShellView = view;
        ASSERT_TRUE(app->InitInstance());
        frame = app->GetMainFrame();
        ASSERT_NE(nullptr, frame);
        ASSERT_TRUE(WriteRectangleProject(dir.Path("a.proj"), 1000, 500));
        ASSERT_TRUE(WriteRectangleProject(dir.Path("b.proj"), 1000, 500));
    }
    void TearDown() override
    {
        app.reset();
        if (view != nullptr)
            ::RegCloseKey(view);
        DeleteTestProfile();
    }
    DdeExecuteResult Send(const std::string& command, bool unicode = true)
    {
        DdeExecuteResult r = SendDdeExecute(TestProfile(), "System", command, unicode);
        EXPECT_TRUE(r.finished) << command;
        DrainMessages();
        return r;
    }

    TempDir dir;
    MessageBoxRecorder boxes;
    HKEY view = nullptr;
    std::unique_ptr<TestLabelApp> app;
    CMainFrame* frame = nullptr;
};

CString ViewText(HKEY root, const char* path)
{
    char data[512] = {};
    DWORD size = sizeof data;
    if (::RegGetValueA(root, path, nullptr, RRF_RT_REG_SZ, nullptr, data, &size) != ERROR_SUCCESS)
        return CString("<missing>");
    return CString(data);
}

} // namespace

TEST_F(ShellOpen, StartUpOpensTheServiceAndRegistersTheTypeWhereTheShellReadsIt)
{
    ASSERT_TRUE(app->IsShellOpenEnabled());
    EXPECT_STREQ(TestProfile(), app->GetShellDdeServer()->GetService());
    char module[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, module, MAX_PATH);
    const CString exe = CString("\"") + module + "\"";
    const CString user = TestProfileKey() + "\\Classes\\";
    EXPECT_STREQ("[open(\"%1\")]", ViewText(HKEY_CURRENT_USER, user + "OstrelindSoft.Project\\shell\\open\\ddeexec"));
    // The shell's view held nothing of the type: everything was written there too.
    EXPECT_STREQ("OstrelindSoft.Project", ViewText(view, ".proj"));
    EXPECT_STREQ(exe + " \"%1\"", ViewText(view, "OstrelindSoft.Project\\shell\\open\\command"));
    EXPECT_STREQ("[open(\"%1\")]", ViewText(view, "OstrelindSoft.Project\\shell\\open\\ddeexec"));
    EXPECT_STREQ(TestProfile(), ViewText(view, "OstrelindSoft.Project\\shell\\open\\ddeexec\\application"));
    EXPECT_STREQ("System", ViewText(view, "OstrelindSoft.Project\\shell\\open\\ddeexec\\topic"));
    EXPECT_STREQ("[print(\"%1\")]", ViewText(view, "OstrelindSoft.Project\\shell\\print\\ddeexec"));
    EXPECT_STREQ("[printto(\"%1\",\"%2\",\"%3\",\"%4\")]",
                 ViewText(view, "OstrelindSoft.Project\\shell\\printto\\ddeexec"));
    EXPECT_EQ(0u, boxes.Count());
}

TEST_F(ShellOpen, AnOpenRequestBecomesASecondDocumentWindowAndAnOpenFileIsShownAgain)
{
    ASSERT_EQ(1u, DocumentWindows(frame).size());   // the new project of the start
    DdeExecuteResult r = Send("[open(" + Quote(dir.Path("a.proj")) + ")]");
    EXPECT_TRUE(r.connected);
    EXPECT_TRUE(r.acknowledged);
    EXPECT_EQ(2, app->GetOpenDocumentCount());
    std::vector<std::string> windows = DocumentWindows(frame);
    ASSERT_EQ(2u, windows.size());
    EXPECT_EQ(1, std::count(windows.begin(), windows.end(), std::string(dir.Path("a.proj").GetString())));
    ASSERT_NE(nullptr, frame->MDIGetActive());
    EXPECT_STREQ(dir.Path("a.proj"), frame->MDIGetActive()->GetActiveDocument()->GetPathName());

    // b opens beside it (an ANSI client this time); a asked for again is shown, not read twice.
    r = Send("[open(" + Quote(dir.Path("b.proj")) + ")]", false);
    EXPECT_TRUE(r.acknowledged);
    EXPECT_EQ(3u, DocumentWindows(frame).size());
    r = Send("[open(" + Quote(dir.Path("a.proj")) + ")]");
    EXPECT_TRUE(r.acknowledged);
    EXPECT_EQ(3u, DocumentWindows(frame).size());
    EXPECT_STREQ(dir.Path("a.proj"), frame->MDIGetActive()->GetActiveDocument()->GetPathName());
    EXPECT_EQ(0u, boxes.Count());

    // A file that is not there: the program says so, the shell hears it was not done.
    r = Send("[open(" + Quote(dir.Path("gone.proj")) + ")]");
    EXPECT_TRUE(r.connected);
    EXPECT_FALSE(r.acknowledged);
    EXPECT_EQ(3u, DocumentWindows(frame).size());
    EXPECT_GE(boxes.Count(), 1u);

    // While a modal window holds the program nothing opens.
    frame->EnableWindow(FALSE);
    r = Send("[open(" + Quote(dir.Path("b.proj")) + ")][open(" + Quote(dir.Path("gone.proj")) + ")]");
    frame->EnableWindow(TRUE);
    EXPECT_FALSE(r.acknowledged);
    EXPECT_EQ(3u, DocumentWindows(frame).size());
}

TEST_F(ShellOpen, PrintAndPrintToReachThePrinterWithoutADialog)
{
    ASSERT_TRUE(printtest::EnsureFilePrinter());
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    const std::string port = std::string(temp) + "korvelta-port.ps";
    const std::string otherPort = std::string(temp) + "korvelta-shell-printto.ps";
    ASSERT_TRUE(printtest::InstallFilePrinter("KORVELTA shell printto", otherPort.c_str()));
    app->FreePrinterHandles();
    ::DeleteFileA(port.c_str());
    ::DeleteFileA(otherPort.c_str());

    DdeExecuteResult r = Send("[print(" + Quote(dir.Path("a.proj")) + ")]");
    EXPECT_TRUE(r.acknowledged);
    std::vector<char> bytes = printtest::ReadFileBytes(port.c_str());
    ASSERT_GT(bytes.size(), 1000u);
    EXPECT_EQ(0, std::string(bytes.data(), 4).compare("%!PS"));
    EXPECT_NE(std::string::npos, std::string(bytes.begin(), bytes.end()).find("showpage"));
    // Opened only to be printed: closed again.
    EXPECT_EQ(1u, DocumentWindows(frame).size());
    EXPECT_EQ(0u, boxes.Count()) << (boxes.Count() ? static_cast<const char*>(boxes.Last().text) : "");

    r = Send("[printto(" + Quote(dir.Path("b.proj")) + ",\"KORVELTA shell printto\",\"wineps.drv\",\"" + otherPort +
             "\")]");
    EXPECT_TRUE(r.acknowledged);
    bytes = printtest::ReadFileBytes(otherPort.c_str());
    ASSERT_GT(bytes.size(), 1000u);
    EXPECT_NE(std::string::npos, std::string(bytes.begin(), bytes.end()).find("showpage"));
    EXPECT_EQ(1u, DocumentWindows(frame).size());
    EXPECT_EQ(0u, boxes.Count());
}
