#pragma once
// The pictures of the image browser's cells: a baseline JPEG read at an eighth of its size from its
// DC coefficients (a page of them on a few threads at once), any other pixel file shrunk by the
// Imaging Component's own decoder; each centred in its square with its aspect kept.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// A shrunk picture: w x h pixels of 32-bit BGR, rows top down; w 0 when there is none.
struct ThumbnailPixels {
    std::vector<uint8_t> bits;
    int w = 0, h = 0;
    bool tried = false;    // the reduced reading was tried (w 0: it said no)
};

// Draws the pixels centred in the cell x cell square at (0, 0) of dc.
void DrawThumbnailPixels(HDC dc, const ThumbnailPixels& pixels, int cell);

// Shrinks the pixel picture of the file into the cell x cell square at (0, 0) of dc, trying the
// reduced JPEG reading first unless told it said no already. false when no decoder reads the file.
bool DrawScaledBitmapFile(HDC dc, const char* path, int cell, bool tryReduced = true);

// The JPEG thumbnails of the files for a cell x cell square, read on up to `threads` threads
// (this one among them); an entry with w 0 is a file the reduced reading leaves to the full decoder.
std::vector<ThumbnailPixels> ReadJpegThumbnails(const std::vector<std::string>& paths, int cell, int threads);
