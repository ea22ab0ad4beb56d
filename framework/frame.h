#pragma once
// Frames. CFrameWnd: a window with bars (docked at its top or bottom) around one pane
// (AFX_IDW_PANE_FIRST), an active view, accelerators and the command route
// view -> document -> frame (-> application when top-level). CMDIFrameWnd: the main frame
// hosting child frames as tabbed documents in its pane (a tab strip with a close button on the
// active tab; no Win32 MDI client). CMDIChildWnd: the frame of one document inside it.
// Frames delete themselves after WM_NCDESTROY; the main frame's end posts WM_QUIT.
#include "framework/doctempl.h"
#include "framework/stdids.h"
#include "framework/wnd.h"
#include <vector>

class CDocument;
class CView;
class CMDIChildWnd;
class CMDIFrameWnd;

// A bar the frame lays out along its top or bottom edge (status bar, ribbon).
class CControlBar : public CWnd {
public:
    DWORD m_dwBarStyle = CBRS_ALIGN_TOP;   // CBRS_ALIGN_TOP or CBRS_ALIGN_BOTTOM
    // The bar's size along the frame: the height is what counts for top and bottom bars.
    virtual CSize CalcFixedLayout(BOOL stretch, BOOL horizontal);
    // Idle-time update of the bar's elements through target's command route.
    virtual void OnUpdateCmdUI(CFrameWnd* target, BOOL disableIfNoHandler) { (void)target; (void)disableIfNoHandler; }

    LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};

class CFrameWnd : public CWnd {
public:
    CFrameWnd() = default;

    static const CRect rectDefault;
    CString m_strTitle;                 // application part of the caption
    HACCEL m_hAccelTable = nullptr;

    BOOL Create(const char* className, const char* title, DWORD style = WS_OVERLAPPEDWINDOW,
                const RECT& rect = rectDefault, CWnd* parent = nullptr, const char* menuName = nullptr,
                DWORD exStyle = 0, CCreateContext* context = nullptr);
    // Menu, accelerators and icon of resource id (each optional) and the title from string id
    // (its first "\n" field).
    virtual BOOL LoadFrame(UINT resourceId, DWORD style = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                           CWnd* parent = nullptr, CCreateContext* context = nullptr);
    BOOL LoadAccelTable(UINT resourceId);

    // ---- views and activation
    virtual CView* GetActiveView() const { return m_pViewActive; }
    virtual void SetActiveView(CView* view, BOOL notify = TRUE);
    virtual CDocument* GetActiveDocument();
    virtual CFrameWnd* GetActiveFrame() { return this; }
    CWnd* CreateView(CCreateContext* context, UINT id = AFX_IDW_PANE_FIRST);
    virtual BOOL OnCreateClient(LPCREATESTRUCTA cs, CCreateContext* context);
    void InitialUpdateFrame(CDocument* doc, BOOL makeVisible);
    virtual void ActivateFrame(int cmdShow = -1);
    void SetTitle(const char* title) { m_strTitle = title; }
    virtual void OnUpdateFrameTitle(BOOL addToTitle);

    // ---- layout and idle updates
    virtual void RecalcLayout(BOOL notify = TRUE);
    // Sends WM_IDLEUPDATECMDUI to the bars (and other windows) inside the frame.
    virtual void OnIdleUpdateCmdUI();

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, CmdHandlerInfo* pHandlerInfo) override;
    BOOL PreTranslateMessage(MSG* msg) override;
    // An edit control (ribbon edit, in-place editor, dialog edit) keeps its own clipboard, undo
    // and select-all keys: true for Ctrl+C/V/X/Z/A, Shift+Del, Shift+Ins and Ctrl+Ins going to one,
    // which the accelerators then leave alone.
    static BOOL IsEditControlKey(const MSG* msg);
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    void PostNcDestroy() override { delete this; }

    int OnCreate(LPCREATESTRUCTA cs);
    void OnSize(UINT type, int cx, int cy);
    void OnClose();
    // The main frame: WM_QUERYENDSESSION asks every modified document as closing does (FALSE
    // when the person cancelled); WM_ENDSESSION with TRUE writes what ExitInstance writes.
    BOOL OnQueryEndSession();
    void OnEndSession(BOOL ending);
    void OnDestroy();
    void OnNcDestroy();
    void OnSetFocus(CWnd* old);
    void OnInitMenuPopup(CMenu* popup, UINT index, BOOL sysMenu);
    BOOL OnEraseBkgnd(CDC* dc);

    DECLARE_MESSAGE_MAP()

protected:
    CView* m_pViewActive = nullptr;
    CCreateContext* m_pCreateContext = nullptr;   // during creation only
    HMENU m_hMenuDefault = nullptr;
    CDocTemplate* m_pDocTemplate = nullptr;
    friend class CDocTemplate;
};

// The tab strip and the host of the child frames, the main frame's pane (framework/mditabarea.cpp).
// The tabs are drawn as OneNote draws its section tabs: a slanted leading edge and rounded top
// corners outlined in colour, in the colours of the current look; no icons; the close box on the
// active tab only; the document menu's button at the right end of the strip.
class CMDITabArea : public CWnd {
public:
    static constexpr int kStripHeight = 24;
    static constexpr int kTabTop = 3;          // the tabs stand this far below the strip's top
    static constexpr int kCornerRadius = 4;    // of the rounded top corners
    static constexpr int kSlant = 8;           // how far the leading edge leans
    static constexpr int kCloseBoxWidth = 18;  // room the active tab keeps for its close box
    CMDIFrameWnd* m_pFrame = nullptr;

