#include "platform/database.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <chrono>
#include <functional>
#include <future>
#include <optional>
#include <thread>

#include "platform/runtime_error.h"
#include "storage/schema.h"
#include "support/captured_stderr.h"
#include "support/file_contents.h"
#include "support/non_regular_files.h"

namespace {

class DatabaseTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    path_ = dir_.filePath(QStringLiteral("程序 目录/data/data.mdb"));
    ASSERT_TRUE(QDir().mkpath(QFileInfo(path_).path()));
    ASSERT_TRUE(create_empty_database(path_));
    ASSERT_NE(db_open_mdb(db_, path_, database_password), 0);
  }

  void execute(const QString& sql) { ASSERT_EQ(db_execute(db_, sql), 1) << sql.toStdString(); }

  void add_category(const QString& position, const QString& name) {
    execute(QStringLiteral("insert into 目录管理 (目录位置, 目录名称) values ('%1', '%2')")
                .arg(sql_value(position), sql_value(name)));
  }

  void add_article(const QString& category, const QString& title) {
    execute(
        QStringLiteral("insert into 文章管理 (文章所属, 文章位置, 文章标题, 建立时间, 修改时间) "
                       "values ('%1', '1', '%2', '2024-05-01 08:00:00', '2024-05-01 08:00:00')")
            .arg(sql_value(category), sql_value(title)));
  }

  int count(const QString& sql) {
    RecordSet records = db_query(db_, sql);
    const int n = db_read_number(records, QStringLiteral("a"));
    db_close_recordset(records);
    return n;
  }

  QTemporaryDir dir_;
  QString path_;
  ExternalDatabase db_;
};

int error_code_of(const std::function<void()>& read) {
  try {
    read();
  } catch (const RuntimeError& error) {
    return error.code();
  }
  return 0;
}

TEST_F(DatabaseTest, CountIsReadWithoutMovingFirst) {
  add_category(QStringLiteral("1"), QStringLiteral("“工作”笔记"));
  add_category(QStringLiteral("2"), QStringLiteral("O'Brien 的目录"));
  RecordSet records = db_query(db_, QStringLiteral("select count(*) as a from 目录管理"));
  EXPECT_FALSE(db_at_end(records));
  EXPECT_EQ(db_read_number(records, QStringLiteral("a")), 2);
  EXPECT_EQ(db_read_number(records, QStringLiteral("A")), 2);
}

TEST_F(DatabaseTest, RecordSetStandsOnItsFirstRecordAndWalks) {
  for (const char* name : {"甲", "乙", "丙"})
    add_category(QStringLiteral("1"), QString::fromUtf8(name));
  RecordSet records = db_query(db_, QStringLiteral("select 目录名称 from 目录管理 order by ID"));
  EXPECT_EQ(db_read_text(records, 1), QStringLiteral("甲"));
  db_move_next(records);
  db_move_next(records);
  EXPECT_EQ(db_read_text(records, QStringLiteral("目录名称")), QStringLiteral("丙"));
  db_move_next(records);
  EXPECT_TRUE(db_at_end(records));
  EXPECT_TRUE(db_read_field(records, 1).is_null());
  db_move_next(records);
  EXPECT_TRUE(db_at_end(records));
  db_move_first(records);
  EXPECT_FALSE(db_at_end(records));
  EXPECT_EQ(db_read_text(records, 1), QStringLiteral("甲"));

  RecordSet empty = db_query(db_, QStringLiteral("select * from 文章管理"));
  EXPECT_TRUE(db_at_end(empty));
  db_move_first(empty);
  EXPECT_TRUE(db_at_end(empty));
}

