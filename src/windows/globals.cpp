#include "windows/globals.h"

Globals& globals() {
  static Globals instance;
  return instance;
}
