#include "ui/CodeEditor.h"

#include <QFontDatabase>
#include <QPainter>
#include <QTextBlock>

namespace kroma {
namespace {

class TLineNumbers : public QWidget {
 public:
  explicit TLineNumbers(TCodeEditor* editor) : QWidget(editor), editor_(editor) {}
  QSize sizeHint() const override { return {editor_->LineNumberWidth(), 0}; }

 protected:
  void paintEvent(QPaintEvent* event) override { editor_->PaintLineNumbers(event); }

 private:
  TCodeEditor* editor_;
};

}  // namespace

TCodeEditor::TCodeEditor(QWidget* parent) : QPlainTextEdit(parent), numbers_(new TLineNumbers(this)) {
  QFont font(QStringLiteral("Courier New"));
  font.setStyleHint(QFont::TypeWriter);
  font.setFixedPitch(true);
  if (!QFontInfo(font).fixedPitch()) font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  setFont(font);
  setLineWrapMode(QPlainTextEdit::NoWrap);
  setTabStopDistance(fontMetrics().horizontalAdvance(QLatin1Char(' ')) * 2);
  connect(this, &QPlainTextEdit::blockCountChanged, this, [this] { UpdateMargin(); });
  connect(this, &QPlainTextEdit::updateRequest, this, [this](const QRect& rect, int dy) {
    if (dy)
      numbers_->scroll(0, dy);
    else
      numbers_->update(0, rect.y(), numbers_->width(), rect.height());
  });
  UpdateMargin();
}

int TCodeEditor::LineNumberWidth() const {
  int digits = 1;
  for (int n = std::max(1, blockCount()); n >= 10; n /= 10) ++digits;
  return 8 + fontMetrics().horizontalAdvance(QLatin1Char('9')) * std::max(digits, 2);
}

void TCodeEditor::UpdateMargin() {
  setViewportMargins(LineNumberWidth(), 0, 0, 0);
  QRect r = contentsRect();
  numbers_->setGeometry(r.left(), r.top(), LineNumberWidth(), r.height());
}

void TCodeEditor::resizeEvent(QResizeEvent* event) {
  QPlainTextEdit::resizeEvent(event);
  UpdateMargin();
}

void TCodeEditor::PaintLineNumbers(QPaintEvent* event) {
  QPainter painter(numbers_);
  painter.fillRect(event->rect(), palette().color(QPalette::AlternateBase));
  painter.setPen(palette().color(QPalette::PlaceholderText));
  QTextBlock block = firstVisibleBlock();
  int top = qRound(blockBoundingGeometry(block).translated(contentOffset()).top());
  while (block.isValid() && top <= event->rect().bottom()) {
    int height = qRound(blockBoundingRect(block).height());
    if (block.isVisible() && top + height >= event->rect().top()) {
      painter.drawText(0, top, numbers_->width() - 4, fontMetrics().height(), Qt::AlignRight,
                       QString::number(block.blockNumber() + 1));
    }
    top += height;
    block = block.next();
  }
}

void TCodeEditor::GoToLine(int line) {
  QTextBlock block = document()->findBlockByNumber(line - 1);
  if (!block.isValid()) return;
  QTextCursor cursor(block);
  setTextCursor(cursor);
  centerCursor();
}

}  // namespace kroma
