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
    Bytes flags(256, 0);
    for (int c : imageColumns)
        flags[c] = 1;
    ByteBuilder b;
    b.Text("TABL").I32(1).I32(0).I32(256).Append(flags).I32(rowCount);
    return b;
}

// A table with something in it, to see that failed loads leave it alone.
CDataTableBase Occupied()
{
    CDataTableBase table = MakeTable({{"keep", "me"}, {}, {"x"}});
    table.SetImageColumn(7, true);
    return table;
}

// Loads bytes over Occupied(): true when loaded; when not, the table must be unchanged.
bool LoadOverOccupied(const Bytes& bytes, size_t length)
{
    CDataTableBase table = Occupied();
    BytesFile file(bytes, length);
    bool loaded = table.Load(file.get());
    if (!loaded)
        EXPECT_TRUE(SameTable(Occupied(), table)) << "length " << length;
    return loaded;
}

} // namespace

TEST(TableRecord, ExactBytes)
{
    CDataTableBase table = MakeTable({{"ab", ""}, {}, {"x"}});
    table.SetImageColumn(1, true);
    table.SetImageColumn(255, true);
    table.SetCellText(3, 0, std::string(300, 'w').c_str());   // kept and written as 255
    Bytes expected = TableHeader({1, 255}, 4)
                         .I32(2).I32(2).Text("ab").I32(0)
                         .I32(0)
                         .I32(1).I32(1).Text("x")
                         .I32(1).I32(255).Text(std::string(255, 'w').c_str())
                         .bytes();
    EXPECT_EQ(expected, Save(table));
    EXPECT_EQ(TableHeader({}, 0).bytes(), Save(CDataTableBase()));
}

TEST(TableRecord, RoundTripsInOneStream)
{
    CDataTableBase first = MakeTable({{"a", "", "c\xE5"}, {}, {"", "", "", "d"}, {std::string(255, 'z')}});
    first.SetImageColumn(0, true);
    first.SetImageColumn(25, true);
    // A row without cells comes back only when a later row needs it: the reader makes rows by
    // storing cells.
    CDataTableBase second = MakeTable({{"b"}, {}, {}});
    CMemFile out;
    first.Save(&out);
    second.Save(&out);

    BytesFile file(out.Bytes());
    CDataTableBase loaded, loadedSecond;
    ASSERT_TRUE(loaded.Load(file.get()));
    ASSERT_TRUE(loadedSecond.Load(file.get()));
    EXPECT_TRUE(SameTable(first, loaded));
    EXPECT_EQ((Rows{{"b"}}), Dump(loadedSecond));
    EXPECT_EQ(out.GetLength(), file->GetPosition());

    // Over a table that has rows, the record's cells replace those at the same places.
    CDataTableBase table = MakeTable({{"old", "stays"}, {"x"}, {"y"}});
    BytesFile over(Save(MakeTable({{"new"}, {"", "b"}})));
    ASSERT_TRUE(table.Load(over.get()));
    EXPECT_EQ((Rows{{"new", "stays"}, {"", "b"}, {"y"}}), Dump(table));
}

TEST(TableRecord, HeaderChecks)
{
    const Bytes good = Save(MakeTable({{"a"}}));
    struct Case {
        size_t offset;
        int32_t value;
        bool loads;
    } cases[] = {
        {0, 0x4C424155, false},            // another magic
        {4, 2, false},                     // a newer version
        {4, 0, true},                      // older versions are read
        {8, 12345, true},                  // reserved word ignored
        {12, 255, false},                  // a flag count of 255 loads nothing
        {12, 257, false},
    };
    for (const Case& c : cases) {
        Bytes bytes = good;
        WriteI32(bytes, c.offset, c.value);
        EXPECT_EQ(c.loads, LoadOverOccupied(bytes, bytes.size())) << "offset " << c.offset;
    }
}

TEST(TableRecord, DamagedCountsAndLengths)
{
    // One row of two cells: "ab", "c".
    const size_t rowCountAt = 16 + 256, cellCountAt = rowCountAt + 4, lengthAt = cellCountAt + 4;
    const Bytes good = TableHeader({}, 1).I32(2).I32(2).Text("ab").I32(1).Text("c").bytes();
    const std::pair<size_t, int32_t> cases[] = {
        {rowCountAt, -1}, {rowCountAt, 2}, {rowCountAt, 0x7FFFFFFF}, {rowCountAt, INT32_MIN},
        {cellCountAt, -1}, {cellCountAt, 3}, {cellCountAt, 257}, {cellCountAt, 0x40000000},
        {lengthAt, -1}, {lengthAt, 100}, {lengthAt, 0x7FFFFFFF},
    };
    for (const auto& c : cases) {
        Bytes bytes = good;
        WriteI32(bytes, c.first, c.second);
        EXPECT_FALSE(LoadOverOccupied(bytes, bytes.size())) << "offset " << c.first << " value " << c.second;
    }
    for (size_t length = 0; length < good.size(); ++length)
        EXPECT_FALSE(LoadOverOccupied(good, length));

    // Over-long texts are read past and cut; a text ends at an embedded NUL.
    const Bytes longText = TableHeader({}, 1)
                               .I32(3).I32(300).Fill('w', 300).I32(3).Text("a").U8(0).Text("b").I32(1).Text("n")
                               .bytes();
    CDataTableBase table;
    BytesFile file(longText);
    ASSERT_TRUE(table.Load(file.get()));
    EXPECT_EQ((Rows{{std::string(255, 'w'), "a", "n"}}), Dump(table));
}

TEST(TableRecord, RandomDamageNeverCrashes)
{
    CDataTableBase source = MakeTable({{"alpha", "beta"}, {}, {"", "", "c"}, {"d"}});
    source.SetImageColumn(2, true);
    const Bytes good = Save(source);
    std::mt19937 random(4711);
    for (int round = 0; round < 3000; ++round) {
        Bytes bytes = good;
        for (int flips = 1 + static_cast<int>(random() % 4); flips > 0; --flips)
            bytes[random() % bytes.size()] ^= static_cast<uint8_t>(1u << (random() % 8));
        LoadOverOccupied(bytes, random() % 5 == 0 ? random() % bytes.size() : bytes.size());
    }
}
