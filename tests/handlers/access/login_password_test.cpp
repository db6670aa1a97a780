#include "handlers/access/login_password.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>

#include "handlers/access/login_fixture.h"
#include "platform/controls/edit_box.h"
#include "platform/controls/picture_button.h"
#include "windows/globals.h"
#include "windows/login_window.h"
#include "windows/main_window.h"
#include "windows/settings_window.h"

namespace {

// The rows are set once the program runs, so the login at start-up does not ask.
class LoginPasswordTest : public LoginFixture {
 public:
  // Makes every update of 用户管理 fail while reads still work.
  void refuse_login_updates() {
    ASSERT_TRUE(seed_sql(db(), QStringLiteral("create trigger 拒绝 before update on 用户管理 "
                                              "begin select raise(abort, 'refused'); end")));
  }
  void remove_login_rows() { set_login_rows({}); }

 protected:
  // Opens 功能设置 with the script acting on the settings window.
  void in_settings_window(std::function<void(SettingsWindow&)> act) {
    seam().on_next_modal([act](QWidget* window) { act(*static_cast<SettingsWindow*>(window)); });
    choose_menu(MenuCommand::settings);
  }
  static bool password_controls_enabled(SettingsWindow& window) {
    EXPECT_EQ(window.编辑框1->isEnabled(), window.图形按钮1->isEnabled());
    return window.编辑框1->isEnabled();
  }
};

TEST_F(LoginPasswordTest, TheWindowShowsTheFirstRowWithThePasswordMasked) {
  struct Case {
    const char* on;
    bool shown_on;
  };
  for (const Case& c : {Case{"真", true}, Case{"假", false}, Case{"真 ", false}, Case{"", false}}) {
    SCOPED_TRACE(c.on);
    TearDown();
    SetUp();
    start_main_window();
    set_login_rows({{QString::fromUtf8(c.on), QStringLiteral("密码1")},
                    {QStringLiteral("真"), QStringLiteral("other")}});
    in_settings_window([&c](SettingsWindow& window) {
      EXPECT_EQ(window.开启密码功能选择框->isChecked(), c.shown_on);
      EXPECT_EQ(password_controls_enabled(window), c.shown_on);
      EXPECT_EQ(window.编辑框1->text(), QStringLiteral("密码1"));
      EXPECT_EQ(window.编辑框1->echoMode(), QLineEdit::Password);
    });
  }
}

// The window shows the login as the start-up gate will treat it.
TEST_F(LoginPasswordTest, AnUnreadableSwitchShowsOnWhileAPasswordIsStored) {
  for (const bool stored : {true, false}) {
    SCOPED_TRACE(stored);
    TearDown();
    SetUp();
    start_main_window();
    set_login_rows({{QStringLiteral("真"), stored ? QStringLiteral("pw") : QString()}});
    ASSERT_TRUE(seed_sql(db(), QStringLiteral("update 用户管理 set 开启登陆=x'E79C9F'")));
    in_settings_window([stored](SettingsWindow& window) {
      EXPECT_EQ(window.开启密码功能选择框->isChecked(), stored);
      EXPECT_EQ(password_controls_enabled(window), stored);
    });
    EXPECT_TRUE(seam().messages().empty());
  }
}

TEST_F(LoginPasswordTest, TheSetButtonStoresTheBoxIntoEveryRowAsTyped) {
  start_main_window();
  set_login_rows({{QStringLiteral("真"), QStringLiteral("old")},
                  {QStringLiteral("假"), QStringLiteral("older")}});
  for (const QString& typed : {QStringLiteral("new' pw 新"), QString()}) {
    in_settings_window([&typed](SettingsWindow& window) {
      type_text(window.编辑框1, typed);
      window.图形按钮1->click();
    });
    const std::vector<QStringList> expected = {{QStringLiteral("真"), typed},
                                               {QStringLiteral("假"), typed}};
    EXPECT_EQ(login_rows(), expected);
  }
  EXPECT_EQ(seam().message_texts(),
            (QStringList{QStringLiteral("密码设置成功"), QStringLiteral("密码设置成功")}));
  EXPECT_EQ(seam().messages().front().title, QString());
}

// What the settings window reports as stored is what the login at the next start takes; a
// password longer than the login box takes is refused, not cut.
TEST_F(LoginPasswordTest, AStoredPasswordIsTheOneTheLoginTakes) {
  const QString longest(longest_login_password, u'密');
  const struct {
    const char* name;
    QString typed;
    QString stored;
    QString message;
  } cases[] = {
      {"thirty characters", QStringLiteral("abcdefghij0123456789ABCDEFGHIJ"),
       QStringLiteral("abcdefghij0123456789ABCDEFGHIJ"), QStringLiteral("密码设置成功")},
      {"the longest", longest, longest, QStringLiteral("密码设置成功")},
      {"one too long", longest + u'x', QStringLiteral("old"),
       QStringLiteral("密码不能超过100个字符")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TearDown();
    SetUp();
    start_main_window();
    set_login_rows({{QStringLiteral("真"), QStringLiteral("old")}});
    in_settings_window([&c](SettingsWindow& window) {
      type_text(window.编辑框1, c.typed);
      window.图形按钮1->click();
      EXPECT_EQ(window.编辑框1->text(), c.typed);
    });
    EXPECT_EQ(seam().message_texts(), QStringList{c.message});
    EXPECT_EQ(login_rows(), (std::vector<QStringList>{{QStringLiteral("真"), c.stored}}));

    seam().clear_records();
    seam().on_modal(QStringLiteral("LoginWindow"), [&c](QWidget* login) {
      EditBox* box = static_cast<LoginWindow*>(login)->编辑框1;
      type_text(box, c.stored);
      EXPECT_EQ(box->text(), c.stored);
      press_key(box, Qt::Key_Return, "\r");
    });
    start_main_window();
    EXPECT_EQ(seam().modal_windows(), QStringList{QStringLiteral("LoginWindow")});
    EXPECT_TRUE(seam().messages().empty()) << seam().message_texts().join(u'|').toStdString();
    EXPECT_EQ(globals().logged_in, 1);
  }
}

TEST_F(LoginPasswordTest, AFailedOrEmptyStoreIsReportedAndChangesNothing) {
  struct Case {
    const char* name;
    std::function<void(LoginPasswordTest&)> spoil;
    std::vector<QStringList> left;
  };
  const std::vector<Case> cases = {
      {"update refused",
       [](LoginPasswordTest& t) { t.refuse_login_updates(); },
       {{QStringLiteral("真"), QStringLiteral("old")}}},
      {"no row to store into", [](LoginPasswordTest& t) { t.remove_login_rows(); }, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TearDown();
    SetUp();
    start_main_window();
    set_login_rows({{QStringLiteral("真"), QStringLiteral("old")}});
    in_settings_window([this, &c](SettingsWindow& window) {
      c.spoil(*this);
      type_text(window.编辑框1, QStringLiteral("new"));
      window.图形按钮1->click();
    });
    EXPECT_EQ(seam().message_texts(), QStringList{QStringLiteral("密码设置失败")});
    EXPECT_EQ(login_rows(), c.left);
  }
}

TEST_F(LoginPasswordTest, TheSwitchStoresEveryRowAndEnablesThePasswordControls) {
  set_login_rows({{QStringLiteral("假"), QStringLiteral("pw")},
                  {QStringLiteral("假"), QStringLiteral("pw2")}});
  start_main_window();
  in_settings_window([this](SettingsWindow& window) {
    window.开启密码功能选择框->click();
    EXPECT_TRUE(password_controls_enabled(window));
    EXPECT_EQ(login_rows(),
              (std::vector<QStringList>{{QStringLiteral("真"), QStringLiteral("pw")},
                                        {QStringLiteral("真"), QStringLiteral("pw2")}}));
    window.开启密码功能选择框->click();
    EXPECT_FALSE(password_controls_enabled(window));
    EXPECT_EQ(login_rows().back().front(), QStringLiteral("假"));
  });
  EXPECT_TRUE(seam().messages().empty());
}

TEST_F(LoginPasswordTest, AFailedSwitchPutsTheBoxBackAndLeavesTheControls) {
  for (const char* on : {"假", "真"}) {
    SCOPED_TRACE(on);
    TearDown();
    SetUp();
    start_main_window();
    set_login_rows({{QString::fromUtf8(on), QStringLiteral("pw")}});
    refuse_login_updates();
    const bool was_on = QString::fromUtf8(on) == QStringLiteral("真");
    in_settings_window([was_on](SettingsWindow& window) {
      window.开启密码功能选择框->click();
      EXPECT_EQ(window.开启密码功能选择框->isChecked(), was_on);
      EXPECT_EQ(password_controls_enabled(window), was_on);
    });
    EXPECT_EQ(seam().message_texts(), QStringList{was_on ? QStringLiteral("关闭密码功能失败")
                                                         : QStringLiteral("开启密码功能失败")});
    EXPECT_EQ(login_rows().front().front(), QString::fromUtf8(on));
  }
}

}  // namespace
