#include "imaging/imaging.h"

#include "imaging/dib.h"
#include "testsupport/picturefiles.h"
#include "testsupport/tempdir.h"

#include <gtest/gtest.h>
#include <cstring>
#include <string>
#include <vector>

using namespace picturefiles;

namespace {

// A folder of its own under %TEMP% for the fixtures of one test.
class ImagingFiles : public ::testing::Test {
protected:
    std::string Path(const char* name) { return std::string(m_dir.Path(name)); }
    TempDir m_dir;
};

// The pixel at (x, y), counted from the top, of a 24-bit bottom-up packed DIB.
COLORREF DibPixel(HGLOBAL dib, int x, int y)
{
    const BYTE* p = static_cast<const BYTE*>(GlobalLock(dib));
    const auto* bih = reinterpret_cast<const BITMAPINFOHEADER*>(p);
    const UINT stride = DibStride(bih->biWidth, 24);
    const BYTE* px = p + bih->biSize + (size_t)(bih->biHeight - 1 - y) * stride + (size_t)x * 3;
    const COLORREF c = RGB(px[2], px[1], px[0]);
    GlobalUnlock(dib);
    return c;
}

// Checks that `dib` is a 24-bit bottom-up DIB of the given size.
void ExpectDib24(HGLOBAL dib, int width, int height)
{
    ASSERT_NE(nullptr, dib);
    DibLayout d;
    ASSERT_TRUE(DescribeDibHandle(dib, d));
    EXPECT_EQ(24, d.bitCount);
    EXPECT_EQ(40u, d.headerSize);
    EXPECT_FALSE(d.topDown);
    EXPECT_EQ(width, d.width);
    EXPECT_EQ(height, d.height);
}

void ExpectQuadrants(HGLOBAL dib, int width, int height, int tolerance)
{
    const int qx = width / 4, qy = height / 4;
    EXPECT_TRUE(NearColour(RGB(255, 0, 0), DibPixel(dib, qx, qy), tolerance));
    EXPECT_TRUE(NearColour(RGB(0, 255, 0), DibPixel(dib, 3 * qx, qy), tolerance));
    EXPECT_TRUE(NearColour(RGB(0, 0, 255), DibPixel(dib, qx, 3 * qy), tolerance));
    EXPECT_TRUE(NearColour(RGB(255, 255, 0), DibPixel(dib, 3 * qx, 3 * qy), tolerance));
}

struct Format {
    const char* name;
    const GUID* container;
    ImageFileType type;
    HGLOBAL (*load)(const char*);
    int tolerance;
};

const Format kFormats[] = {
    {"q.png", &GUID_ContainerFormatPng, ImageFileType::Png, LoadPngAsDib, 0},
    {"q.jpg", &GUID_ContainerFormatJpeg, ImageFileType::Jpeg, LoadJpegAsDib, 24},
    {"q.bmp", &GUID_ContainerFormatBmp, ImageFileType::Bmp, LoadBmpAsDib, 0},
};

TEST_F(ImagingFiles, EncodedFilesGiveTypeSizeAndPixels)
{
    for (const Format& f : kFormats) {
        SCOPED_TRACE(f.name);
        const std::string path = Path(f.name);
        ASSERT_TRUE(WritePicture(path.c_str(), *f.container, 64, 48, QuadrantPixels(64, 48)));
        ImageFileInfo info;
        ASSERT_TRUE(ReadImageFileInfo(path.c_str(), info));
        EXPECT_EQ(f.type, info.type);
        EXPECT_EQ(64, info.width);
        EXPECT_EQ(48, info.height);
        HGLOBAL dib = f.load(path.c_str());
        ASSERT_NE(nullptr, dib);
        ExpectDib24(dib, 64, 48);
        ExpectQuadrants(dib, 64, 48, f.tolerance);
        GlobalFree(dib);
    }
    EXPECT_STREQ("JPEG", ImageFileTypeName(ImageFileType::Jpeg));
    EXPECT_STREQ("BMP", ImageFileTypeName(ImageFileType::Bmp));
    EXPECT_STREQ("PNG", ImageFileTypeName(ImageFileType::Png));
    EXPECT_STREQ("", ImageFileTypeName(ImageFileType::Unknown));
}

TEST_F(ImagingFiles, TypeComesFromTheContentAndEachLoaderReadsOnlyItsOwn)
{
    // A PNG under a .jpg name is a PNG.
    const std::string path = Path("png-named.jpg");
    ASSERT_TRUE(WritePicture(path.c_str(), GUID_ContainerFormatPng, 8, 8, QuadrantPixels(8, 8)));
    ImageFileInfo info;
    ASSERT_TRUE(ReadImageFileInfo(path.c_str(), info));
    EXPECT_EQ(ImageFileType::Png, info.type);
    EXPECT_EQ(nullptr, LoadJpegAsDib(path.c_str()));
    EXPECT_EQ(nullptr, LoadBmpAsDib(path.c_str()));
    HGLOBAL dib = LoadPngAsDib(path.c_str());
    EXPECT_NE(nullptr, dib);
    GlobalFree(dib);
}

TEST_F(ImagingFiles, OtherFormatsAndNonPicturesAreNotLoaded)
{
    const std::string gif = Path("g.gif");
    ASSERT_TRUE(WriteSmallGif(gif.c_str()));
    ASSERT_EQ(GUID_ContainerFormatGif, DecodedContainer(gif.c_str()));   // a picture, of another format
    {
        ImageFileInfo info;
        ASSERT_TRUE(ReadImageFileInfo(gif.c_str(), info));
        EXPECT_EQ(ImageFileType::Unknown, info.type);
        EXPECT_EQ(nullptr, LoadPngAsDib(gif.c_str()));
    }
    const std::string text = Path("t.png");
    ASSERT_TRUE(WriteFileBytes(text.c_str(), "not a picture at all", 20));
    ImageFileInfo info;
    info.type = ImageFileType::Png;
    EXPECT_FALSE(ReadImageFileInfo(text.c_str(), info));
    EXPECT_EQ(nullptr, LoadPngAsDib(text.c_str()));
    const std::string missing = Path("missing.png");
    EXPECT_FALSE(ReadImageFileInfo(missing.c_str(), info));
    EXPECT_EQ(nullptr, LoadPngAsDib(missing.c_str()));
    EXPECT_EQ(nullptr, LoadPngAsDib(""));
    EXPECT_EQ(nullptr, LoadPngAsDib(nullptr));
    EXPECT_FALSE(ReadImageFileInfo(nullptr, info));
}

// BMP file bytes written by hand: an 8-bit palette picture, stored top-down or bottom-up.
std::vector<BYTE> PaletteBmp(int width, int height, bool topDown)
{
    const UINT stride = (UINT)((width + 3) & ~3);
    const UINT offset = 14 + 40 + 4 * 4;
    std::vector<BYTE> b(offset + stride * height, 0);
    auto put16 = [&](size_t at, uint16_t v) { std::memcpy(&b[at], &v, 2); };
    auto put32 = [&](size_t at, uint32_t v) { std::memcpy(&b[at], &v, 4); };
    b[0] = 'B';
    b[1] = 'M';
    put32(2, (uint32_t)b.size());
    put32(10, offset);
    put32(14, 40);
    put32(18, (uint32_t)width);
    put32(22, (uint32_t)(topDown ? -height : height));
    put16(26, 1);
    put16(28, 8);
    put32(46, 4);                                       // colours used
    const COLORREF palette[4] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), RGB(255, 255, 0)};
    for (int i = 0; i < 4; ++i) {
        b[54 + i * 4] = GetBValue(palette[i]);
        b[54 + i * 4 + 1] = GetGValue(palette[i]);
        b[54 + i * 4 + 2] = GetRValue(palette[i]);
    }
    for (int y = 0; y < height; ++y) {
        const int row = topDown ? y : height - 1 - y;
        for (int x = 0; x < width; ++x)
            b[offset + row * stride + x] = (BYTE)((x >= width / 2 ? 1 : 0) + (y >= height / 2 ? 2 : 0));
    }
    return b;
}

