#pragma once
// A two-dimensional symbol sent to a printer as one two-colour image: its dark modules in the
// ink, its light ones in the colour that already lies beneath. The pixels are those of filling
// each dark module on its own over that colour; the driver gets one small image in place of
// hundreds of rectangles.
#include <windows.h>
#include <functional>

// square(r, c) is the device rectangle of module (r, c) of a rows x columns symbol (all modules
// of one size on one grid, turned as the symbol is); dark(r, c) says whether it is dark. false
// when the modules do not make such a grid or the device refused the image: nothing was drawn.
bool DrawSymbolImage(HDC dc, int rows, int columns, const std::function<bool(int, int)>& dark,
                     const std::function<RECT(int, int)>& square, COLORREF ink, COLORREF ground);

// A printer's page (not the screen, a bitmap or a metafile).
bool IsPrinterDC(HDC dc);
