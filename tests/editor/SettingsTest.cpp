#include <chrono>
#include <cstdlib>
#include <filesystem>

#include "EditorFixture.h"
#include "core/BmpCodec.h"
#include "core/FileIO.h"
#include "core/IniFile.h"
#include "editor/Settings.h"

namespace kroma::test {
namespace {

using SettingsTest = EditorTest;

std::string ReadText(const std::string& path) {
  std::vector<std::uint8_t> bytes = ReadWholeFile(path);
  return std::string(bytes.begin(), bytes.end());
}

void WriteText(const std::string& path, const std::string& text) { WriteFileAtomic(path, text.data(), text.size()); }

TEST_F(SettingsTest, StartsMaximizedWithoutAFileAndCloseWritesIt) {
  EXPECT_EQ(F().SettingsFile(), folder.File("kroma.ini"));
  EXPECT_EQ(F().StartPlacement().State, TWindowState::Maximized);
  EXPECT_FALSE(std::filesystem::exists(F().SettingsFile()));
  F().FormClose({.State = TWindowState::Maximized});
  TIniFile ini = TIniFile::Load(F().SettingsFile());
  EXPECT_EQ(ini.ReadString("Window", "State", ""), "maximized");
  EXPECT_FALSE(ini.ValueExists("Window", "Left"));
  EXPECT_TRUE(ini.ValueExists("settings", "lastfile"));
}

TEST_F(SettingsTest, NormalWindowAndLastFileRoundTripKeepingOtherEntries) {
  WriteText(folder.File("kroma.ini"), "; kept\n[ToolAirBrushF]\nState=1\n\n[WINDOW]\nstate=maximized\nExtra=x\n");
  Restart();
  F().FLastFile = "/pictures/cat.bmp";
  F().FormClose({.State = TWindowState::Normal, .Left = 10, .Top = -20, .Width = 640, .Height = 480});

  std::string text = ReadText(folder.File("kroma.ini"));
  EXPECT_NE(text.find("; kept\n[ToolAirBrushF]\nState=1\n"), std::string::npos) << text;
  EXPECT_NE(text.find("Extra=x"), std::string::npos) << text;

  Restart();
  const TWindowPlacement& p = F().StartPlacement();
  EXPECT_EQ(p.State, TWindowState::Normal);
  EXPECT_EQ(p.Left, 10);
  EXPECT_EQ(p.Top, -20);
  EXPECT_EQ(p.Width, 640);
  EXPECT_EQ(p.Height, 480);
  EXPECT_EQ(F().FLastFile, "/pictures/cat.bmp");
}

TEST_F(SettingsTest, WindowEntriesAsRead) {
  struct Case {
    const char* text;
    TWindowState state;
    int width;
  };
  const Case cases[] = {
      {"[Window]\nState=normal\nWidth=abc\n", TWindowState::Normal, 500},  // bad numbers take the defaults
      {"[Window]\nState=normal\nWidth=800\n", TWindowState::Normal, 800},
      {"[Window]\nState=maximized\nWidth=800\n", TWindowState::Maximized, 500},  // bounds only when normal
      {"[Window]\nState=iconic\n", TWindowState::AsDesigned, 500},
  };
  for (const Case& c : cases) {
    TWindowPlacement p = ReadWindowPlacement(TIniFile::FromText(c.text));
    EXPECT_EQ(p.State, c.state) << c.text;
    EXPECT_EQ(p.Width, c.width) << c.text;
  }
}

TEST_F(SettingsTest, MinimisedWindowKeepsThePreviousWindowEntries) {
  F().FormClose({.State = TWindowState::Normal, .Left = 1, .Top = 2, .Width = 300, .Height = 200});
  Restart();
  F().FLastFile = "b.bmp";
  F().FormClose({.State = TWindowState::Minimized, .Left = 99, .Top = 99, .Width = 99, .Height = 99});
  TIniFile ini = TIniFile::Load(folder.File("kroma.ini"));
  EXPECT_EQ(ini.ReadString("Window", "State", ""), "normal");
  EXPECT_EQ(ini.ReadInteger("Window", "Width", 0), 300);
  EXPECT_EQ(ini.ReadString("settings", "lastfile", ""), "b.bmp");
}

TEST_F(SettingsTest, ReadOnlyProgramFolderUsesTheConfigurationFolder) {
  std::string config = folder.File("config");
  editor = std::make_unique<TKromaF>(
      prompts, desktop, view,
      TAppPaths{.AppFolder = folder.Path(), .ConfigFolder = config, .IsWritable = [](const std::string&) {
                  return false;
                }});
  editor->FormCreate();
  EXPECT_EQ(F().SettingsFile(), config + "/kroma.ini");
  F().FormClose({.State = TWindowState::Maximized});
  EXPECT_TRUE(std::filesystem::exists(config + "/kroma.ini"));
  EXPECT_FALSE(std::filesystem::exists(folder.File("kroma.ini")));
}

TEST(SettingsPaths, WritableProbeAndConfigurationFolder) {
  TTempFolder folder;
  EXPECT_TRUE(FolderWritable(folder.Path()));
  EXPECT_FALSE(FolderWritable("/proc"));  // not writable even for root
  EXPECT_FALSE(FolderWritable(folder.File("missing")));
  EXPECT_TRUE(std::filesystem::is_empty(folder.Path())) << "the probe leaves nothing behind";

  const char* oldXdg = std::getenv("XDG_CONFIG_HOME");
  const char* oldHome = std::getenv("HOME");
  std::string savedXdg = oldXdg ? oldXdg : "";
  std::string savedHome = oldHome ? oldHome : "";
  ::setenv("XDG_CONFIG_HOME", "/somewhere/conf/", 1);
  EXPECT_EQ(UserConfigFolder(), "/somewhere/conf/kroma/");
  ::unsetenv("XDG_CONFIG_HOME");
  ::setenv("HOME", folder.Path().c_str(), 1);
  EXPECT_EQ(UserConfigFolder(), folder.Path() + "/.config/kroma/");
  if (oldXdg) ::setenv("XDG_CONFIG_HOME", savedXdg.c_str(), 1);
  if (oldHome) ::setenv("HOME", savedHome.c_str(), 1);
  EXPECT_EQ(SettingsFilePath({.AppFolder = "/proc", .ExeName = "kroma", .ConfigFolder = "/c"}), "/c/kroma.ini");
}

TEST_F(SettingsTest, PatternsLoadAndPersist) {
  EXPECT_TRUE(F().FPatternsLoaded);
  EXPECT_TRUE(prompts.Messages().empty());
  TBitmap shipped;
  LoadBmpFile(ShippedPatterns(), shipped);
  EXPECT_TRUE(SamePixels(F().FPatterns, shipped));
  EXPECT_EQ(F().FPatterns.PixelFormat(), pf24bit);

  // An unchanged store is not rewritten (a read-only program folder then
  // costs no message at exit).
  const auto longAgo = std::filesystem::file_time_type::clock::now() - std::chrono::hours(48);
  std::filesystem::last_write_time(folder.File("patterns.bmp"), longAgo);
  F().FormClose({});
  EXPECT_EQ(std::filesystem::last_write_time(folder.File("patterns.bmp")), longAgo);
  EXPECT_TRUE(prompts.Messages().empty());

  Restart();
  F().FPatterns.SetPixel(3, 3, clFuchsia);
  F().FormClose({});
  Restart();
  EXPECT_EQ(F().FPatterns.GetPixel(3, 3), clFuchsia);
}

TEST_F(SettingsTest, MissingOrWrongPatternsGiveAWhiteStoreThatIsNotSaved) {
  TBitmap wrong(16, 8);
  wrong.SetPixel(0, 0, clRed);
  struct Case {
    const char* what;
    std::function<void()> prepare;
  };
  const Case cases[] = {
      {"missing", [&] { std::filesystem::remove(folder.File("patterns.bmp")); }},
      {"wrong size", [&] { SaveBmpFile(folder.File("patterns.bmp"), wrong); }},
      {"not a bitmap", [&] { WriteText(folder.File("patterns.bmp"), "hello"); }},
  };
  for (const Case& c : cases) {
    c.prepare();
    bool existed = std::filesystem::exists(folder.File("patterns.bmp"));
    std::string before = existed ? ReadText(folder.File("patterns.bmp")) : "";
    prompts.ClearLog();
    Restart();
    EXPECT_FALSE(F().FPatternsLoaded) << c.what;
    EXPECT_EQ(F().FPatterns.Width(), 256) << c.what;
    EXPECT_EQ(F().FPatterns.Height(), 8) << c.what;
    EXPECT_EQ(CountColor(F().FPatterns, clWhite), 256 * 8) << c.what;
    ASSERT_EQ(prompts.Messages().size(), 1u) << c.what;
    EXPECT_NE(prompts.Messages()[0].find("patterns"), std::string::npos) << c.what;

    F().FormClose({});
    EXPECT_EQ(std::filesystem::exists(folder.File("patterns.bmp")), existed) << c.what;
    if (existed) {
      EXPECT_EQ(ReadText(folder.File("patterns.bmp")), before) << c.what;
    }
  }
}

TEST_F(SettingsTest, StartValuesAndTables) {
  EXPECT_EQ(F().FToolKey, "line");
  EXPECT_EQ(F().Canvas().Font.Name, "Arial");
  EXPECT_EQ(F().Canvas().Font.Size, 24);
  EXPECT_EQ(F().Canvas().Brush.Style(), bsClear);
  EXPECT_EQ(F().Canvas().Pen.Color, clBlack);
  EXPECT_EQ(F().FPatternCell.Width(), 8);
  EXPECT_EQ(F().FSineRamp[0], 0);
  EXPECT_EQ(F().FSineRamp[255], 255);
  EXPECT_EQ(F().FSineRamp[128], 181);  // 255 sin(128/255 pi/2) = 180.97
  EXPECT_TRUE(std::is_sorted(F().FSineRamp.begin(), F().FSineRamp.end()));
  EXPECT_EQ(F().FTurnTable[0].Sin, -1.0L);
  EXPECT_EQ(F().FTurnTable[90].Cos, 1.0L);
  EXPECT_NEAR(static_cast<double>(F().FTurnTable[120].Sin), 0.5, 1e-15);  // 30 degrees
}

}  // namespace
}  // namespace kroma::test
