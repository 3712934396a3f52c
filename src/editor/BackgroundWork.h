#pragma once
// Work that may run off the editor's thread, so that the window stays
// usable while a large render runs. The window runs it on a worker thread;
// a batch run and the tests run it at once (TImmediateWork). Either way
// `done` runs on the editor's thread, with the error the work threw, if any.
#include <exception>
#include <functional>

namespace kroma {

class IBackgroundWork {
 public:
  virtual ~IBackgroundWork() = default;
  // `work` must not touch the editor: it works on what it was given. A job
  // posted while an earlier one still waits to start replaces it (the
  // latest wins): the replaced job's work and done never run.
  virtual void Post(std::function<void()> work, std::function<void(std::exception_ptr)> done) = 0;
  // Returns when every job posted so far has finished and its done has run.
  virtual void Wait() = 0;
  // Whether a job is waiting or running.
  virtual bool Busy() const = 0;
};

// Runs each job at once, on the calling thread.
class TImmediateWork : public IBackgroundWork {
 public:
  void Post(std::function<void()> work, std::function<void(std::exception_ptr)> done) override {
    std::exception_ptr error;
    try {
      work();
    } catch (...) {
      error = std::current_exception();
    }
    done(error);
  }
  void Wait() override {}
  bool Busy() const override { return false; }
};

}  // namespace kroma
