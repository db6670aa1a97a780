#pragma once

class MainWindow;

// Binds the main window's commands and control events that the notebook handles.
void bind_notebook_commands(MainWindow& window);
