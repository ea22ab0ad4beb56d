#include "labelmodel/imageholder.h"

#include "framework/recordio.h"
#include "imaging/dib.h"
#include "imaging/imaging.h"
#include "labelmodel/placeablemetafile.h"

#include <climits>
#include <cstddef>
#include <cstring>

namespace {

// Record magics of the bitmap holders.
constexpr int16_t kBitmapRecordMagic = 1234;
constexpr int16_t kBitmapNewRecordMagic = 1156;
constexpr int16_t kBitmapNewEmptyMagic = 1155;   // the older form of an empty holder
// Written for a CImageBitmap without bits: anything but 1234 reads back as empty.
constexpr int16_t kBitmapEmptyMagic = 0;

ULONGLONG BytesLeft(CFile* file)
{
    const ULONGLONG length = file->GetLength(), position = file->GetPosition();
    return length > position ? length - position : 0;
}

// Records keep pixel sizes in 16 bits.
bool FitsRecord(const DibLayout& d)
{
    return d.width <= (int)kMaxPictureSide && d.height <= (int)kMaxPictureSide;
}

// A size in micrometres from a clipboard extent in hundredths of a millimetre; 0 when the extent
// gives none (an aspect-only negative extent, zero) or would not fit.
int ExtentToUm(LONG extent)
{
    const long long um = (long long)extent * 10;
    return um > 0 && um <= INT_MAX ? (int)um : 0;
}

// Halftone stretching with the brush origin at 0, 0 for the duration of one blit.
class StretchModeScope {
public:
    explicit StretchModeScope(CDC* dc) : m_dc(dc), m_mode(dc->SetStretchBltMode(HALFTONE))
    {
        SetBrushOrgEx(dc->GetSafeHdc(), 0, 0, &m_origin);
    }
    ~StretchModeScope()
    {
        SetBrushOrgEx(m_dc->GetSafeHdc(), m_origin.x, m_origin.y, nullptr);
        if (m_mode)
            m_dc->SetStretchBltMode(m_mode);
    }
    StretchModeScope(const StretchModeScope&) = delete;
    StretchModeScope& operator=(const StretchModeScope&) = delete;
private:
    CDC* m_dc;
    int m_mode;
    POINT m_origin = {0, 0};
};

// Screens get the picture through a bitmap of the screen's own format; returns false when that
// cannot be made or selected, so that the caller falls back to drawing the DIB itself.
bool BlitThroughScreenBitmap(CDC* dc, const BYTE* packed, const DibLayout& d, const RECT& to,
                             int srcX, int srcY, int srcW, int srcH)
{
    HDC screen = GetDC(nullptr);
    HBITMAP ddb = CreateDIBitmap(screen, reinterpret_cast<const BITMAPINFOHEADER*>(packed), CBM_INIT,
                                 packed + d.bitsOffset, reinterpret_cast<const BITMAPINFO*>(packed),
                                 DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    if (!ddb)
        return false;
    bool drawn = false;
    CDC memory;
    if (memory.CreateCompatibleDC(dc)) {
        HGDIOBJ old = memory.SelectObject(static_cast<HGDIOBJ>(ddb));
        if (old) {
            drawn = dc->StretchBlt(to.left, to.top, to.right - to.left + 1, to.bottom - to.top + 1,
                                   &memory, srcX, srcY, srcW, srcH, SRCCOPY) != FALSE;
            memory.SelectObject(old);
        }
    }
    DeleteObject(ddb);
    return drawn;
}

} // namespace

// ==== Fitting =====================================================================================

bool FitBitmapRect(RECT& rc, int visibleWidth, int visibleHeight, int flags)
{
    if (visibleWidth <= 0 || visibleHeight <= 0)
        return false;
    if (!(flags & kImageStretch)) {
        const long long boxW = (long long)rc.right - rc.left, boxH = (long long)rc.bottom - rc.top;
        const long long width = boxH * visibleWidth / visibleHeight;
        if (width < boxW) {
            if (flags & kImageCentre)
                rc.left += (LONG)((boxW - width) / 2);
            rc.right = rc.left + (LONG)width;
        } else {
            const long long height = boxW * visibleHeight / visibleWidth;
            if (height < boxH) {
                if (flags & kImageCentre)
                    rc.top += (LONG)((boxH - height) / 2);
                rc.bottom = rc.top + (LONG)height;
            }
        }
    }
    return rc.right > rc.left && rc.bottom > rc.top;
}

bool FitMetafileRect(RECT& rc, int widthUm, int heightUm, int flags)
{
    const long long boxW = (long long)rc.right - rc.left, boxH = (long long)rc.bottom - rc.top;
    if (boxW <= 0 || boxH <= 0)
        return false;
    if (!(flags & kImageStretch) && widthUm > 0 && heightUm > 0) {
        const long long w = widthUm, h = heightUm;
        // Compared by cross products: the quotients of micrometres by pixels lose the difference
        // between nearly equal aspects and would let the picture spill out of the box.
        if (h * boxW < w * boxH) {
            const long long height = (h * boxW + w / 2) / w;
            if (flags & kImageCentre)
                rc.top += (LONG)((boxH - height) / 2);
            rc.bottom = rc.top + (LONG)height;
        } else {
            const long long width = (w * boxH + h / 2) / h;
            if (flags & kImageCentre)
                rc.left += (LONG)((boxW - width) / 2);
            rc.right = rc.left + (LONG)width;
        }
    }
    return rc.right > rc.left && rc.bottom > rc.top;
}

// ==== CImageBase ==================================================================================

void CImageBase::Draw(CDC*, const char*, int, int, int, int, int, int, int, int, int)
{
}

bool CImageBase::SaveWithType(CFile* file) const
{
    RecordWriter w(file);
    return w.I16((int16_t)GetTypeCode()) && Save(file);
}

// ==== CImageBitmap ================================================================================

CImageBase* CImageBitmap::Clone() const
{
    return new CImageBitmap(*this);
}

CImageBase* CImageBitmapExt::Clone() const
{
    return new CImageBitmapExt(*this);
}

bool CImageBitmap::CopyPictureToClipboard()
{
    if (!m_usable)
        return false;              // nothing was put: not a success
    std::vector<BYTE> block(m_header);
    block.insert(block.end(), m_bits.begin(), m_bits.end());
    HGLOBAL h = CopyToGlobal(block.data(), block.size());
    if (!h)
        return false;
    if (!SetClipboardData(CF_DIB, h)) {
        GlobalFree(h);
        return false;
    }
    return true;
}

void CImageBitmap::Draw(CDC* dc, const char*, int left, int top, int right, int bottom,
                        int cropLeft, int cropTop, int cropRight, int cropBottom, int flags)
{
    DibLayout d;
    if (!dc || !m_usable || !DescribeDibHeader(m_header.data(), m_header.size(), d))
        return;
    RECT rc = {left, top, right, bottom};
    if (!FitBitmapRect(rc, MulDiv(d.width, cropRight - cropLeft, 100),
                       MulDiv(d.height, cropBottom - cropTop, 100), flags))
        return;
    // The crop only shapes the fitting: the whole picture is drawn.
    dc->StretchDIBits(rc.left, rc.top, rc.right - rc.left + 1, rc.bottom - rc.top + 1, 0, 0,
                      d.width, d.height, m_bits.data(),
                      reinterpret_cast<const BITMAPINFO*>(m_header.data()), DIB_RGB_COLORS, SRCCOPY);
}

bool CImageBitmap::Load(CFile* file)
{
    RecordReader r(file);
    int16_t magic = 0;
    if (!r.I16(magic))
        return false;
    if (magic != kBitmapRecordMagic) {
        *this = CImageBitmap();
        return true;
    }
    int16_t width = 0, height = 0, headerSize = 0;
    r.I16(width);
    r.I16(height);
    r.I16(headerSize);
    // The header must reach biSizeImage, which tells how many bytes of bits follow.
    if (!r.ok() || headerSize < (int16_t)(offsetof(BITMAPINFOHEADER, biSizeImage) + sizeof(DWORD)))
        return false;
    std::vector<BYTE> header((size_t)headerSize);
    if (!r.Raw(header.data(), (UINT)header.size()))
        return false;
    DWORD sizeImage;
    std::memcpy(&sizeImage, header.data() + offsetof(BITMAPINFOHEADER, biSizeImage), sizeof sizeImage);
    if (sizeImage > kMaxDibBytes || sizeImage > BytesLeft(file))
        return false;
    std::vector<BYTE> bits(sizeImage);
    if (!r.Raw(bits.data(), sizeImage))
        return false;
    // The record is whole; its picture draws only when the header is sound and the bits cover it
    // (a header with biSizeImage 0 was stored without bits).
    DibLayout d;
    m_usable = DescribeDibHeader(header.data(), header.size(), d) && d.bitsSize <= sizeImage;
    m_width = width;
    m_height = height;
    m_header.swap(header);
    m_bits.swap(bits);
    return true;
}

bool CImageBitmap::Save(CFile* file) const
{
    RecordWriter w(file);
    if (m_header.empty())
        return w.I16(kBitmapEmptyMagic);
    w.I16(kBitmapRecordMagic);
    w.I16((int16_t)m_width);
    w.I16((int16_t)m_height);
    w.I16((int16_t)m_header.size());
    w.Raw(m_header.data(), (UINT)m_header.size());
    w.Raw(m_bits.data(), (UINT)m_bits.size());
    return w.ok();
}

// ==== CImageBitmapNew =============================================================================

CImageBitmapNew::~CImageBitmapNew()
{
    if (m_dib)
        GlobalFree(m_dib);
}

void CImageBitmapNew::Reset(HGLOBAL dib, int width, int height)
{
    if (m_dib && m_dib != dib)
        GlobalFree(m_dib);
    m_dib = dib;
    m_width = dib ? width : 0;
    m_height = dib ? height : 0;
    m_kept.clear();
    m_keptWidth = m_keptHeight = 0;
}

bool CImageBitmapNew::Attach(HGLOBAL dib)
{
    DibLayout d;
    if (!DescribeDibHandle(dib, d) || !FitsRecord(d))
        return false;
    Reset(dib, d.width, d.height);
    return true;
}

CImageBase* CImageBitmapNew::Clone() const
{
    auto* copy = new CImageBitmapNew;
    if (m_dib) {
        if (HGLOBAL dib = CopyDibHandle(m_dib))
            copy->Reset(dib, m_width, m_height);
    }
    copy->m_kept = m_kept;
    copy->m_keptWidth = m_keptWidth;
    copy->m_keptHeight = m_keptHeight;
    return copy;
}

bool CImageBitmapNew::CopyPictureToClipboard()
{
    if (!m_dib)
        return false;
    HGLOBAL copy = CopyDibHandle(m_dib);
    if (!copy)
        return false;
    if (!SetClipboardData(CF_DIB, copy)) {
        GlobalFree(copy);
        return false;
    }
    return true;
}

void CImageBitmapNew::Draw(CDC* dc, const char* path, int left, int top, int right, int bottom,
                           int cropLeft, int cropTop, int cropRight, int cropBottom, int flags)
{
    if (!dc)
        return;
    if (!m_dib && path && *path)
        LoadFromFile(path);
    if (!m_dib)
        return;
    const int srcW = MulDiv(m_width, cropRight - cropLeft, 100);
    const int srcH = MulDiv(m_height, cropBottom - cropTop, 100);
    RECT rc = {left, top, right, bottom};
    if (!FitBitmapRect(rc, srcW, srcH, flags))
        return;
    // Vertical crop values count from the bottom of the picture.
    const int srcX = MulDiv(m_width, cropLeft, 100);
    const int srcY = m_height - MulDiv(m_height, cropBottom, 100);

    const SIZE_T size = GlobalSize(m_dib);
    const BYTE* packed = static_cast<const BYTE*>(GlobalLock(m_dib));
    DibLayout d;
    if (!packed || !DescribeDib(packed, size, d)) {
        if (packed)
            GlobalUnlock(m_dib);
        return;
    }
    StretchModeScope halftone(dc);
    // A bitmap of the screen's format cannot be selected for a printer or a metafile whose format
    // differs: those get the DIB itself.
    const bool screen = !dc->IsPrinting() && dc->GetDeviceCaps(TECHNOLOGY) == DT_RASDISPLAY;
    if (!screen || !BlitThroughScreenBitmap(dc, packed, d, rc, srcX, srcY, srcW, srcH)) {
        // StretchDIBits counts source rows from the bottom of the picture, for top-down DIBs too.
        const int dibY = m_height - srcY - srcH;
        dc->StretchDIBits(rc.left, rc.top, rc.right - rc.left + 1, rc.bottom - rc.top + 1, srcX,
                          dibY, srcW, srcH, packed + d.bitsOffset,
                          reinterpret_cast<const BITMAPINFO*>(packed), DIB_RGB_COLORS, SRCCOPY);
    }
    GlobalUnlock(m_dib);
}

int CImageBitmapNew::GetAspectPercent() const
{
    if (m_width <= 0 || m_height <= 0)
        return 100;
    return m_height * 100 / m_width;
}

void CImageBitmapNew::Rotate90(int direction)
{
    if (!m_dib)
        return;
    HGLOBAL dib = m_dib;
    if (!RotateDibQuarterTurn(dib, direction == 1 ? QuarterTurn::CounterClockwise
                                                  : QuarterTurn::Clockwise))
        return;
    m_dib = dib;                   // the old block is gone
    std::swap(m_width, m_height);
}

bool CImageBitmapNew::Load(CFile* file)
{
    RecordReader r(file);
    int16_t magic = 0;
    if (!r.I16(magic))
        return false;
    if (magic != kBitmapNewRecordMagic) {
        Reset(nullptr, 0, 0);
        return true;
    }
    int16_t width = 0, height = 0;
    int32_t size = 0;
    r.I16(width);
    r.I16(height);
    r.I32(size);
    if (!r.ok() || size < 0 || (UINT)size > kMaxDibBytes + 2048 || (ULONGLONG)size > BytesLeft(file))
        return false;
    if (size == 0) {
        Reset(nullptr, 0, 0);
        return true;
    }
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, (SIZE_T)size);
    BYTE* p = block ? static_cast<BYTE*>(GlobalLock(block)) : nullptr;
    if (!p) {
        if (block)
            GlobalFree(block);
        return false;
    }
    const bool read = r.Raw(p, (UINT)size);
    DibLayout d;
    // The sizes come from the picture itself: the record's pair may be the low 16 bits of a
    // top-down height.
    const bool usable = read && DescribeDib(p, (size_t)size, d) && FitsRecord(d);
    if (!read) {
        GlobalUnlock(block);
        GlobalFree(block);
        return false;
    }
    if (!usable) {
        std::vector<BYTE> kept(p, p + size);
        GlobalUnlock(block);
        GlobalFree(block);
        Reset(nullptr, 0, 0);
        m_kept.swap(kept);
        m_keptWidth = width;
        m_keptHeight = height;
        return true;
    }
    GlobalUnlock(block);
    Reset(block, d.width, d.height);
    return true;
}

