#include "ui/ColorListWidget.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>

#include "core/Numeric.h"
#include "editor/ColorList.h"
#include "editor/KromaF.h"
#include "ui/ImageWidget.h"

namespace kroma {
namespace {

QColor ToQColor(TColor c) { return QColor(GetRValue(c), GetGValue(c), GetBValue(c)); }

}  // namespace

TColorListWidget::TColorListWidget(TKromaF& editor, QWidget* parent) : QWidget(parent), editor_(editor) {
  setObjectName("colorlist");
  setMouseTracking(true);
  setToolTip(tr("click for brush\nshift-click for pen"));
  setFixedSize(kItemWidth, kItemHeight * static_cast<int>(ColorList().size()));
}

int TColorListWidget::ItemAt(QPoint p) const {
  if (p.x() < 0 || p.x() >= width() || p.y() < 0) return -1;
  int index = p.y() / kItemHeight;
  return index < static_cast<int>(ColorList().size()) ? index : -1;
}

void TColorListWidget::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.fillRect(event->rect(), palette().window());
  const auto& list = ColorList();
  const int first = std::max(0, event->rect().top() / kItemHeight);
  const int last = std::min(static_cast<int>(list.size()) - 1, event->rect().bottom() / kItemHeight);
  for (int i = first; i <= last; ++i) {
    // The swatch fills its item less a one-pixel frame of background.
    QRect item(0, i * kItemHeight, kItemWidth, kItemHeight);
    painter.fillRect(item.adjusted(1, 1, -1, -1), ToQColor(list[static_cast<std::size_t>(i)].Color));
    if (i == selected_) {
      painter.setPen(QPen(palette().highlight().color(), 1));
      painter.drawRect(item.adjusted(0, 0, -1, -1));
    }
  }
}

void TColorListWidget::mouseMoveEvent(QMouseEvent* event) {
  colorlistMouseMove(editor_, ItemAt(event->position().toPoint()));
  editor_.FlushChanges();
}

void TColorListWidget::mousePressEvent(QMouseEvent* event) {
  int index = ItemAt(event->position().toPoint());
  if (index >= 0 && index != selected_) {
    selected_ = index;
    update();
  }
}

void TColorListWidget::mouseReleaseEvent(QMouseEvent* event) {
  colorlistMouseUp(editor_, selected_, ShiftStateOf(event->modifiers(), event->buttons()));
  editor_.FlushChanges();
}

}  // namespace kroma
