#include <gtest/gtest.h>
#include <sqlcipher/sqlite3.h>
#include <sys/stat.h>

#include <QCursor>
#include <QDirIterator>
#include <QGuiApplication>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <functional>
#include <map>
#include <string_view>

#include "handlers/access/backup.h"
#include "handlers/access/restore.h"
#include "handlers/notebook/notebook_fixture.h"
#include "platform/controls/status_bar.h"
#include "platform/database_file.h"
#include "platform/sqlite_connection.h"
#include "platform/zip.h"
#include "startup/startup_chain.h"
#include "storage/schema.h"
#include "support/archives.h"
#include "support/captured_stderr.h"
#include "support/file_contents.h"
#include "windows/backup_window.h"

namespace {

const QString restore_question = QStringLiteral("如果继续进行还原现有数据将被掩盖 是否继续还原");
const QString restore_done = QStringLiteral("还原成功");
const QString restore_refused = QStringLiteral("还原失败");
const QString open_failed = QStringLiteral("数据库打开失败 请检查数据库");

const QStringList old_categories = {QStringLiteral("旧 '甲'"), QStringLiteral("旧乙")};
const QStringList new_categories = {QStringLiteral("新一"), QStringLiteral("新二")};

// The three tables, or fewer: a notebook made by another program or damaged by hand.
QStringList tables_sql(bool with_users, bool with_content) {
  return {QStringLiteral("create table 文章管理 (ID integer primary key, 文章所属 text, 文章位置 "
                         "text, ") +
              (with_content ? QStringLiteral("文章内容 text, ") : QString()) +
              QStringLiteral("文章标题 text, 建立时间 text, 修改时间 text)"),
          QStringLiteral(
              "create table 目录管理 (ID integer primary key, 目录位置 text, 目录名称 text)"),
          with_users ? QStringLiteral("create table 用户管理 (ID integer primary key, 开启登陆 "
                                      "text, 用户密码 text)")
                     : QStringLiteral("select 1")};
}

// Every file and folder below the folder, with the files' bytes.
std::map<QString, QByteArray> tree_of(const QString& folder) {
  std::map<QString, QByteArray> tree;
  QDirIterator entries(folder,
                       QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                       QDirIterator::Subdirectories);
  while (entries.hasNext()) {
    const QString entry = entries.next();
    tree[entry] = entries.fileInfo().isFile() ? read_file(entry) : QByteArray("<folder>");
  }
  return tree;
}

class RestoreTest : public NotebookTest {
 protected:
  void SetUp() override {
    NotebookTest::SetUp();
    ASSERT_TRUE(work_.isValid());
    for (int i = 0; i < old_categories.size(); ++i)
      ASSERT_NE(seed_category(old_categories[i], QString::number(i + 1)), 0);
    ASSERT_NE(seed_article(old_categories[0], QStringLiteral("1"), QStringLiteral("第一篇"),
                           QStringLiteral("{\\rtf1 旧的正文}")),
              0);
    close_db();
    old_bytes_ = read_file(database_path());

    // The notebook in the archives: a few pages, so that one can be damaged past the first.
    new_database_ = work_.filePath(QStringLiteral("新 笔记/data.mdb"));
    ASSERT_TRUE(QDir().mkpath(QFileInfo(new_database_).path()));
    ASSERT_TRUE(create_empty_database(new_database_));
    {
      ExternalDatabase other;
      ASSERT_NE(db_open_mdb(other, new_database_, database_password), 0);
      for (int i = 0; i < new_categories.size(); ++i)
        ASSERT_NE(::seed_category(other, new_categories[i], QString::number(i + 1)), 0);
      for (int i = 1; i <= 20; ++i) {
        ASSERT_NE(::seed_article(other, new_categories[0], QString::number(i),
                                 QStringLiteral("新文章 %1").arg(i),
                                 QStringLiteral("{\\rtf1 %1}").arg(QString(2000, u'字'))),
                  0);
      }
    }
    new_bytes_ = read_file(new_database_);
    archive_ = path(QStringLiteral("datab/新 备份.ewd"));
    ZipComponent zip;
    ASSERT_EQ(zip_compress_file(zip, new_database_, archive_), 1);
  }

