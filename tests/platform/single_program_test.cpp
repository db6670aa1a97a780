#include "platform/single_program.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QTemporaryDir>
#include <QWidget>

#include <functional>
#include <thread>

#include "support/captured_stderr.h"
#include "support/file_contents.h"
#include "support/read_only_path.h"

namespace {

class SingleProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(root_.isValid());
    dir_ = root_.filePath(QStringLiteral("程序 目录"));
    notebook_ = dir_ + QStringLiteral("/data/data.mdb");
    write_file(notebook_, {});
  }

  QTemporaryDir root_;
  QString dir_;
  QString notebook_;
};

TEST_F(SingleProgramTest, ALaterStartKnocksAndTheRunningProgramComesForward) {
  SingleProgram running(notebook_);
  ASSERT_TRUE(running.claim());
  EXPECT_EQ(running.lock_path(), QFileInfo(notebook_).canonicalFilePath() + ".lock");
  EXPECT_TRUE(QFileInfo::exists(running.lock_path()));
  QWidget window;
  running.set_front_window(&window);

  SingleProgram later(notebook_);
  EXPECT_FALSE(later.claim());
  // The same file by another spelling is the same notebook.
  SingleProgram other_spelling(dir_ + QStringLiteral("/../程序 目录/data/./data.mdb"));
  EXPECT_FALSE(other_spelling.claim());
  EXPECT_TRUE(later.call_running_program_forward());
  QApplication::processEvents();
  EXPECT_TRUE(window.isVisible());
}

// A copy of the program whose data folder, or whose data.mdb, is a link to the running
// program's notebook writes that same file: it is joined to the running program, not run.
TEST_F(SingleProgramTest, AnotherProgramFolderReachingTheSameNotebookIsJoined) {
  const struct {
    const char* name;
    std::function<QString(const QString& copy)> reach;
  } cases[] = {
      {"its data folder is a link",
       [this](const QString& copy) {
         EXPECT_TRUE(QFile::link(dir_ + QStringLiteral("/data"), copy + QStringLiteral("/data")));
         return copy + QStringLiteral("/data/data.mdb");
       }},
      {"its data.mdb is a link",
       [this](const QString& copy) {
         EXPECT_TRUE(QDir().mkpath(copy + QStringLiteral("/data")));
         EXPECT_TRUE(QFile::link(notebook_, copy + QStringLiteral("/data/data.mdb")));
         return copy + QStringLiteral("/data/data.mdb");
       }},
      {"the running program's folder is a link",
       [this](const QString& copy) {
         EXPECT_TRUE(QDir().rmdir(copy));
         EXPECT_TRUE(QFile::link(dir_, copy));
         return copy + QStringLiteral("/data/data.mdb");
       }},
  };
  SingleProgram running(notebook_);
  ASSERT_TRUE(running.claim());
  QWidget window;
  running.set_front_window(&window);
  int copies = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    window.hide();
    const QString copy = root_.filePath(QStringLiteral("副本 %1").arg(++copies));
    ASSERT_TRUE(QDir().mkpath(copy));
    SingleProgram other(c.reach(copy));
    EXPECT_EQ(other.lock_path(), running.lock_path());
    EXPECT_EQ(other.start(1000), SingleProgram::Start::joined);
    QApplication::processEvents();
    EXPECT_TRUE(window.isVisible());
  }
  // A notebook of its own is no other program's business.
  const QString own = root_.filePath(QStringLiteral("自己的.mdb"));
  SingleProgram other_notebook(own);
  EXPECT_EQ(other_notebook.start(1000), SingleProgram::Start::run);
  EXPECT_TRUE(QFileInfo::exists(own + QStringLiteral(".lock")));
}

TEST_F(SingleProgramTest, AModalWindowComesForwardInsteadOfTheWindowBelowIt) {
  SingleProgram running(notebook_);
  ASSERT_TRUE(running.claim());
  QWidget window;
  running.set_front_window(&window);
  QDialog login;
  login.setModal(true);
  login.show();

  EXPECT_TRUE(SingleProgram(notebook_).call_running_program_forward());
  QApplication::processEvents();
  EXPECT_FALSE(window.isVisible());
  EXPECT_TRUE(login.isVisible());
}

TEST_F(SingleProgramTest, TheNextStartRunsOnceTheProgramHasEnded) {
  QString lock;
  {
    SingleProgram ended(notebook_);
    ASSERT_TRUE(ended.claim());
    lock = ended.lock_path();
  }
  EXPECT_FALSE(QFileInfo::exists(lock));
  SingleProgram next(notebook_);
  EXPECT_TRUE(next.claim());
  // The lock is beside the notebook, not in the program directory.
  EXPECT_EQ(QDir(dir_).entryList(QDir::Files), QStringList());
}

TEST_F(SingleProgramTest, ALockLeftByAKilledProgramDoesNotBlockTheNextStart) {
  EXPECT_EXIT(
      {
        SingleProgram killed(notebook_);
        std::_Exit(killed.claim() ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
  ASSERT_TRUE(QFileInfo::exists(notebook_ + QStringLiteral(".lock")));

  SingleProgram next(notebook_);
  ASSERT_EQ(next.start(1000), SingleProgram::Start::run);
  QWidget window;
  next.set_front_window(&window);
  EXPECT_TRUE(SingleProgram(notebook_).call_running_program_forward());
  QApplication::processEvents();
  EXPECT_TRUE(window.isVisible());
}

TEST_F(SingleProgramTest, AReadOnlyFolderRunsUnguardedAndSaysSo) {
  ReadOnlyPath read_only(dir_ + QStringLiteral("/data"));
  ASSERT_TRUE(read_only.ok());
  CapturedStderr errors;
  SingleProgram first(notebook_);
  SingleProgram second(notebook_);
  EXPECT_TRUE(first.claim());
  EXPECT_TRUE(second.claim());
  ASSERT_EQ(errors.lines().size(), 2);
  EXPECT_TRUE(errors.lines().front().contains(first.lock_path() + QStringLiteral("\": ")))
      << errors.lines().front().toStdString();
}

TEST_F(SingleProgramTest, AKnockWithoutARunningProgramIsNotAnswered) {
  EXPECT_FALSE(SingleProgram(notebook_).call_running_program_forward());
}

// The lock is held by a live program that has no socket: it is still starting, or it hangs.
TEST_F(SingleProgramTest, AStartWaitsForTheLockAndGivesUpSayingWhy) {
  SingleProgram later(notebook_);
  QLockFile held(later.lock_path());
  ASSERT_TRUE(held.tryLock(0));
  {
    CapturedStderr errors;
    EXPECT_EQ(later.start(300), SingleProgram::Start::gave_up);
    ASSERT_EQ(errors.lines().size(), 1);
    EXPECT_TRUE(errors.lines().front().contains(u'"' + later.lock_path() + QStringLiteral("\": ")))
        << errors.lines().front().toStdString();
  }
  // A program that lets the lock go while the start waits leaves the notebook to it.
  std::thread ending([&held] {
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    held.unlock();
  });
  EXPECT_EQ(later.start(5000), SingleProgram::Start::run);
  ending.join();
}

}  // namespace
