#include "script/ScriptRun.h"

#include <QJSEngine>
#include <QStringList>
#include <atomic>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "script/ScriptBridge.h"
#include "script/ScriptObjects.h"

namespace kroma {
namespace {

// Stack frames of the objects' own code carry this file name; a failure's
// line is the first frame outside it.
const QString kObjectsFile = QStringLiteral("kroma-objects.js");

// A proxy for each object: member names are looked up in the bridge's
// list (in lower case for gfx), methods come back as functions, property
// reads and writes go to the bridge, and an unknown name is an error
// rather than a silent undefined.
const char* const kProxyMaker = R"JS(
(function (bridge, name, list, ignoreCase) {
  const members = new Map();
  for (const m of list) members.set(m[0], m);
  function find(key) {
    if (typeof key !== 'string') return undefined;
    return members.get(ignoreCase ? key.toLowerCase() : key);
  }
  return new Proxy({}, {
    get(target, key, receiver) {
      const m = find(key);
      if (m === undefined) {
        if (typeof key !== 'string' || key in Object.prototype) return Reflect.get(target, key, receiver);
        throw new TypeError(name + ' has no member "' + key + '"');
      }
      if (m[2] === 0) return function (...args) { return bridge.invoke(m[1], 0, args); };
      return bridge.invoke(m[1], 1, []);
    },
    set(target, key, value) {
      const m = find(key);
      if (m === undefined) throw new TypeError(name + ' has no member "' + String(key) + '"');
      bridge.invoke(m[1], 2, [value]);
      return true;
    },
    has(target, key) { return find(key) !== undefined; }
  });
})
)JS";

const char* const kPrintMaker = R"JS(
(function (bridge) {
  return function print(...args) { bridge.print(args.map(a => String(a)).join(' ')); };
})
)JS";

// The script's line from a stack trace: entries read
// "function:line:column:file".
int ScriptLine(const QStringList& trace) {
  for (const QString& frame : trace) {
    QStringList parts = frame.split(QLatin1Char(':'));
    if (parts.size() < 4) continue;
    QString file = parts.mid(3).join(QLatin1Char(':'));
    if (file.endsWith(kObjectsFile)) continue;
    bool ok = false;
    int line = parts[1].toInt(&ok);
    if (ok && line > 0) return line;
  }
  return 0;
}

// Calling an unknown member (gfx.Nope()) makes the engine wrap the proxy's
// own error into "TypeError: Property 'Nope' of object <that error> is not
// a function"; the inner error is the one that says what is wrong.
std::string UnwrapMemberError(const std::string& message) {
  static constexpr std::string_view kHead = "TypeError: Property '";
  static constexpr std::string_view kOf = "' of object ";
  static constexpr std::string_view kTail = " is not a function";
  std::string_view m = message;
  if (!m.starts_with(kHead) || !m.ends_with(kTail)) return message;
  std::size_t of = m.find(kOf);
  if (of == std::string_view::npos) return message;
  std::string_view inner = m.substr(of + kOf.size(), m.size() - kTail.size() - of - kOf.size());
  if (inner.find(" has no member \"") == std::string_view::npos) return message;
  return std::string(inner);
}

}  // namespace

struct TScriptRun::Impl {
  TScriptEnvironment& env;
  IEditorAccess& editor;
  TPrintSink print;
  std::atomic<bool> cancel{false};
  std::mutex mutex;  // guards engine against Interrupt from other threads
  QJSEngine* engine = nullptr;
};

TScriptRun::TScriptRun(TScriptEnvironment& env, IEditorAccess& editor, TPrintSink print)
    : impl_(new Impl{env, editor, std::move(print)}) {}

TScriptRun::~TScriptRun() = default;

void TScriptRun::Interrupt() {
  std::lock_guard lock(impl_->mutex);
  impl_->cancel = true;
  if (impl_->engine) impl_->engine->setInterrupted(true);
}

TScriptOutcome TScriptRun::Execute(const std::string& source, const std::string& fileName) {
  std::vector<std::unique_ptr<TScriptBridge>> bridges;
  TPrintBridge printer(impl_->print);
  QJSEngine engine;
  struct Publish {
    Impl& impl;
    Publish(Impl& i, QJSEngine& e) : impl(i) {
      std::lock_guard lock(impl.mutex);
      impl.engine = &e;
      if (impl.cancel) e.setInterrupted(true);
    }
    ~Publish() {
      std::lock_guard lock(impl.mutex);
      impl.engine = nullptr;
    }
  } publish(*impl_, engine);

  bridges.push_back(std::make_unique<TScriptBridge>(engine, MakeGfxObject(impl_->env.Editor), impl_->editor, impl_->cancel));
  bridges.push_back(std::make_unique<TScriptBridge>(engine, MakeAppObject(impl_->env), impl_->editor, impl_->cancel));

  QJSValue makeProxy = engine.evaluate(QString::fromUtf8(kProxyMaker), kObjectsFile);
  for (auto& bridge : bridges) {
    bridge->SetProxyMaker(makeProxy);
    engine.globalObject().setProperty(QString::fromStdString(bridge->Object().Name), bridge->MakeProxy());
  }
  QJSEngine::setObjectOwnership(&printer, QJSEngine::CppOwnership);
  QJSValue makePrint = engine.evaluate(QString::fromUtf8(kPrintMaker), kObjectsFile);
  engine.globalObject().setProperty(QStringLiteral("print"), makePrint.call({engine.newQObject(&printer)}));

  QStringList trace;
  QJSValue result = engine.evaluate(QString::fromStdString(source), QString::fromStdString(fileName), 1, &trace);
  for (auto& bridge : bridges) bridge->DropScriptValues();
  makeProxy = QJSValue();

  TScriptOutcome outcome;
  if (impl_->cancel && result.isError()) {
    outcome.Status = TScriptOutcome::Interrupted;
    outcome.Message = "script interrupted";
  } else if (!trace.isEmpty()) {
    outcome.Status = TScriptOutcome::Failed;
    outcome.Line = ScriptLine(trace);
    outcome.Message = result.isError() ? UnwrapMemberError(result.toString().toStdString())
                                       : "uncaught exception: " + result.toString().toStdString();
  }
  return outcome;
}

}  // namespace kroma
