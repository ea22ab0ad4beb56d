#pragma once
// CMFCRibbonBar: the frame's command surface, a bar of our own across the top of the frame. It
// owns the application button and its menu (the main category), the categories shown as tabs,
// the elements at the right of the tabs and the quick access toolbar. Elements raise WM_COMMAND
// with their id to the parent frame; their state comes from the update handlers, which the frame
// runs at idle time through WM_IDLEUPDATECMDUI (an element with neither handler is disabled).
//
//   row 1: application button | quick access toolbar
//   row 2: (application button) | tabs ...                      | Style | ?
//   panels of the active category, each with its caption at the bottom
#include "framework/frame.h"
#include "framework/ribboncategory.h"
#include "framework/ribboncontrols.h"

#include <memory>

class CRibbonApplicationMenu;

class CMFCRibbonBar : public CControlBar {
public:
    static constexpr int kQuickAccessHeight = 24;
    static constexpr int kTabHeight = 24;
    static constexpr int kRowHeight = 22;
    static constexpr int kPanelCaptionHeight = 17;
    static constexpr int kPanelHeight = 3 * kRowHeight + 8 + kPanelCaptionHeight;
    static constexpr int kHeight = kQuickAccessHeight + kTabHeight + kPanelHeight + 6;
    static constexpr int kAppButtonSize = 44;
    static constexpr int kMinimizedHeight = kQuickAccessHeight + kTabHeight + 2;

    CMFCRibbonBar();
    ~CMFCRibbonBar() override;

    BOOL Create(CWnd* parent, DWORD style = WS_CHILD | WS_VISIBLE | CBRS_TOP, UINT id = AFX_IDW_RIBBON_BAR);

    // ---- the application button and its menu
    // text: "caption\nkeys" (the caption may be empty); bitmap 0 draws the caption instead.
    void SetApplicationButton(const char* text, const char* toolTip, UINT bitmapId = 0);
    CMFCRibbonMainPanel* AddMainCategory(const char* name, UINT smallImagesId = 0, UINT largeImagesId = 0);
    CMFCRibbonCategory* GetMainCategory() const { return m_mainCategory.get(); }
    const CString& GetApplicationButtonToolTip() const { return m_strAppToolTip; }
    const CString& GetApplicationButtonKeys() const { return m_strAppKeys; }

    // ---- categories
    CMFCRibbonCategory* AddCategory(const char* name, UINT smallImagesId = 0, UINT largeImagesId = 0);
    int GetCategoryCount() const { return static_cast<int>(m_categories.size()); }
    CMFCRibbonCategory* GetCategory(int index) const { return m_categories.at(index).get(); }
    int GetCategoryIndex(const CMFCRibbonCategory* category) const;
    CMFCRibbonCategory* GetActiveCategory() const { return m_pActive; }
    BOOL SetActiveCategory(CMFCRibbonCategory* category);

    // Elements at the right of the tabs, left to right in the order added (owned).
    void AddToTabs(CMFCRibbonBaseElement* element);
    int GetTabElementCount() const { return static_cast<int>(m_tabElements.size()); }
    CMFCRibbonBaseElement* GetTabElement(int index) const { return m_tabElements.at(index).get(); }

    // ---- quick access toolbar: copies of the elements with these ids (hidden ones included)
    void SetQuickAccessCommands(const std::vector<UINT>& ids);
    int GetQuickAccessCount() const { return static_cast<int>(m_quickAccess.size()); }
    CMFCRibbonBaseElement* GetQuickAccessElement(int index) const { return m_quickAccess.at(index).get(); }

    // ---- finding elements
    // The first element with the id in the application menu, the categories (in order), the
    // elements at the right of the tabs, then (unless excluded) the quick access toolbar;
    // visibleOnly leaves hidden elements out.
    CMFCRibbonBaseElement* FindByID(UINT id, BOOL visibleOnly = TRUE, BOOL excludeQuickAccess = FALSE) const;
    // The edit or combo box whose control (or inner edit) is wnd.
    CMFCRibbonBaseElement* FindByControl(HWND wnd) const;
    // The edit or combo box holding the keyboard focus, or null.
    CMFCRibbonEdit* GetFocusedElement() const;
    // The clickable element under pt (client coordinates); tabs and the application button are
    // not elements: see the rectangles below.
    CMFCRibbonBaseElement* HitTest(CPoint pt);
    CRect GetApplicationButtonRect() const;
    CRect GetTabRect(int index);

