#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRect>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <vector>

#include "handlers/desktop/skin_fixture.h"
#include "platform/controls/report_list.h"
#include "platform/controls/status_bar.h"
#include "platform/controls/toolbar.h"
#include "windows/main_window.h"

namespace {

using BuiltinSkinsTest = SkinFixture;

// The colours a brush paints with: its own, or every stop of its gradient.
std::vector<QColor> colours_of(const QBrush& brush) {
  if (const QGradient* gradient = brush.gradient()) {
    std::vector<QColor> stops;
    for (const QGradientStop& stop : gradient->stops())
      stops.push_back(stop.second);
    return stops;
  }
  return {brush.color()};
}

double luminance(const QColor& colour) {
  auto channel = [](double c) {
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * channel(colour.redF()) + 0.7152 * channel(colour.greenF()) +
         0.0722 * channel(colour.blueF());
}

// The weakest contrast ratio between text and background over every colour each paints with.
double contrast(const QBrush& text, const QBrush& background) {
  double weakest = 21;
  for (const QColor& a : colours_of(text))
    for (const QColor& b : colours_of(background)) {
      const double la = luminance(a);
      const double lb = luminance(b);
      const double light = std::max(la, lb);
      const double dark = std::min(la, lb);
      weakest = std::min(weakest, (light + 0.05) / (dark + 0.05));
    }
  return weakest;
}

// Normal text reads at 4.5:1, disabled text at 3:1.
void expect_readable(const char* what, const QBrush& text, const QBrush& background,
                     QPalette::ColorGroup group) {
  const double needed = group == QPalette::Disabled ? 3.0 : 4.5;
  EXPECT_GE(contrast(text, background), needed)
      << what << (group == QPalette::Disabled ? " (disabled)" : "") << ": "
      << text.color().name().toStdString() << " on " << background.color().name().toStdString();
}

// A widget's own text on its own background, as the skin set them.
void expect_own_colours_readable(const char* what, QWidget& widget) {
  widget.ensurePolished();
  for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Disabled}) {
    const QPalette& colours = widget.palette();
    expect_readable(what, colours.brush(group, widget.foregroundRole()),
                    colours.brush(group, widget.backgroundRole()), group);
  }
}

void expect_selection_readable(const char* what, QWidget& widget) {
  widget.ensurePolished();
  expect_readable(what, widget.palette().brush(QPalette::HighlightedText),
                  widget.palette().brush(QPalette::Highlight), QPalette::Active);
}

// The widgets of the program's windows and of the standard dialogs, in one window.
struct SampleWindow {
  QDialog window;
  QLabel* label = new QLabel(QStringLiteral("备份位置："), &window);
  QCheckBox* check = new QCheckBox(QStringLiteral("是否区分大小写"), &window);
  QLineEdit* edit = new QLineEdit(QStringLiteral("查找"), &window);
  QComboBox* combo = new QComboBox(&window);
  QListWidget* list = new QListWidget(&window);
  QPushButton* button = new QPushButton(QStringLiteral("确定"), &window);

  SampleWindow() {
    auto* layout = new QVBoxLayout(&window);
    for (QWidget* widget : std::initializer_list<QWidget*>{label, check, edit, combo, list, button})
      layout->addWidget(widget);
    combo->addItem(QStringLiteral("工作"));
    list->addItem(QStringLiteral("周一 计划"));
    window.show();
  }
};

TEST_F(BuiltinSkinsTest, EveryTextReadsOnItsBackgroundInEveryState) {
  MainWindow& main = start_main_window();
  for (int n = 1; n <= 5; ++n) {
    for (int effects : {0, 1}) {
      SCOPED_TRACE(QStringLiteral("skin %1, effects %2").arg(n).arg(effects).toStdString());
      ASSERT_EQ(attach_skin(builtin_source(n)), skin_attached);
      set_skin_effects(effects);
      const QPalette program = QApplication::palette();
      for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Disabled}) {
        expect_readable("window text", program.brush(group, QPalette::WindowText),
                        program.brush(group, QPalette::Window), group);
        expect_readable("page text", program.brush(group, QPalette::Text),
                        program.brush(group, QPalette::Base), group);
        expect_readable("button text", program.brush(group, QPalette::ButtonText),
                        program.brush(group, QPalette::Button), group);
      }
      expect_readable("tool tip", program.brush(QPalette::ToolTipText),
                      program.brush(QPalette::ToolTipBase), QPalette::Active);
      expect_readable("selection", program.brush(QPalette::HighlightedText),
                      program.brush(QPalette::Highlight), QPalette::Active);

      SampleWindow sample;
      sample.window.ensurePolished();
      const QBrush window_background = sample.window.palette().brush(QPalette::Window);
      for (QWidget* on_window : std::initializer_list<QWidget*>{sample.label, sample.check}) {
        on_window->ensurePolished();
        for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Disabled})
          expect_readable(on_window->metaObject()->className(),
                          on_window->palette().brush(group, on_window->foregroundRole()),
                          window_background, group);
      }
      expect_own_colours_readable("line edit", *sample.edit);
      expect_own_colours_readable("combo box", *sample.combo);
      expect_own_colours_readable("list", *sample.list);
      expect_own_colours_readable("push button", *sample.button);
      expect_selection_readable("line edit", *sample.edit);
      expect_selection_readable("list", *sample.list);
      expect_own_colours_readable("article list", *main.超级列表框1);
      expect_selection_readable("article list", *main.超级列表框1);
      expect_own_colours_readable("menu bar", *main.menuBar());
      expect_own_colours_readable("menu", *main.menu_record);
      expect_own_colours_readable("status bar", *main.状态条1->findChild<QLabel*>());
    }
  }
}

// Where the menu bar's items, the toolbar's buttons and the client area sit.
std::vector<QRect> layout_of(MainWindow& main) {
  QApplication::processEvents();
  std::vector<QRect> places{main.menuBar()->geometry(), main.centralWidget()->geometry()};
  for (QAction* menu : main.menuBar()->actions())
    places.push_back(main.menuBar()->actionGeometry(menu));
  for (int i = 0; i < main.工具条1->button_count(); ++i)
    if (QToolButton* button = main.工具条1->button(i))
      places.push_back(button->geometry());
  return places;
}

TEST_F(BuiltinSkinsTest, EverySkinKeepsTheMainWindowsLayout) {
  // The layout and the toolbar's pop-up menus place things by these positions.
  MainWindow& main = start_main_window();
  detach_skin();
  const std::vector<QRect> plain = layout_of(main);
  for (int n = 1; n <= 5; ++n) {
    ASSERT_EQ(attach_skin(builtin_source(n)), skin_attached);
    for (int effects : {0, 1}) {
      set_skin_effects(effects);
      EXPECT_EQ(layout_of(main), plain) << "skin " << n << ", effects " << effects;
    }
  }
}

TEST_F(BuiltinSkinsTest, EachSkinLooksItsOwnAndEffectsChangeItsLook) {
  MainWindow& main = start_main_window();
  main.resize(760, 569);
  std::vector<QImage> looks;
  for (int n = 1; n <= 5; ++n) {
    ASSERT_EQ(attach_skin(builtin_source(n)), skin_attached);
    set_skin_effects(0);
    const QImage plain = main.grab().toImage();
    set_skin_effects(1);
    const QImage with_effects = main.grab().toImage();
    EXPECT_NE(plain, with_effects) << "skin " << n;
    for (const QImage& other : looks)
      EXPECT_NE(plain, other) << "skin " << n;
    looks.push_back(plain);
  }
}

}  // namespace
