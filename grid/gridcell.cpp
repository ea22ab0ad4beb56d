#include "grid/gridcell.h"
#include "grid/gridctrl.h"
#include "grid/gridinplaceedit.h"
#include <commctrl.h>
#include <algorithm>
#include <cstring>
#include <memory>

CGridCellBase* CreateGridCell()
{
    return new CGridCell;
}

// ---- CGridCellBase

CGridDefaultCell* CGridCellBase::GetDefaultCell() const
{
    CGridCtrl* grid = GetGrid();
    if (grid == nullptr)
        return nullptr;
    return grid->GetDefaultCell(IsFixedRow(), IsFixedColumn());
}

BOOL CGridCellBase::OnSetCursor()
{
    ::SetCursor(::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW)));
    return TRUE;
}

BOOL CGridCellBase::GetTextRect(LPRECT rect)
{
    CGridCtrl* grid = GetGrid();
    if (GetImage() >= 0 && grid != nullptr && grid->GetImageList() != nullptr) {
        int w = 0, h = 0;
        ImageList_GetIconSize(grid->GetImageList(), &w, &h);
        rect->left += w + static_cast<int>(GetMargin()) + 1;
    }
    return TRUE;
}

namespace {

void DrawTriangle(CDC* dc, int left, int top, int size, bool up, COLORREF colour)
{
    CPen pen(PS_SOLID, 1, colour);
    CPen* old = dc->SelectObject(&pen);
    POINT p[4];
    if (up) {
        p[0] = { left + size / 2, top };
        p[1] = { left + size, top + size };
        p[2] = { left, top + size };
    } else {
        p[0] = { left, top };
        p[1] = { left + size, top };
        p[2] = { left + size / 2, top + size };
    }
    p[3] = p[0];
    dc->Polyline(p, 4);
    dc->SelectObject(old);
}

// A fixed cell's raised look: light on the left and top, dark on the right and bottom.
void DrawRaisedEdge(CDC* dc, const CRect& rect)
{
    CPen light(PS_SOLID, 1, ::GetSysColor(COLOR_3DHIGHLIGHT));
    CPen dark(PS_SOLID, 1, ::GetSysColor(COLOR_3DDKSHADOW));
    CPen* old = dc->SelectObject(&light);
    dc->MoveTo(rect.left, rect.bottom);
    dc->LineTo(rect.left, rect.top);
    dc->LineTo(rect.right, rect.top);
    dc->SelectObject(&dark);
    dc->LineTo(rect.right, rect.bottom);
    dc->LineTo(rect.left - 1, rect.bottom);
    dc->SelectObject(old);
}

}  // namespace