bool CImageBitmapNew::Save(CFile* file) const
{
    RecordWriter w(file);
    DibLayout d;
    if (!m_dib || !DescribeDibHandle(m_dib, d)) {
        if (m_kept.empty())
            return w.I16(kBitmapNewEmptyMagic);
        w.I16(kBitmapNewRecordMagic);
        w.I16((int16_t)m_keptWidth);
        w.I16((int16_t)m_keptHeight);
        w.I32((int32_t)m_kept.size());
        w.Raw(m_kept.data(), (UINT)m_kept.size());
        return w.ok();
    }
    const BYTE* p = static_cast<const BYTE*>(GlobalLock(m_dib));
    if (!p)
        return false;
    w.I16(kBitmapNewRecordMagic);
    w.I16((int16_t)m_width);
    w.I16((int16_t)m_height);
    w.I32((int32_t)d.TotalSize());
    w.Raw(p, d.TotalSize());
    GlobalUnlock(m_dib);
    return w.ok();
}

bool CImageBitmapNew::GetFitSize(CSize& sizeUm) const
{
    if (m_width <= 0 || m_height <= 0)
        return false;
    // The picture at 300 dots per inch.
    sizeUm = CSize((m_width * 508 + 3) / 6, (m_height * 508 + 3) / 6);
    return true;
}

