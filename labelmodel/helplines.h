#pragma once
// CHelpLines: the guide lines that divide one area of the label into equal parts; each template
// holds one set and stores it (after the tag 141) with the record below. The counts are lines,
// i.e. the stored division count minus one, held in an int so that no stored value wraps.
#include "framework/object.h"

class CDC;
class CFile;
class CLabel;

class CHelpLines : public CObject {
public:
    static const int kTag = 141;

    // Record: u8 showHorizontal, u8 showVertical, i16 horizontal divisions, i16 vertical divisions.
    // Load leaves the lines as they were when the record is short.
    bool Load(CFile* file);
    bool Save(CFile* file) const;

    // Draws the lines of one part of the stock (0 label, 1 page header, 2 page footer) at a zoom;
    // the device context's origin is the part's top-left corner. Nothing without a stock.
    void Draw(CDC* pDC, CLabel* stock, int part, int zoom) const;
    // The same for an area of widthUm x heightUm micrometres.
    void DrawArea(CDC* pDC, int widthUm, int heightUm, int zoom) const;

    bool IsHorizontalShown() const { return m_showHorizontal; }
    bool IsVerticalShown() const { return m_showVertical; }
    void ShowHorizontal(bool show) { m_showHorizontal = show; }
    void ShowVertical(bool show) { m_showVertical = show; }
    int GetHorizontalLines() const { return m_horizontalLines; }
    int GetVerticalLines() const { return m_verticalLines; }
    void SetHorizontalLines(int lines) { m_horizontalLines = lines; }
    void SetVerticalLines(int lines) { m_verticalLines = lines; }

private:
    bool m_showHorizontal = false;
    bool m_showVertical = false;
    int m_horizontalLines = 0;
    int m_verticalLines = 0;
};
