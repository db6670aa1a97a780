#pragma once

#include <cstdint>

namespace rtf {

// Where the text of a group goes.
enum class Destination : std::uint8_t {
  text,
  skip,
  font_table,
  colour_table,
  picture,
  list_label,         // \pntext, \listtext: the label the list draws itself
  list_descriptor,    // \*\pn
  upr,                // \upr: shows only its \*\ud group
  shape,              // \*\shpinst: nothing shows but the shape's picture
  shape_name,         // \sn: a shape property's name
  shape_value,        // \sv: a shape property's value
  field_instruction,  // \fldinst: what the field is, read as text
};

enum class ListKind : std::uint8_t { none, bullet, decimal };

// Character properties; indexes refer to the font and colour tables.
struct CharProps {
  int font = -1;  // -1: the document's default font (\deff)
  int half_points = 24;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strike = false;
  int foreground = 0;  // 0: the default colour
  int background = 0;  // 0: none
  // Associated properties of double-byte (CJK) text (\dbch with \af, \afs, \ab, \ai);
  // -1: as for other text.
  int asian_font = -1;
  int asian_half_points = -1;
  std::int8_t asian_bold = -1;
  std::int8_t asian_italic = -1;
  std::uint8_t vertical = 0;  // 1 \super, 2 \sub
  std::uint8_t caps = 0;      // 1 \caps, 2 \scaps
  bool hidden = false;        // \v
  int field = 0;              // the field whose result the text is; 0 none

  bool has_asian() const {
    return asian_font >= 0 || asian_half_points >= 0 || asian_bold >= 0 || asian_italic >= 0;
  }
  // The properties other text shows.
  CharProps other() const {
    CharProps props = *this;
    props.asian_font = props.asian_half_points = -1;
    props.asian_bold = props.asian_italic = -1;
    return props;
  }
  // The properties CJK text shows.
  CharProps asian() const {
    CharProps props = other();
    if (asian_font >= 0)
      props.font = asian_font;
    if (asian_half_points >= 0)
      props.half_points = asian_half_points;
    if (asian_bold >= 0)
      props.bold = asian_bold != 0;
    if (asian_italic >= 0)
      props.italic = asian_italic != 0;
    return props;
  }

  bool operator==(const CharProps&) const = default;
};

// Paragraph properties in twips.
struct ParaProps {
  std::uint8_t alignment = 0;  // 0 not given, 1 left, 2 centre, 3 right, 4 justified
  bool line_multiple = false;  // \slmult1
  int list_override = 0;       // \lsN
  ListKind list = ListKind::none;
  int first_indent = 0;
  int left_indent = 0;
  int right_indent = 0;
  int line_spacing = 0;
  int table_depth = 0;  // \intbl, \itapN: the depth of the table cell the paragraph is in

  bool operator==(const ParaProps&) const = default;
};

// What a group saves on "{" and restores on "}".
struct State {
  Destination destination = Destination::text;
  Destination upr_outer = Destination::text;  // the destination \ud gives back
  bool upr_child = false;
  bool double_byte = false;  // \dbch: associated properties are those of CJK text
  int unicode_skip = 1;      // \ucN
  int field = 0;             // the field whose instruction this group read
  CharProps chars;
  ParaProps para;
};

}  // namespace rtf
