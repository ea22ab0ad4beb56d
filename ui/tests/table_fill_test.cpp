// The counting values of the Sequence command and the fill loops of Sequence and Repeat, without
// any window: parsing and formatting by base, the 32-bit edges, and what lands in which row.
#include "ui/tablefill.h"

#include <gtest/gtest.h>

#include <new>
#include <string>
#include <vector>

namespace {
// A column of texts; InsertRow moves the rows below down like the table does.
class RecordingTarget : public TableFillTarget {
public:
    std::vector<std::string> rows;
    int column = -1;
    int inserts = 0;
    long long failAfter = -1;      // throw std::bad_alloc on this write

    bool InsertRow(int row) override
    {
        ++inserts;
        if (row <= static_cast<int>(rows.size()))
            rows.insert(rows.begin() + row, std::string());
        return true;
    }
    bool SetCell(const char* text, int row, int col) override
    {
        if (failAfter == 0)
            throw std::bad_alloc();
        if (failAfter > 0)
            --failAfter;
        column = col;
        if (row >= static_cast<int>(rows.size()))
            rows.resize(static_cast<size_t>(row) + 1);
        rows[static_cast<size_t>(row)] = text;
        return true;
    }
};

std::string Join(const std::vector<std::string>& rows)
{
    std::string all;
    for (const std::string& r : rows)
        all += (all.empty() ? "" : " ") + r;
    return all;
}

SequenceSettings Seq(int base, const char* start, const char* stop, int step = 1)
{
    SequenceSettings s;
    s.base = base;
    s.start = start;
    s.stop = stop;
    s.step = step;
    return s;
}

std::string Fill(SequenceSettings s, TableFillResult* out = nullptr)
{
    RecordingTarget target;
    TableFillResult result;
    FillSequence(s, target, 2, 0, result);
    if (out != nullptr)
        *out = result;
    return Join(target.rows);
}
} // namespace

TEST(SequenceValues, ParseByBase)
{
    struct Case {
        const char* text;
        int base;
        long long value;
        bool upperAfter;            // starting from true
    } cases[] = {
        { "10", kSequenceDecimal, 10, true },
        { "  -7x", kSequenceDecimal, -7, true },
        { "abc", kSequenceDecimal, 0, true },
        { "2147483647", kSequenceDecimal, 2147483647, true },
        { "-2147483648", kSequenceDecimal, -2147483648LL, true },
        { "2147483648", kSequenceDecimal, 0, true },            // beyond 32 bits: not a value
        { "99999999999", kSequenceDecimal, 0, true },
        { "17", kSequenceOctal, 15, true },
        { "9", kSequenceOctal, 0, true },
        { "a", kSequenceHex, 10, false },
        { "0F", kSequenceHex, 15, true },
        { "0x1f", kSequenceHex, 31, false },
        { "100000000", kSequenceHex, 0, true },
        { "A", kSequenceAlphabetic, 0, true },
        { "BA", kSequenceAlphabetic, 26, true },
        { "ba", kSequenceAlphabetic, 26, false },
        { "A1", kSequenceAlphabetic, 0, true },
        { "ZZZZZZZZ", kSequenceAlphabetic, 0, true },            // beyond 32 bits
    };
    for (const Case& c : cases) {
        bool upper = true;
        EXPECT_EQ(ParseSequenceValue(c.text, c.base, upper), c.value) << c.text;
        EXPECT_EQ(upper, c.upperAfter) << c.text;
    }
    bool upper = false;
    ParseSequenceValue("0A", kSequenceHex, upper);
    EXPECT_TRUE(upper);
}

TEST(SequenceValues, FillsOfThePartsEdgeCases)
{
    SequenceSettings s = Seq(kSequenceDecimal, "1", "10", 3);
    s.leadingZero = true;
    EXPECT_EQ(Fill(s), "01 04 07 10");
    EXPECT_EQ(Fill(Seq(kSequenceHex, "a", "f")), "a b c d e f");
    s = Seq(kSequenceHex, "0A", "0F");
    s.leadingZero = true;
    EXPECT_EQ(Fill(s), "0A 0B 0C 0D 0E 0F");
    EXPECT_EQ(Fill(Seq(kSequenceAlphabetic, "A", "AC")), "AA AB AC");
    EXPECT_EQ(Fill(Seq(kSequenceAlphabetic, "x", "bb")), "ax ay az ba bb");
    EXPECT_EQ(Fill(Seq(kSequenceOctal, "6", "11")), "6 7 10 11");
    s = Seq(kSequenceDecimal, "1", "3");
    s.reverse = true;
    EXPECT_EQ(Fill(s), "3 2 1");
    s = Seq(kSequenceDecimal, "1", "2");
    s.sets = 2;
    s.copies = 2;
    EXPECT_EQ(Fill(s), "1 1 2 2 1 1 2 2");
    s = Seq(kSequenceDecimal, "5", "1");
    EXPECT_EQ(Fill(s), "");                                     // nothing to count
}

