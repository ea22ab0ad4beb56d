#pragma once
// Calendar arithmetic of the date contents: Gregorian day numbers (the Julian day number of a
// date) and ISO 8601 week numbers.

bool IsLeapYear(int year);
// Days of a month (1..12) of a year; 0 for a month outside 1..12.
int DaysInMonth(int year, int month);
// The Julian day number of a Gregorian date (year >= 1); -1 for an invalid date.
// 1 January 2000 is 2451545; consecutive days have consecutive numbers, and day number mod 7
// is 0 on Mondays.
int DayNumber(int year, int month, int day);
// The date of a day number (the inverse of DayNumber); false, leaving the outputs alone, for a
// number before 1 January of year 1 or after 31 December 9999.
bool DateFromDayNumber(int dayNumber, int* year, int* month, int* day);
// The ISO 8601 week number (1..53) of a date; 0 for a date before 1972 or an invalid date.
int WeekNumber(int year, int month, int day);
