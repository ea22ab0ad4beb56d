#include "imaging/imaging.h"

#include "imaging/dib.h"
#include "imaging/jpegthumb.h"

#include <objbase.h>
#include <wincodec.h>
#include <climits>
#include <cstring>
#include <vector>

namespace {

// Owns one COM interface pointer.
template <class T> class ComRef {
public:
    ComRef() = default;
    ~ComRef() { Reset(); }
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;
    T** Out() { Reset(); return &m_p; }
    T* operator->() const { return m_p; }
    T* Get() const { return m_p; }
    explicit operator bool() const { return m_p != nullptr; }
    void Reset() { if (m_p) { m_p->Release(); m_p = nullptr; } }
private:
    T* m_p = nullptr;
};

// COM for the duration of one call; a thread already initialised keeps its own apartment.
class ComScope {
public:
    ComScope() : m_hr(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~ComScope() { if (SUCCEEDED(m_hr)) CoUninitialize(); }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;
private:
    HRESULT m_hr;
};

std::vector<wchar_t> WidePath(const char* path)
{
    std::vector<wchar_t> wide;
    if (!path || !*path)
        return wide;
    const int n = MultiByteToWideChar(CP_ACP, 0, path, -1, nullptr, 0);
    if (n <= 0)
        return wide;
    wide.resize(n);
    if (MultiByteToWideChar(CP_ACP, 0, path, -1, wide.data(), n) != n)
        wide.clear();
    return wide;
}

bool CreateFactory(ComRef<IWICImagingFactory>& factory)
{
    return SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                      IID_IWICImagingFactory,
                                      reinterpret_cast<void**>(factory.Out())));
}

bool OpenDecoder(IWICImagingFactory* factory, const char* path, ComRef<IWICBitmapDecoder>& decoder)
{
    const std::vector<wchar_t> wide = WidePath(path);
    if (wide.empty())
        return false;
    return SUCCEEDED(factory->CreateDecoderFromFilename(wide.data(), nullptr, GENERIC_READ,
                                                        WICDecodeMetadataCacheOnDemand,
                                                        decoder.Out()));
}

ImageFileType TypeOfContainer(const GUID& container)
{
    if (IsEqualGUID(container, GUID_ContainerFormatJpeg))
        return ImageFileType::Jpeg;
    if (IsEqualGUID(container, GUID_ContainerFormatBmp))
        return ImageFileType::Bmp;
    if (IsEqualGUID(container, GUID_ContainerFormatPng))
        return ImageFileType::Png;
    return ImageFileType::Unknown;
}

// Reverses the order of the rows so that a top-down copy becomes a bottom-up DIB.
void FlipRows(BYTE* bits, UINT stride, int height)
{
    std::vector<BYTE> row(stride);
    for (int top = 0, bottom = height - 1; top < bottom; ++top, --bottom) {
        BYTE* a = bits + (size_t)top * stride;
        BYTE* b = bits + (size_t)bottom * stride;
        std::memcpy(row.data(), a, stride);
        std::memcpy(a, b, stride);
        std::memcpy(b, row.data(), stride);
    }
}

// Copies the frame's pixels, converted to `format` (24 or 32 bits BGR), top-down into `out`.
bool CopyConverted(IWICImagingFactory* factory, IWICBitmapSource* frame, const GUID& format,
                   UINT stride, UINT height, BYTE* out)
{
    ComRef<IWICFormatConverter> converter;
    return SUCCEEDED(factory->CreateFormatConverter(converter.Out())) &&
           SUCCEEDED(converter->Initialize(frame, format, WICBitmapDitherTypeNone, nullptr, 0.0,
                                           WICBitmapPaletteTypeCustom)) &&
           SUCCEEDED(converter->CopyPixels(nullptr, stride, stride * height, out));
}

// Fills the bits of a 24-bit DIB, rows still top-down. Not every converter goes straight to
// 24 bits (palette pictures do not), so those pass through 32 bits per pixel.
bool CopyFrame24(IWICImagingFactory* factory, IWICBitmapSource* frame, UINT width, UINT height,
                 BYTE* bits)
{
    const UINT stride = DibStride((int)width, 24);
    if (CopyConverted(factory, frame, GUID_WICPixelFormat24bppBGR, stride, height, bits))
        return true;
    const UINT stride32 = DibStride((int)width, 32);
    if (stride32 == 0 || (uint64_t)stride32 * height > kMaxDibBytes)
        return false;
    std::vector<BYTE> wide((size_t)stride32 * height);
    if (!CopyConverted(factory, frame, GUID_WICPixelFormat32bppBGR, stride32, height, wide.data()))
        return false;
    for (UINT y = 0; y < height; ++y) {
        const BYTE* in = wide.data() + (size_t)y * stride32;
        BYTE* out = bits + (size_t)y * stride;
        for (UINT x = 0; x < width; ++x, in += 4, out += 3) {
            out[0] = in[0];
            out[1] = in[1];
            out[2] = in[2];
        }
    }
    return true;
}

