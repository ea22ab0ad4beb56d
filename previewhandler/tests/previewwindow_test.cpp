// Where the picture lands: the fit of the viewport, and the pixels of the preview window after the
// handler has previewed good and bad streams, been resized and repainted in parts.
#include "previewhandler/previewwindow.h"
#include "previewhandler/tests/previewtestsupport.h"
#include "previewhandler/wmfpreviewhandler.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

RECT Rect(LONG left, LONG top, LONG right, LONG bottom)
{
    return RECT{left, top, right, bottom};
}

bool SameRect(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

::testing::AssertionResult RectIs(const RECT& actual, const RECT& expected)
{
    if (SameRect(actual, expected))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "(" << actual.left << ", " << actual.top << ", " << actual.right << ", "
                                         << actual.bottom << ") instead of (" << expected.left << ", " << expected.top
                                         << ", " << expected.right << ", " << expected.bottom << ")";
}

// One handler previewing `file` in `rect` of a host window.
class PreviewOf {
public:
    PreviewOf(HWND parent, const RECT& rect, const Bytes& file) : m_handler(new WmfPreviewHandler)
    {
        ComRef<IStream> stream(StreamOver(file));
        EXPECT_EQ(m_handler->Initialize(stream.get(), STGM_READ), S_OK);
        EXPECT_EQ(m_handler->SetWindow(parent, &rect), S_OK);
        std::vector<HWND> before;
        for (HWND w = FindPreviewWindow(parent); w; w = FindWindowExW(parent, w, L"PreviewWindow", L"WMF_PREVIEW"))
            before.push_back(w);
        m_result = m_handler->DoPreview();
        for (HWND w = FindPreviewWindow(parent); w && !m_window; w = FindWindowExW(parent, w, L"PreviewWindow", L"WMF_PREVIEW"))
            if (std::find(before.begin(), before.end(), w) == before.end())
                m_window = w;
        if (m_window)
            PaintNow(m_window);
    }
    ~PreviewOf() { m_handler->Release(); }
    PreviewOf(const PreviewOf&) = delete;
    PreviewOf& operator=(const PreviewOf&) = delete;

    WmfPreviewHandler* handler() const { return m_handler; }
    HRESULT result() const { return m_result; }
    HWND window() const { return m_window; }

private:
    WmfPreviewHandler* m_handler;
    HRESULT m_result = E_FAIL;
    HWND m_window = nullptr;
};

HMETAFILE MetafileOfWindow(HWND window)
{
    return reinterpret_cast<HMETAFILE>(GetWindowLongPtrW(window, 0));
}

} // namespace

TEST(FitPreviewViewport, FitsAndCentresThePicture)
{
    struct Case {
        const char* what;
        RECT client;
        LONG width, height;
        RECT viewport;
    } cases[] = {
        {"2:1 in a square", Rect(0, 0, 210, 210), 50800, 25400, Rect(3, 53, 205, 154)},
        {"1:2 in a square", Rect(0, 0, 210, 210), 25400, 50800, Rect(53, 3, 154, 205)},
        {"2:1 in a wide window", Rect(0, 0, 410, 310), 50800, 25400, Rect(3, 53, 405, 254)},
        {"same aspect", Rect(0, 0, 210, 110), 50800, 25400, Rect(3, 3, 205, 104)},
        {"no size fills the inset", Rect(0, 0, 210, 210), 0, 0, Rect(3, 3, 205, 205)},
        {"one side without size", Rect(0, 0, 210, 210), 50800, 0, Rect(3, 3, 205, 205)},
        {"negative size", Rect(0, 0, 210, 210), -50800, 25400, Rect(3, 3, 205, 205)},
        {"offset client", Rect(10, 20, 220, 230), 50800, 25400, Rect(13, 73, 215, 174)},
        // Smaller than a micrometre per pixel: still fitted along the right axis, inside the window.
        {"tiny wide picture", Rect(0, 0, 210, 210), 300, 100, Rect(3, 70, 205, 137)},
        {"tiny tall picture", Rect(0, 0, 210, 210), 100, 300, Rect(70, 3, 137, 205)},
        {"huge sizes", Rect(0, 0, 210, 210), 0x7FFFFFFF, 0x3FFFFFFF, Rect(3, 53, 205, 154)},
        {"just over 10 pixels", Rect(0, 0, 11, 11), 1000, 1000, Rect(3, 3, 6, 6)},
    };
    for (const Case& c : cases) {
        RECT viewport = {};
        ASSERT_TRUE(FitPreviewViewport(c.client, c.width, c.height, &viewport)) << c.what;
        EXPECT_TRUE(RectIs(viewport, c.viewport)) << c.what;
    }
}

TEST(FitPreviewViewport, NothingToPlay)
{
    RECT viewport;
    for (const RECT& client : {Rect(0, 0, 10, 10), Rect(0, 0, 10, 300), Rect(0, 0, 300, 10), Rect(0, 0, 0, 0),
                               Rect(50, 50, 0, 0)})
        EXPECT_FALSE(FitPreviewViewport(client, 50800, 25400, &viewport));
    // So thin that the fitted side rounds to nothing.
    EXPECT_FALSE(FitPreviewViewport(Rect(0, 0, 210, 210), 1000000, 1, &viewport));
    EXPECT_FALSE(FitPreviewViewport(Rect(0, 0, 210, 210), 1, 1000000, &viewport));
}

