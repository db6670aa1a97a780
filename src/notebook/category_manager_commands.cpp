#include "notebook/notebook_commands.h"

void bind_category_manager_commands(MainWindow&) {}
