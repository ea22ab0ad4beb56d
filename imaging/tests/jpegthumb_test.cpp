#include "imaging/jpegthumb.h"

#include "testsupport/handjpeg.h"
#include "testsupport/picturefiles.h"
#include "testsupport/tempdir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

using namespace jpegthumb;
using handjpeg::HandJpeg;

namespace {

// The full decode by the Windows Imaging Component: R, G, B per pixel, top down.
struct FullPicture {
    int width = 0, height = 0;
    std::vector<uint8_t> rgb;
};

template <class T> void Release(T*& p)
{
    if (p)
        p->Release();
    p = nullptr;
}

bool DecodeWithWic(const char* path, FullPicture& out)
{
    const HRESULT init = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IWICImagingFactory* factory = nullptr;
    IWICBitmapDecoder* decoder = nullptr;
    IWICBitmapFrameDecode* frame = nullptr;
    IWICFormatConverter* converter = nullptr;
    wchar_t wide[MAX_PATH] = {};
    MultiByteToWideChar(CP_ACP, 0, path, -1, wide, MAX_PATH);
    UINT w = 0, h = 0;
    std::vector<BYTE> bgr;
    bool ok = SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                         reinterpret_cast<void**>(&factory))) &&
              SUCCEEDED(factory->CreateDecoderFromFilename(wide, nullptr, GENERIC_READ, WICDecodeMetadataCacheOnDemand,
                                                           &decoder)) &&
              SUCCEEDED(decoder->GetFrame(0, &frame)) && SUCCEEDED(frame->GetSize(&w, &h)) &&
              SUCCEEDED(factory->CreateFormatConverter(&converter)) &&
              SUCCEEDED(converter->Initialize(frame, GUID_WICPixelFormat32bppBGR, WICBitmapDitherTypeNone, nullptr, 0.0,
                                              WICBitmapPaletteTypeCustom));
    if (ok) {
        bgr.resize(static_cast<size_t>(w) * h * 4);
        ok = SUCCEEDED(converter->CopyPixels(nullptr, w * 4, static_cast<UINT>(bgr.size()), bgr.data()));
    }
    Release(converter);
    Release(frame);
    Release(decoder);
    Release(factory);
    if (SUCCEEDED(init))
        CoUninitialize();
    if (!ok)
        return false;
    out.width = static_cast<int>(w);
    out.height = static_cast<int>(h);
    out.rgb.resize(bgr.size() / 4 * 3);
    for (size_t i = 0, o = 0; i < bgr.size(); i += 4, o += 3) {
        out.rgb[o] = bgr[i + 2];
        out.rgb[o + 1] = bgr[i + 1];
        out.rgb[o + 2] = bgr[i];
    }
    return true;
}

// A grey JPEG by the Windows Imaging Component's encoder (one component).
bool WriteGreyJpeg(const char* path, int width, int height, const std::function<int(int, int)>& grey)
{
    const HRESULT init = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IWICImagingFactory* factory = nullptr;
    IWICStream* stream = nullptr;
    IWICBitmapEncoder* encoder = nullptr;
    IWICBitmapFrameEncode* frame = nullptr;
    IPropertyBag2* options = nullptr;
    wchar_t wide[MAX_PATH] = {};
    MultiByteToWideChar(CP_ACP, 0, path, -1, wide, MAX_PATH);
    const UINT stride = static_cast<UINT>((width + 3) & ~3);
    std::vector<BYTE> rows(static_cast<size_t>(stride) * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            rows[static_cast<size_t>(y) * stride + x] = static_cast<BYTE>(grey(x, y));
    WICPixelFormatGUID format = GUID_WICPixelFormat8bppGray;
    const bool ok =
        SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                   reinterpret_cast<void**>(&factory))) &&
        SUCCEEDED(factory->CreateStream(&stream)) && SUCCEEDED(stream->InitializeFromFilename(wide, GENERIC_WRITE)) &&
        SUCCEEDED(factory->CreateEncoder(GUID_ContainerFormatJpeg, nullptr, &encoder)) &&
        SUCCEEDED(encoder->Initialize(stream, WICBitmapEncoderNoCache)) &&
        SUCCEEDED(encoder->CreateNewFrame(&frame, &options)) && SUCCEEDED(frame->Initialize(options)) &&
        SUCCEEDED(frame->SetSize(width, height)) && SUCCEEDED(frame->SetPixelFormat(&format)) &&
        IsEqualGUID(format, GUID_WICPixelFormat8bppGray) &&
        SUCCEEDED(frame->WritePixels(height, stride, static_cast<UINT>(rows.size()), rows.data())) &&
        SUCCEEDED(frame->Commit()) && SUCCEEDED(encoder->Commit());
    Release(options);
    Release(frame);
    Release(encoder);
    Release(stream);
    Release(factory);
    if (SUCCEEDED(init))
        CoUninitialize();
    return ok;
}

