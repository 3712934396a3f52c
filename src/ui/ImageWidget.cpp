#include "ui/ImageWidget.h"

#include <QImage>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <vector>

#include "core/Bitmap.h"
#include "core/Numeric.h"
#include "core/PixelFormats.h"
#include "editor/KromaF.h"

namespace kroma {
namespace {

QPoint ImagePoint(const QMouseEvent* event) {
  QPointF p = event->position();
  return {SaturateFloor(p.x()), SaturateFloor(p.y())};
}

TMouseButton ButtonOf(Qt::MouseButton button) {
  switch (button) {
    case Qt::RightButton:
      return mbRight;
    case Qt::MiddleButton:
      return mbMiddle;
    default:
      return mbLeft;
  }
}

}  // namespace

TShiftState ShiftStateOf(Qt::KeyboardModifiers keys, Qt::MouseButtons buttons) {
  TShiftState s = 0;
  if (keys & Qt::ShiftModifier) s |= ssShift;
  if (keys & Qt::AltModifier) s |= ssAlt;
  if (keys & Qt::ControlModifier) s |= ssCtrl;
  if (buttons & Qt::LeftButton) s |= ssLeft;
  if (buttons & Qt::RightButton) s |= ssRight;
  if (buttons & Qt::MiddleButton) s |= ssMiddle;
  return s;
}

TImageWidget::TImageWidget(TKromaF& editor, std::function<void(const std::exception&)> onError, QWidget* parent)
    : QWidget(parent), editor_(editor), onError_(std::move(onError)) {
  setObjectName("mypaint");
  setMouseTracking(true);  // moves without a button update the status bar and the poly tools
  setAttribute(Qt::WA_OpaquePaintEvent);
  setCursor(Qt::CrossCursor);
}

void TImageWidget::FollowImageSize() {
  const TBitmap& image = editor_.Image();
  setFixedSize(image.Width(), image.Height());
  update();
}

void TImageWidget::paintEvent(QPaintEvent* event) {
  const TBitmap& image = editor_.Image();
  QPainter painter(this);
  QRect area = event->rect().intersected(QRect(0, 0, image.Width(), image.Height()));
  if (area.isEmpty()) return;
  if (image.PixelFormat() == pf24bit) {
    // The bitmap's own rows, no copy: one picture per run of contiguous rows.
    for (int y = area.top(); y <= area.bottom();) {
      const int rows = std::min(image.ContiguousRows(y), area.bottom() + 1 - y);
      const QImage band(image.ScanLine(y), image.Width(), rows, static_cast<qsizetype>(image.Stride()),
                        QImage::Format_BGR888);
      painter.drawImage(QPoint(area.left(), y), band, QRect(area.left(), 0, area.width(), rows));
      y += rows;
    }
    return;
  }
  // Other formats: convert only the rows being painted.
  QImage part(image.Width(), area.height(), QImage::Format_BGR888);
  for (int y = 0; y < area.height(); ++y)
    RowToBgr24(image.ScanLine(area.top() + y), image.PixelFormat(), image.Palette(), image.Width(),
               part.scanLine(y));
  painter.drawImage(area.topLeft(), part, QRect(area.left(), 0, area.width(), area.height()));
}

void TImageWidget::Guard(const std::function<void()>& call) {
  try {
    call();
  } catch (const std::exception& e) {
    onError_(e);
  }
}

void TImageWidget::SendMove(TShiftState shift, QPoint p) {
  lastMove_ = p;
  haveLastMove_ = true;
  Guard([&] { editor_.mypaintMouseMove(shift, p.x(), p.y()); });
}

void TImageWidget::mousePressEvent(QMouseEvent* event) {
  QPoint p = ImagePoint(event);
  TShiftState shift = ShiftStateOf(event->modifiers(), event->buttons());
  Guard([&] { editor_.mypaintMouseDown(ButtonOf(event->button()), shift, p.x(), p.y()); });
  lastMove_ = p;
  haveLastMove_ = true;
}

void TImageWidget::mouseMoveEvent(QMouseEvent* event) {
  // While a button is held Qt keeps sending moves here, outside the widget
  // (negative points too), which is what a drag needs.
  SendMove(ShiftStateOf(event->modifiers(), event->buttons()), ImagePoint(event));
}

void TImageWidget::mouseReleaseEvent(QMouseEvent* event) {
  QPoint p = ImagePoint(event);
  // A release where no move was reported first moves there, so the rubber
  // band ends where the figure is drawn.
  if (!haveLastMove_ || p != lastMove_) SendMove(ShiftStateOf(event->modifiers(), event->buttons() | event->button()), p);
  TShiftState shift = ShiftStateOf(event->modifiers(), event->buttons());
  Guard([&] { editor_.mypaintMouseUp(ButtonOf(event->button()), shift, p.x(), p.y()); });
}

}  // namespace kroma
