#pragma once
// The drawn ribbon elements: the base of every element, buttons (with a drop-down of their own
// elements or a menu), check boxes, labels, separators, button groups, colour buttons and the
// recent documents list of the application menu. An element is owned by its panel, group, button
// or category; the ribbon bar paints it, hit-tests it and runs its update handler at idle time.
// Edits and combo boxes, which are real child controls, live in framework/ribboncontrols.h.
#include "framework/cmdtarget.h"
#include "framework/cstring.h"
#include "framework/gdi.h"
#include "framework/geometry.h"
#include "framework/ribbonlook.h"
#include <commctrl.h>
#include <memory>
#include <vector>

class CFrameWnd;
class CMFCRibbonBar;
class CMFCRibbonBaseElement;
class CMFCRibbonCategory;

// What painting needs besides the element: the device, the look and the mouse state.
struct RibbonPaint {
    CDC* dc = nullptr;
    const RibbonColors* colors = nullptr;
    const CMFCRibbonBaseElement* hot = nullptr;       // under the mouse
    const CMFCRibbonBaseElement* pressed = nullptr;   // button held down on it
};

// CCmdUI for one ribbon element: the update handlers' answers become the element's state.
class CRibbonCmdUI : public CCmdUI {
public:
    CMFCRibbonBaseElement* m_pElement = nullptr;
    void Enable(BOOL bOn = TRUE) override;
    void SetCheck(int nCheck = 1) override;
    void SetRadio(BOOL bOn = TRUE) override;
    void SetText(const char* text) override;
    void OnNoHandler() override;
};

// Splits a command's string prompt "description\ntooltip".
void SplitRibbonPrompt(const char* prompt, CString& description, CString& tooltip);
// A caption without its mnemonic ampersands ("&&" stays one '&').
CString StripRibbonMnemonic(const char* text);

class CMFCRibbonBaseElement : public CObject {
public:
    explicit CMFCRibbonBaseElement(UINT id = 0, const char* text = nullptr);
    ~CMFCRibbonBaseElement() override;
    CMFCRibbonBaseElement(const CMFCRibbonBaseElement&) = delete;
    CMFCRibbonBaseElement& operator=(const CMFCRibbonBaseElement&) = delete;

    UINT GetID() const { return m_nID; }
    // 0 and (UINT)-1 mean "no command": such an element only opens its menu.
    bool HasCommand() const { return m_nID != 0 && m_nID != static_cast<UINT>(-1); }
    // "caption\nkeys": the text after the line break is the key tip.
    void SetText(const char* text);
    const CString& GetText() const { return m_strText; }
    const CString& GetKeys() const { return m_strKeys; }
    // Key tips given apart from the caption; menuKeys: a split button's second tip, which opens
    // its drop-down where the first runs its command.
    void SetKeys(const char* keys, const char* menuKeys = nullptr);
    const CString& GetMenuKeys() const { return m_strMenuKeys; }
    void SetToolTipText(const char* text) { m_strToolTip = text; }
    void SetDescription(const char* text) { m_strDescription = text; }
    // Set explicitly, else from the command's string prompt (after / before its "\n"), else the
    // caption for the tooltip.
    CString GetToolTipText() const;
    CString GetDescription() const;
    void SetImageIndex(int image, bool large = false);
    int GetImageIndex(bool large) const { return large ? m_nLargeImage : m_nSmallImage; }

    bool IsEnabled() const { return m_bEnabled; }
    virtual void SetEnabled(bool enabled);
    bool IsChecked() const { return m_bChecked; }
    virtual void SetChecked(bool checked);
    // CCmdUI::SetText: buttons change their caption, edits their text.
    virtual void SetTextFromUpdate(const char* text);
    // Nothing handles the command any more: the element shows no check or radio mark (a box no
    // text) left over from the handler that went, as a disabled command of a Windows ribbon.
    virtual void ClearCommandState() { SetChecked(false); }

    const CRect& GetRect() const { return m_rect; }
    CMFCRibbonBar* GetRibbonBar() const { return m_pRibbonBar; }
    CMFCRibbonCategory* GetCategory() const { return m_pCategory; }
    CMFCRibbonBaseElement* GetParentElement() const { return m_pParentElement; }

    // ---- structure (children of groups and drop-downs are reached through these)
    virtual void SetOwner(CMFCRibbonBar* bar, CMFCRibbonCategory* category);
    virtual CMFCRibbonBaseElement* FindByID(UINT id);
    virtual CMFCRibbonBaseElement* HitTest(CPoint pt);
    virtual CMFCRibbonBaseElement* FindByControl(HWND) { return nullptr; }

