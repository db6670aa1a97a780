#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <QTemporaryDir>

#include <memory>
#include <optional>

#include "platform/database.h"
#include "support/scripted_seam.h"
#include "support/sql_helpers.h"

// A program directory for one test: a temporary folder whose path holds blanks and Chinese
// characters, with a fresh data/data.mdb and the empty folders config/, datab/, skin/s/ and ico/.
// While it lives the program works inside it and every dialog goes to its scripted seam; the
// program directory and the seam in use before are put back when it goes.
class TestProgramDir {
 public:
  TestProgramDir();
  TestProgramDir(const TestProgramDir&) = delete;
  TestProgramDir& operator=(const TestProgramDir&) = delete;
  ~TestProgramDir();

  // false when the folder or the database could not be made.
  bool ok() const { return ok_; }
  const QString& dir() const { return dir_; }
  // dir() + "/" + relative.
  QString path(const QString& relative) const;
  QString database_path() const { return path(QStringLiteral("data/data.mdb")); }
  QString settings_path() const { return path(QStringLiteral("config/config.ini")); }
  ScriptedSeam& seam() { return seam_; }

  // A connection of the test's own to data.mdb for seeding and reading, opened on first use.
  // Close it before the program replaces the file (a restore), so the next use sees the new one.
  ExternalDatabase& db();
  void close_db();

 private:
  QTemporaryDir root_;
  QString dir_;
  bool ok_ = false;
  QString previous_dir_;
  ScriptedSeam seam_;
  std::optional<SeamInstaller> installer_;
  std::unique_ptr<ExternalDatabase> db_;
};

// The fixture most tests derive from: a TestProgramDir made in SetUp and removed in TearDown.
class ProgramDirFixture : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  TestProgramDir& program() { return *program_; }
  const QString& program_dir() const { return program_->dir(); }
  QString path(const QString& relative) const { return program_->path(relative); }
  QString database_path() const { return program_->database_path(); }
  QString settings_path() const { return program_->settings_path(); }
  ScriptedSeam& seam() { return program_->seam(); }
  ExternalDatabase& db() { return program_->db(); }
  void close_db() { program_->close_db(); }

  qint64 seed_category(const QString& name, const QString& position) {
    return ::seed_category(db(), name, position);
  }
  qint64 seed_article(const QString& category, const QString& position, const QString& title,
                      const std::optional<QString>& content) {
    return ::seed_article(db(), category, position, title, content);
  }
  std::vector<QStringList> query_rows(const QString& sql) { return ::query_rows(db(), sql); }
  std::vector<QStringList> table_rows(const QString& table) { return ::table_rows(db(), table); }
  int row_count(const QString& table) { return ::row_count(db(), table); }

 private:
  std::unique_ptr<TestProgramDir> program_;
};