TEST_F(ImagingFiles, HandWrittenPaletteBmpsBothWaysUp)
{
    for (bool topDown : {false, true}) {
        SCOPED_TRACE(topDown);
        const std::string path = Path(topDown ? "down.bmp" : "up.bmp");
        const std::vector<BYTE> bytes = PaletteBmp(10, 6, topDown);
        ASSERT_TRUE(WriteFileBytes(path.c_str(), bytes.data(), bytes.size()));
        ImageFileInfo info;
        ASSERT_TRUE(ReadImageFileInfo(path.c_str(), info));
        EXPECT_EQ(ImageFileType::Bmp, info.type);
        EXPECT_EQ(10, info.width);
        EXPECT_EQ(6, info.height);
        HGLOBAL dib = LoadBmpAsDib(path.c_str());
        ASSERT_NE(nullptr, dib);
        ExpectDib24(dib, 10, 6);
        ExpectQuadrants(dib, 10, 6, 0);
        EXPECT_EQ(RGB(255, 0, 0), DibPixel(dib, 0, 0));
        EXPECT_EQ(RGB(255, 255, 0), DibPixel(dib, 9, 5));
        GlobalFree(dib);
    }
}

TEST_F(ImagingFiles, TruncatedFilesFailCleanly)
{
    for (const Format& f : kFormats) {
        SCOPED_TRACE(f.name);
        const std::string whole = Path(f.name);
        ASSERT_TRUE(WritePicture(whole.c_str(), *f.container, 32, 24, QuadrantPixels(32, 24)));
        const std::string bytes = ReadFileBytes(whole.c_str());
        ASSERT_FALSE(bytes.empty());
        const std::string cut = Path((std::string("cut-") + f.name).c_str());
        const size_t step = bytes.size() / 24 + 1;
        for (size_t n = 0; n < bytes.size(); n += (n < 32 ? 1 : step)) {
            ASSERT_TRUE(WriteFileBytes(cut.c_str(), bytes.data(), n));
            ImageFileInfo info;
            ReadImageFileInfo(cut.c_str(), info);
            // A decoder may fill a truncated picture's missing rows, but whatever comes back must
            // be a whole DIB of the size the file announced.
            HGLOBAL dib = f.load(cut.c_str());
            if (dib) {
                DibLayout d;
                EXPECT_TRUE(DescribeDibHandle(dib, d)) << n;
                EXPECT_EQ(32, d.width) << n;
                GlobalFree(dib);
            }
        }
    }
}

