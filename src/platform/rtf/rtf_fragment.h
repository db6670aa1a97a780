#pragma once

#include <QFont>
#include <QTextDocumentFragment>
#include <QUrl>
#include <QVariant>

#include <memory>
#include <optional>
#include <vector>

#include "platform/rtf/rtf_picture.h"

class QTextCursor;
class QTextDocument;

namespace rtf {

// A document keeps its pictures among its resources, which a QTextDocumentFragment leaves behind.
// These carry them along, each with the type and bytes it came with.

// A selection taken as it stands, with the pictures it shows: cheap to take, since the clipboard
// takes one at every change of the selection; the document of its own is made when first asked
// for.
class SelectionCopy {
 public:
  explicit SelectionCopy(const QTextCursor& selection);
  ~SelectionCopy();

  const QTextDocument& document();

 private:
  struct Picture {
    QUrl name;
    QVariant shown;
    std::optional<KeptPicture> kept;
  };

  QTextDocumentFragment fragment_;
  QFont default_font_;
  std::vector<Picture> pictures_;
  std::unique_ptr<QTextDocument> document_;
};

// Replaces the cursor's selection with the document's content as one edit; its pictures join the
// cursor's document under names of their own, so that they meet none of its pictures.
void insert_document(QTextDocument& document, QTextCursor& cursor);

}  // namespace rtf
