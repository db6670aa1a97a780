#pragma once

#include <QBuffer>
#include <QImage>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextList>
#include <QUrl>

#include <optional>
#include <string>
#include <vector>

#include "platform/rtf/rtf_picture.h"

namespace rtf_test {

// A character format as it shows: family and size fall back to the document's default font.
struct Run {
  QString text;
  QString family;
  double points = 0;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strike = false;
  std::optional<QRgb> foreground;
  std::optional<QRgb> background;
  // Images: the decoded picture and its shown size.
  QImage image;
  QByteArray image_bytes;
  QSizeF image_size;

  bool operator==(const Run& o) const {
    return text == o.text && family == o.family && points == o.points && bold == o.bold &&
           italic == o.italic && underline == o.underline && strike == o.strike &&
           foreground == o.foreground && background == o.background && image == o.image &&
           image_size == o.image_size;
  }
};

struct Paragraph {
  std::vector<Run> runs;
  int alignment = 0;  // Qt::Alignment horizontal bits, 0 when not given
  double text_indent = 0;
  double left_margin = 0;
  double right_margin = 0;
  int line_height_type = 0;
  double line_height = 0;
  int list_style = 0;  // QTextListFormat::Style, 0 when not in a list

  bool operator==(const Paragraph&) const = default;
};

inline QByteArray image_file(const char* format, QColor colour, QSize size = QSize(6, 4)) {
  QImage image(size, QImage::Format_RGB32);
  image.fill(colour);
  image.setPixelColor(0, 0, Qt::white);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, format);
  return bytes;
}

inline std::vector<Paragraph> paragraphs_of(const QTextDocument& document) {
  std::vector<Paragraph> result;
  const QFont default_font = document.defaultFont();
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    Paragraph p;
    const QTextBlockFormat f = block.blockFormat();
    if (f.hasProperty(QTextFormat::BlockAlignment)) {
      p.alignment = static_cast<int>(f.alignment() & Qt::AlignHorizontal_Mask);
    }
    p.text_indent = qRound(f.textIndent() * 1000) / 1000.0;
    p.left_margin = qRound(f.leftMargin() * 1000) / 1000.0;
    p.right_margin = qRound(f.rightMargin() * 1000) / 1000.0;
    p.line_height_type = f.lineHeightType();
    p.line_height = p.line_height_type ? qRound(f.lineHeight() * 1000) / 1000.0 : 0;
    if (block.textList())
      p.list_style = block.textList()->format().style();
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextFragment fragment = it.fragment();
      const QTextCharFormat c = fragment.charFormat();
      Run run;
      if (c.isImageFormat()) {
        const QTextImageFormat image = c.toImageFormat();
        const QVariant resource =
            document.resource(QTextDocument::ImageResource, QUrl(image.name()));
        if (resource.typeId() == QMetaType::QByteArray) {
          run.image_bytes = resource.toByteArray();
          run.image = QImage::fromData(run.image_bytes);
        } else {
          run.image = resource.value<QImage>();
        }
        run.image = run.image.convertToFormat(QImage::Format_RGB32);
        // Without a given size an image shows at its own size.
        const double width = image.width() > 0 ? image.width() : run.image.width();
        const double height = image.height() > 0 ? image.height() : run.image.height();
        run.image_size = QSizeF(qRound(width * 1000) / 1000.0, qRound(height * 1000) / 1000.0);
        for (int i = 0; i < fragment.length(); ++i)
          p.runs.push_back(run);
        continue;
      }
      run.text = fragment.text();
      const QStringList families = c.fontFamilies().toStringList();
      run.family = families.isEmpty() ? default_font.family() : families.first();
      run.points =
          c.hasProperty(QTextFormat::FontPointSize) ? c.fontPointSize() : default_font.pointSizeF();
      run.bold = c.fontWeight() > QFont::Medium;
      run.italic = c.fontItalic();
      run.underline = c.fontUnderline();
      run.strike = c.fontStrikeOut();
      if (c.hasProperty(QTextFormat::ForegroundBrush))
        run.foreground = c.foreground().color().rgb();
      if (c.hasProperty(QTextFormat::BackgroundBrush))
        run.background = c.background().color().rgb();
      // Fragments that differ only in format properties nobody shows are one run.
      if (!p.runs.empty() && p.runs.back().image.isNull()) {
        Run previous = p.runs.back();
        previous.text = run.text;
        if (previous == run) {
          p.runs.back().text += run.text;
          continue;
        }
      }
      p.runs.push_back(run);
    }
    result.push_back(p);
  }
  return result;
}

inline std::string describe(const std::vector<Paragraph>& paragraphs) {
  std::string out;
  for (const Paragraph& p : paragraphs) {
    out += "[align " + std::to_string(p.alignment) + " fi " + std::to_string(p.text_indent) +
           " li " + std::to_string(p.left_margin) + " ri " + std::to_string(p.right_margin) +
           " lh " + std::to_string(p.line_height_type) + "/" + std::to_string(p.line_height) +
           " list " + std::to_string(p.list_style) + "]";
    for (const Run& r : p.runs) {
      out += " {" + r.text.toStdString() + "|" + r.family.toStdString() + " " +
             std::to_string(r.points) + (r.bold ? " b" : "") + (r.italic ? " i" : "") +
             (r.underline ? " u" : "") + (r.strike ? " s" : "") +
             (r.foreground ? " fg" + std::to_string(*r.foreground & 0xFFFFFF) : "") +
             (r.background ? " bg" + std::to_string(*r.background & 0xFFFFFF) : "") +
             (r.image.isNull() ? ""
                               : " image " + std::to_string(r.image_size.width()) + "x" +
                                     std::to_string(r.image_size.height()) + " " +
                                     std::to_string(r.image.width())) +
             "}";
    }
    out += "\n";
  }
  return out;
}

// A picture as the document holds it: what it came as, its shown size and the size of what Qt
// decodes of it.
struct Picture {
  QByteArray words;
  QByteArray bytes;
  QSizeF size;
  QSize decoded;
  QByteArray group;  // the object or shape it shows, empty for a picture of its own
};

inline std::vector<Picture> pictures_of(const QTextDocument& document) {
  std::vector<Picture> pictures;
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextCharFormat format = it.fragment().charFormat();
      if (!format.isImageFormat())
        continue;
      const QTextImageFormat image = format.toImageFormat();
      const QUrl name(image.name());
      const auto kept = rtf::kept_picture(document, name);
      const QVariant resource = document.resource(QTextDocument::ImageResource, name);
      const QImage decoded = resource.typeId() == QMetaType::QByteArray
                                 ? QImage::fromData(resource.toByteArray())
                                 : resource.value<QImage>();
      pictures.push_back({kept ? kept->words : QByteArray(), kept ? kept->data : QByteArray(),
                          QSizeF(image.width(), image.height()), decoded.size(),
                          kept ? kept->group : QByteArray()});
    }
  }
  return pictures;
}

inline QString plain_text(const QTextDocument& document) {
  return document.toPlainText();
}

}  // namespace rtf_test
