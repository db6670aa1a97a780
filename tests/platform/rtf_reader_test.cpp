#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>
#include <QTextTable>
#include <QUrl>

#include "platform/rtf/rtf_reader.h"
#include "platform/rtf/rtf_writer.h"
#include "platform/rtf_test_helpers.h"
#include "support/file_contents.h"

namespace {

using rtf_test::paragraphs_of;

QString read_text(const QByteArray& rtf) {
  QTextDocument document;
  read_rtf(rtf, document);
  // Raw text keeps line separators and no-break spaces apart from paragraph ends and blanks.
  return document.toRawText().replace(QChar::ParagraphSeparator, u'\n');
}

struct TextCase {
  const char* name;
  QByteArray rtf;
  QString text;
};

// Test names show the case by its name, not its bytes.
void PrintTo(const TextCase& c, std::ostream* out) {
  *out << c.name;
}

const TextCase text_cases[] = {
    {"ansicpg936_gbk_pairs", R"({\rtf1\ansi\ansicpg936 \'d6\'d0\'ce\'c4})", u"中文"_qs},
    {"gbk_trail_byte_written_as_ascii", R"({\rtf1\ansi\ansicpg936 \'81@\'81A})", u"丂丄"_qs},
    {"font_charsets_decide",
     R"({\rtf1\ansi\ansicpg1252{\fonttbl{\f0\fcharset136 MingLiU;}{\f1\fcharset128 MS Gothic;})"
     R"({\f2\fcharset129 Gulim;}{\f3\fcharset204 Arial Cyr;}{\f4\cpg1253 Greek;}{\f5 Plain;}})"
     R"(\f0\'a4\'a4\f1\'93\'fa\f2\'c7\'d1\f3\'c0\f4\'c1\f5\'e9})",
     u"中日한АΑé"_qs},
    {"fcharset0_in_a_gbk_document_is_1252",
     R"({\rtf1\ansi\ansicpg936{\fonttbl{\f0\fcharset0 Times;}{\f1\fcharset134 SimSun;}})"
     R"(\f0\'b1\f1\'a1\'c0})",
     u"±±"_qs},
    {"double_byte_text_in_its_associated_font",
     R"({\rtf1\ansi\ansicpg1252{\fonttbl{\f0\fcharset0 Times;}{\f13\fcharset134 SimSun;}})"
     R"(\loch\f0\hich\af0\dbch\af13 \'d5\'c5\loch\'b1})",
     u"张±"_qs},
    {"unicode_with_uc_fallbacks",
     R"({\rtf1\ansi\uc1\u20013?\uc2\u25991\'ce\'c4\uc0\u23383 \u48 0 ok})", u"中文字00 ok"_qs},
    {"negative_unicode_and_surrogates", R"({\rtf1\ansi\u-10179?\u-9047?\u-3?})", u"💩\uFFFD"_qs},
    {"fallback_skip_ends_at_group_end", R"({\rtf1\ansi{\uc2\u20013}ab})", u"中ab"_qs},
    {"unicode_runs_keep_order_and_fallbacks",
     R"({\rtf1\ansi\uc0 ab\u\u48\u49 c\uc2\u20013\'d6\'d0\u25991\'ce\'c4 \u23383\'d7x)"
     R"(\uc1\u20013?\u25991??})",
     u"ab01c中文 字中文?"_qs},
    {"unicode_word_without_parameter_keeps_a_gbk_pair_whole",
     R"({\rtf1\ansi\ansicpg936\uc1 \'d6\u-\'d0x})", u"中x"_qs},
    {"long_unicode_run",
     QByteArray(R"({\rtf1\ansi\uc1 )") + QByteArray(R"(\u20013?)").repeated(600) + "}",
     QString(600, u'中')},
    {"ignorable_and_unknown_destinations",
     R"({\rtf1\ansi{\*\unknowndest hidden}{\*\generator Writer;}\unknownword123 shown)"
     R"({\unknowngroup visible}})",
     u"shownvisible"_qs},
    {"tables_not_shown",
     R"({\rtf1\ansi{\fonttbl{\f0 Arial;}}{\colortbl;\red1\green2\blue3;}{\stylesheet{\s0 Normal;}})"
     R"({\info{\title T}{\author A}}{\*\listtable{\list{\listlevel{\leveltext\'01\u8226 ?;}}}})"
     R"({\header head}{\footnote note}{\*\bkmkstart b}body})",
     u"\uFFFCbody"_qs},  // the footnote is kept, in an object that shows nothing
    {"breaks", "{\\rtf1\\ansi a\\par b\\line c\\tab d\\page e\\sect f\\\nG\\\r\nH\r\nI}",
     u"a\nb\u2028c\td\ne\nf\nG\nHI"_qs},
    // A cell per cell (each starts with a frame mark in the raw text), and the text after them.
    {"tables_keep_their_cells",
     R"({\rtf1\ansi\trowd\cellx100\cellx200\pard\intbl a\cell b\cell\row)"
     R"(\trowd\cellx100\cellx200\pard\intbl c\cell\cell\row after})",
     u"\uFDD0a\uFDD0b\uFDD0c\uFDD0\uFDD1after"_qs},
    {"symbols",
     R"({\rtf1\ansi \{\}\\\~\_\-x\emdash\endash\lquote\rquote\ldblquote\rdblquote\bullet})",
     u"{}\\\u00A0\u2011x—–‘’“”•"_qs},
    {"upr_shows_its_unicode_form", R"({\rtf1\ansi{\upr{ansi text}{\*\ud{\u27979?}}}})", u"测"_qs},
    {"fields_show_their_result",
     R"({\rtf1\ansi{\field{\*\fldinst HYPERLINK "http://x"}{\fldrslt link}}})", u"link"_qs},
    {"bin_payload_is_data_whatever_it_holds",
     "{\\rtf1\\ansi a\\bin3 }{\\ b{\\pict\\wmetafile8\\bin4 }\xff{\\}c}", u"a b\uFFFCc"_qs},
    {"bin_without_count_reads_nothing", R"({\rtf1\ansi x\bin yz})", u"xyz"_qs},
    {"plain_resets_characters_pard_paragraphs", R"({\rtf1\ansi\b x\plain y\pard z})", u"xyz"_qs},
    {"garbage_before_header", "junk\xff\xfe{\\rtf1\\ansi hello}", u"hello"_qs},
    {"text_after_the_document_ends", R"({\rtf1\ansi a}} b})", u"a"_qs},
    {"truncated_document", R"({\rtf1\ansi abc{\b def)", u"abcdef"_qs},
    {"list_labels_not_shown",
     R"({\rtf1\ansi{\pntext\f1\'B7\tab}{\*\pn\pnlvlblt{\pntxtb\'B7}}one\par{\listtext 2.\tab}\ls1 two})",
     u"one\ntwo"_qs},
    {"plain_utf8_text", "纯文本 UTF-8\n第二行", u"纯文本 UTF-8\n第二行"_qs},
    {"plain_gbk_text", QByteArray("\xb4\xbf\xce\xc4\xb1\xbe GBK"), u"纯文本 GBK"_qs},
    {"empty", "", u""_qs},
};

class RtfReaderText : public ::testing::TestWithParam<TextCase> {};

TEST_P(RtfReaderText, GivesTheText) {
  EXPECT_EQ(read_text(GetParam().rtf), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Cases, RtfReaderText, ::testing::ValuesIn(text_cases),
                         [](const auto& test_case) { return std::string(test_case.param.name); });

TEST(RtfReader, CharacterPropertiesFromTablesAndResets) {
  QTextDocument document;
  read_rtf(R"({\rtf1\ansi\ansicpg936\deff1{\fonttbl{\f0\fcharset0 Arial;})"
           R"({\f1\fnil\fcharset134 \'cb\'ce\'cc\'e5;}}{\colortbl;\red255\green0\blue0;)"
           R"(\red0\green0\blue255;;}\fs20 def\f0\fs31\b\i\ul\strike\cf1\highlight2 all)"
           R"(\plain\cf3 auto{\chcbpat1 cb}\cf0\ulnone\b0 x\par})",
           document);
  const auto paragraphs = paragraphs_of(document);
  ASSERT_EQ(paragraphs.size(), 1u);
  const auto& runs = paragraphs[0].runs;
  ASSERT_EQ(runs.size(), 5u) << rtf_test::describe(paragraphs);
  EXPECT_EQ(runs[0].text, u"def"_qs);
  EXPECT_EQ(runs[0].family, u"宋体"_qs);
  EXPECT_EQ(runs[0].points, 10);
  EXPECT_FALSE(runs[0].foreground);
  EXPECT_EQ(runs[1].text, u"all"_qs);
  EXPECT_EQ(runs[1].family, u"Arial"_qs);
  EXPECT_EQ(runs[1].points, 15.5);
  EXPECT_TRUE(runs[1].bold && runs[1].italic && runs[1].underline && runs[1].strike);
  EXPECT_EQ(runs[1].foreground, qRgb(255, 0, 0));
  EXPECT_EQ(runs[1].background, qRgb(0, 0, 255));
  // \plain goes back to \deff at 12 points; an empty colour entry is the default colour.
  EXPECT_EQ(runs[2].text, u"auto"_qs);
  EXPECT_EQ(runs[2].family, u"宋体"_qs);
  EXPECT_EQ(runs[2].points, 12);
  EXPECT_FALSE(runs[2].bold || runs[2].foreground || runs[2].background);
  EXPECT_EQ(runs[3].text, u"cb"_qs);
  EXPECT_EQ(runs[3].background, qRgb(255, 0, 0));
  EXPECT_EQ(runs[4].text, u"x"_qs);
  EXPECT_FALSE(runs[4].bold || runs[4].underline || runs[4].foreground);
}

TEST(RtfReader, AssociatedPropertiesApplyToCjkText) {
  QTextDocument document;
  read_rtf(R"({\rtf1\ansi{\fonttbl{\f0 Times;}{\f6\fcharset134 SimSun;}})"
           R"(\f0{\dbch\afs40\ab\af6\dbch Latin \u31895?\u20307?}})",
           document);
  const auto runs = paragraphs_of(document).at(0).runs;
  ASSERT_EQ(runs.size(), 2u);
  EXPECT_EQ(runs[0].text, u"Latin "_qs);
  EXPECT_EQ(runs[0].family, u"Times"_qs);
  EXPECT_FALSE(runs[0].bold);
  EXPECT_EQ(runs[1].text, u"粗体"_qs);
  EXPECT_EQ(runs[1].family, u"SimSun"_qs);
  EXPECT_EQ(runs[1].points, 20);
  EXPECT_TRUE(runs[1].bold);
}

TEST(RtfReader, ParagraphPropertiesInPixels) {
  QTextDocument document;
  read_rtf(R"({\rtf1\ansi\qc\fi-360\li720\ri150 a\par b\par\pard\qr\sl-300 c\par\pard\qj\sl300 d)"
           R"(\par\pard\sl276\slmult1 e\par\pard f})",
           document);
  const auto p = paragraphs_of(document);
  ASSERT_EQ(p.size(), 6u);
  EXPECT_EQ(p[0].alignment, Qt::AlignHCenter);
  EXPECT_EQ(p[0].text_indent, -24);
  EXPECT_EQ(p[0].left_margin, 48);
  EXPECT_EQ(p[0].right_margin, 10);
  EXPECT_EQ(p[1].left_margin, 48);  // paragraph properties last until \pard
  EXPECT_EQ(p[2].alignment, Qt::AlignRight);
  EXPECT_EQ(p[2].left_margin, 0);
  EXPECT_EQ(p[2].line_height_type, QTextBlockFormat::FixedHeight);
  EXPECT_EQ(p[2].line_height, 20);
  EXPECT_EQ(p[3].alignment, Qt::AlignJustify);
  EXPECT_EQ(p[3].line_height_type, QTextBlockFormat::MinimumHeight);
  EXPECT_EQ(p[3].line_height, 20);
  EXPECT_EQ(p[4].line_height_type, QTextBlockFormat::ProportionalHeight);
  EXPECT_EQ(p[4].line_height, 115);
  EXPECT_EQ(p[5].alignment, 0);
  EXPECT_EQ(p[5].line_height_type, QTextBlockFormat::SingleHeight);
}

// Plain paragraphs in a row go into the document together; each still keeps its own formats and
// the mark (block character format) of its text, wherever a run of them meets a change.
TEST(RtfReader, RunsOfPlainParagraphsKeepEachParagraphsFormats) {
  QTextDocument document;
  read_rtf(R"({\rtf1\ansi a\par b\par\par\qc c\par d\par\pard{\b e}\par{\b f}\par g{\i h}\par i)"
           R"(\par{\pntext\'B7\tab}{\*\pn\pnlvlblt{\pntxtb\'B7}}j\par\pard k\par{\b\par}l})",
           document);
  struct Expected {
    const char* text;
    int alignment;
    bool mark_bold;
    int list_style;
  };
  const Expected expected[] = {
      {"a", 0, false, 0},
      {"b", 0, false, 0},
      {"", 0, false, 0},
      {"c", Qt::AlignHCenter, false, 0},
      {"d", Qt::AlignHCenter, false, 0},
      {"e", 0, true, 0},
      {"f", 0, true, 0},
      {"gh", 0, false, 0},
      {"i", 0, false, 0},
      {"j", 0, false, QTextListFormat::ListDisc},
      {"k", 0, false, 0},
      {"", 0, true, 0},
      {"l", 0, false, 0},
  };
  const auto p = paragraphs_of(document);
  ASSERT_EQ(p.size(), std::size(expected));
  QTextBlock block = document.begin();
  for (std::size_t i = 0; i < std::size(expected); ++i, block = block.next()) {
    SCOPED_TRACE(i);
    EXPECT_EQ(block.text(), QString::fromLatin1(expected[i].text));
    EXPECT_EQ(p[i].alignment, expected[i].alignment);
    EXPECT_EQ(block.charFormat().fontWeight() > QFont::Medium, expected[i].mark_bold);
    EXPECT_EQ(p[i].list_style, expected[i].list_style);
  }
  ASSERT_EQ(p[7].runs.size(), 2u);
  EXPECT_FALSE(p[7].runs[0].italic);
  EXPECT_TRUE(p[7].runs[1].italic);
  EXPECT_TRUE(p[5].runs[0].bold);
}

// A long run of plain paragraphs goes in piece by piece; no paragraph, break or format may be
// lost where one piece ends, nor around one paragraph longer than a piece.
TEST(RtfReader, LongRunsOfPlainParagraphsKeepEveryParagraph) {
  QByteArray rtf = R"({\rtf1\ansi\qc )";
  QStringList expected;
  for (int i = 0; i < 6000; ++i) {
    rtf += "line " + QByteArray::number(i) + "\\par ";
    expected << QStringLiteral("line %1").arg(i);
  }
  const QString long_paragraph = QString(40'000, u'x');
  rtf += "\\pard " + long_paragraph.toLatin1() + "\\par\\par{\\b bold}\\par end}";
  expected << long_paragraph << QString() << QStringLiteral("bold") << QStringLiteral("end");
  QTextDocument document;
  read_rtf(rtf, document);
  ASSERT_EQ(document.blockCount(), expected.size());
  QTextBlock block = document.begin();
  for (qsizetype i = 0; i < expected.size(); ++i, block = block.next()) {
    ASSERT_EQ(block.text(), expected[i]) << i;
    ASSERT_EQ(block.blockFormat().alignment() == Qt::AlignHCenter, i < 6000) << i;
  }
  EXPECT_EQ(document.lastBlock().previous().begin().fragment().charFormat().fontWeight(),
            QFont::Bold);
}

TEST(RtfReader, ListsBecomeTextLists) {
  QTextDocument document;
  // WordPad bullets last until \pard; numbered \pn and \listtext labels give decimal lists.
  read_rtf(R"({\rtf1\ansi{\fonttbl{\f1\fcharset2 Symbol;}}\pard{\pntext\f1\'B7\tab})"
           R"({\*\pn\pnlvlblt\pnf1\pnindent0{\pntxtb\'B7}}\fi-360\li720 one\par)"
           R"({\pntext\f1\'B7\tab}two\par\pard plain\par)"
           R"(\pard{\pntext 1.\tab}{\*\pn\pnlvlbody\pndec{\pntxta.}}n1\par{\pntext 2.\tab}n2\par)"
           R"(\pard{\listtext\pard\plain \'95\tab}\ls1 lo\par\pard{\listtext 3.\tab}\ls2 lo2\par})",
           document);
  const auto p = paragraphs_of(document);
  ASSERT_EQ(p.size(), 7u);
  EXPECT_EQ(document.toPlainText(), u"one\ntwo\nplain\nn1\nn2\nlo\nlo2"_qs);
  const int styles[] = {
      QTextListFormat::ListDisc,    QTextListFormat::ListDisc,    0,
      QTextListFormat::ListDecimal, QTextListFormat::ListDecimal, QTextListFormat::ListDisc,
      QTextListFormat::ListDecimal};
  for (int i = 0; i < 7; ++i)
    EXPECT_EQ(p[i].list_style, styles[i]) << i;
  const QTextBlock first = document.begin();
  EXPECT_EQ(first.textList(), first.next().textList());
  EXPECT_EQ(first.textList()->count(), 2);
  EXPECT_EQ(p[0].left_margin, 48);
  EXPECT_EQ(p[0].text_indent, -24);
}

TEST(RtfReader, PicturesBecomeImageResources) {
  const QByteArray png = rtf_test::image_file("PNG", Qt::red, QSize(8, 6));
  const QByteArray jpeg = rtf_test::image_file("JPEG", Qt::green, QSize(10, 5));
  QTextDocument document;
  read_rtf("{\\rtf1\\ansi{\\pict\\pngblip\\picw100\\pich100\\picwgoal300\\pichgoal150\n" +
               png.toHex() + "}{\\*\\shppict{\\pict\\jpegblip\\picscalex50\\picscaley200\\bin" +
               QByteArray::number(jpeg.size()) + " " + jpeg +
               "}}{\\nonshppict{\\pict\\wmetafile8 0102}}{\\pict\\jpegblip}}",
           document);
  const auto runs = paragraphs_of(document).at(0).runs;
  ASSERT_EQ(runs.size(), 2u);
  EXPECT_EQ(runs[0].image_bytes, png);
  EXPECT_EQ(runs[0].image_size, QSizeF(20, 10));
  EXPECT_EQ(runs[1].image_bytes, jpeg);
  EXPECT_EQ(runs[1].image_size, QSizeF(5, 10));
  const QTextImageFormat first = document.begin().begin().fragment().charFormat().toImageFormat();
  EXPECT_EQ(first.name(), u"rtfimg:1"_qs);
}

TEST(RtfReader, ReplacesTheDocumentAndKeepsUndoSetting) {
  QTextDocument document;
  document.setPlainText(QStringLiteral("old"));
  document.addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("rtfimg:1")),
                       QByteArray("stale"));
  read_rtf(R"({\rtf1 new})", document);
  EXPECT_EQ(document.toPlainText(), u"new"_qs);
  EXPECT_TRUE(document.resource(QTextDocument::ImageResource, QUrl(u"rtfimg:1"_qs)).isNull());
  EXPECT_TRUE(document.isUndoRedoEnabled());
  EXPECT_FALSE(document.isUndoAvailable());
}

// Made with LibreOffice 7.4 (soffice --convert-to rtf) from an HTML page with every feature.
TEST(RtfReader, LibreOfficeFileKeepsTextAndFormats) {
  QTextDocument document;
  read_rtf(read_file(WRENFOLD_TEST_DATA_DIR "/rtf/libreoffice_features.rtf"), document);
  EXPECT_EQ(document.toPlainText(),
            u"中文标题：文章内容 Plain text\n粗体 斜体 下划线 删除线 红色 黄底 大字\n居中段落\n"
            "右对齐段落\n缩进段落 with indent\n第一项\n第二项\n编号一\n编号二\n甲\n乙\n丙\n丁\n"
            "图片：\uFFFC"_qs);
  const auto p = paragraphs_of(document);
  ASSERT_EQ(p.size(), 14u);
  const auto run_of = [&](int paragraph, const QString& text) {
    for (const auto& run : p[paragraph].runs) {
      if (run.text == text)
        return run;
    }
    ADD_FAILURE() << "no run " << text.toStdString() << "\n" << rtf_test::describe(p);
    return rtf_test::Run();
  };
  EXPECT_EQ(run_of(0, u"中文标题：文章内容"_qs).family, u"宋体"_qs);
  EXPECT_EQ(run_of(0, u"中文标题：文章内容"_qs).points, 12);
  EXPECT_TRUE(run_of(1, u"粗体"_qs).bold);
  EXPECT_TRUE(run_of(1, u"斜体"_qs).italic);
  EXPECT_TRUE(run_of(1, u"下划线"_qs).underline);
  EXPECT_TRUE(run_of(1, u"删除线"_qs).strike);
  EXPECT_EQ(run_of(1, u"红色"_qs).foreground, qRgb(255, 0, 0));
  EXPECT_EQ(run_of(1, u"黄底"_qs).background, qRgb(255, 255, 0));
  EXPECT_EQ(run_of(1, u"大字"_qs).points, 20);
  EXPECT_EQ(p[2].alignment, Qt::AlignHCenter);
  EXPECT_EQ(p[3].alignment, Qt::AlignRight);
  EXPECT_EQ(p[4].left_margin, 96);
  EXPECT_EQ(p[4].text_indent, 48);
  EXPECT_EQ(p[5].list_style, QTextListFormat::ListDisc);
  EXPECT_EQ(p[6].list_style, QTextListFormat::ListDisc);
  EXPECT_EQ(p[7].list_style, QTextListFormat::ListDecimal);
  EXPECT_EQ(p[8].list_style, QTextListFormat::ListDecimal);
  const QTextTable* table = QTextCursor(document.findBlockByNumber(9)).currentTable();
  ASSERT_NE(table, nullptr);
  EXPECT_EQ(table->rows(), 2);
  EXPECT_EQ(table->columns(), 2);
  EXPECT_EQ(table->cellAt(1, 1).firstCursorPosition().block().text(), u"丁"_qs);
  const auto& image = p[13].runs.back();
  EXPECT_TRUE(image.image_bytes.startsWith("\x89PNG"));
  EXPECT_EQ(image.image.size(), QSize(8, 6));
  EXPECT_NEAR(image.image_size.width(), 80, 0.5);
  EXPECT_NEAR(image.image_size.height(), 60, 0.5);
}

// Every file under bad/ reads without crashing; a .txt beside it holds the text it must give.
TEST(RtfReader, HostileFilesGiveWhatCouldBeRead) {
  const QDir bad(QStringLiteral(WRENFOLD_TEST_DATA_DIR "/rtf/bad"));
  const QStringList files = bad.entryList({QStringLiteral("*.rtf")}, QDir::Files, QDir::Name);
  ASSERT_FALSE(files.isEmpty());
  for (const QString& name : files) {
    SCOPED_TRACE(name.toStdString());
    QTextDocument document;
    read_rtf(read_file(bad.filePath(name)), document);
    const QString expected_path = bad.filePath(QFileInfo(name).completeBaseName() + ".txt");
    if (QFile::exists(expected_path)) {
      EXPECT_EQ(document.toPlainText(), QString::fromUtf8(read_file(expected_path)).trimmed());
    }
    const QByteArray rtf = write_rtf(document);
    QTextDocument again;
    read_rtf(rtf, again);
    EXPECT_EQ(again.toPlainText(), document.toPlainText());
    EXPECT_EQ(write_rtf(again), rtf);
  }
}

TEST(RtfReader, GeneratedHostileInputs) {
  struct Generated {
    const char* name;
    QByteArray rtf;
    QString text;
  };
  QByteArray random(64 * 1024, '\0');
  QRandomGenerator generator(20261210);
  for (char& c : random)
    c = static_cast<char>(generator.bounded(256));
  const Generated cases[] = {
      {"deep_nesting",
       "{\\rtf1 a" + QByteArray(10000, '{') + "deep" + QByteArray(10000, '}') + "z}", u"adeepz"_qs},
      {"deep_unclosed", "{\\rtf1 a" + QByteArray(200000, '{') + "b", u"ab"_qs},
      {"huge_control_word", "{\\rtf1 a\\" + QByteArray(1 << 20, 'x') + "123 b}", u"ab"_qs},
      {"huge_parameter", "{\\rtf1 a\\fs" + QByteArray(1 << 20, '9') + " b\\uc99999999999 c}",
       u"abc"_qs},
      {"huge_bin_count", "{\\rtf1 a\\bin999999999999 bc}", u"a"_qs},
      {"random_bytes_after_header", "{\\rtf1 " + random, QString()},
      {"random_bytes", random, QString()},
  };
  for (const Generated& c : cases) {
    SCOPED_TRACE(c.name);
    QTextDocument document;
    read_rtf(c.rtf, document);
    if (!c.text.isNull()) {
      EXPECT_EQ(document.toPlainText(), c.text);
    }
  }
}

}  // namespace

namespace {

// Our own output of the file above, opened and saved again by LibreOffice: nothing is lost.
TEST(RtfReader, LibreOfficeResaveOfOurOutputKeepsEverything) {
  QTextDocument original;
  read_rtf(read_file(WRENFOLD_TEST_DATA_DIR "/rtf/libreoffice_features.rtf"), original);
  QTextDocument resaved;
  read_rtf(read_file(WRENFOLD_TEST_DATA_DIR "/rtf/libreoffice_resaved_wrenfold.rtf"), resaved);
  // Our output of that time gave each table row as one paragraph of cells joined by tabs.
  EXPECT_EQ(resaved.toPlainText(),
            original.toPlainText().replace(u"甲\n乙\n丙\n丁"_qs, u"甲\t乙\n丙\t丁"_qs));
  auto expected = paragraphs_of(original);
  auto actual = paragraphs_of(resaved);
  ASSERT_EQ(expected.size(), 14u);
  ASSERT_EQ(actual.size(), 12u);
  expected.erase(expected.begin() + 9, expected.begin() + 13);
  actual.erase(actual.begin() + 9, actual.begin() + 11);
  EXPECT_TRUE(expected == actual) << "expected\n"
                                  << rtf_test::describe(expected) << "actual\n"
                                  << rtf_test::describe(actual);
}

}  // namespace
