#include "previewhandler/placeablemetafile.h"

#include "previewhandler/metafilecheck.h"

#include <memory>
#include <new>

namespace {

const int64_t kMicrometresPerInch = 25400;

uint16_t Word(const uint8_t* p)
{
    return uint16_t(p[0] | (p[1] << 8));
}

uint32_t Dword(const uint8_t* p)
{
    return uint32_t(Word(p)) | (uint32_t(Word(p + 2)) << 16);
}

// One side of the bounding box in micrometres. Without units per inch there is no size, rather
// than a division by zero.
LONG Micrometres(int16_t low, int16_t high, uint16_t unitsPerInch)
{
    if (unitsPerInch == 0)
        return 0;
    return LONG((int64_t(high) - int64_t(low)) * kMicrometresPerInch / unitsPerInch);
}

HMETAFILE MetafileFromStream(IStream* stream)
{
    std::unique_ptr<uint8_t[]> bits(new (std::nothrow) uint8_t[kMaxPreviewMetafileBytes]);
    if (!bits)
        return nullptr;
    const ULONG got = ReadStreamFully(stream, bits.get(), kMaxPreviewMetafileBytes);
    // What GDI gets ends at the end record, with the header's size field saying so.
    const size_t length = MakeMetafilePlayable(bits.get(), got);
    if (length == 0)
        return nullptr;
    return SetMetaFileBitsEx(UINT(length), bits.get());
}

} // namespace

ULONG ReadStreamFully(IStream* stream, void* buffer, ULONG size)
{
    ULONG total = 0;
    while (total < size) {
        ULONG got = 0;
        const HRESULT hr = stream->Read(static_cast<uint8_t*>(buffer) + total, size - total, &got);
        if (FAILED(hr) || got == 0)
            break;
        total += got < size - total ? got : size - total;
    }
    return total;
}

PlaceableMetafile LoadPlaceableMetafile(IStream* stream)
{
    PlaceableMetafile result;
    if (!stream)
        return result;

    uint8_t header[kPlaceableHeaderBytes];
    if (ReadStreamFully(stream, header, 4) != 4 || Dword(header) != kPlaceableMetafileKey)
        return result;
    if (ReadStreamFully(stream, header + 4, kPlaceableHeaderBytes - 4) != kPlaceableHeaderBytes - 4)
        return result;

    // Offset 4 holds a metafile handle of no meaning in a file; 16..19 are reserved and the
    // checksum at 20 is not tested (writers disagree on it).
    const int16_t left = int16_t(Word(header + 6));
    const int16_t top = int16_t(Word(header + 8));
    const int16_t right = int16_t(Word(header + 10));
    const int16_t bottom = int16_t(Word(header + 12));
    const uint16_t unitsPerInch = Word(header + 14);
    result.width = Micrometres(left, right, unitsPerInch);
    result.height = Micrometres(top, bottom, unitsPerInch);
    result.metafile = MetafileFromStream(stream);
    return result;
}
