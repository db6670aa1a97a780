// Starts the program in a program directory, restores an archive and stops at the named step of
// the restore until it is killed there: the restore test's crash at each step.
//   restore_stop_helper PROGRAM_DIR ARCHIVE STEP
#include <unistd.h>

#include <QAction>
#include <QApplication>

#include <cstdio>
#include <string>

#include "handlers/access/restore.h"
#include "platform/common_dialog.h"
#include "platform/program_dir.h"
#include "platform/ui_seam.h"
#include "platform/ui_seam_in_use.h"
#include "startup/startup_chain.h"
#include "windows/main_window.h"

namespace {

// Answers Yes and picks the archive; nothing else is expected before the step.
class RestoringSeam : public UiSeam {
 public:
  explicit RestoringSeam(QString archive) : archive_(std::move(archive)) {}

  int message_box(const QString& text, int buttons, const std::optional<QString>&) override {
    std::fprintf(stderr, "message: %s\n", text.toUtf8().constData());
    return buttons == buttons_yes_no ? answer_yes : answer_ok;
  }
  bool file_dialog(CommonDialog& dialog) override {
    dialog.file_name = archive_;
    return true;
  }
  bool font_dialog(CommonDialog&) override { return false; }
  std::optional<Colorref> colour_dialog(QWidget*, std::array<Colorref, 16>&) override {
    return std::nullopt;
  }
  void run_modal(QWidget*) override {}

 private:
  QString archive_;
};

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  if (argc != 4)
    return 2;
  set_program_dir(QString::fromLocal8Bit(argv[1]));
  RestoringSeam seam(QString::fromLocal8Bit(argv[2]));
  set_ui_seam(&seam);
  const std::string stop_at = argv[3];
  set_restore_step_hook([&stop_at](std::string_view step) {
    if (step != stop_at)
      return;
    std::printf("stopped at %s\n", stop_at.c_str());
    std::fflush(stdout);
    for (;;)
      ::pause();
  });
  MainWindow* window = load_start_window();
  window->action(MenuCommand::restore)->trigger();
  // The step was never reached.
  return 1;
}
