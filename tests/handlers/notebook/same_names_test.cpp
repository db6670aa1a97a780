#include <gtest/gtest.h>

#include <QLineEdit>
#include <QRegularExpression>

#include <functional>
#include <memory>

#include "handlers/notebook/article_delete.h"
#include "handlers/notebook/article_load_save.h"
#include "handlers/notebook/article_move.h"
#include "handlers/notebook/category_add_rename.h"
#include "handlers/notebook/category_delete.h"
#include "handlers/notebook/category_manager.h"
#include "handlers/notebook/category_order.h"
#include "handlers/notebook/notebook_fixture.h"
#include "support/captured_stderr.h"
#include "windows/category_manager_window.h"

// Notebooks from older files, restored archives or other tools may hold two articles of one
// category with one title, or two categories of one name. Every command then changes the one row
// the user chose, or, when nothing tells that row from another, changes nothing and says so.
namespace {

const QString delete_category_question =
    QStringLiteral("如果继续删除 本目录下的 数据将全部删除 是否继续");

enum class Notebook {
  // 日记 holds P, Same, Same, Q at 1 to 4; the two Same hold different notes.
  same_titles,
  // 日记 holds P at 1 and two Same, both at 2: nothing tells them apart.
  same_titles_and_positions,
  // Categories 甲, 乙, 甲, 丙 at 1 to 4, each 甲 row standing for the same articles.
  same_category_names,
  // Categories 甲 and 甲 at 1, 乙 at 2.
  same_category_names_and_positions,
};

struct SameNameCase {
  const char* name;
  Notebook notebook;
  std::function<void()> act;
  // Every row afterwards, in ID order: "category/title@position=content" of the articles (content
  // "edited" once a save stored the typed text), then "name@position" of the categories.
  QStringList articles;
  QStringList categories;
  QStringList rows;
  QStringList messages;
  // What the line on standard error names, when one is due.
  QString logged;
};

class SameNamesTest : public NotebookTest {
 protected:
  void TearDown() override {
    manager_.reset();
    NotebookTest::TearDown();
  }

  void seed(Notebook notebook) {
    switch (notebook) {
      case Notebook::same_titles:
      case Notebook::same_titles_and_positions: {
        const bool apart = notebook == Notebook::same_titles;
        seed_category(QStringLiteral("日记"), QStringLiteral("1"));
        seed_category(QStringLiteral("杂项"), QStringLiteral("2"));
        seed_article(QStringLiteral("日记"), QStringLiteral("1"), QStringLiteral("P"),
                     QStringLiteral("p"));
        seed_article(QStringLiteral("日记"), QStringLiteral("2"), QStringLiteral("Same"),
                     QStringLiteral("first"));
        seed_article(QStringLiteral("日记"), apart ? QStringLiteral("3") : QStringLiteral("2"),
                     QStringLiteral("Same"), QStringLiteral("second"));
        if (apart) {
          seed_article(QStringLiteral("日记"), QStringLiteral("4"), QStringLiteral("Q"),
                       QStringLiteral("q"));
        }
        seed_article(QStringLiteral("杂项"), QStringLiteral("1"), QStringLiteral("Same"),
                     QStringLiteral("r"));
        start_main_window();
        choose_category(0);
        return;
      }
      case Notebook::same_category_names:
      case Notebook::same_category_names_and_positions: {
        const bool apart = notebook == Notebook::same_category_names;
        seed_category(QStringLiteral("甲"), QStringLiteral("1"));
        seed_category(QStringLiteral("乙"), QStringLiteral("2"));
        seed_category(QStringLiteral("甲"), apart ? QStringLiteral("3") : QStringLiteral("1"));
        if (apart)
          seed_category(QStringLiteral("丙"), QStringLiteral("4"));
        seed_article(QStringLiteral("甲"), QStringLiteral("1"), QStringLiteral("a"),
                     QStringLiteral("a"));
        seed_article(QStringLiteral("乙"), QStringLiteral("1"), QStringLiteral("b"),
                     QStringLiteral("b"));
        start_main_window();
        manager_ = std::make_unique<CategoryManagerWindow>();
        prepare_category_manager(*manager_);
        return;
      }
    }
  }

  ReportList& categories() { return *manager_->超级列表框1; }
  QLineEdit& name_box() { return *manager_->编辑框1; }

