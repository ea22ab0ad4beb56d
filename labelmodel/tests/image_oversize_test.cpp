// Picture files that claim more pixels than a holder can keep: the holder refuses them from the
// claimed size, makes no large allocation on the way, and keeps the picture it had.
#include "imagetestutil.h"

#include "imaging/imaging.h"
#include "testsupport/allocationprobe.h"
#include "testsupport/claimedpictures.h"
#include "testsupport/codecfixture.h"
#include "testsupport/dibcanvas.h"
#include "testsupport/tempdir.h"

#include <gtest/gtest.h>
#include <objbase.h>
#include <memory>
#include <string>

namespace {

class OversizeHolder : public CodecLoadFixture {
protected:
    CString Write(const char* name, const std::string& bytes)
    {
        const CString path = m_dir.Path(name);
        EXPECT_TRUE(picturefiles::WriteFileBytes(path, bytes.data(), bytes.size()));
        return path;
    }
};

} // namespace

TEST_F(OversizeHolder, ClaimedSizesAreRefusedAndTheHolderKeepsItsPicture)
{
    const CString good = m_dir.Path("good.png");
    ASSERT_TRUE(picturefiles::WritePicture(good, GUID_ContainerFormatPng, 8, 6, picturefiles::QuadrantPixels(8, 6)));
    CImageBitmapNew holder;
    ASSERT_TRUE(holder.LoadFromFile(good));
    const imagetest::Bytes before = imagetest::SavedBytes(holder);

    const struct {
        const char* name;
        std::string bytes;
    } files[] = {
        {"wide.bmp", claimedpictures::BmpClaiming(40000, 10)},
        {"huge.bmp", claimedpictures::BmpClaiming(5505040, 12)},
        {"huger.bmp", claimedpictures::BmpClaiming(5000000, 12)},
        {"wide.png", claimedpictures::PngClaiming(40000, 10)},
        {"huge.png", claimedpictures::PngClaiming(5000000, 12)},
        {"wide.jpg", claimedpictures::JpegClaiming(m_dir.Path("scratch1.jpg"), 40000, 10)},
        {"widest.jpg", claimedpictures::JpegClaiming(m_dir.Path("scratch2.jpg"), 65500, 12)},
    };
    for (const auto& f : files) {
        ASSERT_FALSE(f.bytes.empty()) << f.name;
        const CString path = Write(f.name, f.bytes);
        bool loaded;
        uint64_t largest;
        {
            AllocationProbe probe(kCodecModules, 1);
            ASSERT_TRUE(probe.Hooked());
            loaded = holder.LoadFromFile(path);
            largest = probe.LargestRequest();
        }
        EXPECT_FALSE(loaded) << f.name;
        EXPECT_LT(largest, kLargeRequest) << f.name;
        EXPECT_EQ(before, imagetest::SavedBytes(holder)) << f.name;
        EXPECT_EQ(8, holder.Width());
        EXPECT_EQ(6, holder.Height());

        // An image object drawing the file by its path: nothing drawn, nothing large asked for.
        std::unique_ptr<CImageBase> fresh(CreateImageHolderForFile(path));
        ASSERT_NE(nullptr, fresh.get()) << f.name;
        DibCanvas canvas(60, 60);
        {
            AllocationProbe probe(kCodecModules, 1);
            fresh->Draw(&canvas.dc(), path, 0, 0, 60, 60, 0, 0, 100, 100, kImageCentre);
            largest = probe.LargestRequest();
        }
        EXPECT_TRUE(fresh->IsEmpty()) << f.name;
        EXPECT_TRUE(canvas.Extent().IsRectEmpty()) << f.name;
        EXPECT_LT(largest, kLargeRequest) << f.name;
    }
}
