#include <gtest/gtest.h>

#include <QFile>
#include <QTextDocument>

#include <vector>

#include "platform/rtf/rtf_reader.h"
#include "platform/rtf/rtf_writer.h"
#include "platform/rtf_test_helpers.h"

namespace {

using rtf_test::pictures_of;

QByteArray fixture(const char* name) {
  QFile file(QStringLiteral(WRENFOLD_TEST_DATA_DIR "/rtf/") + QLatin1String(name));
  EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
  return file.readAll();
}

// The group that starts at the first occurrence of the opening, up to its own closing brace.
QByteArray group_at(const QByteArray& rtf, const char* opening) {
  const qsizetype start = rtf.indexOf(opening);
  int depth = 0;
  for (qsizetype i = start; start >= 0 && i < rtf.size(); ++i) {
    depth += rtf[i] == '{' ? 1 : rtf[i] == '}' ? -1 : 0;
    if (depth == 0)
      return rtf.mid(start, i + 1 - start);
  }
  return {};
}

// Objects pasted from Word or WPS, a floating picture and a picture with a link go back whole,
// with their data and their own words, so that the program that made them finds them again; what
// is shown is the picture.
TEST(RtfObjects, ObjectsShapesAndLinkedPicturesGoBackAsTheyCame) {
  const QByteArray rtf = fixture("embedded_objects.rtf");
  const QByteArray equation = group_at(rtf, "{\\object\\objemb\\objw1905");
  const QByteArray sheet = group_at(rtf, "{\\object\\objemb\\objw2400");
  const QByteArray floating = group_at(rtf, "{\\shp{\\*\\shpinst\\shpleft0");
  const QByteArray linked = group_at(rtf, "{\\field");
  ASSERT_FALSE(equation.isEmpty() || sheet.isEmpty() || floating.isEmpty() || linked.isEmpty());

  QTextDocument document;
  read_rtf(rtf, document);
  EXPECT_EQ(document.toPlainText(),
            u"Equation \uFFFC and sheet \uFFFC.\nFloating \uFFFC here.\nLink \uFFFC and text.\n"
            u"Box \uFFFCboxed stays."_qs);
  const auto check = [&](const QTextDocument& read) {
    const auto pictures = pictures_of(read);
    ASSERT_EQ(pictures.size(), 5u);
    EXPECT_EQ(pictures[0].words, "\\wmetafile8\\picw1905\\pich645");
    EXPECT_EQ(pictures[0].size, QSizeF(72, 24));
    EXPECT_EQ(pictures[0].group, equation);
    EXPECT_EQ(pictures[1].words, "\\pngblip");
    EXPECT_EQ(pictures[1].decoded, QSize(3, 2));
    EXPECT_EQ(pictures[1].group, sheet);
    EXPECT_EQ(pictures[2].decoded, QSize(2, 2));
    EXPECT_EQ(pictures[2].group, floating);
    EXPECT_EQ(pictures[3].group, linked);
    // A text box shows its result, which the user may edit: it is not written back as it came.
    EXPECT_EQ(pictures[4].bytes, QByteArray::fromHex("0c0d"));
    EXPECT_TRUE(pictures[4].group.isEmpty());
  };
  check(document);

  const QByteArray written = write_rtf(document);
  for (const QByteArray& group : {equation, sheet, floating, linked})
    EXPECT_TRUE(written.contains(group)) << written.constData();
  // The link of the text goes back as a link around its text.
  EXPECT_EQ(written.count("HYPERLINK"), 2);
  EXPECT_TRUE(written.contains(
      "{\\field{\\*\\fldinst HYPERLINK \"https://example.com/\"}{\\fldrslt text}}"))
      << written.constData();
  EXPECT_FALSE(written.contains("shptxt"));
  QTextDocument again;
  read_rtf(written, again);
  check(again);
  EXPECT_EQ(again.toPlainText(), document.toPlainText());
  EXPECT_EQ(write_rtf(again), written);
}

struct SevenBitCase {
  const char* name;
  QByteArray group;  // inside {\rtf1 x ... y}
  QByteArray kept;   // as it is written back
};

// Our RTF is 7-bit text: binary data and bytes beyond ASCII in a kept group are written as the
// hex and escapes every reader reads alike.
TEST(RtfObjects, AKeptGroupIsWrittenInSevenBitsThatReadTheSame) {
  const std::vector<SevenBitCase> cases = {
      {"binary object data holding a brace",
       "{\\object{\\*\\objdata \\bin4 " + QByteArray("\x01}\xFF\x00", 4) +
           "}{\\result{\\pict\\wmetafile8 0a0b}}}",
       "{\\object{\\*\\objdata \n017dff00}{\\result{\\pict\\wmetafile8 0a0b}}}"},
      {"binary picture of the result",
       QByteArray("{\\object{\\result{\\pict\\emfblip\\bin2 \x0a\x0b}}}"),
       "{\\object{\\result{\\pict\\emfblip\n0a0b}}}"},
      {"a name in the document's code page",
       "{\\object{\\*\\objname \xB1\xED}{\\result{\\pict\\wmetafile8 0a0b}}}",
       "{\\object{\\*\\objname \\'b1\\'ed}{\\result{\\pict\\wmetafile8 0a0b}}}"},
  };
  for (const SevenBitCase& c : cases) {
    SCOPED_TRACE(c.name);
    QTextDocument document;
    read_rtf("{\\rtf1\\uc2 x" + c.group + "y}", document);
    const auto pictures = pictures_of(document);
    ASSERT_EQ(pictures.size(), 1u);
    EXPECT_EQ(pictures[0].bytes, QByteArray::fromHex("0a0b"));
    EXPECT_EQ(pictures[0].group, c.kept);
    const QByteArray written = write_rtf(document);
    EXPECT_TRUE(written.contains("x" + c.kept + "y")) << written.constData();

    QTextDocument again;
    read_rtf(written, again);
    EXPECT_EQ(again.toPlainText(), u"x\uFFFCy"_qs);
    const auto read_again = pictures_of(again);
    ASSERT_EQ(read_again.size(), 1u);
    EXPECT_EQ(read_again[0].bytes, pictures[0].bytes);
    EXPECT_EQ(read_again[0].group, c.kept);
  }
}

struct LooseCase {
  const char* name;
  QByteArray rtf;
  QString text;
  std::size_t pictures;
};

// A group is kept only when the one picture stands for all it shows; otherwise what shows is kept
// as before and the rest of the group goes.
TEST(RtfObjects, AGroupThatShowsMoreThanOnePictureIsNotKept) {
  const std::vector<LooseCase> cases = {
      {"an object with a caption",
       "{\\rtf1 {\\object{\\*\\objdata 01}{\\result{\\pict\\wmetafile8 0a}cap}}}", u"\uFFFCcap"_qs,
       1},
      {"an object with two pictures",
       "{\\rtf1 {\\object{\\*\\objdata 01}{\\result{\\pict\\wmetafile8 0a}{\\pict\\wmetafile8 "
       "0b}}}}",
       u"\uFFFC\uFFFC"_qs, 2},
      {"an object that ends a paragraph",
       "{\\rtf1 {\\object{\\*\\objdata 01}{\\result{\\pict\\wmetafile8 0a}\\par}}z}",
       u"\uFFFC\nz"_qs, 1},
      {"an object cut off by the end of the file",
       "{\\rtf1 {\\object{\\*\\objdata 01}{\\result{\\pict\\wmetafile8 0a}}", u"\uFFFC"_qs, 1},
      // The bytes show nothing in the code page of the group's font, and may show in another.
      {"text bytes that show nothing here",
       "{\\rtf1{\\fonttbl{\\f0 Arial;}{\\f1\\fcharset136 MingLiU;}}y{\\object{\\*\\objdata "
       "01}{\\result\\f1 \\'ff\\'ff{\\pict\\wmetafile8 0a}}}z}",
       u"y\uFFFCz"_qs, 1},
      {"binary data after half a hex byte",
       "{\\rtf1 {\\object{\\*\\objdata 01}{\\result{\\pict\\wmetafile8 a\\bin1 Z}}}}", u"\uFFFC"_qs,
       1},
  };
  for (const LooseCase& c : cases) {
    SCOPED_TRACE(c.name);
    QTextDocument document;
    read_rtf(c.rtf, document);
    EXPECT_EQ(document.toPlainText(), c.text);
    const auto pictures = pictures_of(document);
    ASSERT_EQ(pictures.size(), c.pictures);
    for (const auto& picture : pictures)
      EXPECT_TRUE(picture.group.isEmpty());
    const QByteArray written = write_rtf(document);
    EXPECT_FALSE(written.contains("objdata")) << written.constData();
  }
}

// The innermost group that shows only its picture is kept when the one around it shows more.
TEST(RtfObjects, AnObjectInsideALinkWithTextIsKeptWithoutTheLink) {
  const QByteArray object = "{\\object{\\*\\objdata 0105}{\\result{\\pict\\wmetafile8 0a0b}}}";
  QTextDocument document;
  read_rtf("{\\rtf1\\uc2 {\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt see " + object + "}}}",
           document);
  EXPECT_EQ(document.toPlainText(), u"see \uFFFC"_qs);
  const auto pictures = pictures_of(document);
  ASSERT_EQ(pictures.size(), 1u);
  EXPECT_EQ(pictures[0].group, object);
  EXPECT_TRUE(write_rtf(document).contains(object));
}

// Blanks inside an object are part of the group, so they do not double at every save; a group read
// under another \ucN is written inside one, so that it reads the same.
TEST(RtfObjects, BlanksAndUnicodeSkipInsideAGroupStayAsTheyWere) {
  const QByteArray group = "{\\object {\\result {\\pict\\wmetafile8\\u65 A0a0b} }}";
  QTextDocument document;
  read_rtf("{\\rtf1\\uc1 x " + group + " y}", document);
  EXPECT_EQ(document.toPlainText(), u"x \uFFFC y"_qs);
  const QByteArray written = write_rtf(document);
  EXPECT_TRUE(written.contains("{\\uc1" + group + "}")) << written.constData();
  QTextDocument again;
  read_rtf(written, again);
  EXPECT_EQ(again.toPlainText(), u"x \uFFFC y"_qs);
  ASSERT_EQ(pictures_of(again).size(), 1u);
  EXPECT_EQ(pictures_of(again)[0].bytes, QByteArray::fromHex("0a0b"));
  EXPECT_EQ(write_rtf(again), written);
}

}  // namespace
