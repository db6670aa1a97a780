#pragma once

#include <QString>

#include "windows/status_bar_parts.h"

// Writes the value with its part's label and unit into the main window's status bar.
void show_in_status_bar(StatusPart part, const QString& value);
