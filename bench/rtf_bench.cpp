// Figures for the RTF codec: a 10 MB article with a 2 MB picture against QTextDocument's own HTML
// import and export, and a typical 50 KB article.
#include <QBuffer>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QRandomGenerator>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <QUrl>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "platform/rtf/rtf_reader.h"
#include "platform/rtf/rtf_writer.h"

namespace {

// A picture of noise, so PNG cannot shrink it: about 2 MB.
QByteArray noise_png() {
  QImage image(820, 820, QImage::Format_RGB888);
  QRandomGenerator generator(7);
  for (int y = 0; y < image.height(); ++y) {
    uchar* line = image.scanLine(y);
    for (int x = 0; x < image.width() * 3; ++x)
      line[x] = static_cast<uchar>(generator.bounded(256));
  }
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return bytes;
}

// Chinese and ASCII words with a formatting change every few words, until the RTF reaches the
// given size.
void build_article(QTextDocument& document, qsizetype rtf_bytes, bool with_picture) {
  static const QStringList words = {
      QStringLiteral("笔记"),   QStringLiteral("notebook"), QStringLiteral("文章内容"),
      QStringLiteral("format"), QStringLiteral("段落"),     QStringLiteral("the"),
      QStringLiteral("宋体字"), QStringLiteral("editor"),   QStringLiteral("保存"),
      QStringLiteral("rich"),   QStringLiteral("text"),     QStringLiteral("中文标题")};
  std::vector<QTextCharFormat> formats;
  for (int i = 0; i < 8; ++i) {
    QTextCharFormat format;
    format.setFontFamilies({i % 3 == 0 ? QStringLiteral("Arial") : QStringLiteral("宋体")});
    format.setFontPointSize(9 + i % 4 * 3);
    if (i & 1)
      format.setFontWeight(QFont::Bold);
    if (i & 2)
      format.setFontItalic(true);
    if (i == 4)
      format.setForeground(QColor(200, 0, 0));
    if (i == 6)
      format.setBackground(QColor(255, 255, 0));
    if (i == 5)
      format.setFontUnderline(true);
    formats.push_back(format);
  }
  QTextCursor cursor(&document);
  cursor.beginEditBlock();
  if (with_picture) {
    document.addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("rtfimg:1")),
                         noise_png());
    QTextImageFormat image;
    image.setName(QStringLiteral("rtfimg:1"));
    image.setWidth(400);
    image.setHeight(400);
    cursor.insertImage(image);
    cursor.insertBlock();
  }
  // Each word costs about 32 bytes of RTF (Chinese as \uN with its fallback).
  const qsizetype target_words = (rtf_bytes - (with_picture ? 4'200'000 : 0)) / 32;
  QRandomGenerator generator(11);
  QString run;
  int format = 0;
  for (qsizetype n = 0; n < target_words; ++n) {
    run += words[generator.bounded(static_cast<int>(words.size()))];
    run += u' ';
    if (n % 4 == 3) {
      cursor.insertText(run, formats[static_cast<std::size_t>(format)]);
      run.clear();
      format = (format + 1) % static_cast<int>(formats.size());
    }
    if (n % 60 == 59) {
      QTextBlockFormat block;
      block.setAlignment(n % 240 == 59 ? Qt::AlignHCenter : Qt::AlignLeft);
      if (n % 180 == 119)
        block.setTextIndent(24);
      cursor.insertBlock(block);
      if (n % 300 == 299)
        cursor.createList(QTextListFormat::ListDisc);
    }
  }
  cursor.insertText(run, formats[0]);
  cursor.endEditBlock();
}

// The median of a few runs, in milliseconds.
double time_ms(int runs, const std::function<void()>& work) {
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    QElapsedTimer timer;
    timer.start();
    work();
    times.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);

  QTextDocument source;
  build_article(source, 10'000'000, true);
  const QByteArray rtf = write_rtf(source);
  QTextDocument read;
  read_rtf(rtf, read);
  const QString html = read.toHtml();
  std::printf("large article: %.1f MB RTF, %d paragraphs, %.1f MB HTML\n", rtf.size() / 1e6,
              read.blockCount(), html.toUtf8().size() / 1e6);

  const double read_ms = time_ms(3, [&] {
    QTextDocument document;
    read_rtf(rtf, document);
  });
  const double set_html_ms = time_ms(1, [&] {
    QTextDocument document;
    document.setHtml(html);
  });
  const double write_ms = time_ms(3, [&] { (void)write_rtf(read).size(); });
  const double to_html_ms = time_ms(3, [&] { (void)read.toHtml().size(); });
  std::printf("  read_rtf   %8.1f ms   setHtml %8.1f ms   ratio %.1fx (target >= 3x)\n", read_ms,
              set_html_ms, set_html_ms / read_ms);
  std::printf("  write_rtf  %8.1f ms   toHtml  %8.1f ms   ratio %.1fx (target >= 3x)\n", write_ms,
              to_html_ms, to_html_ms / write_ms);

  QTextDocument typical;
  build_article(typical, 50'000, false);
  const QByteArray small = write_rtf(typical);
  const double small_read_ms = time_ms(21, [&] {
    QTextDocument document;
    read_rtf(small, document);
  });
  const double small_write_ms = time_ms(21, [&] { (void)write_rtf(typical).size(); });
  std::printf("typical article: %.1f KB RTF, %d paragraphs\n", small.size() / 1e3,
              typical.blockCount());
  std::printf("  read_rtf   %8.2f ms (target < 10 ms)\n", small_read_ms);
  std::printf("  write_rtf  %8.2f ms (target < 10 ms)\n", small_write_ms);
  return 0;
}
