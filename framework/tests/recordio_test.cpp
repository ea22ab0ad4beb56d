#include "framework/recordio.h"
#include "testsupport/tempdir.h"

#include <gtest/gtest.h>
#include <cstring>
#include <vector>

namespace {

std::vector<BYTE> Bytes(std::initializer_list<int> list)
{
    std::vector<BYTE> v;
    for (int b : list)
        v.push_back(static_cast<BYTE>(b));
    return v;
}

void WriteSample(RecordWriter& w)
{
    w.U8(0x12);
    w.I8(-2);
    w.Bool(true);
    w.I16(-2);
    w.U16(0xBEEF);
    w.I32(-123456789);
    w.U32(0xDEADBEEF);
    w.FixedString("abcdef", 4);
    w.CountedString16("hi");
    w.Raw("\x7F", 1);
}

const std::vector<BYTE> kSample = Bytes({
    0x12, 0xFE, 0x01, 0xFE, 0xFF, 0xEF, 0xBE,
    0xEB, 0x32, 0xA4, 0xF8,                    // -123456789
    0xEF, 0xBE, 0xAD, 0xDE,
    'a', 'b', 'c', 0x00,                       // cut to n-1 characters plus NUL
    0x02, 0x00, 'h', 'i',
    0x7F });

struct Sample {
    uint8_t u8 = 0;
    int8_t i8 = 0;
    bool flag = false;
    int16_t i16 = 0;
    uint16_t u16 = 0;
    int32_t i32 = 0;
    uint32_t u32 = 0;
    CString fixed = "unset";
    CString counted = "unset";
    uint8_t raw = 0;
};

// Reads the sample record field by field, as a loader would.
bool ReadSample(RecordReader& r, Sample& s)
{
    r.U8(s.u8);
    r.I8(s.i8);
    r.Bool(s.flag);
    r.I16(s.i16);
    r.U16(s.u16);
    r.I32(s.i32);
    r.U32(s.u32);
    r.FixedString(s.fixed, 4);
    r.CountedString16(s.counted, 10);
    r.Raw(&s.raw, 1);
    return r.ok();
}

CMemFile* Over(std::vector<BYTE>& bytes, size_t n)
{
    return new CMemFile(bytes.empty() ? nullptr : bytes.data(), static_cast<UINT>(n));
}

} // namespace

TEST(RecordWriter, WritesExactLittleEndianBytes)
{
    CMemFile m;
    RecordWriter w(&m);
    WriteSample(w);
    EXPECT_TRUE(w.ok());
    EXPECT_EQ(kSample, m.Bytes());
}

TEST(RecordWriter, WiderFieldsAndPadding)
{
    CMemFile m;
    RecordWriter w(&m);
    w.I64(-2);
    w.F64(1.0);
    w.F32(-2.0f);
    w.FixedString("ab", 5);
    w.FixedString(nullptr, 2);
    w.FixedString("zzz", 1);
    w.FixedString("never", 0);
    w.CountedString16("");
    w.Zeros(2);
    ASSERT_TRUE(w.ok());
    EXPECT_EQ(Bytes({ 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                      0, 0, 0, 0, 0, 0, 0xF0, 0x3F,
                      0, 0, 0, 0xC0,
                      'a', 'b', 0, 0, 0,
                      0, 0,
                      0,
                      0, 0,
                      0, 0 }),
              m.Bytes());
}

TEST(RecordWriter, OverlongCountedStringFailsAndWritesNothing)
{
    CMemFile m;
    RecordWriter w(&m);
    std::string big(32768, 'x');
    EXPECT_FALSE(w.CountedString16(big.c_str()));
    EXPECT_FALSE(w.ok());
    EXPECT_EQ(0u, m.GetLength());
    EXPECT_FALSE(w.U8(1));                     // sticky
    EXPECT_EQ(0u, m.GetLength());

    CMemFile ok;
    RecordWriter w2(&ok);
    EXPECT_TRUE(w2.CountedString16(big.c_str() + 1));   // 32767 is the largest length
    EXPECT_EQ(2u + 32767u, ok.GetLength());
}

TEST(RecordWriter, ReportsAFileThatCannotBeWritten)
{
    BYTE block[3] = {};
    CMemFile fixed(block, sizeof block);
    RecordWriter w(&fixed);
    EXPECT_TRUE(w.U16(1));
    EXPECT_FALSE(w.U16(2));
    EXPECT_FALSE(w.ok());

    RecordWriter none(nullptr);
    EXPECT_FALSE(none.U8(1));
}

TEST(RecordReader, RoundTrip)
{
    std::vector<BYTE> bytes = kSample;
    CMemFile m(bytes.data(), static_cast<UINT>(bytes.size()));
    RecordReader r(&m);
    Sample s;
    ASSERT_TRUE(ReadSample(r, s));
    EXPECT_EQ(0x12, s.u8);
    EXPECT_EQ(-2, s.i8);
    EXPECT_TRUE(s.flag);
    EXPECT_EQ(-2, s.i16);
    EXPECT_EQ(0xBEEF, s.u16);
    EXPECT_EQ(-123456789, s.i32);
    EXPECT_EQ(0xDEADBEEFu, s.u32);
    EXPECT_STREQ("abc", s.fixed);
    EXPECT_STREQ("hi", s.counted);
    EXPECT_EQ(0x7F, s.raw);
    uint8_t extra = 0x55;
    EXPECT_FALSE(r.U8(extra));
    EXPECT_EQ(0x55, extra);
}

