#include "handlers/access/login_gate.h"

#include <gtest/gtest.h>

#include <QPointer>
#include <QStyle>

#include "handlers/access/login_fixture.h"
#include "platform/controls/combo_box.h"
#include "platform/controls/edit_box.h"
#include "platform/controls/picture_button.h"
#include "platform/controls/report_list.h"
#include "platform/rich_editor.h"
#include "platform/settings_file.h"
#include "platform/tray_icon.h"
#include "support/captured_stderr.h"
#include "windows/floating_icon_window.h"
#include "windows/globals.h"
#include "windows/login_window.h"
#include "windows/main_window.h"

namespace {

const QString category = QStringLiteral("Tom's \"日记\"");
const QString title = QStringLiteral("第 一篇");
const QString password = QStringLiteral("Mi'ma 密码");
const QString wrong = QStringLiteral("密码错误");

// Counts the times a window is shown on screen.
class ShowCounter : public QObject {
 public:
  int shows = 0;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Show)
      ++shows;
    return QObject::eventFilter(watched, event);
  }
};

class LoginGateTest : public LoginFixture {
 protected:
  void SetUp() override {
    LoginFixture::SetUp();
    seed_category(category, QStringLiteral("1"));
    seed_article(category, QStringLiteral("1"), title, QStringLiteral("{\\rtf1\\ansi hello}"));
    write_ini_value(settings_path(), QStringLiteral("FWJL"), QStringLiteral("FL"), category);
    write_ini_value(settings_path(), QStringLiteral("FWJL"), QStringLiteral("WZ"), title);
    write_ini_value(settings_path(), QStringLiteral("FWJL"), QStringLiteral("ZB"),
                    QStringLiteral("3"));
    set_login_rows({{QStringLiteral("真"), password}});
    shows.shows = 0;
  }

  // The login window's script: acts on it as the user would, then records what it left.
  void on_login(std::function<void(LoginWindow&)> act) {
    seam().on_modal(QStringLiteral("LoginWindow"), [this, act](QWidget* window) {
      auto* login = static_cast<LoginWindow*>(window);
      act(*login);
      login_still_open = login->isVisible();
    });
  }
  MainWindow& start_counting_shows() {
    return start_main_window([this](MainWindow& main) { main.installEventFilter(&shows); });
  }
  QString setting(const char* section, const char* key) {
    return read_ini_value(settings_path(), QString::fromLatin1(section), QString::fromLatin1(key),
                          QStringLiteral("<absent>"));
  }

  ShowCounter shows;
  bool login_still_open = false;
};

TEST_F(LoginGateTest, TheRightPasswordOpensTheMainWindowWithTheLastArticle) {
  struct Way {
    const char* name;
    std::function<void(LoginWindow&)> confirm;
  };
  const std::vector<Way> ways = {
      {"Enter in the box", [](LoginWindow& w) { press_key(w.编辑框1, Qt::Key_Return, "\r"); }},
      {"the 登陆 button", [](LoginWindow& w) { w.登陆图形按钮->click(); }},
  };
  for (const Way& way : ways) {
    SCOPED_TRACE(way.name);
    TearDown();
    SetUp();
    on_login([&way](LoginWindow& login) {
      EXPECT_EQ(globals().logged_in, 0);
      EXPECT_EQ(login.windowTitle(), QStringLiteral("软件登陆"));
      EXPECT_EQ(login.编辑框1->echoMode(), QLineEdit::Password);
      EXPECT_EQ(login.编辑框1->maxLength(), 100);
      // Every character shows as '*'.
      EXPECT_EQ(login.编辑框1->style()->styleHint(QStyle::SH_LineEdit_PasswordCharacter, nullptr,
                                                  login.编辑框1),
                '*');
      type_text(login.编辑框1, password);
      way.confirm(login);
    });
    MainWindow& main = start_counting_shows();
    EXPECT_EQ(seam().modal_windows(), QStringList{QStringLiteral("LoginWindow")});
    EXPECT_FALSE(login_still_open);
    EXPECT_TRUE(seam().messages().empty());
    EXPECT_EQ(globals().logged_in, 1);
    EXPECT_TRUE(main.isVisible());
    EXPECT_EQ(shows.shows, 1);
    EXPECT_EQ(main.超级列表框1->current_row(), 0);
    EXPECT_EQ(main.超级编辑框1->toPlainText(), QStringLiteral("hello"));
    EXPECT_FALSE(main.超级编辑框1->modified());
  }
}