TEST_F(DatabaseTest, FieldsByNumberNameAndAlias) {
  add_article(QStringLiteral("分类"), QStringLiteral("标题"));
  RecordSet records =
      db_query(db_, QStringLiteral("select 文章标题, 文章所属 as Owner from 文章管理"));
  EXPECT_EQ(db_read_text(records, 2), QStringLiteral("分类"));
  EXPECT_EQ(db_read_text(records, QStringLiteral("owner")), QStringLiteral("分类"));
  EXPECT_EQ(db_read_text(records, QStringLiteral("文章标题")), QStringLiteral("标题"));
  EXPECT_TRUE(db_read_field(records, 0).is_null());
  EXPECT_TRUE(db_read_field(records, 3).is_null());
  EXPECT_TRUE(db_read_field(records, QStringLiteral("文章内容")).is_null());
}

TEST_F(DatabaseTest, PositionsOfAnyTypeGoThroughToInteger) {
  struct Case {
    const char* expression;
    DbValue::Type type;
    int expected;
  };
  const Case cases[] = {
      {"'12'", DbValue::Type::text, 12},
      {"' 7 块'", DbValue::Type::text, 7},
      {"12", DbValue::Type::integer, 12},
      {"2.9", DbValue::Type::real, 2},
      {"-2.9", DbValue::Type::real, -2},
      {"NULL", DbValue::Type::null, 0},
      {"x'31'", DbValue::Type::blob, 0},
      {"'甲'", DbValue::Type::text, 0},
      {"9999999999", DbValue::Type::integer, 2147483647},
  };
  for (const Case& c : cases) {
    RecordSet records =
        db_query(db_, QStringLiteral("select %1 as p").arg(QString::fromUtf8(c.expression)));
    const DbValue value = db_read_field(records, QStringLiteral("p"));
    EXPECT_EQ(value.type(), c.type) << c.expression;
    EXPECT_EQ(to_integer(value), c.expected) << c.expression;
  }
}

// The bytes as stored, also where they are no UTF-8 text; the text of the same field decodes them.
TEST_F(DatabaseTest, BytesOfAFieldAreTheStoredBytesWhateverItsType) {
  struct Case {
    const char* expression;
    QByteArray bytes;
  };
  const Case cases[] = {
      {"'文本'", "\xe6\x96\x87\xe6\x9c\xac"},
      {"cast(x'cbceccff00e5' as text)", QByteArray("\xcb\xce\xcc\xff\x00\xe5", 6)},
      {"x'00ff7b5c'", QByteArray("\x00\xff{\\", 4)},
      {"x''", ""},
      {"12", "12"},
      {"2.5", "2.5"},
      {"NULL", ""},
  };
  for (const Case& c : cases) {
    RecordSet records =
        db_query(db_, QStringLiteral("select %1 as p").arg(QString::fromUtf8(c.expression)));
    EXPECT_EQ(db_read_bytes(records, QStringLiteral("P")), c.bytes) << c.expression;
    EXPECT_TRUE(db_read_bytes(records, QStringLiteral("q")).isEmpty()) << c.expression;
    db_move_next(records);
    EXPECT_TRUE(db_read_bytes(records, QStringLiteral("p")).isEmpty()) << c.expression;
  }
  RecordSet invalid = db_query(db_, QStringLiteral("select cast(x'41ff42' as text) as p"));
  EXPECT_EQ(db_read_text(invalid, 1), u"A\uFFFDB"_qs);
  db_close(db_);
  EXPECT_TRUE(db_read_bytes(invalid, QStringLiteral("p")).isEmpty());
}

TEST_F(DatabaseTest, TextReadsRaiseErrorFiveOnOtherTypes) {
  RecordSet records =
      db_query(db_, QStringLiteral("select count(*), 1.5, x'00', NULL, '文本' from 目录管理"));
  EXPECT_EQ(error_code_of([&] { db_read_text(records, 1); }), error_not_text);
  EXPECT_EQ(error_code_of([&] { db_read_text(records, 2); }), error_not_text);
  EXPECT_EQ(error_code_of([&] { db_read_text(records, 3); }), error_not_text);
  EXPECT_EQ(db_read_text(records, 4), QString());
  EXPECT_EQ(db_read_text(records, 5), QStringLiteral("文本"));
  EXPECT_EQ(RuntimeError(error_not_text).message(),
            QStringLiteral("运行时错误 5：字段不是文本型数据"));
}

