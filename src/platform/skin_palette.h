#pragma once

#include <QPalette>
#include <QString>

// The platform palette with the colours of a skin's "SkinPalette { role: colour; ... }" rule laid
// over it. A role without "disabled-" sets every colour group, one with it only the disabled
// group; unknown roles and colours are passed over. Without the rule the palette stays as given.
QPalette skin_palette(const QString& sheet, const QPalette& platform);
