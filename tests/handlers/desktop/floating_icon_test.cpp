#include "handlers/desktop/floating_icon.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QGuiApplication>
#include <QImage>
#include <QMenu>
#include <QMouseEvent>
#include <QPointer>
#include <QScreen>

#include "handlers/desktop/floating_icon_loading.h"
#include "handlers/desktop/floating_icon_menus.h"
#include "platform/controls/picture_box.h"
#include "platform/controls/report_list.h"
#include "platform/rich_editor.h"
#include "platform/settings_file.h"
#include "platform/tray_icon.h"
#include "support/captured_stderr.h"
#include "support/file_contents.h"
#include "support/main_window_fixture.h"
#include "support/non_regular_files.h"
#include "windows/floating_icon_window.h"
#include "windows/globals.h"
#include "windows/main_window.h"

namespace {

const QString question = QStringLiteral("当前内容已被修改 是否进行保存");

class FloatingIconTest : public MainWindowFixture {
 protected:
  void TearDown() override {
    delete floating_icon_window();
    globals().float_icon_shown = 0;
    MainWindowFixture::TearDown();
  }
  void store(const char* key, const QString& value) {
    write_ini_value(settings_path(), QStringLiteral("KNSZ"), QString::fromLatin1(key), value);
  }
  QString setting(const char* section, const char* key) {
    return read_ini_value(settings_path(), QString::fromLatin1(section), QString::fromLatin1(key),
                          QStringLiteral("<absent>"));
  }
  // A small picture file at a path with a blank and Chinese characters.
  QString write_picture(const QString& name) {
    const QString file = path(name);
    QImage picture(90, 30, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    EXPECT_TRUE(picture.save(file, "JPEG"));
    return file;
  }
  // Starts with the floating icon switched on and one article loaded.
  MainWindow& start_with_icon() {
    store("PFTB", QStringLiteral("1"));
    seed_category(QStringLiteral("杂项"), QStringLiteral("1"));
    seed_article(QStringLiteral("杂项"), QStringLiteral("1"), QStringLiteral("第一篇"),
                 QStringLiteral("{\\rtf1\\ansi hello}"));
    MainWindow& main = start_main_window();
    choose_category(0);
    click_list_row(0);
    return main;
  }
  FloatingIconWindow& icon() { return *floating_icon_window(); }
};

TEST_F(FloatingIconTest, SwitchedOnTheIconComesUpTopRightWithItsPictureAndTrayIcon) {
  store("FDTB", write_picture(QStringLiteral("ico/我的 图片.jpg")));
  MainWindow& main = start_with_icon();
  ASSERT_NE(floating_icon_window(), nullptr);
  EXPECT_EQ(globals().float_icon_shown, 1);
  EXPECT_TRUE(icon().isVisible());
  const int screen_width = QGuiApplication::primaryScreen()->geometry().width();
  EXPECT_EQ(icon().geometry(), QRect(screen_width - 130, 70, 90, 31));
  EXPECT_TRUE(icon().windowFlags().testFlags(Qt::Tool | Qt::FramelessWindowHint |
                                             Qt::WindowStaysOnTopHint));
  EXPECT_TRUE(icon().图片框1->has_picture());
  EXPECT_TRUE(icon().tray->is_set());
  EXPECT_EQ(icon().tray->tip(), QStringLiteral("记事本"));
  // The picture, the one control, is named for screen readers as the tray icon is.
  QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(icon().图片框1);
  ASSERT_NE(accessible, nullptr);
  EXPECT_EQ(accessible->text(QAccessible::Name), QStringLiteral("记事本"));

  // Closing the main window now only hides it.
  EXPECT_FALSE(main.close());
  EXPECT_FALSE(main.isVisible());
  EXPECT_TRUE(main.外部数据库1.is_open());
}

TEST_F(FloatingIconTest, SwitchedOffOrUnreadableThereIsNoIconOrAnEmptyPicture) {
  for (const char* pftb : {"0", "2", ""}) {
    SCOPED_TRACE(pftb);
    TearDown();
    SetUp();
    if (*pftb)
      store("PFTB", QString::fromUtf8(pftb));
    start_main_window();
    EXPECT_EQ(floating_icon_window(), nullptr);
    EXPECT_EQ(globals().float_icon_shown, 0);
  }
  // A FIFO or an endless device would hang the start if it were read; each refused picture gives
  // way to the default one in the settings, so no later start tries it again.
  const std::vector<std::function<QString()>> unusable = {
      [&] { return path(QStringLiteral("ico/无.jpg")); },
      [&] { return path(QStringLiteral("ico/不是图片.jpg")); },
      [&] { return path(QStringLiteral("ico")); },
      [&] { return make_fifo(path(QStringLiteral("ico/管道 图片.jpg"))); },
      [&] { return make_link(path(QStringLiteral("ico/零.jpg")), QStringLiteral("/dev/zero")); },
  };
  for (const auto& make : unusable) {
    TearDown();
    SetUp();
    write_file(path(QStringLiteral("ico/不是图片.jpg")), "plain text");
    const QString file = make();
    SCOPED_TRACE(file.toStdString());
    store("FDTB", file);
    const CapturedStderr captured;
    start_with_icon();
    ASSERT_NE(floating_icon_window(), nullptr);
    EXPECT_FALSE(icon().图片框1->has_picture());
    EXPECT_TRUE(icon().tray->is_set());
    EXPECT_EQ(setting("KNSZ", "FDTB"), program_dir() + QStringLiteral("/ico/2.jpg"));
    EXPECT_EQ(captured.lines().filter(u'"' + file + u'"').size(), 1);
  }
}

TEST_F(FloatingIconTest, TrayCodesAndThePictureShowAndHideTheMainWindow) {
  MainWindow& main = start_with_icon();
  struct Case {
    const char* name;
    std::function<void(FloatingIconWindow&)> act;
    bool shown_before;
    bool shown_after;
  };
  const std::vector<Case> cases = {
      {"code 1 does nothing", [](auto& w) { emit w.tray->on_tray_event(1); }, true, true},
      {"code 2 hides a shown window", [](auto& w) { emit w.tray->on_tray_event(2); }, true, false},
      {"code 2 shows a hidden window", [](auto& w) { emit w.tray->on_tray_event(2); }, false, true},
      {"an unknown code does nothing", [](auto& w) { emit w.tray->on_tray_event(0); }, false,
       false},
      {"a double click toggles", [](auto& w) { emit w.图片框1->on_double_click(3, 4, 0); }, true,
       false},
      {"漂浮菜单 显示 toggles", [](auto& w) { w.float_show->trigger(); }, true, false},
      {"漂浮菜单 显示 toggles back", [](auto& w) { w.float_show->trigger(); }, false, true},
      {"托盘菜单 显示 keeps it shown", [](auto& w) { w.tray_show->trigger(); }, true, true},
      {"托盘菜单 显示 shows it", [](auto& w) { w.tray_show->trigger(); }, false, true},
      {"托盘菜单 隐藏 hides it", [](auto& w) { w.tray_hide->trigger(); }, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    main.setVisible(c.shown_before);
    c.act(icon());
    EXPECT_EQ(main.isVisible(), c.shown_after);
  }
  EXPECT_EQ(main.超级编辑框1->toPlainText(), QStringLiteral("hello"));
}

// Show means seen: a main window minimised, or hidden while minimised, comes back unminimised,
// raised and active, whichever show command brings it.
TEST_F(FloatingIconTest, EveryShowBringsAMinimisedMainWindowBackInFront) {
  MainWindow& main = start_with_icon();
  const std::pair<const char*, std::function<void(FloatingIconWindow&)>> shows[] = {
      {"托盘菜单 显示", [](auto& w) { w.tray_show->trigger(); }},
      {"tray code 2", [](auto& w) { emit w.tray->on_tray_event(2); }},
      {"a double click", [](auto& w) { emit w.图片框1->on_double_click(3, 4, 0); }},
      {"漂浮菜单 显示", [](auto& w) { w.float_show->trigger(); }},
  };
  for (const auto& [name, show] : shows) {
    for (const bool hidden_too : {false, true}) {
      SCOPED_TRACE(std::string(name) + (hidden_too ? ", hidden while minimised" : ", minimised"));
      main.showMinimized();
      if (hidden_too)
        main.hide();
      icon().activateWindow();
      QApplication::processEvents();
      show(icon());
      QApplication::processEvents();
      EXPECT_TRUE(main.isVisible());
      EXPECT_FALSE(main.isMinimized());
      EXPECT_EQ(QApplication::activeWindow(), &main);
    }
  }
}

// Closed by the window manager while the main window is hidden, the floating window was the
// only way back to it: the main window shows again.
TEST_F(FloatingIconTest, ClosedFromOutsideTheIconGivesBackTheHiddenMainWindow) {
  MainWindow& main = start_with_icon();
  EXPECT_FALSE(main.close());
  ASSERT_FALSE(main.isVisible());
  emit icon().on_closed_from_outside();
  EXPECT_TRUE(main.isVisible());
  EXPECT_TRUE(main.外部数据库1.is_open());
}

// The tray may answer while the modal login window waits: showing the main window then would
// count the login as refused.
TEST_F(FloatingIconTest, WhileTheLoginWaitsTheTrayLeavesTheMainWindowAlone) {
  MainWindow& main = start_with_icon();
  main.setVisible(false);
  globals().logged_in = 0;
  emit icon().tray->on_tray_event(2);
  emit icon().tray->on_tray_event(3);
  EXPECT_FALSE(main.isVisible());
  EXPECT_FALSE(icon().menu_tray->isVisible());
  EXPECT_TRUE(main.外部数据库1.is_open());
  globals().logged_in = 1;
}

// However the icon closes (the window manager's close included), float_icon_shown follows it, so
// closing the main window never hides it where nothing could show it again.
TEST_F(FloatingIconTest, TheShownFlagFollowsTheIconWindow) {
  MainWindow& main = start_with_icon();
  // Switched off and on again before the old window is gone: the new one keeps the flag.
  end_floating_icon();
  open_floating_icon_window();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  ASSERT_NE(floating_icon_window(), nullptr);
  EXPECT_EQ(globals().float_icon_shown, 1);

  icon().close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(floating_icon_window(), nullptr);
  EXPECT_EQ(globals().float_icon_shown, 0);
  EXPECT_TRUE(main.close());
  EXPECT_FALSE(main.外部数据库1.is_open());
}

TEST_F(FloatingIconTest, PressingAnywhereDragsTheIcon) {
  start_with_icon();
  const QPoint start = icon().pos();
  QWidget* picture = icon().图片框1;
  const QPointF at(10, 12);
  const QPointF global = picture->mapToGlobal(at);
  QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
  QApplication::sendEvent(picture, &press);
  const QPointF moved_to = global + QPointF(-300, 200);
  QMouseEvent move(QEvent::MouseMove, picture->mapFromGlobal(moved_to), moved_to, Qt::NoButton,
                   Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(picture, &move);
  EXPECT_EQ(icon().pos(), start + QPoint(-300, 200));
}

TEST_F(FloatingIconTest, CodeThreeAndTheRightButtonOpenTheirMenus) {
  MainWindow& main = start_with_icon();
  emit icon().tray->on_tray_event(3);
  EXPECT_TRUE(icon().menu_tray->isVisible());
  icon().menu_tray->hide();
  emit icon().图片框1->on_right_button_down(5, 5, 0);
  EXPECT_TRUE(icon().menu_float->isVisible());
  icon().menu_float->hide();
  EXPECT_TRUE(main.isVisible());
}

TEST_F(FloatingIconTest, AChosenPictureIsShownAndStoredAndACancelChangesNothing) {
  start_with_icon();
  const QString chosen = write_picture(QStringLiteral("datab/选 的.jpg"));
  seam().cancel_file_next();
  icon().float_icon_custom->trigger();
  ASSERT_EQ(seam().dialogs().size(), size_t(1));
  EXPECT_EQ(seam().dialogs().back().initial_dir, program_dir() + QStringLiteral("/ico/"));
  EXPECT_EQ(setting("KNSZ", "FDTB"), QStringLiteral("<absent>"));
  EXPECT_FALSE(icon().图片框1->has_picture());

  seam().choose_file_next(chosen);
  icon().float_icon_custom->trigger();
  EXPECT_EQ(setting("KNSZ", "FDTB"), chosen);
  EXPECT_TRUE(icon().图片框1->has_picture());
}

TEST_F(FloatingIconTest, TheDefaultPictureIsStoredEvenWhenItsFileIsMissing) {
  store("FDTB", write_picture(QStringLiteral("ico/我的 图片.jpg")));
  start_with_icon();
  ASSERT_TRUE(icon().图片框1->has_picture());
  icon().float_icon_default->trigger();
  EXPECT_EQ(setting("KNSZ", "FDTB"), program_dir() + QStringLiteral("/ico/2.jpg"));
  EXPECT_FALSE(icon().图片框1->has_picture());

  write_picture(QStringLiteral("ico/2.jpg"));
  icon().float_icon_default->trigger();
  EXPECT_TRUE(icon().图片框1->has_picture());
}

TEST_F(FloatingIconTest, ExitTakesTheIconAwayBeforeTheFullClose) {
  for (const bool from_tray : {false, true}) {
    SCOPED_TRACE(from_tray ? "托盘菜单 退出" : "漂浮菜单 退出");
    TearDown();
    SetUp();
    MainWindow& main = start_with_icon();
    type_into_editor(QStringLiteral("kept "));
    QPointer<TrayIcon> tray = icon().tray;
    bool icon_gone_at_question = false;
    seam().watch_messages([&](const QString&) {
      icon_gone_at_question = floating_icon_window() == nullptr && (!tray || !tray->is_set()) &&
                              globals().float_icon_shown == 0;
    });
    seam().answer_next(answer_yes);
    (from_tray ? icon().tray_exit : icon().float_exit)->trigger();
    EXPECT_EQ(seam().message_texts(), QStringList{question});
    EXPECT_TRUE(icon_gone_at_question);
    EXPECT_FALSE(main.isVisible());
    EXPECT_FALSE(main.外部数据库1.is_open());
    EXPECT_EQ(setting("FWJL", "WZ"), QStringLiteral("第一篇"));
    EXPECT_TRUE(query_rows(QStringLiteral("select 文章内容 from 文章管理"))
                    .front()
                    .front()
                    .contains(QStringLiteral("kept")));
  }
}

TEST_F(FloatingIconTest, AnExitWhoseCloseFailsLeavesTheMainWindowShown) {
  for (const bool hidden : {true, false}) {
    SCOPED_TRACE(hidden ? "hidden" : "shown");
    TearDown();
    SetUp();
    MainWindow& main = start_with_icon();
    type_into_editor(QStringLiteral("precious "));
    ASSERT_TRUE(
        seed_sql(db(), QStringLiteral("create trigger 写入失败 before update of 修改时间 on "
                                      "文章管理 begin select raise(abort, 'disk full'); end")));
    main.setVisible(!hidden);
    seam().answer_next(answer_yes);
    icon().tray_exit->trigger();
    EXPECT_EQ(seam().message_texts(),
              (QStringList{question, QStringLiteral("保存失败请检查数据库")}));
    EXPECT_EQ(floating_icon_window(), nullptr);
    EXPECT_TRUE(main.isVisible());
    EXPECT_TRUE(main.外部数据库1.is_open());
    EXPECT_TRUE(main.超级编辑框1->toPlainText().contains(QStringLiteral("precious")));
  }
}

}  // namespace
