#pragma once
// A stand-in for the barcode object in tests: a box at a position in micrometres, turned, with a
// font and colours; it places the symbol as the barcode object does (left alignment) and records
// the captions it is asked to draw.
#include "barcode/barcode.h"
#include "framework/file.h"
#include "testsupport/dibcanvas.h"
#include <string>
#include <vector>

class TestOwner : public CBarcodeOwner {
public:
    int x = 0, y = 0;             // um
    int width = 0, height = 0;    // um, the object's (turned) size
    int rotation = 0;
    int dpi = 300;
    COLORREF textColour = RGB(0, 0, 0);
    bool transparent = false;
    LOGFONTA font = {};
    CRect deviceRect;
    int alignment = 1;            // 1 left, 2 centre, 3 right
    bool placeholder = false;     // the text is the design view's placeholder, not data

    struct Caption {
        int topMargin;
        int xMargin;
        bool markShrunk;
        bool transparentWhileDrawn;
        std::string text;
    };
    std::vector<Caption> captions;
    int transparentChanges = 0;

    TestOwner()
    {
        font.lfHeight = -12;
        font.lfWeight = FW_NORMAL;
        font.lfCharSet = ANSI_CHARSET;
        font.lfOutPrecision = OUT_TT_ONLY_PRECIS;
        lstrcpyA(font.lfFaceName, "Tahoma");
    }

    static int Px(int64_t um, int d) { return static_cast<int>((um * d + 12700) / 25400); }

    int GetOwnerRotation() override { return rotation; }
    CRect GetOwnerDeviceRect() override { return deviceRect; }
    CSize GetOwnerSize() override { return CSize(width, height); }
    COLORREF GetOwnerTextColour() override { return textColour; }
    bool IsOwnerTransparent() override { return transparent; }
    void SetOwnerTransparent(bool on) override
    {
        transparent = on;
        ++transparentChanges;
    }
    void GetOwnerLogFont(LOGFONTA* out) override { *out = font; }
    void GetOwnerDrawLogFont(LOGFONTA* out) override
    {
        *out = font;
        out->lfHeight = -MulDiv(-font.lfHeight, dpi, 96);
        out->lfEscapement = out->lfOrientation = rotation == 2700 ? -900 : rotation;
        out->lfClipPrecision = CLIP_LH_ANGLES;
    }
    void DrawCaption(CDC* dc, int topMargin, int xMargin, bool markShrunk, const char* text) override
    {
        captions.push_back({topMargin, xMargin, markShrunk, transparent, text});
        LOGFONTA lf;
        GetOwnerDrawLogFont(&lf);
        CFont f;
        f.CreateFontIndirect(&lf);
        int saved = dc->SaveDC();
        dc->SelectObject(&f);
        dc->SetBkMode(TRANSPARENT);
        dc->SetTextColor(textColour);
        dc->SetTextAlign(TA_LEFT | TA_TOP);
        const CRect& r = deviceRect;
        int o = xMargin, t = topMargin;
        CPoint p;
        switch (rotation) {
        case 900: p = CPoint(r.left + t + 1, r.bottom - o); break;
        case 1800: p = CPoint(r.right - o, r.bottom - t); break;
        case 2700: p = CPoint(r.right - t, r.top + o); break;
        default: p = CPoint(r.left + o + 1, r.top + t + 1); break;
        }
        dc->TextOut(p.x, p.y, text, lstrlenA(text));
        dc->RestoreDC(saved);
    }

    bool IsOwnerTextPlaceholder() override { return placeholder; }

    // Places the box at (x, y) um with the symbol's width along it and `depth` um across it,
    // and computes the device rectangle at the owner's dpi.
    void PlaceFor(int along, int depth)
    {
        bool turned = rotation == 900 || rotation == 2700;
        width = turned ? depth : along;
        height = turned ? along : depth;
        deviceRect = CRect(Px(x, dpi), Px(y, dpi), Px(int64_t(x) + width, dpi),
                           Px(int64_t(y) + height, dpi));
    }

    // Draws as the barcode object does: the symbol's start point by rotation, the bar brush from
    // the text colour, then releases it. Answers the symbology's Draw result.
    int DrawSymbol(CBarcode& code, CDC& dc, const char* text, int record = 1)
    {
        bool turned = rotation == 900 || rotation == 2700;
        int boxWidth = turned ? height : width;
        int o = 0;
        if (alignment == 2)
            o = (boxWidth - code.MeasureWidth(text, dpi)) / 2;
        else if (alignment == 3)
            o = boxWidth - code.MeasureWidth(text, dpi);
        int sx = x, sy = y;
        switch (rotation) {
        case 0: sx = x + o; sy = y; break;
        case 900: sx = x; sy = y + height - o; break;
        case 1800: sx = x + width - o; sy = y + height; break;
        case 2700: sx = x + width; sy = y + o; break;
        }
        code.GetBarBrush().CreateSolidBrush(textColour);
        int drawn = code.Draw(this, &dc, dpi, dpi, Px(sx, dpi), Px(sy, dpi), record, text);
        code.ReleaseBrush();
        return drawn;
    }
};

// Writes the canvas as a 24-bit bottom-up BMP file.
inline bool WriteBmp(const DibCanvas& canvas, const char* path)
{
    int w = canvas.Width(), h = canvas.Height();
    int stride = (w * 3 + 3) & ~3;
    std::vector<BYTE> file(54 + static_cast<size_t>(stride) * h, 0);
    auto put32 = [&](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i)
            file[at + i] = static_cast<BYTE>(v >> (8 * i));
    };
    file[0] = 'B';
    file[1] = 'M';
    put32(2, static_cast<uint32_t>(file.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<uint32_t>(w));
    put32(22, static_cast<uint32_t>(h));
    file[26] = 1;
    file[28] = 24;
    put32(34, static_cast<uint32_t>(stride) * h);
    put32(38, 11811);
    put32(42, 11811);
    const uint32_t* bits = canvas.Bits();
    for (int row = 0; row < h; ++row) {
        BYTE* out = &file[54 + static_cast<size_t>(h - 1 - row) * stride];
        for (int col = 0; col < w; ++col) {
            uint32_t p = bits[static_cast<size_t>(row) * w + col];
            out[3 * col] = static_cast<BYTE>(p);
            out[3 * col + 1] = static_cast<BYTE>(p >> 8);
            out[3 * col + 2] = static_cast<BYTE>(p >> 16);
        }
    }
    CFile f;
    if (!f.Open(path, CFile::modeCreate | CFile::modeWrite | CFile::typeBinary))
        return false;
    bool ok = f.Write(file.data(), static_cast<UINT>(file.size()));
    return f.Close() && ok;
}

// The bytes a record of code occupies.
inline std::vector<BYTE> RecordBytes(const CBarcode& code)
{
    CMemFile f;
    code.Save(&f);
    return f.Bytes();
}