    // ---- layout and painting
    // Size in a panel row (height is the row's); whole-column elements get the panel's height.
    virtual CSize GetRegularSize(CDC& dc);
    virtual bool IsWholeColumn() const { return false; }
    virtual void SetRect(const CRect& rect) { m_rect = rect; }
    virtual void OnShow(bool show) { (void)show; }
    virtual void OnDraw(RibbonPaint& paint);
    virtual bool IsClickable() const { return true; }
    // 0 as built, 1 a large button shows small, 2 a button with an image shows only the image.
    void SetCompactLevel(int level) { m_nCompact = level; }
    int GetCompactLevel() const { return m_nCompact; }

    // ---- behaviour
    // A click released over the element (the point tells split parts apart).
    virtual void OnClick(CPoint pt);
    virtual void UpdateCmdUI(CRibbonCmdUI& ui, CFrameWnd* target, BOOL disableIfNoHandler);
    // How the element shows in the application menu and in drop-down menus.
    virtual void AppendToMenu(HMENU menu);
    virtual void CreateControls() {}
    void Redraw();

protected:
    friend class CMFCRibbonButton;
    friend class CMFCRibbonButtonsGroup;
    friend class CRibbonApplicationMenu;
    HFONT GetFont() const;
    HIMAGELIST GetImages(bool large) const;
    void DrawFace(RibbonPaint& paint, const CRect& rect, bool forceChecked = false) const;
    void DrawText(RibbonPaint& paint, const CRect& rect, const char* text, UINT format) const;
    // The image of the element's strip at (x, y), greyed when the element is disabled.
    void DrawImage(RibbonPaint& paint, bool large, int x, int y) const;

    UINT m_nID;
    CString m_strText;
    CString m_strKeys;
    CString m_strMenuKeys;
    CString m_strToolTip;
    CString m_strDescription;
    int m_nSmallImage = -1;
    int m_nLargeImage = -1;
    int m_nCompact = 0;
    bool m_bEnabled = true;
    bool m_bChecked = false;
    CRect m_rect;
    CMFCRibbonBar* m_pRibbonBar = nullptr;
    CMFCRibbonCategory* m_pCategory = nullptr;
    CMFCRibbonBaseElement* m_pParentElement = nullptr;   // group or drop-down owner
};

class CMFCRibbonButton : public CMFCRibbonBaseElement {
public:
    CMFCRibbonButton(UINT id = 0, const char* text = nullptr, int smallImage = -1, int largeImage = -1);
    ~CMFCRibbonButton() override;

    // Elements of the drop-down (owned). A button with a command and a drop-down is split: the
    // arrow opens the drop-down, the rest runs the command.
    void AddSubItem(CMFCRibbonBaseElement* item);
    int GetSubItemCount() const { return static_cast<int>(m_subItems.size()); }
    CMFCRibbonBaseElement* GetSubItem(int index) const { return m_subItems.at(index).get(); }
    // A menu instead of sub-items (owned). A resource whose first item is a popup shows that popup.
    void SetMenu(HMENU menu, BOOL defaultCommand = FALSE, BOOL rightAlign = FALSE);
    BOOL SetMenu(UINT menuResourceId, BOOL defaultCommand = FALSE, BOOL rightAlign = FALSE);
    HMENU GetMenu() const { return m_hMenuShown; }
    bool HasDropDown() const { return !m_subItems.empty() || m_hMenuShown != nullptr; }
    bool IsRightAligned() const { return m_bRightAlign; }
    void SetLarge(bool large = true) { m_bLarge = large; }
    bool IsLargeButton() const { return m_bLarge; }
    // Drop-down entries show their description under the caption (as a second menu line).
    void SetAlwaysShowDescription(bool show = true) { m_bShowDescription = show; }
    // The drop-down as a popup menu; the caller destroys it. Null without a drop-down.
    HMENU BuildDropDownMenu() const;
    // Whether pt is on the part that opens the drop-down.
    bool IsOnDropDownPart(CPoint pt) const;

    void SetOwner(CMFCRibbonBar* bar, CMFCRibbonCategory* category) override;
    CMFCRibbonBaseElement* FindByID(UINT id) override;
    CSize GetRegularSize(CDC& dc) override;
    bool IsWholeColumn() const override { return ShowsLarge(); }
    void OnDraw(RibbonPaint& paint) override;
    void OnClick(CPoint pt) override;
    void AppendToMenu(HMENU menu) override;

    virtual void OpenDropDownByKey() { OpenDropDown(); }

protected:
    void DrawArrow(RibbonPaint& paint, const CRect& rect) const;
    // The face without the drop-down arrow part.
    CRect GetMainRect() const;
    // A large button not made smaller by a narrow bar: picture over caption, a whole column.
    bool ShowsLarge() const { return m_bLarge && m_nCompact == 0; }
    virtual void OpenDropDown();

    std::vector<std::unique_ptr<CMFCRibbonBaseElement>> m_subItems;
    HMENU m_hMenuOwned = nullptr;
    HMENU m_hMenuShown = nullptr;
    bool m_bDefaultCommand = true;
    bool m_bRightAlign = false;
    bool m_bLarge = false;
    bool m_bShowDescription = false;
};

