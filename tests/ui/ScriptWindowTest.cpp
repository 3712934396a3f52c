// The script window on the offscreen platform: a script draws on the work
// image while the window keeps serving events, a broken script shows its
// error line, Escape stops a runaway script, and a cancelled save keeps
// the script.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QPlainTextEdit>
#include <QTest>
#include <cstdlib>
#include <filesystem>

#include "core/Bitmap.h"
#include "editor/KromaF.h"
#include "editor/ScriptedPorts.h"
#include "ui/CodeEditor.h"
#include "ui/MainWindow.h"
#include "UiTestSupport.h"
#include "ui/ScriptWindow.h"
#include "ui/ToolWindowView.h"

namespace kroma {
namespace {

class ScriptWindowTest : public TUiTest {
 protected:
  void SetUp() override {
    TUiTest::SetUp();
    window_ = std::make_unique<TMainWindow>(TAppPaths{.AppFolder = folder_}, &prompts_);
    window_->resize(700, 500);
    window_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
  }
  void TearDown() override {
    window_.reset();
    TUiTest::TearDown();
  }

  // Runs the editor's text and waits until the run has ended.
  void RunScript(TScriptWindow& w, const char* text) {
    w.Editor().setPlainText(text);
    w.Action("cmdScriptRun")->trigger();
    ASSERT_TRUE(w.Running());
    QTRY_VERIFY_WITH_TIMEOUT(!w.Running(), 20000);
  }

