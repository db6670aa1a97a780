#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/resource.h>
#include <unistd.h>
#include <csignal>
#include <functional>
#include <vector>

#include "platform/atomic_file.h"
#include "platform/program_dir.h"
#include "platform/settings_file.h"
#include "support/captured_stderr.h"
#include "support/file_contents.h"
#include "support/non_regular_files.h"
#include "support/program_dir_fixture.h"
#include "support/read_only_path.h"

namespace {

// Makes the next write that grows a file past limit bytes fail as a full disk would: with
// kill_process the process dies on the spot, otherwise the write returns an error.
void limit_file_size(rlim_t limit, bool kill_process) {
  std::signal(SIGXFSZ, kill_process ? SIG_DFL : SIG_IGN);
  const rlimit size{limit, limit};
  setrlimit(RLIMIT_FSIZE, &size);
}

// Lets the process map at most this much more memory, so that reading without a bound fails at
// once instead of exhausting the machine.
void limit_memory_growth(rlim_t bytes) {
  QFile statm(QStringLiteral("/proc/self/statm"));
  ASSERT_TRUE(statm.open(QIODevice::ReadOnly));
  const rlim_t mapped = statm.readAll().split(' ').value(0).toULongLong() * sysconf(_SC_PAGESIZE);
  const rlimit space{mapped + bytes, mapped + bytes};
  ASSERT_EQ(setrlimit(RLIMIT_AS, &space), 0);
}

// A literal's bytes, NUL bytes inside it included.
template <size_t size>
QByteArray bytes_of(const char (&text)[size]) {
  return QByteArray(text, size - 1);
}

constexpr qint64 sixteen_mb = 16 * 1024 * 1024;

// "[PFSZ] PF=3" padded with a comment to the given size.
QByteArray settings_of_size(qint64 size) {
  QByteArray bytes("[PFSZ]\nPF=3\n;");
  bytes.append(QByteArray(size - bytes.size() - 1, 'x')).append('\n');
  return bytes;
}

class SettingsFileTest : public ProgramDirFixture {
 protected:
  QString read(const char* section, const char* key, const QString& fallback) {
    return read_ini_value(settings_file_path(), QString::fromUtf8(section), QString::fromUtf8(key),
                          fallback);
  }
  void write(const char* section, const char* key, const QString& value) {
    write_ini_value(settings_file_path(), QString::fromUtf8(section), QString::fromUtf8(key),
                    value);
  }
};

}  // namespace

TEST(SwitchText, IsOnOnlyForTheIntegerOne) {
  const struct {
    const char16_t* text;
    bool on;
  } cases[] = {{u"1", true},   {u"0", false},   {u"2", false}, {u"", false},
               {u"-1", false}, {u"abc", false}, {u" 1", true}, {u"01", true}};
  for (const auto& c : cases)
    EXPECT_EQ(is_switch_on(QString::fromUtf16(c.text)), c.on)
        << QString::fromUtf16(c.text).toStdString();
}

TEST_F(SettingsFileTest, PathIsBuiltFromTheProgramDirectoryAtEveryCall) {
  EXPECT_EQ(settings_file_path(), program_dir() + QStringLiteral("/config/config.ini"));
  const QString other = program_dir() + QStringLiteral("/其他 目录");
  set_program_dir(other);
  EXPECT_EQ(settings_file_path(), other + QStringLiteral("/config/config.ini"));
}

TEST_F(SettingsFileTest, MissingFileSectionOrKeyGiveTheFallback) {
  ASSERT_FALSE(QFile::exists(settings_file_path()));
  EXPECT_EQ(read("PFSZ", "PF", QStringLiteral("1")), "1");
  EXPECT_FALSE(is_switch_on(read("KNSZ", "BKBC", QStringLiteral("0"))));
  EXPECT_EQ(read_ini_value(settings_file_path(), QStringLiteral("FWJL"), QStringLiteral("FL")), "");
  EXPECT_FALSE(QFile::exists(settings_file_path())) << "reads never create the file";

  write("PFSZ", "TX", QStringLiteral("1"));
  EXPECT_EQ(read("BKKG", "KD", QStringLiteral("760")), "760") << "missing section";
  EXPECT_EQ(read("PFSZ", "PF", QStringLiteral("1")), "1") << "missing key";
  EXPECT_EQ(read_ini_value(settings_file_path(), QStringLiteral("FWJL"), QStringLiteral("WZ")), "");
  write("FWJL", "FL", QStringLiteral("日记"));
  EXPECT_EQ(read_ini_value(settings_file_path(), QStringLiteral("FWJL"), QStringLiteral("ZB")), "");
  EXPECT_TRUE(is_switch_on(read("PFSZ", "TX", QStringLiteral("0"))));
}

