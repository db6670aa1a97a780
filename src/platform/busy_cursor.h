#pragma once

// Shows the busy cursor over every window of the program while it lives, for work that keeps
// the one thread from handling events.
class BusyCursor {
 public:
  BusyCursor();
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;
  ~BusyCursor();
};
