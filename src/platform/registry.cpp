#include "platform/registry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include "platform/atomic_file.h"
#include "platform/failure_log.h"

#include <cerrno>

namespace {

const QString run_key = QStringLiteral("Software\\Microsoft\\Windows\\CurrentVersion\\Run");

// Inside a quoted argument of Exec these characters take a backslash before them.
QString quote_exec_argument(const QString& argument) {
  QString quoted = QStringLiteral("\"");
  for (const QChar c : argument) {
    if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
      quoted += u'\\';
    quoted += c;
  }
  return quoted + u'"';
}

// A desktop entry's string value: "%" stands for a field code unless doubled, and backslashes and
// line breaks take the key file's escapes, applied over the argument quoting.
QString escape_string_value(const QString& value) {
  QString escaped;
  for (const QChar c : value) {
    switch (c.unicode()) {
      case u'%':
        escaped += QStringLiteral("%%");
        break;
      case u'\\':
        escaped += QStringLiteral("\\\\");
        break;
      case u'\n':
        escaped += QStringLiteral("\\n");
        break;
      case u'\r':
        escaped += QStringLiteral("\\r");
        break;
      case u'\t':
        escaped += QStringLiteral("\\t");
        break;
      default:
        escaped += c;
    }
  }
  return escaped;
}

QString desktop_entry(const QString& name, const QString& program) {
  return QStringLiteral("[Desktop Entry]\nType=Application\nName=") + escape_string_value(name) +
         QStringLiteral("\nExec=") + escape_string_value(quote_exec_argument(program)) +
         QStringLiteral("\n");
}

// The value name, or "" when the key is not the Run key of root 4.
QString run_value_name(int root, const QString& key_and_name) {
  const qsizetype last = key_and_name.lastIndexOf(u'\\');
  if (root != registry_root_local_machine || last < 0)
    return QString();
  // Registry key names ignore letter case.
  if (key_and_name.left(last).compare(run_key, Qt::CaseInsensitive) != 0)
    return QString();
  const QString name = key_and_name.mid(last + 1);
  // The name becomes a file name: nothing in it may reach another folder.
  if (name.isEmpty() || name.contains(u'/') || name == QStringLiteral(".") ||
      name == QStringLiteral(".."))
    return QString();
  return name;
}

}  // namespace

QString autostart_entry_path(int root, const QString& key_and_name) {
  const QString name = run_value_name(root, key_and_name);
  if (name.isEmpty())
    return QString();
  return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
         QStringLiteral("/autostart/") + name + QStringLiteral(".desktop");
}

bool write_registry_value(int root, const QString& key_and_name, const QString& text) {
  const QString path = autostart_entry_path(root, key_and_name);
  if (path.isEmpty())
    return false;
  const QString folder = QFileInfo(path).path();
  errno = 0;
  if (!QDir().mkpath(folder)) {
    log_failure(QStringLiteral("make the autostart folder"), folder, errno_reason(errno));
    return false;
  }
  QString reason;
  if (!write_file_atomically(path, desktop_entry(run_value_name(root, key_and_name), text).toUtf8(),
                             &reason)) {
    log_failure(QStringLiteral("write the autostart entry"), path, reason);
    return false;
  }
  return true;
}

bool delete_registry_value(int root, const QString& key_and_name) {
  const QString path = autostart_entry_path(root, key_and_name);
  if (path.isEmpty())
    return false;
  QFile entry(path);
  if (entry.remove() || !QFileInfo::exists(path))
    return true;
  log_failure(QStringLiteral("remove the autostart entry"), path, entry.errorString());
  return false;
}

bool registry_value_exists(int root, const QString& key_and_name) {
  const QString path = autostart_entry_path(root, key_and_name);
  return !path.isEmpty() && QFileInfo::exists(path);
}