TEST_F(LoginGateTest, AnyOtherPasswordIsRefusedAsOftenAsTried) {
  const QStringList refused = {QStringLiteral("mi'ma 密码"), password + QStringLiteral(" "),
                               QString(), QStringLiteral("Mi'ma"), QStringLiteral("Mi'ma 密码码")};
  on_login([&](LoginWindow& login) {
    for (const QString& typed : refused) {
      type_text(login.编辑框1, typed);
      press_key(login.编辑框1, Qt::Key_Return, "\r");
      EXPECT_TRUE(login.isVisible()) << typed.toStdString();
      EXPECT_EQ(login.编辑框1->text(), typed);
    }
    // Esc is no way out of the login.
    press_key(login.编辑框1, Qt::Key_Escape);
    EXPECT_TRUE(login.isVisible());
    type_text(login.编辑框1, password);
    press_key(login.编辑框1, Qt::Key_Return, "\r");
  });
  start_main_window();
  // One message for each Enter: the check runs once per press.
  ASSERT_EQ(seam().messages().size(), size_t(refused.size()));
  for (const ShownMessage& message : seam().messages()) {
    EXPECT_EQ(message.text, wrong);
    EXPECT_EQ(message.buttons, buttons_ok);
    EXPECT_EQ(message.title, QString());
  }
  EXPECT_EQ(globals().logged_in, 1);
  EXPECT_FALSE(login_still_open);
}

TEST_F(LoginGateTest, ALoginLeftWithoutThePasswordEndsTheProgramUnseen) {
  struct Way {
    const char* name;
    std::function<void(LoginWindow&)> leave;
  };
  const std::vector<Way> ways = {
      {"the 取消 button", [](LoginWindow& w) { w.图形按钮2->click(); }},
      {"the close box", [](LoginWindow& w) { w.close(); }},
  };
  for (const Way& way : ways) {
    SCOPED_TRACE(way.name);
    TearDown();
    SetUp();
    write_ini_value(settings_path(), QStringLiteral("KNSZ"), QStringLiteral("BKBC"),
                    QStringLiteral("1"));
    on_login([&way](LoginWindow& login) {
      type_text(login.编辑框1, password + QStringLiteral("x"));
      way.leave(login);
    });
    MainWindow& main = start_counting_shows();
    EXPECT_FALSE(login_still_open);
    EXPECT_EQ(globals().logged_in, 0);
    EXPECT_EQ(shows.shows, 0) << "the main window was shown";
    EXPECT_FALSE(main.isVisible());
    EXPECT_FALSE(main.外部数据库1.is_open());
    EXPECT_TRUE(seam().messages().empty());
    // The chain ran on behind the login, so the close stores the restored place.
    EXPECT_EQ(setting("FWJL", "FL"), category);
    EXPECT_EQ(setting("FWJL", "WZ"), title);
    EXPECT_EQ(setting("FWJL", "ZB"), QStringLiteral("3"));
    EXPECT_EQ(setting("BKKG", "KD"), QString::number(main.width()));
    EXPECT_EQ(setting("BKKG", "GD"), QString::number(main.height()));
  }
}

