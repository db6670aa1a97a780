#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QImage>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QStyleOptionMenuItem>
#include <QStyleOptionViewItem>

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>

#include "handlers/desktop/skin_fixture.h"
#include "windows/main_window.h"

namespace {

// Widgets whose style options the test can build as the widgets themselves do.
class SampleMenuBar : public QMenuBar {
 public:
  using QMenuBar::initStyleOption;
};
class SampleMenu : public QMenu {
 public:
  using QMenu::initStyleOption;
};
class SampleButton : public QPushButton {
 public:
  using QPushButton::initStyleOption;
};
class SampleList : public QListWidget {
 public:
  using QListWidget::initViewItemOption;
};

double luminance(QRgb colour) {
  auto channel = [](int c) {
    const double v = c / 255.0;
    return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * channel(qRed(colour)) + 0.7152 * channel(qGreen(colour)) +
         0.0722 * channel(qBlue(colour));
}

double contrast(QRgb a, QRgb b) {
  const double la = luminance(a);
  const double lb = luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

int distance(QRgb a, QRgb b) {
  return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
         std::abs(qBlue(a) - qBlue(b));
}

// The contrast of a caption as drawn: the element is drawn on the same background once with its
// text and once without. The pixel that changed most is the text's own colour; it is measured
// against the background under every pixel the text covers, so a gradient counts at its worst.
double drawn_contrast(const QImage& background,
                      const std::function<void(QPainter&, bool with_text)>& draw) {
  QImage with_text = background.convertToFormat(QImage::Format_RGB32);
  QImage without_text = with_text;
  {
    QPainter painter(&with_text);
    draw(painter, true);
  }
  {
    QPainter painter(&without_text);
    draw(painter, false);
  }
  int most = 0;
  QRgb text = 0;
  for (int y = 0; y < with_text.height(); ++y)
    for (int x = 0; x < with_text.width(); ++x) {
      const int d = distance(with_text.pixel(x, y), without_text.pixel(x, y));
      if (d > most) {
        most = d;
        text = with_text.pixel(x, y);
      }
    }
  if (most == 0)
    return 1.0;
  double weakest = 21.0;
  for (int y = 0; y < with_text.height(); ++y)
    for (int x = 0; x < with_text.width(); ++x)
      if (distance(with_text.pixel(x, y), without_text.pixel(x, y)) * 2 >= most)
        weakest = std::min(weakest, contrast(text, without_text.pixel(x, y)));
  return weakest;
}

QImage filled(QSize size, const QColor& colour) {
  QImage image(size, QImage::Format_RGB32);
  image.fill(colour);
  return image;
}

struct State {
  const char* name;
  QStyle::State flags;
};

const QString caption = QStringLiteral("文件 记事 Wg");

// Draws the element in the state, with its caption and without, as the widget's style does.
template <typename Option>
void expect_caption_readable(const std::string& where, const State& state, const QImage& background,
                             Option option, QStyle::ControlElement element, const QWidget* widget) {
  option.state = state.flags;
  const double ratio = drawn_contrast(background, [&](QPainter& painter, bool with_text) {
    Option drawn = option;
    if (!with_text)
      drawn.text.clear();
    widget->style()->drawControl(element, &drawn, &painter, widget);
  });
  EXPECT_GE(ratio, 4.5) << where << ", " << state.name;
}

using CaptionContrastTest = SkinFixture;

// Every caption of the menu bar, the menus, the buttons and the lists reads at 4.5:1 in every
// state of every skin, with effects on and off.
TEST_F(CaptionContrastTest, EveryCaptionReadsInEveryStateOfEverySkin) {
  const QStyle::State on = QStyle::State_Enabled | QStyle::State_Active;
  const State bar_states[] = {
      {"normal", on},
      {"hover", on | QStyle::State_MouseOver},
      {"selected", on | QStyle::State_Selected},
      {"pressed (menu open)", on | QStyle::State_Selected | QStyle::State_Sunken},
      {"disabled", QStyle::State_Active},
  };
  const State menu_states[] = {
      {"normal", on},
      {"selected", on | QStyle::State_Selected},
      {"disabled", QStyle::State_Active},
      {"disabled selected", QStyle::State_Active | QStyle::State_Selected},
  };
  const State button_states[] = {
      {"normal", on | QStyle::State_Raised},
      {"hover", on | QStyle::State_Raised | QStyle::State_MouseOver},
      {"pressed", on | QStyle::State_Sunken | QStyle::State_MouseOver},
      {"focused", on | QStyle::State_Raised | QStyle::State_HasFocus},
      {"disabled", QStyle::State_Active | QStyle::State_Raised},
  };
  const State item_states[] = {
      {"normal", on},
      {"hover", on | QStyle::State_MouseOver},
      {"selected", on | QStyle::State_Selected},
      {"selected hover", on | QStyle::State_Selected | QStyle::State_MouseOver},
      {"selected, window inactive", QStyle::State_Enabled | QStyle::State_Selected},
      {"disabled", QStyle::State_Active},
      {"disabled selected", QStyle::State_Active | QStyle::State_Selected},
  };

  QMainWindow window;
  auto* bar = new SampleMenuBar;
  window.setMenuBar(bar);
  auto* menu = new SampleMenu;
  menu->setTitle(caption);
  QAction* bar_item = bar->addMenu(menu);
  QAction* menu_item = menu->addAction(caption);
  auto* button = new SampleButton;
  button->setText(caption);
  // A list in the main window's notebook, which some skins draw apart, and one in a dialog.
  auto* list = new SampleList;
  list->addItem(caption);
  QDialog dialog;
  auto* dialog_list = new SampleList;
  dialog_list->setParent(&dialog);
  dialog_list->addItem(caption);
  dialog_list->setGeometry(0, 0, 200, 100);
  dialog.show();
  auto* central = new QWidget;
  central->setObjectName(QStringLiteral("centralwidget"));
  window.setCentralWidget(central);
  button->setParent(central);
  list->setParent(central);
  list->setGeometry(0, 40, 200, 100);
  button->setGeometry(0, 0, 120, 26);
  window.resize(400, 300);
  window.show();

  for (int n = 1; n <= 5; ++n) {
    for (int effects : {0, 1}) {
      ASSERT_EQ(attach_skin(builtin_source(n)), skin_attached);
      set_skin_effects(effects);
      QApplication::processEvents();
      const std::string skin = "skin " + std::to_string(n) + ", effects " + std::to_string(effects);

      // The panels under the items, without any caption: the bar with its item hidden (its
      // gradients run along the whole bar), the menu's own panel.
      bar_item->setVisible(false);
      const QImage bar_background = bar->grab().toImage();
      bar_item->setVisible(true);
      QStyleOptionMenuItem bar_option;
      bar->initStyleOption(&bar_option, bar_item);
      bar_option.rect = bar->actionGeometry(bar_item);
      for (const State& state : bar_states)
        expect_caption_readable(skin + ", menu bar item", state, bar_background, bar_option,
                                QStyle::CE_MenuBarItem, bar);

      menu->ensurePolished();
      QImage menu_background = filled(menu->size(), menu->palette().color(QPalette::Window));
      {
        QPainter painter(&menu_background);
        QStyleOption panel;
        panel.initFrom(menu);
        panel.rect = menu->rect();
        menu->style()->drawPrimitive(QStyle::PE_PanelMenu, &panel, &painter, menu);
      }
      QStyleOptionMenuItem menu_option;
      menu->initStyleOption(&menu_option, menu_item);
      menu_option.rect = menu->actionGeometry(menu_item);
      for (const State& state : menu_states)
        expect_caption_readable(skin + ", menu item", state, menu_background, menu_option,
                                QStyle::CE_MenuItem, menu);

      const QImage button_background =
          filled(button->size(), central->palette().color(QPalette::Window));
      QStyleOptionButton button_option;
      button->initStyleOption(&button_option);
      button_option.rect = QRect(QPoint(), button->size());
      for (const State& state : button_states)
        expect_caption_readable(skin + ", push button", state, button_background, button_option,
                                QStyle::CE_PushButton, button);

      for (SampleList* shown : {list, dialog_list}) {
        const QRect item_rect = shown->visualItemRect(shown->item(0));
        shown->item(0)->setText(QString());
        const QImage list_background = shown->viewport()->grab(item_rect).toImage();
        shown->item(0)->setText(caption);
        QStyleOptionViewItem item_option;
        shown->initViewItemOption(&item_option);
        item_option.index = shown->model()->index(0, 0);
        item_option.text = caption;
        item_option.features |= QStyleOptionViewItem::HasDisplay;
        item_option.rect = QRect(QPoint(), item_rect.size());
        for (const State& state : item_states)
          expect_caption_readable(
              skin + (shown == list ? ", notebook list item" : ", dialog list item"), state,
              list_background, item_option, QStyle::CE_ItemViewItem, shown);
      }
    }
  }
}

}  // namespace
