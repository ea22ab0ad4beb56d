#pragma once
// Picture files into packed device-independent bitmaps, over the Windows Imaging Component.
// Every loader answers a new movable global block (BITMAPINFOHEADER, then 24-bit bottom-up
// pixels) that the caller owns and frees with GlobalFree, or null when the file cannot be read.
// Each call initialises COM for its own duration, so callers need not.
#include <windows.h>

#include <cstdint>
#include <vector>

enum class ImageFileType { Unknown, Jpeg, Bmp, Png };

struct ImageFileInfo {
    ImageFileType type = ImageFileType::Unknown;
    int width = 0;                 // pixels of the first frame
    int height = 0;
};

// Identifies a picture file by its content (not its name) and reads the size of its first frame.
// false when the file is missing or unreadable; a readable picture of another format (GIF, TIFF,
// icons) answers true with type Unknown.
bool ReadImageFileInfo(const char* path, ImageFileInfo& info);

// "JPEG", "BMP", "PNG", or "" for Unknown.
const char* ImageFileTypeName(ImageFileType type);

// Records keep picture sides in 16 bits, and no holder keeps more than the largest pixel block: a
// picture wider or higher than this, or whose 24-bit bitmap would pass that block, is never usable.
constexpr UINT kMaxPictureSide = 32767;

// Whether a picture of this many pixels can become a 24-bit bitmap that a holder keeps.
bool PictureSizeFits(UINT width, UINT height);

// Each reads a file of its own format only (a PNG named x.jpg still loads with LoadPngAsDib).
// A picture whose frame is larger than PictureSizeFits allows is refused from the frame's size,
// before any pixel buffer is made.
HGLOBAL LoadJpegAsDib(const char* path);
HGLOBAL LoadBmpAsDib(const char* path);
HGLOBAL LoadPngAsDib(const char* path);

enum class QuarterTurn { Clockwise, CounterClockwise };

// Replaces `dib` by the picture turned a quarter turn (as seen on the screen); the result is a
// 24-bit bottom-up packed DIB and the old block is freed. Any depth GDI draws is accepted. On
// failure (not a valid DIB, out of memory) false, and `dib` is unchanged.
bool RotateDibQuarterTurn(HGLOBAL& dib, QuarterTurn turn);

// The first frame of a picture file shrunk by the decoder's own scaler into a cell x cell square
// with its aspect kept (jpegthumb::FitInCell): w x h pixels of 32-bit BGR (B, G, R, 0), rows top
// down. false (nothing changed) when the file cannot be read.
bool LoadPictureForCell(const char* path, int cell, std::vector<uint8_t>& bgrx, int& w, int& h);
