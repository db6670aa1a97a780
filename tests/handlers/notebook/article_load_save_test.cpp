#include "handlers/notebook/article_load_save.h"

#include <gtest/gtest.h>

#include "handlers/notebook/notebook_fixture.h"
#include "platform/conversions.h"

namespace {

const QString diary = QStringLiteral("Tom's \"日记\"");
const QString hostile = QStringLiteral("'); delete from 文章管理; --");

class LoadSaveTest : public NotebookTest {
 protected:
  // 日记 with two articles, chosen, the first loaded.
  void start_with_two_articles() {
    seed_category(diary, QStringLiteral("1"));
    seed_article(diary, QStringLiteral("1"), hostile, QStringLiteral("{\\rtf1\\ansi first body}"));
    seed_article(diary, QStringLiteral("2"), QStringLiteral("第二"), {});
    start_main_window();
    choose_category(0);
    click_list_row(0);
  }
  QString content_of(const QString& title) {
    return stored(QStringLiteral("文章内容"), diary, title);
  }
};

TEST_F(LoadSaveTest, ARowBecomingCurrentLoadsItsArticle) {
  start_with_two_articles();
  EXPECT_EQ(editor().toPlainText(), QStringLiteral("first body"));
  EXPECT_EQ(globals().loaded_article_row, 0);
  EXPECT_EQ(status(), QStringLiteral("当前位置：  ") + hostile);
  EXPECT_FALSE(editor().modified());

  click_list_row(1);  // never saved: no content at all
  EXPECT_TRUE(editor().toPlainText().isEmpty());
  EXPECT_EQ(globals().loaded_article_row, 1);
  EXPECT_EQ(status(), QStringLiteral("当前位置：  第二"));
  EXPECT_TRUE(seam().messages().empty());
}

TEST_F(LoadSaveTest, SavingStoresContentAndStampIntoTheLoadedArticle) {
  start_with_two_articles();
  const QDateTime at(QDate(2026, 3, 4), QTime(5, 6, 7));
  set_clock([at] { return at; });
  type_into_editor(QStringLiteral(" more"));
  choose_menu(MenuCommand::save);
  set_clock({});
  EXPECT_TRUE(seam().messages().empty());
  EXPECT_FALSE(editor().modified());
  EXPECT_TRUE(content_of(hostile).startsWith(QStringLiteral("{\\rtf")));
  EXPECT_TRUE(content_of(hostile).contains(QStringLiteral("more")));
  EXPECT_EQ(stored(QStringLiteral("修改时间"), diary, hostile),
            QStringLiteral("2026-03-04 05:06:07"));
  EXPECT_EQ(stored(QStringLiteral("修改时间"), diary, QStringLiteral("第二")),
            QStringLiteral("2024-01-02 03:04:05"));
  EXPECT_EQ(row_count(QStringLiteral("文章管理")), 2);
}

class FailedSaveTest : public LoadSaveTest, public ::testing::WithParamInterface<const char*> {};

// Whichever column the engine refuses to write, neither the content nor the stamp is stored.
TEST_P(FailedSaveTest, StoresNothingAndKeepsTheFlag) {
  start_with_two_articles();
  fail_updates_of(QString::fromUtf8(GetParam()));
  type_into_editor(QStringLiteral(" lost"));
  EXPECT_EQ(save_current_article(), 0);
  EXPECT_EQ(seam().message_texts(), QStringList{failed});
  EXPECT_TRUE(editor().modified());
  EXPECT_EQ(content_of(hostile), QStringLiteral("{\\rtf1\\ansi first body}"));
  EXPECT_EQ(stored(QStringLiteral("修改时间"), diary, hostile),
            QStringLiteral("2024-01-02 03:04:05"));
}

INSTANTIATE_TEST_SUITE_P(Columns, FailedSaveTest, ::testing::Values("修改时间", "文章内容"),
                         [](const auto& test_case) {
                           return std::string(test_case.index == 0 ? "Stamp" : "Content");
                         });

// The article went away behind the program's back (another tool, a failed insert): the update
// finds nothing, and the text must stay in the editor, marked unsaved.
TEST_F(LoadSaveTest, ASaveThatFindsNoArticleIsReportedAndKeepsTheText) {
  start_with_two_articles();
  ASSERT_TRUE(seed_sql(db(), QStringLiteral("delete from 文章管理 where 文章标题 = '") +
                                 sql_value(hostile) + QStringLiteral("'")));
  type_into_editor(QStringLiteral(" kept"));
  EXPECT_EQ(save_current_article(), 0);
  EXPECT_EQ(seam().message_texts(), QStringList{failed});
  EXPECT_TRUE(editor().modified());
  EXPECT_TRUE(editor().toPlainText().contains(QStringLiteral("kept")));
}

TEST_F(LoadSaveTest, ASaveBeforeAnyLoadIsRefused) {
  seed_category(diary, QStringLiteral("1"));
  seed_article(diary, QStringLiteral("1"), QStringLiteral("第一"), {});
  start_main_window();
  choose_category(0);
  type_into_editor(QStringLiteral("nowhere"));
  choose_menu(MenuCommand::save);
  EXPECT_EQ(seam().message_texts(), QStringList{refused});
  EXPECT_TRUE(editor().modified());

  // Text typed after a category change cannot land in the row then chosen; nor is it dropped.
  seam().clear_records();
  seam().answer_next(answer_yes);
  click_list_row(0);
  EXPECT_EQ(seam().message_texts(), (QStringList{question, refused}));
  EXPECT_TRUE(content_of(QStringLiteral("第一")).isNull());
  EXPECT_EQ(editor().toPlainText(), QStringLiteral("nowhere"));
  EXPECT_TRUE(editor().modified());
  EXPECT_EQ(list().current_row(), -1);

  // No gives the text up for the row chosen.
  seam().clear_records();
  seam().answer_next(answer_no);
  click_list_row(0);
  EXPECT_EQ(seam().message_texts(), QStringList{question});
  EXPECT_TRUE(editor().toPlainText().isEmpty());
  EXPECT_FALSE(editor().modified());
}

struct RowChangeCase {
  const char* name;
  int answer;
  bool save_fails;
  bool first_saved;
};

// Test names show the case by its name, not its bytes.
void PrintTo(const RowChangeCase& c, std::ostream* out) {
  *out << c.name;
}

class RowChangeTest : public LoadSaveTest, public ::testing::WithParamInterface<RowChangeCase> {};

TEST_P(RowChangeTest, TheQuestionSavesIntoThePreviouslyLoadedArticle) {
  const RowChangeCase& c = GetParam();
  start_with_two_articles();
  if (c.save_fails)
    fail_updates_of(QStringLiteral("修改时间"));
  type_into_editor(QStringLiteral(" edited"));
  seam().answer_next(c.answer);
  click_list_row(1);

  QStringList expected{question};
  if (c.save_fails)
    expected << failed;
  EXPECT_EQ(seam().message_texts(), expected);
  EXPECT_EQ(content_of(hostile).contains(QStringLiteral("edited")), c.first_saved);
  EXPECT_TRUE(content_of(QStringLiteral("第二")).isNull());
  if (c.save_fails) {
    // The edits stay, and so does the article they belong to.
    EXPECT_TRUE(editor().toPlainText().contains(QStringLiteral("edited")));
    EXPECT_TRUE(editor().modified());
    EXPECT_EQ(list().current_row(), 0);
    EXPECT_EQ(globals().loaded_article_row, 0);
    return;
  }
  EXPECT_TRUE(editor().toPlainText().isEmpty());
  EXPECT_EQ(globals().loaded_article_row, 1);
  EXPECT_FALSE(editor().modified());
}

INSTANTIATE_TEST_SUITE_P(Answers, RowChangeTest,
                         ::testing::Values(RowChangeCase{"No", answer_no, false, false},
                                           RowChangeCase{"Yes", answer_yes, false, true},
                                           RowChangeCase{"YesSaveFails", answer_yes, true, false}),
                         [](const auto& test_case) { return std::string(test_case.param.name); });

}  // namespace
