// Records of the image objects: exact bytes, round trips with every holder kind, reserved fields,
// paths that do not fit, holder codes 0 and unknown, truncated and mutated records.
#include "graphimage_testutil.h"

#include "objecttestutil.h"
#include "testsupport/dibcanvas.h"
#include "testsupport/msgboxrecorder.h"

#include <gtest/gtest.h>
#include <memory>

using namespace imgobj;
using objtest::ByteBuilder;

namespace {

const int kHolderOffset = 16 + 13 + 128;     // where the holder's type code stands

// An ExtExt object with a 4 x 2 packed DIB holder and every field set to something other than
// its default.
std::unique_ptr<CGraphImageExtExt> MakeExtExt()
{
    std::unique_ptr<CGraphImageExtExt> image(new CGraphImageExtExt);
    image->SetX(1000);
    image->SetY(2000);
    image->SetWidth(30000);
    image->SetHeight(15000);
    image->SetImagePath("C:\\pics\\a.png");
    auto* holder = new CImageBitmapNew;
    EXPECT_TRUE(holder->Attach(imagetest::ToGlobal(imagetest::QuadrantDib(4, 2))));
    image->SetHolder(holder);
    image->SetStretchToFit(true);
    image->SetImageCentred(false);
    image->SetCrop(5, 10, 90, 95);
    image->SetImageColumn(2);
    return image;
}

ByteBuilder& Path128(ByteBuilder& b, const char* path)
{
    size_t n = strlen(path);
    for (size_t i = 0; i < 128; ++i)
        b.U8(i < n && i < 127 ? (uint8_t)path[i] : 0);
    return b;
}

ByteBuilder& ExtTail(ByteBuilder& b, int source, int stretch, int centred, int l, int t, int r,
                     int bottom)
{
    b.I16(source).U8((uint8_t)stretch).U8((uint8_t)centred).I32(l).I32(t).I32(r).I32(bottom);
    b.U8(0).U8(0).I16(0).I16(0).I16(0).I32(0).I32(0).I32(0).I32(0);
    return b;
}

} // namespace

TEST(GraphImageRecords, ExtExtWritesEveryFieldInOrder)
{
    auto image = MakeExtExt();
    const Bytes dib = imagetest::QuadrantDib(4, 2);
    ByteBuilder b;
    b.I32(1000).I32(2000).I32(30000).I32(15000);
    for (int i = 0; i < 13; ++i)
        b.U8(0);
    Path128(b, "C:\\pics\\a.png");
    b.I16(165).I16(1156).I16(4).I16(2).I32((long long)dib.size());
    b.bytes.insert(b.bytes.end(), dib.begin(), dib.end());
    ExtTail(b, 1, 1, 0, 5, 10, 90, 95).I16(2);

    const Bytes saved = SaveObject(*image);
    EXPECT_EQ(b.bytes, saved);
    EXPECT_EQ(16u + 13 + 128 + (10 + dib.size() + 2) + 44 + 2, saved.size());
    EXPECT_EQ(189, image->GetTypeCode());

    CGraphImageExtExt back;
    back.SetSelected(true);
    back.SetLineWidth(700);
    ASSERT_TRUE(LoadObject(back, saved));
    EXPECT_EQ(saved, SaveObject(back));
    EXPECT_FALSE(back.IsSelected());
    EXPECT_EQ(0, back.GetLineWidth());
    EXPECT_STREQ("C:\\pics\\a.png", back.GetPath());
    EXPECT_EQ(2, back.GetImageColumn());
    EXPECT_TRUE(back.IsStretchToFit());
    EXPECT_FALSE(back.IsImageCentred());
    int l, t, r, bottom;
    back.GetCrop(&l, &t, &r, &bottom);
    EXPECT_EQ(5, l);
    EXPECT_EQ(95, bottom);
    EXPECT_EQ(dib, imagetest::GlobalBytes(static_cast<CImageBitmapNew*>(back.GetHolder())->Dib()));
}

