#include <gtest/gtest.h>

#include "core/Error.h"
#include "editor/Commands.h"
#include "editor/Modules.h"

namespace kroma {
namespace {

TEST(CommandTable, RejectsRowsThatWouldClash) {
  TCommandTable t;
  auto run = [](TKromaF&) {};
  t.Add({.Id = "A1Click", .Path = "&File/&A", .Shortcut = "Ctrl+A", .Run = run});
  EXPECT_THROW(t.Add({.Id = "A1Click", .Path = "&File/B", .Run = run}), Error);
  EXPECT_THROW(t.Add({.Id = "B1Click", .Path = "&File/&A", .Run = run}), Error);
  EXPECT_THROW(t.Add({.Id = "B1Click", .Path = "&File/B", .Shortcut = "Ctrl+A", .Run = run}), Error);
  EXPECT_THROW(t.Add({.Id = "B1Click", .Path = "", .Run = run}), Error);
  EXPECT_THROW(t.Add({.Id = "B1Click", .Path = "&File/B"}), Error);
  t.Add({.Id = "B1Click", .Path = "&File/B", .Run = run});
  EXPECT_EQ(t.Rows().size(), 2u);
  EXPECT_EQ(t.Find("B1Click")->Path, "&File/B");
  EXPECT_EQ(t.Find("C1Click"), nullptr);
}

TEST(CommandTable, CaptionsAndPaths) {
  EXPECT_EQ(CaptionOf("&File/E&xit"), "Exit");
  EXPECT_EQ(CaptionOf("@penmodes/Not Xor"), "Not Xor");
  EXPECT_EQ(CaptionOf("&Edit/Copy && Paste"), "Copy & Paste");
  EXPECT_EQ(SplitPath("@shapes/Lines/Line"), (std::vector<std::string>{"@shapes", "Lines", "Line"}));
}

TEST(CommandTable, EditorTableHasTheCommandsOfTheWindow) {
  const TCommandTable& t = EditorCommands();
  for (const char* id : {"Exit1Click", "Contents1Click", "About1Click", "goUndoClick", "N1pixel1Click",
                         "OtherSize1Click", "PenNotXor1Click", "CopyModeSrcInvert1Click", "BrushSolid1Click",
                         "SpiroTurns1Click", "Line1Click", "selectcopyClick"})
    EXPECT_NE(t.Find(id), nullptr) << id;
  EXPECT_EQ(t.Find("Exit1Click")->Path, "&File/E&xit");
  EXPECT_EQ(t.Find("PenNotXor1Click")->Path, "@penmodes/Not Xor");
  EXPECT_EQ(t.Find("CopyModeSrcInvert1Click")->Path, "@copymodes/Source Invert");
  EXPECT_EQ(t.Find("Line1Click")->Path, "@shapes/Lines/Line");
}

}  // namespace
}  // namespace kroma