TEST_F(DatabaseTest, CountReadsRaiseErrorTwoOnNonNumbers) {
  struct Case {
    const char* expression;
    std::optional<int> expected;  // none: raises error_not_numeric
  };
  const Case cases[] = {{"'a'", std::nullopt},
                        {"'3'", std::nullopt},
                        {"x'01'", std::nullopt},
                        {"2.9", 2},
                        {"-2.9", -2},
                        {"4294967297", 1},
                        {"NULL", 0},
                        {"0", 0}};
  for (const Case& c : cases) {
    RecordSet records =
        db_query(db_, QStringLiteral("select %1 as a").arg(QString::fromUtf8(c.expression)));
    if (!c.expected) {
      EXPECT_EQ(error_code_of([&] { db_read_number(records, QStringLiteral("a")); }),
                error_not_numeric)
          << c.expression;
    } else {
      EXPECT_EQ(db_read_number(records, QStringLiteral("a")), *c.expected) << c.expression;
    }
  }
  EXPECT_EQ(RuntimeError(error_not_numeric).message(),
            QStringLiteral("运行时错误 2：字段不是数值型数据"));
}

TEST_F(DatabaseTest, UnsavedContentReadsAsEmptyText) {
  add_article(QStringLiteral("分类"), QStringLiteral("新文章"));
  RecordSet records =
      db_query(db_, QStringLiteral("select 文章内容 from 文章管理 where 文章标题 = '新文章'"));
  EXPECT_TRUE(db_read_field(records, QStringLiteral("文章内容")).is_null());
  EXPECT_EQ(db_read_text(records, QStringLiteral("文章内容")), QString());
}

TEST_F(DatabaseTest, LikePercentMatchesAnyText) {
  for (const char* title : {"", "中文标题", "O'Brien", "100%", "a_b"}) {
    add_article(QStringLiteral("分类"), QString::fromUtf8(title));
  }
  EXPECT_EQ(count(QStringLiteral("select count(*) as a from 文章管理 where 文章标题 like '%'")), 5);
  EXPECT_EQ(
      count(QStringLiteral("select count(*) as a from 文章管理 where 文章标题 like '%中文%'")), 1);
}

TEST_F(DatabaseTest, ValuesRoundTripUnchanged) {
  const QString values[] = {
      QStringLiteral("O'Brien"),  QStringLiteral("'; drop table 目录管理; --"),
      QStringLiteral("%"),        QStringLiteral("\\"),
      QStringLiteral("''"),       QString(),
      QStringLiteral("😀 表情 🀄"), QStringLiteral("“引号” '单引号' \"双引号\"\n第二行\t"),
      QString(500 * 1024, u'字'),
  };
  add_article(QStringLiteral("分类"), QStringLiteral("目标"));
  for (const QString& value : values) {
    const QString shown = value.left(40);
    execute(QStringLiteral("delete from 目录管理"));
    add_category(QStringLiteral("1"), value);
    RecordSet quoted =
        db_query(db_, QStringLiteral("select 目录名称 from 目录管理 where 目录名称 = '%1'")
                          .arg(sql_value(value)));
    ASSERT_FALSE(db_at_end(quoted)) << shown.toStdString();
    EXPECT_EQ(db_read_text(quoted, 1), value) << shown.toStdString();
    db_close_recordset(quoted);

    EXPECT_EQ(
        db_execute(db_, QStringLiteral("update 文章管理 set 文章内容 = ? where 文章标题 = '目标'"),
                   value),
        1);
    RecordSet bound =
        db_query(db_, QStringLiteral("select 文章内容 from 文章管理 where 文章标题 = '目标'"));
    EXPECT_EQ(db_read_text(bound, QStringLiteral("文章内容")), value) << shown.toStdString();
  }
  EXPECT_EQ(count(QStringLiteral("select count(*) as a from 目录管理")), 1);
}

