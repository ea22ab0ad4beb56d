#include "framework/file.h"
#include "testsupport/tempdir.h"

#include <gtest/gtest.h>
#include <cstring>
#include <string>
#include <vector>

namespace {

std::string Pattern(size_t n)
{
    std::string s(n, '\0');
    for (size_t i = 0; i < n; ++i)
        s[i] = static_cast<char>((i * 7 + i / 251) & 0xFF);
    return s;
}

std::string ReadAll(CFile& f)
{
    std::string out;
    char buf[1000];
    for (UINT n; (n = f.Read(buf, sizeof buf)) > 0;)
        out.append(buf, n);
    return out;
}

} // namespace

TEST(CFile, ShortReadsReturnWhatTheFileHolds)
{
    TempDir dir;
    ASSERT_TRUE(dir.WriteBytes("ten.bin", "0123456789", 10));
    CFile f;
    ASSERT_TRUE(f.Open(dir.Path("ten.bin"), CFile::modeRead | CFile::shareDenyWrite));
    char buf[100] = {};
    EXPECT_EQ(4u, f.Read(buf, 4));
    EXPECT_EQ(0, std::memcmp(buf, "0123", 4));
    EXPECT_EQ(6u, f.Read(buf, 100));
    EXPECT_EQ(0, std::memcmp(buf, "456789", 6));
    EXPECT_EQ(0u, f.Read(buf, 100));
    EXPECT_EQ(10u, f.GetPosition());
    f.Seek(8, CFile::begin);
    EXPECT_EQ(2u, f.Read(buf, 3));
    f.Seek(50, CFile::begin);            // past the end: nothing to read, no failure
    EXPECT_EQ(0u, f.Read(buf, 3));
}

TEST(CFile, ReadsAcrossTheBufferInAnyChunking)
{
    TempDir dir;
    const std::string data = Pattern(200000);
    ASSERT_TRUE(dir.WriteBytes("p.bin", data.data(), data.size()));
    for (UINT chunk : { 1u, 7u, 4096u, 65535u, 65536u, 100000u, 300000u }) {
        CFile f;
        ASSERT_TRUE(f.Open(dir.Path("p.bin"), CFile::modeRead));
        std::string got;
        std::vector<char> buf(chunk);
        for (UINT n; (n = f.Read(buf.data(), chunk)) > 0;)
            got.append(buf.data(), n);
        EXPECT_TRUE(got == data) << "chunk " << chunk;
        EXPECT_EQ(data.size(), f.GetLength());
    }
}

TEST(CFile, OpenModes)
{
    TempDir dir;
    CFile f;
    EXPECT_FALSE(f.Open(dir.Path("missing.bin"), CFile::modeRead));
    EXPECT_FALSE(f.IsOpen());
    EXPECT_FALSE(f.Open("", CFile::modeRead));

    ASSERT_TRUE(dir.WriteBytes("a.bin", "abcdef", 6));
    ASSERT_TRUE(f.Open(dir.Path("a.bin"), CFile::modeReadWrite | CFile::modeCreate | CFile::modeNoTruncate));
    EXPECT_EQ(6u, f.GetLength());
    EXPECT_STREQ("a.bin", f.GetFileName());
    EXPECT_EQ(dir.Path("a.bin"), f.GetFilePath());
    EXPECT_TRUE(f.Close());

    ASSERT_TRUE(f.Open(dir.Path("a.bin"), CFile::modeWrite | CFile::modeCreate));
    EXPECT_EQ(0u, f.GetLength());
    EXPECT_TRUE(f.Close());

    // An exclusive open keeps others out until it is closed.
    ASSERT_TRUE(f.Open(dir.Path("a.bin"), CFile::modeRead | CFile::shareExclusive));
    CFile other;
    EXPECT_FALSE(other.Open(dir.Path("a.bin"), CFile::modeRead | CFile::shareDenyNone));
    f.Close();
    EXPECT_TRUE(other.Open(dir.Path("a.bin"), CFile::modeRead | CFile::shareDenyNone));
}

TEST(CFile, WriteFailsOnAReadOnlyHandleAndCloseIsSafeTwice)
{
    TempDir dir;
    ASSERT_TRUE(dir.WriteBytes("ro.bin", "xyz", 3));
    CFile f;
    ASSERT_TRUE(f.Open(dir.Path("ro.bin"), CFile::modeRead));
    EXPECT_FALSE(f.Write("abc", 3));
    EXPECT_EQ(3u, f.GetLength());
    EXPECT_TRUE(f.Close());
    EXPECT_TRUE(f.Close());
    EXPECT_FALSE(f.IsOpen());
    EXPECT_FALSE(f.Write("abc", 3));
    char c;
    EXPECT_EQ(0u, f.Read(&c, 1));
    EXPECT_EQ("xyz", dir.ReadBytes("ro.bin"));
}

TEST(CFile, WriteReadReadsBackThroughTheBuffer)
{
    TempDir dir;
    CFile f;
    ASSERT_TRUE(f.Open(dir.Path("w.bin"), CFile::modeReadWrite | CFile::modeCreate));
    const std::string data = Pattern(100);
    ASSERT_TRUE(f.Write(data.data(), 100));
    EXPECT_EQ(100u, f.GetPosition());
    EXPECT_EQ(100u, f.GetLength());               // counts bytes still in the buffer
    EXPECT_EQ(100u, f.SeekToEnd());
    EXPECT_EQ(10u, f.Seek(10, CFile::begin));
    char buf[5];
    ASSERT_EQ(5u, f.Read(buf, 5));
    EXPECT_EQ(0, std::memcmp(buf, data.data() + 10, 5));
    EXPECT_EQ(95u, f.Seek(-5, CFile::end));
    EXPECT_EQ(90u, f.Seek(-5, CFile::current));
    EXPECT_EQ(90u, f.Seek(-500, CFile::current)); // before the start: unchanged
    EXPECT_TRUE(f.Close());
    EXPECT_EQ(data, dir.ReadBytes("w.bin"));
}

