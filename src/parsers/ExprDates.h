#pragma once
// Calendar helpers of the expression language. A date is a day number: days
// since 1899-12-30 (day 0), as a double, the classic variant date. Years
// run from 1 to 9999; the calendar is the proleptic Gregorian one of
// <chrono>, with no locale and no time zone.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kroma {

// Year from characters 1-4, month from 6-7, day from 9-10 (each all
// digits); nullopt when a part is not a number or the date does not exist.
std::optional<double> ISOToDate(std::string_view text);
// yyyy-mm-dd of the day the number falls on; nullopt outside years 1-9999.
std::optional<std::string> DateToISO(double dayNumber);

// The date `n` units after `date`: unit "d" days, "w" weeks, "m" months,
// "q" quarters, "y" years (in any case). A month step keeps the day,
// clamped to the target month's last day; a year step keeps month and day
// and fails when that day does not exist. nullopt when the unit is not one
// of these or the result is outside years 1-9999.
std::optional<double> DateAdd(std::string_view unit, std::int64_t n, double date);

// Easter Sunday of a Gregorian year (1-9999), as a day number.
std::optional<double> EasterDate(int year);

// Week of the year; weeks run Sunday to Saturday, and the week holding
// January 1 is week 1.
std::optional<int> WeekNumberOf(double dayNumber);

}  // namespace kroma
