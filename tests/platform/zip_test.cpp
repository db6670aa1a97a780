#include "platform/zip.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <zip.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <string>
#include <vector>

namespace {

struct HostileEntry {
  std::string name;
  mode_t type;  // S_IFREG, S_IFLNK, ...
};

// Writes an archive by hand, so that it can hold entries our own packer never writes.
void write_archive(const QString& path, const std::vector<HostileEntry>& entries) {
  int error = 0;
  zip_t* archive = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
  ASSERT_NE(archive, nullptr);
  static const char content[] = "恶意内容";
  for (const HostileEntry& entry : entries) {
    zip_source_t* source = zip_source_buffer(archive, content, sizeof content - 1, 0);
    const zip_int64_t index = zip_file_add(archive, entry.name.c_str(), source, ZIP_FL_ENC_UTF_8);
    ASSERT_GE(index, 0) << entry.name;
    ASSERT_EQ(zip_file_set_external_attributes(archive, static_cast<zip_uint64_t>(index), 0,
                                               ZIP_OPSYS_UNIX, (entry.type | 0644u) << 16),
              0);
  }
  ASSERT_EQ(zip_close(archive), 0);
}

QByteArray read_file(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void write_file(const QString& path, const QByteArray& bytes) {
  ASSERT_TRUE(QDir().mkpath(QFileInfo(path).path()));
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  ASSERT_EQ(file.write(bytes), bytes.size());
}

QStringList entries_of(const QString& dir) {
  return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
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

  QTemporaryDir dir_;
  QString source_;
  QString archive_;
  QString target_;
  QByteArray content_;
  ZipComponent zip_;
};

TEST_F(ZipTest, PackedFileUnpacksUnderItsNameReplacingTheOldOne) {
  write_file(target_ + QStringLiteral("/data.mdb"), "旧的数据库");
  write_file(target_ + QStringLiteral("/其他 文件.txt"), "留下");
  ASSERT_EQ(zip_compress_file(zip_, source_, archive_), 1);
  ASSERT_EQ(zip_extract(zip_, archive_, target_), 1);
  EXPECT_EQ(read_file(target_ + QStringLiteral("/data.mdb")), content_);
  EXPECT_EQ(read_file(target_ + QStringLiteral("/其他 文件.txt")), QByteArray("留下"));
  EXPECT_EQ(entries_of(target_), (QStringList{"data.mdb", "其他 文件.txt"}));
  EXPECT_EQ(entries_of(QFileInfo(archive_).path()), QStringList{"2024-05-01.ewd"});
}

TEST_F(ZipTest, ChineseNamesSurviveTheRoundTrip) {
  const QString source = dir_.filePath(QStringLiteral("源/笔记 “一”.mdb"));
  write_file(source, "内容");
  ASSERT_EQ(zip_compress_file(zip_, source, archive_), 1);
  ASSERT_EQ(zip_extract(zip_, archive_, target_), 1);
  EXPECT_EQ(read_file(target_ + QStringLiteral("/笔记 “一”.mdb")), QByteArray("内容"));
}

TEST_F(ZipTest, PackingReplacesAnExistingArchiveOnlyWhenItSucceeds) {
  write_file(archive_, "旧的备份");
  ASSERT_EQ(zip_compress_file(zip_, source_, archive_), 1);
  ASSERT_EQ(zip_extract(zip_, archive_, target_), 1);
  EXPECT_EQ(read_file(target_ + QStringLiteral("/data.mdb")), content_);

  const QByteArray packed = read_file(archive_);
  EXPECT_EQ(zip_compress_file(zip_, dir_.filePath(QStringLiteral("没有.mdb")), archive_), 0);
  EXPECT_EQ(zip_compress_file(zip_, source_, archive_ + QStringLiteral("/不能")), 0);
  EXPECT_EQ(zip_compress_file(zip_, source_, source_), 0);
  EXPECT_EQ(zip_compress_file(zip_, source_, dir_.filePath(QStringLiteral("无此目录/x.ewd"))), 0);
  EXPECT_EQ(read_file(archive_), packed);
  EXPECT_EQ(read_file(source_), content_);
  EXPECT_EQ(entries_of(QFileInfo(archive_).path()), QStringList{"2024-05-01.ewd"});
}

TEST_F(ZipTest, HostileOrDamagedArchivesLeaveTheTargetUntouched) {
  const QString absolute = dir_.filePath(QStringLiteral("绝对 路径"));
  const std::vector<std::vector<HostileEntry>> hostile = {
      {{"data.mdb", S_IFREG}, {"../x", S_IFREG}},
      {{"data.mdb", S_IFREG}, {"子/../../x", S_IFREG}},
      {{"data.mdb", S_IFREG}, {QFile::encodeName(absolute).toStdString(), S_IFREG}},
      {{"data.mdb", S_IFREG}, {"..\\x", S_IFREG}},
      {{"data.mdb", S_IFREG}, {"C:\\x", S_IFREG}},
      {{"data.mdb", S_IFREG}, {"链接", S_IFLNK}},
      {{"data.mdb", S_IFREG}, {"管道", S_IFIFO}},
      {{"data.mdb", S_IFREG}, {"./data.mdb", S_IFREG}},
  };
  write_file(target_ + QStringLiteral("/data.mdb"), "旧的数据库");
  for (const auto& entries : hostile) {
    write_archive(archive_, entries);
    EXPECT_EQ(zip_extract(zip_, archive_, target_), 0) << entries.back().name;
    EXPECT_EQ(read_file(target_ + QStringLiteral("/data.mdb")), QByteArray("旧的数据库"));
    EXPECT_EQ(entries_of(target_), QStringList{"data.mdb"}) << entries.back().name;
    EXPECT_EQ(entries_of(QFileInfo(target_).path()), QStringList{"data"});
  }
  EXPECT_FALSE(QFileInfo::exists(absolute));

  ASSERT_EQ(zip_compress_file(zip_, source_, archive_), 1);
  const QByteArray whole = read_file(archive_);
  struct Damaged {
    const char* what;
    QByteArray bytes;
  };
  QByteArray flipped = whole;
  flipped[100] = static_cast<char>(flipped[100] ^ 0x55);
  const Damaged damaged[] = {{"truncated", whole.left(whole.size() / 2)},
                             {"corrupted", flipped},
                             {"garbage", QByteArray(4096, 'z')},
                             {"empty", QByteArray()},
                             {"no entries", QByteArray("PK\x05\x06") + QByteArray(18, '\0')}};
  for (const Damaged& d : damaged) {
    write_file(archive_, d.bytes);
    EXPECT_EQ(zip_extract(zip_, archive_, target_), 0) << d.what;
    EXPECT_EQ(read_file(target_ + QStringLiteral("/data.mdb")), QByteArray("旧的数据库"));
    EXPECT_EQ(entries_of(target_), QStringList{"data.mdb"}) << d.what;
  }
  EXPECT_EQ(zip_extract(zip_, dir_.filePath(QStringLiteral("没有.ewd")), target_), 0);
}

TEST_F(ZipTest, EntryThatCannotTakeItsPlaceChangesNothing) {
  write_archive(archive_, {{"data.mdb", S_IFREG}, {"子目录", S_IFREG}});
  write_file(target_ + QStringLiteral("/data.mdb"), "旧的数据库");
  ASSERT_TRUE(QDir().mkpath(target_ + QStringLiteral("/子目录")));
  EXPECT_EQ(zip_extract(zip_, archive_, target_), 0);
  EXPECT_EQ(read_file(target_ + QStringLiteral("/data.mdb")), QByteArray("旧的数据库"));
  EXPECT_EQ(zip_extract(zip_, archive_, target_ + QStringLiteral("/没有")), 0);
}

}  // namespace
