#include "KromaRun.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace kroma::test {
namespace {

std::string ShellQuote(const std::string& s) {
  std::string q = "'";
  for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

}  // namespace

std::vector<std::string> TKromaResult::OutLines() const {
  std::vector<std::string> lines;
  std::stringstream s(Out);
  for (std::string line; std::getline(s, line);) lines.push_back(line);
  return lines;
}

TScratch::TScratch() {
  std::string pattern = (std::filesystem::temp_directory_path() / "kroma-script-XXXXXX").string();
  if (!::mkdtemp(pattern.data())) throw std::runtime_error("no temporary folder");
  path_ = pattern;
}

TScratch::~TScratch() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::string TScratch::Write(const std::string& name, const std::string& text) const {
  std::ofstream(File(name), std::ios::binary) << text;
  return File(name);
}

TKromaResult TScratch::Kroma(const std::vector<std::string>& args) const {
  // No display and a Qt platform that does not exist: a batch run must not
  // need either.
  std::string command = "cd " + ShellQuote(path_) + " && env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=none " +
                        ShellQuote(KROMA_EXE);
  for (const std::string& a : args) command += " " + ShellQuote(a);
  command += " >" + ShellQuote(File("stdout.txt")) + " 2>" + ShellQuote(File("stderr.txt"));
  int status = std::system(command.c_str());
  TKromaResult r;
  r.Exit = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  r.Out = ReadText(File("stdout.txt"));
  r.Err = ReadText(File("stderr.txt"));
  return r;
}

TKromaResult TScratch::Batch(const std::string& script, const std::vector<std::string>& scriptArgs,
                             const std::vector<std::string>& options) const {
  Write("script.js", script);
  std::vector<std::string> args = {"--batch"};
  args.insert(args.end(), options.begin(), options.end());
  args.push_back("script.js");
  args.insert(args.end(), scriptArgs.begin(), scriptArgs.end());
  return Kroma(args);
}

std::string JsQuote(const std::string& text) {
  std::string q = "\"";
  for (char c : text) {
    if (c == '"' || c == '\\') q += '\\';
    if (c == '\n') {
      q += "\\n";
      continue;
    }
    q += c;
  }
  return q + "\"";
}

void ExpectCases(const std::string& setup, const std::vector<TScriptCase>& cases) {
  std::string script = setup + "\n";
  for (const TScriptCase& c : cases) {
    script += "try { print('= ' + String((function () { " + c.Body +
              " })())); } catch (e) { print('= error: ' + (e && e.message !== undefined ? e.message : e)); }\n";
  }
  TScratch scratch;
  TKromaResult r = scratch.Batch(script);
  ASSERT_EQ(r.Exit, 0) << r.Err;
  std::vector<std::string> lines;
  for (const std::string& line : r.OutLines())
    if (line.rfind("= ", 0) == 0) lines.push_back(line.substr(2));
  ASSERT_EQ(lines.size(), cases.size()) << r.Out;
  for (std::size_t i = 0; i < cases.size(); ++i) {
    const std::string& want = cases[i].Expected;
    const std::string& got = lines[i];
    if (want.rfind("error: ", 0) == 0) {
      EXPECT_TRUE(got.rfind("error: ", 0) == 0 && got.find(want.substr(7)) != std::string::npos)
          << "case: " << cases[i].Body << "\n  got: " << got << "\n want: " << want;
    } else {
      EXPECT_EQ(got, want) << "case: " << cases[i].Body;
    }
  }
}

}  // namespace kroma::test
