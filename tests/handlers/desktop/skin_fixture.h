#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QWidget>

#include <cmath>

#include "platform/skin_library.h"
#include "support/main_window_fixture.h"

// The alpha a window is drawn with, 255 opaque.
inline int alpha_of(const QWidget& window) {
  return int(std::lround(window.windowOpacity() * 255));
}

// A program directory with the built-in skins in its skin folder. Afterwards the skin library is
// as a fresh program finds it: no skin, effects off, opaque menus.
class SkinFixture : public MainWindowFixture {
 protected:
  void SetUp() override {
    MainWindowFixture::SetUp();
    for (int n = 1; n <= 5; ++n)
      ASSERT_TRUE(QFile::copy(builtin_source(n), path(QStringLiteral("skin/%1.she").arg(n))));
  }

  void TearDown() override {
    MainWindowFixture::TearDown();
    detach_skin();
    set_skin_effects(0);
    set_menu_alpha(255);
  }

  static QString builtin_source(int n) {
    return QStringLiteral(WRENFOLD_SKIN_SOURCE_DIR "/%1.she").arg(n);
  }

  // The first line of a skin file, which names it.
  static QString first_line(const QString& file) {
    QFile skin(file);
    if (!skin.open(QIODevice::ReadOnly))
      return QStringLiteral("(unreadable %1)").arg(file);
    return QString::fromUtf8(skin.readLine()).trimmed();
  }

  // The first line of the skin on show, "" while there is none.
  static QString shown_skin() { return qApp->styleSheet().section(u'\n', 0, 0).trimmed(); }
  static QString builtin(int n) { return first_line(builtin_source(n)); }
  static bool effects_shown() {
    return qApp->styleSheet().contains(QLatin1String(skin_effects_marker));
  }
};
