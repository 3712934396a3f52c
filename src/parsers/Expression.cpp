#include "parsers/Expression.h"

#include "core/Error.h"
#include "parsers/ExprFunctions.h"

namespace kroma {
namespace {

// Moves operators from the stack to the program down to the next "(".
void MoveOperators(std::vector<TToken>& stack, std::vector<TToken>& program) {
  while (!stack.empty() && stack.back().kind != TokenKind::LParen) {
    program.push_back(std::move(stack.back()));
    stack.pop_back();
  }
}

class ValueStack {
 public:
  void Push(Variant v) {
    if (values_.size() >= TExpression::kStackSize) throw Error("The expression is too long for the value stack");
    values_.push_back(std::move(v));
  }
  // An empty stack yields Null.
  Variant Pop() {
    if (values_.empty()) return Variant::Null();
    Variant v = std::move(values_.back());
    values_.pop_back();
    return v;
  }
  Variant Top() const { return values_.empty() ? Variant::Null() : values_.back(); }

 private:
  std::vector<Variant> values_;
};

}  // namespace

bool TExpression::SetExpression(std::string_view text) {
  text_ = std::string(text);
  program_.clear();
  std::vector<TToken> tokens;
  Tokenize(text, Clock ? Clock() : CurrentLocalDateTime(), tokens);

  // Operator-precedence conversion to postfix order.
  std::vector<TToken> stack;
  for (TToken& t : tokens) {
    switch (t.kind) {
      case TokenKind::Operand: program_.push_back(std::move(t)); break;
      case TokenKind::Operator:
        while (!stack.empty() && stack.back().kind != TokenKind::LParen && stack.back().precedence >= t.precedence) {
          program_.push_back(std::move(stack.back()));
          stack.pop_back();
        }
        stack.push_back(std::move(t));
        break;
      case TokenKind::LParen: stack.push_back(std::move(t)); break;
      case TokenKind::RParen:
        MoveOperators(stack, program_);
        if (stack.empty()) return false;
        stack.pop_back();
        break;
      case TokenKind::Semicolon:
        MoveOperators(stack, program_);
        program_.push_back(std::move(t));
        break;
      case TokenKind::Comma:
      case TokenKind::Hash:
      case TokenKind::Keyword: break;
    }
  }
  MoveOperators(stack, program_);
  return stack.empty();
}

Variant TExpression::Evaluate() const {
  if (program_.empty()) return Variant::Null();
  try {
    ValueStack stack;
    Variant args[3];
    for (const TToken& t : program_) {
      if (t.kind == TokenKind::Semicolon) continue;
      if (t.code == ExprCode::Literal) {
        stack.Push(t.value);
      } else if (t.code == ExprCode::Variable) {
        Variant v;
        if (!OnGetVariable || !OnGetVariable(t.text, v)) throw Error("GetVariable: " + t.text + " not handled");
        stack.Push(std::move(v));
      } else if (t.code == ExprCode::Assign) {
        Variant v = stack.Pop();
        if (OnSetVariable) OnSetVariable(t.text, v);
      } else {
        int n = OperandCount(t.code);
        for (int i = n - 1; i >= 0; --i) args[i] = stack.Pop();
        stack.Push(ApplyOperator(t, args));
      }
    }
    return stack.Top();
  } catch (...) {  // also whatever a host handler throws

    return Variant::Null();
  }
}

}  // namespace kroma
