// Placeable metafile files, the metafile bits check and metafile drawing.
#include "imagetestutil.h"

#include "testsupport/dibcanvas.h"
#include "testsupport/tempdir.h"

#include <gtest/gtest.h>
#include <memory>

using namespace imagetest;

namespace {

Bytes Placeable(int right, int bottom, int unitsPerInch, const Bytes& bits)
{
    Bytes b = PlaceableBytes(right, bottom, unitsPerInch);
    Append(b, bits);
    return b;
}

TEST(PlaceableHeader, FieldsChecksumAndSize)
{
    const Bytes h = PlaceableBytes(1440, 720, 1440);
    ASSERT_EQ(22u, h.size());
    EXPECT_EQ((Bytes{0xD7, 0xCD, 0xC6, 0x9A}), Bytes(h.begin(), h.begin() + 4));
    EXPECT_EQ(0xA0, h[10]);               // right 1440 = 0x05A0
    EXPECT_EQ(0x05, h[11]);
    EXPECT_EQ(0xD0, h[12]);               // bottom 720 = 0x02D0
    EXPECT_EQ(0xA0, h[14]);               // units per inch
    // The checksum is the XOR of the ten words before it.
    uint16_t sum = 0;
    for (int i = 0; i < 20; i += 2)
        sum ^= (uint16_t)(h[i] | (h[i + 1] << 8));
    EXPECT_EQ(sum, (uint16_t)(h[20] | (h[21] << 8)));

    CMemFile f;
    f.Write(h.data(), (UINT)h.size());
    f.SeekToBegin();
    RecordReader r(&f);
    PlaceableHeader back;
    ASSERT_TRUE(ReadPlaceableHeader(r, back));
    EXPECT_EQ(kPlaceableKey, back.key);
    EXPECT_EQ(1440, back.right);
    EXPECT_EQ(720, back.bottom);
    EXPECT_EQ(1440, back.unitsPerInch);
    EXPECT_EQ(PlaceableChecksum(back), back.checksum);
}

TEST(PlaceableMetafile, ReadsSizeAndDraws)
{
    TempDir dir;
    const Bytes bits = TwoColourMetafileBits();
    const CString path = dir.Path("two.wmf");
    ASSERT_TRUE(WriteFile(path, Placeable(1440, 720, 1440, bits)));

    CImageMetafile holder;
    ASSERT_NE(nullptr, holder.LoadFromFile(path));
    EXPECT_EQ(25400, holder.WidthUm());
    EXPECT_EQ(12700, holder.HeightUm());
    EXPECT_EQ(bits.size(), holder.BitsSize());

    DibCanvas canvas(200, 200);
    holder.Draw(&canvas.dc(), "", 0, 0, 200, 200, 0, 0, 100, 100, kImageCentre);
    // Fitted to 200 x 100 in the middle: red left, blue right, white above and below.
    EXPECT_EQ(RGB(255, 0, 0), canvas.Pixel(50, 100));
    EXPECT_EQ(RGB(0, 0, 255), canvas.Pixel(150, 100));
    EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(100, 30));
    EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(100, 170));
    const CRect extent = canvas.Extent();
    EXPECT_NEAR(50, extent.top, 1);
    EXPECT_NEAR(150, extent.bottom, 1);
    // The device context is as it was.
    EXPECT_EQ(MM_TEXT, canvas.dc().GetMapMode());
    EXPECT_EQ(CPoint(0, 0), canvas.dc().GetViewportOrg());
}

TEST(PlaceableMetafile, DrawsFromThePathWhenEmptyAndStretches)
{
    TempDir dir;
    const CString path = dir.Path("two.WMF");
    ASSERT_TRUE(WriteFile(path, Placeable(1440, 720, 1440, TwoColourMetafileBits())));
    std::unique_ptr<CImageBase> holder(CreateImageHolderForFile(path));
    ASSERT_NE(nullptr, holder.get());
    DibCanvas canvas(100, 100);
    holder->Draw(&canvas.dc(), path, 0, 0, 100, 100, 0, 0, 100, 100, kImageStretch);
    EXPECT_FALSE(holder->IsEmpty());
    EXPECT_EQ(RGB(255, 0, 0), canvas.Pixel(25, 10));
    EXPECT_EQ(RGB(0, 0, 255), canvas.Pixel(75, 90));
    // Not centred: at the top.
    canvas.Clear(RGB(255, 255, 255));
    holder->Draw(&canvas.dc(), path, 0, 0, 100, 100, 0, 0, 100, 100, 0);
    EXPECT_EQ(RGB(255, 0, 0), canvas.Pixel(25, 10));
    EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(25, 80));
    // An empty box draws nothing.
    canvas.Clear(RGB(255, 255, 255));
    holder->Draw(&canvas.dc(), path, 10, 10, 10, 90, 0, 0, 100, 100, 0);
    EXPECT_EQ(0, canvas.Extent().Width());
}