class CMFCRibbonCheckBox : public CMFCRibbonButton {
public:
    CMFCRibbonCheckBox(UINT id = 0, const char* text = nullptr) : CMFCRibbonButton(id, text) {}
    CSize GetRegularSize(CDC& dc) override;
    void OnDraw(RibbonPaint& paint) override;
    void AppendToMenu(HMENU menu) override;
    // The square, for tests and painting.
    CRect GetBoxRect() const;
};

class CMFCRibbonLabel : public CMFCRibbonBaseElement {
public:
    explicit CMFCRibbonLabel(const char* text) : CMFCRibbonBaseElement(0, text) {}
    void OnDraw(RibbonPaint& paint) override;
    bool IsClickable() const override { return false; }
    void UpdateCmdUI(CRibbonCmdUI&, CFrameWnd*, BOOL) override {}
    void AppendToMenu(HMENU menu) override;
};

// In a panel: a vertical line between columns; in menus: a separator line.
class CMFCRibbonSeparator : public CMFCRibbonBaseElement {
public:
    CMFCRibbonSeparator() : CMFCRibbonBaseElement(0) {}
    CSize GetRegularSize(CDC&) override { return CSize(7, 0); }
    bool IsWholeColumn() const override { return true; }
    void OnDraw(RibbonPaint& paint) override;
    bool IsClickable() const override { return false; }
    void UpdateCmdUI(CRibbonCmdUI&, CFrameWnd*, BOOL) override {}
    void AppendToMenu(HMENU menu) override;
};

// Buttons side by side in one row (bold/italic/underline).
class CMFCRibbonButtonsGroup : public CMFCRibbonBaseElement {
public:
    CMFCRibbonButtonsGroup() : CMFCRibbonBaseElement(0) {}
    void AddButton(CMFCRibbonBaseElement* button);   // owned
    int GetCount() const { return static_cast<int>(m_buttons.size()); }
    CMFCRibbonBaseElement* GetButton(int index) const { return m_buttons.at(index).get(); }

    void SetOwner(CMFCRibbonBar* bar, CMFCRibbonCategory* category) override;
    CMFCRibbonBaseElement* FindByID(UINT id) override;
    CMFCRibbonBaseElement* HitTest(CPoint pt) override;
    CSize GetRegularSize(CDC& dc) override;
    void SetRect(const CRect& rect) override;
    void OnDraw(RibbonPaint& paint) override;
    void UpdateCmdUI(CRibbonCmdUI& ui, CFrameWnd* target, BOOL disableIfNoHandler) override;
    void AppendToMenu(HMENU menu) override;

private:
    std::vector<std::unique_ptr<CMFCRibbonBaseElement>> m_buttons;
};

// A button showing a colour. The face runs the command with the current colour; the arrow opens
// the palette (and the "Other" button, a colour dialog); a choice sets the colour and runs it.
class CMFCRibbonColorButton : public CMFCRibbonButton {
public:
    CMFCRibbonColorButton(UINT id = 0, const char* text = nullptr, int smallImage = -1, COLORREF color = RGB(0, 0, 0));

    COLORREF GetColor() const { return m_color; }
    void SetColor(COLORREF color);
    // The palette shown by the arrow; empty gives the default palette.
    void SetPalette(const std::vector<COLORREF>& colors) { m_palette = colors; }
    const std::vector<COLORREF>& GetPalette() const;
    void EnableOtherButton(const char* label) { m_strOther = label; }
    const CString& GetOtherButtonLabel() const { return m_strOther; }
    // Applies the palette menu's answer: 1-based palette index, or the "Other" item after them.
    // Returns whether a colour was chosen (and the command raised).
    bool OnPaletteChoice(UINT choice);

    CSize GetRegularSize(CDC& dc) override;
    void OnDraw(RibbonPaint& paint) override;
    void OnClick(CPoint pt) override;
    bool IsOnDropDownPart(CPoint pt) const;

protected:
    void OpenDropDown() override;

private:
    COLORREF m_color;
    std::vector<COLORREF> m_palette;
    CString m_strOther;
};

// The application menu's recent documents: a heading and one item per file of the application's
// recent file list (ID_FILE_MRU_FILE1 + index).
class CMFCRibbonRecentFilesList : public CMFCRibbonBaseElement {
public:
    CMFCRibbonRecentFilesList(const char* label, int width) : CMFCRibbonBaseElement(0, label), m_nWidth(width) {}
    int GetWidth() const { return m_nWidth; }
    bool IsClickable() const override { return false; }
    void UpdateCmdUI(CRibbonCmdUI&, CFrameWnd*, BOOL) override {}
    void AppendToMenu(HMENU menu) override;

private:
    int m_nWidth;
};
