#include "handlers/editor/toolbar_dispatch.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMenu>

#include "platform/rich_editor.h"
#include "support/main_window_fixture.h"
#include "windows/main_window.h"
#include "windows/toolbar_buttons.h"

namespace {

class ToolbarTest : public MainWindowFixture {
 protected:
  void SetUp() override {
    MainWindowFixture::SetUp();
    start_main_window();
    editor().setPlainText(QStringLiteral("加粗 \"引号\" text"));
  }

  RichEditor& editor() { return *window().超级编辑框1; }

  void select_all_text() {
    editor().set_selection_start(0);
    editor().set_selection_length(-1);
  }

  void close_popups() {
    for (QMenu* menu :
         {window().menu_font_size, window().menu_font_colour, window().menu_background_colour})
      menu->hide();
  }
};

struct EffectCase {
  int button;
  int before;
  int after;
};

// Test names show the case, not its bytes.
void PrintTo(const EffectCase& c, std::ostream* out) {
  *out << "button " << c.button << ", " << c.before << " -> " << c.after;
}

class ToolbarEffectTest : public ToolbarTest, public ::testing::WithParamInterface<EffectCase> {};

TEST_P(ToolbarEffectTest, InvertsOneBitAndKeepsTheOthers) {
  select_all_text();
  CharFormat format = editor().richedit_get_sel_char_format();
  format.effects = GetParam().before;
  editor().richedit_set_sel_char_format(format);

  click_toolbar_button(GetParam().button);

  select_all_text();
  EXPECT_EQ(editor().richedit_get_sel_char_format().effects, GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(
    Effects, ToolbarEffectTest,
    ::testing::Values(EffectCase{toolbar_bold, 11, 10}, EffectCase{toolbar_italic, 15, 13},
                      EffectCase{toolbar_underline, 13, 9}, EffectCase{toolbar_bold, 0, 1},
                      EffectCase{toolbar_italic, 0, 2}, EffectCase{toolbar_underline, 0, 4}));

TEST_F(ToolbarTest, AlignmentButtonsSetAlignmentAndKeepTheIndents) {
  select_all_text();
  ParagraphFormat format;
  format.first_line_indent = 12;
  format.alignment = 1;
  editor().richedit_set_para_format(format);

  for (const auto& [button, alignment] :
       {std::pair{toolbar_align_centre, 2}, {toolbar_align_right, 3}, {toolbar_align_left, 1}}) {
    click_toolbar_button(button);
    const ParagraphFormat after = editor().richedit_get_para_format();
    EXPECT_EQ(after.alignment, alignment);
    EXPECT_EQ(after.first_line_indent, 12);
  }
}

TEST_F(ToolbarTest, DropDownMenusOpenAtFixedOffsetsFromTheWindowForBodyAndArrow) {
  window().move(100, 50);
  QApplication::processEvents();
  ASSERT_EQ(window().pos(), QPoint(100, 50));

  const struct {
    int button;
    QMenu* menu;
    QPoint at;
  } cases[] = {{toolbar_font_size, window().menu_font_size, {584, 140}},
               {toolbar_text_colour, window().menu_font_colour, {628, 140}},
               {toolbar_background_colour, window().menu_background_colour, {672, 140}}};
  for (const auto& c : cases) {
    for (const bool arrow : {false, true}) {
      if (arrow)
        click_toolbar_arrow(c.button);
      else
        click_toolbar_button(c.button);
      EXPECT_TRUE(c.menu->isVisible()) << c.button << (arrow ? " arrow" : " body");
      EXPECT_EQ(c.menu->pos(), c.at) << c.button << (arrow ? " arrow" : " body");
      close_popups();
    }
  }
}

TEST_F(ToolbarTest, SeparatorsAndPlainButtonsOpenNoMenu) {
  for (const int index : {toolbar_separator_1, toolbar_separator_5, toolbar_bold}) {
    main_toolbar_dropdown_clicked(index);
    main_toolbar_button_clicked(index);
  }
  EXPECT_FALSE(window().menu_font_size->isVisible());
  EXPECT_FALSE(window().menu_font_colour->isVisible());
  EXPECT_FALSE(window().menu_background_colour->isVisible());
  EXPECT_TRUE(seam().messages().empty());
}

TEST_F(ToolbarTest, CommandButtonsRunTheMenusHandlers) {
  editor().setPlainText(QStringLiteral("ab\"c\"d"));
  editor().set_selection_start(2);
  editor().set_selection_length(3);
  click_toolbar_button(toolbar_cut);
  EXPECT_EQ(editor().toPlainText(), QStringLiteral("abd"));

  editor().set_selection_start(3);
  click_toolbar_button(toolbar_paste);
  click_toolbar_button(toolbar_paste);
  EXPECT_EQ(editor().toPlainText(), QStringLiteral("abd\"c\"\"c\""));

  // Save goes to the articles' save command; without a loaded article both places refuse alike.
  choose_menu(MenuCommand::save);
  click_toolbar_button(toolbar_save);
  ASSERT_EQ(seam().messages().size(), 2u);
  EXPECT_EQ(seam().messages()[0].text, seam().messages()[1].text);
}

}  // namespace
