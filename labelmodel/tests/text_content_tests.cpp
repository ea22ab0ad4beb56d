// Text contents: records, round trips, bad records, counters, table joins and placeholders.
#include "labelmodel/tests/text_fixtures.h"

#include "testsupport/msgboxrecorder.h"

#include <gtest/gtest.h>
#include <cstring>
#include <functional>
#include <memory>

namespace {

std::unique_ptr<CText> Make(int code)
{
    return std::unique_ptr<CText>(CreateTextContentByCode(code));
}

std::string Text(const CText& content, int row, const FakeTable* table = nullptr,
                 const FakeColumnMap* map = nullptr, bool design = false, int size = 1025)
{
    static const FakeColumnMap identity;
    return std::string(content.FormatToString(row, table ? table->Handle() : nullptr,
                                              (map ? map : &identity)->Handle(), design, size)
                           .GetString());
}

// One content of every kind with every field away from its default.
std::vector<std::unique_ptr<CText>> OneOfEachKind()
{
    std::vector<std::unique_ptr<CText>> all;
    auto fixed = Make(kTextFixedCode);
    fixed->SetFixedText("Fixed \xE5 text");
    all.push_back(std::move(fixed));

    auto lines = Make(kTextFixedExtCode);
    lines->SetMultiLineText("first\r\nsecond line\r\nthird");
    all.push_back(std::move(lines));

    all.push_back(Make(kTextDateCode));

    auto date = Make(kTextDateExtCode);
    date->SetDatePart(4);
    date->SetDateOffset(-12);
    all.push_back(std::move(date));

    all.push_back(Make(kTextTimeCode));

    auto table = Make(kTextTableCode);
    table->SetTableColumn(0, 7);
    all.push_back(std::move(table));

    auto joined = Make(kTextTableExtCode);
    joined->SetColumnName("CQZ");
    joined->SetSeparatorName("Line break");
    joined->SetSeparatorAlways(true);
    all.push_back(std::move(joined));

    auto counter = Make(kTextAutoIncrementCode);
    counter->SetCounterPrefix("N-");
    counter->SetCounterSuffix("/x");
    counter->SetCounterStartText("-17");
    counter->SetCounterDigitsText("6");
    counter->SetCounterZeroPadded(true);
    all.push_back(std::move(counter));
    return all;
}

} // namespace

// ---- Records ------------------------------------------------------------------------------------

TEST(TextContentRecord, MultiLineRecordBytes)
{
    CTextFixedExt lines;
    lines.SetMultiLineText("AB\r\nCD");
    CMemFile file;
    RecordWriter(&file).I16(static_cast<int16_t>(lines.GetTypeCode()));
    ASSERT_TRUE(lines.Save(&file));
    const Bytes expected = { 0x0F, 0x01, 0x32, 0x00, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00, 0x10,
                             0x01, 0x02, 0x00, 0x41, 0x42, 0x10, 0x01, 0x02, 0x00, 0x43, 0x44 };
    EXPECT_EQ(expected, file.Bytes());
}

TEST(TextContentRecord, BodyBytesOfEveryKind)
{
    CTextFixed fixed;
    fixed.SetFixedText("Hi");
    EXPECT_EQ(Bytes({ 0x02, 0x00, 'H', 'i', 0x00 }), SaveBody(fixed));

    CTextTable table;
    table.SetTableColumn(0, 3);
    EXPECT_EQ(Bytes({ 0x03, 0x00 }), SaveBody(table));
    EXPECT_TRUE(SaveBody(CTextDate()).empty());
    EXPECT_TRUE(SaveBody(CTextTime()).empty());

    CTextDateExt date;
    date.SetDatePart(2);
    date.SetDateOffset(-2);
    EXPECT_EQ(Bytes({ 0x03, 0x00, 0x02, 0x00, 0xFE, 0xFF, 0, 0, 0, 0 }), SaveBody(date));

    CTextTableExt joined;
    joined.SetColumnName("BD");
    joined.SetSeparatorName("; ");
    joined.SetSeparatorAlways(true);
    Bytes expectedJoined = { 0x01, 0x00, 0x03, 0x00, 0xFF, 0xFF, 0x02, 0x00, ';', ' ',
                             0x01, 0x00, 0x00, 0x00, 0x00, 0x00 };
    EXPECT_EQ(expectedJoined, SaveBody(joined));
    EXPECT_EQ(14u + 2u, SaveBody(joined).size());

    CTextAutoIncrement counter;
    counter.SetCounterPrefix("N-");
    counter.SetCounterStartText("258");
    counter.SetCounterDigitsText("4");
    counter.SetCounterZeroPadded(true);
    Bytes body = SaveBody(counter);
    ASSERT_EQ(55u, body.size());
    Bytes expectedCounter(55, 0);
    expectedCounter[0] = 'N';
    expectedCounter[1] = '-';
    expectedCounter[42] = 0x02;           // start 258
    expectedCounter[43] = 0x01;
    expectedCounter[46] = 0x04;           // digits 4
    expectedCounter[50] = 0x01;           // zero pad
    EXPECT_EQ(expectedCounter, body);
}

