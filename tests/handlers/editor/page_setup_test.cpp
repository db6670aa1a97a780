#include "handlers/editor/page_setup.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>

#include <functional>

#include "platform/controls/colour_picker.h"
#include "platform/controls/combo_box.h"
#include "platform/controls/picture_button.h"
#include "platform/fonts.h"
#include "platform/rich_editor.h"
#include "platform/settings_file.h"
#include "support/main_window_fixture.h"
#include "windows/main_window.h"
#include "windows/page_setup_window.h"

namespace {

constexpr Colorref blue = 0x00FF0000;
constexpr Colorref white = 0x00FFFFFF;
const QString missing = QStringLiteral("<missing>");
const char* const format_keys[] = {"DX",   "HG",   "WBYS",  "BJYS", "ZTMC",
                                   "XMSY", "SHSJ", "FSHSJ", "YSJ",  "DQFS"};

// What the window's controls show.
struct Shown {
  QString size, line_height;
  Colorref colour, background;
  QString font;
  bool bullet;
  QString first_line_indent, other_lines_indent, right_indent;
  int alignment_index;
  bool keep;

  bool operator==(const Shown&) const = default;
};

// The window over a settings file without a BJCS section.
const Shown fallbacks{QStringLiteral("12"),
                      QStringLiteral("0"),
                      0,
                      white,
                      QStringLiteral("宋体"),
                      false,
                      QStringLiteral("10"),
                      QStringLiteral("0"),
                      QStringLiteral("0"),
                      0,
                      false};

Shown shown(const PageSetupWindow& page) {
  return {page.编辑框1->text(),
          page.编辑框2->text(),
          page.颜色选择器1->colour(),
          page.颜色选择器2->colour(),
          page.组合框1->combo_item_text(page.组合框1->selected_index()),
          page.选择框5->isChecked(),
          page.编辑框3->text(),
          page.编辑框4->text(),
          page.编辑框5->text(),
          page.组合框2->selected_index(),
          page.选择框1->isChecked()};
}

void PrintTo(const Shown& s, std::ostream* os) {
  *os << s.size.toStdString() << "|" << s.line_height.toStdString() << "|" << s.colour << "|"
      << s.background << "|" << s.font.toStdString() << "|" << s.bullet << "|"
      << s.first_line_indent.toStdString() << "|" << s.other_lines_indent.toStdString() << "|"
      << s.right_indent.toStdString() << "|" << s.alignment_index << "|" << s.keep;
}

void press_key(QWidget* target, int key) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
  QApplication::sendEvent(target, &press);
}

void select_font(ComboBox& list, const QString& name) {
  list.setCurrentIndex(list.findText(name, Qt::MatchExactly));
}

class PageSetupTest : public MainWindowFixture {
 protected:
  void SetUp() override {
    MainWindowFixture::SetUp();
    start_main_window();
  }

  RichEditor& editor() { return *window().超级编辑框1; }

  // Opens 页面设置; the script acts in the open window as the user would. A window the script
  // leaves open is closed by its close box.
  void open_page_setup(const std::function<void(PageSetupWindow&)>& script) {
    seam().on_next_modal([script](QWidget* opened) {
      auto* page = qobject_cast<PageSetupWindow*>(opened);
      ASSERT_NE(page, nullptr);
      script(*page);
    });
    choose_menu(MenuCommand::page_setup);
    ASSERT_EQ(seam().modal_windows().last(), QStringLiteral("PageSetupWindow"));
  }

  Shown shown_on_opening() {
    Shown seen{};
    open_page_setup([&seen](PageSetupWindow& page) { seen = shown(page); });
    return seen;
  }

  void store(const char* key, const QString& value) {
    write_ini_value(settings_path(), QStringLiteral("BJCS"), QString::fromLatin1(key), value);
  }
  QString stored(const char* key) {
    return read_ini_value(settings_path(), QStringLiteral("BJCS"), QString::fromLatin1(key),
                          missing);
  }
  QStringList stored_format() {
    QStringList values;
    for (const char* key : format_keys)
      values << stored(key);
    return values;
  }
};

TEST_F(PageSetupTest, WithoutStoredFormatTheWindowShowsTheFallbacks) {
  EXPECT_EQ(shown_on_opening(), fallbacks);
  EXPECT_FALSE(QFile::exists(settings_path())) << "closing unticked wrote settings";
}

