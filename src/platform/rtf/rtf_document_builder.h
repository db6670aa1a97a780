#pragma once

#include <QString>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextImageFormat>

#include <vector>

#include "platform/rtf/rtf_picture.h"
#include "platform/rtf/rtf_state.h"

class QTextDocument;
class QTextList;

namespace rtf {

// Fills a document paragraph by paragraph inside one edit block, with undo off. A paragraph's
// runs wait until its end, when its properties are known.
class DocumentBuilder {
 public:
  explicit DocumentBuilder(QTextDocument& document);
  DocumentBuilder(const DocumentBuilder&) = delete;
  DocumentBuilder& operator=(const DocumentBuilder&) = delete;
  ~DocumentBuilder();

  // The format must outlive the paragraph. Line ends and control characters are dropped.
  void add_text(QStringView text, const QTextCharFormat* format);
  // What the editor shows of a picture, at the given size in pixels, and the picture as it came.
  void add_image(const QVariant& shown, const KeptPicture& kept, QSizeF size);
  // Removes the tab a table cell put last, so cells only separate.
  void remove_trailing_tab();
  bool paragraph_empty() const { return runs_.empty(); }
  // The format of the paragraph's first run, or null.
  const QTextCharFormat* first_format() const;

  void end_paragraph(const QTextBlockFormat& block, ListKind list, const QTextCharFormat& mark);

 private:
  struct Run {
    QString text;
    const QTextCharFormat* format = nullptr;
    int image = -1;  // index into images_
  };

  QTextDocument& document_;
  QTextCursor cursor_;
  bool undo_was_enabled_;
  bool first_block_ = true;
  std::vector<Run> runs_;
  std::vector<QTextImageFormat> images_;
  int image_count_ = 0;
  QTextList* list_ = nullptr;
  ListKind list_kind_ = ListKind::none;
};

}  // namespace rtf
