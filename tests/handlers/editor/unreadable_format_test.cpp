#include <gtest/gtest.h>

#include <QFile>
#include <QLineEdit>
#include <QTextBlock>
#include <QTextLayout>

#include <functional>

#include "platform/controls/picture_button.h"
#include "platform/rich_editor.h"
#include "platform/settings_file.h"
#include "support/main_window_fixture.h"
#include "windows/main_window.h"
#include "windows/page_setup_window.h"

namespace {

// The typed text "abc" as the editor shows it after a stored or applied format.
using Check = std::function<void(RichEditor&)>;

CharFormat typed_format(RichEditor& editor) {
  editor.set_selection_start(0);
  editor.set_selection_length(-1);
  return editor.richedit_get_sel_char_format();
}

Check size_is(int size) {
  return [size](RichEditor& editor) { EXPECT_EQ(typed_format(editor).size, size); };
}

// No colour: the editor's own text colour, never the white of an unsigned -1.
void editors_own_text_colour(RichEditor& editor) {
  EXPECT_EQ(typed_format(editor).colour, default_colour);
  EXPECT_EQ(editor.palette().color(QPalette::Text), QPalette().color(QPalette::Text));
}

void editors_own_background(RichEditor& editor) {
  EXPECT_EQ(editor.palette().color(QPalette::Base), QPalette().color(QPalette::Base));
}

// White chosen for the text on the white fallback background stays as chosen.
void white_on_white(RichEditor& editor) {
  EXPECT_EQ(typed_format(editor).colour, 0x00FFFFFFu);
  EXPECT_EQ(editor.palette().color(QPalette::Base), QColor(Qt::white));
}

// The paragraph keeps the typed text on one line, inside the text area.
void text_within_the_editor(RichEditor& editor) {
  const QTextBlock block = editor.document()->firstBlock();
  ASSERT_EQ(block.text(), QStringLiteral("abc"));
  ASSERT_EQ(block.layout()->lineCount(), 1);
  const QTextLine line = block.layout()->lineAt(0);
  const qreal left = block.layout()->position().x() + line.x();
  EXPECT_GE(left, 0);
  EXPECT_LE(left + line.naturalTextWidth(), editor.viewport()->width());
}

struct StoredValue {
  const char* key;
  const char* value;
  Check check;
  // What the page-setup window stores back for the key; nullptr: the value as it was.
  const char* stored_back = nullptr;
};

// Values no one can read, as the settings file or the page-setup window may hold them, and values
// a user can really choose, which stay.
const StoredValue stored_values[] = {
    {"DX", "0", size_is(12), "12"},
    {"DX", "-5", size_is(12), "12"},
    {"DX", "abc", size_is(12), "12"},
    {"DX", "100", size_is(12), "12"},
    {"DX", "99", size_is(99)},
    {"DX", "1", size_is(1)},
    {"WBYS", "-1", editors_own_text_colour, "-16777216"},
    {"WBYS", "99999999999", editors_own_text_colour, "-16777216"},
    {"WBYS", "16777215", white_on_white},
    {"BJYS", "16777216", editors_own_background, "-16777216"},
    {"SHSJ", "-99999", text_within_the_editor},
    {"FSHSJ", "99999", text_within_the_editor},
    {"YSJ", "99999", text_within_the_editor},
};

std::string name_of(const StoredValue& stored) {
  return std::string(stored.key) + "=" + stored.value;
}

class UnreadableFormatTest : public MainWindowFixture {
 protected:
  void store(const QString& key, const QString& value) {
    write_ini_value(settings_path(), QStringLiteral("BJCS"), key, value);
  }
  QString stored(const char* key) {
    return read_ini_value(settings_path(), QStringLiteral("BJCS"), QString::fromLatin1(key),
                          QString());
  }
  void store_only(const StoredValue& value) {
    QFile::remove(settings_path());
    store(QStringLiteral("SFKQBCYS"), QStringLiteral("1"));
    store(QString::fromLatin1(value.key), QString::fromUtf8(value.value));
  }
  RichEditor& editor() { return *window().超级编辑框1; }
};

TEST_F(UnreadableFormatTest, StartUpShowsTheTextOfEveryStoredValue) {
  for (const StoredValue& c : stored_values) {
    SCOPED_TRACE(name_of(c));
    store_only(c);
    start_main_window();
    type_into_editor(QStringLiteral("abc"));
    c.check(editor());
  }
}

// The value stored or typed into its box, applied and stored again on closing.
TEST_F(UnreadableFormatTest, PageSetupAppliesAndStoresOnlyReadableValues) {
  start_main_window();
  for (const StoredValue& c : stored_values) {
    SCOPED_TRACE(name_of(c));
    store_only(c);
    editor().set_content(QString());
    const QString value = QString::fromUtf8(c.value);
    seam().on_next_modal([&](QWidget* opened) {
      auto& page = *qobject_cast<PageSetupWindow*>(opened);
      const std::pair<const char*, QLineEdit*> boxes[] = {{"DX", page.编辑框1},
                                                          {"SHSJ", page.编辑框3},
                                                          {"FSHSJ", page.编辑框4},
                                                          {"YSJ", page.编辑框5}};
      for (const auto& [key, box] : boxes) {
        if (QString::fromLatin1(key) == QString::fromLatin1(c.key))
          box->setText(value);
      }
      page.图形按钮1->click();
      page.close();
    });
    choose_menu(MenuCommand::page_setup);
    type_into_editor(QStringLiteral("abc"));
    c.check(editor());
    EXPECT_EQ(stored(c.key), c.stored_back ? QString::fromLatin1(c.stored_back) : value);
  }
}

}  // namespace
