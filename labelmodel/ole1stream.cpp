#include "labelmodel/ole1stream.h"

#include "framework/recordio.h"
#include "imaging/dib.h"

#include <cstring>
#include <memory>

namespace {

ULONGLONG BytesLeft(CFile* file)
{
    const ULONGLONG length = file->GetLength(), position = file->GetPosition();
    return length > position ? length - position : 0;
}

// u32 length (with the terminating NUL; 0 for no text), then the bytes; the text ends at the
// first NUL.
bool ReadPrefixedText(RecordReader& r, CString& out)
{
    uint32_t length;
    if (!r.U32(length))
        return false;
    if (length > kOle1MaxText || length > BytesLeft(r.file())) {
        r.Fail();
        return false;
    }
    return r.FixedString(out, length);
}

// u32 size, then that many bytes.
bool ReadSizedData(RecordReader& r, std::vector<BYTE>& out)
{
    uint32_t size;
    if (!r.U32(size))
        return false;
    if (size > kMaxDibBytes || size > BytesLeft(r.file())) {
        r.Fail();
        return false;
    }
    std::vector<BYTE> data(size);
    if (size && !r.Raw(data.data(), size))
        return false;
    out.swap(data);
    return true;
}

// What follows a presentation's class name.
bool ReadPresentationBody(RecordReader& r, const CString& className, Ole1Presentation& p)
{
    p.className = className;
    using Kind = Ole1Presentation::Kind;
    Kind kind = Kind::Other;
    if (className.CompareNoCase("METAFILEPICT") == 0)
        kind = Kind::Metafile;
    else if (className.CompareNoCase("BITMAP") == 0)
        kind = Kind::Bitmap;
    else if (className.CompareNoCase("DIB") == 0)
        kind = Kind::Dib;
    p.kind = kind;
    if (kind != Kind::Other) {
        int32_t width, height;
        if (!r.I32(width) || !r.I32(height) || !ReadSizedData(r, p.data))
            return false;
        p.widthHimetric = width;
        p.heightHimetric = height;
        return true;
    }
    // Any other clipboard format: its number, or 0 and its registered name.
    uint32_t clipboardFormat;
    if (!r.U32(clipboardFormat))
        return false;
    CString formatName;
    if (clipboardFormat == 0 && !ReadPrefixedText(r, formatName))
        return false;
    return ReadSizedData(r, p.data);
}

bool ReadPresentation(RecordReader& r, Ole1Presentation& p)
{
    uint32_t version, format;
    if (!r.U32(version) || !r.U32(format))
        return false;
    if (format == kOle1FormatNone) {
        p = Ole1Presentation();
        return true;
    }
    CString className;
    if (format != kOle1FormatPresentation || !ReadPrefixedText(r, className)) {
        r.Fail();
        return false;
    }
    return ReadPresentationBody(r, className, p);
}

bool ReadObjectFields(RecordReader& r, Ole1Object& o)
{
    if (!r.U32(o.version) || !r.U32(o.format))
        return false;
    switch (o.format) {
    case kOle1FormatNone:
        return true;
    case kOle1FormatStatic: {
        CString className;
        return ReadPrefixedText(r, className) && ReadPresentationBody(r, className, o.presentation);
    }
    case kOle1FormatEmbedded:
    case kOle1FormatLinked:
        break;
    default:
        r.Fail();
        return false;
    }
    if (!ReadPrefixedText(r, o.className) || !ReadPrefixedText(r, o.topicName) ||
        !ReadPrefixedText(r, o.itemName))
        return false;
    if (o.format == kOle1FormatEmbedded) {
        if (!r.U32(o.nativeSize) || !r.Skip(o.nativeSize))
            return false;
    } else {
        CString networkName;
        uint32_t reserved, updateOption;
        if (!ReadPrefixedText(r, networkName) || !r.U32(reserved) || !r.U32(updateOption))
            return false;
    }
    return ReadPresentation(r, o.presentation);
}

// The rows of a Bitmap16 copied to the 16-bit alignment CreateBitmap wants.
std::vector<BYTE> WordAlignedRows(const BYTE* bits, UINT widthBytes, UINT rowBytes, int height)
{
    std::vector<BYTE> rows((size_t)rowBytes * height);
    for (int y = 0; y < height; ++y)
        std::memcpy(&rows[(size_t)y * rowBytes], bits + (size_t)y * widthBytes, rowBytes);
    return rows;
}

// Hundredths of a millimetre to micrometres; 0 (no size: the picture fills its box) for a
// negative extent or one too large to hold.
int32_t HimetricToUm(int32_t himetric)
{
    return himetric > 0 && himetric <= INT32_MAX / 10 ? himetric * 10 : 0;
}

} // namespace

