#include "imaging/dib.h"

#include <gtest/gtest.h>
#include <cstring>
#include <vector>

namespace {

void Put16(std::vector<BYTE>& b, size_t at, uint16_t v) { std::memcpy(&b[at], &v, 2); }
void Put32(std::vector<BYTE>& b, size_t at, uint32_t v) { std::memcpy(&b[at], &v, 4); }

// A BITMAPINFOHEADER written field by field, followed by `extra` zero bytes.
std::vector<BYTE> InfoHeader(int32_t width, int32_t height, int bitCount, uint32_t compression,
                             uint32_t clrUsed, size_t extra, uint32_t sizeImage = 0,
                             uint32_t headerSize = 40)
{
    std::vector<BYTE> b(headerSize + extra, 0);
    Put32(b, 0, headerSize);
    Put32(b, 4, (uint32_t)width);
    Put32(b, 8, (uint32_t)height);
    Put16(b, 12, 1);
    Put16(b, 14, (uint16_t)bitCount);
    Put32(b, 16, compression);
    Put32(b, 20, sizeImage);
    Put32(b, 32, clrUsed);
    return b;
}

TEST(DibLayout, UncompressedSizesAndOffsets)
{
    struct Case { int w, h, bpp; uint32_t clrUsed; UINT colours, stride; };
    const Case cases[] = {
        {5, 3, 1, 0, 2, 4},   {5, 3, 4, 0, 16, 4},   {5, 3, 8, 0, 256, 8},   {5, 3, 8, 7, 7, 8},
        {5, 3, 16, 0, 0, 12}, {5, 3, 24, 0, 0, 16},  {5, 3, 32, 0, 0, 20},   {5, 3, 24, 16, 16, 16},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bpp);
        const UINT table = c.colours * 4;
        std::vector<BYTE> dib = InfoHeader(c.w, c.h, c.bpp, BI_RGB, c.clrUsed, table + c.stride * c.h);
        DibLayout d;
        ASSERT_TRUE(DescribeDib(dib.data(), dib.size(), d));
        EXPECT_EQ(40u, d.headerSize);
        EXPECT_EQ(c.colours, d.colourCount);
        EXPECT_EQ(40u + table, d.bitsOffset);
        EXPECT_EQ(c.stride * c.h, d.bitsSize);
        EXPECT_EQ(dib.size(), d.TotalSize());
        // One byte fewer than the header claims is not a DIB.
        EXPECT_FALSE(DescribeDib(dib.data(), dib.size() - 1, d));
    }
}

TEST(DibLayout, TopDownCountsAbsoluteHeight)
{
    std::vector<BYTE> dib = InfoHeader(4, -6, 24, BI_RGB, 0, 12 * 6);
    DibLayout d;
    ASSERT_TRUE(DescribeDib(dib.data(), dib.size(), d));
    EXPECT_TRUE(d.topDown);
    EXPECT_EQ(6, d.height);
    EXPECT_EQ(72u, d.bitsSize);
}

TEST(DibLayout, SizeImageIsIgnoredForUncompressedButRequiredForRle)
{
    // A lying biSizeImage neither shrinks nor grows what an uncompressed DIB needs.
    std::vector<BYTE> dib = InfoHeader(4, 2, 24, BI_RGB, 0, 24, 5);
    DibLayout d;
    ASSERT_TRUE(DescribeDib(dib.data(), dib.size(), d));
    EXPECT_EQ(24u, d.bitsSize);
    std::vector<BYTE> rle = InfoHeader(4, 2, 8, BI_RLE8, 2, 8 + 10, 10);
    ASSERT_TRUE(DescribeDib(rle.data(), rle.size(), d));
    EXPECT_EQ(10u, d.bitsSize);
    EXPECT_FALSE(DescribeDib(rle.data(), rle.size() - 1, d));
    std::vector<BYTE> rleNoSize = InfoHeader(4, 2, 8, BI_RLE8, 2, 8 + 10, 0);
    EXPECT_FALSE(DescribeDib(rleNoSize.data(), rleNoSize.size(), d));
    std::vector<BYTE> rleTopDown = InfoHeader(4, -2, 8, BI_RLE8, 2, 8 + 10, 10);
    EXPECT_FALSE(DescribeDib(rleTopDown.data(), rleTopDown.size(), d));
}

TEST(DibLayout, BitfieldMasksMustBeHeld)
{
    // 40-byte header: three masks follow it before the bits.
    std::vector<BYTE> dib = InfoHeader(2, 2, 16, BI_BITFIELDS, 0, 12 + 8);
    DibLayout d;
    ASSERT_TRUE(DescribeDib(dib.data(), dib.size(), d));
    EXPECT_EQ(12u, d.maskBytes);
    EXPECT_EQ(52u, d.bitsOffset);
    EXPECT_FALSE(DescribeDib(dib.data(), 50, d));
    // V5 header: masks inside the header.
    std::vector<BYTE> v5 = InfoHeader(2, 2, 32, BI_BITFIELDS, 0, 16, 0, 124);
    ASSERT_TRUE(DescribeDib(v5.data(), v5.size(), d));
    EXPECT_EQ(0u, d.maskBytes);
    EXPECT_EQ(124u, d.bitsOffset);
    // Bit fields only for 16 and 32 bits per pixel.
    std::vector<BYTE> bad = InfoHeader(2, 2, 24, BI_BITFIELDS, 0, 12 + 16);
    EXPECT_FALSE(DescribeDib(bad.data(), bad.size(), d));
}

