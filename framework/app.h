#pragma once
// CWinApp: the one application object. Runs InitInstance, the message loop (idle-time updates,
// PreTranslateMessage up the window chain, accelerators, modeless dialogs), keeps the document
// templates (owned) and the recent file list (owned), and reads and writes the profile under
// HKCU\Software\<registry key>\<application name>\<section>. Its declarations are grouped by
// the file that defines them.
#include "framework/cmdline.h"
#include "framework/cmdtarget.h"
#include "framework/cstring.h"
#include "framework/recentfiles.h"
#include <windows.h>
#include <commdlg.h>
#include <memory>
#include <vector>

class CDC;
class CDocTemplate;
class CShellDdeServer;
struct CShellDdeCommand;
class CDocument;
class CPrintDialog;
class CWnd;

class CWinApp : public CCmdTarget {
public:
    // ---- life, the message loop and the program's entry (app.cpp) ----
    // appName: the profile's application name and the caption of message boxes; null takes
    // ProgramTitle(). The newest object alive is the one AfxGetApp() answers.
    explicit CWinApp(const char* appName = nullptr);
    ~CWinApp() override;

    CString m_strAppName;
    CWnd* m_pMainWnd = nullptr;
    HINSTANCE m_hInstance = nullptr;
    int m_nCmdShow = SW_SHOWNORMAL;

    virtual BOOL InitInstance() { return TRUE; }
    virtual int ExitInstance();        // saves the recent file list; returns the exit code
    virtual int Run();                 // the loop until WM_QUIT; then ExitInstance
    // Idle-time work: count 0 updates the main frame's bars and elements; 1 drops temporary
    // wrappers. TRUE asks for another call before waiting for messages.
    virtual BOOL OnIdle(LONG count);
    virtual BOOL PreTranslateMessage(MSG* msg);
    BOOL PumpMessage();                // one GetMessage + translate + dispatch; FALSE on WM_QUIT
    // Messages after which idle processing starts again (not WM_PAINT, the caret timer or a
    // mouse move that did not move).
    virtual BOOL IsIdleMessage(MSG* msg);
    CWnd* GetMainWnd() const { return m_pMainWnd; }
    void OnAppExit();                  // ID_APP_EXIT: closes the main window

    // ---- the profile, settings in the registry (app_profile.cpp) ----
    CString m_strRegistryKey;          // empty until SetRegistryKey
    void SetRegistryKey(const char* company);
    void SetRegistryKey(UINT stringId);
    // HKCU\Software\<key>\<app>[\<section>], created when missing; the caller closes it.
    HKEY GetAppRegistryKey();
    HKEY GetSectionKey(const char* section);
    UINT GetProfileInt(const char* section, const char* entry, int defaultValue);
    BOOL WriteProfileInt(const char* section, const char* entry, int value);
    CString GetProfileString(const char* section, const char* entry, const char* defaultValue = nullptr);
    // A null entry deletes the whole section; a null value deletes the entry.
    BOOL WriteProfileString(const char* section, const char* entry, const char* value);
    // data receives a new[] block the caller deletes; FALSE (and null, 0) when missing.
    BOOL GetProfileBinary(const char* section, const char* entry, BYTE** data, UINT* bytes);
    BOOL GetProfileBinary(const char* section, const char* entry, std::vector<BYTE>& data);
    BOOL WriteProfileBinary(const char* section, const char* entry, const void* data, UINT bytes);

    // ---- the recent file list and its commands (app_recentfiles.cpp) ----
    void LoadStdProfileSettings(UINT maxRecent = 4);
    virtual void AddToRecentFileList(const char* path);
    BOOL OnOpenRecentFile(UINT id);
    CRecentFileList* m_pRecentFileList = nullptr;   // owned; null until LoadStdProfileSettings

    // ---- documents: the templates, which one reads a file, New and Open (app_documents.cpp) ----
    void AddDocTemplate(CDocTemplate* tmpl);          // takes ownership
    int GetDocTemplateCount() const { return static_cast<int>(m_templates.size()); }
    CDocTemplate* GetDocTemplate(int index) const { return m_templates.at(index).get(); }
    virtual CDocument* OpenDocumentFile(const char* path);
    virtual BOOL DoPromptFileName(CString& fileName, UINT titleId, DWORD flags, BOOL openFileDialog,
                                  CDocTemplate* tmpl);
    BOOL SaveAllModified();                           // FALSE when the user cancelled
    void CloseAllDocuments(BOOL endSession);
    int GetOpenDocumentCount() const;
    void OnFileNew();
    void OnFileOpen();

