// A symbol as one two-colour image: at every module size and turn, the image's pixels are those
// of the ground colour filled first and each dark module filled on its own after it; grids the
// image can not stand for are refused with nothing drawn.
#include "barcode/symbolimage.h"
#include "testsupport/dibcanvas.h"
#include <gtest/gtest.h>

#include <cstdlib>

namespace {

const COLORREF kInk = RGB(20, 40, 160);
const COLORREF kGround = RGB(250, 240, 200);

// A pseudo-random rows x columns pattern with its corners dark, as a symbol's finders are.
std::vector<bool> Pattern(int rows, int columns, unsigned seed)
{
    std::vector<bool> dark(static_cast<size_t>(rows) * columns);
    for (size_t i = 0; i < dark.size(); ++i) {
        seed = seed * 1103515245u + 12345u;
        dark[i] = (seed >> 16) & 1;
    }
    dark.front() = dark.back() = true;
    return dark;
}

// Module (r, c) of a grid whose first module touches (X, Y) and grows the way rotation turns it,
// as the two-dimensional symbols lay out their modules.
RECT Turned(int rotation, int X, int Y, int m, int r, int c)
{
    switch (rotation) {
    case 900: return RECT{X + m * r, Y - m * (c + 1), X + m * (r + 1), Y - m * c};
    case 1800: return RECT{X - m * (c + 1), Y - m * (r + 1), X - m * c, Y - m * r};
    case 2700: return RECT{X - m * (r + 1), Y + m * c, X - m * r, Y + m * (c + 1)};
    default: return RECT{X + m * c, Y + m * r, X + m * (c + 1), Y + m * (r + 1)};
    }
}

} // namespace

TEST(SymbolImage, MatchesGroundAndOneRectanglePerModule)
{
    const int sizes[][2] = {{21, 21}, {25, 25}, {9, 30}, {1, 1}, {33, 7}};
    for (const auto& size : sizes) {
        const int rows = size[0], columns = size[1];
        const std::vector<bool> dark = Pattern(rows, columns, static_cast<unsigned>(rows * 131 + columns));
        for (int m = 1; m <= 12; ++m) {
            for (int rotation : {0, 900, 1800, 2700}) {
                const int X = rotation == 1800 || rotation == 2700 ? 430 : 7;
                const int Y = rotation == 900 || rotation == 1800 ? 430 : 9;
                auto square = [&](int r, int c) { return Turned(rotation, X, Y, m, r, c); };
                auto isDark = [&](int r, int c) { return static_cast<bool>(dark[static_cast<size_t>(r) * columns + c]); };

                DibCanvas drawn(440, 440), reference(440, 440);
                ASSERT_TRUE(DrawSymbolImage(drawn.dc().GetSafeHdc(), rows, columns, isDark, square, kInk, kGround));

                HDC ref = reference.dc().GetSafeHdc();
                RECT box;
                const RECT first = square(0, 0), last = square(rows - 1, columns - 1);
                ::UnionRect(&box, &first, &last);
                HBRUSH ground = ::CreateSolidBrush(kGround), ink = ::CreateSolidBrush(kInk);
                ::FillRect(ref, &box, ground);
                for (int r = 0; r < rows; ++r)
                    for (int c = 0; c < columns; ++c)
                        if (isDark(r, c)) {
                            const RECT s = square(r, c);
                            ::FillRect(ref, &s, ink);
                        }
                ::DeleteObject(ground);
                ::DeleteObject(ink);

                ASSERT_GT(reference.CountPixels(kInk), 0);
                ASSERT_TRUE(drawn.SameAs(reference))
                    << rows << " x " << columns << " module " << m << " rotation " << rotation;
            }
        }
    }
}

TEST(SymbolImage, RefusesWhatIsNoGridAndDrawsNothing)
{
    const std::vector<bool> dark = Pattern(5, 5, 7);
    auto isDark = [&](int r, int c) { return static_cast<bool>(dark[static_cast<size_t>(r) * 5 + c]); };
    DibCanvas canvas(200, 200);
    HDC dc = canvas.dc().GetSafeHdc();
    auto untouched = [&] { return canvas.CountPixels(RGB(255, 255, 255)) == 200 * 200; };

    // Modules of two sizes.
    EXPECT_FALSE(DrawSymbolImage(dc, 5, 5, isDark,
                                 [](int r, int c) {
                                     const int m = r == 2 && c == 2 ? 5 : 4;
                                     return RECT{10 + 4 * c, 10 + 4 * r, 10 + 4 * c + m, 10 + 4 * r + m};
                                 },
                                 kInk, kGround));
    // A module off the grid.
    EXPECT_FALSE(DrawSymbolImage(dc, 5, 5, isDark,
                                 [](int r, int c) {
                                     const int shift = r == 4 && c == 4 ? 0 : 1;
                                     return RECT{10 + 4 * c + shift, 10 + 4 * r, 14 + 4 * c + shift, 14 + 4 * r};
                                 },
                                 kInk, kGround));
    // Empty modules, no modules, a grid far too large, colours that are no plain colours.
    auto square = [](int r, int c) { return RECT{4 * c, 4 * r, 4 * c + 4, 4 * r + 4}; };
    EXPECT_FALSE(DrawSymbolImage(dc, 5, 5, isDark, [](int, int) { return RECT{3, 3, 3, 3}; }, kInk, kGround));
    EXPECT_FALSE(DrawSymbolImage(dc, 0, 5, isDark, square, kInk, kGround));
    EXPECT_FALSE(DrawSymbolImage(dc, 5, -1, isDark, square, kInk, kGround));
    EXPECT_FALSE(DrawSymbolImage(dc, 100000, 100000, isDark, square, kInk, kGround));
    EXPECT_FALSE(DrawSymbolImage(dc, 5, 5, isDark, square, PALETTEINDEX(3), kGround));
    EXPECT_FALSE(DrawSymbolImage(nullptr, 5, 5, isDark, square, kInk, kGround));
    EXPECT_TRUE(untouched());

    // Only a printer's page is a printer.
    EXPECT_FALSE(IsPrinterDC(dc));
    EXPECT_FALSE(IsPrinterDC(nullptr));
}
