// Kroma's entry point: `kroma` starts the window, `kroma IMAGE` starts it
// with an image file open, `kroma --version` names the program.
#include <QApplication>
#include <QFileInfo>
#include <cstdio>
#include <cstring>
#include <exception>

#include "core/Error.h"
#include "editor/FileCommands.h"
#include "editor/KromaF.h"
#include "editor/Prompts.h"
#include "editor/Settings.h"
#include "ui/MainWindow.h"

int main(int argc, char** argv) {
  if (argc > 1 && std::strcmp(argv[1], "--version") == 0) {
    std::printf("Kroma %s\n", KROMA_VERSION);
    return 0;
  }
  try {
    QApplication app(argc, argv);
    kroma::TAppPaths paths;
    paths.AppFolder = QCoreApplication::applicationDirPath().toStdString();
    paths.ExeName = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName().toStdString();
    kroma::TMainWindow window(paths);
    window.ShowAsPlaced();
    // Qt has taken its own options out of the arguments by now.
    const QStringList args = QCoreApplication::arguments();
    if (args.size() > 1) {
      try {
        kroma::OpenImageFile(window.Editor(), args[1].toStdString());
      } catch (const kroma::Error& e) {
        window.Editor().Prompts.ShowMessage(e.what());
      }
    }
    return app.exec();
  } catch (const std::exception& e) {
    std::fprintf(stderr, "kroma: %s\n", e.what());
    return 1;
  }
}
