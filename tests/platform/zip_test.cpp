#include "platform/zip.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <zip.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QStorageInfo>
#include <QTemporaryDir>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/work_folder.h"
#include "support/archives.h"
#include "support/captured_stderr.h"
#include "support/file_contents.h"

namespace {

QStringList entries_of(const QString& dir) {
  return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

// The compression method of each entry of an archive, by name.
std::vector<std::pair<std::string, int>> methods_of(const QString& archive) {
  std::vector<std::pair<std::string, int>> methods;
  int error = 0;
  zip_t* zip = zip_open(QFile::encodeName(archive).constData(), ZIP_RDONLY, &error);
  if (!zip)
    return methods;
  for (zip_int64_t i = 0; i < zip_get_num_entries(zip, 0); ++i) {
    zip_stat_t stat;
    zip_stat_index(zip, static_cast<zip_uint64_t>(i), 0, &stat);
    methods.emplace_back(stat.name, stat.comp_method);
  }
  zip_discard(zip);
  return methods;
}

class ZipTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    source_ = dir_.filePath(QStringLiteral("程序 目录/data/data.mdb"));
    archive_ = dir_.filePath(QStringLiteral("备份 目录/2024-05-01.ewd"));
    target_ = dir_.filePath(QStringLiteral("还原 目标/data"));
    content_.resize(300 * 1024);
    QRandomGenerator generator(7);
    for (char& byte : content_)
      byte = static_cast<char>(generator.bounded(256));
    write_file(source_, content_);
    ASSERT_TRUE(QDir().mkpath(QFileInfo(archive_).path()));
    ASSERT_TRUE(QDir().mkpath(target_));
  }

  std::unique_ptr<UnpackedFile> unpack() {
    return zip_extract_file(zip_, archive_, QStringLiteral("data.mdb"), target_);
  }

  QTemporaryDir dir_;
  QString source_;
  QString archive_;
  QString target_;
  QByteArray content_;
  ZipComponent zip_;
};

TEST_F(ZipTest, PackedFileIsStoredAndUnpacksInATemporaryFolderThatGoes) {
  ASSERT_EQ(zip_compress_file(zip_, source_, archive_), 1);
  EXPECT_EQ(methods_of(archive_), (std::vector<std::pair<std::string, int>>{{"data.mdb", 0}}));
  EXPECT_EQ(entries_of(QFileInfo(archive_).path()), QStringList{"2024-05-01.ewd"});

  std::unique_ptr<UnpackedFile> unpacked = unpack();
  ASSERT_NE(unpacked, nullptr);
  EXPECT_EQ(read_file(unpacked->path()), content_);
  EXPECT_EQ(QFileInfo(QFileInfo(unpacked->path()).path()).path(), target_);
  unpacked.reset();
  EXPECT_EQ(entries_of(target_), QStringList());
}

TEST_F(ZipTest, PackingReplacesAnExistingArchiveOnlyWhenItSucceeds) {
  write_file(archive_, "旧的备份");
  ASSERT_EQ(zip_compress_file(zip_, source_, archive_), 1);
  const QByteArray packed = read_file(archive_);
  ASSERT_NE(packed, QByteArray("旧的备份"));

  EXPECT_EQ(zip_compress_file(zip_, dir_.filePath(QStringLiteral("没有.mdb")), archive_), 0);
  EXPECT_EQ(zip_compress_file(zip_, source_, archive_ + QStringLiteral("/不能")), 0);
  EXPECT_EQ(zip_compress_file(zip_, source_, source_), 0);
  EXPECT_EQ(zip_compress_file(zip_, source_, dir_.filePath(QStringLiteral("无此目录/x.ewd"))), 0);
  EXPECT_EQ(read_file(archive_), packed);
  EXPECT_EQ(read_file(source_), content_);
  EXPECT_EQ(entries_of(QFileInfo(archive_).path()), QStringList{"2024-05-01.ewd"});
}

