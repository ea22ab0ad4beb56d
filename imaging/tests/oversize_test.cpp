// Pictures whose frames are larger than any holder can keep: refused from the frame's size, before
// a pixel buffer exists. The allocators are watched around each load, and the largest request must
// stay far below what the claimed picture would take.
#include "imaging/imaging.h"

#include "imaging/dib.h"
#include "testsupport/allocationprobe.h"
#include "testsupport/codecfixture.h"
#include "testsupport/claimedpictures.h"
#include "testsupport/tempdir.h"

#include <gtest/gtest.h>
#include <objbase.h>
#include <string>

using namespace picturefiles;

namespace {

class OversizePictures : public CodecLoadFixture {
protected:
    std::string Path(const char* name) { return std::string(m_dir.Path(name)); }
};

struct Claim {
    const char* name;
    HGLOBAL (*load)(const char*);
    std::string bytes;
    UINT width, height;
};

} // namespace

TEST(PictureSizeFits, SidesAndBytes)
{
    EXPECT_TRUE(PictureSizeFits(1, 1));
    EXPECT_TRUE(PictureSizeFits(32767, 1));
    EXPECT_TRUE(PictureSizeFits(1, 32767));
    EXPECT_FALSE(PictureSizeFits(32768, 1));
    EXPECT_FALSE(PictureSizeFits(1, 32768));
    EXPECT_FALSE(PictureSizeFits(0, 10));
    EXPECT_FALSE(PictureSizeFits(10, 0));
    EXPECT_FALSE(PictureSizeFits(40000, 10));
    EXPECT_FALSE(PictureSizeFits(5505040, 12));
    EXPECT_FALSE(PictureSizeFits(0xFFFFFFFFu, 0xFFFFFFFFu));
    // Both sides within 16 bits, but more pixel bytes than a holder keeps.
    EXPECT_FALSE(PictureSizeFits(32767, 32767));
    EXPECT_TRUE(PictureSizeFits(8192, 8192));
    const UINT rows = (kMaxDibBytes - sizeof(BITMAPINFOHEADER)) / DibStride(20000, 24);
    EXPECT_TRUE(PictureSizeFits(20000, rows));
    EXPECT_FALSE(PictureSizeFits(20000, rows + 1));
}

TEST_F(OversizePictures, ClaimedSizesAreRefusedWithoutALargeAllocation)
{
    const std::string jpegWide = claimedpictures::JpegClaiming(Path("scratch1.jpg").c_str(), 40000, 10);
    // JPEG keeps its sides in 16 bits: the widest it can claim.
    const std::string jpegWidest = claimedpictures::JpegClaiming(Path("scratch2.jpg").c_str(), 65500, 12);
    ASSERT_FALSE(jpegWide.empty());
    ASSERT_FALSE(jpegWidest.empty());
    const Claim claims[] = {
        {"wide.bmp", LoadBmpAsDib, claimedpictures::BmpClaiming(40000, 10), 40000, 10},
        {"huge.bmp", LoadBmpAsDib, claimedpictures::BmpClaiming(5505040, 12), 5505040, 12},
        {"huger.bmp", LoadBmpAsDib, claimedpictures::BmpClaiming(5000000, 12), 5000000, 12},
        {"tall.bmp", LoadBmpAsDib, claimedpictures::BmpClaiming(12, 5000000), 12, 5000000},
        {"wide.png", LoadPngAsDib, claimedpictures::PngClaiming(40000, 10), 40000, 10},
        {"huge.png", LoadPngAsDib, claimedpictures::PngClaiming(5000000, 12), 5000000, 12},
        {"wide.jpg", LoadJpegAsDib, jpegWide, 40000, 10},
        {"widest.jpg", LoadJpegAsDib, jpegWidest, 65500, 12},
    };
    ASSERT_EQ(315u, claims[1].bytes.size());
    for (const Claim& c : claims) {
        const std::string path = Path(c.name);
        ASSERT_TRUE(WriteFileBytes(path.c_str(), c.bytes.data(), c.bytes.size())) << c.name;
        ImageFileInfo info;
        if (ReadImageFileInfo(path.c_str(), info)) {
            // What the decoder reports is the claim itself.
            EXPECT_EQ(c.width, (UINT)info.width) << c.name;
            EXPECT_EQ(c.height, (UINT)info.height) << c.name;
        }
        HGLOBAL dib;
        uint64_t largest;
        int64_t growth;
        {
            AllocationProbe probe(kCodecModules, 1);
            ASSERT_TRUE(probe.Hooked());
            dib = c.load(path.c_str());
            largest = probe.LargestRequest();
            growth = probe.PrivateGrowth();
        }
        EXPECT_EQ(nullptr, dib) << c.name;
        if (dib)
            GlobalFree(dib);
        EXPECT_LT(largest, kLargeRequest) << c.name;
        EXPECT_LT(growth, int64_t(kLargeRequest)) << c.name;
    }
}

TEST_F(OversizePictures, RealPicturesTooWideAreRefusedAndTheLargestThatFitLoad)
{
    // Pictures that decode whole: only their size refuses them.
    struct Case {
        const char* name;
        const GUID* container;
        HGLOBAL (*load)(const char*);
    } cases[] = {
        {"real.png", &GUID_ContainerFormatPng, LoadPngAsDib},
        {"real.bmp", &GUID_ContainerFormatBmp, LoadBmpAsDib},
        {"real.jpg", &GUID_ContainerFormatJpeg, LoadJpegAsDib},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = Path(c.name);
        ASSERT_TRUE(WritePicture(path.c_str(), *c.container, 40000, 10, [](int x, int) {
            return x < 20000 ? RGB(255, 0, 0) : RGB(0, 0, 255);
        }));
        uint64_t largest;
        HGLOBAL dib;
        {
            AllocationProbe probe(kCodecModules, 1);
            dib = c.load(path.c_str());
            largest = probe.LargestRequest();
        }
        EXPECT_EQ(nullptr, dib);
        if (dib)
            GlobalFree(dib);
        // A decoder may read the file's own pixels; no 24-bit picture is made of them.
        EXPECT_LT(largest, kLargeRequest);

        ASSERT_TRUE(WritePicture(path.c_str(), *c.container, 32767, 2, [](int x, int) {
            return x < 16000 ? RGB(255, 0, 0) : RGB(0, 0, 255);
        }));
        dib = c.load(path.c_str());
        ASSERT_NE(nullptr, dib);
        DibLayout d;
        ASSERT_TRUE(DescribeDibHandle(dib, d));
        EXPECT_EQ(32767, d.width);
        EXPECT_EQ(2, d.height);
        GlobalFree(dib);
    }
}
