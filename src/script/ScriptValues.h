#pragma once
// Values that cross between a script and the program: the arguments a
// script passed and the results it gets back, in plain C++ so that they
// can be handed from the script's thread to the editor's.
//
// Arguments convert by the automation rules (core/Variant.h): reals round
// to integers ties to even, number text is read the same in every locale,
// true is -1, and a value beyond 32 bits, a NaN, an infinity or text that
// is no number is an error.
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "core/Types.h"
#include "core/Variant.h"

namespace kroma {

// Longest array a script may pass.
inline constexpr std::size_t kMaxScriptArrayLength = 1000000;

struct TScriptArg {
  Variant Value;               // a plain value (undefined is Empty)
  bool IsArray = false;
  std::vector<Variant> Items;  // an array's items, in index order
};

struct TScriptObject;

struct TScriptResult {
  enum TKind { Undefined, Value, Array, Object };
  TKind Kind = Undefined;
  Variant Scalar;
  std::vector<Variant> Items;
  // An object of its own members (app.window's window); the script gets
  // one object for each name, however often it asks.
  std::shared_ptr<TScriptObject> Members;

  static TScriptResult Of(Variant v) { return {Value, std::move(v), {}, {}}; }
  static TScriptResult ArrayOf(std::vector<Variant> items) { return {Array, {}, std::move(items), {}}; }
  static TScriptResult ObjectOf(std::shared_ptr<TScriptObject> object) { return {Object, {}, {}, std::move(object)}; }
};

// Conversions of one value; each throws Error with a message for the user.
int ScriptInt(const Variant& v);
// A finite double.
double ScriptReal(const Variant& v);
bool ScriptBool(const Variant& v);
std::string ScriptString(const Variant& v);

// x0, y0, x1, y1, ... as points. An empty list gives no points; an odd
// count of numbers is an error.
std::vector<TPoint> ScriptPoints(const std::vector<Variant>& items);

}  // namespace kroma
