#include <gtest/gtest.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QPushButton>

#include "platform/font_dialog.h"
#include "platform/translations.h"

namespace {

TEST(Translations, QtStandardButtonsSpeakChinese) {
  ASSERT_TRUE(install_qt_translation(*qApp));
  QDialogButtonBox buttons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Yes |
                           QDialogButtonBox::No);
  EXPECT_EQ(buttons.button(QDialogButtonBox::Ok)->text(), QStringLiteral("确定"));
  EXPECT_EQ(buttons.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("取消"));
  EXPECT_TRUE(buttons.button(QDialogButtonBox::Yes)->text().startsWith(QStringLiteral("是")));
  EXPECT_TRUE(buttons.button(QDialogButtonBox::No)->text().startsWith(QStringLiteral("否")));
}

TEST(Translations, TheFontDialogsButtonsSpeakChinese) {
  ASSERT_TRUE(install_qt_translation(*qApp));
  FontDialog fonts;
  EXPECT_EQ(fonts.buttons->button(QDialogButtonBox::Ok)->text(), QStringLiteral("确定"));
  EXPECT_EQ(fonts.buttons->button(QDialogButtonBox::Cancel)->text(), QStringLiteral("取消"));
}

}  // namespace
