#pragma once
// A plain-text editor for scripts: a fixed-pitch font, line numbers in a
// margin, and a way to put the cursor on a line (to show where an error is).
#include <QPlainTextEdit>

namespace kroma {

class TCodeEditor : public QPlainTextEdit {
 public:
  explicit TCodeEditor(QWidget* parent = nullptr);

  // The cursor goes to the start of line `line` (from 1), which is shown.
  void GoToLine(int line);
  int LineNumberWidth() const;
  void PaintLineNumbers(QPaintEvent* event);

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void UpdateMargin();

  QWidget* numbers_;
};

}  // namespace kroma
