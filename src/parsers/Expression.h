#pragma once
// TExpression: one compiled expression of the program's small expression
// language (numbers, 'strings', host variables, arithmetic, comparison,
// logic and some thirty functions). The text is tokenized and put in
// postfix order once; Evaluate runs it on a value stack and never throws:
// any failure gives Null.
//
// Precedence, higher binding tighter, equal grouping to the left:
//   ":" assignment -1; "and" "or" 0; "-" and comparisons 3; "+" 4; "/" 5;
//   "*" 6; "^", functions, "not", "like", "in" 7.
// So 10 - 2 + 3 is 10 - (2 + 3) and 8 / 2 * 4 is 8 / (2 * 4); stored
// documents depend on this. A comma does not end an argument: arguments
// holding an operator are written in parentheses, if((a > 1), 'x', 'y').
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/Variant.h"
#include "parsers/ExprToken.h"
#include "parsers/ExprTokenizer.h"

namespace kroma {

class TExpression {
 public:
  // Returns true and sets `value` when the host knows the variable. A
  // variable nobody handles makes the whole result Null.
  using GetVariableHandler = std::function<bool(const std::string& name, Variant& value)>;
  using SetVariableHandler = std::function<void(const std::string& name, const Variant& value)>;

  // The value stack holds this many values; an expression that needs more
  // evaluates to Null.
  static constexpr std::size_t kStackSize = 101;

  GetVariableHandler OnGetVariable;
  SetVariableHandler OnSetVariable;
  // Supplies "date" and "time" when the text is compiled (the local clock
  // unless set).
  std::function<LocalDateTime()> Clock;

  // Compiles `text`; false when its parentheses do not balance (the part
  // before the fault is kept and still runs).
  bool SetExpression(std::string_view text);
  const std::string& Text() const { return text_; }

  Variant Evaluate() const;

 private:
  std::string text_;
  std::vector<TToken> program_;  // postfix order
};

}  // namespace kroma