TEST_F(ImagingFiles, CorruptedHeadersFailCleanly)
{
    // Every byte of the file and info headers and the palette set to values that make sizes lie.
    const std::vector<BYTE> good = PaletteBmp(10, 6, false);
    const std::string path = Path("bad.bmp");
    for (size_t at = 0; at < 70; ++at) {
        for (BYTE value : {BYTE(0x00), BYTE(0xFF)}) {
            std::vector<BYTE> bad = good;
            bad[at] = value;
            ASSERT_TRUE(WriteFileBytes(path.c_str(), bad.data(), bad.size()));
            HGLOBAL dib = LoadBmpAsDib(path.c_str());
            if (dib) {
                DibLayout d;
                EXPECT_TRUE(DescribeDibHandle(dib, d)) << at;
                GlobalFree(dib);
            }
        }
    }
    const std::string png = Path("bad.png");
    ASSERT_TRUE(WritePicture(png.c_str(), GUID_ContainerFormatPng, 16, 16, QuadrantPixels(16, 16)));
    const std::string bytes = ReadFileBytes(png.c_str());
    for (size_t at = 8; at < 40 && at < bytes.size(); ++at) {
        std::string bad = bytes;
        bad[at] = (char)0xFF;
        ASSERT_TRUE(WriteFileBytes(png.c_str(), bad.data(), bad.size()));
        HGLOBAL dib = LoadPngAsDib(png.c_str());
        if (dib)
            GlobalFree(dib);
    }
}

// A packed DIB from its parts, written field by field.
HGLOBAL PackedDib(int width, int height, int bitCount, const std::vector<COLORREF>& colours,
                  const std::vector<BYTE>& bits)
{
    std::vector<BYTE> b(40 + colours.size() * 4 + bits.size(), 0);
    auto put16 = [&](size_t at, uint16_t v) { std::memcpy(&b[at], &v, 2); };
    auto put32 = [&](size_t at, uint32_t v) { std::memcpy(&b[at], &v, 4); };
    put32(0, 40);
    put32(4, (uint32_t)width);
    put32(8, (uint32_t)height);
    put16(12, 1);
    put16(14, (uint16_t)bitCount);
    put32(32, (uint32_t)colours.size());
    for (size_t i = 0; i < colours.size(); ++i) {
        b[40 + i * 4] = GetBValue(colours[i]);
        b[40 + i * 4 + 1] = GetGValue(colours[i]);
        b[40 + i * 4 + 2] = GetRValue(colours[i]);
    }
    std::memcpy(&b[40 + colours.size() * 4], bits.data(), bits.size());
    return CopyToGlobal(b.data(), b.size());
}

