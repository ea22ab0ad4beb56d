#pragma once
// COstrelindSoftLabelApp: the application object of KORVELTA-PRINT (the program's one `theApp`
// lives in main.cpp). Prepares the process, creates the program's folders under the common and
// the user application-data folders, registers the project template, creates the main frame,
// shows the about box as a splash while it refreshes and loads the label library, and answers
// About and Help. Owns the label library manager, and the splash while it is shown.
#include "framework/app.h"
#include "framework/cstring.h"
#include "labelmodel/labelmanager.h"
#include "ui/commandids.h"

#include <vector>

class CAboutDlg;
class CMainFrame;

class COstrelindSoftLabelApp : public CWinApp {
public:
    // profileName: the registry name of the profile (null: the application's name); tests give
    // their own so that they never touch the program's settings.
    explicit COstrelindSoftLabelApp(const char* profileName = nullptr);
    ~COstrelindSoftLabelApp() override;

    // The whole start-up; FALSE ends the program at once.
    BOOL InitInstance() override;

    // ---- the start-up steps, in InitInstance's order; each can run on its own
    void InitControls();
    virtual BOOL InitSockets();        // FALSE: the sockets could not be started
    virtual BOOL InitOle();            // FALSE: OLE could not be started
    void InitFolders();
    void InitProfile();                // registry key and recent files
    void InitManagers();
    void PreLoadState();
    void RegisterDocTemplate();
    BOOL CreateMainFrame();            // FALSE: the frame could not be made (it is gone again)
    void RegisterShell();
    BOOL ProcessCommandLine();
    void ShowMainWindow();
    void ShowSplash();
    void CopyDefaultFiles();
    int LoadLabelLibrary();            // the number of label definitions loaded
    int FillFamilyCombo();             // the number of names put into the combo box
    void CloseSplash();

    // ---- folders. Getters return a new string each (paths end with a backslash); null base
    // means the user base.
    const CString& GetCommonBase() const { return m_commonBase; }
    const CString& GetUserBase() const { return m_userBase; }
    CString GetLabelsFolder(const char* base = nullptr) const;
    CString GetLabelImagesFolder(const char* base = nullptr) const;
    CString GetLabelInfoFolder(const char* base = nullptr) const;
    static CString GetClipartFolder();
    // base\QUENDRIC and base\QUENDRIC\KORVELTA-PRINT V10.0; existing or failing folders are fine.
    static void CreateProgramFolder(const char* base);
    // Copies every file of source (names longer than two characters) into destination without
    // overwriting; paths that do not fit in MAX_PATH are skipped. Answers the files copied.
    static int CopyFolderFiles(const char* source, const char* destination);
    // Used by InitFolders instead of the shell's application-data folders (tests, benchmarks).
    void SetBaseFolders(const char* common, const char* user);

    // ---- the label library
    CLabelManager& GetLabelManager() { return m_labelManager; }
    // The family names the combo box shows: the manager's list in order, without empty names or
    // repeats (any case), each at most 255 characters.
    static std::vector<CString> GetFamilyComboItems(const CLabelManager& manager);

    // ---- context menus registered by PreLoadState (name from the string table, menu resource)
    struct ContextMenu {
        CString name;
        UINT menuId;
    };
    const std::vector<ContextMenu>& GetContextMenus() const { return m_contextMenus; }
    UINT FindContextMenu(const char* name) const;   // 0 when none has that name

    CMainFrame* GetMainFrame() const;

    UINT m_nAppLook = ID_APPLOOK_VS2005;   // the look in use, shared with the main frame
    CAboutDlg* m_pSplash = nullptr;        // only during start-up
    // Start-up settings the tests and the benchmark change.
    DWORD m_dwSplashWait = 1000;           // how long the splash stays, in milliseconds
    bool m_bShowSplash = true;
    CString m_strShellRoot;                // where file types are registered; empty: HKCU classes
    // Where the shell is checked for them (null: HKEY_CLASSES_ROOT for the user's classes, none
    // for another root); tests give a key of their own.
    HKEY m_hShellView = nullptr;

    void OnAppAbout();
    void OnHelp();
    DECLARE_MESSAGE_MAP()

private:
    CString LibraryFolder(const char* base, const char* leaf) const;

    CLabelManager m_labelManager;
    CString m_commonBase;
    CString m_userBase;
    CString m_commonOverride;
    CString m_userOverride;
    bool m_bBasesGiven = false;
    bool m_bSocketsStarted = false;
    bool m_bOleStarted = false;
    std::vector<ContextMenu> m_contextMenus;
};
