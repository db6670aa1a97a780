#pragma once

#include <QSize>

class QString;

// The outer size the main window opens with from a stored width and height: each stands for the
// design size (760 x 569) when it is not a positive number, and the size is then bounded to at
// least the smallest window whose menus, toolbar and status bar show and at most the screen.
QSize usable_window_size(const QString& width, const QString& height, QSize screen);

// The remembered-size step of the start-up: while remembering is switched on, the main window
// takes its stored outer size, bounded as above, and is centred on the screen with it.
void apply_remembered_size();
