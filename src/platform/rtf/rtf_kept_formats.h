#pragma once

#include <QTextFormat>

namespace rtf {

// What the reader marks in a document's formats so that the writer gives back what the editor
// cannot show.

// An object that shows nothing: RTF kept as it came (a footnote) or hidden text.
inline constexpr int kept_object_type = QTextFormat::UserObject + 1;
// The kept group in 7-bit form (QByteArray), read with \ucN of the skip property (int).
inline constexpr int kept_rtf_property = QTextFormat::UserProperty + 1;
inline constexpr int kept_unicode_skip_property = QTextFormat::UserProperty + 2;
// The hidden text (QString) the object stands for.
inline constexpr int hidden_text_property = QTextFormat::UserProperty + 3;
// Text that is the result of a field: the field's instruction as it reads (QString). A link also
// carries its target as the format's anchor.
inline constexpr int field_instruction_property = QTextFormat::UserProperty + 4;

}  // namespace rtf
