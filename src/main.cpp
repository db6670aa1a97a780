#include <QApplication>

#include "platform/fonts.h"
#include "platform/program_dir.h"
#include "platform/single_program.h"
#include "platform/translations.h"
#include "startup/startup_chain.h"
#include "windows/main_window.h"
#include "windows/program_icon.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  // Windows and boxes without a title of their own show this name, not the executable's.
  QApplication::setApplicationName(QStringLiteral("Wrenfold"));
  SingleProgram single_program(get_program_dir());
  if (!single_program.claim())
    return single_program.call_running_program_forward() ? 0 : 1;
  install_qt_translation(application);
  install_font_substitutions();
  QApplication::setWindowIcon(program_icon());
  MainWindow* window = load_start_window();
  window->show();
  single_program.set_front_window(window);
  return QApplication::exec();
}
