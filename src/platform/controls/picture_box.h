#pragma once

#include <QByteArray>
#include <QLabel>
#include <QPixmap>

// A picture box: shows whatever picture its bytes hold, filling the box with the picture's
// proportions kept and the overflow cut off evenly; bytes that hold no readable picture leave it
// empty. Mouse presses it reports also reach the window beneath it.
class PictureBox : public QLabel {
  Q_OBJECT

 public:
  explicit PictureBox(QWidget* parent = nullptr);

  void set_picture(const QByteArray& bytes);
  // Whether the last bytes given held a readable picture.
  bool has_picture() const { return !picture_.isNull(); }

 signals:
  void on_left_button_down(int x, int y, int shift_state);
  void on_right_button_down(int x, int y, int shift_state);
  void on_double_click(int x, int y, int shift_state);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  QPixmap picture_;
  // The picture as the box shows it, scaled once per picture and box size: a user's photograph
  // would be scaled again at every paint.
  QPixmap scaled_;
};