BOOL CGridCellBase::Draw(CDC* dc, int row, int col, CRect rect, BOOL eraseBkgnd)
{
    CGridCtrl* grid = GetGrid();
    if (grid == nullptr || dc == nullptr || dc->m_hDC == nullptr)
        return FALSE;
    if (rect.Width() <= 0 || rect.Height() <= 0)
        return FALSE;
    CGridDefaultCell* def = GetDefaultCell();
    if (def == nullptr)
        return FALSE;

    int saved = dc->SaveDC();
    dc->SetBkMode(TRANSPARENT);

    COLORREF textClr = GetTextColour() == CLR_DEFAULT ? def->GetTextColour() : GetTextColour();
    COLORREF backClr;
    if (GetBackColour() == CLR_DEFAULT) {
        backClr = def->GetBackColour();
    } else {
        backClr = GetBackColour();
        eraseBkgnd = TRUE;
    }
    const bool hasFocus = grid->HasInputFocus() != FALSE;
    const bool lines = grid->GetGridLines() != GVL_NONE;

    if (IsFocused() || IsDropHighlighted()) {
        if (IsSelected()) {
            backClr = hasFocus ? ::GetSysColor(COLOR_HIGHLIGHT) : RGB(0xA0, 0xA0, 0xA0);
            textClr = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
            eraseBkgnd = TRUE;
        }
        rect.right++;
        rect.bottom++;
        if (eraseBkgnd)
            dc->FillSolidRect(&rect, backClr);
        if (lines) {
            rect.right--;
            rect.bottom--;
        }
        if (grid->GetFrameFocusCell()) {
            CBrush brush(textClr);
            dc->FrameRect(&rect, &brush);
        }
        dc->SetTextColor(textClr);
        if (!lines) {
            rect.right--;
            rect.bottom--;
        }
    } else if (IsSelected()) {
        rect.right++;
        rect.bottom++;
        dc->FillSolidRect(&rect, hasFocus ? ::GetSysColor(COLOR_HIGHLIGHT) : RGB(0xA0, 0xA0, 0xA0));
        rect.right--;
        rect.bottom--;
        dc->SetTextColor(::GetSysColor(COLOR_HIGHLIGHTTEXT));
    } else {
        if (eraseBkgnd) {
            rect.right++;
            rect.bottom++;
            dc->FillSolidRect(&rect, backClr);
            rect.right--;
            rect.bottom--;
        }
        dc->SetTextColor(textClr);
    }

    if (IsFixed() && lines) {
        CGridCellRange sel = grid->GetSelectedCellRange();
        const int lastRow = grid->GetRowCount() - 1;
        const int lastCol = grid->GetColumnCount() - 1;
        const bool wholeRows = sel.GetMinCol() == 1 && sel.GetMaxCol() == lastCol && grid->IsCellSelected(row, 1);
        const bool wholeCols = sel.GetMinRow() == 1 && sel.GetMaxRow() == lastRow && grid->IsCellSelected(1, col);
        CRect edge = rect;
        edge.right++;
        edge.bottom++;
        if (sel.IsValid() && (wholeRows || wholeCols)) {
            ::DrawEdge(dc->m_hDC, &edge, BDR_SUNKENINNER, BF_RECT);
        } else {
            DrawRaisedEdge(dc, rect);
        }
        rect.DeflateRect(1, 1);
    }

    if (!dc->IsPrinting()) {
        if (CFont* font = GetFontObject())
            dc->SelectObject(font);
    }

    const int margin = static_cast<int>(GetMargin());
    rect.DeflateRect(margin, margin);
    rect.right++;
    rect.bottom++;

    if (grid->GetImageList() != nullptr && GetImage() >= 0) {
        int w = 0, h = 0;
        ImageList_GetIconSize(grid->GetImageList(), &w, &h);
        if (w <= rect.Width() && h <= rect.Height())
            ImageList_Draw(grid->GetImageList(), GetImage(), dc->m_hDC, rect.left, rect.top, ILD_NORMAL);
    }

    if (row == 0 && col == grid->GetSortColumn() && col >= 0) {
        CSize m = dc->GetTextExtent("M", 1);
        int size = std::min(static_cast<int>(m.cy) - 4, rect.Height() - 4);
        const LOGFONTA* lf = GetFont();
        const bool vertical = lf != nullptr && lf->lfEscapement == 900;
        if (size > 0 && size + rect.left < rect.right) {
            int left = vertical ? rect.left + (rect.Width() - size) / 2 : rect.right - size;
            int top = rect.bottom - size;
            bool up = grid->GetSortAscending() != FALSE;
            DrawTriangle(dc, left + 1, top + 1, size, up, ::GetSysColor(COLOR_3DHIGHLIGHT));
            DrawTriangle(dc, left, top, size, up, ::GetSysColor(COLOR_3DSHADOW));
            if (!vertical)
                rect.right -= size;
        }
    }

    GetTextRect(&rect);
    rect.right++;
    rect.bottom++;
    CString text = GetText();
    dc->DrawText(text, &rect, GetFormat() | DT_NOPREFIX);

    dc->RestoreDC(saved);
    return TRUE;
}