TEST_F(PageSetupTest, FontListHoldsTheFontNamesInTheirOrder) {
  QStringList items;
  open_page_setup([&items](PageSetupWindow& page) {
    for (int i = 0; i < page.组合框1->combo_item_count(); ++i)
      items << page.组合框1->combo_item_text(i);
  });
  EXPECT_EQ(items, get_font_names());
  EXPECT_TRUE(items.contains(QStringLiteral("宋体")));
  EXPECT_TRUE(seam().messages().empty());
}

TEST_F(PageSetupTest, DefaultsChangeOnlyTheControls) {
  store("SFKQBCYS", QStringLiteral("1"));
  store("DX", QStringLiteral("20"));
  store("HG", QStringLiteral("5"));
  store("WBYS", QStringLiteral("255"));
  store("BJYS", QStringLiteral("0"));
  store("ZTMC", QStringLiteral("没有这种字体"));
  store("XMSY", QStringLiteral("1"));
  store("SHSJ", QStringLiteral("3"));
  store("FSHSJ", QStringLiteral("4"));
  store("YSJ", QStringLiteral("5"));
  store("DQFS", QStringLiteral("3"));
  const QStringList before = stored_format();
  const QPalette editor_colours = editor().palette();

  Shown after_defaults{};
  QStringList stored_after_click;
  open_page_setup([&](PageSetupWindow& page) {
    page.图形按钮2->click();
    after_defaults = shown(page);
    stored_after_click = stored_format();
    page.选择框1->setChecked(false);
  });

  // The factory values differ from the fallbacks in the size and the right indent.
  Shown expected = fallbacks;
  expected.size = QStringLiteral("9");
  expected.right_indent = QStringLiteral("10");
  expected.keep = true;
  EXPECT_EQ(after_defaults, expected);
  EXPECT_EQ(stored_after_click, before);
  EXPECT_EQ(stored("SFKQBCYS"), QStringLiteral("1"));
  EXPECT_EQ(editor().palette(), editor_colours);
}

TEST_F(PageSetupTest, ClosingStoresTheValuesShownOnlyWhileTheBoxIsTicked) {
  const struct {
    const char* way;
    std::function<void(PageSetupWindow&)> close;
  } ways[] = {
      {"取 消", [](PageSetupWindow& page) { page.图形按钮3->click(); }},
      {"Esc in a box", [](PageSetupWindow& page) { press_key(page.编辑框3, Qt::Key_Escape); }},
      {"close box", [](PageSetupWindow& page) { page.close(); }},
  };
  for (const auto& way : ways) {
    for (const bool ticked : {false, true}) {
      SCOPED_TRACE(std::string(way.way) + (ticked ? " ticked" : " unticked"));
      QFile::remove(settings_path());
      bool still_open_after_close = true;
      open_page_setup([&](PageSetupWindow& page) {
        if (ticked)
          page.选择框1->click();
        page.编辑框1->setText(QStringLiteral("14"));
        page.编辑框2->setText(QString());
        seam().choose_colour_next(blue);
        page.颜色选择器1->click();
        page.选择框5->setChecked(true);
        page.编辑框3->setText(QStringLiteral("20"));
        page.编辑框4->setText(QStringLiteral("-5"));
        page.组合框2->setCurrentIndex(1);
        way.close(page);
        still_open_after_close = page.isVisible();
      });
      EXPECT_FALSE(still_open_after_close);
      if (!ticked) {
        EXPECT_FALSE(QFile::exists(settings_path()));
        continue;
      }
      const QStringList expected = {QStringLiteral("14"),       QString(),
                                    QStringLiteral("16711680"), QStringLiteral("16777215"),
                                    QStringLiteral("宋体"),     QStringLiteral("1"),
                                    QStringLiteral("20"),       QStringLiteral("-5"),
                                    QStringLiteral("0"),        QStringLiteral("2")};
      EXPECT_EQ(stored_format(), expected);
      EXPECT_EQ(stored("SFKQBCYS"), QStringLiteral("1"));
    }
  }
}

TEST_F(PageSetupTest, OtherKeysLeaveTheWindowOpen) {
  bool open = false;
  open_page_setup([&open](PageSetupWindow& page) {
    press_key(page.编辑框1, Qt::Key_Return);
    press_key(&page, Qt::Key_A);
    open = page.isVisible();
  });
  EXPECT_TRUE(open);
}

