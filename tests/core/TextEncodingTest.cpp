#include <gtest/gtest.h>

#include "core/Canvas.h"
#include "core/Text.h"
#include "core/TextEncoding.h"

namespace kroma {
namespace {

constexpr char32_t R = kReplacementChar;

TEST(TextEncoding, DecodesUtf8AndReplacesEachIllFormedSubsequence) {
  struct Case {
    const char* name;
    std::string_view bytes;
    std::u32string expected;
  };
  const Case cases[] = {
      {"all lengths", "A\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80", U"A\u00E9\u20AC\U0001F600"},
      {"stray continuation", "a\x80" "b", {U'a', R, U'b'}},
      {"truncated at end", "a\xE2\x82", {U'a', R}},
      {"truncated before ASCII", "\xF0\x9F" "A", {R, U'A'}},
      {"overlong slash", "\xC0\xAF", {R, R}},
      {"overlong three bytes", "\xE0\x80\xAF", {R, R, R}},
      {"surrogate", "\xED\xA0\x80", {R, R, R}},
      {"above U+10FFFF", "\xF4\x90\x80\x80", {R, R, R, R}},
      {"bytes never used", "\xFE\xFF", {R, R}},
      {"embedded NUL", std::string_view("a\0b", 3), {U'a', U'\0', U'b'}},
  };
  for (const Case& c : cases) EXPECT_EQ(DecodeUtf8(c.bytes), c.expected) << c.name;
}

TEST(TextEncoding, Utf8RoundTripsAndRejectsNonCharacters) {
  for (char32_t code : {U'\0', U'\x7F', U'\x80', U'\x7FF', U'\x800', U'\xFFFF', U'\x10000', U'\x10FFFF'}) {
    std::string s;
    AppendUtf8(s, code);
    EXPECT_EQ(DecodeUtf8(s), std::u32string(1, code)) << static_cast<unsigned>(code);
  }
  for (char32_t bad : {char32_t{0xD800}, char32_t{0x110000}}) {
    std::string s;
    AppendUtf8(s, bad);
    EXPECT_EQ(s, "\xEF\xBF\xBD");
  }
}

TEST(TextEncoding, AnsiToUtf8FollowsCodePage1252) {
  EXPECT_EQ(AnsiToUtf8("\x80"), "\xE2\x82\xAC");  // euro sign
  EXPECT_EQ(AnsiToUtf8("A\x9F\xE9"), "A\xC5\xB8\xC3\xA9");
  EXPECT_EQ(AnsiToUtf8("\x81"), "\xC2\x81");  // undefined: kept as the C1 control
  EXPECT_EQ(AnsiToUtf8(std::string_view("\0", 1)), std::string(1, '\0'));
  // Every byte survives the trip to Unicode and back.
  for (int b = 0; b < 256; ++b) {
    auto back = UnicodeToAnsi(AnsiToUnicode(static_cast<std::uint8_t>(b)));
    ASSERT_TRUE(back.has_value()) << b;
    EXPECT_EQ(*back, b);
  }
  EXPECT_FALSE(UnicodeToAnsi(U'\x80').has_value());
  EXPECT_FALSE(UnicodeToAnsi(U'\x263A').has_value());
}

TEST(TextEncoding, InvalidUtf8IsDrawnAsReplacementCharacters) {
  TFont font;
  const std::string_view bad = "\xC0\xAF\xFF\xE2\x82";
  std::string replacements;
  for (int i = 0; i < 4; ++i) AppendUtf8(replacements, R);
  EXPECT_EQ(TextAdvance(font, bad), TextAdvance(font, replacements));
  TTextMask mask = RenderTextMask(font, bad, {-100, -100, 100, 100});
  TTextMask expected = RenderTextMask(font, replacements, {-100, -100, 100, 100});
  EXPECT_EQ(mask.Bounds, expected.Bounds);
  EXPECT_EQ(mask.Alpha, expected.Alpha);
  EXPECT_FALSE(TextPathContours(font, bad).empty());
}

}  // namespace
}  // namespace kroma
