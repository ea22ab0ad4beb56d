// The OLE 1 object: streams built by hand (embedded, linked and static objects; metafile, DIB,
// bitmap, other and no presentation) read to their exact end, written back byte for byte, their
// pictures drawn; damaged streams refused without harm.
#include "graphimage_testutil.h"

#include "labelmodel/graphole1.h"
#include "testsupport/dibcanvas.h"

#include <gtest/gtest.h>
#include <cstring>
#include <memory>

using namespace imgobj;

namespace {

const COLORREF kGrey = RGB(128, 128, 128);

struct Stream {
    Bytes b;
    Stream& U32(uint32_t v) { imagetest::Append32(b, v); return *this; }
    Stream& U16(int v) { imagetest::Append16(b, v); return *this; }
    Stream& U8(int v) { b.push_back((BYTE)v); return *this; }
    // A length-prefixed text with its NUL; null writes the length 0 and nothing else.
    Stream& Text(const char* s)
    {
        if (!s)
            return U32(0);
        U32((uint32_t)std::strlen(s) + 1);
        b.insert(b.end(), s, s + std::strlen(s) + 1);
        return *this;
    }
    Stream& Data(const Bytes& d)
    {
        U32((uint32_t)d.size());
        b.insert(b.end(), d.begin(), d.end());
        return *this;
    }
    Stream& Append(const Bytes& d) { b.insert(b.end(), d.begin(), d.end()); return *this; }
};

Bytes MetafilePictData()
{
    Bytes d;
    imagetest::Append16(d, MM_ANISOTROPIC);
    imagetest::Append16(d, 2540);
    imagetest::Append16(d, 1270);
    imagetest::Append16(d, 0);
    imagetest::Append(d, imagetest::TwoColourMetafileBits());
    return d;
}

Stream& Presentation(Stream& s, const char* className, const Bytes& data, uint32_t format = 5)
{
    s.U32(kOle1Version).U32(format).Text(className).U32(2540).U32((uint32_t)-1270).Data(data);
    return s;
}

Bytes EmbeddedHeader(const Bytes& native = Bytes(300, 0x5A))
{
    Stream s;
    s.U32(kOle1Version).U32(kOle1FormatEmbedded).Text("PBrush").Text("C:\\DRAW.BMP").Text(nullptr);
    s.Data(native);
    return s.b;
}

Bytes EmbeddedWithMetafile()
{
    Stream s;
    s.Append(EmbeddedHeader());
    return Presentation(s, "METAFILEPICT", MetafilePictData()).b;
}

Bytes EmbeddedWithDib()
{
    Stream s;
    s.Append(EmbeddedHeader());
    return Presentation(s, "DIB", imagetest::QuadrantDib(8, 4)).b;
}

// A 32 x 8 monochrome Bitmap16 with rows padded to 6 bytes: the top four rows white then black,
// the bottom four black then white.
Bytes MonoBitmap16(bool withPointer = false)
{
    Stream s;
    s.U16(0).U16(32).U16(8).U16(6).U8(1).U8(1);
    if (withPointer)
        s.U32(0);
    for (int row = 0; row < 8; ++row) {
        const int left = row < 4 ? 0xFF : 0x00;
        s.U8(left).U8(left).U8(0xFF - left).U8(0xFF - left).U8(0xAA).U8(0xAA);
    }
    return s.b;
}

Bytes EmbeddedWithBitmap(bool withPointer = false)
{
    Stream s;
    s.Append(EmbeddedHeader());
    return Presentation(s, "BITMAP", MonoBitmap16(withPointer)).b;
}

// The object record: position and size, then the stream.
Bytes Record(const Bytes& stream, int x = 0, int y = 0, int width = 25400, int height = 12700)
{
    Stream s;
    s.U32((uint32_t)x).U32((uint32_t)y).U32((uint32_t)width).U32((uint32_t)height).Append(stream);
    return s.b;
}

void DrawInto(CGraphOLE1& object, DibCanvas& canvas, bool designFrame = false, int zoom = 100)
{
    object.Draw(&canvas.dc(), zoom, 0, 0, designFrame, 1, 2, 300, 300, nullptr, nullptr, false);
}

} // namespace

TEST(GraphOle1, EmbeddedObjectsReadToTheirEndAndWriteBackByteForByte)
{
    const Bytes streams[] = {EmbeddedWithMetafile(), EmbeddedWithDib(), EmbeddedWithBitmap(),
                             EmbeddedWithBitmap(true)};
    for (const Bytes& stream : streams) {
        Bytes record = Record(stream, 100, 200);
        const size_t objectEnd = record.size();
        record.insert(record.end(), {0x99, 0x00, 0x42});   // the next record of the collection
        CGraphOLE1 object;
        object.SetSelected(true);
        ULONGLONG consumed = 0;
        ASSERT_TRUE(LoadObject(object, record, -1, &consumed));
        EXPECT_EQ(objectEnd, consumed);
        EXPECT_FALSE(object.IsSelected());
        EXPECT_EQ(100, object.GetX());
        EXPECT_EQ(12700, object.GetHeight());
        EXPECT_EQ(stream, object.GetStream());
        EXPECT_EQ(Bytes(record.begin(), record.begin() + objectEnd), SaveObject(object));
        EXPECT_NE(kImageHolderEmpty, object.GetPicture()->GetTypeCode());
        EXPECT_EQ(999, object.GetTypeCode());
        EXPECT_FALSE(object.CanEditContent());
        EXPECT_FALSE(object.EditContent(nullptr));
        EXPECT_FALSE(object.IsImage());
        EXPECT_FALSE(object.CopyPictureToClipboard());
    }
}