// Decodes the first frame of a file of the expected format into a 24-bit packed DIB.
HGLOBAL LoadAsDib(const char* path, ImageFileType expected)
{
    ComScope com;
    ComRef<IWICImagingFactory> factory;
    ComRef<IWICBitmapDecoder> decoder;
    if (!CreateFactory(factory) || !OpenDecoder(factory.Get(), path, decoder))
        return nullptr;
    GUID container;
    if (FAILED(decoder->GetContainerFormat(&container)) || TypeOfContainer(container) != expected)
        return nullptr;
    ComRef<IWICBitmapFrameDecode> frame;
    UINT width = 0, height = 0;
    // A header may claim millions of pixels in a file of a few hundred bytes: the claim is
    // weighed before the bitmap and the decoder's copy are made, not after.
    if (FAILED(decoder->GetFrame(0, frame.Out())) || FAILED(frame->GetSize(&width, &height)) ||
        !PictureSizeFits(width, height))
        return nullptr;
    HGLOBAL dib = CreateDib24((int)width, (int)height);
    if (!dib)
        return nullptr;
    BYTE* block = static_cast<BYTE*>(GlobalLock(dib));
    bool ok = false;
    if (block) {
        BYTE* bits = block + sizeof(BITMAPINFOHEADER);
        ok = CopyFrame24(factory.Get(), frame.Get(), width, height, bits);
        if (ok)
            FlipRows(bits, DibStride((int)width, 24), (int)height);
        GlobalUnlock(dib);
    }
    if (!ok) {
        GlobalFree(dib);
        return nullptr;
    }
    return dib;
}

// Draws any DIB GDI understands into a fresh 24-bit DIB section and copies its rows out.
HGLOBAL ConvertToDib24(const BYTE* packed, const DibLayout& layout)
{
    HGLOBAL out = CreateDib24(layout.width, layout.height);
    if (!out)
        return nullptr;
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = layout.width;
    bmi.bmiHeader.biHeight = layout.height;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 24;
    bmi.bmiHeader.biCompression = BI_RGB;
    void* sectionBits = nullptr;
    HBITMAP section = CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &sectionBits, nullptr, 0);
    HDC dc = CreateCompatibleDC(nullptr);
    bool ok = false;
    if (section && dc && sectionBits) {
        HGDIOBJ old = SelectObject(dc, section);
        const int lines = SetDIBitsToDevice(dc, 0, 0, layout.width, layout.height, 0, 0, 0,
                                            layout.height, packed + layout.bitsOffset,
                                            reinterpret_cast<const BITMAPINFO*>(packed),
                                            DIB_RGB_COLORS);
        GdiFlush();
        SelectObject(dc, old);
        BYTE* block = static_cast<BYTE*>(GlobalLock(out));
        if (lines > 0 && block) {
            std::memcpy(block + sizeof(BITMAPINFOHEADER), sectionBits,
                        (size_t)DibStride(layout.width, 24) * layout.height);
            ok = true;
        }
        if (block)
            GlobalUnlock(out);
    }
    if (dc)
        DeleteDC(dc);
    if (section)
        DeleteObject(section);
    if (!ok) {
        GlobalFree(out);
        return nullptr;
    }
    return out;
}

// A 24-bit bottom-up copy of any valid packed DIB: uncompressed 24-bit pictures are copied
// directly (no rounding through a device), everything else goes through GDI.
HGLOBAL ToDib24(const BYTE* packed, const DibLayout& layout)
{
    if (layout.headerSize < sizeof(BITMAPINFOHEADER) || layout.bitCount != 24 ||
        layout.compression != BI_RGB)
        return ConvertToDib24(packed, layout);
    HGLOBAL out = CreateDib24(layout.width, layout.height);
    BYTE* block = out ? static_cast<BYTE*>(GlobalLock(out)) : nullptr;
    if (!block) {
        if (out)
            GlobalFree(out);
        return nullptr;
    }
    auto* bih = reinterpret_cast<BITMAPINFOHEADER*>(block);
    std::memcpy(&bih->biXPelsPerMeter, packed + 24, 2 * sizeof(LONG));
    BYTE* bits = block + sizeof(BITMAPINFOHEADER);
    std::memcpy(bits, packed + layout.bitsOffset, layout.bitsSize);
    if (layout.topDown)
        FlipRows(bits, DibStride(layout.width, 24), layout.height);
    GlobalUnlock(out);
    return out;
}

} // namespace

bool ReadImageFileInfo(const char* path, ImageFileInfo& info)
{
    ComScope com;
    ComRef<IWICImagingFactory> factory;
    ComRef<IWICBitmapDecoder> decoder;
    ComRef<IWICBitmapFrameDecode> frame;
    if (!CreateFactory(factory) || !OpenDecoder(factory.Get(), path, decoder))
        return false;
    GUID container;
    UINT width = 0, height = 0;
    if (FAILED(decoder->GetContainerFormat(&container)) || FAILED(decoder->GetFrame(0, frame.Out())) ||
        FAILED(frame->GetSize(&width, &height)) || width > INT_MAX || height > INT_MAX)
        return false;
    info.type = TypeOfContainer(container);
    info.width = (int)width;
    info.height = (int)height;
    return true;
}

