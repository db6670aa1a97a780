#pragma once

#include <QString>

#include <optional>

class QWidget;

int show_message_box(const QString& text, int buttons, const QString& title);
// The title left out: the platform's default title shows.
int show_message_box(const QString& text, int buttons);

// Modal: returns when the window has closed (it is deleted then if it deletes on close).
// Modeless: shows it and returns at once.
void load_window(QWidget* window, bool modal);
void close_window(QWidget* window);
// Every window of the program opens centred on the screen, not on its owner.
void centre_on_screen(QWidget* window);

// Lets every pending event run its handler, then returns.
void process_events();
// Waits, handling events meanwhile so the window stays responsive.
void delay_ms(int milliseconds);
