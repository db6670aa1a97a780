#include "handlers/notebook/article_move.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QGroupBox>
#include <QMouseEvent>

#include <vector>

#include "handlers/notebook/notebook_fixture.h"
#include "platform/controls/picture_button.h"
#include "platform/windows.h"

namespace {

const QString diary = QStringLiteral("Tom's \"日记\"");

QString body(const QString& title) {
  return QStringLiteral("{\\rtf1\\ansi ") + title + QStringLiteral(" body}");
}

class ArticleMoveTest : public NotebookTest {
 protected:
  // The category holds the titles at positions 1..n with their bodies; another category holds
  // one more article. The category is chosen and the row clicked.
  void start_with(const QStringList& titles, int clicked_row) {
    seed_category(diary, QStringLiteral("1"));
    seed_category(QStringLiteral("别的"), QStringLiteral("2"));
    for (int i = 0; i < titles.size(); ++i)
      seed_article(diary, QString::number(i + 1), titles[i], body(titles[i]));
    seed_article(QStringLiteral("别的"), QStringLiteral("1"), QStringLiteral("Y"), body("别的 Y"));
    start_main_window();
    choose_category(0);
    if (clicked_row != -1)
      click_list_row(clicked_row);
  }

  // What the user sees after a move: rows, current row, the loaded article and its place.
  void expect_shown(const QStringList& titles, int current) {
    EXPECT_EQ(rows(), titles);
    EXPECT_EQ(list().current_row(), current);
    EXPECT_EQ(globals().loaded_article_row, current);
    EXPECT_EQ(editor().toPlainText(), titles[current] + QStringLiteral(" body"));
    EXPECT_EQ(status(), QStringLiteral("当前位置：  ") + titles[current]);
    EXPECT_FALSE(editor().modified());
  }
};

struct MoveCase {
  const char* label;
  MenuCommand command;
  int clicked_row;
  QStringList rows_after;
  int current_after;
  QStringList placed_after;
};

// Test names show the case by its name, not its bytes.
void PrintTo(const MoveCase& c, std::ostream* out) {
  *out << c.label;
}

class MoveCommandTest : public ArticleMoveTest, public ::testing::WithParamInterface<MoveCase> {};

TEST_P(MoveCommandTest, SwapsPositionsAndRowsAndSelectsTheMovedArticle) {
  const MoveCase& c = GetParam();
  start_with({"X", "Y", "Z"}, c.clicked_row);
  choose_menu(c.command);
  expect_shown(c.rows_after, c.current_after);
  EXPECT_EQ(placed(diary), c.placed_after);
  EXPECT_EQ(placed(QStringLiteral("别的")), QStringList{"Y@1"});
  EXPECT_TRUE(seam().messages().empty());
}

INSTANTIATE_TEST_SUITE_P(Cases, MoveCommandTest,
                         ::testing::Values(MoveCase{"middle_down",
                                                    MenuCommand::record_move_down,
                                                    1,
                                                    {"X", "Z", "Y"},
                                                    2,
                                                    {"X@1", "Z@2", "Y@3"}},
                                           MoveCase{"middle_up",
                                                    MenuCommand::record_move_up,
                                                    1,
                                                    {"Y", "X", "Z"},
                                                    0,
                                                    {"Y@1", "X@2", "Z@3"}},
                                           MoveCase{"last_down_stays",
                                                    MenuCommand::record_move_down,
                                                    2,
                                                    {"X", "Y", "Z"},
                                                    2,
                                                    {"X@1", "Y@2", "Z@3"}},
                                           MoveCase{"first_up_stays",
                                                    MenuCommand::record_move_up,
                                                    0,
                                                    {"X", "Y", "Z"},
                                                    0,
                                                    {"X@1", "Y@2", "Z@3"}}),
                         [](const auto& test_case) { return std::string(test_case.param.label); });

TEST_F(ArticleMoveTest, AtTheEndsAndWithOneRowNothingIsAsked) {
  start_with({"X"}, 0);
  type_into_editor(QStringLiteral(" edited"));
  move_article_up();
  move_article_down();
  EXPECT_TRUE(seam().messages().empty());
  EXPECT_TRUE(editor().modified());
  EXPECT_EQ(placed(diary), QStringList{"X@1"});
}

TEST_F(ArticleMoveTest, WithoutACurrentRowNothingHappens) {
  start_with({"X", "Y"}, -1);
  move_article_up();
  move_article_down();
  EXPECT_EQ(rows(), (QStringList{"X", "Y"}));
  EXPECT_EQ(list().current_row(), -1);
  EXPECT_EQ(placed(diary), (QStringList{"X@1", "Y@2"}));
}

TEST_F(ArticleMoveTest, PositionsComeFromRowsAndCloseAGap) {
  // Stored at 1 and 3; the other category's article makes 3 reachable in the list.
  seed_category(diary, QStringLiteral("1"));
  seed_article(diary, QStringLiteral("1"), QStringLiteral("X"), body("X"));
  seed_article(diary, QStringLiteral("3"), QStringLiteral("Z"), body("Z"));
  seed_article(QStringLiteral("别的"), QStringLiteral("1"), QStringLiteral("Y"), {});
  start_main_window();
  choose_category(0);
  click_list_row(1);
  choose_menu(MenuCommand::record_move_up);
  expect_shown({"Z", "X"}, 0);
  EXPECT_EQ(placed(diary), (QStringList{"Z@1", "X@2"}));
}

TEST_F(ArticleMoveTest, NoToTheQuestionMovesAndShowsTheStoredArticle) {
  start_with({"X", "Y", "Z"}, 1);
  type_into_editor(QStringLiteral(" unsaved"));
  seam().answer_next(answer_no);
  choose_menu(MenuCommand::record_move_down);
  EXPECT_EQ(seam().message_texts(), QStringList{question});
  expect_shown({"X", "Z", "Y"}, 2);
  EXPECT_EQ(stored(QStringLiteral("文章内容"), diary, QStringLiteral("Y")), body("Y"));
}

TEST_F(ArticleMoveTest, YesAndAFailedSaveMoveNothing) {
  start_with({"X", "Y", "Z"}, 1);
  fail_updates_of(QStringLiteral("文章内容"));
  type_into_editor(QStringLiteral(" unsaved"));
  seam().answer_next(answer_yes);
  choose_menu(MenuCommand::record_move_up);
  EXPECT_EQ(seam().message_texts(), (QStringList{question, failed}));
  EXPECT_EQ(rows(), (QStringList{"X", "Y", "Z"}));
  EXPECT_EQ(list().current_row(), 1);
  EXPECT_TRUE(editor().modified());
  EXPECT_EQ(placed(diary), (QStringList{"X@1", "Y@2", "Z@3"}));
}

TEST_F(ArticleMoveTest, YesSavesIntoTheArticleBeforeItMoves) {
  start_with({"X", "Y", "Z"}, 1);
  type_into_editor(QStringLiteral(" kept"));
  seam().answer_next(answer_yes);
  choose_menu(MenuCommand::record_move_up);
  EXPECT_EQ(rows(), (QStringList{"Y", "X", "Z"}));
  EXPECT_TRUE(editor().toPlainText().contains(QStringLiteral("kept")));
  EXPECT_TRUE(stored(QStringLiteral("文章内容"), diary, QStringLiteral("Y")).contains("kept"));
}

// A move whose second position is refused must not leave two articles at one position.
TEST_F(ArticleMoveTest, ATableThatRefusesTheSwapKeepsListAndSelection) {
  start_with({"X", "Y", "Z"}, 1);
  ASSERT_TRUE(seed_sql(db(), QStringLiteral("create trigger 写入失败 before update of 文章位置 on "
                                            "文章管理 when new.文章标题 = 'Y' begin select "
                                            "raise(abort, 'disk full'); end")));
  choose_menu(MenuCommand::record_move_down);
  expect_shown({"X", "Y", "Z"}, 1);
  EXPECT_EQ(placed(diary), (QStringList{"X@1", "Y@2", "Z@3"}));
  EXPECT_TRUE(seam().messages().empty());
}

// The panel's buttons, pressed and released as the user does, with the moves they cause timed.
class MoveButtonTest : public ArticleMoveTest {
 protected:
  void open_panel() {
    choose_menu(MenuCommand::record_adjust);
    ASSERT_TRUE(window().分组框1->isVisible());
    QObject::connect(&list(), &ReportList::on_current_row_changed, &list(),
                     [this] { moves_.push_back(clock_.elapsed()); });
    clock_.start();
  }
  PictureButton& up() { return *window().图形按钮1; }
  PictureButton& down() { return *window().图形按钮2; }