  // The old notebook on screen: a category chosen, its article loaded and edited, not saved.
  void start_editing() {
    start_main_window();
    choose_category(0);
    click_list_row(0);
    type_into_editor(QStringLiteral("未保存"));
    ASSERT_TRUE(editor().modified());
  }

  // What the user does: 数据恢复, Yes, the archive.
  void restore_from(const QString& archive) {
    seam().clear_records();
    seam().answer_next(answer_yes);
    seam().choose_file_next(archive);
    choose_menu(MenuCommand::restore);
  }

  QStringList combo_items() {
    QStringList items;
    for (int i = 0; i < combo().combo_item_count(); ++i)
      items << combo().combo_item_text(i);
    return items;
  }

  // What the main window shows.
  QString screen() {
    return combo_items().join(u',') + u'|' + QString::number(combo().selected_index()) + u'|' +
           rows().join(u',') + u'|' + QString::number(list().current_row()) + u'|' +
           editor().toPlainText() + u'|' + QString::number(editor().modified()) + u'|' +
           QString::number(globals().loaded_article_row);
  }

  QByteArray database_made_with(const QString& key, const QStringList& statements) {
    const QString file = work_.filePath(QStringLiteral("做/%1.mdb").arg(++made_));
    QDir().mkpath(QFileInfo(file).path());
    return db_create_file(file, key, statements) ? read_file(file) : QByteArray();
  }

  // A notebook as the program makes it, then changed by the statements.
  QByteArray notebook_changed_by(const QStringList& statements) {
    const QString file = work_.filePath(QStringLiteral("改/%1.mdb").arg(++made_));
    QDir().mkpath(QFileInfo(file).path());
    if (!create_empty_database(file))
      return QByteArray();
    {
      const SqliteHandle handle = open_keyed(file, SQLITE_OPEN_READWRITE, database_password);
      for (const QString& sql : statements) {
        if (!handle || !run_sql(handle.get(), sql.toUtf8().constData())) {
          ADD_FAILURE() << sql.toStdString();
          return QByteArray();
        }
      }
    }
    return read_file(file);
  }

  QTemporaryDir work_;
  QString new_database_;
  QByteArray old_bytes_;
  QByteArray new_bytes_;
  QString archive_;
  int made_ = 0;
};

TEST_F(RestoreTest, RestoredCategoriesShowWithNoneSelectedAndTheEditorEmpty) {
  start_editing();
  std::optional<Qt::CursorShape> cursor_while_working;
  set_restore_step_hook([&](std::string_view) {
    if (const QCursor* cursor = QGuiApplication::overrideCursor())
      cursor_while_working = cursor->shape();
  });
  restore_from(archive_);
  set_restore_step_hook({});
  EXPECT_EQ(cursor_while_working, Qt::WaitCursor);
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);

  EXPECT_EQ(seam().message_texts(), (QStringList{restore_question, restore_done}));
  for (const ShownMessage& message : seam().messages())
    EXPECT_EQ(message.title, QString());
  ASSERT_EQ(seam().dialogs().size(), 1u);
  const CommonDialog& shown = seam().dialogs().front();
  EXPECT_EQ(shown.dialog_type, 0);
  EXPECT_EQ(shown.initial_dir, program_dir() + QStringLiteral("/datab/"));
  EXPECT_EQ(shown.default_ext, QStringLiteral("*.ewd"));
  EXPECT_EQ(shown.filter, QStringLiteral("数据库文件(*.ewd)|*.ewd"));
  EXPECT_EQ(shown.title, QStringLiteral("选择"));
  EXPECT_EQ(shown.file_name, QString());

