#pragma once
// JavaScript colouring for the script editor: keywords, numbers, strings,
// comments (also across lines) and the names of the published objects.
#include <QRegularExpression>
#include <QSyntaxHighlighter>
#include <QTextCharFormat>
#include <vector>

namespace kroma {

class TJsHighlighter : public QSyntaxHighlighter {
 public:
  explicit TJsHighlighter(QTextDocument* document);

 protected:
  void highlightBlock(const QString& text) override;

 private:
  struct TRule {
    QRegularExpression pattern;
    QTextCharFormat format;
  };
  std::vector<TRule> rules_;
  QTextCharFormat comment_;
};

}  // namespace kroma
