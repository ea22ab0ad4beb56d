#include "ui/imagewindow.h"

#include "labelmodel/graphimage.h"
#include "labelmodel/imageholder.h"
#include "ui/linkimagerows.h"
#include "ui/thumbnails.h"

#include <memory>
#include <shellapi.h>
#include <vector>

BEGIN_MESSAGE_MAP(CImageWindow, CWnd)
    ON_WM_PAINT()
    ON_WM_LBUTTONDOWN()
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
    ON_WM_KEYDOWN()
    ON_WM_GETDLGCODE()
    ON_WM_DROPFILES()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CImageWindow::~CImageWindow()
{
    DropPicture();
}

void CImageWindow::OnDestroy()
{
    DropPicture();
    CWnd::OnDestroy();
}

void CImageWindow::DropPicture()
{
    if (m_picture != nullptr)
        ::DeleteObject(m_picture);
    m_picture = nullptr;
    m_picturePath = CString();
}

HBITMAP CImageWindow::MakePicture(HDC reference, const CString& path)
{
    // The factory says which files have a picture (a ".jpeg" has none).
    std::unique_ptr<CImageBase> holder(CreateImageHolderForFile(path.GetString()));
    if (!holder)
        return nullptr;
    HDC memory = ::CreateCompatibleDC(reference);
    HBITMAP bitmap = ::CreateCompatibleBitmap(reference, kPicture, kPicture);
    if (memory == nullptr || bitmap == nullptr) {
        if (memory != nullptr)
            ::DeleteDC(memory);
        if (bitmap != nullptr)
            ::DeleteObject(bitmap);
        return nullptr;
    }
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    ::PatBlt(memory, 0, 0, kPicture, kPicture, WHITENESS);
    ++m_pictureReads;
    // Pixel pictures are shrunk while they are read, as the browser's thumbnails are; metafiles
    // and what the shrinking reader refuses are drawn by their holder.
    bool drawn = dynamic_cast<CImageBitmapNew*>(holder.get()) != nullptr &&
                 DrawScaledBitmapFile(memory, path.GetString(), kPicture);
    if (!drawn) {
        CTempDC dc(memory);
        holder->Draw(&dc, path.GetString(), 0, 0, kPicture, kPicture, 0, 0, 100, 100, kImageCentre);
    }
    ::SelectObject(memory, old);
    ::DeleteDC(memory);
    return bitmap;
}

void CImageWindow::OnPaint()
{
    CPaintDC dc(m_hWnd);
    HDC hdc = dc.GetSafeHdc();
    RECT client;
    GetClientRect(&client);
    const CString path = m_rows ? m_rows->GetImageCell(Slot()) : CString();
    if (path != m_picturePath) {
        DropPicture();
        m_picturePath = path;
        if (!path.IsEmpty())
            m_picture = MakePicture(hdc, path);
    }
    if (m_picture != nullptr) {
        const int x = (client.right - kPicture) / 2;
        const int y = (client.bottom - kPicture) / 2;
        HDC memory = ::CreateCompatibleDC(hdc);
        HGDIOBJ old = ::SelectObject(memory, m_picture);
        ::BitBlt(hdc, x, y, kPicture, kPicture, memory, 0, 0, SRCCOPY);
        ::SelectObject(memory, old);
        ::DeleteDC(memory);
    }
    const bool focused = ::GetFocus() == m_hWnd;
    if (focused && !path.IsEmpty()) {
        HPEN navy = ::CreatePen(PS_SOLID, 3, RGB(0, 0, 128));
        HGDIOBJ oldPen = ::SelectObject(hdc, navy);
        HGDIOBJ oldBrush = ::SelectObject(hdc, ::GetStockObject(HOLLOW_BRUSH));
        ::Rectangle(hdc, client.left + 4, client.top + 4, client.right - 4, client.bottom - 4);
        ::SelectObject(hdc, oldBrush);
        ::SelectObject(hdc, oldPen);
        ::DeleteObject(navy);
    }
    if (focused) {
        RECT focus = client;
        ::InflateRect(&focus, -2, -2);
        ::DrawFocusRect(hdc, &focus);
    }
}

void CImageWindow::OnLButtonDown(UINT, CPoint)
{
    SetFocus();
}

void CImageWindow::OnSetFocus(CWnd*)
{
    Invalidate(TRUE);
}

void CImageWindow::OnKillFocus(CWnd*)
{
    Invalidate(TRUE);
}

UINT CImageWindow::OnGetDlgCode()
{
    // Delete reaches the slot; Tab and the arrows still move through the dialog.
    return DLGC_WANTCHARS;
}

void CImageWindow::OnKeyDown(UINT key, UINT, UINT)
{
    if (key != VK_DELETE)
        return;
    if (m_rows)
        m_rows->ClearImageCell(Slot());
    Invalidate(TRUE);
}

void CImageWindow::TakeFiles(const std::vector<CString>& dropped)
{
    std::vector<CString> paths(dropped);
    // A path the label could not keep is refused here, with a message, not cut later.
    if (m_rows)
        KeepImagePathsThatFit(paths, ::GetParent(m_hWnd));
    if (m_rows && !paths.empty()) {
        m_rows->PushTableUndo();
        int offset = 0;
        for (const CString& path : paths) {
            if (offset >= 1024)
                break;
            if (path.IsEmpty() || path.GetLength() >= 260)
                continue;
            m_rows->SetImageCell(Slot(), offset++, path.GetString());
        }
        m_rows->Changed();
        if (m_rows->AreImageCellsFilled()) {
            if (HWND parent = ::GetParent(m_hWnd))
                ::PostMessageA(parent, WM_COMMAND, MAKEWPARAM(1063, BN_CLICKED), 0);
        }
    }
    Invalidate(TRUE);
}

void CImageWindow::OnDropFiles(HDROP drop)
{
    std::vector<CString> paths;
    const UINT count = ::DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count && paths.size() < 1024; ++i) {
        // A path longer than the cell holds is passed over, never cut.
        const UINT length = ::DragQueryFileA(drop, i, nullptr, 0);
        if (length == 0 || length >= 260)
            continue;
        char buffer[260] = {};
        ::DragQueryFileA(drop, i, buffer, sizeof buffer);
        paths.emplace_back(buffer);
    }
    ::DragFinish(drop);
    TakeFiles(paths);
}
