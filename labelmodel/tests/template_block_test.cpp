// The template block: exact layout, flags, password scrambling, copies, accepted magics, value
// ranges, and damaged blocks (truncated and mutated at every offset).
#include "templatetestutil.h"
#include "testsupport/msgboxrecorder.h"

#include <gtest/gtest.h>

using namespace tpltest;
using objtest::ByteBuilder;

namespace {

const size_t kFlagsAt = 4;
const size_t kColumnMapBytes = 234;

Bytes StockBytes(CLabel& stock)
{
    CMemFile file;
    stock.SaveWithType(&file);
    return file.Bytes();
}

// Everything after the stock of a default template: help lines, contours, three empty areas,
// no lock, zooms unset.
Bytes DefaultTail()
{
    ByteBuilder b;
    b.I16(141).U8(0).U8(0).I16(1).I16(1).U8(1);
    for (int a = 0; a < 3; ++a)
        b.I16(175).I16(0).I16(10).I16(5);
    b.U8(0).I16(0).I32(-1).I32(-1).I32(-1);
    return b.bytes;
}

void Append(Bytes& to, const Bytes& from)
{
    to.insert(to.end(), from.begin(), from.end());
}

} // namespace

TEST(TemplateBlock, DefaultStandaloneBlockByteForByte)
{
    CTemplate t;
    const Bytes block = BlockBytes(t, true);
    ASSERT_NE(nullptr, t.GetLabelStock());   // created for the writing

    ByteBuilder head;
    head.I32(0x1557779A).I32(0x315F);   // stop-after-pass is set in a new template
    head.U8(0).I16(1).U8(1).U8(1).U8(1);
    for (int m = 0; m < 3; ++m) {
        head.I32(0);
        for (int i = 0; i < 30; ++i)
            head.I32(-1);
        for (int i = 0; i < 110; ++i)
            head.U8(0);
    }
    Bytes expected = head.bytes;
    Append(expected, StockBytes(*t.GetLabelStock()));
    Append(expected, DefaultTail());
    EXPECT_EQ(expected, block);
}

TEST(TemplateBlock, FlagsFollowTheSettingsAndTheForm)
{
    CTemplate t;
    EXPECT_EQ(0x315Fu, U32At(BlockBytes(t, true), kFlagsAt));
    t.SetStopAfterPass(false);
    EXPECT_EQ(0x215Fu, U32At(BlockBytes(t, true), kFlagsAt));
    t.SetPrintBorders(true);
    EXPECT_EQ(0x215Fu, U32At(BlockBytes(t, true), kFlagsAt));   // borders only in projects
    EXPECT_EQ(0x2D5Fu, U32At(BlockBytes(t, false), kFlagsAt));

    t.SetStopAfterPass(true);
    t.SetPrinter("", "", "LPT1:");
    t.SetPasses(3);
    t.SetBorderColour(RGB(1, 2, 3));
    t.SetBorderWidth(700);
    t.SetPauseBetweenPages(true);
    const Bytes project = BlockBytes(t, false);
    EXPECT_EQ(0x3DDFu, U32At(project, kFlagsAt));
    // columnMajor, copies, then passes and the four border fields.
    EXPECT_EQ(3u, U32At(project, 11));
    EXPECT_EQ(1, project[15]);
    EXPECT_EQ(0x030201u, U32At(project, 16));
    EXPECT_EQ(700u, U32At(project, 20));
    EXPECT_EQ(1, project[24]);
    // The printer strings: 3 x 81 bytes after the three byte flags.
    EXPECT_EQ(0, project[28]);
    EXPECT_EQ(0, project[28 + 81]);
    EXPECT_EQ('L', project[28 + 162]);
    EXPECT_EQ(0, project[28 + 162 + 5]);

    CTemplate back;
    ASSERT_TRUE(ReadBlock(back, project));
    EXPECT_EQ(3, back.GetPasses());
    EXPECT_TRUE(back.GetPrintBorders());
    EXPECT_EQ(RGB(1, 2, 3), back.GetBorderColour());
    EXPECT_EQ(700, back.GetBorderWidth());
    EXPECT_TRUE(back.GetPauseBetweenPages());
    EXPECT_EQ("LPT1:", CString(back.GetPortName()));
}