  static void mouse(PictureButton& button, QEvent::Type type) {
    const QPointF at(10, 10);
    const QPointF global = button.mapToGlobal(at);
    QMouseEvent event(type, at, button.window()->mapFromGlobal(global), global, Qt::LeftButton,
                      type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                      Qt::NoModifier);
    QApplication::sendEvent(&button, &event);
  }
  static void press(PictureButton& button) { mouse(button, QEvent::MouseButtonPress); }
  static void release(PictureButton& button) { mouse(button, QEvent::MouseButtonRelease); }

  // Lets the program run until the list shows the row current, or two seconds have gone.
  void run_until_current(int row) {
    QElapsedTimer waited;
    waited.start();
    while (list().current_row() != row && waited.elapsed() < 2000)
      delay_ms(5);
  }

  std::vector<qint64> moves_;
  QElapsedTimer clock_;
};

TEST_F(MoveButtonTest, HoldingClimbsToTheTopWithAPauseAfterEachMoveAndStaysThere) {
  start_with({"W", "X", "Y", "Z"}, 3);
  open_panel();
  press(up());
  EXPECT_EQ(list().current_row(), 2) << "a press moves at once";
  run_until_current(0);
  expect_shown({"Z", "W", "X", "Y"}, 0);
  ASSERT_EQ(moves_.size(), 3u);
  EXPECT_GE(moves_[1] - moves_[0], 80);
  EXPECT_GE(moves_[2] - moves_[1], 80);

  // Further passes at the first row move nothing and ask nothing.
  editor().set_modified(true);
  delay_ms(300);
  release(up());
  EXPECT_EQ(moves_.size(), 3u);
  EXPECT_TRUE(seam().messages().empty());
  EXPECT_EQ(placed(diary), (QStringList{"Z@1", "W@2", "X@3", "Y@4"}));
  EXPECT_EQ(globals().move_repeat_active, 0);
}

TEST_F(MoveButtonTest, AShortClickMovesExactlyOnce) {
  start_with({"W", "X", "Y", "Z"}, 0);
  open_panel();
  press(down());
  release(down());
  delay_ms(300);
  expect_shown({"X", "W", "Y", "Z"}, 1);
  EXPECT_EQ(moves_.size(), 1u);
}

TEST_F(MoveButtonTest, ReleasingEitherButtonEndsEveryRepeat) {
  start_with({"W", "X", "Y", "Z"}, 0);
  open_panel();
  press(down());
  run_until_current(2);
  // The other button pressed meanwhile moves at once; its release ends both repeats.
  press(up());
  release(up());
  delay_ms(300);
  expect_shown({"X", "W", "Y", "Z"}, 1);
  EXPECT_EQ(moves_.size(), 3u);
}

// Answers every box No after running a step of the user's, as a release while the box shows.
class ActingSeam : public ScriptedSeam {
 public:
  explicit ActingSeam(std::function<void()> act) : act_(std::move(act)) {}
  int message_box(const QString& text, int buttons, const std::optional<QString>& title) override {
    act_();
    return ScriptedSeam::message_box(text, buttons, title);
  }

 private:
  std::function<void()> act_;
};

TEST_F(MoveButtonTest, AReleaseWhileTheQuestionShowsEndsTheRepeatAfterThatMove) {
  start_with({"W", "X", "Y", "Z"}, 3);
  open_panel();
  type_into_editor(QStringLiteral(" edited"));
  ActingSeam seam([this] { release(up()); });
  SeamInstaller installer(seam);
  press(up());
  delay_ms(300);
  EXPECT_EQ(seam.message_texts(), QStringList{question});
  expect_shown({"W", "X", "Z", "Y"}, 2);
  EXPECT_EQ(moves_.size(), 1u);
}

TEST_F(MoveButtonTest, HoldingWithoutACurrentRowDoesNothing) {
  start_with({"W", "X"}, -1);
  open_panel();
  press(up());
  delay_ms(200);
  release(up());
  EXPECT_EQ(rows(), (QStringList{"W", "X"}));
  EXPECT_EQ(list().current_row(), -1);
  EXPECT_TRUE(moves_.empty());
}

}  // namespace
