#include "ui/QtBackgroundWork.h"

#include <QMetaObject>

#include "core/Error.h"

namespace kroma {

TQtBackgroundWork::TQtBackgroundWork(std::function<void(const std::exception&)> onError)
    : onError_(std::move(onError)), worker_([this] { Loop(); }) {}

TQtBackgroundWork::~TQtBackgroundWork() { Stop(); }

void TQtBackgroundWork::Stop() {
  {
    std::lock_guard lock(mutex_);
    if (stop_) return;
    stop_ = true;
    hasWaiting_ = false;
    waiting_ = {};
    finished_.clear();
  }
  changed_.notify_all();
  if (worker_.joinable()) worker_.join();
}

void TQtBackgroundWork::Post(std::function<void()> work, std::function<void(std::exception_ptr)> done) {
  {
    std::lock_guard lock(mutex_);
    if (stop_) return;
    waiting_ = {std::move(work), std::move(done)};
    hasWaiting_ = true;
  }
  changed_.notify_all();
  TellBusy();
}

void TQtBackgroundWork::Loop() {
  std::unique_lock lock(mutex_);
  for (;;) {
    changed_.wait(lock, [this] { return stop_ || hasWaiting_; });
    if (stop_) return;
    TJob job = std::move(waiting_);
    waiting_ = {};
    hasWaiting_ = false;
    running_ = true;
    lock.unlock();
    std::exception_ptr error;
    try {
      job.work();
    } catch (...) {
      error = std::current_exception();
    }
    lock.lock();
    running_ = false;
    if (stop_) return;
    finished_.push_back({std::move(job.done), error});
    changed_.notify_all();
    QMetaObject::invokeMethod(this, [this] { Deliver(); }, Qt::QueuedConnection);
  }
}

void TQtBackgroundWork::Deliver() {
  std::deque<TFinished> ready;
  {
    std::lock_guard lock(mutex_);
    ready.swap(finished_);
  }
  for (TFinished& f : ready) {
    try {
      f.done(f.error);
    } catch (const std::exception& e) {
      onError_(e);
    }
  }
  TellBusy();
}

void TQtBackgroundWork::Wait() {
  {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return stop_ || (!hasWaiting_ && !running_); });
  }
  // The results come here rather than from the event loop; an error of a
  // done reaches the caller, as an effect's error reaches a script.
  std::deque<TFinished> ready;
  {
    std::lock_guard lock(mutex_);
    ready.swap(finished_);
  }
  std::exception_ptr first;
  for (TFinished& f : ready) {
    try {
      f.done(f.error);
    } catch (...) {
      if (!first) first = std::current_exception();
    }
  }
  TellBusy();
  if (first) std::rethrow_exception(first);
}

bool TQtBackgroundWork::Busy() const {
  std::lock_guard lock(mutex_);
  return hasWaiting_ || running_ || !finished_.empty();
}

void TQtBackgroundWork::TellBusy() {
  const bool busy = Busy();
  if (busy == toldBusy_) return;
  toldBusy_ = busy;
  if (BusyChanged) BusyChanged(busy);
}

}  // namespace kroma
