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

// A settings file is a few kilobytes. Anything larger, or anything that is no regular file (a
// link to an endless device, say), would be read into memory whole; it counts as unreadable.
constexpr qint64 largest_settings_file = 16 * 1024 * 1024;

enum class Loaded {
  // ini holds the file, or is empty when there is no file.
  whole,
  // The file exists but could not be read or parsed: it is left as it is.
  failed,
  // Far too large, or no regular file: it holds no settings for us, and the next write
  // replaces it.
  unbounded,
};

// Parses the file into ini.
Loaded load_ini(const QString& file, CSimpleIniA& ini) {
  // Section and key names compare without regard to case; values are UTF-8 text. Quotes keep
  // blanks at either end of a value, and a value with line breaks is written as a block, so no
  // value can spill into keys of its own.
  ini.SetUnicode(true);
  ini.SetMultiKey(false);
  ini.SetMultiLine(true);
  ini.SetQuotes(true);
  ini.SetSpaces(false);
  const QFileInfo info(file);
  if (!info.exists())
    return Loaded::whole;
  if (!info.isFile() || info.size() > largest_settings_file)
    return Loaded::unbounded;
  QFile in(file);
  if (!in.open(QIODevice::ReadOnly))
    return Loaded::failed;
  // The file may have grown since it was measured.
  const QByteArray bytes = in.read(largest_settings_file + 1);
  if (bytes.size() > largest_settings_file)
    return Loaded::unbounded;
  return ini.LoadData(bytes.constData(), static_cast<size_t>(bytes.size())) >= 0 ? Loaded::whole
                                                                                 : Loaded::failed;
}

}  // namespace

QString read_ini_value(const QString& file, const QString& section, const QString& key,
                       const QString& fallback) {
  CSimpleIniA ini;
  if (load_ini(file, ini) != Loaded::whole)
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
  const Loaded loaded = load_ini(file, ini);
  if (loaded == Loaded::failed)
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
  // A link is replaced itself, never what it points to: that may be a device or another file.
  // Until the new file is in place, no file reads as the unbounded one did.
  if (loaded == Loaded::unbounded && QFileInfo(file).isSymLink() && !QFile::remove(file))
    return;
  write_file_atomically(file, QByteArray::fromStdString(text));
}

QString settings_file_path() {
  return program_path(QStringLiteral("config/config.ini"));
}

bool is_switch_on(const QString& value) {
  return to_integer(value) == 1;
}
