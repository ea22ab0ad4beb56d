// Reading placeable metafiles from streams: the header's size, the key, and every way the stream
// can be short, slow, failing or lying about sizes.
#include "previewhandler/placeablemetafile.h"
#include "previewhandler/tests/previewtestsupport.h"

#include <gtest/gtest.h>

namespace {

PlaceableMetafile Load(const Bytes& bytes)
{
    IStream* stream = StreamOver(bytes);
    PlaceableMetafile picture = LoadPlaceableMetafile(stream);
    stream->Release();
    return picture;
}

// The bits of a metafile as GDI gives them back, for comparing what was made.
Bytes BitsOf(HMETAFILE metafile)
{
    Bytes bits(GetMetaFileBitsEx(metafile, 0, nullptr));
    GetMetaFileBitsEx(metafile, UINT(bits.size()), bits.data());
    return bits;
}

// A metafile of exactly `bytes` bytes: one escape record carrying padding, then the end record.
Bytes MetafileOfSize(size_t bytes)
{
    Bytes bits(bytes, 0);
    PutWord(bits, 0, 1);
    PutWord(bits, 2, 9);
    PutWord(bits, 4, 0x300);
    PutDword(bits, 6, uint32_t(bytes / 2));
    const size_t escapeWords = (bytes - 18 - 6) / 2;
    PutDword(bits, 12, uint32_t(escapeWords));
    PutDword(bits, 18, uint32_t(escapeWords));
    PutWord(bits, 22, META_ESCAPE);
    PutWord(bits, 24, 0x0F);  // MFCOMMENT
    PutWord(bits, 26, 0);     // no data bytes
    PutDword(bits, bytes - 6, 3);
    return bits;
}

} // namespace

TEST(PlaceableMetafile, SizeFromTheBoundingBox)
{
    const Bytes bits = FilledRectangleMetafile(1440, 720, kRed);
    struct Case {
        int16_t left, top, right, bottom;
        uint16_t unitsPerInch;
        LONG width, height;
    } cases[] = {
        {0, 0, 1440, 720, 1440, 25400, 12700},
        {0, 0, 2000, 1000, 1000, 50800, 25400},
        {-100, -50, 100, 50, 100, 50800, 25400},
        {0, 0, 32767, 32767, 1, 832281800, 832281800},
        {0, 0, 1440, 720, 0, 0, 0}, // no units per inch: no size, and no division by zero
        {5, 5, 5, 5, 1440, 0, 0},
    };
    for (const Case& c : cases) {
        PlaceableMetafile picture = Load(Concat(PlaceableHeader(c.left, c.top, c.right, c.bottom, c.unitsPerInch), bits));
        EXPECT_EQ(picture.width, c.width) << c.right;
        EXPECT_EQ(picture.height, c.height) << c.bottom;
        ASSERT_NE(picture.metafile, nullptr);
        EXPECT_EQ(BitsOf(picture.metafile), bits);
        DeleteMetaFile(picture.metafile);
    }
}

TEST(PlaceableMetafile, WrongKeyGivesNothing)
{
    const Bytes bits = FilledRectangleMetafile(100, 100, kRed);
    for (uint32_t key : {0u, 0x9AC6CDD6u, 0xD7CDC69Au, 0x00090001u}) {
        PlaceableMetafile picture = Load(Concat(PlaceableHeader(0, 0, 100, 100, 100, key), bits));
        EXPECT_EQ(picture.metafile, nullptr);
        EXPECT_EQ(picture.width, 0);
        EXPECT_EQ(picture.height, 0);
    }
    // A plain metafile without the placeable header is not previewed either.
    EXPECT_EQ(Load(bits).metafile, nullptr);
}

TEST(PlaceableMetafile, TruncatedAnywhereGivesNothing)
{
    const Bytes file = RedTwoByOneFile();
    for (size_t size = 0; size < file.size(); ++size) {
        PlaceableMetafile picture = Load(Bytes(file.begin(), file.begin() + size));
        ASSERT_EQ(picture.metafile, nullptr) << "cut at " << size;
    }
    PlaceableMetafile whole = Load(file);
    EXPECT_NE(whole.metafile, nullptr);
    DeleteMetaFile(whole.metafile);
}

