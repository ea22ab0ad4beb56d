// Files as real drawing programs write them, previewed by the real DLL the way the shell drives it:
// the class factory, IInitializeWithStream, the site, SetWindow, DoPreview, then the pixels. The
// metafile header's size field is wrong in files that are otherwise whole: the picture must paint
// exactly where the correct file paints it. Bits that do not reach their end record stay unshown.
#include "previewhandler/tests/previewtestsupport.h"
#include "testsupport/writermetafiles.h"

#include <gtest/gtest.h>
#include <shobjidl.h>

namespace {

const CLSID kClsid = {0x2c267d79, 0x3033, 0x4e68, {0x91, 0x7c, 0x98, 0xf8, 0x4b, 0xc9, 0xd5, 0x1e}};
const RECT kPreviewRect = {0, 0, 210, 210};

// What the preview pane shows of a file, read back after the first paint.
struct Shown {
    HRESULT result = E_FAIL;
    bool window = false;
    int red = 0;
    int background = 0;
    RECT redExtent = {};
    bool sameAs(const Shown& o) const
    {
        return red == o.red && background == o.background && EqualRect(&redExtent, &o.redExtent);
    }
};

Shown PreviewThroughTheShellInterfaces(const PreviewDll& dll, const HostWindow& host, const Bytes& file)
{
    Shown shown;
    ComRef<IClassFactory> factory;
    EXPECT_EQ(dll.GetClassObject(kClsid, IID_IClassFactory, factory.outVoid()), S_OK);
    if (!factory.get())
        return shown;
    // The shell's host asks for the stream initialiser first, then for the handler.
    ComRef<IInitializeWithStream> initialize;
    EXPECT_EQ(factory->CreateInstance(nullptr, IID_IInitializeWithStream, initialize.outVoid()), S_OK);
    if (!initialize.get())
        return shown;
    ComRef<IStream> stream(StreamOver(file));
    EXPECT_EQ(initialize->Initialize(stream.get(), STGM_READ), S_OK);
    ComRef<IPreviewHandler> preview;
    EXPECT_EQ(initialize->QueryInterface(IID_IPreviewHandler, preview.outVoid()), S_OK);
    ComRef<IObjectWithSite> withSite;
    if (SUCCEEDED(preview->QueryInterface(IID_IObjectWithSite, withSite.outVoid())))
        withSite->SetSite(nullptr);
    preview->SetWindow(host.hwnd(), &kPreviewRect);
    shown.result = preview->DoPreview();
    if (HWND window = FindPreviewWindow(host.hwnd())) {
        shown.window = true;
        PaintNow(window);
        const WindowPixels pixels(window);
        shown.red = pixels.Count(kRed);
        shown.background = pixels.Count(WindowColour());
        shown.redExtent = pixels.ExtentOf(kRed);
    }
    preview->Unload();
    return shown;
}

::testing::AssertionResult BackgroundOnly(const Shown& shown)
{
    if (shown.result == S_OK && shown.window && shown.red == 0 && shown.background == 210 * 210)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "result " << std::hex << shown.result << std::dec << ", " << shown.red
                                         << " red pixels, " << shown.background << " of the background";
}

class WriterFiles : public ::testing::Test {
protected:
    ComApartment apartment;
    PreviewDll dll;
    HostWindow host;
};

} // namespace

