#pragma once
// One run of a script: a fresh JavaScript engine with the objects "gfx"
// and "app" and the function print(), the script parsed and run to its
// end on the calling thread. The window runs it on a worker thread
// (script/ScriptThread.h), the batch runner on the main thread.
#include <functional>
#include <memory>
#include <string>

namespace kroma {

class IEditorAccess;
struct TScriptEnvironment;

struct TScriptOutcome {
  enum TStatus { Finished, Failed, Interrupted };
  TStatus Status = Finished;
  int Line = 0;         // the script's line of the failure; 0 when unknown
  std::string Message;  // "ReferenceError: x is not defined"
};

// Receives each line print() writes, on the script's thread.
using TPrintSink = std::function<void(const std::string& line)>;

class TScriptRun {
 public:
  TScriptRun(TScriptEnvironment& env, IEditorAccess& editor, TPrintSink print);
  ~TScriptRun();
  TScriptRun(const TScriptRun&) = delete;
  TScriptRun& operator=(const TScriptRun&) = delete;

  // Parses and runs the script; returns when it has ended. Lines count
  // from 1 in `fileName`.
  TScriptOutcome Execute(const std::string& source, const std::string& fileName);
  // From any thread, also before Execute: the script stops at its next
  // step with the outcome Interrupted, and long drawing work stops at its
  // next check.
  void Interrupt();

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace kroma
