#pragma once

class MainWindow;

// Binds the main window's commands and control events that the editor handles.
void bind_editor_commands(MainWindow& window);
