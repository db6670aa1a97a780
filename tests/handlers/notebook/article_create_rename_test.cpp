#include "handlers/notebook/article_create.h"

#include <gtest/gtest.h>

#include <QWheelEvent>

#include <functional>

#include "handlers/notebook/article_rename.h"
#include "handlers/notebook/notebook_fixture.h"
#include "platform/conversions.h"
#include "support/read_only_path.h"
#include "windows/current_article.h"

namespace {

const QString diary = QStringLiteral("日记");

using CreateTest = NotebookTest;
using RenameTest = NotebookTest;

TEST_F(CreateTest, WithoutACategoryNothingIsAskedOrCreated) {
  start_main_window();
  type_into_editor(QStringLiteral("draft"));
  EXPECT_EQ(create_article(), 0);
  EXPECT_EQ(seam().message_texts(), QStringList{QStringLiteral("请选择一个分类之后再进行新建")});
  EXPECT_EQ(row_count(QStringLiteral("文章管理")), 0);
}

TEST_F(CreateTest, ANewArticleTakesTheNextPositionAndBecomesCurrent) {
  const QString quoted = QStringLiteral("Tom's \"日记\"");
  seed_category(quoted, QStringLiteral("1"));
  start_main_window();
  choose_category(0);
  const QDateTime at(QDate(2026, 1, 2), QTime(3, 4, 5));
  set_clock([at] { return at; });
  choose_menu(MenuCommand::new_article);
  choose_menu(MenuCommand::new_article);
  set_clock({});

  EXPECT_EQ(rows(), (QStringList{quoted + "1", quoted + "2"}));
  EXPECT_EQ(placed(quoted), (QStringList{quoted + "1@1", quoted + "2@2"}));
  EXPECT_EQ(stored(QStringLiteral("建立时间 || '|' || 修改时间 || '|' || (文章内容 is null)"),
                   quoted, quoted + "2"),
            QStringLiteral("2026-01-02 03:04:05|2026-01-02 03:04:05|1"));
  EXPECT_EQ(list().current_row(), 1);
  EXPECT_EQ(globals().loaded_article_row, 1);
  EXPECT_EQ(status(), QStringLiteral("当前位置：  ") + quoted + "2");
  EXPECT_FALSE(editor().modified());
}

TEST_F(CreateTest, AnsweringNoTwiceSavesNothingAndShowsTheNewArticle) {
  seed_category(diary, QStringLiteral("1"));
  seed_article(diary, QStringLiteral("1"), QStringLiteral("日记1"), {});
  start_main_window();
  choose_category(0);
  click_list_row(0);
  type_into_editor(QStringLiteral("unsaved"));
  seam().answer_next(answer_no);
  seam().answer_next(answer_no);
  EXPECT_EQ(create_article(), 1);
  EXPECT_EQ(seam().message_texts(), (QStringList{question, question}));
  EXPECT_TRUE(stored(QStringLiteral("文章内容"), diary, QStringLiteral("日记1")).isNull());
  EXPECT_TRUE(editor().toPlainText().isEmpty());
  EXPECT_FALSE(editor().modified());
  EXPECT_EQ(list().current_row(), 1);
}

struct CreateQuestionCase {
  const char* name;
  bool save_fails;
  bool first_saved;
};

// Test names show the case by its name, not its bytes.
void PrintTo(const CreateQuestionCase& c, std::ostream* out) {
  *out << c.name;
}

class CreateQuestionTest : public NotebookTest,
                           public ::testing::WithParamInterface<CreateQuestionCase> {};

// Yes saves first; a failed save does not stop the creation, and the new row asks again.
TEST_P(CreateQuestionTest, YesSavesTheLoadedArticleAndTheCreationGoesOn) {
  const CreateQuestionCase& c = GetParam();
  seed_category(diary, QStringLiteral("1"));
  seed_article(diary, QStringLiteral("1"), QStringLiteral("日记1"), {});
  if (c.save_fails)
    fail_updates_of(QStringLiteral("修改时间"));
  start_main_window();
  choose_category(0);
  click_list_row(0);
  type_into_editor(QStringLiteral("before new"));
  seam().answer_next(answer_yes);
  seam().answer_next(answer_no);
  EXPECT_EQ(create_article(), 1);

  QStringList expected{question};
  if (c.save_fails)
    expected << failed << question;
  EXPECT_EQ(seam().message_texts(), expected);
  EXPECT_EQ(stored(QStringLiteral("文章内容"), diary, QStringLiteral("日记1"))
                .contains(QStringLiteral("before new")),
            c.first_saved);
  EXPECT_EQ(rows(), (QStringList{"日记1", "日记2"}));
  EXPECT_EQ(globals().loaded_article_row, 1);
  EXPECT_FALSE(editor().modified());
}

INSTANTIATE_TEST_SUITE_P(Answers, CreateQuestionTest,
                         ::testing::Values(CreateQuestionCase{"Yes", false, true},
                                           CreateQuestionCase{"YesSaveFails", true, false}),
                         [](const auto& test_case) { return std::string(test_case.param.name); });

TEST_F(CreateTest, AGeneratedTitleThatExistsInTheCategoryIsRefused) {
  seed_category(diary, QStringLiteral("1"));
  seed_article(diary, QStringLiteral("1"), QStringLiteral("日记1"), {});
  seed_article(diary, QStringLiteral("2"), QStringLiteral("日记2"), {});
  // The same title in another category is no duplicate.
  seed_article(QStringLiteral("杂项"), QStringLiteral("1"), QStringLiteral("日记2"), {});
  start_main_window();
  choose_category(0);
  list().set_current_row(0);
  seam().answer_next(answer_yes);
  choose_menu(MenuCommand::record_delete);
  ASSERT_EQ(rows(), QStringList{"日记2"});

  seam().clear_records();
  EXPECT_EQ(create_article(), 0);
  EXPECT_EQ(seam().message_texts(),
            QStringList{QStringLiteral("要建立的名称重复 日记2 请修改现有记录名称 在重试")});
  EXPECT_EQ(rows(), QStringList{"日记2"});
  EXPECT_EQ(row_count(QStringLiteral("文章管理")), 2);

  rename_row(0, QStringLiteral("旧的日记"));
  EXPECT_EQ(create_article(), 1);
  EXPECT_EQ(placed(diary), (QStringList{"旧的日记@1", "日记2@2"}));
}

enum class Breakage { read_only_file, read_only_folder, no_article_table };

struct FailedInsertCase {
  const char* name;
  Breakage breakage;
};

// Test names show the case by its name, not its bytes.
void PrintTo(const FailedInsertCase& c, std::ostream* out) {
  *out << c.name;
}

class FailedInsertTest : public NotebookTest,
                         public ::testing::WithParamInterface<FailedInsertCase> {};

// The insert really fails (for root too): it is reported, and no row appears that no article
// backs, so the loaded article stays where the editor's text is saved.
TEST_P(FailedInsertTest, IsReportedAndAddsNoRow) {
  seed_category(diary, QStringLiteral("1"));
  seed_article(diary, QStringLiteral("1"), QStringLiteral("日记1"), {});
  std::optional<ReadOnlyPath> read_only;
  switch (GetParam().breakage) {
    case Breakage::read_only_file:
      read_only.emplace(database_path());
      break;
    case Breakage::read_only_folder:
      read_only.emplace(path(QStringLiteral("data")));
      break;
    case Breakage::no_article_table:
      ASSERT_TRUE(seed_sql(db(), QStringLiteral("drop table 文章管理")));
      break;
  }
  ASSERT_TRUE(!read_only || read_only->ok());
  const int stored_before = row_count(QStringLiteral("文章管理"));
  start_main_window();
  choose_category(0);
  const QStringList before = rows();
  if (!before.isEmpty())
    click_list_row(0);
  const int loaded = globals().loaded_article_row;

  EXPECT_EQ(create_article(), 0);
  ASSERT_EQ(seam().messages().size(), 1u);
  EXPECT_EQ(seam().messages().front().text, QStringLiteral("新建失败请检查数据库"));
  EXPECT_EQ(seam().messages().front().buttons, buttons_ok);
  EXPECT_EQ(seam().messages().front().title, QString());
  EXPECT_EQ(rows(), before);
  EXPECT_EQ(globals().loaded_article_row, loaded);
  EXPECT_EQ(list().current_row(), loaded);
  EXPECT_EQ(row_count(QStringLiteral("文章管理")), stored_before);
}

INSTANTIATE_TEST_SUITE_P(
    Notebooks, FailedInsertTest,
    ::testing::Values(FailedInsertCase{"ReadOnlyFile", Breakage::read_only_file},
                      FailedInsertCase{"ReadOnlyFolder", Breakage::read_only_folder},
                      FailedInsertCase{"NoArticleTable", Breakage::no_article_table}),
    [](const auto& test_case) { return std::string(test_case.param.name); });

TEST_F(CreateTest, TextTypedBeforeAFailedCreateIsStillSaved) {
  seed_category(diary, QStringLiteral("1"));
  seed_article(diary, QStringLiteral("1"), QStringLiteral("日记1"), {});
  ASSERT_TRUE(seed_sql(db(), QStringLiteral("create trigger 新建失败 before insert on 文章管理 "
                                            "begin select raise(abort, 'disk full'); end")));
  start_main_window();
  choose_category(0);
  click_list_row(0);
  type_into_editor(QStringLiteral("still mine"));
  seam().answer_next(answer_no);
  EXPECT_EQ(create_article(), 0);
  EXPECT_EQ(seam().message_texts(),
            (QStringList{question, QStringLiteral("新建失败请检查数据库")}));
  EXPECT_TRUE(editor().modified());

  choose_menu(MenuCommand::save);
  EXPECT_TRUE(
      stored(QStringLiteral("文章内容"), diary, QStringLiteral("日记1")).contains("still mine"));
}

class RenameFixture : public NotebookTest {
 protected:
  void SetUp() override {
    NotebookTest::SetUp();
    seed_category(diary, QStringLiteral("1"));
    seed_category(QStringLiteral("杂项"), QStringLiteral("2"));
    seed_article(diary, QStringLiteral("1"), QStringLiteral("第一"), {});
    seed_article(diary, QStringLiteral("2"), QStringLiteral("第二"), {});
    seed_article(QStringLiteral("杂项"), QStringLiteral("1"), QStringLiteral("it's 别处"), {});
    start_main_window();
    choose_category(0);
  }
  QString stamp(const QString& title) { return stored(QStringLiteral("修改时间"), diary, title); }
};

struct RefusedRename {
  const char* name;
  QString typed;
  QStringList messages;
};

TEST_F(RenameFixture, RefusedOrUnchangedTitlesWriteNothing) {
  const std::vector<RefusedRename> cases = {
      {"unchanged", QStringLiteral("第一"), {}},
      {"empty", QString(), {}},
      {"another article's title",
       QStringLiteral("第二"),
       {QStringLiteral("要修改的名称与其他记录标题重复")}},
  };
  for (const RefusedRename& c : cases) {
    SCOPED_TRACE(c.name);
    seam().clear_records();
    rename_row(0, c.typed);
    EXPECT_EQ(seam().message_texts(), c.messages);
    EXPECT_EQ(rows(), (QStringList{"第一", "第二"}));
    EXPECT_EQ(placed(diary), (QStringList{"第一@1", "第二@2"}));
    EXPECT_EQ(stamp(QStringLiteral("第一")), QStringLiteral("2024-01-02 03:04:05"));
  }
}

TEST_F(RenameFixture, ANewTitleIsStoredWithItsStampAndFoundByTheNextSave) {
  click_list_row(0);
  const QString title = QStringLiteral("it's 别处");  // the title of an article elsewhere
  const QDateTime at(QDate(2026, 5, 6), QTime(7, 8, 9));
  set_clock([at] { return at; });
  rename_row(0, title);
  set_clock({});
  EXPECT_TRUE(seam().messages().empty());
  EXPECT_EQ(rows(), (QStringList{title, "第二"}));
  EXPECT_EQ(placed(diary), (QStringList{title + "@1", "第二@2"}));
  EXPECT_EQ(stamp(title), QStringLiteral("2026-05-06 07:08:09"));
  EXPECT_EQ(status(), QStringLiteral("当前位置：  第一"));

  type_into_editor(QStringLiteral("after rename"));
  choose_menu(MenuCommand::save);
  EXPECT_TRUE(stored(QStringLiteral("文章内容"), diary, title).contains("after rename"));
}

TEST_F(RenameFixture, RepeatedPositionsRenameOnlyTheEditedArticle) {
  ASSERT_TRUE(seed_sql(db(), QStringLiteral("update 文章管理 set 文章位置 = '1'")));
  choose_category(0);
  rename_row(1, QStringLiteral("新的"));
  EXPECT_EQ(placed(diary), (QStringList{"第一@1", "新的@1"}));
}

struct InterruptedRename {
  const char* name;
  std::function<void()> act;
  QStringList placed_after;
  QStringList rows_after;
};

// An edit still open when something else changes the current row or the rows lands on the row
// it was opened on, never on the row that becomes current.
TEST_F(RenameFixture, AnOpenTitleEditEndsOnItsOwnRow) {
  const std::vector<InterruptedRename> cases = {
      {"new article",
       [this] { choose_menu(MenuCommand::new_article); },
       {"renamed@1", "第二@2", "日记3@3"},
       {"renamed", "第二", "日记3"}},
      {"another row made current",
       [this] { list().set_current_row(1); },
       {"renamed@1", "第二@2"},
       {"renamed", "第二"}},
      {"the list refilled",
       [] { fill_article_list(); },
       {"renamed@1", "第二@2"},
       {"renamed", "第二"}},
  };
  for (const InterruptedRename& c : cases) {
    SCOPED_TRACE(c.name);
    TearDown();
    SetUp();
    click_list_row(0);
    ASSERT_NE(type_title(0, QStringLiteral("renamed")), nullptr);
    c.act();
    QApplication::processEvents();
    EXPECT_EQ(placed(diary), c.placed_after);
    EXPECT_EQ(rows(), c.rows_after);
    EXPECT_TRUE(seam().messages().empty());
  }
}

void send_key(QWidget* widget, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  QKeyEvent press(QEvent::KeyPress, key, modifiers);
  QApplication::sendEvent(widget, &press);
  QApplication::processEvents();
}

struct EndedTitleEdit {
  const char* name;
  std::function<void(QLineEdit&)> end;
  QStringList diary_after;
};

// However a title edit ends, the typed title lands on the article the edit was opened on, or
// nowhere, and the list then shows what the table holds.
TEST_F(RenameFixture, EveryWayOfEndingATitleEditAppliesItToItsArticleOrCancelsIt) {
  const QStringList applied = {"renamed@1", "第二@2"};
  const QStringList cancelled = {"第一@1", "第二@2"};
  auto focused = [] { return QApplication::focusWidget(); };
  const std::vector<EndedTitleEdit> cases = {
      {"Enter", [](QLineEdit& line) { send_key(&line, Qt::Key_Return); }, applied},
      {"Tab", [](QLineEdit& line) { send_key(&line, Qt::Key_Tab); }, applied},
      {"Shift+Tab", [](QLineEdit& line) { send_key(&line, Qt::Key_Backtab, Qt::ShiftModifier); },
       applied},
      {"Tab, then Shift+Tab",
       [&focused](QLineEdit& line) {
         send_key(&line, Qt::Key_Tab);
         send_key(focused(), Qt::Key_Backtab, Qt::ShiftModifier);
       },
       applied},
      {"Esc", [](QLineEdit& line) { send_key(&line, Qt::Key_Escape); }, cancelled},
      {"a click on another row", [this](QLineEdit&) { click_list_row(1); }, applied},
      {"focus to the editor", [this](QLineEdit&) { editor().setFocus(); }, applied},
      {"a wheel turn over the category selector",
       [this](QLineEdit&) {
         const QPointF at(5, 5);
         QWheelEvent wheel(at, combo().mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                           Qt::NoModifier, Qt::NoScrollPhase, false);
         QApplication::sendEvent(&combo(), &wheel);
       },
       applied},
      {"a key on the category selector", [this](QLineEdit&) { send_key(&combo(), Qt::Key_Down); },
       applied},
      {"another category chosen", [this](QLineEdit&) { choose_category(1); }, applied},
  };
  for (const EndedTitleEdit& c : cases) {
    SCOPED_TRACE(c.name);
    TearDown();
    SetUp();
    window().activateWindow();
    click_list_row(0);
    QLineEdit* line = type_title(0, QStringLiteral("renamed"));
    ASSERT_NE(line, nullptr);
    line->setFocus();
    c.end(*line);
    QApplication::processEvents();
    EXPECT_EQ(placed(diary), c.diary_after);
    EXPECT_EQ(placed(QStringLiteral("杂项")), QStringList{"it's 别处@1"});
    QStringList shown;
    for (const QString& title : placed(current_category()))
      shown << title.section(u'@', 0, 0);
    EXPECT_EQ(rows(), shown);
    EXPECT_TRUE(seam().messages().empty());
  }
}

TEST_F(RenameFixture, AFailedTitleUpdateKeepsTheOldTitle) {
  fail_updates_of(QStringLiteral("文章标题"));
  rename_row(1, QStringLiteral("新的"));
  EXPECT_EQ(seam().message_texts(), QStringList{QStringLiteral("修改记录名称失败")});
  EXPECT_EQ(rows(), (QStringList{"第一", "第二"}));
  EXPECT_EQ(placed(diary), (QStringList{"第一@1", "第二@2"}));
}

}  // namespace