TEST_F(PageSetupTest, TheBoxIsStoredAtEachClick) {
  QStringList after_clicks;
  open_page_setup([&](PageSetupWindow& page) {
    page.选择框1->click();
    after_clicks << stored("SFKQBCYS");
    page.选择框1->click();
    after_clicks << stored("SFKQBCYS");
    page.选择框1->click();
    after_clicks << stored("SFKQBCYS");
    page.选择框1->click();
    after_clicks << stored("SFKQBCYS");
    press_key(&page, Qt::Key_Escape);
  });
  EXPECT_EQ(after_clicks, QStringList({"1", "0", "1", "0"}));
  EXPECT_EQ(stored("SFKQBCYS"), QStringLiteral("0"));
  EXPECT_EQ(stored("DX"), missing);
}

TEST_F(PageSetupTest, StoredAlignmentSelectsItsItemAndAnyOtherNumberNone) {
  const struct {
    const char* dqfs;
    int index;
    const char* stored_back;
  } cases[] = {
      // The numbers that name no item first: each apply keeps the editor's alignment.
      {"0", -1, "0"}, {"4", -1, "0"}, {"-2147483648", -1, "0"}, {"左", -1, "0"}, {"1", 0, "1"},
      {"2", 1, "2"},  {"3", 2, "3"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.dqfs);
    store("SFKQBCYS", QStringLiteral("1"));
    store("DQFS", QString::fromUtf8(c.dqfs));
    int index = -2;
    open_page_setup([&index](PageSetupWindow& page) {
      index = page.组合框2->selected_index();
      page.图形按钮1->click();
    });
    EXPECT_EQ(index, c.index);
    EXPECT_EQ(stored("DQFS"), QString::fromLatin1(c.stored_back));
    // Without an alignment the paragraph stays left-aligned, as the empty editor has it.
    EXPECT_EQ(editor().richedit_get_para_format().alignment, c.index == -1 ? 1 : c.index + 1);
  }
}

TEST_F(PageSetupTest, AFontNameNotInTheListSelectsNothingAndIsStoredEmpty) {
  store("SFKQBCYS", QStringLiteral("1"));
  store("ZTMC", QStringLiteral("没有这种字体"));
  int index = -2;
  open_page_setup([&index](PageSetupWindow& page) {
    index = page.组合框1->selected_index();
    page.图形按钮1->click();
  });
  EXPECT_EQ(index, -1);
  EXPECT_EQ(stored("ZTMC"), QString());
  // The empty name keeps the editor's font.
  EXPECT_EQ(editor().richedit_get_sel_char_format().font_name, QStringLiteral("宋体"));
}

TEST_F(PageSetupTest, ApplyFormatsTheEditorAndStoresNothing) {
  editor().setPlainText(QStringLiteral("第一段\n第二段"));
  editor().set_selection_start(0);
  editor().set_selection_length(-1);
  QString content_after_first_apply;
  QString content_after_second_apply;
  open_page_setup([&](PageSetupWindow& page) {
    page.编辑框1->setText(QStringLiteral("14"));
    seam().choose_colour_next(blue);
    page.颜色选择器2->click();
    select_font(*page.组合框1, QStringLiteral("宋体"));
    page.选择框5->setChecked(true);
    page.编辑框3->setText(QStringLiteral("12"));
    page.编辑框4->setText(QStringLiteral("6"));
    page.编辑框5->setText(QStringLiteral("8"));
    page.组合框2->setCurrentIndex(2);
    page.图形按钮1->click();
    content_after_first_apply = editor().content();
    page.图形按钮1->click();
    content_after_second_apply = editor().content();
    EXPECT_TRUE(page.isVisible());
  });

  EXPECT_EQ(editor().palette().color(QPalette::Base), to_qcolor(blue));
  EXPECT_EQ(editor().document()->defaultFont().pointSize(), 14);
  for (QTextBlock block = editor().document()->begin(); block.isValid(); block = block.next()) {
    SCOPED_TRACE(block.text().toStdString());
    ASSERT_NE(block.textList(), nullptr);
  }
  const ParagraphFormat paragraph = editor().richedit_get_para_format();
  EXPECT_EQ(paragraph.bullet, 1);
  EXPECT_EQ(paragraph.first_line_indent, 12);
  EXPECT_EQ(paragraph.right_indent, 8);
  EXPECT_EQ(paragraph.alignment, 3);
  EXPECT_EQ(content_after_second_apply, content_after_first_apply);
  EXPECT_FALSE(QFile::exists(settings_path()));
}

}  // namespace