// The frame header's facts: components and the first component's sampling (0 when none found).
struct FrameFacts {
    int marker = 0, components = 0, h = 0, v = 0;
};

FrameFacts ReadFrameFacts(const std::string& bytes)
{
    FrameFacts facts;
    for (size_t i = 2; i + 9 < bytes.size();) {
        if (static_cast<uint8_t>(bytes[i]) != 0xFF)
            break;
        const int marker = static_cast<uint8_t>(bytes[i + 1]);
        const size_t length = (static_cast<uint8_t>(bytes[i + 2]) << 8) | static_cast<uint8_t>(bytes[i + 3]);
        if (marker >= 0xC0 && marker <= 0xC2) {
            facts.marker = marker;
            facts.components = static_cast<uint8_t>(bytes[i + 9]);
            facts.h = static_cast<uint8_t>(bytes[i + 11]) >> 4;
            facts.v = static_cast<uint8_t>(bytes[i + 11]) & 15;
            break;
        }
        i += 2 + length;
    }
    return facts;
}

// Compares the eighth with the full decode averaged over each block's pixels (the last row and
// column of blocks being partial): every channel within `worst`, on average within `mean`.
void ExpectEighthMatches(const EighthPicture& eighth, const FullPicture& full, int worst, double mean)
{
    ASSERT_EQ(full.width, eighth.fullWidth);
    ASSERT_EQ(full.height, eighth.fullHeight);
    ASSERT_EQ((full.width + 7) / 8, eighth.width);
    ASSERT_EQ((full.height + 7) / 8, eighth.height);
    ASSERT_EQ(static_cast<size_t>(eighth.width) * eighth.height * 3, eighth.rgb.size());
    int largest = 0;
    double total = 0;
    for (int by = 0; by < eighth.height; ++by) {
        for (int bx = 0; bx < eighth.width; ++bx) {
            for (int c = 0; c < 3; ++c) {
                double sum = 0;
                int n = 0;
                for (int y = by * 8; y < std::min(full.height, by * 8 + 8); ++y)
                    for (int x = bx * 8; x < std::min(full.width, bx * 8 + 8); ++x, ++n)
                        sum += full.rgb[(static_cast<size_t>(y) * full.width + x) * 3 + c];
                const int expected = static_cast<int>(sum / n + 0.5);
                const int got = eighth.rgb[(static_cast<size_t>(by) * eighth.width + bx) * 3 + c];
                const int d = std::abs(expected - got);
                if (d > largest) {
                    largest = d;
                    if (d > worst)
                        ADD_FAILURE() << "block " << bx << "," << by << " channel " << c << ": " << got
                                      << " against " << expected;
                }
                total += d;
            }
        }
    }
    EXPECT_LE(total / (eighth.width * eighth.height * 3.0), mean);
}

class JpegThumb : public ::testing::Test {
protected:
    std::string Path(const char* name) const { return dir.Path(name).GetString(); }
    TempDir dir;
};

// Smooth enough that chroma shared by 2 x 2 blocks stays near each block's own: at most a step
// of one a pixel.
picturefiles::PixelFunction Gradient(int width, int height)
{
    const int across = std::min(180, width), down = std::min(200, height), both = std::min(150, width + height);
    return [=](int x, int y) {
        return RGB(40 + across * x / std::max(1, width - 1), 30 + down * y / std::max(1, height - 1),
                   200 - both * (x + y) / std::max(1, width + height - 2));
    };
}

bool Decode(const std::string& bytes, EighthPicture& eighth)
{
    return DecodeEighth(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), eighth);
}

}  // namespace

