#pragma once

#include <QApplication>
#include <QKeyEvent>
#include <QString>
#include <QWidget>

#include <utility>
#include <vector>

#include "platform/database.h"
#include "support/main_window_fixture.h"
#include "support/sql_helpers.h"

// A program directory whose 用户管理 rows the test sets, with keys typed as a user types them.
class LoginFixture : public MainWindowFixture {
 protected:
  // The rows of 用户管理 in order: (开启登陆, 用户密码).
  void set_login_rows(const std::vector<std::pair<QString, QString>>& rows) {
    ASSERT_TRUE(seed_sql(db(), QStringLiteral("delete from 用户管理")));
    for (const auto& [on, password] : rows)
      ASSERT_TRUE(seed_sql(
          db(), QStringLiteral("insert into 用户管理(开启登陆,用户密码) values('") + sql_value(on) +
                    QStringLiteral("','") + sql_value(password) + QStringLiteral("')")));
  }
  std::vector<QStringList> login_rows() {
    return query_rows(QStringLiteral("select 开启登陆, 用户密码 from 用户管理 order by ID"));
  }

  static void press_key(QWidget* target, Qt::Key key, const QString& text = QString()) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &release);
  }
  // Replaces the box's text by typing: select all, then one key per character.
  static void type_text(QWidget* box, const QString& text) {
    box->setFocus();
    QKeyEvent select_all(QEvent::KeyPress, Qt::Key_A, Qt::ControlModifier);
    QApplication::sendEvent(box, &select_all);
    press_key(box, Qt::Key_Delete);
    for (const QChar c : text)
      press_key(box, Qt::Key_unknown, QString(c));
  }
};