TEST(TextContentRecord, EveryKindRoundTrips)
{
    for (auto& original : OneOfEachKind()) {
        SCOPED_TRACE(original->GetTypeCode());
        Bytes body = SaveBody(*original);
        auto copy = Make(original->GetTypeCode());
        size_t consumed = 0;
        ASSERT_TRUE(LoadBody(*copy, body, &consumed));
        EXPECT_EQ(body.size(), consumed);
        EXPECT_EQ(body, SaveBody(*copy));
        EXPECT_EQ(Text(*original, 3, nullptr, nullptr, true), Text(*copy, 3, nullptr, nullptr, true));
    }
}

TEST(TextContentRecord, TruncatedRecordsFailAndLeaveTheContentAlone)
{
    for (auto& original : OneOfEachKind()) {
        Bytes body = SaveBody(*original);
        for (size_t cut = 0; cut < body.size(); ++cut) {
            SCOPED_TRACE(testing::Message() << original->GetTypeCode() << " cut at " << cut);
            auto target = Make(original->GetTypeCode());
            Bytes before = SaveBody(*target);
            Bytes shortBody(body.begin(), body.begin() + static_cast<long>(cut));
            EXPECT_FALSE(LoadBody(*target, shortBody));
            EXPECT_EQ(before, SaveBody(*target));
        }
    }
}

TEST(TextContentRecord, FixedTextLengthsAreChecked)
{
    CTextFixed fixed;
    fixed.SetFixedText("keep");
    Bytes negative;
    PutI16(negative, -1);
    PutText(negative, std::string(10, 'x'));
    EXPECT_FALSE(LoadBody(fixed, negative));
    Bytes huge;
    PutI16(huge, 5000);
    PutText(huge, std::string(5001, 'x'));
    EXPECT_FALSE(LoadBody(fixed, huge));
    EXPECT_STREQ("keep", fixed.GetText());

    // Longer than the field: cut to the field, and the record is consumed to its end.
    Bytes over;
    PutI16(over, 300);
    PutText(over, std::string(300, 'y'));
    over.push_back(0);
    size_t consumed = 0;
    ASSERT_TRUE(LoadBody(fixed, over, &consumed));
    EXPECT_EQ(over.size(), consumed);
    EXPECT_EQ(std::string(200, 'y'), fixed.GetText().GetString());
    EXPECT_EQ(2u + 200u + 1u, SaveBody(fixed).size());
}

TEST(TextContentRecord, MultiLineLengthsAndMarkers)
{
    MessageBoxRecorder boxes;
    auto lineRecord = [](int marker, std::vector<std::pair<int, std::string>> lines) {
        Bytes b;
        PutI16(b, marker);
        PutI16(b, static_cast<int>(lines.size()));
        PutI16(b, 0);
        PutI16(b, 0);
        for (auto& line : lines) {
            PutI16(b, 272);
            PutI16(b, line.first);
            PutText(b, line.second);
        }
        return b;
    };

    CTextFixedExt lines;
    lines.SetMultiLineText("old");
    EXPECT_FALSE(LoadBody(lines, lineRecord(50, { { -1, "" } })));
    EXPECT_FALSE(LoadBody(lines, lineRecord(50, { { 4096, std::string(4096, 'z') } })));
    Bytes negativeCount = lineRecord(50, {});
    negativeCount[2] = 0xFF;
    negativeCount[3] = 0xFF;
    EXPECT_FALSE(LoadBody(lines, negativeCount));
    EXPECT_EQ(std::vector<CString>({ "old" }), lines.GetLines());
    EXPECT_EQ(0u, boxes.Count());

    // The longest line a record may hold, and an empty line that is kept.
    ASSERT_TRUE(LoadBody(lines, lineRecord(50, { { 4095, std::string(4095, 'w') }, { 0, "" },
                                                 { 1, "v" } })));
    ASSERT_EQ(3u, lines.GetLines().size());
    EXPECT_EQ(4095, lines.GetLines()[0].GetLength());
    EXPECT_STREQ("", lines.GetLines()[1]);
    EXPECT_STREQ("v", lines.GetLines()[2]);
    EXPECT_FALSE(lines.IsDefaultText());

    // A wrong list marker is reported and reading goes on.
    ASSERT_TRUE(LoadBody(lines, lineRecord(51, { { 2, "ok" } })));
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_STREQ("key = 51", boxes.Last().text);
    EXPECT_STREQ("collectionKey", boxes.Last().caption);
    EXPECT_EQ(std::vector<CString>({ "ok" }), lines.GetLines());
}

