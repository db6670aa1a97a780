#pragma once

class TransparencyWindow;

// The transparency slider's position as stored, brought into the slider's range 0 to 200: a
// hand-edited value beyond it would ask for an alpha of 0 or less, an invisible main window.
int stored_transparency_position();

// The main window and every menu drawn with the alpha of a slider position: 255 (opaque) at 0,
// 55 at 200.
void apply_transparency(int position);

// 皮肤透明 > 透明设置: the modal transparency window.
void on_menu_transparency();

// TransparencyWindow's handlers.
void transparency_window_created(TransparencyWindow& window);
void transparency_window_slider_changed(TransparencyWindow& window);
