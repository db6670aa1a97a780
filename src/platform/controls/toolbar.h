#pragma once

#include <QToolBar>

class QToolButton;

// A toolbar whose buttons report by 0-based index, separators counted. A drop-down button
// reports a click on its body as on_button_clicked and one on its arrow as on_dropdown_clicked.
class Toolbar : public QToolBar {
  Q_OBJECT

 public:
  explicit Toolbar(QWidget* parent = nullptr);

  void add_button(const QIcon& picture, const QString& tooltip);
  void add_dropdown_button(const QIcon& picture, const QString& tooltip);
  void add_separator();

  int button_count() const { return static_cast<int>(buttons_.size()); }
  // nullptr for a separator or an index that does not exist.
  QToolButton* button(int index) const;
  bool is_separator(int index) const;

 signals:
  void on_button_clicked(int index);
  void on_dropdown_clicked(int index);

 private:
  void add(QToolButton* button);

  QList<QToolButton*> buttons_;
};
