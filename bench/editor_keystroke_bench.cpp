// One typed character in a 1 MB article, with the status bar's two queries that follow it
// (text length in GBK bytes, line of the caret), as the editor sees it.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QKeyEvent>
#include <QTextEdit>

#include "platform/conversions.h"
#include "platform/rich_editor.h"

namespace {

// About 1 MB of text: mixed Chinese and ASCII paragraphs, or one paragraph holding all of it.
QString article(bool paragraphs) {
  const QString sentence =
      QStringLiteral("这是一段用来测量编辑速度的中文文字, with some ASCII words. ");
  QString text;
  for (int n = 1; text.size() * 2 < 1'000'000; ++n) {
    text += sentence;
    if (paragraphs && n % 4 == 0)
      text += u'\n';
  }
  return text;
}

void press(QTextEdit& editor, int key, const QString& text) {
  QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier, text);
  QApplication::sendEvent(&editor, &event);
}

void keystroke(benchmark::State& state, bool paragraphs) {
  RichEditor editor;
  editor.resize(566, 445);
  editor.show();
  editor.set_content(article(paragraphs));
  editor.set_selection_start(editor.document()->characterCount() / 2);
  QApplication::processEvents();
  editor.richedit_line_from_char(editor.selection_start());
  bool typed = false;
  for (auto _ : state) {
    // Typing and rubbing out in turn keeps the document the same size.
    if (typed) {
      press(editor, Qt::Key_Backspace, QString());
    } else {
      press(editor, Qt::Key_unknown, QStringLiteral("字"));
    }
    typed = !typed;
    benchmark::DoNotOptimize(editor.richedit_text_length());
    benchmark::DoNotOptimize(editor.richedit_line_from_char(editor.selection_start()));
    QApplication::processEvents();
  }
  state.counters["bytes"] = editor.richedit_text_length();
}

// A plain QTextEdit typing into the same single paragraph: the share of Qt's own layout.
void BM_plain_qtextedit_in_one_paragraph(benchmark::State& state) {
  QTextEdit editor;
  editor.setFont(QFont(QStringLiteral("宋体"), 9));
  editor.resize(566, 445);
  editor.show();
  editor.setPlainText(article(false));
  QTextCursor middle = editor.textCursor();
  middle.setPosition(editor.document()->characterCount() / 2);
  editor.setTextCursor(middle);
  QApplication::processEvents();
  bool typed = false;
  for (auto _ : state) {
    press(editor, typed ? Qt::Key_Backspace : Qt::Key_unknown,
          typed ? QString() : QStringLiteral("字"));
    typed = !typed;
    QApplication::processEvents();
  }
}

void BM_keystroke_in_paragraphs(benchmark::State& state) {
  keystroke(state, true);
}
void BM_keystroke_in_one_paragraph(benchmark::State& state) {
  keystroke(state, false);
}

// Loading a stored 1 MB article with a format change every few words.
void BM_set_content_formatted(benchmark::State& state) {
  RichEditor source;
  source.set_content(article(true));
  QTextCursor cursor(source.document());
  QTextCharFormat bold;
  bold.setFontWeight(QFont::Bold);
  for (int at = 0; at + 8 < source.document()->characterCount(); at += 40) {
    cursor.setPosition(at);
    cursor.setPosition(at + 8, QTextCursor::KeepAnchor);
    cursor.mergeCharFormat(bold);
  }
  const QString rtf = source.content();
  RichEditor editor;
  editor.resize(566, 445);
  editor.show();
  for (auto _ : state) {
    editor.set_content(rtf);
    benchmark::DoNotOptimize(editor.richedit_line_from_char(editor.selection_start()));
    QApplication::processEvents();
  }
  state.counters["rtf_bytes"] = static_cast<double>(rtf.size());
}

// The count taken the direct way, over the whole plain text, for comparison.
void BM_direct_text_length(benchmark::State& state) {
  RichEditor editor;
  editor.set_content(article(true));
  for (auto _ : state)
    benchmark::DoNotOptimize(gbk_byte_count(editor.toPlainText()));
}

void BM_cached_text_length(benchmark::State& state) {
  RichEditor editor;
  editor.set_content(article(true));
  for (auto _ : state)
    benchmark::DoNotOptimize(editor.richedit_text_length());
}

BENCHMARK(BM_keystroke_in_paragraphs)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_keystroke_in_one_paragraph)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_plain_qtextedit_in_one_paragraph)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_set_content_formatted)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_direct_text_length)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_cached_text_length)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
