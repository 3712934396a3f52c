#pragma once
// What the command line asks for. Read before Qt starts, since a batch run
// must not start a GUI application.
#include <string>
#include <vector>

namespace kroma {

struct TCommandLine {
  enum TMode { Gui, Batch, Help, Version, ServerExit, Usage };
  TMode Mode = Gui;
  std::string Image;              // Gui: the image to open, if any
  std::string Script;             // Batch: the script
  std::vector<std::string> Args;  // Batch: what follows the script
  double TimeoutSeconds = 60;     // Batch
  std::string Problem;            // Usage: what is wrong
  bool BatchAsked = false;        // --batch or --timeout was given (also with a problem)
};

// `args` without the program name. Qt's own options (as -platform NAME)
// must be removed first for the GUI; a batch run takes none.
TCommandLine ParseCommandLine(const std::vector<std::string>& args);

// True when an argument may be one of Qt's own window options
// ("-platform", "--style", ...), which only Qt can take out. A command
// line with a problem and none of them is refused before Qt starts, so
// the message needs no display.
bool MayHoldQtOptions(const std::vector<std::string>& args);

// The --help text.
std::string UsageText();

}  // namespace kroma
