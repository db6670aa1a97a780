// The notebook at size: 100 000 articles of 1 KB RTF in 100 categories. Measures the start-up to
// the first shown window with the last category and article restored, choosing another category,
// and saving a 1 MB article; prints each figure beside its target.
#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QWindow>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "handlers/notebook/article_load_save.h"
#include "handlers/notebook/category_lists.h"
#include "notebook_seed.h"
#include "platform/controls/combo_box.h"
#include "platform/controls/report_list.h"
#include "platform/conversions.h"
#include "platform/database.h"
#include "platform/rich_editor.h"
#include "platform/settings_file.h"
#include "startup/startup_chain.h"
#include "storage/schema.h"
#include "windows/main_window.h"

namespace {

double milliseconds(const QElapsedTimer& timer) {
  return timer.nsecsElapsed() / 1e6;
}

void print(const char* what, double figure, double target) {
  std::printf("%-58s %8.2f ms  (target < %.0f ms) %s\n", what, figure, target,
              figure < target ? "ok" : "MISSED");
}

double median(std::vector<double> figures) {
  std::sort(figures.begin(), figures.end());
  return figures[figures.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QTemporaryDir program_dir;
  QElapsedTimer timer;
  timer.start();
  use_seeded_program_dir(program_dir.path());
  std::printf("seeded %d articles of 1 KB in %d categories in %.1f s\n",
              category_count * articles_per_category, category_count, milliseconds(timer) / 1000);
  write_ini_value(settings_file_path(), QStringLiteral("FWJL"), QStringLiteral("FL"),
                  category_name(50));
  write_ini_value(settings_file_path(), QStringLiteral("FWJL"), QStringLiteral("WZ"),
                  article_title(50, 500));
  write_ini_value(settings_file_path(), QStringLiteral("FWJL"), QStringLiteral("ZB"),
                  QStringLiteral("20"));

  timer.restart();
  MainWindow* window = load_start_window();
  window->show();
  while (!window->windowHandle() || !window->windowHandle()->isExposed()) {
    QApplication::processEvents();
  }
  const double startup = milliseconds(timer);
  if (window->组合框1->combo_item_text(window->组合框1->selected_index()) != category_name(50) ||
      window->超级列表框1->current_row() != 499) {
    std::fprintf(stderr, "the last category and article were not restored\n");
    return 1;
  }
  print("start-up to the first shown window, last position restored", startup, 500);

  std::vector<double> changes;
  for (int c = 1; c <= category_count; c += 9) {
    window->组合框1->set_selected_index(c - 1);
    timer.restart();
    on_category_changed();
    changes.push_back(milliseconds(timer));
  }
  if (window->超级列表框1->listview_row_count() != articles_per_category) {
    std::fprintf(stderr, "the category change listed %d articles\n",
                 window->超级列表框1->listview_row_count());
    return 1;
  }
  print("choosing another category (median)", median(changes), 30);
  print("choosing another category (slowest)", *std::max_element(changes.begin(), changes.end()),
        30);

  window->超级列表框1->set_current_row(10);
  window->超级编辑框1->set_content(rtf_of_size(1024 * 1024));
  std::vector<double> saves;
  for (int i = 0; i < 7; ++i) {
    timer.restart();
    const int saved = save_current_article();
    saves.push_back(milliseconds(timer));
    if (saved != 1) {
      std::fprintf(stderr, "saving the 1 MB article failed\n");
      return 1;
    }
  }
  // The share of the save spent building the editor's RTF form, before any statement runs.
  timer.restart();
  const qsizetype content_size = window->超级编辑框1->content().size();
  std::printf("the 1 MB article's content form: %lld characters, built in %.2f ms\n",
              static_cast<long long>(content_size), milliseconds(timer));
  print("saving a 1 MB article (median)", median(saves), 50);
  print("saving a 1 MB article (slowest)", *std::max_element(saves.begin(), saves.end()), 50);
  return 0;
}
