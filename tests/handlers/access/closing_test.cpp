#include "handlers/access/closing.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>

#include "handlers/notebook/article_load_save.h"
#include "platform/controls/combo_box.h"
#include "platform/controls/report_list.h"
#include "platform/controls/status_bar.h"
#include "platform/rich_editor.h"
#include "platform/settings_file.h"
#include "support/main_window_fixture.h"
#include "windows/globals.h"
#include "windows/main_window.h"

namespace {

const QString category = QStringLiteral("Tom's \"日记\"");
const QString title = QStringLiteral("第 一篇");
const QString question = QStringLiteral("当前内容已被修改 是否进行保存");

class ClosingTest : public MainWindowFixture {
 protected:
  void SetUp() override {
    MainWindowFixture::SetUp();
    seed_category(QStringLiteral("杂项"), QStringLiteral("1"));
    seed_category(category, QStringLiteral("2"));
    seed_article(category, QStringLiteral("1"), QStringLiteral("别的"), {});
    seed_article(category, QStringLiteral("2"), title,
                 QStringLiteral("{\\rtf1\\ansi hello world}"));
  }
  void TearDown() override {
    globals().float_icon_shown = 0;
    MainWindowFixture::TearDown();
  }

  QString setting(const char* section, const char* key) {
    return read_ini_value(settings_file_path(), QString::fromUtf8(section), QString::fromUtf8(key),
                          QStringLiteral("<absent>"));
  }
  void store(const char* section, const char* key, const QString& value) {
    write_ini_value(settings_file_path(), QString::fromUtf8(section), QString::fromUtf8(key),
                    value);
  }
  // Starts with the article loaded and the caret at 5.
  MainWindow& start_at_article() {
    MainWindow& main = start_main_window();
    choose_category(1);
    click_list_row(1);
    main.超级编辑框1->set_selection_start(5);
    return main;
  }
  QString stored_content() {
    return query_rows(QStringLiteral("select 文章内容 from 文章管理 where 文章标题 = '") +
                      sql_value(title) + QStringLiteral("'"))
        .front()
        .value(0);
  }
};

TEST_F(ClosingTest, ClosingStoresTheLastPositionAndTheSizeWhenRemembered) {
  for (const char* remember : {"1", "0", "2", ""}) {
    SCOPED_TRACE(remember);
    TearDown();
    SetUp();
    if (*remember)
      store("KNSZ", "BKBC", QString::fromUtf8(remember));
    MainWindow& main = start_at_article();
    main.resize(801, 602);
    // The outer size, frame included, is what the next start gives the window again.
    const QSize size = main.frameGeometry().size();
    EXPECT_TRUE(main.close());
    EXPECT_FALSE(main.外部数据库1.is_open());
    EXPECT_EQ(setting("FWJL", "FL"), category);
    EXPECT_EQ(setting("FWJL", "WZ"), title);
    EXPECT_EQ(setting("FWJL", "ZB"), QStringLiteral("5"));
    const bool stored = QString::fromUtf8(remember) == QStringLiteral("1");
    EXPECT_EQ(setting("BKKG", "KD"),
              stored ? QString::number(size.width()) : QStringLiteral("<absent>"));
    EXPECT_EQ(setting("BKKG", "GD"),
              stored ? QString::number(size.height()) : QStringLiteral("<absent>"));
  }
}

TEST_F(ClosingTest, ClosingWithNothingSelectedStoresEmptyTexts) {
  MainWindow& main = start_main_window();
  EXPECT_TRUE(main.close());
  EXPECT_EQ(setting("FWJL", "FL"), QString());
  EXPECT_EQ(setting("FWJL", "WZ"), QString());
  EXPECT_EQ(setting("FWJL", "ZB"), QStringLiteral("0"));
}

TEST_F(ClosingTest, WithTheFloatingIconShownClosingOnlyHides) {
  MainWindow& main = start_at_article();
  type_into_editor(QStringLiteral("kept "));
  globals().float_icon_shown = 1;
  EXPECT_FALSE(main.close());
  EXPECT_FALSE(main.isVisible());
  EXPECT_TRUE(main.超级编辑框1->modified());
  EXPECT_TRUE(main.外部数据库1.is_open());
  EXPECT_EQ(setting("FWJL", "FL"), QStringLiteral("<absent>"));
  EXPECT_TRUE(seam().messages().empty());
}

TEST_F(ClosingTest, TheSaveQuestionAtCloseSavesOnYesAndDropsOnNo) {
  for (const int answer : {answer_yes, answer_no}) {
    SCOPED_TRACE(answer);
    TearDown();
    SetUp();
    MainWindow& main = start_at_article();
    type_into_editor(QStringLiteral("closing "));
    seam().answer_next(answer);
    EXPECT_TRUE(main.close());
    EXPECT_EQ(seam().message_texts(), QStringList{question});
    EXPECT_EQ(stored_content().contains(QStringLiteral("closing")), answer == answer_yes);
    EXPECT_FALSE(main.外部数据库1.is_open());
  }
}

// A title still being typed is stored before the close goes on, so the save and the last
// position both find the article under it.
TEST_F(ClosingTest, ATitleEditStillOpenIsAppliedBeforeTheClose) {
  MainWindow& main = start_at_article();
  type_into_editor(QStringLiteral("closing "));
  ReportList& list = *main.超级列表框1;
  list.listview_edit_label(1);
  QApplication::processEvents();
  auto* line = list.viewport()->findChild<QLineEdit*>();
  ASSERT_NE(line, nullptr);
  line->setText(QStringLiteral("新标题"));
  seam().answer_next(answer_yes);
  EXPECT_TRUE(main.close());
  QApplication::processEvents();
  EXPECT_EQ(seam().message_texts(), QStringList{question});
  EXPECT_EQ(setting("FWJL", "WZ"), QStringLiteral("新标题"));
  const auto stored = table_rows(QStringLiteral("文章管理"));
  ASSERT_EQ(stored.size(), 2u);
  EXPECT_EQ(stored[1].value(4), QStringLiteral("新标题"));
  EXPECT_TRUE(stored[1].value(3).contains(QStringLiteral("closing")));
}

TEST_F(ClosingTest, AFailedSaveOnYesKeepsTheWindowOpenWithItsText) {
  ASSERT_TRUE(
      seed_sql(db(), QStringLiteral("create trigger 写入失败 before update of 修改时间 on "
                                    "文章管理 begin select raise(abort, 'disk full'); end")));
  MainWindow& main = start_at_article();
  type_into_editor(QStringLiteral("precious "));
  seam().answer_next(answer_yes);
  EXPECT_FALSE(main.close());
  EXPECT_EQ(seam().message_texts(),
            (QStringList{question, QStringLiteral("保存失败请检查数据库")}));
  EXPECT_TRUE(main.isVisible());
  EXPECT_TRUE(main.外部数据库1.is_open());
  EXPECT_TRUE(main.超级编辑框1->modified());
  EXPECT_TRUE(main.超级编辑框1->toPlainText().contains(QStringLiteral("precious")));

  seam().answer_next(answer_no);
  EXPECT_TRUE(main.close());
}

TEST_F(ClosingTest, StartUpRestoresCategoryArticleAndCaretWithoutAQuestion) {
  struct Case {
    const char* caret;
    int expected;
  };
  for (const Case& c : {Case{"5", 5}, Case{"999", 11}, Case{"", 0}}) {
    SCOPED_TRACE(c.caret);
    TearDown();
    SetUp();
    store("FWJL", "FL", category);
    store("FWJL", "WZ", title);
    store("FWJL", "ZB", QString::fromUtf8(c.caret));
    MainWindow& main = start_main_window(
        [this](MainWindow&) { type_into_editor(QStringLiteral("left by an earlier step")); });
    EXPECT_EQ(main.组合框1->selected_index(), 1);
    EXPECT_EQ(main.超级列表框1->current_row(), 1);
    EXPECT_EQ(main.超级编辑框1->toPlainText(), QStringLiteral("hello world"));
    EXPECT_EQ(main.超级编辑框1->selection_start(), c.expected);
    EXPECT_FALSE(main.超级编辑框1->modified());
    EXPECT_EQ(globals().loaded_article_row, 1);
    EXPECT_EQ(main.状态条1->statusbar_part_text(0), QStringLiteral("当前位置：  ") + title);
    EXPECT_TRUE(seam().messages().empty());
  }
}

// An article whose body the table holds as a blob is restored as any other: its bytes load, no
// run-time error stops the start.
TEST_F(ClosingTest, ARestoredArticleWhoseBodyIsABlobLoads) {
  ASSERT_TRUE(seed_sql(db(), QStringLiteral("update 文章管理 set 文章内容 = cast('{\\rtf1\\ansi "
                                            "blob body}' as blob) where 文章标题 = '") +
                                 sql_value(title) + QStringLiteral("'")));
  store("FWJL", "FL", category);
  store("FWJL", "WZ", title);
  store("FWJL", "ZB", QStringLiteral("3"));
  MainWindow& main = start_main_window();

  EXPECT_TRUE(seam().message_texts().isEmpty()) << seam().message_texts().join(u'|').toStdString();
  EXPECT_EQ(main.组合框1->selected_index(), 1);
  EXPECT_EQ(main.超级列表框1->current_row(), 1);
  EXPECT_EQ(globals().loaded_article_row, 1);
  EXPECT_EQ(main.状态条1->statusbar_part_text(0), QStringLiteral("当前位置：  ") + title);
  EXPECT_EQ(main.超级编辑框1->toPlainText(), QStringLiteral("blob body"));
  EXPECT_EQ(main.超级编辑框1->selection_start(), 3);
}

TEST_F(ClosingTest, AFirstStartRestoresNothing) {
  MainWindow& main = start_main_window();
  EXPECT_EQ(main.组合框1->selected_index(), -1);
  EXPECT_EQ(main.超级列表框1->listview_row_count(), 0);
  EXPECT_EQ(main.超级编辑框1->selection_start(), 0);
  EXPECT_EQ(globals().loaded_article_row, -1);
  EXPECT_EQ(main.状态条1->statusbar_part_text(0), QStringLiteral("当前位置：  "));
}

}  // namespace
