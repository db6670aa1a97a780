#include <gtest/gtest.h>

#include <QFile>
#include <QMenu>

#include "handlers/desktop/skin_fixture.h"
#include "platform/settings_file.h"
#include "storage/settings_keys.h"
#include "support/captured_stderr.h"
#include "support/non_regular_files.h"
#include "windows/main_window.h"

namespace {

using SavedAppearanceTest = SkinFixture;

QString stored(const QString& settings, const char* key) {
  return read_ini_value(settings, QStringLiteral("PFSZ"), QString::fromLatin1(key),
                        QStringLiteral("missing"));
}

TEST_F(SavedAppearanceTest, StoredSkinComesBackAndAStoredFileThatFailsGivesWayToSkinTwo) {
  struct Case {
    const char* pf;
    int shown;
    const char* stored_after;
  };
  const Case cases[] = {
      {nullptr, 1, "missing"},
      {"3", 3, "3"},
      // Two bytes: a path, which does not attach.
      {"12", 2, "2"},
      {"", 2, "2"},
      {"红", 2, "2"},
      // One byte without a built-in file: attached untested, with no detach first, so the skin
      // on show stays and so does the number.
      {"7", 5, "7"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.pf ? c.pf : "missing");
    QFile::remove(settings_path());
    if (c.pf != nullptr)
      write_setting(setting::skin, QString::fromUtf8(c.pf));
    ASSERT_EQ(attach_skin(builtin_source(5)), skin_attached);
    start_main_window();
    EXPECT_EQ(shown_skin(), builtin(c.shown));
    EXPECT_EQ(stored(settings_path(), "PF"), QString::fromUtf8(c.stored_after));
  }
}

// Opening either for reading would hang the start, and every later start with it.
TEST_F(SavedAppearanceTest, AStoredSkinThatIsNoRegularFileGivesWayToSkinTwoOnceAndForAll) {
  const QString cases[] = {
      make_fifo(path(QStringLiteral("skin/s/管道 皮肤.she"))),
      make_link(path(QStringLiteral("skin/s/零.she")), QStringLiteral("/dev/zero")),
      path(QStringLiteral("skin/s")),
  };
  for (const QString& file : cases) {
    SCOPED_TRACE(file.toStdString());
    write_setting(setting::skin, file);
    const CapturedStderr captured;
    start_main_window();
    EXPECT_EQ(shown_skin(), builtin(2));
    // The next start attaches skin 2 and never looks at the file again.
    EXPECT_EQ(stored(settings_path(), "PF"), QStringLiteral("2"));
    // Qt's own warnings may stand between the program's lines.
    const QStringList lines = captured.lines().filter(QStringLiteral("wrenfold: "));
    ASSERT_EQ(lines.size(), 1) << lines.join(u'\n').toStdString();
    EXPECT_TRUE(lines[0].contains(u'"' + file + u'"')) << lines[0].toStdString();
  }
}

TEST_F(SavedAppearanceTest, EffectsAreSwitchedExplicitlyEitherWay) {
  struct Case {
    const char* tx;
    bool on;
  };
  const Case cases[] = {{nullptr, false}, {"0", false}, {"1", true},
                        {"2", false},     {"01", true}, {"开", false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.tx ? c.tx : "missing");
    QFile::remove(settings_path());
    if (c.tx != nullptr)
      write_setting(setting::skin_effects, QString::fromUtf8(c.tx));
    // The library starts the other way round, so only an explicit call gives the right state.
    set_skin_effects(c.on ? 0 : 1);
    start_main_window();
    EXPECT_EQ(effects_shown(), c.on);
  }
}

TEST_F(SavedAppearanceTest, StoredTransparencyNeverStartsTheWindowInvisible) {
  struct Case {
    const char* tm;
    int alpha;
  };
  const Case cases[] = {{nullptr, 255}, {"0", 255},   {"37", 218}, {"200", 55},
                        {"255", 55},    {"-20", 255}, {"abc", 255}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.tm ? c.tm : "missing");
    QFile::remove(settings_path());
    if (c.tm != nullptr)
      write_setting(setting::transparency, QString::fromUtf8(c.tm));
    MainWindow& main = start_main_window();
    EXPECT_EQ(alpha_of(main), c.alpha);
    main.menu_edit->show();
    EXPECT_EQ(alpha_of(*main.menu_edit), c.alpha);
    main.menu_edit->hide();
  }
}

}  // namespace
