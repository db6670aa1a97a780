// Loading an article of 1, 10 and 50 MB of RTF, as one long paragraph and as short lines, each
// time beside QTextDocument::setPlainText of the same text in the same run: the floor. Two
// figures per case: the document alone (reading the RTF against setPlainText), and the editor
// shown (content written and the first screen painted, against a QTextEdit of the same size and
// font given the plain text).
#include <QApplication>
#include <QElapsedTimer>
#include <QTextDocument>
#include <QTextEdit>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <vector>

#include "article_text.h"
#include "platform/rich_editor.h"
#include "platform/rtf/rtf_reader.h"
#include "platform/rtf/rtf_writer.h"

namespace {

constexpr double target_ratio = 1.5;

double elapsed_ms(const std::function<void()>& work) {
  QElapsedTimer timer;
  timer.start();
  work();
  return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

// The best of a few runs: on a shared machine the slower ones hold someone else's work.
double best_ms(int runs, const std::function<void()>& work) {
  double best = 1e300;
  for (int i = 0; i < runs; ++i)
    best = std::min(best, elapsed_ms(work));
  return best;
}

bool all_met = true;

void print(const char* what, double figure, double floor) {
  const double ratio = figure / floor;
  const bool met = ratio <= target_ratio;
  all_met = all_met && met;
  std::printf("  %-30s %10.1f ms   setPlainText %10.1f ms   %5.2fx %s\n", what, figure, floor,
              ratio, met ? "ok" : "MISSED");
  std::fflush(stdout);
}

// The editor as the main window holds it: its size there and the program's default font.
template <typename Editor>
void place(Editor& editor) {
  editor.setFont(QFont(QStringLiteral("宋体"), 9));
  editor.resize(566, 445);
  editor.show();
  QApplication::processEvents();
}

// Paints the first screen, which lays out what it shows.
void paint(QTextEdit& editor) {
  editor.viewport()->repaint();
}

void measure(qsizetype megabytes, bool short_lines) {
  const QString text = text_for_rtf_size(megabytes * 1'000'000, short_lines);
  const QByteArray rtf = rtf_of_text(text);
  const QString content = QString::fromLatin1(rtf);
  const int runs = megabytes >= 50 ? 1 : 3;
  std::printf("%lld MB of %s: %.1f MB RTF, %lld characters\n", static_cast<long long>(megabytes),
              short_lines ? "short lines" : "one paragraph", rtf.size() / 1e6,
              static_cast<long long>(text.size()));

  const double plain_ms = best_ms(runs, [&] {
    QTextDocument document;
    document.setPlainText(text);
  });
  const double read_ms = best_ms(runs, [&] {
    QTextDocument document;
    read_rtf(rtf, document);
  });
  print("read_rtf into a document", read_ms, plain_ms);

  const double plain_shown_ms = best_ms(runs, [&] {
    QTextEdit editor;
    place(editor);
    editor.setPlainText(text);
    paint(editor);
  });
  const double shown_ms = best_ms(runs, [&] {
    RichEditor editor;
    place(editor);
    editor.set_content(content);
    paint(editor);
  });
  print("editor content, first screen", shown_ms, plain_shown_ms);
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  std::vector<qsizetype> sizes = {1, 10, 50};
  if (argc > 1)
    sizes = {std::atoll(argv[1])};
  for (const qsizetype megabytes : sizes) {
    for (const bool short_lines : {false, true})
      measure(megabytes, short_lines);
  }
  return all_met ? 0 : 1;
}
