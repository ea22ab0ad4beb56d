// The application object's life, its message loop and the program's entry; app.h lists the
// object's other parts and the files that hold them.
#include "framework/app.h"

#include "framework/doctempl.h"
#include "framework/frame.h"
#include "framework/guard.h"
#include "framework/menu.h"
#include "framework/msgbox.h"
#include "framework/shelldde.h"
#include "framework/stdids.h"
#include "framework/wnd.h"

namespace {
CWinApp* g_app = nullptr;
MSG g_lastMsg = {};
CPoint g_lastMouse(-1, -1);
} // namespace

CWinApp* AfxGetApp()
{
    return g_app;
}

CWnd* AfxGetMainWnd()
{
    return g_app ? g_app->m_pMainWnd : nullptr;
}

HINSTANCE AfxGetInstanceHandle()
{
    return g_app && g_app->m_hInstance ? g_app->m_hInstance : ::GetModuleHandleA(nullptr);
}

BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
    ON_COMMAND(ID_FILE_NEW, OnFileNew)
    ON_COMMAND(ID_FILE_OPEN, OnFileOpen)
    ON_COMMAND_EX_RANGE(ID_FILE_MRU_FILE1, ID_FILE_MRU_FILE16, OnOpenRecentFile)
    ON_COMMAND(ID_APP_EXIT, OnAppExit)
    ON_COMMAND(ID_FILE_PRINT_SETUP, OnFilePrintSetup)
END_MESSAGE_MAP()

CWinApp::CWinApp(const char* appName) : m_strAppName(appName ? CString(appName) : ProgramTitle())
{
    m_hInstance = ::GetModuleHandleA(nullptr);
    m_previousApp = g_app;
    g_app = this;
}

CWinApp::~CWinApp()
{
    // The shell must not reach a program that is going away.
    m_shellDde.reset();
    CloseAllDocuments(TRUE);
    m_templates.clear();
    delete m_pRecentFileList;
    FreePrinterHandles();
    if (g_app == this)
        g_app = m_previousApp;
}

// ---- the loop

int CWinApp::ExitInstance()
{
    if (m_pRecentFileList != nullptr && !m_strRegistryKey.IsEmpty())
        m_pRecentFileList->WriteList(this);
    return static_cast<int>(g_lastMsg.message == WM_QUIT ? g_lastMsg.wParam : 0);
}

int CWinApp::Run()
{
    bool idle = true;
    LONG count = 0;
    for (;;) {
        MSG peek;
        while (idle && !::PeekMessageA(&peek, nullptr, 0, 0, PM_NOREMOVE)) {
            if (!OnIdle(count++))
                idle = false;
        }
        do {
            if (!PumpMessage())
                return ExitInstance();
            if (IsIdleMessage(&g_lastMsg)) {
                idle = true;
                count = 0;
            }
        } while (::PeekMessageA(&peek, nullptr, 0, 0, PM_NOREMOVE));
    }
}

BOOL CWinApp::PumpMessage()
{
    MSG msg;
    BOOL got = ::GetMessageA(&msg, nullptr, 0, 0);
    g_lastMsg = msg;
    if (got <= 0) {
        g_lastMsg.message = WM_QUIT;
        return FALSE;
    }
    if (!PreTranslateMessage(&msg)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    return TRUE;
}

BOOL CWinApp::IsIdleMessage(MSG* msg)
{
    if (msg->message == WM_MOUSEMOVE || msg->message == WM_NCMOUSEMOVE) {
        CPoint pt(msg->pt);
        if (pt == g_lastMouse)
            return FALSE;
        g_lastMouse = pt;
        return TRUE;
    }
    // WM_PAINT and the caret's system timer (0x0118) come by themselves and would keep the idle
    // updates spinning; ordinary WM_TIMER messages do count.
    return msg->message != WM_PAINT && msg->message != 0x0118;
}

BOOL CWinApp::PreTranslateMessage(MSG* msg)
{
    HWND mainWnd = m_pMainWnd ? m_pMainWnd->m_hWnd : nullptr;
    if (CWnd::WalkPreTranslateTree(mainWnd, msg))
        return TRUE;
    // Keys in a modeless window outside the main frame still reach its accelerators.
    if (mainWnd != nullptr && msg->hwnd != mainWnd && !::IsChild(mainWnd, msg->hwnd) &&
        msg->message >= WM_KEYFIRST && msg->message <= WM_KEYLAST)
        return m_pMainWnd->PreTranslateMessage(msg);
    return FALSE;
}

BOOL CWinApp::OnIdle(LONG count)
{
    if (count <= 0) {
        CFrameWnd* frame = dynamic_cast<CFrameWnd*>(m_pMainWnd);
        if (frame != nullptr && frame->m_hWnd != nullptr && frame->IsWindowVisible())
            frame->OnIdleUpdateCmdUI();
        return TRUE;
    }
    CWnd::DeleteTempMap();
    CMenu::DeleteTempMap();
    return FALSE;
}

void CWinApp::OnAppExit()
{
    if (m_pMainWnd != nullptr && m_pMainWnd->m_hWnd != nullptr)
        m_pMainWnd->SendMessage(WM_CLOSE);
}

int AfxWinMain(HINSTANCE instance, HINSTANCE, LPSTR cmdLine, int cmdShow)
{
    CWinApp* app = AfxGetApp();
    if (app == nullptr)
        return -1;
    app->m_hInstance = instance;
    app->m_nCmdShow = cmdShow;
    app->m_strCmdLine = cmdLine;
    int result = 0;
    GuardedCall([&] {
        if (!app->InitInstance()) {
            if (app->m_pMainWnd != nullptr && app->m_pMainWnd->m_hWnd != nullptr)
                app->m_pMainWnd->DestroyWindow();
            result = app->ExitInstance();
            return;
        }
        result = app->Run();
    });
    return result;
}