    // ---- the command line (app_commandline.cpp) ----
    CString m_strCmdLine;              // the arguments only
    CCommandLineInfo* m_pCmdInfo = nullptr;   // set while a /p or /pt print runs
    void ParseCommandLine(CCommandLineInfo& info);
    BOOL ProcessShellCommand(CCommandLineInfo& info);

    // ---- the shell's DDE requests while the program runs (app_shelldde.cpp) ----
    // Starts the DDE service the shell talks to while the program runs (the application's name,
    // topic "System"); from then on RegisterShellFileTypes adds the "ddeexec" commands. FALSE
    // when DDE could not be started (the shell then starts the program for every file).
    BOOL EnableShellOpen();
    // Ends the service (a run that only prints and leaves answers no shell requests).
    void DisableShellOpen();
    BOOL IsShellOpenEnabled() const;
    CShellDdeServer* GetShellDdeServer() const { return m_shellDde.get(); }
    // One execute string of the shell: [open("path")], [print("path")] and
    // [printto("path","printer","driver","port")], one or more. DDE_FACK when every command was
    // done, DDE_FBUSY while a modal window holds the program, else DDE_FNOTPROCESSED.
    virtual UINT OnDDECommand(const char* commands);

    // ---- the file types, registered with the shell (app_filetypes.cpp) ----
    // Registers every template's file type under root (default HKCU\Software\Classes): the
    // extension names the ProgID, the ProgID opens (and with compat prints) with this program,
    // with the DDE commands beside once shell open is enabled. Then the keys are read back where
    // the shell reads them (shellView; by default HKEY_CLASSES_ROOT when root is the user's
    // classes, nowhere for another root); what is not there is written there as well (machine-wide
    // classes that a system may refuse: a refusal is not an error).
    void RegisterShellFileTypes(BOOL compat = FALSE, const char* root = nullptr, HKEY shellView = nullptr);

    // ---- the application's printer (print.cpp) ----
    // Its DEVMODE and DEVNAMES blocks (movable, owned; freed with the application). Empty until
    // first needed, then the system's default printer.
    HGLOBAL m_hDevMode = nullptr;
    HGLOBAL m_hDevNames = nullptr;
    // The default printer into empty handles (or again with forceDefaults).
    void UpdatePrinterSelection(BOOL forceDefaults);
    // Makes the two blocks the application's printer (taking ownership), freeing the old ones.
    void SelectPrinter(HGLOBAL devNames, HGLOBAL devMode, BOOL freeOld = TRUE);
    // Lends the application's handles to pd (not transferred); FALSE without any printer.
    BOOL GetPrinterDeviceDefaults(PRINTDLGA* pd);
    // Runs dlg with the application's printer and keeps what the dialog hands back.
    virtual INT_PTR DoPrintDialog(CPrintDialog* dlg);
    // A DC for the application's printer (dc owns it).
    BOOL CreatePrinterDC(CDC& dc);
    void OnFilePrintSetup();           // ID_FILE_PRINT_SETUP
    void FreePrinterHandles();

    DECLARE_MESSAGE_MAP()

private:
    // Prints one document of the shell ([print] or [printto]) as a /p or /pt start would (app_shelldde.cpp).
    bool PrintForShell(const CShellDdeCommand& command);
    bool OpenForShell(const CString& path);

    std::vector<std::unique_ptr<CDocTemplate>> m_templates;   // app_documents.cpp
    std::unique_ptr<CShellDdeServer> m_shellDde;              // app_shelldde.cpp
    CWinApp* m_previousApp = nullptr;   // what AfxGetApp() answers again once this one is gone
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
HINSTANCE AfxGetInstanceHandle();
// The program's entry: InitInstance, then Run, or ExitInstance when InitInstance fails.
int AfxWinMain(HINSTANCE instance, HINSTANCE previous, LPSTR cmdLine, int cmdShow);
