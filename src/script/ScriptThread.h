#pragma once
// Scripts for a window: each run has its own worker thread, so the window
// stays usable, while every gfx and app call is carried out on the
// window's thread, synchronously and in order, as the script waits for it.
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "script/ScriptRun.h"

class QObject;

namespace kroma {

struct TScriptEnvironment;
class TQueuedEditorAccess;

class TScriptThread {
 public:
  // `context` lives on the editor's thread; calls, printed lines and the
  // end of a run are delivered there.
  TScriptThread(QObject* context, TScriptEnvironment& env);
  // Stops a running script and waits for its thread.
  ~TScriptThread();
  TScriptThread(const TScriptThread&) = delete;
  TScriptThread& operator=(const TScriptThread&) = delete;

  bool Running() const { return running_; }
  // Starts a run; false (and nothing started) while one is running.
  // `print` and `finished` are called on the context's thread.
  bool Start(std::string source, std::string fileName, TPrintSink print,
             std::function<void(const TScriptOutcome&)> finished);
  // Interrupts the running script; `finished` follows with Interrupted.
  void Stop();

 private:
  QObject* context_;
  TScriptEnvironment& env_;
  std::unique_ptr<TQueuedEditorAccess> access_;
  std::unique_ptr<TScriptRun> run_;
  std::thread thread_;
  bool running_ = false;
  // Expires with this object, so a run's end that arrives later is dropped.
  std::shared_ptr<bool> alive_;
};

}  // namespace kroma
