#include "storage/settings_keys.h"

#include "platform/program_dir.h"
#include "platform/settings_file.h"

QString read_setting(const SettingKey& key) {
  const QString section = QString::fromLatin1(key.section);
  const QString name = QString::fromLatin1(key.key);
  if (key.fallback == nullptr)
    return read_ini_value(settings_file_path(), section, name);
  return read_ini_value(settings_file_path(), section, name, setting_fallback(key));
}

QString setting_fallback(const SettingKey& key) {
  const QString fallback = QString::fromUtf8(key.fallback);
  return key.fallback_in_program_dir ? program_path(fallback) : fallback;
}

void write_setting(const SettingKey& key, const QString& value) {
  write_ini_value(settings_file_path(), QString::fromLatin1(key.section),
                  QString::fromLatin1(key.key), value);
}

bool setting_is_on(const SettingKey& key) {
  return is_switch_on(read_setting(key));
}

void write_switch(const SettingKey& key, bool on) {
  write_setting(key, on ? QStringLiteral("1") : QStringLiteral("0"));
}
