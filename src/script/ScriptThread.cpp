#include "script/ScriptThread.h"

#include <QMetaObject>
#include <QObject>

#include "editor/QueuedPrompts.h"
#include "script/QueuedEditorAccess.h"
#include "script/ScriptObjects.h"

namespace kroma {

TScriptThread::TScriptThread(QObject* context, TScriptEnvironment& env)
    : context_(context), env_(env), alive_(std::make_shared<bool>(true)) {}

TScriptThread::~TScriptThread() {
  if (!thread_.joinable()) return;
  // The context serves no more calls: release the script from any wait,
  // stop it and wait for its thread.
  access_->Abandon();
  run_->Interrupt();
  thread_.join();
}

bool TScriptThread::Start(std::string source, std::string fileName, TPrintSink print,
                          std::function<void(const TScriptOutcome&)> finished) {
  if (running_) return false;
  if (thread_.joinable()) thread_.join();
  // Answers belong to the run that queued them: one left over must never
  // fill in a box the user opens later.
  env_.Prompts.ClearAnswers();
  access_ = std::make_unique<TQueuedEditorAccess>(context_);
  QObject* context = context_;
  // Printed lines go the way calls go, so a script that prints without end
  // waits for the window instead of flooding it.
  TQueuedEditorAccess* access = access_.get();
  TPrintSink post = [access, print = std::move(print)](const std::string& line) {
    access->Run([&] { print(line); });
  };
  run_ = std::make_unique<TScriptRun>(env_, *access_, std::move(post));
  running_ = true;
  std::weak_ptr<bool> alive = alive_;
  TScriptRun* run = run_.get();
  thread_ = std::thread([this, run, alive, context, source = std::move(source), fileName = std::move(fileName),
                         finished = std::move(finished)] {
    TScriptOutcome outcome;
    try {
      outcome = run->Execute(source, fileName);
    } catch (const std::exception& e) {
      outcome = {TScriptOutcome::Failed, 0, e.what()};
    }
    QMetaObject::invokeMethod(
        context,
        [this, alive, finished, outcome] {
          if (alive.expired()) return;
          running_ = false;
          if (thread_.joinable()) thread_.join();
          env_.Prompts.ClearAnswers();
          finished(outcome);
        },
        Qt::QueuedConnection);
  });
  return true;
}

void TScriptThread::Stop() {
  if (running_ && run_) run_->Interrupt();
}

}  // namespace kroma
