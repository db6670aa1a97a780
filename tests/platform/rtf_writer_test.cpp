#include <gtest/gtest.h>

#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <QUrl>

#include "platform/rtf/rtf_writer.h"
#include "platform/rtf_test_helpers.h"

namespace {

QTextCharFormat font(const QString& family, double points) {
  QTextCharFormat format;
  format.setFontFamilies({family});
  format.setFontPointSize(points);
  return format;
}

TEST(RtfWriter, WritesTheFormWordPadAndLibreOfficeRead) {
  QTextDocument document;
  QTextCursor cursor(&document);
  QTextBlockFormat centred;
  centred.setAlignment(Qt::AlignHCenter);
  centred.setTextIndent(-24);
  centred.setLeftMargin(48);
  centred.setRightMargin(10);
  centred.setLineHeight(20, QTextBlockFormat::FixedHeight);
  cursor.setBlockFormat(centred);
  QTextCharFormat bold = font(QStringLiteral("宋体"), 10.5);
  bold.setFontWeight(QFont::Bold);
  bold.setForeground(QColor(255, 0, 0));
  cursor.insertText(QStringLiteral("中文 bold"), bold);
  QTextCharFormat marked = font(QStringLiteral("Arial"), 10.5);
  marked.setBackground(QColor(0, 0, 255));
  marked.setFontUnderline(true);
  cursor.insertText(QStringLiteral("a{b}\\c\t€😀"), marked);

  QTextBlockFormat spaced;
  spaced.setLineHeight(150, QTextBlockFormat::ProportionalHeight);
  cursor.insertBlock(spaced, font(QStringLiteral("宋体"), 10.5));
  cursor.createList(QTextListFormat::ListDisc);
  cursor.insertText(QStringLiteral("项目"), font(QStringLiteral("SimSun"), 10.5));
  cursor.insertBlock(QTextBlockFormat(), font(QStringLiteral("宋体"), 10.5));
  cursor.createList(QTextListFormat::ListDecimal);
  cursor.insertText(QStringLiteral("one"), font(QStringLiteral("宋体"), 10.5));
  cursor.insertBlock(QTextBlockFormat(), font(QStringLiteral("宋体"), 10.5));
  QTextList* numbers = document.begin().next().next().textList();
  numbers->add(cursor.block());
  cursor.insertText(QStringLiteral("two"), font(QStringLiteral("宋体"), 10.5));

  EXPECT_EQ(
      write_rtf(document).toStdString(),
      "{\\rtf1\\ansi\\ansicpg936\\deff0\\uc2{\\fonttbl{\\f0\\fnil\\fcharset134 "
      "\\'cb\\'ce\\'cc\\'e5;}{\\f1\\fnil\\fcharset0 Arial;}{\\f2\\fnil\\fcharset2 Symbol;}"
      "{\\f3\\fnil\\fcharset134 SimSun;}}\n"
      "{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}\n"
      "{\\*\\listtable{\\list\\listtemplateid1\\listsimple{\\listlevel\\levelnfc23\\levelstartat1"
      "{\\leveltext\\'01\\'b7;}{\\levelnumbers;}\\f2}\\listid1}{\\list\\listtemplateid2\\listsimple"
      "{\\listlevel\\levelnfc0\\levelstartat1{\\leveltext\\'02\\'00.;}{\\levelnumbers\\'01;}}"
      "\\listid2}}\n"
      "{\\*\\listoverridetable{\\listoverride\\listid1\\listoverridecount0\\ls1}"
      "{\\listoverride\\listid2\\listoverridecount0\\ls2}}\n"
      "\\pard\\qc\\fi-360\\li720\\ri150\\sl-300\\slmult0\\loch\\f0\\dbch\\af0\\fs21\\b\\cf1"
      "\\u20013\\'d6\\'d0\\u25991\\'ce\\'c4 bold\\loch\\f1\\dbch\\af1\\b0\\ul\\cf0\\highlight2 "
      "a\\{b\\}\\\\c\\tab\\u8364??\\u-10179??\\u-8704??\\par\n"
      "\\pard{\\pntext\\f2\\'B7\\tab}{\\*\\pn\\pnlvlblt\\pnf2\\pnindent0{\\pntxtb\\'B7}}"
      "\\ls1\\sl360\\slmult1\\loch\\f3\\dbch\\af3\\ulnone\\highlight0\\u-26503\\'cf\\'ee\\u30446\\'"
      "c4\\'"
      "bf\\par\n"
      "\\pard{\\pntext\\f0 1.\\tab}{\\*\\pn\\pnlvlbody\\pnf0\\pnindent0\\pnstart1\\pndec"
      "{\\pntxta.}}\\ls2\\loch\\f0\\dbch\\af0 one\\par\n"
      "\\pard{\\pntext\\f0 2.\\tab}{\\*\\pn\\pnlvlbody\\pnf0\\pnindent0\\pnstart1\\pndec"
      "{\\pntxta.}}\\ls2 two\\par\n"
      "}");
}

TEST(RtfWriter, EmptyDocumentHasSongTiAsDefaultFont) {
  QTextDocument document;
  const QByteArray rtf = write_rtf(document);
  EXPECT_TRUE(
      rtf.startsWith("{\\rtf1\\ansi\\ansicpg936\\deff0\\uc2{\\fonttbl{\\f0\\fnil"
                     "\\fcharset134 \\'cb\\'ce\\'cc\\'e5;}"))
      << rtf.constData();
  EXPECT_TRUE(rtf.endsWith("\\par\n}")) << rtf.constData();
}

TEST(RtfWriter, ImagesAsPngOrJpegBlips) {
  const QByteArray jpeg = rtf_test::image_file("JPEG", Qt::green, QSize(12, 9));
  QTextDocument document;
  document.addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("rtfimg:1")), jpeg);
  document.addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("gif")),
                       rtf_test::image_file("BMP", Qt::blue, QSize(3, 2)));
  QTextCursor cursor(&document);
  QTextImageFormat image;
  image.setName(QStringLiteral("rtfimg:1"));
  image.setWidth(24);
  cursor.insertImage(image);
  image.setName(QStringLiteral("gif"));
  image.setWidth(0);
  cursor.insertImage(image);
  image.setName(QStringLiteral("missing"));
  cursor.insertImage(image);

  const QByteArray rtf = write_rtf(document);
  EXPECT_TRUE(rtf.contains("{\\pict\\jpegblip\\picw318\\pich238\\picwgoal360\\pichgoal135\n" +
                           jpeg.left(64).toHex()))
      << rtf.constData();
  EXPECT_TRUE(rtf.contains("{\\pict\\pngblip\\picw79\\pich53\\picwgoal45\\pichgoal30\n89504e47"))
      << rtf.constData();
  EXPECT_EQ(rtf.count("{\\pict"), 2);
  for (const char c : rtf)
    ASSERT_LT(static_cast<unsigned char>(c), 0x80);
}

}  // namespace

namespace {

// A font table too long for the room kept before the body still comes first, whole.
TEST(RtfWriter, ManyFontsKeepTheHeaderWhole) {
  QTextDocument document;
  QTextCursor cursor(&document);
  for (int i = 0; i < 1500; ++i) {
    cursor.insertText(QStringLiteral("字"), font(QStringLiteral("字体 \"%1\"").arg(i), 9));
  }
  const QByteArray rtf = write_rtf(document);
  EXPECT_TRUE(rtf.startsWith("{\\rtf1\\ansi\\ansicpg936\\deff0\\uc2{\\fonttbl{\\f0\\fnil"));
  EXPECT_TRUE(rtf.contains("{\\f1499\\fnil\\fcharset134 \\'d7\\'d6\\'cc\\'e5 \"1499\";}}\n"));
  EXPECT_TRUE(rtf.endsWith("\\u23383\\'d7\\'d6\\par\n}"));
}

}  // namespace
