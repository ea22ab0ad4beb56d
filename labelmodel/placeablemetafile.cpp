#include "labelmodel/placeablemetafile.h"

#include "framework/file.h"
#include "imaging/dib.h"

#include <cstdlib>
#include <cstring>

namespace {

// ---- Metafile layout ------------------------------------------------------------------------------
// Header (18 bytes): type u16, header size in words u16 (9), version u16, size in words u32,
// object count u16, largest record in words u32, unused u16.
// Record: size in words u32 (with these 3 words), function u16, parameters (16-bit words).
constexpr UINT kMetaHeaderBytes = 18;
constexpr UINT kRecordHeaderWords = 3;

uint16_t Word(const BYTE* p) { return (uint16_t)(p[0] | (p[1] << 8)); }
uint32_t DWord(const BYTE* p) { return Word(p) | ((uint32_t)Word(p + 2) << 16); }
void PutWord(BYTE* p, uint16_t v) { p[0] = (BYTE)v; p[1] = (BYTE)(v >> 8); }
void PutDWord(BYTE* p, uint32_t v) { PutWord(p, (uint16_t)v); PutWord(p + 2, (uint16_t)(v >> 16)); }

// Parameter words of records with a fixed layout, by function number. Records not listed either
// carry their own counts (checked below) or take no parameters.
struct FixedRecord { uint16_t function; uint16_t words; };
const FixedRecord kFixedRecords[] = {
    {0x0201, 2}, {0x0102, 1}, {0x0103, 1}, {0x0104, 1}, {0x0105, 1}, {0x0106, 1}, {0x0107, 1},
    {0x0108, 1}, {0x0209, 2}, {0x020A, 2}, {0x020B, 2}, {0x020C, 2}, {0x020D, 2}, {0x020E, 2},
    {0x020F, 2}, {0x0410, 4}, {0x0211, 2}, {0x0412, 4}, {0x0213, 2}, {0x0214, 2}, {0x0415, 4},
    {0x0416, 4}, {0x0817, 8}, {0x0418, 4}, {0x0419, 4}, {0x081A, 8}, {0x041B, 4}, {0x061C, 6},
    {0x061D, 6}, {0x041F, 4}, {0x0220, 2}, {0x0127, 1}, {0x0228, 2}, {0x0429, 4}, {0x012A, 1},
    {0x012B, 1}, {0x012C, 1}, {0x012D, 1}, {0x012E, 1}, {0x0830, 8}, {0x0231, 2}, {0x0234, 1},
    {0x0139, 1}, {0x0548, 5}, {0x0149, 2}, {0x01F0, 1}, {0x02FA, 5}, {0x02FC, 4},
};

int FixedWords(uint16_t function)
{
    for (const FixedRecord& r : kFixedRecords)
        if (r.function == function)
            return r.words;
    return 0;
}

// One record's parameters: `count` 16-bit words at `p`.
class Params {
public:
    Params(const BYTE* p, uint64_t count) : m_p(p), m_count(count) {}
    uint64_t Count() const { return m_count; }
    bool Has(uint64_t words) const { return words <= m_count; }
    uint16_t operator[](uint64_t i) const { return Word(m_p + 2 * i); }
    const BYTE* At(uint64_t i) const { return m_p + 2 * i; }
    uint64_t BytesFrom(uint64_t i) const { return i <= m_count ? 2 * (m_count - i) : 0; }
private:
    const BYTE* m_p;
    uint64_t m_count;
};

// A device-independent bitmap inside a record, starting at parameter `at`. `rows` limits the rows
// the record must hold (SetDIBitsToDevice carries only the scan lines it sets).
bool DibFits(const Params& p, uint64_t at, bool paletteIndices, uint64_t rows = UINT64_MAX)
{
    if (!p.Has(at))
        return false;
    DibLayout d;
    const uint64_t bytes = p.BytesFrom(at);
    const DibColours colours = paletteIndices ? DibColours::PaletteIndices : DibColours::Rgb;
    if (!DescribeDibHeader(p.At(at), (size_t)bytes, d, colours))
        return false;
    uint64_t bits = d.bitsSize;
    if (rows < (uint64_t)d.height && d.compression != BI_RLE8 && d.compression != BI_RLE4)
        bits = (uint64_t)DibStride(d.width, d.bitCount) * rows;
    return d.bitsOffset + bits <= bytes;
}

// The old device-dependent bitmaps of BitBlt and StretchBlt records are read in two layouts, so a
// record must hold the rows that either reading would take:
// - documented: a 32-bit raster operation, coordinates, then type, width, height, bytes per row,
//   planes and bits per pixel (bytes), then the rows;
// - older: width, height, a skipped word, planes and bits per pixel as words, then the rows.
uint64_t Bitmap16Bytes(uint64_t width, uint64_t height, uint64_t planes, uint64_t bitsPixel,
                       uint64_t widthBytes = 0)
{
    const uint64_t stride = (width * bitsPixel + 15) / 16 * 2;
    return (stride > widthBytes ? stride : widthBytes) * height * (planes ? planes : 1);
}

bool DocumentedBitmap16Fits(const Params& p, uint64_t at)
{
    if (!p.Has(at + 5))
        return false;
    const int width = (int16_t)p[at + 1], height = (int16_t)p[at + 2];
    if (width < 0 || height < 0)
        return false;
    const uint64_t bytes = Bitmap16Bytes((uint64_t)width, (uint64_t)height, p.At(at + 4)[0],
                                         p.At(at + 4)[1], p[at + 3]);
    return bytes <= p.BytesFrom(at + 5);
}

bool OlderBitmap16Fits(const Params& p, uint64_t widthAt)
{
    if (!p.Has(widthAt + 5))
        return false;
    const uint64_t bytes = Bitmap16Bytes((uint64_t)std::abs((int16_t)p[widthAt]),
                                         (uint64_t)std::abs((int16_t)p[widthAt + 1]),
                                         p[widthAt + 3], p[widthAt + 4]);
    return bytes <= p.BytesFrom(widthAt + 5);
}

// Region record: 11 words of header (scan count in word 5), then scans of
// count, top, bottom, `count` x values, count again.
bool RegionFits(const Params& p)
{
    if (!p.Has(11))
        return false;
    uint64_t at = 11;
    for (uint16_t scan = 0, scans = p[5]; scan < scans; ++scan) {
        if (!p.Has(at + 1))
            return false;
        const uint16_t count = p[at];
        const uint64_t end = at + count + 3;
        if ((count & 1) || !p.Has(end + 1) || p[end] != count)
            return false;
        at = end + 1;
    }
    return true;
}

// Checks what one record's own counts claim against its length and its object indices against the
// handle table; records not listed have no counts.
bool RecordFits(uint16_t function, const Params& p, uint16_t objects, uint32_t recordWords)
{
    const int fixed = FixedWords(function);
    if (fixed && !p.Has((uint64_t)fixed))
        return false;
    // The bitmap-carrying blits have a variant without bitmap, told apart by its size.
    const bool withBitmap = recordWords != (uint32_t)(function >> 8) + kRecordHeaderWords;
    switch (function) {
    case 0x012D: case 0x01F0: case 0x0234: case 0x012C: case 0x012A: case 0x012B:
        return p[0] < objects;                                  // select/delete, palette, regions
    case 0x0228: case 0x0429:
        return p[0] < objects && p[1] < objects;                // fill/frame region with a brush
    case 0x0324: case 0x0325:                                   // polygon, polyline
        return p.Has(1) && p.Has(1 + 2 * (uint64_t)p[0]);
    case 0x0538: {                                              // polypolygon
        if (!p.Has(1) || !p.Has(1 + (uint64_t)p[0]))
            return false;
        uint64_t points = 0;
        for (uint64_t i = 0; i < p[0]; ++i)
            points += p[1 + i];
        return p.Has(1 + p[0] + 2 * points);
    }
    case 0x0521:                                                // text out
        return p.Has(1) && p.Has(1 + ((uint64_t)p[0] + 1) / 2 + 2);
    case 0x0A32: {                                              // extended text out
        if (!p.Has(4))
            return false;
        const uint64_t rect = (p[3] & (ETO_OPAQUE | ETO_CLIPPED)) ? 4 : 0;
        return p.Has(4 + rect + ((uint64_t)p[2] + 1) / 2);
    }
    case 0x0626:                                                // escape
        return p.Has(2) && p.Has(2 + ((uint64_t)p[1] + 1) / 2);
    case 0x00F7:                                                // create palette
        return p.Has(2) && p.Has(2 + 2 * (uint64_t)p[1]);
    case 0x0037: case 0x0436:                                   // palette entries
        return p.Has(2) && p.Has(2 + 2 * (uint64_t)p[1]);
    case 0x02FB: {                                              // create font: LOGFONT + face
        if (!p.Has(9))
            return false;
        const uint64_t faceBytes = p.BytesFrom(9);
        return faceBytes >= LF_FACESIZE || std::memchr(p.At(9), 0, (size_t)faceBytes) != nullptr;
    }
    case 0x06FF:
        return RegionFits(p);
    case 0x0940:                                                // DIB BitBlt
        return !withBitmap || DibFits(p, 8, false);
    case 0x0B41:                                                // DIB StretchBlt
        return !withBitmap || DibFits(p, 10, false);
    case 0x0F43:                                                // StretchDIBits
        return p.Has(3) && DibFits(p, 11, p[2] == DIB_PAL_COLORS);
    case 0x0D33:                                                // SetDIBitsToDevice
        return p.Has(2) && DibFits(p, 9, p[0] == DIB_PAL_COLORS, p[1]);
    case 0x0142:                                                // DIB pattern brush
        return p.Has(2) && DibFits(p, 2, p[1] == DIB_PAL_COLORS);
    case 0x0922:                                                // BitBlt with an old bitmap
        return (!withBitmap || DocumentedBitmap16Fits(p, 8)) && OlderBitmap16Fits(p, 7);
    case 0x0B23:                                                // StretchBlt with an old bitmap
        return (!withBitmap || DocumentedBitmap16Fits(p, 10)) && OlderBitmap16Fits(p, 10);
    case 0x01F9: {                                              // old pattern brush
        // A 10-byte bitmap header, 18 reserved bytes, then the rows.
        if (!p.Has(14))
            return false;
        const int width = (int16_t)p[1], height = (int16_t)p[2];
        return width >= 0 && height >= 0 &&
               Bitmap16Bytes((uint64_t)width, (uint64_t)height, p.At(4)[0], p.At(4)[1], p[3]) <=
                   p.BytesFrom(14);
    }
    default:
        return true;
    }
}

} // namespace

