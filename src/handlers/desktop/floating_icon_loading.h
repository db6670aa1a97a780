#pragma once

// Start-up, last step of init_main_window: brings the floating icon back while it is switched on.
void restore_floating_icon();
// Loads the floating icon window modeless, its events bound, and sets float_icon_shown while it
// lives; its created event places it, loads its picture and sets the tray icon. An icon already
// loaded stays the one.
void open_floating_icon_window();