// 3 x 2 picture, top row A B C, bottom row D E F, as a 24-bit bottom-up DIB.
const COLORREF A = RGB(10, 0, 0), B = RGB(20, 0, 0), C = RGB(30, 0, 0);
const COLORREF D = RGB(0, 40, 0), E = RGB(0, 50, 0), F = RGB(0, 60, 0);

HGLOBAL SixPixels()
{
    std::vector<BYTE> bits(2 * 12, 0);
    const COLORREF rows[2][3] = {{D, E, F}, {A, B, C}};   // bottom row first
    for (int r = 0; r < 2; ++r)
        for (int x = 0; x < 3; ++x) {
            bits[r * 12 + x * 3] = GetBValue(rows[r][x]);
            bits[r * 12 + x * 3 + 1] = GetGValue(rows[r][x]);
            bits[r * 12 + x * 3 + 2] = GetRValue(rows[r][x]);
        }
    return PackedDib(3, 2, 24, {}, bits);
}

TEST(ImagingRotation, QuarterTurnsBothWays)
{
    HGLOBAL dib = SixPixels();
    ASSERT_TRUE(RotateDibQuarterTurn(dib, QuarterTurn::Clockwise));
    ExpectDib24(dib, 2, 3);
    // Clockwise:  D A / E B / F C
    const COLORREF cw[3][2] = {{D, A}, {E, B}, {F, C}};
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 2; ++x)
            EXPECT_EQ(cw[y][x], DibPixel(dib, x, y)) << x << "," << y;
    GlobalFree(dib);

    dib = SixPixels();
    ASSERT_TRUE(RotateDibQuarterTurn(dib, QuarterTurn::CounterClockwise));
    ExpectDib24(dib, 2, 3);
    // Counter-clockwise:  C F / B E / A D
    const COLORREF ccw[3][2] = {{C, F}, {B, E}, {A, D}};
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 2; ++x)
            EXPECT_EQ(ccw[y][x], DibPixel(dib, x, y)) << x << "," << y;
    // And back.
    ASSERT_TRUE(RotateDibQuarterTurn(dib, QuarterTurn::Clockwise));
    ExpectDib24(dib, 3, 2);
    EXPECT_EQ(A, DibPixel(dib, 0, 0));
    EXPECT_EQ(F, DibPixel(dib, 2, 1));
    GlobalFree(dib);
}

TEST(ImagingRotation, PaletteAndTopDownPicturesTurnToo)
{
    // 8-bit palette, 2 x 1: red, blue.
    HGLOBAL dib = PackedDib(2, 1, 8, {RGB(255, 0, 0), RGB(0, 0, 255)}, {0, 1, 0, 0});
    ASSERT_TRUE(RotateDibQuarterTurn(dib, QuarterTurn::Clockwise));
    ExpectDib24(dib, 1, 2);
    EXPECT_EQ(RGB(255, 0, 0), DibPixel(dib, 0, 0));
    EXPECT_EQ(RGB(0, 0, 255), DibPixel(dib, 0, 1));
    GlobalFree(dib);

    // 24-bit top-down, 1 x 2: green above white.
    std::vector<BYTE> bits = {0, 255, 0, 0, 255, 255, 255, 0};
    dib = PackedDib(1, -2, 24, {}, bits);
    ASSERT_TRUE(RotateDibQuarterTurn(dib, QuarterTurn::Clockwise));
    ExpectDib24(dib, 2, 1);
    EXPECT_EQ(RGB(255, 255, 255), DibPixel(dib, 0, 0));
    EXPECT_EQ(RGB(0, 255, 0), DibPixel(dib, 1, 0));
    GlobalFree(dib);
}

TEST(ImagingRotation, InvalidBlocksAreLeftAlone)
{
    HGLOBAL nothing = nullptr;
    EXPECT_FALSE(RotateDibQuarterTurn(nothing, QuarterTurn::Clockwise));
    HGLOBAL junk = CopyToGlobal("0123456789", 10);
    HGLOBAL before = junk;
    EXPECT_FALSE(RotateDibQuarterTurn(junk, QuarterTurn::Clockwise));
    EXPECT_EQ(before, junk);
    GlobalFree(junk);
    // A header claiming more rows than the block holds.
    HGLOBAL shortDib = PackedDib(3, 20, 24, {}, std::vector<BYTE>(24, 0));
    before = shortDib;
    EXPECT_FALSE(RotateDibQuarterTurn(shortDib, QuarterTurn::CounterClockwise));
    EXPECT_EQ(before, shortDib);
    GlobalFree(shortDib);
}

} // namespace
