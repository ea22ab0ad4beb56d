#include "ui/labelapp.h"
#include "ui/imagebrowser.h"

#include "framework/doctempl.h"
#include "framework/frame.h"
#include "framework/msgbox.h"
#include "framework/shellopen.h"
#include "labelmodel/labelstock.h"
#include "ui/aboutdlg.h"
#include "ui/labeldialogrunners.h"
#include "ui/labelimagepreview.h"
#include "ui/mainframe.h"
#include "ui/mainview.h"
#include "document/labeldoc.h"
#include "ui/resourceids.h"

#include <commctrl.h>
#include <ole2.h>
#include <shlobj.h>
#include <winsock2.h>
#include <clocale>
#include <cstring>
#include <string>
#include <unordered_set>

namespace {
const char kCompany[] = "QUENDRIC";
const char kProgramFolder[] = "KORVELTA-PRINT V10.0";
const char kVersionSuffix[] = " V10.0";

CString ShellFolder(int csidl)
{
    LPITEMIDLIST list = nullptr;
    if (FAILED(::SHGetFolderLocation(nullptr, csidl, nullptr, 0, &list)) || list == nullptr)
        return CString();
    char path[MAX_PATH] = {};
    BOOL ok = ::SHGetPathFromIDListA(list, path);
    ::CoTaskMemFree(list);
    return ok ? CString(path) : CString();
}

// The product's name for folders: string 57344, which the program never changes.
CString ProductName()
{
    CString name;
    if (!name.LoadString(IDS_APP_TITLE) || name.IsEmpty())
        name = AfxGetAppName();
    return name;
}
} // namespace

BEGIN_MESSAGE_MAP(COstrelindSoftLabelApp, CWinApp)
    ON_COMMAND(ID_APP_ABOUT, OnAppAbout)
    ON_COMMAND(ID_HELP, OnHelp)
END_MESSAGE_MAP()

COstrelindSoftLabelApp::COstrelindSoftLabelApp(const char* profileName) : CWinApp(profileName)
{
    // Every "%g" the process formats or parses follows the user's decimal separator.
    setlocale(LC_NUMERIC, "");
}

COstrelindSoftLabelApp::~COstrelindSoftLabelApp()
{
    CloseSplash();
    // Documents and templates go before OLE and the sockets they may use.
    CloseAllDocuments(TRUE);
    if (m_bOleStarted)
        ::OleUninitialize();
    if (m_bSocketsStarted)
        ::WSACleanup();
}

BOOL COstrelindSoftLabelApp::InitInstance()
{
    InitControls();
    CLabelImagePreview::RegisterWindowClass();
    RegisterImageWindowClasses();   // the link-image dialog's browser and slots
    if (!InitSockets()) {
        AfxMessageBox(IDS_SOCKETS_INIT_FAILED);
        return FALSE;
    }
    if (!InitOle()) {
        AfxMessageBox(IDS_OLE_INIT_FAILED);
        return FALSE;
    }
    // Hosting ActiveX controls needs nothing more than OLE here.
    InitFolders();
    InitProfile();
    InitManagers();
    RegisterDocTemplate();
    if (!CreateMainFrame())
        return FALSE;
    RegisterShell();
    if (!ProcessCommandLine())
        return FALSE;
    ShowMainWindow();
    if (m_bShowSplash)
        ShowSplash();
    CopyDefaultFiles();
    LoadLabelLibrary();
    FillFamilyCombo();
    if (m_pSplash != nullptr && m_dwSplashWait > 0)
        ::Sleep(m_dwSplashWait);
    CloseSplash();
    return TRUE;
}

// ---- start-up steps

void COstrelindSoftLabelApp::InitControls()
{
    INITCOMMONCONTROLSEX controls = { sizeof controls, 0xFF };
    ::InitCommonControlsEx(&controls);
    CWinApp::InitInstance();
}

BOOL COstrelindSoftLabelApp::InitSockets()
{
    if (m_bSocketsStarted)
        return TRUE;
    WSADATA data;
    m_bSocketsStarted = ::WSAStartup(MAKEWORD(2, 2), &data) == 0;
    return m_bSocketsStarted;
}

BOOL COstrelindSoftLabelApp::InitOle()
{
    if (m_bOleStarted)
        return TRUE;
    m_bOleStarted = SUCCEEDED(::OleInitialize(nullptr));
    return m_bOleStarted;
}

void COstrelindSoftLabelApp::InitFolders()
{
    m_commonBase = m_bBasesGiven ? m_commonOverride : ShellFolder(CSIDL_COMMON_APPDATA);
    if (!m_commonBase.IsEmpty())
        CreateProgramFolder(m_commonBase);
    m_userBase = m_bBasesGiven ? m_userOverride : ShellFolder(CSIDL_APPDATA);
    if (!m_userBase.IsEmpty())
        CreateProgramFolder(m_userBase);
}

void COstrelindSoftLabelApp::InitProfile()
{
    SetRegistryKey(kCompany);
    LoadStdProfileSettings(10);
}

