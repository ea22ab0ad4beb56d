#include "ui/imagebrowser.h"

#include "framework/cursorclip.h"
#include "framework/guard.h"
#include "labelmodel/graphimage.h"
#include "labelmodel/imageholder.h"
#include "labelmodel/marker.h"
#include "ui/imagewindow.h"
#include "ui/linkimagerows.h"
#include "ui/res/linkimage.h"
#include "ui/thumbnails.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>

const char kImageBrowserClass[] = "OSTRELIND_IMAGE_BROWSER";
const char kImageWindowClass[] = "OSTRELIND_IMAGE_WINDOW";

bool RegisterImageWindowClasses()
{
    static const bool registered = [] {
        const UINT style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS | CS_GLOBALCLASS;
        HBRUSH white = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
        const bool browser = AfxRegisterNamedClass(kImageBrowserClass, style, ::DefWindowProcA, nullptr, white);
        const bool slot = AfxRegisterNamedClass(kImageWindowClass, style, ::DefWindowProcA, nullptr, white);
        return browser && slot;
    }();
    return registered;
}

namespace {

const char* const kImageExtensions[] = {".WMF", ".BMP", ".JPG", ".JPEG", ".PNG"};

bool IsImageName(const char* name)
{
    const char* dot = std::strrchr(name, '.');
    if (dot == nullptr)
        return false;
    for (const char* ext : kImageExtensions) {
        if (::lstrcmpiA(dot, ext) == 0)
            return true;
    }
    return false;
}

// The band's own end point: the design view's marker grows from its centre while Ctrl is down,
// and Ctrl here only means "keep the selection".
class CBandMarker : public CMarkerRect {
public:
    CBandMarker(int x, int y) : CMarkerRect(x, y, PS_DOT) {}
    void SetEnd(CDC* dc, int x, int y)
    {
        if (m_drawn)
            Draw(dc);
        m_x2 = x;
        m_y2 = y;
        Draw(dc);
    }
    RECT Band() const
    {
        RECT rc;
        GetNormalRect(reinterpret_cast<int*>(&rc.left), reinterpret_cast<int*>(&rc.top),
                      reinterpret_cast<int*>(&rc.right), reinterpret_cast<int*>(&rc.bottom));
        return rc;
    }
};

// The dialog's client area over its children: the drag image passes over the browser and the
// slots, whatever clipping the dialog's style asks for.
HDC DialogDC(HWND dialog)
{
    return ::GetDCEx(dialog, nullptr, DCX_CACHE | DCX_CLIPSIBLINGS);
}

}  // namespace

BEGIN_MESSAGE_MAP(CImageBrowser, CWnd)
    ON_MESSAGE(WM_IMAGEBROWSER_RESCAN, OnRescan)
    ON_WM_PAINT()
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_KILLFOCUS()
    ON_WM_VSCROLL()
    ON_WM_CAPTURECHANGED()
    ON_WM_CANCELMODE()
END_MESSAGE_MAP()

CImageBrowser::CImageBrowser()
    : m_entries(kMaxEntries), m_order(kMaxEntries, -1), m_cache(kMaxEntries, nullptr), m_prepared(kMaxEntries)
{
    std::memset(m_entries.data(), 0, m_entries.size() * sizeof(Entry));
    m_outsideCursor = ::LoadCursorA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDC_LINKIMAGE_OUTSIDE));
    if (m_outsideCursor == nullptr)
        m_outsideCursor = ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_NO));
}

CImageBrowser::~CImageBrowser()
{
    CancelModes();
    ClearThumbnailCache();
}

LRESULT CImageBrowser::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return GuardedCall([&] { return CWnd::WindowProc(message, wParam, lParam); }, LRESULT(0));
}

// ---- entries and selection ---------------------------------------------------------------------

int CImageBrowser::GetEntryCount() const
{
    return m_count;
}

const char* CImageBrowser::GetEntryName(int index) const
{
    return index >= 0 && index < m_count ? m_entries[index].name : "";
}

bool CImageBrowser::IsSelected(int index) const
{
    return index >= 0 && index < m_count && m_entries[index].selected != 0;
}

int CImageBrowser::GetSelectedCount() const
{
    int n = 0;
    for (int i = 0; i < m_count; ++i)
        n += m_entries[i].selected ? 1 : 0;
    return n;
}

int CImageBrowser::GetSelectionOrder(int k) const
{
    return k >= 0 && k < kMaxEntries ? m_order[k] : -1;
}