bool CImageBitmapNew::TakeClipboardPicture(UINT format, HGLOBAL handle, CSize& ownerSizeUm)
{
    if (format != CF_DIB && format != CF_DIBV5)
        return false;
    HGLOBAL copy = CopyDibHandle(handle);
    if (!copy)
        return false;
    if (!Attach(copy)) {
        GlobalFree(copy);
        return false;
    }
    // Clipboard pictures come at the screen's 96 dots per inch.
    ownerSizeUm = CSize((m_width * 25400 + 48) / 96, (m_height * 25400 + 48) / 96);
    return true;
}

bool CImageBitmapNew::LoadFromFile(const char* path)
{
    ImageFileInfo info;
    // A picture that could never be kept is refused from its size alone, before it is decoded.
    if (!ReadImageFileInfo(path, info) || !PictureSizeFits((UINT)info.width, (UINT)info.height))
        return false;
    HGLOBAL dib = nullptr;
    switch (info.type) {
    case ImageFileType::Jpeg: dib = LoadJpegAsDib(path); break;
    case ImageFileType::Bmp: dib = LoadBmpAsDib(path); break;
    case ImageFileType::Png: dib = LoadPngAsDib(path); break;
    default: return false;
    }
    if (!dib)
        return false;
    if (!Attach(dib)) {
        GlobalFree(dib);
        return false;
    }
    return true;
}

