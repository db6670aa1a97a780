// Typing into a 1 MB article: each keystroke edits the document, and the editor's content-changed
// handler writes the character count and the caret's line into the status bar.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextEdit>

#include "handlers/editor/status_counts.h"
#include "platform/controls/status_bar.h"
#include "platform/conversions.h"
#include "platform/program_dir.h"
#include "platform/rich_editor.h"
#include "windows/main_window.h"

namespace {

// About 1 MB in GBK bytes: lines of Chinese and ASCII text.
QString one_megabyte_article() {
  const QString line =
      QStringLiteral("今天的笔记：Wrenfold keeps rich text, 分类与文章。 0123456789\n");
  return line.repeated(1024 * 1024 / gbk_byte_count(line) + 1);
}

MainWindow& window_with_article() {
  static MainWindow* window = [] {
    auto* created = new MainWindow;
    created->show();
    created->超级编辑框1->setPlainText(one_megabyte_article());
    created->超级编辑框1->set_selection_start(created->超级编辑框1->toPlainText().size() / 2);
    QApplication::processEvents();
    return created;
  }();
  return *window;
}

// One typed character, as the user gives it: the edit, then every handler it raises.
void BM_TypeOneCharacter(benchmark::State& state) {
  MainWindow& window = window_with_article();
  RichEditor* editor = window.超级编辑框1;
  for (auto _ : state) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    QApplication::sendEvent(editor, &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    QApplication::sendEvent(editor, &release);
  }
  state.counters["bytes"] = editor->richedit_text_length();
  if (!window.状态条1->statusbar_part_text(2).startsWith(QStringLiteral("共计字数：")))
    state.SkipWithError("status part 2 was not written");
}

// Qt's own editor with the same article, for comparison: the cost of the edit itself.
void BM_TypeOneCharacterPlainQTextEdit(benchmark::State& state) {
  QTextEdit editor;
  editor.resize(566, 445);
  editor.show();
  editor.setPlainText(one_megabyte_article());
  QTextCursor middle(editor.document());
  middle.setPosition(editor.document()->characterCount() / 2);
  editor.setTextCursor(middle);
  QApplication::processEvents();
  for (auto _ : state) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    QApplication::sendEvent(&editor, &press);
  }
}

// The content-changed handler alone: both status parts written.
void BM_ContentChangedHandler(benchmark::State& state) {
  window_with_article();
  for (auto _ : state)
    main_editor_content_changed();
}

}  // namespace

BENCHMARK(BM_TypeOneCharacter)->Unit(benchmark::kMillisecond)->Iterations(300);
BENCHMARK(BM_TypeOneCharacterPlainQTextEdit)->Unit(benchmark::kMillisecond)->Iterations(300);
BENCHMARK(BM_ContentChangedHandler)->Unit(benchmark::kMillisecond)->Iterations(300);

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QTemporaryDir program_dir;
  set_program_dir(program_dir.path());
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
