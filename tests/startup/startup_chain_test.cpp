#include <gtest/gtest.h>

#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <QScrollBar>

#include <algorithm>
#include <optional>
#include <vector>

#include "platform/controls/combo_box.h"
#include "platform/controls/report_list.h"
#include "platform/controls/status_bar.h"
#include "platform/conversions.h"
#include "platform/program_dir.h"
#include "platform/rich_editor.h"
#include "platform/settings_file.h"
#include "platform/ui_seam.h"
#include "support/layout_widths.h"
#include "support/main_window_fixture.h"
#include "support/scripted_seam.h"
#include "windows/globals.h"
#include "windows/main_window.h"

namespace {

using StartupTest = MainWindowFixture;

void store_setting(const char* section, const char* key, const char* value) {
  write_ini_value(settings_file_path(), QString::fromUtf8(section), QString::fromUtf8(key),
                  QString::fromUtf8(value));
}

// Answers every message box with OK and notes what the window showed at that moment.
class SnapshotSeam : public UiSeam {
 public:
  struct Shown {
    QString text;
    int buttons;
    std::optional<QString> title;
    QString date_part;
    int list_rows;
    bool modified;
  };

  int message_box(const QString& text, int buttons, const std::optional<QString>& title) override {
    MainWindow& window = main_window();
    shown.push_back({text, buttons, title, window.状态条1->statusbar_part_text(3),
                     window.超级列表框1->listview_row_count(), window.超级编辑框1->modified()});
    return answer_ok;
  }
  bool file_dialog(CommonDialog&) override { return false; }
  bool font_dialog(CommonDialog&) override { return false; }
  std::optional<Colorref> colour_dialog(QWidget*, std::array<Colorref, 16>&) override {
    return std::nullopt;
  }
  void run_modal(QWidget*) override {}

  std::vector<Shown> shown;
};

TEST_F(StartupTest, FailedOpenIsReportedOnceAndEveryLaterStepStillRuns) {
  close_db();
  ASSERT_TRUE(QFile::remove(database_path()));
  const QDateTime start(QDate(2026, 12, 10), QTime(23, 59, 58));
  set_clock([start] { return start; });
  SnapshotSeam seam;
  std::optional<SeamInstaller> installer(seam);
  MainWindow& main = start_main_window([this](MainWindow& window) {
    window.超级列表框1->listview_insert_row(QStringLiteral("旧的 \"文章\""));
    type_into_editor(QStringLiteral("未保存"));
  });
  installer.reset();
  set_clock({});

  ASSERT_EQ(seam.shown.size(), 1u);
  const SnapshotSeam::Shown& box = seam.shown[0];
  EXPECT_EQ(box.text, QStringLiteral("数据库打开失败 请检查数据库"));
  EXPECT_EQ(box.buttons, buttons_ok);
  EXPECT_EQ(box.title, QString());
  // At the message the window was prepared, but the article list not yet refilled.
  EXPECT_EQ(box.date_part, QStringLiteral("当前日期：   2026-12-10"));
  EXPECT_EQ(box.list_rows, 1);
  EXPECT_TRUE(box.modified);
  // Afterwards the fill, the restore and the final step ran all the same.
  EXPECT_EQ(main.超级列表框1->listview_row_count(), 0);
  EXPECT_FALSE(main.超级编辑框1->modified());
  EXPECT_FALSE(main.外部数据库1.is_open());
  EXPECT_EQ(main.状态条1->statusbar_part_text(3), QStringLiteral("当前日期：   2026-12-10"));
}

TEST_F(StartupTest, GlobalsGetTheirStartValues) {
  globals() = Globals{};
  start_main_window();
  EXPECT_EQ(globals().loaded_article_row, -1);
  EXPECT_EQ(globals().move_repeat_active, 1);
  EXPECT_EQ(globals().logged_in, 1);
  EXPECT_EQ(globals().float_icon_shown, 0);
  EXPECT_EQ(globals().last_find_position, 0);
}

TEST_F(StartupTest, RememberedSizeOnlyWhileTheSwitchIsOn) {
  struct Case {
    const char* bkbc;
    const char* kd;
    const char* gd;
    QSize expected;
  };
  const Case cases[] = {
      {nullptr, "700", "500", {760, 569}}, {"0", "700", nullptr, {760, 569}},
      {"2", "700", "500", {760, 569}},     {"1", nullptr, nullptr, {760, 569}},
      {"1", "700", nullptr, {700, 569}},   {"1", "720", "540", {720, 540}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.bkbc ? c.bkbc : "-") + " " + (c.kd ? c.kd : "-"));
    QFile::remove(settings_file_path());
    if (c.bkbc != nullptr)
      store_setting("KNSZ", "BKBC", c.bkbc);
    if (c.kd != nullptr)
      store_setting("BKKG", "KD", c.kd);
    if (c.gd != nullptr)
      store_setting("BKKG", "GD", c.gd);
    MainWindow& main = start_main_window();
    EXPECT_EQ(main.frameGeometry().size(), c.expected);
  }
}

