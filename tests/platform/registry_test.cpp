#include "platform/registry.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "support/scoped_env.h"

namespace {

const QString run_value =
    QStringLiteral("Software\\Microsoft\\Windows\\CurrentVersion\\Run\\WRNFD");

QString file_text(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll())
                                        : QStringLiteral("<missing>");
}

// desktop-file-validate's verdict: "" when it accepts the entry.
QString validate(const QString& path) {
  QProcess validator;
  validator.start(QStringLiteral("desktop-file-validate"), {path});
  if (!validator.waitForFinished())
    return QStringLiteral("desktop-file-validate did not run (scripts/setup installs it)");
  const QString said = QString::fromUtf8(validator.readAll());
  return validator.exitCode() == 0 && !said.contains(QStringLiteral("error:")) ? QString() : said;
}

class RegistryTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(home_.isValid()); }
  QString config_dir() const { return home_.path() + QStringLiteral("/配置 目录"); }
  QString entry() const { return config_dir() + QStringLiteral("/autostart/WRNFD.desktop"); }

  QTemporaryDir home_{QDir::tempPath() + QStringLiteral("/wrenfold 自启-XXXXXX")};
  ScopedEnv config_home_{"XDG_CONFIG_HOME", config_dir()};
};

TEST_F(RegistryTest, TheRunValueIsADesktopEntryThatQuotesTheProgramPath) {
  struct Case {
    QString program;
    QString exec;
  };
  const std::vector<Case> cases = {
      {QStringLiteral("/opt/程序 目录/wrenfold"), QStringLiteral("\"/opt/程序 目录/wrenfold\"")},
      // Quote, backtick, dollar and backslash take a backslash inside the quotes, and the key
      // file doubles every backslash again; a percent sign is doubled.
      {QStringLiteral("/tmp/a\"b`c$d\\e%f/wrenfold"),
       QStringLiteral("\"/tmp/a\\\\\"b\\\\`c\\\\$d\\\\\\\\e%%f/wrenfold\"")},
      {QStringLiteral("/tmp/it's; rm -rf ~/wrenfold"),
       QStringLiteral("\"/tmp/it's; rm -rf ~/wrenfold\"")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.program.toStdString());
    ASSERT_TRUE(write_registry_value(registry_root_local_machine, run_value, c.program));
    EXPECT_EQ(autostart_entry_path(registry_root_local_machine, run_value), entry());
    EXPECT_EQ(file_text(entry()),
              QStringLiteral("[Desktop Entry]\nType=Application\nName=WRNFD\nExec=") + c.exec +
                  QStringLiteral("\n"));
    EXPECT_EQ(validate(entry()), QString());
  }
  // Nothing but the entry is left in the folder: the write went through a renamed temporary.
  EXPECT_EQ(QDir(config_dir() + QStringLiteral("/autostart")).entryList(QDir::Files),
            QStringList{QStringLiteral("WRNFD.desktop")});
}

TEST_F(RegistryTest, DeletingTheValueRemovesTheEntryAndAMissingOneCountsAsDeleted) {
  ASSERT_TRUE(write_registry_value(registry_root_local_machine, run_value, QStringLiteral("/a")));
  EXPECT_TRUE(delete_registry_value(registry_root_local_machine, run_value));
  EXPECT_FALSE(QFile::exists(entry()));
  EXPECT_TRUE(delete_registry_value(registry_root_local_machine, run_value));
}

TEST_F(RegistryTest, KeyNamesIgnoreCaseAndOtherKeysAreRefused) {
  EXPECT_TRUE(write_registry_value(
      registry_root_local_machine,
      QStringLiteral("software\\MICROSOFT\\windows\\CurrentVersion\\run\\WRNFD"),
      QStringLiteral("/a")));
  EXPECT_TRUE(QFile::exists(entry()));
  QFile::remove(entry());

  const std::vector<std::pair<int, QString>> refused = {
      {3, run_value},
      {registry_root_local_machine, QStringLiteral("Software\\Other\\WRNFD")},
      {registry_root_local_machine, QStringLiteral("WRNFD")},
      {registry_root_local_machine, run_value.left(run_value.size() - 5) + QStringLiteral("..")},
      {registry_root_local_machine, run_value + QStringLiteral("/../../x")},
      {registry_root_local_machine, run_value.left(run_value.size() - 5)},
  };
  for (const auto& [root, key] : refused) {
    SCOPED_TRACE(key.toStdString());
    EXPECT_FALSE(write_registry_value(root, key, QStringLiteral("/a")));
    EXPECT_FALSE(delete_registry_value(root, key));
    EXPECT_EQ(autostart_entry_path(root, key), QString());
  }
  EXPECT_FALSE(QDir(config_dir() + QStringLiteral("/autostart")).exists() &&
               !QDir(config_dir() + QStringLiteral("/autostart")).isEmpty());
}

TEST_F(RegistryTest, WithoutTheVariableTheEntryGoesUnderTheHomeFolder) {
  ScopedEnv no_config_home("XDG_CONFIG_HOME", std::nullopt);
  ScopedEnv home("HOME", home_.path());
  ASSERT_TRUE(write_registry_value(registry_root_local_machine, run_value, QStringLiteral("/a")));
  EXPECT_TRUE(QFile::exists(home_.path() + QStringLiteral("/.config/autostart/WRNFD.desktop")));
}

}  // namespace
