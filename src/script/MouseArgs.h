#pragma once
// Mouse arguments of script calls: a button by name ("left", "middle",
// "right"; left when not given) and the keys held ("ctrl+shift", "Alt", ""
// for none). Unknown names are errors that name the parameter.
#include <cstddef>

#include "editor/Mouse.h"

namespace kroma {

struct TScriptCall;

TMouseButton MouseButtonArg(const TScriptCall& c, std::size_t i);
TShiftState KeysArg(const TScriptCall& c, std::size_t i);

}  // namespace kroma
