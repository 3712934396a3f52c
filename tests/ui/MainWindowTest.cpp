// The window on the offscreen platform: it starts with its bars, a drag
// with the line tool draws on the image, Undo takes it back, and closing
// writes the settings file.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenuBar>
#include <QTest>
#include <QToolButton>
#include <cstdlib>
#include <filesystem>

#include "core/Bitmap.h"
#include "core/IniFile.h"
#include "editor/KromaF.h"
#include "editor/ScriptedPorts.h"
#include "ui/ImageWidget.h"
#include "ui/MainWindow.h"
#include "UiTestSupport.h"

namespace kroma {
namespace {

using MainWindowTest = TUiTest;

TEST_F(MainWindowTest, DrawsUndoesAndWritesSettingsAtClose) {
  auto* window = new TMainWindow(TAppPaths{.AppFolder = folder_}, &prompts_);
  window->setAttribute(Qt::WA_DeleteOnClose, false);
  window->resize(800, 600);
  window->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window));

  EXPECT_EQ(window->windowTitle(), "Kroma 25");
  EXPECT_FALSE(window->menuBar()->actions().isEmpty());
  auto* pen = window->findChild<QLabel*>("panel1");
  ASSERT_NE(pen, nullptr);
  EXPECT_EQ(pen->text(), "Pen=Copy");
  EXPECT_EQ(pen->width(), 100);
  ASSERT_NE(window->ToolButton("setshape"), nullptr);
  EXPECT_TRUE(window->ToolButton("goUndo")->isEnabled());
  EXPECT_TRUE(window->ToolButton("ToolButton12")->isEnabled());
  EXPECT_TRUE(prompts_.Messages().empty());

  TImageWidget& image = window->ImageWidget();
  EXPECT_EQ(image.size(), QSize(256, 256));
  const TBitmap& bitmap = window->Editor().Image();
  // In pmNotXor the last rubber band is the line, so the line shows where
  // the window reported the last move.
  window->CommandAction("PenNotXor1Click")->trigger();
  EXPECT_EQ(pen->text(), "Pen=Not Xor");
  QTest::mousePress(&image, Qt::LeftButton, {}, QPoint(20, 30));
  QTest::mouseMove(&image, QPoint(60, 30));
  QTest::mouseRelease(&image, Qt::LeftButton, {}, QPoint(80, 30));  // no move reported here
  for (int x = 20; x < 80; ++x) ASSERT_EQ(bitmap.GetPixel(x, 30), clBlack) << x;
  EXPECT_EQ(bitmap.GetPixel(80, 30), clWhite);
  EXPECT_EQ(bitmap.GetPixel(20, 31), clWhite);

  window->ToolButton("goUndo")->click();
  for (int x = 20; x < 80; ++x) ASSERT_EQ(window->Editor().Image().GetPixel(x, 30), clWhite) << x;

  window->CommandAction("Exit1Click")->trigger();
  EXPECT_FALSE(window->isVisible());
  std::string ini = folder_ + "/kroma.ini";
  ASSERT_TRUE(std::filesystem::exists(ini));
  TIniFile settings = TIniFile::Load(ini);
  EXPECT_EQ(settings.ReadString("Window", "State", ""), "normal");
  EXPECT_EQ(settings.ReadInteger("Window", "Width", 0), 800);
  delete window;
}

// The Range menu is disabled until a range is chosen, with Select Range
// or with Ctrl+A (which works while the menu is disabled), and Deselect
// disables it again.
TEST_F(MainWindowTest, RangeMenuFollowsTheSelection) {
  TMainWindow window(TAppPaths{.AppFolder = folder_}, &prompts_);
  window.resize(800, 600);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  QAction* rangeMenu = nullptr;
  for (QAction* a : window.menuBar()->actions())
    if (a->text() == "&Range") rangeMenu = a;
  ASSERT_NE(rangeMenu, nullptr);
  EXPECT_FALSE(rangeMenu->isEnabled());

  window.ToolButton("ToolButton2")->click();
  TImageWidget& image = window.ImageWidget();
  QTest::mousePress(&image, Qt::LeftButton, {}, QPoint(10, 10));
  QTest::mouseMove(&image, QPoint(40, 30));
  QTest::mouseRelease(&image, Qt::LeftButton, {}, QPoint(40, 30));
  EXPECT_EQ(window.Editor().FRangeRect, (TRect{10, 10, 40, 30}));
  EXPECT_TRUE(rangeMenu->isEnabled());

  window.CommandAction("Deselect1Click")->trigger();
  EXPECT_FALSE(rangeMenu->isEnabled());

  window.activateWindow();
  QTest::keyClick(&window, Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(window.Editor().FRangeRect, (TRect{0, 0, 256, 256}));
  EXPECT_TRUE(rangeMenu->isEnabled());
}

}  // namespace
}  // namespace kroma
