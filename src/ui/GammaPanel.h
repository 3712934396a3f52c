#pragma once
// The colour panel "gamma": the first colour (the pen's) over the second
// (the brush's), with the first colour's red, green and blue values. A
// click on a swatch opens the colour choice for it. The colours live in
// the editor (TKromaF::gamma); the panel repaints when they change.
#include <QWidget>

namespace kroma {

class TKromaF;

class TGammaPanel : public QWidget {
 public:
  explicit TGammaPanel(TKromaF& editor, QWidget* parent = nullptr);
  // Where the two swatches are drawn.
  QRect FirstSwatch() const;
  QRect SecondSwatch() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  TKromaF& editor_;
};

}  // namespace kroma