TEST(PlaceableMetafile, PlainMetafileHasNoSize)
{
    TempDir dir;
    const Bytes bits = TwoColourMetafileBits();
    const CString path = dir.Path("plain.wmf");
    ASSERT_TRUE(WriteFile(path, bits));
    CImageMetafile holder;
    ASSERT_NE(nullptr, holder.LoadFromFile(path));
    EXPECT_EQ(0, holder.WidthUm());
    EXPECT_EQ(0, holder.HeightUm());
    EXPECT_EQ(bits.size(), holder.BitsSize());
    SizeOwner owner;
    EXPECT_FALSE(holder.FitToPicture(&owner));
    EXPECT_EQ(100, holder.GetAspectPercent());
    // Without a size it fills the box.
    DibCanvas canvas(100, 100);
    holder.Draw(&canvas.dc(), "", 0, 0, 100, 100, 0, 0, 100, 100, kImageCentre);
    EXPECT_EQ(RGB(255, 0, 0), canvas.Pixel(25, 90));
}

TEST(PlaceableMetafile, BadFilesLeaveTheHolderAsItWas)
{
    TempDir dir;
    const Bytes bits = TwoColourMetafileBits();
    const CString good = dir.Path("good.wmf");
    ASSERT_TRUE(WriteFile(good, Placeable(1440, 720, 1440, bits)));
    CImageMetafile holder;
    ASSERT_NE(nullptr, holder.LoadFromFile(good));
    const Bytes before = SavedBytes(holder);

    const Bytes header = PlaceableBytes(1440, 720, 1440);
    Bytes wrongKey = Placeable(1440, 720, 1440, bits);
    wrongKey[0] ^= 1;                                    // then it is read as a plain metafile
    Bytes lyingSize = Placeable(1440, 720, 1440, bits);
    Put32(lyingSize, 22 + 6, 0x00FFFFFF);                // metafile size in words: patched, not trusted
    Bytes lyingRecord = Placeable(1440, 720, 1440, bits);
    Put32(lyingRecord, 22 + 18, 0x7FFFFFF0);             // first record's length
    Bytes noEnd = Placeable(1440, 720, 1440, bits);
    noEnd.resize(noEnd.size() - 6);                      // without the end record
    const struct { const char* name; Bytes bytes; bool loads; } cases[] = {
        {"empty.wmf", {}, false},
        {"key.wmf", Bytes{0xD7, 0xCD, 0xC6, 0x9A}, false},
        {"short.wmf", Bytes(header.begin(), header.begin() + 15), false},
        {"header-only.wmf", PlaceableBytes(1440, 720, 1440), false},
        {"zero-upi.wmf", Placeable(1440, 720, 0, bits), false},
        {"wrong-key.wmf", wrongKey, false},
        {"lying-record.wmf", lyingRecord, false},
        {"no-end.wmf", noEnd, false},
        {"text.wmf", Bytes{'h', 'e', 'l', 'l', 'o'}, false},
        {"lying-size.wmf", lyingSize, true},
    };
    for (const auto& c : cases) {
        const CString path = dir.Path(c.name);
        ASSERT_TRUE(WriteFile(path, c.bytes));
        CImageMetafile fresh;
        EXPECT_EQ(c.loads, fresh.LoadFromFile(path) != nullptr) << c.name;
        if (!c.loads) {
            EXPECT_EQ(nullptr, holder.LoadFromFile(path)) << c.name;
            EXPECT_EQ(before, SavedBytes(holder)) << c.name;
        }
    }
    EXPECT_EQ(nullptr, holder.LoadFromFile(dir.Path("missing.wmf")));
    EXPECT_EQ(before, SavedBytes(holder));

    // A picture that fails to load draws nothing, and tries again at the next drawing.
    CImageMetafile empty;
    DibCanvas canvas(50, 50);
    empty.Draw(&canvas.dc(), dir.Path("zero-upi.wmf"), 0, 0, 50, 50, 0, 0, 100, 100, 0);
    EXPECT_TRUE(empty.IsEmpty());
    EXPECT_EQ(0, canvas.Extent().Width());
    empty.Draw(&canvas.dc(), good, 0, 0, 50, 50, 0, 0, 100, 100, 0);
    EXPECT_FALSE(empty.IsEmpty());
}