    // The strip's colours, taken from the current look.
    struct TabColors {
        COLORREF strip;        // behind the tabs
        COLORREF face;         // an inactive tab
        COLORREF activeFace;   // the active tab, which opens into its document
        COLORREF edge;         // an inactive tab's outline
        COLORREF activeEdge;   // the active tab's outline and the line under the strip
        COLORREF text;
        COLORREF activeText;   // also the close box
    };
    static TabColors GetTabColors();
    // A tab's outline from its bottom left corner round to its bottom right one (open at the
    // bottom): the slanted leading edge, then the rounded top corners.
    static std::vector<POINT> TabOutline(const CRect& tab);

    // Client rectangle of the child frames.
    CRect GetChildRect() const;
    // Tab rectangles in the strip, in tab order; the close box of the active tab.
    CRect GetTabRect(int index) const;
    CRect GetCloseRect() const;
    int HitTestTab(CPoint pt) const;
    // The document menu's button at the right end of the strip (framework/windowsdlg.cpp); empty
    // when the frame has no document menu.
    CRect GetMenuButtonRect() const;
    void DrawMenuButton(CDC& dc);
    // Draws the strip (the part above the child frames) into dc, as the window paints it.
    void Draw(CDC& dc);

    void OnPaint();
    BOOL OnEraseBkgnd(CDC*) { return TRUE; }
    void OnSize(UINT type, int cx, int cy);
    void OnLButtonDown(UINT flags, CPoint pt);

    DECLARE_MESSAGE_MAP()

private:
    void DrawTab(CDC& dc, int index, bool active, const TabColors& colors);
};

class CMDIFrameWnd : public CFrameWnd {
public:
    CMDIChildWnd* MDIGetActive() const { return m_pActiveChild; }
    // Shows child, hides the previous one, tells both views, retitles, moves the focus.
    virtual void MDIActivate(CMDIChildWnd* child);
    void MDINext(BOOL previous = FALSE);
    const std::vector<CMDIChildWnd*>& GetChildren() const { return m_children; }
    CMDITabArea& GetTabArea() { return m_wndTabArea; }

    CFrameWnd* GetActiveFrame() override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, CmdHandlerInfo* pHandlerInfo) override;
    BOOL OnCreateClient(LPCREATESTRUCTA cs, CCreateContext* context) override;
    void OnUpdateFrameTitle(BOOL addToTitle) override;
    void OnIdleUpdateCmdUI() override;
    CDocument* GetActiveDocument() override;

    void OnWindowNext() { MDINext(FALSE); }
    void OnUpdateWindowNext(CCmdUI* ui);

    // ---- the document menu at the right of the tab strip (framework/windowsdlg.cpp)
    void EnableDocumentMenu(BOOL enable = TRUE);
    BOOL IsDocumentMenuEnabled() const { return m_bDocumentMenu; }
    // The document menu ends with an item of this text raising commandId, which the frame answers
    // with the windows dialog. Without showAlways the item is offered only while a document is open.
    void EnableWindowsDialog(UINT commandId, const char* text, BOOL showAlways);
    UINT GetWindowsDialogCommand() const { return m_nWindowsDialogCmd; }
    // One item per tabbed document (ids 1..n in tab order, the active one checked), then the
    // windows item (id n + 1). The caller destroys the menu.
    HMENU BuildDocumentMenu() const;
    // Acts on an answer of the document menu: activates a document or raises the windows command.
    void OnDocumentMenuChoice(UINT choice);
    void ShowDocumentMenu();
    // The windows dialog: the open documents, to activate or close.
    virtual void ShowWindowsDialog();

    DECLARE_MESSAGE_MAP()

protected:
    friend class CMDIChildWnd;
    void AddChild(CMDIChildWnd* child);
    void RemoveChild(CMDIChildWnd* child);
    std::vector<CMDIChildWnd*> m_children;   // tab order
    CMDIChildWnd* m_pActiveChild = nullptr;
    CMDITabArea m_wndTabArea;
    // Answers the windows dialog's command when nothing on the route did.
    BOOL OnWindowsDialogCmd(UINT nID, int nCode, void* pExtra, CmdHandlerInfo* pHandlerInfo);
    BOOL m_bDocumentMenu = FALSE;
    UINT m_nWindowsDialogCmd = 0;
    CString m_strWindowsDialogText;
    BOOL m_bWindowsDialogAlways = FALSE;
};

class CMDIChildWnd : public CFrameWnd {
public:
    // Creates the child inside parent's tab area (parent null: the application's main window).
    BOOL LoadFrame(UINT resourceId, DWORD style = WS_CHILD | WS_CLIPCHILDREN | FWS_ADDTOTITLE,
                   CWnd* parent = nullptr, CCreateContext* context = nullptr) override;
    CMDIFrameWnd* GetMDIFrame() const { return m_pMDIFrame; }
    void MDIActivate();
    void MDIDestroy() { DestroyWindow(); }
    void ActivateFrame(int cmdShow = -1) override;
    void OnUpdateFrameTitle(BOOL addToTitle) override;
    // Called by the main frame when the child becomes (or stops being) the active tab.
    virtual void OnMDIActivate(BOOL activate, CWnd* activateWnd, CWnd* deactivateWnd);

    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    BOOL PreTranslateMessage(MSG* msg) override;
    void OnClose();
    void OnDestroy();

    DECLARE_MESSAGE_MAP()

protected:
    CMDIFrameWnd* m_pMDIFrame = nullptr;
};

// The framework's child frame for documents; the program derives its own from it.
class CChildFrame : public CMDIChildWnd {};
