#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// Sets (or, with nullopt, unsets) an environment variable for the lifetime of this object and
// puts the value before it back afterwards.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const std::optional<QString>& value)
      : name_(name), had_(qEnvironmentVariableIsSet(name)), previous_(qgetenv(name)) {
    if (value)
      qputenv(name, value->toLocal8Bit());
    else
      qunsetenv(name);
  }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;
  ~ScopedEnv() {
    if (had_)
      qputenv(name_, previous_);
    else
      qunsetenv(name_);
  }

 private:
  const char* name_;
  bool had_;
  QByteArray previous_;
};
