#pragma once

class MainWindow;

// Binds the main window's frame commands: the splitter and the list panel.
void bind_frame_commands(MainWindow& window);
