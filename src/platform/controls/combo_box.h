#pragma once

#include <QComboBox>

#include <functional>

// A drop-down list (no typing). Program writes of selected_index raise nothing; a choice by the
// user that selects another item raises on_selection_changed. Before the list drops down, and
// before a keyboard or wheel step of the closed box that selects another item, on_dropdown runs
// while the old item is still selected.
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
  // Called by a handler of on_dropdown: the list does not drop down, or the step does not
  // happen, and the old item stays selected.
  void refuse_dropdown() { dropdown_refused_ = true; }

  void showPopup() override;

 signals:
  void on_selection_changed();
  void on_dropdown();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  // Runs Qt's own handling of a key or wheel step with the box's signals held back, then raises
  // on_dropdown with the old item and on_selection_changed with the new one, only when the
  // selection really moved.
  void step_selection(const std::function<void()>& qt_handling);

  // The selection when the list last dropped down: choosing that item again changes nothing.
  int index_before_popup_ = -1;
  // A step that opens the list is held until the step's signals are let through again.
  bool stepping_ = false;
  bool popup_held_ = false;
  bool dropdown_refused_ = false;
};
