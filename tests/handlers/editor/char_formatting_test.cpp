#include "handlers/editor/char_formatting.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>

#include "platform/rich_editor.h"
#include "support/main_window_fixture.h"
#include "windows/font_size_window.h"
#include "windows/main_window.h"

namespace {

constexpr Colorref red = 0x000000FF;
constexpr Colorref blue = 0x00FF0000;

class CharFormattingTest : public MainWindowFixture {
 protected:
  void SetUp() override {
    MainWindowFixture::SetUp();
    start_main_window();
    editor().setPlainText(QStringLiteral("前 \"格式\" 后"));
  }

  RichEditor& editor() { return *window().超级编辑框1; }

  // Selects the characters 2 to 5 and gives them the format.
  void select_formatted(const CharFormat& format) {
    select_middle();
    editor().richedit_set_sel_char_format(format);
  }
  void select_middle() {
    editor().set_selection_start(2);
    editor().set_selection_length(4);
  }
  CharFormat middle_format() {
    select_middle();
    return editor().richedit_get_sel_char_format();
  }

  static CharFormat bold_red_12() {
    CharFormat format;
    format.size = 12;
    format.effects = effect_bold;
    format.colour = red;
    return format;
  }
};

TEST_F(CharFormattingTest, PresetSizeChangesTheSizeAlone) {
  select_formatted(bold_red_12());

  choose_menu(MenuCommand::size_small_5);

  const CharFormat after = middle_format();
  EXPECT_EQ(after.size, 9);
  EXPECT_EQ(after.effects, effect_bold);
  EXPECT_EQ(after.colour, red);
  EXPECT_EQ(after.font_name, QStringLiteral("宋体"));
}

TEST_F(CharFormattingTest, PresetTextColourChangesTheColourAlone) {
  select_formatted(bold_red_12());

  choose_menu(MenuCommand::text_colour_sky_blue);

  const CharFormat after = middle_format();
  EXPECT_EQ(after.colour, 0x00FF8800u);
  EXPECT_EQ(after.size, 12);
  EXPECT_EQ(after.effects, effect_bold);
}

TEST_F(CharFormattingTest, CustomTextColourGivesPlainSongtiNinePointInThatColour) {
  select_formatted(bold_red_12());
  seam().choose_colour_next(blue);

  choose_menu(MenuCommand::text_colour_custom);

  const CharFormat after = middle_format();
  EXPECT_EQ(after.font_name, QStringLiteral("宋体"));
  EXPECT_EQ(after.size, 9);
  EXPECT_EQ(after.effects, 0);
  EXPECT_EQ(after.colour, blue);
  ASSERT_EQ(seam().colour_dialogs().size(), 1u);
  EXPECT_EQ(seam().colour_dialogs()[0].owner, &editor());
}

TEST_F(CharFormattingTest, CancelledColourDialogsChangeNothing) {
  select_formatted(bold_red_12());
  seam().cancel_colour_next();
  seam().cancel_colour_next();

  choose_menu(MenuCommand::font_colour);
  choose_menu(MenuCommand::background_custom);

  const CharFormat after = middle_format();
  EXPECT_EQ(after.size, 12);
  EXPECT_EQ(after.colour, red);
  EXPECT_EQ(editor().palette().color(QPalette::Base), QColor(Qt::white));
  EXPECT_EQ(seam().colour_dialogs().size(), 2u);
}

TEST_F(CharFormattingTest, BackgroundColoursTheWholeEditor) {
  select_middle();
  choose_menu(MenuCommand::background_grey_green);
  EXPECT_EQ(editor().palette().color(QPalette::Base), to_qcolor(0x0080A080));

  seam().choose_colour_next(blue);
  choose_menu(MenuCommand::background_colour);
  EXPECT_EQ(editor().palette().color(QPalette::Base), to_qcolor(blue));
}

TEST_F(CharFormattingTest, FontDialogSumsTheTickedStylesAndNoneKeepsTheSelections) {
  const struct {
    FontChoice choice;
    int effects;
  } cases[] = {
      {{QStringLiteral("黑体"), 14, 1, 1, 0, 0}, 3},
      {{QStringLiteral("黑体"), 16, 1, 1, 1, 1}, 15},
      {{QStringLiteral("楷体"), 20, 0, 0, 0, 0}, effect_italic | effect_underline},
  };
  for (const auto& c : cases) {
    CharFormat before;
    before.effects = effect_italic | effect_underline;
    before.colour = red;
    select_formatted(before);
    seam().choose_font_next(c.choice);

    choose_menu(MenuCommand::font_settings);

    const CharFormat after = middle_format();
    EXPECT_EQ(after.effects, c.effects) << c.choice.size;
    EXPECT_EQ(after.size, c.choice.size);
    EXPECT_EQ(after.font_name, c.choice.name);
    EXPECT_EQ(after.colour, window().通用对话框1.font_colour);
  }
}

TEST_F(CharFormattingTest, CancelledFontDialogChangesNothing) {
  select_formatted(bold_red_12());
  seam().cancel_font_next();

  choose_menu(MenuCommand::font_settings);

  const CharFormat after = middle_format();
  EXPECT_EQ(after.size, 12);
  EXPECT_EQ(after.colour, red);
}

TEST_F(CharFormattingTest, FontSizeWindowStartsAtTheSelectionsSize) {
  CharFormat format;
  format.size = 14;
  select_formatted(format);
  int slider = 0;
  QString box = QStringLiteral("unread");
  QString title;
  seam().on_next_modal([&](QWidget* shown) {
    auto* size_window = qobject_cast<FontSizeWindow*>(shown);
    ASSERT_NE(size_window, nullptr);
    slider = size_window->多功能条1->value();
    box = size_window->编辑框1->text();
    title = size_window->windowTitle();
  });

  choose_menu(MenuCommand::size_custom);

  EXPECT_EQ(slider, 14);
  EXPECT_EQ(box, QString());
  // No caption: a blank title, so the window system puts no name in the bar.
  EXPECT_FALSE(title.isEmpty());
  EXPECT_TRUE(title.trimmed().isEmpty());
  EXPECT_EQ(middle_format().size, 14);
}

TEST_F(CharFormattingTest, FontSizeWindowRefusesSizesOutsideOneToNinetyNine) {
  select_formatted(bold_red_12());
  seam().on_next_modal([](QWidget* shown) {
    auto* size_window = qobject_cast<FontSizeWindow*>(shown);
    ASSERT_NE(size_window, nullptr);
    for (const QString& typed : {QStringLiteral("0"), QString()}) {
      size_window->编辑框1->setText(typed);
      size_window->按钮1->click();
    }
    EXPECT_TRUE(size_window->isVisible());
    // The window closes by its close box only.
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(size_window->编辑框1, &escape);
    EXPECT_TRUE(size_window->isVisible());
  });

  choose_menu(MenuCommand::size_custom);

  ASSERT_EQ(seam().messages().size(), 2u);
  for (const ShownMessage& shown : seam().messages()) {
    EXPECT_EQ(shown.text, QStringLiteral("请输入正确的字体大小 1~99 之间"));
    EXPECT_EQ(shown.buttons, buttons_ok);
    EXPECT_EQ(shown.title, std::nullopt);
  }
  EXPECT_EQ(middle_format().size, 12);
  EXPECT_EQ(middle_format().effects, effect_bold);
}

TEST_F(CharFormattingTest, FontSizeWindowAppliesPlainSongtiAndStaysOpen) {
  select_formatted(bold_red_12());
  seam().on_next_modal([this](QWidget* shown) {
    auto* size_window = qobject_cast<FontSizeWindow*>(shown);
    ASSERT_NE(size_window, nullptr);
    size_window->编辑框1->setText(QStringLiteral("99"));
    size_window->按钮1->click();
    EXPECT_EQ(size_window->多功能条1->value(), 99);
    EXPECT_TRUE(size_window->isVisible());
    const CharFormat after = editor().richedit_get_sel_char_format();
    EXPECT_EQ(after.size, 99);
    EXPECT_EQ(after.font_name, QStringLiteral("宋体"));
    EXPECT_EQ(after.effects, 0);
    EXPECT_EQ(after.colour, default_colour);

    // A move by the user writes the box and applies the new size at once.
    size_window->多功能条1->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(size_window->编辑框1->text(), QStringLiteral("98"));
    EXPECT_EQ(editor().richedit_get_sel_char_format().size, 98);
  });

  choose_menu(MenuCommand::size_custom);

  EXPECT_TRUE(seam().messages().empty());
  EXPECT_EQ(middle_format().size, 98);
}

}  // namespace
