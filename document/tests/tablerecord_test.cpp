#include "document/datatable.h"
#include "document/tests/recordbytes.h"
#include "document/tests/tablehelpers.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

Bytes Save(const CDataTableBase& table)
{
    CMemFile file;
    EXPECT_TRUE(table.Save(&file));
    return file.Bytes();
}

ByteBuilder TableHeader(const std::vector<int>& imageColumns, int32_t rowCount)
{
    ByteBuilder b;
    b.Text("TABL").I32(1).I32(0).I32(256);
    Bytes flags(256, 0);
    for (int c : imageColumns)
        flags[c] = 1;
    b.Append(flags);
    b.I32(rowCount);
    return b;
}

// A table with something in it, to see that failed loads leave it alone.
CDataTableBase Occupied()
{
    CDataTableBase table = MakeTable({{"keep", "me"}, {}, {"x"}});
    table.SetImageColumn(7, true);
    return table;
}

} // namespace

TEST(TableRecord, ExactBytes)
{
    CDataTableBase table = MakeTable({{"ab", ""}, {}, {"x"}});
    table.SetImageColumn(1, true);
    table.SetImageColumn(255, true);
    Bytes expected = TableHeader({1, 255}, 3)
                         .I32(2).I32(2).Text("ab").I32(0)
                         .I32(0)
                         .I32(1).I32(1).Text("x")
                         .bytes();
    EXPECT_EQ(expected, Save(table));
    EXPECT_EQ(0x4C424154u, ReadU32(expected, 0));
}

TEST(TableRecord, EmptyTableIsHeaderAndZeroRows)
{
    Bytes bytes = Save(CDataTableBase());
    EXPECT_EQ(TableHeader({}, 0).bytes(), bytes);
    EXPECT_EQ(16u + 256u + 4u, bytes.size());
}

TEST(TableRecord, RoundTrip)
{
    CDataTableBase table = MakeTable({{"a", "", "c\xE5"}, {}, {"", "", "", "d"}, {std::string(255, 'z')}});
    table.SetImageColumn(0, true);
    table.SetImageColumn(25, true);
    Bytes bytes = Save(table);
    CDataTableBase loaded;
    BytesFile file(bytes);
    ASSERT_TRUE(loaded.Load(file.get()));
    EXPECT_TRUE(SameTable(table, loaded));
    EXPECT_EQ(bytes.size(), file->GetPosition());
    EXPECT_EQ(bytes, Save(loaded));
}

TEST(TableRecord, TrailingRowsWithoutCellsAreNotRecreated)
{
    // The reader creates rows by storing cells; a row that has no cells exists only when a later
    // row needs it.
    CDataTableBase table = MakeTable({{"a"}, {}, {"b"}, {}, {}});
    CDataTableBase loaded;
    BytesFile file(Save(table));
    ASSERT_TRUE(loaded.Load(file.get()));
    EXPECT_EQ((Rows{{"a"}, {}, {"b"}}), Dump(loaded));
}

TEST(TableRecord, RecordsFollowEachOtherInOneStream)
{
    CMemFile out;
    MakeTable({{"one"}}).Save(&out);
    MakeTable({{"two", "2"}}).Save(&out);
    BytesFile file(out.Bytes());
    CDataTableBase first, second;
    ASSERT_TRUE(first.Load(file.get()));
    ASSERT_TRUE(second.Load(file.get()));
    EXPECT_EQ((Rows{{"one"}}), Dump(first));
    EXPECT_EQ((Rows{{"two", "2"}}), Dump(second));
}

TEST(TableRecord, LoadingOverATableReplacesCellsInPlace)
{
    CDataTableBase table = MakeTable({{"old", "stays"}, {"x"}, {"y"}});
    BytesFile file(Save(MakeTable({{"new"}, {"", "b"}})));
    ASSERT_TRUE(table.Load(file.get()));
    EXPECT_EQ((Rows{{"new", "stays"}, {"", "b"}, {"y"}}), Dump(table));
}

TEST(TableRecord, HeaderChecks)
{
    Bytes good = Save(MakeTable({{"a"}}));
    struct Case {
        size_t offset;
        int32_t value;
        bool loads;
    } cases[] = {
        {0, 0x4C424155, false},            // another magic
        {4, 2, false},                     // a newer version
        {4, 0, true},                      // older versions are read
        {8, 12345, true},                  // reserved word ignored
        {12, 255, false},                  // flag count other than 256
        {12, 257, false},
    };
    for (const Case& c : cases) {
        Bytes bytes = good;
        WriteI32(bytes, c.offset, c.value);
        CDataTableBase table = Occupied();
        BytesFile file(bytes);
        EXPECT_EQ(c.loads, table.Load(file.get())) << "offset " << c.offset << " value " << c.value;
        if (!c.loads)
            EXPECT_TRUE(SameTable(Occupied(), table)) << "offset " << c.offset;
    }
}

