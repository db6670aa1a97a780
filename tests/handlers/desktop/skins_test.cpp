#include <gtest/gtest.h>

#include <QApplication>

#include "handlers/desktop/skin_fixture.h"
#include "platform/program_dir.h"
#include "storage/settings_keys.h"
#include "support/file_contents.h"
#include "windows/main_window.h"

namespace {

using SkinsTest = SkinFixture;

TEST_F(SkinsTest, EachBuiltinItemShowsItsSkinAndStoresItsNumberOnly) {
  write_setting(setting::skin_effects, QStringLiteral("1"));
  write_setting(setting::transparency, QStringLiteral("37"));
  MainWindow& main = start_main_window();
  const std::pair<MenuCommand, int> items[] = {{MenuCommand::skin_3, 3},
                                               {MenuCommand::skin_1, 1},
                                               {MenuCommand::skin_4, 4},
                                               {MenuCommand::skin_5, 5},
                                               {MenuCommand::skin_2, 2}};
  for (const auto& [command, n] : items) {
    SCOPED_TRACE(n);
    choose_menu(command);
    EXPECT_EQ(shown_skin(), builtin(n));
    EXPECT_EQ(read_setting(setting::skin), QString::number(n));
    // A skin change makes no effects or alpha call of its own and stores neither.
    EXPECT_TRUE(effects_shown());
    EXPECT_EQ(alpha_of(main), 218);
    EXPECT_EQ(read_setting(setting::skin_effects), QStringLiteral("1"));
    EXPECT_EQ(read_setting(setting::transparency), QStringLiteral("37"));
  }
}

TEST_F(SkinsTest, ChosenSkinIsStoredEvenWhenRefusedAndGivesWayToSkinTwoAtTheNextStart) {
  write_setting(setting::skin, QStringLiteral("4"));
  MainWindow& main = start_main_window();
  // Restore left its title and default extension on the shared dialog.
  main.通用对话框2.title = QStringLiteral("选择");
  main.通用对话框2.default_ext = QStringLiteral("*.ewd");
  main.通用对话框2.file_name = QStringLiteral("旧的.ewd");
  const QString refused = path(QStringLiteral("skin/s/不是 皮肤.she"));
  write_file(refused, "QMenu { color: red; }\n");
  seam().choose_file_next(refused);

  choose_menu(MenuCommand::custom_skin);

  ASSERT_EQ(seam().dialogs().size(), 1u);
  const CommonDialog& shown = seam().dialogs()[0];
  EXPECT_EQ(shown.dialog_type, 0);
  EXPECT_EQ(shown.filter, QStringLiteral("皮肤文件(.she)|*.she"));
  EXPECT_EQ(shown.file_name, QString());
  EXPECT_EQ(shown.initial_dir, program_path(QStringLiteral("skin/s/")));
  EXPECT_EQ(shown.title, QStringLiteral("选择"));
  EXPECT_EQ(shown.default_ext, QStringLiteral("*.ewd"));
  EXPECT_EQ(read_setting(setting::skin), refused);
  EXPECT_EQ(shown_skin(), QString()) << "skin 4 was detached before the refused file";

  start_main_window();
  EXPECT_EQ(shown_skin(), builtin(2));
  EXPECT_EQ(read_setting(setting::skin), QStringLiteral("2"));
}

TEST_F(SkinsTest, ChosenSkinShowsAndComesBackAtTheNextStart) {
  start_main_window();
  const QString chosen = path(QStringLiteral("skin/s/我的 皮肤.she"));
  write_file(chosen, "/* Wrenfold skin: 我的 */\nQMenu { color: #102030; }\n");
  seam().choose_file_next(chosen);
  choose_menu(MenuCommand::custom_skin);
  EXPECT_EQ(shown_skin(), QStringLiteral("/* Wrenfold skin: 我的 */"));
  EXPECT_EQ(read_setting(setting::skin), chosen);

  detach_skin();
  start_main_window();
  EXPECT_EQ(shown_skin(), QStringLiteral("/* Wrenfold skin: 我的 */"));
  EXPECT_EQ(read_setting(setting::skin), chosen);
}

TEST_F(SkinsTest, CancellingTheChosenSkinChangesNothing) {
  write_setting(setting::skin, QStringLiteral("4"));
  start_main_window();
  seam().cancel_file_next();
  choose_menu(MenuCommand::custom_skin);
  EXPECT_EQ(shown_skin(), builtin(4));
  EXPECT_EQ(read_setting(setting::skin), QStringLiteral("4"));
}

TEST_F(SkinsTest, EffectItemsSwitchAndStoreWithoutReadingTheStoredSwitch) {
  write_setting(setting::skin_effects, QStringLiteral("7"));
  start_main_window();
  choose_menu(MenuCommand::effects_on);
  EXPECT_TRUE(effects_shown());
  EXPECT_EQ(read_setting(setting::skin_effects), QStringLiteral("1"));
  choose_menu(MenuCommand::effects_on);
  EXPECT_TRUE(effects_shown());
  choose_menu(MenuCommand::effects_off);
  EXPECT_FALSE(effects_shown());
  EXPECT_EQ(read_setting(setting::skin_effects), QStringLiteral("0"));
  EXPECT_EQ(shown_skin(), builtin(1)) << "effects leave the skin as it is";
}

}  // namespace