TEST(TextContentRecord, WhatIsWrittenCanBeReadBack)
{
    // Blank lines of a multi-line text survive a save and reload.
    CTextFixedExt blank;
    blank.SetMultiLineText("first\r\n\r\nthird");
    CTextFixedExt blankCopy;
    ASSERT_TRUE(LoadBody(blankCopy, SaveBody(blank)));
    EXPECT_EQ(blank.GetLines(), blankCopy.GetLines());
    ASSERT_EQ(3u, blankCopy.GetLines().size());


    // A line set directly may be longer than a record holds: it is stored cut.
    CTextFixedExt longLine;
    longLine.SetFixedText(CString('q', 6000));
    CTextFixedExt copy;
    ASSERT_TRUE(LoadBody(copy, SaveBody(longLine)));
    ASSERT_EQ(1u, copy.GetLines().size());
    EXPECT_EQ(kRecordTextMax, copy.GetLines()[0].GetLength());

    // More lines than the count field holds.
    CString many;
    for (int i = 0; i < 33000; ++i)
        many += "x\r\n";
    CTextFixedExt manyLines;
    manyLines.SetMultiLineText(many);
    ASSERT_EQ(33001u, manyLines.GetLines().size());
    ASSERT_TRUE(LoadBody(copy, SaveBody(manyLines)));
    EXPECT_EQ(32767u, copy.GetLines().size());

    // A separator longer than its field, read from a record, is cut to the field.
    Bytes joined;
    PutI16(joined, 0);
    PutI16(joined, 1);
    PutI16(joined, -1);
    PutI16(joined, 14);
    PutText(joined, "0123456789ABCD");
    PutI32(joined, 1);
    PutI16(joined, 3);
    PutText(joined, "rsv");
    CTextTableExt table;
    size_t consumed = 0;
    ASSERT_TRUE(LoadBody(table, joined, &consumed));
    EXPECT_EQ(joined.size(), consumed);
    EXPECT_STREQ("0123456789", table.GetSeparator());
    EXPECT_TRUE(table.IsSeparatorAlways());
    CTextTableExt again;
    ASSERT_TRUE(LoadBody(again, SaveBody(table)));
    EXPECT_EQ(SaveBody(table), SaveBody(again));

    Bytes badReserved(joined.begin(), joined.end() - 5);
    PutI16(badReserved, -3);
    CTextTableExt untouched;
    EXPECT_FALSE(LoadBody(untouched, badReserved));
    EXPECT_STREQ(" ", untouched.GetSeparator());
}

// ---- Counters -----------------------------------------------------------------------------------

TEST(TextCounter, PaddingStartAndRows)
{
    CTextAutoIncrement counter;
    counter.SetCounterPrefix("N-");
    counter.SetCounterDigitsText("4");
    counter.SetCounterZeroPadded(true);
    EXPECT_EQ("N-0001", Text(counter, 1));
    EXPECT_EQ("N-0010", Text(counter, 10));
    EXPECT_EQ("N-0001", Text(counter, 0));
    EXPECT_EQ("{+1}", Text(counter, 5, nullptr, nullptr, true));

    counter.SetCounterZeroPadded(false);
    EXPECT_EQ("N-1", Text(counter, 1));
    EXPECT_EQ("N-10", Text(counter, 10));

    counter.SetCounterZeroPadded(true);
    counter.SetCounterDigitsText("0");
    EXPECT_EQ("N-10", Text(counter, 10));

    counter.SetCounterDigitsText("3");
    counter.AdvanceCounter(25);
    EXPECT_EQ("N-026", Text(counter, 1));

    counter.SetCounterStartText("-5");
    counter.SetCounterSuffix(" pcs");
    EXPECT_EQ("N--05 pcs", Text(counter, 1));
    EXPECT_EQ("N-000 pcs", Text(counter, 6));

    char buffer[32];
    ASSERT_TRUE(counter.GetCounterStartText(buffer, sizeof buffer));
    EXPECT_STREQ("-5", buffer);
    counter.SetCounterStartText("many");
    counter.SetCounterDigitsText("-2");
    ASSERT_TRUE(counter.GetCounterDigitsText(buffer, sizeof buffer));
    EXPECT_STREQ("3", buffer);
    ASSERT_TRUE(counter.GetCounterStartText(buffer, sizeof buffer));
    EXPECT_STREQ("-5", buffer);
}

