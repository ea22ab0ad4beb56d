// The sheet preview: the printed page of the current template fitted into the pane, with the
// label of the current table row filled yellow, its zoom commands and the splitter grip along
// its top edge.
#include "ui/labelpreview.h"

#include "document/labeldoc.h"
#include "document/labeldocviews.h"
#include "framework/app.h"
#include "framework/menu.h"
#include "framework/msgmap.h"
#include "labelmodel/labelstock.h"
#include "labelmodel/template.h"
#include "ui/commandids.h"
#include "ui/mainframe.h"
#include "ui/previewids.h"
#include "ui/resourceids.h"
#include "ui/zoomcommands.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>

namespace {

const COLORREF kPaneColour = RGB(0xE0, 0xE0, 0xE0);
const COLORREF kCurrentLabelColour = RGB(0xFF, 0xFF, 0x00);

// Micrometres to pixels at dpi, rounded as the label model rounds; in 64 bits since a page at a
// high zoom (or a roll of many rows) passes 32 bits long before it reaches the pixel result.
long long PxWide(long long um, long long dpi)
{
    return (um * dpi + (um >= 0 ? 12700 : -12700)) / 25400;
}

int ClampInt(long long v)
{
    return static_cast<int>(std::max<long long>(INT_MIN, std::min<long long>(INT_MAX, v)));
}

int Px(long long um, long long dpi)
{
    return ClampInt(PxWide(um, dpi));
}

// Paper of the stock in micrometres, portrait or turned as its settings say.
void GetPaperSize(const CLabel& stock, long long& width, long long& height)
{
    if (stock.IsSheet()) {
        width = stock.GetPaperWidth();
        height = stock.GetPaperHeight();
    } else {
        // A roll is as long as one block of rows with its gap and the margin above it.
        width = 210000;
        height = static_cast<long long>(stock.GetRows()) * stock.GetPitchV() + stock.GetBlockGap() +
                 stock.GetTop(0);
    }
    if (stock.HasPaperSettings() && stock.GetOrientation() == 2)
        std::swap(width, height);
}

// Fills the label cell at the outline's pixels, in the stock's shape, without a border.
void FillCell(CDC* dc, const CLabel& stock, int dpi, int left, int top, long long xUm, long long yUm)
{
    const int l = left + Px(xUm, dpi);
    const int t = top + Px(yUm, dpi);
    const int r = left + Px(xUm + stock.GetWidth(0), dpi);
    const int b = top + Px(yUm + stock.GetHeight(0), dpi);
    CBrush brush(kCurrentLabelColour);
    HGDIOBJ oldBrush = dc->SelectObject(static_cast<HGDIOBJ>(brush.GetSafeHandle()));
    HGDIOBJ oldPen = dc->SelectObject(::GetStockObject(NULL_PEN));
    const int corner = 2 * Px(stock.GetCornerRadius(), dpi);
    // With the null pen the filled shapes stop one pixel short on the right and bottom.
    switch (stock.GetShape(0)) {
    case 1: dc->RoundRect(l, t, r + 1, b + 1, corner, corner); break;
    case 2: dc->Ellipse(l, t, r + 2, b + 2); break;
    default: dc->Rectangle(l, t, r + 2, b + 2); break;
    }
    dc->SelectObject(oldPen);
    dc->SelectObject(oldBrush);
}

} // namespace

BEGIN_MESSAGE_MAP(CLabelPreview, CScrollView)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_ERASEBKGND()
    ON_WM_LBUTTONDOWN()
    ON_WM_RBUTTONUP()
    ON_WM_CONTEXTMENU()
    ON_COMMAND_RANGE(ID_ZOOM_100, ID_ZOOM_400, OnZoomCommand)
    ON_COMMAND_RANGE(ID_ZOOM_50, ID_ZOOM_75, OnZoomCommand)
    ON_UPDATE_COMMAND_UI_RANGE(ID_ZOOM_100, ID_ZOOM_400, OnUpdateZoomCommand)
    ON_UPDATE_COMMAND_UI_RANGE(ID_ZOOM_50, ID_ZOOM_75, OnUpdateZoomCommand)
    ON_COMMAND(ID_ZOOM, OnZoomCombo)
    ON_UPDATE_COMMAND_UI(ID_ZOOM, OnUpdateZoomCombo)
    ON_COMMAND(ID_SHOW_PREVIEW, OnShowPreview)
    ON_UPDATE_COMMAND_UI(ID_SHOW_PREVIEW, OnUpdateShowPreview)
    ON_COMMAND(ID_SHOW_DESIGN, OnShowDesign)
    ON_COMMAND(ID_SHOW_TABLE, OnShowTable)
    ON_UPDATE_COMMAND_UI(ID_SHOW_DESIGN, OnUpdateShowOther)
    ON_UPDATE_COMMAND_UI(ID_SHOW_TABLE, OnUpdateShowOther)
