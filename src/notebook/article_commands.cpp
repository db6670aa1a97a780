#include "notebook/notebook_commands.h"

void bind_article_commands(MainWindow&) {}
