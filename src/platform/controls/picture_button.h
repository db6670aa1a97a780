#pragma once

#include <QAbstractButton>

#include <optional>

// A picture button: its two state pictures, drawn from its caption word, show a pale green face
// in a blue frame; pressed or hovered, the gradient turns over. A skin that styles the button
// draws its face instead. Every press ends with one on_left_button_up; a press that a modal window
// interrupts ends there, since the release would go to the blocked window and be lost.
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
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Where the left button went down, while it is held.
  std::optional<QPoint> held_at_;
};
