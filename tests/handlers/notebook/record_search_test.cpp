#include "handlers/notebook/record_search.h"

#include <gtest/gtest.h>

#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>

#include <memory>

#include "handlers/notebook/notebook_fixture.h"
#include "platform/controls/edit_box.h"
#include "platform/controls/picture_button.h"
#include "platform/controls/result_list.h"
#include "platform/windows.h"
#include "windows/record_search_window.h"

namespace {

const QString work = QStringLiteral("工作");
const QString diary = QStringLiteral("Tom's \"日记\"");
const QString elsewhere = QStringLiteral("不在目录中");
const QString no_hit = QStringLiteral("未搜到您要搜索的内容");

QString body(const QString& title) {
  return QStringLiteral("{\\rtf1\\ansi ") + title + QStringLiteral(" body}");
}

// Notes whether the search window was on top while each box showed.
class TopmostRecordingSeam : public ScriptedSeam {
 public:
  int message_box(const QString& text, int buttons, const std::optional<QString>& title) override {
    topmost_while_shown.push_back(window_topmost(&record_search_window()));
    return ScriptedSeam::message_box(text, buttons, title);
  }
  std::vector<bool> topmost_while_shown;
};

// The search window open over the main window, as its menu item leaves it while the user works
// in it. Table order: 周报 (工作), it's 50% (日记), 周报 (日记), a_b (日记), 孤儿 (a category not
// in the selector), 隐藏 (日记, position out of range).
class RecordSearchTest : public NotebookTest {
 protected:
  void SetUp() override {
    NotebookTest::SetUp();
    seed_category(work, QStringLiteral("1"));
    seed_category(diary, QStringLiteral("2"));
    seed_article(work, QStringLiteral("1"), QStringLiteral("周报"), body("work weekly"));
    seed_article(diary, QStringLiteral("1"), QStringLiteral("it's 50%"), body("it's"));
    seed_article(diary, QStringLiteral("2"), QStringLiteral("周报"), body("diary weekly"));
    seed_article(diary, QStringLiteral("3"), QStringLiteral("a_b"), body("a_b"));
    seed_article(elsewhere, QStringLiteral("1"), QStringLiteral("孤儿"), body("orphan"));
    seed_article(diary, QStringLiteral("99"), QStringLiteral("隐藏"), body("hidden"));
    ASSERT_TRUE(seed_sql(db(), QStringLiteral("update 文章管理 set 建立时间 = '建' || ID, "
                                              "修改时间 = '改' || ID")));
    start_main_window();
  }
  void TearDown() override {
    search_.reset();
    NotebookTest::TearDown();
  }

  RecordSearchWindow& open_search() {
    search_ = std::make_unique<RecordSearchWindow>();
    prepare_record_search(*search_);
    search_->show();
    return *search_;
  }
  ResultList& results() { return *search_->超级列表框1; }
  EditBox& box() { return *search_->编辑框1; }

  void search_for(const QString& text) {
    box().setText(text);
    search_->图形按钮1->click();
  }
  // "title|category|created|changed" of every result row.
  QStringList hits() {
    QStringList texts;
    for (int row = 0; row < results().listview_row_count(); ++row) {
      QStringList cells;
      for (int column = 1; column <= 4; ++column)
        cells << results().listview_get_cell_text(row, column);
      texts << cells.join(u'|');
    }
    return texts;
  }
  void go_to(int result_row) {
    results().set_current_row(result_row);
    search_->图形按钮3->click();
  }
  static void key(QWidget* widget, Qt::Key key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
  }

