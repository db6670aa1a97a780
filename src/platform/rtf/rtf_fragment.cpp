#include "platform/rtf/rtf_fragment.h"

#include <QHash>
#include <QSet>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QUrl>
#include <QUuid>

#include <vector>

namespace rtf {

namespace {

struct PictureRun {
  int position;
  int length;
  QTextImageFormat format;
};

std::vector<PictureRun> picture_runs(const QTextDocument& document) {
  std::vector<PictureRun> runs;
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextFragment fragment = it.fragment();
      if (fragment.charFormat().isImageFormat()) {
        runs.push_back(
            {fragment.position(), fragment.length(), fragment.charFormat().toImageFormat()});
      }
    }
  }
  return runs;
}

void copy_picture(const QTextDocument& from, const QString& name, QTextDocument& to,
                  const QString& new_name) {
  const QUrl source(name);
  const QUrl target(new_name);
  to.addResource(QTextDocument::ImageResource, target,
                 from.resource(QTextDocument::ImageResource, source));
  if (const auto kept = kept_picture(from, source))
    keep_picture(to, target, *kept);
}

}  // namespace

SelectionCopy::SelectionCopy(const QTextCursor& selection)
    : fragment_(selection), default_font_(selection.document()->defaultFont()) {
  const QTextDocument& from = *selection.document();
  const int start = selection.selectionStart();
  const int end = selection.selectionEnd();
  QSet<QString> seen;
  for (QTextBlock block = from.findBlock(start); block.isValid() && block.position() < end;
       block = block.next()) {
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextFragment fragment = it.fragment();
      if (fragment.position() >= end || fragment.position() + fragment.length() <= start ||
          !fragment.charFormat().isImageFormat()) {
        continue;
      }
      const QString name = fragment.charFormat().toImageFormat().name();
      if (seen.contains(name))
        continue;
      seen.insert(name);
      const QUrl url(name);
      pictures_.push_back(
          {url, from.resource(QTextDocument::ImageResource, url), kept_picture(from, url)});
    }
  }
}

SelectionCopy::~SelectionCopy() = default;

const QTextDocument& SelectionCopy::document() {
  if (!document_) {
    document_ = std::make_unique<QTextDocument>();
    document_->setDefaultFont(default_font_);
    QTextCursor(document_.get()).insertFragment(fragment_);
    for (const Picture& picture : pictures_) {
      document_->addResource(QTextDocument::ImageResource, picture.name, picture.shown);
      if (picture.kept)
        keep_picture(*document_, picture.name, *picture.kept);
    }
  }
  return *document_;
}

void insert_document(QTextDocument& document, QTextCursor& cursor) {
  QTextDocument& target = *cursor.document();
  QHash<QString, QString> new_names;
  for (PictureRun& run : picture_runs(document)) {
    const QString name = run.format.name();
    QString& new_name = new_names[name];
    if (new_name.isEmpty()) {
      new_name = QStringLiteral("rtfimg:") + QUuid::createUuid().toString(QUuid::WithoutBraces);
      copy_picture(document, name, target, new_name);
    }
    QTextCursor renamed(&document);
    renamed.setPosition(run.position);
    renamed.setPosition(run.position + run.length, QTextCursor::KeepAnchor);
    run.format.setName(new_name);
    renamed.setCharFormat(run.format);
  }
  cursor.beginEditBlock();
  cursor.removeSelectedText();
  cursor.insertFragment(QTextDocumentFragment(&document));
  cursor.endEditBlock();
}

}  // namespace rtf
