#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <cmath>
#include <limits>

#include "core/Error.h"
#include "core/Variant.h"

namespace kroma {
namespace {

const Variant kNull = Variant::Null();

TEST(Variant, FloatTextIsShortestRoundTripWithPoint) {
  struct Case {
    double value;
    const char* text;
  } cases[] = {
      {0.1, "0.1"},          {-0.0, "0"},        {1.0 / 3, "0.3333333333333333"},
      {100, "100"},          {123456789012345, "123456789012345"},
      {1e15, "1E15"},        {-2.5e100, "-2.5E100"}, {0.00001, "0.00001"},
      {1.5e-7, "1.5E-7"},    {0.1 + 0.2, "0.30000000000000004"},
      {std::numeric_limits<double>::quiet_NaN(), "NAN"}, {-HUGE_VAL, "-INF"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FormatFloat(c.value), c.text) << c.text;
    if (std::isfinite(c.value)) {
      EXPECT_EQ(ParseNumber(c.text), c.value) << c.text;
    }
  }
}

// Switches LC_NUMERIC to a German locale (decimal comma) for one test,
// building it with localedef into a temporary folder when the machine has
// none installed.
class CommaLocale {
 public:
  CommaLocale() {
    saved_ = std::setlocale(LC_NUMERIC, nullptr);
    if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8")) return;
    std::string dir = testing::TempDir() + "kroma-locale";
    std::string cmd = "mkdir -p '" + dir + "' && localedef -i de_DE -f UTF-8 '" + dir + "/de_DE.UTF-8' >/dev/null 2>&1";
    if (std::system(cmd.c_str()) != 0) return;
    setenv("LOCPATH", dir.c_str(), 1);
    std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
  }
  ~CommaLocale() { std::setlocale(LC_NUMERIC, saved_.c_str()); }
  bool Active() const { return std::localeconv()->decimal_point[0] == ','; }