TEST_F(JpegThumb, EighthOfWicColourAndGreyFilesMatchesTheirFullDecodeBlockByBlock)
{
    struct Case {
        int width, height;
        bool grey;
    } const cases[] = {{1, 1, false}, {17, 9, false}, {33, 47, false}, {1600, 1200, false},
                       {1, 1, true},  {17, 9, true},  {1600, 1200, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << (c.grey ? " grey" : " colour"));
        const std::string path = Path("t.jpg");
        if (c.grey) {
            const int w = c.width, h = c.height;
            ASSERT_TRUE(WriteGreyJpeg(path.c_str(), w, h, [w, h](int x, int y) {
                return 20 + 200 * (x + y) / std::max(1, w + h - 2);
            }));
        } else {
            ASSERT_TRUE(picturefiles::WritePicture(path.c_str(), GUID_ContainerFormatJpeg, c.width, c.height,
                                                   Gradient(c.width, c.height)));
        }
        const std::string bytes = picturefiles::ReadFileBytes(path.c_str());
        const FrameFacts facts = ReadFrameFacts(bytes);
        EXPECT_EQ(0xC0, facts.marker);
        EXPECT_EQ(c.grey ? 1 : 3, facts.components);
        if (!c.grey) {
            // The colour files of WIC's encoder subsample their chroma by two both ways.
            EXPECT_EQ(2, facts.h);
            EXPECT_EQ(2, facts.v);
        }
        FullPicture full;
        ASSERT_TRUE(DecodeWithWic(path.c_str(), full));
        EighthPicture eighth;
        ASSERT_TRUE(Decode(bytes, eighth));
        ExpectEighthMatches(eighth, full, 10, 3.0);
    }
}

TEST_F(JpegThumb, HandMadeFilesWithRestartMarkersAndSamplingsDecodeExactly)
{
    struct Case {
        int components, h, v, restart, width, height;
    } const cases[] = {{3, 2, 2, 1, 40, 24}, {3, 2, 2, 2, 40, 24}, {3, 2, 1, 3, 41, 17}, {3, 1, 1, 5, 23, 23},
                       {3, 1, 2, 0, 9, 31},  {1, 1, 1, 4, 30, 20}, {1, 2, 2, 7, 30, 20}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.components << " components " << c.h << "x" << c.v << " restart "
                                        << c.restart << " " << c.width << "x" << c.height);
        HandJpeg jpeg;
        jpeg.components = c.components;
        jpeg.lumaH = c.h;
        jpeg.lumaV = c.v;
        jpeg.restartInterval = c.restart;
        jpeg.width = c.width;
        jpeg.height = c.height;
        const std::string bytes = jpeg.Bytes();
        // The full decoder reads the hand-made file too, and sees what it says.
        ASSERT_TRUE(picturefiles::WriteFileBytes(Path("hand.jpg").c_str(), bytes.data(), bytes.size()));
        FullPicture full;
        ASSERT_TRUE(DecodeWithWic(Path("hand.jpg").c_str(), full));
        EighthPicture eighth;
        ASSERT_TRUE(Decode(bytes, eighth));
        ExpectEighthMatches(eighth, full, 3, 1.5);
        // Exactly: luma from each block's own mean, chroma constant.
        for (int by = 0; by < eighth.height; ++by) {
            for (int bx = 0; bx < eighth.width; ++bx) {
                const double y = jpeg.mean(0, bx, by);
                const uint8_t* p = &eighth.rgb[(static_cast<size_t>(by) * eighth.width + bx) * 3];
                if (c.components == 1) {
                    EXPECT_EQ(static_cast<int>(y), p[0]);
                    EXPECT_EQ(p[0], p[2]);
                } else {
                    const double cb = 100 - 128.0, cr = 160 - 128.0;
                    auto clamp = [](double v) { return std::min(255.0, std::max(0.0, v)); };
                    EXPECT_NEAR(clamp(y + 1.402 * cr), p[0], 0.51);
                    EXPECT_NEAR(clamp(y - 0.344136 * cb - 0.714136 * cr), p[1], 0.51);
                    EXPECT_NEAR(clamp(y + 1.772 * cb), p[2], 0.51);
                }
            }
        }
    }
}

