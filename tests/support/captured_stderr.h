#pragma once

#include <QString>
#include <QStringList>

// Sends standard error to a temporary file for the lifetime of this object, so a test can read
// the failure lines the program wrote; the stream goes back where it was afterwards.
class CapturedStderr {
 public:
  CapturedStderr();
  CapturedStderr(const CapturedStderr&) = delete;
  CapturedStderr& operator=(const CapturedStderr&) = delete;
  ~CapturedStderr();

  // Everything written so far, as lines without their line breaks.
  QStringList lines() const;

 private:
  int saved_ = -1;
  int file_ = -1;
};
