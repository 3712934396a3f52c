#include <gtest/gtest.h>

#include "EditorFixture.h"
#include "core/Error.h"
#include "core/FileIO.h"
#include "core/IniFile.h"

namespace kroma {
namespace {

TEST(IniFile, ReadsNamesWithoutCaseAndValuesAsText) {
  TIniFile ini = TIniFile::FromText("top=1\r\n[Window]\r\n  State = normal \r\nLeft=-12\n;Width=3\n[window]\nTop=9\n");
  EXPECT_EQ(ini.ReadString("WINDOW", "state", "x"), "normal");
  EXPECT_EQ(ini.ReadInteger("window", "LEFT", 0), -12);
  EXPECT_EQ(ini.ReadInteger("Window", "Width", 7), 7) << "comments are no keys";
  EXPECT_EQ(ini.ReadInteger("Window", "Top", 5), 5) << "a repeated section: the first one counts";
  EXPECT_EQ(ini.ReadString("", "top", "none"), "none") << "lines before any section belong to none";
  EXPECT_FALSE(ini.SectionExists("settings"));
  EXPECT_EQ(ini.ReadInteger("Window", "State", 42), 42) << "text that is no number";
}

TEST(IniFile, RewriteChangesOnlyWhatWasWritten) {
  const std::string text =
      "; Kroma settings\n[Window]\nState=normal\nLEFT=3\n\n[Other]\nkey=v=w\n\n[settings]\nlastfile=a.bmp\n";
  TIniFile ini = TIniFile::FromText(text);
  EXPECT_EQ(ini.ToText(), text);
  ini.WriteInteger("window", "Left", 44);
  ini.WriteString("Window", "Height", "400");
  ini.WriteString("New", "a", "line\nbreak");
  ini.DeleteKey("settings", "LASTFILE");
  EXPECT_EQ(ini.ToText(),
            "; Kroma settings\n[Window]\nState=normal\nLEFT=44\nHeight=400\n\n[Other]\nkey=v=w\n\n[settings]\n"
            "[New]\na=line break\n");
  EXPECT_EQ(ini.ReadString("Other", "key", ""), "v=w");
}

TEST(IniFile, FileRoundTripAndMissingFile) {
  test::TTempFolder folder;
  TIniFile missing = TIniFile::Load(folder.File("none.ini"));
  EXPECT_FALSE(missing.SectionExists("Window"));
  missing.WriteString("Window", "State", "maximized");
  missing.UpdateFile();
  EXPECT_EQ(TIniFile::Load(folder.File("none.ini")).ReadString("window", "state", ""), "maximized");
  EXPECT_THROW(TIniFile::Load(folder.Path()), Error) << "a folder is no settings file";
  TIniFile nowhere(folder.File("no/such/folder/x.ini"));
  EXPECT_THROW(nowhere.UpdateFile(), Error);
}

TEST(IniFile, NumbersFromText) {
  struct Case {
    const char* text;
    bool ok;
    int value;
  };
  const Case ints[] = {{"12", true, 12},        {" -7 ", true, -7},         {"+3", true, 3},
                       {"2147483647", true, 2147483647}, {"2147483648", false, 0}, {"-2147483648", true, INT32_MIN},
                       {"", false, 0},          {"1.5", false, 0},          {"0x10", false, 0},
                       {"- 1", false, 0},       {"12abc", false, 0}};
  for (const Case& c : ints) {
    int v = 0;
    EXPECT_EQ(TryStrToInt(c.text, v), c.ok) << c.text;
    if (c.ok) {
      EXPECT_EQ(v, c.value) << c.text;
    }
  }
  struct RealCase {
    const char* text;
    bool ok;
    double value;
  };
  const RealCase reals[] = {{"0.99", true, 0.99}, {" .5", true, 0.5}, {"-1e2", true, -100}, {"1", true, 1},
                            {"inf", false, 0},    {"nan", false, 0},  {"1e999", false, 0}, {"0,5", false, 0},
                            {"", false, 0}};
  for (const RealCase& c : reals) {
    double v = 0;
    EXPECT_EQ(TryStrToFloat(c.text, v), c.ok) << c.text;
    if (c.ok) {
      EXPECT_EQ(v, c.value) << c.text;
    }
  }
}

}  // namespace
}  // namespace kroma
