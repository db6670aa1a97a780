#include "handlers/editor/status_counts.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTextBlock>
#include <QTextCursor>

#include "platform/controls/status_bar.h"
#include "platform/rich_editor.h"
#include "support/main_window_fixture.h"
#include "windows/main_window.h"

namespace {

QString count_text(int count) {
  return QStringLiteral("共计字数：    %1   个字").arg(count);
}
QString line_text(int line) {
  return QStringLiteral("当前行号：     %1   行 ").arg(line);
}

class StatusCountsTest : public MainWindowFixture {
 protected:
  void SetUp() override {
    MainWindowFixture::SetUp();
    start_main_window();
  }

  RichEditor& editor() { return *window().超级编辑框1; }
  QString part(int index) { return window().状态条1->statusbar_part_text(index); }

  // Marks both parts so that a test sees whether a handler wrote them.
  void mark_parts() {
    window().状态条1->statusbar_set_part_text(1, QStringLiteral("旧行"));
    window().状态条1->statusbar_set_part_text(2, QStringLiteral("旧数"));
  }

  void press_key(Qt::Key key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(&editor(), &press);
  }

  void left_click(QPoint at) {
    QWidget* viewport = editor().viewport();
    const QPointF global = viewport->mapToGlobal(QPointF(at));
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(at), global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(viewport, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(at), global, Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &release);
  }
};

TEST_F(StatusCountsTest, CountIsHalfTheGbkBytesTruncated) {
  const struct {
    QString text;
    int count;
  } cases[] = {{QString(), 0},
               {QStringLiteral("abcdefg"), 3},
               {QStringLiteral("中文五个字"), 5},
               {QStringLiteral("a\nb"), 2}};
  for (const auto& c : cases) {
    mark_parts();
    editor().setPlainText(c.text);
    EXPECT_EQ(part(2), count_text(c.count)) << c.text.toStdString();
    EXPECT_EQ(part(1), line_text(1)) << c.text.toStdString();
  }
}

TEST_F(StatusCountsTest, WritingContentEmptyShowsZero) {
  editor().setPlainText(QStringLiteral("有字"));
  mark_parts();
  editor().set_content(QString());
  EXPECT_EQ(part(2), count_text(0));
}

TEST_F(StatusCountsTest, TypingUpdatesBothPartsAndKeyboardCaretMovesNeither) {
  type_into_editor(QStringLiteral("第一行\n第二"));
  EXPECT_EQ(part(2), count_text(6));
  EXPECT_EQ(part(1), line_text(2));

  mark_parts();
  for (const Qt::Key key : {Qt::Key_Up, Qt::Key_Home, Qt::Key_Right, Qt::Key_End})
    press_key(key);
  EXPECT_EQ(part(1), QStringLiteral("旧行"));
  EXPECT_EQ(part(2), QStringLiteral("旧数"));
}

// The line is the caret's once the editor has handled the click, also when the click lands in a
// selection (the caret moves there only when the button comes up, no drag having started).
TEST_F(StatusCountsTest, LeftClickShowsTheLineTheClickPutTheCaretOn) {
  editor().setPlainText(QStringLiteral("一\n二\n三"));
  const int end = editor().document()->characterCount() - 1;
  const struct {
    const char* name;
    int start;
    int length;
  } cases[] = {{"caret on the last line", end, 0}, {"selection over every line", 0, end}};
  for (const auto& c : cases) {
    editor().set_selection_start(c.start);
    editor().set_selection_length(c.length);
    // The second line, as the editor lays it out.
    const QRect second =
        editor().cursorRect(QTextCursor(editor().document()->findBlockByNumber(1)));
    mark_parts();

    left_click(second.center());

    EXPECT_EQ(part(1), line_text(2)) << c.name;
    EXPECT_EQ(part(2), QStringLiteral("旧数")) << c.name;
  }
}

}  // namespace
