#include <QCoreApplication>
#include <QTextDocument>

#include <cstddef>
#include <cstdint>

#include "platform/rtf/rtf_reader.h"
#include "platform/rtf/rtf_writer.h"

// QTextDocument, its formats and the image readers work without a GUI application; plugins
// (JPEG) need a core application.
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  static QCoreApplication app(*argc, *argv);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QByteArray input =
      QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  QTextDocument document;
  read_rtf(input, document);
  // What was read writes and reads back with the same text, and writing again changes nothing.
  const QByteArray rtf = write_rtf(document);
  QTextDocument again;
  read_rtf(rtf, again);
  if (again.toPlainText() != document.toPlainText() || write_rtf(again) != rtf)
    __builtin_trap();
  return 0;
}