CSize CGridCellBase::GetTextExtent(const char* text, CDC* dc)
{
    CGridCtrl* grid = GetGrid();
    CGridDefaultCell* def = GetDefaultCell();
    std::unique_ptr<CClientDC> borrowed;
    if (dc == nullptr && text != nullptr && *text != '\0' && grid != nullptr && grid->m_hWnd != nullptr) {
        borrowed = std::make_unique<CClientDC>(grid->m_hWnd);
        dc = borrowed.get();
    }
    if (text == nullptr || *text == '\0' || dc == nullptr) {
        if (def == nullptr)
            return CSize(0, 0);
        return CSize(def->GetWidth(), def->GetHeight());
    }
    HGDIOBJ oldFont = nullptr;
    if (CFont* font = GetFontObject()) {
        // Measuring a whole column: the font is usually selected already.
        if (::GetCurrentObject(dc->m_hDC, OBJ_FONT) != font->m_hObject)
            oldFont = ::SelectObject(dc->m_hDC, font->m_hObject);
    }
    CSize size;
    const DWORD format = GetFormat();
    if ((format & DT_SINGLELINE) || !(format & DT_WORDBREAK)) {
        size = dc->GetTextExtent(text, static_cast<int>(std::strlen(text)));
    } else {
        int widest = 0;
        const char* line = text;
        while (true) {
            const char* end = std::strchr(line, '\n');
            int len = end ? static_cast<int>(end - line) : static_cast<int>(std::strlen(line));
            widest = std::max(widest, static_cast<int>(dc->GetTextExtent(line, len).cx));
            if (end == nullptr)
                break;
            line = end + 1;
        }
        CRect calc(0, 0, widest + 1, 0);
        dc->DrawText(text, -1, &calc, format | DT_CALCRECT);
        size = CSize(calc.Width(), calc.Height());
    }
    if (oldFont != nullptr)
        ::SelectObject(dc->m_hDC, oldFont);
    const int margin = static_cast<int>(GetMargin());
    size.cx += 2 * margin;
    size.cy += 2 * margin;
    const LOGFONTA* lf = GetFont();
    if (lf != nullptr && (lf->lfEscapement == 900 || lf->lfEscapement == -900))
        size = CSize(size.cy, size.cx + 4 * margin);
    return size;
}

CSize CGridCellBase::GetCellExtent(CDC* dc)
{
    CSize size = GetTextExtent(GetText(), dc);
    CGridCtrl* grid = GetGrid();
    if (grid != nullptr && grid->GetImageList() != nullptr && GetImage() >= 0) {
        int w = 0, h = 0;
        ImageList_GetIconSize(grid->GetImageList(), &w, &h);
        const int margin = static_cast<int>(GetMargin());
        size.cx += w;
        if (2 * margin < size.cx - w)
            size.cx += margin;
        size.cy = std::max(static_cast<int>(size.cy), h + 2 * margin);
    }
    size.cx += 1;
    size.cy += 1;
    if (IsFixed()) {
        size.cx += 1;
        size.cy += 1;
    }
    return size;
}