TEST(PlaceableMetafile, ChecksumIsNotRequiredAndBoxesMayBeReversed)
{
    TempDir dir;
    Bytes bytes = PlaceableBytes(1440, 720, 1440, false);
    Append(bytes, TwoColourMetafileBits());
    const CString path = dir.Path("sum.wmf");
    ASSERT_TRUE(WriteFile(path, bytes));
    CImageMetafile holder;
    EXPECT_NE(nullptr, holder.LoadFromFile(path));

    // A box given right to left and bottom to top measures the same.
    Bytes reversed = PlaceableBytes(0, 0, 720);
    Put16(reversed, 6, 1440);
    Put16(reversed, 8, 720);
    Append(reversed, TwoColourMetafileBits());
    ASSERT_TRUE(WriteFile(path, reversed));
    ASSERT_NE(nullptr, holder.LoadFromFile(path));
    EXPECT_EQ(50800, holder.WidthUm());
    EXPECT_EQ(25400, holder.HeightUm());
}

TEST(PlaceableMetafile, TruncatedAtEveryOffset)
{
    TempDir dir;
    const Bytes whole = Placeable(1440, 720, 1440, TwoColourMetafileBits());
    const CString path = dir.Path("cut.wmf");
    for (size_t n = 0; n < whole.size(); ++n) {
        ASSERT_TRUE(WriteFile(path, Bytes(whole.begin(), whole.begin() + n)));
        CImageMetafile holder;
        EXPECT_EQ(nullptr, holder.LoadFromFile(path)) << n;
        EXPECT_TRUE(holder.IsEmpty());
    }
}

// ---- The bits check ------------------------------------------------------------------------------

// A metafile header and records built by hand: each record is its function and parameter words.
Bytes HandMetafile(const std::vector<std::pair<int, std::vector<int>>>& records, int objects = 0)
{
    Bytes b;
    Append16(b, 1);
    Append16(b, 9);
    Append16(b, 0x0300);
    Append32(b, 0);                       // size, filled in below
    Append16(b, objects);
    Append32(b, 0);
    Append16(b, 0);
    for (const auto& r : records) {
        Append32(b, (uint32_t)(3 + r.second.size()));
        Append16(b, r.first);
        for (int w : r.second)
            Append16(b, w);
    }
    Append32(b, 3);
    Append16(b, 0);
    Put32(b, 6, (uint32_t)(b.size() / 2));
    return b;
}

bool Sound(const Bytes& b)
{
    UINT length = 0;
    return CheckMetafileBits(b.data(), (UINT)b.size(), &length);
}

TEST(MetafileBits, WholeMetafilesPass)
{
    const Bytes bits = TwoColourMetafileBits();
    UINT length = 0;
    ASSERT_TRUE(CheckMetafileBits(bits.data(), (UINT)bits.size(), &length));
    EXPECT_EQ(bits.size(), length);
    // Trailing bytes after the end record are not part of the metafile.
    Bytes padded = bits;
    padded.resize(bits.size() + 10, 0xAB);
    ASSERT_TRUE(CheckMetafileBits(padded.data(), (UINT)padded.size(), &length));
    EXPECT_EQ(bits.size(), length);
    HMETAFILE mf = MetafileFromBits(padded.data(), (UINT)padded.size(), &length);
    ASSERT_NE(nullptr, mf);
    EXPECT_EQ(bits, MetafileBitsOf(mf));
    DeleteMetaFile(mf);

    EXPECT_TRUE(Sound(HandMetafile({{0x041B, {0, 0, 10, 10}}, {0x0324, {2, 0, 0, 5, 5}}})));
    EXPECT_TRUE(Sound(HandMetafile({{0x02FC, {0, 0, 0, 0}}, {0x012D, {0}}}, 1)));
}

