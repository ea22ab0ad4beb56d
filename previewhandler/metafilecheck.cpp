#include "previewhandler/metafilecheck.h"

#include <windows.h>

namespace {

const size_t kMetaHeaderBytes = 18;
const uint32_t kRecordHeaderWords = 3;
const uint16_t kMetaVersion1 = 0x0100;
const uint16_t kMetaVersion3 = 0x0300;

// Record functions that the SDK headers no longer name.
const uint16_t kMetaEof = 0x0000;
const uint16_t kMetaCreateBitmapIndirect = 0x02FD;
const uint16_t kMetaCreateBitmap = 0x06FE;

uint16_t Word(const uint8_t* p)
{
    return uint16_t(p[0] | (p[1] << 8));
}

uint32_t Dword(const uint8_t* p)
{
    return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}

// The parameter words of one record; every index is checked against the record's own size.
class RecordParams {
public:
    // `available` counts the words from the first parameter to the end of the metafile.
    RecordParams(const uint8_t* first, uint64_t count, uint64_t available)
        : m_first(first), m_count(count), m_available(available)
    {
    }

    uint64_t Count() const { return m_count; }
    bool Has(uint64_t words) const { return words <= m_count; }
    uint16_t At(uint64_t i) const { return i < m_count ? Word(m_first + 2 * i) : 0; }
    // A word at or past the end of the record, as a player that reads too far would see it.
    bool Beyond(uint64_t i, uint16_t* word) const
    {
        if (i >= m_available)
            return false;
        *word = Word(m_first + 2 * i);
        return true;
    }
    const uint8_t* Bytes(uint64_t firstWord) const { return m_first + 2 * firstWord; }

private:
    const uint8_t* m_first;
    uint64_t m_count;
    uint64_t m_available;
};

// A packed device-independent bitmap (header, colours, bits) starting at parameter word `first`
// must lie wholly inside the record.
bool DibFits(const RecordParams& p, uint64_t first, uint16_t usage)
{
    if (!p.Has(first + 2))
        return false;
    const uint64_t available = (p.Count() - first) * 2;
    const uint8_t* dib = p.Bytes(first);
    const uint32_t headerSize = Dword(dib);
    // Colour entries are palette indices (a word each) or RGB triples/quads.
    const bool paletteIndices = usage == DIB_PAL_COLORS;

    uint64_t width, height, bitCount, compression = BI_RGB, sizeImage = 0, colours;
    uint64_t infoSize;
    if (headerSize == sizeof(BITMAPCOREHEADER)) {
        if (available < headerSize)
            return false;
        width = Word(dib + 4);
        height = Word(dib + 6);
        bitCount = Word(dib + 10);
        colours = bitCount <= 8 ? (uint64_t(1) << bitCount) : 0;
        infoSize = headerSize + colours * (paletteIndices ? 2 : sizeof(RGBTRIPLE));
    } else if (headerSize >= sizeof(BITMAPINFOHEADER)) {
        if (available < headerSize)
            return false;
        const int32_t w = int32_t(Dword(dib + 4));
        const int32_t h = int32_t(Dword(dib + 8));
        if (w <= 0 || h == 0 || h == INT32_MIN)
            return false;
        width = uint64_t(w);
        height = uint64_t(h < 0 ? -int64_t(h) : int64_t(h));
        bitCount = Word(dib + 14);
        compression = Dword(dib + 16);
        sizeImage = Dword(dib + 20);
        colours = Dword(dib + 32);
        if (colours == 0 && bitCount <= 8)
            colours = uint64_t(1) << bitCount;
        uint64_t fixed = headerSize;
        if (compression == BI_BITFIELDS && fixed < sizeof(BITMAPINFOHEADER) + 12)
            fixed = sizeof(BITMAPINFOHEADER) + 12;
        infoSize = fixed + colours * (paletteIndices ? 2 : sizeof(RGBQUAD));
    } else {
        return false;
    }

    uint64_t bitsSize;
    switch (compression) {
    case BI_RGB:
    case BI_BITFIELDS:
        if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 && bitCount != 32)
            return false;
        if (width == 0 || height == 0)
            return false;
        bitsSize = (width * bitCount + 31) / 32 * 4 * height;
        break;
    case BI_RLE8:
    case BI_RLE4:
        bitsSize = sizeImage;
        break;
    default:
        // JPEG and PNG inside a metafile only ever reach printers; nothing here can vouch for them.
        return false;
    }
    return infoSize <= available && bitsSize <= available - infoSize;
}

bool ObjectIndexOk(uint16_t index, uint16_t objectCount)
{
    return index < objectCount;
}

