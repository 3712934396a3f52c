#pragma once
// The colour list "colorlist": a column of named colour swatches, 16
// pixels high each. It only shows the editor's list and forwards the
// pointer: moves name the colour in the status bar, a click sets the
// brush colour, a Shift-click the pen colour (editor/ColorList.h).
#include <QWidget>

namespace kroma {

class TKromaF;

class TColorListWidget : public QWidget {
 public:
  static constexpr int kItemHeight = 16;
  static constexpr int kItemWidth = 32;

  explicit TColorListWidget(TKromaF& editor, QWidget* parent = nullptr);
  int Selected() const { return selected_; }
  // The item at a point of the widget; -1 below the last one.
  int ItemAt(QPoint p) const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  TKromaF& editor_;
  int selected_ = -1;
};

}  // namespace kroma
