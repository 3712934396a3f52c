#include "script/ScriptObject.h"

#include <exception>

#include "core/Error.h"
#include "parsers/StringHelpers.h"

namespace kroma {
namespace {

template <typename Convert>
auto Converted(const TScriptCall& call, std::size_t i, Convert convert) {
  try {
    return convert(call.Value(i));
  } catch (const Error& e) {
    throw Error(call.ParamName(i) + ": " + e.what());
  }
}

std::string CountText(std::size_t n) { return std::to_string(n) + (n == 1 ? " argument" : " arguments"); }

void CheckArgumentCount(const TScriptMember& m, TMemberAccess access, std::size_t given) {
  if (access != TMemberAccess::Call) return;  // reads take none, assignments one value
  std::size_t most = m.Params.size();
  if (given >= m.Required && (m.Variadic || given <= most)) return;
  std::string wanted = m.Variadic ? "at least " + CountText(m.Required)
                       : m.Required == most ? CountText(most)
                                            : CountText(m.Required) + " to " + std::to_string(most);
  std::string names;
  for (const std::string& p : m.Params) names += (names.empty() ? "" : ", ") + p;
  throw Error("takes " + wanted + (names.empty() ? "" : " (" + names + ")") + ", not " + std::to_string(given));
}

void CheckAccess(const TScriptMember& m, TMemberAccess access) {
  switch (access) {
    case TMemberAccess::Call:
      if (m.Kind != TMemberKind::Method) throw Error("is a property, not a method");
      return;
    case TMemberAccess::Get:
      if (m.Kind == TMemberKind::WriteOnly) throw Error("can only be assigned, not read");
      if (m.Kind == TMemberKind::Method) throw Error("is a method; call it");
      return;
    case TMemberAccess::Put:
      if (m.Kind == TMemberKind::ReadOnly) throw Error("can only be read, not assigned");
      if (m.Kind == TMemberKind::Method) throw Error("is a method and cannot be assigned");
      return;
  }
}

}  // namespace

const Variant& TScriptCall::Value(std::size_t i) const {
  static const Variant kEmpty;
  if (!Has(i)) return kEmpty;
  if (Args[i].IsArray) throw Error(ParamName(i) + ": an array is not a single value");
  return Args[i].Value;
}

int TScriptCall::Int(std::size_t i) const { return Converted(*this, i, ScriptInt); }
double TScriptCall::Real(std::size_t i) const { return Converted(*this, i, ScriptReal); }
bool TScriptCall::Bool(std::size_t i) const { return Converted(*this, i, ScriptBool); }
std::string TScriptCall::String(std::size_t i) const { return Converted(*this, i, ScriptString); }

std::vector<TPoint> TScriptCall::Points(std::size_t i) const {
  if (!Has(i) || !Args[i].IsArray) throw Error(ParamName(i) + ": an array of numbers is needed");
  try {
    return ScriptPoints(Args[i].Items);
  } catch (const Error& e) {
    throw Error(ParamName(i) + ": " + e.what());
  }
}

std::vector<std::string> TScriptCall::Strings(std::size_t from) const {
  std::vector<std::string> out;
  for (std::size_t i = from; i < Args.size(); ++i) out.push_back(String(i));
  return out;
}

std::string TScriptCall::ParamName(std::size_t i) const {
  if (Member.Kind != TMemberKind::Method) return "value";
  if (i < Member.Params.size()) return Member.Params[i];
  return Member.Params.empty() ? "argument " + std::to_string(i + 1) : Member.Params.back();
}

const TScriptMember* TScriptObject::Find(std::string_view name) const {
  for (const TScriptMember& m : Members)
    if (IgnoreCase ? EqualsNoCase(m.Name, name) : m.Name == name) return &m;
  return nullptr;
}

TScriptResult InvokeMember(const TScriptMember& member, TMemberAccess access, std::span<const TScriptArg> args,
                           IEditorAccess& editor, const std::atomic<bool>& cancel) {
  try {
    CheckAccess(member, access);
    CheckArgumentCount(member, access, args.size());
    TScriptCall call{member, args, editor, cancel};
    if (access == TMemberAccess::Put) {
      if (args.empty()) throw Error("needs a value");
      member.Put(call);
      return {};
    }
    return member.Call(call);
  } catch (const TCallError&) {
    throw;
  } catch (const std::bad_alloc&) {
    throw Error(member.Name + ": out of memory");
  } catch (const std::exception& e) {
    throw Error(member.Name + ": " + e.what());
  }
}

std::function<TScriptResult(const TScriptCall&)> OnEditor(std::function<TScriptResult(const TScriptCall&)> body) {
  return [body = std::move(body)](const TScriptCall& call) {
    TScriptResult result;
    call.Editor.Run([&] { result = body(call); });
    return result;
  };
}

std::function<void(const TScriptCall&)> OnEditorPut(std::function<void(const TScriptCall&)> body) {
  return [body = std::move(body)](const TScriptCall& call) { call.Editor.Run([&] { body(call); }); };
}

}  // namespace kroma
