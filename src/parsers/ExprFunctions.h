#pragma once
// The operators and functions of the expression language, applied to
// values already taken from the value stack.
#include <string_view>

#include "core/Variant.h"
#include "parsers/ExprToken.h"

namespace kroma {

// Longest text a function builds; longer results are an error.
constexpr std::size_t kMaxExprText = std::size_t{1} << 24;

// Applies an operator or function token to its operands, given in written
// order (OperandCount(token.code) of them). Throws Error when the operands
// do not fit; the evaluator turns that into Null.
Variant ApplyOperator(const TToken& token, const Variant* args);

// The weighted Soundex number: the first character's code plus up to three
// Soundex digits weighted 26, 156 and 936.
int SoundexCode(std::string_view s);

// "like" with "%" at the start, the end, both or neither; case ignored.
bool LikeMatch(std::string_view value, std::string_view pattern);

}  // namespace kroma
