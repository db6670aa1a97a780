#pragma once

#include <QString>

// The length of a text in editor characters, counted as the editor counts its positions: one per
// UTF-16 unit (a character outside the BMP counts two), a CR LF pair one, as one paragraph break.
// The text's GBK form plays no part: one GBK byte may stand for two positions or half of one.
int count_edit_chars(const QString& text);
