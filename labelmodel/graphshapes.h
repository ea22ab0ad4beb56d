#pragma once
// The geometric label objects: rectangle (also the base of the text and barcode objects), ellipse,
// rounded rectangle, the older triangle read from files, the rounded warning triangle and the
// straight line. Each owns only its fields; its collection owns the object.
#include "labelmodel/graphobject.h"

class CPen;

class CGraphRect : public CGraph2Dim {
public:
    static const int kTypeCode = 151;

    CGraphRect() = default;
    CGraphRect(const CGraphRect&) = default;

    bool HasLine() override { return true; }
    bool HasFill() override { return true; }
    bool HasTransparency() override { return true; }
    COLORREF GetLineColour() override { return m_lineColour; }
    void SetLineColour(COLORREF c) override { m_lineColour = c; }
    COLORREF GetFillColour() override { return m_fillColour; }
    // Choosing a fill colour fills the object.
    void SetFillColour(COLORREF c) override { m_fillColour = c; m_transparent = false; }
    bool IsTransparent() override { return m_transparent; }
    void SetTransparent(bool t) override { m_transparent = t; }

    bool Load(CFile* file) override;
    bool Save(CFile* file) override;
    CGraphObject* Clone() override { return new CGraphRect(*this); }
    bool Draw(CDC* pDC, int zoom, int originX, int originY, bool designFrame, int row, int flags,
              int fitResolutionX, int fitResolutionY, CDataTableBase* table,
              CDataTableMap* columnMap, bool design) override;
    int GetTypeCode() override { return kTypeCode; }

protected:
    // x, y, width, height, lineWidth, lineColour, fillColour, u8 transparent: 29 bytes, the first
    // part of the records of every class built on the rectangle.
    struct RectRecord : BaseRecord {
        int width = 0, height = 0, lineWidth = 0;
        COLORREF lineColour = 0, fillColour = 0;
        bool transparent = true;
    };
    static bool ReadRectRecord(RecordReader& r, RectRecord& rec);
    void WriteRectRecord(RecordWriter& w) const;
    void ApplyRectRecord(const RectRecord& rec);

    // The shape's own drawing, after PrepareForDevice and inside SaveDC/RestoreDC.
    virtual void DrawShape(CDC* pDC);
    // Solid pen of the line width on the device in the line colour (0 width: one pixel).
    void CreateLinePen(CPen& pen) const;
    // The rectangle drawing: the fill (when not transparent) and the outline.
    void DrawRectangle(CDC* pDC);
    void FillDeviceRect(CDC* pDC);

    COLORREF m_fillColour = 0;
    COLORREF m_lineColour = 0;
    bool m_transparent = true;
};

class CGraphEllipse : public CGraphRect {
public:
    static const int kTypeCode = 131;

    CGraphObject* Clone() override { return new CGraphEllipse(*this); }
    CMarker* CreateMarker(int px, int py, int penStyle) override;
    int GetTypeCode() override { return kTypeCode; }

protected:
    void DrawShape(CDC* pDC) override;
};

class CGraphRectRounded : public CGraphRect {
public:
    static const int kTypeCode = 132;

    CGraphObject* Clone() override { return new CGraphRectRounded(*this); }
    bool Load(CFile* file) override;
    bool Save(CFile* file) override;
    int GetCornerRadius() override { return m_cornerRadius; }
    void SetCornerRadius(int um) override { m_cornerRadius = um; }
    int GetTypeCode() override { return kTypeCode; }

protected:
    void DrawShape(CDC* pDC) override;

    int m_cornerRadius = 2500;
};

// rotation in tenths of a degree: 0 apex at the top, 900 left, 1800 bottom, 2700 right. A value
// outside these four (only a damaged file holds one) is kept for the record but behaves as 0.
class CGraphTriangle : public CGraphRect {
public:
    static const int kTypeCode = 155;

    CGraphObject* Clone() override { return new CGraphTriangle(*this); }
    bool Load(CFile* file) override;
    bool Save(CFile* file) override;
    CMarker* CreateMarker(int px, int py, int penStyle) override;
    void Rotate90(int cx, int cy, int dir) override;
    int GetTypeCode() override { return kTypeCode; }

    int GetRotation() const { return m_rotation; }
    void SetRotation(int rotation) { m_rotation = rotation; }
    int GetEffectiveRotation() const;

protected:
    void DrawShape(CDC* pDC) override;

    int m_rotation = 0;
};

// The warning sign: a triangle with rounded corners, yellow and filled with a black border when
// new; in equilateral mode its proportions, line width and corner radius follow its width.
class CGraphTriangleExt : public CGraphTriangle {
public:
    static const int kTypeCode = 156;

