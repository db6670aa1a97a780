#include "handlers/notebook/article_delete.h"

#include <gtest/gtest.h>

#include "handlers/notebook/notebook_fixture.h"

namespace {

const QString diary = QStringLiteral("Tom's 日记");

class DeleteTest : public NotebookTest {
 protected:
  // Stored in table order 1, 3, 2, as after the last article was moved up; another category
  // holds higher positions.
  void SetUp() override {
    NotebookTest::SetUp();
    seed_category(diary, QStringLiteral("1"));
    seed_category(QStringLiteral("杂项"), QStringLiteral("2"));
    seed_article(diary, QStringLiteral("1"), QStringLiteral("'甲'"), QStringLiteral("{\\rtf1 a}"));
    seed_article(diary, QStringLiteral("3"), QStringLiteral("丙"), QStringLiteral("{\\rtf1 c}"));
    seed_article(diary, QStringLiteral("2"), QStringLiteral("乙"), QStringLiteral("{\\rtf1 b}"));
    for (const char* position : {"2", "3", "1"}) {
      seed_article(QStringLiteral("杂项"), QString::fromUtf8(position),
                   QStringLiteral("别的") + QString::fromUtf8(position), {});
    }
    start_main_window();
    choose_category(0);
  }
  void delete_row(int row, int answer) {
    click_list_row(row);
    seam().answer_next(answer);
    delete_article();
  }
};

TEST_F(DeleteTest, NoKeepsEverything) {
  click_list_row(0);
  type_into_editor(QStringLiteral(" edit"));
  seam().answer_next(answer_no);
  delete_article();
  EXPECT_EQ(rows(), (QStringList{"'甲'", "乙", "丙"}));
  EXPECT_EQ(placed(diary), (QStringList{"'甲'@1", "乙@2", "丙@3"}));
  EXPECT_TRUE(editor().modified());
}

TEST_F(DeleteTest, LaterPositionsMoveDownOnceWhateverTheTableOrder) {
  click_list_row(1);
  type_into_editor(QStringLiteral(" dropped"));
  seam().answer_next(answer_no);  // the question of the row change
  delete_row(0, answer_yes);
  EXPECT_EQ(seam().message_texts().last(), QStringLiteral("如果删除本数据将不可恢复 是否继续删除"));
  EXPECT_EQ(placed(diary), (QStringList{"乙@1", "丙@2"}));
  EXPECT_EQ(placed(QStringLiteral("杂项")), (QStringList{"别的1@1", "别的2@2", "别的3@3"}));
  EXPECT_EQ(rows(), (QStringList{"乙", "丙"}));
  EXPECT_EQ(list().current_row(), 0);
  EXPECT_EQ(globals().loaded_article_row, 0);
  EXPECT_EQ(editor().toPlainText(), QStringLiteral("b"));
  EXPECT_EQ(status(), QStringLiteral("当前位置：  乙"));
  EXPECT_FALSE(editor().modified());
}

TEST_F(DeleteTest, DeletingTheLastRowsMovesToTheNewLastRowAndThenToNone) {
  delete_row(2, answer_yes);
  EXPECT_EQ(list().current_row(), 1);
  EXPECT_EQ(editor().toPlainText(), QStringLiteral("b"));
  delete_row(1, answer_yes);
  delete_row(0, answer_yes);
  EXPECT_TRUE(rows().isEmpty());
  EXPECT_TRUE(placed(diary).isEmpty());
  EXPECT_EQ(list().current_row(), -1);
  EXPECT_EQ(globals().loaded_article_row, -1);
  EXPECT_TRUE(editor().toPlainText().isEmpty());
  EXPECT_EQ(status(), QStringLiteral("当前位置：  "));
}

TEST_F(DeleteTest, AFailedRenumberingStoresNothingOfTheDeleteAndKeepsTheRowAndTheText) {
  fail_updates_of(QStringLiteral("文章位置"));
  click_list_row(0);
  type_into_editor(QStringLiteral(" kept"));
  seam().clear_records();
  seam().answer_next(answer_yes);
  delete_article();
  EXPECT_EQ(placed(diary), (QStringList{"'甲'@1", "乙@2", "丙@3"}));
  EXPECT_EQ(seam().message_texts().last(), QStringLiteral("删除失败请检查数据库"));
  EXPECT_EQ(rows(), (QStringList{"'甲'", "乙", "丙"}));
  EXPECT_EQ(list().current_row(), 0);
  EXPECT_TRUE(editor().toPlainText().contains(QStringLiteral("kept")));
  EXPECT_TRUE(editor().modified());
}

TEST_F(DeleteTest, PropertiesShowTheStoredFieldsLineByLine) {
  ASSERT_TRUE(seed_sql(db(), QStringLiteral("update 文章管理 set 修改时间 = '2025-06-07 08:09:10' "
                                            "where 文章标题 = '乙'")));
  list().set_current_row(1);
  seam().clear_records();
  choose_menu(MenuCommand::record_properties);
  EXPECT_EQ(seam().message_texts(),
            QStringList{QStringLiteral("\r\n\r\n记录位置：2\r\n\r\n记录名称：乙\r\n\r\n文章所属："
                                       "Tom's 日记\r\n\r\n建立时间：2024-01-02 03:04:05\r\n\r\n"
                                       "修改时间：2025-06-07 08:09:10")});
  EXPECT_EQ(seam().messages().front().buttons, buttons_ok);
  EXPECT_EQ(seam().messages().front().title, QString());
}

}  // namespace