// ==== CImageMetafile ==============================================================================

CImageMetafile::~CImageMetafile()
{
    if (m_metafile)
        DeleteMetaFile(m_metafile);
}

void CImageMetafile::Reset(HMETAFILE metafile, int width, int height, UINT bitsSize)
{
    if (m_metafile && m_metafile != metafile)
        DeleteMetaFile(m_metafile);
    m_metafile = metafile;
    m_width = width;
    m_height = height;
    m_bitsSize = metafile ? bitsSize : 0;
    m_kept.clear();
}

CImageBase* CImageMetafile::Clone() const
{
    auto* copy = new CImageMetafile;
    HMETAFILE metafile = m_metafile ? CopyMetaFileA(m_metafile, nullptr) : nullptr;
    copy->Reset(metafile, m_width, m_height, m_bitsSize);
    copy->m_kept = m_kept;
    return copy;
}

bool CImageMetafile::CopyPictureToClipboard()
{
    if (!m_metafile)
        return false;
    HMETAFILE copy = CopyMetaFileA(m_metafile, nullptr);
    HGLOBAL block = copy ? GlobalAlloc(GMEM_MOVEABLE, sizeof(METAFILEPICT)) : nullptr;
    auto* picture = block ? static_cast<METAFILEPICT*>(GlobalLock(block)) : nullptr;
    if (!picture) {
        if (block)
            GlobalFree(block);
        if (copy)
            DeleteMetaFile(copy);
        return false;
    }
    picture->mm = MM_ANISOTROPIC;
    picture->xExt = m_width / 10;              // hundredths of a millimetre
    picture->yExt = m_height / 10;
    picture->hMF = copy;
    GlobalUnlock(block);
    if (!SetClipboardData(CF_METAFILEPICT, block)) {
        GlobalFree(block);
        DeleteMetaFile(copy);
        return false;
    }
    return true;
}

