#pragma once
// CMainFrame: the application's main window. Owns the ribbon bar (with the application menu,
// the categories, the quick access toolbar) and the two-pane status bar, applies and remembers
// the look ("ApplicationLook"), and hosts the child frames of the open projects as tabs with the
// document menu and the windows dialog. The frame deletes itself when its window is gone.
#include "framework/frame.h"
#include "framework/ribbonbar.h"
#include "framework/statusbar.h"

#include <vector>

// The program's ribbon bar. Our bar has no print-preview category to switch off, so creation is
// the framework's.
class CMyMFCRibbonBar : public CMFCRibbonBar {};

class CMainFrame : public CMDIFrameWnd {
public:
    // Reads the stored look into the application's look field.
    CMainFrame();
    ~CMainFrame() override;

    // Told when the object is deleted (start-up uses it to delete a failed frame exactly once).
    bool* m_pGoneFlag = nullptr;

    CMyMFCRibbonBar& GetRibbonBar() { return m_wndRibbonBar; }
    CStatusBar& GetStatusBar() { return m_wndStatusBar; }

    // Builds the whole ribbon: application menu, categories, Style and Help, quick access toolbar.
    void CreateRibbon();
    // The first ribbon element with id in any category, hidden ones included; null when none.
    CMFCRibbonBaseElement* FindRibbonElement(UINT id) const;
    // Adds the names to the label-family combo box; answers how many were added.
    int AddFamilyNames(const std::vector<CString>& names);
    // Text of a ribbon edit or combo box, at most maxLength characters; empty for other elements.
    CString GetRibbonText(UINT id, int maxLength = 255) const;

    // ---- the look
    UINT GetApplicationLook() const;
    // Applies the look under a wait cursor, redraws the whole frame and stores the id.
    void OnApplicationLook(UINT id);
    void OnUpdateApplicationLook(CCmdUI* ui);
    // The stored look of the application's profile (default 214).
    static UINT ReadApplicationLook();
    static const char* LookSection() { return "Workspace"; }

    // The first pane's text while no project answers for it: name, version and maker.
    static CString GetProductLine();
    static const char* StatusTemplate();   // the 80 characters the panes' widths are measured on

    // ---- the remembered window and ribbon (section "Workspace" of the profile)
    // The stored frame rectangle and whether it was maximised; false when none is stored or it
    // lies off every monitor (the frame then takes the default placement).
    static bool ReadStoredPlacement(CRect& rect, bool& maximized);
    // The show command start-up uses: a frame stored maximised opens maximised.
    static int AdjustShowCommand(int cmdShow);
    void SaveWindowState();
    void RestoreRibbonState();

    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    BOOL PreTranslateMessage(MSG* msg) override;
    void OnDestroy();
    // Logging off or shutting down: the placement and ribbon state, then the recent files.
    void OnEndSession(BOOL ending);
    // The ribbon draws the caption: the frame keeps only its sizing borders.
    LRESULT OnNcCalcSize(WPARAM wParam, LPARAM lParam);
    int OnCreate(LPCREATESTRUCTA cs);
    void OnDropFiles(HDROP drop);
    void OnUpdateStatusPaneLabel(CCmdUI* ui);
    void OnUpdateStatusPaneRows(CCmdUI* ui);
    // The lock command of the active project when its view leaves it to the frame
    // (mainframe_lock.cpp).
    void OnLockDocument();
    void OnUpdateLockDocument(CCmdUI* ui);
    DECLARE_MESSAGE_MAP()

private:
    BOOL CreateStatusBar();
    void SetLookField(UINT look);

    CMyMFCRibbonBar m_wndRibbonBar;
    CStatusBar m_wndStatusBar;
    UINT m_nLookFallback = 214;            // the look when the application is not ours (tests)
};