TEST(TemplateBlock, PasswordIsStoredByteXorIndexAndReadBack)
{
    CTemplate t;
    t.SetLocked(true);
    t.SetPassword("ab");
    const Bytes block = BlockBytes(t, true);
    // ... locked, length, scrambled bytes, then the three zooms.
    const size_t at = block.size() - 12 - 5;
    EXPECT_EQ(1, block[at]);
    EXPECT_EQ(2, block[at + 1]);
    EXPECT_EQ(0, block[at + 2]);
    EXPECT_EQ('a', block[at + 3]);
    EXPECT_EQ('b' ^ 1, block[at + 4]);

    CTemplate back;
    ASSERT_TRUE(ReadBlock(back, block));
    EXPECT_TRUE(back.IsLocked());
    EXPECT_EQ("ab", CString(back.GetPassword()));

    // The stored length ends where a scrambled byte is zero.
    EXPECT_EQ(CString("a"), ScramblePassword("a\x01" "b"));
    const BYTE stored[] = {'a', 'b' ^ 1, 0, 'z'};
    EXPECT_EQ(CString("ab"), UnscramblePassword(stored, 4));
}

TEST(TemplateBlock, CopiesMinusThreeSurviveAsTheColumnCMarker)
{
    CTemplate t;
    t.SetCopies(-3);
    const Bytes block = BlockBytes(t, true);
    EXPECT_EQ(0xFD, block[9]);
    EXPECT_EQ(0xFF, block[10]);
    CTemplate back;
    ASSERT_TRUE(ReadBlock(back, block));
    EXPECT_EQ(-3, back.GetCopies());
    EXPECT_EQ(0xFFFD, back.GetCopies() & 0xFFFF);

    t.SetCopies(250);
    ASSERT_TRUE(ReadBlock(back, BlockBytes(t, true)));
    EXPECT_EQ(250, back.GetCopies());
}

TEST(TemplateBlock, EveryFieldSurvivesARoundTrip)
{
    CTemplate t;
    FillTemplate(t);
    const Bytes project = BlockBytes(t, false);
    CTemplate back;
    ASSERT_TRUE(ReadBlock(back, project));
    EXPECT_EQ(project, BlockBytes(back, false));
    EXPECT_EQ(2, back.GetArea(0)->GetCount());
    EXPECT_EQ(1, back.GetArea(2)->GetCount());
    EXPECT_EQ(-3, back.GetCopies());
    EXPECT_EQ(4, back.GetPasses());
    EXPECT_FALSE(back.GetStopAfterPass());
    EXPECT_EQ("secret", CString(back.GetPassword()));
    EXPECT_EQ(150, back.GetZoom(0));
    EXPECT_EQ(-1, back.GetZoom(1));
    EXPECT_EQ(2, back.GetColumnMap(1)->columns[0]);
    EXPECT_STREQ(", ", back.GetColumnMap(1)->separators[3]);
    EXPECT_EQ(3, back.GetHelpLines().GetVerticalLines());
    EXPECT_EQ(4, back.GetLabelStock()->GetColumns());
}

