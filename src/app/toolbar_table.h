#pragma once

#include <QIcon>

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

// A 24 x 24 picture drawn from one of the program's SVG assets.
QIcon asset_picture(const QString& resource_path, int size = 24);
// The program icon in the seven sizes from 16 to 128 pixels.
QIcon program_icon();
