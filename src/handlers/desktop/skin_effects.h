#pragma once

// 皮肤特效 > 开启特效 and 关闭特效: the skin's effects on or off, stored at once.
void on_menu_effects_on();
void on_menu_effects_off();