bool CImageBrowser::JoinPath(const char* folder, const char* name, char* out)
{
    out[0] = '\0';
    const size_t folderLength = std::strlen(folder);
    const bool separator = folderLength == 0 || folder[folderLength - 1] != '\\';
    const size_t length = folderLength + (separator ? 1 : 0) + std::strlen(name);
    if (length >= 260)
        return false;   // never cut: a cut path would name another file
    std::memcpy(out, folder, folderLength);
    size_t at = folderLength;
    if (separator)
        out[at++] = '\\';
    std::strcpy(out + at, name);
    return true;
}

const char* CImageBrowser::GetSelectedPath(int k) const
{
    static char path[260];
    path[0] = '\0';
    // The order holds 1024 places: an index from 1024 on would read past it.
    if (k < 0 || k >= kMaxEntries || m_order[k] < 0 || m_order[k] >= m_count)
        return path;
    JoinPath(m_folder, m_entries[m_order[k]].name, path);
    return path;
}

void CImageBrowser::AddToSelection(int index)
{
    if (index < 0 || index >= m_count || m_entries[index].selected)
        return;   // already in the order: a second place would repeat its path
    int k = 0;
    while (k < kMaxEntries && m_order[k] >= 0)
        ++k;
    if (k >= kMaxEntries)
        return;
    m_order[k] = index;
    std::fill(m_order.begin() + k + 1, m_order.end(), -1);
    m_entries[index].selected = 1;
}

void CImageBrowser::RemoveFromSelection(int index)
{
    if (index < 0 || index >= m_count)
        return;
    auto it = std::find(m_order.begin(), m_order.end(), index);
    if (it != m_order.end()) {
        std::copy(it + 1, m_order.end(), it);
        m_order.back() = -1;
    }
    m_entries[index].selected = 0;
}

void CImageBrowser::ClearSelection()
{
    for (int i = 0; i < m_count; ++i) {
        if (m_entries[i].selected) {
            m_entries[i].selected = 0;
            InvalidateCell(i, 5);
        }
    }
    std::fill(m_order.begin(), m_order.end(), -1);
}

// ---- geometry ----------------------------------------------------------------------------------

int CImageBrowser::GetColumns() const
{
    RECT rc = {};
    if (m_hWnd)
        GetClientRect(&rc);
    // A browser narrower than one cell still shows one column (and never divides by zero).
    return std::max(1, static_cast<int>((rc.right - kMargin) / kPitch));
}

RECT CImageBrowser::CellRect(int index) const
{
    const int columns = GetColumns();
    const int position = m_hWnd ? GetScrollPos(SB_VERT) : 0;
    RECT rc;
    rc.left = kMargin + kPitch * (index % columns);
    rc.top = kMargin + kPitch * (index / columns) - position;
    rc.right = rc.left + kCell;
    rc.bottom = rc.top + kCell;
    return rc;
}

int CImageBrowser::HitTest(POINT p) const
{
    const int columns = GetColumns();
    const int position = GetScrollPos(SB_VERT);
    const int x = p.x - kMargin;
    const int y = p.y + position - kMargin;
    if (x < 0 || y < 0 || x % kPitch >= kCell || y % kPitch >= kCell)
        return -1;
    const int column = x / kPitch;
    if (column >= columns)
        return -1;
    const int index = (y / kPitch) * columns + column;
    return index < m_count ? index : -1;
}

void CImageBrowser::InvalidateCell(int index, int inflate)
{
    if (!m_hWnd)
        return;
    RECT rc = CellRect(index);
    ::InflateRect(&rc, inflate, inflate);
    InvalidateRect(&rc, TRUE);
}

void CImageBrowser::SetScrollRange()
{
    RECT rc;
    GetClientRect(&rc);
    const int n = m_count;
    const int rows = n > 0 ? (n - 1) / GetColumns() : 0;
    SCROLLINFO info = {sizeof info};
    info.fMask = SIF_RANGE | SIF_POS;
    info.nMin = 0;
    info.nMax = std::max(0, rows * kPitch + 72 - static_cast<int>(rc.bottom));
    info.nPos = 0;
    SetScrollInfo(SB_VERT, &info, TRUE);
}

// ---- rescan and painting -----------------------------------------------------------------------

void CImageBrowser::ClearThumbnailCache()
{
    for (HBITMAP& bitmap : m_cache) {
        if (bitmap)
            ::DeleteObject(bitmap);
        bitmap = nullptr;
    }
    for (ThumbnailPixels& p : m_prepared)
        p = ThumbnailPixels();
}

