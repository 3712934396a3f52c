#include "script/QueuedEditorAccess.h"

#include <QMetaObject>
#include <QObject>
#include <condition_variable>
#include <exception>
#include <mutex>

#include "core/Error.h"

namespace kroma {

struct TQueuedEditorAccess::TShared {
  std::mutex mutex;
  std::condition_variable changed;
  bool abandoned = false;
};

namespace {

struct TPendingCall {
  bool started = false;
  bool done = false;
  std::exception_ptr error;
};

}  // namespace

TQueuedEditorAccess::TQueuedEditorAccess(QObject* context)
    : context_(context), shared_(std::make_shared<TShared>()) {}

TQueuedEditorAccess::~TQueuedEditorAccess() = default;

void TQueuedEditorAccess::Run(const std::function<void()>& work) {
  auto shared = shared_;
  auto call = std::make_shared<TPendingCall>();
  // `work` stays valid: the caller waits until the call has run, or until
  // it was abandoned before it started, in which case it never runs.
  const std::function<void()>* job = &work;
  bool queued = QMetaObject::invokeMethod(
      context_,
      [shared, call, job] {
        {
          std::lock_guard lock(shared->mutex);
          if (shared->abandoned) return;
          call->started = true;
        }
        try {
          (*job)();
        } catch (...) {
          call->error = std::current_exception();
        }
        {
          std::lock_guard lock(shared->mutex);
          call->done = true;
        }
        shared->changed.notify_all();
      },
      Qt::QueuedConnection);
  if (!queued) throw Error("the editor no longer takes calls");
  std::unique_lock lock(shared->mutex);
  shared->changed.wait(lock, [&] { return call->done || (shared->abandoned && !call->started); });
  if (!call->done) throw Error("the script was stopped");
  if (call->error) std::rethrow_exception(call->error);
}

void TQueuedEditorAccess::Abandon() {
  {
    std::lock_guard lock(shared_->mutex);
    shared_->abandoned = true;
  }
  shared_->changed.notify_all();
}

}  // namespace kroma
