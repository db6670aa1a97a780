#include "platform/skin_library.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMenu>
#include <QTemporaryDir>
#include <QWidget>

#include <cmath>

#include "platform/skin_palette.h"
#include "support/captured_stderr.h"
#include "support/file_contents.h"
#include "support/non_regular_files.h"

namespace {

int alpha_of(const QWidget& window) {
  return int(std::lround(window.windowOpacity() * 255));
}

class SkinLibraryTest : public ::testing::Test {
 protected:
  void TearDown() override {
    detach_skin();
    set_skin_effects(0);
    set_menu_alpha(255);
  }

  // A file in a folder whose path holds blanks and Chinese characters.
  QString write(const QString& name, const QByteArray& bytes) {
    const QString path = dir.filePath(QStringLiteral("皮肤 文件/") + name);
    write_file(path, bytes);
    return path;
  }

  QTemporaryDir dir;
};

TEST_F(SkinLibraryTest, AttachesOnlyAReadableSkinOfThisProgramAndARefusalKeepsTheSkin) {
  const QByteArray current = "/* Wrenfold skin: 当前 */\nQMenu { color: #123456; }\n";
  const QString current_file = write(QStringLiteral("当前.she"), current);
  struct Case {
    const char* what;
    QString file;
    int result;
  };
  const Case cases[] = {
      {"missing", dir.filePath(QStringLiteral("无.she")), skin_unreadable},
      {"empty path", QString(), skin_unreadable},
      {"folder", dir.path(), skin_unreadable},
      {"plain style sheet", write(QStringLiteral("a.she"), "QMenu { color: red; }\n"),
       skin_not_ours},
      {"marker not first", write(QStringLiteral("b.she"), "\n/* Wrenfold skin */\n"),
       skin_not_ours},
      {"too large",
       write(QStringLiteral("c.she"), "/* Wrenfold skin */\n" + QByteArray(1 << 20, ' ')),
       skin_unreadable},
      // Neither may be opened for reading: the one waits for a writer, the other never ends.
      {"FIFO", make_fifo(dir.filePath(QStringLiteral("管道.she"))), skin_unreadable},
      {"link to an endless device",
       make_link(dir.filePath(QStringLiteral("零.she")), QStringLiteral("/dev/zero")),
       skin_unreadable},
      {"with byte order mark", write(QStringLiteral("d.she"), "\xEF\xBB\xBF/* Wrenfold skin */\n"),
       skin_attached},
      {"marker only", write(QStringLiteral("e.she"), "/* Wrenfold skin"), skin_attached},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_EQ(attach_skin(current_file), skin_attached);
    const CapturedStderr captured;
    EXPECT_EQ(attach_skin(c.file), c.result);
    const QStringList lines = captured.lines();
    if (c.result == skin_attached) {
      EXPECT_TRUE(lines.isEmpty());
    } else {
      EXPECT_EQ(qApp->styleSheet(), QString::fromUtf8(current));
      ASSERT_EQ(lines.size(), 1);
      EXPECT_TRUE(lines[0].startsWith(QStringLiteral("wrenfold: ")) &&
                  lines[0].contains(u'"' + c.file + u'"'))
          << lines[0].toStdString();
    }
  }
  detach_skin();
  EXPECT_EQ(qApp->styleSheet(), QString());
}

TEST_F(SkinLibraryTest, EffectsShowOnlyWhileOnAndOutlastSkinChanges) {
  const QString first = write(QStringLiteral("1.she"),
                              "/* Wrenfold skin 1 */\nQMenu { color: #111111; }\n"
                              "/* Wrenfold effects */\nQMenu { border: 1px solid #222222; }\n");
  const QString second = write(QStringLiteral("2.she"),
                               "/* Wrenfold skin 2 */\nQMenu { color: #333333; }\n"
                               "/* Wrenfold effects */\nQMenu { border: 1px solid #444444; }\n");
  ASSERT_EQ(attach_skin(first), skin_attached);
  EXPECT_FALSE(qApp->styleSheet().contains(QStringLiteral("#222222")));
  set_skin_effects(1);
  EXPECT_TRUE(qApp->styleSheet().contains(QStringLiteral("#222222")));
  ASSERT_EQ(attach_skin(second), skin_attached);
  EXPECT_TRUE(qApp->styleSheet().startsWith(QStringLiteral("/* Wrenfold skin 2 */")));
  EXPECT_TRUE(qApp->styleSheet().contains(QStringLiteral("#444444")));
  EXPECT_FALSE(qApp->styleSheet().contains(QStringLiteral("#222222")));
  // Anything but 1 switches them off, as the stored switch does.
  set_skin_effects(2);
  EXPECT_FALSE(qApp->styleSheet().contains(QStringLiteral("#444444")));
  EXPECT_TRUE(qApp->styleSheet().contains(QStringLiteral("#333333")));
}

TEST_F(SkinLibraryTest, SkinPaletteColoursTheProgramAndDetachingRestoresThePlatformOne) {
  const QPalette platform = QApplication::palette();
  const QString file = write(QStringLiteral("调色.she"),
                             "/* Wrenfold skin */\nSkinPalette { window: #102030; "
                             "window-text: #d0e0f0; disabled-window-text: #708090; }\n");
  ASSERT_EQ(attach_skin(file), skin_attached);
  const QPalette skinned = QApplication::palette();
  EXPECT_EQ(skinned.color(QPalette::Active, QPalette::Window), QColor(0x10, 0x20, 0x30));
  EXPECT_EQ(skinned.color(QPalette::Inactive, QPalette::WindowText), QColor(0xD0, 0xE0, 0xF0));
  EXPECT_EQ(skinned.color(QPalette::Disabled, QPalette::WindowText), QColor(0x70, 0x80, 0x90));
  EXPECT_EQ(skinned.color(QPalette::Base), platform.color(QPalette::Base));
  detach_skin();
  EXPECT_EQ(QApplication::palette(), platform);
}

TEST_F(SkinLibraryTest, WindowAlphaBecomesOpacityWithinItsRange) {
  QWidget window;
  const std::pair<int, int> cases[] = {{255, 255}, {218, 218}, {55, 55},
                                       {0, 0},     {300, 255}, {-45, 0}};
  for (const auto& [alpha, shown] : cases) {
    set_window_alpha(&window, alpha);
    EXPECT_EQ(alpha_of(window), shown) << alpha;
  }
}

TEST_F(SkinLibraryTest, MenuAlphaReachesMenusOpenNowAndMenusShownLater) {
  QMenu open_menu;
  open_menu.addAction(QStringLiteral("保存"));
  open_menu.show();
  set_menu_alpha(128);
  EXPECT_EQ(alpha_of(open_menu), 128);
  QMenu later_menu;
  later_menu.addAction(QStringLiteral("复制"));
  later_menu.show();
  EXPECT_EQ(alpha_of(later_menu), 128);
  later_menu.hide();
  set_menu_alpha(255);
  later_menu.show();
  EXPECT_EQ(alpha_of(later_menu), 255);
  EXPECT_EQ(alpha_of(open_menu), 255);
}

TEST(SkinPalette, LaysTheRuleOverThePlatformPalette) {
  QPalette platform;
  platform.setColor(QPalette::All, QPalette::Base, QColor(0x11, 0x11, 0x11));
  platform.setColor(QPalette::All, QPalette::Text, QColor(0x22, 0x22, 0x22));
  struct Case {
    const char* what;
    const char* sheet;
    QColor active_text;
    QColor disabled_text;
  };
  const QColor unchanged(0x22, 0x22, 0x22);
  const Case cases[] = {
      {"no rule", "QMenu { color: #abcdef; }", unchanged, unchanged},
      {"every group", "SkinPalette { text: #010203; }", QColor(1, 2, 3), QColor(1, 2, 3)},
      {"disabled first", "SkinPalette{disabled-text:#0a0b0c;text:#010203}", QColor(1, 2, 3),
       QColor(10, 11, 12)},
      {"in a comment", "/* SkinPalette { text: #010203; } */", unchanged, unchanged},
      {"another selector", "QSkinPalette { text: #010203; }", unchanged, unchanged},
      {"bad colour and role", "SkinPalette { text: nonsense; colour: #010203; }", unchanged,
       unchanged},
      {"after other rules", "QMenu { color: red; }\nSkinPalette { text: teal; }",
       QColor(0, 0x80, 0x80), QColor(0, 0x80, 0x80)},
  };
  for (const Case& c : cases) {
    const QPalette palette = skin_palette(QString::fromUtf8(c.sheet), platform);
    EXPECT_EQ(palette.color(QPalette::Active, QPalette::Text), c.active_text) << c.what;
    EXPECT_EQ(palette.color(QPalette::Disabled, QPalette::Text), c.disabled_text) << c.what;
    EXPECT_EQ(palette.color(QPalette::Base), QColor(0x11, 0x11, 0x11)) << c.what;
  }
}

}  // namespace
