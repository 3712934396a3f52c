#pragma once
// Tokens of the expression language, as the tokenizer produces them and
// the evaluator runs them in postfix order.
#include <cstdint>
#include <string>

#include "core/Variant.h"

namespace kroma {

enum class TokenKind : std::uint8_t { Keyword, Operator, Operand, LParen, RParen, Comma, Hash, Semicolon };

// Which operator, function or operand a token is.
enum class ExprCode : std::uint8_t {
  None,
  // operands
  Literal, Variable,
  // operators
  Assign, And, Or, Minus, Equal, NotEqual, Less, LessEqual, Greater, GreaterEqual, Plus, Divide, Multiply, Power,
  // functions and word operators
  If, Sin, Cos, Sqr, Sqrt, Ceil, Floor, Fix, Trunc, AsNumber, IsNumeric, Length, Lower, Upper, Trim, Left, Right,
  Mid, SubstrAfter, SubstrBefore, Replace, Format, Soundex, Like, In, Not, Year, Month, Day, IsDate, DateAdd,
  Easter, WeekNumber,
};

struct TToken {
  std::string text;  // as written; string literals without their quotes
  TokenKind kind = TokenKind::Operand;
  ExprCode code = ExprCode::None;
  Variant value;        // a literal operand's value
  int precedence = 0;   // binding strength of an operator
  std::string listText; // "in": the items as "[a][b]"
};

// How many values an operator or function takes from the value stack.
int OperandCount(ExprCode code);

}  // namespace kroma
