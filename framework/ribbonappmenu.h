#pragma once
// CRibbonApplicationMenu: the drop-down panel the application button opens. It shows the main
// category of a ribbon bar:
//
//   +--------------------+-------------------------------+
//   | [32] New         > | Recent Documents              |
//   | [32] Open...       | 1  shelf.proj                 |
//   | [32] Print       > | 2  C:\labels\tags.proj        |
//   | ------------------ |   (or the drop-down of the    |
//   | [32] Close         |    split button shown)        |
//   +--------------------+-------------------------------+
//   |                 [ About ... ]  [16 Exit]           |
//   +----------------------------------------------------+
//
// The left column holds the main panel's buttons with their large pictures; a split button (one
// with a command and a drop-down) runs its command from its face and shows its drop-down in the
// right-hand pane from its arrow, or when the mouse rests on it. The pane otherwise holds the
// recent documents list. The bottom row holds the panel's bottom buttons with their small pictures.
//
// The panel never takes the keyboard focus: while it is open the frame hands it every message
// before translating (CMFCRibbonBar::ProcessKeyTipMessage), so keys reach its key tips and a click
// anywhere else in the frame closes it. Closing asks for the focus back where it was when it opened.
#include "framework/ribbonelements.h"

#include <vector>

class CMFCRibbonBar;
class CMFCRibbonButton;

class CRibbonApplicationMenu {
public:
    enum class Kind {
        Button,      // a button of the left column
        Separator,   // a line in the left column or in a drop-down
        Heading,     // the recent list's title, or a drop-down's label
        Recent,      // an entry of the recent documents list
        SubButton,   // a button of the drop-down shown in the right-hand pane
        Bottom,      // a button of the bottom row
    };
    struct Item {
        Kind kind = Kind::Button;
        CMFCRibbonBaseElement* element = nullptr;   // null for the recent list's title and entries
        int recent = -1;                            // index into the application's recent file list
        CString text;                               // as drawn (without mnemonic ampersands)
        CString keys;                               // key tip (upper case), empty when none
        CString menuKeys;                           // a split button's second tip: opens its drop-down
        CRect rect;                                 // client coordinates
        bool IsSplit() const;
        // The part of a split button that opens its drop-down (empty for other items).
        CRect ArrowRect() const;
        // Where the item's picture goes: 32 x 32 in the column and the drop-down, 16 x 16 in the
        // bottom row; empty for items without one.
        CRect ImageRect() const;
        UINT Command() const;                       // what a click runs (0: nothing)
    };

    static constexpr int kColumnItemHeight = 40;
    static constexpr int kRecentItemHeight = 22;
    static constexpr int kHeadingHeight = 24;
    static constexpr int kBottomHeight = 32;
    static constexpr int kArrowWidth = 18;
    // Resting this long on a plain button of the column gives the pane back to the recent
    // documents: a mouse on its way from a split button to its drop-down may cross other buttons.
    static constexpr UINT kPaneTimer = 1;
    static constexpr UINT kPaneDelay = 350;

    explicit CRibbonApplicationMenu(CMFCRibbonBar* bar);
    ~CRibbonApplicationMenu();
    CRibbonApplicationMenu(const CRibbonApplicationMenu&) = delete;
    CRibbonApplicationMenu& operator=(const CRibbonApplicationMenu&) = delete;

    // Opens the panel with its top left corner at screenPoint (kept on the monitor). keyboard: it
    // was opened by its key tip, so the first button is selected and the key tips show.
    bool Open(CPoint screenPoint, bool keyboard);
    // Closes the panel and asks for the focus back where it was when it opened (not when another
    // program came forward or the frame goes: the focus is not the panel's to hand out then).
    void Close(bool giveFocusBack = true);
    bool IsOpen() const { return m_hWnd != nullptr; }
    HWND GetSafeHwnd() const { return m_hWnd; }
    bool IsShowingKeyTips() const { return m_bKeyTips; }

    // ---- what shows
    int GetItemCount() const { return static_cast<int>(m_items.size()); }
    const Item& GetItem(int index) const { return m_items.at(index); }
    // The first item of the element (any kind), or of the recent entry; -1 when none shows.
    int FindItem(const CMFCRibbonBaseElement* element) const;
    int FindRecentItem(int recent) const;
    // The split button whose drop-down the right-hand pane shows (null: the recent documents).
    CMFCRibbonButton* GetDropDownButton() const { return m_pDropDown; }
    // Shows the button's drop-down in the pane; keyboard: the keys go to its items.
    void ShowDropDown(CMFCRibbonButton* button, bool keyboard);
    // Gives the pane back to the recent documents.
    void HideDropDown();
    // 0: keys go to the column, the recent list and the bottom row; 1: to the drop-down's items.
    int GetKeyLevel() const { return m_nKeyLevel; }
    int GetHotItem() const { return m_nHot; }
    // The window holding the focus when the panel opened (where it goes back).
    HWND GetFocusOnOpen() const { return m_hFocusOnOpen; }
    CRect GetColumnRect() const { return m_column; }
    CRect GetPaneRect() const { return m_pane; }
    CRect GetBottomRect() const { return m_bottom; }

    // ---- input
    // A message of the frame's loop while the panel is open (also just after it closed, to take
    // the rest of the keystroke or click that closed it). TRUE: it was used and must go no further.
    BOOL PreTranslate(const MSG* msg);
    // What a key does in the panel (WM_KEYDOWN / WM_SYSKEYDOWN codes).
    void OnKey(UINT key);
    // Runs an item as a click on it would (on a split button's face: its command).
    void ActivateItem(int index, bool fromArrow = false);

    // ---- painting
    void Render(CDC& dc);
    CSize GetSize() const { return m_size; }

private:
    static void RegisterWindowClass();
    static LRESULT CALLBACK WindowProc(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void UpdateStates();
    void Layout();
    void LayoutPane();
    void AssignKeyTips();
    // The item answers keys at the key tip level now shown (the pane's buttons at the second).
    bool InKeyLevel(int index) const;
    int HitTest(CPoint pt) const;
    void SetHot(int index);
    void OnMouseMove(CPoint pt);
    void OnLButtonUp(CPoint pt);
    bool IsSelectable(int index) const;
    void MoveHot(int step);
    void TypeKey(char ch);
    void RunCommand(UINT id);
    void Invalidate();
    void DrawItem(RibbonPaint& paint, int index);
    void DrawKeyTip(CDC& dc, const CString& keys, CPoint at);

    CMFCRibbonBar* m_pBar;
    HWND m_hWnd = nullptr;
    HWND m_hFocusOnOpen = nullptr;
    HFONT m_hBold = nullptr;
    std::vector<Item> m_items;
    int m_nPaneFirst = 0;             // the pane's items follow the column's and the bottom row's
    CMFCRibbonButton* m_pDropDown = nullptr;
    int m_nKeyLevel = 0;
    int m_nHot = -1;
    int m_nPressed = -1;
    bool m_bKeyTips = false;
    bool m_bTrackingLeave = false;
    CString m_strTyped;
    CRect m_column;
    CRect m_pane;
    CRect m_bottom;
    CSize m_size;
    // The rest of what closed the panel: the button-up of a click outside, the key-up of a key.
    bool m_bSwallowButtonUp = false;
    bool m_bSwallowKeyUp = false;
};
