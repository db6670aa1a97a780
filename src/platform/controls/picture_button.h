#pragma once

#include <QAbstractButton>

// A button drawn from pictures: the first while up, the second while pressed or hovered. Without
// pictures it draws its caption word on a pale green face in a blue frame.
class PictureButton : public QAbstractButton {
  Q_OBJECT

 public:
  explicit PictureButton(QWidget* parent = nullptr);
  void set_pictures(const QPixmap& normal, const QPixmap& pressed);
  QSize sizeHint() const override;

 signals:
  void on_left_button_down(int x, int y, int shift_state);
  void on_left_button_up(int x, int y, int shift_state);
  void on_clicked();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  QPixmap normal_;
  QPixmap pressed_;
};