TEST_F(WriterFiles, OverstatedSizeFieldsPaintWhereTheCorrectFilePaints)
{
    using namespace writermetafiles;
    // The reference: the office suite's layout, whose size field is right, and GDI's own recording.
    const Shown correct = PreviewThroughTheShellInterfaces(dll, host, OfficeStyleFile());
    ASSERT_EQ(correct.result, S_OK);
    const RECT fitted = {3, 53, 205, 154};
    EXPECT_TRUE(EqualRect(&correct.redExtent, &fitted));
    EXPECT_EQ(correct.red, 202 * 101);
    EXPECT_TRUE(correct.sameAs(PreviewThroughTheShellInterfaces(dll, host, RedTwoByOneFile())));

    const Bytes editor = EditorStyleFile();
    ASSERT_EQ(Get32(editor, kSizeFieldOffset), TrueWords(editor) + 11) << "as the editor writes it";
    const Bytes editorExact = WithSizeField(editor, TrueWords(editor));
    const Bytes gdi = RedTwoByOneFile();
    const uint32_t gdiWords = TrueWords(gdi);
    struct Case {
        const char* what;
        Bytes file;
    } cases[] = {
        {"editor's file as written (11 words over)", editor},
        {"editor's file with the size corrected", editorExact},
        {"editor's file 1 word over", WithSizeField(editor, TrueWords(editor) + 1)},
        {"editor's file claiming 4 GiB", WithSizeField(editor, 0x80000000u)},
        {"editor's file claiming the most a field holds", WithSizeField(editor, 0xFFFFFFFFu)},
        {"editor's file claiming less than the header", WithSizeField(editor, 0)},
        {"office file 11 words over", WithSizeField(OfficeStyleFile(), TrueWords(OfficeStyleFile()) + 11)},
        {"recorded metafile 11 words over", WithSizeField(gdi, gdiWords + 11)},
        {"recorded metafile 1 word over", WithSizeField(gdi, gdiWords + 1)},
        {"recorded metafile 1 word short", WithSizeField(gdi, gdiWords - 1)},
        // Bytes after the end record are not played: the picture is the same.
        {"editor's file with a tail after its end", Concat(editor, Bytes(40, 0xCC))},
    };
    for (const Case& c : cases) {
        const Shown shown = PreviewThroughTheShellInterfaces(dll, host, c.file);
        EXPECT_EQ(shown.result, S_OK) << c.what;
        EXPECT_TRUE(shown.sameAs(correct)) << c.what << ": " << shown.red << " red pixels in (" << shown.redExtent.left
                                           << ", " << shown.redExtent.top << ", " << shown.redExtent.right << ", "
                                           << shown.redExtent.bottom << ")";
    }
}

TEST_F(WriterFiles, ChainsThatDoNotReachTheirEndShowOnlyTheBackground)
{
    using namespace writermetafiles;
    const Bytes editor = EditorStyleFile();
    const size_t firstRecord = kPlaceableBytes + 18;

    // Cut inside a record (the polygon), the header still claiming the whole file, or more.
    const size_t polygon = kPlaceableBytes + FindRecord(Bytes(editor.begin() + kPlaceableBytes, editor.end()), 0x0324);
    ASSERT_GT(polygon, kPlaceableBytes);
    Bytes cut(editor.begin(), editor.begin() + polygon + 10);
    Bytes cutClaimingWhole = WithSizeField(cut, TrueWords(editor));
    // Cut just before the end record: every record whole, but no end.
    Bytes noEnd(editor.begin(), editor.end() - 6);

    Bytes zeroSize = editor;
    Set32(zeroSize, firstRecord, 0);
    Bytes twoWords = editor;
    Set32(twoWords, firstRecord + 10, 2);     // the second record
    Bytes pastTheEnd = editor;
    Set32(pastTheEnd, polygon, 0x00100000);
    Bytes endPastTheBytes = editor;
    Set32(endPastTheBytes, editor.size() - 6, 4);

    struct Case {
        const char* what;
        Bytes file;
    } cases[] = {
        {"cut inside a record, the header claiming the whole", cutClaimingWhole},
        {"cut inside a record, the header claiming 11 words more", WithSizeField(cut, TrueWords(editor) + 11)},
        {"no end record", noEnd},
        {"a record of size 0", zeroSize},
        {"a record of 2 words", twoWords},
        {"a record running past the bytes", pastTheEnd},
        {"an end record running past the bytes", endPastTheBytes},
    };
    for (const Case& c : cases)
        EXPECT_TRUE(BackgroundOnly(PreviewThroughTheShellInterfaces(dll, host, c.file))) << c.what;
}
