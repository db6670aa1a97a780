#pragma once

#include <QAbstractTextDocumentLayout>
#include <QTextDocument>
#include <QTextEdit>

#include <utility>
#include <vector>

// The widths at which an editor's document is laid out, in the order the layouts report them.
class LayoutWidths {
 public:
  explicit LayoutWidths(const QTextEdit& editor) {
    QObject::connect(editor.document()->documentLayout(),
                     &QAbstractTextDocumentLayout::documentSizeChanged,
                     [this](const QSizeF& size) { widths_.push_back(qRound(size.width())); });
  }
  std::vector<int> take() { return std::exchange(widths_, {}); }

 private:
  std::vector<int> widths_;
};
