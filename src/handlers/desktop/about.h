#pragma once

// 关于 > 软件相关: opens the about window modally.
void on_menu_about();
