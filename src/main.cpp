#include <QApplication>

#include "app/main_window.h"
#include "app/startup_chain.h"
#include "app/toolbar_table.h"
#include "app/translations.h"
#include "platform/fonts.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  // Windows and boxes without a title of their own show this name, not the executable's.
  QApplication::setApplicationName(QStringLiteral("Wrenfold"));
  install_qt_translation(application);
  install_font_substitutions();
  QApplication::setWindowIcon(program_icon());
  MainWindow* window = load_start_window();
  window->show();
  return QApplication::exec();
}
