#pragma once
// `kroma --batch`: the editor started as the window starts it, with no
// window and no display, and one script run on it.
#include <iosfwd>
#include <string>
#include <vector>

namespace kroma {

struct TBatchOptions {
  std::string ScriptPath;
  std::vector<std::string> Args;  // app.args
  double TimeoutSeconds = 60;     // 0: no limit
  std::string AppFolder;          // where patterns.bmp and the settings are read
  std::string ExeName = "kroma";
};

enum TBatchExit { kBatchOk = 0, kBatchFailed = 1, kBatchInterrupted = 2 };

// Runs the script. print() lines go to `out`; a failure goes to `err` as
// "FILE.js:LINE: message". Returns the exit code: 0 when the script ended,
// 1 for a script error or a script that cannot be read, 2 when the time
// limit interrupted it. A drawing call that does not stop within a few
// seconds after the limit ends the process, also with 2. Writes no file
// of its own (no settings, no patterns); the script's saves are its own.
int RunBatch(const TBatchOptions& options, std::ostream& out, std::ostream& err);

}  // namespace kroma
