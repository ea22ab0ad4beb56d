// Record bytes, round trips and bad records of every picture holder.
#include "imagetestutil.h"

#include "testsupport/dibcanvas.h"

#include <gtest/gtest.h>
#include <memory>

using namespace imagetest;

namespace {

// The body of a 163 record around a 3 x 2 24-bit picture.
Bytes BitmapRecordBody(uint32_t sizeImage = 24)
{
    Bytes b;
    Append16(b, 1234);
    Append16(b, 3);
    Append16(b, 2);
    Append16(b, 40);
    Append(b, InfoHeader(3, 2, 24, BI_RGB, sizeImage));
    Bytes bits = Bits24(3, 2, [](int x, int y) { return RGB(x * 80, y * 200, 7); });
    bits.resize(sizeImage, 0);
    Append(b, bits);
    return b;
}

// The body of a 164 record.
Bytes MetafileRecordBody(int width, int height, const Bytes& bits)
{
    Bytes b;
    Append32(b, (uint32_t)width);
    Append32(b, (uint32_t)height);
    Append32(b, (uint32_t)bits.size());
    Append(b, bits);
    return b;
}

Bytes WithType(int code, const Bytes& body)
{
    Bytes b;
    Append16(b, code);
    Append(b, body);
    return b;
}

TEST(ImageRecords, EmptyHolders)
{
    EXPECT_EQ((Bytes{0xA2, 0x00}), SavedBytes(CImageBase()));
    // An empty packed-DIB holder writes the older empty form, which reads back as empty.
    EXPECT_EQ((Bytes{0xA5, 0x00, 0x83, 0x04}), SavedBytes(CImageBitmapNew()));
    // An old bitmap holder without bits writes 0: anything but 1234 reads back as empty.
    EXPECT_EQ((Bytes{0xA3, 0x00, 0x00, 0x00}), SavedBytes(CImageBitmap()));
    EXPECT_EQ((Bytes{0xA3, 0x00, 0x00, 0x00}), SavedBytes(CImageBitmapExt()));
    EXPECT_EQ((Bytes{0xA4, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}), SavedBytes(CImageMetafile()));
    CImageBase base;
    EXPECT_TRUE(LoadBytes(base, {}));
}

TEST(ImageRecords, BitmapNewBytesAndRoundTrip)
{
    const Bytes dib = QuadrantDib(2, 2);
    ASSERT_EQ(56u, dib.size());
    CImageBitmapNew holder;
    ASSERT_TRUE(holder.Attach(ToGlobal(dib)));
    Bytes expected;
    Append16(expected, 165);
    Append16(expected, 1156);
    Append16(expected, 2);
    Append16(expected, 2);
    Append32(expected, 56);
    Append(expected, dib);
    const Bytes saved = SavedBytes(holder);
    EXPECT_EQ(expected, saved);
    EXPECT_EQ(2u + 10u + 56u, saved.size());

    CImageBitmapNew back;
    ULONGLONG consumed = 0;
    ASSERT_TRUE(LoadBytes(back, Bytes(saved.begin() + 2, saved.end()), &consumed));
    EXPECT_EQ(saved.size() - 2, consumed);
    EXPECT_EQ(2, back.Width());
    EXPECT_EQ(2, back.Height());
    EXPECT_EQ(dib, GlobalBytes(back.Dib()));
    EXPECT_EQ(saved, SavedBytes(back));

    std::unique_ptr<CImageBase> clone(holder.Clone());
    EXPECT_EQ(saved, SavedBytes(*clone));
    EXPECT_NE(holder.Dib(), static_cast<CImageBitmapNew*>(clone.get())->Dib());
}

TEST(ImageRecords, BitmapNewSizesComeFromThePicture)
{
    // A top-down picture stored with the low 16 bits of its negative height.
    Bytes dib = InfoHeader(2, -3, 24);
    Append(dib, Bytes(8 * 3, 0x55));
    Bytes body;
    Append16(body, 1156);
    Append16(body, 2);
    Append16(body, -3);
    Append32(body, (uint32_t)dib.size());
    Append(body, dib);
    CImageBitmapNew holder;
    ASSERT_TRUE(LoadBytes(holder, body));
    EXPECT_EQ(2, holder.Width());
    EXPECT_EQ(3, holder.Height());
    EXPECT_EQ(150, holder.GetAspectPercent());
}

TEST(ImageRecords, BitmapNewOtherMagicsReadAsEmpty)
{
    for (int magic : {1155, 0, 1157, -1}) {
        CImageBitmapNew holder;
        ASSERT_TRUE(holder.Attach(ToGlobal(QuadrantDib(2, 2))));
        Bytes body;
        Append16(body, magic);
        Append16(body, 99);                 // not read
        ULONGLONG consumed = 0;
        ASSERT_TRUE(LoadBytes(holder, body, &consumed)) << magic;
        EXPECT_EQ(2u, consumed);
        EXPECT_TRUE(holder.IsEmpty());
    }
    // A whole record with size 0 is an empty holder too.
    Bytes body;
    Append16(body, 1156);
    Append16(body, 0);
    Append16(body, 0);
    Append32(body, 0);
    CImageBitmapNew holder;
    EXPECT_TRUE(LoadBytes(holder, body));
    EXPECT_TRUE(holder.IsEmpty());
}

TEST(ImageRecords, BitmapBytesAndRoundTrip)
{
    const Bytes body = BitmapRecordBody();
    std::unique_ptr<CImageBase> holder(CreateImageHolderForCode(163));
    ULONGLONG consumed = 0;
    ASSERT_TRUE(LoadBytes(*holder, body, &consumed));
    EXPECT_EQ(body.size(), consumed);
    EXPECT_FALSE(holder->IsEmpty());
    EXPECT_EQ(WithType(163, body), SavedBytes(*holder));
    std::unique_ptr<CImageBase> clone(holder->Clone());
    EXPECT_EQ(WithType(163, body), SavedBytes(*clone));

    // 179 reads the same body and writes 163.
    std::unique_ptr<CImageBase> ext(CreateImageHolderForCode(179));
    ASSERT_TRUE(LoadBytes(*ext, body));
    EXPECT_EQ(WithType(163, body), SavedBytes(*ext));
    std::unique_ptr<CImageBase> extClone(ext->Clone());
    EXPECT_NE(nullptr, dynamic_cast<CImageBitmapExt*>(extClone.get()));
}

TEST(ImageRecords, BitmapWithoutUsableBitsReadsAsEmptyAndKeepsItsPlace)
{
    // biSizeImage 0 (legal for the header): the record holds no bits; the next record follows.
    const Bytes noBits = BitmapRecordBody(0);
    Bytes body = noBits;
    body.push_back(0xEE);
    CImageBitmap holder;
    ULONGLONG consumed = 0;
    ASSERT_TRUE(LoadBytes(holder, body, &consumed));
    EXPECT_EQ(body.size() - 1, consumed);
    EXPECT_TRUE(holder.IsEmpty());
    EXPECT_FALSE(holder.CopyPictureToClipboard());
    // Saving it again writes the record as it was read.
    EXPECT_EQ(WithType(163, noBits), SavedBytes(holder));
    // Fewer bits than the picture needs.
    body = BitmapRecordBody(12);
    ASSERT_TRUE(LoadBytes(holder, body, &consumed));
    EXPECT_EQ(body.size(), consumed);
    EXPECT_TRUE(holder.IsEmpty());
    std::unique_ptr<CImageBase> clone(holder.Clone());
    EXPECT_EQ(WithType(163, body), SavedBytes(*clone));
    // Another first value: empty, nothing more read.
    Bytes other;
    Append16(other, 1233);
    Append16(other, 1234);
    ASSERT_TRUE(LoadBytes(holder, other, &consumed));
    EXPECT_EQ(2u, consumed);
    EXPECT_TRUE(holder.IsEmpty());
}

TEST(ImageRecords, MetafileBytesAndRoundTrip)
{
    const Bytes bits = TwoColourMetafileBits();
    ASSERT_FALSE(bits.empty());
    const Bytes body = MetafileRecordBody(25400, 12700, bits);
    CImageMetafile holder;
    ULONGLONG consumed = 0;
    ASSERT_TRUE(LoadBytes(holder, body, &consumed));
    EXPECT_EQ(body.size(), consumed);
    EXPECT_EQ(25400, holder.WidthUm());
    EXPECT_EQ(12700, holder.HeightUm());
    EXPECT_EQ(bits.size(), holder.BitsSize());
    EXPECT_EQ(50, holder.GetAspectPercent());
    EXPECT_EQ(WithType(164, body), SavedBytes(holder));
    std::unique_ptr<CImageBase> clone(holder.Clone());
    EXPECT_EQ(WithType(164, body), SavedBytes(*clone));
    SizeOwner owner;
    ASSERT_TRUE(holder.FitToPicture(&owner));
    EXPECT_EQ(25400, owner.width);
    EXPECT_EQ(12700, owner.height);

    // Bits that are no metafile: nothing to draw, the record consumed, and written back as read.
    const Bytes junk(40, 0x11);
    ASSERT_TRUE(LoadBytes(holder, MetafileRecordBody(100, 200, junk), &consumed));
    EXPECT_EQ(12u + 40u, consumed);
    EXPECT_TRUE(holder.IsEmpty());
    EXPECT_EQ(0u, holder.BitsSize());
    EXPECT_FALSE(holder.CopyPictureToClipboard());
    EXPECT_EQ(WithType(164, MetafileRecordBody(100, 200, junk)), SavedBytes(holder));
    std::unique_ptr<CImageBase> emptyClone(holder.Clone());
    EXPECT_TRUE(emptyClone->IsEmpty());
    EXPECT_EQ(WithType(164, MetafileRecordBody(100, 200, junk)), SavedBytes(*emptyClone));
}

// Every truncation of a record fails and leaves the holder as it was.
void ExpectTruncationsFail(CImageBase& holder, const Bytes& body)
{
    const Bytes before = SavedBytes(holder);
    for (size_t n = 0; n < body.size(); ++n) {
        Bytes cut(body.begin(), body.begin() + n);
        EXPECT_FALSE(LoadBytes(holder, cut)) << n;
        EXPECT_EQ(before, SavedBytes(holder)) << n;
    }
}

TEST(ImageRecords, TruncationAtEveryOffsetFailsAndChangesNothing)
{
    CImageBitmapNew bitmapNew;
    ASSERT_TRUE(bitmapNew.Attach(ToGlobal(QuadrantDib(4, 4))));
    const Bytes newSaved = SavedBytes(bitmapNew);
    const Bytes newBody(newSaved.begin() + 2, newSaved.end());
    CImageBitmapNew other;
    ASSERT_TRUE(other.Attach(ToGlobal(QuadrantDib(2, 6))));
    ExpectTruncationsFail(other, newBody);

    CImageBitmap bitmap;
    ASSERT_TRUE(LoadBytes(bitmap, BitmapRecordBody()));
    Bytes oldBody = BitmapRecordBody();
    Put16(oldBody, 2, 7);                 // another picture to read over the present one
    ExpectTruncationsFail(bitmap, oldBody);

    CImageMetafile metafile;
    ASSERT_TRUE(LoadBytes(metafile, MetafileRecordBody(1000, 2000, TwoColourMetafileBits())));
    ExpectTruncationsFail(metafile, MetafileRecordBody(25400, 12700, TwoColourMetafileBits()));
}

TEST(ImageRecords, LyingLengthsFailBeforeAllocating)
{
    // Sizes far beyond the bytes held, negative, or beyond any sane picture.
    const Bytes metafileBits = TwoColourMetafileBits();
    for (uint32_t size : {0x7FFFFFFFu, 0xFFFFFFFFu, 0x10000000u, 0u}) {
        Bytes body;
        Append16(body, 1156);
        Append16(body, 2);
        Append16(body, 2);
        Append32(body, size ? size : 57u);      // one byte more than follows
        Append(body, QuadrantDib(2, 2));
        CImageBitmapNew holder;
        EXPECT_FALSE(LoadBytes(holder, body)) << size;
        EXPECT_TRUE(holder.IsEmpty());

        CImageMetafile metafile;
        Bytes mf;
        Append32(mf, 1);
        Append32(mf, 1);
        Append32(mf, size ? size : (uint32_t)metafileBits.size() + 1);
        Append(mf, metafileBits);
        EXPECT_FALSE(LoadBytes(metafile, mf)) << size;
        EXPECT_TRUE(metafile.IsEmpty());
    }
    // An old bitmap whose header claims more bits than the file holds, or a header too short to
    // say how many.
    CImageBitmap bitmap;
    Bytes body = BitmapRecordBody();
    Put32(body, 8 + 20, 0x40000000);
    EXPECT_FALSE(LoadBytes(bitmap, body));
    body = BitmapRecordBody();
    Put16(body, 6, 12);
    EXPECT_FALSE(LoadBytes(bitmap, body));
    Put16(body, 6, -40);
    EXPECT_FALSE(LoadBytes(bitmap, body));
}

TEST(ImageRecords, PictureHeadersLyingInsideWholeRecordsGiveEmptyHolders)
{
    struct Mutation { size_t at; int bytes; uint32_t value; };
    const Mutation mutations[] = {
        {0, 4, 44},          // unknown header size
        {0, 4, 1000},        // header larger than the block
        {8, 4, 3000},        // more rows than the bits hold
        {14, 2, 8},          // 8 bits per pixel: a colour table of 256 entries is missing
        {14, 2, 16},         // 16 bits: fewer bytes per row, still fits; a valid picture
        {16, 4, BI_BITFIELDS},
        {16, 4, BI_RLE8},
        {32, 4, 300},        // colour count
        {4, 4, 0},           // no width
    };
    for (const Mutation& m : mutations) {
        Bytes dib = QuadrantDib(4, 4);
        if (m.bytes == 4)
            Put32(dib, m.at, m.value);
        else
            Put16(dib, m.at, (int)m.value);
        Bytes body;
        Append16(body, 1156);
        Append16(body, 4);
        Append16(body, 4);
        Append32(body, (uint32_t)dib.size());
        Append(body, dib);
        CImageBitmapNew holder;
        ULONGLONG consumed = 0;
        EXPECT_TRUE(LoadBytes(holder, body, &consumed)) << m.at;
        EXPECT_EQ(body.size(), consumed) << m.at;
        // A bitmap it cannot draw is written back as it was read.
        if (holder.IsEmpty())
            EXPECT_EQ(WithType(165, body), SavedBytes(*std::unique_ptr<CImageBase>(holder.Clone()))) << m.at;
        // Whatever it kept must draw without reading outside its block.
        DibCanvas canvas(40, 40);
        holder.Draw(&canvas.dc(), "", 0, 0, 39, 39, 0, 0, 100, 100, kImageStretch);
        canvas.dc().m_bPrinting = true;
        holder.Draw(&canvas.dc(), "", 0, 0, 39, 39, 0, 0, 100, 100, kImageStretch);
    }
}

TEST(ImageRecords, CorruptedBytesNeverCrash)
{
    CImageBitmapNew source;
    ASSERT_TRUE(source.Attach(ToGlobal(QuadrantDib(5, 3))));
    const Bytes saved = SavedBytes(source);
    const Bytes records[] = {
        Bytes(saved.begin() + 2, saved.end()),
        BitmapRecordBody(),
        MetafileRecordBody(25400, 12700, TwoColourMetafileBits()),
    };
    for (int kind = 0; kind < 3; ++kind) {
        const Bytes& good = records[kind];
        for (size_t at = 0; at < good.size(); ++at) {
            for (BYTE value : {BYTE(0x00), BYTE(0x80), BYTE(0xFF)}) {
                Bytes bad = good;
                bad[at] = value;
                const int code = kind == 0 ? 165 : kind == 1 ? 163 : 164;
                std::unique_ptr<CImageBase> holder(CreateImageHolderForCode(code));
                const Bytes before = SavedBytes(*holder);
                if (!LoadBytes(*holder, bad)) {
                    ASSERT_EQ(before, SavedBytes(*holder)) << "kind " << kind << " offset " << at;
                    continue;
                }
                DibCanvas canvas(30, 30);
                holder->Draw(&canvas.dc(), "", 0, 0, 29, 29, 0, 0, 100, 100, kImageCentre);
                std::unique_ptr<CImageBase> clone(holder->Clone());
                // What was read writes again, the clone alike, and that reads back to the same bytes.
                const Bytes saved = SavedBytes(*holder, false);
                ASSERT_EQ(saved, SavedBytes(*clone, false)) << "kind " << kind << " offset " << at;
                std::unique_ptr<CImageBase> again(CreateImageHolderForCode(code));
                ASSERT_TRUE(LoadBytes(*again, saved)) << "kind " << kind << " offset " << at;
                ASSERT_EQ(saved, SavedBytes(*again, false)) << "kind " << kind << " offset " << at;
            }
        }
    }
}

} // namespace
