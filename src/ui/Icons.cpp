#include "ui/Icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QStringList>
#include <map>

namespace kroma {
namespace {

constexpr int kSize = 24;

using Painter = void (*)(QPainter&);

void Pen(QPainter& p, int width = 2) { p.setPen(QPen(Qt::black, width, Qt::SolidLine, Qt::RoundCap)); }

void Line(QPainter& p) {
  Pen(p);
  p.drawLine(4, 19, 19, 4);
}
void Freehand(QPainter& p) {
  Pen(p);
  QPainterPath path(QPointF(3, 16));
  path.cubicTo(8, 2, 12, 22, 20, 6);
  p.drawPath(path);
}
void Rectangle(QPainter& p) {
  Pen(p);
  p.drawRect(4, 6, 16, 12);
}
void Ellipse(QPainter& p) {
  Pen(p);
  p.drawEllipse(3, 6, 18, 12);
}
void Undo(QPainter& p) {
  Pen(p);
  QPainterPath path(QPointF(18, 18));
  path.cubicTo(22, 8, 12, 4, 6, 10);
  p.drawPath(path);
  p.drawLine(6, 10, 6, 4);
  p.drawLine(6, 10, 12, 10);
}
void Pick(QPainter& p) {
  Pen(p);
  p.drawLine(5, 19, 15, 9);
  p.setBrush(Qt::black);
  p.drawEllipse(14, 4, 6, 6);
}
void Fill(QPainter& p) {
  Pen(p);
  p.setBrush(QColor(80, 120, 220));
  p.drawPolygon(QPolygon({QPoint(4, 12), QPoint(11, 5), QPoint(18, 12), QPoint(11, 19)}));
  p.drawLine(18, 12, 20, 18);
}
void SelectRange(QPainter& p) {
  p.setPen(QPen(Qt::black, 1, Qt::DashLine));
  p.drawRect(4, 5, 16, 14);
}
void Paste(QPainter& p) {
  Pen(p, 1);
  p.setBrush(QColor(230, 200, 120));
  p.drawRect(5, 4, 12, 16);
  p.setBrush(Qt::white);
  p.drawRect(9, 8, 10, 12);
}

void WidthIcon(QPainter& p, int width) {
  p.setPen(QPen(Qt::black, width, Qt::SolidLine, Qt::FlatCap));
  p.drawLine(3, 12, 21, 12);
}

void BrushIcon(QPainter& p, Qt::BrushStyle style) {
  p.setPen(QPen(Qt::black, 1));
  p.setBrush(QBrush(Qt::black, style));
  p.drawRect(4, 4, 16, 16);
}

void Initials(QPainter& p, const QString& caption) {
  p.setPen(QPen(QColor(90, 90, 90), 1));
  p.setBrush(QColor(235, 235, 245));
  p.drawRoundedRect(2, 2, 20, 20, 4, 4);
  QString text;
  for (const QString& word : caption.split(' ', Qt::SkipEmptyParts)) {
    if (text.size() == 2) break;
    text += word.front();
  }
  QFont font = p.font();
  font.setPixelSize(10);
  font.setBold(true);
  p.setFont(font);
  p.setPen(Qt::black);
  p.drawText(QRect(0, 0, kSize, kSize), Qt::AlignCenter, text);
}

const std::map<std::string, Painter>& Pictures() {
  static const std::map<std::string, Painter> pictures = {
      {"Line1Click", Line},           {"Freehand1Click", Freehand}, {"Rectangle1Click", Rectangle},
      {"Ellipse1Click", Ellipse},     {"goUndoClick", Undo},        {"ToolButton5Click", Pick},
      {"Floodfill1Click", Fill},      {"ToolButton2Click", SelectRange}, {"selectcopyClick", Paste},
      {"Paste1Click", Paste},
  };
  return pictures;
}

}  // namespace

QIcon CommandIcon(const std::string& commandId, const std::string& caption) {
  QPixmap pixmap(kSize, kSize);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  static const std::map<std::string, int> widths = {{"N1pixel1Click", 1},  {"N2pixels1Click", 2},
                                                    {"N3pixels1Click", 3}, {"N4pixels1Click", 4},
                                                    {"N5pixels1Click", 5}, {"N10pixels1Click", 8},
                                                    {"N30pixels1Click", 12}};
  static const std::map<std::string, Qt::BrushStyle> brushes = {
      {"BrushSolid1Click", Qt::SolidPattern},     {"BrushClear1Click", Qt::NoBrush},
      {"BrushHorizontal1Click", Qt::HorPattern},  {"BrushVertical1Click", Qt::VerPattern},
      {"BrushFDiagonal1Click", Qt::FDiagPattern}, {"BrushBDiagonal1Click", Qt::BDiagPattern},
      {"BrushCross1Click", Qt::CrossPattern},     {"BrushDiagCross1Click", Qt::DiagCrossPattern}};
  if (auto it = Pictures().find(commandId); it != Pictures().end()) {
    it->second(p);
  } else if (auto w = widths.find(commandId); w != widths.end()) {
    WidthIcon(p, w->second);
  } else if (auto b = brushes.find(commandId); b != brushes.end()) {
    BrushIcon(p, b->second);
  } else {
    Initials(p, QString::fromStdString(caption));
  }
  p.end();
  return QIcon(pixmap);
}

}  // namespace kroma
