#include "script/ScriptValues.h"

#include <cmath>

#include "core/Error.h"

namespace kroma {

int ScriptInt(const Variant& v) {
  if (v.IsNull()) throw Error("null is not a number");
  return v.ToInt();
}

double ScriptReal(const Variant& v) {
  if (v.IsNull()) throw Error("null is not a number");
  double d = v.ToDouble();
  if (!std::isfinite(d)) throw Error("the number " + v.ToString() + " is not finite");
  return d;
}

bool ScriptBool(const Variant& v) {
  if (v.IsNull()) throw Error("null is not a Boolean");
  if (v.Type() == varDouble && std::isnan(v.ToDouble())) throw Error("NaN is not a Boolean");
  return v.ToBool();
}

std::string ScriptString(const Variant& v) {
  if (v.IsNull()) throw Error("null is not text");
  return v.ToString();
}

std::vector<TPoint> ScriptPoints(const std::vector<Variant>& items) {
  // An odd count has no last y: such a list draws nothing, as scripts
  // written for the drawing object expect.
  if (items.size() % 2 != 0) return {};
  std::vector<int> values(items.size());
  for (std::size_t i = 0; i < items.size(); ++i) {
    try {
      values[i] = ScriptInt(items[i]);
    } catch (const Error& e) {
      throw Error("point array item " + std::to_string(i) + ": " + e.what());
    }
  }
  std::vector<TPoint> points(items.size() / 2);
  for (std::size_t i = 0; i < points.size(); ++i) points[i] = {values[2 * i], values[2 * i + 1]};
  return points;
}

}  // namespace kroma