bool ReadOle1Object(CFile* file, Ole1Object& out)
{
    if (!file)
        return false;
    const ULONGLONG start = file->GetPosition();
    RecordReader r(file);
    Ole1Object object;
    if (!ReadObjectFields(r, object))
        return false;
    const ULONGLONG end = file->GetPosition();
    // Every byte of the object is kept, so that saving writes it back as it was.
    std::vector<BYTE> stream((size_t)(end - start));
    file->Seek((LONGLONG)start, CFile::begin);
    if (!stream.empty() && !r.Raw(stream.data(), (UINT)stream.size()))
        return false;
    object.stream.swap(stream);
    out = std::move(object);
    return true;
}

std::vector<BYTE> EmptyOle1Stream()
{
    std::vector<BYTE> bytes;
    for (uint32_t v : {kOle1Version, kOle1FormatNone})
        for (int i = 0; i < 4; ++i)
            bytes.push_back((BYTE)(v >> (8 * i)));
    return bytes;
}

HGLOBAL Bitmap16ToDib(const BYTE* data, size_t size)
{
    // type, width, height, width bytes (16 bits each), planes, bits per pixel (8 bits each).
    const size_t kHeader = 10;
    if (!data || size < kHeader)
        return nullptr;
    auto u16 = [&](size_t at) { return (UINT)(data[at] | (data[at + 1] << 8)); };
    const int width = (int16_t)u16(2), height = (int16_t)u16(4);
    const UINT widthBytes = u16(6), planes = data[8], bitCount = data[9];
    if (width <= 0 || height <= 0 || planes != 1)
        return nullptr;
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 &&
        bitCount != 32)
        return nullptr;
    const UINT rowBytes = (UINT)(((unsigned long long)width * bitCount + 15) / 16 * 2);
    const unsigned long long needed = (unsigned long long)widthBytes * height;
    if (widthBytes < rowBytes || needed > kMaxDibBytes)
        return nullptr;
    // The bits follow the ten header bytes; some writers kept the 4-byte bits pointer of the
    // structure in memory as well, which shows as exactly four bytes more.
    size_t offset = kHeader;
    if (size - kHeader < needed)
        return nullptr;
    if (size == kHeader + 4 + needed)
        offset = kHeader + 4;
    const std::vector<BYTE> rows = WordAlignedRows(data + offset, widthBytes, rowBytes, height);
    HBITMAP bitmap = CreateBitmap(width, height, 1, bitCount, rows.data());
    if (!bitmap)
        return nullptr;
    HGLOBAL dib = CreateDib24(width, height);
    BYTE* p = dib ? static_cast<BYTE*>(GlobalLock(dib)) : nullptr;
    bool ok = false;
    if (p) {
        HDC screen = GetDC(nullptr);
        ok = GetDIBits(screen, bitmap, 0, (UINT)height, p + sizeof(BITMAPINFOHEADER),
                       reinterpret_cast<BITMAPINFO*>(p), DIB_RGB_COLORS) == height;
        ReleaseDC(nullptr, screen);
        GlobalUnlock(dib);
    }
    DeleteObject(bitmap);
    if (!ok && dib) {
        GlobalFree(dib);
        dib = nullptr;
    }
    return dib;
}

CImageBase* CreateOle1PictureHolder(const Ole1Presentation& p)
{
    using Kind = Ole1Presentation::Kind;
    if (p.kind == Kind::Metafile && p.data.size() > 8) {
        // The picture's own record form: the size in micrometres, then the bits after the
        // 8-byte METAFILEPICT16. The holder checks the bits before it makes a metafile of them.
        const UINT bits = (UINT)p.data.size() - 8;
        CMemFile record;
        RecordWriter w(&record);
        w.I32(HimetricToUm(p.widthHimetric));
        w.I32(HimetricToUm(p.heightHimetric));
        w.I32((int32_t)bits);
        w.Raw(p.data.data() + 8, bits);
        record.SeekToBegin();
        std::unique_ptr<CImageMetafile> holder(new CImageMetafile);
        if (w.ok() && holder->Load(&record) && !holder->IsEmpty())
            return holder.release();
    } else if (p.kind == Kind::Dib || p.kind == Kind::Bitmap) {
        HGLOBAL dib = nullptr;
        if (p.kind == Kind::Bitmap) {
            dib = Bitmap16ToDib(p.data.data(), p.data.size());
        } else if (HGLOBAL copy = CopyToGlobal(p.data.data(), p.data.size())) {
            dib = CopyDibHandle(copy);
            GlobalFree(copy);
        }
        std::unique_ptr<CImageBitmapNew> holder(new CImageBitmapNew);
        if (dib && holder->Attach(dib))
            return holder.release();
        if (dib)
            GlobalFree(dib);
    }
    return new CImageBase;
}