// Parameter words that GDI reads from records of a fixed layout.
int FixedParamWords(uint16_t function)
{
    switch (function) {
    case META_SAVEDC:
    case META_REALIZEPALETTE:
    case META_SETRELABS:
        return 0;
    case META_SETBKMODE:
    case META_SETMAPMODE:
    case META_SETROP2:
    case META_SETPOLYFILLMODE:
    case META_SETSTRETCHBLTMODE:
    case META_SETTEXTCHAREXTRA:
    case META_SETTEXTALIGN:
    case META_RESTOREDC:
    case META_RESIZEPALETTE:
    case META_SELECTOBJECT:
    case META_SELECTPALETTE:
    case META_SELECTCLIPREGION:
    case META_DELETEOBJECT:
    case META_INVERTREGION:
    case META_PAINTREGION:
        return 1;
    case META_SETBKCOLOR:
    case META_SETTEXTCOLOR:
    case META_SETTEXTJUSTIFICATION:
    case META_SETWINDOWORG:
    case META_SETWINDOWEXT:
    case META_SETVIEWPORTORG:
    case META_SETVIEWPORTEXT:
    case META_OFFSETWINDOWORG:
    case META_OFFSETVIEWPORTORG:
    case META_LINETO:
    case META_MOVETO:
    case META_OFFSETCLIPRGN:
    case META_SETMAPPERFLAGS:
    case META_FILLREGION:
    case META_SETLAYOUT:
        return 2;
    case META_SCALEWINDOWEXT:
    case META_SCALEVIEWPORTEXT:
    case META_EXCLUDECLIPRECT:
    case META_INTERSECTCLIPRECT:
    case META_ELLIPSE:
    case META_FLOODFILL:
    case META_RECTANGLE:
    case META_SETPIXEL:
    case META_FRAMEREGION:
    case META_CREATEBRUSHINDIRECT:
        return 4;
    case META_CREATEPENINDIRECT:
    case META_EXTFLOODFILL:
        return 5;
    case META_ROUNDRECT:
    case META_PATBLT:
        return 6;
    case META_ARC:
    case META_PIE:
    case META_CHORD:
        return 8;
    default:
        return -1;
    }
}

bool RecordIsSound(uint16_t function, const RecordParams& p, uint16_t objectCount)
{
    const int fixed = FixedParamWords(function);
    if (fixed >= 0 && !p.Has(uint64_t(fixed)))
        return false;

    switch (function) {
    case META_SELECTPALETTE: {
        // Recorded with one word, but some players take the palette from the second word, which
        // may be the next record's: both must name a table entry.
        uint16_t second = 0;
        return ObjectIndexOk(p.At(0), objectCount) && p.Beyond(1, &second) && ObjectIndexOk(second, objectCount);
    }
    case META_SELECTOBJECT:
    case META_DELETEOBJECT:
    case META_INVERTREGION:
    case META_PAINTREGION:
        return ObjectIndexOk(p.At(0), objectCount);
    case META_SELECTCLIPREGION:
        // Index 0 selects no region at all.
        return p.At(0) == 0 || ObjectIndexOk(p.At(0), objectCount);
    // Parameters are stored in the reverse order of the call's arguments: brush then region for
    // a fill; height, width, brush, region for a frame.
    case META_FILLREGION:
        return ObjectIndexOk(p.At(0), objectCount) && ObjectIndexOk(p.At(1), objectCount);
    case META_FRAMEREGION:
        return ObjectIndexOk(p.At(2), objectCount) && ObjectIndexOk(p.At(3), objectCount);

    case META_POLYGON:
    case META_POLYLINE:
        return p.Has(1) && p.Has(1 + 2 * uint64_t(p.At(0)));
    case META_POLYPOLYGON: {
        if (!p.Has(1))
            return false;
        const uint64_t polygons = p.At(0);
        if (!p.Has(1 + polygons))
            return false;
        uint64_t points = 0;
        for (uint64_t i = 0; i < polygons; ++i)
            points += p.At(1 + i);
        return p.Has(1 + polygons + 2 * points);
    }
    case META_TEXTOUT: {
        if (!p.Has(1))
            return false;
        const uint64_t chars = p.At(0);
        return p.Has(1 + (chars + 1) / 2 + 2);
    }
    case META_EXTTEXTOUT: {
        if (!p.Has(4))
            return false;
        const uint64_t chars = p.At(2);
        const uint64_t rect = (p.At(3) & (ETO_OPAQUE | ETO_CLIPPED)) ? 4 : 0;
        return p.Has(4 + rect + (chars + 1) / 2);
    }
    case META_CREATEFONTINDIRECT: {
        // 18 bytes of fixed fields, then a face name that is read up to its NUL or 31 characters.
        const uint64_t bytes = p.Count() * 2;
        if (bytes < 18)
            return false;
        if (bytes >= 18 + LF_FACESIZE - 1)
            return true;
        const uint8_t* face = p.Bytes(0) + 18;
        for (uint64_t i = 0; i < bytes - 18; ++i)
            if (face[i] == 0)
                return true;
        return false;
    }
    case META_CREATEPALETTE:
    case META_SETPALENTRIES:
    case META_ANIMATEPALETTE:
        return p.Has(2) && p.Has(2 + 2 * uint64_t(p.At(1)));
    case META_ESCAPE:
        return p.Has(2) && p.Has(2 + (uint64_t(p.At(1)) + 1) / 2);
    case META_CREATEREGION: {
        // Ten words of region header, a bounding box, then bands of
        // (count, top, bottom, count x-values, count).
        if (!p.Has(11))
            return false;
        const uint16_t bands = p.At(5);
        uint64_t at = 11;
        for (uint16_t band = 0; band < bands; ++band) {
            if (!p.Has(at + 1))
                return false;
            const uint64_t end = at + p.At(at) + 3;
            if (!p.Has(end + 1))
                return false;
            at = end + 1;
        }
        return true;
    }

    case META_DIBBITBLT:
        // Without a source the record is a pattern fill of nine words.
        if (p.Count() + kRecordHeaderWords > 12)
            return DibFits(p, 8, DIB_RGB_COLORS);
        return p.Has(7);
    case META_DIBSTRETCHBLT:
        if (p.Count() + kRecordHeaderWords > 12)
            return DibFits(p, 10, DIB_RGB_COLORS);
        return p.Has(9);
    case META_STRETCHDIB:
        return p.Has(11) && DibFits(p, 11, p.At(2));
    case META_SETDIBTODEV:
        return p.Has(9) && DibFits(p, 9, p.At(0));
    case META_DIBCREATEPATTERNBRUSH:
        return p.Has(2) && DibFits(p, 2, p.At(1));

    case META_BITBLT:
    case META_STRETCHBLT:
    case META_CREATEPATTERNBRUSH:
    case kMetaCreateBitmap:
    case kMetaCreateBitmapIndirect:
        // Device-dependent bitmaps of Windows 2: their bits are sized by the device, not the record.
        return false;

    default:
        return true;
    }
}

} // namespace

