#include "editor/editor_commands.h"

void bind_editor_commands(MainWindow&) {}
