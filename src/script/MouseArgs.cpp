#include "script/MouseArgs.h"

#include <string>
#include <string_view>

#include "core/Error.h"
#include "parsers/StringHelpers.h"
#include "script/ScriptObject.h"

namespace kroma {

TMouseButton MouseButtonArg(const TScriptCall& c, std::size_t i) {
  if (!c.Has(i) || c.Value(i).IsEmpty()) return mbLeft;
  std::string name = ToLowerAscii(c.String(i));
  if (name == "left") return mbLeft;
  if (name == "middle") return mbMiddle;
  if (name == "right") return mbRight;
  throw Error(c.ParamName(i) + ": unknown button \"" + c.String(i) + "\"; use left, middle or right");
}

// "ctrl+shift", "Alt", "": the keys held.
TShiftState KeysArg(const TScriptCall& c, std::size_t i) {
  if (!c.Has(i) || c.Value(i).IsEmpty()) return 0;
  std::string text = c.String(i);
  if (TrimBlanks(text).empty()) return 0;
  TShiftState keys = 0;
  std::size_t start = 0;
  for (;;) {
    std::size_t plus = text.find('+', start);
    std::string_view part = std::string_view(text).substr(start, plus == std::string::npos ? plus : plus - start);
    std::string word = ToLowerAscii(TrimBlanks(part));
    if (word == "ctrl" || word == "control")
      keys |= ssCtrl;
    else if (word == "shift")
      keys |= ssShift;
    else if (word == "alt")
      keys |= ssAlt;
    else
      throw Error(c.ParamName(i) + ": unknown key \"" + word + "\" in \"" + text + "\"; use ctrl, shift and alt");
    if (plus == std::string::npos) return keys;
    start = plus + 1;
  }
}

}  // namespace kroma
