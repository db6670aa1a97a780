#pragma once

#include <QStringList>

// Lets "宋体" and "SimSun", the fonts the program's texts name, show with an installed CJK serif
// font. Safe to call more than once; needs a QGuiApplication.
void install_font_substitutions();

// The font families the program can render: the installed ones and the names that a font
// substitution maps to an installed one (宋体), sorted as the font database sorts its families.
QStringList get_font_names();
