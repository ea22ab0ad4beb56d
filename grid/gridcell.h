#pragma once
// The grid's cells: CGridCellBase (the state word and the interface every cell offers), CGridCell
// (an ordinary text cell; its empty members fall back to the grid's default cell) and
// CGridDefaultCell (the per-grid defaults, with the sizes measured from its font).
// A cell belongs to its grid (ordinary mode) or is the one shared virtual-mode cell.
#include "framework/cstring.h"
#include "framework/gdi.h"
#include "framework/object.h"
#include "grid/griddefs.h"
#include <windows.h>

class CGridCtrl;
class CGridDefaultCell;
class CWnd;

class CGridCellBase : public CObject {
public:
    CGridCellBase() = default;
    ~CGridCellBase() override = default;

    virtual void SetText(const char* text) = 0;
    virtual void SetImage(int image) = 0;
    virtual void SetData(DWORD data) = 0;
    virtual void SetState(DWORD state) { m_nState = state; }
    virtual void SetFormat(DWORD format) = 0;
    virtual void SetTextColour(COLORREF colour) = 0;
    virtual void SetBackColour(COLORREF colour) = 0;
    virtual void SetFont(const LOGFONTA* font) = 0;
    virtual void SetMargin(UINT margin) = 0;
    virtual void SetGrid(CGridCtrl* grid) = 0;
    virtual void SetCoords(int row, int col) { (void)row; (void)col; }

    virtual const char* GetText() const = 0;
    virtual const char* GetTipText() const { return GetText(); }
    virtual int GetImage() const = 0;
    virtual DWORD GetData() const = 0;
    virtual DWORD GetState() const { return m_nState; }
    virtual DWORD GetFormat() const = 0;
    virtual COLORREF GetTextColour() const = 0;
    virtual COLORREF GetBackColour() const = 0;
    virtual const LOGFONTA* GetFont() const = 0;
    virtual CFont* GetFontObject() const = 0;
    virtual CGridCtrl* GetGrid() const = 0;
    virtual CWnd* GetEditWnd() const = 0;
    virtual UINT GetMargin() const = 0;
    virtual CGridDefaultCell* GetDefaultCell() const;

    virtual BOOL IsDefaultFont() const = 0;
    virtual BOOL IsEditing() const = 0;
    virtual BOOL IsFocused() const { return (GetState() & GVIS_FOCUSED) != 0; }
    virtual BOOL IsFixed() const { return (GetState() & GVIS_FIXED) != 0; }
    virtual BOOL IsFixedColumn() const { return (GetState() & GVIS_FIXEDCOL) != 0; }
    virtual BOOL IsFixedRow() const { return (GetState() & GVIS_FIXEDROW) != 0; }
    virtual BOOL IsSelected() const { return (GetState() & GVIS_SELECTED) != 0; }
    virtual BOOL IsReadOnly() const { return (GetState() & GVIS_READONLY) != 0; }
    virtual BOOL IsModified() const { return (GetState() & GVIS_MODIFIED) != 0; }
    virtual BOOL IsDropHighlighted() const { return (GetState() & GVIS_DROPHILITED) != 0; }

    virtual void CopyFrom(const CGridCellBase& other) = 0;
    virtual void Reset() { m_nState = 0; }

    virtual BOOL Draw(CDC* dc, int row, int col, CRect rect, BOOL eraseBkgnd = TRUE);
    virtual BOOL GetTextRect(LPRECT rect);
    virtual BOOL GetTipTextRect(LPRECT rect) { return GetTextRect(rect); }
    virtual CSize GetTextExtent(const char* text, CDC* dc = nullptr);
    virtual CSize GetCellExtent(CDC* dc);

    virtual BOOL Edit(int row, int col, CRect rect, CPoint point, UINT id, UINT character)
    { (void)row; (void)col; (void)rect; (void)point; (void)id; (void)character; return FALSE; }
    virtual BOOL ValidateEdit(const char* text) { (void)text; return TRUE; }
    virtual void EndEdit() {}
    virtual BOOL PrintCell(CDC* dc, int row, int col, CRect rect);
    virtual void OnEndEdit() {}
    virtual void OnMouseEnter() {}
    virtual void OnMouseOver() {}
    virtual void OnMouseLeave() {}
    virtual void OnClick(CPoint pointCellRelative) { (void)pointCellRelative; }
    virtual void OnClickDown(CPoint pointCellRelative) { (void)pointCellRelative; }
    virtual void OnRClick(CPoint pointCellRelative) { (void)pointCellRelative; }
    virtual void OnDblClick(CPoint pointCellRelative) { (void)pointCellRelative; }
    virtual BOOL OnSetCursor();

protected:
    DWORD m_nState = 0;
};

