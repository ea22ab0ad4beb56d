// Checks Windows metafile bits before GDI gets them. GDI plays a metafile record by record and
// trusts the counts inside each record, so bits that come from a file are walked here first.
#pragma once

#include <cstddef>
#include <cstdint>

// The metafile's length in bytes as its header gives it (never more than `size`), or 0 when the
// bits are not a sound metafile: a wrong header, a record that runs past the end, a count inside a
// record that runs past the record, an object index outside the object table, a bitmap larger
// than its record, or one of the old device-dependent bitmap records that can not be checked.
size_t CheckMetafileBits(const uint8_t* bits, size_t size);