BOOL CGridCellBase::PrintCell(CDC* dc, int row, int col, CRect rect)
{
    (void)row;
    (void)col;
    CGridCtrl* grid = GetGrid();
    CGridDefaultCell* def = GetDefaultCell();
    if (grid == nullptr || dc == nullptr || def == nullptr)
        return FALSE;
    if (rect.Width() <= 0 || rect.Height() <= 0)
        return FALSE;
    int saved = dc->SaveDC();
    dc->SetBkMode(TRANSPARENT);
    COLORREF textClr = RGB(0, 0, 0);
    bool hasBack = false;
    COLORREF backClr = 0;
    if (grid->GetPrintColours()) {
        if (IsFixed()) {
            backClr = GetBackColour() == CLR_DEFAULT ? def->GetBackColour() : GetBackColour();
            hasBack = true;
        } else if (GetBackColour() != CLR_DEFAULT && GetBackColour() != def->GetBackColour()) {
            backClr = GetBackColour();
            hasBack = true;
        }
        textClr = GetTextColour() == CLR_DEFAULT ? def->GetTextColour() : GetTextColour();
        if (hasBack) {
            CRect fill = rect;
            fill.right++;
            fill.bottom++;
            dc->FillSolidRect(&fill, backClr);
        } else if (dc->GetDeviceCaps(NUMCOLORS) == 2) {
            const BYTE r = GetRValue(textClr), g = GetGValue(textClr), b = GetBValue(textClr);
            textClr = RGB(static_cast<BYTE>(r * 0.30), static_cast<BYTE>(g * 0.59), static_cast<BYTE>(b * 0.11));
        }
    }
    dc->SetTextColor(textClr);
    if (IsFixed()) {
        DrawRaisedEdge(dc, rect);
    }
    const int margin = static_cast<int>(GetMargin());
    rect.DeflateRect(margin, 0);
    if (grid->GetImageList() != nullptr && GetImage() >= 0) {
        int w = 0, h = 0;
        ImageList_GetIconSize(grid->GetImageList(), &w, &h);
        ImageList_Draw(grid->GetImageList(), GetImage(), dc->m_hDC, rect.left, rect.top, ILD_NORMAL);
        rect.left += w + margin;
    }
    CString text = GetText();
    dc->DrawText(text, &rect, GetFormat() | DT_NOPREFIX);
    dc->RestoreDC(saved);
    return TRUE;
}

// ---- CGridCell

CGridCell::CGridCell() = default;

CGridCell::~CGridCell()
{
    delete m_plfFont;
}

void CGridCell::SetFont(const LOGFONTA* font)
{
    if (font == nullptr) {
        delete m_plfFont;
        m_plfFont = nullptr;
        return;
    }
    if (m_plfFont == nullptr)
        m_plfFont = new LOGFONTA;
    std::memcpy(m_plfFont, font, sizeof(LOGFONTA));
}

DWORD CGridCell::GetFormat() const
{
    if (m_nFormat == static_cast<DWORD>(-1)) {
        CGridDefaultCell* def = GetDefaultCell();
        return def ? def->GetFormat() : GRID_DEFAULT_FORMAT;
    }
    return m_nFormat;
}

UINT CGridCell::GetMargin() const
{
    if (m_nMargin == static_cast<UINT>(-1)) {
        CGridDefaultCell* def = GetDefaultCell();
        return def ? def->GetMargin() : 0;
    }
    return m_nMargin;
}

const LOGFONTA* CGridCell::GetFont() const
{
    if (m_plfFont != nullptr)
        return m_plfFont;
    CGridDefaultCell* def = GetDefaultCell();
    return def ? def->GetFont() : nullptr;
}

CFont* CGridCell::GetFontObject() const
{
    if (m_plfFont == nullptr) {
        CGridDefaultCell* def = GetDefaultCell();
        return def ? def->GetFontObject() : nullptr;
    }
    // One font object for all cells with their own font: valid until the next call. Asking again
    // for the same LOGFONT keeps the object (creating fonts is what a repaint would spend its time on).
    static CFont s_font;
    static LOGFONTA s_logFont;
    if (s_font.m_hObject == nullptr || std::memcmp(&s_logFont, m_plfFont, sizeof(LOGFONTA)) != 0) {
        s_font.DeleteObject();
        s_font.CreateFontIndirect(m_plfFont);
        s_logFont = *m_plfFont;
    }
    return &s_font;
}

void CGridCell::CopyFrom(const CGridCellBase& other)
{
    if (&other == this)
        return;
    SetGrid(other.GetGrid());
    SetText(other.GetText());
    SetImage(other.GetImage());
    SetData(other.GetData());
    SetState(other.GetState());
    SetFormat(other.GetFormat());
    SetTextColour(other.GetTextColour());
    SetBackColour(other.GetBackColour());
    SetFont(other.IsDefaultFont() ? nullptr : other.GetFont());
    SetMargin(other.GetMargin());
}

