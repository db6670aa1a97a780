// Moving articles and the record search on the notebook at size (100 000 articles of 1 KB RTF in
// 100 categories, one article of 1 MB among them). Each figure is printed beside the time the
// sqlcipher command-line tool needs for the statements the program ran, replayed on the same
// file: the engine's floor.
#include <sqlcipher/sqlite3.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "handlers/notebook/article_move.h"
#include "handlers/notebook/category_lists.h"
#include "handlers/notebook/record_search.h"
#include "notebook_seed.h"
#include "platform/controls/combo_box.h"
#include "platform/controls/edit_box.h"
#include "platform/controls/report_list.h"
#include "platform/controls/result_list.h"
#include "platform/settings_file.h"
#include "startup/startup_chain.h"
#include "storage/article_table.h"
#include "windows/main_window.h"
#include "windows/record_search_window.h"

namespace {

constexpr int runs = 15;

// Runs the action several times and gives the best time in milliseconds: on a shared machine
// the slower runs are the same work plus someone else's.
double best_ms(const std::function<void()>& action, int count = runs) {
  double best = 1e300;
  for (int i = 0; i < count; ++i) {
    QElapsedTimer timer;
    timer.start();
    action();
    best = std::min(best, timer.nsecsElapsed() / 1e6);
  }
  return best;
}

// The statements the program runs on its connection, in order, as the engine received them.
class StatementLog {
 public:
  explicit StatementLog(ExternalDatabase& db) : db_(db) {}
  QStringList record(const std::function<void()>& action) {
    statements_.clear();
    sqlite3_trace_v2(db_.handle(), SQLITE_TRACE_STMT, &StatementLog::on_statement, this);
    action();
    sqlite3_trace_v2(db_.handle(), 0, nullptr, nullptr);
    return statements_;
  }

