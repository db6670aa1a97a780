#pragma once

#include <QComboBox>

// A drop-down list (no typing). Program writes of selected_index raise nothing; a choice by the
// user raises on_selection_changed. Before the list drops down, and before a keyboard or wheel
// change of the closed box, on_dropdown runs while the old item is still selected.
class ComboBox : public QComboBox {
  Q_OBJECT

 public:
  explicit ComboBox(QWidget* parent = nullptr);

  void combo_add_item(const QString& text);
  void combo_clear();
  int combo_item_count() const;
  // "" for -1 or an index that does not exist.
  QString combo_item_text(int index) const;
  int selected_index() const;
  void set_selected_index(int index);
  // The height of the selection field in pixels.
  void set_selection_field_height(int pixels);

  void showPopup() override;

 signals:
  void on_selection_changed();
  void on_dropdown();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  // Whether the key or wheel step would move the selection of the closed box.
  bool changes_selection(const QKeyEvent& event) const;
  bool can_step_up() const;
  bool can_step_down() const;
};
