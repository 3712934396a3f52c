#include "app/CommandLine.h"

#include <cmath>
#include <string_view>

#include "core/Variant.h"
#include "parsers/StringHelpers.h"

namespace kroma {
namespace {

// "/RegServer", "-regserver", "--REGSERVER": the automation server's
// switches, in any letter case.
std::string ServerSwitch(const std::string& arg) {
  std::string_view s = arg;
  if (s.starts_with("--"))
    s.remove_prefix(2);
  else if (s.starts_with("-") || s.starts_with("/"))
    s.remove_prefix(1);
  else
    return {};
  std::string name = ToLowerAscii(s);
  if (name == "regserver" || name == "unregserver" || name == "automation" || name == "embedding") return name;
  return {};
}

TCommandLine Problem(TCommandLine c, std::string text) {
  c.Mode = TCommandLine::Usage;
  c.Problem = std::move(text);
  return c;
}

// The longest time limit accepted: about a year.
constexpr double kMaxTimeout = 3.2e7;

}  // namespace

TCommandLine ParseCommandLine(const std::vector<std::string>& args) {
  TCommandLine c;
  bool batch = false;
  bool timeoutGiven = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    std::string server = ServerSwitch(a);
    if (server == "regserver" || server == "unregserver") {
      c.Mode = TCommandLine::ServerExit;
      return c;
    }
    if (!server.empty()) continue;  // started by a client: nothing to do
    if (a == "--help" || a == "-h") {
      c.Mode = TCommandLine::Help;
      return c;
    }
    if (a == "--version") {
      c.Mode = TCommandLine::Version;
      return c;
    }
    if (a == "--batch") {
      batch = c.BatchAsked = true;
      continue;
    }
    if (a == "--timeout" || a.starts_with("--timeout=")) {
      c.BatchAsked = true;
      std::string value;
      if (a == "--timeout") {
        if (i + 1 >= args.size()) return Problem(c, "--timeout needs a number of seconds");
        value = args[++i];
      } else {
        value = a.substr(10);
      }
      std::optional<double> seconds = ParseNumber(value);
      if (!seconds || !std::isfinite(*seconds) || *seconds < 0 || *seconds > kMaxTimeout)
        return Problem(c, "--timeout needs a number of seconds from 0 (no limit) to 32000000, not \"" + value + "\"");
      c.TimeoutSeconds = *seconds;
      timeoutGiven = true;
      continue;
    }
    if (a.starts_with("-") && a != "-") return Problem(c, "unknown option \"" + a + "\"");
    if (batch) {
      c.Mode = TCommandLine::Batch;
      c.Script = a;
      c.Args.assign(args.begin() + static_cast<std::ptrdiff_t>(i) + 1, args.end());
      return c;
    }
    if (!c.Image.empty()) return Problem(c, "one image at a time, not \"" + c.Image + "\" and \"" + a + "\"");
    c.Image = a;
  }
  if (batch) return Problem(c, "--batch needs a script file");
  if (timeoutGiven) return Problem(c, "--timeout works only with --batch");
  return c;
}

bool MayHoldQtOptions(const std::vector<std::string>& args) {
  static constexpr std::string_view kQtOptions[] = {
      "platform", "platformpluginpath", "platformtheme", "plugin", "qmljsdebugger", "qwindowgeometry",
      "qwindowicon", "qwindowtitle", "reverse", "session", "style", "stylesheet", "widgetcount", "display",
      "geometry", "title", "name", "visual", "ncols", "cmap", "nograb", "dograb", "sync", "fn", "font",
      "bg", "background", "fg", "foreground", "btn", "button", "im", "inputstyle", "testability"};
  for (const std::string& arg : args) {
    std::string_view s = arg;
    if (!s.starts_with("-")) continue;
    s.remove_prefix(s.starts_with("--") ? 2 : 1);
    if (std::size_t eq = s.find('='); eq != std::string_view::npos) s = s.substr(0, eq);
    for (std::string_view option : kQtOptions)
      if (s == option) return true;
  }
  return false;
}

std::string UsageText() {
  return "Usage:\n"
         "  kroma [IMAGE]                      start the window, with IMAGE open\n"
         "  kroma --batch [--timeout SECONDS] FILE.js [ARGS...]\n"
         "                                     run a script with no window; ARGS become app.args\n"
         "  kroma --help | --version\n"
         "\n"
         "Options:\n"
         "  --batch          run FILE.js headless: it draws through gfx and app, print() writes to\n"
         "                   standard output; no display is needed and nothing is written beside\n"
         "                   the program\n"
         "  --timeout SECONDS  stop a batch script that runs longer (default 60, 0 for no limit)\n"
         "  --help           show this text\n"
         "  --version        show the version\n"
         "  /regserver, /unregserver  accepted for compatibility; exit at once\n"
         "  /automation, /embedding   accepted and ignored\n"
         "\n"
         "Exit status of a batch run: 0 the script ended, 1 a script error (reported as\n"
         "FILE.js:LINE: message) or a script that cannot be read, 2 the time limit stopped it,\n"
         "64 a command line that cannot be used.\n";
}

}  // namespace kroma
