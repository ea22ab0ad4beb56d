#pragma once
// Rubber-band outlines of the design view: drawn with an inverting raster operation, so drawing the
// same outline a second time removes it and nothing under it needs repainting during a drag.
// A marker belongs to the label object whose drag created it; the object erases and deletes it.
#include "framework/gdi.h"
#include "framework/object.h"
#include <windows.h>

// The marker asks the keyboard (Ctrl grows the outline from its centre) through this function, so
// tests can hold keys down without a real keyboard. Passing null restores GetKeyState.
typedef SHORT(WINAPI* KeyStateFunction)(int virtualKey);
KeyStateFunction SetMarkerKeyStateFunction(KeyStateFunction fn);
bool IsMarkerKeyDown(int virtualKey);

class CMarker : public CObject {
public:
    CMarker(int x, int y, int penStyle);
    ~CMarker() override;
    CMarker(const CMarker&) = delete;
    CMarker& operator=(const CMarker&) = delete;

    virtual void GetRect(int* left, int* top, int* right, int* bottom) = 0;
    virtual void Erase(CDC* pDC);
    virtual int GetSize() = 0;
    // Toggles the outline on the screen (draw once shows it, draw again removes it).
    virtual void Draw(CDC* pDC);

    void MoveEndPoint(CDC* pDC, int x, int y);
    void MoveBy(CDC* pDC, int px, int py);
    // Remembers the mouse point where a move began and the four coordinates at that moment.
    void SetMoveOrigin(int px, int py);

    bool IsDrawn() const { return m_drawn; }
    POINT GetStartPoint() const { return POINT{m_x1, m_y1}; }
    POINT GetEndPoint() const { return POINT{m_x2, m_y2}; }

protected:
    // The outline itself, with pen and raster operation already selected.
    virtual void DrawShape(CDC* pDC) = 0;
    void GetNormalRect(int* left, int* top, int* right, int* bottom) const;

    int m_savedRop2 = R2_COPYPEN;
    bool m_drawn = false;
    int m_x1, m_y1;
    int m_x2, m_y2;
    int m_moveOriginX = 0, m_moveOriginY = 0;
    int m_startX1 = 0, m_startY1 = 0, m_startX2 = 0, m_startY2 = 0;
    int m_centreX, m_centreY;
    CPen m_pen;
    CGdiObject* m_previousPen = nullptr;
};

class CMarkerRect : public CMarker {
public:
    CMarkerRect(int x, int y, int penStyle) : CMarker(x, y, penStyle) {}
    void GetRect(int* left, int* top, int* right, int* bottom) override;
    int GetSize() override;

protected:
    void DrawShape(CDC* pDC) override;
};

class CMarkerEllipse : public CMarkerRect {
public:
    CMarkerEllipse(int x, int y, int penStyle) : CMarkerRect(x, y, penStyle) {}

protected:
    void DrawShape(CDC* pDC) override;
};

// orientation: 0, 900, 1800 or 2700 as the rotation of a triangle; any other value draws nothing.
class CMarkerTriangle : public CMarkerRect {
public:
    CMarkerTriangle(int x, int y, int penStyle, int orientation)
        : CMarkerRect(x, y, penStyle), m_orientation(orientation) {}
    int GetOrientation() const { return m_orientation; }

protected:
    void DrawShape(CDC* pDC) override;

private:
    int m_orientation;
};

class CMarkerLine : public CMarker {
public:
    CMarkerLine(int x, int y, int penStyle) : CMarker(x, y, penStyle) {}
    // The start and end points as they are (the direction of the drag is kept).
    void GetRect(int* left, int* top, int* right, int* bottom) override;
    int GetSize() override;

protected:
    void DrawShape(CDC* pDC) override;
};
