#include "framework/app.h"

#include "framework/doc.h"
#include "framework/doctempl.h"
#include "framework/filedlg.h"
#include "framework/frame.h"
#include "framework/guard.h"
#include "framework/msgbox.h"
#include "framework/shelldde.h"
#include "framework/stdids.h"
#include "framework/view.h"
#include "framework/wnd.h"

#include <shellapi.h>
#include <shlwapi.h>
#include <algorithm>
#include <cstring>

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

CWinApp::CWinApp(const char* appName) : m_strAppName(appName ? appName : AfxGetAppName())
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

// ---- profile

void CWinApp::SetRegistryKey(const char* company)
{
    m_strRegistryKey = company ? company : "";
}

void CWinApp::SetRegistryKey(UINT stringId)
{
    CString text;
    text.LoadString(stringId);
    SetRegistryKey(text);
}

HKEY CWinApp::GetAppRegistryKey()
{
    if (m_strRegistryKey.IsEmpty() || m_strAppName.IsEmpty())
        return nullptr;
    CString path = "Software\\" + m_strRegistryKey + "\\" + m_strAppName;
    HKEY key = nullptr;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE,
                          nullptr, &key, nullptr) != ERROR_SUCCESS)
        return nullptr;
    return key;
}

HKEY CWinApp::GetSectionKey(const char* section)
{
    HKEY app = GetAppRegistryKey();
    if (app == nullptr || section == nullptr)
        return app;
    HKEY key = nullptr;
    LONG rc = ::RegCreateKeyExA(app, section, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE, nullptr,
                                &key, nullptr);
    ::RegCloseKey(app);
    return rc == ERROR_SUCCESS ? key : nullptr;
}

