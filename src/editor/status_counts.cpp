#include "editor/status_counts.h"

#include "app/main_window.h"
#include "platform/controls/status_bar.h"
#include "platform/conversions.h"
#include "platform/rich_editor.h"
#include "platform/windows.h"

namespace {

constexpr int line_part = 1;
constexpr int count_part = 2;

void show_caret_line() {
  MainWindow& window = main_window();
  const RichEditor& editor = *window.超级编辑框1;
  const int line = editor.richedit_line_from_char(editor.selection_start());
  window.状态条1->statusbar_set_part_text(
      line_part, QStringLiteral("当前行号：     ") + to_text(line) + QStringLiteral("   行 "));
}

}  // namespace

void main_editor_content_changed() {
  process_events();
  MainWindow& window = main_window();
  // Every byte counts a half, so a double-byte character counts once.
  const int count = integer_part(window.超级编辑框1->richedit_text_length() / 2.0);
  window.状态条1->statusbar_set_part_text(
      count_part, QStringLiteral("共计字数：    ") + to_text(count) + QStringLiteral("   个字"));
  process_events();
  show_caret_line();
}

void main_editor_left_button_down() {
  show_caret_line();
}
