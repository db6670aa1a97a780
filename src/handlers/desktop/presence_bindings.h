#pragma once

class MainWindow;

// The main window's commands of the desktop presence: the settings and about windows.
void bind_presence_commands(MainWindow& window);
