// Metafile files as real drawing programs lay them out, read by the picture holder and drawn into a
// DIB: a size field that overstates (or understates) a whole metafile draws the picture where the
// correct file puts it; a record chain that never reaches its end record is refused.
#include "imagetestutil.h"

#include "testsupport/dibcanvas.h"
#include "testsupport/tempdir.h"
#include "testsupport/writermetafiles.h"

#include <gtest/gtest.h>
#include <memory>

namespace {

namespace wm = writermetafiles;

const COLORREF kRed = RGB(255, 0, 0);

// What a label shows of a picture file: the holder made for the path draws it, reading it first.
struct Drawn {
    bool loaded = false;
    int red = 0;
    CRect extent;
    bool SameAs(const Drawn& o) const { return loaded == o.loaded && red == o.red && extent == o.extent; }
};

Drawn DrawFile(TempDir& dir, const char* name, const wm::Bytes& bytes)
{
    Drawn drawn;
    const CString path = dir.Path(name);
    EXPECT_TRUE(imagetest::WriteFile(path, imagetest::Bytes(bytes.begin(), bytes.end())));
    std::unique_ptr<CImageBase> holder(CreateImageHolderForFile(path));
    if (!holder)
        return drawn;
    DibCanvas canvas(300, 300);
    holder->Draw(&canvas.dc(), path, 10, 20, 290, 280, 0, 0, 100, 100, kImageCentre);
    drawn.loaded = !holder->IsEmpty();
    drawn.red = canvas.CountPixels(kRed);
    drawn.extent = canvas.ExtentOf(kRed);
    return drawn;
}

} // namespace

TEST(WriterMetafiles, OverstatedSizeFieldsDrawWhereTheCorrectFileDraws)
{
    TempDir dir;
    const Drawn correct = DrawFile(dir, "office.wmf", wm::OfficeStyleFile());
    ASSERT_TRUE(correct.loaded);
    // 2:1 fitted into 280 x 260 and centred: 280 x 140 from y = 20 + 60.
    EXPECT_EQ(CRect(10, 80, 290, 220), correct.extent);
    EXPECT_EQ(280 * 140, correct.red);

    const wm::Bytes editor = wm::EditorStyleFile();
    ASSERT_EQ(wm::TrueWords(editor) + 11, wm::Get32(editor, wm::kSizeFieldOffset));
    const struct {
        const char* name;
        wm::Bytes bytes;
    } cases[] = {
        {"editor.wmf", editor},
        {"editor-exact.wmf", wm::WithSizeField(editor, wm::TrueWords(editor))},
        {"editor-one-over.wmf", wm::WithSizeField(editor, wm::TrueWords(editor) + 1)},
        {"editor-4gib.wmf", wm::WithSizeField(editor, 0x80000000u)},
        {"editor-max.wmf", wm::WithSizeField(editor, 0xFFFFFFFFu)},
        {"editor-short.wmf", wm::WithSizeField(editor, 9)},
        {"office-over.wmf", wm::WithSizeField(wm::OfficeStyleFile(), wm::TrueWords(wm::OfficeStyleFile()) + 11)},
    };
    for (const auto& c : cases) {
        const Drawn drawn = DrawFile(dir, c.name, c.bytes);
        EXPECT_TRUE(drawn.SameAs(correct)) << c.name << ": " << drawn.red << " red pixels";
    }
}

TEST(WriterMetafiles, TheHolderKeepsTheMetafileAsGdiPlaysIt)
{
    // The bits the holder keeps, and writes into its record, end at the end record and say so.
    TempDir dir;
    const wm::Bytes editor = wm::EditorStyleFile();
    const CString path = dir.Path("editor.wmf");
    ASSERT_TRUE(imagetest::WriteFile(path, imagetest::Bytes(editor.begin(), editor.end())));
    CImageMetafile holder;
    ASSERT_NE(nullptr, holder.LoadFromFile(path));
    EXPECT_EQ(50800, holder.WidthUm());
    EXPECT_EQ(25400, holder.HeightUm());
    const UINT trueBytes = wm::TrueWords(editor) * 2;
    EXPECT_EQ(trueBytes, holder.BitsSize());
    const std::vector<BYTE> kept = MetafileBitsOf(holder.Metafile());
    ASSERT_EQ(trueBytes, kept.size());
    wm::Bytes expected(editor.begin() + wm::kPlaceableBytes, editor.end());
    wm::Set32(expected, 6, wm::TrueWords(editor));
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), kept.begin()));

    // The same bits in a record (code 164) with the editor's overstated size read the same way.
    imagetest::Bytes body;
    imagetest::Append32(body, 50800);
    imagetest::Append32(body, 25400);
    imagetest::Append32(body, trueBytes);
    body.insert(body.end(), editor.begin() + wm::kPlaceableBytes, editor.end());
    CImageMetafile fromRecord;
    ASSERT_TRUE(imagetest::LoadBytes(fromRecord, body));
    ASSERT_FALSE(fromRecord.IsEmpty());
    EXPECT_EQ(kept, MetafileBitsOf(fromRecord.Metafile()));
}

TEST(WriterMetafiles, ChainsThatDoNotReachTheirEndAreRefused)
{
    TempDir dir;
    const wm::Bytes editor = wm::EditorStyleFile();
    const size_t firstRecord = wm::kPlaceableBytes + 18;
    size_t polygon = 0;
    for (size_t at = firstRecord; at + 6 <= editor.size(); at += 2 * size_t(wm::Get32(editor, at)))
        if (editor[at + 4] == 0x24 && editor[at + 5] == 0x03)
            polygon = at;
    ASSERT_NE(0u, polygon);

    const wm::Bytes cut(editor.begin(), editor.begin() + polygon + 10);
    wm::Bytes zeroSize = editor;
    wm::Set32(zeroSize, firstRecord, 0);
    wm::Bytes twoWords = editor;
    wm::Set32(twoWords, firstRecord + 10, 2);
    wm::Bytes pastTheEnd = editor;
    wm::Set32(pastTheEnd, polygon, 0x00100000);
    const struct {
        const char* name;
        wm::Bytes bytes;
    } cases[] = {
        {"cut-claiming-whole.wmf", wm::WithSizeField(cut, wm::TrueWords(editor))},
        {"cut-claiming-more.wmf", wm::WithSizeField(cut, wm::TrueWords(editor) + 11)},
        {"no-end.wmf", wm::WithSizeField(wm::Bytes(editor.begin(), editor.end() - 6), wm::TrueWords(editor))},
        {"zero-size-record.wmf", zeroSize},
        {"two-word-record.wmf", twoWords},
        {"record-past-the-end.wmf", pastTheEnd},
    };

    // A holder with a picture keeps it when a bad file is offered.
    const CString good = dir.Path("good.wmf");
    ASSERT_TRUE(imagetest::WriteFile(good, imagetest::Bytes(editor.begin(), editor.end())));
    CImageMetafile holder;
    ASSERT_NE(nullptr, holder.LoadFromFile(good));
    const imagetest::Bytes before = imagetest::SavedBytes(holder);
    for (const auto& c : cases) {
        const Drawn drawn = DrawFile(dir, c.name, c.bytes);
        EXPECT_FALSE(drawn.loaded) << c.name;
        EXPECT_EQ(0, drawn.red) << c.name;
        EXPECT_EQ(nullptr, holder.LoadFromFile(dir.Path(c.name))) << c.name;
        EXPECT_EQ(before, imagetest::SavedBytes(holder)) << c.name;
    }
}