END_MESSAGE_MAP()

CLabelPreview::CLabelPreview() = default;
CLabelPreview::~CLabelPreview() = default;

COstrelindSoftLabelDoc* CLabelPreview::GetLabelDoc() const
{
    return dynamic_cast<COstrelindSoftLabelDoc*>(GetDocument());
}

int CLabelPreview::OnCreate(LPCREATESTRUCTA cs)
{
    if (CScrollView::OnCreate(cs) == -1)
        return -1;
    UpdateScrollSizes();
    return 0;
}

void CLabelPreview::OnUpdate(CView* sender, LPARAM hint, CObject* hintObject)
{
    // Hints meant for other kinds of views leave the page alone.
    if (hint == 0 || (hint & kHintLabelPreviews) != 0)
        CScrollView::OnUpdate(sender, hint, hintObject);
}

void CLabelPreview::SetZoom(int percent)
{
    m_zoom = percent;
    if (m_hWnd != nullptr) {
        Invalidate(TRUE);
        UpdateScrollSizes();
    }
}

void CLabelPreview::UpdateScrollSizes()
{
    if (m_hWnd == nullptr || m_inSizing)
        return;
    // The scroll bars change the client area, which sends WM_SIZE back here.
    // Bars that come or go with the new sizes change the client area once more: settle on it.
    m_inSizing = true;
    RECT client = {};
    GetClientRect(&client);
    for (int pass = 0; pass < 3; ++pass) {
        const long long cx = static_cast<long long>(client.right) * m_zoom / 100;
        const long long cy = static_cast<long long>(client.bottom) * m_zoom / 100;
        SetScrollSizes(MM_TEXT, CSize(ClampInt(cx), ClampInt(cy)));
        RECT after = {};
        GetClientRect(&after);
        if (after.right == client.right && after.bottom == client.bottom)
            break;
        client = after;
    }
    m_inSizing = false;
}

void CLabelPreview::OnSize(UINT type, int cx, int cy)
{
    CScrollView::OnSize(type, cx, cy);
    UpdateScrollSizes();
}

BOOL CLabelPreview::OnEraseBkgnd(CDC* dc)
{
    RECT client = {};
    GetClientRect(&client);
    CBrush brush(kPaneColour);
    dc->FillRect(&client, &brush);
    return TRUE;
}

void CLabelPreview::OnDraw(CDC* dc)
{
    m_lastAreaZoom = 0;
    m_lastDpi = 0;
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    if (doc == nullptr || dc == nullptr || m_hWnd == nullptr)
        return;
    RECT client = {};
    GetClientRect(&client);
    DrawPage(dc, doc, client.right, client.bottom);
}

