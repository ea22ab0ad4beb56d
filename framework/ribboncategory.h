#pragma once
// Categories (the ribbon's tabs) and their panels. A category owns its panels, its hidden
// elements (reachable by id and through the quick access toolbar) and its image lists; a panel
// owns its elements and lays them out in columns of up to three rows under its caption.
// The main category holds the application menu in one CMFCRibbonMainPanel.
#include "framework/ribbonelements.h"
#include <commctrl.h>

// An image list from a bitmap strip of size x size pictures (magenta transparent); null when
// the resource is missing or bitmapId is 0.
HIMAGELIST LoadRibbonImages(UINT bitmapId, int size);

class CMFCRibbonPanel : public CObject {
public:
    CMFCRibbonPanel(CMFCRibbonCategory* category, const char* name, int icon);
    ~CMFCRibbonPanel() override;

    // name: "caption\nkeys"
    const CString& GetName() const { return m_strName; }
    const CString& GetKeys() const { return m_strKeys; }
    int GetIcon() const { return m_nIcon; }
    CMFCRibbonCategory* GetCategory() const { return m_pCategory; }

    void Add(CMFCRibbonBaseElement* element);   // owned
    void AddSeparator();
    int GetCount() const { return static_cast<int>(m_elements.size()); }
    CMFCRibbonBaseElement* GetElement(int index) const { return m_elements.at(index).get(); }

    CMFCRibbonBaseElement* FindByID(UINT id) const;
    CMFCRibbonBaseElement* FindByControl(HWND wnd) const;
    CMFCRibbonBaseElement* HitTest(CPoint pt) const;

    // Lays the elements out from the left of area (top = the panel's top, height = the whole
    // panel with its caption) and returns the width taken. level: 0 as built, 1 large buttons
    // drawn small, 2 buttons with an image show only it, 3 the panel is one drop-down button.
    int Layout(CDC& dc, const CRect& area, int level = 0);
    int GetCollapseLevel() const { return m_nLevel; }
    bool IsCollapsed() const { return m_nLevel >= 3; }
    // The button of a collapsed panel (empty otherwise).
    CRect GetCollapsedButtonRect() const { return IsCollapsed() ? m_rect : CRect(); }
    const CRect& GetRect() const { return m_rect; }
    CRect GetCaptionRect() const;
    void OnDraw(RibbonPaint& paint);
    void Show(bool show);

protected:
    CMFCRibbonCategory* m_pCategory;
    CString m_strName;
    CString m_strKeys;
    int m_nIcon;
    std::vector<std::unique_ptr<CMFCRibbonBaseElement>> m_elements;
    CRect m_rect;
    int m_nLevel = 0;
};

// The application menu: its elements (the column, the recent documents list), then the elements
// of its bottom row, added with AddToBottom. CRibbonApplicationMenu shows it.
class CMFCRibbonMainPanel : public CMFCRibbonPanel {
public:
    explicit CMFCRibbonMainPanel(CMFCRibbonCategory* category) : CMFCRibbonPanel(category, "", -1) {}
    void AddRecentFilesList(const char* label, int width = 300);
    void AddToBottom(CMFCRibbonBaseElement* element);   // owned
    int GetBottomCount() const { return static_cast<int>(m_bottom.size()); }
    CMFCRibbonBaseElement* GetBottomElement(int index) const { return m_bottom.at(index).get(); }
    CMFCRibbonBaseElement* FindInMenu(UINT id) const;

private:
    std::vector<std::unique_ptr<CMFCRibbonBaseElement>> m_bottom;
};

class CMFCRibbonCategory : public CObject {
public:
    // Image lists come from bitmap resources (16 x 16 small, 32 x 32 large); 0 or a missing
    // resource leaves the elements without pictures.
    CMFCRibbonCategory(CMFCRibbonBar* bar, const char* name, UINT smallImagesId, UINT largeImagesId);
    ~CMFCRibbonCategory() override;

    const CString& GetName() const { return m_strName; }
    const CString& GetKeys() const { return m_strKeys; }
    CMFCRibbonBar* GetParentRibbonBar() const { return m_pBar; }

    CMFCRibbonPanel* AddPanel(const char* name, int icon = -1);
    int GetPanelCount() const { return static_cast<int>(m_panels.size()); }
    CMFCRibbonPanel* GetPanel(int index) const { return m_panels.at(index).get(); }
    // Elements that show nowhere on the tab: found by id, copied to the quick access toolbar.
    void AddHidden(CMFCRibbonBaseElement* element);
    int GetHiddenCount() const { return static_cast<int>(m_hidden.size()); }

    // visibleOnly leaves the hidden elements out.
    CMFCRibbonBaseElement* FindByID(UINT id, bool visibleOnly) const;
    CMFCRibbonBaseElement* FindByControl(HWND wnd) const;
    CMFCRibbonBaseElement* HitTest(CPoint pt) const;

    HIMAGELIST GetImages(bool large) const { return large ? m_hLarge : m_hSmall; }
    // The bitmap resources the image lists came from (0 when none was given).
    UINT GetImagesId(bool large) const { return large ? m_nLargeId : m_nSmallId; }
    void SetImages(HIMAGELIST small, HIMAGELIST large);   // owned

    // Collapses panels from the right until they fit area's width.
    void Layout(CDC& dc, const CRect& area);
    void OnDraw(RibbonPaint& paint);
    void Show(bool show);
    void CreateControls();
    // The collapsed panel whose button is under pt, or null.
    CMFCRibbonPanel* HitTestCollapsed(CPoint pt) const;
    void UpdateCmdUI(CRibbonCmdUI& ui, CFrameWnd* target, BOOL disableIfNoHandler);

    CMFCRibbonMainPanel* GetMainPanel() const { return m_pMainPanel; }

private:
    friend class CMFCRibbonBar;
    CMFCRibbonBar* m_pBar;
    CString m_strName;
    CString m_strKeys;
    std::vector<std::unique_ptr<CMFCRibbonPanel>> m_panels;
    std::vector<std::unique_ptr<CMFCRibbonBaseElement>> m_hidden;
    HIMAGELIST m_hSmall = nullptr;
    HIMAGELIST m_hLarge = nullptr;
    UINT m_nSmallId = 0;
    UINT m_nLargeId = 0;
    CMFCRibbonMainPanel* m_pMainPanel = nullptr;   // the main category's only panel
};
