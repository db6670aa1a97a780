#pragma once

#include <QByteArray>

class QTextDocument;

// Replaces the document's content with what the RTF gives. Bad input never crashes or hangs:
// whatever text could be read is kept, else the document is left empty.
void read_rtf(const QByteArray& rtf, QTextDocument& document);
