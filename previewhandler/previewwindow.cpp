#include "previewhandler/previewwindow.h"

#include "previewhandler/previewguard.h"
#include "previewhandler/previewmodule.h"

#include <cstdint>

const wchar_t kPreviewWindowClass[] = L"PreviewWindow";
const wchar_t kPreviewWindowTitle[] = L"WMF_PREVIEW";

namespace {

// Extra window bytes: the metafile handle, then the picture's width and height in micrometres.
const int kMetafileOffset = 0;
const int kWidthOffset = sizeof(LONG_PTR);
const int kHeightOffset = sizeof(LONG_PTR) + sizeof(LONG);
const int kExtraBytes = sizeof(LONG_PTR) + 2 * sizeof(LONG);

// The logical space the metafile is played into when it sets no window extent of its own.
const int kLogicalExtent = 30000;
const int kSmallestPaintedSide = 10;
const int kInset = 4;

void RegisterPreviewWindowClass()
{
    WNDCLASSW windowClass = {};
    windowClass.style = CS_DBLCLKS | CS_PARENTDC;
    windowClass.lpfnWndProc = PreviewWindowProc;
    windowClass.cbWndExtra = kExtraBytes;
    windowClass.hInstance = PreviewModule();
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32513)); // IDC_IBEAM
    windowClass.hbrBackground = nullptr;
    windowClass.lpszClassName = kPreviewWindowClass;
    // The class stays from an earlier preview of this module; CreateWindowEx reports any real failure.
    RegisterClassW(&windowClass);
}

void Paint(HWND window)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    if (!dc)
        return;
    FillRect(dc, &paint.rcPaint, reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1)));

    // The picture is fitted to the whole client area even when only part of it is repainted,
    // so a partial repaint draws the matching part of the same picture.
    const HMETAFILE metafile = reinterpret_cast<HMETAFILE>(GetWindowLongPtrW(window, kMetafileOffset));
    RECT client;
    RECT viewport;
    if (metafile && GetClientRect(window, &client)
        && FitPreviewViewport(client, GetWindowLongW(window, kWidthOffset), GetWindowLongW(window, kHeightOffset),
                              &viewport)) {
        const int saved = SaveDC(dc);
        SetMapMode(dc, MM_ANISOTROPIC);
        SetWindowExtEx(dc, kLogicalExtent, kLogicalExtent, nullptr);
        SetViewportExtEx(dc, viewport.right - viewport.left, viewport.bottom - viewport.top, nullptr);
        OffsetViewportOrgEx(dc, viewport.left, viewport.top, nullptr);
        PlayMetaFile(dc, metafile);
        RestoreDC(dc, saved);
    }
    EndPaint(window, &paint);
}

void DeleteStoredMetafile(HWND window)
{
    const HMETAFILE metafile = reinterpret_cast<HMETAFILE>(SetWindowLongPtrW(window, kMetafileOffset, 0));
    if (metafile)
        DeleteMetaFile(metafile);
}

} // namespace

bool FitPreviewViewport(const RECT& client, LONG width, LONG height, RECT* viewport)
{
    if (client.right - client.left <= kSmallestPaintedSide || client.bottom - client.top <= kSmallestPaintedSide)
        return false;
    RECT fitted = client;
    InflateRect(&fitted, -kInset, -kInset);
    OffsetRect(&fitted, -1, -1);
    int64_t boxWidth = fitted.right - fitted.left;
    int64_t boxHeight = fitted.bottom - fitted.top;

    if (width > 0 && height > 0) {
        // Compare the aspects exactly: with whole micrometres per pixel a picture smaller than the
        // box in those units would be fitted along the wrong axis and spill out of the window.
        if (int64_t(height) * boxWidth < int64_t(width) * boxHeight) {
            const int64_t fittedHeight = (int64_t(height) * boxWidth + width / 2) / width;
            fitted.top += LONG((boxHeight - fittedHeight) / 2);
            boxHeight = fittedHeight;
        } else {
            const int64_t fittedWidth = (int64_t(width) * boxHeight + height / 2) / height;
            fitted.left += LONG((boxWidth - fittedWidth) / 2);
            boxWidth = fittedWidth;
        }
    }
    if (boxWidth <= 0 || boxHeight <= 0)
        return false;
    viewport->left = fitted.left;
    viewport->top = fitted.top;
    viewport->right = fitted.left + LONG(boxWidth);
    viewport->bottom = fitted.top + LONG(boxHeight);
    return true;
}

void MovePreviewWindow(HWND window, const RECT& rect)
{
    SetWindowPos(window, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_NOACTIVATE | SWP_NOZORDER);
}

HRESULT CreatePreviewWindow(HWND parent, const RECT& rect, HMETAFILE metafile, LONG width, LONG height,
                            HWND* window)
{
    *window = nullptr;
    RegisterPreviewWindowClass();
    HWND created = CreateWindowExW(0, kPreviewWindowClass, kPreviewWindowTitle, WS_CHILD | WS_VISIBLE, 0, 0, 100, 100,
                                   parent, nullptr, PreviewModule(), nullptr);
    if (!created)
        return HResultFromLastError();
    // Nothing paints before the message loop runs again, so the picture is in place for the first paint.
    SetWindowLongPtrW(created, kMetafileOffset, reinterpret_cast<LONG_PTR>(metafile));
    SetWindowLongW(created, kWidthOffset, width);
    SetWindowLongW(created, kHeightOffset, height);
    MovePreviewWindow(created, rect);
    ShowWindow(created, SW_SHOW);
    *window = created;
    return S_OK;
}

void UnregisterPreviewWindowClass()
{
    UnregisterClassW(kPreviewWindowClass, PreviewModule());
}

LRESULT CALLBACK PreviewWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return GuardedEntry(
        [&]() -> LRESULT {
            switch (message) {
            case WM_PAINT:
                Paint(window);
                return 0;
            case WM_SIZE:
                // The picture is fitted to the client area, so a new size redraws all of it.
                InvalidateRect(window, nullptr, FALSE);
                return 0;
            case WM_DESTROY:
                DeleteStoredMetafile(window);
                return 0;
            default:
                return DefWindowProcW(window, message, wParam, lParam);
            }
        },
        LRESULT(0));
}
