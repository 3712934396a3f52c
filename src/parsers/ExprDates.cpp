#include "parsers/ExprDates.h"

#include <chrono>
#include <cmath>
#include <cstdio>

#include "parsers/StringHelpers.h"

namespace kroma {
namespace {

using namespace std::chrono;

constexpr sys_days kDayZero = sys_days{1899y / December / 30};
constexpr int kMinYear = 1;
constexpr int kMaxYear = 9999;

// An all-digit field of the text; nullopt when short or not digits.
std::optional<int> DigitField(std::string_view text, std::size_t from, std::size_t count) {
  if (text.size() < from + count) return std::nullopt;
  int v = 0;
  for (char c : text.substr(from, count)) {
    if (c < '0' || c > '9') return std::nullopt;
    v = v * 10 + (c - '0');
  }
  return v;
}

std::optional<year_month_day> ToCivil(double dayNumber) {
  if (!std::isfinite(dayNumber)) return std::nullopt;
  double whole = std::floor(dayNumber);
  // Beyond this range no day of years 1-9999 can result; checked before the
  // conversion to an integer.
  if (std::abs(whole) > 4e6) return std::nullopt;
  year_month_day ymd{kDayZero + days{static_cast<int>(whole)}};
  if (static_cast<int>(ymd.year()) < kMinYear || static_cast<int>(ymd.year()) > kMaxYear) return std::nullopt;
  return ymd;
}

std::optional<double> FromCivil(const year_month_day& ymd) {
  if (!ymd.ok() || static_cast<int>(ymd.year()) < kMinYear || static_cast<int>(ymd.year()) > kMaxYear)
    return std::nullopt;
  return static_cast<double>((sys_days{ymd} - kDayZero).count());
}

std::optional<double> AddMonths(const year_month_day& from, std::int64_t months) {
  std::int64_t total = std::int64_t{static_cast<int>(from.year())} * 12 + (static_cast<unsigned>(from.month()) - 1) + months;
  if (total < std::int64_t{kMinYear} * 12 || total >= (std::int64_t{kMaxYear} + 1) * 12) return std::nullopt;
  year_month target{year{static_cast<int>(total / 12)}, month{static_cast<unsigned>(total % 12) + 1}};
  day last = year_month_day_last{target.year(), month_day_last{target.month()}}.day();
  return FromCivil({target.year(), target.month(), std::min(from.day(), last)});
}

}  // namespace

std::optional<double> ISOToDate(std::string_view text) {
  auto y = DigitField(text, 0, 4), m = DigitField(text, 5, 2), d = DigitField(text, 8, 2);
  if (!y || !m || !d) return std::nullopt;
  return FromCivil(year{*y} / month{static_cast<unsigned>(*m)} / day{static_cast<unsigned>(*d)});
}

std::optional<std::string> DateToISO(double dayNumber) {
  auto ymd = ToCivil(dayNumber);
  if (!ymd) return std::nullopt;
  char buf[16];
  std::snprintf(buf, sizeof buf, "%04d-%02u-%02u", static_cast<int>(ymd->year()), static_cast<unsigned>(ymd->month()),
                static_cast<unsigned>(ymd->day()));
  return std::string(buf);
}

std::optional<double> DateAdd(std::string_view unit, std::int64_t n, double date) {
  auto from = ToCivil(date);
  if (!from) return std::nullopt;
  std::string u = ToLowerAscii(unit);
  if (u == "d" || u == "w") {
    double result = std::floor(date) + static_cast<double>(n) * (u == "w" ? 7 : 1);
    if (!ToCivil(result)) return std::nullopt;
    return result;
  }
  if (u == "m") return AddMonths(*from, n);
  if (u == "q") return AddMonths(*from, n * 3);
  if (u == "y") {
    std::int64_t y = std::int64_t{static_cast<int>(from->year())} + n;
    if (y < kMinYear || y > kMaxYear) return std::nullopt;
    return FromCivil({year{static_cast<int>(y)}, from->month(), from->day()});
  }
  return std::nullopt;
}

std::optional<double> EasterDate(int y) {
  if (y < kMinYear || y > kMaxYear) return std::nullopt;
  // The anonymous Gregorian computus.
  int a = y % 19, b = y / 100, c = y % 100, d = b / 4, e = b % 4, f = (b + 8) / 25, g = (b - f + 1) / 3;
  int h = (19 * a + b - d - g + 15) % 30, i = c / 4, k = c % 4;
  int l = (32 + 2 * e + 2 * i - h - k) % 7;
  int m = (a + 11 * h + 22 * l) / 451;
  int monthDay = h + l - 7 * m + 114;
  return FromCivil(year{y} / month{static_cast<unsigned>(monthDay / 31)} / day{static_cast<unsigned>(monthDay % 31 + 1)});
}

std::optional<int> WeekNumberOf(double dayNumber) {
  auto ymd = ToCivil(dayNumber);
  if (!ymd) return std::nullopt;
  sys_days jan1{ymd->year() / January / 1};
  int dayOfYear = static_cast<int>((sys_days{*ymd} - jan1).count());
  int jan1Weekday = static_cast<int>(weekday{jan1}.c_encoding());  // Sunday is 0
  return (dayOfYear + jan1Weekday) / 7 + 1;
}

}  // namespace kroma
