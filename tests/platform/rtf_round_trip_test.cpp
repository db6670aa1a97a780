#include <gtest/gtest.h>

#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <QUrl>

#include <functional>

#include "platform/rtf/rtf_reader.h"
#include "platform/rtf/rtf_writer.h"
#include "platform/rtf_test_helpers.h"

namespace {

using rtf_test::paragraphs_of;

QTextCharFormat song(double points = 9) {
  QTextCharFormat format;
  format.setFontFamilies({QStringLiteral("宋体")});
  format.setFontPointSize(points);
  return format;
}

QTextCharFormat with(std::function<void(QTextCharFormat&)> change) {
  QTextCharFormat format = song();
  change(format);
  return format;
}

QTextBlockFormat block_with(std::function<void(QTextBlockFormat&)> change) {
  QTextBlockFormat format;
  change(format);
  return format;
}

void add_image(QTextDocument& document, QTextCursor& cursor, const QString& name,
               const QVariant& resource, double width = 0, double height = 0) {
  document.addResource(QTextDocument::ImageResource, QUrl(name), resource);
  QTextImageFormat image;
  image.setName(name);
  if (width > 0)
    image.setWidth(width);
  if (height > 0)
    image.setHeight(height);
  cursor.insertImage(image);
}

struct Case {
  const char* name;
  std::function<void(QTextDocument&, QTextCursor&)> build;
};

// Test names show the case by its name, not its bytes.
void PrintTo(const Case& c, std::ostream* out) {
  *out << c.name;
}

const Case cases[] = {
    {"empty", [](QTextDocument&, QTextCursor&) {}},
    {"ascii_and_escapes",
     [](QTextDocument&, QTextCursor& c) {
       c.insertText(QStringLiteral("Plain {braces} and back\\slash; semi; 123 digits"), song());
     }},
    {"chinese_and_emoji",
     [](QTextDocument&, QTextCursor& c) {
       c.insertText(QStringLiteral("中文标题“引号”—破折号 € ñ 😀 end"), song(12));
     }},
    {"tabs_and_line_breaks",
     [](QTextDocument&, QTextCursor& c) {
       c.insertText(QStringLiteral("a\tb\t\tc") + QChar::LineSeparator + QStringLiteral("第二行"),
                    song());
     }},
    {"paragraphs_with_empty_ones",
     [](QTextDocument&, QTextCursor& c) {
       c.insertText(QStringLiteral("一"), song());
       c.insertBlock(QTextBlockFormat(), song(14));
       c.insertBlock(QTextBlockFormat(), song());
       c.insertText(QStringLiteral("三"), song());
       c.insertBlock(QTextBlockFormat(), song(20));
     }},
    {"character_formats",
     [](QTextDocument&, QTextCursor& c) {
       c.insertText(QStringLiteral("粗"), with([](auto& f) { f.setFontWeight(QFont::Bold); }));
       c.insertText(QStringLiteral("斜"), with([](auto& f) { f.setFontItalic(true); }));
       c.insertText(QStringLiteral("下划线"), with([](auto& f) { f.setFontUnderline(true); }));
       c.insertText(QStringLiteral("删除线"), with([](auto& f) { f.setFontStrikeOut(true); }));
       c.insertText(QStringLiteral("大"), song(26.5));
       c.insertText(QStringLiteral("Arial"),
                    with([](auto& f) { f.setFontFamilies({QStringLiteral("Arial")}); }));
       c.insertText(QStringLiteral("黑体"),
                    with([](auto& f) { f.setFontFamilies({QStringLiteral("黑体")}); }));
       c.insertText(QStringLiteral("红"),
                    with([](auto& f) { f.setForeground(QColor(255, 0, 0)); }));
       c.insertText(QStringLiteral("底色"),
                    with([](auto& f) { f.setBackground(QColor(255, 255, 0)); }));
       c.insertText(QStringLiteral("全部"), with([](auto& f) {
                      f.setFontWeight(QFont::Bold);
                      f.setFontItalic(true);
                      f.setFontUnderline(true);
                      f.setFontStrikeOut(true);
                      f.setForeground(QColor(0, 128, 255));
                      f.setBackground(QColor(10, 20, 30));
                      f.setFontPointSize(15);
                    }));
       c.insertText(QStringLiteral("普通"), song());
     }},
    {"paragraph_formats",
     [](QTextDocument&, QTextCursor& c) {
       c.setBlockFormat(block_with([](auto& f) { f.setAlignment(Qt::AlignHCenter); }));
       c.insertText(QStringLiteral("居中"), song());
       c.insertBlock(block_with([](auto& f) { f.setAlignment(Qt::AlignRight); }), song());
       c.insertText(QStringLiteral("右"), song());
       c.insertBlock(block_with([](auto& f) { f.setAlignment(Qt::AlignJustify); }), song());
       c.insertText(QStringLiteral("两端"), song());
       c.insertBlock(block_with([](auto& f) {
                       f.setAlignment(Qt::AlignLeft);
                       f.setTextIndent(24);
                       f.setLeftMargin(12);
                       f.setRightMargin(40.0 / 3);
                     }),
                     song());
       c.insertText(QStringLiteral("缩进"), song());
       c.insertBlock(block_with([](auto& f) {
                       f.setTextIndent(-16);
                       f.setLeftMargin(32);
                     }),
                     song());
       c.insertText(QStringLiteral("悬挂"), song());
       c.insertBlock(
           block_with([](auto& f) { f.setLineHeight(20, QTextBlockFormat::MinimumHeight); }),
           song());
       c.insertText(QStringLiteral("最小行高"), song());
       c.insertBlock(
           block_with([](auto& f) { f.setLineHeight(30, QTextBlockFormat::FixedHeight); }), song());
       c.insertText(QStringLiteral("固定行高"), song());
       c.insertBlock(
           block_with([](auto& f) { f.setLineHeight(150, QTextBlockFormat::ProportionalHeight); }),
           song());
       c.insertText(QStringLiteral("倍数行高"), song());
     }},
    {"bullets_and_numbers",
     [](QTextDocument&, QTextCursor& c) {
       c.insertText(QStringLiteral("列表:"), song());
       c.insertBlock(QTextBlockFormat(), song());
       c.createList(QTextListFormat::ListDisc);
       c.insertText(QStringLiteral("第一项"), song());
       c.insertBlock();  // the new paragraph stays in the list
       c.insertText(QStringLiteral("第二项"), song());
       c.insertBlock(block_with([](auto& f) {
                       f.setLeftMargin(24);
                       f.setTextIndent(-24);
                     }),
                     song());
       c.createList(QTextListFormat::ListDecimal);
       c.insertText(QStringLiteral("编号一"), song());
       c.insertBlock();
       c.insertText(QStringLiteral("编号二"), song());
       c.insertBlock(QTextBlockFormat(), song());
       c.insertText(QStringLiteral("普通段"), song());
     }},
    {"images",
     [](QTextDocument& d, QTextCursor& c) {
       c.insertText(QStringLiteral("图:"), song());
       add_image(d, c, QStringLiteral("rtfimg:1"), rtf_test::image_file("PNG", Qt::red));
       c.insertText(QStringLiteral("后"), song());
       c.insertBlock(QTextBlockFormat(), song());
       add_image(d, c, QStringLiteral("rtfimg:2"), rtf_test::image_file("JPEG", Qt::blue), 60, 40);
       add_image(d, c, QStringLiteral("rtfimg:2"), rtf_test::image_file("JPEG", Qt::blue), 60, 40);
     }},
};

class RtfRoundTrip : public ::testing::TestWithParam<Case> {};

TEST_P(RtfRoundTrip, ReadOfWriteKeepsTheDocumentAndWritingAgainGivesTheSameBytes) {
  QTextDocument original;
  QTextCursor cursor(&original);
  GetParam().build(original, cursor);

  const QByteArray rtf = write_rtf(original);
  for (const char c : rtf)
    ASSERT_LT(static_cast<unsigned char>(c), 0x80) << rtf.constData();

  QTextDocument read;
  read_rtf(rtf, read);
  EXPECT_EQ(read.toPlainText(), original.toPlainText());
  const auto expected = paragraphs_of(original);
  const auto actual = paragraphs_of(read);
  EXPECT_TRUE(expected == actual) << "expected\n"
                                  << rtf_test::describe(expected) << "actual\n"
                                  << rtf_test::describe(actual) << rtf.constData();
  for (std::size_t p = 0; p < std::min(expected.size(), actual.size()); ++p) {
    for (std::size_t r = 0; r < std::min(expected[p].runs.size(), actual[p].runs.size()); ++r) {
      if (!expected[p].runs[r].image_bytes.isEmpty()) {
        EXPECT_EQ(actual[p].runs[r].image_bytes, expected[p].runs[r].image_bytes);
      }
    }
  }

  EXPECT_EQ(write_rtf(read), rtf);
}

TEST(RtfRoundTrip, PastedImageIsWrittenAsPng) {
  QTextDocument original;
  QTextCursor cursor(&original);
  QImage pasted(5, 3, QImage::Format_RGB32);
  pasted.fill(QColor(0, 200, 100));
  add_image(original, cursor, QStringLiteral("pasted"), pasted);

  const QByteArray rtf = write_rtf(original);
  EXPECT_TRUE(rtf.contains("{\\pict\\pngblip\\picw132\\pich79\\picwgoal75\\pichgoal45\n89504e47"))
      << rtf.constData();
  QTextDocument read;
  read_rtf(rtf, read);
  EXPECT_TRUE(paragraphs_of(read) == paragraphs_of(original));
}

INSTANTIATE_TEST_SUITE_P(Features, RtfRoundTrip, ::testing::ValuesIn(cases),
                         [](const auto& test_case) { return std::string(test_case.param.name); });

}  // namespace
