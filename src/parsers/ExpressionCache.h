#pragma once
// TExpressions: compiles each expression text once and keeps it, so that a
// document that repeats an expression pays for tokenizing only once.
// Texts are told apart exactly, case included ('a' and 'A' differ).
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

#include "parsers/Expression.h"

namespace kroma {

class TExpressions {
 public:
  // The cache is emptied when it would grow past this many texts.
  static constexpr std::size_t kMaxEntries = 4096;

  // Copied into every expression compiled after they are set.
  TExpression::GetVariableHandler OnGetVariable;
  TExpression::SetVariableHandler OnSetVariable;
  std::function<LocalDateTime()> Clock;

  // The value of `text`, compiling and caching it first if needed; Null
  // when it fails.
  Variant Evaluate(std::string_view text);
  void Clear() { cache_.clear(); }
  std::size_t Size() const { return cache_.size(); }

 private:
  std::unordered_map<std::string, std::unique_ptr<TExpression>> cache_;
};

}  // namespace kroma
