#include "ui/GammaPanel.h"

#include <QMouseEvent>
#include <QPainter>

#include "editor/KromaF.h"
#include "editor/Prompts.h"

namespace kroma {
namespace {

QColor ToQColor(TColor c) {
  c = ColorToRGB(c);
  return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

}  // namespace

TGammaPanel::TGammaPanel(TKromaF& editor, QWidget* parent) : QWidget(parent), editor_(editor) {
  setObjectName("gamma");
  setMinimumSize(96, 96);
  setToolTip(tr("Pen colour (front) and brush colour (back): click one to change it"));
  editor_.gamma.Subscribe([this] { update(); });
}

QRect TGammaPanel::FirstSwatch() const { return {8, 8, 40, 40}; }
QRect TGammaPanel::SecondSwatch() const { return {32, 32, 40, 40}; }

void TGammaPanel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().window());
  painter.setPen(palette().windowText().color());
  for (auto [swatch, color] : {std::pair{SecondSwatch(), editor_.gamma.SecondColor()},
                               std::pair{FirstSwatch(), editor_.gamma.FirstColor()}}) {
    painter.fillRect(swatch, ToQColor(color));
    painter.drawRect(swatch.adjusted(0, 0, -1, -1));
  }
  const TColor first = ColorToRGB(editor_.gamma.FirstColor());
  painter.drawText(QRect(8, 76, width() - 8, 18), Qt::AlignLeft | Qt::AlignVCenter,
                   QString("R %1 G %2 B %3").arg(GetRValue(first)).arg(GetGValue(first)).arg(GetBValue(first)));
}

void TGammaPanel::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  // The first swatch lies in front where they overlap.
  const bool first = FirstSwatch().contains(p);
  if (!first && !SecondSwatch().contains(p)) return;
  TColor color = first ? editor_.gamma.FirstColor() : editor_.gamma.SecondColor();
  if (!editor_.Prompts.ChooseColor(color)) return;
  if (first)
    editor_.gamma.SetFirstColor(color);
  else
    editor_.gamma.SetSecondColor(color);
  editor_.FlushChanges();
}

}  // namespace kroma