// ---- Placeable header -----------------------------------------------------------------------------

uint16_t PlaceableChecksum(const PlaceableHeader& h)
{
    const uint16_t words[10] = {
        (uint16_t)(h.key & 0xFFFF), (uint16_t)(h.key >> 16), h.handle,
        (uint16_t)h.left, (uint16_t)h.top, (uint16_t)h.right, (uint16_t)h.bottom,
        h.unitsPerInch, (uint16_t)(h.reserved & 0xFFFF), (uint16_t)(h.reserved >> 16),
    };
    uint16_t sum = 0;
    for (uint16_t w : words)
        sum ^= w;
    return sum;
}

bool ReadPlaceableHeader(RecordReader& r, PlaceableHeader& h)
{
    PlaceableHeader t;
    r.U32(t.key);
    r.U16(t.handle);
    r.I16(t.left);
    r.I16(t.top);
    r.I16(t.right);
    r.I16(t.bottom);
    r.U16(t.unitsPerInch);
    r.U32(t.reserved);
    r.U16(t.checksum);
    if (!r.ok())
        return false;
    h = t;
    return true;
}

bool WritePlaceableHeader(RecordWriter& w, const PlaceableHeader& h)
{
    w.U32(h.key);
    w.U16(h.handle);
    w.I16(h.left);
    w.I16(h.top);
    w.I16(h.right);
    w.I16(h.bottom);
    w.U16(h.unitsPerInch);
    w.U32(h.reserved);
    w.U16(h.checksum);
    return w.ok();
}