TEST_F(ZipTest, OnlyTheWantedTopLevelEntryIsWritten) {
  write_archive(archive_, {{"说明.txt", "别处"},
                           {"子/data.mdb", "更深"},
                           {"目录/", {}, S_IFDIR},
                           {"data.mdb", content_, S_IFREG, true}});
  std::unique_ptr<UnpackedFile> unpacked = unpack();
  ASSERT_NE(unpacked, nullptr);
  EXPECT_EQ(read_file(unpacked->path()), content_);
  EXPECT_EQ(entries_of(QFileInfo(unpacked->path()).path()), QStringList{"data.mdb"});
  EXPECT_EQ(entries_of(target_).size(), 1);
}

TEST_F(ZipTest, EntryNamesThatCouldLeaveTheFolderRefuseTheWholeArchive) {
  const QString outside = dir_.filePath(QStringLiteral("外面"));
  const std::vector<ArchiveEntry> hostile = {
      {"../外面", "x"},
      {"子/../../外面", "x"},
      {QFile::encodeName(outside).toStdString(), "x"},
      {"..\\外面", "x"},
      {"C:\\外面", "x"},
      {"C:外面", "x"},
      {"data.mdb:流", "x"},
      {"NUL", "x"},
      {"子/con.txt", "x"},
      {"COM1", "x"},
      {"lpt9.log", "x"},
      {"链接", QFile::encodeName(outside), S_IFLNK},
      {"管道", "x", S_IFIFO},
      {"设备", "x", S_IFCHR},
      {"./data.mdb", "x"},
  };
  for (const ArchiveEntry& entry : hostile) {
    write_archive(archive_, {{"data.mdb", content_}, entry});
    EXPECT_EQ(unpack(), nullptr) << entry.name;
    EXPECT_EQ(entries_of(target_), QStringList()) << entry.name;
  }
  EXPECT_FALSE(QFileInfo::exists(outside));
  for (const char* name : {"com10", "console.txt", "NULL", "数据.mdb"}) {
    write_archive(archive_, {{"data.mdb", content_}, {name, "x"}});
    EXPECT_NE(unpack(), nullptr) << name;
  }
}

TEST_F(ZipTest, EntryThatWouldExpandMoreThanAThousandTimesIsRefused) {
  // Zeros deflate to about a thousandth at most; a bomb of them expands just past the limit.
  write_archive(archive_, {{"data.mdb", QByteArray(64 << 20, '\0'), S_IFREG, true}});
  EXPECT_EQ(unpack(), nullptr);
  EXPECT_EQ(entries_of(target_), QStringList());
  write_archive(archive_, {{"data.mdb", QByteArray(64 << 10, '\0'), S_IFREG, true}});
  EXPECT_NE(unpack(), nullptr);
}

// The free space bounds what is unpacked, less a margin, so a restore never fills the disk; the
// archive declares it without taking it.
TEST_F(ZipTest, EntryBeyondTheFreeSpaceLessAMarginIsRefusedBeforeAnythingIsWritten) {
  const auto free_space = [&] {
    return static_cast<quint64>(QStorageInfo(target_).bytesAvailable()) / 1024 * 1024;
  };
  const std::function<quint64()> sizes[] = {
      [&] { return free_space() + (quint64{16} << 30); },
      [&] { return free_space() - 4096; },
  };
  for (const auto& size : sizes) {
    write_sparse_archive(archive_, "data.mdb", size());
    QStringList said;
    {
      const CapturedStderr captured;
      EXPECT_EQ(unpack(), nullptr);
      said = captured.lines();
    }
    EXPECT_EQ(entries_of(target_), QStringList());
    ASSERT_EQ(said.size(), 1);
    EXPECT_TRUE(said[0].contains(u"would leave less than")) << said[0].toStdString();
  }
  // Below the bound the same form is read to its end, where the checksum it never set fails:
  // libzip takes the hand-made form.
  write_sparse_archive(archive_, "data.mdb", 4096);
  const CapturedStderr captured;
  EXPECT_EQ(unpack(), nullptr);
  EXPECT_EQ(captured.lines().size(), 1);
  EXPECT_TRUE(captured.lines().value(0).endsWith(u"CRC error"));
}

