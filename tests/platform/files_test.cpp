#include "platform/files.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include "support/file_contents.h"
#include "support/non_regular_files.h"

namespace {

class BoundedFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    folder = dir.filePath(QStringLiteral("文件 夹"));
    ASSERT_TRUE(QDir().mkpath(folder));
  }

  QString path(const QString& name) const { return folder + u'/' + name; }

  QString write(const QString& name, const QByteArray& bytes) const {
    write_file(path(name), bytes);
    return path(name);
  }

  QString fifo(const QString& name) const { return make_fifo(path(name)); }
  QString link(const QString& name, const QString& target) const {
    return make_link(path(name), target);
  }

  QTemporaryDir dir;
  QString folder;
};

// Every case returns at once: a FIFO without a writer, a link to an endless device or a
// directory would block or never end if it were opened and read.
TEST_F(BoundedFileTest, OnlyARegularFileWithinTheBoundIsRead) {
  const QString small = write(QStringLiteral("小.txt"), "12345");
  struct Case {
    const char* what;
    QString file;
    qint64 largest;
    const char* reason;  // part of the refusal; nullptr: read whole
  };
  const Case cases[] = {
      {"regular file", small, 5, nullptr},
      {"empty file", write(QStringLiteral("空"), ""), 5, nullptr},
      {"link to a regular file", link(QStringLiteral("链接"), small), 5, nullptr},
      {"one byte too large", small, 4, "holds 5 bytes"},
      {"missing", path(QStringLiteral("无")), 5, "No such file or directory"},
      {"empty path", QString(), 5, "no file named"},
      {"directory", folder, 5, "directory"},
      {"FIFO", fifo(QStringLiteral("管道")), 5, "FIFO"},
      {"link to a FIFO", link(QStringLiteral("到管道"), path(QStringLiteral("管道"))), 5, "FIFO"},
      {"link to /dev/zero", link(QStringLiteral("零"), QStringLiteral("/dev/zero")), 5, "device"},
      {"dangling link", link(QStringLiteral("断"), path(QStringLiteral("不在"))), 5,
       "No such file or directory"},
  };
  for (const Case& c : cases) {
    const QString refusal = file_refusal(c.file, c.largest);
    const BoundedRead read = read_bounded_file(c.file, c.largest);
    if (c.reason == nullptr) {
      EXPECT_EQ(refusal, QString()) << c.what;
      EXPECT_TRUE(read.whole()) << c.what << ": " << read.failure.toStdString();
      QFile file(c.file);
      ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << c.what;
      EXPECT_EQ(read.bytes, file.readAll()) << c.what;
    } else {
      EXPECT_TRUE(refusal.contains(QLatin1String(c.reason)))
          << c.what << ": " << refusal.toStdString();
      EXPECT_FALSE(read.whole()) << c.what;
      EXPECT_EQ(read.failure, refusal) << c.what;
      EXPECT_TRUE(read.bytes.isEmpty()) << c.what;
    }
  }
}

TEST_F(BoundedFileTest, ASocketIsRefusedAndWithoutABoundOnlyTheKindCounts) {
  const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
  ASSERT_GE(listener, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const QByteArray socket_path = QFile::encodeName(dir.filePath(QStringLiteral("s")));
  ASSERT_LT(size_t(socket_path.size()), sizeof(address.sun_path));
  std::copy(socket_path.begin(), socket_path.end(), address.sun_path);
  ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
  EXPECT_TRUE(file_refusal(QFile::decodeName(socket_path)).contains(QLatin1String("socket")));
  ::close(listener);

  EXPECT_EQ(file_refusal(write(QStringLiteral("大"), QByteArray(4096, 'x'))), QString());
}

}  // namespace