UINT CWinApp::GetProfileInt(const char* section, const char* entry, int defaultValue)
{
    HKEY key = GetSectionKey(section);
    if (key == nullptr)
        return static_cast<UINT>(defaultValue);
    DWORD value = 0, type = 0, size = sizeof value;
    LONG rc = ::RegQueryValueExA(key, entry, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
    ::RegCloseKey(key);
    if (rc != ERROR_SUCCESS || type != REG_DWORD || size != sizeof value)
        return static_cast<UINT>(defaultValue);
    return value;
}

BOOL CWinApp::WriteProfileInt(const char* section, const char* entry, int value)
{
    HKEY key = GetSectionKey(section);
    if (key == nullptr)
        return FALSE;
    DWORD data = static_cast<DWORD>(value);
    LONG rc = ::RegSetValueExA(key, entry, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof data);
    ::RegCloseKey(key);
    return rc == ERROR_SUCCESS;
}

CString CWinApp::GetProfileString(const char* section, const char* entry, const char* defaultValue)
{
    CString fallback(defaultValue);
    HKEY key = GetSectionKey(section);
    if (key == nullptr)
        return fallback;
    DWORD type = 0, size = 0;
    LONG rc = ::RegQueryValueExA(key, entry, nullptr, &type, nullptr, &size);
    CString value;
    if (rc == ERROR_SUCCESS && (type == REG_SZ || type == REG_EXPAND_SZ)) {
        std::vector<char> buffer(size + 1, '\0');
        rc = ::RegQueryValueExA(key, entry, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &size);
        if (rc == ERROR_SUCCESS)
            value = buffer.data();   // the stored text may or may not carry its NUL
    } else {
        rc = ERROR_FILE_NOT_FOUND;
    }
    ::RegCloseKey(key);
    return rc == ERROR_SUCCESS ? value : fallback;
}

BOOL CWinApp::WriteProfileString(const char* section, const char* entry, const char* value)
{
    if (entry == nullptr) {
        HKEY app = GetAppRegistryKey();
        if (app == nullptr)
            return FALSE;
        LONG rc = ::SHDeleteKeyA(app, section);
        ::RegCloseKey(app);
        return rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND;
    }
    HKEY key = GetSectionKey(section);
    if (key == nullptr)
        return FALSE;
    LONG rc;
    if (value == nullptr) {
        rc = ::RegDeleteValueA(key, entry);
        if (rc == ERROR_FILE_NOT_FOUND)
            rc = ERROR_SUCCESS;
    } else {
        rc = ::RegSetValueExA(key, entry, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                              static_cast<DWORD>(std::strlen(value) + 1));
    }
    ::RegCloseKey(key);
    return rc == ERROR_SUCCESS;
}

BOOL CWinApp::GetProfileBinary(const char* section, const char* entry, std::vector<BYTE>& data)
{
    data.clear();
    HKEY key = GetSectionKey(section);
    if (key == nullptr)
        return FALSE;
    DWORD type = 0, size = 0;
    LONG rc = ::RegQueryValueExA(key, entry, nullptr, &type, nullptr, &size);
    if (rc == ERROR_SUCCESS && type == REG_BINARY) {
        std::vector<BYTE> buffer(size);
        rc = ::RegQueryValueExA(key, entry, nullptr, &type, buffer.empty() ? nullptr : buffer.data(), &size);
        if (rc == ERROR_SUCCESS) {
            buffer.resize(size);
            data.swap(buffer);
        }
    } else {
        rc = ERROR_FILE_NOT_FOUND;
    }
    ::RegCloseKey(key);
    return rc == ERROR_SUCCESS;
}

BOOL CWinApp::GetProfileBinary(const char* section, const char* entry, BYTE** data, UINT* bytes)
{
    *data = nullptr;
    *bytes = 0;
    std::vector<BYTE> buffer;
    if (!GetProfileBinary(section, entry, buffer))
        return FALSE;
    *data = new BYTE[buffer.size() ? buffer.size() : 1];
    std::copy(buffer.begin(), buffer.end(), *data);
    *bytes = static_cast<UINT>(buffer.size());
    return TRUE;
}

BOOL CWinApp::WriteProfileBinary(const char* section, const char* entry, const void* data, UINT bytes)
{
    HKEY key = GetSectionKey(section);
    if (key == nullptr)
        return FALSE;
    LONG rc = ::RegSetValueExA(key, entry, 0, REG_BINARY, static_cast<const BYTE*>(data), bytes);
    ::RegCloseKey(key);
    return rc == ERROR_SUCCESS;
}

// ---- recent files

void CWinApp::LoadStdProfileSettings(UINT maxRecent)
{
    delete m_pRecentFileList;
    m_pRecentFileList = nullptr;
    if (maxRecent == 0)
        return;
    if (maxRecent > 16)
        maxRecent = 16;
    m_pRecentFileList = new CRecentFileList(ID_FILE_MRU_FILE1, "Recent File List", "File%d", static_cast<int>(maxRecent));
    m_pRecentFileList->ReadList(this);
}

void CWinApp::AddToRecentFileList(const char* path)
{
    if (m_pRecentFileList != nullptr)
        m_pRecentFileList->Add(path);
}

BOOL CWinApp::OnOpenRecentFile(UINT id)
{
    if (m_pRecentFileList == nullptr)
        return FALSE;
    int index = static_cast<int>(id) - static_cast<int>(m_pRecentFileList->m_nStart);
    if (index < 0 || index >= m_pRecentFileList->GetCount())
        return FALSE;
    CString path = (*m_pRecentFileList)[index];
    if (OpenDocumentFile(path) == nullptr)
        m_pRecentFileList->Remove(index);   // gone or unreadable: do not offer it again
    return TRUE;
}

// ---- documents

void CWinApp::AddDocTemplate(CDocTemplate* tmpl)
{
    if (tmpl != nullptr)
        m_templates.emplace_back(tmpl);
}

int CWinApp::GetOpenDocumentCount() const
{
    int count = 0;
    for (const auto& tmpl : m_templates)
        count += static_cast<int>(tmpl->GetDocuments().size());
    return count;
}

CDocument* CWinApp::OpenDocumentFile(const char* path)
{
    CDocTemplate* best = nullptr;
    CDocTemplate::Confidence bestMatch = CDocTemplate::noAttempt;
    CDocument* open = nullptr;
    for (const auto& tmpl : m_templates) {
        CDocument* match = nullptr;
        CDocTemplate::Confidence c = tmpl->MatchDocType(path, match);
        if (c > bestMatch) {
            bestMatch = c;
            best = tmpl.get();
            open = match;
        }
        if (c == CDocTemplate::yesAlreadyOpen)
            break;
    }
    if (bestMatch == CDocTemplate::yesAlreadyOpen && open != nullptr) {
        // Already open: show its window instead of reading it twice.
        for (CView* view : open->GetViews()) {
            if (view->m_hWnd == nullptr)
                continue;
            if (CFrameWnd* frame = view->GetParentFrame()) {
                frame->ActivateFrame();
                break;
            }
        }
        return open;
    }
    if (best == nullptr)
        return nullptr;
    return best->OpenDocumentFile(path);
}

BOOL CWinApp::DoPromptFileName(CString& fileName, UINT titleId, DWORD flags, BOOL openFileDialog,
                               CDocTemplate* tmpl)
{
    CString filter;
    CString defaultExt;
    for (const auto& t : m_templates) {
        if (tmpl != nullptr && t.get() != tmpl)
            continue;
        CString name, ext;
        if (t->GetDocString(name, CDocTemplate::filterName) && t->GetDocString(ext, CDocTemplate::filterExt) &&
            !name.IsEmpty() && !ext.IsEmpty()) {
            filter += name + "|*" + ext + "|";
            if (defaultExt.IsEmpty())
                defaultExt = ext;
        }
    }
    filter += "All Files (*.*)|*.*||";
    CString title;
    if (!title.LoadString(titleId))
        title = titleId == AFX_IDS_OPENFILE ? "Open" : titleId == AFX_IDS_SAVEFILECOPY ? "Save Copy As" : "Save As";
    CFileDialog dialog(openFileDialog, openFileDialog ? nullptr : defaultExt.GetString(), fileName, flags, filter,
                       m_pMainWnd);
    dialog.SetTitle(title);
    if (dialog.DoModal() != IDOK)
        return FALSE;
    fileName = dialog.GetPathName();
    return TRUE;
}

BOOL CWinApp::SaveAllModified()
{
    for (const auto& tmpl : m_templates)
        if (!tmpl->SaveAllModified())
            return FALSE;
    return TRUE;
}

void CWinApp::CloseAllDocuments(BOOL endSession)
{
    for (const auto& tmpl : m_templates)
        tmpl->CloseAllDocuments(endSession);
}

void CWinApp::OnFileNew()
{
    if (!m_templates.empty())
        m_templates.front()->OpenDocumentFile(nullptr);
}

void CWinApp::OnFileOpen()
{
    CString name;
    if (!DoPromptFileName(name, AFX_IDS_OPENFILE, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, TRUE, nullptr))
        return;
    OpenDocumentFile(name);
}

void CWinApp::OnAppExit()
{
    if (m_pMainWnd != nullptr && m_pMainWnd->m_hWnd != nullptr)
        m_pMainWnd->SendMessage(WM_CLOSE);
}

// ---- command line and shell

void CWinApp::ParseCommandLine(CCommandLineInfo& info)
{
    ParseCommandLineInto(info, m_strCmdLine);
}

BOOL CWinApp::ProcessShellCommand(CCommandLineInfo& info)
{
    switch (info.m_nShellCommand) {
    case CCommandLineInfo::FileNew:
        if (!OnCmdMsg(ID_FILE_NEW, CN_COMMAND, nullptr, nullptr))
            OnFileNew();
        return m_pMainWnd != nullptr || !m_templates.empty();
    case CCommandLineInfo::FileOpen:
        return OpenDocumentFile(info.m_strFileName) != nullptr;
    case CCommandLineInfo::FilePrint:
    case CCommandLineInfo::FilePrintTo: {
        // Print and leave. Such a run answers no shell requests: a print request of the shell
        // arriving while it prints would print the file a second time.
        DisableShellOpen();
        m_nCmdShow = SW_HIDE;
        CDocument* doc = OpenDocumentFile(info.m_strFileName);
        if (doc != nullptr && m_pMainWnd != nullptr && m_pMainWnd->m_hWnd != nullptr) {
            m_pCmdInfo = &info;
            m_pMainWnd->SendMessage(WM_COMMAND, ID_FILE_PRINT_DIRECT);
            m_pCmdInfo = nullptr;
        }
        return FALSE;
    }
    case CCommandLineInfo::AppUnregister:
        return FALSE;
    default:
        return TRUE;
    }
}

// ---- the shell's requests while the program runs

BOOL CWinApp::EnableShellOpen()
{
    if (m_shellDde == nullptr)
        m_shellDde.reset(new CShellDdeServer);
    if (m_shellDde->IsRunning())
        return TRUE;
    return m_shellDde->Start(m_strAppName, [this](const char* commands) { return OnDDECommand(commands); });
}

void CWinApp::DisableShellOpen()
{
    if (m_shellDde != nullptr)
        m_shellDde->Stop();
}

BOOL CWinApp::IsShellOpenEnabled() const
{
    return m_shellDde != nullptr && m_shellDde->IsRunning();
}

namespace {
// The arguments a command takes: [open(path)], [print(path)], [printto(path, printer[, driver[,
// port]])]; -1 for a command the program does not know.
int ShellCommandKind(const CShellDdeCommand& command)
{
    const size_t args = command.args.size();
    if (command.name.CompareNoCase("open") == 0 && args == 1)
        return 0;
    if (command.name.CompareNoCase("print") == 0 && args == 1)
        return 1;
    if (command.name.CompareNoCase("printto") == 0 && args >= 2 && args <= 4)
        return 2;
    return -1;
}
} // namespace

UINT CWinApp::OnDDECommand(const char* text)
{
    std::vector<CShellDdeCommand> commands;
    if (!ParseShellDdeCommands(text, commands))
        return DDE_FNOTPROCESSED;
    // Nothing is done unless every command is known and names a file.
    for (const CShellDdeCommand& command : commands)
        if (ShellCommandKind(command) < 0 || command.args[0].IsEmpty())
            return DDE_FNOTPROCESSED;
    // A modal dialog or message box holds the program: opening a window under it would let the
    // user reach documents the dialog works on. The shell may ask again.
    if (m_pMainWnd != nullptr && m_pMainWnd->m_hWnd != nullptr && !m_pMainWnd->IsWindowEnabled())
        return DDE_FBUSY;
    bool done = true;
    for (const CShellDdeCommand& command : commands) {
        if (ShellCommandKind(command) == 0)
            done = OpenForShell(command.args[0]) && done;
        else
            done = PrintForShell(command) && done;
    }
    return done ? DDE_FACK : DDE_FNOTPROCESSED;
}

bool CWinApp::OpenForShell(const CString& path)
{
    // A minimised program shows the file it was asked to open.
    if (m_pMainWnd != nullptr && m_pMainWnd->m_hWnd != nullptr && m_pMainWnd->IsIconic())
        m_pMainWnd->ShowWindow(SW_RESTORE);
    return OpenDocumentFile(path) != nullptr;
}

bool CWinApp::PrintForShell(const CShellDdeCommand& command)
{
    CCommandLineInfo info;
    info.m_nShellCommand = ShellCommandKind(command) == 2 ? CCommandLineInfo::FilePrintTo : CCommandLineInfo::FilePrint;
    info.m_strFileName = command.args[0];
    if (command.args.size() > 1)
        info.m_strPrinterName = command.args[1];
    if (command.args.size() > 2)
        info.m_strDriverName = command.args[2];
    if (command.args.size() > 3)
        info.m_strPortName = command.args[3];
    // A document the user has open stays open; one opened only to be printed closes again.
    bool wasOpen = false;
    for (const auto& tmpl : m_templates) {
        CDocument* match = nullptr;
        if (tmpl->MatchDocType(info.m_strFileName, match) == CDocTemplate::yesAlreadyOpen)
            wasOpen = true;
    }
    CDocument* doc = OpenDocumentFile(info.m_strFileName);
    if (doc == nullptr)
        return false;
    CWnd* target = m_pMainWnd;
    for (CView* view : doc->GetViews()) {
        if (view->m_hWnd == nullptr)
            continue;
        if (CFrameWnd* frame = view->GetParentFrame()) {
            target = frame;
            break;
        }
    }
    if (target != nullptr && target->m_hWnd != nullptr) {
        m_pCmdInfo = &info;
        target->SendMessage(WM_COMMAND, ID_FILE_PRINT_DIRECT);
        m_pCmdInfo = nullptr;
    }
    if (!wasOpen)
        doc->OnCloseDocument();
    return target != nullptr;
}

// ---- registration of the file types

namespace {
bool SetKeyText(HKEY root, const CString& path, const char* value)
{
    HKEY key = nullptr;
    if (::RegCreateKeyExA(root, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return false;
    LONG rc = ::RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                               static_cast<DWORD>(std::strlen(value) + 1));
    ::RegCloseKey(key);
    return rc == ERROR_SUCCESS;
}

// The key's default text; false when the key or its text is missing.
bool GetKeyText(HKEY root, const CString& path, CString& value)
{
    HKEY key = nullptr;
    if (::RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    DWORD type = 0, size = 0;
    LONG rc = ::RegQueryValueExA(key, nullptr, nullptr, &type, nullptr, &size);
    if (rc == ERROR_SUCCESS && (type == REG_SZ || type == REG_EXPAND_SZ)) {
        std::vector<char> buffer(size + 1, '\0');
        rc = ::RegQueryValueExA(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &size);
        value = buffer.data();
    } else {
        rc = ERROR_FILE_NOT_FOUND;
    }
    ::RegCloseKey(key);
    return rc == ERROR_SUCCESS;
}

bool KeyExists(HKEY root, const CString& path)
{
    HKEY key = nullptr;
    if (::RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    ::RegCloseKey(key);
    return true;
}

// One key of a file type below a classes root: its default text, or a key that must be gone.
struct ClassKey {
    CString path;
    CString value;
    bool remove;
};

void WriteClassKeys(HKEY root, const CString& prefix, const std::vector<ClassKey>& keys)
{
    for (const ClassKey& k : keys) {
        if (k.remove)
            ::SHDeleteKeyA(root, prefix + k.path);
        else
            SetKeyText(root, prefix + k.path, k.value);
    }
}

bool ClassKeysVisible(HKEY root, const std::vector<ClassKey>& keys)
{
    for (const ClassKey& k : keys) {
        if (k.remove) {
            if (KeyExists(root, k.path))
                return false;
            continue;
        }
        CString value;
        if (!GetKeyText(root, k.path, value) || value != k.value)
            return false;
    }
    return true;
}
} // namespace

void CWinApp::RegisterShellFileTypes(BOOL compat, const char* root, HKEY shellView)
{
    CString base = root ? root : "Software\\Classes";
    if (shellView == nullptr && root == nullptr)
        shellView = HKEY_CLASSES_ROOT;
    char module[MAX_PATH] = {};
    ::GetModuleFileNameA(m_hInstance, module, MAX_PATH);
    CString exe = CString("\"") + module + "\"";
    const bool dde = IsShellOpenEnabled() != FALSE;
    std::vector<ClassKey> keys;
    for (const auto& tmpl : m_templates) {
        CString progId, typeName, ext;
        if (!tmpl->GetDocString(progId, CDocTemplate::regFileTypeId) || progId.IsEmpty())
            continue;
        tmpl->GetDocString(typeName, CDocTemplate::regFileTypeName);
        tmpl->GetDocString(ext, CDocTemplate::filterExt);
        keys.push_back({progId, typeName, false});
        keys.push_back({progId + "\\DefaultIcon", CString(module) + ",1", false});
        // Each verb's command starts the program with the file; with shell open, the shell first
        // asks a running program through DDE and starts it only when none answers.
        auto verb = [&](const char* name, const CString& command, const char* ddeexec) {
            const CString key = progId + "\\shell\\" + name;
            keys.push_back({key + "\\command", command, false});
            if (dde) {
                keys.push_back({key + "\\ddeexec", ddeexec, false});
                keys.push_back({key + "\\ddeexec\\application", m_strAppName, false});
                keys.push_back({key + "\\ddeexec\\topic", CShellDdeServer::kTopic, false});
            } else {
                // Left from a run that answered DDE: the shell would wait for an answer in vain.
                keys.push_back({key + "\\ddeexec", CString(), true});
            }
        };
        verb("open", exe + " \"%1\"", "[open(\"%1\")]");
        if (compat) {
            verb("print", exe + " /p \"%1\"", "[print(\"%1\")]");
            verb("printto", exe + " /pt \"%1\" \"%2\" \"%3\" \"%4\"", "[printto(\"%1\",\"%2\",\"%3\",\"%4\")]");
        }
        // The extension last: it never names a type whose keys are not there yet.
        if (!ext.IsEmpty() && ext[0] == '.')
            keys.push_back({ext, progId, false});
    }
    WriteClassKeys(HKEY_CURRENT_USER, base + "\\", keys);
    // Windows shows the user's classes through HKEY_CLASSES_ROOT; Wine 8 does not, and there the
    // shell would not know the type at all. Machine-wide classes may be refused (no rights): the
    // per-user keys stay, and nothing else is to be done.
    if (shellView != nullptr && !ClassKeysVisible(shellView, keys))
        WriteClassKeys(shellView, CString(), keys);
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
