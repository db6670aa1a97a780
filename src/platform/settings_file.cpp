#include "platform/settings_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <SimpleIni.h>

#include <cerrno>
#include <string>

#include "platform/atomic_file.h"
#include "platform/conversions.h"
#include "platform/failure_log.h"
#include "platform/files.h"
#include "platform/program_dir.h"
#include "platform/settings_lines.h"

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

struct LoadOutcome {
  Loaded loaded = Loaded::whole;
  // Lines left out because the reader would misread them; the next write drops them.
  int damaged_lines = 0;
  // Why a file could not be read.
  QString reason;
};

// Parses the file into ini.
LoadOutcome load_ini(const QString& file, CSimpleIniA& ini) {
  // Section and key names compare without regard to case; values are UTF-8 text. Quotes keep
  // blanks at either end of a value, and a value with line breaks is written as a block, so no
  // value can spill into keys of its own.
  ini.SetUnicode(true);
  ini.SetMultiKey(false);
  ini.SetMultiLine(true);
  ini.SetQuotes(true);
  ini.SetSpaces(false);
  if (!QFileInfo::exists(file))
    return {};
  // Looked at before it is opened: a FIFO or a device would never give an end to read to.
  if (QString refusal = file_refusal(file, largest_settings_file); !refusal.isEmpty())
    return {Loaded::unbounded, 0, refusal};
  const BoundedRead read = read_bounded_file(file, largest_settings_file);
  if (!read.whole())
    return {Loaded::failed, 0, read.failure};
  const SoundSettingsText sound = without_damaged_lines(read.bytes);
  if (ini.LoadData(sound.text.constData(), static_cast<size_t>(sound.text.size())) < 0)
    return {Loaded::failed, 0, QStringLiteral("the INI reader failed")};
  return {Loaded::whole, sound.damaged_lines, {}};
}

// Every setting is read from the file afresh: a file that cannot be read is reported once, not
// at each of the many reads that fall back for it.
void log_unreadable_once(const QString& file, const QString& reason) {
  static QString last_reported;
  const QString report = file + u'\n' + reason;
  if (report == last_reported)
    return;
  last_reported = report;
  log_failure(QStringLiteral("read the settings from"), file, reason);
}

}  // namespace

QString read_ini_value(const QString& file, const QString& section, const QString& key,
                       const QString& fallback) {
  CSimpleIniA ini;
  const LoadOutcome outcome = load_ini(file, ini);
  if (outcome.loaded != Loaded::whole) {
    log_unreadable_once(file, outcome.reason);
    return fallback;
  }
  const char* value = ini.GetValue(section.toUtf8().constData(), key.toUtf8().constData(), nullptr);
  return value ? QString::fromUtf8(value) : fallback;
}

QString read_ini_value(const QString& file, const QString& section, const QString& key) {
  return read_ini_value(file, section, key, QString());
}

void write_ini_value(const QString& file, const QString& section, const QString& key,
                     const QString& value) {
  const QString action = QStringLiteral("write ") + section + u' ' + key + QStringLiteral(" to");
  // A file that exists but cannot be read or parsed is left alone rather than replaced by a
  // file holding this one key.
  CSimpleIniA ini;
  const LoadOutcome outcome = load_ini(file, ini);
  if (outcome.loaded == Loaded::failed) {
    log_failure(action, file, outcome.reason);
    return;
  }
  if (ini.SetValue(section.toUtf8().constData(), key.toUtf8().constData(),
                   value.toUtf8().constData()) < 0 ||
      !quote_values(ini)) {
    log_failure(action, file, QStringLiteral("the INI library could not store the value"));
    return;
  }
  std::string text;
  if (ini.Save(text, false) < 0) {
    log_failure(action, file, QStringLiteral("the INI library could not write the text"));
    return;
  }
  // A missing folder would lose the write silently; it is made here.
  const QString folder = QFileInfo(file).absolutePath();
  errno = 0;
  if (!QDir().mkpath(folder)) {
    log_failure(QStringLiteral("make the settings folder"), folder, errno_reason(errno));
    return;
  }
  // A link is replaced itself, never what it points to: that may be a device or another file.
  // Until the new file is in place, no file reads as the unbounded one did.
  if (outcome.loaded == Loaded::unbounded && QFileInfo(file).isSymLink()) {
    QFile link(file);
    if (!link.remove()) {
      log_failure(action, file, link.errorString());
      return;
    }
  }
  QString reason;
  if (!write_file_atomically(file, QByteArray::fromStdString(text), &reason)) {
    log_failure(action, file, reason);
    return;
  }
  if (outcome.damaged_lines > 0)
    log_failure(QStringLiteral("leave out damaged lines of"), file,
                QStringLiteral("%1 line(s) held a NUL byte or opened a block that never ends")
                    .arg(outcome.damaged_lines));
}

QString settings_file_path() {
  return program_path(QStringLiteral("config/config.ini"));
}

bool is_switch_on(const QString& value) {
  return to_integer(value) == 1;
}
