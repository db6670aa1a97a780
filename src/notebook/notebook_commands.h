#pragma once

class MainWindow;

// Binds the main window's commands and control events that the notebook handles.
void bind_notebook_commands(MainWindow& window);
void bind_article_commands(MainWindow& window);
void bind_category_manager_commands(MainWindow& window);
