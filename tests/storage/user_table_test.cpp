#include "storage/user_table.h"

#include <gtest/gtest.h>

#include "platform/runtime_error.h"
#include "storage/table_fixture.h"
#include "support/sql_helpers.h"

namespace {

class UserTableTest : public StatementsTest {
 protected:
  void set_rows(std::initializer_list<std::pair<const char*, const char*>> rows) {
    ASSERT_EQ(db_execute(db_, QStringLiteral("delete from 用户管理")), 1);
    for (const auto& [on, password] : rows)
      ASSERT_TRUE(seed_sql(db_, QStringLiteral("insert into 用户管理(开启登陆,用户密码) values('") +
                                    sql_value(QString::fromUtf8(on)) + QStringLiteral("','") +
                                    sql_value(QString::fromUtf8(password)) + QStringLiteral("')")));
  }
  std::vector<QStringList> rows() {
    return query_rows(db_, QStringLiteral("select 开启登陆, 用户密码 from 用户管理 order by ID"));
  }
};

TEST_F(UserTableTest, TheFreshRowIsOffWithAnEmptyPassword) {
  EXPECT_EQ(read_login_switch(db_), QStringLiteral("假"));
  EXPECT_EQ(read_login_password(db_), QString());
}

TEST_F(UserTableTest, OnlyTheFirstRowIsReadAndEveryRowIsUpdated) {
  set_rows({{"真", "first"}, {"假", "second"}});
  EXPECT_EQ(read_login_switch(db_), QStringLiteral("真"));
  EXPECT_EQ(read_login_password(db_), QStringLiteral("first"));

  const QString hostile = QStringLiteral("it's 密码' or '1'='1");
  EXPECT_TRUE(store_login_password(db_, hostile));
  EXPECT_TRUE(store_login_switch(db_, false));
  const std::vector<QStringList> expected = {{QStringLiteral("假"), hostile},
                                             {QStringLiteral("假"), hostile}};
  EXPECT_EQ(rows(), expected);
  EXPECT_TRUE(store_login_switch(db_, true));
  EXPECT_EQ(rows().back().front(), QStringLiteral("真"));
  EXPECT_EQ(read_login_password(db_), hostile);
}

TEST_F(UserTableTest, AFieldThatIsNoTextIsARuntimeError) {
  ASSERT_TRUE(seed_sql(db_, QStringLiteral("update 用户管理 set 开启登陆=x'31', 用户密码=x'00'")));
  for (auto read : {read_login_switch, read_login_password}) {
    try {
      read(db_);
      ADD_FAILURE() << "no run-time error";
    } catch (const RuntimeError& error) {
      EXPECT_EQ(error.code(), error_not_text);
    }
  }
}

TEST_F(UserTableTest, UpdatesThatChangeNoRowAreFailures) {
  set_rows({});
  EXPECT_EQ(read_login_switch(db_), QString());
  EXPECT_FALSE(store_login_password(db_, QStringLiteral("x")));
  EXPECT_FALSE(store_login_switch(db_, true));

  db_close(db_);
  EXPECT_FALSE(store_login_password(db_, QStringLiteral("x")));
  EXPECT_FALSE(store_login_switch(db_, false));
}

}  // namespace