  EXPECT_EQ(screen(), new_categories.join(u',') + QStringLiteral("|-1||-1||0|-1"));
  EXPECT_EQ(window().状态条1->statusbar_part_text(0), QStringLiteral("当前位置：  "));
  EXPECT_TRUE(database().is_open());
  EXPECT_EQ(read_file(database_path()), new_bytes_);
  EXPECT_EQ(QDir(path(QStringLiteral("data")))
                .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
            QStringList{"data.mdb"});

  // The shared dialog keeps the restore's settings and file for its next user.
  EXPECT_EQ(window().通用对话框2.title, QStringLiteral("选择"));
  EXPECT_EQ(window().通用对话框2.file_name, archive_);
}

TEST_F(RestoreTest, NoOrACancelledDialogChangesNothing) {
  start_editing();
  const QString before = screen();
  sqlite3* const connection = database().handle();
  const std::function<void()> answers[] = {
      [&] { seam().answer_next(answer_no); },
      [&] {
        seam().answer_next(answer_yes);
        seam().cancel_file_next();
      },
  };
  for (const auto& answer : answers) {
    seam().clear_records();
    answer();
    choose_menu(MenuCommand::restore);
    EXPECT_EQ(seam().message_texts(), QStringList{restore_question});
    EXPECT_EQ(screen(), before);
    EXPECT_EQ(database().handle(), connection);
    EXPECT_EQ(read_file(database_path()), old_bytes_);
  }
  EXPECT_EQ(seam().dialogs().size(), 1u);
}

