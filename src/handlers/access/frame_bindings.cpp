#include "handlers/access/frame_bindings.h"

#include "handlers/access/layout.h"
#include "platform/controls/splitter_bar.h"
#include "platform/event_boundary.h"
#include "windows/command_binding.h"
#include "windows/main_window.h"

void bind_frame_commands(MainWindow& window) {
  QObject::connect(window.分隔条1, &SplitterBar::on_moved, &window, guarded(main_splitter_moved));
  bind_command(window, MenuCommand::record_adjust, toggle_list_panel);
}
