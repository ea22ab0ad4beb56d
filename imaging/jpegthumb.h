#pragma once
// Thumbnails of JPEG files read from the DC coefficients alone: a baseline Huffman JPEG gives its
// picture at an eighth of its size (each 8 x 8 block's mean) without any inverse transform, which
// is what a browser full of camera pictures can afford. Anything else (progressive, arithmetic,
// CMYK, 12-bit, damaged) answers false and the caller decodes the picture in full.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace jpegthumb {

// The picture at an eighth: one pixel per 8 x 8 block of the full picture (rounded up), each the
// block's mean; a subsampled colour picture takes the chroma of the block's larger chroma block.
struct EighthPicture {
    int width = 0;                 // ceil(fullWidth / 8)
    int height = 0;                // ceil(fullHeight / 8)
    int fullWidth = 0;
    int fullHeight = 0;
    std::vector<uint8_t> rgb;      // R, G, B per pixel, rows top down, no padding
};

// Reads a whole JPEG file held in memory. false (out left empty) for anything but a baseline or
// extended-sequential 8-bit Huffman JPEG with one or three (YCbCr) components in one scan, and
// for any damage: every length, count, table index and marker is checked against the data.
bool DecodeEighth(const uint8_t* data, size_t size, EighthPicture& out);

// The w x h inside a cell x cell square that keeps width : height, the larger side filling it.
void FitInCell(int width, int height, int cell, int& w, int& h);

// Shrinks the eighth to w x h by area averages into 32-bit BGR pixels (B, G, R, 0), rows top down.
void ShrinkToBgr32(const EighthPicture& eighth, int w, int h, std::vector<uint8_t>& bgrx);

// The file's thumbnail for a cell x cell square: w x h from FitInCell of the picture's size, pixels
// as ShrinkToBgr32. false when the file is no JPEG this reads, or when its eighth is smaller than
// w x h (a small picture decodes in full at little cost, and looks better for it). Never throws;
// safe to call on several threads at once.
bool LoadJpegThumbnail(const char* path, int cell, std::vector<uint8_t>& bgrx, int& w, int& h);

}  // namespace jpegthumb
