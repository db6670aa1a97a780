#pragma once

#include <QByteArray>
#include <QMetaType>
#include <QSize>
#include <QVariant>

#include <cstdint>
#include <optional>

class QTextDocument;
class QUrl;

namespace rtf {

// A picture as the RTF gave it: the words that name its type and size (\wmetafile8\picw..\pich..)
// and its bytes. It is written back unchanged, whatever the editor could show of it.
struct KeptPicture {
  QByteArray words;
  QByteArray data;
  // The group the picture is the shown part of (an embedded object, a shape) as it came, in 7-bit
  // form; written in the picture's place, read with \ucN of unicode_skip. Empty for a picture of
  // its own.
  QByteArray group;
  int unicode_skip = 1;
};

// Kept as a resource of the document beside the image of the given name.
void keep_picture(QTextDocument& document, const QUrl& name, const KeptPicture& picture);
std::optional<KeptPicture> kept_picture(const QTextDocument& document, const QUrl& name);

enum class PictureType : std::uint8_t { none, png, jpeg, emf, wmf, dib, ddb, mac, os2 };

// What the editor shows of a picture: bytes Qt decodes (PNG, JPEG, a device-independent bitmap
// given its file header) with their size in pixels, else a grey box and an invalid size.
struct PictureView {
  QVariant resource;
  QSize natural;
};

PictureView view_of(PictureType type, const QByteArray& data);

}  // namespace rtf

Q_DECLARE_METATYPE(rtf::KeptPicture)
