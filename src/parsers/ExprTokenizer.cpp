#include "parsers/ExprTokenizer.h"

#include <cstdio>
#include <ctime>

#include "parsers/StringHelpers.h"

namespace kroma {
namespace {

// "in" lists are tokenized on their own; lists inside lists only this deep.
constexpr int kMaxListNesting = 16;

constexpr double kPi = 3.1415926535897932385;

constexpr int kWordOperatorPrecedence = 7;

struct WordEntry {
  const char* name;
  ExprCode code;
};

constexpr WordEntry kFunctions[] = {
    {"if", ExprCode::If},         {"sin", ExprCode::Sin},           {"cos", ExprCode::Cos},
    {"sqr", ExprCode::Sqr},       {"sqrt", ExprCode::Sqrt},         {"ceil", ExprCode::Ceil},
    {"floor", ExprCode::Floor},   {"fix", ExprCode::Fix},           {"trunc", ExprCode::Trunc},
    {"asnumber", ExprCode::AsNumber}, {"isnumeric", ExprCode::IsNumeric}, {"length", ExprCode::Length},
    {"lower", ExprCode::Lower},   {"upper", ExprCode::Upper},       {"trim", ExprCode::Trim},
    {"left", ExprCode::Left},     {"right", ExprCode::Right},       {"mid", ExprCode::Mid},
    {"substr_after", ExprCode::SubstrAfter}, {"substr_before", ExprCode::SubstrBefore},
    {"replace", ExprCode::Replace}, {"format", ExprCode::Format},   {"soundex", ExprCode::Soundex},
    {"like", ExprCode::Like},     {"in", ExprCode::In},             {"not", ExprCode::Not},
    {"year", ExprCode::Year},     {"month", ExprCode::Month},       {"day", ExprCode::Day},
    {"isdate", ExprCode::IsDate}, {"dateadd", ExprCode::DateAdd},   {"easter", ExprCode::Easter},
    {"weeknumber", ExprCode::WeekNumber},
};

constexpr const char* kKeywords[] = {"select", "as",     "update", "insert", "into",  "delete", "commit",
                                     "from",   "where",  "asc",    "desc",   "set",   "values", "create",
                                     "table",  "drop",   "alter",  "add",    "column", "having"};

// Two-word keywords: the first word is one only when the second follows.
constexpr std::pair<const char*, const char*> kKeywordPairs[] = {
    {"save", "table"}, {"release", "table"}, {"assign", "to"}, {"connect", "to"}, {"order", "by"}, {"group", "by"}};

struct OperatorEntry {
  const char* text;
  ExprCode code;
  int precedence;
};

// Longer texts first, so "<=" wins over "<". A lone "=" means "==".
constexpr OperatorEntry kOperators[] = {
    {"<=", ExprCode::LessEqual, 3}, {"<>", ExprCode::NotEqual, 3}, {">=", ExprCode::GreaterEqual, 3},
    {"==", ExprCode::Equal, 3},     {"<", ExprCode::Less, 3},      {">", ExprCode::Greater, 3},
    {"=", ExprCode::Equal, 3},      {"-", ExprCode::Minus, 3},     {"+", ExprCode::Plus, 4},
    {"/", ExprCode::Divide, 5},     {"*", ExprCode::Multiply, 6},  {"^", ExprCode::Power, 7},
};

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsWordChar(char c) { return IsLetter(c) || IsDigit(c) || c == '_' || c == '.'; }

std::string TwoDigits(int v) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%02d", v);
  return buf;
}

class Tokenizer {
 public:
  Tokenizer(std::string_view text, const LocalDateTime& now, int nesting, std::vector<TToken>& out)
      : s_(text), now_(now), nesting_(nesting), out_(out) {}

  void Run() {
    while (Next()) {
    }
  }

 private:
  // Reads one token; false at the end or at a character it cannot use.
  bool Next() {
    while (i_ < s_.size() && s_[i_] == ' ') ++i_;
    if (i_ >= s_.size()) return false;
    char c = s_[i_];
    if (c == '\'') return StringLiteral();
    if (IsDigit(c)) return Number();
    if (IsLetter(c) || c == '_') return Word();
    switch (c) {
      case '(': return Punctuation(TokenKind::LParen, 1);
      case ')': return Punctuation(TokenKind::RParen, 1);
      case ',': return Punctuation(TokenKind::Comma, 0);
      case '#': return Punctuation(TokenKind::Hash, 0);
      case ';': return Punctuation(TokenKind::Semicolon, 0);
      case ':':
        // Makes the token before it an assignment to the name it has.
        if (out_.empty()) return false;
        out_.back().kind = TokenKind::Operator;
        out_.back().code = ExprCode::Assign;
        out_.back().precedence = -1;
        ++i_;
        return true;
      default: break;
    }
    for (const OperatorEntry& op : kOperators) {
      std::string_view text(op.text);
      if (s_.compare(i_, text.size(), text) == 0) {
        Push({std::string(text), TokenKind::Operator, op.code, {}, op.precedence});
        i_ += text.size();
        return true;
      }
    }
    return false;
  }

