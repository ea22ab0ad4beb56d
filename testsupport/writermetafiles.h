#pragma once
// Placeable ".wmf" files laid out as two real drawing programs write them, built field by field:
// - the vector-graphics editor's writer counts the 22-byte placeable header again in the metafile
//   header's size field (11 words too many), on an otherwise sound metafile;
// - the office suite's writer gives the size exactly and opens with a comment record.
// Both draw one red filled rectangle over the whole 2000 x 1000 units of their bounding box (1000
// units per inch, so 50800 x 25400 micrometres), with a null pen so that no outline spills over.
// Header-only, plain bytes, so that the preview handler's tests (which use nothing of the main
// program) and the label model's tests read the same files.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace writermetafiles {

using Bytes = std::vector<uint8_t>;

const int kUnitsWide = 2000;
const int kUnitsHigh = 1000;
const uint16_t kUnitsPerInch = 1000;
const size_t kPlaceableBytes = 22;
const size_t kSizeFieldOffset = kPlaceableBytes + 6;   // in the file, u32 words

inline void Put16(Bytes& b, uint16_t v)
{
    b.push_back(uint8_t(v));
    b.push_back(uint8_t(v >> 8));
}

inline void Put32(Bytes& b, uint32_t v)
{
    Put16(b, uint16_t(v));
    Put16(b, uint16_t(v >> 16));
}

inline void Set32(Bytes& b, size_t at, uint32_t v)
{
    b[at] = uint8_t(v);
    b[at + 1] = uint8_t(v >> 8);
    b[at + 2] = uint8_t(v >> 16);
    b[at + 3] = uint8_t(v >> 24);
}

inline uint32_t Get32(const Bytes& b, size_t at)
{
    return uint32_t(b[at]) | (uint32_t(b[at + 1]) << 8) | (uint32_t(b[at + 2]) << 16) |
           (uint32_t(b[at + 3]) << 24);
}

// One record: size in words (with its 3 header words), function, parameter words.
inline void Record(Bytes& b, uint16_t function, const std::vector<uint16_t>& params)
{
    Put32(b, uint32_t(3 + params.size()));
    Put16(b, function);
    for (uint16_t p : params)
        Put16(b, p);
}

// The placeable header with the XOR checksum of its first ten words.
inline Bytes PlaceableHeader(int16_t right, int16_t bottom, uint16_t unitsPerInch)
{
    Bytes b;
    Put32(b, 0x9AC6CDD7);
    Put16(b, 0);                                   // handle
    Put16(b, 0);                                   // left
    Put16(b, 0);                                   // top
    Put16(b, uint16_t(right));
    Put16(b, uint16_t(bottom));
    Put16(b, unitsPerInch);
    Put32(b, 0);                                   // reserved
    uint16_t sum = 0;
    for (size_t i = 0; i < b.size(); i += 2)
        sum ^= uint16_t(b[i] | (b[i + 1] << 8));
    Put16(b, sum);
    return b;
}

// The 18-byte metafile header; the size field and the largest record are filled in by Finish.
inline void MetaHeader(Bytes& b, uint16_t objects)
{
    Put16(b, 1);                                   // memory metafile
    Put16(b, 9);                                   // header words
    Put16(b, 0x0300);
    Put32(b, 0);                                   // size in words, set at the end
    Put16(b, objects);
    Put32(b, 0);                                   // largest record, set at the end
    Put16(b, 0);
}

// Sets the largest record and the size field to the true size plus `extraWords`.
inline void Finish(Bytes& file, uint32_t extraWords)
{
    uint32_t largest = 0;
    for (size_t at = kPlaceableBytes + 18; at + 6 <= file.size();) {
        const uint32_t words = Get32(file, at);
        if (words > largest)
            largest = words;
        if (words < 3)
            break;
        at += size_t(words) * 2;
    }
    Set32(file, kPlaceableBytes + 12, largest);
    Set32(file, kSizeFieldOffset, uint32_t((file.size() - kPlaceableBytes) / 2) + extraWords);
}

// The red rectangle as a polygon of its four corners (x, y pairs after the count).
inline std::vector<uint16_t> RectanglePolygon()
{
    return {4, 0, 0, uint16_t(kUnitsWide), 0, uint16_t(kUnitsWide), uint16_t(kUnitsHigh), 0,
            uint16_t(kUnitsHigh)};
}

// As the vector-graphics editor writes it: window origin and extent, mapping and fill modes, a null
// pen and a solid brush created and selected, the shape as a polygon, both objects deleted, the end
// record; the size field counts the placeable header as well.
inline Bytes EditorStyleFile()
{
    Bytes file = PlaceableHeader(kUnitsWide, kUnitsHigh, kUnitsPerInch);
    MetaHeader(file, 2);
    Record(file, 0x020B, {0, 0});                                          // SetWindowOrg (y, x)
    Record(file, 0x020C, {uint16_t(kUnitsHigh), uint16_t(kUnitsWide)});    // SetWindowExt (y, x)
    Record(file, 0x0103, {8});                                             // SetMapMode anisotropic
    Record(file, 0x0102, {1});                                             // SetBkMode transparent
    Record(file, 0x0106, {2});                                             // SetPolyFillMode winding
    Record(file, 0x02FA, {5, 0, 0, 0, 0});                                 // CreatePenIndirect null
    Record(file, 0x012D, {0});                                             // SelectObject 0
    Record(file, 0x02FC, {0, 0x00FF, 0x0000, 0});                          // CreateBrushIndirect red
    Record(file, 0x012D, {1});                                             // SelectObject 1
    Record(file, 0x0324, RectanglePolygon());                              // Polygon
    Record(file, 0x01F0, {0});                                             // DeleteObject 0
    Record(file, 0x01F0, {1});                                             // DeleteObject 1
    Record(file, 0x0000, {});                                              // end
    Finish(file, uint32_t(kPlaceableBytes / 2));
    return file;
}

// As the office suite writes it: a comment record first, window origin and extent, text alignment
// and background mode, the pen and brush, the polygon, the end record; the size field is exact.
inline Bytes OfficeStyleFile()
{
    Bytes file = PlaceableHeader(kUnitsWide, kUnitsHigh, kUnitsPerInch);
    MetaHeader(file, 2);
    Record(file, 0x0626, {15, 8, 0x4F53, 0x4646, 0x4349, 0x0045});         // Escape: comment, 8 bytes
    Record(file, 0x020B, {0, 0});
    Record(file, 0x020C, {uint16_t(kUnitsHigh), uint16_t(kUnitsWide)});
    Record(file, 0x012E, {0});                                             // SetTextAlign
    Record(file, 0x0102, {1});
    Record(file, 0x02FA, {5, 0, 0, 0, 0});
    Record(file, 0x012D, {0});
    Record(file, 0x02FC, {0, 0x00FF, 0x0000, 0});
    Record(file, 0x012D, {1});
    Record(file, 0x0324, RectanglePolygon());
    Record(file, 0x0000, {});
    Finish(file, 0);
    return file;
}

// The same file with the metafile header's size field set to `words`.
inline Bytes WithSizeField(Bytes file, uint32_t words)
{
    Set32(file, kSizeFieldOffset, words);
    return file;
}

// The true size in words of the metafile inside a placeable file.
inline uint32_t TrueWords(const Bytes& file)
{
    return uint32_t((file.size() - kPlaceableBytes) / 2);
}

} // namespace writermetafiles