class PreviewPainting : public ::testing::Test {
protected:
    HostWindow host;
};

TEST_F(PreviewPainting, TwoByOnePictureInASquareWindow)
{
    PreviewOf preview(host.hwnd(), Rect(20, 30, 230, 240), RedTwoByOneFile());
    ASSERT_EQ(preview.result(), S_OK);
    ASSERT_NE(preview.window(), nullptr);
    RECT placed;
    GetWindowRect(preview.window(), &placed);
    MapWindowPoints(nullptr, host.hwnd(), reinterpret_cast<POINT*>(&placed), 2);
    EXPECT_TRUE(RectIs(placed, Rect(20, 30, 230, 240)));

    const WindowPixels pixels(preview.window());
    ASSERT_EQ(pixels.Width(), 210);
    EXPECT_TRUE(RectIs(pixels.ExtentOf(kRed), Rect(3, 53, 205, 154)));
    EXPECT_EQ(pixels.Count(kRed), 202 * 101);
    EXPECT_EQ(pixels.Count(WindowColour()), 210 * 210 - 202 * 101);
}

TEST_F(PreviewPainting, PictureWithoutSizeFillsTheInsetRectangle)
{
    const Bytes bits = FilledRectangleMetafile(2000, 1000, kRed);
    PreviewOf preview(host.hwnd(), Rect(0, 0, 210, 210), Concat(PlaceableHeader(0, 0, 2000, 1000, 0), bits));
    ASSERT_EQ(preview.result(), S_OK);
    EXPECT_TRUE(RectIs(WindowPixels(preview.window()).ExtentOf(kRed), Rect(3, 3, 205, 205)));
}

TEST_F(PreviewPainting, SmallWindowsShowOnlyTheBackground)
{
    for (const RECT& rect : {Rect(0, 0, 10, 10), Rect(0, 0, 10, 200), Rect(0, 0, 200, 10)}) {
        PreviewOf preview(host.hwnd(), rect, RedTwoByOneFile());
        ASSERT_EQ(preview.result(), S_OK);
        const WindowPixels pixels(preview.window());
        EXPECT_EQ(pixels.Count(WindowColour()), pixels.Width() * pixels.Height());
    }
    PreviewOf eleven(host.hwnd(), Rect(0, 0, 11, 11), RedTwoByOneFile());
    EXPECT_GT(WindowPixels(eleven.window()).Count(kRed), 0);
}

TEST_F(PreviewPainting, BadStreamsShowOnlyTheBackground)
{
    const Bytes file = RedTwoByOneFile();
    Bytes wrongKey = file;
    PutDword(wrongKey, 0, 0x9AC6CDD6);
    Bytes lyingRecord = file;
    PutDword(lyingRecord, 22 + 18, 0x10000);
    Bytes lyingCount = file;
    PutWord(lyingCount, 22 + 10, 0); // no object table, but objects are selected
    struct Case {
        const char* what;
        Bytes bytes;
    } cases[] = {
        {"empty", Bytes()},
        {"wrong key", wrongKey},
        {"half a header", Bytes(file.begin(), file.begin() + 11)},
        {"header only", Bytes(file.begin(), file.begin() + 22)},
        {"records cut", Bytes(file.begin(), file.end() - 8)},
        {"record size too large", lyingRecord},
        {"object table too small", lyingCount},
    };
    for (const Case& c : cases) {
        PreviewOf preview(host.hwnd(), Rect(0, 0, 210, 210), c.bytes);
        EXPECT_EQ(preview.result(), S_OK) << c.what;
        ASSERT_NE(preview.window(), nullptr) << c.what;
        const WindowPixels pixels(preview.window());
        EXPECT_EQ(pixels.Count(WindowColour()), 210 * 210) << c.what;
        EXPECT_EQ(MetafileOfWindow(preview.window()), nullptr) << c.what;
    }
}

TEST_F(PreviewPainting, ResizingRedrawsTheWholePicture)
{
    PreviewOf preview(host.hwnd(), Rect(0, 0, 210, 210), RedTwoByOneFile());
    const RECT larger = Rect(0, 0, 410, 310);
    ASSERT_EQ(preview.handler()->SetRect(&larger), S_OK);
    RECT client;
    GetClientRect(preview.window(), &client);
    EXPECT_TRUE(RectIs(client, Rect(0, 0, 410, 310)));

    // Only what the resize invalidated is painted here: that must already be the whole new picture.
    PaintNow(preview.window());
    const WindowPixels afterResize(preview.window());
    EXPECT_TRUE(RectIs(afterResize.ExtentOf(kRed), Rect(3, 53, 405, 254)));
    EXPECT_EQ(afterResize.Count(kRed), 402 * 201);

    // A partial repaint draws the matching part of the same picture, not a shrunken copy.
    const RECT part = Rect(0, 40, 120, 120);
    InvalidateRect(preview.window(), &part, FALSE);
    PaintNow(preview.window());
    EXPECT_TRUE(WindowPixels(preview.window()) == afterResize);
}

