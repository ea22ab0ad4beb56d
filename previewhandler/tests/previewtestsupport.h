// Fixtures for the preview handler tests: metafiles made by GDI, placeable files written field by
// field, streams over bytes (whole, trickling or failing), a visible host window, pixel captures of
// the preview window, and the real DLL loaded with its four exports.
#pragma once

#include <windows.h>
#include <objidl.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

using Bytes = std::vector<uint8_t>;

// Windows metafile bits of whatever `draw` records on a metafile DC.
Bytes RecordMetafile(const std::function<void(HDC)>& draw);

// A metafile that maps 0..extentX x 0..extentY and fills all of it with `color`.
Bytes FilledRectangleMetafile(int extentX, int extentY, COLORREF color);

// The 22-byte placeable header, field by field, little-endian, with the XOR checksum of its ten words.
Bytes PlaceableHeader(int16_t left, int16_t top, int16_t right, int16_t bottom, uint16_t unitsPerInch,
                      uint32_t key = 0x9AC6CDD7);
Bytes Concat(const Bytes& first, const Bytes& second);

// The 2:1 red picture of the tests: 2000 x 1000 units at 1000 per inch, 50800 x 25400 micrometres.
Bytes RedTwoByOneFile();

void PutWord(Bytes& bytes, size_t offset, uint16_t value);
void PutDword(Bytes& bytes, size_t offset, uint32_t value);
uint16_t GetWord(const Bytes& bytes, size_t offset);
uint32_t GetDword(const Bytes& bytes, size_t offset);

// Offsets of the records of metafile bits (after the 18-byte header), the end-of-file record included.
std::vector<size_t> RecordOffsets(const Bytes& bits);
// Offset of the first record with this function, or 0 when there is none.
size_t FindRecord(const Bytes& bits, uint16_t function);

// A stream over a copy of the bytes (the caller releases it).
IStream* StreamOver(const Bytes& bytes);
// A stream that hands out at most `chunk` bytes per Read and, when failAfter is set, fails every
// Read once that many bytes have gone out.
IStream* TrickleStream(const Bytes& bytes, ULONG chunk, ULONG failAfter = 0xFFFFFFFF);
ULONG RefCount(IUnknown* object);

// A visible top-level window that clips its children, standing in for the preview host's window.
class HostWindow {
public:
    explicit HostWindow(int clientWidth = 640, int clientHeight = 480);
    ~HostWindow();
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;
    HWND hwnd() const { return m_hwnd; }

private:
    HWND m_hwnd;
};

HWND FindPreviewWindow(HWND parent);

// What a window shows, read back through its device context after it has painted.
class WindowPixels {
public:
    explicit WindowPixels(HWND window);
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    COLORREF At(int x, int y) const;
    int Count(COLORREF color) const;
    // Bounding box (right and bottom exclusive) of the pixels of `color`; empty when none.
    RECT ExtentOf(COLORREF color) const;
    bool operator==(const WindowPixels& other) const;

private:
    int m_width = 0;
    int m_height = 0;
    std::vector<uint32_t> m_pixels;
};

// Paints what is invalid in the window now.
void PaintNow(HWND window);
COLORREF WindowColour();
const COLORREF kRed = RGB(255, 0, 0);

// The DLL as a host loads it.
class PreviewDll {
public:
    PreviewDll();
    ~PreviewDll();
    PreviewDll(const PreviewDll&) = delete;
    PreviewDll& operator=(const PreviewDll&) = delete;

    static std::wstring Path();
    HMODULE module() const { return m_module; }
    HRESULT GetClassObject(REFCLSID classId, REFIID iid, void** out) const;
    HRESULT CanUnloadNow() const;
    HRESULT RegisterServer() const;
    HRESULT UnregisterServer() const;

private:
    HMODULE m_module;
    HRESULT(WINAPI* m_getClassObject)(REFCLSID, REFIID, void**) = nullptr;
    HRESULT(WINAPI* m_canUnloadNow)() = nullptr;
    HRESULT(WINAPI* m_registerServer)() = nullptr;
    HRESULT(WINAPI* m_unregisterServer)() = nullptr;
};

// Holds one reference and releases it.
template <class T>
class ComRef {
public:
    ComRef() = default;
    explicit ComRef(T* p) : m_p(p) {}
    ~ComRef() { Reset(); }
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;
    T* operator->() const { return m_p; }
    T* get() const { return m_p; }
    T** out() { Reset(); return &m_p; }
    void** outVoid() { return reinterpret_cast<void**>(out()); }
    void Reset()
    {
        if (m_p)
            m_p->Release();
        m_p = nullptr;
    }

private:
    T* m_p = nullptr;
};

// COM for one test on this thread.
class ComApartment {
public:
    ComApartment() { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
    ~ComApartment() { CoUninitialize(); }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
};