    // ---- images of the panels (collapsed panels, elements outside a category such as Help)
    void SetPanelImages(UINT bitmapId);
    HIMAGELIST GetPanelImages() const { return m_hPanelImages; }

    // ---- the frame's caption drawn by the bar: the first row holds the quick access toolbar,
    // the title (application title and document name) and the minimise, maximise and close
    // buttons; the rest of the row moves the frame, a double click maximises or restores it.
    // The frame takes its system caption away (see CMainFrame's WM_NCCALCSIZE).
    void SetReplaceFrameCaption(bool replace);
    bool IsReplacingFrameCaption() const { return m_bReplaceCaption; }
    // 0 minimise, 1 maximise or restore, 2 close; empty without the caption.
    CRect GetCaptionButtonRect(int which);
    // The title as drawn: the document's name, then the application's title.
    CString GetCaptionTitle() const;
    // What the caption row does at pt: HTCAPTION, HTMINBUTTON, HTMAXBUTTON, HTCLOSE or HTNOWHERE.
    int CaptionHitTest(CPoint pt);

    // ---- minimised ribbon: only the quick access toolbar and the tabs (double click on a tab)
    void SetMinimized(bool minimized);
    bool IsMinimized() const { return m_bMinimized; }

    // ---- key tips: level 0 none, 1 the tabs, the application button, the quick access toolbar
    // and the buttons at the right of the tabs, 2 the elements of the active category.
    int GetKeyTipLevel() const { return m_nKeyTipLevel; }
    void ShowKeyTips(int level);
    // The key tip shown (or that would show) for a tab, an element; empty when none.
    CString GetCategoryKeyTip(int index);
    CString GetElementKeyTip(const CMFCRibbonBaseElement* element);
    CString GetApplicationButtonKeyTip() const { return m_strAppKeys.IsEmpty() ? CString("F") : m_strAppKeys; }
    // Alt (pressed and released alone) or F10 shows the key tips; while they show, keys go to
    // them. Returns TRUE when the message was used. The frame calls it before translating.
    BOOL ProcessKeyTipMessage(const MSG* msg);
    // Runs what a key tip stands for: raises the command, opens the drop-down, focuses the box.
    void ActivateByKeyTip(CMFCRibbonBaseElement* element);

    // ---- collapsed panels: the drop-down that opens a panel as a popup window
    void OpenPanelPopup(CMFCRibbonPanel* panel);
    void ClosePanelPopup();
    CMFCRibbonPanel* GetPopupPanel() const { return m_pPopupPanel; }
    HWND GetPanelPopupHwnd() const { return m_hPopup; }

    // ---- layout and painting
    // While measuring, edits and combo boxes keep their windows where they are (trial layouts).
    void SetMeasuring(bool measuring) { m_bMeasuring = measuring; }
    bool IsMeasuring() const { return m_bMeasuring; }
    void RecalcLayout();
    void SetLayoutDirty() { m_bLayoutDirty = true; }
    // Paints the bar (not its child controls) into dc; OnPaint paints through a memory bitmap.
    void Render(CDC& dc);
    HFONT GetRibbonFont() const { return m_hFont; }
    void RedrawElement(const CMFCRibbonBaseElement* element);

