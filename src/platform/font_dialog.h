#pragma once

#include <QDialog>

#include "platform/colorref.h"

class CommonDialog;
class QCheckBox;
class QDialogButtonBox;
class QFontComboBox;
class QLabel;
class QPushButton;
class QSpinBox;

// The font dialog 字体: family, size in points, the four styles and the text colour, the values a
// font common dialog holds.
class FontDialog : public QDialog {
  Q_OBJECT

 public:
  explicit FontDialog(QWidget* parent = nullptr);

  // An empty name or a size below 1 shows the program's font there.
  void read_from(const CommonDialog& dialog);
  void write_to(CommonDialog& dialog) const;

  Colorref colour() const { return colour_; }
  void set_colour(Colorref colour);

  QFontComboBox* family = nullptr;
  QSpinBox* size = nullptr;
  QCheckBox* bold = nullptr;
  QCheckBox* italic = nullptr;
  QCheckBox* underline = nullptr;
  QCheckBox* strikeout = nullptr;
  QPushButton* colour_button = nullptr;
  QLabel* preview = nullptr;
  QDialogButtonBox* buttons = nullptr;

 private:
  void choose_colour();
  void update_preview();

  Colorref colour_ = 0;
};
