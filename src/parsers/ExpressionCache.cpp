#include "parsers/ExpressionCache.h"

namespace kroma {

Variant TExpressions::Evaluate(std::string_view text) {
  std::string key(text);
  auto it = cache_.find(key);
  if (it == cache_.end()) {
    if (cache_.size() >= kMaxEntries) cache_.clear();
    auto e = std::make_unique<TExpression>();
    e->OnGetVariable = OnGetVariable;
    e->OnSetVariable = OnSetVariable;
    e->Clock = Clock;
    e->SetExpression(text);  // an unbalanced text still runs what it compiled to
    it = cache_.emplace(std::move(key), std::move(e)).first;
  }
  return it->second->Evaluate();
}

}  // namespace kroma
