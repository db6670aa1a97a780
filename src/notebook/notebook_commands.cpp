#include "notebook/notebook_commands.h"

void bind_notebook_commands(MainWindow& window) {
  bind_article_commands(window);
  bind_category_manager_commands(window);
}
