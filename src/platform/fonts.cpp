#include "platform/fonts.h"

#include <QFont>
#include <QFontDatabase>
#include <QStringList>

#include <mutex>

void install_font_substitutions() {
  static std::once_flag once;
  std::call_once(once, [] {
    // Serif faces first: SimSun is a serif face.
    static const QStringList preferred = {
        QStringLiteral("Noto Serif CJK SC"), QStringLiteral("Source Han Serif SC"),
        QStringLiteral("AR PL UMing CN"),    QStringLiteral("Noto Sans CJK SC"),
        QStringLiteral("WenQuanYi Zen Hei"),
    };
    const QStringList families = QFontDatabase::families();
    QStringList installed;
    for (const QString& name : preferred) {
      if (families.contains(name, Qt::CaseInsensitive))
        installed.append(name);
    }
    if (installed.isEmpty())
      return;
    QFont::insertSubstitutions(QStringLiteral("宋体"), installed);
    QFont::insertSubstitutions(QStringLiteral("SimSun"), installed);
  });
}
