#include <gtest/gtest.h>

#include <QMenu>
#include <QSlider>

#include "handlers/desktop/skin_fixture.h"
#include "platform/settings_file.h"
#include "storage/settings_keys.h"
#include "windows/main_window.h"
#include "windows/transparency_window.h"

namespace {

using TransparencyTest = SkinFixture;

// The alpha a menu of the main window shows with.
int menu_alpha(MainWindow& main) {
  main.menu_record->show();
  const int alpha = alpha_of(*main.menu_record);
  main.menu_record->hide();
  return alpha;
}

TEST_F(TransparencyTest, SliderSetsWindowAndMenuAlphaAndStoresItsPosition) {
  write_setting(setting::transparency, QStringLiteral("120"));
  MainWindow& main = start_main_window();
  seam().on_next_modal([&](QWidget* shown) {
    auto* window = qobject_cast<TransparencyWindow*>(shown);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->多功能条1->value(), 120);
    const std::pair<int, int> moves[] = {{0, 255}, {200, 55}, {37, 218}};
    for (const auto& [position, alpha] : moves) {
      window->多功能条1->setValue(position);
      EXPECT_EQ(alpha_of(main), alpha) << position;
      EXPECT_EQ(menu_alpha(main), alpha) << position;
      EXPECT_EQ(read_setting(setting::transparency), QString::number(position));
    }
  });
  choose_menu(MenuCommand::transparency);
  EXPECT_EQ(seam().modal_windows(), QStringList{QStringLiteral("TransparencyWindow")});
  EXPECT_EQ(read_setting(setting::transparency), QStringLiteral("37"));
  EXPECT_EQ(alpha_of(main), 218);
}

TEST_F(TransparencyTest, SliderOpensAtTheStoredPositionWithinItsRangeWithoutStoringIt) {
  struct Case {
    const char* stored;
    int position;
  };
  const Case cases[] = {{nullptr, 0}, {"37", 37}, {"255", 200}, {"-20", 0}, {"透明", 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stored ? c.stored : "missing");
    QFile::remove(settings_path());
    if (c.stored != nullptr)
      write_setting(setting::transparency, QString::fromUtf8(c.stored));
    start_main_window();
    int shown_position = -1;
    seam().on_next_modal([&](QWidget* shown) {
      shown_position = qobject_cast<TransparencyWindow*>(shown)->多功能条1->value();
    });
    choose_menu(MenuCommand::transparency);
    EXPECT_EQ(shown_position, c.position);
    EXPECT_EQ(read_ini_value(settings_path(), QStringLiteral("PFSZ"), QStringLiteral("TM"),
                             QStringLiteral("missing")),
              QString::fromUtf8(c.stored ? c.stored : "missing"));
  }
}

}  // namespace