TEST(GraphImageRecords, ExtRoundTripsEachHolderKind)
{
    std::vector<CImageBase*> holders;
    holders.push_back(new CImageBase);
    auto* metafile = new CImageMetafile;
    {
        Bytes body;
        imagetest::Append32(body, 25400);
        imagetest::Append32(body, 12700);
        const Bytes bits = imagetest::TwoColourMetafileBits();
        imagetest::Append32(body, (uint32_t)bits.size());
        imagetest::Append(body, bits);
        ASSERT_TRUE(imagetest::LoadBytes(*metafile, body));
    }
    holders.push_back(metafile);
    {
        // An old bitmap record: magic, size, header size, header, biSizeImage bytes of bits.
        Bytes header = imagetest::InfoHeader(2, 2, 24, BI_RGB, 16);
        Bytes body;
        imagetest::Append16(body, 1234);
        imagetest::Append16(body, 2);
        imagetest::Append16(body, 2);
        imagetest::Append16(body, (int)header.size());
        imagetest::Append(body, header);
        body.resize(body.size() + 16, 0x40);
        auto* bitmap = new CImageBitmap;
        ASSERT_TRUE(imagetest::LoadBytes(*bitmap, body));
        holders.push_back(bitmap);
    }
    for (CImageBase* holder : holders) {
        SCOPED_TRACE(holder->GetTypeCode());
        CGraphImageExt image;
        image.SetWidth(20000);
        image.SetHeight(10000);
        image.SetHolder(holder);
        image.SetImageSource(kImageSourceTable);
        const Bytes saved = SaveObject(image);
        EXPECT_EQ(holder->GetTypeCode(), saved[kHolderOffset] | (saved[kHolderOffset + 1] << 8));
        CGraphImageExt back;
        ULONGLONG consumed = 0;
        ASSERT_TRUE(LoadObject(back, saved, -1, &consumed));
        EXPECT_EQ(saved.size(), consumed);
        EXPECT_EQ(holder->GetTypeCode(), back.GetHolder()->GetTypeCode());
        EXPECT_EQ(saved, SaveObject(back));
        EXPECT_EQ(kImageSourceTable, back.GetImageSource());
    }
}

TEST(GraphImageRecords, ReservedFieldsAreKeptByRecordsButNotByCopies)
{
    ByteBuilder b;
    b.I32(0).I32(0).I32(100).I32(100);
    for (int i = 0; i < 13; ++i)
        b.U8(0);
    Path128(b, "");
    b.I16(162);
    b.I16(1).U8(0).U8(1).I32(0).I32(0).I32(100).I32(100);
    b.U8(7).U8(8).I16(-1).I16(2).I16(3).I32(4).I32(5).I32(-6).I32(7);
    CGraphImageExt image;
    ASSERT_TRUE(LoadObject(image, b.bytes));
    EXPECT_EQ(b.bytes, SaveObject(image));

    std::unique_ptr<CGraphObject> copy(image.Clone());
    const Bytes copied = SaveObject(*copy);
    ASSERT_EQ(b.bytes.size(), copied.size());
    const size_t reserved = b.bytes.size() - 24;
    EXPECT_TRUE(std::equal(b.bytes.begin(), b.bytes.begin() + reserved, copied.begin()));
    EXPECT_EQ(Bytes(24, 0), Bytes(copied.begin() + reserved, copied.end()));
}

TEST(GraphImageRecords, HolderCodeZeroReadsAsTheEmptyPictureAndWrites162)
{
    ByteBuilder b;
    b.I32(10).I32(20).I32(300).I32(400);
    for (int i = 0; i < 13; ++i)
        b.U8(0);
    Path128(b, "x.png");
    b.I16(0);
    ExtTail(b, 1, 0, 1, 0, 0, 100, 100).I16(1);
    CGraphImageExtExt image;
    ULONGLONG consumed = 0;
    ASSERT_TRUE(LoadObject(image, b.bytes, -1, &consumed));
    EXPECT_EQ(b.bytes.size(), consumed);
    ASSERT_NE(nullptr, image.GetHolder());
    EXPECT_EQ(kImageHolderEmpty, image.GetHolder()->GetTypeCode());
    Bytes expected = b.bytes;
    expected[kHolderOffset] = 162;
    EXPECT_EQ(expected, SaveObject(image));
}