TEST(GraphOle1, PresentationsFillTheBox)
{
    CGraphOLE1 metafile;
    ASSERT_TRUE(LoadObject(metafile, Record(EmbeddedWithMetafile(), 0, 0, 25400, 25400)));
    DibCanvas a(120, 120, kGrey);
    DrawInto(metafile, a);
    EXPECT_EQ(RGB(255, 0, 0), a.Pixel(20, 80));
    EXPECT_EQ(RGB(0, 0, 255), a.Pixel(75, 80));

    CGraphOLE1 dib;
    ASSERT_TRUE(LoadObject(dib, Record(EmbeddedWithDib(), 0, 0, 25400, 25400)));
    for (bool printing : {false, true}) {
        DibCanvas b(120, 120, kGrey);
        b.dc().m_bPrinting = printing;
        DrawInto(dib, b);
        EXPECT_EQ(CRect(0, 0, 97, 97), b.Extent());
        EXPECT_EQ(RGB(255, 0, 0), b.Pixel(10, 10));
        EXPECT_EQ(RGB(255, 255, 0), b.Pixel(85, 85));
    }

    for (bool withPointer : {false, true}) {
        CGraphOLE1 bitmap;
        ASSERT_TRUE(LoadObject(bitmap, Record(EmbeddedWithBitmap(withPointer), 0, 0, 25400, 25400)));
        DibCanvas c(120, 120, kGrey);
        DrawInto(bitmap, c);
        EXPECT_EQ(RGB(255, 255, 255), c.Pixel(10, 10));
        EXPECT_EQ(RGB(0, 0, 0), c.Pixel(85, 10));
        EXPECT_EQ(RGB(0, 0, 0), c.Pixel(10, 85));
        EXPECT_EQ(RGB(255, 255, 255), c.Pixel(85, 85));
    }
}

TEST(GraphOle1, OtherKindsReadAndThoseWithoutPictureDrawOnlyTheFrame)
{
    Stream linked;
    linked.U32(kOle1Version).U32(kOle1FormatLinked).Text("Excel").Text("C:\\BOOK.XLS").Text("R1C1");
    linked.Text("\\\\server\\share").U32(0).U32(1).U32(kOle1Version).U32(0);
    Stream other;
    other.Append(EmbeddedHeader(Bytes()));
    other.U32(kOle1Version).U32(5).Text("Rich Text Format").U32(0).Text("Rich Text Format");
    other.Data(Bytes(10, 'r'));
    Stream numbered;
    numbered.Append(EmbeddedHeader(Bytes(1, 1)));
    numbered.U32(kOle1Version).U32(5).Text("Private").U32(CF_TEXT).Data(Bytes(3, 't'));
    Stream none;
    none.Append(EmbeddedHeader()).U32(kOle1Version).U32(0);
    Stream empty;
    empty.Append(EmptyOle1Stream());

    for (const Bytes* stream : {&linked.b, &other.b, &numbered.b, &none.b, &empty.b}) {
        CGraphOLE1 object;
        const Bytes record = Record(*stream, 0, 0, 25400, 25400);
        ULONGLONG consumed = 0;
        ASSERT_TRUE(LoadObject(object, record, -1, &consumed));
        EXPECT_EQ(record.size(), consumed);
        EXPECT_EQ(record, SaveObject(object));
        EXPECT_EQ(kImageHolderEmpty, object.GetPicture()->GetTypeCode());
        DibCanvas canvas(120, 120);
        DrawInto(object, canvas);
        EXPECT_TRUE(canvas.Extent().IsRectEmpty());
        DrawInto(object, canvas, true);
        EXPECT_EQ(CRect(0, 0, 97, 97), canvas.Extent());
    }

    // A static object is a presentation alone.
    Stream staticObject;
    Presentation(staticObject, "DIB", imagetest::QuadrantDib(8, 4), kOle1FormatStatic);
    CGraphOLE1 picture;
    ASSERT_TRUE(LoadObject(picture, Record(staticObject.b, 0, 0, 25400, 25400)));
    DibCanvas canvas(120, 120);
    DrawInto(picture, canvas);
    EXPECT_EQ(RGB(0, 0, 255), canvas.Pixel(10, 85));
}

