#pragma once

// The editor's on_content_changed: the character count (status part 2), then the caret's line
// (part 1).
void main_editor_content_changed();
// The editor's on_left_button_down: the caret's line alone. The click goes on to the editor.
void main_editor_left_button_down();