void CLabelPreview::DrawPage(CDC* dc, COstrelindSoftLabelDoc* doc, int clientWidth, int clientHeight)
{
    CTemplate* tmpl = doc->GetCurrentTemplate();
    const CLabel* stock = tmpl ? tmpl->GetLabelStock() : nullptr;
    if (stock == nullptr) {
        CString text = LoadStringOr(IDS_PREVIEW_NO_LABEL, "Preview: No label selected");
        const int saved = dc->SaveDC();
        RECT box = {20, 20, 400, 400};
        dc->SetBkMode(TRANSPARENT);
        dc->DrawText(text, &box, DT_LEFT | DT_TOP);
        dc->RestoreDC(saved);
        return;
    }

    long long paperWidth = 0, paperHeight = 0;
    GetPaperSize(*stock, paperWidth, paperHeight);
    if (paperWidth <= 0 || paperHeight <= 0)
        return;

    // The resolution that fits the page into the pane, rounded to a whole zoom of the screen's.
    const long long logPixels = std::max(1, dc->GetDeviceCaps(LOGPIXELSX));
    const long long fitV = (static_cast<long long>(clientHeight) - 8) * m_zoom * 254 / paperHeight;
    const long long fitH = (static_cast<long long>(clientWidth) - 16) * m_zoom * 254 / paperWidth;
    const long long fitted = std::min(fitV, fitH);
    const long long areaZoom = (fitted * 100 + logPixels / 2) / logPixels;
    // A pane too small for one dot per inch shows only its background: a zoom of 0 must not
    // reach the objects' drawing.
    if (fitted < 1 || areaZoom < 1 || areaZoom > INT_MAX / 1000)
        return;
    const int z = static_cast<int>(areaZoom);
    const int dpi = static_cast<int>((logPixels * z + 50) / 100);
    if (dpi < 1)
        return;
    m_lastAreaZoom = z;
    m_lastDpi = dpi;

    // The page.
    const int pageRight = kPageLeft + Px(paperWidth, dpi) + 1;
    const int pageBottom = kPageTop + Px(paperHeight, dpi) + 1;
    {
        CPen pen(PS_SOLID, 1, RGB(0, 0, 0));
        HGDIOBJ oldPen = dc->SelectObject(static_cast<HGDIOBJ>(pen.GetSafeHandle()));
        HGDIOBJ oldBrush = dc->SelectObject(::GetStockObject(WHITE_BRUSH));
        dc->Rectangle(kPageLeft, kPageTop, pageRight, pageBottom);
        dc->SelectObject(oldBrush);
        dc->SelectObject(oldPen);
    }

    const long long columns = stock->GetColumns();
    const long long rows = stock->GetRows();
    const long long blocks = stock->GetVerticalBlocks();
    const long long perPage = blocks * rows * columns;
    if (perPage <= 0)
        return;
    const long long currentRow = std::max(0, doc->GetPreviewRow());
    const long long firstNumber = perPage * (currentRow / perPage) + 1;

    // Header and footer sit on the page as the labels do, from its corner at (8, 4).
    if (stock->IsHeaderEnabled()) {
        const int x = Px(stock->GetLeft(1), dpi) + kPageLeft;
        const int y = Px(stock->GetTop(1), dpi) + kPageTop;
        stock->DrawPart(1, dc, z, x, y);
        doc->DrawArea(1, dc, z, x, y, false, ClampInt(firstNumber), 2, dpi, dpi, false);
    }
    if (stock->IsFooterEnabled()) {
        const int x = Px(stock->GetLeft(2), dpi) + kPageLeft;
        const int y = Px(stock->GetTop(2), dpi) + kPageTop;
        stock->DrawPart(2, dc, z, x, y);
        doc->DrawArea(2, dc, z, x, y, false, ClampInt(firstNumber), 2, dpi, dpi, false);
    }

    const bool hasTable = doc->CurrentSlot().Table() != nullptr;
    const long long marked = currentRow + 1;
    const long long pitchH = stock->GetPitchH();
    const long long pitchV = stock->GetPitchV();
    const long long marginLeft = stock->GetLeft(0);
    const long long marginTop = stock->GetTop(0);
    const long long blockHeight = pitchV * rows + stock->GetBlockGap() + marginTop;
    const long long drawnColumns = std::max<long long>(columns, 1);
    const bool columnMajor = tmpl->IsColumnMajor();

    // Only labels that begin on the drawn page are visited: a stock of a million rows (or a pitch
    // of 0, which would stack every label on the first) must not hold up a repaint. A label's
    // number still counts every position before it.
    auto rowOnPage = [&](long long block, long long r) {
        const long long y = r * pitchV + marginTop + block * blockHeight;
        return y <= paperHeight;
    };
    auto columnOnPage = [&](long long c) { return c * pitchH + marginLeft <= paperWidth; };
    const long long rowLimit = pitchV > 0 ? rows : std::min<long long>(rows, 1);
    const long long columnLimit = pitchH > 0 ? drawnColumns : 1;

    // Labels wholly outside the area being repainted are skipped (metafiles record everything).
    RECT clip = {};
    const DWORD dcType = ::GetObjectType(dc->GetSafeHdc());
    const bool useClip = dcType != OBJ_ENHMETADC && dcType != OBJ_METADC &&
                         ::GetClipBox(dc->GetSafeHdc(), &clip) != ERROR && clip.right > clip.left;
    const int cellWidth = Px(stock->GetWidth(0), dpi);
    const int cellHeight = Px(stock->GetHeight(0), dpi);

    auto drawLabel = [&](long long block, long long r, long long c) {
        const long long xUm = c * pitchH + marginLeft;
        const long long yUm = r * pitchV + marginTop + block * blockHeight;
        const long long number = firstNumber + block * rows * columns +
                                 (columnMajor ? c * rows + r : r * drawnColumns + c);
        const int x = Px(xUm, dpi) + kPageLeft;
        const int y = Px(yUm, dpi) + kPageTop;
        if (useClip && (x > clip.right || y > clip.bottom || x + cellWidth < clip.left ||
                        y + cellHeight < clip.top))
            return;
        if (hasTable && number == marked)
            FillCell(dc, *stock, dpi, kPageLeft, kPageTop, xUm, yUm);
        stock->DrawOutlineAt(dc, dpi, kPageLeft, kPageTop, ClampInt(xUm), ClampInt(yUm));
        if (number > 0 && number <= INT_MAX)
            doc->DrawArea(0, dc, z, x, y, false, static_cast<int>(number), 2, dpi, dpi, false);
    };

    for (long long b = 0; b < blocks && rowOnPage(b, 0); ++b) {
        if (columnMajor) {
            for (long long c = 0; c < columnLimit && columnOnPage(c); ++c)
                for (long long r = 0; r < rowLimit && rowOnPage(b, r); ++r)
                    drawLabel(b, r, c);
        } else {
            for (long long r = 0; r < rowLimit && rowOnPage(b, r); ++r)
                for (long long c = 0; c < columnLimit && columnOnPage(c); ++c)
                    drawLabel(b, r, c);
        }
        if (blockHeight <= 0)
            break;     // every further block would lie on this one
    }
}