LRESULT CImageBrowser::OnRescan(WPARAM, LPARAM)
{
    CancelModes();
    ClearThumbnailCache();
    std::memset(m_entries.data(), 0, m_entries.size() * sizeof(Entry));
    std::fill(m_order.begin(), m_order.end(), -1);
    m_count = 0;
    m_anchor = -1;
    m_folder[0] = '\0';

    char directory[MAX_PATH + 1] = {};
    const DWORD length = ::GetCurrentDirectoryA(sizeof directory, directory);
    if (length > 0 && length < sizeof m_folder)
        std::strcpy(m_folder, directory);

    HWND parent = ::GetParent(m_hWnd);
    char pattern[260];
    if (m_folder[0] != '\0' && parent != nullptr && ::GetDlgItem(parent, 1136) != nullptr &&
        JoinPath(m_folder, "*.*", pattern)) {
        WIN32_FIND_DATAA found;
        HANDLE find = ::FindFirstFileA(pattern, &found);
        if (find != INVALID_HANDLE_VALUE) {
            do {
                if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                    continue;
                const size_t nameLength = std::strlen(found.cFileName);
                // A name that does not fit its entry, or a path that does not fit 260 bytes, is
                // passed over rather than cut.
                char path[260];
                if (nameLength >= kNameSize || !JoinPath(m_folder, found.cFileName, path))
                    continue;
                if (!IsImageName(found.cFileName))
                    continue;
                std::memcpy(m_entries[m_count].name, found.cFileName, nameLength + 1);
                ++m_count;
            } while (m_count < kMaxEntries && ::FindNextFileA(find, &found));
            ::FindClose(find);
        }
    }
    SetScrollRange();
    Invalidate(TRUE);
    return 0;
}

HBITMAP CImageBrowser::Thumbnail(HDC screen, int index)
{
    if (m_cache[index])
        return m_cache[index];
    HDC memory = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, kCell, kCell);
    if (!memory || !bitmap) {
        if (memory)
            ::DeleteDC(memory);
        if (bitmap)
            ::DeleteObject(bitmap);
        return nullptr;
    }
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    ::PatBlt(memory, 0, 0, kCell, kCell, WHITENESS);
    const CString full = EntryPath(index);
    ThumbnailPixels prepared;
    std::swap(prepared, m_prepared[index]);
    std::unique_ptr<CImageBase> holder(CreateImageHolderForFile(full.GetString()));
    // The factory says which files have a picture; pixel pictures are shrunk while decoding (or
    // were, on the threads of PrepareThumbnails).
    bool drawn = false;
    if (holder && dynamic_cast<CImageBitmapNew*>(holder.get())) {
        if (prepared.w > 0) {
            DrawThumbnailPixels(memory, prepared, kCell);
            drawn = true;
        } else {
            drawn = DrawScaledBitmapFile(memory, full.GetString(), kCell, !prepared.tried);
        }
    }
    if (holder && !drawn) {
        CTempDC dc(memory);
        holder->Draw(&dc, full.GetString(), 0, 0, kCell, kCell, 0, 0, 100, 100, kImageCentre);
    }
    ::SelectObject(memory, old);
    ::DeleteDC(memory);
    m_cache[index] = bitmap;
    return bitmap;
}

CString CImageBrowser::EntryPath(int index) const
{
    char path[260];
    JoinPath(m_folder, m_entries[index].name, path);
    return path;
}

void CImageBrowser::PrepareThumbnails(const RECT& area)
{
    std::vector<int> indices;
    for (int i = 0; i < m_count; ++i) {
        RECT cell = CellRect(i), overlap;
        ::InflateRect(&cell, 6, 6);
        if (!m_cache[i] && ::IntersectRect(&overlap, &cell, &area))
            indices.push_back(i);
    }
    // A page of new camera pictures is the case that matters; one or two cells are read as they
    // are drawn.
    if (indices.size() < 4)
        return;
    SYSTEM_INFO system = {};
    ::GetSystemInfo(&system);
    const int threads = std::min<int>(4, std::max<int>(1, static_cast<int>(system.dwNumberOfProcessors)));
    std::vector<std::string> paths;
    for (int i : indices)
        paths.push_back(EntryPath(i).GetString());
    std::vector<ThumbnailPixels> read = ReadJpegThumbnails(paths, kCell, threads);
    for (size_t k = 0; k < indices.size(); ++k)
        std::swap(m_prepared[indices[k]], read[k]);
}