class CGridCell : public CGridCellBase {
public:
    CGridCell();
    ~CGridCell() override;
    CGridCell(const CGridCell&) = delete;
    CGridCell& operator=(const CGridCell&) = delete;

    void SetText(const char* text) override { m_strText = text; }
    void SetImage(int image) override { m_nImage = image; }
    void SetData(DWORD data) override { m_lParam = data; }
    void SetFormat(DWORD format) override { m_nFormat = format; }
    void SetTextColour(COLORREF colour) override { m_crFgClr = colour; }
    void SetBackColour(COLORREF colour) override { m_crBkClr = colour; }
    void SetFont(const LOGFONTA* font) override;
    void SetMargin(UINT margin) override { m_nMargin = margin; }
    void SetGrid(CGridCtrl* grid) override { m_pGrid = grid; }

    const char* GetText() const override { return m_strText.GetString(); }
    int GetImage() const override { return m_nImage; }
    DWORD GetData() const override { return m_lParam; }
    DWORD GetFormat() const override;
    COLORREF GetTextColour() const override { return m_crFgClr; }
    COLORREF GetBackColour() const override { return m_crBkClr; }
    const LOGFONTA* GetFont() const override;
    CFont* GetFontObject() const override;
    CGridCtrl* GetGrid() const override { return m_pGrid; }
    CWnd* GetEditWnd() const override { return m_pEditWnd; }
    UINT GetMargin() const override;

    BOOL IsDefaultFont() const override { return m_plfFont == nullptr; }
    BOOL IsEditing() const override { return m_bEditing; }

    void CopyFrom(const CGridCellBase& other) override;
    void Reset() override;

    BOOL Edit(int row, int col, CRect rect, CPoint point, UINT id, UINT character) override;
    void EndEdit() override;
    void OnEndEdit() override;

    // The grid tells the shared virtual-mode cell whether it stands for the cell being edited.
    void SetEditState(BOOL editing, CWnd* editWnd) { m_bEditing = editing; m_pEditWnd = editWnd; }

protected:
    CString m_strText;
    DWORD m_lParam = 0;
    int m_nImage = -1;
    DWORD m_nFormat = static_cast<DWORD>(-1);
    COLORREF m_crFgClr = CLR_DEFAULT;
    COLORREF m_crBkClr = CLR_DEFAULT;
    LOGFONTA* m_plfFont = nullptr;
    UINT m_nMargin = static_cast<UINT>(-1);
    BOOL m_bEditing = FALSE;
    CGridCtrl* m_pGrid = nullptr;
    CWnd* m_pEditWnd = nullptr;
};

class CGridDefaultCell : public CGridCell {
public:
    CGridDefaultCell();
    ~CGridDefaultCell() override = default;

    DWORD GetState() const override { return CGridCell::GetState() | GVIS_READONLY; }
    void SetFont(const LOGFONTA* font) override;
    const LOGFONTA* GetFont() const override { return &m_lfFont; }
    CFont* GetFontObject() const override { return const_cast<CFont*>(&m_Font); }
    DWORD GetFormat() const override { return m_nFormat; }
    UINT GetMargin() const override { return m_nMargin; }

    virtual int GetStyle() const { return m_nStyle; }
    virtual void SetStyle(int style) { m_nStyle = style; }
    virtual int GetWidth() const { return m_Size.cx; }
    virtual int GetHeight() const { return m_Size.cy; }
    virtual void SetWidth(int width) { m_Size.cx = width; }
    virtual void SetHeight(int height) { m_Size.cy = height; }

protected:
    CSize m_Size;
    CFont m_Font;
    LOGFONTA m_lfFont = {};
    int m_nStyle = 0;
};

// The cells a grid makes for itself (ordinary mode); the default is CGridCell.
using GridCellFactory = CGridCellBase* (*)();
CGridCellBase* CreateGridCell();
