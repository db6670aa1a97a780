#pragma once

#include <QByteArray>

// A settings file's text with the lines left out that the INI reader would misread, and how many
// those were. A NUL byte would end the whole text there, and a block opened by "KEY=<<<TAG" that
// no line "TAG" closes would take in every later line as its value: one damaged line would hide
// every section after it. Every other line stays as it came.
struct SoundSettingsText {
  QByteArray text;
  int damaged_lines = 0;
};

SoundSettingsText without_damaged_lines(const QByteArray& text);
