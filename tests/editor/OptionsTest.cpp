#include <optional>

#include "EditorFixture.h"
#include "core/Canvas.h"
#include "editor/Commands.h"
#include "editor/Modules.h"
#include "editor/PenModes.h"

namespace kroma::test {
namespace {

using OptionsTest = EditorTest;

double PenWidth(TKromaF& f) { return f.Canvas().Pen.Width; }
double Tolerance(TKromaF& f) { return f.FLineTolerance; }
double Rounding(TKromaF& f) { return f.FRounding; }
double Blocks(TKromaF& f) { return f.FBlockCount; }
double Shapes(TKromaF& f) { return f.FShapeCount; }
double Spirals(TKromaF& f) { return f.FSpiralTurns; }
double Factor(TKromaF& f) { return f.FSpiralFactor; }
double SpiroTurns(TKromaF& f) { return f.FSpiroTurns; }

// One input box per row: the command, what is typed (nullopt: the box is
// cancelled, which answers the default text), and the value afterwards.
// Every row starts from a fresh editor.
struct InputCase {
  const char* command;
  std::optional<std::string> typed;
  double (*field)(TKromaF&);
  double expected;
};

const InputCase kInputCases[] = {
    {"OtherSize1Click", "7", PenWidth, 7},
    {"OtherSize1Click", "256", PenWidth, 256},
    {"OtherSize1Click", "257", PenWidth, 1},  // wider than the image is high
    {"OtherSize1Click", "0", PenWidth, 1},
    {"OtherSize1Click", "wide", PenWidth, 1},
    {"LineTolerance1Click", "50", Tolerance, 50},
    {"LineTolerance1Click", "4", Tolerance, 5},
    {"LineTolerance1Click", "51", Tolerance, 5},
    {"LineTolerance1Click", std::nullopt, Tolerance, 5},
    {"Rounding1Click", "-7", Rounding, -7},
    {"Rounding1Click", "7.5", Rounding, 10},
    {"Rounding1Click", std::nullopt, Rounding, 10},
    {"Blocks2Click", "2", Blocks, 2},
    {"Blocks2Click", "1", Blocks, 32},  // out of range: unchanged
    {"Blocks2Click", "abc", Blocks, 32},
    {"Blocks2Click", std::nullopt, Blocks, 32},
    {"Shapes1Click", "25", Shapes, 25},
    {"Shapes1Click", "0", Shapes, 1},
    {"Shapes1Click", " 12 ", Shapes, 12},
    {"SpiralsOther1Click", "1", Spirals, 1},  // taken, although the prompt says 3..50
    {"SpiralsOther1Click", "2", Spirals, 2},
    {"SpiralsOther1Click", "51", Spirals, 3},
    {"SpiralFactorOther1Click", "0.1", Factor, 0.1},
    {"SpiralFactorOther1Click", "0.5", Factor, 0.5},
    {"SpiralFactorOther1Click", "1", Factor, 0.99},  // 1.0 is excluded
    {"SpiralFactorOther1Click", "0.09", Factor, 0.99},
    {"SpiralFactorOther1Click", "abc", Factor, 0.99},
    {"SpiroTurns1Click", "100", SpiroTurns, 100},
    {"SpiroTurns1Click", "abc", SpiroTurns, 40},  // no number keeps the turns
    {"SpiroTurns1Click", "0", SpiroTurns, 20},
    {"SpiroTurns1Click", std::nullopt, SpiroTurns, 40},
};

TEST_F(OptionsTest, InputBoxesTakeOrRejectWhatIsTyped) {
  for (const InputCase& c : kInputCases) {
    Restart();
    prompts.Answer(c.typed);
    RunCommand(F(), c.command);
    EXPECT_EQ(c.field(F()), c.expected) << c.command << " typed " << c.typed.value_or("(cancelled)");
    EXPECT_EQ(prompts.PendingAnswers(), 0u) << c.command;
  }
}

TEST_F(OptionsTest, InputBoxesAskWithTheirCaptionPromptAndDefault) {
  struct Ask {
    const char* command;
    const char* caption;
    const char* prompt;
    const char* defaultText;
  };
  const Ask asks[] = {
      {"OtherSize1Click", "Kroma", "Enter new line width:", "1"},
      {"LineTolerance1Click", "Kroma", "Enter Straight Line Tolerance (5..50)", "5"},
      {"Rounding1Click", "Kroma", "Enter Rounding", "10"},
      {"Blocks2Click", "Kroma", "Number of blocks (2..50):", "32"},
      {"Shapes1Click", "Kroma", "Number of Shapes(1..25)", "1"},
      {"SpiralsOther1Click", "Kroma", "Spirals (3..50)", "3"},
      {"SpiralFactorOther1Click", "Kroma", "Spiral factor (0.1..0.99)", "0.99"},
      {"SpiroTurns1Click", "Kroma SpiroGraph", "Enter Turns (1-100):", "40"},
  };
  for (const Ask& a : asks) {
    prompts.ClearLog();
    RunCommand(F(), a.command);
    ASSERT_EQ(prompts.Log().size(), 1u) << a.command;
    const auto& r = prompts.Log()[0];
    EXPECT_EQ(r.Caption, a.caption) << a.command;
    EXPECT_EQ(r.Text, a.prompt) << a.command;
    EXPECT_EQ(r.DefaultText, a.defaultText) << a.command;
  }
}

TEST_F(OptionsTest, PlainOptionCommandsSetTheirValues) {
  RunCommand(F(), "Polygon1Click");
  EXPECT_TRUE(F().FPolygonChecked);
  EXPECT_TRUE(EditorCommands().Find("Polygon1Click")->Checked(F()));
  RunCommand(F(), "Polygon1Click");
  EXPECT_FALSE(F().FPolygonChecked);

  RunCommand(F(), "SpiralLeft1Click");
  RunCommand(F(), "Spirals2Click");
  RunCommand(F(), "SpiralFactor095Click");
  RunCommand(F(), "StarPoints12Click");
  EXPECT_EQ(F().FSpiralDirection, -1);
  EXPECT_EQ(F().FSpiralTurns, 2);
  EXPECT_EQ(F().FSpiralFactor, 0.95);
  EXPECT_EQ(F().FStarPoints, 12);

  RunCommand(F(), "BlockPen1Click");
  EXPECT_EQ(F().Canvas().Pen.Width, 256 / 32);
  prompts.Answer("10");
  RunCommand(F(), "Blocks2Click");
  RunCommand(F(), "BlockPen1Click");
  EXPECT_EQ(F().Canvas().Pen.Width, 25);
}

TEST_F(OptionsTest, PenModeCommandsNameTheModeInTheStatusBar) {
  EXPECT_EQ(view.Status[1], "Pen=Copy");
  for (const TPenModeItem& item : PenModeItems()) {
    RunCommand(F(), item.Id);
    EXPECT_EQ(F().Canvas().Pen.Mode, item.Mode);
    EXPECT_EQ(view.Status[1], "Pen=" + std::string(item.Caption));
    EXPECT_EQ(view.ToolButton("setpenmode"), item.Id);
  }
  EXPECT_EQ(PenModeItems().size(), 15u);
}

TEST_F(OptionsTest, PenBrushAndCopyModeCommands) {
  RunCommand(F(), "N10pixels1Click");
  EXPECT_EQ(F().Canvas().Pen.Width, 10);
  EXPECT_EQ(view.ToolButton("setwidth"), "N10pixels1Click");
  RunCommand(F(), "PenDashDot1Click");
  EXPECT_EQ(F().Canvas().Pen.Style, psDashDot);
  RunCommand(F(), "BrushDiagCross1Click");
  EXPECT_EQ(F().Canvas().Brush.Style(), bsDiagCross);
  EXPECT_EQ(view.ToolButton("setbrushstyle"), "BrushDiagCross1Click");
  RunCommand(F(), "CopyModeSrcInvert1Click");
  EXPECT_EQ(F().Canvas().CopyMode, cmSrcInvert);
  EXPECT_TRUE(EditorCommands().Find("CopyModeSrcInvert1Click")->Checked(F()));
  EXPECT_FALSE(EditorCommands().Find("CopyModeCopy1Click")->Checked(F()));
}

TEST_F(OptionsTest, HelpAboutAndExit) {
  RunCommand(F(), "About1Click");
  ASSERT_EQ(prompts.Messages().size(), 1u);
  EXPECT_NE(prompts.Messages()[0].find("Kroma 25"), std::string::npos);
  EXPECT_NE(prompts.Messages()[0].find("25.0.0"), std::string::npos);
  RunCommand(F(), "Contents1Click");
  EXPECT_EQ(view.HelpFile, folder.Path() + "/README.md");
  EXPECT_EQ(view.HelpTopic, "Kroma");
  EXPECT_FALSE(view.CloseRequested);
  RunCommand(F(), "Exit1Click");
  EXPECT_TRUE(view.CloseRequested);
}

}  // namespace
}  // namespace kroma::test
