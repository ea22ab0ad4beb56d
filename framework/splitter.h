#pragma once
// CSplitterWnd: a window that divides its client area into a grid of panes, each a child window
// whose id says its place (AFX_IDW_PANE_FIRST + 16 x row + column), with bars between them that the
// user drags. Only static splitters: the grid is fixed at creation, though the layout in use may be
// smaller (the panes outside it are hidden). The panes are views owned by their windows.
// CSplitterWndEx: the same with flat bars.
#include "framework/doctempl.h"
#include "framework/stdids.h"
#include "framework/wnd.h"

#include <vector>

class CSplitterWnd : public CWnd {
public:
    CSplitterWnd() = default;

    // Room for rows x cols panes (each 1..16); the layout in use starts as the whole grid.
    BOOL CreateStatic(CWnd* parent, int rows, int cols, DWORD style = WS_CHILD | WS_VISIBLE,
                      UINT id = AFX_IDW_PANE_FIRST);
    // A view made by factory as pane (row, col), sized as the pane's ideal size; joins the
    // context's document when a context is given.
    BOOL CreateView(int row, int col, const ViewFactory& factory, SIZE size, CCreateContext* context = nullptr);

    static int IdFromRowCol(int row, int col) { return AFX_IDW_PANE_FIRST + 16 * row + col; }
    CWnd* GetPane(int row, int col) const;

    int GetRowCount() const { return m_rows; }
    int GetColumnCount() const { return m_cols; }
    int GetMaxRowCount() const { return static_cast<int>(m_rowInfo.size()); }
    int GetMaxColumnCount() const { return static_cast<int>(m_colInfo.size()); }
    // The layout in use, within the created grid; RecalcLayout shows it.
    void SetLayout(int rows, int cols);

    void SetRowInfo(int row, int ideal, int minimum);
    void SetColumnInfo(int col, int ideal, int minimum);
    void GetRowInfo(int row, int& current, int& minimum) const;
    void GetColumnInfo(int col, int& current, int& minimum) const;

    // Places the panes of the layout for the client size and hides the others.
    virtual void RecalcLayout();

    // Thickness of a bar between panes.
    static const int kBarSize = 6;
    // A press this many pixels below (or right of) a bar still takes the bar: panes that keep
    // their top edge for it pass such presses on.
    static const int kBarSlack = 5;

    // The bar under a client point: row bar r (between rows r and r + 1) as 0x100 + r, column bar
    // c as 0x200 + c, or -1.
    int HitTestBar(POINT pt) const;

    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    void PostNcDestroy() override {}

    void OnSize(UINT type, int cx, int cy);
    void OnLButtonDown(UINT flags, CPoint pt);
    void OnMouseMove(UINT flags, CPoint pt);
    void OnLButtonUp(UINT flags, CPoint pt);
    void OnCaptureChanged(CWnd* wnd);
    BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message);
    BOOL OnEraseBkgnd(CDC* dc);

    DECLARE_MESSAGE_MAP()

protected:
    struct Info {
        int ideal = 0;
        int minimum = 0;
        int current = 0;
    };
    // Sizes along one axis: each but the last pane its ideal size while room lasts, the last the
    // rest; a pane below its minimum gets nothing.
    static void LayOut(std::vector<Info>& info, int count, int total);
    // Start of pane i along an axis (bars included).
    static int PaneStart(const std::vector<Info>& info, int i);
    virtual void DrawBars(CDC* dc, const RECT& client);

    std::vector<Info> m_rowInfo;
    std::vector<Info> m_colInfo;
    int m_rows = 0;
    int m_cols = 0;
    int m_dragBar = -1;        // the bar being dragged, as HitTestBar gives it
    int m_dragOffset = 0;      // press position within the bar
};

class CSplitterWndEx : public CSplitterWnd {
protected:
    void DrawBars(CDC* dc, const RECT& client) override;
};
