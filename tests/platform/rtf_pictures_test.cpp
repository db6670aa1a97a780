#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QTextDocument>

#include <vector>

#include "platform/rtf/rtf_reader.h"
#include "platform/rtf/rtf_writer.h"
#include "platform/rtf_test_helpers.h"

namespace {

using rtf_test::pictures_of;

QByteArray dib_of(const QImage& image) {
  QByteArray bmp;
  QBuffer buffer(&bmp);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "BMP");
  return bmp.mid(14);  // a DIB is a BMP without its file header
}

struct Expected {
  QByteArray words;
  QByteArray bytes;
  QSizeF size;
  QSize decoded;  // (1, 1): a grey box stands for a picture Qt cannot draw
};

// Pictures of every type other programs write, each kept with its type and bytes; what Qt cannot
// draw shows as a box of the picture's size.
TEST(RtfPictures, EveryPictureIsKeptAndWrittenBackAsItCame) {
  QImage bitmap(3, 2, QImage::Format_RGB32);
  bitmap.fill(Qt::blue);
  const QByteArray dib = dib_of(bitmap);
  const QByteArray png = rtf_test::image_file("PNG", Qt::red, QSize(4, 4));
  const QByteArray rtf =
      "{\\rtf1\\ansi a"
      "{\\pict\\wmetafile8\\picw2540\\pich1270\\picwgoal1440\\pichgoal720 0100090000}"
      "{\\pict\\emfblip\\picw2540\\pich2540\n0102030405}"
      "{\\pict\\dibitmap0\\picw3\\pich2\\picwgoal90\\pichgoal60 " +
      dib.toHex() +
      "}"
      "{\\pict\\wbitmap0\\picw16\\pich2\\wbmbitspixel1\\wbmplanes1\\wbmwidthbytes2 ffff0000}"
      "{\\object\\objemb{\\*\\objclass Paint.Picture}{\\*\\objdata 0105}"
      "{\\result{\\pict\\wmetafile8\\picscalex50\\picwgoal600\\pichgoal300 0a0b}}}"
      "{\\*\\shppict{\\pict\\pngblip " +
      png.toHex() +
      "}}{\\nonshppict{\\pict\\wmetafile8 0c0d}}"
      "{\\pict\\pngblip\\piccropl15\\picwgoal150\\pichgoal150 0badc0de}"
      "{\\pict\\jpegblip}b}";
  const std::vector<Expected> expected = {
      {"\\wmetafile8\\picw2540\\pich1270", QByteArray::fromHex("0100090000"), {96, 48}, {1, 1}},
      {"\\emfblip\\picw2540\\pich2540", QByteArray::fromHex("0102030405"), {96, 96}, {1, 1}},
      {"\\dibitmap0\\picw3\\pich2", dib, {6, 4}, {3, 2}},
      {"\\wbitmap0\\picw16\\pich2\\wbmbitspixel1\\wbmplanes1\\wbmwidthbytes2",
       QByteArray::fromHex("ffff0000"),
       {16, 2},
       {1, 1}},
      {"\\wmetafile8", QByteArray::fromHex("0a0b"), {20, 20}, {1, 1}},
      {"\\pngblip", png, {4, 4}, {4, 4}},
      {"\\pngblip\\piccropl15", QByteArray::fromHex("0badc0de"), {10, 10}, {1, 1}},
  };

  QTextDocument document;
  read_rtf(rtf, document);
  EXPECT_EQ(document.toPlainText(),
            QString(u'a') + QString(7, QChar::ObjectReplacementCharacter) + QString(u'b'));
  const auto check = [&](const QTextDocument& read) {
    const auto pictures = pictures_of(read);
    ASSERT_EQ(pictures.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
      SCOPED_TRACE(expected[i].words.toStdString());
      EXPECT_EQ(pictures[i].words, expected[i].words);
      EXPECT_EQ(pictures[i].bytes, expected[i].bytes);
      EXPECT_EQ(pictures[i].size, expected[i].size);
      EXPECT_EQ(pictures[i].decoded, expected[i].decoded);
    }
  };
  check(document);

  const QByteArray written = write_rtf(document);
  EXPECT_TRUE(written.contains(
      "{\\pict\\wmetafile8\\picw2540\\pich1270\\picwgoal1440\\pichgoal720\n0100090000}"))
      << written.constData();
  EXPECT_TRUE(written.contains("{\\pict\\pngblip\\piccropl15\\picwgoal150\\pichgoal150\n0badc0de}"))
      << written.constData();
  QTextDocument again;
  read_rtf(written, again);
  check(again);
  EXPECT_EQ(write_rtf(again), written);
}

TEST(RtfPictures, AShapeShowsItsPictureAndItsResultOnlyWithoutOne) {
  const QByteArray png = rtf_test::image_file("PNG", Qt::green, QSize(5, 3));
  QTextDocument document;
  // As LibreOffice and Word write pictures that float or sit in a frame.
  read_rtf(
      "{\\rtf1\\ansi x{\\shp{\\*\\shpinst\\shpleft0\\shptop0{\\sp{\\sn shapeType}{\\sv 75}}"
      "{\\sp{\\sn fillBlip}{\\sv {\\pict\\wmetafile8 0e0f}}}"
      "{\\sp{\\sn pib}{\\sv {\\pict\\pngblip\\picwgoal150\\pichgoal90 " +
          png.toHex() +
          "}}}{\\sp{\\sn wzName}{\\sv Picture 1}}}"
          "{\\shprslt{\\*\\do\\dobxcolumn}{\\pict\\wmetafile8 0102}}}y"
          "{\\shp{\\*\\shpinst{\\sp{\\sn shapeType}{\\sv 202}}{\\shptxt in the box}}"
          "{\\shprslt fallback{\\pict\\wmetafile8\\picwgoal300\\pichgoal300 0304}}}z}",
      document);
  EXPECT_EQ(document.toPlainText(), u"x\uFFFCyfallback\uFFFCz"_qs);
  const auto pictures = pictures_of(document);
  ASSERT_EQ(pictures.size(), 2u);
  EXPECT_EQ(pictures[0].words, "\\pngblip");
  EXPECT_EQ(pictures[0].bytes, png);
  EXPECT_EQ(pictures[0].size, QSizeF(10, 6));
  EXPECT_EQ(pictures[1].words, "\\wmetafile8");
  EXPECT_EQ(pictures[1].bytes, QByteArray::fromHex("0304"));
}

}  // namespace