void CImageBrowser::DrawThumbnail(CDC* dc, int index, int x, int y)
{
    HBITMAP bitmap = Thumbnail(dc->GetSafeHdc(), index);
    if (!bitmap)
        return;
    HDC memory = ::CreateCompatibleDC(dc->GetSafeHdc());
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    ::BitBlt(dc->GetSafeHdc(), x, y, kCell, kCell, memory, 0, 0, SRCCOPY);
    ::SelectObject(memory, old);
    ::DeleteDC(memory);
}

void CImageBrowser::OnPaint()
{
    CPaintDC dc(m_hWnd);
    HDC hdc = dc.GetSafeHdc();
    RECT paint = dc.m_ps.rcPaint;
    HPEN grey = ::CreatePen(PS_SOLID, 1, RGB(128, 128, 128));
    HPEN navy = ::CreatePen(PS_SOLID, 3, RGB(0, 0, 128));
    HGDIOBJ oldPen = ::SelectObject(hdc, grey);
    HGDIOBJ oldBrush = ::SelectObject(hdc, ::GetStockObject(HOLLOW_BRUSH));
    PrepareThumbnails(paint);
    for (int i = 0; i < m_count; ++i) {
        RECT cell = CellRect(i);
        RECT outer = cell;
        ::InflateRect(&outer, 6, 6);
        RECT overlap;
        if (!::IntersectRect(&overlap, &outer, &paint))
            continue;
        ::SelectObject(hdc, grey);
        ::Rectangle(hdc, cell.left - 1, cell.top - 1, cell.right + 1, cell.bottom + 1);
        DrawThumbnail(&dc, i, cell.left, cell.top);
        if (m_entries[i].selected) {
            ::SelectObject(hdc, navy);
            ::Rectangle(hdc, cell.left - 4, cell.top - 4, cell.right + 4, cell.bottom + 4);
        }
    }
    ::SelectObject(hdc, oldBrush);
    ::SelectObject(hdc, oldPen);
    ::DeleteObject(grey);
    ::DeleteObject(navy);
}

// ---- mouse -------------------------------------------------------------------------------------

CWnd* CImageBrowser::DialogWindow() const
{
    return GetParent();
}

void CImageBrowser::OnLButtonDown(UINT flags, CPoint point)
{
    SetFocus();
    CancelModes();
    const bool ctrl = (flags & MK_CONTROL) != 0;
    const bool shift = (flags & MK_SHIFT) != 0;
    const int previousAnchor = m_anchor;
    const int hit = HitTest(point);
    if (hit >= 0)
        m_anchor = hit;

    if (hit < 0) {
        if (!ctrl)
            ClearSelection();
        UpdateWindow();
        auto* band = new CBandMarker(point.x, point.y);
        m_band = band;
        CClientDC dc(m_hWnd);
        band->SetEnd(&dc, point.x, point.y);
        m_banding = 1;
        SetCapture();
        RECT clip;
        GetClientRect(&clip);
        ClientToScreen(&clip);
        AfxClipCursor(&clip);
    } else if (ctrl && !shift) {
        m_togglePending = 1;
        SetCapture();
    } else if (!shift) {
        if (!m_entries[hit].selected) {
            ClearSelection();
            AddToSelection(hit);
            InvalidateCell(hit, 6);
        }
        UpdateWindow();
        BeginDrag(point);
        SetCapture();
    } else {
        if (!ctrl)
            ClearSelection();
        // Without an earlier anchor the range is the hit alone.
        const int from = previousAnchor >= 0 && previousAnchor < m_count ? previousAnchor : hit;
        const int step = from <= hit ? 1 : -1;
        for (int i = from;; i += step) {
            AddToSelection(i);
            if (i == hit)
                break;
        }
        Invalidate(TRUE);
    }
}