TEST(MetafileBits, HeadersAndLengthsThatLie)
{
    const Bytes good = HandMetafile({{0x041B, {0, 0, 10, 10}}});
    ASSERT_TRUE(Sound(good));
    Bytes bad = good;
    Put16(bad, 0, 3);                                   // type
    EXPECT_FALSE(Sound(bad));
    bad = good;
    Put16(bad, 2, 10);                                  // header size
    EXPECT_FALSE(Sound(bad));
    bad = good;
    Put16(bad, 4, 0x0200);                              // version
    EXPECT_FALSE(Sound(bad));
    bad = good;
    Put32(bad, 18, 2);                                  // a record shorter than its own header
    EXPECT_FALSE(Sound(bad));
    bad = good;
    Put32(bad, 18, 1000);                               // a record longer than the metafile
    EXPECT_FALSE(Sound(bad));
    for (size_t n = 0; n < good.size(); ++n) {
        Bytes cut(good.begin(), good.begin() + n);
        EXPECT_FALSE(Sound(cut)) << n;
    }
    EXPECT_FALSE(CheckMetafileBits(nullptr, 100, nullptr));
    EXPECT_EQ(nullptr, MetafileFromBits(good.data(), 10, nullptr));
}

TEST(MetafileBits, RecordCountsThatReachOutside)
{
    // Fixed records need their parameters.
    EXPECT_FALSE(Sound(HandMetafile({{0x041B, {0, 0, 10}}})));
    // Polygon with more points than it holds.
    EXPECT_FALSE(Sound(HandMetafile({{0x0324, {3, 0, 0, 5, 5}}})));
    // Polypolygon whose counts add up to more points than it holds.
    EXPECT_TRUE(Sound(HandMetafile({{0x0538, {1, 2, 0, 0, 5, 5}}})));
    EXPECT_FALSE(Sound(HandMetafile({{0x0538, {1, 3, 0, 0, 5, 5}}})));
    EXPECT_FALSE(Sound(HandMetafile({{0x0538, {0xFFFF}}})));
    // Text out with a longer string than the record.
    EXPECT_TRUE(Sound(HandMetafile({{0x0521, {2, 0x4241, 0, 0}}})));
    EXPECT_FALSE(Sound(HandMetafile({{0x0521, {200, 0x4241, 0, 0}}})));
    // Extended text out: with a clipping rectangle the string starts 4 words later.
    EXPECT_TRUE(Sound(HandMetafile({{0x0A32, {0, 0, 2, 0, 0x4241}}})));
    EXPECT_FALSE(Sound(HandMetafile({{0x0A32, {0, 0, 2, ETO_CLIPPED, 0x4241}}})));
    // Object indices beyond the handle table.
    EXPECT_FALSE(Sound(HandMetafile({{0x012D, {0}}}, 0)));
    EXPECT_FALSE(Sound(HandMetafile({{0x01F0, {5}}}, 2)));
    EXPECT_FALSE(Sound(HandMetafile({{0x0228, {0, 1}}}, 1)));
    // Escape and palette counts.
    EXPECT_FALSE(Sound(HandMetafile({{0x0626, {15, 100, 0}}})));
    EXPECT_FALSE(Sound(HandMetafile({{0x00F7, {0x300, 4, 0, 0}}})));
    // A font whose face name runs to the end of the record without a terminator.
    EXPECT_FALSE(Sound(HandMetafile({{0x02FB, {10, 0, 0, 0, 400, 0, 0, 0, 0, 0x4141}}})));
    EXPECT_TRUE(Sound(HandMetafile({{0x02FB, {10, 0, 0, 0, 400, 0, 0, 0, 0, 0x0041}}})));
    // A region whose scans run outside the record.
    EXPECT_TRUE(Sound(HandMetafile({{0x06FF, {0, 6, 0, 0, 0, 1, 0, 0, 0, 10, 10, 2, 0, 10, 0, 10, 2}}})));
    EXPECT_FALSE(Sound(HandMetafile({{0x06FF, {0, 6, 0, 0, 0, 2, 0, 0, 0, 10, 10, 2, 0, 10, 0, 10, 2}}})));
    EXPECT_FALSE(Sound(HandMetafile({{0x06FF, {0, 6, 0, 0, 0, 1, 0, 0, 0, 10, 10, 2, 0, 10, 0, 10, 4}}})));
}

