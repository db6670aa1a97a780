#pragma once

class QString;
class QWidget;

// Sets the text of a window's title bar. The window system fills an empty title with the
// program's name (or a placeholder of its own), so an empty caption is given as one blank: the
// bar then shows nothing, as the window asks.
void set_window_caption(QWidget* window, const QString& caption);