TEST(TextCounter, DigitsAndTextsAreBounded)
{
    CTextAutoIncrement counter;
    counter.SetCounterPrefix(std::string(40, 'p').c_str());
    counter.SetCounterSuffix(std::string(40, 's').c_str());
    counter.SetCounterDigitsText("100000");
    counter.SetCounterZeroPadded(true);
    EXPECT_EQ(kCounterDigitsMax, counter.GetDigits());
    std::string text = Text(counter, 1);
    EXPECT_EQ(std::string(20, 'p') + std::string(kCounterDigitsMax - 1, '0') + "1"
                  + std::string(20, 's'),
              text);

    // A caller's small buffer gets a terminated prefix of the text.
    char small[6];
    std::memset(small, 'X', sizeof small);
    counter.FormatText(1, small, sizeof small, 0, nullptr, nullptr, false);
    EXPECT_STREQ("ppppp", small);

    // A record with an absurd digit count is clamped when read.
    Bytes body = SaveBody(counter);
    body[46] = 0xFF;
    body[47] = 0xFF;
    body[48] = 0xFF;
    body[49] = 0x7F;
    CTextAutoIncrement read;
    ASSERT_TRUE(LoadBody(read, body));
    EXPECT_EQ(kCounterDigitsMax, read.GetDigits());
    body[49] = 0xFF;                      // negative
    ASSERT_TRUE(LoadBody(read, body));
    EXPECT_EQ(0, read.GetDigits());

    // A start at the top of the range neither wraps when printed nor when advanced.
    counter.SetCounterZeroPadded(false);
    counter.SetCounterPrefix("");
    counter.SetCounterSuffix("");
    counter.SetCounterStartText("2147483647");
    EXPECT_EQ("2147483648", Text(counter, 2));
    counter.AdvanceCounter(10);
    EXPECT_EQ(2147483647, counter.GetStart());
}

// ---- Table contents -----------------------------------------------------------------------------

TEST(TextTable, JoinsCellsWithTheSeparator)
{
    FakeTableReader reader;
    FakeTable table;
    table.Set(0, 0, "Ann");
    table.Set(0, 2, "Lee");
    table.Set(1, 0, "");
    table.Set(1, 1, "Bob");

    CTextTableExt joined;
    joined.SetColumnName("ABC");
    EXPECT_EQ("Ann Lee", Text(joined, 1, &table));
    joined.SetSeparatorAlways(true);
    EXPECT_EQ("Ann  Lee", Text(joined, 1, &table));

    joined.SetColumnName("AB");
    joined.SetSeparatorName("Line break");
    joined.SetSeparatorAlways(false);
    table.Set(0, 1, "Ola");
    EXPECT_EQ("Ann\r\nOla", Text(joined, 1, &table));
    EXPECT_EQ("Bob", Text(joined, 2, &table));
    joined.SetSeparatorAlways(true);
    EXPECT_EQ("\r\nBob", Text(joined, 2, &table));

    // No row, a row past the table, and no table at all read as empty cells.
    joined.SetSeparatorAlways(false);
    EXPECT_EQ("", Text(joined, 0, &table));
    EXPECT_EQ("", Text(joined, 9, &table));
    EXPECT_EQ("", Text(joined, 1, nullptr));
}

