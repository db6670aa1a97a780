#pragma once

#include <span>

// One button of the main toolbar, in index order (separators counted).
struct ToolbarEntry {
  enum class Kind { button, separator, dropdown };
  Kind kind;
  const char* tooltip;
  // The picture's resource path, nullptr for a separator.
  const char* picture;
};

std::span<const ToolbarEntry> toolbar_entries();
