#pragma once
// What lies over the image for the range: the dotted frame `selector` and
// the floating range `FloatImage1`. Both are children of the image widget
// and follow the editor's state (TKromaF::selector, TKromaF::FloatImage1)
// when Sync is called; they forward the pointer to the editor.
#include <QPoint>
#include <QWidget>

class QMenu;

namespace kroma {

class TKromaF;

class TRangeFrameWidget : public QWidget {
 public:
  TRangeFrameWidget(TKromaF& editor, QWidget* image);
  void Sync();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  TKromaF& editor_;
};

class TFloatImageWidget : public QWidget {
 public:
  // `popup`: the floating range's menu (glue, combine), may be nullptr.
  TFloatImageWidget(TKromaF& editor, QWidget* image, QMenu* popup);
  void Sync();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  TKromaF& editor_;
  QMenu* popup_;
  QPoint grab_;
  bool dragging_ = false;
};

}  // namespace kroma
