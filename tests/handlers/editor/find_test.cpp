#include "handlers/editor/find.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QCoreApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>

#include <functional>

#include "platform/controls/picture_button.h"
#include "platform/rich_editor.h"
#include "support/main_window_fixture.h"
#include "windows/find_dialog.h"
#include "windows/globals.h"
#include "windows/main_window.h"

namespace {

const QString not_found = QStringLiteral("未搜索到!");
const QString enter_text = QStringLiteral("请输入要搜索的内容");
const QString search_first = QStringLiteral("请先进行首次搜索");

// Notes whether the find window was on top while each box, dialog or modal window showed.
class TopmostRecordingSeam : public ScriptedSeam {
 public:
  int message_box(const QString& text, int buttons, const std::optional<QString>& title) override {
    note();
    return ScriptedSeam::message_box(text, buttons, title);
  }
  bool file_dialog(CommonDialog& dialog) override {
    note();
    return ScriptedSeam::file_dialog(dialog);
  }
  std::optional<Colorref> colour_dialog(QWidget* owner,
                                        std::array<Colorref, 16>& custom_colours) override {
    note();
    return ScriptedSeam::colour_dialog(owner, custom_colours);
  }
  void run_modal(QWidget* window) override {
    note();
    ScriptedSeam::run_modal(window);
  }
  std::vector<bool> topmost_while_shown;

 private:
  void note() {
    topmost_while_shown.push_back(find_dialog() != nullptr && find_dialog()->topmost());
  }
};

class FindTest : public MainWindowFixture {
 protected:
  void SetUp() override {
    MainWindowFixture::SetUp();
    // The global starts at 0 when the program is loaded; the start-up chain leaves it alone.
    globals().last_find_position = 0;
    start_main_window();
    installer_.emplace(seam_);
    choose_menu(MenuCommand::find);
    ASSERT_NE(find_dialog(), nullptr);
  }
  void TearDown() override {
    installer_.reset();
    MainWindowFixture::TearDown();
  }

  RichEditor& editor() { return *window().超级编辑框1; }
  FindDialog& dialog() { return *find_dialog(); }

  void look_for(const QString& text, bool match_case = false) {
    dialog().编辑框1->setText(text);
    dialog().选择框1->setChecked(match_case);
  }
  void find() { dialog().图形按钮1->click(); }
  void find_next() { dialog().图形按钮2->click(); }

  std::pair<int, int> selection() {
    return {editor().selection_start(), editor().selection_length()};
  }
  QStringList messages() { return seam_.message_texts(); }

  TopmostRecordingSeam seam_;