  void Push(TToken t) { out_.push_back(std::move(t)); }

  bool Punctuation(TokenKind kind, int precedence) {
    Push({std::string(1, s_[i_]), kind, ExprCode::None, {}, precedence});
    ++i_;
    return true;
  }

  void Literal(std::string text, Variant value) {
    Push({std::move(text), TokenKind::Operand, ExprCode::Literal, std::move(value)});
  }

  bool StringLiteral() {
    std::size_t end = s_.find('\'', i_ + 1);
    if (end == std::string_view::npos) return false;
    std::string text(s_.substr(i_ + 1, end - i_ - 1));
    Literal(text, Variant(text));
    i_ = end + 1;
    return true;
  }

  bool Number() {
    std::size_t j = i_;
    while (j < s_.size() && (IsDigit(s_[j]) || s_[j] == '.')) ++j;
    std::string_view text = s_.substr(i_, j - i_);
    std::optional<double> v = ParseNumber(text);
    if (!v) return false;
    Literal(std::string(text), Variant(*v));
    i_ = j;
    return true;
  }

  bool Word() {
    std::size_t j = i_;
    while (j < s_.size() && IsWordChar(s_[j])) ++j;
    std::string word(s_.substr(i_, j - i_));
    std::string lower = ToLowerAscii(word);
    i_ = j;
    for (const char* k : kKeywords)
      if (lower == k) return Keyword(word);
    for (const auto& [first, second] : kKeywordPairs)
      if (lower == first && ConsumeWord(second)) return Keyword(word + " " + second);
    if (lower == "or" || lower == "and") {
      Push({word, TokenKind::Operator, lower == "or" ? ExprCode::Or : ExprCode::And, {}, 0});
      return true;
    }
    if (lower == "pi") {
      Literal(word, Variant(kPi));
      return true;
    }
    if (lower == "date") {
      Literal(word, Variant(std::to_string(now_.year) + "-" + TwoDigits(now_.month) + "-" + TwoDigits(now_.day)));
      return true;
    }
    if (lower == "time") {
      Literal(word, Variant(TwoDigits(now_.hour) + ":" + TwoDigits(now_.minute) + ":" + TwoDigits(now_.second)));
      return true;
    }
    for (const WordEntry& f : kFunctions) {
      if (lower == f.name) {
        Push({lower, TokenKind::Operator, f.code, {}, kWordOperatorPrecedence});
        return f.code != ExprCode::In || InList(out_.back());
      }
    }
    Push({word, TokenKind::Operand, ExprCode::Variable});
    return true;
  }

  bool Keyword(std::string text) {
    Push({std::move(text), TokenKind::Keyword, ExprCode::None, {}, 0});
    return true;
  }

  // Consumes `word` when it is the next word after spaces.
  bool ConsumeWord(std::string_view word) {
    std::size_t j = i_;
    while (j < s_.size() && s_[j] == ' ') ++j;
    std::size_t end = j;
    while (end < s_.size() && IsWordChar(s_[end])) ++end;
    if (!EqualsNoCase(s_.substr(j, end - j), word)) return false;
    i_ = end;
    return true;
  }

  // The parenthesised list after "in", kept as "[item][item]".
  bool InList(TToken& in) {
    std::size_t j = i_;
    while (j < s_.size() && s_[j] == ' ') ++j;
    if (j >= s_.size() || s_[j] != '(' || nesting_ >= kMaxListNesting) return false;
    int depth = 0;
    std::size_t k = j;
    for (; k < s_.size(); ++k) {
      if (s_[k] == '(') ++depth;
      if (s_[k] == ')' && --depth == 0) break;
    }
    if (k >= s_.size()) return false;
    std::string_view items = TrimBlanks(s_.substr(j + 1, k - j - 1));
    if (items.size() >= 7 && EqualsNoCase(items.substr(0, 7), "select ")) return false;
    std::vector<TToken> itemTokens;
    Tokenizer(items, now_, nesting_ + 1, itemTokens).Run();
    std::string list = "[";
    for (const TToken& t : itemTokens) list += t.kind == TokenKind::Comma ? "][" : t.text;
    in.listText = list + "]";
    i_ = k + 1;
    return true;
  }

  std::string_view s_;
  const LocalDateTime& now_;
  int nesting_;
  std::vector<TToken>& out_;
  std::size_t i_ = 0;
};

}  // namespace

LocalDateTime CurrentLocalDateTime() {
  std::time_t t = std::time(nullptr);
  std::tm tm{};
  localtime_r(&t, &tm);
  return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

void Tokenize(std::string_view text, const LocalDateTime& now, std::vector<TToken>& tokens) {
  Tokenizer(text, now, 0, tokens).Run();
}

}  // namespace kroma