TEST(TextTable, ColumnsGoThroughTheColumnMap)
{
    FakeTableReader reader;
    FakeTable table;
    table.Set(0, 0, "zero");
    table.Set(0, 1, "one");
    FakeColumnMap map;
    for (int& entry : map.entries)
        entry = -1;
    map.entries[0] = 4;                   // logical column E is shown first
    map.entries[1] = 2;

    CTextTable single;
    single.SetColumnName("E");
    EXPECT_EQ("zero", Text(single, 1, &table, &map));
    single.SetColumnName("C");
    EXPECT_EQ("one", Text(single, 1, &table, &map));
    single.SetColumnName("A");            // not in the map
    EXPECT_EQ("", Text(single, 1, &table, &map));
    EXPECT_EQ(-1, FindPhysicalColumn(map.Handle(), 0));
    EXPECT_EQ(-1, FindPhysicalColumn(map.Handle(), -1));
    EXPECT_EQ(1, FindPhysicalColumn(map.Handle(), 2));

    // Without an installed reader nothing is read.
    SetTableCellReader(nullptr);
    single.SetColumnName("E");
    EXPECT_EQ("", Text(single, 1, &table, &map));
    SetTableCellReader(&reader);
}

TEST(TextTable, DesignPlaceholders)
{
    CTextTableExt joined;
    EXPECT_EQ("[A]", Text(joined, 1, nullptr, nullptr, true));
    joined.SetColumnName("AB");
    joined.SetSeparatorName("None");
    EXPECT_EQ("[AB]", Text(joined, 1, nullptr, nullptr, true));
    joined.SetSeparatorName("Space");
    EXPECT_EQ("[A B]", Text(joined, 1, nullptr, nullptr, true));
    joined.SetSeparatorName("Line break");
    EXPECT_EQ("[A\r\n  B]", Text(joined, 1, nullptr, nullptr, true));
    joined.SetColumnName("?B");
    EXPECT_EQ("[@\r\n  B]", Text(joined, 1, nullptr, nullptr, true));

    CTextTable single;
    EXPECT_EQ("[A]", Text(single, 1, nullptr, nullptr, true));
    single.SetColumnName("Z");
    EXPECT_EQ("[Z]", Text(single, 1, nullptr, nullptr, true));
}

TEST(TextTable, ColumnNames)
{
    CTextTableExt joined;
    char name[8];
    int column = 99;

    joined.SetColumnName("ABC");
    joined.SetColumnName("A");
    ASSERT_TRUE(joined.QueryTableColumn(1, &column));
    EXPECT_EQ(-1, column);
    ASSERT_TRUE(joined.QueryTableColumn(2, &column));
    EXPECT_EQ(-1, column);

    joined.SetColumnName("A?C");
    ASSERT_TRUE(joined.GetColumnName(name, sizeof name));
    EXPECT_STREQ("A", name);
    ASSERT_TRUE(joined.QueryTableColumn(2, &column));
    EXPECT_EQ(-1, column);

    joined.SetColumnName("ABC");
    joined.SetTableColumn(1, -1);
    ASSERT_TRUE(joined.GetColumnName(name, sizeof name));
    EXPECT_STREQ("AC", name);
    EXPECT_TRUE(joined.UsesTableColumn(2));
    EXPECT_FALSE(joined.UsesTableColumn(1));
    EXPECT_FALSE(joined.UsesTableColumn(-1));
    EXPECT_FALSE(joined.QueryTableColumn(3, &column));

    CTextTable single;
    single.SetColumnName("x");
    std::strcpy(name, "keep");
    ASSERT_TRUE(single.GetColumnName(name, sizeof name));
    EXPECT_STREQ("keep", name);
    EXPECT_FALSE(single.UsesTableColumn(-1));
    EXPECT_FALSE(single.QueryTableColumn(1, &column));
}

TEST(TextTable, SeparatorNamesAndTableTextOption)
{
    CTextTableExt joined;
    char name[32];
    struct { const char* set; const char* separator; const char* shown; } cases[] = {
        { "None", "", "None" },
        { "Space", " ", "Space" },
        { "Line break", "\r\n", "Line break" },
        { "space", "space", "space" },          // compared exactly
        { " / ", " / ", " / " },
        { "0123456789abc", "0123456789", "0123456789" },
    };
    for (auto& c : cases) {
        joined.SetSeparatorName(c.set);
        EXPECT_STREQ(c.separator, joined.GetSeparator()) << c.set;
        ASSERT_TRUE(joined.GetSeparatorName(name, sizeof name));
        EXPECT_STREQ(c.shown, name);
    }
    EXPECT_EQ("", std::string(SeparatorDisplayName(3)));

    EXPECT_TRUE(joined.GetTableTextOption());
    EXPECT_TRUE(joined.SetTableTextOption(false));
    EXPECT_FALSE(joined.GetTableTextOption());
    std::unique_ptr<CText> clone(joined.Clone());
    EXPECT_FALSE(clone->GetTableTextOption());
    // Not part of the record.
    CTextTableExt read;
    ASSERT_TRUE(LoadBody(read, SaveBody(joined)));
    EXPECT_TRUE(read.GetTableTextOption());
}

