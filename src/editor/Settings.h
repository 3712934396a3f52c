#pragma once
// Where the program's files live and what the settings file holds about
// the main window.
#include <functional>
#include <string>

namespace kroma {

class TIniFile;

struct TAppPaths {
  std::string AppFolder;         // folder of the executable; data files are read from here
  std::string ExeName = "kroma";  // the settings file is ExeName + ".ini"
  // Where the settings go when AppFolder cannot be written; empty: the
  // user's configuration folder ($XDG_CONFIG_HOME/kroma, else ~/.config/kroma).
  std::string ConfigFolder;
  // Tells whether a folder accepts new files; empty: FolderWritable.
  std::function<bool(const std::string&)> IsWritable;
};

// Tries to create (and removes) a file in `folder`: true when that works.
bool FolderWritable(const std::string& folder);
// $XDG_CONFIG_HOME/kroma, else $HOME/.config/kroma.
std::string UserConfigFolder();
// AppFolder/ExeName.ini when AppFolder is writable, else the same name in
// the configuration folder.
std::string SettingsFilePath(const TAppPaths& paths);
// `folder` with exactly one trailing '/'.
std::string WithSlash(std::string folder);

enum class TWindowState { AsDesigned, Normal, Maximized, Minimized };

struct TWindowPlacement {
  TWindowState State = TWindowState::Maximized;
  int Left = 0;
  int Top = 0;
  int Width = 500;
  int Height = 400;
};

// Section "Window": "State" is "normal" or "maximized" (the default);
// other text gives AsDesigned. The bounds are read only for "normal".
TWindowPlacement ReadWindowPlacement(const TIniFile& ini);
// A normal window writes its state and bounds, a maximized one its state
// only, a minimised one nothing.
void WriteWindowPlacement(TIniFile& ini, const TWindowPlacement& window);

}  // namespace kroma
