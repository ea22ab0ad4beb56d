#pragma once
// CImageBrowser: the thumbnails of the picture files of the current folder in the link-image
// dialog, chosen by clicks and a rubber band and dragged onto the dialog's image slots.
#include "framework/msgmap.h"
#include "framework/wnd.h"
#include "ui/thumbnails.h"

#include <cstdint>
#include <vector>

class CMarkerRect;

// Posted to the browser to list the process's current folder again.
constexpr UINT WM_IMAGEBROWSER_RESCAN = WM_USER + 1;

// Window classes the dialog template names; data exchange subclasses the controls.
extern const char kImageBrowserClass[];   // "OSTRELIND_IMAGE_BROWSER"
extern const char kImageWindowClass[];    // "OSTRELIND_IMAGE_WINDOW"
// Registers both classes (once; later calls answer the first result).
bool RegisterImageWindowClasses();

class CImageBrowser : public CWnd {
public:
    static const int kMaxEntries = 1024;
    static const int kNameSize = 257;
    static const int kCell = 48;
    static const int kPitch = 60;
    static const int kMargin = 6;

    CImageBrowser();
    ~CImageBrowser() override;

    // The full path of the k-th selected entry in a static 260-byte buffer; "" when there is none.
    const char* GetSelectedPath(int k) const;
    // folder, a backslash unless it ends in one, and name into out (260 bytes); false, out "",
    // when the whole path does not fit.
    static bool JoinPath(const char* folder, const char* name, char* out);
    int GetEntryCount() const;
    const char* GetEntryName(int index) const;
    bool IsSelected(int index) const;
    int GetSelectedCount() const;
    int GetSelectionOrder(int k) const;    // entry index or -1
    const char* GetFolder() const { return m_folder; }
    int GetColumns() const;
    // The entry's 48 x 48 cell in client pixels at the present scroll position.
    RECT CellRect(int index) const;
    int HitTest(POINT p) const;
    bool IsDragging() const { return m_dragging != 0; }
    bool IsBanding() const { return m_banding != 0; }
    void ClearSelection();
    // Drops the cached thumbnails (they are rebuilt on the next paint).
    void ClearThumbnailCache();

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    DECLARE_MESSAGE_MAP()

protected:
    LRESULT OnRescan(WPARAM, LPARAM);
    void OnPaint();
    void OnLButtonDown(UINT flags, CPoint point);
    void OnMouseMove(UINT flags, CPoint point);
    void OnLButtonUp(UINT flags, CPoint point);
    void OnKillFocus(CWnd* newWnd);
    void OnVScroll(UINT code, UINT pos, CScrollBar* bar);
    void OnCaptureChanged(CWnd* wnd);
    void OnCancelMode();
    void OnSize(UINT type, int cx, int cy);

private:
    struct Entry {
        char name[kNameSize];
        uint8_t selected;
    };

    void AddToSelection(int index);
    void RemoveFromSelection(int index);
    void InvalidateCell(int index, int inflate);
    void SetScrollRange();
    // Draws the entry's picture into the 48 x 48 square at x, y of dc (from the cache).
    void DrawThumbnail(CDC* dc, int index, int x, int y);
    HBITMAP Thumbnail(HDC screen, int index);
    // The full path of entry index ("" when it does not fit).
    CString EntryPath(int index) const;
    // Reads the JPEG thumbnails of the uncached cells meeting `area` on a few threads at once;
    // Thumbnail makes the bitmaps from them on this thread.
    void PrepareThumbnails(const RECT& area);
    void BeginDrag(CPoint point);
    void MoveDragImage(CPoint point);
    // Saves the dialog's pixels under the image's place for point and draws the image there.
    void ShowDragImage(HWND dialog, HDC dialogDC, CPoint point);
    void EndDrag();                      // puts the pixels back and frees the drag bitmaps
    void EndBand();                      // erases the marker and frees the cursor
    void CancelModes();                  // capture lost: everything a drag or band holds goes
    CWnd* DialogWindow() const;

    uint8_t m_dragging = 0;
    uint8_t m_banding = 0;
    uint8_t m_togglePending = 0;
    HCURSOR m_outsideCursor = nullptr;
    CMarkerRect* m_band = nullptr;
    std::vector<Entry> m_entries;        // kMaxEntries; an empty name ends the list
    std::vector<int> m_order;            // kMaxEntries; -1 ends the list
    char m_folder[256] = {};
    HDC m_dragDC = nullptr;
    HBITMAP m_dragBitmap = nullptr;
    HGDIOBJ m_dragOld = nullptr;
    HDC m_backDC = nullptr;
    HBITMAP m_backBitmap = nullptr;
    HGDIOBJ m_backOld = nullptr;
    POINT m_grab = {};
    int m_imageSize = 0;
    POINT m_dragPos = {};
    int m_anchor = -1;
    std::vector<HBITMAP> m_cache;        // per entry, the drawn 48 x 48 picture
    std::vector<ThumbnailPixels> m_prepared;   // per entry, used once by Thumbnail
    int m_count = 0;
};