TEST(TableRecord, FlagCount255LoadsNothing)
{
    Bytes bytes = Save(MakeTable({{"a"}}));
    WriteI32(bytes, 12, 255);
    CDataTableBase table;
    BytesFile file(bytes);
    EXPECT_FALSE(table.Load(file.get()));
    EXPECT_EQ(0, table.GetRowCount());
}

TEST(TableRecord, TruncatedAnywhereLeavesTheTableUnchanged)
{
    CDataTableBase source = MakeTable({{"alpha", "", "gamma"}, {}, {"d", "e"}});
    source.SetImageColumn(3, true);
    Bytes bytes = Save(source);
    for (size_t length = 0; length < bytes.size(); ++length) {
        CDataTableBase table = Occupied();
        BytesFile file(bytes, length);
        EXPECT_FALSE(table.Load(file.get())) << "length " << length;
        EXPECT_TRUE(SameTable(Occupied(), table)) << "length " << length;
    }
}

TEST(TableRecord, CountsAndLengthsOutOfRangeAreRefused)
{
    // One row of two cells: "ab", "c".
    const size_t rowCountAt = 16 + 256;
    const size_t cellCountAt = rowCountAt + 4;
    const size_t firstLengthAt = cellCountAt + 4;
    Bytes good = TableHeader({}, 1).I32(2).I32(2).Text("ab").I32(1).Text("c").bytes();
    struct Case {
        size_t offset;
        int32_t value;
    } cases[] = {
        {rowCountAt, -1}, {rowCountAt, 2}, {rowCountAt, 0x7FFFFFFF}, {rowCountAt, INT32_MIN},
        {cellCountAt, -1}, {cellCountAt, 3}, {cellCountAt, 257}, {cellCountAt, 0x40000000},
        {firstLengthAt, -1}, {firstLengthAt, 100}, {firstLengthAt, 0x7FFFFFFF},
    };
    for (const Case& c : cases) {
        Bytes bytes = good;
        WriteI32(bytes, c.offset, c.value);
        CDataTableBase table = Occupied();
        BytesFile file(bytes);
        EXPECT_FALSE(table.Load(file.get())) << "offset " << c.offset << " value " << c.value;
        EXPECT_TRUE(SameTable(Occupied(), table)) << "offset " << c.offset << " value " << c.value;
    }
    CDataTableBase table;
    BytesFile file(good);
    ASSERT_TRUE(table.Load(file.get()));
    EXPECT_EQ((Rows{{"ab", "c"}}), Dump(table));
}

TEST(TableRecord, OverlongCellTextsAreCutAt255)
{
    std::string text300(300, 'w');
    Bytes bytes = TableHeader({}, 1).I32(2).I32(300).Text(text300.c_str()).I32(1).Text("n").bytes();
    CDataTableBase table;
    BytesFile file(bytes);
    ASSERT_TRUE(table.Load(file.get()));
    EXPECT_EQ(std::string(255, 'w'), table.GetCellText(0, 0));
    EXPECT_STREQ("n", table.GetCellText(0, 1));
    EXPECT_EQ(bytes.size(), file->GetPosition());
}

TEST(TableRecord, TextStopsAtAnEmbeddedNul)
{
    Bytes bytes = TableHeader({}, 1).I32(1).I32(3).Text("a").U8(0).Text("b").bytes();
    CDataTableBase table;
    BytesFile file(bytes);
    ASSERT_TRUE(table.Load(file.get()));
    EXPECT_STREQ("a", table.GetCellText(0, 0));
}

TEST(TableRecord, RandomDamageNeverCrashes)
{
    CDataTableBase source = MakeTable({{"alpha", "beta"}, {}, {"", "", "c"}, {"d"}});
    source.SetImageColumn(2, true);
    const Bytes good = Save(source);
    std::mt19937 random(4711);
    for (int round = 0; round < 3000; ++round) {
        Bytes bytes = good;
        int flips = 1 + static_cast<int>(random() % 4);
        for (int i = 0; i < flips; ++i)
            bytes[random() % bytes.size()] ^= static_cast<uint8_t>(1u << (random() % 8));
        CDataTableBase table = Occupied();
        BytesFile file(bytes);
        if (!table.Load(file.get()))
            EXPECT_TRUE(SameTable(Occupied(), table)) << "round " << round;
    }
}