    // ---- commands and menus
    // WM_COMMAND with the id to the parent frame.
    virtual void RaiseCommand(UINT id);
    // Runs a popup menu at a screen point and returns the chosen id (0 when none).
    virtual UINT TrackPopup(HMENU menu, CPoint screenPoint, bool rightAlign);
    // The colour dialog behind a colour button's "Other" item.
    virtual bool ChooseOtherColor(COLORREF& color);
    // Enables, checks and renames the items of a popup through the frame's update handlers.
    void UpdateMenuItems(HMENU menu);
    // Opens the application menu's drop-down panel under the application button (closes it when
    // it is open). keyboard: opened by its key tip, so the panel shows its own key tips.
    void ShowApplicationMenu(bool keyboard = false);
    // The panel (null until it first opened); open or not.
    CRibbonApplicationMenu* GetApplicationMenu() const { return m_pAppMenu.get(); }
    bool IsApplicationMenuOpen() const;
    void RedrawApplicationButton();
    // Gives the keyboard focus back to the frame's active view (or the frame).
    void ReturnFocus();
    // The tooltip control's text for an element: the tooltip, then the description.
    CString GetToolTipFor(const CMFCRibbonBaseElement* element) const;
    // Registers an edit's or combo box's control with the tooltip control, and hands the
    // tooltip control the mouse messages of a window of the bar (controls call it too).
    void AddControlToolTip(CMFCRibbonEdit* edit);
    void RelayToolTip(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam);

    // ---- the frame's side
    CSize CalcFixedLayout(BOOL stretch, BOOL horizontal) override;
    void OnUpdateCmdUI(CFrameWnd* target, BOOL disableIfNoHandler) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;

    int OnCreate(LPCREATESTRUCTA cs);
    void OnDestroy();
    void OnPaint();
    BOOL OnEraseBkgnd(CDC*) { return TRUE; }
    void OnSize(UINT type, int cx, int cy);
    void OnMouseMove(UINT flags, CPoint pt);
    void OnLButtonDown(UINT flags, CPoint pt);
    void OnLButtonUp(UINT flags, CPoint pt);
    void OnLButtonDblClk(UINT flags, CPoint pt);
    void OnRButtonUp(UINT flags, CPoint pt);
    void OnCaptureChanged(CWnd* wnd);
    LRESULT OnMouseLeave(WPARAM, LPARAM);
    LRESULT OnSpinScroll(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    void EnsureLayout();
    void EnsureControls();
    // force: move the tooltip's tool rectangle even when the hot element stays the same.
    void SetHot(CMFCRibbonBaseElement* element, bool force = false);
    CFrameWnd* GetCommandFrame() const;
    void AssignKeyTips();
    void KeyTipsTyped(char ch);
    void DrawKeyTips(CDC& dc);
    void DrawCaption(CDC& dc, const CRect& client);
    bool OnCaptionButtonDown(CPoint pt);
    bool OnCaptionButtonUp(CPoint pt);
    static LRESULT CALLBACK PopupProc(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnPopupMessage(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam);

    std::unique_ptr<CMFCRibbonCategory> m_mainCategory;
    std::vector<std::unique_ptr<CMFCRibbonCategory>> m_categories;
    std::vector<std::unique_ptr<CMFCRibbonBaseElement>> m_tabElements;
    std::vector<std::unique_ptr<CMFCRibbonBaseElement>> m_quickAccess;
    CMFCRibbonCategory* m_pActive = nullptr;
    CString m_strAppText;
    CString m_strAppKeys;
    CString m_strAppToolTip;
    HBITMAP m_hAppBitmap = nullptr;
    std::vector<CRect> m_tabRects;
    CMFCRibbonBaseElement* m_pHot = nullptr;
    CMFCRibbonBaseElement* m_pPressed = nullptr;
    bool m_bAppButtonHot = false;
    bool m_bTrackingLeave = false;
    bool m_bLayoutDirty = true;
    HFONT m_hFont = nullptr;
    HWND m_hToolTip = nullptr;
    CString m_strTipBuffer;
    HIMAGELIST m_hPanelImages = nullptr;
    bool m_bMinimized = false;
    bool m_bReplaceCaption = false;
    bool m_bMeasuring = false;
    int m_nCaptionPressed = -1;
    CString m_strCaptionShown;
    int m_nKeyTipLevel = 0;
    bool m_bAltAlone = false;
    CString m_strKeysTyped;
    std::vector<std::pair<CString, CMFCRibbonBaseElement*>> m_elementTips;   // of the shown level
    std::vector<CString> m_categoryTips;
    CMFCRibbonPanel* m_pPopupPanel = nullptr;
    HWND m_hPopup = nullptr;
    std::unique_ptr<CRibbonApplicationMenu> m_pAppMenu;
};