TEST(GraphImageRecords, UnknownHolderCodeSaysKeyAndLeavesTheObjectAsItWas)
{
    auto image = MakeExtExt();
    const Bytes before = SaveObject(*image);
    Bytes damaged = before;
    damaged[kHolderOffset] = 170;
    MessageBoxRecorder boxes;
    EXPECT_FALSE(LoadObject(*image, damaged));
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_STREQ("key = 170", boxes.Last().text);
    EXPECT_EQ(before, SaveObject(*image));
}

// The record keeps 127 characters of path. A path of that length goes through whole; a longer
// one is refused by the object (nothing changes), so no record ever holds a cut path that names
// another file. Only a picture from a table row may be longer: its path is written empty.
TEST(GraphImageRecords, PathsThatDoNotFitTheRecordAreRefusedNeverCut)
{
    CGraphImageExtExt image;
    const std::string fits = "C:\\" + std::string(120, 'p') + ".png";
    ASSERT_EQ(127u, fits.size());
    ASSERT_TRUE(image.SetImagePath(fits.c_str()));
    const Bytes saved = SaveObject(image);
    const std::string field(saved.begin() + 29, saved.begin() + 29 + 128);
    EXPECT_EQ(fits + '\0', field);
    CGraphImageExtExt back;
    ASSERT_TRUE(LoadObject(back, saved));
    EXPECT_STREQ(fits.c_str(), back.GetPath());

    const std::string longer = "C:\\" + std::string(121, 'p') + ".png";
    EXPECT_TRUE(CGraphImage::PathFitsRecord(fits.c_str()));
    EXPECT_FALSE(CGraphImage::PathFitsRecord(longer.c_str()));
    EXPECT_FALSE(image.SetImagePath(longer.c_str()));
    EXPECT_FALSE(image.SetImagePath(std::string(400, 'q').c_str()));
    EXPECT_STREQ(fits.c_str(), image.GetPath());
    EXPECT_EQ(saved, SaveObject(image));
}

TEST(GraphImageRecords, TruncatedRecordsFailAndChangeNothing)
{
    // An ExtExt record and an Ext record holding a metafile.
    const Bytes extExtFull = SaveObject(*MakeExtExt());
    CGraphImageExt metafileImage;
    TempDir dir;
    ASSERT_TRUE(metafileImage.SetImagePath(WriteTwoColourWmf(dir, "m.wmf")));
    DibCanvas canvas(50, 50);
    metafileImage.Draw(&canvas.dc(), 100, 0, 0, false, 1, 4, 300, 300, nullptr, nullptr, false);
    const Bytes extFull = SaveObject(metafileImage);
    ASSERT_GT(extFull.size(), 203u);

    for (size_t n = 0; n < extExtFull.size(); ++n) {
        auto image = MakeExtExt();
        image->SetX(-5);
        const Bytes before = SaveObject(*image);
        ASSERT_FALSE(LoadObject(*image, extExtFull, (long)n)) << n;
        ASSERT_EQ(before, SaveObject(*image)) << n;
    }
    CGraphImageExt ext;
    ext.SetImageSource(kImageSourceTable);
    const Bytes before = SaveObject(ext);
    for (size_t n = 0; n < extFull.size(); ++n) {
        ASSERT_FALSE(LoadObject(ext, extFull, (long)n)) << n;
        ASSERT_EQ(before, SaveObject(ext)) << n;
    }
    ASSERT_TRUE(LoadObject(ext, extFull));
    EXPECT_EQ(extFull, SaveObject(ext));
}

TEST(GraphImageRecords, MutatedRecordsNeitherCrashNorHalfLoad)
{
    MessageBoxRecorder boxes;
    const Bytes good = SaveObject(*MakeExtExt());
    DibCanvas canvas(120, 80);
    for (size_t at = 0; at < good.size(); ++at) {
        for (uint8_t value : {uint8_t(0xFF), uint8_t(0x80), uint8_t(0x00)}) {
            Bytes damaged = good;
            damaged[at] = value;
            CGraphImageExtExt image;
            image.SetX(-77);
            const Bytes before = SaveObject(image);
            if (!LoadObject(image, damaged)) {
                ASSERT_EQ(before, SaveObject(image)) << at;
                continue;
            }
            // Whatever was accepted draws without harm.
            image.Draw(&canvas.dc(), 10, 0, 0, true, 1, 4, 300, 300, nullptr, nullptr, false);
        }
    }
}
