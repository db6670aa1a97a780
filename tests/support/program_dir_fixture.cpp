#include "support/program_dir_fixture.h"

#include <QDir>

#include "platform/program_dir.h"
#include "storage/schema.h"

TestProgramDir::TestProgramDir()
    : root_(QDir::tempPath() + QStringLiteral("/wrenfold 测试-XXXXXX")),
      previous_dir_(get_program_dir()) {
  dir_ = root_.path() + QStringLiteral("/程序 目录");
  if (root_.isValid()) {
    const QDir folder(dir_);
    ok_ = true;
    for (const char* sub : {"data", "config", "datab", "skin/s", "ico"})
      ok_ = ok_ && folder.mkpath(QString::fromLatin1(sub));
    ok_ = ok_ && create_empty_database(database_path());
  }
  set_program_dir(dir_);
  installer_.emplace(seam_);
}

TestProgramDir::~TestProgramDir() {
  close_db();
  installer_.reset();
  set_program_dir(previous_dir_);
}

QString TestProgramDir::path(const QString& relative) const {
  return dir_ + u'/' + relative;
}

ExternalDatabase& TestProgramDir::db() {
  if (!db_) {
    db_ = std::make_unique<ExternalDatabase>();
    db_open_mdb(*db_, database_path(), database_password);
  }
  return *db_;
}

void TestProgramDir::close_db() {
  if (!db_)
    return;
  db_close(*db_);
  db_.reset();
}

void ProgramDirFixture::SetUp() {
  program_ = std::make_unique<TestProgramDir>();
  ASSERT_TRUE(program_->ok()) << program_->dir().toStdString();
}

void ProgramDirFixture::TearDown() {
  program_.reset();
}
