#pragma once
// Runs the built program in a scratch folder, with no display and no
// usable Qt platform, and collects its exit code and output. Script case
// tables run many small cases through one batch run.
#include <string>
#include <vector>

namespace kroma::test {

struct TKromaResult {
  int Exit = -1;
  std::string Out;
  std::string Err;
  std::vector<std::string> OutLines() const;
};

class TScratch {
 public:
  TScratch();
  ~TScratch();
  TScratch(const TScratch&) = delete;
  TScratch& operator=(const TScratch&) = delete;
  std::string File(const std::string& name) const { return path_ + "/" + name; }
  // Writes `text` to the file `name` and returns its path.
  std::string Write(const std::string& name, const std::string& text) const;
  // Runs `kroma ARGS...` in this folder.
  TKromaResult Kroma(const std::vector<std::string>& args) const;
  // Writes the script and runs `kroma --batch [extra...] script.js [scriptArgs...]`.
  TKromaResult Batch(const std::string& script, const std::vector<std::string>& scriptArgs = {},
                     const std::vector<std::string>& options = {}) const;

 private:
  std::string path_;
};

// A JavaScript string literal holding `text`.
std::string JsQuote(const std::string& text);

// One case of a table: a function body (it ends with `return VALUE;`) and
// what the value prints as. An expectation starting with "error: " is met
// by an error whose message contains the rest.
struct TScriptCase {
  std::string Body;
  std::string Expected;
};

// Runs every case in its own try block after `setup`, one batch run for
// the whole table, and checks each case's line (failures name the case).
void ExpectCases(const std::string& setup, const std::vector<TScriptCase>& cases);

}  // namespace kroma::test
