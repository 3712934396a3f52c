// Kroma's entry point: the window, or a script run with no window
// (`kroma --batch FILE.js`); see UsageText for the command line.
#include <QApplication>
#include <QCoreApplication>
#include <QFileInfo>
#include <cstdio>
#include <exception>
#include <iostream>

#include "app/CommandLine.h"
#include "editor/Settings.h"
#include "script/BatchRun.h"
#include "ui/MainWindow.h"

namespace {

constexpr int kUsageExit = 64;

int RunBatch(int argc, char** argv, const kroma::TCommandLine& line) {
  // No GUI application: a batch run needs no display and no platform plugin.
  QCoreApplication app(argc, argv);
  kroma::TBatchOptions options;
  options.ScriptPath = line.Script;
  options.Args = line.Args;
  options.TimeoutSeconds = line.TimeoutSeconds;
  options.AppFolder = QCoreApplication::applicationDirPath().toStdString();
  options.ExeName = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName().toStdString();
  return kroma::RunBatch(options, std::cout, std::cerr);
}

int RunWindow(int argc, char** argv) {
  QApplication app(argc, argv);
  // Qt has taken its own options out; read the rest again.
  QStringList rest = QCoreApplication::arguments();
  std::vector<std::string> args;
  for (qsizetype i = 1; i < rest.size(); ++i) args.push_back(rest[i].toStdString());
  kroma::TCommandLine line = kroma::ParseCommandLine(args);
  if (line.Mode == kroma::TCommandLine::Usage) {
    std::fprintf(stderr, "kroma: %s\n%s", line.Problem.c_str(), kroma::UsageText().c_str());
    return kUsageExit;
  }
  kroma::TAppPaths paths;
  paths.AppFolder = QCoreApplication::applicationDirPath().toStdString();
  paths.ExeName = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName().toStdString();
  kroma::TMainWindow window(paths);
  window.ShowAsPlaced();
  if (!line.Image.empty()) window.OpenImage(line.Image);
  return app.exec();
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
  kroma::TCommandLine line = kroma::ParseCommandLine(args);
  try {
    switch (line.Mode) {
      case kroma::TCommandLine::Help:
        std::fputs(kroma::UsageText().c_str(), stdout);
        return 0;
      case kroma::TCommandLine::Version:
        std::printf("Kroma %s\n", KROMA_VERSION);
        return 0;
      case kroma::TCommandLine::ServerExit: return 0;
      case kroma::TCommandLine::Batch: return RunBatch(argc, argv, line);
      case kroma::TCommandLine::Usage:
        if (line.BatchAsked || !kroma::MayHoldQtOptions(args)) {
          std::fprintf(stderr, "kroma: %s\n%s", line.Problem.c_str(), kroma::UsageText().c_str());
          return kUsageExit;
        }
        [[fallthrough]];
      case kroma::TCommandLine::Gui:
        // Qt options such as -platform are only known once Qt has read them.
        return RunWindow(argc, argv);
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "kroma: %s\n", e.what());
    return 1;
  }
  return 0;
}
