#include "startup/notebook_claim.h"

#include <gtest/gtest.h>

#include <QLockFile>

#include "platform/single_program.h"
#include "support/captured_stderr.h"
#include "support/program_dir_fixture.h"

namespace {

using NotebookClaimTest = ProgramDirFixture;

TEST_F(NotebookClaimTest, AStartEndsWhenTheNotebookIsTaken) {
  const QString notebook = database_path();
  SingleProgram running(notebook);
  ASSERT_EQ(claim_notebook(running, 1000), std::nullopt);
  SingleProgram later(notebook);
  EXPECT_EQ(claim_notebook(later, 1000), 0);
  EXPECT_TRUE(seam().messages().empty());
}

TEST_F(NotebookClaimTest, AStartThatGivesUpTellsTheUserAndStandardError) {
  SingleProgram later(database_path());
  QLockFile held(later.lock_path());
  ASSERT_TRUE(held.tryLock(0));
  CapturedStderr errors;
  EXPECT_EQ(claim_notebook(later, 300), 1);
  EXPECT_EQ(seam().message_texts(),
            QStringList{QStringLiteral("数据库正被另一个程序使用 它没有应答 请稍后再试")});
  EXPECT_EQ(errors.lines().filter(later.lock_path()).size(), 1);
}

}  // namespace
