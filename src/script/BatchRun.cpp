#include "script/BatchRun.h"

#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <condition_variable>
#include <mutex>
#include <ostream>
#include <thread>

#include "core/FileIO.h"
#include "core/Variant.h"
#include "editor/KromaF.h"
#include "editor/QueuedPrompts.h"
#include "editor/ScriptedPorts.h"
#include "script/ScriptObjects.h"
#include "script/ScriptRun.h"

namespace kroma {
namespace {

// How long a script may take to stop once interrupted. Drawing calls check
// the interrupt only between steps; one that does not stop in this time
// (a huge new image, megabytes of text) ends the process.
constexpr std::chrono::seconds kStopGrace{5};

// Interrupts the run when the time is up, unless it ends first.
class TWatchdog {
 public:
  TWatchdog(TScriptRun& run, double seconds, std::function<void()> giveUp) {
    if (seconds <= 0) return;
    auto limit = std::chrono::duration<double>(seconds);
    thread_ = std::thread([this, &run, limit, giveUp = std::move(giveUp)] {
      std::unique_lock lock(mutex_);
      if (doneChanged_.wait_for(lock, limit, [this] { return done_; })) return;
      run.Interrupt();
      if (!doneChanged_.wait_for(lock, kStopGrace, [this] { return done_; })) giveUp();
    });
  }
  ~TWatchdog() {
    {
      std::lock_guard lock(mutex_);
      done_ = true;
    }
    doneChanged_.notify_all();
    if (thread_.joinable()) thread_.join();
  }

 private:
  std::mutex mutex_;
  std::condition_variable doneChanged_;
  bool done_ = false;
  std::thread thread_;
};

std::string InterruptedText(const TBatchOptions& options) {
  return options.ScriptPath + ": script interrupted after " + FormatFloat(options.TimeoutSeconds) + " s\n";
}

}  // namespace

int RunBatch(const TBatchOptions& options, std::ostream& out, std::ostream& err) {
  std::string source;
  try {
    std::vector<std::uint8_t> bytes = ReadWholeFile(options.ScriptPath, std::uint64_t{64} << 20);
    source.assign(bytes.begin(), bytes.end());
  } catch (const std::exception& e) {
    err << "kroma: " << e.what() << '\n';
    return kBatchFailed;
  }

  TScriptedPrompts scripted;  // nobody at the screen: every box gives its default
  TQueuedPrompts prompts(scripted);
  TManualDesktop desktop;
  TRecordingView view;
  TAppPaths paths;
  paths.AppFolder = options.AppFolder;
  paths.ExeName = options.ExeName;
  // Asked without creating a file: a batch run writes nothing of its own.
  paths.IsWritable = [](const std::string& folder) { return ::access(folder.c_str(), W_OK) == 0; };
  TKromaF editor(prompts, desktop, view, paths);
  editor.FormCreate();
  editor.FormShow();

  TScriptEnvironment env{editor, prompts, options.Args};
  TDirectEditorAccess access;
  TScriptRun run(env, access, [&out](const std::string& line) { out << line << '\n' << std::flush; });
  TScriptOutcome outcome;
  {
    // Printed lines are flushed one by one, so nothing written is lost.
    TWatchdog watchdog(run, options.TimeoutSeconds, [&] {
      err << InterruptedText(options) << std::flush;
      std::_Exit(kBatchInterrupted);
    });
    outcome = run.Execute(source, options.ScriptPath);
  }
  out.flush();
  switch (outcome.Status) {
    case TScriptOutcome::Finished: return kBatchOk;
    case TScriptOutcome::Interrupted:
      err << InterruptedText(options);
      return kBatchInterrupted;
    case TScriptOutcome::Failed:
      err << options.ScriptPath << ':' << outcome.Line << ": " << outcome.Message << '\n';
      return kBatchFailed;
  }
  return kBatchFailed;
}

}  // namespace kroma
