#include "labelmodel/datecalc.h"

namespace {

// Days before the first of each month in a common year.
const int kDaysBefore[12] = { 0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334 };
const int kFirstDay = 1721426;        // day number of 1 January of year 1
const int kLastYear = 9999;

// The week count carried into a year: the week number that 1 January of that year belongs to
// when it does not start week 1 (52 or 53), or 1 when the year starts with week 1.
// Counted year by year from 1972, whose 1 January lay in week 52 of 1971; c is the weekday
// carry (days of the year's last partial week).
int WeeksCarriedInto(int year)
{
    int carry = 6;
    int weeks = 52;
    for (int i = 1972; i < year; ++i) {
        carry += (IsLeapYear(i) ? 366 : 365) - 8;
        int q = carry / 7;
        int r = carry % 7;
        if (weeks > 50)
            weeks = 0;
        int t = q + (r > 0 ? 1 : 0) + weeks;
        if (t > 52)
            t = (r >= 4) ? 53 : 1;
        weeks = (r == 0) ? 1 : t;
        carry = r + 1;
    }
    return weeks;
}

} // namespace

bool IsLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month)
{
    static const int kDays[12] = { 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31 };
    if (month < 1 || month > 12)
        return 0;
    return kDays[month - 1] + ((month == 2 && IsLeapYear(year)) ? 1 : 0);
}

int DayNumber(int year, int month, int day)
{
    if (year < 1 || year > kLastYear || month < 1 || month > 12 || day < 1
        || day > DaysInMonth(year, month))
        return -1;
    int y = year - 1;
    int leapDay = (month > 2 && IsLeapYear(year)) ? 1 : 0;
    return 365 * y + y / 4 - y / 100 + y / 400 + kDaysBefore[month - 1] + leapDay + day + 1721425;
}

bool DateFromDayNumber(int dayNumber, int* year, int* month, int* day)
{
    if (dayNumber < kFirstDay || dayNumber > DayNumber(kLastYear, 12, 31))
        return false;
    // Estimate the year from the mean Gregorian year, then step to the year that holds the day.
    int y = static_cast<int>((static_cast<long long>(dayNumber - kFirstDay) * 400) / 146097) + 1;
    if (y > kLastYear)
        y = kLastYear;
    while (y > 1 && DayNumber(y, 1, 1) > dayNumber)
        --y;
    while (y < kLastYear && DayNumber(y + 1, 1, 1) <= dayNumber)
        ++y;
    int dayOfYear = dayNumber - DayNumber(y, 1, 1);   // 0-based
    int m = 1;
    while (m < 12 && dayOfYear >= DaysInMonth(y, m)) {
        dayOfYear -= DaysInMonth(y, m);
        ++m;
    }
    *year = y;
    *month = m;
    *day = dayOfYear + 1;
    return true;
}

int WeekNumber(int year, int month, int day)
{
    if (year < 1972 || DayNumber(year, month, day) < 0)
        return 0;
    int carried = WeeksCarriedInto(year);
    int j = DayNumber(year, 1, 1);
    int r1 = j % 7;
    int n = DayNumber(year, month, day);
    // Days from the Monday of the week holding 1 January to the Monday of the date's week.
    int k = (n - n % 7) - j + r1;
    int e = k / 7;
    int week;
    if (carried == 1)
        week = e + 1;
    else if (k >= 7)
        week = e;
    else if (k > 7 - r1)
        week = 1;
    else
        week = carried;
    // The last days of December can already belong to week 1 of the next year.
    if (month > 1 && week > 52 && year < kLastYear)
        week = WeeksCarriedInto(year + 1);
    return week;
}