// What packings and unpackings cut off by a kill left goes with the next one in that folder;
// a folder a running one holds, and whatever only looks like ours, stays.
TEST_F(ZipTest, WorkFoldersLeftByCutOffRunsGoWithTheNext) {
  const QString elsewhere = dir_.filePath(QStringLiteral("别处/留下.txt"));
  write_file(elsewhere, "别处");
  const auto leave = [&](const QString& folder) {
    write_file(folder + QStringLiteral("/.wrenfold-restore-abc123/data.mdb"), "被打断");
    write_file(folder + QStringLiteral("/.wrenfold-backup-XY12z9/archive"), "被打断");
    write_file(folder + QStringLiteral("/.wrenfold-backup-XY12z9/archive.Ab3dE9"), "被打断");
    write_file(folder + QStringLiteral("/.unpack-abc123/data.mdb"), "别人的");
    write_file(folder + QStringLiteral("/.wrenfold-restore-abc12/x"), "别人的");
    write_file(folder + QStringLiteral("/.wrenfold-notes-abc123/x"), "别人的");
    write_file(folder + QStringLiteral("/.wrenfold-backup-file01"), "别人的");
    ASSERT_TRUE(QFile::link(QFileInfo(elsewhere).path(),
                            folder + QStringLiteral("/.wrenfold-restore-link01")));
  };
  const QStringList kept = {".unpack-abc123", ".wrenfold-backup-file01", ".wrenfold-notes-abc123",
                            ".wrenfold-restore-abc12", ".wrenfold-restore-link01"};
  const QString archive_folder = QFileInfo(archive_).path();
  leave(target_);
  leave(archive_folder);
  write_file(target_ + QStringLiteral("/data.mdb"), "留下");

  const WorkFolder running(archive_folder, QStringLiteral("backup"));
  ASSERT_TRUE(running.valid());
  ASSERT_EQ(zip_compress_file(zip_, source_, archive_), 1);
  QStringList expected = kept;
  expected << "2024-05-01.ewd" << QFileInfo(running.path()).fileName();
  expected.sort();
  QStringList found = entries_of(archive_folder);
  found.sort();
  EXPECT_EQ(found, expected);

  std::unique_ptr<UnpackedFile> unpacked = unpack();
  ASSERT_NE(unpacked, nullptr);
  unpacked.reset();
  expected = kept;
  expected << "data.mdb";
  expected.sort();
  found = entries_of(target_);
  found.sort();
  EXPECT_EQ(found, expected);
  EXPECT_EQ(read_file(target_ + QStringLiteral("/data.mdb")), QByteArray("留下"));
  EXPECT_EQ(read_file(elsewhere), QByteArray("别处"));
}

// A new archive gets the mode the umask gives a new file; a replaced one keeps its own.
TEST_F(ZipTest, ArchiveModeFollowsTheUmaskOrTheReplacedArchive) {
  struct Case {
    mode_t umask;
    std::optional<mode_t> existing;
    mode_t expected;
  };
  const Case cases[] = {
      {022, std::nullopt, 0644}, {077, std::nullopt, 0600}, {002, std::nullopt, 0664},
      {022, 0444, 0444},         {077, 0640, 0640},         {022, 0600, 0600},
  };
  for (const Case& c : cases) {
    QFile::remove(archive_);
    if (c.existing) {
      write_file(archive_, "旧的备份");
      ASSERT_EQ(::chmod(QFile::encodeName(archive_).constData(), *c.existing), 0);
    }
    const mode_t saved = ::umask(c.umask);
    const int packed = zip_compress_file(zip_, source_, archive_);
    ::umask(saved);
    ASSERT_EQ(packed, 1);
    struct stat made {};
    ASSERT_EQ(::stat(QFile::encodeName(archive_).constData(), &made), 0);
    EXPECT_EQ(made.st_mode & 07777, c.expected) << std::oct << c.umask << " " << c.expected;
  }
}

}  // namespace
