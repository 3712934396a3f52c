#include <algorithm>
#include <set>

#include "EditorFixture.h"
#include "core/Error.h"
#include "editor/Commands.h"
#include "editor/Modules.h"
#include "editor/ToolKeys.h"
#include "editor/ToolSteps.h"

namespace kroma::test {
namespace {

// Every key the mouse phases recognise, as the tool tables list them.
const std::set<std::string> kExpectedKeys = {
    "line", "sline", "freehand", "bezier", "bezier1", "bezier2", "arc", "arc1", "arc2", "arc3", "spiral", "spiro",
    "polyline", "polybezier", "rectangle", "roundrect", "ellipse", "chord", "chord1", "chord2", "chord3", "pie",
    "pie1", "pie2", "pie3", "skewrect", "skewrect1", "skewrect2", "triangle", "triangle1", "triangle2", "star",
    "polygon", "maze", "bars", "border", "floodfill", "intercolumn", "cube", "cube1", "cube2", "globe", "cone",
    "interprect", "intersphere", "multisphere", "dropletsphere", "wavesphere", "risingwavesphere", "waveline",
    "colorwaveline", "borderwaveline", "fastwaveline", "decoline", "decosphere", "decofastsphere",
    "decospeedsphere", "decobar", "decooval", "paintpick", "bluebrush", "greenbrush", "redbrush", "notbluebrush",
    "notgreenbrush", "notredbrush", "halfbluebrush", "halfgreenbrush", "halfredbrush", "darkerbrush",
    "lighterbrush", "graybrush", "rollmixbrush", "smoothbrush", "gradientbrush", "mixbrush", "brightnessbrush",
    "contrastbrush", "saturationbrush", "fisheyebrush", "fisheyefixbrush", "twistbrush", "rotatebrush",
    "rimplebrush", "mbHorOval", "mbVerOval", "mbHorBox", "mbVerBox", "mbHor", "mbTop", "mbBottom", "mbDiamond",
    "mbWaste", "mbRound", "mbRound2", "mbSplitRound", "mbSplitWaste", "zoombrush", "zoomkeepbrush", "texlines",
    "blurlines", "texovals", "blurovals", "texrects", "blurrects", "texcurves", "blurcurves", "texpoly",
    "blurpoly", "hmirror", "vmirror", "cmirror", "mirror4", "sym", "airbrush", "spray", "blocks", "cloneall",
    "clonenottarget", "paste", "pastemask", "pastecolor", "pastecolorx", "rangemove", "rangesmear", "snapshot",
    "transcopy"};

TEST(ToolKeys, TableHoldsExactlyTheRecognisedKeys) {
  ASSERT_EQ(kExpectedKeys.size(), 127u);
  std::set<std::string> table;
  for (const TToolKeyInfo& k : ToolKeys()) EXPECT_TRUE(table.insert(std::string(k.Key)).second) << k.Key;
  EXPECT_EQ(table, kExpectedKeys);
  EXPECT_EQ(FindToolKey(""), nullptr);
  EXPECT_EQ(FindToolKey("Line"), nullptr) << "keys compare with their case";
}

using ToolKeyCommands = EditorTest;

// Each key's command selects the key's first stage: the key itself, or for
// a stage key the key whose row defines the command.
TEST_F(ToolKeyCommands, EveryKeyIsSelectedByItsCommand) {
  for (const TToolKeyInfo& k : ToolKeys()) {
    ASSERT_NE(EditorCommands().Find(k.Command), nullptr) << k.Key;
    auto first = std::find_if(ToolKeys().begin(), ToolKeys().end(),
                              [&](const TToolKeyInfo& o) { return o.Command == k.Command; });
    F().FToolKey = "";
    if (k.Key == "paste" || k.Key == "pastemask") {
      RunCommand(F(), k.Key == "paste" ? "Paste1Click" : "Mask2Click");
      EXPECT_EQ(F().FToolKey, "") << "choosing the paste mode selects no tool yet";
      RunCommand(F(), k.Command);
      EXPECT_EQ(F().FToolKey, k.Key);
      continue;
    }
    RunCommand(F(), k.Command);
    EXPECT_EQ(F().FToolKey, first->Key) << k.Command;
    EXPECT_TRUE(EditorCommands().Find(k.Command)->Checked(F())) << k.Command;
  }
}

TEST_F(ToolKeyCommands, ShapeMenuCommandsShowTheirItemOnTheShapeButton) {
  RunCommand(F(), "Ellipse1Click");
  EXPECT_EQ(view.ToolButton("setshape"), "Ellipse1Click");
  RunCommand(F(), "ToolButton2Click");  // a tool-bar button sets the key only
  EXPECT_EQ(F().FToolKey, "snapshot");
  EXPECT_EQ(view.ToolButton("setshape"), "Ellipse1Click");
}

// Keys without steps of their own run the common steps: every press pushes
// one image, moves report the pointer, and nothing is drawn.
TEST_F(ToolKeyCommands, EveryKeyRunsTheCommonSteps) {
  for (const TToolKeyInfo& k : ToolKeys()) {
    const TToolSteps& steps = EditorToolSteps().Find(k.Key);
    if (steps.Press || steps.Move || steps.Release) continue;
    Restart();
    F().FToolKey = std::string(k.Key);
    Image().SetPixel(0, 0, clRed);
    Press(10, 10);
    Move(30, 20);
    Release(30, 20);
    EXPECT_EQ(view.Status[2], "x=30 y=20 w=20 h=10") << k.Key;
    EXPECT_EQ(CountColor(Image(), clWhite), 256 * 256 - 1) << k.Key;
    Image().SetPixel(0, 0, clWhite);
    F().goUndoClick();
    EXPECT_EQ(Image().GetPixel(0, 0), clRed) << k.Key << ": the press pushed the image";
  }
}

TEST(ToolStepRegistry, RejectsUnknownKeysAndSecondSteps) {
  TToolStepRegistry steps;
  auto step = [](TKromaF&, const TMouseEvent&) {};
  EXPECT_THROW(steps.Register("lines", {.Move = step}), Error);
  steps.Register("star", {.Move = step});
  steps.Register("star", {.Release = step});  // another phase is fine
  EXPECT_THROW(steps.Register("star", {.Move = step}), Error);
  EXPECT_NE(steps.Find("star").Release, nullptr);
  EXPECT_EQ(steps.Find("maze").Move, nullptr);
}

}  // namespace
}  // namespace kroma::test