TEST_F(LoginGateTest, ARefusedLoginTakesTheFloatingIconAwayFirst) {
  write_ini_value(settings_path(), QStringLiteral("KNSZ"), QStringLiteral("PFTB"),
                  QStringLiteral("1"));
  bool icon_up_at_login = false;
  QPointer<TrayIcon> tray;
  on_login([&](LoginWindow& login) {
    icon_up_at_login = floating_icon_window() != nullptr && floating_icon_window()->isVisible();
    if (icon_up_at_login)
      tray = floating_icon_window()->tray;
    login.图形按钮2->click();
  });
  MainWindow& main = start_counting_shows();
  EXPECT_TRUE(icon_up_at_login);
  EXPECT_EQ(floating_icon_window(), nullptr);
  EXPECT_TRUE(tray.isNull() || !tray->is_set());
  EXPECT_EQ(globals().float_icon_shown, 0);
  // The close was not turned into hiding: it stored the place and closed the database.
  EXPECT_EQ(shows.shows, 0);
  EXPECT_FALSE(main.外部数据库1.is_open());
  EXPECT_EQ(setting("FWJL", "WZ"), title);
}

TEST_F(LoginGateTest, AnEmptyStoredPasswordIsMatchedByAnEmptyBox) {
  set_login_rows({{QStringLiteral("真"), QString()}});
  on_login([](LoginWindow& login) { press_key(login.编辑框1, Qt::Key_Return, "\r"); });
  MainWindow& main = start_main_window();
  EXPECT_TRUE(seam().messages().empty());
  EXPECT_EQ(globals().logged_in, 1);
  EXPECT_TRUE(main.isVisible());
}

TEST_F(LoginGateTest, OnlyTheFirstRowDecides) {
  struct Case {
    const char* name;
    std::vector<std::pair<QString, QString>> rows;
    bool asks;
  };
  const std::vector<Case> cases = {
      {"first row on", {{"真", "first"}, {"假", "second"}}, true},
      {"first row off", {{"假", "first"}, {"真", "second"}}, false},
      {"a blank after 真 is off", {{"真 ", "first"}}, false},
      {"no row", {}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TearDown();
    SetUp();
    set_login_rows(c.rows);
    on_login([](LoginWindow& login) {
      type_text(login.编辑框1, QStringLiteral("second"));
      press_key(login.编辑框1, Qt::Key_Return, "\r");
      type_text(login.编辑框1, QStringLiteral("first"));
      press_key(login.编辑框1, Qt::Key_Return, "\r");
    });
    MainWindow& main = start_main_window();
    EXPECT_EQ(seam().modal_windows().size(), c.asks ? 1 : 0);
    EXPECT_EQ(seam().message_texts(), c.asks ? QStringList{wrong} : QStringList{});
    EXPECT_EQ(globals().logged_in, 1);
    EXPECT_TRUE(main.isVisible());
  }
}

// A switch that cannot be read as text never opens a guarded notebook: a stored password is asked
// for, and only without one does the notebook open.
TEST_F(LoginGateTest, AnUnreadableSwitchAsksWhileAPasswordIsStored) {
  struct Case {
    const char* name;
    const char* switch_value;
    const char* password_value;
    bool asks;
  };
  const std::vector<Case> cases = {
      {"a blob switch", "x'E79C9F'", "'pw'", true},
      {"a blob password", "x'00'", "x'7077'", true},
      {"an empty password", "x'E79C9F'", "''", false},
      {"no password", "x'E79C9F'", "null", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TearDown();
    SetUp();
    ASSERT_TRUE(seed_sql(db(), QStringLiteral("update 用户管理 set 开启登陆=%1, 用户密码=%2")
                                   .arg(QString::fromLatin1(c.switch_value),
                                        QString::fromLatin1(c.password_value))));
    on_login([](LoginWindow& login) {
      type_text(login.编辑框1, QStringLiteral("pw"));
      login.图形按钮2->click();
    });
    CapturedStderr errors;
    start_counting_shows();
    EXPECT_EQ(seam().modal_windows().size(), c.asks ? 1 : 0);
    EXPECT_EQ(globals().logged_in, c.asks ? 0 : 1);
    EXPECT_EQ(shows.shows, c.asks ? 0 : 1);
    EXPECT_TRUE(seam().messages().empty()) << seam().message_texts().join(u'|').toStdString();
    EXPECT_EQ(errors.lines().filter(QStringLiteral("开启登陆")).size(), 1)
        << errors.lines().join(u'\n').toStdString();
  }
}

}  // namespace
