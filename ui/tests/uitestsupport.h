#pragma once
// Shared set-up of the user-interface tests: an application object with the run's own profile name,
// application-data folders in a TempDir and file types registered under its own key, so no test
// touches the program's settings or the user's folders. Message boxes are recorded.
#include "framework/frame.h"
#include "framework/stdids.h"
#include "labelmodel/labelstock.h"
#include "testsupport/msgboxrecorder.h"
#include "testsupport/tempdir.h"
#include "testsupport/testrun.h"
#include "ui/labelapp.h"
#include "ui/mainframe.h"
#include "ui/mainview.h"

#include <gtest/gtest.h>
#include <shlwapi.h>
#include <memory>
#include <string>

// This run's application name: its profile key and its DDE service. Each test program and each
// variant of one has its own, so one run's set-up deleting its profile never takes the keys from
// under another run (testsupport/testrun.h).
inline const char* TestProfile()
{
    static const CString name = RunScopedName("KORVELTA-PRINT-tests");
    return name;
}

inline CString TestProfileKey()
{
    return CString("Software\\QUENDRIC\\") + TestProfile();
}

inline void DeleteTestProfile()
{
    ::SHDeleteKeyA(HKEY_CURRENT_USER, TestProfileKey());
}

inline void DrainMessages()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        if (msg.message != WM_QUIT)
            ::DispatchMessageA(&msg);
}

// The program's message loop until the queue is empty: the application's filter (up to the frame,
// its accelerators and its ribbon), then translation and dispatch.
inline void PumpThroughApp(CWinApp* app)
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT)
            continue;
        if (!app->PreTranslateMessage(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
}

// An application ready for its start-up steps.
class TestLabelApp : public COstrelindSoftLabelApp {
public:
    explicit TestLabelApp(const TempDir& dir) : COstrelindSoftLabelApp(TestProfile())
    {
        SetBaseFolders(dir.Path("common"), dir.Path("user"));
        ::CreateDirectoryA(dir.Path("common"), nullptr);
        ::CreateDirectoryA(dir.Path("user"), nullptr);
        m_dwSplashWait = 0;
        m_nCmdShow = SW_SHOWNOACTIVATE;
        m_strShellRoot = TestProfileKey() + "\\Classes";
    }
    ~TestLabelApp() override { CloseMainFrame(); }

    void CloseMainFrame()
    {
        MessageBoxRecorder quiet;
        if (m_pMainWnd != nullptr && m_pMainWnd->m_hWnd != nullptr)
            m_pMainWnd->SendMessage(WM_CLOSE);
        DrainMessages();
    }
};

// The program started on a fresh test profile, its main frame shown; message boxes are recorded.
// The profile goes again after each case.
class StartedAppTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        DeleteTestProfile();
        app.reset(new TestLabelApp(dir));
        ASSERT_TRUE(app->InitInstance());
        frame = app->GetMainFrame();
        ASSERT_NE(nullptr, frame);
    }
    void TearDown() override
    {
        app.reset();
        DeleteTestProfile();
    }
    // The window of a new project, as File New opens it; nullptr when none opened.
    CMDIChildWnd* NewProjectWindow()
    {
        frame->SendMessage(WM_COMMAND, ID_FILE_NEW);
        DrainMessages();
        return frame->MDIGetActive();
    }
    // The main view (the tab views) of a project window, or nullptr.
    static COstrelindSoftMainView* MainViewOf(CMDIChildWnd* child)
    {
        if (child == nullptr)
            return nullptr;
        return dynamic_cast<COstrelindSoftMainView*>(
            CWnd::FromHandlePermanent(::GetDlgItem(child->m_hWnd, AFX_IDW_PANE_FIRST)));
    }

    TempDir dir;
    MessageBoxRecorder boxes;
    std::unique_ptr<TestLabelApp> app;
    CMainFrame* frame = nullptr;
};

// Writes a label definition of family into folder\name.
inline bool WriteLabelDefinition(const char* folder, const char* name, const char* family)
{
    CLabelFileNew stock;
    stock.SetFamilyName(family);
    return stock.SaveToFile(CString(folder) + name);
}

inline std::string ReadWholeFile(const char* path)
{
    std::string bytes;
    HANDLE file = ::CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return bytes;
    char buffer[4096];
    DWORD read = 0;
    while (::ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0)
        bytes.append(buffer, read);
    ::CloseHandle(file);
    return bytes;
}

inline bool WriteWholeFile(const char* path, const std::string& bytes)
{
    HANDLE file = ::CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    BOOL ok = ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    ::CloseHandle(file);
    return ok && written == bytes.size();
}