TEST(CFile, ReadModifyWriteKeepsPositions)
{
    TempDir dir;
    const std::string data = Pattern(70000);   // more than one buffer
    ASSERT_TRUE(dir.WriteBytes("rmw.bin", data.data(), data.size()));
    std::string expect = data;

    CFile f;
    ASSERT_TRUE(f.Open(dir.Path("rmw.bin"), CFile::modeReadWrite));
    char buf[4];
    ASSERT_EQ(4u, f.Read(buf, 4));             // fills the read buffer
    ASSERT_TRUE(f.Write("WXYZ", 4));            // at 4
    expect.replace(4, 4, "WXYZ");
    ASSERT_EQ(4u, f.Read(buf, 4));             // at 8: must see the file, not stale data
    EXPECT_EQ(0, std::memcmp(buf, data.data() + 8, 4));
    EXPECT_EQ(12u, f.GetPosition());

    f.Seek(2, CFile::begin);
    ASSERT_EQ(4u, f.Read(buf, 4));             // overlaps the bytes just written
    EXPECT_EQ(0, std::memcmp(buf, expect.data() + 2, 4));

    f.Seek(65530, CFile::begin);               // a write straddling the buffer end
    ASSERT_TRUE(f.Write("0123456789AB", 12));
    expect.replace(65530, 12, "0123456789AB");
    f.Seek(-14, CFile::current);
    char b14[14];
    ASSERT_EQ(14u, f.Read(b14, 14));
    EXPECT_EQ(0, std::memcmp(b14, expect.data() + 65528, 14));

    f.SeekToEnd();                              // append, then a gap past the end
    ASSERT_TRUE(f.Write("END", 3));
    expect += "END";
    f.Seek(5, CFile::current);
    ASSERT_TRUE(f.Write("!", 1));
    expect += std::string(5, '\0') + "!";
    EXPECT_EQ(expect.size(), f.GetLength());
    f.SeekToBegin();
    EXPECT_TRUE(ReadAll(f) == expect);
    EXPECT_TRUE(f.Close());
    EXPECT_TRUE(dir.ReadBytes("rmw.bin") == expect);
}

TEST(CFile, LargeWritesAndSetLength)
{
    TempDir dir;
    const std::string data = Pattern(300000);
    CFile f;
    ASSERT_TRUE(f.Open(dir.Path("big.bin"), CFile::modeReadWrite | CFile::modeCreate));
    ASSERT_TRUE(f.Write("head", 4));
    ASSERT_TRUE(f.Write(data.data(), static_cast<UINT>(data.size())));
    EXPECT_EQ(300004u, f.GetLength());
    ASSERT_TRUE(f.SetLength(10));
    EXPECT_EQ(10u, f.GetLength());
    EXPECT_EQ(10u, f.GetPosition());
    EXPECT_TRUE(f.Close());
    EXPECT_EQ("head" + data.substr(0, 6), dir.ReadBytes("big.bin"));
}

TEST(CMemFile, GrowsSeeksAndReads)
{
    CMemFile m(16);
    EXPECT_TRUE(m.IsOpen());
    EXPECT_EQ(0u, m.GetLength());
    const std::string data = Pattern(1000);
    ASSERT_TRUE(m.Write(data.data(), 1000));
    EXPECT_EQ(1000u, m.GetLength());
    EXPECT_EQ(1000u, m.GetPosition());
    EXPECT_EQ(500u, m.Seek(-500, CFile::current));
    char buf[600];
    EXPECT_EQ(500u, m.Read(buf, 600));
    EXPECT_EQ(0, std::memcmp(buf, data.data() + 500, 500));
    EXPECT_EQ(0u, m.Read(buf, 1));
    EXPECT_EQ(1000u, m.Seek(-1, CFile::begin));  // invalid: unchanged
    m.Seek(1002, CFile::begin);
    ASSERT_TRUE(m.Write("x", 1));
    EXPECT_EQ(1003u, m.GetLength());
    EXPECT_EQ(0, m.Data()[1000]);
    EXPECT_EQ('x', m.Data()[1002]);
    ASSERT_TRUE(m.SetLength(3));
    EXPECT_EQ(3u, m.GetPosition());

    BYTE* block = m.Detach();
    ASSERT_NE(nullptr, block);
    EXPECT_EQ(0u, m.GetLength());
    EXPECT_EQ(0, std::memcmp(block, data.data(), 3));
    std::free(block);
    EXPECT_TRUE(m.Write("ok", 2));
    EXPECT_FALSE(m.Open("x", CFile::modeRead));
}

TEST(CMemFile, AttachedFixedBlockDoesNotGrow)
{
    BYTE block[4] = { 1, 2, 3, 4 };
    CMemFile m(block, sizeof block);
    EXPECT_EQ(4u, m.GetLength());
    BYTE b[8] = {};
    EXPECT_EQ(4u, m.Read(b, 8));
    EXPECT_EQ(4, b[3]);
    m.SeekToBegin();
    EXPECT_TRUE(m.Write("\x09\x08", 2));
    EXPECT_EQ(9, block[0]);
    m.Seek(3, CFile::begin);
    EXPECT_FALSE(m.Write("abc", 3));        // would need to grow
    EXPECT_EQ(4, block[3]);
    EXPECT_EQ(block, m.Detach());           // the caller's block comes back; nothing freed
    EXPECT_TRUE(m.Close());
}
