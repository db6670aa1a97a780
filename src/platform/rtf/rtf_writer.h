#pragma once

#include <QByteArray>

class QTextDocument;

// The document as RTF: 7-bit ASCII that WordPad, Word and LibreOffice open.
QByteArray write_rtf(const QTextDocument& document);
