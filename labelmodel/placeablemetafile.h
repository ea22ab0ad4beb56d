#pragma once
// Windows metafiles from files and records: the 22-byte placeable header that drawing programs put
// before the metafile bits of a ".wmf" file, and a check of the bits themselves so that GDI never
// plays a metafile whose records point outside it. The picture holders (imageholder.h) use these.
#include "framework/recordio.h"
#include <windows.h>
#include <cstdint>
#include <vector>

constexpr uint32_t kPlaceableKey = 0x9AC6CDD7;
constexpr UINT kPlaceableHeaderSize = 22;
// No metafile of a label picture is anywhere near this; larger sizes are lies of a broken file.
constexpr UINT kMaxMetafileBytes = 64u * 1024u * 1024u;

struct PlaceableHeader {
    uint32_t key = kPlaceableKey;
    uint16_t handle = 0;           // reserved, 0 in files
    int16_t left = 0;              // bounding box in units
    int16_t top = 0;
    int16_t right = 0;
    int16_t bottom = 0;
    uint16_t unitsPerInch = 0;
    uint32_t reserved = 0;
    uint16_t checksum = 0;         // XOR of the ten 16-bit words before it; not checked on reading
};

// The checksum a writer stores: XOR of the header's first ten 16-bit words.
uint16_t PlaceableChecksum(const PlaceableHeader& h);
// Field by field, little-endian, 22 bytes.
bool ReadPlaceableHeader(RecordReader& r, PlaceableHeader& h);
bool WritePlaceableHeader(RecordWriter& w, const PlaceableHeader& h);

// Checks that `bits` begin with a whole Windows metafile that can be played without reading outside
// it: the header, every record's length, the end record, object indices below the header's object
// count, and the counts inside the records that carry arrays, strings, regions and bitmaps.
// `length` receives the metafile's size in bytes (through its end record). false for anything else.
// The header's size field plays no part, in either direction: some writers count the placeable
// header in it as well. The metafile is the record chain from the end of the header to the end
// record, which must lie inside `size`; a record shorter than 3 words or running past `size` ends
// the check with false.
bool CheckMetafileBits(const BYTE* bits, UINT size, UINT* length);

// A metafile made from checked bits: the bytes through the end record, with the header fields that
// GDI insists on (type, version, size) set in the copy it is given; null when the bits are not a
// sound metafile. `length` as for CheckMetafileBits. Every metafile the program takes in (files,
// records, the clipboard) is made here, so that what is shown and what is printed agree.
HMETAFILE MetafileFromBits(const BYTE* bits, UINT size, UINT* length);

// The bits of a metafile (empty for null or on failure).
std::vector<BYTE> MetafileBitsOf(HMETAFILE metafile);

// A metafile read from a ".wmf" file. The caller owns `metafile` (DeleteMetaFile).
struct MetafileFile {
    HMETAFILE metafile = nullptr;
    int widthUm = 0;               // from the placeable header; 0 for a plain metafile
    int heightUm = 0;
    UINT bitsSize = 0;             // bytes of the metafile without the placeable header
};

// Reads a placeable metafile (key 0x9AC6CDD7, 22-byte header, then the bits) or, without the key, a
// plain Windows metafile. false for a missing file, a file shorter than its header, 0 units per inch
// and bits that are not a sound metafile; `out` is then untouched.
bool ReadMetafileFile(const char* path, MetafileFile& out);