// ---- mouse

void CLabelPreview::OnLButtonDown(UINT flags, CPoint point)
{
    // The top edge of the pane is the splitter bar's grip: the press goes to the parent as its own.
    if (point.y < 0 || point.y >= kSplitterGrip)
        return;
    HWND parent = ::GetParent(m_hWnd);
    if (parent == nullptr)
        return;
    POINT at = {point.x, point.y};
    ::MapWindowPoints(m_hWnd, parent, &at, 1);
    ::SendMessageA(parent, WM_LBUTTONDOWN, flags, MAKELPARAM(at.x, at.y));
}

void CLabelPreview::OnRButtonUp(UINT, CPoint point)
{
    POINT at = {point.x, point.y};
    ClientToScreen(&at);
    OnContextMenu(this, CPoint(at.x, at.y));
}

void CLabelPreview::OnContextMenu(CWnd*, CPoint point)
{
    POINT at = {point.x, point.y};
    if (at.x == -1 && at.y == -1) {
        // From the keyboard: below the top-left corner of the pane.
        at.x = 0;
        at.y = 0;
        ClientToScreen(&at);
    }
    ShowPopupMenu(IDR_CONTEXT_PREVIEW, at, this);
}

// ---- zoom

void CLabelPreview::OnZoomCommand(UINT id)
{
    const int percent = ZoomOfCommand(id);
    if (percent > 0)
        SetZoom(percent);
}

void CLabelPreview::OnUpdateZoomCommand(CCmdUI* ui)
{
    const int percent = ZoomOfCommand(ui->m_nID);
    ui->SetCheck(percent > 0 && percent == m_zoom ? 1 : 0);
}

CString CLabelPreview::GetZoomComboText() const
{
    auto* frame = dynamic_cast<CMainFrame*>(AfxGetMainWnd());
    return frame ? frame->GetRibbonText(ID_ZOOM) : CString();
}

void CLabelPreview::OnZoomCombo()
{
    // "150 %" and "150" both read as 150; anything that is not a number in range is ignored.
    const CString text = GetZoomComboText();
    const char* start = text.GetString();
    char* end = nullptr;
    const long value = std::strtol(start, &end, 10);
    if (end == start)
        return;
    if (value < kMinTypedZoom || value > kMaxTypedZoom)
        return;
    SetZoom(static_cast<int>(value));
}

void CLabelPreview::OnUpdateZoomCombo(CCmdUI* ui)
{
    if (m_hWnd == nullptr || ::GetFocus() != m_hWnd)
        return;
    char text[32];
    std::snprintf(text, sizeof text, "%d %%", m_zoom);
    ui->SetText(text);
}

// ---- pane commands of the splitter

void CLabelPreview::ForwardToParent(UINT id)
{
    HWND parent = m_hWnd ? ::GetParent(m_hWnd) : nullptr;
    if (parent == nullptr || m_forwarding)
        return;
    m_forwarding = true;
    ::SendMessageA(parent, WM_COMMAND, MAKEWPARAM(id, 0), 0);
    m_forwarding = false;
}

void CLabelPreview::OnShowPreview()
{
    ForwardToParent(ID_SHOW_PREVIEW);
}

void CLabelPreview::OnUpdateShowPreview(CCmdUI* ui)
{
    ui->Enable(GetDocument() != nullptr);
    ui->SetCheck(m_hWnd != nullptr && IsWindowVisible() ? 1 : 0);
}

void CLabelPreview::OnShowDesign()
{
    ForwardToParent(ID_SHOW_DESIGN);
}

void CLabelPreview::OnShowTable()
{
    ForwardToParent(ID_SHOW_TABLE);
}

void CLabelPreview::OnUpdateShowOther(CCmdUI* ui)
{
    ui->SetCheck(0);
}