TEST_F(RestoreTest, HostileOrDamagedArchivesLeaveTheNotebookAsItWas) {
  const QString root = QFileInfo(program_dir()).path();
  const QString outside = root + QStringLiteral("/外面 的 文件");
  const QByteArray whole = read_file(archive_);
  QByteArray bad_checksum = whole;
  bad_checksum[whole.size() / 2] = static_cast<char>(bad_checksum[whole.size() / 2] ^ 0x20);
  QByteArray damaged_page = new_bytes_;
  damaged_page[new_bytes_.size() - 100] =
      static_cast<char>(damaged_page[new_bytes_.size() - 100] ^ 1);
  QRandomGenerator generator(11);
  QByteArray noise(64 * 1024, '\0');
  for (char& byte : noise)
    byte = static_cast<char>(generator.bounded(256));
  // Whole pages that deflate about 200 times: far below the general guard, far above what an
  // encrypted notebook does.
  QByteArray small_bomb(8 << 20, '\0');
  for (qsizetype at = 0; at < small_bomb.size(); at += 4096)
    small_bomb[at] = static_cast<char>(generator.bounded(256));
  const std::string outside_name = QFile::encodeName(outside).toStdString();
  const QString articles_with_check = QStringLiteral(
      "CREATE TABLE 文章管理 (ID INTEGER PRIMARY KEY AUTOINCREMENT, 文章所属 TEXT CHECK(0), "
      "文章位置 TEXT, 文章内容 TEXT, 文章标题 TEXT, 建立时间 TEXT, 修改时间 TEXT)");
  const QStringList drop_articles = {QStringLiteral("DROP TABLE 文章管理")};

  struct Case {
    const char* what;
    std::vector<ArchiveEntry> entries;
    QByteArray bytes;       // written as they are when there are no entries
    const char* said;       // in the failure line on standard error
    bool unpacked = false;  // whether it is refused only once it is out whole
  };
  const Case cases[] = {
      {"zip-slip", {{"data.mdb", new_bytes_}, {"../外面 的 文件", "x"}}, {}, "safe, unique name"},
      {"absolute path", {{"data.mdb", new_bytes_}, {outside_name, "x"}}, {}, "safe, unique name"},
      {"symbolic link",
       {{"data.mdb", QByteArray::fromStdString(outside_name), S_IFLNK}},
       {},
       "safe, unique name"},
      {"bomb", {{"data.mdb", QByteArray(64 << 20, '\0'), S_IFREG, true}}, {}, "expand more than"},
      {"small bomb", {{"data.mdb", small_bomb, S_IFREG, true}}, {}, "compress as no"},
      {"truncated", {}, whole.left(whole.size() / 2), ""},
      {"bad checksum", {}, bad_checksum, "CRC"},
      {"empty archive", {}, QByteArray("PK\x05\x06", 4) + QByteArray(18, '\0'), "no entry"},
      {"empty file", {}, QByteArray(), ""},
      {"no data.mdb", {{"笔记.mdb", new_bytes_}, {"子/data.mdb", new_bytes_}}, {}, "no entry"},
      {"not whole pages", {{"data.mdb", new_bytes_ + "尾巴"}}, {}, "whole number"},
      {"without a key",
       {{"data.mdb", database_made_with({}, tables_sql(true, true))}},
       {},
       "without a key"},
      {"wrong key",
       {{"data.mdb", database_made_with(QStringLiteral("别的 钥匙"), tables_sql(true, true))}},
       {},
       "not a database"},
      {"not a database", {{"data.mdb", noise}}, {}, "not a database"},
      {"zeros", {{"data.mdb", QByteArray(4 << 20, '\0')}}, {}, "not a database"},
      {"shorter than it says",
       {{"data.mdb", new_bytes_.left(new_bytes_.size() - 1024)}},
       {},
       "malformed"},
      {"damaged page", {{"data.mdb", damaged_page}}, {}, "", true},
      {"missing table",
       {{"data.mdb", database_made_with(database_password, tables_sql(false, true))}},
       {},
       "",
       true},
      {"missing column",
       {{"data.mdb", database_made_with(database_password, tables_sql(true, false))}},
       {},
       "is made as",
       true},
      {"trigger",
       {{"data.mdb",
         notebook_changed_by({QStringLiteral(
             "create trigger 只留一篇 after insert on 文章管理 begin delete from 文章管理 "
             "where ID <> new.ID; end")})}},
       {},
       "trigger",
       true},
      {"articles are a view",
       {{"data.mdb", notebook_changed_by(drop_articles + QStringList{QStringLiteral(
                                                             "create view 文章管理 as select 1 as "
                                                             "ID, '' as 文章所属")})}},
       {},
       "view",
       true},
      {"column that refuses every row",
       {{"data.mdb", notebook_changed_by(drop_articles + QStringList{articles_with_check})}},
       {},
       "is made as",
       true},
      {"index of another making",
       {{"data.mdb", notebook_changed_by(
                         {QStringLiteral("create unique index 一类一篇 on 文章管理 (文章所属)")})}},
       {},
       "index",
       true},
      {"lookup index missing",
       {{"data.mdb", notebook_changed_by({QStringLiteral("drop index 文章管理_所属_标题")})}},
       {},
       "lacks the index",
       true},
      {"no login row",
       {{"data.mdb", notebook_changed_by({QStringLiteral("delete from 用户管理")})}},
       {},
       "fails the check",
       true},
      {"login row of numbers",
       {{"data.mdb",
         notebook_changed_by({QStringLiteral("update 用户管理 set 用户密码 = x'07'")})}},
       {},
       "fails the check",
       true},
  };

  start_editing();
  const QString before = screen();
  QStringList steps;
  set_restore_step_hook([&](std::string_view step) { steps << QString::fromLatin1(step); });
  const std::unique_ptr<void, void (*)(void*)> unhook(&steps,
                                                      [](void*) { set_restore_step_hook({}); });
  for (const Case& c : cases) {
    if (c.entries.empty())
      write_file(archive_, c.bytes);
    else
      write_archive(archive_, c.entries);
    const auto tree = tree_of(root);
    steps.clear();
    QStringList said;
    {
      const CapturedStderr captured;
      restore_from(archive_);
      said = captured.lines();
    }
    EXPECT_EQ(seam().message_texts(), (QStringList{restore_question, restore_refused})) << c.what;
    EXPECT_EQ(seam().messages().back().title, std::nullopt) << c.what;
    EXPECT_EQ(read_file(database_path()), old_bytes_) << c.what;
    EXPECT_TRUE(database().is_open()) << c.what;
    EXPECT_EQ(screen(), before) << c.what;
    EXPECT_TRUE(tree_of(root) == tree) << c.what;
    EXPECT_EQ(steps, c.unpacked ? QStringList{"unpacked"} : QStringList()) << c.what;
    ASSERT_EQ(said.size(), 1) << c.what << ": " << said.join(u'\n').toStdString();
    EXPECT_TRUE(said[0].startsWith(u"wrenfold: ")) << said[0].toStdString();
    EXPECT_TRUE(said[0].contains(QString::fromUtf8(c.said)))
        << c.what << ": " << said[0].toStdString();
  }
  EXPECT_FALSE(QFileInfo::exists(outside));

  // The connection that stayed open takes the edits.
  choose_menu(MenuCommand::save);
  EXPECT_EQ(stored(QStringLiteral("文章内容"), old_categories[0], QStringLiteral("第一篇")),
            editor().content());
  EXPECT_FALSE(editor().modified());

  // A notebook of an earlier build, without the search index, restores; so does one with a
  // second login row, of which the first counts.
  const QByteArray older_builds[] = {
      notebook_changed_by({QStringLiteral("drop index 文章管理_序号_标题_所属_时间")}),
      notebook_changed_by(
          {QStringLiteral("insert into 用户管理 (开启登陆, 用户密码) values ('真', '第二')")}),
  };
  for (const QByteArray& notebook : older_builds) {
    write_archive(archive_, {{"data.mdb", notebook, S_IFREG, true}});
    restore_from(archive_);
    EXPECT_EQ(seam().message_texts(), (QStringList{restore_question, restore_done}));
    EXPECT_EQ(read_file(database_path()), notebook);
  }
}

