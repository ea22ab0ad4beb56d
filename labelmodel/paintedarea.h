#pragma once
// What has been painted so far on the printer page being drawn: rectangles that bound every
// drawing on it. A symbol whose box meets none of them lies on bare paper, so it may go to the
// printer as one two-colour image instead of hundreds of filled rectangles.
#include <windows.h>
#include <vector>

class CPaintedArea {
public:
    // Becomes the record of dc's page until it is destroyed (the record it hides comes back then).
    explicit CPaintedArea(HDC dc);
    ~CPaintedArea();
    CPaintedArea(const CPaintedArea&) = delete;
    CPaintedArea& operator=(const CPaintedArea&) = delete;

    // The record of dc's page, or null when nobody keeps one (the screen, metafiles, previews).
    static CPaintedArea* For(HDC dc);

    // Something was painted within r (device pixels, right and bottom excluded).
    void Add(const RECT& r);
    // Something was painted whose extent is not known: nothing is clear any more.
    void AddEverything() { m_everything = true; }
    // Nothing recorded so far meets r.
    bool IsClear(const RECT& r) const;

private:
    HDC m_dc;
    CPaintedArea* m_hidden;
    bool m_everything = false;
    std::vector<RECT> m_rects;
};
