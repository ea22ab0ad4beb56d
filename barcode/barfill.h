#pragma once
// The dark rectangles of one symbol in one colour, gathered and filled together: a region per
// batch and one fill call for it, in place of one call per bar or module. The pixels are those
// of filling each rectangle on its own; what changes is what a printer driver or a metafile
// receives (one path or one record instead of hundreds). On the screen and memory bitmaps,
// where a call costs nothing but building the region does, the rectangles go out one by one.
#include <windows.h>
#include <vector>

class CBarcodeOwner;

class CBarFill {
public:
    // Rectangles past this many go out as a batch of their own: building one region from
    // rectangles costs about the square of their number in some GDI implementations.
    static constexpr size_t kBatch = 1024;

    CBarFill(HDC dc, HBRUSH brush);
    CBarFill(const CBarFill&) = delete;
    CBarFill& operator=(const CBarFill&) = delete;
    ~CBarFill() { Flush(); }

    // Adds a device rectangle (already clipped); an empty one is ignored. A rectangle that
    // continues the previous one along the same row joins it.
    void Add(const RECT& r);
    // On a printer, bars all of one length may go out as one image of the brush's colour and the
    // colour the owner says lies beneath them (spaces painted in it), in place of a path per bar.
    void AllowImage(CBarcodeOwner* owner);
    // Fills what was gathered and starts empty.
    void Flush();
    // Fill calls made so far (for tests and the benchmark).
    int Calls() const { return m_calls; }

    // Every bar and module its own rectangle and no symbol as an image, on every device: the
    // plain drawing that tests compare the gathered one with.
    static void SetPlainDrawing(bool plain);
    static bool IsPlainDrawing();
    // Symbols may go to printers as images (the default); off, printers get the regions that
    // metafiles get, so that the benchmark can weigh one against the other.
    static void SetPrinterImages(bool allowed);
    static bool ArePrinterImagesAllowed();

private:
    void FillEach() const;
    bool FillAsImage() const;

    HDC m_dc;
    bool m_direct;
    HBRUSH m_brush;
    CBarcodeOwner* m_owner = nullptr;
    COLORREF m_ink = 0;
    std::vector<RECT> m_rects;
    int m_calls = 0;
};
