#include <gtest/gtest.h>

#include <QDate>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <memory>

#include "handlers/access/backup.h"
#include "handlers/access/find_text.h"
#include "handlers/notebook/notebook_fixture.h"
#include "platform/zip.h"
#include "storage/category_table.h"
#include "storage/schema.h"
#include "support/archives.h"
#include "support/captured_stderr.h"
#include "support/file_contents.h"
#include "windows/backup_window.h"

namespace {

const QString success = QStringLiteral("备份成功");
const QString failure = QStringLiteral("备份失败");
const QString no_path = QStringLiteral("请输入要备份的位置");
const QString wrong_path = QStringLiteral("备份位置输入错误 请进行检查");

// The backup window open over the main window, as 数据备份 leaves it while the user works in it.
class BackupTest : public NotebookTest {
 protected:
  void SetUp() override {
    NotebookTest::SetUp();
    ASSERT_NE(seed_category(QStringLiteral("读书 '笔记'"), QStringLiteral("1")), 0);
    ASSERT_NE(seed_article(QStringLiteral("读书 '笔记'"), QStringLiteral("1"),
                           QStringLiteral("第一篇"), QStringLiteral("{\\rtf1 正文}")),
              0);
    close_db();
    start_main_window();
  }

  void TearDown() override {
    backup_.reset();
    NotebookTest::TearDown();
  }

  BackupWindow& open_backup_window() {
    backup_ = std::make_unique<BackupWindow>();
    prepare_backup_window(*backup_);
    return *backup_;
  }

  // Types the target and clicks 开始备份; the messages of that click.
  QStringList back_up_to(const QString& target) {
    seam().clear_records();
    backup_->编辑框1->setText(target);
    backup_->按钮2->click();
    return seam().message_texts();
  }

  QString archive_in(const QString& relative) { return path(QStringLiteral("datab/") + relative); }

  // data.mdb as an archive holds it, or "<missing>".
  QByteArray unpacked_from(const QString& archive) {
    ZipComponent zip;
    const std::unique_ptr<UnpackedFile> unpacked =
        zip_extract_file(zip, archive, QStringLiteral("data.mdb"), path(QStringLiteral("ico")));
    return unpacked ? read_file(unpacked->path()) : QByteArray("<missing>");
  }