 private:
  std::unique_ptr<RecordSearchWindow> search_;
};

TEST_F(RecordSearchTest, WindowHoldsTheStoredControls) {
  RecordSearchWindow& search = open_search();
  EXPECT_EQ(search.windowTitle(), QString());
  EXPECT_EQ(search.size(), QSize(551, 348));
  EXPECT_EQ(search.minimumSize(), search.maximumSize());
  EXPECT_TRUE(window_topmost(&search));
  EXPECT_FALSE(search.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
  EXPECT_FALSE(search.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
  EXPECT_EQ(search.分组框1->geometry(), QRect(8, 2, 536, 338));
  EXPECT_EQ(search.分组框1->title(), QString());
  EXPECT_EQ(results().geometry(), QRect(10, 15, 382, 312));
  const std::pair<const char*, int> columns[] = {
      {"", 2}, {"记录名称", 200}, {"记录所属", 170}, {"建立日期", 170}, {"修改日期", 170}};
  ASSERT_EQ(results().column_count(), 5);
  for (int column = 0; column < 5; ++column) {
    EXPECT_EQ(results().header_text(column), QString::fromUtf8(columns[column].first));
    EXPECT_EQ(results().columnWidth(column), columns[column].second);
  }
  EXPECT_EQ(search.标签1->text(), QStringLiteral("要查找的记录名称"));
  EXPECT_EQ(search.标签1->geometry(), QRect(401, 15, 120, 25));
  EXPECT_EQ(search.标签1->palette().color(QPalette::WindowText), QColor(0x60, 0x60, 0x60));
  EXPECT_EQ(box().geometry(), QRect(401, 43, 120, 22));
  EXPECT_EQ(box().maxLength(), 100);
  EXPECT_EQ(box().text(), QString());
  const std::tuple<PictureButton*, const char*, int> buttons[] = {
      {search.图形按钮1, "开始查找", 72},
      {search.图形按钮3, "切换查看", 100},
      {search.图形按钮2, "退出查询", 129}};
  for (const auto& [button, caption, top] : buttons) {
    EXPECT_EQ(button->text(), QString::fromUtf8(caption));
    EXPECT_EQ(button->geometry(), QRect(401, top, 120, 22));
  }
  EXPECT_EQ(search.标签2->text(), QStringLiteral("默认使用模糊搜索"));
  EXPECT_EQ(search.标签2->geometry(), QRect(401, 163, 120, 27));
  EXPECT_EQ(search.图片框1->geometry(), QRect(401, 198, 120, 128));
  EXPECT_FALSE(search.图片框1->pixmap().isNull());
  EXPECT_EQ(results().listview_row_count(), 0);
}

struct SearchCase {
  const char* label;
  QString text;
  QStringList hits;
};

// Test names show the case by its name, not its bytes.
void PrintTo(const SearchCase& c, std::ostream* out) {
  *out << c.label;
}

class TitleSearchTest : public RecordSearchTest,
                        public ::testing::WithParamInterface<SearchCase> {};

TEST_P(TitleSearchTest, ListsEveryCategorysHitsInTableOrder) {
  open_search();
  search_for(GetParam().text);
  EXPECT_EQ(hits(), GetParam().hits);
  EXPECT_TRUE(seam().messages().empty());
  EXPECT_EQ(results().listview_get_cell_text(0, 0), QString());
  EXPECT_FALSE(results().model()->index(0, 0).data(Qt::DecorationRole).isNull());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TitleSearchTest,
    ::testing::Values(
        SearchCase{"empty_lists_everything",
                   QString(),
                   {QStringLiteral("周报|工作|建1|改1"),
                    QStringLiteral("it's 50%|") + diary + QStringLiteral("|建2|改2"),
                    QStringLiteral("周报|") + diary + QStringLiteral("|建3|改3"),
                    QStringLiteral("a_b|") + diary + QStringLiteral("|建4|改4"),
                    QStringLiteral("孤儿|不在目录中|建5|改5"),
                    QStringLiteral("隐藏|") + diary + QStringLiteral("|建6|改6")}},
        SearchCase{"quote",
                   QStringLiteral("it's"),
                   {QStringLiteral("it's 50%|") + diary + QStringLiteral("|建2|改2")}},
        SearchCase{"percent_matches_any",
                   QStringLiteral("t%0"),
                   {QStringLiteral("it's 50%|") + diary + QStringLiteral("|建2|改2")}},
        SearchCase{"underscore_matches_one",
                   QStringLiteral("s_5"),
                   {QStringLiteral("it's 50%|") + diary + QStringLiteral("|建2|改2")}},
        SearchCase{"same_title_in_two_categories",
                   QStringLiteral("周"),
                   {QStringLiteral("周报|工作|建1|改1"),
                    QStringLiteral("周报|") + diary + QStringLiteral("|建3|改3")}}),
    [](const auto& test_case) { return std::string(test_case.param.label); });

TEST_F(RecordSearchTest, ASecondSearchReplacesTheFirstAndEnterSearchesToo) {
  open_search();
  search_for(QStringLiteral("周"));
  ASSERT_EQ(results().listview_row_count(), 2);
  box().setText(QStringLiteral("a_"));
  key(&box(), Qt::Key_A);  // no search on other keys
  EXPECT_EQ(results().listview_row_count(), 2);
  box().setText(QStringLiteral("a_"));
  key(&box(), Qt::Key_Return);
  EXPECT_EQ(hits(), QStringList{QStringLiteral("a_b|") + diary + QStringLiteral("|建4|改4")});
}

TEST_F(RecordSearchTest, NoHitIsToldWithTheWindowOffTopWhileTheMessageShows) {
  TopmostRecordingSeam seam;
  SeamInstaller installer(seam);
  RecordSearchWindow& search = open_search();
  search_for(QStringLiteral("周"));
  search_for(QStringLiteral("'); delete from 文章管理; --"));
  EXPECT_EQ(results().listview_row_count(), 0);
  EXPECT_EQ(seam.message_texts(), QStringList{no_hit});
  EXPECT_EQ(seam.messages().front().buttons, buttons_ok);
  EXPECT_EQ(seam.messages().front().title, QString());
  EXPECT_EQ(seam.topmost_while_shown, std::vector<bool>{false});
  EXPECT_TRUE(window_topmost(&search));
  EXPECT_TRUE(search.isVisible());
  EXPECT_EQ(row_count(QStringLiteral("文章管理")), 6);
}

TEST_F(RecordSearchTest, GoToSelectsTheHitsCategoryThenItsRow) {
  open_search();
  search_for(QStringLiteral("周"));
  go_to(1);
  EXPECT_EQ(combo().selected_index(), 1);
  EXPECT_EQ(rows(), (QStringList{"it's 50%", "周报", "a_b"}));
  EXPECT_EQ(list().current_row(), 1);
  EXPECT_EQ(editor().toPlainText(), QStringLiteral("diary weekly body"));
  EXPECT_EQ(globals().loaded_article_row, 1);

  // The same title in the other category selects its own.
  go_to(0);
  EXPECT_EQ(combo().selected_index(), 0);
  EXPECT_EQ(rows(), QStringList{"周报"});
  EXPECT_EQ(list().current_row(), 0);
  EXPECT_EQ(editor().toPlainText(), QStringLiteral("work weekly body"));
  EXPECT_EQ(hits().size(), 2) << "the results stay";
  EXPECT_TRUE(seam().messages().empty());
}

TEST_F(RecordSearchTest, GoToInTheSelectedCategoryRefillsAndLoadsAgain) {
  choose_category(1);
  click_list_row(0);
  type_into_editor(QStringLiteral(" unsaved"));
  open_search();
  search_for(QStringLiteral("it's"));
  go_to(0);
  EXPECT_EQ(list().current_row(), 0);
  EXPECT_EQ(editor().toPlainText(), QStringLiteral("it's body")) << "edits gone, stored text shown";
  EXPECT_FALSE(editor().modified());
  EXPECT_TRUE(seam().messages().empty()) << "the go-to asks nothing";
}

TEST_F(RecordSearchTest, GoToWithoutAResultRowDoesNothing) {
  choose_category(1);
  click_list_row(2);
  open_search();
  search_for(QStringLiteral("周"));
  EXPECT_EQ(results().current_row(), -1);
  record_search_go_to_clicked();
  EXPECT_EQ(combo().selected_index(), 1);
  EXPECT_EQ(list().current_row(), 2);
  EXPECT_EQ(editor().toPlainText(), QStringLiteral("a_b body"));
}

TEST_F(RecordSearchTest, GoToACategoryNotInTheSelectorEmptiesTheEditorAndLoadsNothing) {
  choose_category(1);
  click_list_row(2);
  open_search();
  search_for(QStringLiteral("孤儿"));
  const auto before = query_rows(QStringLiteral("select 文章内容 from 文章管理"));
  go_to(0);
  EXPECT_EQ(combo().selected_index(), 1);
  EXPECT_EQ(list().current_row(), 2);
  EXPECT_TRUE(editor().toPlainText().isEmpty());
  // The empty editor is no article's: the status bar names none, a save is refused and
  // overwrites nothing.
  EXPECT_EQ(window().状态条1->statusbar_part_text(0), QStringLiteral("当前位置：  "));
  EXPECT_EQ(globals().loaded_article_row, -1);
  seam().clear_records();
  choose_menu(MenuCommand::save);
  EXPECT_EQ(seam().message_texts(),
            QStringList{QStringLiteral("保存失败 请选择一条记录 用来存储")});
  EXPECT_EQ(query_rows(QStringLiteral("select 文章内容 from 文章管理")), before);
}

TEST_F(RecordSearchTest, GoToATitleMissingFromTheRefilledListSelectsNoRow) {
  choose_category(0);
  click_list_row(0);
  open_search();
  search_for(QStringLiteral("隐藏"));
  go_to(0);
  EXPECT_EQ(combo().selected_index(), 1);
  EXPECT_EQ(rows(), (QStringList{"it's 50%", "周报", "a_b"}));
  EXPECT_EQ(list().current_row(), -1);
  EXPECT_EQ(globals().loaded_article_row, -1);
  EXPECT_TRUE(editor().toPlainText().isEmpty());
}

TEST_F(RecordSearchTest, EscAndTheExitButtonClose) {
  RecordSearchWindow& search = open_search();
  key(&box(), Qt::Key_F1);
  EXPECT_TRUE(search.isVisible());
  key(&box(), Qt::Key_Escape);
  EXPECT_FALSE(search.isVisible());
  RecordSearchWindow& again = open_search();
  again.图形按钮2->click();
  EXPECT_FALSE(again.isVisible());
}

// Opening from the menu, as the user does: the save question first, then the modal window.
class OpenRecordSearchTest : public RecordSearchTest {};

TEST_F(OpenRecordSearchTest, NoKeepsTheEditsButNoLongerMarksThem) {
  choose_category(1);
  click_list_row(1);
  type_into_editor(QStringLiteral(" draft"));
  seam().answer_next(answer_no);
  bool empty_on_open = false;
  seam().on_next_modal([&](QWidget* shown) {
    auto* search = qobject_cast<RecordSearchWindow*>(shown);
    ASSERT_NE(search, nullptr);
    empty_on_open =
        search->编辑框1->text().isEmpty() && search->超级列表框1->listview_row_count() == 0;
    key(search, Qt::Key_Escape);
  });
  choose_menu(MenuCommand::record_search);
  EXPECT_EQ(seam().modal_windows(), QStringList{"RecordSearchWindow"});
  EXPECT_TRUE(empty_on_open);
  EXPECT_EQ(seam().message_texts(), QStringList{question});
  EXPECT_TRUE(editor().toPlainText().contains(QStringLiteral("draft")));
  EXPECT_FALSE(editor().modified());
  EXPECT_EQ(stored(QStringLiteral("文章内容"), diary, QStringLiteral("周报")),
            body("diary weekly"));
}

TEST_F(OpenRecordSearchTest, YesBeforeAnyLoadSavesIntoTheSelectedArticle) {
  choose_category(1);
  list().set_current_row(2);
  // No article counts as loaded, as after a fill.
  globals().loaded_article_row = -1;
  type_into_editor(QStringLiteral(" saved"));
  seam().answer_next(answer_yes);
  choose_menu(MenuCommand::record_search);
  EXPECT_EQ(globals().loaded_article_row, 2);
  EXPECT_TRUE(stored(QStringLiteral("文章内容"), diary, QStringLiteral("a_b")).contains("saved"));
  EXPECT_FALSE(editor().modified());
}

}  // namespace
