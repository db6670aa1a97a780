#include <QAction>

#include "app/main_window.h"
#include "notebook/category_manager.h"
#include "notebook/notebook_commands.h"
#include "platform/event_boundary.h"

void bind_category_manager_commands(MainWindow& window) {
  QObject::connect(window.action(MenuCommand::category_manager), &QAction::triggered,
                   guarded([](bool) { on_menu_category_manager(); }));
}
