// How long a large article restored at start-up keeps the main window from showing: the built
// program is started on the X server of $DISPLAY (run under `xvfb-run -a`) with its last article
// tiny, then 10 MB of one paragraph, then 10 MB of short lines, and the time from the start to
// the main window mapped is printed beside the tiny article's; `--50mb` also measures 50 MB of
// each. With a folder as its argument it only prepares the three program directories there
// (tiny, paragraph, lines), for profiling.
#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "article_text.h"
#include "platform/conversions.h"
#include "platform/database.h"
#include "platform/program_dir.h"
#include "platform/settings_file.h"
#include "storage/article_table.h"
#include "storage/schema.h"

namespace {

constexpr int runs = 3;
constexpr double target_delay_ms = 2000;
const QString category = QStringLiteral("笔记");
const QString title = QStringLiteral("长文章");

// A copy of the program directory whose last position is an article holding the content.
bool prepare(const QString& app_dir, const QString& copy, const QString& content) {
  if (QProcess::execute(QStringLiteral("cp"),
                        {QStringLiteral("-r"), app_dir + QStringLiteral("/."), copy}) != 0)
    return false;
  set_program_dir(copy);
  ExternalDatabase db;
  if (!db_open_mdb(db, program_path(QStringLiteral("data/data.mdb")), database_password))
    return false;
  const QString stamp = to_text(now());
  db_execute(db, QStringLiteral("insert into 目录管理(目录位置,目录名称) values('1','笔记')"));
  for (int i = 1; i <= 20; ++i) {
    const QString name = i == 1 ? title : QStringLiteral("文章%1").arg(i);
    if (!insert_article(db, category, QString::number(i), name, stamp))
      return false;
  }
  if (!store_article_content(db, category, title, 1, content, stamp))
    return false;
  write_ini_value(settings_file_path(), QStringLiteral("FWJL"), QStringLiteral("FL"), category);
  write_ini_value(settings_file_path(), QStringLiteral("FWJL"), QStringLiteral("WZ"), title);
  write_ini_value(settings_file_path(), QStringLiteral("FWJL"), QStringLiteral("ZB"),
                  QStringLiteral("0"));
  return true;
}

// Milliseconds from starting the program to its main window mapped; -1 when it did not map
// within a few minutes.
double time_to_window(const QString& program) {
  QProcess watcher;
  // The system's python, which has the X library the watcher needs.
  watcher.start(QStringLiteral("/usr/bin/python3"),
                {QStringLiteral(WRENFOLD_SOURCE_DIR "/tests/e2e/map_watch.py")});
  if (!watcher.waitForReadyRead(10000) || !watcher.readLine().startsWith("watching")) {
    std::fprintf(stderr, "the map watch did not start\n");
    std::exit(1);
  }
  QProcess wrenfold;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
  wrenfold.setProcessEnvironment(environment);
  wrenfold.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  QElapsedTimer timer;
  timer.start();
  wrenfold.start(program, {});
  double mapped = -1;
  while (mapped < 0 && timer.elapsed() < 300'000 && watcher.state() == QProcess::Running) {
    // The watcher's line may come in pieces: only a whole line is read.
    if (!watcher.canReadLine()) {
      watcher.waitForReadyRead(1000);
      continue;
    }
    if (watcher.readLine().trimmed() == "map WrenfoldV2.5")
      mapped = static_cast<double>(timer.nsecsElapsed()) / 1e6;
  }
  wrenfold.kill();
  wrenfold.waitForFinished();
  watcher.kill();
  watcher.waitForFinished();
  return mapped;
}

double best_time_to_window(const QString& app_dir, const QString& content) {
  double best = 1e300;
  for (int i = 0; i < runs; ++i) {
    QTemporaryDir copy;
    if (!prepare(app_dir, copy.path(), content)) {
      std::fprintf(stderr, "preparing the program directory failed\n");
      std::exit(1);
    }
    const double ms = time_to_window(copy.path() + QStringLiteral("/wrenfold"));
    if (ms < 0) {
      std::fprintf(stderr, "the main window did not show\n");
      std::exit(1);
    }
    best = std::min(best, ms);
  }
  return best;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 1 && qEnvironmentVariableIsEmpty("DISPLAY")) {
    std::fprintf(stderr, "needs an X server: run under xvfb-run -a\n");
    return 2;
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const QString app_dir =
      QDir(QCoreApplication::applicationDirPath() + QStringLiteral("/../app")).canonicalPath();

  const QString tiny = QString::fromLatin1(rtf_of_text(QStringLiteral("一行字 one line")));
  const auto large = [](qsizetype bytes, bool short_lines) {
    return QString::fromLatin1(rtf_of_text(text_for_rtf_size(bytes, short_lines)));
  };
  // 50 MB takes minutes and has no target: it is measured only when asked for.
  const bool with_50_mb = argc > 1 && qstrcmp(argv[1], "--50mb") == 0;
  if (argc > 1 && !with_50_mb) {
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    const bool prepared =
        folder.mkpath(QStringLiteral("tiny")) && folder.mkpath(QStringLiteral("paragraph")) &&
        folder.mkpath(QStringLiteral("lines")) &&
        prepare(app_dir, folder.filePath(QStringLiteral("tiny")), tiny) &&
        prepare(app_dir, folder.filePath(QStringLiteral("paragraph")), large(10'000'000, false)) &&
        prepare(app_dir, folder.filePath(QStringLiteral("lines")), large(10'000'000, true));
    return prepared ? 0 : 1;
  }
  const double tiny_ms = best_time_to_window(app_dir, tiny);
  std::printf("tiny article                 %8.0f ms to the main window\n", tiny_ms);
  bool all_met = true;
  for (const int megabytes : with_50_mb ? std::vector{10, 50} : std::vector{10}) {
    for (const bool short_lines : {false, true}) {
      const double ms = best_time_to_window(app_dir, large(megabytes * 1'000'000LL, short_lines));
      const double delay = ms - tiny_ms;
      std::printf("%2d MB of %-19s %8.0f ms, %6.0f ms later, %5.1fx the tiny article's", megabytes,
                  short_lines ? "short lines" : "one paragraph", ms, delay, ms / tiny_ms);
      if (megabytes == 10) {
        const bool met = delay <= target_delay_ms;
        all_met = all_met && met;
        std::printf(" (target <= %.0f ms later) %s", target_delay_ms, met ? "ok" : "MISSED");
      }
      std::printf("\n");
      std::fflush(stdout);
    }
  }
  return all_met ? 0 : 1;
}
