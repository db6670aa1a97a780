#include <gtest/gtest.h>

#include <cerrno>

#include "platform/failure_log.h"
#include "support/captured_stderr.h"

TEST(FailureLog, WritesOneLineWithTheActionTheFileAndTheReason) {
  CapturedStderr captured;
  log_failure(QStringLiteral("saving"), QStringLiteral("/目录 a/config.ini"),
              QStringLiteral("disk\nfull"));
  log_failure(QStringLiteral("opening"), QStringLiteral("x"), QString());
  log_failure(QStringLiteral("reading"), QStringLiteral("y"), errno_reason(ENOENT));
  EXPECT_EQ(captured.lines(),
            (QStringList{QStringLiteral("wrenfold: saving \"/目录 a/config.ini\": disk full"),
                         QStringLiteral("wrenfold: opening \"x\": no reason given"),
                         QStringLiteral("wrenfold: reading \"y\": No such file or directory")}));
}
