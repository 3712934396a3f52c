#pragma once
// The engine's side of a published object: a QObject the object's proxy
// calls with a member name, the kind of access and the arguments. It turns
// JavaScript values into TScriptArg and results back, and failures into
// script errors. Lives on the script's thread.
#include <QJSValue>
#include <QObject>
#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "script/ScriptObject.h"

class QJSEngine;

namespace kroma {

class TScriptBridge : public QObject {
  Q_OBJECT

 public:
  TScriptBridge(QJSEngine& engine, TScriptObject object, IEditorAccess& editor, const std::atomic<bool>& cancel);

  const TScriptObject& Object() const { return object_; }
  // [[key, name, kind], ...] where key is the name to look up (lower case
  // when the object ignores case) and kind 0 a method, 1 a property.
  QJSValue MemberList();

  // access: 0 call, 1 get, 2 put.
  Q_INVOKABLE QJSValue invoke(const QString& name, int access, const QJSValue& args);

  // The script function that wraps a bridge in its proxy:
  // maker(bridge, name, memberList, ignoreCase). Objects that members
  // return get their proxies from it.
  void SetProxyMaker(QJSValue maker) { proxyMaker_ = std::move(maker); }
  QJSValue MakeProxy();
  // Lets go of every script value this bridge and the objects it returned
  // hold; done while the engine still lives.
  void DropScriptValues();

 private:
  QJSValue ProxyOf(TScriptObject object);

  QJSEngine& engine_;
  TScriptObject object_;
  IEditorAccess& editor_;
  const std::atomic<bool>& cancel_;
  QJSValue proxyMaker_;
  // Objects the members returned, with their proxies, by name.
  std::vector<std::pair<std::unique_ptr<TScriptBridge>, QJSValue>> children_;
};

// print(): hands each line to a sink.
class TPrintBridge : public QObject {
  Q_OBJECT

 public:
  explicit TPrintBridge(std::function<void(const std::string&)> sink) : sink_(std::move(sink)) {}
  Q_INVOKABLE void print(const QString& line);

 private:
  std::function<void(const std::string&)> sink_;
};

}  // namespace kroma
