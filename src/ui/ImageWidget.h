#pragma once
// The image control "mypaint": shows the work image at 1:1, painted
// straight from the bitmap's rows, and turns mouse events into the
// editor's three mouse phases.
#include <QPoint>
#include <QWidget>
#include <functional>
#include <exception>

#include "editor/Mouse.h"

namespace kroma {

class TKromaF;

class TImageWidget : public QWidget {
 public:
  // `onError` shows an error that a mouse phase raised.
  TImageWidget(TKromaF& editor, std::function<void(const std::exception&)> onError, QWidget* parent = nullptr);

  // Takes the image's size after it was replaced or resized.
  void FollowImageSize();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void Guard(const std::function<void()>& call);
  void SendMove(TShiftState shift, QPoint p);

  TKromaF& editor_;
  std::function<void(const std::exception&)> onError_;
  QPoint lastMove_;
  bool haveLastMove_ = false;
};

// The editor's shift state for Qt's keys and buttons.
TShiftState ShiftStateOf(Qt::KeyboardModifiers keys, Qt::MouseButtons buttons);

}  // namespace kroma