void CImageBrowser::BeginDrag(CPoint point)
{
    CWnd* dialog = DialogWindow();
    if (!dialog || m_anchor < 0)
        return;
    const int n = GetSelectedCount();
    const int size = n > 1 ? 2 * n + 48 : 50;
    HDC dialogDC = DialogDC(dialog->m_hWnd);
    m_dragDC = ::CreateCompatibleDC(dialogDC);
    m_dragBitmap = ::CreateCompatibleBitmap(dialogDC, size, size);
    m_backDC = ::CreateCompatibleDC(dialogDC);
    m_backBitmap = ::CreateCompatibleBitmap(dialogDC, size, size);
    if (!m_dragDC || !m_dragBitmap || !m_backDC || !m_backBitmap) {
        ::ReleaseDC(dialog->m_hWnd, dialogDC);
        m_dragging = 1;
        EndDrag();
        return;
    }
    m_dragOld = ::SelectObject(m_dragDC, m_dragBitmap);
    m_backOld = ::SelectObject(m_backDC, m_backBitmap);
    ::PatBlt(m_dragDC, 0, 0, size, size, WHITENESS);
    HPEN grey = ::CreatePen(PS_SOLID, 1, RGB(128, 128, 128));
    HGDIOBJ oldPen = ::SelectObject(m_dragDC, grey);
    HGDIOBJ oldBrush = ::SelectObject(m_dragDC, ::GetStockObject(WHITE_BRUSH));
    for (int i = n - 1; i >= 1; --i)
        ::Rectangle(m_dragDC, 2 * i, 2 * i, 2 * i + 50, 2 * i + 50);
    ::SelectObject(m_dragDC, ::GetStockObject(BLACK_PEN));
    ::Rectangle(m_dragDC, 0, 0, 50, 50);
    ::SelectObject(m_dragDC, oldBrush);
    ::SelectObject(m_dragDC, oldPen);
    ::DeleteObject(grey);
    {
        CTempDC drag(m_dragDC);
        DrawThumbnail(&drag, m_anchor, 1, 1);
    }
    m_imageSize = size;
    const RECT cell = CellRect(m_anchor);
    m_grab.x = point.x - cell.left;
    m_grab.y = point.y - cell.top;
    ShowDragImage(dialog->m_hWnd, dialogDC, point);
    ::ReleaseDC(dialog->m_hWnd, dialogDC);
    m_dragging = 1;
}

void CImageBrowser::ShowDragImage(HWND dialog, HDC dialogDC, CPoint point)
{
    POINT at = point;
    ::MapWindowPoints(m_hWnd, dialog, &at, 1);
    m_dragPos.x = at.x - m_grab.x - 1;
    m_dragPos.y = at.y - m_grab.y - 1;
    ::BitBlt(m_backDC, 0, 0, m_imageSize, m_imageSize, dialogDC, m_dragPos.x, m_dragPos.y, SRCCOPY);
    ::BitBlt(dialogDC, m_dragPos.x, m_dragPos.y, m_imageSize, m_imageSize, m_dragDC, 0, 0, SRCAND);
}

void CImageBrowser::MoveDragImage(CPoint point)
{
    CWnd* dialog = DialogWindow();
    if (!dialog || !m_dragDC)
        return;
    HDC dialogDC = DialogDC(dialog->m_hWnd);
    ::BitBlt(dialogDC, m_dragPos.x, m_dragPos.y, m_imageSize, m_imageSize, m_backDC, 0, 0, SRCCOPY);
    ShowDragImage(dialog->m_hWnd, dialogDC, point);
    ::ReleaseDC(dialog->m_hWnd, dialogDC);
    RECT client;
    dialog->GetClientRect(&client);
    ::SetCursor(::PtInRect(&client, m_dragPos) ? ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW))
                                                : m_outsideCursor);
}

void CImageBrowser::EndDrag()
{
    if (!m_dragging)
        return;
    m_dragging = 0;
    CWnd* dialog = DialogWindow();
    if (dialog && m_backDC && m_imageSize > 0) {
        HDC dialogDC = DialogDC(dialog->m_hWnd);
        ::BitBlt(dialogDC, m_dragPos.x, m_dragPos.y, m_imageSize, m_imageSize, m_backDC, 0, 0, SRCCOPY);
        ::ReleaseDC(dialog->m_hWnd, dialogDC);
    }
    if (m_dragDC) {
        if (m_dragOld)
            ::SelectObject(m_dragDC, m_dragOld);
        ::DeleteDC(m_dragDC);
    }
    if (m_backDC) {
        if (m_backOld)
            ::SelectObject(m_backDC, m_backOld);
        ::DeleteDC(m_backDC);
    }
    if (m_dragBitmap)
        ::DeleteObject(m_dragBitmap);
    if (m_backBitmap)
        ::DeleteObject(m_backBitmap);
    m_dragDC = m_backDC = nullptr;
    m_dragBitmap = m_backBitmap = nullptr;
    m_dragOld = m_backOld = nullptr;
    m_imageSize = 0;
}

void CImageBrowser::EndBand()
{
    if (!m_banding)
        return;
    m_banding = 0;
    if (m_band) {
        CClientDC dc(m_hWnd);
        m_band->Erase(&dc);
        delete m_band;
        m_band = nullptr;
    }
    AfxClipCursor(nullptr);
}