TEST_F(PreviewPainting, SecondPreviewFailsUntilUnloaded)
{
    PreviewOf preview(host.hwnd(), Rect(0, 0, 210, 210), RedTwoByOneFile());
    ASSERT_EQ(preview.result(), S_OK);
    EXPECT_EQ(preview.handler()->DoPreview(), E_FAIL);
    EXPECT_EQ(FindWindowExW(host.hwnd(), preview.window(), L"PreviewWindow", nullptr), nullptr);

    const HMETAFILE metafile = MetafileOfWindow(preview.window());
    EXPECT_EQ(GetObjectType(metafile), DWORD(OBJ_METAFILE));
    EXPECT_EQ(preview.handler()->Unload(), S_OK);
    EXPECT_FALSE(IsWindow(preview.window()));
    EXPECT_EQ(FindPreviewWindow(host.hwnd()), nullptr);
    EXPECT_EQ(GetObjectType(metafile), 0u) << "the window deletes its metafile";
    // Without a stream there is nothing to preview.
    EXPECT_EQ(preview.handler()->DoPreview(), E_FAIL);

    ComRef<IStream> stream(StreamOver(RedTwoByOneFile()));
    ASSERT_EQ(preview.handler()->Initialize(stream.get(), STGM_READ), S_OK);
    ASSERT_EQ(preview.handler()->DoPreview(), S_OK);
    HWND again = FindPreviewWindow(host.hwnd());
    ASSERT_NE(again, nullptr);
    PaintNow(again);
    EXPECT_EQ(WindowPixels(again).Count(kRed), 202 * 101);
}

TEST_F(PreviewPainting, UnloadingOneHandlerLeavesTheOtherPainting)
{
    PreviewOf first(host.hwnd(), Rect(0, 0, 210, 210), RedTwoByOneFile());
    PreviewOf second(host.hwnd(), Rect(220, 0, 430, 210), RedTwoByOneFile());
    ASSERT_NE(first.window(), second.window());
    const HMETAFILE firstMetafile = MetafileOfWindow(first.window());
    const HMETAFILE secondMetafile = MetafileOfWindow(second.window());
    ASSERT_NE(firstMetafile, secondMetafile);

    EXPECT_EQ(second.handler()->Unload(), S_OK);
    EXPECT_EQ(GetObjectType(secondMetafile), 0u);
    EXPECT_EQ(GetObjectType(firstMetafile), DWORD(OBJ_METAFILE));
    InvalidateRect(first.window(), nullptr, TRUE);
    PaintNow(first.window());
    EXPECT_EQ(WindowPixels(first.window()).Count(kRed), 202 * 101);
}

TEST_F(PreviewPainting, ReleasingTheHandlerDestroysItsWindow)
{
    HWND window;
    HMETAFILE metafile;
    {
        PreviewOf preview(host.hwnd(), Rect(0, 0, 210, 210), RedTwoByOneFile());
        window = preview.window();
        metafile = MetafileOfWindow(window);
        ASSERT_NE(metafile, nullptr);
    }
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(GetObjectType(metafile), 0u);
}

TEST_F(PreviewPainting, WindowRectangleAndParentFollowSetWindow)
{
    PreviewOf preview(host.hwnd(), Rect(0, 0, 210, 210), RedTwoByOneFile());
    HostWindow other;
    const RECT moved = Rect(5, 6, 105, 56);
    ASSERT_EQ(preview.handler()->SetWindow(other.hwnd(), &moved), S_OK);
    EXPECT_EQ(GetParent(preview.window()), other.hwnd());
    EXPECT_EQ(FindPreviewWindow(other.hwnd()), preview.window());
    RECT placed;
    GetWindowRect(preview.window(), &placed);
    MapWindowPoints(nullptr, other.hwnd(), reinterpret_cast<POINT*>(&placed), 2);
    EXPECT_TRUE(RectIs(placed, moved));

    // A call without parent or rectangle changes nothing.
    EXPECT_EQ(preview.handler()->SetWindow(nullptr, &moved), S_OK);
    EXPECT_EQ(preview.handler()->SetWindow(host.hwnd(), nullptr), S_OK);
    EXPECT_EQ(GetParent(preview.window()), other.hwnd());
    HWND parent = nullptr;
    EXPECT_EQ(preview.handler()->GetWindow(&parent), S_OK);
    EXPECT_EQ(parent, other.hwnd());
    preview.handler()->Unload();
}

TEST_F(PreviewPainting, WithoutAParentTheWindowIsNotMadeAndTheErrorIsReported)
{
    WmfPreviewHandler* handler = new WmfPreviewHandler;
    ComRef<IStream> stream(StreamOver(RedTwoByOneFile()));
    handler->Initialize(stream.get(), STGM_READ);
    const HRESULT hr = handler->DoPreview();
    EXPECT_TRUE(FAILED(hr)) << std::hex << hr;
    EXPECT_NE(hr, E_UNEXPECTED);
    handler->Release();
}