size_t CheckMetafileBits(const uint8_t* bits, size_t size)
{
    if (!bits || size < kMetaHeaderBytes)
        return 0;
    const uint16_t type = Word(bits);
    const uint16_t headerWords = Word(bits + 2);
    const uint16_t version = Word(bits + 4);
    const uint16_t objectCount = Word(bits + 10);
    if ((type != 1 && type != 2) || headerWords != kMetaHeaderBytes / 2 ||
        (version != kMetaVersion1 && version != kMetaVersion3))
        return 0;

    // The header's size field is not trusted either way: some writers count the placeable header
    // in it as well, others leave it short. The metafile is what the record chain says, from the
    // end of the header to the end record, inside the bytes that arrived.
    uint64_t offset = kMetaHeaderBytes;
    for (;;) {
        if (size - offset < kRecordHeaderWords * 2)
            return 0;
        const uint8_t* record = bits + offset;
        const uint64_t recordWords = Dword(record);
        const uint16_t function = Word(record + 4);
        if (recordWords < kRecordHeaderWords || recordWords > (size - offset) / 2)
            return 0;
        if (function == kMetaEof)
            return size_t(offset + recordWords * 2);
        const RecordParams params(record + kRecordHeaderWords * 2, recordWords - kRecordHeaderWords,
                                  (size - offset) / 2 - kRecordHeaderWords);
        if (!RecordIsSound(function, params, objectCount))
            return 0;
        offset += recordWords * 2;
    }
}

size_t MakeMetafilePlayable(uint8_t* bits, size_t size)
{
    const size_t length = CheckMetafileBits(bits, size);
    if (length == 0)
        return 0;
    // GDI takes memory metafiles of version 3 whose size field agrees with what it is given; the
    // bits say so from here on, whatever the file said about these three.
    bits[0] = 1;
    bits[1] = 0;
    bits[4] = uint8_t(kMetaVersion3 & 0xFF);
    bits[5] = uint8_t(kMetaVersion3 >> 8);
    const uint32_t words = uint32_t(length / 2);
    bits[6] = uint8_t(words);
    bits[7] = uint8_t(words >> 8);
    bits[8] = uint8_t(words >> 16);
    bits[9] = uint8_t(words >> 24);
    return length;
}