// ---- Metafile bits --------------------------------------------------------------------------------

bool CheckMetafileBits(const BYTE* bits, UINT size, UINT* length)
{
    if (!bits || size < kMetaHeaderBytes || size > kMaxMetafileBytes)
        return false;
    const uint16_t type = Word(bits), headerWords = Word(bits + 2), version = Word(bits + 4);
    const uint16_t objects = Word(bits + 10);
    if ((type != 1 && type != 2) || headerWords != kMetaHeaderBytes / 2 ||
        (version != 0x0100 && version != 0x0300))
        return false;
    uint64_t at = kMetaHeaderBytes;
    for (;;) {
        if (at + 2 * kRecordHeaderWords > size)
            return false;                       // no end record
        const uint32_t words = DWord(bits + at);
        const uint16_t function = Word(bits + at + 4);
        if (words < kRecordHeaderWords || at + 2 * (uint64_t)words > size)
            return false;
        if (function == 0) {                    // the end record
            at += 2 * (uint64_t)words;
            break;
        }
        const Params params(bits + at + 2 * kRecordHeaderWords, words - kRecordHeaderWords);
        if (!RecordFits(function, params, objects, words))
            return false;
        at += 2 * (uint64_t)words;
    }
    if (length)
        *length = (UINT)at;
    return true;
}

