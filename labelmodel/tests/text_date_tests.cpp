// Date arithmetic, week numbers and the date and time contents.
#include "labelmodel/tests/text_fixtures.h"

#include "labelmodel/datecalc.h"
#include "testsupport/localeguard.h"

#include <gtest/gtest.h>
#include <cstring>

namespace {

std::string Format(const CText& content, bool design = false)
{
    return std::string(content.FormatToString(1, nullptr, nullptr, design).GetString());
}

// ISO 8601 week number computed another way: from the weekday by Sakamoto's method and the day
// of the year, without day numbers.
int WeekdayIso(int y, int m, int d)   // 1 Monday .. 7 Sunday
{
    static const int t[] = { 0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4 };
    if (m < 3)
        y -= 1;
    int sundayBased = (y + y / 4 - y / 100 + y / 400 + t[m - 1] + d) % 7;   // 0 Sunday
    return sundayBased == 0 ? 7 : sundayBased;
}

bool Leap(int y)
{
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int DayOfYear(int y, int m, int d)
{
    static const int before[] = { 0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334 };
    return before[m - 1] + d + ((m > 2 && Leap(y)) ? 1 : 0);
}

int IsoWeeksInYear(int y)
{
    int jan1 = WeekdayIso(y, 1, 1);
    return (jan1 == 4 || (Leap(y) && jan1 == 3)) ? 53 : 52;
}

int IsoWeek(int y, int m, int d)
{
    int week = (DayOfYear(y, m, d) - WeekdayIso(y, m, d) + 10) / 7;
    if (week < 1)
        return IsoWeeksInYear(y - 1);
    if (week > IsoWeeksInYear(y))
        return 1;
    return week;
}

SYSTEMTIME Date(int y, int m, int d)
{
    SYSTEMTIME t = {};
    t.wYear = static_cast<WORD>(y);
    t.wMonth = static_cast<WORD>(m);
    t.wDay = static_cast<WORD>(d);
    return t;
}

std::string ApiShortDate(int y, int m, int d)
{
    SYSTEMTIME t = Date(y, m, d);
    char buffer[100] = {};
    GetDateFormatA(LOCALE_SYSTEM_DEFAULT, DATE_SHORTDATE, &t, nullptr, buffer, sizeof buffer);
    return buffer;
}

} // namespace

TEST(TextDateCalc, DayNumbers)
{
    EXPECT_EQ(2451545, DayNumber(2000, 1, 1));
    EXPECT_EQ(1721426, DayNumber(1, 1, 1));
    EXPECT_EQ(0, DayNumber(2024, 1, 1) % 7);      // a Monday
    EXPECT_EQ(DayNumber(2024, 2, 28) + 1, DayNumber(2024, 2, 29));
    EXPECT_EQ(DayNumber(2024, 2, 29) + 1, DayNumber(2024, 3, 1));
    EXPECT_EQ(DayNumber(2023, 2, 28) + 1, DayNumber(2023, 3, 1));
    EXPECT_EQ(DayNumber(1900, 2, 28) + 1, DayNumber(1900, 3, 1));
    EXPECT_EQ(-1, DayNumber(2023, 2, 29));
    EXPECT_EQ(-1, DayNumber(2023, 13, 1));
    EXPECT_EQ(-1, DayNumber(2023, 4, 31));
    EXPECT_EQ(-1, DayNumber(2023, 1, 0));
    EXPECT_EQ(-1, DayNumber(0, 1, 1));

    // Every day of the calendar goes to its number and back; the numbers are consecutive.
    int expected = DayNumber(1, 1, 1);
    for (int y = 1; y <= 9999; ++y) {
        for (int m = 1; m <= 12; ++m) {
            for (int d = 1; d <= DaysInMonth(y, m); ++d) {
                int n = DayNumber(y, m, d);
                ASSERT_EQ(expected, n) << y << "-" << m << "-" << d;
                int yy = 0, mm = 0, dd = 0;
                ASSERT_TRUE(DateFromDayNumber(n, &yy, &mm, &dd));
                ASSERT_EQ(y * 10000 + m * 100 + d, yy * 10000 + mm * 100 + dd);
                ++expected;
            }
        }
    }
    int y = 5, m = 5, d = 5;
    EXPECT_FALSE(DateFromDayNumber(DayNumber(1, 1, 1) - 1, &y, &m, &d));
    EXPECT_FALSE(DateFromDayNumber(DayNumber(9999, 12, 31) + 1, &y, &m, &d));
    EXPECT_EQ(555, y * 100 + m * 10 + d);
}

TEST(TextDateCalc, WeekNumbersAreIso8601)
{
    for (int y = 1972; y <= 2400; ++y) {
        for (int m = 1; m <= 12; ++m) {
            for (int d = 1; d <= DaysInMonth(y, m); ++d)
                ASSERT_EQ(IsoWeek(y, m, d), WeekNumber(y, m, d)) << y << "-" << m << "-" << d;
        }
    }
    EXPECT_EQ(52, WeekNumber(1972, 1, 1));
    EXPECT_EQ(1, WeekNumber(1972, 1, 3));
    EXPECT_EQ(53, WeekNumber(2021, 1, 3));
    EXPECT_EQ(1, WeekNumber(2024, 12, 30));
    EXPECT_EQ(0, WeekNumber(1971, 12, 31));
    EXPECT_EQ(0, WeekNumber(2023, 2, 29));
}

TEST(TextDate, PartsAndOffsets)
{
    CTextDateExt date;
    date.SetDatePart(CTextDateExt::kPartYear);
    {
        FixedClock clock(2021, 3, 5);
        EXPECT_EQ("21", Format(date));
        date.SetDatePart(CTextDateExt::kPartMonth);
        EXPECT_EQ("03", Format(date));
        date.SetDatePart(CTextDateExt::kPartDay);
        EXPECT_EQ("05", Format(date));
        date.SetDatePart(CTextDateExt::kPartWeek);
        EXPECT_EQ("09", Format(date));
        EXPECT_EQ("{Date}", Format(date, true));
    }
    {
        // Back across a leap day, forward across one, and across the end of a year.
        FixedClock clock(2024, 3, 1);
        date.SetDatePart(CTextDateExt::kPartDay);
        date.SetDateOffset(-1);
        EXPECT_EQ("29", Format(date));
        date.SetDatePart(CTextDateExt::kPartMonth);
        EXPECT_EQ("02", Format(date));
        date.SetDateOffset(-366);
        EXPECT_EQ("03", Format(date));
        date.SetDatePart(CTextDateExt::kPartYear);
        EXPECT_EQ("23", Format(date));
        date.SetDateOffset(306);
        EXPECT_EQ("25", Format(date));
    }
    {
        FixedClock clock(2023, 2, 28);
        date.SetDatePart(CTextDateExt::kPartDay);
        date.SetDateOffset(1);
        EXPECT_EQ("01", Format(date));
    }
    {
        FixedClock clock(1971, 6, 1);
        date.SetDatePart(CTextDateExt::kPartWeek);
        date.SetDateOffset(0);
        EXPECT_EQ("00", Format(date));
    }
}

TEST(TextDate, FormatsAndRecordsOutsideTheNames)
{
    FixedClock clock(2022, 7, 14);
    Bytes body;
    auto record = [](int format, int part) {
        Bytes b;
        PutI16(b, format);
        PutI16(b, part);
        PutI16(b, 0);
        PutI16(b, 0);
        PutI16(b, 0);
        return b;
    };
    CTextDateExt date;
    char name[32];

    ASSERT_TRUE(LoadBody(date, record(3, 7)));
    EXPECT_EQ("?", Format(date));
    std::strcpy(name, "keep");
    ASSERT_TRUE(date.GetDatePartName(name, sizeof name));
    EXPECT_STREQ("keep", name);
    ASSERT_TRUE(LoadBody(date, record(3, -2)));
    ASSERT_TRUE(date.GetDatePartName(name, sizeof name));
    EXPECT_STREQ("keep", name);

    ASSERT_TRUE(LoadBody(date, record(0, 0)));
    EXPECT_EQ("", Format(date));
    ASSERT_TRUE(LoadBody(date, record(2, 0)));
    EXPECT_EQ("", Format(date));
    ASSERT_TRUE(LoadBody(date, record(9, 0)));
    EXPECT_EQ("?", Format(date));
    int part = 77;
    EXPECT_FALSE(date.QueryDatePart(&part));
    EXPECT_EQ(77, part);
    ASSERT_TRUE(date.GetDatePartName(name, sizeof name));
    EXPECT_STREQ("keep", name);
}

TEST(TextDate, PartNamesAndOffsetTexts)
{
    CTextDateExt date;
    char text[32];
    int part = -1;
    ASSERT_TRUE(date.QueryDatePart(&part));
    EXPECT_EQ(0, part);
    ASSERT_TRUE(date.GetDatePartName(text, sizeof text));
    EXPECT_STREQ("Short", text);

    date.SetDatePartByName("week NUMBER");
    ASSERT_TRUE(date.QueryDatePart(&part));
    EXPECT_EQ(4, part);
    ASSERT_TRUE(date.GetDatePartName(text, sizeof text));
    EXPECT_STREQ("Week number", text);
    date.SetDatePartByName("Fortnight");
    ASSERT_TRUE(date.QueryDatePart(&part));
    EXPECT_EQ(4, part);
    date.SetDatePart(5);
    ASSERT_TRUE(date.QueryDatePart(&part));
    EXPECT_EQ(4, part);
    date.SetDatePartByName("short");
    EXPECT_EQ(CTextDateExt::kFormatShort, date.GetFormat());
    EXPECT_EQ(0, date.GetPart());

    const char* names[] = { "Short", "Year (YY)", "Month (MM)", "Day (DD)", "Week number" };
    for (int i = 0; i < 5; ++i)
        EXPECT_STREQ(names[i], DatePartDisplayName(i));
    EXPECT_STREQ("", DatePartDisplayName(5));

    date.SetDateOffsetText(" -3 days");
    ASSERT_TRUE(date.GetDateOffsetText(text, sizeof text));
    EXPECT_STREQ("-3", text);
    date.SetDateOffsetText("later");
    ASSERT_TRUE(date.GetDateOffsetText(text, sizeof text));
    EXPECT_STREQ("-3", text);
    date.SetDateOffsetText("70000");          // the low 16 bits are kept
    int offset = 0;
    ASSERT_TRUE(date.QueryDateOffset(&offset));
    EXPECT_EQ(70000 - 65536, offset);
}

// The short date and the time come from the system's locale functions, for the same moment.
TEST(TextDateLocale, ShortDateAndTimeFollowTheSystemFormat)
{
    FixedClock clock(2024, 3, 1, 14, 5, 9);
    EXPECT_EQ(ApiShortDate(2024, 3, 1), Format(CTextDate()));

    CTextDateExt date;
    date.SetDateOffset(-1);
    EXPECT_EQ(ApiShortDate(2024, 2, 29), Format(date));
    EXPECT_NE(Format(CTextDate()), Format(date));

    SYSTEMTIME now = FixedClock::Moment();
    char expected[100] = {};
    GetTimeFormatA(LOCALE_SYSTEM_DEFAULT, 0, &now, nullptr, expected, sizeof expected);
    EXPECT_EQ(std::string(expected), Format(CTextTime()));
    EXPECT_NE(std::string::npos, Format(CTextTime()).find("05"));

    // The same moment written out by hand for each locale the suite runs under, so that a run
    // that never got its locale (or a wrong system call) cannot agree with itself.
    struct Literal {
        const char* locale;
        const char* today;
        const char* yesterday;
        const char* time;
    };
    const Literal literals[] = {
        {"en_US", "3/1/2024", "2/29/2024", "2:05:09 PM"},
        {"sv_SE", "2024-03-01", "2024-02-29", "14:05:09"},
    };
    const Literal* literal = nullptr;
    for (const Literal& l : literals)
        if (RunLocaleName() == l.locale)
            literal = &l;
    ASSERT_NE(nullptr, literal) << "no expected texts for the locale '" << RunLocaleName() << "'";
    EXPECT_EQ(literal->today, Format(CTextDate()));
    EXPECT_EQ(literal->yesterday, Format(date));
    EXPECT_EQ(literal->time, Format(CTextTime()));
}
