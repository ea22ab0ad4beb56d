#pragma once
// OLE 1 object streams, the form in which older files embed OLE objects: read field by field
// with every length checked against the bytes that remain, so that the end of the object (and
// the record that follows it) is always found, and with the presentation picture taken out for
// drawing. Nothing here needs an OLE server or the system's OLE 1 conversion.
//
// Layout (all little-endian u32): version, format id (1 linked, 2 embedded, 3 static, 0 no
// object), then for linked and embedded objects three length-prefixed texts (class, topic, item);
// an embedded object's native data (u32 size, bytes); a linked object's network name, a reserved
// word and the update option; then the presentation: version, format id (0 none, 5 present),
// class name "METAFILEPICT", "BITMAP" or "DIB" with width, height (HIMETRIC), size and data, or
// another class name with a clipboard format (and its name when 0), size and data. A static object
// is a presentation alone, its format id 3 in place of 5.
#include "framework/cstring.h"
#include "framework/file.h"
#include "labelmodel/imageholder.h"

#include <windows.h>
#include <cstdint>
#include <vector>

constexpr uint32_t kOle1Version = 0x00000501;
constexpr uint32_t kOle1FormatNone = 0;
constexpr uint32_t kOle1FormatLinked = 1;
constexpr uint32_t kOle1FormatEmbedded = 2;
constexpr uint32_t kOle1FormatStatic = 3;
constexpr uint32_t kOle1FormatPresentation = 5;

// Longest text of an object header accepted; longer ones are lies of a damaged file.
constexpr uint32_t kOle1MaxText = 64u * 1024u;

struct Ole1Presentation {
    enum class Kind { None, Metafile, Bitmap, Dib, Other };
    Kind kind = Kind::None;
    CString className;
    int32_t widthHimetric = 0;         // hundredths of a millimetre, as stored
    int32_t heightHimetric = 0;
    std::vector<BYTE> data;            // METAFILEPICT: the 8-byte METAFILEPICT16 and the bits;
                                       // BITMAP: a Bitmap16; DIB: a packed DIB; Other: as stored
};

struct Ole1Object {
    uint32_t version = kOle1Version;
    uint32_t format = kOle1FormatNone;
    CString className, topicName, itemName;
    uint32_t nativeSize = 0;
    Ole1Presentation presentation;
    std::vector<BYTE> stream;          // every byte of the object as read, for writing it back
};

// Reads one object stream from the file's position. false on a short or malformed stream (an
// unknown format id, a length past the end); the file position is then unspecified and `out`
// untouched. On success the file stands just after the object.
bool ReadOle1Object(CFile* file, Ole1Object& out);

// The stream of "no object": version and format id 0. What an object without bytes writes.
std::vector<BYTE> EmptyOle1Stream();

// A packed 24-bit DIB (global block, the caller owns it) of a Bitmap16 presentation that GDI can
// make: one plane of 1, 4, 8, 16, 24 or 32 bits whose rows the data covers; null otherwise.
HGLOBAL Bitmap16ToDib(const BYTE* data, size_t size);

// A picture holder showing the presentation: a metafile holder for METAFILEPICT, a bitmap holder
// for DIB and BITMAP; the empty picture when there is none or its data is not sound. The caller
// owns the result, which is never null.
CImageBase* CreateOle1PictureHolder(const Ole1Presentation& p);