TEST_F(SettingsFileTest, ValuesReadBackWhole) {
  const QString values[] = {
      QStringLiteral("/tmp/a b/皮肤 1.she"),
      program_dir() + QStringLiteral("/ico/2.jpg"),
      QStringLiteral("  blanks at both ends  "),
      QStringLiteral("\"全部在引号里\""),
      QStringLiteral("\"开头引号"),
      QStringLiteral("\""),
      QStringLiteral("a=b ; c # d [e]"),
      QStringLiteral("第一行\n第二行"),
      QStringLiteral("😀 emoji"),
      QStringLiteral("<<<END_OF_TEXT"),
      QStringLiteral("<<<"),
      QString(),
  };
  for (const QString& value : values) {
    write("FWJL", "WZ", value);
    EXPECT_EQ(read("FWJL", "WZ", QStringLiteral("<fallback>")), value) << value.toStdString();
    // Writing another key loads and saves this value again.
    write("FWJL", "ZB", QStringLiteral("7"));
    EXPECT_EQ(read("FWJL", "WZ", QStringLiteral("<fallback>")), value) << value.toStdString();
  }
}

TEST_F(SettingsFileTest, AValueCannotAddKeysOrSections) {
  write("FWJL", "FL", QStringLiteral("<<<标记"));
  write("FWJL", "ZB", QStringLiteral("12"));
  EXPECT_EQ(read("FWJL", "ZB", QString()), "12") << "a value is never read as a block's start";

  write("FWJL", "WZ", QStringLiteral("标题\n[KNSZ]\nPFTB=1\r\nKJQD=1"));
  EXPECT_EQ(read("KNSZ", "PFTB", QStringLiteral("0")), "0");
  EXPECT_EQ(read("FWJL", "KJQD", QStringLiteral("0")), "0");
  // Line breaks inside a value come back as plain line feeds.
  EXPECT_EQ(read("FWJL", "WZ", QString()), QStringLiteral("标题\n[KNSZ]\nPFTB=1\nKJQD=1"));
}

TEST_F(SettingsFileTest, FileIsUtf8IniWithoutBom) {
  write("PFSZ", "PF", QStringLiteral("/tmp/a b/皮肤 1.she"));
  write("KNSZ", "BKBC", QStringLiteral("1"));
  const QByteArray bytes = read_file(settings_file_path());
  EXPECT_FALSE(bytes.startsWith("\xEF\xBB\xBF"));
  EXPECT_TRUE(bytes.contains("[PFSZ]"));
  EXPECT_TRUE(bytes.contains(QStringLiteral("PF=/tmp/a b/皮肤 1.she\n").toUtf8()));
  EXPECT_TRUE(bytes.contains("[KNSZ]"));
  EXPECT_TRUE(bytes.contains("BKBC=1\n"));
}

TEST_F(SettingsFileTest, NamesAreCaseInsensitiveAndAWriteReplacesTheKey) {
  write_file(settings_file_path(), "[pfsz]\npf=3\ntx = 1\n\n[KNSZ]\nBKBC=1\n");
  EXPECT_EQ(read("PFSZ", "PF", QStringLiteral("1")), "3");
  EXPECT_TRUE(is_switch_on(read("PFSZ", "TX", QStringLiteral("0"))));
  EXPECT_EQ(read_ini_value(settings_file_path(), QStringLiteral("KnSz"), QStringLiteral("bkbc"),
                           QStringLiteral("0")),
            "1");

  write("PFSZ", "PF", QStringLiteral("4"));
  EXPECT_EQ(read("pfsz", "pf", QStringLiteral("1")), "4");
  EXPECT_EQ(
      read_file(settings_file_path()).count("PF=") + read_file(settings_file_path()).count("pf="),
      1);
  EXPECT_TRUE(is_switch_on(read("KNSZ", "BKBC", QStringLiteral("0"))));
}

TEST_F(SettingsFileTest, EveryReadSeesTheFileAsItIsNow) {
  write("BKKG", "KD", QStringLiteral("800"));
  EXPECT_EQ(read("BKKG", "KD", QStringLiteral("760")), "800");
  write("BKKG", "KD", QStringLiteral("900"));
  EXPECT_EQ(read("BKKG", "KD", QStringLiteral("760")), "900");

  // Another program edits the file between two accesses.
  write_file(settings_file_path(), "[BKKG]\nKD=1024\nGD=700\n");
  EXPECT_EQ(read("BKKG", "KD", QStringLiteral("760")), "1024");
  write("BKKG", "GD", QStringLiteral("600"));
  EXPECT_EQ(read("BKKG", "KD", QStringLiteral("760")), "1024") << "other keys are kept";
  EXPECT_EQ(read("BKKG", "GD", QStringLiteral("569")), "600");

  ASSERT_TRUE(QFile::remove(settings_file_path()));
  EXPECT_EQ(read("BKKG", "KD", QStringLiteral("760")), "760");
}