  std::unique_ptr<TMainWindow> window_;
};

TEST_F(ScriptWindowTest, RunsScriptsAndShowsErrorLines) {
  auto* show = window_->findChild<QAction*>("Script1Click");
  ASSERT_NE(show, nullptr);
  EXPECT_EQ(show->shortcut(), QKeySequence(Qt::Key_F9));
  show->trigger();
  TScriptWindow& w = window_->ScriptWindow();
  EXPECT_TRUE(w.isVisible());
  EXPECT_EQ(w.windowTitle(), "Kroma Script");
  EXPECT_TRUE(w.windowFlags() & Qt::WindowStaysOnTopHint);

  RunScript(w,
            "gfx.PenColor = '#FF0000';\n"
            "gfx.BrushColor = '#0000FF';\n"
            "gfx.rectangle(10, 10, 50, 40);\n"
            "print('drawn on', gfx.Width, 'x', gfx.Height);\n");
  const TBitmap& image = window_->Editor().Image();
  EXPECT_EQ(image.GetPixel(10, 10), clRed);
  EXPECT_EQ(image.GetPixel(30, 25), clBlue);
  EXPECT_EQ(image.GetPixel(50, 40), clWhite);
  EXPECT_EQ(w.Output().toPlainText(), "drawn on 256 x 256");

  RunScript(w, "gfx.Line(0, 100, 30, 100);\n\nnosuch(1);\n");
  EXPECT_EQ(w.Output().toPlainText(), "line 3: ReferenceError: nosuch is not defined");
  // Drawn before the error, with the pen the first script left behind.
  EXPECT_EQ(window_->Editor().Image().GetPixel(20, 100), clRed);
  EXPECT_EQ(w.Editor().textCursor().blockNumber(), 2) << "the cursor goes to the failing line";
  EXPECT_TRUE(w.Action("cmdScriptRun")->isEnabled());
  EXPECT_FALSE(w.Action("cmdScriptStop")->isEnabled());
}

// A script in the window drives the effects dialog: its calls reach the
// window's thread, and each waits for the render it started there.
TEST_F(ScriptWindowTest, DrivesTheEffectsDialogThroughItsWindows) {
  window_->findChild<QAction*>("Script1Click")->trigger();
  TScriptWindow& w = window_->ScriptWindow();
  RunScript(w,
            "gfx.PenClear(); gfx.BrushColor = '#00FF00'; gfx.Rectangle(0, 0, 20, 20);\n"
            "var d = app.window('TKromaEffectsF');\n"
            "d.set('ETree', 'Mosaic'); d.set('EBar', 30);\n"
            "var p = app.window('TQuickPreviewF');\n"
            "print(p.get('Image1'), p.pixel('Image1', 25, 25));\n"
            "p.click('btnUse');\n");
  EXPECT_EQ(w.Output().toPlainText(), "256 x 256 #00FF00");
  EXPECT_EQ(window_->Editor().Image().GetPixel(25, 25), clLime) << "the mosaic block of (0, 0)";
  ASSERT_NE(window_->ToolWindowView("TKromaEffectsF"), nullptr);
  EXPECT_TRUE(window_->ToolWindowView("TKromaEffectsF")->isVisible());
  EXPECT_FALSE(window_->ToolWindowView("TQuickPreviewF")->isVisible());
}

TEST_F(ScriptWindowTest, EscapeStopsARunawayScript) {
  TScriptWindow& w = window_->ScriptWindow();
  w.ShowOver(window_.get());
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
  w.Editor().setPlainText("var n = 0;\nwhile (true) { gfx.Line(0, n % 200, 5, n % 200); n++; }\n");
  w.Action("cmdScriptRun")->trigger();
  QTest::qWait(200);
  ASSERT_TRUE(w.Running());
  EXPECT_TRUE(w.Action("cmdScriptStop")->isEnabled());
  QTest::keyClick(&w, Qt::Key_Escape);
  QTRY_VERIFY_WITH_TIMEOUT(!w.Running(), 20000);
  EXPECT_EQ(w.Output().toPlainText(), "Script stopped.");
  EXPECT_EQ(window_->Editor().Image().GetPixel(2, 0), clBlack) << "the calls reached the editor while it ran";
}

// An answer a script queued but did not use never fills in a box the
// user opens after the run.
TEST_F(ScriptWindowTest, LeftoverAnswersDoNotReachTheUsersBoxes) {
  TScriptWindow& w = window_->ScriptWindow();
  RunScript(w, "app.answer('7');\n");
  prompts_.ClearLog();
  auto* otherSize = window_->findChild<QAction*>("OtherSize1Click");
  ASSERT_NE(otherSize, nullptr);
  otherSize->trigger();
  ASSERT_EQ(prompts_.Log().size(), 1u) << "the user's own box must be shown";
  EXPECT_EQ(prompts_.Log()[0].Kind, "input");
}

// Closing the main window from inside a script's own call stops the
// script without waiting on it.
TEST_F(ScriptWindowTest, ScriptMayCloseTheMainWindow) {
  TScriptWindow& w = window_->ScriptWindow();
  RunScript(w, "app.command('Exit1Click');\nwhile (true) {}\n");
  EXPECT_FALSE(window_->isVisible());
  EXPECT_EQ(w.Output().toPlainText(), "Script stopped.");
}

TEST_F(ScriptWindowTest, SavesAndCancelledSaveKeepsTheScript) {
  TScriptWindow& w = window_->ScriptWindow();
  w.Editor().setPlainText("gfx.Clear();");
  prompts_.Answer("yes");      // save it?
  prompts_.Answer(std::nullopt);  // the save dialog is cancelled
  w.Action("cmdScriptClose")->trigger();
  EXPECT_EQ(w.Editor().toPlainText(), "gfx.Clear();");

  prompts_.Answer(folder_ + "/demo");
  w.Action("cmdScriptSaveAs")->trigger();
  EXPECT_EQ(w.ScriptFileName(), folder_ + "/demo.js");
  ASSERT_TRUE(std::filesystem::exists(folder_ + "/demo.js"));
  EXPECT_EQ(std::filesystem::file_size(folder_ + "/demo.js"), 12u);
  EXPECT_EQ(prompts_.Log().back().Caption, "Save script");
  EXPECT_EQ(prompts_.Log().back().DefaultText, folder_ + "/scripts") << "the dialog starts in the scripts folder";

  // Save goes to the same file without asking.
  std::size_t asked = prompts_.Log().size();
  w.Editor().setPlainText("gfx.Clear(); // again");
  w.Action("cmdScriptSave")->trigger();
  EXPECT_EQ(prompts_.Log().size(), asked);
  EXPECT_EQ(std::filesystem::file_size(folder_ + "/demo.js"), 21u);

  prompts_.Answer("no");
  w.Action("cmdScriptClose")->trigger();
  EXPECT_EQ(w.Editor().toPlainText(), "");
  EXPECT_EQ(w.ScriptFileName(), "");

  // Open starts in the scripts folder; a file that cannot be read is a
  // message and changes nothing.
  prompts_.Answer(folder_ + "/missing.js");
  w.Action("cmdScriptOpen")->trigger();
  EXPECT_EQ(prompts_.Log().back().Kind, "message");
  EXPECT_EQ(w.ScriptFileName(), "");
  prompts_.Answer(folder_ + "/demo.js");
  w.Action("cmdScriptOpen")->trigger();
  EXPECT_EQ(prompts_.Log().back().Caption, "Select a script");
  EXPECT_EQ(prompts_.Log().back().DefaultText, folder_ + "/scripts");
  EXPECT_EQ(w.Editor().toPlainText(), "gfx.Clear(); // again");
  EXPECT_EQ(w.ScriptFileName(), folder_ + "/demo.js");
}

}  // namespace
}  // namespace kroma
