#pragma once

#include <QString>
#include <Qt>

#include <array>
#include <optional>

#include "platform/colorref.h"

class CommonDialog;
class QWidget;

// Message boxes, common dialogs, the colour dialog and modal windows come above the windows that
// stay on top: those step back while one is up and are on top again once it is answered.
int show_message_box(const QString& text, int buttons, const QString& title);
// The title left out: the platform's default title shows.
int show_message_box(const QString& text, int buttons);

// 1 when the user confirmed a file or a font; the chosen values are then in the properties.
int run_common_dialog(CommonDialog& dialog);

// The colour dialog with the 16 custom colours of this call: the chosen colour, or nullopt when
// the user cancelled.
std::optional<Colorref> choose_colour(QWidget* owner, std::array<Colorref, 16>& custom_colours);

// The frame of the program's fixed dialogs: a caption with the system menu and the close box, no
// maximise or minimise button.
inline constexpr Qt::WindowFlags fixed_dialog_frame =
    Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
    Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint;

// Modal: returns when the window has closed (it is deleted then if it deletes on close).
// Modeless: shows it and returns at once. A window without a caption shows an empty title bar.
void load_window(QWidget* window, bool modal);
// Shows the window whatever its state: hidden or minimised, it comes back in front, active.
void show_in_front(QWidget* window);
// Shown and not minimised: the user sees it.
bool window_seen(const QWidget* window);
// true when the window closed; its close handler may keep it open.
bool close_window(QWidget* window);
// Every window of the program opens centred on the screen, not on its owner.
void centre_on_screen(QWidget* window);
// Whether the window stays on top of the others.
bool window_topmost(const QWidget* window);
// Switches staying on top without hiding a shown window, so a modal window stays in its run.
void set_window_topmost(QWidget* window, bool on);
// A small window without caption: a close box only, its size fixed at the form's, always on top,
// centred.
void make_fixed_topmost_window(QWidget* window);

// Lets every pending event run its handler, then returns.
void process_events();
// Waits, handling events meanwhile so the window stays responsive.
void delay_ms(int milliseconds);