    CGraphTriangleExt();
    CGraphObject* Clone() override { return new CGraphTriangleExt(*this); }
    bool Load(CFile* file) override;
    bool Save(CFile* file) override;
    int GetCornerRadius() override { return m_cornerRadius; }
    void SetCornerRadius(int um) override { m_cornerRadius = um; }
    bool IsEquilateral() override { return m_equilateral; }
    bool HasEquilateral() override { return true; }
    void SetEquilateral(bool on) override;
    int GetAspectPercent() override;
    void TrackResize(CDC* pDC, int px, int py, UINT keyFlags) override;
    bool Draw(CDC* pDC, int zoom, int originX, int originY, bool designFrame, int row, int flags,
              int fitResolutionX, int fitResolutionY, CDataTableBase* table,
              CDataTableMap* columnMap, bool design) override;
    int GetTypeCode() override { return kTypeCode; }

    // Line width and corner radius of an equilateral sign of the current width.
    void ApplyEquilateralProportions();

protected:
    void DrawShape(CDC* pDC) override;

    int m_cornerRadius = 2500;
    bool m_equilateral = true;
};

// A straight line from (x, y) (the first end point, the base class's position) to (x2, y2).
class CGraphLine : public CGraphObject {
public:
    static const int kTypeCode = 153;

    CGraphLine() = default;
    CGraphLine(int x1, int y1, int x2, int y2);
    CGraphLine(const CGraphLine&) = default;

    void SetPoints(int x1, int y1, int x2, int y2) { m_x = x1; m_y = y1; m_x2 = x2; m_y2 = y2; }
    int GetX1() const { return m_x; }
    int GetY1() const { return m_y; }
    int GetX2() const { return m_x2; }
    int GetY2() const { return m_y2; }
    POINT GetDeviceStart() const { return POINT{m_devX1, m_devY1}; }
    POINT GetDeviceEnd() const { return POINT{m_devX2, m_devY2}; }

    int GetX() override;
    int GetY() override;
    int GetWidth() override;
    int GetHeight() override;
    void SetX(int v) override;
    void SetY(int v) override;
    void SetWidth(int w) override;
    void SetHeight(int h) override;
    int GetLeft() override { return GetX(); }
    int GetTop() override { return GetY(); }
    int GetRight() override;
    int GetBottom() override;
    void SetLeft(int v) override { SetX(v); }
    void SetTop(int v) override { SetY(v); }
    void SetRight(int) override {}
    void SetBottom(int) override {}
    int GetExtentX() override;
    int GetExtentY() override;
    void GetCentre(int* cx, int* cy) override;
    bool SetCentreAlong(int axis, int v) override;
    void Offset(int dx, int dy) override;
    void Rotate90(int cx, int cy, int dir) override;
    int GetAspectPercent() override { return 100; }

    bool HasLine() override { return true; }
    COLORREF GetLineColour() override { return m_lineColour; }
    void SetLineColour(COLORREF c) override { m_lineColour = c; }

    void PrepareForDevice(CDC* pDC, int zoom, int originX, int originY) override;
    bool HitTest(CDC* pDC, int zoom, int px, int py) override;
    bool IsInsideRect(CDC* pDC, int zoom, const RECT* rc) override;
    int HitHandle(CDC* pDC, int zoom, int px, int py) override;
    bool IsOnHandle(CDC* pDC, int zoom, int px, int py) override;
    void DrawHandles(CDC* pDC) override;

    CMarker* CreateMarker(int px, int py, int penStyle) override;
    void BeginCreateDrag(CDC* pDC, int zoom, int px, int py) override;
    void BeginMove(CDC* pDC, int zoom, int px, int py) override;
    void EndMove(CDC* pDC, int px, int py) override;
    void BeginResize(CDC* pDC, int zoom, int px, int py) override;
    void EndResize(CDC* pDC) override;

    bool Load(CFile* file) override;
    bool Save(CFile* file) override;
    CGraphObject* Clone() override { return new CGraphLine(*this); }
    bool Draw(CDC* pDC, int zoom, int originX, int originY, bool designFrame, int row, int flags,
              int fitResolutionX, int fitResolutionY, CDataTableBase* table,
              CDataTableMap* columnMap, bool design) override;
    int GetTypeCode() override { return kTypeCode; }

private:
    int m_x2 = 0;
    int m_y2 = 0;
    int m_devX1 = 0, m_devY1 = 0, m_devX2 = 0, m_devY2 = 0;
    COLORREF m_lineColour = 0;
};
