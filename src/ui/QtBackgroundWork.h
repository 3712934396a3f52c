#pragma once
// Background work for the window: one worker thread runs the jobs, a job
// posted while another waits replaces it (the latest values win), and each
// job's done runs on the window's thread, from its event loop or from Wait,
// whichever comes first. Errors of done are handed to `onError`.
#include <QObject>
#include <condition_variable>
#include <deque>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>

#include "editor/BackgroundWork.h"

namespace kroma {

class TQtBackgroundWork : public QObject, public IBackgroundWork {
 public:
  explicit TQtBackgroundWork(std::function<void(const std::exception&)> onError);
  ~TQtBackgroundWork() override;

  void Post(std::function<void()> work, std::function<void(std::exception_ptr)> done) override;
  void Wait() override;
  bool Busy() const override;
  // Called on the window's thread when work starts and when all is done.
  std::function<void(bool busy)> BusyChanged;
  // Stops the worker and drops what waits; done runs no more.
  void Stop();

 private:
  struct TJob {
    std::function<void()> work;
    std::function<void(std::exception_ptr)> done;
  };
  struct TFinished {
    std::function<void(std::exception_ptr)> done;
    std::exception_ptr error;
  };
  void Loop();
  void Deliver();
  void TellBusy();

  std::function<void(const std::exception&)> onError_;
  mutable std::mutex mutex_;
  std::condition_variable changed_;
  bool hasWaiting_ = false;
  TJob waiting_;
  bool running_ = false;
  bool stop_ = false;
  std::deque<TFinished> finished_;
  bool toldBusy_ = false;
  std::thread worker_;
};

}  // namespace kroma