TEST_F(DatabaseTest, SecondStatementInOneTextIsRefused) {
  EXPECT_EQ(db_execute(db_, QStringLiteral("insert into 目录管理 (目录名称) values ('x'); "
                                           "drop table 目录管理")),
            0);
  EXPECT_EQ(count(QStringLiteral("select count(*) as a from 目录管理")), 0);
  RecordSet records = db_query(db_, QStringLiteral("select 1 as a; delete from 用户管理"));
  EXPECT_TRUE(db_at_end(records));
  EXPECT_EQ(count(QStringLiteral("select count(*) as a from 用户管理")), 1);
  EXPECT_EQ(db_execute(db_, QStringLiteral("delete from 目录管理;  -- 说明\n")), 1);
}

TEST_F(DatabaseTest, FailedStatementsGiveZero) {
  EXPECT_EQ(db_execute(db_, QStringLiteral("update 没有的表 set x = '1'")), 0);
  EXPECT_EQ(db_execute(db_, QStringLiteral("update 文章管理 set 文章内容 = '1'"),
                       QStringLiteral("无处可放")),
            0);
  EXPECT_TRUE(db_at_end(db_query(db_, QStringLiteral("select from"))));
  EXPECT_TRUE(db_at_end(db_query(db_, QString())));
}

// Each failing statement, query, read or transaction step leaves one line: what was run, on
// which file, and the engine's own reason.
TEST_F(DatabaseTest, FailuresSayWhatFailedOnWhichFileAndWhy) {
  struct Case {
    const char* what;
    std::function<void(ExternalDatabase&)> run;
    QString line_start;
    QString reason;
  };
  const Case cases[] = {
      {"a statement on a missing table",
       [](ExternalDatabase& db) { db_execute(db, QStringLiteral("update 没有的表 set x = '1'")); },
       QStringLiteral("wrenfold: run the statement \"update 没有的表 set x = '1'\" on"),
       QStringLiteral("no such table: 没有的表")},
      {"a parameter without its \"?\"",
       [](ExternalDatabase& db) {
         db_execute(db, QStringLiteral("delete from 文章管理"), QStringLiteral("值"));
       },
       QStringLiteral("wrenfold: run the statement \"delete from 文章管理\" on"),
       QStringLiteral("the statement does not have exactly one \"?\"")},
      {"a second statement",
       [](ExternalDatabase& db) { db_query(db, QStringLiteral("select 1; delete from 用户管理")); },
       QStringLiteral("wrenfold: run the query \"select 1; delete from 用户管理\" on"),
       QStringLiteral("the text holds more than one statement")},
      {"a query that does not parse",
       [](ExternalDatabase& db) { db_query(db, QStringLiteral("select from")); },
       QStringLiteral("wrenfold: run the query \"select from\" on"),
       QStringLiteral("near \"from\": syntax error")},
      {"a row that cannot be read",
       [](ExternalDatabase& db) {
         db_query(db, QStringLiteral("select abs(-9223372036854775807 - 1) as a"));
       },
       QStringLiteral(
           "wrenfold: read the rows of \"select abs(-9223372036854775807 - 1) as a\" on"),
       QStringLiteral("integer overflow")},
      {"a transaction inside a transaction",
       [](ExternalDatabase& db) {
         Transaction outer(db);
         Transaction inner(db);
       },
       QStringLiteral("wrenfold: begin a change of"),
       QStringLiteral("cannot start a transaction within a transaction")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    CapturedStderr captured;
    c.run(db_);
    const QStringList lines = captured.lines();
    ASSERT_EQ(lines.size(), 1) << lines.join(u'\n').toStdString();
    EXPECT_EQ(lines[0].toStdString(),
              QStringLiteral("%1 \"%2\": %3").arg(c.line_start, path_, c.reason).toStdString());
  }
  // A long statement shows its start only, on one line.
  CapturedStderr captured;
  db_execute(db_, QStringLiteral("update 没有的表\nset x = '%1'").arg(QString(300, u'长')));
  ASSERT_EQ(captured.lines().size(), 1);
  EXPECT_TRUE(captured.lines()[0].startsWith(
      QStringLiteral("wrenfold: run the statement \"update 没有的表 set x = '长")));
  EXPECT_LT(captured.lines()[0].size(), 250);
}

TEST_F(DatabaseTest, ChangesSurviveReopening) {
  add_category(QStringLiteral("1"), QStringLiteral("留存"));
  db_close(db_);
  ASSERT_NE(db_open_mdb(db_, path_, database_password), 0);
  EXPECT_EQ(count(QStringLiteral("select count(*) as a from 目录管理 where 目录名称 = '留存'")), 1);
}

TEST_F(DatabaseTest, ClosedConnectionAnswersEmptyAndZero) {
  RecordSet open_records = db_query(db_, QStringLiteral("select * from 用户管理"));
  ASSERT_FALSE(db_at_end(open_records));
  db_close(db_);
  EXPECT_FALSE(db_.is_open());
  // A record set left open across the close has no current record any more.
  EXPECT_TRUE(db_at_end(open_records));
  EXPECT_TRUE(db_read_field(open_records, 2).is_null());
  db_move_first(open_records);
  EXPECT_TRUE(db_at_end(open_records));

  RecordSet records = db_query(db_, QStringLiteral("select * from 用户管理"));
  EXPECT_TRUE(db_at_end(records));
  EXPECT_EQ(db_read_text(records, 2), QString());
  EXPECT_EQ(db_read_number(records, QStringLiteral("a")), 0);
  EXPECT_EQ(db_execute(db_, QStringLiteral("delete from 用户管理")), 0);
  Transaction transaction(db_);
  EXPECT_FALSE(transaction.commit());
}

TEST_F(DatabaseTest, TransactionKeepsOnlyCommittedChanges) {
  {
    Transaction transaction(db_);
    add_category(QStringLiteral("1"), QStringLiteral("未提交"));
  }
  EXPECT_EQ(count(QStringLiteral("select count(*) as a from 目录管理")), 0);
  {
    Transaction transaction(db_);
    add_category(QStringLiteral("1"), QStringLiteral("已提交"));
    EXPECT_TRUE(transaction.commit());
  }
  EXPECT_EQ(count(QStringLiteral("select count(*) as a from 目录管理")), 1);
}

// Another connection takes a lock and lets it go a moment later, from a thread of its own as
// another process would.
class LockHolder {
 public:
  LockHolder(const QString& path, const std::function<void(ExternalDatabase&)>& take) {
    std::promise<void> taken;
    std::future<void> lock_is_held = taken.get_future();
    thread_ = std::thread([path, take, &taken] {
      ExternalDatabase other;
      db_open_mdb(other, path, database_password);
      take(other);
      taken.set_value();
      std::this_thread::sleep_for(std::chrono::milliseconds(500));
      db_execute(other, QStringLiteral("commit"));
    });
    lock_is_held.wait();
  }
  LockHolder(const LockHolder&) = delete;
  LockHolder& operator=(const LockHolder&) = delete;
  ~LockHolder() { thread_.join(); }

 private:
  std::thread thread_;
};

TEST_F(DatabaseTest, ALockHeldForAMomentIsWaitedFor) {
  {
    SCOPED_TRACE("opening while another connection writes");
    LockHolder writer(path_, [](ExternalDatabase& other) {
      ASSERT_EQ(db_execute(other, QStringLiteral("begin exclusive")), 1);
    });
    ExternalDatabase second;
    EXPECT_NE(db_open_mdb(second, path_, database_password), 0);
  }
  {
    SCOPED_TRACE("writing while another connection reads");
    LockHolder reader(path_, [](ExternalDatabase& other) {
      ASSERT_EQ(db_execute(other, QStringLiteral("begin")), 1);
      RecordSet records = db_query(other, QStringLiteral("select count(*) as a from 文章管理"));
      ASSERT_FALSE(db_at_end(records));
    });
    // As a save writes: in a transaction, whose commit waits for the reader.
    Transaction transaction(db_);
    add_article(QStringLiteral("日记"), QStringLiteral("等到了"));
    EXPECT_TRUE(transaction.commit());
  }
  EXPECT_EQ(count(QStringLiteral("select count(*) as a from 文章管理")), 1);
}

class OpenFailureTest : public ::testing::Test {
 protected:
  QTemporaryDir dir_;
};

TEST_F(OpenFailureTest, BadFilesFailWithoutCrashOrChange) {
  const QString good = dir_.filePath(QStringLiteral("好 的.mdb"));
  ASSERT_TRUE(create_empty_database(good));
  const QString garbage = dir_.filePath(QStringLiteral("垃圾 文件.mdb"));
  write_file(garbage, QByteArray(8192, 'x'));
  const QString empty = dir_.filePath(QStringLiteral("空 文件.mdb"));
  write_file(empty, {});
  const QString missing = dir_.filePath(QStringLiteral("不存在.mdb"));

  struct Case {
    QString path;
    QString password;
    QString reason;
  };
  const QString not_a_database = QStringLiteral("file is encrypted or is not a database");
  const Case cases[] = {
      {good, QStringLiteral("wrong"), not_a_database},
      {good, QString(), not_a_database},
      {garbage, database_password, not_a_database},
      {empty, database_password, QStringLiteral("it holds no table")},
      {missing, database_password, QStringLiteral("No such file or directory")},
      {dir_.path(), database_password, QStringLiteral("is a directory, not a regular file")},
  };
  for (const Case& c : cases) {
    ExternalDatabase db;
    CapturedStderr captured;
    EXPECT_EQ(db_open_mdb(db, c.path, c.password), 0) << c.path.toStdString();
    // One line says which file would not open and the engine's reason.
    EXPECT_EQ(captured.lines().join(u'\n').toStdString(),
              QStringLiteral("wrenfold: open the notebook \"%1\": %2")
                  .arg(c.path, c.reason)
                  .toStdString());
    EXPECT_FALSE(db.is_open());
    EXPECT_TRUE(db_at_end(db_query(db, QStringLiteral("select * from 用户管理"))));
    EXPECT_EQ(db_execute(db, QStringLiteral("delete from 用户管理")), 0);
  }
  // The engine would wait for ever on a FIFO: such files are refused before it opens them, and
  // say why on standard error.
  const QString fifo = make_fifo(dir_.filePath(QStringLiteral("管道.mdb")));
  for (const QString& path :
       {fifo, make_link(dir_.filePath(QStringLiteral("到管道.mdb")), fifo), dir_.path()}) {
    const CapturedStderr captured;
    ExternalDatabase db;
    EXPECT_EQ(db_open_mdb(db, path, database_password), 0) << path.toStdString();
    const QStringList lines = captured.lines();
    ASSERT_EQ(lines.size(), 1) << path.toStdString();
    EXPECT_TRUE(lines[0].contains(u'"' + path + QStringLiteral("\": is a")))
        << lines[0].toStdString();
  }
  EXPECT_FALSE(QFileInfo::exists(missing));
  EXPECT_EQ(QFileInfo(empty).size(), 0);
  ExternalDatabase db;
  EXPECT_NE(db_open_mdb(db, good, database_password), 0);
  ExternalDatabase linked;
  EXPECT_NE(db_open_mdb(linked, make_link(dir_.filePath(QStringLiteral("链接.mdb")), good),
                        database_password),
            0);
}

}  // namespace