 private:
  std::string saved_;
};

TEST(Variant, NumberTextIgnoresTheLocale) {
  CommaLocale german;
  if (!german.Active()) GTEST_SKIP() << "no locale with a decimal comma could be made";
  EXPECT_EQ(ParseNumber("1.5"), 1.5);
  EXPECT_EQ(ParseNumber("1,5"), std::nullopt);
  EXPECT_EQ(Variant("2.25").ToDouble(), 2.25);
  EXPECT_EQ(Variant(1.5).ToString(), "1.5");
}

TEST(Variant, ParseNumberAcceptsOnlyPlainDecimalText) {
  for (const char* good : {" 12 ", "-3.5", "+7", "5.", ".5", "1e3", "2E-2", "1e-400"})
    EXPECT_TRUE(ParseNumber(good).has_value()) << good;
  for (const char* bad : {"", " ", "-", ".", "1e", "0x10", "inf", "nan", "1,5", "1 2", "1e999", "$10", "1.2.3"})
    EXPECT_FALSE(ParseNumber(bad).has_value()) << bad;
}

TEST(Variant, ConversionsFollowTheRules) {
  EXPECT_EQ(Variant(true).ToInt(), -1);
  EXPECT_EQ(Variant(true).ToDouble(), -1.0);
  EXPECT_EQ(Variant(2.5).ToInt(), 2);  // ties to even
  EXPECT_EQ(Variant(3.5).ToInt(), 4);
  EXPECT_EQ(Variant(-2.5).ToInt(), -2);
  EXPECT_EQ(Variant("2.5").ToInt(), 2);
  EXPECT_EQ(Variant(" 42 ").ToInt(), 42);
  EXPECT_EQ(Variant("9007199254740993").ToInt64(), 9007199254740993);  // exact, not via double
  EXPECT_EQ(Variant().ToInt(), 0);
  EXPECT_EQ(Variant().ToString(), "");
  EXPECT_EQ(Variant(true).ToString(), "True");
  EXPECT_EQ(Variant(-7).ToString(), "-7");
  EXPECT_EQ(Variant(2.0).ToString(), "2");
  EXPECT_TRUE(Variant("TRUE").ToBool());
  EXPECT_TRUE(Variant("-1").ToBool());
  EXPECT_FALSE(Variant("0.0").ToBool());
}

TEST(Variant, FailedConversionsThrowForTheUser) {
  const Variant bad[] = {kNull, Variant("abc"), Variant(std::nan("")), Variant(1e300), Variant(3000000000LL),
                         Variant("1e20")};
  for (const Variant& v : bad) EXPECT_THROW(v.ToInt(), Error) << v;
  EXPECT_THROW(kNull.ToString(), Error);
  EXPECT_THROW(kNull.ToDouble(), Error);
  EXPECT_THROW(Variant("yes").ToBool(), Error);
  try {
    Variant("abc").ToDouble();
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "Could not convert the text 'abc' to a number");
  }
}

TEST(Variant, ArithmeticKeepsIntegersAndPromotes) {
  struct Case {
    Variant result, expected;
  } cases[] = {
      {VarAdd(2, 3), Variant(5)},
      {VarAdd(2147483647, 1), Variant(2147483648LL)},  // 32 -> 64 bits
      {VarMul(Variant(4611686018427387904LL), 4), Variant(1.8446744073709552e19)},  // 64 bits -> double
      {VarSub(Variant(-2147483647 - 1), Variant(1)), Variant(-2147483649LL)},
      {VarAdd(Variant(2147483648LL), -1), Variant(2147483647)},  // back to 32 bits when it fits
      {VarAdd(2, 0.5), Variant(2.5)},
      {VarAdd("ab", "cd"), Variant("abcd")},
      {VarAdd(Variant(), "x"), Variant("x")},
      {VarAdd("1.5", 2), Variant(3.5)},  // text meets a number: read as a number
      {VarAdd(true, 1), Variant(0)},
      {VarDiv(8, 2), Variant(4.0)},
      {VarPow(2, 10), Variant(1024.0)},
      {VarAdd(kNull, 1), kNull},
      {VarMul("x", kNull), kNull},
  };
  for (const Case& c : cases) EXPECT_EQ(c.result, c.expected);
}

TEST(Variant, ArithmeticErrorsThrow) {
  EXPECT_THROW(VarDiv(1, 0), Error);
  EXPECT_THROW(VarDiv(0.0, 0.0), Error);
  EXPECT_THROW(VarPow(-8, 1.0 / 3), Error);
  EXPECT_THROW(VarMul(1e300, 1e300), Error);
  EXPECT_THROW(VarSub("abc", 1), Error);
}

TEST(Variant, LogicIsBooleanOrBitwise) {
  EXPECT_EQ(VarAnd(true, false), Variant(false));
  EXPECT_EQ(VarOr("true", false), Variant(true));
  EXPECT_EQ(VarAnd(true, 6), Variant(6));  // True is -1: all bits
  EXPECT_EQ(VarOr(4, 1), Variant(5));
  EXPECT_EQ(VarNot(true), Variant(false));
  EXPECT_EQ(VarNot(0), Variant(-1));
  EXPECT_EQ(VarNot(kNull), kNull);
  EXPECT_THROW(VarAnd("abc", 1), Error);
}

TEST(Variant, Comparison) {
  struct Case {
    Variant a, b;
    int expected;
  } cases[] = {
      {1, 1.0, 0},       {2, 10, -1},        {"2", "10", 1},  // text compares as text
      {"10", 9, 1},      {"b", "B", 1},      {Variant(), 0, 0},
      {Variant(), "", 0}, {true, 0, -1},     {kNull, kNull, 0},
      {kNull, -1e300, -1}, {Variant(9007199254740993LL), Variant(9007199254740992LL), 1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(VarCompare(c.a, c.b), c.expected) << c.a << " vs " << c.b;
    EXPECT_EQ(VarCompare(c.b, c.a), -c.expected) << c.b << " vs " << c.a;
  }
  EXPECT_THROW(VarCompare("abc", 1), Error);
  EXPECT_THROW(VarCompare(std::nan(""), 1), Error);
}

}  // namespace
}  // namespace kroma