// A pipe would block the restore for good, waiting for a writer that never comes.
TEST_F(RestoreTest, ArchiveThatIsNoRegularFileIsRefusedWithoutWaiting) {
  const QString pipe = work_.filePath(QStringLiteral("管道.ewd"));
  ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
  const QString folder = work_.filePath(QStringLiteral("目录.ewd"));
  ASSERT_TRUE(QDir().mkpath(folder));
  start_editing();
  for (const QString& archive : {pipe, folder}) {
    const CapturedStderr captured;
    restore_from(archive);
    EXPECT_EQ(seam().message_texts(), (QStringList{restore_question, restore_refused}));
    EXPECT_EQ(read_file(database_path()), old_bytes_);
    EXPECT_EQ(captured.lines().size(), 1) << captured.lines().join(u'\n').toStdString();
  }
}

TEST_F(RestoreTest, ArchiveOfABackupRestoresInAnotherProgramDirectory) {
  const QString archive = work_.filePath(QStringLiteral("备份 盘/别处.ewd"));
  ASSERT_TRUE(QDir().mkpath(QFileInfo(archive).path()));
  {
    TestProgramDir other;
    ASSERT_TRUE(other.ok());
    ASSERT_NE(::seed_category(other.db(), QStringLiteral("别处的目录"), QStringLiteral("1")), 0);
    other.close_db();
    MainWindow window;
    wire_main_window(window);
    run_startup_sequence();
    BackupWindow backup;
    prepare_backup_window(backup);
    backup.编辑框1->setText(archive);
    backup.按钮2->click();
    EXPECT_EQ(other.seam().message_texts(), QStringList{QStringLiteral("备份成功")});
  }
  start_editing();
  restore_from(archive);
  EXPECT_EQ(seam().message_texts(), (QStringList{restore_question, restore_done}));
  EXPECT_EQ(combo_items(), QStringList{"别处的目录"});
}

TEST_F(RestoreTest, ArchiveMadeByTheZipToolRestores) {
  const QString archive = work_.filePath(QStringLiteral("工具 做的.ewd"));
  QProcess zip;
  zip.setWorkingDirectory(QFileInfo(new_database_).path());
  zip.start(QStringLiteral("zip"), {QStringLiteral("-q"), archive, QStringLiteral("data.mdb")});
  ASSERT_TRUE(zip.waitForFinished()) << "the zip tool is missing";
  ASSERT_EQ(zip.exitCode(), 0) << zip.readAllStandardError().toStdString();

  start_editing();
  restore_from(archive);
  EXPECT_EQ(seam().message_texts(), (QStringList{restore_question, restore_done}));
  EXPECT_EQ(combo_items(), new_categories);
  EXPECT_EQ(read_file(database_path()), new_bytes_);
}

