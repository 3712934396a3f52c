// Feeds arbitrary bytes to the expression evaluator, alone and through the
// cache, with a host that knows two variables and accepts assignments.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "parsers/Expression.h"
#include "parsers/ExpressionCache.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  kroma::Variant assigned;
  kroma::TExpressions cache;
  cache.OnGetVariable = [](const std::string& name, kroma::Variant& v) {
    if (name == "x") v = 3;
    else if (name == "s") v = "Text";
    else return false;
    return true;
  };
  cache.OnSetVariable = [&](const std::string&, const kroma::Variant& v) { assigned = v; };
  kroma::Variant a = cache.Evaluate(text);
  kroma::Variant b = cache.Evaluate(text);  // the cached program gives the same value
  if (!(a == b)) __builtin_trap();
  if (!a.IsNull()) (void)a.ToString();
  return 0;
}
