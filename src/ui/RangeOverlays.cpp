#include "ui/RangeOverlays.h"

#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <limits>

#include "core/Bitmap.h"
#include "core/Numeric.h"
#include "editor/KromaF.h"
#include "editor/ranges/RangeFrame.h"
#include "ui/ImageConvert.h"

namespace kroma {
namespace {

// Widgets live in int coordinates well inside Qt's range.
int Fit(std::int64_t v) { return static_cast<int>(std::clamp<std::int64_t>(v, -1000000, 1000000)); }

// The pointer in image pixels.
QPoint ImagePoint(const QWidget* image, const QMouseEvent* e) {
  QPointF p = image->mapFromGlobal(e->globalPosition());
  return {SaturateFloor(p.x()), SaturateFloor(p.y())};
}

// A rectangle of image pixels in the coordinates of the overlay's parent.
QRect OnParent(const QWidget* overlay, const QWidget* image, int x, int y, int w, int h) {
  return {image->mapTo(overlay->parentWidget(), QPoint(x, y)), QSize(w, h)};
}

Qt::CursorShape CursorOf(TFrameHandle h) {
  switch (h) {
    case TFrameHandle::Move: return Qt::SizeAllCursor;
    case TFrameHandle::TopLeft:
    case TFrameHandle::BottomRight: return Qt::SizeFDiagCursor;
    case TFrameHandle::BottomLeft:
    case TFrameHandle::TopRight: return Qt::SizeBDiagCursor;
    case TFrameHandle::Left:
    case TFrameHandle::Right: return Qt::SizeHorCursor;
    case TFrameHandle::Top:
    case TFrameHandle::Bottom: return Qt::SizeVerCursor;
  }
  return Qt::ArrowCursor;
}

}  // namespace

// ---- The range frame ----

TRangeFrameWidget::TRangeFrameWidget(TKromaF& editor, QWidget* image, QWidget* viewport)
    : QWidget(viewport), editor_(editor), image_(image) {
  setObjectName("selector");
  setAttribute(Qt::WA_TranslucentBackground);
  hide();
}

void TRangeFrameWidget::Sync() {
  const TRangeFrame& s = editor_.selector;
  // The frame takes the pointer while no tool is chosen (as after Select
  // Range); with a tool, the pointer reaches the image through it.
  setAttribute(Qt::WA_TransparentForMouseEvents, !editor_.FToolKey.empty() && !s.Dragging);
  if (!s.Visible) {
    hide();
    return;
  }
  const TRect b = s.Bounds.Normalized();
  setGeometry(OnParent(this, image_, Fit(b.Left), Fit(b.Top), std::max(1, Fit(b.Width())), std::max(1, Fit(b.Height()))));
  if (isHidden()) {
    show();
    raise();
  }
  update();
}

void TRangeFrameWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  // Dots of black over white, so the frame shows on any picture.
  painter.setPen(QPen(Qt::white, 1));
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
  painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void TRangeFrameWidget::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  QPoint p = event->position().toPoint();
  setCursor(CursorOf(SelectorMouseDown(editor_, p.x(), p.y())));
}

void TRangeFrameWidget::mouseMoveEvent(QMouseEvent* event) {
  if (!editor_.selector.Dragging) return;
  QPoint p = ImagePoint(image_, event);
  SelectorMouseMove(editor_, p.x(), p.y());
  editor_.FlushChanges();
}

void TRangeFrameWidget::mouseReleaseEvent(QMouseEvent*) {
  if (!editor_.selector.Dragging) return;
  SelectorMouseUp(editor_);
  unsetCursor();
  editor_.FlushChanges();
}

// ---- The floating range ----

TFloatImageWidget::TFloatImageWidget(TKromaF& editor, QWidget* image, QWidget* viewport, QMenu* popup)
    : QWidget(viewport), editor_(editor), image_(image), popup_(popup) {
  setObjectName("FloatImage1");
  hide();
}

void TFloatImageWidget::Sync() {
  const TFloatingRange& f = editor_.FloatImage1;
  if (!f.Visible || f.Picture.Empty()) {
    hide();
    return;
  }
  setGeometry(OnParent(this, image_, Fit(f.Pos.x), Fit(f.Pos.y), f.Picture.Width(), f.Picture.Height()));
  if (isHidden()) {
    show();
    raise();
  }
  update();
}

void TFloatImageWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawImage(0, 0, BitmapToQImage(editor_.FloatImage1.Picture));
}

void TFloatImageWidget::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::RightButton) {
    if (popup_) popup_->popup(event->globalPosition().toPoint());
    return;
  }
  if (event->button() != Qt::LeftButton) return;
  grab_ = event->position().toPoint();
  dragging_ = true;
}

void TFloatImageWidget::mouseMoveEvent(QMouseEvent* event) {
  if (!dragging_) return;
  QPoint p = ImagePoint(image_, event) - grab_;
  editor_.FloatImage1.Pos = {p.x(), p.y()};
  editor_.FlushChanges();
}

void TFloatImageWidget::mouseReleaseEvent(QMouseEvent*) { dragging_ = false; }

}  // namespace kroma