TEST(SequenceValues, FormatPadsCutsAndAddsPrefixAndSuffix)
{
    SequenceSettings s = Seq(kSequenceDecimal, "000000000000000000000000000001", "2");
    s.leadingZero = true;
    EXPECT_EQ(std::string(FormatSequenceValue(1, s)), std::string(19, '0') + "1");
    s.leadingZero = false;
    EXPECT_EQ(std::string(FormatSequenceValue(1, s)), "1");
    s.prefix = CString('p', 200);
    s.suffix = CString('s', 200);
    const CString text = FormatSequenceValue(42, s);
    EXPECT_EQ(text.GetLength(), 255);
    EXPECT_EQ(std::string(text), std::string(200, 'p') + "42" + std::string(53, 's'));
    SequenceSettings a = Seq(kSequenceAlphabetic, "A", "A");
    EXPECT_EQ(std::string(FormatSequenceValue(26, a)), "BA");
    a.upper = false;
    EXPECT_EQ(std::string(FormatSequenceValue(0, a)), "a");
    SequenceSettings o = Seq(kSequenceOctal, "0", "0");
    EXPECT_EQ(std::string(FormatSequenceValue(-1, o)), "37777777777");
}

TEST(SequenceValues, RunsAtTheEndsOfThe32BitRangeEnd)
{
    TableFillResult result;
    EXPECT_EQ(Fill(Seq(kSequenceDecimal, "2147483646", "2147483647", 5), &result), "2147483646");
    EXPECT_EQ(result.cells, 1);
    SequenceSettings s = Seq(kSequenceDecimal, "-2147483648", "-2147483647", 5);
    s.reverse = true;
    EXPECT_EQ(Fill(s, &result), "-2147483647");
    EXPECT_EQ(result.cells, 1);
    s = Seq(kSequenceDecimal, "2147483640", "2147483647", 2000000000);
    EXPECT_EQ(Fill(s), "2147483640");
}

TEST(SequenceFill, InsertGivesEveryWrittenCellANewRow)
{
    RecordingTarget target;
    target.rows = { "r0", "r1", "r2" };
    SequenceSettings s = Seq(kSequenceDecimal, "1", "2");
    s.copies = 2;
    s.insert = true;
    TableFillResult result;
    FillSequence(s, target, 0, 1, result);
    EXPECT_EQ(Join(target.rows), "r0 1 1 2 2 r1 r2");
    EXPECT_EQ(target.inserts, 4);
    EXPECT_EQ(result.lastRow, 4);
}

TEST(SequenceFill, RunningOutOfMemoryStopsWithWhatWasWritten)
{
    RecordingTarget target;
    target.failAfter = 3;
    SequenceSettings s = Seq(kSequenceDecimal, "1", "1000000");
    TableFillResult result;
    EXPECT_THROW(FillSequence(s, target, 0, 0, result), std::bad_alloc);
    EXPECT_EQ(result.cells, 3);
    EXPECT_EQ(result.lastRow, 2);
}

TEST(RepeatFill, CopiesWithInsertKeepTheRowsBelow)
{
    RecordingTarget target;
    for (int i = 1; i <= 8; ++i)
        target.rows.push_back("row" + std::to_string(i));
    RepeatSettings r;
    r.column = 25;
    r.row = 5;
    r.copies = 3;
    r.text = "T";
    r.insert = true;
    TableFillResult result;
    FillRepeat(r, target, result);
    EXPECT_EQ(Join(target.rows), "row1 row2 row3 row4 T T T row6 row7 row8");
    EXPECT_EQ(target.column, 25);
    EXPECT_EQ(result.lastRow, 6);
}

TEST(CellNames, LetterAndRowFromOne)
{
    int column = -1, row = -1;
    EXPECT_TRUE(ParseCellName("c12", column, row));
    EXPECT_EQ(column, 2);
    EXPECT_EQ(row, 12);
    EXPECT_TRUE(ParseCellName("Z1", column, row));
    EXPECT_EQ(column, 25);
    EXPECT_FALSE(ParseCellName("A0", column, row));
    EXPECT_FALSE(ParseCellName("1A", column, row));
    EXPECT_FALSE(ParseCellName("A", column, row));
    EXPECT_FALSE(ParseCellName("", column, row));
}
