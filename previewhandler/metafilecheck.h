// Checks Windows metafile bits before GDI gets them. GDI plays a metafile record by record and
// trusts the counts inside each record, so bits that come from a file are walked here first.
#pragma once

#include <cstddef>
#include <cstdint>

// The metafile's length in bytes, from its start through its end record, or 0 when the bits are not
// a sound metafile: a wrong header, a record chain that does not reach the end record inside `size`
// (a record shorter than its own 3 header words or running past the bytes), a count inside a record
// that runs past the record, an object index outside the object table, a bitmap larger than its
// record, or one of the old device-dependent bitmap records that can not be checked. The size field
// of the metafile's header plays no part: writers get it wrong in both directions.
size_t CheckMetafileBits(const uint8_t* bits, size_t size);

// Checks the bits and, when they are sound, sets the header's type, version and size fields to
// what SetMetaFileBitsEx expects of the first `length` bytes; answers that length (0, bits untouched,
// when they are not sound).
size_t MakeMetafilePlayable(uint8_t* bits, size_t size);
