#pragma once

#include <utility>

#include "platform/runtime_error.h"

// Reports a run-time error to the user; the handler that raised it has been abandoned.
void report_runtime_error(const RuntimeError& error);

// Wraps a handler for a Qt connection so that a run-time error never crosses Qt's frames: it is
// caught here, reported in a message box, and the program goes on.
template <class Handler>
auto guarded(Handler handler) {
  return [handler = std::move(handler)](auto&&... args) {
    try {
      handler(std::forward<decltype(args)>(args)...);
    } catch (const RuntimeError& error) {
      report_runtime_error(error);
    }
  };
}