void COstrelindSoftLabelApp::InitManagers()
{
    // Keyboard and tooltip managers have no counterpart here: accelerators come from the frame's
    // table and the ribbon shows the command prompts as tooltips itself. The context menus are
    // kept by name for the views.
    PreLoadState();
    InstallLabelDialogRunners();
}

void COstrelindSoftLabelApp::PreLoadState()
{
    static const struct {
        UINT nameId;
        UINT menuId;
    } menus[] = {
        { IDS_CONTEXT_EDIT, IDR_CONTEXT_EDIT },       { IDS_CONTEXT_EXPLORER, IDR_CONTEXT_EXPLORER },
        { IDS_CONTEXT_DESIGN, IDR_CONTEXT_DESIGN },   { IDS_CONTEXT_TABLE, IDR_CONTEXT_TABLE },
        { IDS_CONTEXT_PREVIEW, IDR_CONTEXT_PREVIEW },
    };
    m_contextMenus.clear();
    for (const auto& menu : menus) {
        CString name;
        name.LoadString(menu.nameId);
        m_contextMenus.push_back({ name, menu.menuId });
    }
}

UINT COstrelindSoftLabelApp::FindContextMenu(const char* name) const
{
    for (const auto& menu : m_contextMenus)
        if (menu.name == name)
            return menu.menuId;
    return 0;
}

void COstrelindSoftLabelApp::RegisterDocTemplate()
{
    AddDocTemplate(new CMultiDocTemplate(IDR_PROJECTTYPE, CreateNew<COstrelindSoftLabelDoc>, CreateNew<CChildFrame>,
                                         CreateNew<COstrelindSoftMainView>));
}

BOOL COstrelindSoftLabelApp::CreateMainFrame()
{
    CMainFrame* frame = new CMainFrame;
    bool gone = false;
    frame->m_pGoneFlag = &gone;
    if (!frame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE)) {
        // A window that got as far as its creation deletes its object when it is destroyed;
        // one that never existed is deleted here, so the frame goes exactly once.
        if (!gone)
            delete frame;
        return FALSE;
    }
    frame->m_pGoneFlag = nullptr;
    m_pMainWnd = frame;
    return TRUE;
}

void COstrelindSoftLabelApp::RegisterShell()
{
    m_pMainWnd->DragAcceptFiles(TRUE);
    // The shell hands files to the running program (DDE) rather than starting another one.
    EnableShellOpen();
    RegisterShellFileTypes(TRUE, m_strShellRoot.IsEmpty() ? nullptr : m_strShellRoot.GetString(), m_hShellView);
}

BOOL COstrelindSoftLabelApp::ProcessCommandLine()
{
    CCommandLineInfo info;
    ParseCommandLine(info);
    return ProcessShellCommand(info);
}

void COstrelindSoftLabelApp::ShowMainWindow()
{
    m_pMainWnd->ShowWindow(CMainFrame::AdjustShowCommand(m_nCmdShow));
    m_pMainWnd->UpdateWindow();
}

void COstrelindSoftLabelApp::ShowSplash()
{
    CloseSplash();
    m_pSplash = new CAboutDlg(true);
    if (!m_pSplash->Create(IDD_ABOUTBOX, m_pMainWnd)) {
        delete m_pSplash;
        m_pSplash = nullptr;
        return;
    }
    m_pSplash->ShowWindow(SW_SHOW);
    m_pSplash->CenterOver(m_pMainWnd);
    m_pSplash->UpdateWindow();
}

void COstrelindSoftLabelApp::CloseSplash()
{
    if (m_pSplash == nullptr)
        return;
    // Destroyed, not just minimised: nothing of the splash stays behind on the desktop.
    if (m_pSplash->m_hWnd != nullptr)
        m_pSplash->DestroyWindow();
    delete m_pSplash;
    m_pSplash = nullptr;
}

// ---- folders

void COstrelindSoftLabelApp::SetBaseFolders(const char* common, const char* user)
{
    m_commonOverride = common ? common : "";
    m_userOverride = user ? user : "";
    m_bBasesGiven = true;
}

void COstrelindSoftLabelApp::CreateProgramFolder(const char* base)
{
    CString company = CString(base) + "\\" + kCompany;
    ::CreateDirectoryA(company, nullptr);
    ::CreateDirectoryA(company + "\\" + kProgramFolder, nullptr);
}

CString COstrelindSoftLabelApp::LibraryFolder(const char* base, const char* leaf) const
{
    CString root = base ? CString(base) : m_userBase;
    return root + "\\" + kCompany + "\\" + ProductName() + kVersionSuffix + "\\" + leaf + "\\";
}

CString COstrelindSoftLabelApp::GetLabelsFolder(const char* base) const
{
    return LibraryFolder(base, "Labels");
}

CString COstrelindSoftLabelApp::GetLabelImagesFolder(const char* base) const
{
    return LibraryFolder(base, "Label images");
}

CString COstrelindSoftLabelApp::GetLabelInfoFolder(const char* base) const
{
    return LibraryFolder(base, "Label info");
}