// ---- Fixed texts --------------------------------------------------------------------------------

TEST(TextFixed, LinesAndTheDefaultText)
{
    CTextFixedExt lines;
    EXPECT_TRUE(lines.IsDefaultText());
    EXPECT_EQ("Enter text here", Text(lines, 1));
    CString fixed = "pre:";
    ASSERT_TRUE(lines.GetFixedText(fixed));
    EXPECT_STREQ("pre:", fixed);

    lines.SetMultiLineText("one\r\ntw\no\r\n\r\nend");
    EXPECT_EQ(std::vector<CString>({ "one", "two", "", "end" }), lines.GetLines());
    EXPECT_EQ("one\r\ntwo\r\n\r\nend", Text(lines, 1));
    EXPECT_EQ("one\r\ntwo\r\n\r\nend", Text(lines, 1, nullptr, nullptr, true));
    fixed.Empty();
    ASSERT_TRUE(lines.GetFixedText(fixed));
    EXPECT_STREQ("onetwoend", fixed);

    lines.SetMultiLineText("");
    EXPECT_EQ(std::vector<CString>({ "" }), lines.GetLines());
    lines.SetMultiLineText(CString('L', 2000) + "\r\nx");
    EXPECT_EQ(kLineMax, lines.GetLines()[0].GetLength());

    lines.SetFixedText("single");
    EXPECT_EQ(std::vector<CString>({ "single" }), lines.GetLines());

    std::unique_ptr<CText> clone(CTextFixedExt().Clone());
    EXPECT_TRUE(static_cast<CTextFixedExt*>(clone.get())->IsDefaultText());

    CTextFixed old;
    old.SetMultiLineText(CString('o', 300));
    EXPECT_EQ(kFixedTextMax, old.GetText().GetLength());
    fixed = "a";
    old.SetFixedText("b");
    ASSERT_TRUE(old.GetFixedText(fixed));
    EXPECT_STREQ("ab", fixed);
    EXPECT_EQ("b", Text(old, 0, nullptr, nullptr, true));
}

TEST(TextContent, KindsFactoriesAndNeutralAnswers)
{
    struct { int kind; int code; } kinds[] = { { kKindTable, kTextTableExtCode },
                                               { kKindFixed, kTextFixedExtCode },
                                               { kKindDate, kTextDateExtCode },
                                               { kKindTime, kTextTimeCode },
                                               { kKindCounter, kTextAutoIncrementCode } };
    for (auto& k : kinds) {
        std::unique_ptr<CText> content(CreateTextContentByKind(k.kind));
        ASSERT_TRUE(content);
        EXPECT_EQ(k.kind, content->GetKind());
        EXPECT_EQ(k.code, content->GetTypeCode());
    }
    EXPECT_EQ(nullptr, CreateTextContentByKind(5));
    EXPECT_EQ(nullptr, CreateTextContentByCode(270));

    for (auto& content : OneOfEachKind()) {
        std::unique_ptr<CText> clone(content->Clone());
        EXPECT_EQ(content->GetTypeCode(), clone->GetTypeCode());
        EXPECT_EQ(SaveBody(*content), SaveBody(*clone));
        EXPECT_EQ(content->IsFixedText(), content->GetKind() == kKindFixed);
        EXPECT_EQ(content->IsCounter(), content->GetKind() == kKindCounter);
        EXPECT_EQ(content->HasSeparator(), content->GetTypeCode() == kTextTableExtCode);
        EXPECT_EQ(content->HasDatePart(), content->GetTypeCode() == kTextDateExtCode);
    }

    // A kind without the property leaves the caller's buffer alone.
    CTextTime time;
    char buffer[8] = "keep";
    int value = 42;
    EXPECT_FALSE(time.GetCounterPrefix(buffer, sizeof buffer));
    EXPECT_FALSE(time.GetSeparatorName(buffer, sizeof buffer));
    EXPECT_FALSE(time.QueryDatePart(&value));
    EXPECT_FALSE(time.QueryTableColumn(0, &value));
    EXPECT_STREQ("keep", buffer);
    EXPECT_EQ(42, value);
    EXPECT_EQ("{time}", Text(time, 1, nullptr, nullptr, true));
    EXPECT_EQ("{date}", Text(CTextDate(), 1, nullptr, nullptr, true));
}
