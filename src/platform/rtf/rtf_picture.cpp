#include "platform/rtf/rtf_picture.h"

#include <QBuffer>
#include <QColor>
#include <QImage>
#include <QImageReader>
#include <QTextDocument>
#include <QUrl>

namespace rtf {

namespace {

constexpr qsizetype bmp_file_header = 14;

QVariant grey_box() {
  static const QImage box = [] {
    QImage image(1, 1, QImage::Format_RGB32);
    image.fill(QColor(0xC0, 0xC0, 0xC0));
    return image;
  }();
  return box;
}

QSize readable_size(QByteArray bytes, const char* format) {
  QBuffer buffer(&bytes);
  return QImageReader(&buffer, format).size();
}

// Little-endian numbers of the bitmap headers, read and written byte by byte.
quint32 le(const QByteArray& data, qsizetype at, int bytes) {
  quint32 value = 0;
  for (int i = bytes - 1; i >= 0; --i)
    value = value << 8 | static_cast<quint8>(data[at + i]);
  return value;
}

void append_le32(QByteArray& data, quint32 value) {
  for (int i = 0; i < 4; ++i)
    data += static_cast<char>(value >> (8 * i) & 0xFF);
}

// A device-independent bitmap is a BMP file without its file header, which says where the pixels
// start: after the info header, the colour masks and the colour table. Empty when the info header
// is not one a DIB has or points beyond the data.
QByteArray bmp_of_dib(const QByteArray& dib) {
  if (dib.size() < 40)
    return {};
  const quint32 header = le(dib, 0, 4);
  qint64 entry = 4;
  qint64 masks = 0;
  quint32 bits = 0;
  quint32 used = 0;
  if (header == 12) {
    entry = 3;
    bits = le(dib, 10, 2);
  } else if (header == 40 || header == 52 || header == 56 || header == 108 || header == 124) {
    bits = le(dib, 14, 2);
    const quint32 compression = le(dib, 16, 4);
    used = le(dib, 32, 4);
    if (header == 40 && compression == 3)
      masks = 12;  // BI_BITFIELDS: three masks follow the header
    if (header == 40 && compression == 6)
      masks = 16;  // BI_ALPHABITFIELDS
  } else {
    return {};
  }
  const qint64 colours = used != 0 ? used : bits <= 8 ? qint64{1} << bits : 0;
  const qint64 offset = bmp_file_header + header + masks + colours * entry;
  if (offset > bmp_file_header + dib.size())
    return {};
  QByteArray bmp("BM");
  bmp.reserve(bmp_file_header + dib.size());
  append_le32(bmp, static_cast<quint32>(bmp_file_header + dib.size()));
  append_le32(bmp, 0);
  append_le32(bmp, static_cast<quint32>(offset));
  bmp += dib;
  return bmp;
}

// A document keeps its resources by name alone, whatever their type.
QUrl kept_name(const QUrl& image) {
  return QUrl(QStringLiteral("rtfkept:") + image.toString());
}

}  // namespace

void keep_picture(QTextDocument& document, const QUrl& name, const KeptPicture& picture) {
  document.addResource(QTextDocument::UserResource, kept_name(name), QVariant::fromValue(picture));
}

std::optional<KeptPicture> kept_picture(const QTextDocument& document, const QUrl& name) {
  const QVariant value = document.resource(QTextDocument::UserResource, kept_name(name));
  if (value.metaType() != QMetaType::fromType<KeptPicture>())
    return std::nullopt;
  return value.value<KeptPicture>();
}

PictureView view_of(PictureType type, const QByteArray& data) {
  switch (type) {
    case PictureType::png:
    case PictureType::jpeg:
      if (const QSize size = readable_size(data, type == PictureType::png ? "png" : "jpeg");
          size.isValid()) {
        return {data, size};
      }
      break;
    case PictureType::dib:
    case PictureType::ddb:
      // Some writers put a DIB where a device-dependent bitmap belongs; a real one has no header.
      if (const QByteArray bmp = bmp_of_dib(data); !bmp.isEmpty()) {
        if (const QSize size = readable_size(bmp, "bmp"); size.isValid())
          return {bmp, size};
      }
      break;
    default:
      break;
  }
  return {grey_box(), QSize()};
}

}  // namespace rtf
