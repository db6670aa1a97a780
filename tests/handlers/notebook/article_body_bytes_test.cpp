#include <QTextDocument>

#include <gtest/gtest.h>

#include "handlers/notebook/notebook_fixture.h"
#include "platform/rtf/rtf_reader.h"
#include "platform/rtf_test_helpers.h"
#include "platform/settings_file.h"
#include "support/sql_helpers.h"

namespace {

const QString diary = QStringLiteral("旧 \"日记\"");
const QString previous_title = QStringLiteral("前一篇");
const QString body_title = QStringLiteral("旧文");

QByteArray every_byte() {
  QByteArray bytes;
  for (int i = 0; i < 256; ++i)
    bytes += static_cast<char>(i);
  return bytes;
}

QByteArray bin_picture(const QByteArray& words, const QByteArray& payload) {
  return "{\\rtf1\\ansi a{\\pict" + words + "\\bin" + QByteArray::number(payload.size()) + " " +
         payload + "}b\\par}";
}

struct BodyCase {
  const char* name;
  QByteArray bytes;
  BodyType type;
  QString shown;
  QByteArray picture;  // the one picture's bytes, when the body holds one
  QString family;      // the font the text shows in, when the body names one
};

// Test names show the case by its name, not its bytes.
void PrintTo(const BodyCase& c, std::ostream* out) {
  *out << c.name;
}

std::vector<BodyCase> body_cases() {
  const QByteArray png = rtf_test::image_file("PNG", Qt::blue);
  return {
      {"Utf8Rtf",
       "{\\rtf1\\ansi\\uc1 Notes \\u26085?\\u35760? done\\par}",
       BodyType::text,
       QStringLiteral("Notes 日记 done"),
       {},
       {}},
      {"BinEveryByte",
       bin_picture("\\wmetafile8\\picw100\\pich100", every_byte()),
       BodyType::text,
       u"a\uFFFCb"_qs,
       every_byte(),
       {}},
      {"BinPng", bin_picture("\\pngblip", png), BodyType::text, u"a\uFFFCb"_qs, png, {}},
      // 宋体 and 内容 as raw GBK bytes, 中 as an escape, in the code page the font table names.
      {"RawGbkInRtf",
       "{\\rtf1\\ansi\\ansicpg936\\deff0{\\fonttbl{\\f0\\fnil\\fcharset134 \xcb\xce\xcc\xe5;}}"
       "\\f0\\fs24 \xc4\xda\xc8\xdd \\'d6\\'d0\\par}",
       BodyType::text,
       QStringLiteral("内容 中"),
       {},
       QStringLiteral("宋体")},
      {"Blob",
       "{\\rtf1\\ansi blob body\\par}",
       BodyType::blob,
       QStringLiteral("blob body"),
       {},
       {}},
      {"GbkPlainText",
       "\xbe\xc9\xb1\xca\xbc\xc7\xc4\xda\xc8\xdd",
       BodyType::text,
       QStringLiteral("旧笔记内容"),
       {},
       {}},
      {"GbkPlainTextBlob",
       "\xbe\xc9\xb1\xca\xbc\xc7",
       BodyType::blob,
       QStringLiteral("旧笔记"),
       {},
       {}},
  };
}

class ArticleBodyTest : public NotebookTest, public ::testing::WithParamInterface<BodyCase> {
 protected:
  // 日记 with an ordinary article and the one whose body is under test.
  void seed_bodies() {
    seed_category(diary, QStringLiteral("1"));
    seed_article(diary, QStringLiteral("1"), previous_title,
                 QStringLiteral("{\\rtf1\\ansi previous\\par}"));
    const qint64 id = seed_article(diary, QStringLiteral("2"), body_title, {});
    ASSERT_TRUE(seed_article_body(db(), id, GetParam().bytes, GetParam().type));
  }

  // The text, the picture and the font of a document, as the case expects them.
  static void expect_body(const QTextDocument& document, const QString& shown) {
    const BodyCase& c = GetParam();
    EXPECT_EQ(document.toPlainText(), shown);
    const auto pictures = rtf_test::pictures_of(document);
    if (c.picture.isEmpty()) {
      EXPECT_TRUE(pictures.empty());
    } else {
      ASSERT_EQ(pictures.size(), 1u);
      EXPECT_EQ(pictures.front().bytes, c.picture);
    }
    if (!c.family.isEmpty()) {
      const auto paragraphs = rtf_test::paragraphs_of(document);
      ASSERT_FALSE(paragraphs.empty());
      ASSERT_FALSE(paragraphs.front().runs.empty());
      EXPECT_EQ(paragraphs.front().runs.front().family, c.family);
    }
  }

  // What the row holds now, read again as the next load reads it.
  void expect_stored(const QString& shown) {
    const auto rows = query_rows(
        QStringLiteral("select typeof(文章内容), 文章内容 from 文章管理 where 文章标题 = '") +
        body_title + QStringLiteral("'"));
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows.front().value(0), QStringLiteral("text"));
    const QByteArray stored = rows.front().value(1).toUtf8();
    EXPECT_TRUE(stored.startsWith("{\\rtf"));
    QTextDocument document;
    read_rtf(stored, document);
    expect_body(document, shown);
  }
};

// Loaded from the stored bytes, saved with and without an edit: the text, the picture's bytes and
// the font's name survive whatever the row holds, and choosing the row loads it.
TEST_P(ArticleBodyTest, LoadsAndSavesTheStoredBytes) {
  seed_bodies();
  start_main_window();
  choose_category(0);
  click_list_row(0);
  click_list_row(1);
  EXPECT_TRUE(seam().messages().empty()) << seam().message_texts().join(u'|').toStdString();
  EXPECT_EQ(globals().loaded_article_row, 1);
  EXPECT_EQ(status(), QStringLiteral("当前位置：  ") + body_title);
  expect_body(*editor().document(), GetParam().shown);

  choose_menu(MenuCommand::save);
  expect_stored(GetParam().shown);

  type_into_editor(QStringLiteral("x"));
  choose_menu(MenuCommand::save);
  EXPECT_TRUE(seam().messages().empty());
  expect_stored(QStringLiteral("x") + GetParam().shown);
}

// The last position names the article: start-up loads it without a run-time error.
TEST_P(ArticleBodyTest, StartUpRestoresTheArticle) {
  seed_bodies();
  write_ini_value(settings_path(), QStringLiteral("FWJL"), QStringLiteral("FL"), diary);
  write_ini_value(settings_path(), QStringLiteral("FWJL"), QStringLiteral("WZ"), body_title);
  start_main_window();
  EXPECT_TRUE(seam().messages().empty()) << seam().message_texts().join(u'|').toStdString();
  EXPECT_EQ(list().current_row(), 1);
  EXPECT_EQ(globals().loaded_article_row, 1);
  expect_body(*editor().document(), GetParam().shown);
  EXPECT_FALSE(editor().modified());
}

INSTANTIATE_TEST_SUITE_P(Bodies, ArticleBodyTest, ::testing::ValuesIn(body_cases()),
                         [](const auto& test_case) { return std::string(test_case.param.name); });

}  // namespace