void CImageBrowser::CancelModes()
{
    const bool held = m_dragging || m_banding || m_togglePending;
    EndDrag();
    EndBand();
    m_togglePending = 0;
    if (held && m_hWnd && ::GetCapture() == m_hWnd)
        ::ReleaseCapture();
}

void CImageBrowser::OnMouseMove(UINT, CPoint point)
{
    if (m_dragging) {
        MoveDragImage(point);
    } else if (m_banding && m_band) {
        CClientDC dc(m_hWnd);
        static_cast<CBandMarker*>(m_band)->SetEnd(&dc, point.x, point.y);
    }
}

void CImageBrowser::OnLButtonUp(UINT, CPoint point)
{
    if (m_dragging) {
        EndDrag();
        if (::GetCapture() == m_hWnd)
            ::ReleaseCapture();
        CWnd* dialog = DialogWindow();
        if (!dialog)
            return;
        POINT at = point;
        ::MapWindowPoints(m_hWnd, dialog->m_hWnd, &at, 1);
        HWND under = ::ChildWindowFromPointEx(dialog->m_hWnd, at, CWP_SKIPINVISIBLE);
        auto* slot = dynamic_cast<CImageWindow*>(CWnd::FromHandlePermanent(under));
        if (slot == nullptr || slot->Rows() == nullptr)
            return;
        CLinkImageRows* rows = slot->Rows();
        std::vector<CString> paths;
        for (int k = 0; k < kMaxEntries && m_order[k] >= 0; ++k)
            paths.emplace_back(GetSelectedPath(k));
        // A path the label could not keep is refused here, with a message, not cut later.
        KeepImagePathsThatFit(paths, dialog->m_hWnd);
        ClearSelection();
        if (paths.empty())
            return;
        rows->PushTableUndo();
        for (size_t k = 0; k < paths.size(); ++k) {
            if (!paths[k].IsEmpty())
                rows->SetImageCell(slot->Slot(), static_cast<int>(k), paths[k]);
        }
        rows->Changed();
        if (rows->AreImageCellsFilled())
            dialog->PostMessage(WM_COMMAND, MAKEWPARAM(1063, BN_CLICKED), 0);
        slot->Invalidate(TRUE);
    } else if (m_banding) {
        const RECT band = static_cast<CBandMarker*>(m_band)->Band();
        EndBand();
        if (::GetCapture() == m_hWnd)
            ::ReleaseCapture();
        for (int i = 0; i < m_count; ++i) {
            const RECT cell = CellRect(i);
            if (cell.left >= band.left && cell.top >= band.top && cell.right <= band.right &&
                cell.bottom <= band.bottom && !m_entries[i].selected) {
                AddToSelection(i);
                InvalidateCell(i, 6);
            }
        }
    } else if (m_togglePending) {
        m_togglePending = 0;
        if (::GetCapture() == m_hWnd)
            ::ReleaseCapture();
        const int hit = HitTest(point);
        if (hit >= 0) {
            if (m_entries[hit].selected)
                RemoveFromSelection(hit);
            else
                AddToSelection(hit);
            InvalidateCell(hit, 6);
        }
    }
}

void CImageBrowser::OnCaptureChanged(CWnd*)
{
    CancelModes();
}

void CImageBrowser::OnCancelMode()
{
    CancelModes();
    Default();
}

void CImageBrowser::OnKillFocus(CWnd*)
{
    ClearSelection();
}

void CImageBrowser::OnVScroll(UINT code, UINT pos, CScrollBar*)
{
    RECT rc;
    GetClientRect(&rc);
    const int page = ((rc.bottom - 8) / kPitch) * kPitch;
    SCROLLINFO info = {sizeof info};
    info.fMask = SIF_ALL;
    GetScrollInfo(SB_VERT, &info);
    int position = info.nPos;
    switch (code) {
    case SB_LINEUP:
        if (position > 0)
            position -= kPitch;
        break;
    case SB_LINEDOWN:
        if (position < info.nMax)
            position += kPitch;
        break;
    case SB_PAGEUP:
        position = position - page + kPitch;
        break;
    case SB_PAGEDOWN:
        position = position + page - kPitch;
        break;
    case SB_THUMBPOSITION:
        position = static_cast<int>(pos);
        break;
    default:
        return;
    }
    position = std::max(info.nMin, std::min(position, info.nMax));
    SetScrollPos(SB_VERT, position, TRUE);
    Invalidate(TRUE);
}