  std::unique_ptr<BackupWindow> backup_;
};

TEST_F(BackupTest, MenuOpensTheWindowWithTodaysPathAndTheCaretAtItsEnd) {
  const QString proposed = program_dir() + QStringLiteral("/datab/") +
                           QDate::currentDate().toString(Qt::ISODate) + QStringLiteral(".ewd");
  bool opened = false;
  seam().on_next_modal([&](QWidget* shown) {
    auto* window = qobject_cast<BackupWindow*>(shown);
    ASSERT_NE(window, nullptr);
    opened = true;
    EXPECT_EQ(window->windowTitle(), QStringLiteral("备份"));
    EXPECT_EQ(window->minimumSize(), QSize(362, 79));
    EXPECT_EQ(window->maximumSize(), QSize(362, 79));
    EXPECT_FALSE(window->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_FALSE(window->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_EQ(window->标签1->geometry(), QRect(7, 16, 64, 22));
    EXPECT_EQ(window->标签1->text(), QStringLiteral("备份位置："));
    EXPECT_EQ(window->编辑框1->geometry(), QRect(72, 16, 216, 22));
    EXPECT_EQ(window->标签2->geometry(), QRect(8, 46, 184, 22));
    EXPECT_EQ(window->标签2->text(), QStringLiteral("如果有相同文件名的文件将被掩盖"));
    const std::tuple<QPushButton*, QRect, const char*> buttons[] = {
        {window->按钮1, QRect(294, 16, 56, 22), "浏览"},
        {window->按钮2, QRect(198, 45, 72, 24), "开始备份"},
        {window->按钮3, QRect(278, 45, 72, 24), "取消"}};
    for (const auto& [button, rect, caption] : buttons) {
      EXPECT_EQ(button->geometry(), rect);
      EXPECT_EQ(button->text(), QString::fromUtf8(caption));
      EXPECT_FALSE(button->isDefault() || button->autoDefault()) << caption;
    }
    EXPECT_EQ(window->编辑框1->text(), proposed);
    EXPECT_EQ(window->编辑框1->cursorPosition(), proposed.size());
    EXPECT_FALSE(window->编辑框1->hasSelectedText());
  });
  choose_menu(MenuCommand::backup);
  EXPECT_TRUE(opened);
  EXPECT_EQ(seam().modal_windows(), QStringList{"BackupWindow"});
}

TEST_F(BackupTest, BrowseTakesTheChosenFileOrKeepsThePath) {
  BackupWindow& window = open_backup_window();
  const QString proposed = window.编辑框1->text();
  seam().cancel_file_next();
  window.按钮1->click();
  EXPECT_EQ(window.编辑框1->text(), proposed);

  const QString chosen = QStringLiteral("/其他 地方/笔记备份.ewd");
  seam().choose_file_next(chosen);
  window.编辑框1->setCursorPosition(0);
  window.按钮1->click();
  EXPECT_EQ(window.编辑框1->text(), chosen);
  EXPECT_EQ(window.编辑框1->cursorPosition(), chosen.size());

  ASSERT_EQ(seam().dialogs().size(), 2u);
  const CommonDialog& shown = seam().dialogs().back();
  EXPECT_EQ(shown.dialog_type, 1);
  EXPECT_EQ(shown.initial_dir, program_dir() + QStringLiteral("/datab/"));
  EXPECT_EQ(shown.default_ext, QStringLiteral("*.ewd"));
  EXPECT_EQ(shown.filter, QStringLiteral("数据库文件(*.ewd)|*.ewd"));
  EXPECT_EQ(shown.title, QString());
  // The window's own dialog: the main window's file dialog keeps what its last user left.
  EXPECT_EQ(window.通用对话框1.file_name, chosen);
  EXPECT_EQ(main_window().通用对话框2.dialog_type, 0);
}

TEST_F(BackupTest, PathWithoutEwdIsRefusedWithoutTouchingTheConnection) {
  open_backup_window();
  sqlite3* const connection = database().handle();
  struct Case {
    QString target;
    QStringList messages;
  };
  const Case cases[] = {
      {QString(), {no_path}},
      {archive_in(QStringLiteral("笔记.zip")), {wrong_path}},
      {archive_in(QStringLiteral("笔记.EWD")), {wrong_path}},
      {archive_in(QStringLiteral("笔记.ewd.zip")), {success}},
      {archive_in(QStringLiteral("旧.ewd 文件夹/笔记.zip")), {success}},
  };
  ASSERT_TRUE(QDir().mkpath(archive_in(QStringLiteral("旧.ewd 文件夹"))));
  for (const Case& c : cases) {
    EXPECT_EQ(back_up_to(c.target), c.messages) << c.target.toStdString();
    if (c.messages.front() != success) {
      EXPECT_EQ(database().handle(), connection);
      EXPECT_FALSE(QFileInfo::exists(c.target));
    } else {
      EXPECT_EQ(unpacked_from(c.target), read_file(database_path()));
    }
  }
  EXPECT_EQ(seam().messages().back().title, QString());
}

TEST_F(BackupTest, BackupOverAnOlderArchiveReplacesItAndReopens) {
  type_into_editor(QStringLiteral("未保存的文字"));
  const QString target = archive_in(QStringLiteral("同名.ewd"));
  write_file(target, "旧的备份");
  bool left_open = false;
  seam().on_next_modal([&](QWidget* shown) {
    backup_window().编辑框1->setText(target);
    backup_window().按钮2->click();
    left_open = shown->isVisible();
  });
  choose_menu(MenuCommand::backup);
  EXPECT_TRUE(left_open);
  EXPECT_EQ(seam().message_texts(), QStringList{success});
  EXPECT_EQ(seam().messages().front().title, QString());
  EXPECT_EQ(unpacked_from(target), read_file(database_path()));
  EXPECT_EQ(QDir(archive_in(QString())).entryList(QDir::Files | QDir::Hidden),
            QStringList{"同名.ewd"});

  // The connection is open again and the editor, lists and flag are as they were.
  EXPECT_TRUE(database().is_open());
  EXPECT_EQ(category_names_in_order(database()), QStringList{"读书 '笔记'"});
  EXPECT_EQ(editor().toPlainText(), QStringLiteral("未保存的文字"));
  EXPECT_TRUE(editor().modified());
}

TEST_F(BackupTest, FailedBackupLeavesTheOlderArchiveAndReopens) {
  const QString older = archive_in(QStringLiteral("较早.ewd"));
  write_file(older, "较早的备份");
  open_backup_window();
  ASSERT_TRUE(QDir().mkpath(archive_in(QStringLiteral("是目录.ewd"))));
  // Each failure leaves one line on standard error with the system's reason.
  const std::pair<QString, QString> failures[] = {
      {path(QStringLiteral("没有的目录/备份.ewd")), QStringLiteral("No such file or directory")},
      {archive_in(QStringLiteral("是目录.ewd")), QStringLiteral("Is a directory")},
  };
  for (const auto& [target, reason] : failures) {
    const CapturedStderr captured;
    EXPECT_EQ(back_up_to(target), QStringList{failure});
    ASSERT_EQ(captured.lines().size(), 1) << target.toStdString();
    EXPECT_TRUE(captured.lines()[0].endsWith(reason)) << captured.lines()[0].toStdString();
  }
  EXPECT_TRUE(database().is_open());

  // Without data.mdb the packing fails, the older archive stays and the reopening reports.
  db_close(database());
  ASSERT_TRUE(QFile::rename(database_path(), path(QStringLiteral("别处.mdb"))));
  EXPECT_EQ(back_up_to(older),
            (QStringList{failure, QStringLiteral("数据库打开失败 请检查数据库")}));
  EXPECT_EQ(read_file(older), QByteArray("较早的备份"));
  EXPECT_EQ(QDir(archive_in(QString())).entryList(QDir::Files | QDir::Hidden),
            QStringList{"较早.ewd"});
}

TEST_F(BackupTest, CancelClosesTheWindow) {
  bool closed_by_cancel = false;
  seam().on_next_modal([&](QWidget* shown) {
    auto* window = qobject_cast<BackupWindow*>(shown);
    ASSERT_NE(window, nullptr);
    window->按钮3->click();
    closed_by_cancel = window->isHidden();
  });
  choose_menu(MenuCommand::backup);
  EXPECT_TRUE(closed_by_cancel);
  EXPECT_TRUE(seam().messages().empty());
}

TEST(FindTextFromEnd, GivesTheLastPlaceOrMinusOne) {
  struct Case {
    QString text;
    QString sought;
    bool ignore_case;
    int position;
  };
  const Case cases[] = {
      {QStringLiteral("a.ewd/b.ewd"), QStringLiteral(".ewd"), false, 8},
      {QStringLiteral("备份.ewd"), QStringLiteral(".ewd"), false, 3},
      {QStringLiteral("备份.EWD"), QStringLiteral(".ewd"), false, -1},
      {QStringLiteral("备份.EWD"), QStringLiteral(".ewd"), true, 3},
      {QStringLiteral("备份.zip"), QStringLiteral(".ewd"), false, -1},
      {QString(), QStringLiteral(".ewd"), false, -1},
  };
  for (const Case& c : cases)
    EXPECT_EQ(find_text_from_end(c.text, c.sought, c.ignore_case), c.position)
        << c.text.toStdString();
}

}  // namespace
