#pragma once

#include <QColor>
#include <QtGlobal>

// Colours as the program stores them: COLORREF 0x00BBGGRR.
using Colorref = quint32;
// "No colour given": the default text colour.
inline constexpr Colorref default_colour = 0xFF000000;

inline QColor to_qcolor(Colorref c) {
  return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}
inline Colorref to_colorref(const QColor& c) {
  return static_cast<Colorref>(c.red()) | (static_cast<Colorref>(c.green()) << 8) |
         (static_cast<Colorref>(c.blue()) << 16);
}