 private:
  static int on_statement(unsigned, void* self, void*, void* sql) {
    static_cast<StatementLog*>(self)->statements_ << QString::fromUtf8(static_cast<char*>(sql));
    return 0;
  }
  ExternalDatabase& db_;
  QStringList statements_;
};

// The best time the sqlcipher tool takes for the statements together, run `runs` times on the
// file with the program's connection settings; -1 when the tool could not run them.
double sqlcipher_floor_ms(const QString& path, const QStringList& statements) {
  QString script = QStringLiteral(
                       "PRAGMA key = '%1';\nPRAGMA cipher_compatibility = 3;\n"
                       "PRAGMA cache_size = -32000;\nPRAGMA secure_delete = 0;\n"
                       "select count(*) from sqlite_master;\n.output /dev/null\n.timer on\n")
                       .arg(database_password);
  for (int i = 0; i < runs; ++i) {
    for (const QString& statement : statements)
      script += statement + QStringLiteral(";\n");
  }
  QProcess tool;
  tool.start(QStringLiteral("sqlcipher"), {path});
  tool.write(script.toUtf8());
  tool.closeWriteChannel();
  if (!tool.waitForFinished(600000) || tool.exitCode() != 0)
    return -1;
  const QRegularExpression run_time(QStringLiteral("Run Time: real ([0-9.]+)"));
  std::vector<double> times;
  for (auto match = run_time.globalMatch(QString::fromUtf8(tool.readAllStandardOutput()));
       match.hasNext();) {
    times.push_back(match.next().captured(1).toDouble() * 1000);
  }
  if (times.size() != static_cast<size_t>(runs * statements.size()))
    return -1;
  double best = 1e300;
  for (size_t i = 0; i < times.size(); i += statements.size()) {
    double sum = 0;
    for (size_t j = 0; j < static_cast<size_t>(statements.size()); ++j)
      sum += times[i + j];
    best = std::min(best, sum);
  }
  return best;
}

void print(const char* what, double figure, double floor, const QString& target, bool met) {
  std::printf("%-52s %9.2f ms   sqlcipher %9.2f ms   %-24s %s\n", what, figure, floor,
              qPrintable(target), met ? "ok" : "MISSED");
}

void print_plan(ExternalDatabase& db, const QString& statement) {
  RecordSet plan = db_query(db, QStringLiteral("explain query plan ") + statement);
  for (; !db_at_end(plan); db_move_next(plan))
    std::printf("    plan: %s\n", qPrintable(db_read_text(plan, 4)));
  db_close_recordset(plan);
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QTemporaryDir program_dir;
  QElapsedTimer timer;
  timer.start();
  const QString path = use_seeded_program_dir(program_dir.path());
  // The 1 MB article stands second in category 1, among the articles that the moves swap.
  {
    ExternalDatabase db;
    if (!db_open_mdb(db, path, database_password) ||
        !store_article_content(db, category_name(1), article_title(1, 2), 2,
                               rtf_of_size(1024 * 1024), to_text(now()))) {
      std::fprintf(stderr, "storing the 1 MB article failed\n");
      return 1;
    }
  }
  std::printf("seeded %d articles of 1 KB (one of 1 MB) in %d categories in %.1f s\n\n",
              category_count * articles_per_category, category_count, timer.elapsed() / 1000.0);
  write_ini_value(settings_file_path(), QStringLiteral("FWJL"), QStringLiteral("FL"),
                  category_name(1));

  MainWindow* window = load_start_window();
  ExternalDatabase& db = window->外部数据库1;
  StatementLog log(db);
  bool all_met = true;

  // Moves in category 1, where row 1 holds the 1 MB article and the others 1 KB ones. Each
  // figure is half of a move down and back up, the reload of the moved article included.
  ReportList& list = *window->超级列表框1;
  const auto measure_move = [&](const char* what, int row, double target_ms) {
    list.set_current_row(row);
    const QStringList statements = log.record(move_article_down);
    move_article_up();
    const double figure = best_ms([] {
                            move_article_down();
                            move_article_up();
                          }) /
                          2;
    const double floor = sqlcipher_floor_ms(path, statements);
    const bool met = target_ms == 0 || figure < target_ms;
    all_met = all_met && met;
    print(what, figure, floor,
          target_ms > 0 ? QStringLiteral("(target < %1 ms)").arg(target_ms)
                        : QStringLiteral("(no target)"),
          met);
  };
  measure_move("move of a 1 KB article", 4, 30);
  measure_move("move of the 1 MB article, its reload included", 1, 0);

  // Searches through the window's own handler, the list fill included.
  RecordSearchWindow search;
  prepare_record_search(search);
  const auto measure_search = [&](const char* what, const QString& text, int expected_rows,
                                  double floor_factor, double target_ms) {
    search.编辑框1->setText(text);
    const QStringList statements = log.record(search_articles_by_title);
    if (search.超级列表框1->listview_row_count() != expected_rows) {
      std::fprintf(stderr, "%s listed %d rows\n", what, search.超级列表框1->listview_row_count());
      std::exit(1);
    }
    const double figure = best_ms(search_articles_by_title);
    const double floor = sqlcipher_floor_ms(path, statements);
    const bool met =
        floor_factor > 0 ? floor > 0 && figure <= floor_factor * floor : figure < target_ms;
    all_met = all_met && met;
    print(what, figure, floor,
          floor_factor > 0 ? QStringLiteral("(target <= %1 x floor)").arg(floor_factor)
                           : QStringLiteral("(target < %1 ms)").arg(target_ms),
          met);
    for (const QString& statement : statements)
      print_plan(db, statement);
  };
  measure_search("title search matching 1 000 titles", category_name(7) + QStringLiteral(" 笔记"),
                 articles_per_category, 1.5, 0);
  measure_search("empty search listing all 100 000 articles", QString(),
                 category_count * articles_per_category, 0, 1500);
  return all_met ? 0 : 1;
}
