#pragma once
// Splits expression text into tokens. Scanning stops quietly at the first
// character it cannot use (a tab, an unterminated string, a malformed
// number); the tokens before it are kept.
#include <string_view>
#include <vector>

#include "parsers/ExprToken.h"

namespace kroma {

// The local date and time that the words "date" and "time" stand for.
struct LocalDateTime {
  int year = 1899, month = 12, day = 30, hour = 0, minute = 0, second = 0;
};
LocalDateTime CurrentLocalDateTime();

// Appends the tokens of `text` to `tokens`.
void Tokenize(std::string_view text, const LocalDateTime& now, std::vector<TToken>& tokens);

}  // namespace kroma
