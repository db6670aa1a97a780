#pragma once

// Lets "宋体" and "SimSun", the fonts the program's texts name, show with an installed CJK serif
// font. Safe to call more than once; needs a QGuiApplication.
void install_font_substitutions();
