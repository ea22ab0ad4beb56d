#include "previewhandler/tests/previewtestsupport.h"

#include <gtest/gtest.h>

#include <cstring>

Bytes RecordMetafile(const std::function<void(HDC)>& draw)
{
    HDC dc = CreateMetaFileW(nullptr);
    EXPECT_NE(dc, nullptr);
    draw(dc);
    HMETAFILE metafile = CloseMetaFile(dc);
    EXPECT_NE(metafile, nullptr);
    Bytes bits(GetMetaFileBitsEx(metafile, 0, nullptr));
    GetMetaFileBitsEx(metafile, UINT(bits.size()), bits.data());
    DeleteMetaFile(metafile);
    return bits;
}

Bytes FilledRectangleMetafile(int extentX, int extentY, COLORREF color)
{
    return RecordMetafile([&](HDC dc) {
        SetWindowOrgEx(dc, 0, 0, nullptr);
        SetWindowExtEx(dc, extentX, extentY, nullptr);
        HBRUSH brush = CreateSolidBrush(color);
        HPEN pen = CreatePen(PS_SOLID, 0, color);
        HGDIOBJ oldBrush = SelectObject(dc, brush);
        HGDIOBJ oldPen = SelectObject(dc, pen);
        Rectangle(dc, 0, 0, extentX, extentY);
        SelectObject(dc, oldBrush);
        SelectObject(dc, oldPen);
        DeleteObject(brush);
        DeleteObject(pen);
    });
}

void PutWord(Bytes& bytes, size_t offset, uint16_t value)
{
    bytes[offset] = uint8_t(value);
    bytes[offset + 1] = uint8_t(value >> 8);
}

void PutDword(Bytes& bytes, size_t offset, uint32_t value)
{
    PutWord(bytes, offset, uint16_t(value));
    PutWord(bytes, offset + 2, uint16_t(value >> 16));
}

uint16_t GetWord(const Bytes& bytes, size_t offset)
{
    return uint16_t(bytes[offset] | (bytes[offset + 1] << 8));
}

uint32_t GetDword(const Bytes& bytes, size_t offset)
{
    return uint32_t(GetWord(bytes, offset)) | (uint32_t(GetWord(bytes, offset + 2)) << 16);
}

Bytes PlaceableHeader(int16_t left, int16_t top, int16_t right, int16_t bottom, uint16_t unitsPerInch, uint32_t key)
{
    Bytes header(22, 0);
    PutDword(header, 0, key);
    PutWord(header, 4, 0);
    PutWord(header, 6, uint16_t(left));
    PutWord(header, 8, uint16_t(top));
    PutWord(header, 10, uint16_t(right));
    PutWord(header, 12, uint16_t(bottom));
    PutWord(header, 14, unitsPerInch);
    PutDword(header, 16, 0);
    uint16_t checksum = 0;
    for (size_t i = 0; i < 20; i += 2)
        checksum ^= GetWord(header, i);
    PutWord(header, 20, checksum);
    return header;
}

Bytes Concat(const Bytes& first, const Bytes& second)
{
    Bytes all(first);
    all.insert(all.end(), second.begin(), second.end());
    return all;
}

Bytes RedTwoByOneFile()
{
    return Concat(PlaceableHeader(0, 0, 2000, 1000, 1000), FilledRectangleMetafile(2000, 1000, kRed));
}

std::vector<size_t> RecordOffsets(const Bytes& bits)
{
    std::vector<size_t> offsets;
    size_t offset = 18;
    while (offset + 6 <= bits.size()) {
        offsets.push_back(offset);
        const uint32_t words = GetDword(bits, offset);
        if (GetWord(bits, offset + 4) == 0 || words < 3)
            break;
        offset += size_t(words) * 2;
    }
    return offsets;
}

size_t FindRecord(const Bytes& bits, uint16_t function)
{
    for (size_t offset : RecordOffsets(bits))
        if (GetWord(bits, offset + 4) == function)
            return offset;
    return 0;
}

IStream* StreamOver(const Bytes& bytes)
{
    IStream* stream = nullptr;
    EXPECT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, &stream), S_OK);
    if (!bytes.empty())
        stream->Write(bytes.data(), ULONG(bytes.size()), nullptr);
    LARGE_INTEGER start = {};
    stream->Seek(start, STREAM_SEEK_SET, nullptr);
    return stream;
}

