#pragma once
// An object published to scripts ("gfx", "app"): a table of members, each
// a method or a property, carried out by plain C++ functions. The script
// engine's side (script/ScriptRun.h) only looks members up and converts
// values; what a member does lives here and in the object files.
#include <atomic>
#include <cstddef>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/Error.h"
#include "core/Types.h"
#include "script/ScriptValues.h"

namespace kroma {

// How a script's calls reach the editor, which lives on one thread (the
// window's, or the batch runner's). Calls stay synchronous and in order.
class IEditorAccess {
 public:
  virtual ~IEditorAccess() = default;
  // Runs `work` on the editor's thread and returns when it has finished;
  // an exception it throws is rethrown here.
  virtual void Run(const std::function<void()>& work) = 0;
};

// Runs work on the calling thread: for a script and an editor that share it.
class TDirectEditorAccess : public IEditorAccess {
 public:
  void Run(const std::function<void()>& work) override { work(); }
};

struct TScriptMember;

// One call of a member, with its arguments converted on demand. Conversion
// errors name the parameter.
struct TScriptCall {
  const TScriptMember& Member;
  std::span<const TScriptArg> Args;
  IEditorAccess& Editor;
  // Set when the script is being interrupted; long work checks it.
  const std::atomic<bool>& Cancel;

  bool Has(std::size_t i) const { return i < Args.size(); }
  const Variant& Value(std::size_t i) const;  // Empty when not given; an array is an error
  int Int(std::size_t i) const;
  double Real(std::size_t i) const;
  bool Bool(std::size_t i) const;
  std::string String(std::size_t i) const;
  std::vector<TPoint> Points(std::size_t i) const;
  // Every argument from i on, as text.
  std::vector<std::string> Strings(std::size_t from) const;
  // The name of parameter i, as messages show it.
  std::string ParamName(std::size_t i) const;
};

enum class TMemberKind { Method, ReadOnly, WriteOnly, ReadWrite };

struct TScriptMember {
  std::string Name;
  TMemberKind Kind = TMemberKind::Method;
  // Method parameters; the first `Required` must be given. A variadic
  // method takes any number after them, named after the last parameter.
  std::vector<std::string> Params;
  std::size_t Required = 0;
  bool Variadic = false;
  // The method, or the property's getter.
  std::function<TScriptResult(const TScriptCall&)> Call;
  // The property's setter; the value is argument 0.
  std::function<void(const TScriptCall&)> Put;
};

// How a script reaches a member.
enum class TMemberAccess { Call, Get, Put };

struct TScriptObject {
  std::string Name;  // as published: "gfx"
  bool IgnoreCase = false;
  std::vector<TScriptMember> Members;

  // nullptr when there is no such member.
  const TScriptMember* Find(std::string_view name) const;
};

// An error whose message already says which call failed
// ("unknown command: Nope1Click"): it reaches the script as it stands.
class TCallError : public Error {
 public:
  using Error::Error;
};

// Carries out one access of a member: checks that the member allows it and
// the number of arguments, runs it, and turns every other failure into
// Error whose message starts with the member's name ("Line: ...").
TScriptResult InvokeMember(const TScriptMember& member, TMemberAccess access, std::span<const TScriptArg> args,
                           IEditorAccess& editor, const std::atomic<bool>& cancel);

// A method that runs wholly on the editor's thread.
std::function<TScriptResult(const TScriptCall&)> OnEditor(std::function<TScriptResult(const TScriptCall&)> body);
std::function<void(const TScriptCall&)> OnEditorPut(std::function<void(const TScriptCall&)> body);

}  // namespace kroma
