#include "platform/controls/toolbar.h"

#include <QMouseEvent>
#include <QStyle>
#include <QStyleOptionToolButton>
#include <QToolButton>

namespace {

// A button with an arrow part that reports a press on the arrow instead of opening a menu.
class DropDownButton : public QToolButton {
 public:
  DropDownButton(QWidget* parent, std::function<void()> arrow_pressed)
      : QToolButton(parent), arrow_pressed_(std::move(arrow_pressed)) {
    setPopupMode(QToolButton::MenuButtonPopup);
  }

 protected:
  void mousePressEvent(QMouseEvent* event) override {
    if (event->button() == Qt::LeftButton && on_arrow(event->position().toPoint())) {
      arrow_pressed_();
      return;
    }
    QToolButton::mousePressEvent(event);
  }

 private:
  bool on_arrow(const QPoint& point) const {
    QStyleOptionToolButton option;
    initStyleOption(&option);
    return style()->hitTestComplexControl(QStyle::CC_ToolButton, &option, point, this) ==
           QStyle::SC_ToolButtonMenu;
  }

  std::function<void()> arrow_pressed_;
};

}  // namespace

Toolbar::Toolbar(QWidget* parent) : QToolBar(parent) {
  setMovable(false);
  setFloatable(false);
  setIconSize(QSize(24, 24));
  setToolButtonStyle(Qt::ToolButtonIconOnly);
  setContentsMargins(0, 0, 0, 0);
}

void Toolbar::add_button(const QIcon& picture, const QString& tooltip) {
  auto* button = new QToolButton(this);
  button->setIcon(picture);
  button->setToolTip(tooltip);
  add(button);
}

void Toolbar::add_dropdown_button(const QIcon& picture, const QString& tooltip) {
  const int index = button_count();
  auto* button = new DropDownButton(this, [this, index] { emit on_dropdown_clicked(index); });
  button->setIcon(picture);
  button->setToolTip(tooltip);
  add(button);
}

void Toolbar::add_separator() {
  addSeparator();
  buttons_.append(nullptr);
}

QToolButton* Toolbar::button(int index) const {
  return index >= 0 && index < buttons_.size() ? buttons_[index] : nullptr;
}

bool Toolbar::is_separator(int index) const {
  return index >= 0 && index < buttons_.size() && buttons_[index] == nullptr;
}

void Toolbar::add(QToolButton* button) {
  // The picture says nothing to a screen reader: the tooltip names the button.
  button->setAccessibleName(button->toolTip());
  const int index = button_count();
  button->setAutoRaise(true);
  button->setFocusPolicy(Qt::NoFocus);
  button->setIconSize(iconSize());
  // Buttons fit the 24-pixel pictures closely, so that all 22 fit the toolbar's 624 pixels.
  const int side = iconSize().height() + 4;
  const int arrow = button->popupMode() == QToolButton::MenuButtonPopup
                        ? style()->pixelMetric(QStyle::PM_MenuButtonIndicator, nullptr, button)
                        : 0;
  button->setFixedSize(side + arrow, side);
  connect(button, &QToolButton::clicked, this, [this, index] { emit on_button_clicked(index); });
  addWidget(button);
  buttons_.append(button);
}
