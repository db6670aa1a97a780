#pragma once

#include <QByteArray>
#include <QString>

// The length of a GBK text in editor characters: a byte of 0x80 or above (a lead byte) or a CR
// takes the byte after it along as one character. The last byte is never examined.
int count_edit_chars(const QByteArray& gbk_text);
// The same for a text, counted on its GBK form.
int count_edit_chars(const QString& text);
