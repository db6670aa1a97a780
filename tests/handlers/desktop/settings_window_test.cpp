#include "handlers/desktop/settings_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QTemporaryDir>

#include "platform/program_dir.h"
#include "platform/settings_file.h"
#include "platform/tray_icon.h"
#include "support/captured_stderr.h"
#include "support/file_contents.h"
#include "support/main_window_fixture.h"
#include "support/read_only_path.h"
#include "support/scoped_env.h"
#include "windows/floating_icon_window.h"
#include "windows/globals.h"
#include "windows/main_window.h"
#include "windows/settings_window.h"

namespace {

class SettingsWindowTest : public MainWindowFixture {
 protected:
  void TearDown() override {
    delete floating_icon_window();
    globals().float_icon_shown = 0;
    MainWindowFixture::TearDown();
  }
  void in_settings_window(std::function<void(SettingsWindow&)> act) {
    seam().on_next_modal([act](QWidget* window) { act(*static_cast<SettingsWindow*>(window)); });
    choose_menu(MenuCommand::settings);
  }
  QString setting(const char* key) {
    return read_ini_value(settings_path(), QStringLiteral("KNSZ"), QString::fromLatin1(key),
                          QStringLiteral("<absent>"));
  }
  void store(const char* key, const QString& value) {
    write_ini_value(settings_path(), QStringLiteral("KNSZ"), QString::fromLatin1(key), value);
  }
};

TEST_F(SettingsWindowTest, TheSwitchesShowTheStoredSettings) {
  struct Case {
    const char* bkbc;
    const char* pftb;
    const char* kjqd;
    bool remember_size;
    bool floating_icon;
    bool start_at_logon;
  };
  const std::vector<Case> cases = {
      {"1", nullptr, "2", true, false, false},
      {"0", "1", "1", false, true, true},
      {nullptr, "x", " 1", false, false, true},
  };
  for (const Case& c : cases) {
    TearDown();
    SetUp();
    for (const auto& [key, value] : {std::pair{"BKBC", c.bkbc}, {"PFTB", c.pftb}, {"KJQD", c.kjqd}})
      if (value != nullptr)
        store(key, QString::fromUtf8(value));
    start_main_window();
    globals().float_icon_shown = 0;
    in_settings_window([&c](SettingsWindow& window) {
      EXPECT_EQ(window.windowTitle(), QStringLiteral("设置"));
      EXPECT_EQ(window.选择框1->isChecked(), c.remember_size);
      EXPECT_EQ(window.选择框3->isChecked(), c.floating_icon);
      EXPECT_EQ(window.选择框2->isChecked(), c.start_at_logon);
    });
  }
}

TEST_F(SettingsWindowTest, RememberSizeIsStoredAtTheClick) {
  start_main_window();
  in_settings_window([this](SettingsWindow& window) {
    window.选择框1->click();
    EXPECT_EQ(setting("BKBC"), QStringLiteral("1"));
    window.选择框1->click();
    EXPECT_EQ(setting("BKBC"), QStringLiteral("0"));
  });
}

TEST_F(SettingsWindowTest, StartAtLogonWritesAndRemovesTheAutostartEntry) {
  QTemporaryDir config(QDir::tempPath() + QStringLiteral("/wrenfold 配置-XXXXXX"));
  ASSERT_TRUE(config.isValid());
  ScopedEnv config_home("XDG_CONFIG_HOME", config.path());
  const QString entry = config.path() + QStringLiteral("/autostart/WRNFD.desktop");
  start_main_window();

  in_settings_window([&](SettingsWindow& window) {
    window.选择框2->click();
    EXPECT_EQ(setting("KJQD"), QStringLiteral("1"));
    QFile file(entry);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(QString::fromUtf8(file.readAll())
                    .contains(QStringLiteral("\nExec=\"") + program_dir() + u'/' +
                              get_program_file_name() + QStringLiteral("\"\n")));
  });
  // An entry removed by another program still shows as on while KJQD says so.
  QFile::remove(entry);
  in_settings_window([&](SettingsWindow& window) {
    EXPECT_TRUE(window.选择框2->isChecked());
    window.选择框2->click();
    EXPECT_EQ(setting("KJQD"), QStringLiteral("0"));
    EXPECT_FALSE(QFile::exists(entry));
  });
  EXPECT_TRUE(seam().messages().empty());
}

// An entry that cannot be written or removed is reported, and the switch and KJQD then say
// whether the entry is there.
TEST_F(SettingsWindowTest, AnAutostartEntryThatCannotChangeIsReported) {
  const struct {
    const char* name;
    bool entry_before;
    bool config_home_is_a_file;
    QString message;
  } cases[] = {
      {"written into a read-only folder", false, false, QStringLiteral("设置开机运行失败")},
      {"written under a file", false, true, QStringLiteral("设置开机运行失败")},
      {"removed from a read-only folder", true, false, QStringLiteral("取消开机运行失败")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TearDown();
    SetUp();
    QTemporaryDir home(QDir::tempPath() + QStringLiteral("/wrenfold 配置-XXXXXX"));
    ASSERT_TRUE(home.isValid());
    const QString config = home.filePath(QStringLiteral("配置"));
    ScopedEnv config_home("XDG_CONFIG_HOME", config);
    const QString entry = config + QStringLiteral("/autostart/WRNFD.desktop");
    if (c.config_home_is_a_file)
      write_file(config, {});
    else
      ASSERT_TRUE(QDir().mkpath(config + QStringLiteral("/autostart")));
    if (c.entry_before)
      write_file(entry, {});
    store("KJQD", c.entry_before ? QStringLiteral("1") : QStringLiteral("0"));
    start_main_window();
    CapturedStderr errors;
    {
      ReadOnlyPath read_only(config + (c.config_home_is_a_file ? "" : "/autostart"));
      ASSERT_TRUE(read_only.ok());
      in_settings_window([&](SettingsWindow& window) {
        window.选择框2->click();
        EXPECT_EQ(window.选择框2->isChecked(), c.entry_before);
      });
    }
    EXPECT_EQ(seam().message_texts(), QStringList{c.message});
    EXPECT_EQ(setting("KJQD"), c.entry_before ? QStringLiteral("1") : QStringLiteral("0"));
    EXPECT_EQ(QFile::exists(entry), c.entry_before);
    ASSERT_EQ(errors.lines().size(), 1);
    EXPECT_TRUE(errors.lines().front().contains(QStringLiteral("autostart")))
        << errors.lines().front().toStdString();
  }
}

TEST_F(SettingsWindowTest, TheFloatingIconSwitchShowsAndTakesAwayTheIconAtOnce) {
  MainWindow& main = start_main_window();
  in_settings_window([this](SettingsWindow& window) {
    window.选择框3->click();
    EXPECT_EQ(setting("PFTB"), QStringLiteral("1"));
    EXPECT_EQ(globals().float_icon_shown, 1);
    ASSERT_NE(floating_icon_window(), nullptr);
    EXPECT_TRUE(floating_icon_window()->isVisible());
    QPointer<TrayIcon> tray = floating_icon_window()->tray;
    EXPECT_TRUE(tray->is_set());

    window.选择框3->click();
    EXPECT_EQ(setting("PFTB"), QStringLiteral("0"));
    EXPECT_EQ(globals().float_icon_shown, 0);
    EXPECT_EQ(floating_icon_window(), nullptr);
    EXPECT_TRUE(tray.isNull() || !tray->is_set());

    // Ticked again, a new icon comes up.
    window.选择框3->click();
    ASSERT_NE(floating_icon_window(), nullptr);
    EXPECT_TRUE(floating_icon_window()->tray->is_set());
  });
  // Closing the main window now only hides it.
  EXPECT_FALSE(main.close());
  EXPECT_FALSE(main.isVisible());
}

TEST_F(SettingsWindowTest, EscClosesTheWindowAndKeepsWhatWasClicked) {
  start_main_window();
  QPointer<SettingsWindow> shown;
  bool open_after_other_key = false;
  in_settings_window([&](SettingsWindow& window) {
    shown = &window;
    window.选择框1->click();
    QKeyEvent other(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    QApplication::sendEvent(&window, &other);
    open_after_other_key = window.isVisible();
    // The key goes up to the window from the box that has the focus.
    window.编辑框3->setFocus();
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(window.编辑框3, &escape);
    EXPECT_FALSE(window.isVisible());
  });
  EXPECT_TRUE(open_after_other_key);
  EXPECT_EQ(setting("BKBC"), QStringLiteral("1"));
}

}  // namespace