void CImageMetafile::Draw(CDC* dc, const char* path, int left, int top, int right, int bottom,
                          int, int, int, int, int flags)
{
    if (!dc)
        return;
    if (!m_metafile && path && *path)
        LoadFromFile(path);
    if (!m_metafile)
        return;
    RECT rc = {left, top, right, bottom};
    if (!FitMetafileRect(rc, m_width, m_height, flags))
        return;
    const int saved = dc->SaveDC();
    dc->SetMapMode(MM_ANISOTROPIC);
    // The metafile's own window extent, when it sets one, replaces this default.
    dc->SetWindowExt(10000, 10000);
    dc->SetViewportExt(rc.right - rc.left, rc.bottom - rc.top);
    dc->SetViewportOrg(rc.left, rc.top);
    dc->PlayMetaFile(m_metafile);
    dc->RestoreDC(saved);
}

int CImageMetafile::GetAspectPercent() const
{
    if (m_width <= 0 || m_height <= 0)
        return 100;
    const long long percent = (long long)m_height * 100 / m_width;
    return percent > INT_MAX ? INT_MAX : (int)percent;
}

bool CImageMetafile::Load(CFile* file)
{
    RecordReader r(file);
    int32_t width = 0, height = 0, size = 0;
    r.I32(width);
    r.I32(height);
    r.I32(size);
    if (!r.ok() || size < 0 || (UINT)size > kMaxMetafileBytes || (ULONGLONG)size > BytesLeft(file))
        return false;
    std::vector<BYTE> bits((size_t)size);
    if (!r.Raw(bits.data(), (UINT)size))
        return false;
    UINT used = 0;
    HMETAFILE metafile = size ? MetafileFromBits(bits.data(), (UINT)size, &used) : nullptr;
    Reset(metafile, width, height, used);
    if (!metafile)
        m_kept.swap(bits);
    return true;
}

