#pragma once
// Ribbon edits and combo boxes: real child controls of the ribbon window, shown in front of a
// drawn label. They keep the keyboard focus while the user types, so update handlers that only
// write them while the design view has the focus never overwrite typing. Enter (or a choice from
// the list, or a spin click) raises the element's command; the handler reads the text by id.
// Each element owns its control windows; they are created when the ribbon window exists.
// A box is at least as wide as it was given and wider where its widest text (a list item, or a
// sample of the values it shows) would not show whole. Entering a box, by a click or a key tip,
// selects its whole text, so that typing replaces the value.
#include "framework/ribbonelements.h"
#include "framework/wnd.h"
#include <utility>
#include <vector>

class CMFCRibbonEdit;

// The control window (and, for combo boxes, its inner edit) seen from the ribbon.
class CRibbonControlWnd : public CWnd {
public:
    CMFCRibbonEdit* m_pElement = nullptr;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    bool m_bEntering = false;   // a click is bringing the focus into the box
    CPoint m_ptEntered;         // where that click went down
};

class CMFCRibbonEdit : public CMFCRibbonBaseElement {
public:
    // width: pixels of the box; label: the caption drawn in front of it ("caption\nkeys").
    CMFCRibbonEdit(UINT id, int width, const char* label = nullptr, int image = -1);
    ~CMFCRibbonEdit() override;

    void EnableSpinButtons(int min, int max);
    bool HasSpinButtons() const { return m_bSpin; }
    std::pair<int, int> GetSpinRange() const { return { m_nSpinMin, m_nSpinMax }; }
    int GetWidth() const { return m_nWidth; }
    // The box's width after the last layout: the width given, or more to show its widest text.
    int GetBoxWidth() const { return m_nBoxWidth; }
    // The widest value the box is to show whole (lengths with their unit, for example).
    void SetSampleText(const char* text) { m_strSample = text ? text : ""; }
    // The texts the box is sized to show whole: the sample, and a combo box's list items.
    virtual std::vector<CString> GetWidestTexts() const;

    CString GetEditText() const;
    // Copies at most size - 1 characters and a terminating NUL; returns the characters copied.
    int CopyEditText(char* buffer, int size) const;
    void SetEditText(const char* text);
    // The control window (the combo box for combo boxes); null before the ribbon window exists.
    HWND GetControlHwnd() const { return m_wndControl.m_hWnd; }
    // The edit window that holds the text (a combo box's inner edit); null for a list-only combo.
    virtual HWND GetTextHwnd() const { return m_wndControl.m_hWnd; }
    // Gives the box the keyboard focus with its whole text selected.
    void FocusAndSelectAll();
    void SelectAll();
    HWND GetSpinHwnd() const { return m_hSpin; }
    // Whether the keyboard focus is in the control.
    bool HasFocus() const;

    // Called by the control: Enter raises the command, Escape leaves; both give the focus back.
    virtual void OnEnter();
    virtual void OnEscape();

    // An update handler that answers without enabling leaves the box as it is (handlers that
    // wait for the view's focus); only a box with neither handler is disabled, and emptied.
    void UpdateCmdUI(CRibbonCmdUI& ui, CFrameWnd* target, BOOL disableIfNoHandler) override;
    void SetEnabled(bool enabled) override;
    void SetTextFromUpdate(const char* text) override;
    void ClearCommandState() override { SetEditText(""); }
    CMFCRibbonBaseElement* FindByControl(HWND wnd) override;
    CSize GetRegularSize(CDC& dc) override;
    int GetLabelWidth(CDC& dc) const;
    // Edits in one panel column line up their boxes behind the widest label.
    void SetLabelColumn(int width) { m_nLabelColumn = width; }
    void SetRect(const CRect& rect) override;
    void OnShow(bool show) override;
    void OnDraw(RibbonPaint& paint) override;
    void OnClick(CPoint pt) override;
    void AppendToMenu(HMENU) override {}
    void CreateControls() override;
    CRect GetControlRect() const;

protected:
    virtual BOOL CreateControlWindow(HWND parent);
    void AfterControlCreated();
    // The pixels of the box that are no room for text: borders, margins, a drop-down button.
    int MeasureChrome() const;

    int m_nWidth;
    int m_nBoxWidth;
    CString m_strSample;
    int m_nLabelColumn = -1;
    int m_nLabelUsed = 0;              // label pixels of the last layout
    bool m_bSpin = false;
    int m_nSpinMin = 0;
    int m_nSpinMax = 0;
    CString m_strEdit;                 // the text while there is no control
    CRibbonControlWnd m_wndControl;
    HWND m_hSpin = nullptr;
    bool m_bShown = false;
    bool m_bShowApplied = false;
    CRect m_rectPlaced;                // where the box window was last moved to, and in which parent
    HWND m_hPlacedIn = nullptr;
};

class CMFCRibbonComboBox : public CMFCRibbonEdit {
public:
    CMFCRibbonComboBox(UINT id, BOOL hasEditBox = TRUE, int width = -1, const char* label = nullptr, int image = -1);

    int AddItem(const char* item, DWORD_PTR data = 0);
    int GetCount() const { return static_cast<int>(m_items.size()); }
    CString GetItem(int index) const;
    DWORD_PTR GetItemData(int index) const;
    void RemoveAllItems();
    int FindItem(const char* item) const;   // case-insensitive; -1 when absent
    BOOL SelectItem(int index);
    BOOL SelectItem(const char* item);
    int GetCurSel() const;
    bool HasEditBox() const { return m_bHasEditBox; }

    // A choice from the list shows it in the box and raises the command.
    void OnSelectionChosen();

    CMFCRibbonBaseElement* FindByControl(HWND wnd) override;
    HWND GetTextHwnd() const override { return m_wndInnerEdit.m_hWnd; }
    std::vector<CString> GetWidestTexts() const override;

protected:
    BOOL CreateControlWindow(HWND parent) override;

    bool m_bHasEditBox;
    std::vector<std::pair<CString, DWORD_PTR>> m_items;
    int m_nCurSel = -1;
    CRibbonControlWnd m_wndInnerEdit;
};

// A combo box listing the installed font families (sorted, each once, vertical "@" faces left out).
class CMFCRibbonFontComboBox : public CMFCRibbonComboBox {
public:
    CMFCRibbonFontComboBox(UINT id, int fontTypes = DEVICE_FONTTYPE | RASTER_FONTTYPE | TRUETYPE_FONTTYPE,
                           BYTE charSet = DEFAULT_CHARSET, BYTE pitchAndFamily = DEFAULT_PITCH, int width = 150);
    void RebuildFonts();
    // The box is not widened for the longest face name of the system; the open list shows them
    // whole instead.
    std::vector<CString> GetWidestTexts() const override;

protected:
    BOOL CreateControlWindow(HWND parent) override;

private:
    int m_nFontTypes;
    BYTE m_charSet;
    BYTE m_pitchAndFamily;
};