TEST(GraphOle1, NewObjectsAndCopiesWriteWhatReadsBack)
{
    CGraphOLE1 fresh;
    fresh.SetWidth(5000);
    const Bytes saved = SaveObject(fresh);
    EXPECT_EQ(Record(EmptyOle1Stream(), 0, 0, 5000, 0), saved);
    CGraphOLE1 back;
    ASSERT_TRUE(LoadObject(back, saved));

    CGraphOLE1 original;
    ASSERT_TRUE(LoadObject(original, Record(EmbeddedWithDib(), 10, 20, 25400, 25400)));
    original.SetSelected(true);
    std::unique_ptr<CGraphObject> copy(original.Clone());
    auto* clone = dynamic_cast<CGraphOLE1*>(copy.get());
    ASSERT_NE(nullptr, clone);
    EXPECT_TRUE(clone->IsSelected());
    EXPECT_EQ(SaveObject(original), SaveObject(*clone));
    EXPECT_NE(original.GetPicture(), clone->GetPicture());
    DibCanvas a(120, 120), b(120, 120);
    DrawInto(original, a);
    DrawInto(*clone, b);
    EXPECT_TRUE(a.SameAs(b));

    // A turn moves the box only.
    clone->Rotate90(0, 0, 1);
    EXPECT_EQ(25400, clone->GetWidth());
    EXPECT_EQ(clone->GetStream(), original.GetStream());
}

TEST(GraphOle1, TruncatedStreamsFailAndChangeNothing)
{
    for (const Bytes& stream : {EmbeddedWithMetafile(), EmbeddedWithBitmap()}) {
        const Bytes record = Record(stream, 1, 2);
        CGraphOLE1 object;
        ASSERT_TRUE(LoadObject(object, Record(EmbeddedWithDib(), 7, 8)));
        const Bytes before = SaveObject(object);
        for (size_t n = 0; n < record.size(); ++n) {
            ASSERT_FALSE(LoadObject(object, record, (long)n)) << n;
            ASSERT_EQ(before, SaveObject(object)) << n;
        }
    }
}

TEST(GraphOle1, DamagedLengthsAndFormatsAreRefusedWithoutHarm)
{
    const Bytes good = Record(EmbeddedWithBitmap());
    DibCanvas canvas(80, 80);
    for (size_t at = 16; at < good.size(); ++at) {
        for (uint8_t value : {uint8_t(0xFF), uint8_t(0x7F), uint8_t(0x00), uint8_t(0x05)}) {
            Bytes damaged = good;
            damaged[at] = value;
            CGraphOLE1 object;
            object.SetX(-3);
            const Bytes before = SaveObject(object);
            ULONGLONG consumed = 0;
            if (!LoadObject(object, damaged, -1, &consumed)) {
                ASSERT_EQ(before, SaveObject(object)) << at;
                continue;
            }
            ASSERT_LE(consumed, damaged.size());
            ASSERT_EQ(Bytes(damaged.begin(), damaged.begin() + (long)consumed), SaveObject(object));
            DrawInto(object, canvas, true, 10);
        }
    }
    // Lengths far past the end, and a format that is no object at all.
    Stream huge;
    huge.U32(kOle1Version).U32(kOle1FormatEmbedded).U32(0x7FFFFFFF);
    Stream native;
    native.U32(kOle1Version).U32(kOle1FormatEmbedded).Text("A").Text("B").Text("C").U32(0xFFFFFFF0);
    Stream format;
    format.U32(kOle1Version).U32(7).Text("A");
    for (const Bytes* stream : {&huge.b, &native.b, &format.b}) {
        CGraphOLE1 object;
        EXPECT_FALSE(LoadObject(object, Record(*stream)));
    }
}

TEST(GraphOle1, Bitmap16ThatGdiCannotMakeGivesNoPicture)
{
    Bytes tooShort = MonoBitmap16();
    tooShort.pop_back();
    EXPECT_EQ(nullptr, Bitmap16ToDib(tooShort.data(), tooShort.size()));
    Bytes planes = MonoBitmap16();
    planes[8] = 4;
    EXPECT_EQ(nullptr, Bitmap16ToDib(planes.data(), planes.size()));
    Bytes narrow = MonoBitmap16();
    narrow[6] = 3;                                    // fewer bytes per row than 32 pixels need
    EXPECT_EQ(nullptr, Bitmap16ToDib(narrow.data(), narrow.size()));
    Bytes depth = MonoBitmap16();
    depth[9] = 3;
    EXPECT_EQ(nullptr, Bitmap16ToDib(depth.data(), depth.size()));
    const Bytes good = MonoBitmap16();
    HGLOBAL dib = Bitmap16ToDib(good.data(), good.size());
    ASSERT_NE(nullptr, dib);
    DibLayout d;
    EXPECT_TRUE(DescribeDibHandle(dib, d));
    EXPECT_EQ(32, d.width);
    EXPECT_EQ(8, d.height);
    GlobalFree(dib);
}
