// The batch runner as a command: exit codes, where output and errors go,
// the time limit, a run with no display, and what it leaves on disk.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <set>

#include "KromaRun.h"

namespace kroma::test {
namespace {

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST(BatchRun, PrintsArgumentsAndEndsWithZero) {
  TScratch scratch;
  TKromaResult r = scratch.Batch("print('args', app.args.length, app.args.join('|'));\nprint(1 + 1, true, null);\n",
                                 {"a b", "--timeout", "-x"});
  EXPECT_EQ(r.Exit, 0) << r.Err;
  EXPECT_EQ(r.OutLines(), (std::vector<std::string>{"args 3 a b|--timeout|-x", "2 true null"}));
  EXPECT_EQ(r.Err, "");
}

// Errors: "FILE.js:LINE: message" on standard error, exit 1; what ran
// before the error stays done.
TEST(BatchRun, ErrorsNameFileAndLine) {
  struct Case {
    const char* script;
    const char* expected;
  };
  const Case cases[] = {
      {"print('a');\n\nvar x = ;\n", "script.js:3: SyntaxError"},
      {"print('a');\nnosuch();\n", "script.js:2: ReferenceError: nosuch is not defined"},
      {"print('a');\nfunction f() {\n  gfx.Effect('twist', 0);\n}\nf();\n", "script.js:3: Error: Effect: "},
      {"print('a');\ngfx.Line(1, 2, 'three', 4);\n", "script.js:2: Error: Line: x2: Could not convert the text 'three'"},
      {"print('a');\nthrow 'plain text';\n", "script.js:2: uncaught exception: plain text"},
  };
  TScratch scratch;
  for (const Case& c : cases) {
    TKromaResult r = scratch.Batch(c.script);
    EXPECT_EQ(r.Exit, 1) << c.script;
    EXPECT_TRUE(Contains(r.Err, c.expected)) << c.script << "\n got: " << r.Err;
    if (!Contains(c.script, "var x = ;")) {
      EXPECT_EQ(r.Out, "a\n") << c.script;  // a syntax error runs nothing
    }
  }
}

TEST(BatchRun, RunawayScriptIsInterrupted) {
  TScratch scratch;
  auto start = std::chrono::steady_clock::now();
  TKromaResult r = scratch.Batch("print('started');\nwhile (true) {}\n", {}, {"--timeout", "1"});
  double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  EXPECT_EQ(r.Exit, 2);
  EXPECT_TRUE(Contains(r.Err, "script interrupted")) << r.Err;
  EXPECT_EQ(r.Out, "started\n");
  EXPECT_LT(seconds, 30);
}

// A long filter stops too: the interrupt reaches the blur between passes.
TEST(BatchRun, InterruptStopsALongBlur) {
  TScratch scratch;
  TKromaResult r = scratch.Batch(
      "app.newImage(1500, 1500);\n"
      "for (var i = 0; i < 1500; i += 3) { gfx.PenColor = i % 2 ? '#FF0000' : '#0000FF'; gfx.Line(i, 0, 1500 - i, 1500); }\n"
      "gfx.Effect('blur', 1000000);\nprint('not reached');\n",
      {}, {"--timeout", "2"});
  EXPECT_EQ(r.Exit, 2) << r.Err;
  EXPECT_TRUE(Contains(r.Err, "script interrupted")) << r.Err;
  EXPECT_EQ(r.Out, "");
}

// A batch run reads the program's folder and writes nothing into it.
TEST(BatchRun, WritesNothingBesideTheProgram) {
  namespace fs = std::filesystem;
  fs::path folder = fs::path(KROMA_EXE).parent_path();
  // Names only (the build and the test runner write their own files
  // here), and the times of the files the window rewrites.
  auto listing = [&] {
    std::set<std::string> names;
    for (const auto& e : fs::directory_iterator(folder)) {
      std::string name = e.path().filename().string();
      if (name == "patterns.bmp" || name.ends_with(".ini"))
        name += "@" + std::to_string(e.last_write_time().time_since_epoch().count());
      names.insert(name);
    }
    return names;
  };
  std::set<std::string> before = listing();
  TScratch scratch;
  TKromaResult r = scratch.Batch("gfx.Rectangle(1, 1, 30, 30);\nprint(app.messages().length);\n");
  EXPECT_EQ(r.Exit, 0) << r.Err;
  EXPECT_EQ(r.Out, "0\n") << "the pattern store was read without a message";
  EXPECT_EQ(listing(), before);
}

TEST(BatchRun, CommandLine) {
  struct Case {
    std::vector<std::string> args;
    int exit;
    const char* out;  // expected in standard output
    const char* err;  // expected in standard error
  };
  const std::vector<Case> cases = {
      {{"--version"}, 0, "Kroma 25.", ""},
      {{"--help"}, 0, "--batch", ""},
      {{"/RegServer"}, 0, "", ""},
      {{"-UNREGSERVER"}, 0, "", ""},
      {{"--batch"}, 64, "", "--batch needs a script file"},
      {{"--batch", "--timeout", "soon", "x.js"}, 64, "", "--timeout needs a number of seconds"},
      {{"--batch", "--frobnicate", "x.js"}, 64, "", "unknown option \"--frobnicate\""},
      {{"--batch", "missing.js"}, 1, "", "missing.js"},
      // Refused before any window starts, so no display is needed.
      {{"--frobnicate"}, 64, "", "unknown option \"--frobnicate\""},
      {{"a.png", "b.png"}, 64, "", "one image at a time"},
      {{"-Embedding", "--batch", "/automation", "ok.js"}, 0, "ok", ""},
  };
  TScratch scratch;
  scratch.Write("ok.js", "print('ok');\n");
  for (const Case& c : cases) {
    TKromaResult r = scratch.Kroma(c.args);
    std::string shown = c.args.empty() ? "" : c.args[0] + (c.args.size() > 1 ? " " + c.args[1] : "");
    EXPECT_EQ(r.Exit, c.exit) << shown << "\n" << r.Err;
    EXPECT_TRUE(Contains(r.Out, c.out)) << shown << "\n got: " << r.Out;
    EXPECT_TRUE(Contains(r.Err, c.err)) << shown << "\n got: " << r.Err;
  }
}

}  // namespace
}  // namespace kroma::test
