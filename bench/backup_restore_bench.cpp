// Backup and restore of a notebook of 100 000 articles, of about 138 MB and of about 1 GB, each
// timed beside the command-line tools doing the same work on the same file in the same run:
// `zip -0` then `sync` for the backup, `unzip`, the sqlcipher tool's quick_check and `sync` for
// the restore. Prints the ratio of each to its tools.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

#include "handlers/access/backup.h"
#include "handlers/access/restore.h"
#include "platform/common_dialog.h"
#include "platform/controls/combo_box.h"
#include "platform/conversions.h"
#include "platform/database.h"
#include "platform/program_dir.h"
#include "platform/ui_seam.h"
#include "platform/ui_seam_in_use.h"
#include "startup/startup_chain.h"
#include "storage/schema.h"
#include "windows/backup_window.h"
#include "windows/main_window.h"

#include "notebook_seed.h"

namespace {

constexpr int article_count = category_count * articles_per_category;

// Says Yes, picks the archive and remembers the last message.
class AnsweringSeam : public UiSeam {
 public:
  QString archive;
  QString last_message;

  int message_box(const QString& text, int buttons, const std::optional<QString>&) override {
    last_message = text;
    return buttons == buttons_yes_no ? answer_yes : answer_ok;
  }
  bool file_dialog(CommonDialog& dialog) override {
    dialog.file_name = archive;
    return true;
  }
  bool font_dialog(CommonDialog&) override { return false; }
  std::optional<Colorref> colour_dialog(QWidget*, std::array<Colorref, 16>&) override {
    return std::nullopt;
  }
  void run_modal(QWidget*) override {}
};

double milliseconds(const QElapsedTimer& timer) {
  return timer.nsecsElapsed() / 1e6;
}

double median(std::vector<double> figures) {
  std::sort(figures.begin(), figures.end());
  return figures[figures.size() / 2];
}

// Runs the command and gives its time, or a negative number when it failed.
double run_tool(const QString& program, const QStringList& arguments, const QByteArray& input = {},
                const QString& folder = {}) {
  QProcess tool;
  if (!folder.isEmpty())
    tool.setWorkingDirectory(folder);
  QElapsedTimer timer;
  timer.start();
  tool.start(program, arguments);
  tool.write(input);
  tool.closeWriteChannel();
  if (!tool.waitForFinished(-1) || tool.exitCode() != 0) {
    std::fprintf(stderr, "%s failed: %s\n", program.toUtf8().constData(),
                 tool.readAllStandardError().constData());
    return -1;
  }
  const QByteArray said = tool.readAllStandardOutput();
  if (program == u"sqlcipher" && said.trimmed() != "ok") {
    std::fprintf(stderr, "quick_check said: %s\n", said.constData());
    return -1;
  }
  return milliseconds(timer);
}

void print(const QString& what, double ours, double tools) {
  const double ratio = ours / tools;
  std::printf("%-28s %9.1f ms   tools %9.1f ms   ratio %.2f (target <= 1.5) %s\n",
              what.toUtf8().constData(), ours, tools, ratio, ratio <= 1.5 ? "ok" : "MISSED");
}

// One notebook size: articles of content_bytes each, timed over runs backups and restores.
bool measure(AnsweringSeam& seam, int content_bytes, int runs) {
  const QString notebook = program_path(QStringLiteral("data/data.mdb"));
  QFile::remove(notebook);
  QElapsedTimer timer;
  timer.start();
  if (!seed_notebook(notebook, content_bytes)) {
    std::fprintf(stderr, "seeding the database failed\n");
    return false;
  }
  const double megabytes = QFileInfo(notebook).size() / 1e6;
  std::printf("seeded %d articles: data.mdb of %.1f MB in %.1f s\n", article_count, megabytes,
              milliseconds(timer) / 1000);
  const QString size = QStringLiteral("%1 MB").arg(megabytes, 0, 'f', 0);

  std::unique_ptr<MainWindow> window(load_start_window());
  window->setAttribute(Qt::WA_DeleteOnClose, false);
  const QString archive = program_path(QStringLiteral("datab/备份.ewd"));
  const QString tools_dir = program_path(QStringLiteral("tools"));
  const QString tools_archive = tools_dir + QStringLiteral("/data.zip");

  std::vector<double> ours;
  std::vector<double> tools;
  for (int run = 0; run < runs; ++run) {
    BackupWindow backup;
    prepare_backup_window(backup);
    backup.编辑框1->setText(archive);
    timer.restart();
    backup.按钮2->click();
    ours.push_back(milliseconds(timer));
    if (seam.last_message != QStringLiteral("备份成功")) {
      std::fprintf(stderr, "backup said %s\n", seam.last_message.toUtf8().constData());
      return false;
    }
    QFile::remove(tools_archive);
    const double zip = run_tool(
        QStringLiteral("zip"),
        {QStringLiteral("-0"), QStringLiteral("-q"), tools_archive, QStringLiteral("data.mdb")}, {},
        program_path(QStringLiteral("data")));
    const double sync = run_tool(QStringLiteral("sync"), {});
    if (zip < 0 || sync < 0)
      return false;
    tools.push_back(zip + sync);
  }
  const double backup_ours = median(ours);
  const double backup_tools = median(tools);

  ours.clear();
  tools.clear();
  seam.archive = archive;
  const QString unpacked = tools_dir + QStringLiteral("/out");
  for (int run = 0; run < runs; ++run) {
    timer.restart();
    restore_database();
    ours.push_back(milliseconds(timer));
    if (seam.last_message != QStringLiteral("还原成功") ||
        window->组合框1->combo_item_count() != category_count) {
      std::fprintf(stderr, "restore said %s\n", seam.last_message.toUtf8().constData());
      return false;
    }
    QDir(unpacked).removeRecursively();
    const double unzip = run_tool(
        QStringLiteral("unzip"),
        {QStringLiteral("-q"), QStringLiteral("-o"), archive, QStringLiteral("-d"), unpacked});
    const double check =
        run_tool(QStringLiteral("sqlcipher"), {unpacked + QStringLiteral("/data.mdb")},
                 "PRAGMA key='" + database_password.toUtf8() + "';\nPRAGMA quick_check;\n");
    const double sync = run_tool(QStringLiteral("sync"), {});
    if (unzip < 0 || check < 0 || sync < 0)
      return false;
    tools.push_back(unzip + check + sync);
  }
  print(size + QStringLiteral(" backup"), backup_ours, backup_tools);
  print(size + QStringLiteral(" restore"), median(ours), median(tools));
  window.reset();
  QFile::remove(archive);
  QFile::remove(tools_archive);
  QDir(unpacked).removeRecursively();
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QTemporaryDir root;
  const QString program_dir = root.filePath(QStringLiteral("程序 目录"));
  for (const char* folder : {"data", "config", "datab", "tools"})
    QDir(program_dir).mkpath(QString::fromLatin1(folder));
  set_program_dir(program_dir);
  AnsweringSeam seam;
  set_ui_seam(&seam);

  // Articles of 1 KB make the 138 MB notebook, of 9.6 KB the one of 1 GB.
  const bool measured = measure(seam, 1024, 5) && measure(seam, 9600, 3);
  return measured ? 0 : 1;
}
