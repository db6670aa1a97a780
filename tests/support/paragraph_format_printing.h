#pragma once

#include <ostream>

#include "platform/rich_editor.h"

// A paragraph format as a test failure shows it, field by field.
inline void PrintTo(const ParagraphFormat& format, std::ostream* out) {
  *out << "{bullet " << format.bullet << ", first line " << format.first_line_indent
       << ", other lines " << format.other_lines_indent << ", right " << format.right_indent
       << ", alignment " << format.alignment << "}";
}