TEST(TemplateBlock, AcceptedMagicsAndTheOldestForm)
{
    CTemplate source;
    source.SetCopies(7);
    Bytes block = BlockBytes(source, true);

    PutU32(block, 0, 0x15577795);
    CTemplate older;
    EXPECT_TRUE(ReadBlock(older, block));
    EXPECT_EQ(7, older.GetCopies());
    PutU32(block, 0, 0x15577790);
    EXPECT_TRUE(ReadBlock(older, block));
    for (uint32_t bad : {0x1557779Bu, 0x1557778Fu, 0u}) {
        PutU32(block, 0, bad);
        CTemplate refused;
        EXPECT_FALSE(ReadBlock(refused, block)) << std::hex << bad;
    }

    // The oldest form: no flag word and no options; one area; the lock; no zooms.
    CLabelFileNew stock;
    stock.SetColumns(6);
    ByteBuilder oldest;
    oldest.I32(0x00590412);
    Bytes bytes = oldest.bytes;
    Append(bytes, StockBytes(stock));
    ByteBuilder rest;
    rest.I16(141).U8(1).U8(0).I16(4).I16(1).U8(0);
    rest.I16(175).I16(1).I16(10).I16(5).I16(151);
    rest.I32(1000).I32(2000).I32(3000).I32(4000).I32(1000).I32(0).I32(0).U8(1);
    rest.U8(1).I16(1).U8('x');
    Append(bytes, rest.bytes);

    CTemplate t;
    t.SetCopies(9);
    t.SetZoom(1, 200);
    t.GetColumnMap(0)->columns[0] = 4;
    ASSERT_TRUE(ReadBlock(t, bytes));
    EXPECT_EQ(1, t.GetCopies());
    EXPECT_EQ(6, t.GetLabelStock()->GetColumns());
    EXPECT_EQ(3, t.GetHelpLines().GetHorizontalLines());
    EXPECT_FALSE(t.GetFieldContours());
    EXPECT_EQ(1, t.GetArea(0)->GetCount());
    EXPECT_TRUE(t.IsLocked());
    EXPECT_EQ("x", CString(t.GetPassword()));
    EXPECT_EQ(-1, t.GetZoom(1));
    EXPECT_EQ(-1, t.GetColumnMap(0)->columns[0]);

    // An old block may end before the lock.
    CTemplate unlocked;
    unlocked.SetLocked(true);
    EXPECT_TRUE(ReadBlock(unlocked, bytes, bytes.size() - 4));
    EXPECT_FALSE(unlocked.IsLocked());
}

TEST(TemplateBlock, OutOfRangeZoomsAndColumnIndicesBecomeUnset)
{
    CTemplate t;
    t.SetZoom(0, 24);
    t.SetZoom(1, 801);
    t.SetZoom(2, 800);
    t.GetColumnMap(0)->columns[0] = 26;
    t.GetColumnMap(0)->columns[1] = -2;
    t.GetColumnMap(0)->columns[2] = 25;
    // A separator without its terminator.
    memset(t.GetColumnMap(2)->separators[9], 'x', CTemplateColumnMap::kSeparatorField);
    Bytes block = BlockBytes(t, true);
    block[14 + 2 * kColumnMapBytes + 124 + 9 * 11 + 10] = 'y';   // the last byte, stored as 0

    CTemplate back;
    ASSERT_TRUE(ReadBlock(back, block));
    EXPECT_EQ(-1, back.GetZoom(0));
    EXPECT_EQ(-1, back.GetZoom(1));
    EXPECT_EQ(800, back.GetZoom(2));
    EXPECT_EQ(-1, back.GetColumnMap(0)->columns[0]);
    EXPECT_EQ(-1, back.GetColumnMap(0)->columns[1]);
    EXPECT_EQ(25, back.GetColumnMap(0)->columns[2]);
    EXPECT_STREQ("xxxxxxxxxx", back.GetColumnMap(2)->separators[9]);
}

TEST(TemplateBlock, LongStoredPasswordIsReadWholeAndCutTo32)
{
    CTemplate t;
    t.SetZoom(1, 333);
    Bytes block = BlockBytes(t, true);
    // Replace the empty password by 40 scrambled characters.
    const size_t lockAt = block.size() - 12 - 3;
    Bytes zooms(block.end() - 12, block.end());
    block.resize(lockAt);
    ByteBuilder lock;
    lock.U8(1).I16(40);
    for (int i = 0; i < 40; ++i)
        lock.U8(static_cast<uint8_t>(('A' + i % 26) ^ i));
    Append(block, lock.bytes);
    Append(block, zooms);

    CTemplate back;
    ASSERT_TRUE(ReadBlock(back, block));
    EXPECT_EQ(32, back.GetPassword().GetLength());
    EXPECT_EQ("ABCDEFGHIJKLMNOPQRSTUVWXYZABCDEF", CString(back.GetPassword()));
    EXPECT_EQ(333, back.GetZoom(1));   // still in step after the long password
}