TEST(MetafileBits, BitmapsInsideRecords)
{
    // StretchDIBits: rop (2 words), usage, 8 coordinates, then a DIB of 2 x 2 at 24 bits.
    auto stretchDib = [](const Bytes& dib) {
        std::vector<int> words = {0x0020, 0x00CC, DIB_RGB_COLORS, 2, 2, 0, 0, 2, 2, 0, 0};
        for (size_t i = 0; i + 1 < dib.size(); i += 2)
            words.push_back(dib[i] | (dib[i + 1] << 8));
        return HandMetafile({{0x0F43, words}});
    };
    const Bytes dib = QuadrantDib(2, 2);
    const Bytes good = stretchDib(dib);
    ASSERT_TRUE(Sound(good));
    Bytes tall = dib;
    Put32(tall, 8, 2000);                               // more rows than the record holds
    EXPECT_FALSE(Sound(stretchDib(tall)));
    Bytes colours = dib;
    Put16(colours, 14, 8);                              // a colour table that is not there
    EXPECT_FALSE(Sound(stretchDib(colours)));
    // It draws.
    UINT length = 0;
    HMETAFILE mf = MetafileFromBits(good.data(), (UINT)good.size(), &length);
    ASSERT_NE(nullptr, mf);
    DibCanvas canvas(20, 20);
    canvas.dc().SetMapMode(MM_ANISOTROPIC);
    canvas.dc().SetWindowExt(2, 2);
    canvas.dc().SetViewportExt(20, 20);
    canvas.dc().PlayMetaFile(mf);
    EXPECT_EQ(RGB(255, 0, 0), canvas.Pixel(4, 4));
    EXPECT_EQ(RGB(255, 255, 0), canvas.Pixel(15, 15));
    DeleteMetaFile(mf);
}

TEST(MetafileBits, OldDeviceBitmapsMustFitEitherReading)
{
    // BitBlt with a 16 x 2 monochrome bitmap: raster operation, six coordinates, then the
    // bitmap header (type, width, height, bytes per row, planes and depth) and two rows.
    const std::vector<int> blit = {0x0020, 0x00CC, 0, 0, 2, 16, 0, 0, 0, 16, 2, 2, 0x0101, 0xFFFF, 0x0000};
    const Bytes good = HandMetafile({{0x0922, blit}});
    ASSERT_TRUE(Sound(good));
    std::vector<int> tall = blit;
    tall[10] = 200;                                     // rows the record does not hold
    EXPECT_FALSE(Sound(HandMetafile({{0x0922, tall}})));
    std::vector<int> older = blit;
    older[7] = 0x7FFF;                                  // read as a width one word earlier
    older[8] = 0x7FFF;
    EXPECT_FALSE(Sound(HandMetafile({{0x0922, older}})));
    // Without a bitmap some readers still take one: refused.
    EXPECT_FALSE(Sound(HandMetafile({{0x0922, {0x0020, 0x00CC, 0, 0, 2, 16, 0, 0, 0}}})));
    UINT length = 0;
    HMETAFILE mf = MetafileFromBits(good.data(), (UINT)good.size(), &length);
    ASSERT_NE(nullptr, mf);
    DibCanvas canvas(20, 20);
    canvas.dc().PlayMetaFile(mf);
    DeleteMetaFile(mf);
}

TEST(MetafileBits, EveryByteMutatedNeverCrashesThePlayer)
{
    const Bytes good = TwoColourMetafileBits();
    for (size_t at = 0; at < good.size(); ++at) {
        for (BYTE value : {BYTE(0x00), BYTE(0x7F), BYTE(0xFF)}) {
            Bytes bad = good;
            bad[at] = value;
            UINT length = 0;
            HMETAFILE mf = MetafileFromBits(bad.data(), (UINT)bad.size(), &length);
            // The check and the maker agree: refused bits make no metafile, accepted bits make one.
            UINT checked = 0;
            ASSERT_EQ(mf != nullptr, CheckMetafileBits(bad.data(), (UINT)bad.size(), &checked)) << at;
            if (mf) {
                DibCanvas canvas(16, 16);
                canvas.dc().PlayMetaFile(mf);
                // What was made is a sound metafile of the checked length, and making it again from
                // its own bits gives the same bits.
                const std::vector<BYTE> made = MetafileBitsOf(mf);
                ASSERT_EQ(checked, length) << at;
                ASSERT_LE(length, bad.size()) << at;
                ASSERT_EQ(size_t(length), made.size()) << at;
                UINT againLength = 0;
                HMETAFILE again = MetafileFromBits(made.data(), (UINT)made.size(), &againLength);
                ASSERT_NE(nullptr, again) << at;
                EXPECT_EQ(made, MetafileBitsOf(again)) << at;
                DeleteMetaFile(again);
                DeleteMetaFile(mf);
            }
        }
    }
}

} // namespace