TEST(DibLayout, CoreHeaderHasThreeByteColours)
{
    std::vector<BYTE> dib(12 + 2 * 3 + 4, 0);
    Put32(dib, 0, 12);
    Put16(dib, 4, 3);
    Put16(dib, 6, 1);
    Put16(dib, 8, 1);
    Put16(dib, 10, 1);
    DibLayout d;
    ASSERT_TRUE(DescribeDib(dib.data(), dib.size(), d));
    EXPECT_EQ(2u, d.colourCount);
    EXPECT_EQ(3u, d.colourEntrySize);
    EXPECT_EQ(18u, d.bitsOffset);
    EXPECT_EQ(4u, d.bitsSize);
}

TEST(DibLayout, PaletteIndexColoursAreTwoBytes)
{
    std::vector<BYTE> dib = InfoHeader(4, 1, 8, BI_RGB, 3, 6 + 4);
    DibLayout d;
    ASSERT_TRUE(DescribeDib(dib.data(), dib.size(), d, DibColours::PaletteIndices));
    EXPECT_EQ(46u, d.bitsOffset);
    EXPECT_FALSE(DescribeDib(dib.data(), dib.size(), d, DibColours::Rgb));
}

TEST(DibLayout, RejectsHeadersGdiWouldMisread)
{
    DibLayout d;
    const std::vector<std::vector<BYTE>> bad = {
        InfoHeader(0, 2, 24, BI_RGB, 0, 64),            // no width
        InfoHeader(-3, 2, 24, BI_RGB, 0, 64),           // negative width
        InfoHeader(3, 0, 24, BI_RGB, 0, 64),            // no height
        InfoHeader(3, INT32_MIN, 24, BI_RGB, 0, 64),    // height without absolute value
        InfoHeader(3, 2, 7, BI_RGB, 0, 64),             // no such depth
        InfoHeader(3, 2, 8, BI_RGB, 257, 64 + 1024),    // more colours than 8 bits index
        InfoHeader(3, 2, 24, BI_RGB, 300, 64 + 1200),   // absurd optional palette
        InfoHeader(3, 2, 24, BI_JPEG, 0, 64),           // compressed by a codec
        InfoHeader(3, 2, 24, BI_RGB, 0, 64, 0, 44),     // unknown header size
        InfoHeader(100000, 100000, 32, BI_RGB, 0, 64),  // far more pixels than anyone holds
        InfoHeader(0x7FFFFFFF, 1, 32, BI_RGB, 0, 64),   // row size overflowing 32 bits
    };
    for (size_t i = 0; i < bad.size(); ++i)
        EXPECT_FALSE(DescribeDib(bad[i].data(), bad[i].size(), d)) << i;
    std::vector<BYTE> planes = InfoHeader(3, 2, 24, BI_RGB, 0, 64);
    Put16(planes, 12, 2);
    EXPECT_FALSE(DescribeDib(planes.data(), planes.size(), d));
    EXPECT_FALSE(DescribeDib(nullptr, 100, d));
}

TEST(DibLayout, EveryTruncationFailsCleanly)
{
    std::vector<BYTE> dib = InfoHeader(7, 5, 8, BI_RGB, 16, 16 * 4 + 8 * 5);
    DibLayout d;
    ASSERT_TRUE(DescribeDib(dib.data(), dib.size(), d));
    for (size_t n = 0; n < dib.size(); ++n) {
        std::vector<BYTE> cut(dib.begin(), dib.begin() + n);
        EXPECT_FALSE(DescribeDib(cut.data(), cut.size(), d)) << n;
    }
}

TEST(DibLayout, GlobalCopiesAreTrimmedToTheDib)
{
    std::vector<BYTE> dib = InfoHeader(2, 2, 24, BI_RGB, 0, 16 + 5);   // 5 bytes of slack
    HGLOBAL h = CopyToGlobal(dib.data(), dib.size());
    ASSERT_NE(nullptr, h);
    HGLOBAL copy = CopyDibHandle(h);
    ASSERT_NE(nullptr, copy);
    EXPECT_GE(GlobalSize(copy), 56u);
    DibLayout d;
    EXPECT_TRUE(DescribeDibHandle(copy, d));
    EXPECT_EQ(56u, d.TotalSize());
    GlobalFree(copy);
    GlobalFree(h);
    HGLOBAL junk = CopyToGlobal("abcd", 4);
    EXPECT_EQ(nullptr, CopyDibHandle(junk));
    GlobalFree(junk);
}

} // namespace
