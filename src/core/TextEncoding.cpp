#include "core/TextEncoding.h"

#include "core/Text.h"

namespace kroma {
namespace {

// Windows-1252 bytes 0x80..0x9F; the rest of the upper half is Latin-1.
constexpr char16_t kAnsi80[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  //
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  //
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  //
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  //
};

// Number of continuation bytes after a lead byte and the allowed range of
// the first of them (which rules out overlong forms, surrogates and values
// above U+10FFFF); 0 continuation bytes marks an invalid lead byte.
struct TLead {
  int more;
  unsigned char lo, hi;
};

TLead LeadInfo(unsigned char b) {
  if (b >= 0xC2 && b <= 0xDF) return {1, 0x80, 0xBF};
  if (b == 0xE0) return {2, 0xA0, 0xBF};
  if (b == 0xED) return {2, 0x80, 0x9F};
  if (b >= 0xE1 && b <= 0xEF) return {2, 0x80, 0xBF};
  if (b == 0xF0) return {3, 0x90, 0xBF};
  if (b >= 0xF1 && b <= 0xF3) return {3, 0x80, 0xBF};
  if (b == 0xF4) return {3, 0x80, 0x8F};
  return {0, 0, 0};
}

}  // namespace

std::u32string DecodeUtf8(std::string_view utf8) {
  std::u32string out;
  out.reserve(utf8.size());
  std::size_t i = 0;
  while (i < utf8.size()) {
    auto b = static_cast<unsigned char>(utf8[i]);
    if (b < 0x80) {
      out.push_back(b);
      ++i;
      continue;
    }
    TLead lead = LeadInfo(b);
    if (lead.more == 0) {
      out.push_back(kReplacementChar);
      ++i;
      continue;
    }
    char32_t code = b & (0x3F >> lead.more);
    std::size_t j = i + 1;
    bool ok = true;
    for (int k = 0; k < lead.more; ++k, ++j) {
      if (j >= utf8.size()) {
        ok = false;
        break;
      }
      auto c = static_cast<unsigned char>(utf8[j]);
      unsigned char lo = k == 0 ? lead.lo : 0x80;
      unsigned char hi = k == 0 ? lead.hi : 0xBF;
      if (c < lo || c > hi) {
        ok = false;
        break;
      }
      code = (code << 6) | (c & 0x3F);
    }
    // A bad sequence is replaced up to (not including) the offending byte.
    out.push_back(ok ? code : kReplacementChar);
    i = j;
  }
  return out;
}

void AppendUtf8(std::string& out, char32_t code) {
  if (code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) code = kReplacementChar;
  if (code < 0x80) {
    out.push_back(static_cast<char>(code));
  } else if (code < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (code >> 6)));
    out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  } else if (code < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (code >> 12)));
    out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (code >> 18)));
    out.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  }
}

char32_t AnsiToUnicode(std::uint8_t c) { return c >= 0x80 && c < 0xA0 ? kAnsi80[c - 0x80] : c; }

std::optional<std::uint8_t> UnicodeToAnsi(char32_t code) {
  if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) return static_cast<std::uint8_t>(code);
  for (int i = 0; i < 32; ++i) {
    if (kAnsi80[i] == code) return static_cast<std::uint8_t>(0x80 + i);
  }
  return std::nullopt;
}

std::string AnsiToUtf8(std::string_view ansi) {
  std::string out;
  out.reserve(ansi.size() * 2);
  for (char c : ansi) AppendUtf8(out, AnsiToUnicode(static_cast<std::uint8_t>(c)));
  return out;
}

}  // namespace kroma
