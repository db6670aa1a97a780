#pragma once

#include <QString>

class QWidget;

// The skin library: a skin is a Qt style sheet in a ".she" file whose first line starts with
// skin_file_marker. Its rule "SkinPalette { window: #1e2228; disabled-text: #6b7480; ... }" gives
// the colours of everything the sheet does not style (the roles of QPalette in lower case joined
// by "-"; "disabled-" sets a role of disabled widgets), so that text the program colours itself
// keeps its colour. What follows a line that reads skin_effects_marker is drawn only while the
// effects are on. The skin, the effects and the alpha values live here from one call to the
// next; the program never reads them back.
inline constexpr char skin_file_marker[] = "/* Wrenfold skin";
inline constexpr char skin_effects_marker[] = "/* Wrenfold effects */";

// Results of attach_skin.
inline constexpr int skin_attached = 0;
inline constexpr int skin_unreadable = 1;
inline constexpr int skin_not_ours = 2;

// Reads the file and makes its skin the current one: skin_attached. A file that cannot be read or
// is not a skin of this program leaves the current skin as it is.
int attach_skin(const QString& file);
// No skin: the platform's own look.
void detach_skin();
// 1 draws the current skin's effects, anything else leaves them out.
void set_skin_effects(int on);
// 255 opaque; values outside 0 to 255 count as the nearer end.
void set_window_alpha(QWidget* window, int alpha);
// Every menu of the program, also those opened later.
void set_menu_alpha(int alpha);
