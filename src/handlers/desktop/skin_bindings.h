#pragma once

class MainWindow;

// Binds the items of the menu 皮肤设置: built-in and chosen skins, effects and transparency.
void bind_skin_commands(MainWindow& window);