TEST(RecordReader, TruncatedAtEveryOffsetFailsCleanly)
{
    std::vector<BYTE> bytes = kSample;
    for (size_t cut = 0; cut < bytes.size(); ++cut) {
        std::unique_ptr<CMemFile> m(Over(bytes, cut));
        RecordReader r(m.get());
        Sample s;
        EXPECT_FALSE(ReadSample(r, s)) << "cut at " << cut;
        EXPECT_LE(m->GetPosition(), cut);
        // Fields past the cut keep their previous values: nothing half-read leaks out.
        if (cut < 19)
            EXPECT_STREQ("unset", s.counted) << "cut at " << cut;
        if (cut < 15)
            EXPECT_STREQ("unset", s.fixed) << "cut at " << cut;
        if (cut < 11)
            EXPECT_EQ(0u, s.u32) << "cut at " << cut;
        // Sticky: even a read that would fit now fails.
        m->SeekToBegin();
        uint8_t b = 0x33;
        EXPECT_FALSE(r.U8(b));
        EXPECT_EQ(0x33, b);
    }
}

TEST(RecordReader, FixedStringIsAlwaysTerminated)
{
    std::vector<BYTE> bytes = Bytes({ 'a', 'b', 'c', 'd', 'e', 'f', 'g', 'h',
                                      'x', 0, 'y', 'z', 0xE5, 0, 0, 0 });
    CMemFile m(bytes.data(), static_cast<UINT>(bytes.size()));
    RecordReader r(&m);
    CString s;
    ASSERT_TRUE(r.FixedString(s, 8));          // no NUL inside: all 8 bytes, still terminated
    EXPECT_EQ(8, s.GetLength());
    EXPECT_STREQ("abcdefgh", s);
    ASSERT_TRUE(r.FixedString(s, 4));          // text stops at the first NUL
    EXPECT_STREQ("x", s);
    ASSERT_TRUE(r.FixedString(s, 0));
    EXPECT_STREQ("", s);
    ASSERT_TRUE(r.FixedString(s, 4));
    EXPECT_STREQ("\xE5", s);
    s = "kept";
    EXPECT_FALSE(r.FixedString(s, 1));
    EXPECT_STREQ("kept", s);
}

TEST(RecordReader, CountedString16Bounds)
{
    struct Case {
        std::vector<BYTE> bytes;
        UINT max;
        bool ok;
        const char* text;
    } cases[] = {
        { Bytes({ 0, 0 }), 0, true, "" },
        { Bytes({ 3, 0, 'a', 'b', 'c' }), 3, true, "abc" },
        { Bytes({ 3, 0, 'a', 'b', 'c' }), 2, false, nullptr },         // above max
        { Bytes({ 0xFF, 0xFF, 'a' }), 100, false, nullptr },           // negative
        { Bytes({ 0x00, 0x80 }), 0xFFFFFFFF, false, nullptr },        // -32768
        { Bytes({ 5, 0, 'a', 'b' }), 100, false, nullptr },            // longer than the file
        { Bytes({ 5 }), 100, false, nullptr },                         // length itself cut
        { Bytes({ 2, 0, 'a', 0 }), 100, true, "a" },                   // embedded NUL kept as byte
    };
    for (auto& c : cases) {
        CMemFile m(c.bytes.data(), static_cast<UINT>(c.bytes.size()));
        RecordReader r(&m);
        CString s("before");
        EXPECT_EQ(c.ok, r.CountedString16(s, c.max));
        EXPECT_EQ(c.ok, r.ok());
        if (c.ok)
            EXPECT_STREQ(c.text, s);
        else
            EXPECT_STREQ("before", s);
    }
}

TEST(RecordReader, StickyAfterABadLengthAndSkipStaysInside)
{
    std::vector<BYTE> bytes = Bytes({ 0xFF, 0xFF, 1, 2, 3, 4 });
    CMemFile m(bytes.data(), static_cast<UINT>(bytes.size()));
    RecordReader r(&m);
    CString s;
    EXPECT_FALSE(r.CountedString16(s, 10));
    uint32_t v = 9;
    EXPECT_FALSE(r.U32(v));                    // 4 bytes are there, but the reader has failed
    EXPECT_EQ(9u, v);

    CMemFile m2(bytes.data(), static_cast<UINT>(bytes.size()));
    RecordReader r2(&m2);
    EXPECT_TRUE(r2.Skip(2));
    EXPECT_TRUE(r2.Skip(4));
    EXPECT_FALSE(r2.Skip(1));
    EXPECT_FALSE(r2.ok());

    RecordReader none(nullptr);
    uint8_t b;
    EXPECT_FALSE(none.U8(b));
}

TEST(RecordReader, ManyRecordsThroughABufferedFile)
{
    TempDir dir;
    {
        CFile f;
        ASSERT_TRUE(f.Open(dir.Path("r.bin"), CFile::modeCreate | CFile::modeWrite));
        RecordWriter w(&f);
        for (int i = 0; i < 50000; ++i) {
            w.I32(i * 3);
            w.CountedString16(i % 2 ? "odd" : "");
        }
        EXPECT_TRUE(w.ok());
        EXPECT_TRUE(f.Close());
    }
    CFile f;
    ASSERT_TRUE(f.Open(dir.Path("r.bin"), CFile::modeRead));
    RecordReader r(&f);
    for (int i = 0; i < 50000; ++i) {
        int32_t v = 0;
        CString s;
        ASSERT_TRUE(r.I32(v) && r.CountedString16(s, 10)) << i;
        ASSERT_EQ(i * 3, v);
        ASSERT_STREQ(i % 2 ? "odd" : "", s);
    }
    int32_t v;
    EXPECT_FALSE(r.I32(v));
}
