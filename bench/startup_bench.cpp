// Times the application's start-up with a library of 4096 label definitions in the common
// folder: to a visible main window, and to the end of start-up (library copied, loaded, family
// combo filled, splash closed). Two starts: the first copies the library into the user's folder,
// the second finds it there. Not a test: the figures depend on the machine.
#include "framework/file.h"
#include "labelmodel/labelmanager.h"
#include "ui/labelapp.h"
#include "ui/mainframe.h"

#include <shlwapi.h>
#include <windows.h>
#include <cstdio>

namespace {

const int kFiles = CLabelManager::kMaxLabels;

double Since(LARGE_INTEGER from)
{
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return double(now.QuadPart - from.QuadPart) / double(frequency.QuadPart);
}

bool WriteLibrary(const CString& folder)
{
    for (int i = 0; i < kFiles; ++i) {
        CLabelFileNew stock;
        CString family;
        family.Format("Family %d", i % 300);
        stock.SetFamilyName(family);
        stock.SetWidth(0, 20000 + (i % 50) * 1000, true);
        CString path;
        path.Format("%slabel%04d.label", folder.GetString(), i);
        if (!stock.SaveToFile(path))
            return false;
    }
    return true;
}

void RemoveTree(const char* path)
{
    char from[MAX_PATH + 2] = {};
    lstrcpynA(from, path, MAX_PATH);
    SHFILEOPSTRUCTA op = {};
    op.wFunc = FO_DELETE;
    op.pFrom = from;
    op.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
    SHFileOperationA(&op);
}

void DrainMessages()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        if (msg.message != WM_QUIT)
            DispatchMessageA(&msg);
}

// One start in the order of InitInstance, timing the visible main window on the way.
bool Start(const CString& common, const CString& user, int run)
{
    COstrelindSoftLabelApp app("KORVELTA-PRINT-bench");
    app.SetBaseFolders(common, user);
    app.m_strShellRoot = "Software\\QUENDRIC\\KORVELTA-PRINT-bench\\Classes";
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    app.InitControls();
    if (!app.InitSockets() || !app.InitOle())
        return false;
    app.InitFolders();
    app.InitProfile();
    app.InitManagers();
    app.RegisterDocTemplate();
    if (!app.CreateMainFrame())
        return false;
    app.RegisterShell();
    if (!app.ProcessCommandLine())
        return false;
    app.ShowMainWindow();
    double visible = Since(start);
    app.ShowSplash();
    double splash = Since(start);
    app.CopyDefaultFiles();
    double copied = Since(start);
    int loaded = app.LoadLabelLibrary();
    double read = Since(start);
    int families = app.FillFamilyCombo();
    double ready = Since(start);
    printf("  (splash %.3f s, copy %.3f s, load %.3f s, combo %.3f s)\n", splash - visible, copied - splash,
           read - copied, ready - read);
    Sleep(app.m_dwSplashWait);
    app.CloseSplash();
    double done = Since(start);
    printf("start %d: main window visible after %.3f s; library of %d definitions (%d families) loaded "
           "after %.3f s; start-up done with the %lu ms splash after %.3f s\n",
           run, visible, loaded, families, ready, app.m_dwSplashWait, done);
    // A ribbon repaint after a category switch (layout and painting of the new panels).
    if (auto* frame = dynamic_cast<CMainFrame*>(app.m_pMainWnd)) {
        CMFCRibbonBar& bar = frame->GetRibbonBar();
        double worst = 0, total = 0;
        int switches = 0;
        for (int round = 0; round < 3; ++round)
            for (int c = 0; c < bar.GetCategoryCount(); ++c) {
                LARGE_INTEGER from;
                QueryPerformanceCounter(&from);
                bar.SetActiveCategory(bar.GetCategory(c));
                ::RedrawWindow(bar.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
                double took = Since(from);
                worst = took > worst ? took : worst;
                total += took;
                ++switches;
            }
        printf("ribbon repaint after a category switch: %.1f ms on average, %.1f ms at most (%d switches)\n",
               1000 * total / switches, 1000 * worst, switches);
    }
    app.m_pMainWnd->SendMessage(WM_CLOSE);
    DrainMessages();
    return loaded == kFiles;
}

} // namespace

int main()
{
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    CString root;
    root.Format("%sstartup_bench_%lu", temp, GetCurrentProcessId());
    CString common = root + "\\common";
    CString user = root + "\\user";
    CreateDirectoryA(root, nullptr);
    CreateDirectoryA(common, nullptr);
    CreateDirectoryA(user, nullptr);
    COstrelindSoftLabelApp::CreateProgramFolder(common);
    CString labels = common + "\\QUENDRIC\\KORVELTA-PRINT V10.0\\Labels\\";
    CreateDirectoryA(labels, nullptr);
    if (!WriteLibrary(labels)) {
        printf("cannot write the library in %s\n", labels.GetString());
        RemoveTree(root);
        return 1;
    }
    int result = 0;
    for (int run = 1; run <= 2; ++run)
        if (!Start(common, user, run))
            result = 1;
    SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\QUENDRIC\\KORVELTA-PRINT-bench");
    RemoveTree(root);
    return result;
}