namespace {

class Trickle final : public IStream {
public:
    Trickle(const Bytes& bytes, ULONG chunk, ULONG failAfter) : m_bytes(bytes), m_chunk(chunk), m_failAfter(failAfter) {}

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_ISequentialStream) || IsEqualIID(iid, IID_IStream)) {
            *out = static_cast<IStream*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ULONG(InterlockedIncrement(&m_refs)); }
    STDMETHODIMP_(ULONG) Release() override
    {
        const LONG refs = InterlockedDecrement(&m_refs);
        if (refs == 0)
            delete this;
        return ULONG(refs);
    }

    STDMETHODIMP Read(void* buffer, ULONG size, ULONG* got) override
    {
        if (got)
            *got = 0;
        if (m_position >= m_failAfter)
            return STG_E_READFAULT;
        ULONG count = size < m_chunk ? size : m_chunk;
        size_t left = m_bytes.size() - m_position;
        if (m_failAfter - m_position < left)
            left = m_failAfter - m_position;
        if (count > left)
            count = ULONG(left);
        std::memcpy(buffer, m_bytes.data() + m_position, count);
        m_position += count;
        if (got)
            *got = count;
        return count == size ? S_OK : S_FALSE;
    }
    STDMETHODIMP Write(const void*, ULONG, ULONG*) override { return STG_E_ACCESSDENIED; }
    STDMETHODIMP Seek(LARGE_INTEGER, DWORD, ULARGE_INTEGER*) override { return E_NOTIMPL; }
    STDMETHODIMP SetSize(ULARGE_INTEGER) override { return E_NOTIMPL; }
    STDMETHODIMP CopyTo(IStream*, ULARGE_INTEGER, ULARGE_INTEGER*, ULARGE_INTEGER*) override { return E_NOTIMPL; }
    STDMETHODIMP Commit(DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP Revert() override { return E_NOTIMPL; }
    STDMETHODIMP LockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP UnlockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP Stat(STATSTG*, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP Clone(IStream**) override { return E_NOTIMPL; }

private:
    volatile LONG m_refs = 1;
    Bytes m_bytes;
    ULONG m_chunk;
    ULONG m_failAfter;
    size_t m_position = 0;
};

const wchar_t kHostClass[] = L"PreviewTestHost";

} // namespace

IStream* TrickleStream(const Bytes& bytes, ULONG chunk, ULONG failAfter)
{
    return new Trickle(bytes, chunk, failAfter);
}

ULONG RefCount(IUnknown* object)
{
    object->AddRef();
    return object->Release();
}

