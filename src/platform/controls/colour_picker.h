#pragma once

#include <QAbstractButton>

#include "platform/colorref.h"

// A colour picker: shows the one colour it holds and lets the user choose another in the colour
// dialog when clicked (or Space is pressed while it has the focus). Program writes of the colour
// raise nothing.
class ColourPicker : public QAbstractButton {
  Q_OBJECT

 public:
  explicit ColourPicker(QWidget* parent = nullptr);
  QSize sizeHint() const override;

  Colorref colour() const { return colour_; }
  void set_colour(Colorref colour);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void choose();

  // Nothing stored yet: the default colour, shown as an empty swatch.
  Colorref colour_ = default_colour;
};
