#pragma once
// Picture files made at test time: PNG, JPEG and BMP encoded by the Windows Imaging Component from a
// pixel function, so that readers are tested on files written by another program's encoder; a
// small GIF written byte by byte.
// Header-only; a test executable using it links windowscodecs, ole32 and uuid (the imaging library
// brings them).
#include <windows.h>
#include <objbase.h>
#include <wincodec.h>
#include <functional>
#include <string>
#include <vector>

namespace picturefiles {

using PixelFunction = std::function<COLORREF(int x, int y)>;

// Encodes a width x height picture (24-bit colour) with the WIC encoder of `container`
// (GUID_ContainerFormatPng, ...Jpeg, ...Bmp, ...Gif) into `path`. false on any failure.
inline bool WritePicture(const char* path, const GUID& container, int width, int height,
                         const PixelFunction& pixel)
{
    const HRESULT init = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    bool ok = false;
    IWICImagingFactory* factory = nullptr;
    IWICStream* stream = nullptr;
    IWICBitmapEncoder* encoder = nullptr;
    IWICBitmapFrameEncode* frame = nullptr;
    IPropertyBag2* options = nullptr;
    std::vector<wchar_t> wide(MAX_PATH * 2);
    MultiByteToWideChar(CP_ACP, 0, path, -1, wide.data(), (int)wide.size());
    const UINT stride = (UINT)((width * 3 + 3) & ~3);
    std::vector<BYTE> rows((size_t)stride * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const COLORREF c = pixel(x, y);
            BYTE* p = &rows[(size_t)y * stride + (size_t)x * 3];
            p[0] = GetBValue(c);
            p[1] = GetGValue(c);
            p[2] = GetRValue(c);
        }
    WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
    if (SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                   IID_IWICImagingFactory, reinterpret_cast<void**>(&factory))) &&
        SUCCEEDED(factory->CreateStream(&stream)) &&
        SUCCEEDED(stream->InitializeFromFilename(wide.data(), GENERIC_WRITE)) &&
        SUCCEEDED(factory->CreateEncoder(container, nullptr, &encoder)) &&
        SUCCEEDED(encoder->Initialize(stream, WICBitmapEncoderNoCache)) &&
        SUCCEEDED(encoder->CreateNewFrame(&frame, &options)) &&
        SUCCEEDED(frame->Initialize(options)) &&
        SUCCEEDED(frame->SetSize(width, height)) &&
        SUCCEEDED(frame->SetPixelFormat(&format))) {
        if (IsEqualGUID(format, GUID_WICPixelFormat24bppBGR)) {
            ok = SUCCEEDED(frame->WritePixels(height, stride, (UINT)rows.size(), rows.data()));
        } else {
            // The encoder wants another layout (GIF: 8-bit indexed): hand it a converted source.
            IWICBitmap* bitmap = nullptr;
            IWICFormatConverter* converter = nullptr;
            IWICPalette* palette = nullptr;
            ok = SUCCEEDED(factory->CreateBitmapFromMemory(width, height, GUID_WICPixelFormat24bppBGR,
                                                           stride, (UINT)rows.size(), rows.data(),
                                                           &bitmap)) &&
                 SUCCEEDED(factory->CreatePalette(&palette)) &&
                 SUCCEEDED(palette->InitializePredefined(WICBitmapPaletteTypeFixedWebPalette, FALSE)) &&
                 SUCCEEDED(frame->SetPalette(palette)) &&
                 SUCCEEDED(factory->CreateFormatConverter(&converter)) &&
                 SUCCEEDED(converter->Initialize(bitmap, format, WICBitmapDitherTypeNone, palette,
                                                 0.0, WICBitmapPaletteTypeFixedWebPalette)) &&
                 SUCCEEDED(frame->WriteSource(converter, nullptr));
            if (converter) converter->Release();
            if (palette) palette->Release();
            if (bitmap) bitmap->Release();
        }
        ok = ok && SUCCEEDED(frame->Commit()) && SUCCEEDED(encoder->Commit());
    }
    if (options) options->Release();
    if (frame) frame->Release();
    if (encoder) encoder->Release();
    if (stream) stream->Release();
    if (factory) factory->Release();
    if (SUCCEEDED(init))
        CoUninitialize();
    return ok;
}

