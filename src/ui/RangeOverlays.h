#pragma once
// What lies over the image for the range: the dotted frame `selector` and
// the floating range `FloatImage1`. Both lie on the scroll box's viewport
// (so the floating range can be dragged beyond the image), placed in image
// pixels through the image widget, and follow the editor's state
// (TKromaF::selector, TKromaF::FloatImage1) when Sync is called; they
// forward the pointer to the editor.
#include <QPoint>
#include <QWidget>

class QMenu;

namespace kroma {

class TKromaF;

class TRangeFrameWidget : public QWidget {
 public:
  // `image`: the image widget; `viewport`: the widget both lie on.
  TRangeFrameWidget(TKromaF& editor, QWidget* image, QWidget* viewport);
  void Sync();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  TKromaF& editor_;
  QWidget* image_;
};

class TFloatImageWidget : public QWidget {
 public:
  // `popup`: the floating range's menu (glue, combine), may be nullptr.
  TFloatImageWidget(TKromaF& editor, QWidget* image, QWidget* viewport, QMenu* popup);
  void Sync();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  TKromaF& editor_;
  QWidget* image_;
  QMenu* popup_;
  QPoint grab_;
  bool dragging_ = false;
};

}  // namespace kroma
