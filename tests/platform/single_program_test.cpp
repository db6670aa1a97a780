#include "platform/single_program.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QWidget>

#include <optional>

#include "support/read_only_path.h"

namespace {

class SingleProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(root_.isValid());
    dir_ = root_.filePath(QStringLiteral("程序 目录"));
    ASSERT_TRUE(QDir().mkpath(dir_));
  }

  QTemporaryDir root_;
  QString dir_;
};

TEST_F(SingleProgramTest, ALaterStartKnocksAndTheRunningProgramComesForward) {
  SingleProgram running(dir_);
  ASSERT_TRUE(running.claim());
  QWidget window;
  running.set_front_window(&window);

  SingleProgram later(dir_);
  EXPECT_FALSE(later.claim());
  // The same folder by another spelling is the same program directory.
  SingleProgram other_spelling(dir_ + QStringLiteral("/../程序 目录/"));
  EXPECT_FALSE(other_spelling.claim());
  EXPECT_TRUE(later.call_running_program_forward());
  QApplication::processEvents();
  EXPECT_TRUE(window.isVisible());
}

TEST_F(SingleProgramTest, AModalWindowComesForwardInsteadOfTheWindowBelowIt) {
  SingleProgram running(dir_);
  ASSERT_TRUE(running.claim());
  QWidget window;
  running.set_front_window(&window);
  QDialog login;
  login.setModal(true);
  login.show();

  EXPECT_TRUE(SingleProgram(dir_).call_running_program_forward());
  QApplication::processEvents();
  EXPECT_FALSE(window.isVisible());
  EXPECT_TRUE(login.isVisible());
}

TEST_F(SingleProgramTest, TheNextStartRunsOnceTheProgramHasEnded) {
  {
    SingleProgram ended(dir_);
    ASSERT_TRUE(ended.claim());
  }
  EXPECT_FALSE(QFileInfo::exists(dir_ + QStringLiteral("/wrenfold.lock")));
  SingleProgram next(dir_);
  EXPECT_TRUE(next.claim());
  SingleProgram other_directory(root_.path());
  EXPECT_TRUE(other_directory.claim());
}

TEST_F(SingleProgramTest, ALockLeftByAKilledProgramDoesNotBlockTheNextStart) {
  EXPECT_EXIT(
      {
        SingleProgram killed(dir_);
        std::_Exit(killed.claim() ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
  ASSERT_TRUE(QFileInfo::exists(dir_ + QStringLiteral("/wrenfold.lock")));

  SingleProgram next(dir_);
  ASSERT_TRUE(next.claim());
  QWidget window;
  next.set_front_window(&window);
  EXPECT_TRUE(SingleProgram(dir_).call_running_program_forward());
  QApplication::processEvents();
  EXPECT_TRUE(window.isVisible());
}

TEST_F(SingleProgramTest, AReadOnlyDirectoryRunsUnguarded) {
  ReadOnlyPath read_only(dir_);
  ASSERT_TRUE(read_only.ok());
  SingleProgram first(dir_);
  SingleProgram second(dir_);
  EXPECT_TRUE(first.claim());
  EXPECT_TRUE(second.claim());
}

TEST_F(SingleProgramTest, AKnockWithoutARunningProgramIsNotAnswered) {
  EXPECT_FALSE(SingleProgram(dir_).call_running_program_forward());
}

}  // namespace
