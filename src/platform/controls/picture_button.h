#pragma once

#include <QAbstractButton>

// A picture button: its two state pictures, drawn from its caption word, show a pale green face
// in a blue frame; pressed or hovered, the gradient turns over. A skin that styles the button
// draws its face instead.
class PictureButton : public QAbstractButton {
  Q_OBJECT

 public:
  explicit PictureButton(QWidget* parent = nullptr);
  QSize sizeHint() const override;

 signals:
  void on_left_button_down(int x, int y, int shift_state);
  void on_left_button_up(int x, int y, int shift_state);
  void on_clicked();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
};
