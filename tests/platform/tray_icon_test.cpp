#include "platform/tray_icon.h"

#include <gtest/gtest.h>

#include <QPointer>

namespace {

TEST(TrayIconTest, ActivationsAreReportedByTheirCodes) {
  EXPECT_EQ(tray_action_code(QSystemTrayIcon::Trigger), 1);
  EXPECT_EQ(tray_action_code(QSystemTrayIcon::DoubleClick), 2);
  EXPECT_EQ(tray_action_code(QSystemTrayIcon::Context), 3);
  EXPECT_EQ(tray_action_code(QSystemTrayIcon::MiddleClick), 0);
  EXPECT_EQ(tray_action_code(QSystemTrayIcon::Unknown), 0);
}

TEST(TrayIconTest, TheIconGoesWithItsOwner) {
  auto* owner = new QObject;
  auto* tray = new TrayIcon(owner);
  tray->set_tray_icon(QIcon(), QStringLiteral("记事本"));
  EXPECT_TRUE(tray->is_set());
  EXPECT_EQ(tray->tip(), QStringLiteral("记事本"));
  tray->remove_tray_icon();
  EXPECT_FALSE(tray->is_set());
  QPointer<TrayIcon> watched = tray;
  delete owner;
  EXPECT_TRUE(watched.isNull());
}

}  // namespace
