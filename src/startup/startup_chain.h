#pragma once

class MainWindow;

// Binds every handler of the main window: its menu items, toolbar and controls, and its close and
// resize handlers. The window binds none itself.
void wire_main_window(MainWindow& window);

// The main window's start-up: prepares the window, opens the database, gives the editor the
// stored text format and restores the last place, each step in its fixed order; runs before the
// window is first shown.
void run_startup_sequence();
// The first step: start values of the globals, the selector's field height, the start date in
// the status bar, the stored skin and transparency, the remembered window size and, last, the
// floating icon.
void init_main_window();

// Creates the start window, wires it and runs the start-up chain inside its creation, before it
// shows.
MainWindow* load_start_window();