HMETAFILE MetafileFromBits(const BYTE* bits, UINT size, UINT* length)
{
    UINT used = 0;
    if (!CheckMetafileBits(bits, size, &used))
        return nullptr;
    // GDI takes only memory metafiles of version 3 whose size field agrees; files on disk may say
    // otherwise about these three without being any different inside.
    std::vector<BYTE> copy(bits, bits + used);
    PutWord(&copy[0], 1);
    PutWord(&copy[4], 0x0300);
    PutDWord(&copy[6], used / 2);
    HMETAFILE mf = SetMetaFileBitsEx(used, copy.data());
    if (mf && length)
        *length = used;
    return mf;
}

std::vector<BYTE> MetafileBitsOf(HMETAFILE metafile)
{
    std::vector<BYTE> bits;
    if (!metafile)
        return bits;
    const UINT size = GetMetaFileBitsEx(metafile, 0, nullptr);
    if (size == 0 || size > kMaxMetafileBytes)
        return bits;
    bits.resize(size);
    if (GetMetaFileBitsEx(metafile, size, bits.data()) != size)
        bits.clear();
    return bits;
}

// ---- Files ----------------------------------------------------------------------------------------

namespace {

// Micrometres of a placeable bounding-box side; a box given right to left counts the same.
int SideUm(int from, int to, unsigned unitsPerInch)
{
    return (int)(std::llabs((long long)to - from) * 25400 / unitsPerInch);
}

} // namespace

bool ReadMetafileFile(const char* path, MetafileFile& out)
{
    CFile file;
    if (!path || !*path || !file.Open(path, CFile::modeRead | CFile::shareDenyWrite | CFile::typeBinary))
        return false;
    const ULONGLONG length = file.GetLength();
    if (length < 4 || length > kMaxMetafileBytes + kPlaceableHeaderSize)
        return false;
    RecordReader r(&file);
    uint32_t key = 0;
    if (!r.U32(key))
        return false;
    MetafileFile result;
    UINT offset = 0;
    if (key == kPlaceableKey) {
        PlaceableHeader h;
        file.SeekToBegin();
        if (length < kPlaceableHeaderSize || !ReadPlaceableHeader(r, h) || h.unitsPerInch == 0)
            return false;
        result.widthUm = SideUm(h.left, h.right, h.unitsPerInch);
        result.heightUm = SideUm(h.top, h.bottom, h.unitsPerInch);
        offset = kPlaceableHeaderSize;
    }
    file.Seek(offset, CFile::begin);
    std::vector<BYTE> bits((size_t)(length - offset));
    if (bits.empty() || !r.Raw(bits.data(), (UINT)bits.size()))
        return false;
    result.metafile = MetafileFromBits(bits.data(), (UINT)bits.size(), &result.bitsSize);
    if (!result.metafile)
        return false;
    out = result;
    return true;
}
