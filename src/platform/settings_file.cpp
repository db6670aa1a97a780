#include "platform/settings_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <SimpleIni.h>

#include <string>

#include "platform/atomic_file.h"
#include "platform/conversions.h"
#include "platform/program_dir.h"

namespace {

// The library quotes a value only for blanks at its ends and reads one pair of quotes away; a
// value wrapped in quotes of its own, or one that would read as the start of a block ("<<<"),
// needs a pair more to read back whole.
bool needs_quotes(const QByteArray& value) {
  if (value.contains('\n') || value.contains('\r'))
    return false;
  const bool wrapped = value.size() >= 2 && value.startsWith('"') && value.endsWith('"');
  return wrapped || value.startsWith("<<<");
}

// Loading took those quotes away again, so every value, not only the one written, gets them back.
bool quote_values(CSimpleIniA& ini) {
  CSimpleIniA::TNamesDepend sections;
  ini.GetAllSections(sections);
  for (const CSimpleIniA::Entry& section : sections) {
    CSimpleIniA::TNamesDepend keys;
    ini.GetAllKeys(section.pItem, keys);
    for (const CSimpleIniA::Entry& key : keys) {
      const QByteArray value(ini.GetValue(section.pItem, key.pItem, ""));
      if (needs_quotes(value) &&
          ini.SetValue(section.pItem, key.pItem, ('"' + value + '"').constData()) < 0)
        return false;
    }
  }
  return true;
}

// Parses the file into ini; false when it exists but cannot be read or parsed.
bool load_ini(const QString& file, CSimpleIniA& ini) {
  // Section and key names compare without regard to case; values are UTF-8 text. Quotes keep
  // blanks at either end of a value, and a value with line breaks is written as a block, so no
  // value can spill into keys of its own.
  ini.SetUnicode(true);
  ini.SetMultiKey(false);
  ini.SetMultiLine(true);
  ini.SetQuotes(true);
  ini.SetSpaces(false);
  QFile in(file);
  if (!in.exists())
    return true;
  if (!in.open(QIODevice::ReadOnly))
    return false;
  const QByteArray bytes = in.readAll();
  return ini.LoadData(bytes.constData(), static_cast<size_t>(bytes.size())) >= 0;
}

}  // namespace

QString read_ini_value(const QString& file, const QString& section, const QString& key,
                       const QString& fallback) {
  CSimpleIniA ini;
  if (!load_ini(file, ini))
    return fallback;
  const char* value = ini.GetValue(section.toUtf8().constData(), key.toUtf8().constData(), nullptr);
  return value ? QString::fromUtf8(value) : fallback;
}

QString read_ini_value(const QString& file, const QString& section, const QString& key) {
  return read_ini_value(file, section, key, QString());
}

void write_ini_value(const QString& file, const QString& section, const QString& key,
                     const QString& value) {
  // A file that exists but cannot be read or parsed is left alone rather than replaced by a
  // file holding this one key.
  CSimpleIniA ini;
  if (!load_ini(file, ini))
    return;
  if (ini.SetValue(section.toUtf8().constData(), key.toUtf8().constData(),
                   value.toUtf8().constData()) < 0 ||
      !quote_values(ini))
    return;
  std::string text;
  if (ini.Save(text, false) < 0)
    return;
  // A missing folder would lose the write silently; it is made here.
  if (!QDir().mkpath(QFileInfo(file).absolutePath()))
    return;
  write_file_atomically(file, QByteArray::fromStdString(text));
}

QString settings_file_path() {
  return program_path(QStringLiteral("config/config.ini"));
}

bool is_switch_on(const QString& value) {
  return to_integer(value) == 1;
}