TEST(TemplateBlock, UnknownObjectCodeRefusesTheBlockBeforeTheLock)
{
    CTemplate t;
    t.GetArea(0)->Append(colltest::RectMm(1, 1, 1, 1));
    t.GetArea(1)->Append(colltest::RectMm(2, 2, 1, 1));
    t.GetArea(1)->Append(colltest::RectMm(3, 3, 1, 1));
    Bytes block = BlockBytes(t, true);
    // From the end: zooms, lock, empty area 2, then area 1 with two rectangles (2 + 29 bytes each).
    const size_t area1At = block.size() - 12 - 3 - 8 - (8 + 2 * 31);
    ASSERT_EQ(175, block[area1At]);
    const size_t secondCode = area1At + 8 + 31;
    ASSERT_EQ(151, block[secondCode]);
    block[secondCode + 1] = 0x40;
    CTemplate back;
    back.SetLocked(true);
    back.SetZoom(0, 100);
    EXPECT_FALSE(ReadBlock(back, block));
    // What was read before the damage stays (the project file relies on it); the lock and the
    // zooms were not read from the wrong place.
    EXPECT_EQ(1, back.GetArea(0)->GetCount());
    EXPECT_EQ(1, back.GetArea(1)->GetCount());
    EXPECT_TRUE(back.IsLocked());
    EXPECT_EQ(100, back.GetZoom(0));
}

TEST(TemplateBlock, RefusedWithoutTheHelpLinesOrCollectionTagOrWithAnUnknownStock)
{
    CTemplate t;
    const Bytes good = BlockBytes(t, true);
    const size_t stockAt = 14 + 3 * kColumnMapBytes;
    const size_t helpAt = good.size() - DefaultTail().size();
    ASSERT_EQ(141, good[helpAt]);

    Bytes badStock = good;
    badStock[stockAt] = 137;
    Bytes badHelp = good;
    badHelp[helpAt] = 142;
    Bytes badArea = good;
    badArea[helpAt + 2 + 6 + 1 + 8] = 176;   // the tag of area 1
    for (const Bytes* bad : {&badStock, &badHelp, &badArea}) {
        CTemplate back;
        EXPECT_FALSE(ReadBlock(back, *bad));
    }
}

TEST(TemplateBlock, TruncatedAtEveryOffsetFailsCleanly)
{
    MessageBoxRecorder boxes;
    CTemplate source;
    FillTemplate(source);
    for (bool standalone : {true, false}) {
        const Bytes block = BlockBytes(source, standalone);
        for (size_t n = 0; n < block.size(); ++n) {
            CTemplate t;
            EXPECT_FALSE(ReadBlock(t, block, n)) << "standalone " << standalone << " bytes " << n;
        }
        CTemplate whole;
        EXPECT_TRUE(ReadBlock(whole, block));
    }
}

TEST(TemplateBlock, MutatedAtEveryOffsetNeverCrashes)
{
    MessageBoxRecorder boxes;
    CTemplate source;
    FillTemplate(source);
    const Bytes block = BlockBytes(source, false);
    for (size_t i = 0; i < block.size(); ++i) {
        for (uint8_t v : {uint8_t(0x00), uint8_t(0xFF), uint8_t(block[i] ^ 0x21)}) {
            if (v == block[i])
                continue;
            Bytes mutated = block;
            mutated[i] = v;
            CTemplate t;
            if (ReadBlock(t, mutated)) {
                // Whatever was accepted writes again.
                EXPECT_FALSE(BlockBytes(t, false).empty()) << i;
            }
        }
    }
}