bool PictureSizeFits(UINT width, UINT height)
{
    if (width == 0 || height == 0 || width > kMaxPictureSide || height > kMaxPictureSide)
        return false;
    const uint64_t bits = (uint64_t)DibStride((int)width, 24) * height;
    return sizeof(BITMAPINFOHEADER) + bits <= kMaxDibBytes;
}

const char* ImageFileTypeName(ImageFileType type)
{
    switch (type) {
    case ImageFileType::Jpeg: return "JPEG";
    case ImageFileType::Bmp: return "BMP";
    case ImageFileType::Png: return "PNG";
    default: return "";
    }
}

HGLOBAL LoadJpegAsDib(const char* path) { return LoadAsDib(path, ImageFileType::Jpeg); }
HGLOBAL LoadBmpAsDib(const char* path) { return LoadAsDib(path, ImageFileType::Bmp); }
HGLOBAL LoadPngAsDib(const char* path) { return LoadAsDib(path, ImageFileType::Png); }

bool RotateDibQuarterTurn(HGLOBAL& dib, QuarterTurn turn)
{
    if (!dib)
        return false;
    const SIZE_T size = GlobalSize(dib);
    const BYTE* packed = static_cast<const BYTE*>(GlobalLock(dib));
    if (!packed)
        return false;
    DibLayout layout;
    HGLOBAL source = DescribeDib(packed, size, layout) ? ToDib24(packed, layout) : nullptr;
    GlobalUnlock(dib);
    if (!source)
        return false;

    const int w = layout.width, h = layout.height;
    HGLOBAL turned = CreateDib24(h, w);
    const BYTE* src = static_cast<const BYTE*>(GlobalLock(source));
    BYTE* dst = turned ? static_cast<BYTE*>(GlobalLock(turned)) : nullptr;
    if (!src || !dst) {
        if (src)
            GlobalUnlock(source);
        GlobalFree(source);
        if (turned)
            GlobalFree(turned);
        return false;
    }
    const auto* srcHeader = reinterpret_cast<const BITMAPINFOHEADER*>(src);
    auto* dstHeader = reinterpret_cast<BITMAPINFOHEADER*>(dst);
    dstHeader->biXPelsPerMeter = srcHeader->biYPelsPerMeter;
    dstHeader->biYPelsPerMeter = srcHeader->biXPelsPerMeter;
    const BYTE* srcBits = src + sizeof(BITMAPINFOHEADER);
    BYTE* dstBits = dst + sizeof(BITMAPINFOHEADER);
    const UINT srcStride = DibStride(w, 24), dstStride = DibStride(h, 24);
    // Coordinates are taken top-down as on the screen; both blocks store their rows bottom-up.
    for (int y2 = 0; y2 < w; ++y2) {
        BYTE* out = dstBits + (size_t)(w - 1 - y2) * dstStride;
        for (int x2 = 0; x2 < h; ++x2) {
            const int x = turn == QuarterTurn::Clockwise ? y2 : w - 1 - y2;
            const int y = turn == QuarterTurn::Clockwise ? h - 1 - x2 : x2;
            const BYTE* in = srcBits + (size_t)(h - 1 - y) * srcStride + (size_t)x * 3;
            out[x2 * 3] = in[0];
            out[x2 * 3 + 1] = in[1];
            out[x2 * 3 + 2] = in[2];
        }
    }
    GlobalUnlock(turned);
    GlobalUnlock(source);
    GlobalFree(source);
    GlobalFree(dib);
    dib = turned;
    return true;
}

bool LoadPictureForCell(const char* path, int cell, std::vector<uint8_t>& bgrx, int& w, int& h)
{
    ComScope com;
    ComRef<IWICImagingFactory> factory;
    ComRef<IWICBitmapDecoder> decoder;
    ComRef<IWICBitmapFrameDecode> frame;
    ComRef<IWICBitmapScaler> scaler;
    UINT width = 0, height = 0;
    if (!CreateFactory(factory) || !OpenDecoder(factory.Get(), path, decoder) ||
        FAILED(decoder->GetFrame(0, frame.Out())) || FAILED(frame->GetSize(&width, &height)) || width == 0 ||
        height == 0)
        return false;
    int fitW = cell, fitH = cell;
    jpegthumb::FitInCell((int)width, (int)height, cell, fitW, fitH);
    std::vector<uint8_t> pixels((size_t)fitW * fitH * 4);
    if (FAILED(factory->CreateBitmapScaler(scaler.Out())) ||
        FAILED(scaler->Initialize(frame.Get(), fitW, fitH, WICBitmapInterpolationModeFant)) ||
        !CopyConverted(factory.Get(), scaler.Get(), GUID_WICPixelFormat32bppBGR, fitW * 4, fitH, pixels.data()))
        return false;
    bgrx.swap(pixels);
    w = fitW;
    h = fitH;
    return true;
}