bool CImageMetafile::Save(CFile* file) const
{
    const std::vector<BYTE> bits = m_metafile ? MetafileBitsOf(m_metafile) : m_kept;
    RecordWriter w(file);
    w.I32(m_width);
    w.I32(m_height);
    w.I32((int32_t)bits.size());
    w.Raw(bits.data(), (UINT)bits.size());
    return w.ok();
}

bool CImageMetafile::GetFitSize(CSize& sizeUm) const
{
    if (m_width <= 0 || m_height <= 0)
        return false;
    sizeUm = CSize(m_width, m_height);
    return true;
}

bool CImageMetafile::TakeClipboardPicture(UINT format, HGLOBAL handle, CSize& ownerSizeUm)
{
    if (format != CF_METAFILEPICT || !handle || GlobalSize(handle) < sizeof(METAFILEPICT))
        return false;
    const auto* locked = static_cast<const METAFILEPICT*>(GlobalLock(handle));
    if (!locked)
        return false;
    const METAFILEPICT picture = *locked;
    GlobalUnlock(handle);
    const std::vector<BYTE> bits = MetafileBitsOf(picture.hMF);
    UINT used = 0;
    HMETAFILE metafile = bits.empty() ? nullptr
                                      : MetafileFromBits(bits.data(), (UINT)bits.size(), &used);
    if (!metafile)
        return false;
    const int width = ExtentToUm(picture.xExt), height = ExtentToUm(picture.yExt);
    Reset(metafile, width, height, used);
    ownerSizeUm = CSize(width, height);
    return true;
}

HMETAFILE CImageMetafile::LoadFromFile(const char* path)
{
    MetafileFile file;
    if (!ReadMetafileFile(path, file))
        return nullptr;
    Reset(file.metafile, file.widthUm, file.heightUm, file.bitsSize);
    return m_metafile;
}

// ==== Factories ===================================================================================

namespace {

bool SameExtension(const char* a, const char* b)
{
    for (; *a && *b; ++a, ++b) {
        char x = *a, y = *b;
        if (x >= 'A' && x <= 'Z')
            x = (char)(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z')
            y = (char)(y - 'A' + 'a');
        if (x != y)
            return false;
    }
    return *a == *b;
}

// The extension with its dot, as a path splitter gives it: after the last separator, from the
// last dot on; "" when there is none.
const char* ExtensionOf(const char* path)
{
    const char* name = path;
    for (const char* p = path; *p; ++p)
        if (*p == '\\' || *p == '/' || *p == ':')
            name = p + 1;
    const char* dot = std::strrchr(name, '.');
    return dot ? dot : "";
}

} // namespace

CImageBase* CreateImageHolderForFile(const char* path)
{
    if (!path)
        return nullptr;
    const char* ext = ExtensionOf(path);
    // The picture dialogs offer ".jpeg" beside ".jpg": it is the same kind of file.
    if (SameExtension(ext, ".jpg") || SameExtension(ext, ".jpeg") || SameExtension(ext, ".bmp") || SameExtension(ext, ".png"))
        return new CImageBitmapNew;
    if (SameExtension(ext, ".wmf"))
        return new CImageMetafile;
    return nullptr;
}

CImageBase* CreateImageHolderForCode(int code)
{
    switch (code) {
    case kImageHolderEmpty: return new CImageBase;
    case kImageHolderBitmap: return new CImageBitmap;
    case kImageHolderMetafile: return new CImageMetafile;
    case kImageHolderBitmapNew: return new CImageBitmapNew;
    case kImageHolderBitmapExt: return new CImageBitmapExt;
    default: return nullptr;
    }
}
