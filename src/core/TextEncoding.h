#pragma once
// UTF-8 and the Windows-1252 code page, the two text encodings the program
// meets. Decoding never fails: ill-formed input becomes U+FFFD.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kroma {

constexpr char32_t kReplacementChar = 0xFFFD;

// Decodes UTF-8. Each maximal ill-formed subsequence (overlong forms,
// surrogates, values above U+10FFFF, truncated or stray bytes) becomes one
// U+FFFD, and decoding resumes at the next byte that could start a
// character.
std::u32string DecodeUtf8(std::string_view utf8);

// Appends the UTF-8 form of `code`; surrogates and values above U+10FFFF
// append U+FFFD.
void AppendUtf8(std::string& out, char32_t code);

// The Unicode character of a Windows-1252 byte. The five bytes the code
// page leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1
// control characters of the same value.
char32_t AnsiToUnicode(std::uint8_t c);

// The Windows-1252 byte of a character, when the code page has one.
std::optional<std::uint8_t> UnicodeToAnsi(char32_t code);

}  // namespace kroma
