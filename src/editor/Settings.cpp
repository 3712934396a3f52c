#include "editor/Settings.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>

#include "core/IniFile.h"

namespace kroma {

std::string WithSlash(std::string folder) {
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  if (folder.empty() || folder.back() != '/') folder += '/';
  return folder;
}

bool FolderWritable(const std::string& folder) {
  // access() says yes to root everywhere; only creating a file tells.
  std::string probe = WithSlash(folder) + ".kroma-write-test-" + std::to_string(::getpid());
  int fd = ::open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  if (fd < 0) return false;
  ::close(fd);
  ::unlink(probe.c_str());
  return true;
}

std::string UserConfigFolder() {
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  if (xdg && *xdg == '/') return WithSlash(xdg) + "kroma/";
  const char* home = std::getenv("HOME");
  return WithSlash(home && *home ? home : "/tmp") + ".config/kroma/";
}

std::string SettingsFilePath(const TAppPaths& paths) {
  std::string name = paths.ExeName + ".ini";
  bool writable = paths.IsWritable ? paths.IsWritable(paths.AppFolder) : FolderWritable(paths.AppFolder);
  if (writable) return WithSlash(paths.AppFolder) + name;
  return WithSlash(paths.ConfigFolder.empty() ? UserConfigFolder() : paths.ConfigFolder) + name;
}

TWindowPlacement ReadWindowPlacement(const TIniFile& ini) {
  TWindowPlacement w;
  std::string state = ini.ReadString("Window", "State", "maximized");
  if (state == "maximized") {
    w.State = TWindowState::Maximized;
  } else if (state == "normal") {
    w.State = TWindowState::Normal;
    w.Left = ini.ReadInteger("Window", "Left", 0);
    w.Top = ini.ReadInteger("Window", "Top", 0);
    w.Width = ini.ReadInteger("Window", "Width", 500);
    w.Height = ini.ReadInteger("Window", "Height", 400);
  } else {
    w.State = TWindowState::AsDesigned;
  }
  return w;
}

void WriteWindowPlacement(TIniFile& ini, const TWindowPlacement& window) {
  switch (window.State) {
    case TWindowState::Normal:
      ini.WriteString("Window", "State", "normal");
      ini.WriteInteger("Window", "Left", window.Left);
      ini.WriteInteger("Window", "Top", window.Top);
      ini.WriteInteger("Window", "Width", window.Width);
      ini.WriteInteger("Window", "Height", window.Height);
      break;
    case TWindowState::Maximized:
      ini.WriteString("Window", "State", "maximized");
      break;
    case TWindowState::Minimized:
    case TWindowState::AsDesigned:
      break;
  }
}

}  // namespace kroma
