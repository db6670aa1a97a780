#include <QApplication>
#include <QDateTime>

#include <optional>

#include "handlers/access/database_connection.h"
#include "platform/atomic_file.h"
#include "platform/fonts.h"
#include "platform/settings_file.h"
#include "platform/single_program.h"
#include "platform/translations.h"
#include "startup/notebook_claim.h"
#include "startup/startup_chain.h"
#include "windows/main_window.h"
#include "windows/program_icon.h"

int main(int argc, char** argv) {
  const QDateTime started = QDateTime::currentDateTime();
  QApplication application(argc, argv);
  // Windows and boxes without a title of their own show this name, not the executable's.
  QApplication::setApplicationName(QStringLiteral("Wrenfold"));
  install_qt_translation(application);
  SingleProgram single_program(database_path());
  if (const std::optional<int> exit_status = claim_notebook(single_program))
    return *exit_status;
  // Only this program writes the settings file now: what older writes left behind is garbage.
  remove_interrupted_writes(settings_file_path(), started);
  install_font_substitutions();
  QApplication::setWindowIcon(program_icon());
  MainWindow* window = load_start_window();
  window->show();
  single_program.set_front_window(window);
  return QApplication::exec();
}
