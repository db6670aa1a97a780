#pragma once

#include <QSize>

class QWidget;

// A window's outer size is its size with the frame the window manager puts around it. The window
// system reports the frame only once the window is mapped (on X11 through _NET_FRAME_EXTENTS);
// until then, and where it reports none, the outer size is the window's own.

// The window's outer size now.
QSize outer_size(const QWidget* window);

// Gives the window this outer size and centres it on the screen. A window whose frame is not known
// yet is sized and centred again once the window system reports it. A later call replaces the
// size an earlier one asked for.
void place_centred(QWidget* window, QSize outer);

// The part of the screen that windows may cover.
QSize available_screen_size();
