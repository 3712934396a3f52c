#include "ui/ScrollBoxResize.h"

#include <QMouseEvent>
#include <QTimer>
#include <QWidget>

#include "editor/KromaF.h"
#include "ui/ImageWidget.h"

namespace kroma {

TScrollBoxResize::TScrollBoxResize(TKromaF& editor, QWidget* viewport, QWidget* image,
                                   std::function<void(const std::exception&)> onError)
    : QObject(viewport), editor_(editor), viewport_(viewport), image_(image), onError_(std::move(onError)) {
  viewport->installEventFilter(this);
}

void TScrollBoxResize::Guard(const std::function<void()>& call) {
  try {
    call();
  } catch (const std::exception& e) {
    onError_(e);
  }
}

void TScrollBoxResize::Flush() {
  if (!pending_) return;
  pending_ = false;
  Guard([&] { editor_.ScrollBox1MouseMove(pendingShift_, pendingPoint_.x(), pendingPoint_.y()); });
}

bool TScrollBoxResize::eventFilter(QObject* watched, QEvent* event) {
  if (watched != viewport_) return false;
  switch (event->type()) {
    case QEvent::MouseButtonPress: {
      auto* mouse = static_cast<QMouseEvent*>(event);
      Guard([&] { editor_.ScrollBox1MouseDown(ShiftStateOf(mouse->modifiers(), mouse->buttons())); });
      return false;
    }
    case QEvent::MouseMove: {
      auto* mouse = static_cast<QMouseEvent*>(event);
      if (!editor_.FDragResizeArmed) return false;
      pendingShift_ = ShiftStateOf(mouse->modifiers(), mouse->buttons());
      pendingPoint_ = image_->mapFrom(viewport_, mouse->position().toPoint());
      if (!pending_) {
        pending_ = true;
        QTimer::singleShot(0, this, [this] { Flush(); });
      }
      return false;
    }
    case QEvent::MouseButtonRelease:
      Flush();
      editor_.ScrollBox1MouseUp();
      return false;
    default:
      return false;
  }
}

}  // namespace kroma
