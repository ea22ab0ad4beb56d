#include "imaging/dib.h"

#include <climits>
#include <cstring>

namespace {

template <class T> T Field(const BYTE* p, size_t offset)
{
    T v;
    std::memcpy(&v, p + offset, sizeof v);
    return v;
}

bool IsInfoHeaderSize(UINT size)
{
    // BITMAPINFOHEADER, the two Adobe extensions with masks, BITMAPV4HEADER and BITMAPV5HEADER.
    return size == 40 || size == 52 || size == 56 || size == 108 || size == 124;
}

bool DescribeCoreHeader(const BYTE* p, size_t size, DibLayout& out)
{
    if (size < sizeof(BITMAPCOREHEADER))
        return false;
    const int width = Field<WORD>(p, 4);
    const int height = Field<WORD>(p, 6);
    const int planes = Field<WORD>(p, 8);
    const int bitCount = Field<WORD>(p, 10);
    if (width == 0 || height == 0 || planes != 1)
        return false;
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 24)
        return false;
    DibLayout d;
    d.headerSize = sizeof(BITMAPCOREHEADER);
    d.colourCount = bitCount <= 8 ? 1u << bitCount : 0;
    d.colourEntrySize = 3;
    d.width = width;
    d.height = height;
    d.bitCount = bitCount;
    out = d;
    return true;
}

bool DescribeInfoHeader(const BYTE* p, size_t size, DibLayout& out, DibColours colours)
{
    const UINT headerSize = Field<DWORD>(p, 0);
    if (!IsInfoHeaderSize(headerSize) || size < headerSize)
        return false;
    const LONG width = Field<LONG>(p, 4);
    const LONG height = Field<LONG>(p, 8);
    const int planes = Field<WORD>(p, 12);
    const int bitCount = Field<WORD>(p, 14);
    const DWORD compression = Field<DWORD>(p, 16);
    const DWORD sizeImage = Field<DWORD>(p, 20);
    const DWORD clrUsed = Field<DWORD>(p, 32);
    if (width <= 0 || height == 0 || height == LONG_MIN || planes != 1)
        return false;
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 &&
        bitCount != 32)
        return false;
    const bool topDown = height < 0;
    DibLayout d;
    d.headerSize = headerSize;
    d.width = width;
    d.height = topDown ? -height : height;
    d.topDown = topDown;
    d.bitCount = bitCount;
    d.compression = compression;
    switch (compression) {
    case BI_RGB:
        break;
    case BI_RLE8:
    case BI_RLE4:
        if (bitCount != (compression == BI_RLE8 ? 8 : 4) || topDown || sizeImage == 0)
            return false;
        break;
    case BI_BITFIELDS:
        if (bitCount != 16 && bitCount != 32)
            return false;
        if (headerSize == 40)
            d.maskBytes = 12;       // the three masks follow the plain header
        break;
    default:                        // JPEG, PNG and alpha masks inside DIBs: not drawable here
        return false;
    }
    if (bitCount <= 8) {
        const UINT maxColours = 1u << bitCount;
        if (clrUsed > maxColours)
            return false;
        d.colourCount = clrUsed == 0 ? maxColours : clrUsed;
    } else {
        if (clrUsed > 256)          // an optional palette for display on 256-colour screens
            return false;
        d.colourCount = clrUsed;
    }
    d.colourEntrySize = colours == DibColours::PaletteIndices ? 2 : 4;
    if (compression == BI_RLE8 || compression == BI_RLE4) {
        if (sizeImage > kMaxDibBytes)
            return false;
        d.bitsSize = sizeImage;
    }
    out = d;
    return true;
}

} // namespace

UINT DibStride(int width, int bitCount)
{
    if (width <= 0 || bitCount <= 0)
        return 0;
    const uint64_t stride = ((uint64_t)width * (uint64_t)bitCount + 31) / 32 * 4;
    return stride > kMaxDibBytes ? 0 : (UINT)stride;
}

bool DescribeDibHeader(const void* header, size_t size, DibLayout& out, DibColours colours)
{
    if (!header || size < sizeof(DWORD))
        return false;
    const BYTE* p = static_cast<const BYTE*>(header);
    DibLayout d;
    const DWORD headerSize = Field<DWORD>(p, 0);
    if (headerSize == sizeof(BITMAPCOREHEADER)) {
        if (!DescribeCoreHeader(p, size, d))
            return false;
        if (colours == DibColours::PaletteIndices)
            d.colourEntrySize = 2;
    } else if (!DescribeInfoHeader(p, size, d, colours)) {
        return false;
    }
    const uint64_t offset = (uint64_t)d.headerSize + d.maskBytes +
                            (uint64_t)d.colourCount * d.colourEntrySize;
    if (offset > size)
        return false;
    d.bitsOffset = (UINT)offset;
    if (d.bitsSize == 0) {          // uncompressed: rows times stride, whatever biSizeImage says
        const UINT stride = DibStride(d.width, d.bitCount);
        if (stride == 0)
            return false;
        const uint64_t bits = (uint64_t)stride * (uint64_t)d.height;
        if (bits > kMaxDibBytes)
            return false;
        d.bitsSize = (UINT)bits;
    }
    out = d;
    return true;
}

bool DescribeDib(const void* data, size_t size, DibLayout& out, DibColours colours)
{
    DibLayout d;
    if (!DescribeDibHeader(data, size, d, colours))
        return false;
    if ((uint64_t)d.bitsOffset + d.bitsSize > size)
        return false;
    out = d;
    return true;
}

bool DescribeDibHandle(HGLOBAL dib, DibLayout& out)
{
    if (!dib)
        return false;
    const SIZE_T size = GlobalSize(dib);
    const void* p = GlobalLock(dib);
    if (!p)
        return false;
    const bool ok = DescribeDib(p, size, out);
    GlobalUnlock(dib);
    return ok;
}

HGLOBAL CopyToGlobal(const void* data, size_t size)
{
    if (size == 0)
        return nullptr;
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!h)
        return nullptr;
    void* p = GlobalLock(h);
    if (!p) {
        GlobalFree(h);
        return nullptr;
    }
    std::memcpy(p, data, size);
    GlobalUnlock(h);
    return h;
}

HGLOBAL CopyDibHandle(HGLOBAL dib)
{
    if (!dib)
        return nullptr;
    const SIZE_T size = GlobalSize(dib);
    const void* p = GlobalLock(dib);
    if (!p)
        return nullptr;
    DibLayout layout;
    HGLOBAL copy = DescribeDib(p, size, layout) ? CopyToGlobal(p, layout.TotalSize()) : nullptr;
    GlobalUnlock(dib);
    return copy;
}

HGLOBAL CreateDib24(int width, int height)
{
    const UINT stride = DibStride(width, 24);
    if (stride == 0 || height <= 0 || (uint64_t)stride * (uint64_t)height > kMaxDibBytes)
        return nullptr;
    const UINT bits = stride * (UINT)height;
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(BITMAPINFOHEADER) + bits);
    if (!h)
        return nullptr;
    auto* bih = static_cast<BITMAPINFOHEADER*>(GlobalLock(h));
    if (!bih) {
        GlobalFree(h);
        return nullptr;
    }
    bih->biSize = sizeof(BITMAPINFOHEADER);
    bih->biWidth = width;
    bih->biHeight = height;
    bih->biPlanes = 1;
    bih->biBitCount = 24;
    bih->biCompression = BI_RGB;
    bih->biSizeImage = bits;
    GlobalUnlock(h);
    return h;
}
