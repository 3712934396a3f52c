// The image's size in the window: the desktop clipboard both ways, the
// drag in the box around the image, and the spin button.
#include <gtest/gtest.h>

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QScrollArea>
#include <QTest>
#include <QToolButton>

#include "core/Bitmap.h"
#include "editor/KromaF.h"
#include "ui/ImageWidget.h"
#include "ui/MainWindow.h"
#include "UiTestSupport.h"

namespace kroma {
namespace {

class ImageSizeViewTest : public TUiTest {
 protected:
  void SetUp() override {
    TUiTest::SetUp();
    window_ = std::make_unique<TMainWindow>(TAppPaths{.AppFolder = folder_}, &prompts_);
    window_->resize(800, 600);
    window_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
  }
  void TearDown() override {
    window_.reset();
    TUiTest::TearDown();
  }
  QWidget* Viewport() { return window_->findChild<QScrollArea*>("ScrollBox1")->viewport(); }
  void Send(QEvent::Type type, QPoint at, Qt::KeyboardModifiers keys, Qt::MouseButtons buttons) {
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, QPointF(at), Viewport()->mapToGlobal(QPointF(at)), button, buttons, keys);
    QCoreApplication::sendEvent(Viewport(), &event);
  }

  std::unique_ptr<TMainWindow> window_;
};

TEST_F(ImageSizeViewTest, ImagesTravelThroughTheDesktopClipboard) {
  window_->Editor().Image().SetPixel(3, 4, clRed);
  window_->CommandAction("CopytoClipboard1Click")->trigger();
  QImage copied = QGuiApplication::clipboard()->image();
  ASSERT_EQ(copied.size(), QSize(256, 256));
  EXPECT_EQ(copied.pixelColor(3, 4), QColor(255, 0, 0));
  EXPECT_EQ(copied.pixelColor(0, 0), QColor(255, 255, 255));

  // A picture another program put there.
  QImage other(30, 20, QImage::Format_RGB32);
  other.fill(QColor(0, 0, 255));
  other.setPixelColor(29, 19, QColor(0, 128, 0));
  QGuiApplication::clipboard()->setImage(other);
  window_->CommandAction("PastefromClipboard1Click")->trigger();
  const TBitmap& image = window_->Editor().Image();
  ASSERT_EQ(image.Width(), 30);
  EXPECT_EQ(image.GetPixel(0, 0), clBlue);
  EXPECT_EQ(image.GetPixel(29, 19), RGB(0, 128, 0));
  EXPECT_EQ(window_->ImageWidget().size(), QSize(30, 20));
  EXPECT_TRUE(prompts_.Messages().empty());
}

TEST_F(ImageSizeViewTest, DraggingBesideTheImageResizesItAndTheSpinButtonScalesIt) {
  // A press with Ctrl in the box beside the image arms the drag.
  Send(QEvent::MouseButtonPress, {300, 300}, Qt::ControlModifier, Qt::LeftButton);
  // Moves of one turn of the event loop: only the last is resampled.
  Send(QEvent::MouseMove, {200, 200}, Qt::ControlModifier, Qt::LeftButton);
  Send(QEvent::MouseMove, {103, 53}, Qt::ControlModifier, Qt::LeftButton);
  EXPECT_EQ(window_->Editor().Image().Width(), 256);
  QCoreApplication::processEvents();
  EXPECT_EQ(window_->Editor().Image().Width(), 100);
  EXPECT_EQ(window_->Editor().Image().Height(), 50);
  EXPECT_EQ(window_->ImageWidget().size(), QSize(100, 50));
  EXPECT_EQ(window_->findChild<QLabel*>("panel3")->text(), "W=100  H=50");
  Send(QEvent::MouseButtonRelease, {103, 53}, Qt::ControlModifier, Qt::NoButton);
  Send(QEvent::MouseMove, {303, 303}, Qt::ControlModifier, Qt::NoButton);
  QCoreApplication::processEvents();
  EXPECT_EQ(window_->Editor().Image().Width(), 100);

  QToolButton* up = window_->ToolButton("SizeSpinUpClick");
  ASSERT_NE(up, nullptr);
  up->click();
  EXPECT_EQ(window_->ImageWidget().size(), QSize(125, 62));  // 62.5 rounds to even
  window_->ToolButton("SizeSpinDownClick")->click();
  EXPECT_EQ(window_->ImageWidget().size(), QSize(88, 43));  // 87.5 and 43.4
}

}  // namespace
}  // namespace kroma
