// The colour list, the colour panel and the range overlays in the window
// on the offscreen platform: they show the editor's state and forward
// the pointer to it.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QTest>
#include <cstdlib>
#include <filesystem>

#include "core/Canvas.h"
#include "editor/ColorList.h"
#include "editor/KromaF.h"
#include "editor/ScriptedPorts.h"
#include "ui/ColorListWidget.h"
#include "ui/GammaPanel.h"
#include "ui/ImageWidget.h"
#include "ui/MainWindow.h"
#include "UiTestSupport.h"

namespace kroma {
namespace {

class ColorWidgetsTest : public TUiTest {
 protected:
  void SetUp() override {
    TUiTest::SetUp();
    window_ = std::make_unique<TMainWindow>(TAppPaths{.AppFolder = folder_}, &prompts_);
    window_->resize(900, 700);
    window_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
  }
  void TearDown() override {
    window_.reset();
    TUiTest::TearDown();
  }
  static QPoint ItemCentre(const std::string& name) {
    const auto& list = ColorList();
    for (std::size_t i = 0; i < list.size(); ++i)
      if (list[i].Name == name)
        return {TColorListWidget::kItemWidth / 2, static_cast<int>(i) * TColorListWidget::kItemHeight + 8};
    return {-1, -1};
  }

  std::unique_ptr<TMainWindow> window_;
};

TEST_F(ColorWidgetsTest, ListClicksSetBrushAndPenAndNameTheColour) {
  auto* list = window_->findChild<TColorListWidget*>("colorlist");
  auto* panel3 = window_->findChild<QLabel*>("panel3");
  ASSERT_NE(list, nullptr);
  ASSERT_NE(panel3, nullptr);
  EXPECT_EQ(list->height(), 139 * 16);
  TKromaF& editor = window_->Editor();

  QTest::mouseMove(list, ItemCentre("lavender"));  // near the top: in view
  EXPECT_EQ(panel3->text(), "lavender");
  QTest::mouseClick(list, Qt::LeftButton, {}, ItemCentre("orange"));
  EXPECT_EQ(editor.Canvas().Brush.Color(), 0x0000A5FF);
  EXPECT_EQ(panel3->text(), "orange");
  QTest::mouseClick(list, Qt::LeftButton, Qt::ShiftModifier, ItemCentre("red"));
  EXPECT_EQ(editor.Canvas().Pen.Color, 0x000000FF);
  EXPECT_EQ(editor.gamma.FirstColor(), 0x000000FF);
}

TEST_F(ColorWidgetsTest, PanelSwatchOpensTheColourChoice) {
  auto* gamma = window_->findChild<TGammaPanel*>("gamma");
  ASSERT_NE(gamma, nullptr);
  prompts_.Answer("#102030");
  QTest::mouseClick(gamma, Qt::LeftButton, {}, gamma->SecondSwatch().bottomRight() - QPoint(2, 2));
  EXPECT_EQ(window_->Editor().gamma.SecondColor(), RGB(0x10, 0x20, 0x30));
  EXPECT_EQ(window_->Editor().Canvas().Brush.Color(), RGB(0x10, 0x20, 0x30));
}

TEST_F(ColorWidgetsTest, SelectRangeShowsTheFrameAndFloatShowsThePicture) {
  TImageWidget& image = window_->ImageWidget();
  window_->CommandAction("ToolButton2Click")->trigger();
  QTest::mousePress(&image, Qt::LeftButton, {}, QPoint(60, 50));
  QTest::mouseMove(&image, QPoint(20, 10));
  QTest::mouseRelease(&image, Qt::LeftButton, {}, QPoint(20, 10));
  auto* frame = window_->findChild<QWidget*>("selector");
  ASSERT_NE(frame, nullptr);
  EXPECT_TRUE(frame->isVisible());
  EXPECT_EQ(frame->geometry(), QRect(20, 10, 40, 40));

  window_->CommandAction("Float1Click")->trigger();
  auto* floating = window_->findChild<QWidget*>("FloatImage1");
  ASSERT_NE(floating, nullptr);
  EXPECT_TRUE(floating->isVisible());
  EXPECT_EQ(floating->geometry(), QRect(20, 10, 40, 40));
  // Dragging it moves the editor's floating range.
  QTest::mousePress(floating, Qt::LeftButton, {}, QPoint(5, 5));
  QTest::mouseMove(floating, QPoint(35, 25));
  QTest::mouseRelease(floating, Qt::LeftButton, {}, QPoint(35, 25));
  EXPECT_EQ(window_->Editor().FloatImage1.Pos, (TPoint{50, 30}));

  window_->CommandAction("Deselect1Click")->trigger();
  EXPECT_FALSE(frame->isVisible());
}

}  // namespace
}  // namespace kroma
