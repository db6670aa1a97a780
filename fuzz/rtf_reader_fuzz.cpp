#include <QGuiApplication>
#include <QTextDocument>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "platform/rtf/rtf_reader.h"
#include "platform/rtf/rtf_writer.h"

// Fonts and images need a GUI application; the offscreen platform needs no display.
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  static QGuiApplication app(*argc, *argv);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QByteArray input =
      QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  QTextDocument document;
  read_rtf(input, document);
  // What was read must also write and read back.
  QTextDocument again;
  read_rtf(write_rtf(document), again);
  return 0;
}
