#include "ui/JsHighlighter.h"

namespace kroma {
namespace {

QTextCharFormat Format(const QColor& color, bool bold = false, bool italic = false) {
  QTextCharFormat f;
  f.setForeground(color);
  if (bold) f.setFontWeight(QFont::Bold);
  f.setFontItalic(italic);
  return f;
}

// Block states: 1 while a /* comment */ is still open at the block's end.
constexpr int kInComment = 1;

}  // namespace

TJsHighlighter::TJsHighlighter(QTextDocument* document) : QSyntaxHighlighter(document) {
  // Later rules win where they overlap: strings and comments come last.
  rules_.push_back({QRegularExpression(QStringLiteral(
                        R"(\b(break|case|catch|class|const|continue|debugger|default|delete|do|else|export|extends|)"
                        R"(finally|for|function|if|import|in|instanceof|let|new|return|super|switch|this|throw|try|)"
                        R"(typeof|var|void|while|with|yield|async|await|of)\b)")),
                    Format(QColor(0, 0, 160), true)});
  rules_.push_back({QRegularExpression(QStringLiteral(R"(\b(true|false|null|undefined|NaN|Infinity)\b)")),
                    Format(QColor(128, 0, 128))});
  rules_.push_back({QRegularExpression(QStringLiteral(R"(\b(gfx|app|print|Math)\b)")), Format(QColor(0, 110, 110), true)});
  rules_.push_back({QRegularExpression(QStringLiteral(R"(\b(0[xX][0-9a-fA-F]+|\d+\.?\d*([eE][+-]?\d+)?|\.\d+)\b)")),
                    Format(QColor(160, 80, 0))});
  rules_.push_back({QRegularExpression(QStringLiteral(R"("(\\.|[^"\\])*"|'(\\.|[^'\\])*'|`(\\.|[^`\\])*`)")),
                    Format(QColor(0, 128, 0))});
  comment_ = Format(QColor(120, 120, 120), false, true);
  rules_.push_back({QRegularExpression(QStringLiteral("//[^\n]*")), comment_});
}

void TJsHighlighter::highlightBlock(const QString& text) {
  for (const TRule& rule : rules_) {
    for (auto it = rule.pattern.globalMatch(text); it.hasNext();) {
      QRegularExpressionMatch m = it.next();
      setFormat(static_cast<int>(m.capturedStart()), static_cast<int>(m.capturedLength()), rule.format);
    }
  }
  // Block comments, which may span lines.
  setCurrentBlockState(0);
  qsizetype start = previousBlockState() == kInComment ? 0 : text.indexOf(QStringLiteral("/*"));
  while (start >= 0) {
    qsizetype end = text.indexOf(QStringLiteral("*/"), previousBlockState() == kInComment && start == 0 ? 0 : start + 2);
    qsizetype length = 0;
    if (end < 0) {
      setCurrentBlockState(kInComment);
      length = text.length() - start;
    } else {
      length = end - start + 2;
    }
    setFormat(static_cast<int>(start), static_cast<int>(length), comment_);
    start = end < 0 ? -1 : text.indexOf(QStringLiteral("/*"), start + length);
  }
}

}  // namespace kroma