// Four solid quadrants: red top-left, green top-right, blue bottom-left, yellow bottom-right.
// Large blocks of one colour survive JPEG's rounding well inside each quadrant.
inline COLORREF Quadrants(int x, int y, int width, int height)
{
    const bool right = x >= width / 2, bottom = y >= height / 2;
    if (!bottom)
        return right ? RGB(0, 255, 0) : RGB(255, 0, 0);
    return right ? RGB(255, 255, 0) : RGB(0, 0, 255);
}

inline PixelFunction QuadrantPixels(int width, int height)
{
    return [width, height](int x, int y) { return Quadrants(x, y, width, height); };
}

// Colours within `tolerance` on every channel (JPEG is lossy).
inline bool NearColour(COLORREF a, COLORREF b, int tolerance)
{
    return abs((int)GetRValue(a) - (int)GetRValue(b)) <= tolerance &&
           abs((int)GetGValue(a) - (int)GetGValue(b)) <= tolerance &&
           abs((int)GetBValue(a) - (int)GetBValue(b)) <= tolerance;
}

inline std::string ReadFileBytes(const char* path)
{
    std::string bytes;
    HANDLE f = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE)
        return bytes;
    const DWORD size = GetFileSize(f, nullptr);
    if (size != INVALID_FILE_SIZE) {
        bytes.resize(size);
        DWORD read = 0;
        if (size && (!ReadFile(f, &bytes[0], size, &read, nullptr) || read != size))
            bytes.clear();
    }
    CloseHandle(f);
    return bytes;
}

inline bool WriteFileBytes(const char* path, const void* data, size_t size)
{
    HANDLE f = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const bool ok = (size == 0 || WriteFile(f, data, (DWORD)size, &written, nullptr)) &&
                    written == size;
    CloseHandle(f);
    return ok;
}

// A 1 x 1 GIF written byte by byte (header, a two-colour palette, one image of one white pixel):
// a real picture of a format the program does not keep, whichever encoders the platform has.
inline bool WriteSmallGif(const char* path)
{
    static const unsigned char gif[] = {
        'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0x80, 0, 0,    // 1 x 1, a global palette of 2
        0xFF, 0xFF, 0xFF, 0, 0, 0,                               // white, black
        ',', 0, 0, 0, 0, 1, 0, 1, 0, 0,                          // the image: 1 x 1 at 0,0
        2, 2, 0x44, 0x01, 0,                                     // LZW: clear, 0, end
        ';',
    };
    return WriteFileBytes(path, gif, sizeof gif);
}

// The container format WIC's decoders find in a file (GUID_NULL when none reads it), with the
// size of its first frame.
inline GUID DecodedContainer(const char* path, UINT* width = nullptr, UINT* height = nullptr)
{
    const HRESULT init = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    GUID container = GUID_NULL;
    std::vector<wchar_t> wide(MAX_PATH * 2);
    MultiByteToWideChar(CP_ACP, 0, path, -1, wide.data(), (int)wide.size());
    IWICImagingFactory* factory = nullptr;
    IWICBitmapDecoder* decoder = nullptr;
    IWICBitmapFrameDecode* frame = nullptr;
    UINT w = 0, h = 0;
    if (SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                   IID_IWICImagingFactory, reinterpret_cast<void**>(&factory))) &&
        SUCCEEDED(factory->CreateDecoderFromFilename(wide.data(), nullptr, GENERIC_READ,
                                                     WICDecodeMetadataCacheOnDemand, &decoder)) &&
        SUCCEEDED(decoder->GetFrame(0, &frame)) && SUCCEEDED(frame->GetSize(&w, &h)) &&
        FAILED(decoder->GetContainerFormat(&container)))
        container = GUID_NULL;
    if (width) *width = w;
    if (height) *height = h;
    if (frame) frame->Release();
    if (decoder) decoder->Release();
    if (factory) factory->Release();
    if (SUCCEEDED(init))
        CoUninitialize();
    return container;
}

} // namespace picturefiles