TEST_F(RestoreTest, JournalLeftBesideTheOldNotebookIsNotPlayedIntoTheNewOne) {
  // A rollback journal of the old file, as a run cut off in the middle of a save leaves it when
  // nothing could open the file since: restoring a backup is what the user does then.
  const QString journal = database_path() + QStringLiteral("-journal");
  const QString kept = journal + QStringLiteral(".kept");
  {
    sqlite3* handle = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(database_path()).constData(), &handle), SQLITE_OK);
    const QByteArray key = database_password.toUtf8();
    sqlite3_key(handle, key.constData(), static_cast<int>(key.size()));
    for (const char* sql : {"PRAGMA cipher_compatibility = 3", "PRAGMA cache_size = 1", "BEGIN",
                            "update 文章管理 set 文章内容 = hex(randomblob(200000))"}) {
      ASSERT_EQ(sqlite3_exec(handle, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sql;
    }
    ASSERT_TRUE(QFile::copy(journal, kept));
    sqlite3_exec(handle, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(handle);
  }
  start_editing();
  ASSERT_TRUE(QFile::rename(kept, journal));
  restore_from(archive_);
  EXPECT_EQ(seam().message_texts(), (QStringList{restore_question, restore_done}));
  EXPECT_EQ(combo_items(), new_categories);
  EXPECT_FALSE(QFileInfo::exists(journal));
  EXPECT_TRUE(is_whole_notebook(database_path()));
}

// A restore killed after each of its steps: the next start opens a whole notebook, the old one
// until the rename, the new one after it.
class RestoreKilledTest : public RestoreTest,
                          public ::testing::WithParamInterface<std::string_view> {};

TEST_P(RestoreKilledTest, NextStartOpensAWholeNotebook) {
  QProcess helper;
  helper.setProcessChannelMode(QProcess::SeparateChannels);
  helper.start(
      QStringLiteral(RESTORE_STOP_HELPER),
      {program_dir(), archive_, QString::fromLatin1(GetParam().data(), GetParam().size())});
  ASSERT_TRUE(helper.waitForStarted());
  QByteArray said;
  while (!said.contains("stopped at")) {
    ASSERT_TRUE(helper.waitForReadyRead(30000))
        << said.toStdString() << helper.readAllStandardError().toStdString();
    said += helper.readAllStandardOutput();
  }
  helper.kill();
  ASSERT_TRUE(helper.waitForFinished());
  ASSERT_EQ(helper.exitStatus(), QProcess::CrashExit);

  const bool renamed = GetParam() == restore_step_replaced;
  EXPECT_EQ(read_file(database_path()), renamed ? new_bytes_ : old_bytes_);
  EXPECT_TRUE(is_whole_notebook(database_path()));
  // What a backup cut off as well leaves beside its archive: a copy of the notebook.
  write_file(path(QStringLiteral("datab/.wrenfold-backup-Ab12cD/archive")), new_bytes_);

  // The next start removes the hidden copies.
  start_main_window();
  EXPECT_EQ(seam().message_texts(), QStringList());
  EXPECT_EQ(combo_items(), renamed ? new_categories : old_categories);
  const auto entries = [&](const char* folder) {
    return QDir(path(QString::fromLatin1(folder)))
        .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
  };
  EXPECT_EQ(entries("data"), QStringList{"data.mdb"});
  EXPECT_EQ(entries("datab"), QStringList{QFileInfo(archive_).fileName()});
}

INSTANTIATE_TEST_SUITE_P(EachStep, RestoreKilledTest,
                         ::testing::Values(restore_step_unpacked, restore_step_validated,
                                           restore_step_replaced));

}  // namespace
