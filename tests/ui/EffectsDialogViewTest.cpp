// The effects dialog in the window, on the offscreen platform: F3's action
// opens it, a click in its tree and a move of its bar render the preview
// (off the window's thread), and the preview's Use button puts the result
// on the image.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTreeWidget>
#include <cstdlib>
#include <filesystem>

#include "core/Bitmap.h"
#include "editor/BackgroundWork.h"
#include "editor/Desktop.h"
#include "editor/KromaF.h"
#include "editor/ScriptedPorts.h"
#include "editor/windows/ToolWindow.h"
#include "effects/PaintFX.h"
#include "ui/MainWindow.h"
#include "ui/ToolWindowView.h"
#include "UiTestSupport.h"

namespace kroma {
namespace {

using EffectsDialogViewTest = TUiTest;

QTreeWidgetItem* ItemNamed(QTreeWidget* tree, const QString& caption) {
  for (QTreeWidgetItemIterator it(tree); *it; ++it)
    if ((*it)->text(0) == caption) return *it;
  return nullptr;
}

TEST_F(EffectsDialogViewTest, OpensMovesABarAndUsesThePreview) {
  TMainWindow window(TAppPaths{.AppFolder = folder_}, &prompts_);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  TBitmap& image = window.Editor().Image();
  for (int y = 0; y < image.Height(); ++y)
    for (int x = 0; x < image.Width(); ++x) image.SetPixel(x, y, RGB(x, y, 128));
  const TBitmap before = image;

  QAction* open = window.CommandAction("EffectsPanel1Click");
  ASSERT_NE(open, nullptr);
  EXPECT_EQ(open->shortcut().toString(), "F3");
  open->trigger();
  TToolWindowView* dialog = window.ToolWindowView("TKromaEffectsF");
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(dialog->isVisible());
  EXPECT_EQ(dialog->windowTitle(), "Kroma Effects");

  auto* tree = qobject_cast<QTreeWidget*>(dialog->ControlWidget("ETree"));
  ASSERT_NE(tree, nullptr);
  QTreeWidgetItem* mosaic = ItemNamed(tree, "Mosaic");
  ASSERT_NE(mosaic, nullptr);
  emit tree->itemClicked(mosaic, 0);
  auto* bar = qobject_cast<QScrollBar*>(dialog->ControlWidget("EBar"));
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(bar->maximum(), 30);
  EXPECT_EQ(bar->value(), 15);
  bar->setValue(8);  // as a drag would

  window.Editor().Desktop.Background().Wait();
  TToolWindowView* preview = window.ToolWindowView("TQuickPreviewF");
  ASSERT_NE(preview, nullptr);
  EXPECT_TRUE(preview->isVisible());
  TBitmap expected = before;
  TkelPaintFX::Mosaic(expected, 8);
  EXPECT_TRUE(SameImage(preview->Model().Picture("Image1"), expected));
  EXPECT_TRUE(SameImage(image, before));

  auto* use = qobject_cast<QPushButton*>(preview->ControlWidget("btnUse"));
  ASSERT_NE(use, nullptr);
  QTest::mouseClick(use, Qt::LeftButton);
  EXPECT_TRUE(SameImage(image, expected));
  EXPECT_FALSE(preview->isVisible());
  EXPECT_TRUE(prompts_.Messages().empty());
}

}  // namespace
}  // namespace kroma
