#pragma once
// The drag resize of the scroll box "ScrollBox1": mouse events on the box
// around the image (not on it) become the editor's scroll-box phases, with
// points measured from the image's top-left corner. Moves are gathered and
// handed on once per turn of the event loop, so a fast drag resamples the
// image at most once per repaint.
#include <QObject>
#include <QPoint>
#include <exception>
#include <functional>

#include "editor/Mouse.h"

class QWidget;

namespace kroma {

class TKromaF;

class TScrollBoxResize : public QObject {
 public:
  // Watches `viewport`; points are mapped into `image`.
  TScrollBoxResize(TKromaF& editor, QWidget* viewport, QWidget* image,
                   std::function<void(const std::exception&)> onError);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Flush();
  void Guard(const std::function<void()>& call);

  TKromaF& editor_;
  QWidget* viewport_;
  QWidget* image_;
  std::function<void(const std::exception&)> onError_;
  bool pending_ = false;
  TShiftState pendingShift_ = 0;
  QPoint pendingPoint_;
};

}  // namespace kroma
