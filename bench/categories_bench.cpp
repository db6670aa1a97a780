// Each category manager command, its refresh of the main window included, on a notebook of
// 1 000 categories and 100 000 articles. The main window shows a category in the middle with an
// article loaded, so every refresh rebuilds the selector, refills that category's list and
// loads the article again.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QTemporaryDir>

#include <array>
#include <cstdio>
#include <memory>
#include <optional>

#include "handlers/notebook/category_add_rename.h"
#include "handlers/notebook/category_delete.h"
#include "handlers/notebook/category_lists.h"
#include "handlers/notebook/category_manager.h"
#include "handlers/notebook/category_manager_list.h"
#include "handlers/notebook/category_order.h"
#include "platform/controls/combo_box.h"
#include "platform/controls/report_list.h"
#include "platform/conversions.h"
#include "platform/database.h"
#include "platform/program_dir.h"
#include "platform/rich_editor.h"
#include "platform/ui_seam.h"
#include "platform/ui_seam_in_use.h"
#include "startup/startup_chain.h"
#include "storage/article_table.h"
#include "storage/category_table.h"
#include "storage/schema.h"
#include "windows/category_manager_window.h"
#include "windows/main_window.h"

namespace {

constexpr int category_total = 1000;
constexpr int articles_per_category = 100;
constexpr int shown_category = 500;

// Answers Yes to every question and shows nothing.
class SilentSeam : public UiSeam {
 public:
  int message_box(const QString&, int buttons, const std::optional<QString>&) override {
    return buttons == buttons_yes_no ? answer_yes : answer_ok;
  }
  bool file_dialog(CommonDialog&) override { return false; }
  bool font_dialog(CommonDialog&) override { return false; }
  std::optional<Colorref> colour_dialog(QWidget*, std::array<Colorref, 16>&) override {
    return std::nullopt;
  }
  void run_modal(QWidget*) override {}
};

QString category_name(int number) {
  return QStringLiteral("目录 '%1'").arg(number, 4, 10, QLatin1Char('0'));
}

void execute(const QString& sql) {
  if (db_execute(database(), sql) == 0) {
    std::fprintf(stderr, "statement failed: %s\n", qPrintable(sql));
  }
}

// Adds a category at `position` with its articles, all with a little content.
void seed_category(ExternalDatabase& db, const QString& name, int position, const QString& body) {
  db_execute(db, QStringLiteral("insert into 目录管理(目录位置,目录名称) values('") +
                     to_text(position) + QStringLiteral("','") + sql_value(name) +
                     QStringLiteral("')"));
  for (int article = 1; article <= articles_per_category; ++article) {
    db_execute(db,
               QStringLiteral("insert into 文章管理(文章所属,文章位置,文章内容,文章标题,建立时间,"
                              "修改时间) values('") +
                   sql_value(name) + QStringLiteral("','") + to_text(article) +
                   QStringLiteral("',?,'") + QStringLiteral("文章 %1").arg(article) +
                   QStringLiteral("','2026-01-01 08:00:00','2026-01-01 08:00:00')"),
               body);
  }
}

bool seed_notebook(const QString& path) {
  if (!create_empty_database(path)) {
    return false;
  }
  ExternalDatabase db;
  if (db_open_mdb(db, path, database_password) == 0) {
    return false;
  }
  const QString body = QStringLiteral(
      "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 SimSun;}}\\f0\\fs18 读书笔记的一段正文。\\par}");
  Transaction transaction(db);
  for (int number = 1; number <= category_total; ++number) {
    seed_category(db, category_name(number), number, body);
  }
  const bool committed = transaction.commit();
  db_close(db);
  return committed;
}

CategoryManagerWindow* manager = nullptr;

ReportList& manager_list() {
  return *manager->超级列表框1;
}

// The main window shows the middle category with its 51st article and the caret inside it.
void show_article_in_main_window() {
  MainWindow& window = main_window();
  window.组合框1->set_selected_index(shown_category - 1);
  on_category_changed();
  window.超级列表框1->set_current_row(50);
  window.超级编辑框1->set_selection_start(4);
}

void BM_add_category(benchmark::State& state) {
  int added = 0;
  for (auto _ : state) {
    state.PauseTiming();
    const QString name = QStringLiteral("新目录 %1").arg(++added);
    manager->编辑框1->setText(name);
    state.ResumeTiming();
    add_category();
    state.PauseTiming();
    execute(QStringLiteral("delete from 目录管理 where 目录名称='") + sql_value(name) +
            QStringLiteral("'"));
    state.ResumeTiming();
  }
}

void BM_rename_category(benchmark::State& state) {
  int renamed = 0;
  for (auto _ : state) {
    state.PauseTiming();
    manager_list().set_current_row(10);
    manager->编辑框1->setText(QStringLiteral("改名 \"%1\"").arg(++renamed));
    state.ResumeTiming();
    rename_category();
  }
}

void BM_move_category(benchmark::State& state) {
  bool up = true;
  for (auto _ : state) {
    state.PauseTiming();
    manager_list().set_current_row(700);
    state.ResumeTiming();
    up ? move_category_up() : move_category_down();
    up = !up;
  }
}

// The first category: every other position is lowered, the most work a delete can have.
void BM_delete_first_category(benchmark::State& state) {
  const QString body = QStringLiteral("{\\rtf1\\ansi 替换的正文\\par}");
  int replaced = 0;
  for (auto _ : state) {
    state.PauseTiming();
    manager_list().set_current_row(0);
    state.ResumeTiming();
    delete_category();
    state.PauseTiming();
    {
      Transaction transaction(database());
      seed_category(database(), QStringLiteral("补充目录 %1").arg(++replaced), category_total,
                    body);
      transaction.commit();
    }
    fill_category_list();
    state.ResumeTiming();
  }
}

}  // namespace

BENCHMARK(BM_add_category)->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_rename_category)->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_move_category)->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_delete_first_category)->Unit(benchmark::kMillisecond)->Iterations(20);

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);

  QTemporaryDir dir;
  const QString program_dir = dir.path() + QStringLiteral("/程序 目录");
  for (const char* folder : {"data", "config", "datab", "skin/s", "ico"}) {
    QDir().mkpath(program_dir + QLatin1Char('/') + QLatin1String(folder));
  }
  set_program_dir(program_dir);
  SilentSeam seam;
  set_ui_seam(&seam);
  if (!seed_notebook(program_path(QStringLiteral("data/data.mdb")))) {
    std::fprintf(stderr, "could not write the notebook\n");
    return 1;
  }

  std::unique_ptr<MainWindow> window(load_start_window());
  show_article_in_main_window();
  auto window_of_manager = std::make_unique<CategoryManagerWindow>();
  prepare_category_manager(*window_of_manager);
  manager = window_of_manager.get();
  std::printf("%d categories, %d articles; the main window shows %s\n",
              count_categories(database()), count_articles(database()),
              qPrintable(main_window().组合框1->currentText()));

  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();

  std::printf("after the runs the main window still shows %s, article %s\n",
              qPrintable(main_window().组合框1->currentText()),
              qPrintable(main_window().超级列表框1->listview_get_cell_text(
                  main_window().超级列表框1->current_row())));
  window_of_manager.reset();
  window.reset();
  set_ui_seam(nullptr);
  return 0;
}