CString COstrelindSoftLabelApp::GetClipartFolder()
{
    return ShellFolder(CSIDL_PROGRAM_FILES) + "\\" + kCompany + "\\" + kProgramFolder + "\\Clipart";
}

void COstrelindSoftLabelApp::CopyDefaultFiles()
{
    if (m_commonBase.IsEmpty() || m_userBase.IsEmpty())
        return;
    // Each side is its own string: the source and the destination never share a buffer.
    CopyFolderFiles(GetLabelsFolder(m_commonBase), GetLabelsFolder(m_userBase));
    CopyFolderFiles(GetLabelImagesFolder(m_commonBase), GetLabelImagesFolder(m_userBase));
    CopyFolderFiles(GetLabelInfoFolder(m_commonBase), GetLabelInfoFolder(m_userBase));
}

namespace {
// Names of the files a folder holds, in lower case (file names compare without regard to case).
std::unordered_set<std::string> FolderFileNames(const char* folder)
{
    std::unordered_set<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = ::FindFirstFileA(CString(folder) + "*.*", &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        CString name(found.cFileName);
        name.MakeLower();
        names.insert(name.GetString());
    } while (::FindNextFileA(search, &found));
    ::FindClose(search);
    return names;
}
} // namespace

int COstrelindSoftLabelApp::CopyFolderFiles(const char* source, const char* destination)
{
    ::CreateDirectoryA(destination, nullptr);
    WIN32_FIND_DATAA found;
    HANDLE search = ::FindFirstFileA(CString(source) + "*.*", &found);
    if (search == INVALID_HANDLE_VALUE)
        return 0;
    // At every start nearly all files are there already: one look at the destination spares a
    // failing copy per file. The copy itself still refuses to overwrite.
    std::unordered_set<std::string> present = FolderFileNames(destination);
    size_t sourceLength = std::strlen(source);
    size_t destinationLength = std::strlen(destination);
    int copied = 0;
    do {
        size_t nameLength = std::strlen(found.cFileName);
        if (nameLength <= 2 || (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            continue;
        // A path that does not fit is passed over rather than cut short.
        if (sourceLength + nameLength >= MAX_PATH || destinationLength + nameLength >= MAX_PATH)
            continue;
        CString lower(found.cFileName);
        lower.MakeLower();
        if (present.count(lower.GetString()) != 0)
            continue;
        if (::CopyFileA(CString(source) + found.cFileName, CString(destination) + found.cFileName, TRUE))
            ++copied;
    } while (::FindNextFileA(search, &found));
    ::FindClose(search);
    return copied;
}

// ---- the label library

int COstrelindSoftLabelApp::LoadLabelLibrary()
{
    CString labels = GetLabelsFolder(m_userBase);
    m_labelManager.SetFolder(labels);
    m_labelManager.SetImagesFolder(GetLabelImagesFolder(m_userBase));
    m_labelManager.SetInfoFolder(GetLabelInfoFolder(m_userBase));
    CLabelFileNew::SetLabelsFolder(labels);
    // The document's library import and picture commands start in the same folders.
    COstrelindSoftLabelDoc::SetLibraryFolders(labels, GetLabelImagesFolder(m_userBase),
                                              GetLabelInfoFolder(m_userBase), GetClipartFolder());
    // Files that cannot be read or are damaged are passed over one by one; start-up goes on.
    int count = m_labelManager.LoadLabels();
    m_labelManager.CollectFamilyNames();
    m_labelManager.SortFamilyNames();
    return count;
}

std::vector<CString> COstrelindSoftLabelApp::GetFamilyComboItems(const CLabelManager& manager)
{
    std::vector<CString> items;
    for (int i = 0; i < CLabelManager::kMaxFamilies; ++i) {
        CString name = manager.GetFamilyName(i);   // at most 255 characters
        if (name.IsEmpty())
            continue;
        bool listed = false;
        for (const CString& item : items)
            listed = listed || item.CompareNoCase(name) == 0;
        if (!listed)
            items.push_back(name);
    }
    return items;
}

int COstrelindSoftLabelApp::FillFamilyCombo()
{
    CMainFrame* frame = GetMainFrame();
    if (frame == nullptr)
        return 0;
    return frame->AddFamilyNames(GetFamilyComboItems(m_labelManager));
}

CMainFrame* COstrelindSoftLabelApp::GetMainFrame() const
{
    return dynamic_cast<CMainFrame*>(m_pMainWnd);
}

// ---- commands

void COstrelindSoftLabelApp::OnAppAbout()
{
    CAboutDlg about;
    about.DoModal();
}

void COstrelindSoftLabelApp::OnHelp()
{
    char module[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, module, MAX_PATH);
    CString helpFile(module);
    int dot = helpFile.ReverseFind('.');
    if (dot > 0)
        helpFile = helpFile.Left(dot);
    helpFile += ".chm::/html/start.htm";
    const UINT HH_DISPLAY_TOPIC_ = 0;
    AfxHtmlHelp(m_pMainWnd ? m_pMainWnd->m_hWnd : nullptr, helpFile, HH_DISPLAY_TOPIC_, 0);
}