// A stored size the window cannot use opens a window that fits the screen, centred once its
// size is known; what is not a positive number stands for 760 x 569.
TEST_F(StartupTest, RememberedSizeIsBoundedToAUsableWindowOnTheScreen) {
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  struct Case {
    const char* kd;
    const char* gd;
    QSize expected;
  };
  const Case cases[] = {
      {"0", "0", {760, 569}},
      {"-1", "569", {760, 569}},
      {"abc", "-5", {760, 569}},
      {"1", "1", {200, 150}},
      {"100000", "100000", screen.size()},
      {"2147483647", "2147483647", screen.size()},
      {"2000", "1500", screen.size()},
      {"640", "480", {640, 480}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.kd) + " x " + c.gd);
    QFile::remove(settings_file_path());
    store_setting("KNSZ", "BKBC", "1");
    store_setting("BKKG", "KD", c.kd);
    store_setting("BKKG", "GD", c.gd);
    MainWindow& main = start_main_window();
    EXPECT_EQ(main.frameGeometry().size(), c.expected);
    EXPECT_LE(qAbs(main.frameGeometry().center().x() - screen.center().x()), 1);
    EXPECT_LE(qAbs(main.frameGeometry().center().y() - screen.center().y()), 1);
  }
}

TEST_F(StartupTest, LastArticleIsBackAndTheEditorUnmodifiedWhenTheWindowFirstShows) {
  seed_category(QStringLiteral("工作"), QStringLiteral("1"));
  seed_category(QStringLiteral("\"私人\" 笔记"), QStringLiteral("2"));
  seed_article(QStringLiteral("\"私人\" 笔记"), QStringLiteral("1"), QStringLiteral("周一"),
               std::nullopt);
  seed_article(QStringLiteral("\"私人\" 笔记"), QStringLiteral("2"), QStringLiteral("周二 计划"),
               std::nullopt);
  store_setting("FWJL", "FL", "\"私人\" 笔记");
  store_setting("FWJL", "WZ", "周二 计划");
  MainWindow& main = start_main_window();
  EXPECT_EQ(main.组合框1->combo_item_count(), 2);
  EXPECT_EQ(main.组合框1->selected_index(), 1);
  EXPECT_EQ(main.超级列表框1->current_row(), 1);
  EXPECT_EQ(globals().loaded_article_row, 1);
  EXPECT_FALSE(main.超级编辑框1->modified());
  EXPECT_TRUE(seam().messages().empty());
}

// The text as RTF: non-ASCII characters as \\u escapes, a line break as \\par.
QString rtf_of(const QString& text) {
  QString rtf = QStringLiteral("{\\rtf1\\ansi\\uc0 ");
  for (const QChar c : text) {
    if (c == u'\n')
      rtf += QStringLiteral("\\par ");
    else if (c.unicode() < 0x80)
      rtf += c;
    else
      rtf += QStringLiteral("\\u%1 ").arg(static_cast<qint16>(c.unicode()));
  }
  return rtf + u'}';
}

// The last article, short or long, is back when the window first shows: its text, the caret in
// view, and the scroll bar only when the text needs it. A long one is not laid out once more
// when the scroll bar comes and narrows it.
TEST_F(StartupTest, TheRestoredArticleShowsWithItsCaretInViewAndItsScrollBarWhenNeeded) {
  QString paragraph;
  QString lines;
  for (int i = 0; i < 3000; ++i) {
    paragraph += QStringLiteral("词%1 ").arg(i);
    lines += QStringLiteral("行%1\n").arg(i);
  }
  lines.chop(1);
  struct Case {
    const char* name;
    QString text;
    int caret;
    bool scrolls;
  };
  for (const Case& c : {Case{"short", QStringLiteral("一行字 one line"), 3, false},
                        Case{"one long paragraph", paragraph, int(paragraph.size()) - 5, true},
                        Case{"short lines", lines, int(lines.size()) / 2, true}}) {
    SCOPED_TRACE(c.name);
    TearDown();
    SetUp();
    seed_category(QStringLiteral("笔记"), QStringLiteral("1"));
    seed_article(QStringLiteral("笔记"), QStringLiteral("1"), QStringLiteral("长文"),
                 rtf_of(c.text));
    store_setting("FWJL", "FL", "笔记");
    store_setting("FWJL", "WZ", "长文");
    store_setting("FWJL", "ZB", QByteArray::number(c.caret).constData());
    std::optional<LayoutWidths> layouts;
    MainWindow& main = start_main_window([&](MainWindow& w) { layouts.emplace(*w.超级编辑框1); });

    RichEditor& editor = *main.超级编辑框1;
    EXPECT_EQ(editor.toPlainText(), c.text);
    EXPECT_EQ(editor.selection_start(), c.caret);
    EXPECT_TRUE(editor.viewport()->rect().contains(editor.cursorRect()));
    EXPECT_EQ(editor.verticalScrollBar()->isVisible(), c.scrolls);
    EXPECT_EQ(qRound(editor.document()->textWidth()), editor.viewport()->width());
    const std::vector<int> widths = layouts->take();
    const int bar = editor.verticalScrollBar()->width();
    EXPECT_EQ(std::adjacent_find(widths.begin(), widths.end(),
                                 [bar](int before, int after) { return before - after == bar; }),
              widths.end())
        << "laid out again " << bar << " pixels narrower";
  }
}

TEST_F(StartupTest, EditorIsUnmodifiedWhenTheWindowFirstShows) {
  MainWindow& main =
      start_main_window([this](MainWindow&) { type_into_editor(QStringLiteral("草稿")); });
  EXPECT_TRUE(main.isVisible());
  EXPECT_FALSE(main.超级编辑框1->modified());
  EXPECT_TRUE(main.外部数据库1.is_open());
}

}  // namespace
