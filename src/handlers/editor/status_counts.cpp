#include "handlers/editor/status_counts.h"

#include "platform/conversions.h"
#include "platform/rich_editor.h"
#include "platform/windows.h"
#include "windows/main_window.h"
#include "windows/status_text.h"

namespace {

void show_caret_line() {
  const RichEditor& editor = *main_window().超级编辑框1;
  show_in_status_bar(StatusPart::line,
                     to_text(editor.richedit_line_from_char(editor.selection_start())));
}

}  // namespace

void main_editor_content_changed() {
  process_events();
  // Every byte counts a half, so a double-byte character counts once.
  const int count = integer_part(main_window().超级编辑框1->richedit_text_length() / 2.0);
  show_in_status_bar(StatusPart::count, to_text(count));
  process_events();
  show_caret_line();
}

void main_editor_left_button_down() {
  show_caret_line();
}
