// A window with two grids to look at and try by hand: a virtual grid of 65,536 x 27 cells with
// headers, a selection, the focus frame and title tips, and an ordinary grid showing a sort mark.
// "grid_demo /quit MS" closes it after MS milliseconds (for screenshots).
#include "grid/gridctrl.h"
#include <ole2.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

LRESULT CALLBACK DemoProc(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_NOTIFY: {
        NMHDR* hdr = reinterpret_cast<NMHDR*>(lParam);
        if (static_cast<int>(hdr->code) == GRIDN_GETDISPINFO) {
            GRID_DISPINFO* info = reinterpret_cast<GRID_DISPINFO*>(lParam);
            char text[64];
            if (info->row == 0 && info->col == 0)
                std::snprintf(text, sizeof text, "#");
            else if (info->row == 0)
                std::snprintf(text, sizeof text, "Column %c", 'A' + (info->col - 1) % 26);
            else if (info->col == 0)
                std::snprintf(text, sizeof text, "%d", info->row);
            else if (info->col == 3)
                std::snprintf(text, sizeof text, "A longer text in row %d that needs a title tip", info->row);
            else
                std::snprintf(text, sizeof text, "R%06dC%04d", info->row, info->col);
            info->strText = text;
        }
        return 0;
    }
    case WM_DESTROY:
        ::PostQuitMessage(0);
        return 0;
    default:
        return ::DefWindowProcA(wnd, message, wParam, lParam);
    }
}

void CALLBACK QuitTimer(HWND wnd, UINT, UINT_PTR, DWORD)
{
    ::DestroyWindow(wnd);
}

}  // namespace

int main(int argc, char** argv)
{
    int quitAfter = 0;
    const char* bitmapFile = nullptr;
    for (int i = 1; i + 1 < argc; i++) {
        if (std::strcmp(argv[i], "/quit") == 0)
            quitAfter = std::atoi(argv[i + 1]);
        if (std::strcmp(argv[i], "/bmp") == 0)
            bitmapFile = argv[i + 1];
    }
    ::OleInitialize(nullptr);
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DemoProc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = "GridDemo";
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.hCursor = ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    ::RegisterClassA(&wc);
    HWND main = ::CreateWindowExA(0, "GridDemo", "Grid demo", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0,
                                  1000, 700, nullptr, nullptr, wc.hInstance, nullptr);
    CWnd mainWnd;
    mainWnd.Attach(main);

    CGridCtrl big;
    big.SetVirtualMode(TRUE);
    big.Create(CRect(8, 8, 980, 440), &mainWnd);
    big.SetColumnCount(27);
    big.SetRowCount(65536);
    big.SetFixedRowCount(1);
    big.SetFixedColumnCount(1);
    big.ResetRowOrder();
    big.SetColumnWidth(3, 140);
    big.SetSelectedRange(3, 2, 6, 4);
    big.SetFocusCell(4, 3);

    CGridCtrl small;
    small.Create(CRect(8, 450, 600, 650), &mainWnd);
    small.SetColumnCount(4);
    small.SetRowCount(8);
    small.SetFixedRowCount(1);
    small.SetFixedColumnCount(1);
    const char* names[] = { "", "Article", "Price", "Stock" };
    for (int c = 1; c < 4; c++)
        small.SetItemText(0, c, names[c]);
    for (int r = 1; r < 8; r++) {
        char text[32];
        std::snprintf(text, sizeof text, "%d", r);
        small.SetItemText(r, 0, text);
        std::snprintf(text, sizeof text, "Item %c", 'A' + r);
        small.SetItemText(r, 1, text);
        std::snprintf(text, sizeof text, "%d.%02d", 10 + r * 3, r * 7 % 100);
        small.SetItemText(r, 2, text);
        small.SetItemFormat(r, 2, DT_RIGHT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        std::snprintf(text, sizeof text, "%d", 100 - r * 11);
        small.SetItemText(r, 3, text);
    }
    small.SetHeaderSort(TRUE);
    small.SetSortColumn(2);
    small.SetSortAscending(TRUE);
    small.AutoSizeColumns();
    big.SetFocus();

    if (bitmapFile != nullptr) {
        // Both grids drawn into one 24-bit bitmap file, as they paint themselves.
        CRect rect;
        mainWnd.GetClientRect(&rect);
        HDC screen = ::GetDC(nullptr);
        CDC dc;
        dc.Attach(::CreateCompatibleDC(screen));
        BITMAPINFO bi = {};
        bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        bi.bmiHeader.biWidth = rect.Width();
        bi.bmiHeader.biHeight = rect.Height();
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 24;
        void* bits = nullptr;
        HBITMAP bmp = ::CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
        ::ReleaseDC(nullptr, screen);
        HGDIOBJ old = ::SelectObject(dc.m_hDC, bmp);
        dc.FillSolidRect(&rect, ::GetSysColor(COLOR_BTNFACE));
        big.SendMessage(WM_SETFOCUS);   // drawn as the grid with the focus
        CGridCtrl* grids[] = { &big, &small };
        for (CGridCtrl* grid : grids) {
            CRect at;
            grid->GetWindowRect(&at);
            mainWnd.ScreenToClient(&at);
            int saved = dc.SaveDC();
            dc.SetViewportOrg(at.left + 1, at.top + 1);
            CRect client;
            grid->GetClientRect(&client);
            dc.IntersectClipRect(0, 0, client.right, client.bottom);
            grid->OnDraw(&dc);
            dc.RestoreDC(saved);
        }
        ::GdiFlush();
        const int stride = (rect.Width() * 3 + 3) & ~3;
        BITMAPFILEHEADER fh = {};
        fh.bfType = 0x4D42;
        fh.bfOffBits = sizeof(fh) + sizeof(BITMAPINFOHEADER);
        fh.bfSize = fh.bfOffBits + static_cast<DWORD>(stride * rect.Height());
        if (FILE* f = std::fopen(bitmapFile, "wb")) {
            std::fwrite(&fh, sizeof fh, 1, f);
            std::fwrite(&bi.bmiHeader, sizeof(BITMAPINFOHEADER), 1, f);
            std::fwrite(bits, static_cast<size_t>(stride) * rect.Height(), 1, f);
            std::fclose(f);
        }
        ::SelectObject(dc.m_hDC, old);
        ::DeleteObject(bmp);
        quitAfter = 1;
    }
    if (quitAfter > 0)
        ::SetTimer(main, 1, static_cast<UINT>(quitAfter), QuitTimer);
    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (CWnd::WalkPreTranslateTree(nullptr, &msg))
            continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    mainWnd.Detach();
    return 0;
}
