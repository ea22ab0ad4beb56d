#pragma once
// Packed device-independent bitmaps: the header, its colour table and the pixel bits in one block.
// DescribeDib checks every size a header claims against the bytes actually held, so that GDI is
// never handed a header that would make it read past the block; the other helpers build and copy
// such blocks in global memory (the form the clipboard and the picture holders keep).
#include <windows.h>
#include <cstddef>
#include <cstdint>

// Where the parts of a DIB lie and how big it is. Offsets count from the start of the header.
struct DibLayout {
    UINT headerSize = 0;       // 12 for the old core header, else biSize
    UINT maskBytes = 0;        // 12 when BI_BITFIELDS masks follow a 40-byte header
    UINT colourCount = 0;      // entries in the colour table
    UINT colourEntrySize = 4;  // 4 (RGBQUAD), 3 (RGBTRIPLE of the core header) or 2 (palette indices)
    UINT bitsOffset = 0;       // header + masks + colour table
    UINT bitsSize = 0;         // pixel bytes the header needs (RLE: biSizeImage)
    int width = 0;
    int height = 0;            // always positive; see topDown
    bool topDown = false;
    int bitCount = 0;
    DWORD compression = BI_RGB;

    UINT TotalSize() const { return bitsOffset + bitsSize; }
};

// How a colour table is to be read: RGB entries, or 16-bit indices into the selected palette
// (DIB_PAL_COLORS, only met inside metafile records).
enum class DibColours { Rgb, PaletteIndices };

// The largest pixel block accepted anywhere: a 32-bit process cannot sensibly hold more.
constexpr UINT kMaxDibBytes = 256u * 1024u * 1024u;

// Bytes per row of an uncompressed DIB (rows are padded to 32 bits); 0 when absurdly large.
UINT DibStride(int width, int bitCount);

// Describes a header and colour table held in the first `size` bytes of `header`, the bits being
// elsewhere: false when the header is not one GDI draws, or when the header, the BI_BITFIELDS masks
// or the colour table reach past `size`. A top-down DIB counts abs(biHeight) rows; biSizeImage 0 is
// legal for uncompressed DIBs and is computed.
bool DescribeDibHeader(const void* header, size_t size, DibLayout& out,
                       DibColours colours = DibColours::Rgb);

// As DescribeDibHeader, and the bits must follow the colour table within the same `size` bytes.
bool DescribeDib(const void* data, size_t size, DibLayout& out,
                 DibColours colours = DibColours::Rgb);

// Describes the packed DIB held in a global memory block (GlobalSize bounds it). false for null.
bool DescribeDibHandle(HGLOBAL dib, DibLayout& out);

// A new movable global block holding a copy of `size` bytes; null on failure.
HGLOBAL CopyToGlobal(const void* data, size_t size);

// A copy of the packed DIB in `dib` trimmed to the bytes its header uses; null when the block does
// not hold a valid DIB.
HGLOBAL CopyDibHandle(HGLOBAL dib);

// A new zero-filled 24-bit bottom-up packed DIB of the given size (40-byte header, biSizeImage set);
// null when the size is out of range or memory is short.
HGLOBAL CreateDib24(int width, int height);