void CGridCell::Reset()
{
    CGridCellBase::Reset();
    m_strText.Empty();
    m_lParam = 0;
    m_nImage = -1;
    m_nFormat = static_cast<DWORD>(-1);
    m_crFgClr = CLR_DEFAULT;
    m_crBkClr = CLR_DEFAULT;
    delete m_plfFont;
    m_plfFont = nullptr;
    m_nMargin = static_cast<UINT>(-1);
    m_bEditing = FALSE;
    m_pEditWnd = nullptr;
}

BOOL CGridCell::Edit(int row, int col, CRect rect, CPoint point, UINT id, UINT character)
{
    (void)point;
    if (m_bEditing && m_pEditWnd != nullptr && ::IsWindow(m_pEditWnd->m_hWnd)) {
        // A typed character goes on into the open box; a key that would open one has nothing to add.
        if ((character & GRID_EDIT_KEY) == 0)
            m_pEditWnd->SendMessage(WM_CHAR, character);
        return TRUE;
    }
    if (m_pGrid == nullptr)
        return FALSE;
    const DWORD format = GetFormat();
    DWORD style = ES_LEFT;
    if (format & DT_RIGHT)
        style = ES_RIGHT;
    else if (format & DT_CENTER)
        style = ES_CENTER;
    m_bEditing = TRUE;
    // The editor reports back to the grid and deletes itself.
    CGridInPlaceEdit* edit = new CGridInPlaceEdit(m_pGrid, rect, style, id, row, col, GetText(), character);
    if (edit->m_hWnd == nullptr) {
        delete edit;
        m_bEditing = FALSE;
        return FALSE;
    }
    m_pEditWnd = edit;
    m_pGrid->SetInPlaceEdit(edit, row, col);
    return TRUE;
}

void CGridCell::EndEdit()
{
    if (m_pEditWnd != nullptr)
        static_cast<CGridInPlaceEdit*>(m_pEditWnd)->EndEdit();
}

void CGridCell::OnEndEdit()
{
    m_bEditing = FALSE;
    m_pEditWnd = nullptr;
}

// ---- CGridDefaultCell

CGridDefaultCell::CGridDefaultCell()
{
    m_nFormat = GRID_DEFAULT_FORMAT;
    m_crFgClr = CLR_DEFAULT;
    m_crBkClr = CLR_DEFAULT;
    m_Size = CSize(30, 10);
    m_nStyle = 0;
    NONCLIENTMETRICSA ncm = {};
    ncm.cbSize = sizeof(ncm);
    if (!::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0)) {
        ::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof(LOGFONTA), &ncm.lfMessageFont);
    }
    SetFont(&ncm.lfMessageFont);
}

void CGridDefaultCell::SetFont(const LOGFONTA* font)
{
    if (font == nullptr)
        return;
    m_Font.DeleteObject();
    m_Font.CreateFontIndirect(font);
    std::memcpy(&m_lfFont, font, sizeof(LOGFONTA));
    HDC screen = ::GetDC(nullptr);
    if (screen == nullptr) {
        m_nMargin = 3;
        m_Size = CSize(40, 16);
        return;
    }
    HGDIOBJ old = ::SelectObject(screen, m_Font.m_hObject);
    SIZE space = {}, text = {};
    ::GetTextExtentPoint32A(screen, " ", 1, &space);
    ::GetTextExtentPoint32A(screen, " XXXXXXXXXXXX ", 14, &text);
    ::SelectObject(screen, old);
    ::ReleaseDC(nullptr, screen);
    m_nMargin = static_cast<UINT>(space.cx);
    m_Size = CSize(text.cx, text.cy * 3 / 2);
}
