#pragma once

#include <QString>

#include "platform/colorref.h"

// A common dialog control: its properties stay set between uses, so one user's title or folder
// is what the next user finds unless it sets its own.
class CommonDialog {
 public:
  enum class Kind { file, font };
  explicit CommonDialog(Kind dialog_kind) : kind(dialog_kind) {}

  Kind kind;
  // File dialog: 0 open, 1 save. The filter reads "name|pattern|name|pattern".
  int dialog_type = 0;
  QString title;
  QString file_name;
  QString filter;
  QString initial_dir;
  QString default_ext;

  // Font dialog.
  QString font_name;
  int font_size = 0;
  Colorref font_colour = 0;
  int font_bold = 0;
  int font_italic = 0;
  int font_underline = 0;
  int font_strikeout = 0;
};
