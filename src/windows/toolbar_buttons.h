#pragma once

// The 22 buttons of the main toolbar by index, separators counted, as on_button_clicked reports
// them.
enum ToolbarButton {
  toolbar_new = 0,
  toolbar_open = 1,
  toolbar_save = 2,
  toolbar_separator_1 = 3,
  toolbar_cut = 4,
  toolbar_copy = 5,
  toolbar_paste = 6,
  toolbar_separator_2 = 7,
  toolbar_find = 8,
  toolbar_refresh = 9,
  toolbar_separator_3 = 10,
  toolbar_bold = 11,
  toolbar_italic = 12,
  toolbar_underline = 13,
  toolbar_separator_4 = 14,
  toolbar_align_left = 15,
  toolbar_align_centre = 16,
  toolbar_align_right = 17,
  toolbar_separator_5 = 18,
  toolbar_font_size = 19,
  toolbar_text_colour = 20,
  toolbar_background_colour = 21,
  toolbar_button_count = 22,
};
