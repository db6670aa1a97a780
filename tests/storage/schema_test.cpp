#include "storage/schema.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "platform/database.h"
#include "support/file_contents.h"

namespace {

QStringList column_list(ExternalDatabase& db, const QString& pragma) {
  QStringList names;
  RecordSet records = db_query(db, pragma);
  for (; !db_at_end(records); db_move_next(records)) {
    names << db_read_text(records, QStringLiteral("name"));
  }
  return names;
}

class SchemaTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    path_ = dir_.filePath(QStringLiteral("新 数据库.mdb"));
    ASSERT_TRUE(create_empty_database(path_));
    ASSERT_NE(db_open_mdb(db_, path_, database_password), 0);
  }

  QTemporaryDir dir_;
  QString path_;
  ExternalDatabase db_;
};

TEST_F(SchemaTest, TablesHaveTheirColumnsInOrder) {
  struct Case {
    const char* table;
    QStringList columns;
  };
  const Case cases[] = {
      {"文章管理", {"ID", "文章所属", "文章位置", "文章内容", "文章标题", "建立时间", "修改时间"}},
      {"目录管理", {"ID", "目录位置", "目录名称"}},
      {"用户管理", {"ID", "开启登陆", "用户密码"}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(column_list(db_, QStringLiteral("pragma table_info(%1)").arg(c.table)), c.columns)
        << c.table;
  }
}

TEST_F(SchemaTest, OneLoginRowAndNoOtherRows) {
  RecordSet users = db_query(db_, QStringLiteral("select * from 用户管理"));
  EXPECT_EQ(db_read_text(users, 2), QStringLiteral("假"));
  EXPECT_EQ(db_read_text(users, 3), QString());
  db_move_next(users);
  EXPECT_TRUE(db_at_end(users));
  EXPECT_TRUE(db_at_end(db_query(db_, QStringLiteral("select * from 文章管理"))));
  EXPECT_TRUE(db_at_end(db_query(db_, QStringLiteral("select * from 目录管理"))));
}

TEST_F(SchemaTest, ArticleIndexesServeLookupsListFillAndSearch) {
  QList<QStringList> indexes;
  for (const QString& index : column_list(db_, QStringLiteral("pragma index_list(文章管理)"))) {
    indexes << column_list(db_, QStringLiteral("pragma index_info(%1)").arg(index));
  }
  EXPECT_TRUE(indexes.contains(QStringList{"文章所属", "文章标题"}));
  EXPECT_TRUE(indexes.contains(QStringList{"文章所属", "文章位置", "文章标题"}));
  EXPECT_TRUE(indexes.contains(QStringList{"ID", "文章标题", "文章所属", "建立时间", "修改时间"}));
}

TEST_F(SchemaTest, FileIsEncryptedAndLeavesNoTemporaryFiles) {
  QFile file(path_);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_FALSE(file.read(16).startsWith("SQLite format 3"));
  EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden),
            QStringList{QStringLiteral("新 数据库.mdb")});
}

TEST(SchemaFailureTest, NeitherReplacesAFileNorLeavesHalfOne) {
  QTemporaryDir dir;
  const QString existing = dir.filePath(QStringLiteral("已有 “笔记”.mdb"));
  write_file(existing, "用户的数据");
  EXPECT_FALSE(create_empty_database(existing));
  EXPECT_EQ(read_file(existing), QByteArray("用户的数据"));

  EXPECT_FALSE(create_empty_database(dir.filePath(QStringLiteral("没有的 目录/data.mdb"))));
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
            QStringList{QStringLiteral("已有 “笔记”.mdb")});
}

}  // namespace
