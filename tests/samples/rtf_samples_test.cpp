#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTextDocument>

#include <vector>

#include "platform/rtf/rtf_reader.h"
#include "platform/rtf/rtf_writer.h"
#include "platform/rtf_test_helpers.h"

namespace {

using rtf_test::pictures_of;

struct Sample {
  const char* file;
  QStringList phrases;
  // The first bytes of each picture, one entry per picture.
  std::vector<QByteArray> pictures;
};

// Test names show the case by its name, not its bytes.
void PrintTo(const Sample& c, std::ostream* out) {
  *out << c.file;
}

// Real files from other programs (rtf-samples/ in the folder WRENFOLD_SAMPLES_DIR names, with a
// README that gives what each must show); they are not part of the project.
const Sample samples[] = {
    {"zh_wordpad_gbk_bullets.rtf",
     {u"新功能"_qs, u"加入代理服务器管理器"_qs, u"加入“再试失败站点对传”设置"_qs},
     {}},
    {"zh_word2003_text.rtf", {u"张三李四王五"_qs, u"(5.5～500)"_qs, u"±±"_qs}, {}},
    {"zh_word2007_uc2_upr.rtf", {u"测试"_qs}, {}},
    {"zh_mac_textedit_gbk.rtf",
     {u"印刷情况反映："_qs, u"市政府情况反映："_qs, u"022-021-00768 (Multiple)"_qs},
     {}},
    {"richedit_colors_highlight.rtf",
     {u"Colored Line"_qs, u"Highlighted Line"_qs, u"Colored & Highlighted Line"_qs},
     {}},
    {"wordpad_paragraph_props.rtf",
     {u"This is a simple five paragraph document."_qs, u"line break and it is centered."_qs,
      u"This is the fourth paragraph and it is right aligned."_qs},
     {}},
    {"richedit_list_bullets_numbers.rtf", {u"Bullet 2"_qs, u"List 1"_qs, u"List 2"_qs}, {}},
    {"libreoffice_listtable.rtf",
     {u"A short ordered list:"_qs, u"three"_qs, u"A short unordered list:"_qs},
     {}},
    {"png_hex_pict.rtf", {}, {QByteArray::fromHex("89504e47")}},
    {"jpeg_pict.rtf", {}, {QByteArray::fromHex("ffd8ffe0")}},
    {"uc2_fallback_skip.rtf", {u"0 年 abc 念"_qs}, {}},
    {"richedit_surrogates_trailing_nul.rtf", {u"Iñtërnâtiônàlizætiøn☃💩"_qs}, {}},
    {"garbage_before_header.rtf", {u"Hello world in {RTF}…"_qs}, {}},
    {"truncated_missing_close.rtf", {u"Hello world in {RTF}…"_qs}, {}},
    {"extra_closing_brace.rtf", {u"Hello world in {RTF}…"_qs}, {}},
    // The result picture of an embedded object, ten bytes of which one is "}".
    {"bin_with_brace_in_payload.rtf", {}, {QByteArray::fromHex("ffffffff7dffffffffff")}},
};

QDir samples_folder() {
  return QDir(qEnvironmentVariable("WRENFOLD_SAMPLES_DIR") + u"/rtf-samples"_qs);
}

class RtfSamples : public ::testing::TestWithParam<Sample> {};

TEST_P(RtfSamples, ShowTheirTextAndPicturesAndKeepThemAfterASave) {
  const QDir folder = samples_folder();
  ASSERT_TRUE(folder.exists()) << "no samples folder: " << folder.absolutePath().toStdString();
  QFile file(folder.filePath(QString::fromUtf8(GetParam().file)));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
  QTextDocument document;
  read_rtf(file.readAll(), document);
  const QString text = document.toPlainText();
  for (const QString& phrase : GetParam().phrases)
    EXPECT_TRUE(text.contains(phrase)) << phrase.toStdString() << "\n" << text.toStdString();

  const auto pictures = pictures_of(document);
  ASSERT_EQ(pictures.size(), GetParam().pictures.size());
  for (std::size_t i = 0; i < pictures.size(); ++i)
    EXPECT_TRUE(pictures[i].bytes.startsWith(GetParam().pictures[i])) << i;

  QTextDocument saved;
  read_rtf(write_rtf(document), saved);
  EXPECT_EQ(saved.toPlainText(), text);
  const auto saved_pictures = pictures_of(saved);
  ASSERT_EQ(saved_pictures.size(), pictures.size());
  for (std::size_t i = 0; i < pictures.size(); ++i) {
    EXPECT_EQ(saved_pictures[i].words, pictures[i].words) << i;
    EXPECT_EQ(saved_pictures[i].bytes, pictures[i].bytes) << i;
    EXPECT_EQ(saved_pictures[i].size, pictures[i].size) << i;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Files, RtfSamples, ::testing::ValuesIn(samples), [](const auto& test_case) {
      return QString::fromUtf8(test_case.param.file).section(u'.', 0, 0).toStdString();
    });

TEST(RtfSampleDetails, FallbackCharactersAreSkippedAndTheObjectShowsOnlyItsPicture) {
  const QDir folder = samples_folder();
  ASSERT_TRUE(folder.exists()) << "no samples folder: " << folder.absolutePath().toStdString();
  const auto read = [&](const char* name) {
    QFile file(folder.filePath(QString::fromUtf8(name)));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
    QTextDocument document;
    read_rtf(file.readAll(), document);
    return document.toPlainText();
  };
  EXPECT_FALSE(read("uc2_fallback_skip.rtf").contains(u"年年"_qs));
  EXPECT_EQ(read("bin_with_brace_in_payload.rtf").remove(QRegularExpression(u"[\\s\uFFFC]"_qs)),
            QString());
}

}  // namespace