  QStringList shown_rows() {
    if (!manager_)
      return rows();
    QStringList names;
    for (int row = 0; row < categories().listview_row_count(); ++row)
      names << categories().listview_get_cell_text(row, 1);
    return names;
  }

  QStringList stored_articles() {
    QStringList texts;
    for (const QStringList& row : query_rows(QStringLiteral(
             "select 文章所属 || '/' || 文章标题 || '@' || 文章位置 || '=' || case when 文章内容 "
             "like '%edited%' then 'edited' else 文章内容 end from 文章管理 order by ID"))) {
      texts << row.value(0);
    }
    return texts;
  }

  void in_manager(int row, const std::function<void()>& command) {
    categories().set_current_row(row);
    command();
  }

 private:
  std::unique_ptr<CategoryManagerWindow> manager_;
};

const QStringList two_categories = {"日记@1", "杂项@2"};
const QStringList same_titles = {"日记/P@1=p", "日记/Same@2=first", "日记/Same@3=second",
                                 "日记/Q@4=q", "杂项/Same@1=r"};
const QStringList same_titles_rows = {"P", "Same", "Same", "Q"};
const QStringList inseparable = {"日记/P@1=p", "日记/Same@2=first", "日记/Same@2=second",
                                 "杂项/Same@1=r"};
const QStringList inseparable_rows = {"P", "Same", "Same"};
const QStringList category_articles = {"甲/a@1=a", "乙/b@1=b"};

TEST_F(SameNamesTest, EveryWriteChangesTheChosenRowOnlyOrNothing) {
  const std::vector<SameNameCase> cases = {
      {"save the second Same",
       Notebook::same_titles,
       [this] {
         click_list_row(2);
         type_into_editor(QStringLiteral("edited "));
         choose_menu(MenuCommand::save);
       },
       {"日记/P@1=p", "日记/Same@2=first", "日记/Same@3=edited", "日记/Q@4=q", "杂项/Same@1=r"},
       two_categories,
       same_titles_rows,
       {},
       {}},
      {"delete the first Same",
       Notebook::same_titles,
       [this] {
         click_list_row(1);
         seam().answer_next(answer_yes);
         delete_article();
       },
       {"日记/P@1=p", "日记/Same@2=second", "日记/Q@3=q", "杂项/Same@1=r"},
       two_categories,
       {"P", "Same", "Q"},
       {QStringLiteral("如果删除本数据将不可恢复 是否继续删除")},
       {}},
      {"move Q up past the second Same",
       Notebook::same_titles,
       [this] {
         click_list_row(3);
         move_article_up();
       },
       {"日记/P@1=p", "日记/Same@2=first", "日记/Same@4=second", "日记/Q@3=q", "杂项/Same@1=r"},
       two_categories,
       {"P", "Same", "Q", "Same"},
       {},
       {}},
      {"move the first Same down past the second",
       Notebook::same_titles,
       [this] {
         click_list_row(1);
         move_article_down();
       },
       {"日记/P@1=p", "日记/Same@3=first", "日记/Same@2=second", "日记/Q@4=q", "杂项/Same@1=r"},
       two_categories,
       same_titles_rows,
       {},
       {}},
      {"rename the second Same",
       Notebook::same_titles,
       [this] { rename_row(2, QStringLiteral("Other")); },
       {"日记/P@1=p", "日记/Same@2=first", "日记/Other@3=second", "日记/Q@4=q", "杂项/Same@1=r"},
       two_categories,
       {"P", "Same", "Other", "Q"},
       {},
       {}},
      {"save one of two Same at one position",
       Notebook::same_titles_and_positions,
       [this] {
         click_list_row(1);
         type_into_editor(QStringLiteral("edited "));
         choose_menu(MenuCommand::save);
       },
       inseparable,
       two_categories,
       inseparable_rows,
       {failed},
       QStringLiteral("save the article \"日记/Same\" in")},
      {"delete one of two Same at one position",
       Notebook::same_titles_and_positions,
       [this] {
         click_list_row(1);
         seam().answer_next(answer_yes);
         delete_article();
       },
       inseparable,
       two_categories,
       inseparable_rows,
       {QStringLiteral("如果删除本数据将不可恢复 是否继续删除"),
        QStringLiteral("删除失败请检查数据库")},
       QStringLiteral("delete the article \"日记/Same\" in")},
      {"rename one of two Same at one position",
       Notebook::same_titles_and_positions,
       [this] { rename_row(2, QStringLiteral("Other")); },
       inseparable,
       two_categories,
       inseparable_rows,
       {QStringLiteral("修改记录名称失败")},
       QStringLiteral("rename the article \"日记/Same\" in")},
      {"move P past one of two Same at one position",
       Notebook::same_titles_and_positions,
       [this] {
         click_list_row(0);
         move_article_down();
       },
       inseparable,
       two_categories,
       inseparable_rows,
       {},
       QStringLiteral("move the article \"日记/Same\" in")},
      {"delete the second 甲",
       Notebook::same_category_names,
       [this] {
         seam().answer_next(answer_yes);
         in_manager(2, delete_category);
       },
       category_articles,
       {"甲@1", "乙@2", "丙@3"},
       {"甲", "乙", "丙"},
       {delete_category_question},
       {}},
      {"delete the first 甲",
       Notebook::same_category_names,
       [this] {
         seam().answer_next(answer_yes);
         in_manager(0, delete_category);
       },
       category_articles,
       {"乙@1", "甲@2", "丙@3"},
       {"乙", "甲", "丙"},
       {delete_category_question},
       {}},
      {"rename the second 甲",
       Notebook::same_category_names,
       [this] {
         in_manager(2, [this] {
           name_box().setText(QStringLiteral("丁"));
           rename_category();
         });
       },
       category_articles,
       {"甲@1", "乙@2", "丁@3", "丙@4"},
       {"甲", "乙", "丁", "丙"},
       {},
       {}},
      {"move the second 甲 up",
       Notebook::same_category_names,
       [this] { in_manager(2, move_category_up); },
       category_articles,
       {"甲@1", "乙@3", "甲@2", "丙@4"},
       {"甲", "甲", "乙", "丙"},
       {},
       {}},
      {"move the first 甲 down",
       Notebook::same_category_names,
       [this] { in_manager(0, move_category_down); },
       category_articles,
       {"甲@2", "乙@1", "甲@3", "丙@4"},
       {"乙", "甲", "甲", "丙"},
       {},
       {}},
      {"delete one of two 甲 at one position",
       Notebook::same_category_names_and_positions,
       [this] {
         seam().answer_next(answer_yes);
         in_manager(0, delete_category);
       },
       category_articles,
       {"甲@1", "乙@2", "甲@1"},
       {"甲", "甲", "乙"},
       {delete_category_question},
       QStringLiteral("delete the category \"甲\" in")},
  };
  for (const SameNameCase& c : cases) {
    SCOPED_TRACE(c.name);
    TearDown();
    SetUp();
    seed(c.notebook);
    seam().clear_records();
    CapturedStderr captured;
    c.act();
    EXPECT_EQ(stored_articles(), c.articles);
    EXPECT_EQ(stored_categories(), c.categories);
    EXPECT_EQ(shown_rows(), c.rows);
    EXPECT_EQ(seam().message_texts(), c.messages);
    const QStringList lines =
        captured.lines().filter(QRegularExpression(QStringLiteral("^wrenfold: ")));
    // One line when refused, none otherwise.
    EXPECT_EQ(lines.size(), c.logged.isEmpty() ? 0 : 1) << lines.join(u'\n').toStdString();
    for (const QString& line : lines) {
      EXPECT_TRUE(line.contains(c.logged) && line.contains(QStringLiteral("data.mdb")))
          << line.toStdString();
    }
  }
}

// The article shown is the one of the chosen row, not the first of its title.
TEST_F(SameNamesTest, ChoosingOneOfTwoSameTitlesShowsItsOwnNoteAndProperties) {
  seed(Notebook::same_titles);
  click_list_row(2);
  EXPECT_TRUE(editor().toPlainText().contains(QStringLiteral("second")));
  show_article_properties();
  ASSERT_EQ(seam().messages().size(), 1u);
  EXPECT_TRUE(seam().message_texts().front().contains(QStringLiteral("记录位置：3")));
  click_list_row(1);
  EXPECT_TRUE(editor().toPlainText().contains(QStringLiteral("first")));
}

}  // namespace
