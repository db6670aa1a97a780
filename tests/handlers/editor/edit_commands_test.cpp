#include "handlers/editor/edit_commands.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QFile>
#include <QKeySequence>
#include <QMenu>

#include <vector>

#include "platform/controls/report_list.h"
#include "platform/rich_editor.h"
#include "support/captured_stderr.h"
#include "support/main_window_fixture.h"
#include "windows/main_window.h"

namespace {

const QString category = QStringLiteral("工作 \"日志\"");

class EditCommandsTest : public MainWindowFixture {
 protected:
  RichEditor& editor() { return *window().超级编辑框1; }

  // One category with one article, loaded into the editor by clicking its row.
  void start_with_loaded_article() {
    seed_category(category, QStringLiteral("1"));
    seed_article(category, QStringLiteral("1"), QStringLiteral("第一篇 \"笔记\""), QString());
    start_main_window();
    choose_category(0);
    click_list_row(0);
    ASSERT_EQ(window().超级列表框1->current_row(), 0);
  }
};

TEST_F(EditCommandsTest, OpenWithoutCurrentRowShowsTheGuardMessageOnly) {
  start_main_window();
  editor().setPlainText(QStringLiteral("不动的文字"));
  ASSERT_EQ(window().超级列表框1->current_row(), -1);

  choose_menu(MenuCommand::open);

  ASSERT_EQ(seam().messages().size(), 1u);
  EXPECT_EQ(seam().messages()[0].text, QStringLiteral("请选择一个记录 或 新建记录 以用来存储"));
  EXPECT_EQ(seam().messages()[0].buttons, buttons_ok);
  EXPECT_EQ(seam().messages()[0].title, QString());
  EXPECT_TRUE(seam().dialogs().empty());
  EXPECT_EQ(editor().toPlainText(), QStringLiteral("不动的文字"));
}

TEST_F(EditCommandsTest, OpenWithCurrentRowRunsTheEditorsOpenAndTouchesNoArticle) {
  start_with_loaded_article();
  const auto rows_before = table_rows(QStringLiteral("文章管理"));
  seam().clear_records();
  seam().cancel_file_next();

  click_toolbar_button(1);

  EXPECT_TRUE(seam().messages().empty());
  ASSERT_EQ(seam().dialogs().size(), 1u);
  EXPECT_EQ(seam().dialogs()[0].dialog_type, 0);
  EXPECT_EQ(table_rows(QStringLiteral("文章管理")), rows_before);
}

TEST_F(EditCommandsTest, SaveAsWritesTheRichTextBytesAndKeepsAnEarlierUsersTitleAndFolder) {
  start_main_window();
  editor().setPlainText(QStringLiteral("另存的文字 \"quoted\" text"));
  editor().set_modified(false);
  CommonDialog& dialog = window().通用对话框2;
  dialog.title = QStringLiteral("选择");
  dialog.initial_dir = path(QStringLiteral("datab"));
  const QString target = path(QStringLiteral("副本 无扩展名"));
  seam().choose_file_next(target);

  choose_menu(MenuCommand::save_as);

  ASSERT_EQ(seam().dialogs().size(), 1u);
  const CommonDialog& shown = seam().dialogs()[0];
  EXPECT_EQ(shown.dialog_type, 1);
  EXPECT_EQ(shown.file_name, QStringLiteral("JSB"));
  EXPECT_EQ(shown.filter, QStringLiteral("丰富文本(*.RTF)|*.RTF|所有文件|*.*"));
  EXPECT_EQ(shown.default_ext, QStringLiteral("*.txt"));
  EXPECT_EQ(shown.title, QStringLiteral("选择"));
  EXPECT_EQ(shown.initial_dir, path(QStringLiteral("datab")));

  QFile copy(target);
  ASSERT_TRUE(copy.open(QIODevice::ReadOnly));
  const QByteArray bytes = copy.readAll();
  EXPECT_EQ(bytes, editor().content().toLatin1());
  EXPECT_TRUE(bytes.startsWith("{\\rtf"));
  EXPECT_FALSE(editor().modified());
  EXPECT_TRUE(seam().messages().empty());
}

TEST_F(EditCommandsTest, CancelledSaveAsWritesNothing) {
  start_main_window();
  editor().setPlainText(QStringLiteral("文字"));
  seam().cancel_file_next();

  choose_menu(MenuCommand::save_as);

  EXPECT_FALSE(QFile::exists(path(QStringLiteral("JSB"))));
  EXPECT_EQ(seam().dialogs().size(), 1u);
}

// A copy that cannot be written is reported with its name and the reason; nothing else changes.
TEST_F(EditCommandsTest, ASaveAsThatCannotWriteSaysWhichFileAndWhy) {
  struct Case {
    const char* name;
    QString target;
  };
  const std::vector<Case> cases = {
      {"missing folder", path(QStringLiteral("没有 这个/副本.rtf"))},
      {"a folder of that name", path(QStringLiteral("datab"))},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TearDown();
    SetUp();
    start_main_window();
    type_into_editor(QStringLiteral("unsaved"));
    seam().choose_file_next(c.target);
    CapturedStderr captured;

    choose_menu(MenuCommand::save_as);

    ASSERT_EQ(seam().messages().size(), 1u);
    const ShownMessage& shown = seam().messages()[0];
    const QString reason = shown.text.section(u'\n', 1);
    EXPECT_EQ(
        captured.lines(),
        QStringList(
            QStringLiteral("wrenfold: save a copy of the text \"%1\": %2").arg(c.target, reason)));
    EXPECT_TRUE(shown.text.startsWith(QStringLiteral("另存为失败 ") + c.target + u'\n'))
        << shown.text.toStdString();
    EXPECT_GT(shown.text.size(), (QStringLiteral("另存为失败 ") + c.target).size() + 1)
        << "the reason follows the name";
    EXPECT_EQ(shown.buttons, buttons_ok);
    EXPECT_EQ(shown.title, QString());
    EXPECT_TRUE(editor().modified());
    EXPECT_TRUE(editor().toPlainText().contains(QStringLiteral("unsaved")));
  }
}

TEST_F(EditCommandsTest, SelectAllFromTheMiddleSelectsTheWholeText) {
  start_main_window();
  editor().setPlainText(QStringLiteral("第一行\n第二行 text"));
  editor().set_selection_start(5);

  choose_menu(MenuCommand::select_all);

  EXPECT_EQ(editor().selection_start(), 0);
  EXPECT_EQ(editor().selection_length(), editor().document()->characterCount() - 1);
}

TEST_F(EditCommandsTest, WordWrapSwitchesOffThenOnWithTheCheckMark) {
  start_main_window();
  QAction* item = window().action(MenuCommand::word_wrap);
  ASSERT_TRUE(item->isChecked());
  ASSERT_TRUE(editor().word_wrap());

  choose_menu(MenuCommand::word_wrap);
  EXPECT_FALSE(item->isChecked());
  EXPECT_FALSE(editor().word_wrap());

  choose_menu(MenuCommand::word_wrap);
  EXPECT_TRUE(item->isChecked());
  EXPECT_TRUE(editor().word_wrap());
}

TEST_F(EditCommandsTest, DeleteRemovesTheSelectionAndLeavesTheDeleteKeyToTyping) {
  start_main_window();
  editor().setPlainText(QStringLiteral("abc删除def"));
  editor().set_selection_start(3);
  editor().set_selection_length(2);

  choose_menu(MenuCommand::delete_selection);
  EXPECT_EQ(editor().toPlainText(), QStringLiteral("abcdef"));

  EXPECT_EQ(window().action(MenuCommand::delete_selection)->shortcut(),
            QKeySequence(Qt::CTRL | Qt::Key_L));
  for (const QAction* action : window().findChildren<QAction*>())
    EXPECT_NE(action->shortcut(), QKeySequence(Qt::Key_Delete)) << action->text().toStdString();
}

TEST_F(EditCommandsTest, UndoTakesBackTheLastEdit) {
  start_main_window();
  type_into_editor(QStringLiteral("ab"));
  ASSERT_EQ(editor().toPlainText(), QStringLiteral("ab"));

  choose_menu(MenuCommand::undo);

  EXPECT_EQ(editor().toPlainText(), QString());
}

TEST_F(EditCommandsTest, RightClickInTheEditorPopsUpTheEditMenu) {
  start_main_window();
  emit editor().on_right_button_down(10, 10, 0);

  EXPECT_TRUE(window().menu_edit->isVisible());
  window().menu_edit->hide();
}

}  // namespace