HostWindow::HostWindow(int clientWidth, int clientHeight)
{
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
    windowClass.lpszClassName = kHostClass;
    RegisterClassW(&windowClass);
    RECT frame = {0, 0, clientWidth, clientHeight};
    const DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    AdjustWindowRect(&frame, style, FALSE);
    m_hwnd = CreateWindowExW(0, kHostClass, L"Preview host", style, 0, 0, frame.right - frame.left,
                             frame.bottom - frame.top, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    EXPECT_NE(m_hwnd, nullptr);
    ShowWindow(m_hwnd, SW_SHOWNOACTIVATE);
    UpdateWindow(m_hwnd);
}

HostWindow::~HostWindow()
{
    DestroyWindow(m_hwnd);
}

HWND FindPreviewWindow(HWND parent)
{
    return FindWindowExW(parent, nullptr, L"PreviewWindow", L"WMF_PREVIEW");
}

WindowPixels::WindowPixels(HWND window)
{
    RECT client = {};
    GetClientRect(window, &client);
    m_width = client.right;
    m_height = client.bottom;
    if (m_width <= 0 || m_height <= 0)
        return;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = m_width;
    info.bmiHeader.biHeight = -m_height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC windowDc = GetDC(window);
    HDC memoryDc = CreateCompatibleDC(windowDc);
    HBITMAP bitmap = CreateDIBSection(windowDc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memoryDc, bitmap);
    BitBlt(memoryDc, 0, 0, m_width, m_height, windowDc, 0, 0, SRCCOPY);
    GdiFlush();
    const uint32_t* pixels = static_cast<const uint32_t*>(bits);
    m_pixels.assign(pixels, pixels + size_t(m_width) * m_height);
    SelectObject(memoryDc, old);
    DeleteObject(bitmap);
    DeleteDC(memoryDc);
    ReleaseDC(window, windowDc);
}

COLORREF WindowPixels::At(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return CLR_INVALID;
    const uint32_t pixel = m_pixels[size_t(y) * m_width + x];
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

int WindowPixels::Count(COLORREF color) const
{
    int count = 0;
    for (int y = 0; y < m_height; ++y)
        for (int x = 0; x < m_width; ++x)
            count += At(x, y) == color;
    return count;
}

RECT WindowPixels::ExtentOf(COLORREF color) const
{
    RECT extent = {m_width, m_height, 0, 0};
    for (int y = 0; y < m_height; ++y)
        for (int x = 0; x < m_width; ++x)
            if (At(x, y) == color) {
                extent.left = x < extent.left ? x : extent.left;
                extent.top = y < extent.top ? y : extent.top;
                extent.right = x + 1 > extent.right ? x + 1 : extent.right;
                extent.bottom = y + 1 > extent.bottom ? y + 1 : extent.bottom;
            }
    if (extent.right == 0)
        return RECT{0, 0, 0, 0};
    return extent;
}

bool WindowPixels::operator==(const WindowPixels& other) const
{
    return m_width == other.m_width && m_height == other.m_height && m_pixels == other.m_pixels;
}

void PaintNow(HWND window)
{
    UpdateWindow(window);
    GdiFlush();
}

COLORREF WindowColour()
{
    return GetSysColor(COLOR_WINDOW);
}

std::wstring PreviewDll::Path()
{
    // Built beside the test program; the build's own path serves when it is not.
    wchar_t self[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path(self, length);
    path = path.substr(0, path.find_last_of(L"\\/") + 1) + L"OstrelindShellExtPreviewHandler.dll";
    if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES)
        return path;
    const char* built = PREVIEW_DLL_PATH;
    std::wstring unixPath(built, built + std::strlen(built));
    for (wchar_t& c : unixPath)
        if (c == L'/')
            c = L'\\';
    return L"Z:" + unixPath;
}

PreviewDll::PreviewDll() : m_module(LoadLibraryW(Path().c_str()))
{
    EXPECT_NE(m_module, nullptr) << "cannot load the preview DLL";
    if (!m_module)
        return;
    m_getClassObject = reinterpret_cast<decltype(m_getClassObject)>(
        reinterpret_cast<void*>(GetProcAddress(m_module, "DllGetClassObject")));
    m_canUnloadNow =
        reinterpret_cast<decltype(m_canUnloadNow)>(reinterpret_cast<void*>(GetProcAddress(m_module, "DllCanUnloadNow")));
    m_registerServer = reinterpret_cast<decltype(m_registerServer)>(
        reinterpret_cast<void*>(GetProcAddress(m_module, "DllRegisterServer")));
    m_unregisterServer = reinterpret_cast<decltype(m_unregisterServer)>(
        reinterpret_cast<void*>(GetProcAddress(m_module, "DllUnregisterServer")));
    EXPECT_TRUE(m_getClassObject && m_canUnloadNow && m_registerServer && m_unregisterServer)
        << "the DLL must export its four functions undecorated";
}

PreviewDll::~PreviewDll()
{
    if (m_module)
        FreeLibrary(m_module);
}

HRESULT PreviewDll::GetClassObject(REFCLSID classId, REFIID iid, void** out) const
{
    return m_getClassObject ? m_getClassObject(classId, iid, out) : E_FAIL;
}

HRESULT PreviewDll::CanUnloadNow() const
{
    return m_canUnloadNow ? m_canUnloadNow() : E_FAIL;
}

HRESULT PreviewDll::RegisterServer() const
{
    return m_registerServer ? m_registerServer() : E_FAIL;
}

HRESULT PreviewDll::UnregisterServer() const
{
    return m_unregisterServer ? m_unregisterServer() : E_FAIL;
}
