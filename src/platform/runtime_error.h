#pragma once

#include <QString>

#include <stdexcept>

// The program's run-time errors: a field of the wrong type read from the database. They are
// raised as exceptions, caught at the event boundary (event_boundary.h) and reported in a
// message box; the handler is abandoned and the program goes on.
inline constexpr int error_not_numeric = 2;
inline constexpr int error_not_text = 5;

class RuntimeError : public std::runtime_error {
 public:
  explicit RuntimeError(int code);
  int code() const { return code_; }
  // The text the user is shown.
  QString message() const;

 private:
  int code_;
};
