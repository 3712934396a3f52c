#include "script/ScriptBridge.h"

#include <QJSEngine>
#include <cmath>
#include <limits>

#include "core/Error.h"
#include "parsers/StringHelpers.h"

namespace kroma {
namespace {

std::string Utf8(const QString& s) { return s.toStdString(); }

Variant ToVariant(const QJSValue& v) {
  if (v.isUndefined()) return {};
  if (v.isNull()) return Variant::Null();
  if (v.isBool()) return Variant(v.toBool());
  if (v.isNumber()) {
    double d = v.toNumber();
    if (d == std::trunc(d) && d >= std::numeric_limits<int>::min() && d <= std::numeric_limits<int>::max())
      return Variant(static_cast<int>(d));
    return Variant(d);
  }
  return Variant(Utf8(v.toString()));
}

// Arrays and array-like objects are read by their length and index.
bool IsArrayLike(const QJSValue& v) {
  if (v.isArray()) return true;
  return v.isObject() && !v.isCallable() && v.hasProperty(QStringLiteral("length")) &&
         v.property(QStringLiteral("length")).isNumber();
}

TScriptArg ToScriptArg(const QJSValue& v, const std::atomic<bool>& cancel) {
  if (!IsArrayLike(v)) return {ToVariant(v), false, {}};
  double length = v.property(QStringLiteral("length")).toNumber();
  if (!(length >= 0) || length != std::trunc(length))
    throw Error("an array's length must be a whole number, not " + FormatFloat(length));
  if (length > static_cast<double>(kMaxScriptArrayLength))
    throw Error("an array of " + FormatFloat(length) + " items is longer than the " +
                std::to_string(kMaxScriptArrayLength) + " allowed");
  TScriptArg arg{{}, true, {}};
  auto count = static_cast<quint32>(length);
  arg.Items.reserve(count);
  for (quint32 i = 0; i < count; ++i) {
    if (cancel) throw Error("script interrupted");
    arg.Items.push_back(ToVariant(v.property(i)));
  }
  return arg;
}

QJSValue FromVariant(const Variant& v) {
  switch (v.Type()) {
    case varEmpty: return QJSValue(QJSValue::UndefinedValue);
    case varNull: return QJSValue(QJSValue::NullValue);
    case varInteger: return QJSValue(v.ToInt());
    case varInt64:
    case varDouble: return QJSValue(v.ToDouble());
    case varBoolean: return QJSValue(v.ToBool());
    case varString: return QJSValue(QString::fromStdString(*v.AsString()));
  }
  return {};
}

}  // namespace

TScriptBridge::TScriptBridge(QJSEngine& engine, TScriptObject object, IEditorAccess& editor,
                             const std::atomic<bool>& cancel)
    : engine_(engine), object_(std::move(object)), editor_(editor), cancel_(cancel) {}

QJSValue TScriptBridge::MemberList() {
  QJSValue list = engine_.newArray(static_cast<uint>(object_.Members.size()));
  quint32 i = 0;
  for (const TScriptMember& m : object_.Members) {
    QJSValue entry = engine_.newArray(3);
    std::string key = object_.IgnoreCase ? ToLowerAscii(m.Name) : m.Name;
    entry.setProperty(0, QString::fromStdString(key));
    entry.setProperty(1, QString::fromStdString(m.Name));
    entry.setProperty(2, m.Kind == TMemberKind::Method ? 0 : 1);
    list.setProperty(i++, entry);
  }
  return list;
}

QJSValue TScriptBridge::invoke(const QString& name, int access, const QJSValue& args) {
  try {
    const TScriptMember* member = object_.Find(Utf8(name));
    if (!member) throw Error(object_.Name + " has no member \"" + Utf8(name) + "\"");
    if (cancel_) throw Error("script interrupted");
    std::vector<TScriptArg> converted;
    auto count = static_cast<quint32>(args.property(QStringLiteral("length")).toUInt());
    for (quint32 i = 0; i < count; ++i) {
      try {
        converted.push_back(ToScriptArg(args.property(i), cancel_));
      } catch (const Error& e) {
        throw Error(member->Name + ": " + e.what());
      }
    }
    auto kind = access == 0 ? TMemberAccess::Call : access == 1 ? TMemberAccess::Get : TMemberAccess::Put;
    TScriptResult result = InvokeMember(*member, kind, converted, editor_, cancel_);
    switch (result.Kind) {
      case TScriptResult::Undefined: return QJSValue(QJSValue::UndefinedValue);
      case TScriptResult::Value: return FromVariant(result.Scalar);
      case TScriptResult::Array: {
        QJSValue array = engine_.newArray(static_cast<uint>(result.Items.size()));
        for (std::size_t i = 0; i < result.Items.size(); ++i)
          array.setProperty(static_cast<quint32>(i), FromVariant(result.Items[i]));
        return array;
      }
      case TScriptResult::Object: return ProxyOf(std::move(*result.Members));
    }
  } catch (const std::exception& e) {
    engine_.throwError(QString::fromStdString(e.what()));
  }
  return {};
}

QJSValue TScriptBridge::MakeProxy() {
  QJSEngine::setObjectOwnership(this, QJSEngine::CppOwnership);
  return proxyMaker_.call({engine_.newQObject(this), QString::fromStdString(object_.Name), MemberList(),
                           object_.IgnoreCase});
}

void TScriptBridge::DropScriptValues() {
  proxyMaker_ = QJSValue();
  for (auto& [bridge, proxy] : children_) {
    bridge->DropScriptValues();
    proxy = QJSValue();
  }
}

QJSValue TScriptBridge::ProxyOf(TScriptObject object) {
  for (const auto& [bridge, proxy] : children_)
    if (bridge->Object().Name == object.Name) return proxy;
  auto bridge = std::make_unique<TScriptBridge>(engine_, std::move(object), editor_, cancel_);
  bridge->SetProxyMaker(proxyMaker_);
  QJSValue proxy = bridge->MakeProxy();
  children_.emplace_back(std::move(bridge), proxy);
  return proxy;
}

void TPrintBridge::print(const QString& line) {
  try {
    sink_(line.toStdString());
  } catch (const std::exception& e) {
    if (QJSEngine* engine = qjsEngine(this)) engine->throwError(QString::fromStdString(e.what()));
  }
}

}  // namespace kroma
