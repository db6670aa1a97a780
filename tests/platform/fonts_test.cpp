#include "platform/fonts.h"

#include <gtest/gtest.h>

#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>

TEST(FontNames, InstalledFamiliesAndTheSubstitutedFacesInTheDatabasesOrder) {
  const QStringList names = get_font_names();
  const QStringList installed = QFontDatabase::families();
  ASSERT_FALSE(installed.isEmpty());
  QStringList installed_offered = names;
  installed_offered.removeIf([&](const QString& name) { return !installed.contains(name); });
  EXPECT_EQ(installed_offered, installed) << "every installed family, in the database's order";

  // 宋体 is not installed here; it shows through an installed CJK font, so it is offered.
  ASSERT_TRUE(names.contains(QStringLiteral("宋体")));
  const QFontInfo shown(QFont(QStringLiteral("宋体")));
  EXPECT_TRUE(installed.contains(shown.family())) << shown.family().toStdString();

  QStringList unique = names;
  EXPECT_EQ(unique.removeDuplicates(), 0);
  // Where the database would sort it: after every name before it, case aside.
  const qsizetype at = names.indexOf(QStringLiteral("宋体"));
  for (qsizetype i = 0; i < names.size(); ++i) {
    const int order = names[i].compare(names[at], Qt::CaseInsensitive);
    EXPECT_TRUE(i < at ? order <= 0 : i == at || order > 0) << names[i].toStdString();
  }
}