TEST_F(JpegThumb, MissingOrWrongRestartMarkersAreRefused)
{
    HandJpeg jpeg;
    jpeg.restartInterval = 1;
    const std::string good = jpeg.Bytes();
    EighthPicture eighth;
    ASSERT_TRUE(Decode(good, eighth));
    // The second restart marker renumbered, then removed.
    const size_t first = good.find("\xFF\xD0");
    ASSERT_NE(std::string::npos, first);
    std::string renumbered = good;
    renumbered[first + 1] = '\xD3';
    EXPECT_FALSE(Decode(renumbered, eighth));
    EXPECT_TRUE(eighth.rgb.empty());
    std::string removed = good;
    removed.erase(first, 2);
    EXPECT_FALSE(Decode(removed, eighth));
}

TEST_F(JpegThumb, HuffmanTablesWithMoreCodesThanTheirLengthsHoldAreRefused)
{
    HandJpeg jpeg;
    const std::string good = jpeg.Bytes();
    const size_t dht = good.find("\xFF\xC4");
    ASSERT_NE(std::string::npos, dht);
    EighthPicture eighth;
    // Five codes of one bit, then seventeen of one bit: neither fits, and the look-up table of
    // short codes must not be written past.
    for (char ones : {'\x05', '\x11', '\xFF'}) {
        std::string bad = good;
        bad[dht + 5] = ones;
        EXPECT_FALSE(Decode(bad, eighth)) << static_cast<int>(static_cast<uint8_t>(ones));
    }
    // Three codes of one bit among the AC table's.
    std::string ac = good;
    const size_t acTable = ac.find('\x10', dht + 5 + 16 + 12);
    ASSERT_NE(std::string::npos, acTable);
    ac[acTable + 1] = 3;
    EXPECT_FALSE(Decode(ac, eighth));
}

TEST_F(JpegThumb, ProgressiveAndOtherFilesAreLeftToTheFullDecoder)
{
    HandJpeg jpeg;
    jpeg.progressive = true;
    const std::string progressive = jpeg.Bytes();
    ASSERT_TRUE(picturefiles::WriteFileBytes(Path("progressive.jpg").c_str(), progressive.data(), progressive.size()));
    EighthPicture eighth;
    EXPECT_FALSE(Decode(progressive, eighth));
    std::vector<uint8_t> bgrx;
    int w = -1, h = -1;
    EXPECT_FALSE(LoadJpegThumbnail(Path("progressive.jpg").c_str(), 48, bgrx, w, h));
    EXPECT_TRUE(bgrx.empty());

    ASSERT_TRUE(picturefiles::WritePicture(Path("p.png").c_str(), GUID_ContainerFormatPng, 800, 600,
                                           picturefiles::QuadrantPixels(800, 600)));
    EXPECT_FALSE(LoadJpegThumbnail(Path("p.png").c_str(), 48, bgrx, w, h));
    EXPECT_FALSE(LoadJpegThumbnail(Path("missing.jpg").c_str(), 48, bgrx, w, h));
    EXPECT_FALSE(Decode(std::string(), eighth));
    EXPECT_FALSE(DecodeEighth(nullptr, 10, eighth));

    // A 12-bit frame, and a frame type changed to arithmetic coding.
    const std::string path = Path("q.jpg");
    ASSERT_TRUE(picturefiles::WritePicture(path.c_str(), GUID_ContainerFormatJpeg, 64, 48,
                                           picturefiles::QuadrantPixels(64, 48)));
    const std::string bytes = picturefiles::ReadFileBytes(path.c_str());
    ASSERT_TRUE(Decode(bytes, eighth));
    const size_t sof = bytes.find("\xFF\xC0");
    ASSERT_NE(std::string::npos, sof);
    std::string twelve = bytes;
    twelve[sof + 4] = 12;
    EXPECT_FALSE(Decode(twelve, eighth));
    std::string arithmetic = bytes;
    arithmetic[sof + 1] = '\xC9';
    EXPECT_FALSE(Decode(arithmetic, eighth));
}