 private:
  std::optional<SeamInstaller> installer_;
};

TEST_F(FindTest, FindThenFindNextWalksOverlappingHitsAndStartsAgainAfterAMiss) {
  editor().setPlainText(QStringLiteral("xaaa"));
  look_for(QStringLiteral("aa"));

  find();
  EXPECT_EQ(selection(), std::pair(1, 2));
  EXPECT_EQ(globals().last_find_position, 1);

  find_next();
  EXPECT_EQ(selection(), std::pair(2, 2));

  find_next();
  EXPECT_EQ(messages(), QStringList{not_found});
  EXPECT_EQ(globals().last_find_position, -1);
  EXPECT_EQ(selection(), std::pair(2, 2));

  find_next();
  EXPECT_EQ(selection(), std::pair(1, 2));
  EXPECT_EQ(messages().size(), 1);

  // Find always starts at the beginning.
  editor().set_selection_start(3);
  find();
  EXPECT_EQ(selection(), std::pair(1, 2));
}

// The hit is selected whole in the editor's own positions, whatever the text's GBK form: a
// character outside the BMP counts two, one GBK has a single byte for counts one.
TEST_F(FindTest, TheWholeHitIsSelected) {
  const struct {
    QString text;
    QString needle;
    std::pair<int, int> selection;
  } cases[] = {
      {QStringLiteral("前文\"中文\"后"), QStringLiteral("中文"), {3, 2}},
      {QStringLiteral("A😀B"), QStringLiteral("😀"), {1, 2}},
      {QStringLiteral("x😀😀y"), QStringLiteral("😀y"), {3, 3}},
      {QStringLiteral("价€a!"), QStringLiteral("€a"), {1, 2}},
      {QStringLiteral("한국어"), QStringLiteral("국어"), {1, 2}},
  };
  for (const auto& c : cases) {
    editor().setPlainText(c.text);
    look_for(c.needle);
    find();
    EXPECT_EQ(selection(), c.selection) << c.needle.toStdString();
    EXPECT_EQ(editor().textCursor().selectedText(), c.needle) << c.needle.toStdString();
  }
}

TEST_F(FindTest, TypingOrCuttingOverAHitOutsideTheBmpTakesTheWholeCharacter) {
  const struct {
    std::function<void()> act;
    QString left;
  } cases[] = {
      {[this] { type_into_editor(QStringLiteral("x")); }, QStringLiteral("AxB")},
      {[this] { editor().richedit_cut(); }, QStringLiteral("AB")},
  };
  for (const auto& c : cases) {
    editor().setPlainText(QStringLiteral("A😀B"));
    look_for(QStringLiteral("😀"));
    find();
    c.act();
    EXPECT_EQ(editor().toPlainText(), c.left);
  }
}

TEST_F(FindTest, EmptyFindTextIsRefusedByBothButtonsAndKeepsThePosition) {
  editor().setPlainText(QStringLiteral("abc"));
  globals().last_find_position = 7;
  look_for(QString());

  find();
  find_next();

  EXPECT_EQ(messages(), (QStringList{enter_text, enter_text}));
  EXPECT_EQ(globals().last_find_position, 7);
  for (const ShownMessage& shown : seam_.messages()) {
    EXPECT_EQ(shown.buttons, buttons_ok);
    EXPECT_EQ(shown.title, QString());
  }
}

TEST_F(FindTest, FindNextAsksForAFirstSearchBeforeAnyFindAndAfterAFailedOne) {
  editor().setPlainText(QStringLiteral("abc"));
  look_for(QStringLiteral("b"));
  find_next();

  look_for(QStringLiteral("zz"));
  find();
  EXPECT_EQ(globals().last_find_position, 0);
  find_next();

  EXPECT_EQ(messages(), (QStringList{search_first, not_found, search_first}));
}

TEST_F(FindTest, MatchCaseFollowsTheCheckBox) {
  editor().setPlainText(QStringLiteral("xAbc abc"));

  look_for(QStringLiteral("abc"), false);
  find();
  EXPECT_EQ(selection(), std::pair(1, 3));

  look_for(QStringLiteral("abc"), true);
  find();
  EXPECT_EQ(selection(), std::pair(5, 3));

  look_for(QStringLiteral("ABC"), true);
  find();
  EXPECT_EQ(messages(), QStringList{not_found});
}

TEST_F(FindTest, FindNextGoesOnAfterAHitAtTheFirstCharacter) {
  editor().setPlainText(QStringLiteral("a-a"));
  look_for(QStringLiteral("a"));

  find();
  EXPECT_EQ(selection(), std::pair(0, 1));
  EXPECT_EQ(globals().last_find_position, 0);

  find_next();
  EXPECT_EQ(selection(), std::pair(2, 1));
  EXPECT_TRUE(messages().isEmpty());
}

TEST_F(FindTest, FindNextLooksForTheNewTextFromTheOldHitPlusOne) {
  editor().setPlainText(QStringLiteral("abcabc"));
  look_for(QStringLiteral("bc"));
  find();
  ASSERT_EQ(selection(), std::pair(1, 2));

  look_for(QStringLiteral("ab"));
  find_next();

  EXPECT_EQ(selection(), std::pair(3, 2));
}

TEST_F(FindTest, TheWindowIsOffTopWhileAMessageShowsAndOnTopAgainAfter) {
  editor().setPlainText(QStringLiteral("abc"));
  ASSERT_TRUE(dialog().topmost());
  look_for(QStringLiteral("zz"));

  find();
  find_next();

  EXPECT_EQ(seam_.topmost_while_shown, (std::vector<bool>{false, false}));
  EXPECT_TRUE(dialog().topmost());
  EXPECT_TRUE(dialog().isVisible());
}

// Every question, dialog or modal window of the program comes above the open find window, which
// steps back while it is up and is on top again once it is answered.
TEST_F(FindTest, TheWindowStepsBackWhileAnyModalIsUp) {
  const struct {
    const char* what;
    std::function<void()> open;
  } modals[] = {
      {"a modal window", [this] { choose_menu(MenuCommand::page_setup); }},
      {"the file dialog", [this] { choose_menu(MenuCommand::save_as); }},
      {"the colour dialog", [this] { choose_menu(MenuCommand::font_colour); }},
      {"a message of another window", [this] { choose_menu(MenuCommand::open); }},
      {"the save question at close",
       [this] {
         type_into_editor(QStringLiteral("改动"));
         window().close();
       }},
  };
  for (const auto& modal : modals) {
    SCOPED_TRACE(modal.what);
    seam_.topmost_while_shown.clear();
    modal.open();
    ASSERT_FALSE(seam_.topmost_while_shown.empty());
    EXPECT_EQ(seam_.topmost_while_shown.front(), false);
    if (window().isVisible()) {
      EXPECT_TRUE(dialog().topmost());
      EXPECT_TRUE(dialog().isVisible());
    }
  }
  EXPECT_TRUE(seam_.messages().back().text == QStringLiteral("当前内容已被修改 是否进行保存"));
}

TEST_F(FindTest, TheWindowIsModelessAndOpensOnce) {
  EXPECT_TRUE(dialog().isVisible());
  EXPECT_FALSE(dialog().isModal());
  EXPECT_EQ(dialog().windowTitle(), QStringLiteral("查找"));
  FindDialog* first = find_dialog();

  click_toolbar_button(8);

  EXPECT_EQ(find_dialog(), first);
  EXPECT_EQ(window().findChildren<FindDialog*>().size(), 1);
}

TEST_F(FindTest, EscapeLeavesTheWindowOpen) {
  QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
  QCoreApplication::sendEvent(dialog().编辑框1, &escape);
  QCoreApplication::sendEvent(&dialog(), &escape);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  ASSERT_NE(find_dialog(), nullptr);
  EXPECT_TRUE(dialog().isVisible());
}

TEST_F(FindTest, ThePositionOutlivesClosingTheWindow) {
  editor().setPlainText(QStringLiteral("xaaa"));
  look_for(QStringLiteral("aa"));
  find();
  dialog().close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  ASSERT_EQ(find_dialog(), nullptr);

  choose_menu(MenuCommand::find);
  EXPECT_EQ(dialog().编辑框1->text(), QString());
  EXPECT_FALSE(dialog().选择框1->isChecked());
  look_for(QStringLiteral("aa"));
  find_next();

  EXPECT_EQ(selection(), std::pair(2, 2));
}

}  // namespace
