#pragma once

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <vector>

#include "platform/database.h"
#include "storage/schema.h"

// A fresh data.mdb in a folder whose path holds a blank and Chinese characters.
class StatementsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    const QString path = dir_.filePath(QStringLiteral("数据 目录 data.mdb"));
    ASSERT_TRUE(create_empty_database(path));
    ASSERT_NE(db_open_mdb(db_, path, database_password), 0);
  }

  void category(const QString& name, const QString& position) {
    ASSERT_EQ(db_execute(db_, QStringLiteral("insert into 目录管理(目录位置,目录名称) values('") +
                                  sql_value(position) + QStringLiteral("','") + sql_value(name) +
                                  QStringLiteral("')")),
              1);
  }

  // position and title are SQL literals, so tests can store numbers and blobs.
  void article(const QString& owner, const QString& position_literal,
               const QString& title_literal) {
    ASSERT_EQ(db_execute(
                  db_, QStringLiteral("insert into 文章管理(文章所属,文章位置,文章标题) values('") +
                           sql_value(owner) + QStringLiteral("',") + position_literal +
                           QStringLiteral(",") + title_literal + QStringLiteral(")")),
              1);
  }
  void article(const QString& owner, int position, const QString& title) {
    article(owner, QStringLiteral("'%1'").arg(position),
            QStringLiteral("'") + sql_value(title) + QStringLiteral("'"));
  }

  std::vector<QString> positions_of(const QString& owner) {
    std::vector<QString> positions;
    RecordSet records = db_query(
        db_, QStringLiteral("select 文章标题 || '@' || 文章位置 from 文章管理 where 文章所属 = '") +
                 sql_value(owner) + QStringLiteral("' order by 文章标题"));
    for (; !db_at_end(records); db_move_next(records))
      positions.push_back(db_read_text(records, 1));
    db_close_recordset(records);
    return positions;
  }

  QTemporaryDir dir_;
  ExternalDatabase db_;
};
