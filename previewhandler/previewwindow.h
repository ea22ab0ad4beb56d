// The child window "PreviewWindow" that shows one metafile fitted and centred. The window owns the
// metafile kept in its extra bytes and deletes it when it is destroyed.
#pragma once

#include <windows.h>

extern const wchar_t kPreviewWindowClass[];
extern const wchar_t kPreviewWindowTitle[];

// Creates the visible child under `parent` and moves it to `rect`. On success the window has taken
// `metafile` (which may be none) with its size in micrometres; on failure the caller still owns it.
HRESULT CreatePreviewWindow(HWND parent, const RECT& rect, HMETAFILE metafile, LONG width, LONG height,
                            HWND* window);

// Moves the window to the host's rectangle without activating it or changing its z-order.
void MovePreviewWindow(HWND window, const RECT& rect);

// Where a picture of width x height micrometres is played in a client rectangle: inset by 4 pixels
// (and 1 up and left), then shrunk along one axis to keep the picture's aspect and centred on it.
// A picture without a size fills the inset rectangle. False when nothing is to be played: a client
// of 10 x 10 pixels or less, or a fitted rectangle without area.
bool FitPreviewViewport(const RECT& client, LONG width, LONG height, RECT* viewport);

// The class belongs to this module; a DLL unregisters it before it is unloaded, so that a later
// load does not meet a class whose procedure lay in the unloaded image.
void UnregisterPreviewWindowClass();

LRESULT CALLBACK PreviewWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