TEST(PlaceableMetafile, ReadsAStreamThatDeliversLittleAtATime)
{
    const Bytes file = RedTwoByOneFile();
    for (ULONG chunk : {1u, 3u, 7u, 64u}) {
        IStream* stream = TrickleStream(file, chunk);
        PlaceableMetafile picture = LoadPlaceableMetafile(stream);
        stream->Release();
        ASSERT_NE(picture.metafile, nullptr) << chunk;
        EXPECT_EQ(picture.width, 50800);
        EXPECT_EQ(BitsOf(picture.metafile), Bytes(file.begin() + 22, file.end()));
        DeleteMetaFile(picture.metafile);
    }
}

TEST(PlaceableMetafile, AStreamThatFailsGivesNothing)
{
    const Bytes file = RedTwoByOneFile();
    for (ULONG failAfter : {ULONG(0), ULONG(3), ULONG(21), ULONG(22), ULONG(40), ULONG(file.size() - 2)}) {
        IStream* stream = TrickleStream(file, 16, failAfter);
        PlaceableMetafile picture = LoadPlaceableMetafile(stream);
        stream->Release();
        EXPECT_EQ(picture.metafile, nullptr) << failAfter;
    }
    EXPECT_EQ(LoadPlaceableMetafile(nullptr).metafile, nullptr);
}

TEST(PlaceableMetafile, ReadsNoMoreThanOneMebibyte)
{
    // Just under the limit it shows; a metafile longer than what may be read is not made from
    // its first mebibyte.
    const Bytes header = PlaceableHeader(0, 0, 100, 100, 100);
    PlaceableMetafile fits = Load(Concat(header, MetafileOfSize(kMaxPreviewMetafileBytes)));
    EXPECT_NE(fits.metafile, nullptr);
    DeleteMetaFile(fits.metafile);

    PlaceableMetafile tooLong = Load(Concat(header, MetafileOfSize(kMaxPreviewMetafileBytes + 2)));
    EXPECT_EQ(tooLong.metafile, nullptr);
}

TEST(PlaceableMetafile, TheSizeFieldGivesWayToTheRecordChain)
{
    const Bytes header = PlaceableHeader(0, 0, 100, 100, 100);
    const Bytes bits = FilledRectangleMetafile(100, 100, kRed);
    const uint32_t words = uint32_t(bits.size() / 2);
    for (uint32_t field : {0u, 8u, words - 1, words + 1, words + 11, 0x7FFFFFFFu, 0xFFFFFFFFu}) {
        Bytes lying = bits;
        PutDword(lying, 6, field);
        PlaceableMetafile picture = Load(Concat(header, lying));
        ASSERT_NE(picture.metafile, nullptr) << field;
        EXPECT_EQ(BitsOf(picture.metafile), bits) << field;
        DeleteMetaFile(picture.metafile);
    }
    // The first record claims more than the metafile holds.
    Bytes record = bits;
    PutDword(record, 18, 0x40000000);
    EXPECT_EQ(Load(Concat(header, record)).metafile, nullptr);
    // Cut inside the records while the header still claims the whole.
    const Bytes cut(bits.begin(), bits.end() - 9);
    EXPECT_EQ(Load(Concat(header, cut)).metafile, nullptr);
}

TEST(ReadStreamFully, StopsAtTheEndAndAtFailures)
{
    const Bytes bytes(100, 7);
    uint8_t buffer[200];
    IStream* slow = TrickleStream(bytes, 9);
    EXPECT_EQ(ReadStreamFully(slow, buffer, 200), 100u);
    slow->Release();
    IStream* failing = TrickleStream(bytes, 9, 45);
    EXPECT_EQ(ReadStreamFully(failing, buffer, 200), 45u);
    failing->Release();
    IStream* whole = StreamOver(bytes);
    EXPECT_EQ(ReadStreamFully(whole, buffer, 60), 60u);
    EXPECT_EQ(ReadStreamFully(whole, buffer, 60), 40u);
    EXPECT_EQ(ReadStreamFully(whole, buffer, 60), 0u);
    whole->Release();
}
