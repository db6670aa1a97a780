#pragma once

#include <QString>

// The 1-based position of the last occurrence of sought in text, -1 when it does not occur.
int find_text_from_end(const QString& text, const QString& sought, bool ignore_case);
