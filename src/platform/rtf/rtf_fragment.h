#pragma once

class QTextCursor;
class QTextDocument;

namespace rtf {

// A document keeps its pictures among its resources, which a QTextDocumentFragment leaves behind.
// These carry them along, each with the type and bytes it came with.

// Fills the empty document with the selection and the pictures it shows.
void copy_selection(const QTextCursor& selection, QTextDocument& copy);

// Replaces the cursor's selection with the document's content as one edit; its pictures join the
// cursor's document under names of their own, so that they meet none of its pictures.
void insert_document(QTextDocument& document, QTextCursor& cursor);

}  // namespace rtf
