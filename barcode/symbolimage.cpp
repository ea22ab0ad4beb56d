#include "barcode/symbolimage.h"

#include <vector>

namespace {

// Far beyond the largest symbols (177 modules a side; a linear symbol of some thousand pixels
// along one row); a bigger grid is a caller's mistake.
constexpr int kMaxSide = 65536;
constexpr long long kMaxModules = 1 << 22;

RGBQUAD Quad(COLORREF c)
{
    RGBQUAD q = {};
    q.rgbRed = GetRValue(c);
    q.rgbGreen = GetGValue(c);
    q.rgbBlue = GetBValue(c);
    return q;
}

} // namespace

bool IsPrinterDC(HDC dc)
{
    return dc && ::GetObjectType(dc) == OBJ_DC && ::GetDeviceCaps(dc, TECHNOLOGY) == DT_RASPRINTER;
}

bool DrawSymbolImage(HDC dc, int rows, int columns, const std::function<bool(int, int)>& dark,
                     const std::function<RECT(int, int)>& square, COLORREF ink, COLORREF ground)
{
    if (!dc || rows <= 0 || columns <= 0 || rows > kMaxSide || columns > kMaxSide ||
        static_cast<long long>(rows) * columns > kMaxModules || (ink >> 24) || (ground >> 24))
        return false;
    // The symbol's box and one module's size give the image's grid, whichever way it is turned.
    const RECT first = square(0, 0), last = square(rows - 1, columns - 1);
    const int mx = first.right - first.left, my = first.bottom - first.top;
    RECT box;
    ::UnionRect(&box, &first, &last);
    if (mx <= 0 || my <= 0 || (box.right - box.left) % mx || (box.bottom - box.top) % my)
        return false;
    const int width = (box.right - box.left) / mx, height = (box.bottom - box.top) / my;
    if (static_cast<long long>(width) * height != static_cast<long long>(rows) * columns)
        return false;

    // One bit a module, rows bottom-up as every driver reads them, each row padded to 32 bits.
    const size_t stride = static_cast<size_t>((width + 31) / 32) * 4;
    std::vector<unsigned char> bits(stride * height);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            // Every module, light ones too, must sit on the grid: the image paints them all.
            const RECT s = square(r, c);
            if (s.right - s.left != mx || s.bottom - s.top != my || (s.left - box.left) % mx ||
                (s.top - box.top) % my || s.left < box.left || s.top < box.top || s.right > box.right ||
                s.bottom > box.bottom)
                return false;
            if (!dark(r, c))
                continue;
            const int x = (s.left - box.left) / mx, y = (s.top - box.top) / my;
            bits[static_cast<size_t>(height - 1 - y) * stride + x / 8] |= static_cast<unsigned char>(0x80 >> (x % 8));
        }
    }

    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colours[2];
    } info = {};
    info.header.biSize = sizeof info.header;
    info.header.biWidth = width;
    info.header.biHeight = height;
    info.header.biPlanes = 1;
    info.header.biBitCount = 1;
    info.header.biCompression = BI_RGB;
    info.header.biClrUsed = 2;
    info.colours[0] = Quad(ground);
    info.colours[1] = Quad(ink);
    const int lines = ::StretchDIBits(dc, box.left, box.top, box.right - box.left, box.bottom - box.top, 0, 0, width,
                                      height, bits.data(), reinterpret_cast<const BITMAPINFO*>(&info), DIB_RGB_COLORS,
                                      SRCCOPY);
    return lines > 0;
}
