#pragma once

#include <QString>

// Every failure the program handles leaves one line on standard error, beside whatever the user
// is shown: what was being done, on which file, and the library's own reason, so that a report
// from a user's terminal says why and not only that something failed.
//
//   wrenfold: <action> "<file>": <reason>
//
// Line breaks inside the parts become blanks, so one failure is always one line.
void log_failure(const QString& action, const QString& file, const QString& reason);

// The C library's text for an errno value ("No such file or directory").
QString errno_reason(int error_number);