TEST_F(JpegThumb, ThumbnailsKeepTheAspectAndSmallPicturesAreDecodedInFull)
{
    const std::string big = Path("big.jpg");
    ASSERT_TRUE(picturefiles::WritePicture(big.c_str(), GUID_ContainerFormatJpeg, 1600, 1200,
                                           picturefiles::QuadrantPixels(1600, 1200)));
    std::vector<uint8_t> bgrx;
    int w = 0, h = 0;
    ASSERT_TRUE(LoadJpegThumbnail(big.c_str(), 48, bgrx, w, h));
    EXPECT_EQ(48, w);
    EXPECT_EQ(36, h);
    ASSERT_EQ(48u * 36u * 4u, bgrx.size());
    auto at = [&](int x, int y) {
        const uint8_t* p = &bgrx[(static_cast<size_t>(y) * w + x) * 4];
        return RGB(p[2], p[1], p[0]);
    };
    EXPECT_TRUE(picturefiles::NearColour(RGB(255, 0, 0), at(5, 5), 24));
    EXPECT_TRUE(picturefiles::NearColour(RGB(0, 255, 0), at(42, 5), 24));
    EXPECT_TRUE(picturefiles::NearColour(RGB(0, 0, 255), at(5, 30), 24));
    EXPECT_TRUE(picturefiles::NearColour(RGB(255, 255, 0), at(42, 30), 24));

    const std::string tall = Path("tall.jpg");
    ASSERT_TRUE(picturefiles::WritePicture(tall.c_str(), GUID_ContainerFormatJpeg, 600, 1000, Gradient(600, 1000)));
    ASSERT_TRUE(LoadJpegThumbnail(tall.c_str(), 48, bgrx, w, h));
    EXPECT_EQ(29, w);
    EXPECT_EQ(48, h);

    // An eighth smaller than its cell: the full decoder does better.
    const std::string small = Path("small.jpg");
    ASSERT_TRUE(picturefiles::WritePicture(small.c_str(), GUID_ContainerFormatJpeg, 200, 150, Gradient(200, 150)));
    EXPECT_FALSE(LoadJpegThumbnail(small.c_str(), 48, bgrx, w, h));

    FitInCell(1, 1000, 48, w, h);
    EXPECT_EQ(1, w);
    EXPECT_EQ(48, h);
}

TEST_F(JpegThumb, TruncatedAndMutatedFilesNeverCrashAndDecodeOrSayNo)
{
    const std::string path = Path("m.jpg");
    ASSERT_TRUE(picturefiles::WritePicture(path.c_str(), GUID_ContainerFormatJpeg, 97, 61, Gradient(97, 61)));
    const std::string wic = picturefiles::ReadFileBytes(path.c_str());
    ASSERT_TRUE(WriteGreyJpeg(Path("g.jpg").c_str(), 45, 70, [](int x, int y) { return (x * 3 + y * 2) & 255; }));
    const std::string grey = picturefiles::ReadFileBytes(Path("g.jpg").c_str());
    HandJpeg hand;
    hand.restartInterval = 1;
    const std::string restarts = hand.Bytes();
    for (const std::string* original : {&wic, &grey, &restarts}) {
        EighthPicture eighth;
        ASSERT_TRUE(Decode(*original, eighth));
        const size_t pixels = eighth.rgb.size();
        // Cut anywhere: the picture is incomplete, so the answer is no (a cut after the last
        // entropy byte only loses the end marker, which is not needed).
        size_t decodedCuts = 0;
        for (size_t cut = 0; cut < original->size(); ++cut) {
            std::vector<uint8_t> part(original->begin(), original->begin() + static_cast<std::ptrdiff_t>(cut));
            if (DecodeEighth(part.data(), part.size(), eighth)) {
                ++decodedCuts;
                EXPECT_EQ(pixels, eighth.rgb.size());
            } else {
                EXPECT_TRUE(eighth.rgb.empty());
            }
        }
        EXPECT_LE(decodedCuts, 3u);
        // Bytes changed at random, more often in the headers: decoded to the same size, or refused.
        uint32_t seed = 12345;
        auto next = [&seed] {
            seed = seed * 1103515245u + 12345u;
            return seed >> 8;
        };
        const size_t headers = std::min<size_t>(original->size(), 700);
        for (int round = 0; round < 4000; ++round) {
            std::vector<uint8_t> bytes(original->begin(), original->end());
            const int changes = 1 + static_cast<int>(next() % 4);
            for (int k = 0; k < changes; ++k) {
                const size_t span = (next() & 1) ? headers : bytes.size();
                const size_t at = next() % span;
                const uint32_t kind = next() % 4;
                bytes[at] = kind == 0 ? 0xFF : kind == 1 ? 0x00 : static_cast<uint8_t>(next());
            }
            if (DecodeEighth(bytes.data(), bytes.size(), eighth))
                EXPECT_EQ(static_cast<size_t>(eighth.width) * eighth.height * 3, eighth.rgb.size());
            else
                EXPECT_TRUE(eighth.rgb.empty());
        }
    }
}
