#include "platform/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "platform/failure_log.h"

bool install_qt_translation(QCoreApplication& application) {
  auto* translator = new QTranslator(&application);
  const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
  if (!translator->load(QStringLiteral("qtbase_zh_CN"), folder)) {
    delete translator;
    log_failure(QStringLiteral("load the Qt translation"),
                folder + QStringLiteral("/qtbase_zh_CN.qm"),
                QStringLiteral("the file is missing or holds no translation"));
    return false;
  }
  return QCoreApplication::installTranslator(translator);
}
