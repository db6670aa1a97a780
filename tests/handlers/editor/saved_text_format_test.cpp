#include "handlers/editor/saved_text_format.h"

#include <gtest/gtest.h>

#include <QTextDocument>

#include "platform/rich_editor.h"
#include "platform/settings_file.h"
#include "support/main_window_fixture.h"
#include "support/paragraph_format_printing.h"
#include "windows/main_window.h"

namespace {

class SavedTextFormatTest : public MainWindowFixture {
 protected:
  void store(const char* key, const QString& value) {
    write_ini_value(settings_path(), QStringLiteral("BJCS"), QString::fromLatin1(key), value);
  }

  RichEditor& editor() { return *window().超级编辑框1; }
  QColor background() { return editor().palette().color(QPalette::Base); }
};

TEST_F(SavedTextFormatTest, OnlyTheSwitchOneAppliesTheStoredFormat) {
  // An editor started without any settings: what the switch must leave untouched.
  start_main_window();
  const QColor untouched_background = background();
  const QFont untouched_font = editor().document()->defaultFont();

  for (const char* value : {"", "0", "2", "10", "-1", "abc"}) {
    SCOPED_TRACE(value);
    store("SFKQBCYS", QString::fromLatin1(value));
    store("BJYS", QStringLiteral("255"));
    store("DX", QStringLiteral("30"));
    store("SHSJ", QStringLiteral("40"));
    start_main_window();
    EXPECT_EQ(background(), untouched_background);
    EXPECT_EQ(editor().document()->defaultFont(), untouched_font);
    EXPECT_EQ(editor().richedit_get_para_format().first_line_indent, 0);
  }
}

TEST_F(SavedTextFormatTest, TheSwitchAloneGivesTheFallbacks) {
  store("SFKQBCYS", QStringLiteral("1"));
  start_main_window();

  EXPECT_EQ(background(), to_qcolor(16777215));
  const CharFormat chars = editor().richedit_get_sel_char_format();
  EXPECT_EQ(chars.font_name, QStringLiteral("宋体"));
  EXPECT_EQ(chars.size, 12);
  EXPECT_EQ(chars.colour, 0u);
  EXPECT_EQ(chars.effects, 0);
  EXPECT_EQ(chars.line_height, 0);
  EXPECT_EQ(editor().richedit_get_para_format(),
            (ParagraphFormat{.first_line_indent = 10, .alignment = 1}));
}

TEST_F(SavedTextFormatTest, StoredValuesReachTheEmptyEditorAndWhatIsTypedIntoIt) {
  store("SFKQBCYS", QStringLiteral("1"));
  store("DX", QStringLiteral("14"));
  store("WBYS", QStringLiteral("255"));
  store("BJYS", QStringLiteral("0"));
  store("HG", QStringLiteral("20"));
  store("XMSY", QStringLiteral("1"));
  store("SHSJ", QStringLiteral("6"));
  store("FSHSJ", QStringLiteral("3"));
  store("YSJ", QStringLiteral("9"));
  store("DQFS", QStringLiteral("2"));
  start_main_window();

  // A black background; the text colour comes from its own key.
  EXPECT_EQ(background(), QColor(Qt::black));
  type_into_editor(QStringLiteral("新的文字"));
  editor().set_selection_start(0);
  editor().set_selection_length(-1);
  const CharFormat chars = editor().richedit_get_sel_char_format();
  EXPECT_EQ(chars.font_name, QStringLiteral("宋体"));
  EXPECT_EQ(chars.size, 14);
  EXPECT_EQ(chars.colour, 0x000000FFu);
  const ParagraphFormat paragraph = editor().richedit_get_para_format();
  EXPECT_EQ(paragraph.bullet, 1);
  EXPECT_EQ(paragraph.first_line_indent, 6);
  EXPECT_EQ(paragraph.right_indent, 9);
  EXPECT_EQ(paragraph.alignment, 2);
}

TEST_F(SavedTextFormatTest, EmptyFontNameAndNoAlignmentKeepTheEditors) {
  store("SFKQBCYS", QStringLiteral("1"));
  store("ZTMC", QString());
  store("DQFS", QStringLiteral("0"));
  start_main_window();

  EXPECT_EQ(editor().richedit_get_sel_char_format().font_name, QStringLiteral("宋体"));
  EXPECT_EQ(editor().richedit_get_sel_char_format().size, 12);
  EXPECT_EQ(editor().richedit_get_para_format().alignment, 1);
}

TEST_F(SavedTextFormatTest, ComesBeforeTheLastArticleIsLoaded) {
  seed_category(QStringLiteral("工作"), QStringLiteral("1"));
  seed_article(QStringLiteral("工作"), QStringLiteral("1"), QStringLiteral("计划"),
               QStringLiteral("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs40 plan\\par}"));
  write_ini_value(settings_path(), QStringLiteral("FWJL"), QStringLiteral("FL"),
                  QStringLiteral("工作"));
  write_ini_value(settings_path(), QStringLiteral("FWJL"), QStringLiteral("WZ"),
                  QStringLiteral("计划"));
  store("SFKQBCYS", QStringLiteral("1"));
  store("SHSJ", QStringLiteral("30"));
  start_main_window();

  ASSERT_EQ(editor().toPlainText(), QStringLiteral("plan"));
  // The loaded article keeps its own paragraph and size.
  EXPECT_EQ(editor().richedit_get_para_format().first_line_indent, 0);
  EXPECT_EQ(editor().richedit_get_sel_char_format().size, 20);
  EXPECT_FALSE(editor().modified());
}

TEST_F(SavedTextFormatTest, NewArticlesTakeTheStoredFormat) {
  seed_category(QStringLiteral("工作"), QStringLiteral("1"));
  write_ini_value(settings_path(), QStringLiteral("FWJL"), QStringLiteral("FL"),
                  QStringLiteral("工作"));
  store("SFKQBCYS", QStringLiteral("1"));
  store("DX", QStringLiteral("14"));
  store("WBYS", QStringLiteral("255"));
  start_main_window();

  choose_menu(MenuCommand::new_article);
  type_into_editor(QStringLiteral("新文章"));
  editor().set_selection_start(0);
  editor().set_selection_length(-1);
  const CharFormat chars = editor().richedit_get_sel_char_format();
  EXPECT_EQ(chars.size, 14);
  EXPECT_EQ(chars.font_name, QStringLiteral("宋体"));
  EXPECT_EQ(editor().palette().color(QPalette::Text), QColor(Qt::red));
  EXPECT_TRUE(editor().content().contains("\\fs28"));
}

}  // namespace