TEST_F(SettingsFileTest, AWriteMakesAMissingConfigFolder) {
  ASSERT_TRUE(QDir(path(QStringLiteral("config"))).removeRecursively());
  write("KNSZ", "PFTB", QStringLiteral("1"));
  EXPECT_TRUE(is_switch_on(read("KNSZ", "PFTB", QStringLiteral("0"))));
}

TEST_F(SettingsFileTest, AnInterruptedWriteLeavesTheOldFileWhole) {
  write("PFSZ", "PF", QStringLiteral("/tmp/a b/皮肤 1.she"));
  write("FWJL", "WZ", QStringLiteral("旧标题"));
  const QByteArray before = read_file(settings_file_path());
  const QString huge(256 * 1024, u'长');

  // The process dies while the new text is being written.
  EXPECT_EXIT(
      {
        limit_file_size(4096, true);
        write("FWJL", "WZ", huge);
        std::_Exit(0);
      },
      ::testing::KilledBySignal(SIGXFSZ), "");
  EXPECT_EQ(read_file(settings_file_path()), before);
  EXPECT_EQ(read("FWJL", "WZ", QString()), "旧标题");

  // The disk fills up: the write fails and the old file stays.
  EXPECT_EXIT(
      {
        limit_file_size(4096, false);
        write("FWJL", "WZ", huge);
        std::_Exit(read_file(settings_file_path()) == before ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");

  // Leftovers of the dead writer disturb neither reads nor the next write.
  EXPECT_EQ(read("PFSZ", "PF", QStringLiteral("1")), "/tmp/a b/皮肤 1.she");
  write("FWJL", "WZ", QStringLiteral("新标题"));
  EXPECT_EQ(read("FWJL", "WZ", QString()), "新标题");
  EXPECT_EQ(read("PFSZ", "PF", QStringLiteral("1")), "/tmp/a b/皮肤 1.she");
}

TEST_F(SettingsFileTest, AtomicWriteReportsFailureAndReplacesWholeFiles) {
  const QString target = path(QStringLiteral("datab/副本 \"一\".rtf"));
  EXPECT_TRUE(write_file_atomically(target, "{\\rtf1 old}"));
  EXPECT_TRUE(write_file_atomically(target, "{\\rtf1 new}"));
  EXPECT_EQ(read_file(target), "{\\rtf1 new}");
  EXPECT_FALSE(write_file_atomically(path(QStringLiteral("没有/这个/目录/a.rtf")), "x"));
  EXPECT_FALSE(write_file_atomically(path(QStringLiteral("datab")), "x")) << "a folder";

  EXPECT_EXIT(
      {
        limit_file_size(1024, false);
        const bool written = write_file_atomically(target, QByteArray(64 * 1024, 'x'));
        std::_Exit(!written && read_file(target) == "{\\rtf1 new}" ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
  EXPECT_EQ(QDir(path(QStringLiteral("datab"))).entryList(QDir::Files).size(), 1)
      << "a failed write leaves no temporary file";
}

TEST_F(SettingsFileTest, AFileOfSixteenMegabytesIsStillRead) {
  write_file(settings_path(), settings_of_size(sixteen_mb));
  EXPECT_EQ(read("PFSZ", "PF", QStringLiteral("1")), "3");
}

// A settings file far too large, or a link to an endless device, is not read into memory: every
// read gives its fallback, and the next write replaces the file (the link, not the device).
TEST_F(SettingsFileTest, AnUnboundedFileReadsAsFallbacksAndIsReplacedByTheNextWrite) {
  const struct {
    const char* name;
    std::function<void(const QString&)> make;
  } cases[] = {
      {"over 16 MB",
       [](const QString& file) { write_file(file, settings_of_size(sixteen_mb + 1)); }},
      {"a link to an endless device",
       [](const QString& file) { ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), file)); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    QFile::remove(settings_path());
    c.make(settings_path());
    // Only a process that cannot take more memory touches the file before it is replaced.
    EXPECT_EXIT(
        {
          limit_memory_growth(1024 * 1024 * 1024);
          if (read("PFSZ", "PF", QStringLiteral("1")) != "1")
            std::_Exit(1);
          write("FWJL", "WZ", QStringLiteral("新标题"));
          std::_Exit(0);
        },
        ::testing::ExitedWithCode(0), "");
    const QFileInfo replaced(settings_path());
    ASSERT_FALSE(replaced.isSymLink());
    ASSERT_LT(replaced.size(), 100);
    EXPECT_EQ(read("FWJL", "WZ", QString()), "新标题");
    EXPECT_EQ(read("PFSZ", "PF", QStringLiteral("1")), "1");
  }
  EXPECT_FALSE(QFileInfo(QStringLiteral("/dev/zero")).isFile()) << "the device stays a device";
}

// None of these is opened for reading: a FIFO would wait for a writer, the device would never end.
// The many reads of a start fall back without a word each; the file is reported once.
TEST_F(SettingsFileTest, AFileThatIsNoRegularFileIsReportedOnceAndNeverOpened) {
  const struct {
    const char* name;
    std::function<void(const QString&)> make;
  } cases[] = {
      {"a FIFO", [](const QString& file) { make_fifo(file); }},
      {"a link to an endless device",
       [](const QString& file) { make_link(file, QStringLiteral("/dev/zero")); }},
      {"over 16 MB",
       [](const QString& file) { write_file(file, settings_of_size(sixteen_mb + 1)); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    QFile::remove(settings_path());
    c.make(settings_path());
    const CapturedStderr captured;
    for (const char* key : {"PF", "TX", "TM"})
      EXPECT_EQ(read("PFSZ", key, QStringLiteral("回退")), "回退");
    const QStringList lines = captured.lines();
    ASSERT_EQ(lines.size(), 1) << lines.join(u'\n').toStdString();
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("wrenfold: read the settings from \"") +
                                    settings_path() + u'"'))
        << lines[0].toStdString();
  }
}

// A kill in the middle of a write leaves its temporary file behind; the next start removes such
// files of this program's own writes, and none of the user's, whatever their names look like.
TEST_F(SettingsFileTest, LeftoversOfInterruptedWritesAreRemoved) {
  write_file(settings_path(), "[PFSZ]\nPF=3\n");
  EXPECT_EXIT(
      {
        limit_file_size(4096, true);
        write("FWJL", "WZ", QString(256 * 1024, u'长'));
        std::_Exit(0);
      },
      ::testing::KilledBySignal(SIGXFSZ), "");
  const QStringList killed =
      QDir(path(QStringLiteral("config"))).entryList({QStringLiteral("config.ini.*")}, QDir::Files);
  EXPECT_EQ(killed.size(), 1) << "the killed write's temporary file";

  const QDateTime started = QDateTime::currentDateTime().addSecs(1);
  struct Case {
    QString name;
    qint64 age_seconds;
    bool removed;
  };
  std::vector<Case> cases = {
      {QStringLiteral("config.ini.0badf00d.wrenfold-write"), 1, true},
      {QStringLiteral("config.ini.0badf00e.wrenfold-write"), -60, false},
      {QStringLiteral("config.ini.BACKUP"), 60, false},
      {QStringLiteral("config.ini.Backup"), 60, false},
      {QStringLiteral("config.ini.AbCdEf"), 60, false},
      {QStringLiteral("config.ini.qOCHZe"), 60, false},
      {QStringLiteral("config.ini.backup"), 60, false},
      {QStringLiteral("config.ini.bak"), 60, false},
      {QStringLiteral("other.ini.0badf00d.wrenfold-write"), 60, false},
      {QStringLiteral("config.ini.0badf00d.wrenfold-write.x"), 60, false},
      {QStringLiteral("config.ini.0BADF00D.wrenfold-write"), 60, false},
  };
  for (const QString& name : killed)
    cases.push_back({name, 60, true});
  for (const auto& c : cases) {
    const QString file = path(QStringLiteral("config/")) + c.name;
    if (!QFileInfo::exists(file))
      write_file(file, "[FWJL]\nWZ=half\n");
    QFile leftover(file);
    ASSERT_TRUE(leftover.open(QIODevice::ReadWrite));
    ASSERT_TRUE(
        leftover.setFileTime(started.addSecs(-c.age_seconds), QFileDevice::FileModificationTime));
  }
  const QString link = path(QStringLiteral("config/config.ini.Linked"));
  ASSERT_TRUE(QFile::link(path(QStringLiteral("config/config.ini.bak")), link));

  remove_interrupted_writes(settings_path(), started);

  for (const auto& c : cases)
    EXPECT_EQ(QFileInfo::exists(path(QStringLiteral("config/")) + c.name), !c.removed)
        << c.name.toStdString();
  EXPECT_TRUE(QFileInfo(link).isSymLink());
  EXPECT_EQ(read("PFSZ", "PF", QStringLiteral("1")), "3");
}

// A damaged line (a NUL byte, a block that never ends) is skipped: every other key, the user's
// own sections included, is read and kept by the next write.
TEST_F(SettingsFileTest, ADamagedLineIsSkippedAndEverythingElseIsKept) {
  QFile zeroed(QStringLiteral(WRENFOLD_TEST_DATA_DIR "/settings/zeroed_block.ini"));
  ASSERT_TRUE(zeroed.open(QIODevice::ReadOnly));
  struct Read {
    const char* section;
    const char* key;
    QString value;
  };
  const struct {
    const char* name;
    QByteArray bytes;
    std::vector<Read> reads;
  } cases[] = {
      {"a NUL byte in a key",
       bytes_of("[PFSZ]\nPF=3\nT\0X=1\n[KNSZ]\nBKBC=1\n[我的]\n笔记=保留\n"),
       {{"PFSZ", "PF", "3"},
        {"PFSZ", "TX", "<fallback>"},
        {"KNSZ", "BKBC", "1"},
        {"我的", "笔记", "保留"}}},
      {"NUL bytes at the end",
       QByteArray("[KNSZ]\nPFTB=1\n") + QByteArray(512, '\0'),
       {{"KNSZ", "PFTB", "1"}}},
      {"a block of NUL bytes from a power loss",
       zeroed.readAll(),
       {{"PFSZ", "PF", "/home/用户/皮肤 3.she"},
        {"KNSZ", "FDTB", "/home/用户/图片/猫.jpg"},
        {"BKKG", "KD", "1024"},
        {"BKKG", "GD", "<fallback>"},
        {"FWJL", "FL", "日记"},
        {"FWJL", "ZB", "12"},
        {"我的设置", "备注", "不要删除"}}},
      {"a block that never ends",
       QByteArray("[FWJL]\nWZ=<<<END_OF_TEXT\n第一行\n[KNSZ]\nPFTB=1\n[我的]\n笔记=保留"),
       {{"FWJL", "WZ", "<fallback>"}, {"KNSZ", "PFTB", "1"}, {"我的", "笔记", "保留"}}},
      {"a block that ends is no damage",
       QByteArray("[FWJL]\nWZ=<<<end_of_text\n第一行\nPFTB=0\nEND_OF_TEXT  \n[KNSZ]\nPFTB=1\n"),
       {{"FWJL", "WZ", "第一行\nPFTB=0"}, {"FWJL", "PFTB", "<fallback>"}, {"KNSZ", "PFTB", "1"}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    write_file(settings_path(), c.bytes);
    for (int pass = 0; pass < 2; ++pass) {
      for (const Read& r : c.reads)
        EXPECT_EQ(read(r.section, r.key, QStringLiteral("<fallback>")), r.value)
            << r.section << " " << r.key << (pass == 0 ? " as found" : " after a write");
      if (pass == 0) {
        CapturedStderr errors;
        write("BJCS", "DX", QStringLiteral("14"));
        const bool damaged = QByteArray(c.name) != "a block that ends is no damage";
        EXPECT_EQ(errors.lines().filter(QStringLiteral("damaged")).size(), damaged ? 1 : 0)
            << errors.lines().join(u'\n').toStdString();
      }
    }
    EXPECT_EQ(read("BJCS", "DX", QString()), "14");
    EXPECT_FALSE(read_file(settings_path()).contains('\0'));
  }
}

// A write that cannot be made leaves one line on standard error with the reason.
TEST_F(SettingsFileTest, AFailedWriteSaysWhy) {
  write("PFSZ", "PF", QStringLiteral("3"));
  CapturedStderr errors;
  {
    ReadOnlyPath read_only(path(QStringLiteral("config")));
    ASSERT_TRUE(read_only.ok());
    write("PFSZ", "PF", QStringLiteral("4"));
  }
  ASSERT_EQ(errors.lines().size(), 1);
  EXPECT_TRUE(errors.lines().front().startsWith(QStringLiteral("wrenfold: write PFSZ PF to \"") +
                                                settings_path() + u'"'))
      << errors.lines().front().toStdString();
  EXPECT_TRUE(errors.lines().front().contains(QStringLiteral("ermission denied")))
      << errors.lines().front().toStdString();
  EXPECT_EQ(read("PFSZ", "PF", QString()), "3");
}
