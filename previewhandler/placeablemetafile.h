// Reads a placeable Windows metafile from a stream: the 22-byte header with the picture's bounding
// box, then the metafile bits. The caller owns the metafile it gets back.
#pragma once

#include <windows.h>
#include <objidl.h>

#include <cstddef>
#include <cstdint>

const uint32_t kPlaceableMetafileKey = 0x9AC6CDD7;
const size_t kPlaceableHeaderBytes = 22;
// The preview reads no more than this; a metafile longer than that is not shown.
const uint32_t kMaxPreviewMetafileBytes = 1048576;

struct PlaceableMetafile {
    HMETAFILE metafile = nullptr;
    // Picture size in micrometres; both 0 when the header gives none (wrong key, no units per inch).
    LONG width = 0;
    LONG height = 0;
};

// Without the key, with a short header, or with bits that do not make a sound metafile there is
// no metafile; nothing read from the stream is trusted before it has been checked.
PlaceableMetafile LoadPlaceableMetafile(IStream* stream);

// Reads until `size` bytes have come, the stream ends or a read fails; answers the count read.
// IStream::Read may deliver less than asked before the end.
ULONG ReadStreamFully(IStream* stream, void* buffer, ULONG size);
