#pragma once
// Helpers of the picture holder tests: an owner that records the size it is given, record bytes
// through memory files, packed DIBs and metafiles built field by field or by GDI.
#include "framework/file.h"
#include "framework/recordio.h"
#include "imaging/dib.h"
#include "labelmodel/imageholder.h"
#include "labelmodel/placeablemetafile.h"

#include <windows.h>
#include <cstring>
#include <string>
#include <vector>

namespace imagetest {

using Bytes = std::vector<BYTE>;

// Takes the size a holder gives its object.
struct SizeOwner {
    int width = -1;
    int height = -1;
    bool TrySetWidth(int um) { width = um; return true; }
    bool TrySetHeight(int um) { height = um; return true; }
};

inline void Append16(Bytes& b, int v) { b.push_back((BYTE)v); b.push_back((BYTE)(v >> 8)); }
inline void Append32(Bytes& b, uint32_t v) { Append16(b, (int)(v & 0xFFFF)); Append16(b, (int)(v >> 16)); }
inline void Append(Bytes& b, const Bytes& more) { b.insert(b.end(), more.begin(), more.end()); }
inline void Put16(Bytes& b, size_t at, int v) { b[at] = (BYTE)v; b[at + 1] = (BYTE)(v >> 8); }
inline void Put32(Bytes& b, size_t at, uint32_t v) { Put16(b, at, (int)(v & 0xFFFF)); Put16(b, at + 2, (int)(v >> 16)); }

// What SaveWithType (or Save, withType false) writes.
inline Bytes SavedBytes(const CImageBase& holder, bool withType = true)
{
    CMemFile f;
    if (withType)
        holder.SaveWithType(&f);
    else
        holder.Save(&f);
    return f.Bytes();
}

// Loads `bytes` (a body, after the type code) into `holder`; `consumed` receives how many bytes it read.
inline bool LoadBytes(CImageBase& holder, const Bytes& bytes, ULONGLONG* consumed = nullptr)
{
    CMemFile f;
    if (!bytes.empty())
        f.Write(bytes.data(), (UINT)bytes.size());
    f.SeekToBegin();
    const bool ok = holder.Load(&f);
    if (consumed)
        *consumed = f.GetPosition();
    return ok;
}

// A BITMAPINFOHEADER, written field by field.
inline Bytes InfoHeader(int width, int height, int bitCount, uint32_t compression = BI_RGB,
                        uint32_t sizeImage = 0, uint32_t clrUsed = 0)
{
    Bytes b;
    Append32(b, 40);
    Append32(b, (uint32_t)width);
    Append32(b, (uint32_t)height);
    Append16(b, 1);
    Append16(b, bitCount);
    Append32(b, compression);
    Append32(b, sizeImage);
    Append32(b, 2835);
    Append32(b, 2835);
    Append32(b, clrUsed);
    Append32(b, 0);
    return b;
}

// The pixels of a 24-bit bottom-up DIB from a function of top-down coordinates.
template <class F> Bytes Bits24(int width, int height, F pixel)
{
    const int stride = (width * 3 + 3) & ~3;
    Bytes bits((size_t)stride * height, 0);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const COLORREF c = pixel(x, y);
            BYTE* p = &bits[(size_t)(height - 1 - y) * stride + (size_t)x * 3];
            p[0] = GetBValue(c);
            p[1] = GetGValue(c);
            p[2] = GetRValue(c);
        }
    return bits;
}

inline COLORREF Quadrant(int x, int y, int width, int height)
{
    const bool right = x >= width / 2, bottom = y >= height / 2;
    if (!bottom)
        return right ? RGB(0, 255, 0) : RGB(255, 0, 0);
    return right ? RGB(255, 255, 0) : RGB(0, 0, 255);
}

// A packed 24-bit DIB of four coloured quadrants (red, green / blue, yellow).
inline Bytes QuadrantDib(int width, int height)
{
    Bytes b = InfoHeader(width, height, 24, BI_RGB, (uint32_t)(((width * 3 + 3) & ~3) * height));
    Append(b, Bits24(width, height, [&](int x, int y) { return Quadrant(x, y, width, height); }));
    return b;
}

inline HGLOBAL ToGlobal(const Bytes& b) { return CopyToGlobal(b.data(), b.size()); }

inline Bytes GlobalBytes(HGLOBAL h)
{
    Bytes b;
    DibLayout d;
    if (!DescribeDibHandle(h, d))
        return b;
    const BYTE* p = static_cast<const BYTE*>(GlobalLock(h));
    b.assign(p, p + d.TotalSize());
    GlobalUnlock(h);
    return b;
}

// A metafile of a 1440 x 720 unit picture: the left half red, the right half blue, drawn by GDI.
inline Bytes TwoColourMetafileBits()
{
    HDC dc = CreateMetaFileA(nullptr);
    SetWindowOrgEx(dc, 0, 0, nullptr);
    SetWindowExtEx(dc, 1440, 720, nullptr);
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255));
    SelectObject(dc, GetStockObject(NULL_PEN));
    SelectObject(dc, red);
    Rectangle(dc, 0, 0, 721, 721);
    SelectObject(dc, blue);
    Rectangle(dc, 720, 0, 1441, 721);
    HMETAFILE mf = CloseMetaFile(dc);
    DeleteObject(red);
    DeleteObject(blue);
    Bytes bits = MetafileBitsOf(mf);
    DeleteMetaFile(mf);
    return bits;
}

// A placeable header for the box 0, 0, right, bottom, written field by field, with its checksum.
inline Bytes PlaceableBytes(int right, int bottom, int unitsPerInch, bool goodChecksum = true)
{
    PlaceableHeader h;
    h.right = (int16_t)right;
    h.bottom = (int16_t)bottom;
    h.unitsPerInch = (uint16_t)unitsPerInch;
    h.checksum = (uint16_t)(PlaceableChecksum(h) ^ (goodChecksum ? 0 : 0x5A5A));
    CMemFile f;
    RecordWriter w(&f);
    WritePlaceableHeader(w, h);
    return f.Bytes();
}

inline bool WriteFile(const CString& path, const Bytes& bytes)
{
    HANDLE f = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const bool ok = bytes.empty() ||
                    (::WriteFile(f, bytes.data(), (DWORD)bytes.size(), &written, nullptr) &&
                     written == bytes.size());
    CloseHandle(f);
    return ok;
}

} // namespace imagetest
