#include "platform/fonts.h"

#include <QFont>
#include <QFontDatabase>
#include <QStringList>

#include <algorithm>
#include <mutex>

namespace {

// The faces the program's texts name that may not be installed here.
const QStringList& substituted_faces() {
  static const QStringList faces = {QStringLiteral("宋体"), QStringLiteral("SimSun")};
  return faces;
}

}  // namespace

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
    for (const QString& face : substituted_faces())
      QFont::insertSubstitutions(face, installed);
  });
}

QStringList get_font_names() {
  install_font_substitutions();
  QStringList names = QFontDatabase::families();
  for (const QString& face : substituted_faces()) {
    if (names.contains(face, Qt::CaseInsensitive))
      continue;
    const QStringList substitutes = QFont::substitutes(face);
    const bool renders = std::any_of(substitutes.cbegin(), substitutes.cend(),
                                     [](const QString& s) { return QFontDatabase::hasFamily(s); });
    if (!renders)
      continue;
    // The database sorts its families by name, case aside; the face goes where it would stand.
    const auto place = std::find_if(names.begin(), names.end(), [&face](const QString& name) {
      return name.compare(face, Qt::CaseInsensitive) > 0;
    });
    names.insert(place, face);
  }
  return names;
}
