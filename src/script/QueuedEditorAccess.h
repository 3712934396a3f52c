#pragma once
// Editor access from another thread: each call is queued to the thread of
// a context object and the caller waits until it has run there.
#include <memory>

#include "script/ScriptObject.h"

class QObject;

namespace kroma {

class TQueuedEditorAccess : public IEditorAccess {
 public:
  explicit TQueuedEditorAccess(QObject* context);
  ~TQueuedEditorAccess() override;

  void Run(const std::function<void()>& work) override;
  // On the context's thread, before it stops serving calls: a call waiting
  // now or later fails with Error instead of waiting. Calls that the
  // context has not started yet never run.
  void Abandon();

  struct TShared;

 private:
  QObject* context_;
  std::shared_ptr<TShared> shared_;
};

}  // namespace kroma
